#include "networth/networth_session.h"

#include "shell/core/app_state.h"
#include "shell/core/format.h"
#include "shell/core/message_numbers.h"
#include "shell/print/print_frame.h"
#include "shell/print/print_job.h"

#include <cmath>

namespace {

const QString RowPattern = QStringLiteral("####,,###.00");

QString PrintedAmount(const RecordValue &amount)
{
    return amount.kind == RecordValue::Empty ? QString() : RightAlignFigure(Format(AmountOf(amount), RowPattern), 12);
}

} // namespace

NetWorthSession::NetWorthSession(AppState &state) : m_state(state)
{
    CalculateNetWorth(m_statement);
}

void NetWorthSession::cellChosen()
{
    m_buffer.clear();
    m_bufferCell = {};
}

void NetWorthSession::bufferFor(Side side, int row, int col)
{
    const BufferCell cell{int(side), row, col};
    if (cell == m_bufferCell)
        return;
    m_buffer.clear();
    m_bufferCell = cell;
}

SheetKeyResult NetWorthSession::typeKey(Side side, int row, int col, int code)
{
    if (row > SheetTypedRows)
        return {SheetKeyResult::RowLimit, {}};
    if (row < 1 || col < 0 || col > 1 || code == '"')
        return {};
    if (code == '\r')
        return {SheetKeyResult::MoveDown, {}};
    bufferFor(side, row, col);
    SheetRow &cell = m_statement.sheet(side).rows[size_t(row)];
    if (code == '\b') {
        if (col == 0) {
            // The name held, not the cell's text: a total's label shown in an
            // empty row must not turn into a name.
            const QString name = CellText(cell.name);
            m_buffer = name.left(std::max<qsizetype>(name.size() - 1, 0));
            cell.name = m_buffer.isEmpty() ? RecordValue::empty() : RecordValue::fromText(m_buffer);
        } else {
            m_buffer.clear();
            cell.amount = RecordValue::empty();
        }
        m_unsaved = true;
        return {SheetKeyResult::Edited, m_buffer};
    }
    // Escape and the other control keys type nothing.
    if (code < ' ' || code == 127)
        return {};
    const QChar typed{char16_t(code)};
    if (col == 0) {
        m_buffer += typed;
        cell.name = RecordValue::fromText(m_buffer);
        m_unsaved = true;
        return {SheetKeyResult::Edited, m_buffer};
    }
    if (typed != u'.' && !typed.isDigit())
        return {SheetKeyResult::Beep, {}};
    if (typed.isDigit() && typed.unicode() <= u'9') {
        const qsizetype point = m_buffer.indexOf(u'.');
        if (point >= 0 && m_buffer.size() - point - 1 >= 2)
            return {};
    } else if (typed != u'.') {
        return {SheetKeyResult::Beep, {}}; // digits of other scripts
    }
    const QString candidate = m_buffer + typed;
    Money amount;
    try {
        amount = LeadingMoney(candidate);
    } catch (const ArithmeticFault &) {
        return {SheetKeyResult::Beep, {}};
    }
    if (amount > SheetMaxAmount)
        return {SheetKeyResult::Beep, {}};
    m_buffer = candidate;
    cell.amount = RecordValue::fromNumber(amount);
    m_unsaved = true;
    return {SheetKeyResult::Edited, TypedAmountText(cell.amount)};
}

SheetKeyResult NetWorthSession::deleteKey(Side side, int row, int col)
{
    if (row > SheetTypedRows)
        return {SheetKeyResult::RowLimit, {}};
    if (row < 1 || col < 0 || col > 1)
        return {};
    SheetRow &cell = m_statement.sheet(side).rows[size_t(row)];
    (col == 0 ? cell.name : cell.amount) = RecordValue::empty();
    bufferFor(side, row, col);
    m_buffer.clear();
    m_unsaved = true;
    return {SheetKeyResult::Edited, QString()};
}

void NetWorthSession::recalculate()
{
    CalculateNetWorth(m_statement);
    // The rows may have moved under the cell being typed into.
    cellChosen();
}

