#include "report/report_cli.h"

#include "growth/compound_growth.h"
#include "report/report_fields.h"
#include "savings/savings_plan.h"
#include "shell/app_state.h"
#include "shell/message_texts.h"
#include "shell/page_print_job.h"
#include "shell/personal_settings.h"
#include "shell/print_frame.h"
#include "shell/text_print_job.h"
#include "shell/unattended_dialogs.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTextStream>

#include <functional>
#include <map>

namespace {

const QStringList Formats = {QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json"),
                             QStringLiteral("report"), QStringLiteral("pdf")};
constexpr qint64 MaxInputSize = 4 * 1024 * 1024;

// One press of Calculate: the text of every field.
using Press = std::map<QString, QString>;

struct UsageError
{
    QString text;
};

// What a run leaves: the grid as the window shows it, the numbers behind
// it, the message the window would show, and how to print it.
struct Result
{
    QList<QStringList> grid; // row 0: the headings
    QJsonValue results;
    int message = 0;
    QString title;
    std::function<void(PrintFrame &)> print;
};

QString ProgramHelp()
{
    return QStringLiteral(
        "Usage: tallomar-report COMMAND [OPTIONS]\n"
        "\n"
        "Tallomar's calculators without the windows: the same tables and printouts, for scripts and\n"
        "spreadsheets.\n"
        "\n"
        "Commands:\n"
        "  growth    annual compound growth of one or more investments\n"
        "  savings   a savings plan, or a comparison of savings plans\n"
        "\n"
        "Run 'tallomar-report COMMAND --help' for the options of a command.\n"
        "\n"
        "Exit status: 0 done, 2 wrong arguments, 3 a calculation was refused (the message is\n"
        "printed on standard error), 1 the output could not be written.\n");
}

QString CommandHelp(const QString &command, const std::vector<ReportField> &fields)
{
    QString text;
    QTextStream help(&text);
    help << "Usage: tallomar-report " << command << " [OPTIONS]\n\n";
    if (command == QLatin1String("growth"))
        help << "The annual compound growth rate and total gain of an investment. With --input, a JSON array\n"
                "of objects compares up to 22 investments, one per element.\n\n";
    else
        help << "A savings plan, period by period, with its totals. With --compare, or with a JSON array as\n"
                "input, each element becomes one line of a comparison of up to 22 plans.\n\n";
    help << "Inputs (the window's starting figure when left out):\n";
    for (const ReportField &field : fields)
        help << QStringLiteral("  --%1 VALUE").arg(QLatin1String(field.key)).leftJustified(24) << field.help
             << " [" << field.defaultText << "]\n";
    if (command == QLatin1String("savings"))
        help << QStringLiteral("  --compare").leftJustified(24) << "compare plans, one line each\n";
    help << "\nCommon options:\n"
            "  --input FILE            JSON object of the inputs above (same names), or an array of such\n"
            "                          objects, one per Calculate; - reads standard input\n"
            "  --format FORMAT         text (default), csv, json, report (the printout as text, pages\n"
            "                          separated by form feeds) or pdf (the printout; needs --out)\n"
            "  --out FILE              write to FILE instead of standard output\n"
            "  --currency SYMBOL       currency symbol (otherwise from the settings file)\n"
            "  --header TEXT           header line of the printout\n"
            "  --help                  this text\n";
    return text;
}

const ReportField *FindField(const std::vector<ReportField> &fields, const QString &key)
{
    for (const ReportField &field : fields)
        if (key == QLatin1String(field.key))
            return &field;
    return nullptr;
}

QString JsonText(const QString &key, const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (number == std::floor(number) && std::abs(number) < 1e15)
            return QString::number(qint64(number));
        return QString::number(number, 'g', 15);
    }
    throw UsageError{QStringLiteral("\"%1\" must be a number or a text").arg(key)};
}

QByteArray ReadInput(const QString &path)
{
    QFile file;
    if (path == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly))
            throw UsageError{QStringLiteral("cannot read standard input")};
    } else {
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly))
            throw UsageError{QStringLiteral("cannot read ") + path};
    }
    const QByteArray bytes = file.read(MaxInputSize + 1);
    if (bytes.size() > MaxInputSize)
        throw UsageError{QStringLiteral("the input is larger than 4 MB")};
    return bytes;
}

