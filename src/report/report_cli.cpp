#include "report/report_cli.h"
#include "shell/core/message_numbers.h"

#include "report/report_command.h"
#include "shell/core/app_state.h"
#include "shell/core/data_places.h"
#include "shell/core/message_texts.h"
#include "shell/print/page_print_job.h"
#include "shell/core/personal_settings.h"
#include "shell/print/print_frame.h"
#include "shell/core/safe_save.h"
#include "shell/core/table_text.h"
#include "shell/print/text_print_job.h"
#include "shell/core/tool_session.h"
#include "shell/core/unattended_dialogs.h"

#include <algorithm>

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <map>

namespace {

const QStringList Formats = {QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json"),
                             QStringLiteral("report"), QStringLiteral("pdf")};
constexpr qint64 MaxInputSize = 4 * 1024 * 1024;
// Exponents beyond this give figures no field takes; they are left as typed.
constexpr int MaxExponent = 400;

// One press of Calculate: the text of every field that has an option.
using Press = std::map<QString, QString>;

struct UsageError
{
    QString text;
};

// A wrong argument to a command, told with where to find the right ones.
QString UsageText(const QString &command, const QString &problem)
{
    return QStringLiteral("tallomar-report %1: %2\nRun 'tallomar-report %1 --help' for the options.\n")
        .arg(command, problem);
}

// What a run leaves: the grid as the window shows it, the numbers behind
// it, and the message the window would have shown for a refused press.
struct Result
{
    QList<QStringList> grid; // row 0: the headings
    QJsonValue results;
    MessageNumber message = MsgNone;
    int refusedPress = 0; // 1-based; 0 when none was refused
    // Refused before any figure could be shown: the first press, or a press
    // that emptied the table.
    bool nothingShown = false;
};

QString ProgramHelp()
{
    QString text;
    QTextStream help(&text);
    help << "Usage: tallomar-report COMMAND [OPTIONS]\n"
            "\n"
            "Tallomar's calculators without the windows: the same tables and printouts, for scripts and\n"
            "spreadsheets.\n"
            "\n"
            "Commands:\n";
    qsizetype width = 0;
    for (const ReportCommand *command : ReportCommands())
        width = std::max<qsizetype>(width, qstrlen(command->name));
    for (const ReportCommand *command : ReportCommands())
        help << "  " << QString::fromLatin1(command->name).leftJustified(width + 2) << command->summary << "\n";
    help << "\n"
            "Run 'tallomar-report COMMAND --help' for the options of a command, 'tallomar-report\n"
            "--help-all' for those of every command, 'tallomar-report --version' for the version.\n"
            "\n"
            "Exit status: 0 done, 2 wrong arguments, 3 a calculation was refused (the message is\n"
            "printed on standard error), 1 the output could not be written.\n";
    return text;
}

QString CommandHelp(const ReportCommand &command)
{
    QString text;
    QTextStream help(&text);
    help << "Usage: tallomar-report " << command.name << " [OPTIONS]\n\n" << command.description << "\n\n";
    bool inputs = false;
    for (const FieldDescription &field : command.fields()) {
        if (!field.option)
            continue;
        if (!inputs)
            help << "Inputs (the window's starting figure when left out):\n";
        inputs = true;
        help << QStringLiteral("  --%1 VALUE").arg(QLatin1String(field.option)).leftJustified(24) << field.help
             << " [" << field.start << "]\n";
    }
    // Not "Options:": the manual page would take that for the program's own.
    if (!inputs)
        help << "Command options:\n";
    for (const CommandOption &option : command.options)
        help << QStringLiteral("  --%1 %2")
                    .arg(QLatin1String(option.name), QLatin1String(option.valueName))
                    .leftJustified(24)
             << option.help << "\n";
    for (const CommandSwitch &option : command.switches)
        help << QStringLiteral("  --%1").arg(QLatin1String(option.name)).leftJustified(24) << option.help << "\n";
    help << "\nCommon options:\n";
    if (command.open)
        help << "  --input FILE            JSON object of the inputs above (same names), or an array of such\n"
                "                          objects, one per Calculate; - reads standard input\n";
    help << "  --format FORMAT         text (default), csv (plain numbers for spreadsheets), json, report\n"
            "                          (the printout as text, pages separated by form feeds) or pdf (the\n"
            "                          printout; needs --out)\n"
            "  --out FILE              write to FILE instead of standard output\n"
            "  --currency SYMBOL       currency symbol (otherwise from the settings file)\n"
            "  --header TEXT           header line of the printout\n"
            "  --help                  this text\n";
    return text;
}

const ReportCommand *FindCommand(const QString &name)
{
    for (const ReportCommand *command : ReportCommands())
        if (name == QLatin1String(command->name))
            return command;
    return nullptr;
}

// Appends a JSON number as plain decimal text, exactly as written: "1e-05"
// gives "0.00001", "-2.5E3" gives "-2500". A token of any other form, or with
// an exponent past MaxExponent, goes as it is, for the figure's own check to
// refuse. Scanned by hand and written in place: this runs once per figure.
void AppendPlainDecimal(QByteArray &out, QByteArrayView token)
{
    const auto digitsFrom = [&token](qsizetype at) {
        while (at < token.size() && token[at] >= '0' && token[at] <= '9')
            ++at;
        return at;
    };
    const bool minus = token.startsWith('-');
    const qsizetype wholeStart = minus ? 1 : 0;
    const qsizetype wholeEnd = digitsFrom(wholeStart);
    const QByteArrayView whole = token.sliced(wholeStart, wholeEnd - wholeStart);
    QByteArrayView fraction;
    qsizetype at = wholeEnd;
    bool plain = !whole.isEmpty();
    if (plain && at < token.size() && token[at] == '.') {
        const qsizetype fractionEnd = digitsFrom(at + 1);
        fraction = token.sliced(at + 1, fractionEnd - at - 1);
        plain = !fraction.isEmpty();
        at = fractionEnd;
    }
    int exponent = 0;
    if (plain && at < token.size() && (token[at] == 'e' || token[at] == 'E')) {
        const bool negative = at + 1 < token.size() && token[at + 1] == '-';
        if (at + 1 < token.size() && (token[at + 1] == '-' || token[at + 1] == '+'))
            ++at;
        const qsizetype exponentEnd = digitsFrom(at + 1);
        plain = exponentEnd > at + 1 && exponentEnd - at - 1 <= 6;
        for (qsizetype i = at + 1; plain && i < exponentEnd; ++i)
            exponent = exponent * 10 + (token[i] - '0');
        exponent = negative ? -exponent : exponent;
        at = exponentEnd;
    }
    if (!plain || at != token.size() || exponent > MaxExponent || exponent < -MaxExponent) {
        out += token;
        return;
    }
    const qsizetype digits = whole.size() + fraction.size();
    const qsizetype point = whole.size() + exponent;
    if (minus)
        out += '-';
    if (point <= 0) {
        out += "0.";
        out.append(-point, '0');
    }
    for (qsizetype i = 0; i < digits; ++i) {
        if (i == point && point > 0)
            out += '.';
        out += i < whole.size() ? whole[i] : fraction[i - whole.size()];
    }
    if (point > digits)
        out.append(point - digits, '0');
}

// JSON whose numbers are turned into strings of their exact decimal text,
// so that no figure passes through a double.
QByteArray QuoteNumbers(const QByteArray &json)
{
    QByteArray out;
    out.reserve(json.size() + json.size() / 4);
    bool inString = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json.at(i);
        if (inString) {
            out += c;
            if (c == '\\' && i + 1 < json.size())
                out += json.at(++i);
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
            out += c;
            continue;
        }
        if (c == '-' || (c >= '0' && c <= '9')) {
            qsizetype end = i;
            while (end < json.size() && QByteArrayView("+-.eE0123456789").contains(json.at(end)))
                ++end;
            out += '"';
            AppendPlainDecimal(out, QByteArrayView(json).sliced(i, end - i));
            out += '"';
            i = end - 1;
            continue;
        }
        out += c;
    }
    return out;
}