MessageNumber NetWorthSession::insertBlankLine(Side side, const QString &answer)
{
    const double line = std::floor(LeadingNumber(answer));
    if (line < 1 || line > SheetTypedRows - 2)
        return MsgBlankLineNumber;
    if (!InsertBlankLine(m_statement, side, int(line)))
        return Msg30RowLimit;
    cellChosen();
    m_unsaved = true;
    return MsgNone;
}

void NetWorthSession::replace(const NetWorthStatement &statement)
{
    m_statement = statement;
    CalculateNetWorth(m_statement);
    cellChosen();
}

void NetWorthSession::erase()
{
    m_statement = NetWorthStatement();
    cellChosen();
    m_unsaved = false;
}

void NetWorthSession::print(PrintFrame &frame) const
{
    PrintNetWorth(frame, m_statement, m_state.CurrencySymbol);
}

QString NetWorthSession::helpText() const
{
    return HelpPanelText(
        QStringLiteral(
            "Open File from disk or start a new file. Load NetSampl.QVW to try out the various features.\n"
            "\n"
            "To start new file, Click on either spreadsheet, choose cell by clicking on it or use arrow keys. "
            "Selected Cell will show dotted line around it, enter your data.\n"
            "\n"
            "Place catagory names in first column and values in the second column. Delete an entry with the "
            "Backspace key.\n"
            "\n"
            "Enter the exact words Sub Total in first column at the end of each group where you want it to "
            "appear.\n"
            "\n"
            "Empty rows are not allowed, for a blank row enter a space in column one. (It's no longer empty). To "
            "remove a row, delete all entries in that row then Calculate.\n"
            "\n"
            "Column two will only accept figures and the period key as the decimal separator. Names or Values can "
            "be changed at any time.\n"
            "\n"
            "To insert a row, Click the row where it is required then Insert Blank Line button, OK.\n"
            "\n"
            "You must Calculate after any changes, to reformat the spreadsheet and Totals."),
        m_state.CurrencySymbol);
}

void PrintNetWorth(PrintFrame &frame, const NetWorthStatement &statement, const QString &currencySymbol)
{
    frame.line(32, QStringLiteral("NET WORTH STATEMENT"));
    frame.emptyLines(2);
    frame.line({{2, QStringLiteral("ASSETS")}, {42, QStringLiteral("LIABILITIES")}});
    frame.line({{2, QStringLiteral("______")}, {42, QStringLiteral("___________")}});
    frame.emptyLines(1);
    const Sheet &assets = statement.sheet(NetWorthStatement::Assets);
    const Sheet &liabilities = statement.sheet(NetWorthStatement::Liabilities);
    for (int r = 1; r <= statement.printedRows(); ++r) {
        const SheetRow &asset = assets.rows[size_t(r)];
        const SheetRow &liability = liabilities.rows[size_t(r)];
        // Blank cells print nothing; the line still ends where its last text does.
        QList<PrintFrame::Cell> cells = {{2, CellText(asset.name).left(25)},
                                         {28, PrintedAmount(asset.amount)},
                                         {42, CellText(liability.name).left(25)},
                                         {68, PrintedAmount(liability.amount)}};
        while (!cells.isEmpty() && cells.last().text.isEmpty())
            cells.removeLast();
        for (const PrintFrame::Cell &cell : cells) {
            frame.job().tab(cell.column);
            frame.job().text(cell.text);
        }
        frame.job().endLine();
    }
    frame.emptyLines(1);
    frame.line(1, QLatin1Char(' ') + QString(78, u'_'));
    frame.emptyLines(1);
    frame.line({{2, QStringLiteral("Total Assets")},
                {27, RightAlignFigure(currencySymbol + Format(statement.totals[0], RowPattern), 13)},
                {42, QStringLiteral("Total Liabilities")},
                {67, RightAlignFigure(currencySymbol + Format(statement.totals[1], RowPattern), 13)}});
    frame.emptyLines(2);
    frame.line(30, QStringLiteral("Net Worth = ") +
                       RightAlignFigure(currencySymbol + Format(statement.netWorth, RowPattern), 14));
}