// The presses of Calculate the inputs ask for; `many` tells whether the
// input was a list.
QList<Press> ReadPresses(const QCommandLineParser &parser, const std::vector<ReportField> &fields, bool &many)
{
    Press base;
    for (const ReportField &field : fields) {
        const QString key = QLatin1String(field.key);
        base[key] = parser.isSet(key) ? parser.value(key) : QLatin1String(field.defaultText);
    }
    QList<Press> presses;
    many = false;
    if (!parser.isSet(QStringLiteral("input"))) {
        presses.append(base);
    } else {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(ReadInput(parser.value(QStringLiteral("input"))), &error);
        if (document.isNull())
            throw UsageError{QStringLiteral("the input is not JSON: ") + error.errorString()};
        QJsonArray elements;
        if (document.isArray()) {
            many = true;
            elements = document.array();
        } else {
            elements.append(document.object());
        }
        if (elements.isEmpty())
            throw UsageError{QStringLiteral("the input holds nothing to calculate")};
        for (const QJsonValue &element : elements) {
            if (!element.isObject())
                throw UsageError{QStringLiteral("each input must be a JSON object")};
            Press press = base;
            const QJsonObject object = element.toObject();
            for (auto it = object.begin(); it != object.end(); ++it) {
                if (!FindField(fields, it.key()))
                    throw UsageError{QStringLiteral("unknown input \"%1\"").arg(it.key())};
                press[it.key()] = JsonText(it.key(), it.value());
            }
            presses.append(press);
        }
    }
    for (const Press &press : presses) {
        for (const ReportField &field : fields) {
            const QString problem = CheckFieldValue(field, press.at(QLatin1String(field.key)));
            if (!problem.isEmpty())
                throw UsageError{QStringLiteral("--%1: ").arg(QLatin1String(field.key)) + problem};
        }
    }
    return presses;
}

Money Figure(const Press &press, const char *key)
{
    return Money::fromDouble(LeadingNumber(press.at(QLatin1String(key)), true));
}

double Number(Money value)
{
    return value.toDouble();
}

Result RunGrowth(AppState &state, const QList<Press> &presses)
{
    Result result;
    ResetCompoundGrowthTables(state);
    result.grid.append(CompoundGrowthHeadings());
    result.title = QStringLiteral("Annual Compound Growth");
    QJsonArray results;
    for (const Press &press : presses) {
        const auto growth = CalculateCompoundGrowth(Figure(press, "cost"), Figure(press, "value"),
                                                    Figure(press, "years"), state.ResultCount);
        if (!growth.ok()) {
            result.message = growth.message();
            break;
        }
        const QString name = press.at(QStringLiteral("name"));
        result.grid.append(AddCompoundGrowthResult(state, growth.value(), name));
        results.append(QJsonObject{{QStringLiteral("name"), name},
                                   {QStringLiteral("years"), growth->years},
                                   {QStringLiteral("cost"), Number(growth->cost)},
                                   {QStringLiteral("value"), Number(growth->value)},
                                   {QStringLiteral("annual_rate"), growth->rate},
                                   {QStringLiteral("total_gain"), growth->gain}});
    }
    result.results = results;
    result.print = [&state](PrintFrame &frame) { PrintCompoundGrowth(frame, state); };
    return result;
}

SavingsInput SavingsFrom(const Press &press)
{
    SavingsInput input;
    input.lumpSum = Figure(press, "lump-sum");
    input.amount = Figure(press, "amount");
    input.frequency = press.at(QStringLiteral("frequency"));
    input.rate = Figure(press, "rate");
    input.increase = Figure(press, "increase");
    input.inflation = Figure(press, "inflation");
    input.years = Figure(press, "years");
    return input;
}