QString JsonText(const QString &key, const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    // A table (the net worth sheets) goes to its input as JSON text.
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
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
    // A pipe gives its bytes in pieces: read until its end.
    QByteArray bytes;
    char buffer[65536];
    while (bytes.size() <= MaxInputSize) {
        const qint64 got = file.read(buffer, sizeof buffer);
        if (got < 0)
            throw UsageError{QStringLiteral("cannot read ") + path};
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    if (bytes.size() > MaxInputSize)
        throw UsageError{QStringLiteral("the input is larger than 4 MB")};
    return bytes;
}

// The presses of Calculate the inputs ask for, each with only the inputs
// given (options, then the JSON element's); `list` tells whether the input
// was a list. The JSON comes from --input's file or standard input, or from
// `given` when the caller holds it in memory.
QList<Press> ReadPresses(const QCommandLineParser &parser, FieldTable fields, bool &list, const QByteArray *given)
{
    Press base;
    for (const FieldDescription &field : fields) {
        if (!field.option)
            continue;
        const QString key = QLatin1String(field.option);
        if (parser.isSet(key))
            base[key] = parser.value(key);
    }
    QList<Press> presses;
    list = false;
    if (!parser.isSet(QStringLiteral("input"))) {
        presses.append(base);
        return presses;
    }
    const QByteArray bytes = given ? *given : ReadInput(parser.value(QStringLiteral("input")));
    if (bytes.size() > MaxInputSize)
        throw UsageError{QStringLiteral("the input is larger than 4 MB")};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QuoteNumbers(bytes), &error);
    if (document.isNull())
        throw UsageError{QStringLiteral("the input is not JSON: ") + error.errorString()};
    QJsonArray elements;
    if (document.isArray()) {
        list = true;
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
            if (!FindOption(fields, it.key()))
                throw UsageError{QStringLiteral("unknown input \"%1\"").arg(it.key())};
            press[it.key()] = JsonText(it.key(), it.value());
        }
        presses.append(press);
    }
    return presses;
}

