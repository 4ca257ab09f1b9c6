#include "shell/core/tool_session.h"
#include "shell/core/message_numbers.h"

#include "shell/core/app_state.h"
#include "shell/core/dialogs.h"
#include "shell/print/print_frame.h"

QList<QStringList> GridTexts(const GridLayout &layout)
{
    QStringList headings;
    for (const GridColumnSpec &column : layout.columns)
        headings << column.heading;
    QList<QStringList> grid{headings};
    for (int r = 1; r < layout.rows; ++r)
        grid.append(QStringList(layout.columns.size()));
    return grid;
}

void ApplyGridUpdate(QList<QStringList> &grid, const GridUpdate &update)
{
    const qsizetype columns = grid.isEmpty() ? 0 : grid.first().size();
    if (update.rowCount > 0) {
        grid.resize(update.rowCount);
        for (QStringList &row : grid)
            row.resize(columns);
    }
    if (update.clearBody)
        for (qsizetype r = 1; r < grid.size(); ++r)
            grid[r] = QStringList(columns);
    for (qsizetype c = 0; c < update.headingCells.size() && c < columns && !grid.isEmpty(); ++c)
        grid[0][c] = update.headingCells.at(c);
    for (qsizetype i = 0; i < update.rows.size(); ++i) {
        const qsizetype r = update.firstRow + i;
        if (r >= grid.size())
            grid.resize(r + 1, QStringList(columns));
        QStringList row = update.rows.at(i);
        row.resize(std::max(columns, row.size()));
        grid[r] = row;
    }
}

Outcome<GridUpdate> ToolSession::press(const FieldTexts &texts)
{
    try {
        return calculate(texts);
    } catch (const ArithmeticFault &) {
        return Outcome<GridUpdate>::refused(MsgWrongEntry);
    }
}

GraphRequest ToolSession::tableGraph(GraphKind kind) const
{
    GraphRequest request;
    request.kind = kind;
    request.title = m_data.GraphTitle;
    request.currencySymbol = m_state.CurrencySymbol;
    request.GraphData = m_data.GraphData;
    request.CompareData = m_data.CompareData;
    request.CompareNames = m_data.CompareNames;
    request.ResultCount = m_data.ResultCount;
    request.startValue = m_data.InputValues.value(1);
    return request;
}

void StoreStartValues(QList<Money> &values, FieldTable fields)
{
    for (const FieldDescription &field : fields) {
        if (field.slot < 0)
            continue;
        if (values.size() <= field.slot)
            values.resize(field.slot + 1);
        values[field.slot] = StartValue(field);
    }
}

bool PrintSession(AppState &state, Dialogs &dialogs, Printer &printer, ToolSession &session)
{
    if (session.printNeedsResult() && session.data().ResultCount == 0) {
        dialogs.message(MsgNoDataToPrint);
        return false;
    }
    return RunPrintout(state, dialogs, printer, session.printTitle(),
                       [&session](PrintFrame &frame) { session.print(frame); });
}