Result RunSavings(AppState &state, const QList<Press> &presses, bool compare)
{
    Result result;
    ResetSavingsTables(state);
    state.CalcMode = compare ? 2 : 1;
    result.title = QStringLiteral("Savings");
    if (compare)
        result.grid.append(SavingsComparisonHeadings());
    QJsonArray entries;
    for (const Press &press : presses) {
        const SavingsInput input = SavingsFrom(press);
        // The window's years field holds at most 40 years.
        if (input.years > Money::fromWhole(SavingsMaxYears)) {
            result.message = 5;
            break;
        }
        if (compare && state.ResultCount >= SavingsMaxEntries) {
            result.message = 6;
            break;
        }
        const auto plan = CalculateSavings(input);
        if (!plan.ok()) {
            result.message = plan.message();
            break;
        }
        const QList<std::pair<int, Money>> figures = {{1, input.lumpSum}, {2, input.amount},    {4, input.rate},
                                                    {5, input.increase}, {6, input.inflation}, {7, input.years}};
        for (const auto &[index, value] : figures)
            state.InputValues[index] = value;
        if (compare) {
            const int entry = state.ResultCount + 1;
            result.grid.append(StoreSavingsComparison(state, input, plan.value(), entry));
            entries.append(QJsonObject{{QStringLiteral("lump_sum"), Number(input.lumpSum)},
                                       {QStringLiteral("amount"), Number(input.amount)},
                                       {QStringLiteral("frequency"), input.frequency},
                                       {QStringLiteral("rate"), Number(input.rate)},
                                       {QStringLiteral("increase"), Number(input.increase)},
                                       {QStringLiteral("inflation"), Number(input.inflation)},
                                       {QStringLiteral("years"), Number(input.years)},
                                       {QStringLiteral("periods"), plan->periods},
                                       {QStringLiteral("total_invested"), Number(plan->totalInvested)},
                                       {QStringLiteral("final_value"), Number(plan->finalValue)}});
            result.print = [&state](PrintFrame &frame) { PrintSavingsComparisons(frame, state); };
        } else {
            QStringList headings = SavingsPlanningHeadings();
            const QStringList withFrequency = SavingsFrequencyHeadings(input.frequency);
            headings[0] = withFrequency.at(0);
            headings[1] = withFrequency.at(1);
            result.grid = {headings};
            result.grid.append(StoreSavingsPlan(state, plan.value()));
            QJsonArray periods;
            for (int k = 0; k < plan->rows.size(); ++k) {
                const SavingsPeriod &row = plan->rows.at(k);
                periods.append(QJsonObject{{QStringLiteral("period"), k + 1},
                                           {QStringLiteral("invested"), Number(row.invested)},
                                           {QStringLiteral("interest"), Number(row.interest)},
                                           {QStringLiteral("value"), Number(row.value)}});
            }
            result.results = QJsonObject{{QStringLiteral("frequency"), input.frequency},
                                         {QStringLiteral("periods_per_year"), plan->periodsPerYear},
                                         {QStringLiteral("periods"), periods},
                                         {QStringLiteral("total_invested"), Number(plan->totalInvested)},
                                         {QStringLiteral("total_interest"), Number(plan->totalInterest)},
                                         {QStringLiteral("final_value"), Number(plan->finalValue)}};
            const QString frequency = input.frequency;
            const int count = plan->periods;
            result.print = [&state, frequency, count](PrintFrame &frame) {
                PrintSavingsPlan(frame, state, frequency, count);
            };
        }
    }
    if (compare)
        result.results = entries;
    else if (result.results.isUndefined())
        result.results = QJsonValue();
    return result;
}

QString Simplified(const QString &heading)
{
    return heading.simplified();
}

QString AsText(const QList<QStringList> &grid)
{
    QList<int> widths;
    for (const QStringList &row : grid)
        for (int c = 0; c < row.size(); ++c) {
            const QString cell = grid.indexOf(row) == 0 ? Simplified(row.at(c)) : row.at(c);
            if (widths.size() <= c)
                widths.append(0);
            widths[c] = std::max<int>(widths[c], int(cell.size()));
        }
    QString text;
    for (int r = 0; r < grid.size(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.at(r).size(); ++c) {
            const QString cell = r == 0 ? Simplified(grid.at(r).at(c)) : grid.at(r).at(c);
            // Names read from the left, figures from the right.
            cells << (c == 0 ? cell.leftJustified(widths[c]) : cell.rightJustified(widths[c]));
        }
        text += cells.join(QStringLiteral("  ")).trimmed().isEmpty() ? QString() : cells.join(QStringLiteral("  "));
        text += QLatin1Char('\n');
    }
    return text;
}