// The text of every field for one press: the option it chooses first, so
// that the figures left out are the chosen option's own opening figures.
// Checks each the way the field's key filter would take it when typed.
Press Complete(ToolSession &session, const Press &given)
{
    if (const char *control = session.optionControl()) {
        const FieldDescription *choice = FindField(session.fields(), control);
        const QString key = choice && choice->option ? QLatin1String(choice->option) : QString();
        const auto word = given.find(key);
        if (word != given.end() && !session.chooseOption(word->second))
            throw UsageError{QStringLiteral("--%1: must be one of %2: %3")
                                 .arg(key, choice->items.join(QStringLiteral(", ")), word->second)};
    }
    Press press;
    for (const FieldDescription &field : session.fields()) {
        if (!field.option)
            continue;
        const QString key = QLatin1String(field.option);
        const auto it = given.find(key);
        const QString text = it != given.end() ? it->second : QLatin1String(field.start);
        const QString problem = CheckFieldText(field, text);
        if (!problem.isEmpty())
            throw UsageError{QStringLiteral("--%1: ").arg(key) + problem};
        press[key] = text;
    }
    return press;
}

// Gives one press's figures to the fields as typing them would, then
// presses Calculate. Returns the message of a refusal, or MsgNone.
MessageNumber PressCalculate(ToolSession &session, const Press &given, QList<QStringList> &grid)
{
    const Press press = Complete(session, given);
    FieldTexts texts;
    for (const FieldDescription &field : session.fields()) {
        const QString text = field.option ? press.at(QLatin1String(field.option)) : QLatin1String(field.start);
        if (field.slot < 0) {
            texts.insert(QLatin1String(field.control), text);
            continue;
        }
        Money value;
        try {
            value = LeadingMoney(text, field.allowMinus);
        } catch (const ArithmeticFault &) {
            return MsgWrongEntry; // more digits than money holds, as a typed figure
        }
        // There is no field to set back to its limit: the figure is refused.
        if (AboveLimit(field, value))
            return field.limitMessage;
        if (session.data().InputValues.size() <= field.slot)
            session.data().InputValues.resize(field.slot + 1);
        session.data().InputValues[field.slot] = value;
    }
    const Outcome<GridUpdate> outcome = session.press(texts);
    if (!outcome.ok())
        return outcome.message();
    ApplyGridUpdate(grid, outcome.value());
    return MsgNone;
}

