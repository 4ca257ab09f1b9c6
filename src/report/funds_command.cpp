#include "invest/fund_database.h"
#include "invest/fund_file.h"
#include "invest/fund_printouts.h"
#include "invest/fund_values.h"
#include "report/report_cli.h"
#include "report/report_command.h"
#include "shell/app_state.h"
#include "shell/data_places.h"
#include "shell/format.h"
#include "shell/message_numbers.h"
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
    "  --price FUND=PRICE      today's price of a fund, by name or number; repeat for each fund\n"
    "  --values                the current value of every fund at the prices given\n"
    "  --listing all|FUND      the records of all funds or of one fund, by name or number; with\n"
    "                          a price for that fund, its current value follows\n"
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
            if (frame.pageFull(++lines)) {
                frame.breakPage(3, headings);
                lines = 6;
            }
        }
        frame.emptyLines(1);
        ++lines;
    }
}


// A fund given by its number or, failing that, by its name as typed.
int FundOfArgument(const AppState &state, const QString &text)
{
    bool number = false;
    const int slot = text.toInt(&number);
    if (number)
        return slot >= 1 && slot <= state.FundCount ? slot : 0;
    for (int fund = 1; fund <= state.FundCount; ++fund)
        if (FundName(state, fund) == text)
            return fund;
    return 0;
}

// Rows of a grid as aligned text: the first column to the left, figures to
// the right, runs of blanks (the grid's heading wraps) made one; rows with
// nothing in them are left out.
QString GridText(const QList<QStringList> &rows)
{
    QList<int> widths;
    for (const QStringList &row : rows)
        for (int c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths.append(0);
            widths[c] = std::max(widths[c], int(row.at(c).simplified().size()));
        }
    QString text;
    for (const QStringList &row : rows) {
        if (row.join(QString()).trimmed().isEmpty())
            continue;
        QStringList cells;
        for (int c = 0; c < row.size(); ++c)
            cells << (c == 0 ? row.at(c).simplified().leftJustified(widths[c])
                             : row.at(c).simplified().rightJustified(widths[c]));
        QString line = cells.join(QStringLiteral("  "));
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        text += line + QLatin1Char('\n');
    }
    return text;
}