QString CsvCell(const QString &cell)
{
    if (cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"')) || cell.contains(QLatin1Char('\n')))
        return QLatin1Char('"') + QString(cell).replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
               QLatin1Char('"');
    return cell;
}

QString AsCsv(const QList<QStringList> &grid)
{
    QString text;
    for (int r = 0; r < grid.size(); ++r) {
        QStringList cells;
        for (const QString &cell : grid.at(r))
            cells << CsvCell(r == 0 ? Simplified(cell) : cell);
        text += cells.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text;
}

QString AsJson(const Result &result, const AppState &state)
{
    QJsonArray grid;
    for (const QStringList &row : result.grid)
        grid.append(QJsonArray::fromStringList(row));
    QJsonValue message;
    if (result.message != 0)
        message = QJsonObject{{QStringLiteral("number"), result.message},
                              {QStringLiteral("text"), MessageText(result.message, state.TodayText)}};
    const QJsonObject document{
        {QStringLiteral("grid"), grid}, {QStringLiteral("results"), result.results}, {QStringLiteral("message"), message}};
    return QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

// Writes all of it or nothing.
bool WriteOut(const QString &path, const QByteArray &bytes, QTextStream &out)
{
    if (path.isEmpty()) {
        out << QString::fromUtf8(bytes);
        out.flush();
        return true;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

} // namespace

bool WantsPdf(const QStringList &arguments)
{
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--format=pdf"))
            return true;
        if (arguments.at(i) == QLatin1String("--format") && arguments.value(i + 1) == QLatin1String("pdf"))
            return true;
    }
    return false;
}

int RunReport(const QStringList &arguments, const QString &programDir, QTextStream &out, QTextStream &err)
{
    const QString command = arguments.value(0);
    if (command.isEmpty() || command == QLatin1String("--help") || command == QLatin1String("-h")) {
        (command.isEmpty() ? err : out) << ProgramHelp();
        return command.isEmpty() ? ReportUsage : ReportOk;
    }
    const std::vector<ReportField> *fields = nullptr;
    if (command == QLatin1String("growth"))
        fields = &GrowthFields();
    else if (command == QLatin1String("savings"))
        fields = &SavingsFields();
    else {
        err << "tallomar-report: unknown command '" << command << "'\n\n" << ProgramHelp();
        return ReportUsage;
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const ReportField &field : *fields)
        parser.addOption({QLatin1String(field.key), QLatin1String(field.help), QStringLiteral("VALUE")});
    if (command == QLatin1String("savings"))
        parser.addOption({QStringLiteral("compare"), QStringLiteral("compare plans")});
    parser.addOption({QStringLiteral("input"), QStringLiteral("JSON input"), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("format"), QStringLiteral("output format"), QStringLiteral("FORMAT"),
                      QStringLiteral("text")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("output file"), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("currency"), QStringLiteral("currency symbol"), QStringLiteral("SYMBOL")});
    parser.addOption({QStringLiteral("header"), QStringLiteral("printout header"), QStringLiteral("TEXT")});
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("help")});

    auto usage = [&](const QString &problem) {
        err << "tallomar-report " << command << ": " << problem << "\n"
            << "Run 'tallomar-report " << command << " --help' for the options.\n";
        return ReportUsage;
    };
    if (!parser.parse(QStringList{QStringLiteral("tallomar-report")} + arguments.mid(1)))
        return usage(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        out << CommandHelp(command, *fields);
        return ReportOk;
    }
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    const QString format = parser.value(QStringLiteral("format"));
    if (!Formats.contains(format))
        return usage(QStringLiteral("unknown format '%1' (text, csv, json, report or pdf)").arg(format));
    const QString outPath = parser.value(QStringLiteral("out"));
    if (format == QLatin1String("pdf") && outPath.isEmpty())
        return usage(QStringLiteral("--format pdf needs --out FILE"));

    QList<Press> presses;
    bool many = false;
    try {
        presses = ReadPresses(parser, *fields, many);
    } catch (const UsageError &error) {
        return usage(error.text);
    }

    AppState state;
    LoadPersonalSettings(state, QDir(programDir).filePath(QLatin1String(PersonalSettingsFile)));
    if (parser.isSet(QStringLiteral("currency")))
        state.CurrencySymbol = parser.value(QStringLiteral("currency")).trimmed().left(2);
    state.TodayText = Format(QDate::currentDate(), QStringLiteral("Short Date"));

    Result result;
    try {
        result = command == QLatin1String("growth")
                     ? RunGrowth(state, presses)
                     : RunSavings(state, presses, many || parser.isSet(QStringLiteral("compare")));
    } catch (const ArithmeticFault &) {
        // The calculations report their own faults; this is only a last guard.
        result.message = 3;
    }
    if (result.message != 0)
        err << MessageText(result.message, state.TodayText) << '\n';

    QByteArray bytes;
    if (format == QLatin1String("text"))
        bytes = AsText(result.grid).toUtf8();
    else if (format == QLatin1String("csv"))
        bytes = AsCsv(result.grid).toUtf8();
    else if (format == QLatin1String("json"))
        bytes = AsJson(result, state).toUtf8();
    else {
        // A refused calculation prints nothing, as the window would not.
        if (result.message != 0)
            return ReportRefused;
        UnattendedDialogs dialogs(state);
        dialogs.lines << parser.value(QStringLiteral("header"));
        if (format == QLatin1String("pdf")) {
            // Written beside the target and renamed over it once complete.
            const QString partial = outPath + QStringLiteral(".part");
            PdfPrinter printer(partial);
            const bool printed = RunPrintout(state, dialogs, printer, result.title, result.print);
            QFile::remove(outPath);
            if (!printed || !QFile::rename(partial, outPath)) {
                QFile::remove(partial);
                err << "tallomar-report: cannot write " << outPath << '\n';
                return ReportFailed;
            }
            return ReportOk;
        }
        TextPrinter printer;
        RunPrintout(state, dialogs, printer, result.title, result.print);
        if (!printer.jobs.isEmpty())
            bytes = (printer.jobs.first().toText() + QLatin1Char('\n')).toUtf8();
    }
    if (!WriteOut(outPath, bytes, out)) {
        err << "tallomar-report: cannot write " << outPath << '\n';
        return ReportFailed;
    }
    return result.message != 0 ? ReportRefused : ReportOk;
}