Result Run(ToolSession &session, const QList<Press> &presses)
{
    Result result;
    result.grid = GridTexts(session.gridLayout());
    for (int i = 0; i < presses.size(); ++i) {
        // As in the window, Calculate first empties a table that the next
        // result replaces, so a refused press leaves no stale rows.
        if (session.keptRows() == 0) {
            GridUpdate clear;
            clear.clearBody = true;
            ApplyGridUpdate(result.grid, clear);
        }
        result.message = PressCalculate(session, presses.at(i), result.grid);
        if (result.message != 0) {
            result.refusedPress = i + 1;
            break;
        }
    }
    // The window's empty rows below the last figures are not output.
    while (result.grid.size() > 1 &&
           std::all_of(result.grid.last().cbegin(), result.grid.last().cend(),
                       [](const QString &cell) { return cell.isEmpty(); }))
        result.grid.removeLast();
    result.nothingShown = result.message != 0 && (result.refusedPress == 1 || result.grid.size() <= 1);
    // Figures nobody was shown are no results (a sheet that could not be
    // read has no net worth of 0).
    if (!result.nothingShown)
        result.results = session.results();
    return result;
}

QString Simplified(const QString &heading)
{
    return heading.simplified();
}

// A column of names reads from the left, a column of figures from the right:
// a column is names when a body cell in it is not a figure.
QString AsText(const QList<QStringList> &grid, const QString &currencySymbol)
{
    QList<QStringList> rows = grid;
    QList<bool> names;
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c) {
            if (r == 0)
                rows[0][c] = Simplified(rows.at(0).at(c));
            const QString &cell = rows.at(r).at(c);
            if (names.size() <= c)
                names.append(c == 0);
            if (r > 0 && !cell.trimmed().isEmpty() && PlainFigure(cell, currencySymbol) == cell &&
                !cell.contains(QLatin1Char('/')))
                names[c] = names[c] || std::any_of(cell.cbegin(), cell.cend(), [](QChar ch) { return ch.isLetter(); });
        }
    return AlignedText(rows, names);
}

