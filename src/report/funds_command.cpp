#include "invest/fund_database.h"
#include "invest/fund_printouts.h"
#include "invest/fund_values.h"
#include "invest/funds_session.h"
#include "invest/record_csv.h"
#include "report/report_cli.h"
#include "report/report_command.h"
#include "shell/core/app_state.h"
#include "shell/core/format.h"
#include "shell/core/message_numbers.h"
#include "shell/core/message_texts.h"
#include "shell/print/print_frame.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <memory>

namespace {

const char Description[] =
    "Prints an investment manager database (.qvs) as the fund menu holds it after opening it: the\n"
    "status line, the funds and every record with its stored fields. --sort sorts the funds by name\n"
    "and the records by date first, as Sort Records does. --values gives the current value of every\n"
    "fund at the prices given; --listing the records of all funds or of one fund, followed by its\n"
    "current value when a price is given for it.";

const char ImportDescription[] =
    "\n\n"
    "--import reads a CSV file (comma, semicolon or tab separated, UTF-8 or Latin-1, a heading row)\n"
    "and adds its records to the file's, or to an empty database without --file, checked as the\n"
    "record entry window checks them: one refused row and nothing is added (exit 3, each refused\n"
    "row named by its line and field). Columns headed date, fund, type, shares, price, fees and\n"
    "dividend are taken without --map, so the export of --records needs no options. New fund names\n"
    "become funds. The other options then work on the merged records; --save writes them.";

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

// The status line, the funds and the records with their stored fields.
QString AsText(const FundsSession &session)
{
    const FundDatabase &db = session.db();
    QString text;
    QTextStream out(&text);
    out << "Database in memory:" << session.status() << "\n\nFunds:\n";
    for (int fund = 1; fund <= db.fundCount(); ++fund)
        out << QString::number(fund).rightJustified(4) << "  " << FundName(db, fund) << '\n';
    out << "\nRecords:\n";
    QList<QStringList> rows{Headings};
    for (int slot = 1; slot <= db.recordCount(); ++slot)
        rows << RecordCells(db.record(slot), slot);
    out.flush();
    // The type and the date read from the left.
    return text + AlignedText(rows, {false, false, true, true});
}

// One row per record with its fund's name; plain numbers.
TextTable AsTable(const FundDatabase &db)
{
    QStringList heading = Headings;
    heading.insert(2, QStringLiteral("Fund Name"));
    TextTable rows{heading};
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        const FundRecord &record = db.record(slot);
        QStringList cells = RecordCells(record, slot);
        cells.insert(2, FundName(db, int(record.fundNumber.floorUnits())));
        rows << cells;
    }
    return rows;
}

