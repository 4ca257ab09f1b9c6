#include "networth/networth_session.h"

#include "networth/networth_file.h"
#include "shell/app_state.h"
#include "shell/format.h"
#include "shell/message_numbers.h"
#include "shell/print_frame.h"
#include "shell/print_job.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString RowPattern = QStringLiteral("####,,###.00");

const FieldDescription Fields[] = {
    {.control = "NetFile",
     .kind = FieldKind::Text,
     .label = "Net worth file",
     .option = "file",
     .help = "net worth file (.qvw) to read"},
    {.control = "NetAssets",
     .kind = FieldKind::Text,
     .label = "Assets",
     .option = "assets",
     .help = "the asset sheet as JSON: [[\"House\", 150000], [\"Sub Total\"]]"},
    {.control = "NetLiabilities",
     .kind = FieldKind::Text,
     .label = "Liabilities",
     .option = "liabilities",
     .help = "the liability sheet as JSON, as --assets"},
};

QString PrintedAmount(const RecordValue &amount)
{
    return amount.kind == RecordValue::Empty ? QString() : RightAlignFigure(Format(AmountOf(amount), RowPattern), 12);
}

QJsonArray SheetJson(const NetWorthStatement &statement, NetWorthStatement::Side side)
{
    QJsonArray rows;
    for (int r = 1; r <= statement.counts[side]; ++r) {
        const SheetRow &row = statement.sheet(side).rows[size_t(r)];
        rows.append(QJsonObject{{QStringLiteral("name"), CellText(row.name)},
                                {QStringLiteral("amount"), AmountOf(row.amount).toDecimalText()}});
    }
    return rows;
}

} // namespace

FieldTable NetWorthFields()
{
    return Fields;
}

NetWorthSession::NetWorthSession(AppState &state) : ToolSession(state)
{
    m_data.PrintBlocks = QStringList(4);
    CalculateNetWorth(m_statement);
}

SheetKeyResult NetWorthSession::typeKey(Side side, int row, int col, int code)
{
    if (row > SheetTypedRows)
        return {SheetKeyResult::RowLimit, {}};
    if (row < 1 || col < 0 || col > 1 || code == '"')
        return {};
    if (code == '\r')
        return {SheetKeyResult::MoveDown, {}};
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
    m_buffer.clear();
    m_unsaved = true;
    return {SheetKeyResult::Edited, QString()};
}

bool NetWorthSession::insertBlankLine(Side side, int line)
{
    if (!InsertBlankLine(m_statement, side, line))
        return false;
    m_unsaved = true;
    return true;
}

void NetWorthSession::replace(const NetWorthStatement &statement)
{
    m_statement = statement;
    CalculateNetWorth(m_statement);
    m_buffer.clear();
}

void NetWorthSession::erase()
{
    m_statement = NetWorthStatement();
    m_buffer.clear();
    m_unsaved = false;
    m_data.PrintBlocks = QStringList(4);
}

GridLayout NetWorthSession::gridLayout() const
{
    return {SheetTypedRows + 4,
            300,
            {{QStringLiteral("Assets"), 1175, false},
             {QStringLiteral("Amount"), 460, false},
             {QStringLiteral("Liabilities"), 1175, false},
             {QStringLiteral("Amount"), 460, false}}};
}

MessageNumber ReadSheetJson(const QString &json, Sheet &sheet)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isArray())
        return MsgWrongEntry;
    const QJsonArray rows = document.array();
    if (rows.size() > SheetTypedRows)
        return Msg30RowLimit;
    Sheet read;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QJsonArray row = rows.at(r).toArray();
        if (!rows.at(r).isArray() || row.isEmpty() || row.size() > 2)
            return MsgWrongEntry;
        SheetRow &target = read.rows[size_t(r + 1)];
        const QJsonValue name = row.at(0);
        if (name.isString()) {
            // Typing never lets a double quote into a name.
            const QString text = name.toString().remove(QLatin1Char('"'));
            if (!text.isEmpty())
                target.name = RecordValue::fromText(text);
        } else if (!name.isNull()) {
            return MsgWrongEntry;
        }
        const QJsonValue amount = row.size() > 1 ? row.at(1) : QJsonValue();
        if (amount.isNull())
            continue;
        Money value;
        try {
            if (amount.isDouble())
                value = Money::fromDouble(amount.toDouble());
            else if (!amount.isString() || !Money::fromDecimalText(amount.toString(), value))
                return MsgWrongEntry;
        } catch (const ArithmeticFault &) {
            return MsgWrongEntry;
        }
        // A sheet takes what its cells take when typed: no sign, two decimals at most.
        if (value < Money() || value > SheetMaxAmount || value.raw() % 100 != 0)
            return MsgWrongEntry;
        target.amount = RecordValue::fromNumber(value);
    }
    sheet = read;
    return MsgNone;
}

Outcome<GridUpdate> NetWorthSession::calculate(const FieldTexts &texts)
{
    NetWorthStatement statement = m_statement;
    const QString file = texts.value(QStringLiteral("NetFile"));
    if (!file.isEmpty()) {
        const auto read = ReadNetWorthFile(file);
        if (!read)
            return Outcome<GridUpdate>::refused(MsgFileNotFound);
        statement = *read;
    }
    const char *const controls[] = {"NetAssets", "NetLiabilities"};
    for (int side = 0; side < 2; ++side) {
        const QString json = texts.value(QLatin1String(controls[side]));
        if (json.isEmpty())
            continue;
        if (const MessageNumber message = ReadSheetJson(json, statement.sheets[size_t(side)]))
            return Outcome<GridUpdate>::refused(message);
    }
    CalculateNetWorth(statement);
    m_statement = statement;

    const QString &symbol = m_state.CurrencySymbol;
    const QList<QStringList> assets = SheetGridTexts(statement, NetWorthStatement::Assets, symbol);
    const QList<QStringList> liabilities = SheetGridTexts(statement, NetWorthStatement::Liabilities, symbol);
    const int rows = std::max(statement.counts[0], statement.counts[1]);
    GridUpdate update;
    update.rowCount = rows + 4;
    update.clearBody = true;
    for (int r = 1; r <= rows; ++r)
        update.rows.append({r <= statement.counts[0] ? assets.at(r).at(0) : QString(),
                            r <= statement.counts[0] ? assets.at(r).at(1) : QString(),
                            r <= statement.counts[1] ? liabilities.at(r).at(0) : QString(),
                            r <= statement.counts[1] ? liabilities.at(r).at(1) : QString()});
    update.rows.append(QStringList(4));
    update.rows.append({assets.at(statement.counts[0] + 2).at(0), assets.at(statement.counts[0] + 2).at(1),
                        liabilities.at(statement.counts[1] + 2).at(0), liabilities.at(statement.counts[1] + 2).at(1)});
    update.rows.append({QStringLiteral("Net Worth"), NetWorthText(statement, symbol), QString(), QString()});
    return update;
}

void NetWorthSession::print(PrintFrame &frame)
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

QJsonValue NetWorthSession::results() const
{
    return QJsonObject{{QStringLiteral("assets"), SheetJson(m_statement, NetWorthStatement::Assets)},
                       {QStringLiteral("liabilities"), SheetJson(m_statement, NetWorthStatement::Liabilities)},
                       {QStringLiteral("total_assets"), m_statement.totals[0].toDecimalText()},
                       {QStringLiteral("total_liabilities"), m_statement.totals[1].toDecimalText()},
                       {QStringLiteral("net_worth"), m_statement.netWorth.toDecimalText()}};
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
