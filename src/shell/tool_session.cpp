#include "shell/tool_session.h"
#include "shell/message_numbers.h"

#include "shell/app_state.h"

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
    request.title = m_state.GraphTitle;
    request.currencySymbol = m_state.CurrencySymbol;
    request.GraphData = m_state.GraphData;
    request.CompareData = m_state.CompareData;
    request.CompareNames = m_state.CompareNames;
    request.ResultCount = m_state.ResultCount;
    request.startValue = m_state.InputValues.value(1);
    return request;
}

void ToolSession::exit()
{
    m_state.InputValues.clear();
    m_state.clearResults();
}

void StoreStartValues(AppState &state, FieldTable fields)
{
    for (const FieldDescription &field : fields) {
        if (field.slot < 0)
            continue;
        if (state.InputValues.size() <= field.slot)
            state.InputValues.resize(field.slot + 1);
        state.InputValues[field.slot] = StartValue(field);
    }
}