QByteArray AsJson(const FundsSession &session)
{
    const FundDatabase &db = session.db();
    QJsonArray funds;
    for (int fund = 1; fund <= db.fundCount(); ++fund)
        funds.append(QJsonObject{{QStringLiteral("number"), fund}, {QStringLiteral("name"), FundName(db, fund)}});
    QJsonArray records;
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        const FundRecord &record = db.record(slot);
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
    const QJsonObject document{{QStringLiteral("status"), session.status()},
                               {QStringLiteral("funds"), funds},
                               {QStringLiteral("records"), records}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

// The database on paper: each fund's name, then its records in date order.
void PrintDatabase(PrintFrame &frame, const FundsSession &session)
{
    const FundDatabase &db = session.db();
    frame.line(30, QStringLiteral("Investment Database"));
    frame.line(2, QStringLiteral("Database in memory:") + session.status());
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
    for (int fund = 1; fund <= db.fundCount(); ++fund) {
        frame.line(2, FundName(db, fund));
        ++lines;
        for (int slot = 1; slot <= db.recordCount(); ++slot) {
            const FundRecord &record = db.record(slot);
            if (record.fundNumber.floorUnits() != fund)
                continue;
            frame.line({{4, ListingTypeName(record.typeCode)},
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
int FundOfArgument(const FundDatabase &db, const QString &text)
{
    bool number = false;
    const int slot = text.toInt(&number);
    if (number)
        return slot >= 1 && slot <= db.fundCount() ? slot : 0;
    for (int fund = 1; fund <= db.fundCount(); ++fund)
        if (FundName(db, fund) == text)
            return fund;
    return 0;
}

// A window's grid as text: cells with their runs of blanks (the heading
// wraps) made one, rows with nothing in them left out, names to the left.
QString GridText(const QList<QStringList> &grid)
{
    QList<QStringList> rows;
    for (const QStringList &row : grid) {
        if (row.join(QString()).trimmed().isEmpty())
            continue;
        QStringList cells;
        for (const QString &cell : row)
            cells << cell.simplified();
        rows << cells;
    }
    return AlignedText(rows, {true});
}

TextTable ValuesTable(const FundDatabase &db)
{
    const MoneyTable &v = db.valueTable();
    const Money whole = v.value(AllRecordsSlot, ValueTotalColumn);
    TextTable rows{{"Fund", "Name", "Shares", "Book Cost", "Price", "Current Total", "Gain or Loss", "Gain or Loss %",
                    "% of Total Value"}};
    auto figures = [&v](int row) {
        return QStringList{v.value(row, ValueSharesColumn).toDecimalText(), v.value(row, ValueBookColumn).toDecimalText(),
                           v.value(row, ValuePriceColumn).toDecimalText(), v.value(row, ValueTotalColumn).toDecimalText(),
                           v.value(row, ValueGainColumn).toDecimalText(), v.value(row, ValuePercentColumn).toDecimalText()};
    };
    for (int f = 1; f <= db.fundCount(); ++f)
        rows << (QStringList{QString::number(f), FundName(db, f)} + figures(f) +
                 QStringList{ShareOfTotal(v.value(f, ValueTotalColumn), whole).toDecimalText()});
    QStringList total = QStringList{QString(), QStringLiteral("Total")} + figures(AllRecordsSlot);
    total[4].clear(); // no price for the whole
    total << Money::fromWhole(100).toDecimalText();
    rows << total;
    return rows;
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

QByteArray ValuesJson(const FundDatabase &db)
{
    const MoneyTable &v = db.valueTable();
    const Money whole = v.value(AllRecordsSlot, ValueTotalColumn);
    QJsonArray funds;
    for (int f = 1; f <= db.fundCount(); ++f) {
        QJsonObject fund = ValueObject(v, f);
        fund.insert(QStringLiteral("number"), f);
        fund.insert(QStringLiteral("name"), FundName(db, f));
        fund.insert(QStringLiteral("price"), v.value(f, ValuePriceColumn).toDecimalText());
        fund.insert(QStringLiteral("share_of_total"), ShareOfTotal(v.value(f, ValueTotalColumn), whole).toDecimalText());
        funds.append(fund);
    }
    const QJsonObject document{{QStringLiteral("funds"), funds}, {QStringLiteral("total"), ValueObject(v, AllRecordsSlot)}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

QJsonObject ListedValueObject(const ListedValue &value)
{
    return {{QStringLiteral("price"), value.price.toDecimalText()},
            {QStringLiteral("value"), value.value.toDecimalText()},
            {QStringLiteral("gain"), value.gain.toDecimalText()},
            {QStringLiteral("gain_percent"), value.gainPercent.toDecimalText()}};
}

// `refused` is the message that refused the current value asked for.
QByteArray ListingJson(const FundDatabase &db, int listed, const ListedValue *current, MessageNumber refused,
                       const QString &today)
{
    QJsonArray funds;
    FundTotals grand;
    const int first = listed == AllRecordsSlot ? 1 : listed;
    const int last = listed == AllRecordsSlot ? db.fundCount() : listed;
    for (int f = first; f <= last; ++f) {
        QJsonArray records;
        for (int slot = 1; slot <= db.recordCount(); ++slot) {
            const FundRecord &record = db.record(slot);
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
        const FundTotals t = TotalsOfFund(db, f);
        grand.sharesHeld += t.sharesHeld;
        grand.fees += t.fees;
        grand.divSharesValue += t.divSharesValue;
        grand.cashDividend += t.cashDividend;
        grand.bookCost += t.bookCost;
        QJsonObject fund{{QStringLiteral("number"), f},
                         {QStringLiteral("name"), FundName(db, f)},
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
    if (refused != MsgNone)
        document.insert(QStringLiteral("message"), QJsonObject{{QStringLiteral("number"), refused},
                                                               {QStringLiteral("text"), MessageText(refused, today)}});
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

TextTable ListingTable(const FundDatabase &db, int listed)
{
    TextTable rows{{"Fund", "Name", "Type", "Date", "Price", "Shares", "Fees", "Div. Shares Value", "Cash Dividend",
                    "Book Value"}};
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        const FundRecord &record = db.record(slot);
        const int f = int(record.fundNumber.floorUnits());
        if (listed != AllRecordsSlot && f != listed)
            continue;
        rows << QStringList{QString::number(f), FundName(db, f), record.typeCode, record.date.toString(Qt::ISODate),
                            record.price.toDecimalText(), record.shares.toDecimalText(), record.fees.toDecimalText(),
                            DivSharesValue(record).toDecimalText(), record.cashDividend.toDecimalText(),
                            record.bookValue.toDecimalText()};
    }
    return rows;
}

CommandRun Usage(const QString &problem)
{
    return {ReportUsage, problem};
}

CommandRun Refused(QTextStream &err, const QString &message)
{
    err << message << '\n';
    return {ReportRefused, {}};
}

// Today's prices as --price FUND=PRICE gives them, into the price column.
CommandRun TakePrices(FundDatabase &db, const QStringList &given)
{
    PreparePriceTable(db);
    for (const QString &price : given) {
        const qsizetype equals = price.lastIndexOf(QLatin1Char('='));
        const int fund = equals > 0 ? FundOfArgument(db, price.left(equals)) : 0;
        if (fund == 0)
            return Usage(QStringLiteral("--price '%1' names no fund of the file").arg(price));
        Money value;
        bool read = false;
        try {
            read = Money::fromDecimalText(price.mid(equals + 1).trimmed(), value);
        } catch (const ArithmeticFault &) {
            read = false;
        }
        if (!read || value < Money())
            return Usage(QStringLiteral("--price '%1' is not a price").arg(price));
        db.setPrice(fund, value);
    }
    return {};
}

// The current value table of every fund, as Compute Current Value shows it.
CommandRun ReportValues(FundsSession &session, const AppState &state, ReportOutput &output, QTextStream &err)
{
    FundDatabase &db = session.db();
    if (const int empty = FirstEmptyFund(db); empty != 0) {
        err << MessageText(MsgEmptyFund, state.TodayText, FundName(db, empty)) << '\n';
        return {ReportRefused, {}};
    }
    try {
        if (const MessageNumber message = CollectHoldings(db); message != MsgNone)
            return Refused(err, MessageText(message, state.TodayText));
        ComputeCurrentValues(db);
    } catch (const ArithmeticFault &) {
        return Refused(err, MessageText(MsgWrongEntry, state.TodayText));
    }
    output.text =
        QStringLiteral("Current Value of all Funds\n\n") + GridText(CurrentValueTable(db, state.CurrencySymbol));
    output.table = ValuesTable(db);
    output.json = ValuesJson(db);
    output.printTitle = QStringLiteral("Current Value of all Funds");
    return {};
}

// The record listing of one fund or of all, with the current value of a
// fund that has a price.
CommandRun ReportListing(FundsSession &session, const AppState &state, const QString &which, ReportOutput &output,
                        QTextStream &err)
{
    FundDatabase &db = session.db();
    const int listed = which == QLatin1String("all") ? AllRecordsSlot : FundOfArgument(db, which);
    if (listed == 0)
        return Usage(QStringLiteral("--listing '%1' names no fund of the file").arg(which));
    const Money price = db.price(listed);
    RecordListing shown;
    try {
        shown = ListRecords(db, listed, state.CurrencySymbol);
    } catch (const ArithmeticFault &) {
        return Refused(err, MessageText(MsgWrongEntry, state.TodayText));
    }
    ListedValue current;
    bool priced = listed != AllRecordsSlot && !price.isZero();
    CommandRun run;
    if (priced) {
        try {
            current = ValueOfListedFund(db, price);
        } catch (const ArithmeticFault &) {
            current.message = MsgWrongEntry;
        }
    }
    if (priced && current.message != 0) {
        // As in the window, the listing stays and only its value is refused.
        run = Refused(err, MessageText(current.message, state.TodayText));
        run.keepsOutput = true;
        priced = false;
    } else if (priced) {
        session.ListedValueBlock = ListedValueBlock(current, state.CurrencySymbol);
        // The block stands two rows below the listing, as in the window.
        const QList<QStringList> block = ListedValueRows(current, state.CurrencySymbol);
        for (int i = 0; i < block.size(); ++i) {
            const int row = shown.lastListRow + 2 + i;
            while (shown.rows.size() <= row)
                shown.rows.append(QStringList(8));
            shown.rows[row] = block.at(i);
        }
    }
    output.text = shown.caption + QStringLiteral("\n\n") + GridText(shown.rows);
    output.table = ListingTable(db, listed);
    output.json = ListingJson(db, listed, priced ? &current : nullptr, current.message, state.TodayText);
    output.printTitle = FundName(db, listed);
    const QString symbol = state.CurrencySymbol;
    output.print = [&session, listed, symbol](PrintFrame &frame) {
        PrintFundListing(frame, session.db(), listed, symbol, session.ListedValueBlock);
    };
    return run;
}

// --map, --date-format, --decimal and --types over the first guess.
CommandRun MappingOfOptions(const QCommandLineParser &parser, const CsvTable &table, ImportMapping &mapping)
{
    mapping = GuessMapping(table);
    for (const QString &given : parser.values(QStringLiteral("map"))) {
        const qsizetype equals = given.indexOf(QLatin1Char('='));
        const std::optional<RecordField> field =
            equals > 0 ? RecordFieldOfName(given.left(equals)) : std::optional<RecordField>();
        if (!field)
            return Usage(QStringLiteral("--map '%1' names no field (date, fund, type, shares, price, fees, dividend)")
                             .arg(given));
        const QString heading = given.mid(equals + 1).trimmed();
        int column = -1;
        // FIELD= leaves the field out; else the heading as written, any case.
        if (!heading.isEmpty()) {
            column = int(table.header.indexOf(heading));
            for (int c = 0; c < table.header.size() && column < 0; ++c)
                if (table.header.at(c).compare(heading, Qt::CaseInsensitive) == 0)
                    column = c;
            if (column < 0)
                return Usage(QStringLiteral("--map '%1': the file has no column \"%2\"").arg(given, heading));
        }
        mapping.columns[int(*field)] = column;
    }
    // The formats as the mapped columns read, unless given.
    GuessFormats(table, mapping);
    if (parser.isSet(QStringLiteral("date-format"))) {
        mapping.dateFormat = parser.value(QStringLiteral("date-format"));
        if (!mapping.dateFormat.contains(QLatin1String("yyyy")))
            return Usage(QStringLiteral("--date-format '%1' needs a four-digit year (yyyy)").arg(mapping.dateFormat));
    }
    if (parser.isSet(QStringLiteral("decimal"))) {
        const QString decimal = parser.value(QStringLiteral("decimal"));
        if (decimal != QLatin1String(",") && decimal != QLatin1String("."))
            return Usage(QStringLiteral("--decimal '%1' is neither ',' nor '.'").arg(decimal));
        mapping.decimal = decimal == QLatin1String(",") ? DecimalSeparator::Comma : DecimalSeparator::Point;
    }
    for (const QString &given : parser.values(QStringLiteral("types"))) {
        const qsizetype equals = given.lastIndexOf(QLatin1Char('='));
        const QString word = equals > 0 ? given.left(equals).trimmed() : QString();
        const QString code = given.mid(equals + 1).trimmed().toUpper();
        if (word.isEmpty() || !TypeOfCode(code))
            return Usage(QStringLiteral("--types '%1' is not WORD=CODE with a code B, S, C, D, F or U").arg(given));
        mapping.typeWords.insert(word.toCaseFolded(), code);
    }
    return {};
}

// Reads, checks and adds the records of --import: all of them, or none with
// every refused row told by its line and cell.
CommandRun ImportRecords(FundsSession &session, const QCommandLineParser &parser, QTextStream &err)
{
    const QString path = parser.value(QStringLiteral("import"));
    const CsvReadResult read = ReadCsvFile(path);
    if (!read.table)
        return Refused(err, QStringLiteral("%1: %2").arg(path, read.error));
    ImportMapping mapping;
    if (const CommandRun mapped = MappingOfOptions(parser, *read.table, mapping); mapped.exit != 0)
        return mapped;
    const ImportPlan plan = PlanImport(session.db(), *read.table, mapping);
    for (const ImportProblem &problem : plan.problems)
        err << "line " << problem.line << ", " << RecordFieldName(problem.field) << ": " << problem.reason << '\n';
    if (plan.unlistedProblems > 0)
        err << "and " << plan.unlistedProblems << " more refused rows\n";
    if (!plan.ok() || !session.importRecords(plan))
        return Refused(err, QStringLiteral("%1: nothing was imported").arg(path));
    err << "imported " << plan.records.size() << (plan.records.size() == 1 ? " record" : " records") << " and "
        << plan.newFunds.size() << (plan.newFunds.size() == 1 ? " new fund" : " new funds") << '\n';
    return {};
}

CommandRun ReportFunds(AppState &state, const QCommandLineParser &parser, const QString &format, ReportOutput &output,
                      QTextStream &err)
{
    const QString path = parser.value(QStringLiteral("file"));
    const bool importing = parser.isSet(QStringLiteral("import"));
    if (path.isEmpty() && !importing)
        return Usage(QStringLiteral("--file FILE or --import FILE is needed"));
    const bool values = parser.isSet(QStringLiteral("values"));
    const bool listing = parser.isSet(QStringLiteral("listing"));
    const bool records = parser.isSet(QStringLiteral("records"));
    if (parser.isSet(QStringLiteral("save")) && !importing)
        return Usage(QStringLiteral("--save is for the database an --import made"));
    if (records && (values || listing || format != QLatin1String("csv")))
        return Usage(QStringLiteral("--records is the records as CSV: with --format csv, without --values or --listing"));
    // The printout runs after this returns: the output keeps the session.
    auto session = std::make_shared<FundsSession>();
    if (!path.isEmpty())
        if (const MessageNumber message = session->openFile(path); message != MsgNone)
            return Refused(err, MessageText(message, state.TodayText));
    if (importing)
        if (const CommandRun imported = ImportRecords(*session, parser, err); imported.exit != 0)
            return imported;
    if (parser.isSet(QStringLiteral("sort"))) {
        if (const MessageNumber message = session->sortAll(); message != MsgNone)
            return Refused(err, MessageText(message, state.TodayText));
    }
    if (values && listing)
        return Usage(QStringLiteral("--values and --listing cannot be asked for together"));
    if (const QString target = parser.value(QStringLiteral("save")); !target.isEmpty()) {
        SaveFailure failure;
        if (!session->saveFile(target, &failure)) {
            err << target << ": not saved (" << failure.text << ")\n";
            return {ReportFailed, {}};
        }
    }
    if (records)
        output.csv = ExportRecordsCsv(session->db());
    if (const CommandRun prices = TakePrices(session->db(), parser.values(QStringLiteral("price"))); prices.exit != 0)
        return prices;
    const QString symbol = state.CurrencySymbol;
    CommandRun run;
    if (values) {
        run = ReportValues(*session, state, output, err);
        output.print = [session, symbol](PrintFrame &frame) { PrintValueTable(frame, session->db(), symbol); };
    } else if (listing) {
        run = ReportListing(*session, state, parser.value(QStringLiteral("listing")), output, err);
        output.print = [session, print = output.print](PrintFrame &frame) { print(frame); };
    } else {
        output.text = AsText(*session);
        output.table = AsTable(session->db());
        output.json = AsJson(*session);
        output.printTitle = QStringLiteral("Investment Database");
        output.print = [session](PrintFrame &frame) { PrintDatabase(frame, *session); };
    }
    return run;
}

FieldTable NoFields()
{
    return {};
}

} // namespace

const ReportCommand &FundsCommand()
{
    static const CommandOption options[] = {
        {"file", "FILE", "the database file (required unless --import is given)"},
        {"import", "CSV", "adds the records of a CSV file (all or none) to the file's, or to an empty database"},
        {"map", "FIELD=HEADING", "the column of a record field (date, fund, type, shares, price, fees, dividend); repeat"},
        {"date-format", "FORMAT", "the dates of --import, e.g. dd.MM.yyyy (found when not given)"},
        {"decimal", ",|.", "the decimal separator of --import's figures (found when not given)"},
        {"types", "WORD=CODE", "a type word of --import's file as B, S, C, D, F or U; repeat for each word"},
        {"save", "FILE", "saves the database --import made"},
        {"price", "FUND=PRICE", "today's price of a fund, by name or number; repeat for each fund"},
        {"listing", "all|FUND", "the records of all funds or of one fund, by name or number"},
    };
    static const CommandSwitch switches[] = {
        {"sort", "sort funds and records first"},
        {"records", "every record as CSV (with --format csv), as Export Records writes them"},
        {"values", "the current value of every fund at the prices given"},
    };
    static const QByteArray fullDescription = QByteArray(Description) + ImportDescription;
    static const ReportCommand command{
        .name = "funds",
        .summary = "an investment manager database (.qvs): funds and records",
        .description = fullDescription.constData(),
        .fields = NoFields,
        .switches = switches,
        .open = nullptr,
        .options = options,
        .report = ReportFunds,
    };
    return command;
}