QString AsJson(const Result &result, const AppState &state)
{
    QJsonArray grid;
    for (const QStringList &row : result.grid)
        grid.append(QJsonArray::fromStringList(row));
    QJsonValue message;
    if (result.message != 0)
        message = QJsonObject{{QStringLiteral("number"), result.message},
                              {QStringLiteral("text"), MessageText(result.message, state.TodayText)},
                              {QStringLiteral("press"), result.refusedPress}};
    const QJsonObject document{
        {QStringLiteral("grid"), grid}, {QStringLiteral("results"), result.results}, {QStringLiteral("message"), message}};
    return QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

// Why an output file could not be written: the numbered message a window
// would show for the reason, else the reason itself.
QString WhyNotWritten(const SaveFailure &failure)
{
    const MessageNumber message = SaveProblemMessage(failure.problem);
    return message != MsgNone ? MessageText(message, QString()) : failure.text;
}

// Writes all of it or nothing; failure says what went wrong.
bool WriteOut(const QString &path, const QByteArray &bytes, QTextStream &out, SaveFailure &failure)
{
    if (path.isEmpty()) {
        out << QString::fromUtf8(bytes);
        out.flush();
        return out.status() == QTextStream::Ok;
    }
    return SaveFileWhole(path, bytes, &failure);
}

ReportExit CannotWrite(const QString &path, const SaveFailure &failure, QTextStream &err)
{
    const QString why = WhyNotWritten(failure);
    err << "tallomar-report: cannot write " << (path.isEmpty() ? QStringLiteral("standard output") : path)
        << (why.isEmpty() ? QString() : QStringLiteral(": ") + why) << '\n';
    return ReportFailed;
}

// Writes the output, or says on the error stream where it could not.
ReportExit WriteBytes(const QString &path, const QByteArray &bytes, QTextStream &out, QTextStream &err)
{
    SaveFailure failure;
    if (WriteOut(path, bytes, out, failure))
        return ReportOk;
    return CannotWrite(path, failure, err);
}

// The printout as a PDF file (made in memory and saved whole, so an existing
// file stays as it was until the new one is complete) or as text.
ReportExit WritePrintout(AppState &state, const QCommandLineParser &parser, const QString &format,
                         const QString &title, const std::function<void(PrintFrame &)> &body, QTextStream &out,
                         QTextStream &err)
{
    UnattendedDialogs dialogs;
    dialogs.lines << parser.value(QStringLiteral("header"));
    const QString outPath = parser.value(QStringLiteral("out"));
    if (format == QLatin1String("pdf")) {
        PdfPrinter printer(outPath);
        if (!RunPrintout(state, dialogs, printer, title, body))
            return CannotWrite(outPath, printer.saveFailure(), err);
        return ReportOk;
    }
    TextPrinter printer;
    RunPrintout(state, dialogs, printer, title, body);
    QByteArray bytes;
    if (!printer.jobs.isEmpty())
        bytes = (printer.jobs.first().toText() + QLatin1Char('\n')).toUtf8();
    return WriteBytes(outPath, bytes, out, err);
}

// A command that is not a calculator, its arguments parsed: the command
// makes its output and it is written in the format asked for.
int RunOther(const ReportCommand &command, const QCommandLineParser &parser, const QString &format, AppState &state,
             QTextStream &out, QTextStream &err)
{
    ReportOutput output;
    const CommandRun run = command.report(state, parser, format, output, err);
    if (run.exit == ReportUsage) {
        err << UsageText(QLatin1String(command.name), run.problem);
        return ReportUsage;
    }
    if (run.exit != ReportOk && !run.keepsOutput)
        return run.exit;
    const QString outPath = parser.value(QStringLiteral("out"));
    QByteArray bytes;
    if (format == QLatin1String("text")) {
        bytes = output.text.toUtf8();
    } else if (format == QLatin1String("csv")) {
        bytes = output.csv.isEmpty() ? TableAsCsv(output.table, state.CurrencySymbol).toUtf8() : output.csv;
    } else if (format == QLatin1String("json")) {
        bytes = output.json;
    } else {
        const ReportExit printed = WritePrintout(state, parser, format, output.printTitle, output.print, out, err);
        return printed != ReportOk ? printed : run.exit;
    }
    const ReportExit written = WriteBytes(outPath, bytes, out, err);
    return written != ReportOk ? written : run.exit;
}

} // namespace

std::span<const ReportCommand *const> ReportCommands()
{
    static const ReportCommand *const commands[] = {
        &GrowthCommand(),
        &SavingsCommand(),
        &RetirementCommand(),
        &Plan401KCommand(),
        &CapitalCommand(),
        &NetWorthCommand(),
        &MortgageCommand(),
        &FundsCommand(),
    };
    return commands;
}

QString AlignedText(const QList<QStringList> &rows, const QList<bool> &leftColumns)
{
    QList<int> widths;
    for (const QStringList &row : rows)
        for (int c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths.append(0);
            widths[c] = std::max<int>(widths[c], int(row.at(c).size()));
        }
    QString text;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (int c = 0; c < row.size(); ++c)
            cells << (leftColumns.value(c) ? row.at(c).leftJustified(widths[c]) : row.at(c).rightJustified(widths[c]));
        QString line = cells.join(QStringLiteral("  "));
        while (!line.isEmpty() && line.back().isSpace())
            line.chop(1);
        text += line;
        text += QLatin1Char('\n');
    }
    return text;
}

