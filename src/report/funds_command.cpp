#include "invest/fund_database.h"
#include "invest/fund_file.h"
#include "report/report_cli.h"
#include "report/report_command.h"
#include "shell/app_state.h"
#include "shell/data_places.h"
#include "shell/format.h"
#include "shell/message_texts.h"
#include "shell/page_print_job.h"
#include "shell/personal_settings.h"
#include "shell/print_frame.h"
#include "shell/safe_save.h"
#include "shell/text_print_job.h"
#include "shell/unattended_dialogs.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

const char Description[] =
    "Prints an investment manager database (.qvs) as the fund menu holds it after opening it: the\n"
    "status line, the funds and every record with its stored fields. --sort sorts the funds by name\n"
    "and the records by date first, as Sort Records does.\n"
    "\n"
    "Options:\n"
    "  --file FILE             the database file (required)\n"
    "  --sort                  sort funds and records first\n"
    "  --format FORMAT         text, csv, json, report or pdf [text]\n"
    "  --out FILE              write to FILE instead of standard output (needed for pdf)\n"
    "  --currency SYMBOL       currency symbol of the report\n"
    "  --header TEXT           header line of the report\n";

const QStringList Headings = {QStringLiteral("Record"), QStringLiteral("Fund"),   QStringLiteral("Type"),
                              QStringLiteral("Date"),   QStringLiteral("Price"),  QStringLiteral("Shares"),
                              QStringLiteral("Fees"),   QStringLiteral("Cash Dividend"), QStringLiteral("Book Value")};

QStringList RecordCells(const FundRecord &record, int slot)
{
    return {QString::number(slot),
            QString::number(record.fundNumber.floorUnits()),
            record.typeCode,
            record.date.toString(Qt::ISODate),
            record.price.toDecimalText(),
            record.shares.toDecimalText(),
            record.fees.toDecimalText(),
            record.cashDividend.toDecimalText(),
            record.bookValue.toDecimalText()};
}

QString AsText(const AppState &state)
{
    QString text;
    QTextStream out(&text);
    out << "Database in memory:" << DatabaseStatus(state) << "\n\nFunds:\n";
    for (int fund = 1; fund <= state.FundCount; ++fund)
        out << QString::number(fund).rightJustified(4) << "  " << FundName(state, fund) << '\n';
    out << "\nRecords:\n";
    QList<QStringList> rows{Headings};
    for (int slot = 1; slot <= state.RecordCount; ++slot)
        rows << RecordCells(state.RecordTable.at(slot), slot);
    QList<int> widths(Headings.size(), 0);
    for (const QStringList &row : rows)
        for (int c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], int(row.at(c).size()));
    for (const QStringList &row : rows) {
        QStringList cells;
        for (int c = 0; c < row.size(); ++c)
            cells << (c == 2 || c == 3 ? row.at(c).leftJustified(widths[c]) : row.at(c).rightJustified(widths[c]));
        out << cells.join(QStringLiteral("  ")) << '\n';
    }
    return text;
}

