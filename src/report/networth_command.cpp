#include "networth/networth_file.h"
#include "networth/networth_session.h"
#include "report/report_command.h"
#include "shell/core/app_state.h"
#include "shell/core/money.h"
#include "shell/core/tool_session.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

namespace {

// The command's inputs: a file to read and the two sheets as JSON.
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

FieldTable NetWorthFields()
{
    return Fields;
}

// Reads one sheet given as JSON: an array of [name] or [name, amount] rows,
// amounts as numbers or their exact decimal text. Returns 0 or the message
// number of a refusal.
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

// The statement as the command line calculates it: read from a file and the
// sheets given, then shown both sheets side by side in one grid. The sheets,
// the printout and the help are the window's own session.
class NetWorthReport : public ToolSession
{
public:
    explicit NetWorthReport(AppState &state) : ToolSession(state), m_session(state) {}

    FieldTable fields() const override { return NetWorthFields(); }
    GridLayout gridLayout() const override
    {
        return {SheetTypedRows + 4,
                300,
                {{QStringLiteral("Assets"), 1175, false},
                 {QStringLiteral("Amount"), 460, false},
                 {QStringLiteral("Liabilities"), 1175, false},
                 {QStringLiteral("Amount"), 460, false}}};
    }
    int keptRows() const override { return 0; }
    // The file first, then the sheets given as JSON.
    Outcome<GridUpdate> calculate(const FieldTexts &texts) override;
    QString printTitle() const override { return m_session.printTitle(); }
    void print(PrintFrame &frame) override { m_session.print(frame); }
    bool printNeedsResult() const override { return false; }
    GraphRequest graphRequest() const override { return {}; }
    QString helpText() const override { return m_session.helpText(); }
    QJsonValue results() const override;

private:
    NetWorthSession m_session;
};

Outcome<GridUpdate> NetWorthReport::calculate(const FieldTexts &texts)
{
    NetWorthStatement statement = m_session.statement();
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
    m_session.replace(statement);
    const NetWorthStatement &done = m_session.statement();

    const QString &symbol = m_state.CurrencySymbol;
    const QList<QStringList> assets = SheetGridTexts(done, NetWorthStatement::Assets, symbol);
    const QList<QStringList> liabilities = SheetGridTexts(done, NetWorthStatement::Liabilities, symbol);
    const int rows = std::max(done.counts[0], done.counts[1]);
    GridUpdate update;
    update.rowCount = rows + 4;
    update.clearBody = true;
    for (int r = 1; r <= rows; ++r)
        update.rows.append({r <= done.counts[0] ? assets.at(r).at(0) : QString(),
                            r <= done.counts[0] ? assets.at(r).at(1) : QString(),
                            r <= done.counts[1] ? liabilities.at(r).at(0) : QString(),
                            r <= done.counts[1] ? liabilities.at(r).at(1) : QString()});
    update.rows.append(QStringList(4));
    update.rows.append({assets.at(done.counts[0] + 2).at(0), assets.at(done.counts[0] + 2).at(1),
                        liabilities.at(done.counts[1] + 2).at(0), liabilities.at(done.counts[1] + 2).at(1)});
    update.rows.append({QStringLiteral("Net Worth"), NetWorthText(done, symbol), QString(), QString()});
    return update;
}

QJsonValue NetWorthReport::results() const
{
    const NetWorthStatement &statement = m_session.statement();
    return QJsonObject{{QStringLiteral("assets"), SheetJson(statement, NetWorthStatement::Assets)},
                       {QStringLiteral("liabilities"), SheetJson(statement, NetWorthStatement::Liabilities)},
                       {QStringLiteral("total_assets"), statement.totals[0].toDecimalText()},
                       {QStringLiteral("total_liabilities"), statement.totals[1].toDecimalText()},
                       {QStringLiteral("net_worth"), statement.netWorth.toDecimalText()}};
}

} // namespace

const ReportCommand &NetWorthCommand()
{
    static const ReportCommand command{
        .name = "networth",
        .summary = "the net worth statement of a .qvw file or of sheets given as JSON",
        .description =
            "Both sheets calculated as the window's Calculate does: rows without a name left out, \"Sub Total\"\n"
            "rows summing their group, the totals and the net worth. --file reads a net worth file; --input\n"
            "takes {\"assets\": [[\"House\", 150000], [\"Sub Total\"]], \"liabilities\": [...]}, and a sheet\n"
            "given there replaces the file's. A file that cannot be read is refused (exit 3).",
        .fields = NetWorthFields,
        .switches = {},
        .open = [](AppState &state, const QCommandLineParser &, bool) -> std::unique_ptr<ToolSession> {
            return std::make_unique<NetWorthReport>(state);
        },
    };
    return command;
}