bool WantsPdf(const QStringList &arguments)
{
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--format=pdf") || arguments.at(i) == QLatin1String("-format=pdf"))
            return true;
        if ((arguments.at(i) == QLatin1String("--format") || arguments.at(i) == QLatin1String("-format")) &&
            arguments.value(i + 1) == QLatin1String("pdf"))
            return true;
    }
    return false;
}

// A command line parsed, and the personal settings read, once: what every
// run of it starts from. A command line that ends before any run (help, the
// version, a usage error) keeps what it writes and its exit code instead.
struct ReportLine::Parsed
{
    QString name;
    const ReportCommand *command = nullptr;
    FieldTable fields;
    QCommandLineParser parser;
    QString format;
    QString outPath;
    SettingsState settings;
    int end = -1;
    QString endOut;
    QString endErr;

    int usage(const QString &problem)
    {
        endErr = UsageText(name, problem);
        return end = ReportUsage;
    }
    int parse(const QStringList &arguments, const QString &programDir);
    // The settings as read, with the currency the command line names and today's date.
    void startState(AppState &state) const
    {
        static_cast<SettingsState &>(state) = settings;
        state.TodayText = Format(QDate::currentDate(), QStringLiteral("Short Date"));
    }
};

int ReportLine::Parsed::parse(const QStringList &arguments, const QString &programDir)
{
    name = arguments.value(0);
    if (name.isEmpty() || name == QLatin1String("--help") || name == QLatin1String("-h")) {
        (name.isEmpty() ? endErr : endOut) = ProgramHelp();
        return end = name.isEmpty() ? ReportUsage : ReportOk;
    }
    if (name == QLatin1String("--version")) {
        endOut = QStringLiteral("tallomar-report " TALLOMAR_VERSION "\n");
        return end = ReportOk;
    }
    if (name == QLatin1String("--help-all")) {
        endOut = ProgramHelp();
        // Each command under its own *name* line, which help2man makes a
        // section of the manual page: no command's options read as another's.
        for (const ReportCommand *each : ReportCommands())
            endOut += QStringLiteral("\n*tallomar-report %1*\n\n").arg(QLatin1String(each->name)) + CommandHelp(*each);
        return end = ReportOk;
    }
    command = FindCommand(name);
    if (!command) {
        endErr = QStringLiteral("tallomar-report: unknown command '%1'\n\n").arg(name) + ProgramHelp();
        return end = ReportUsage;
    }
    fields = command->fields();

    // Single-dash long options (-cost 5) work as well as --cost 5, for every option.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const FieldDescription &field : fields)
        if (field.option)
            parser.addOption({QLatin1String(field.option), QLatin1String(field.help), QStringLiteral("VALUE")});
    for (const CommandOption &option : command->options)
        parser.addOption({QLatin1String(option.name), QLatin1String(option.help), QLatin1String(option.valueName)});
    for (const CommandSwitch &option : command->switches)
        parser.addOption({QLatin1String(option.name), QLatin1String(option.help)});
    if (command->open)
        parser.addOption({QStringLiteral("input"), QStringLiteral("JSON input"), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("format"), QStringLiteral("output format"), QStringLiteral("FORMAT"),
                      QStringLiteral("text")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("output file"), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("currency"), QStringLiteral("currency symbol"), QStringLiteral("SYMBOL")});
    parser.addOption({QStringLiteral("header"), QStringLiteral("printout header"), QStringLiteral("TEXT")});
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("help")});

    if (!parser.parse(QStringList{QStringLiteral("tallomar-report")} + arguments.mid(1)))
        return usage(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        endOut = CommandHelp(*command);
        return end = ReportOk;
    }
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    format = parser.value(QStringLiteral("format"));
    if (!Formats.contains(format))
        return usage(QStringLiteral("unknown format '%1' (text, csv, json, report or pdf)").arg(format));
    outPath = parser.value(QStringLiteral("out"));
    if (format == QLatin1String("pdf") && outPath.isEmpty())
        return usage(QStringLiteral("--format pdf needs --out FILE"));

    AppState state;
    LoadPersonalSettings(state, SettingsFileToRead(programDir));
    if (parser.isSet(QStringLiteral("currency")))
        state.CurrencySymbol = parser.value(QStringLiteral("currency")).trimmed().left(2);
    settings = state;
    return end;
}