QString CsvCell(const QString &cell)
{
    if (cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"')))
        return QLatin1Char('"') + QString(cell).replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
               QLatin1Char('"');
    return cell;
}

// One line per record with its fund's name; plain numbers.
QString AsCsv(const AppState &state)
{
    QStringList heading = Headings;
    heading.insert(2, QStringLiteral("Fund Name"));
    QString text = heading.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (int slot = 1; slot <= state.RecordCount; ++slot) {
        const FundRecord &record = state.RecordTable.at(slot);
        QStringList cells = RecordCells(record, slot);
        cells.insert(2, FundName(state, int(record.fundNumber.floorUnits())));
        for (QString &cell : cells)
            cell = CsvCell(cell);
        text += cells.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text;
}

QString AsJson(const AppState &state)
{
    QJsonArray funds;
    for (int fund = 1; fund <= state.FundCount; ++fund)
        funds.append(QJsonObject{{QStringLiteral("number"), fund}, {QStringLiteral("name"), FundName(state, fund)}});
    QJsonArray records;
    for (int slot = 1; slot <= state.RecordCount; ++slot) {
        const FundRecord &record = state.RecordTable.at(slot);
        records.append(QJsonObject{{QStringLiteral("number"), slot},
                                   {QStringLiteral("fund"), qint64(record.fundNumber.floorUnits())},
                                   {QStringLiteral("type"), record.typeCode},
                                   {QStringLiteral("date"), record.date.toString(Qt::ISODate)},
                                   {QStringLiteral("price"), record.price.toDecimalText()},
                                   {QStringLiteral("shares"), record.shares.toDecimalText()},
                                   {QStringLiteral("fees"), record.fees.toDecimalText()},
                                   {QStringLiteral("cash_dividend"), record.cashDividend.toDecimalText()},
                                   {QStringLiteral("book_value"), record.bookValue.toDecimalText()}});
    }
    const QJsonObject document{{QStringLiteral("status"), DatabaseStatus(state)},
                               {QStringLiteral("funds"), funds},
                               {QStringLiteral("records"), records}};
    return QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

// The database on paper: each fund's name, then its records in date order.
void PrintDatabase(PrintFrame &frame, AppState &state)
{
    frame.line(30, QStringLiteral("Investment Database"));
    frame.line(2, QStringLiteral("Database in memory:") + DatabaseStatus(state));
    frame.emptyLines(1);
    const auto headings = [&frame] {
        frame.line({{67, QStringLiteral("Cash")}, {77, QStringLiteral("Book")}});
        frame.line({{4, QStringLiteral("Type")},
                    {16, QStringLiteral("Date")},
                    {34, QStringLiteral("Price")},
                    {45, QStringLiteral("Shares")},
                    {57, QStringLiteral("Fees")},
                    {67, QStringLiteral("Div.")},
                    {76, QStringLiteral("Value")}});
        frame.emptyLines(1);
    };
    headings();
    int lines = 9;
    const QString money = QStringLiteral("###,,##0.00");
    for (int fund = 1; fund <= state.FundCount; ++fund) {
        frame.line(2, FundName(state, fund));
        ++lines;
        for (int slot = 1; slot <= state.RecordCount; ++slot) {
            const FundRecord &record = state.RecordTable.at(slot);
            if (record.fundNumber.floorUnits() != fund)
                continue;
            RecordTypeName(state, slot);
            frame.line({{4, state.EntryTypeName},
                        {16, Format(record.date, QStringLiteral("Short Date"))},
                        {28, RightAlignFigure(Format(record.price, QStringLiteral("##,,##0.0000")), 11)},
                        {40, RightAlignFigure(Format(record.shares, QStringLiteral("##,,##0.0000")), 11)},
                        {52, RightAlignFigure(Format(record.fees, money), 9)},
                        {62, RightAlignFigure(Format(record.cashDividend, money), 9)},
                        {71, RightAlignFigure(Format(record.bookValue, money), 10)}});
            ++lines;
            frame.breakPage(lines, 6, headings);
        }
        frame.emptyLines(1);
        ++lines;
    }
}

int RunFunds(const QStringList &arguments, const QString &programDir, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({QStringLiteral("file"), QStringLiteral("database file"), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("sort"), QStringLiteral("sort first")});
    parser.addOption({QStringLiteral("format"), QStringLiteral("output format"), QStringLiteral("FORMAT"),
                      QStringLiteral("text")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("output file"), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("currency"), QStringLiteral("currency symbol"), QStringLiteral("SYMBOL")});
    parser.addOption({QStringLiteral("header"), QStringLiteral("printout header"), QStringLiteral("TEXT")});
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("help")});
    auto usage = [&err](const QString &problem) {
        err << "tallomar-report funds: " << problem << "\n"
            << "Run 'tallomar-report funds --help' for the options.\n";
        return int(ReportUsage);
    };
    if (!parser.parse(QStringList{QStringLiteral("tallomar-report")} + arguments))
        return usage(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        out << "Usage: tallomar-report funds --file FILE [OPTIONS]\n\n" << Description;
        return ReportOk;
    }
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    const QString path = parser.value(QStringLiteral("file"));
    if (path.isEmpty())
        return usage(QStringLiteral("--file FILE is needed"));
    const QString format = parser.value(QStringLiteral("format"));
    const QStringList formats{QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json"),
                              QStringLiteral("report"), QStringLiteral("pdf")};
    if (!formats.contains(format))
        return usage(QStringLiteral("unknown format '%1' (text, csv, json, report or pdf)").arg(format));
    const QString outPath = parser.value(QStringLiteral("out"));
    if (format == QLatin1String("pdf") && outPath.isEmpty())
        return usage(QStringLiteral("--format pdf needs --out FILE"));

    AppState state;
    LoadPersonalSettings(state, SettingsFileToRead(programDir));
    if (parser.isSet(QStringLiteral("currency")))
        state.CurrencySymbol = parser.value(QStringLiteral("currency")).trimmed().left(2);
    state.TodayText = Format(QDate::currentDate(), QStringLiteral("Short Date"));
    CreateFundTables(state);
    const auto read = ReadFundFile(path);
    if (!read.ok()) {
        err << MessageText(read.message(), state.TodayText) << '\n';
        return ReportRefused;
    }
    ApplyFundFile(state, read.value(), QFileInfo(path).fileName());
    if (parser.isSet(QStringLiteral("sort"))) {
        SortFundsByName(state);
        if (const int message = SortRecordsByDate(state); message != 0) {
            err << MessageText(message, state.TodayText) << '\n';
            return ReportRefused;
        }
    }

    QByteArray bytes;
    if (format == QLatin1String("text")) {
        bytes = AsText(state).toUtf8();
    } else if (format == QLatin1String("csv")) {
        bytes = AsCsv(state).toUtf8();
    } else if (format == QLatin1String("json")) {
        bytes = AsJson(state).toUtf8();
    } else {
        UnattendedDialogs dialogs(state);
        dialogs.lines << parser.value(QStringLiteral("header"));
        auto body = [&state](PrintFrame &frame) { PrintDatabase(frame, state); };
        const QString title = QStringLiteral("Investment Database");
        if (format == QLatin1String("pdf")) {
            PdfPrinter printer(outPath);
            if (!RunPrintout(state, dialogs, printer, title, body, false)) {
                err << "tallomar-report: cannot write " << outPath << '\n';
                return ReportFailed;
            }
            return ReportOk;
        }
        TextPrinter printer;
        RunPrintout(state, dialogs, printer, title, body, false);
        if (!printer.jobs.isEmpty())
            bytes = (printer.jobs.first().toText() + QLatin1Char('\n')).toUtf8();
    }
    if (outPath.isEmpty()) {
        out << QString::fromUtf8(bytes);
        out.flush();
        if (out.status() != QTextStream::Ok) {
            err << "tallomar-report: cannot write standard output\n";
            return ReportFailed;
        }
        return ReportOk;
    }
    QString why;
    if (!SaveFileWhole(outPath, bytes, &why)) {
        err << "tallomar-report: cannot write " << outPath << ": " << why << '\n';
        return ReportFailed;
    }
    return ReportOk;
}

FieldTable NoFields()
{
    return {};
}

} // namespace

const ReportCommand &FundsCommand()
{
    static const ReportCommand command{
        .name = "funds",
        .summary = "an investment manager database (.qvs): funds and records",
        .description = Description,
        .fields = NoFields,
        .switches = {},
        .open = nullptr,
        .run = RunFunds,
    };
    return command;
}