QString CsvLines(const QList<QStringList> &rows)
{
    QString text;
    for (QStringList row : rows) {
        for (QString &cell : row)
            cell = CsvCell(cell);
        text += row.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text;
}

QString ValuesCsv(const AppState &state)
{
    const MoneyTable &v = state.FundValues;
    const Money whole = v.value(AllRecordsSlot, ValueTotalColumn);
    QList<QStringList> rows{{"Fund", "Name", "Shares", "Book Cost", "Price", "Current Total", "Gain or Loss",
                             "Gain or Loss %", "% of Total Value"}};
    auto figures = [&v](int row) {
        return QStringList{v.value(row, ValueSharesColumn).toDecimalText(), v.value(row, ValueBookColumn).toDecimalText(),
                           v.value(row, ValuePriceColumn).toDecimalText(), v.value(row, ValueTotalColumn).toDecimalText(),
                           v.value(row, ValueGainColumn).toDecimalText(), v.value(row, ValuePercentColumn).toDecimalText()};
    };
    for (int f = 1; f <= state.FundCount; ++f)
        rows << (QStringList{QString::number(f), FundName(state, f)} + figures(f) +
                 QStringList{ShareOfTotal(v.value(f, ValueTotalColumn), whole).toDecimalText()});
    QStringList total = QStringList{QString(), QStringLiteral("Total")} + figures(AllRecordsSlot);
    total[4].clear(); // no price for the whole
    total << Money::fromWhole(100).toDecimalText();
    rows << total;
    return CsvLines(rows);
}

QJsonObject ValueObject(const MoneyTable &v, int row)
{
    return {{QStringLiteral("shares"), v.value(row, ValueSharesColumn).toDecimalText()},
            {QStringLiteral("book_cost"), v.value(row, ValueBookColumn).toDecimalText()},
            {QStringLiteral("current_total"), v.value(row, ValueTotalColumn).toDecimalText()},
            {QStringLiteral("gain"), v.value(row, ValueGainColumn).toDecimalText()},
            {QStringLiteral("gain_percent"), v.value(row, ValuePercentColumn).toDecimalText()},
            {QStringLiteral("invested"), v.value(row, ValueInvestedColumn).toDecimalText()}};
}

QString ValuesJson(const AppState &state)
{
    const MoneyTable &v = state.FundValues;
    const Money whole = v.value(AllRecordsSlot, ValueTotalColumn);
    QJsonArray funds;
    for (int f = 1; f <= state.FundCount; ++f) {
        QJsonObject fund = ValueObject(v, f);
        fund.insert(QStringLiteral("number"), f);
        fund.insert(QStringLiteral("name"), FundName(state, f));
        fund.insert(QStringLiteral("price"), v.value(f, ValuePriceColumn).toDecimalText());
        fund.insert(QStringLiteral("share_of_total"), ShareOfTotal(v.value(f, ValueTotalColumn), whole).toDecimalText());
        funds.append(fund);
    }
    const QJsonObject document{{QStringLiteral("funds"), funds}, {QStringLiteral("total"), ValueObject(v, AllRecordsSlot)}};
    return QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

QJsonObject ListedValueObject(const ListedValue &value)
{
    return {{QStringLiteral("price"), value.price.toDecimalText()},
            {QStringLiteral("value"), value.value.toDecimalText()},
            {QStringLiteral("gain"), value.gain.toDecimalText()},
            {QStringLiteral("gain_percent"), value.gainPercent.toDecimalText()}};
}

QString ListingJson(AppState &state, int listed, const ListedValue *current)
{
    QJsonArray funds;
    FundTotals grand;
    const int first = listed == AllRecordsSlot ? 1 : listed;
    const int last = listed == AllRecordsSlot ? state.FundCount : listed;
    for (int f = first; f <= last; ++f) {
        QJsonArray records;
        for (int slot = 1; slot <= state.RecordCount; ++slot) {
            const FundRecord &record = state.RecordTable.at(slot);
            if (record.fundNumber.floorUnits() != f)
                continue;
            records.append(QJsonObject{{QStringLiteral("number"), slot},
                                       {QStringLiteral("type"), record.typeCode},
                                       {QStringLiteral("date"), record.date.toString(Qt::ISODate)},
                                       {QStringLiteral("price"), record.price.toDecimalText()},
                                       {QStringLiteral("shares"), record.shares.toDecimalText()},
                                       {QStringLiteral("fees"), record.fees.toDecimalText()},
                                       {QStringLiteral("div_shares_value"), DivSharesValue(record).toDecimalText()},
                                       {QStringLiteral("cash_dividend"), record.cashDividend.toDecimalText()},
                                       {QStringLiteral("book_value"), record.bookValue.toDecimalText()}});
        }
        const FundTotals t = TotalsOfFund(state, f);
        grand.sharesHeld += t.sharesHeld;
        grand.fees += t.fees;
        grand.divSharesValue += t.divSharesValue;
        grand.cashDividend += t.cashDividend;
        grand.bookCost += t.bookCost;
        QJsonObject fund{{QStringLiteral("number"), f},
                         {QStringLiteral("name"), FundName(state, f)},
                         {QStringLiteral("records"), records},
                         {QStringLiteral("shares"), t.sharesHeld.toDecimalText()},
                         {QStringLiteral("fees"), t.fees.toDecimalText()},
                         {QStringLiteral("div_shares_value"), t.divSharesValue.toDecimalText()},
                         {QStringLiteral("cash_dividend"), t.cashDividend.toDecimalText()},
                         {QStringLiteral("book_value"), t.bookCost.toDecimalText()},
                         {QStringLiteral("average_cost"), AverageCostPerShare(t.bookCost, t.sharesHeld).toDecimalText()}};
        if (current)
            fund.insert(QStringLiteral("current_value"), ListedValueObject(*current));
        funds.append(fund);
    }
    QJsonObject document{{QStringLiteral("funds"), funds}};
    if (listed == AllRecordsSlot)
        document.insert(QStringLiteral("total"),
                        QJsonObject{{QStringLiteral("shares"), grand.sharesHeld.toDecimalText()},
                                    {QStringLiteral("fees"), grand.fees.toDecimalText()},
                                    {QStringLiteral("div_shares_value"), grand.divSharesValue.toDecimalText()},
                                    {QStringLiteral("cash_dividend"), grand.cashDividend.toDecimalText()},
                                    {QStringLiteral("book_value"), grand.bookCost.toDecimalText()}});
    return QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

QString ListingCsv(const AppState &state, int listed)
{
    QList<QStringList> rows{{"Fund", "Name", "Type", "Date", "Price", "Shares", "Fees", "Div. Shares Value",
                             "Cash Dividend", "Book Value"}};
    for (int slot = 1; slot <= state.RecordCount; ++slot) {
        const FundRecord &record = state.RecordTable.at(slot);
        const int f = int(record.fundNumber.floorUnits());
        if (listed != AllRecordsSlot && f != listed)
            continue;
        rows << QStringList{QString::number(f), FundName(state, f), record.typeCode, record.date.toString(Qt::ISODate),
                            record.price.toDecimalText(), record.shares.toDecimalText(), record.fees.toDecimalText(),
                            DivSharesValue(record).toDecimalText(), record.cashDividend.toDecimalText(),
                            record.bookValue.toDecimalText()};
    }
    return CsvLines(rows);
}

int RunFunds(const QStringList &arguments, const QString &programDir, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({QStringLiteral("file"), QStringLiteral("database file"), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("sort"), QStringLiteral("sort first")});
    parser.addOption({QStringLiteral("price"), QStringLiteral("price of a fund"), QStringLiteral("FUND=PRICE")});
    parser.addOption({QStringLiteral("values"), QStringLiteral("current value table")});
    parser.addOption({QStringLiteral("listing"), QStringLiteral("record listing"), QStringLiteral("FUND")});
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
        if (const MessageNumber message = SortRecordsByDate(state); message != MsgNone) {
            err << MessageText(message, state.TodayText) << '\n';
            return ReportRefused;
        }
    }

    const bool values = parser.isSet(QStringLiteral("values"));
    const bool listing = parser.isSet(QStringLiteral("listing"));
    if (values && listing)
        return usage(QStringLiteral("--values and --listing cannot be asked for together"));
    PreparePriceTable(state);
    for (const QString &given : parser.values(QStringLiteral("price"))) {
        const qsizetype equals = given.lastIndexOf(QLatin1Char('='));
        const int fund = equals > 0 ? FundOfArgument(state, given.left(equals)) : 0;
        if (fund == 0)
            return usage(QStringLiteral("--price '%1' names no fund of the file").arg(given));
        Money price;
        bool read = false;
        try {
            read = Money::fromDecimalText(given.mid(equals + 1).trimmed(), price);
        } catch (const ArithmeticFault &) {
            read = false;
        }
        if (!read || price < Money())
            return usage(QStringLiteral("--price '%1' is not a price").arg(given));
        state.FundValues.set(fund, ValuePriceColumn, price);
    }
    int listed = 0;
    RecordListing shown;
    ListedValue current;
    bool priced = false;
    if (listing) {
        const QString which = parser.value(QStringLiteral("listing"));
        listed = which == QLatin1String("all") ? AllRecordsSlot : FundOfArgument(state, which);
        if (listed == 0)
            return usage(QStringLiteral("--listing '%1' names no fund of the file").arg(which));
        const Money price = state.FundValues.value(listed, ValuePriceColumn);
        try {
            shown = ListRecords(state, listed);
        } catch (const ArithmeticFault &) {
            err << MessageText(MsgWrongEntry, state.TodayText) << '\n';
            return ReportRefused;
        }
        state.PrintBlocks = QStringList(4);
        if (listed != AllRecordsSlot && !price.isZero()) {
            try {
                current = ValueOfListedFund(state, price);
            } catch (const ArithmeticFault &) {
                current.message = MsgWrongEntry;
            }
            if (current.message != 0) {
                err << MessageText(current.message, state.TodayText) << '\n';
                return ReportRefused;
            }
            priced = true;
            state.PrintBlocks[1] = ListedValueBlock(current, state.CurrencySymbol);
        }
    }
    if (values) {
        if (const int empty = FirstEmptyFund(state); empty != 0) {
            err << MessageText(MsgEmptyFund, state.TodayText) << " (" << FundName(state, empty) << ")\n";
            return ReportRefused;
        }
        try {
            if (const MessageNumber message = CollectHoldings(state); message != MsgNone) {
                err << MessageText(message, state.TodayText) << '\n';
                return ReportRefused;
            }
            ComputeCurrentValues(state);
        } catch (const ArithmeticFault &) {
            err << MessageText(MsgWrongEntry, state.TodayText) << '\n';
            return ReportRefused;
        }
    }

    QByteArray bytes;
    if (values && format == QLatin1String("text")) {
        bytes = (QStringLiteral("Current Value of all Funds\n\n") + GridText(CurrentValueTable(state))).toUtf8();
    } else if (values && format == QLatin1String("csv")) {
        bytes = ValuesCsv(state).toUtf8();
    } else if (values && format == QLatin1String("json")) {
        bytes = ValuesJson(state).toUtf8();
    } else if (listing && format == QLatin1String("text")) {
        if (priced) {
            const QList<QStringList> block = ListedValueRows(current, state.CurrencySymbol);
            for (int i = 0; i < block.size(); ++i) {
                const int row = shown.lastListRow + 2 + i;
                while (shown.rows.size() <= row)
                    shown.rows.append(QStringList(8));
                shown.rows[row] = block.at(i);
            }
        }
        bytes = (shown.caption + QStringLiteral("\n\n") + GridText(shown.rows)).toUtf8();
    } else if (listing && format == QLatin1String("csv")) {
        bytes = ListingCsv(state, listed).toUtf8();
    } else if (listing && format == QLatin1String("json")) {
        bytes = ListingJson(state, listed, priced ? &current : nullptr).toUtf8();
    } else if (format == QLatin1String("text")) {
        bytes = AsText(state).toUtf8();
    } else if (format == QLatin1String("csv")) {
        bytes = AsCsv(state).toUtf8();
    } else if (format == QLatin1String("json")) {
        bytes = AsJson(state).toUtf8();
    } else {
        UnattendedDialogs dialogs;
        dialogs.lines << parser.value(QStringLiteral("header"));
        auto body = [&state, values, listing, listed](PrintFrame &frame) {
            if (values)
                PrintValueTable(frame, state);
            else if (listing)
                PrintFundListing(frame, state, listed);
            else
                PrintDatabase(frame, state);
        };
        const QString title = values ? QStringLiteral("Current Value of all Funds")
                              : listing ? FundName(state, listed)
                                        : QStringLiteral("Investment Database");
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