ReportLine::ReportLine(const QStringList &arguments, const QString &programDir)
    : m_parsed(std::make_unique<Parsed>())
{
    m_parsed->parse(arguments, programDir);
}

ReportLine::~ReportLine() = default;

int ReportLine::run(QTextStream &out, QTextStream &err, const QByteArray *input)
{
    Parsed &line = *m_parsed;
    if (line.end >= 0) {
        out << line.endOut;
        err << line.endErr;
        return line.end;
    }
    const ReportCommand *command = line.command;
    const QCommandLineParser &parser = line.parser;
    const QString &outPath = line.outPath;
    const QString &format = line.format;
    auto usage = [&](const QString &problem) {
        err << UsageText(line.name, problem);
        return ReportUsage;
    };
    AppState state;
    line.startState(state);
    if (command->report)
        return RunOther(*command, parser, format, state, out, err);
    if (command->checkOptions)
        if (const QString problem = command->checkOptions(parser); !problem.isEmpty())
            return usage(problem);

    QList<Press> presses;
    bool list = false;
    try {
        presses = ReadPresses(parser, line.fields, list, input);
    } catch (const UsageError &error) {
        return usage(error.text);
    }

    std::unique_ptr<ToolSession> session = command->open(state, parser, list);
    // Every press is checked before the first is calculated: a wrong
    // argument gives no output at all.
    try {
        for (const Press &press : presses)
            Complete(*session, press);
    } catch (const UsageError &error) {
        return usage(error.text);
    }
    // The check chose options: the run starts from a freshly opened tool.
    session.reset();
    session = command->open(state, parser, list);
    const Result result = Run(*session, presses);
    if (result.message != 0) {
        if (list)
            err << "input " << result.refusedPress << " of " << presses.size() << ": ";
        err << MessageText(result.message, state.TodayText) << '\n';
    }

    // An earlier output is kept when there is nothing to put in its place.
    if (result.nothingShown && !outPath.isEmpty())
        return ReportRefused;
    QByteArray bytes;
    if (format == QLatin1String("text"))
        bytes = AsText(result.grid, state.CurrencySymbol).toUtf8();
    else if (format == QLatin1String("csv"))
        bytes = TableAsCsv(result.grid, state.CurrencySymbol).toUtf8();
    else if (format == QLatin1String("json"))
        bytes = AsJson(result, state).toUtf8();
    else {
        // A refused calculation prints nothing, as the window would not.
        if (result.message != 0)
            return ReportRefused;
        // Nothing calculated is nothing to print: the window's message 1.
        if (session->printNeedsResult() && session->data().ResultCount == 0) {
            err << MessageText(MsgNoDataToPrint, state.TodayText) << '\n';
            return ReportRefused;
        }
        auto body = [&session](PrintFrame &frame) { session->print(frame); };
        return WritePrintout(state, parser, format, session->printTitle(), body, out, err);
    }
    if (const ReportExit written = WriteBytes(outPath, bytes, out, err); written != ReportOk)
        return written;
    return result.message != 0 ? ReportRefused : ReportOk;
}

int RunReport(const QStringList &arguments, const QString &programDir, QTextStream &out, QTextStream &err)
{
    return ReportLine(arguments, programDir).run(out, err);
}

int RunReport(const QStringList &arguments, const QString &programDir, QTextStream &out, QTextStream &err,
              const QByteArray &input)
{
    return ReportLine(arguments, programDir).run(out, err, &input);
}
