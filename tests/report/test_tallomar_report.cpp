#include "support/report_program.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

// A table of command lines: the words, any JSON given on standard input, and
// what standard error must say.
void AddCommandColumns()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("says");
}
void CommandRow(const char *name, const char *words, const char *says, const QByteArray &input = {})
{
    QTest::newRow(name) << QString::fromUtf8(words) << input << QString::fromUtf8(says);
}

} // namespace

// Runs tallomar-report as a script would and checks its contract: options,
// formats, exit codes and messages. The figures themselves are the tools'
// core tests' to check.
class TestTallomarReport : public QObject
{
    Q_OBJECT

    static inline ReportProgram s_report;
    using Run = ReportRun;

    static Run run(const QStringList &arguments, const QByteArray &input = {})
    {
        return s_report.run(arguments, input);
    }
    static Run cmd(const char *words, const QByteArray &input = {}) { return s_report.cmd(words, input); }
    static int messageNumber(const Run &r)
    {
        return r.json().value(QStringLiteral("message")).toObject().value(QStringLiteral("number")).toInt();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(s_report.setUp());
    }

    void settingsBesideTheProgramAreRead()
    {
        const QString settings = s_report.filePath(QStringLiteral("bin/Personal.tlm"));
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\"\xC2\xA3\",1,\"Ada\"\r\n");
        file.close();
        const Run r = cmd("growth --format json");
        QFile::remove(settings);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.grid().at(1).at(2), QStringLiteral("£10,000.00"));
    }

    // JSON: the grid as shown (headings first), money in the results as
    // exact decimal strings, and no message when nothing was refused.
    void jsonHoldsGridResultsAndMessage()
    {
        const Run r = cmd("retirement --option percentage --capital 100000 --rate 10 --withdrawal 8 --years 20 "
                          "--format json");
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.isEmpty());
        const QList<QStringList> grid = r.grid();
        QCOMPARE(grid.size(), 23); // headings, 20 years, an empty row and the totals
        QCOMPARE(grid.at(1).at(2), QStringLiteral("8,000.00"));
        QVERIFY(r.json().value(QStringLiteral("message")).isNull());
        const QJsonObject results = r.json().value(QStringLiteral("results")).toObject();
        QCOMPARE(results.value(QStringLiteral("option")).toString(), QStringLiteral("percentage"));
        QCOMPARE(results.value(QStringLiteral("years")).toArray().at(0).toObject().value(QStringLiteral("income")),
                 QJsonValue(QStringLiteral("8000.0000")));
    }

    // CSV is for spreadsheets: the headings on one row, plain numbers with
    // no symbol and no grouping, percentages as numbers.
    void csvHasPlainNumbers()
    {
        const Run r = run({"growth", "--cost", "2000", "--value=1000", "--name", QString(), "--currency", "€",
                           "--format=csv"});
        QCOMPARE(r.code, 0);
        const QStringList lines = QString::fromUtf8(r.out).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(0), QStringLiteral("Name of Investment,Term in Years,Cost of Investment,"
                                             "Current or Future Value,Annual Compound,Total Gain/Loss"));
        QCOMPARE(lines.at(1), QStringLiteral(",5,2000.00,1000.00,-12.945,-50.00"));
    }

    // The printout as text: the header line typed, pages parted by form feeds.
    void reportIsThePrintout()
    {
        const QByteArray thirteen = "[" + QByteArrayList(13, R"({"name": "Investment"})").join(',') + "]";
        const Run r = cmd("growth --input - --format report --header Thirteen", thirteen);
        QCOMPARE(r.code, 0);
        const QStringList pages = QString::fromUtf8(r.out).split(QLatin1Char('\f'));
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages.at(0).split(QLatin1Char('\n')).at(1), QStringLiteral(" Thirteen"));
        QVERIFY(pages.at(1).contains(QStringLiteral(" Investment\n")));
    }

    void pdfOfThePlan()
    {
        const QString path = s_report.filePath(QStringLiteral("plan.pdf"));
        const Run r = run({"savings", "--frequency", "Monthly", "--years", "40", "--format", "pdf", "--out", path});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QCOMPARE(QDir(s_report.folder()).entryList({QStringLiteral("plan.pdf*")}, QDir::Files | QDir::Hidden).size(), 1);
    }

    // A refused press is told with its place among the presses; what the
    // presses before it showed is still the output, as in the window. The
    // 23rd of any number of investments passes the limit.
    void aRefusedPressKeepsThePressesBefore_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("says");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("number");
        QTest::newRow("second press too large")
            << "growth" << QByteArray(R"([{"cost":"1000","value":"2000"},{"cost":"1000","value":"999999999999999"}])")
            << "input 2 of 2: Wrong or missing entry, try again." << 2 << 3;
        QTest::newRow("a hundred thousand presses") << "growth" << "[" + QByteArrayList(100000, "{}").join(',') + "]"
                                                    << "input 23 of 100000: Limit is 22 entries." << 23 << 6;
    }
    void aRefusedPressKeepsThePressesBefore()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, input);
        QFETCH(QString, says);
        QFETCH(int, rows);
        QFETCH(int, number);
        const Run r = run({command, "--input", "-", "--format", "json"}, input);
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err.trimmed(), says);
        QCOMPARE(r.grid().size(), rows);
        QCOMPARE(r.json().value(QStringLiteral("results")).toArray().size(), rows - 1);
        QCOMPARE(messageNumber(r), number);
    }

    // Figures go from the text typed (or the JSON number written) straight to
    // money, with as many decimals as their boxes take: a savings plan's
    // first cell, and its total invested as an exact decimal.
    void figuresAreReadExactly()
    {
        const auto read = [](const QStringList &arguments, const QByteArray &input = {}) {
            const Run r = run(QStringList{"savings", "--amount", "0", "--rate", "0", "--years", "1", "--format", "json"} +
                                  arguments,
                              input);
            const QJsonObject results = r.json().value(QStringLiteral("results")).toObject();
            return QStringList{r.grid().value(1).value(1), results.value(QStringLiteral("total_invested")).toString()};
        };
        const QStringList json{"--input", "-"};
        QCOMPARE(read(json, R"({"lump-sum": 1.2345E+3})"), (QStringList{"1,234.50", "1234.5000"}));
        QCOMPARE(read(json, R"({"lump-sum": 1E-2})"), (QStringList{".01", "0.0100"}));
        QCOMPARE(read(json, R"({"lump-sum": 123456789012345.67})"),
                 (QStringList{"123,456,789,012,345.67", "123456789012345.6700"}));
        QCOMPARE(read({"--lump-sum", "1234.56"}), (QStringList{"1,234.56", "1234.5600"}));
    }

    // What the window refuses with a message is exit 3 with that message on
    // standard error, and no printout; as JSON, the message and the headings,
    // no results never worked out.
    void refusals_data()
    {
        AddCommandColumns();
        CommandRow("growth over 50 years", "growth --years 51", "Wrong entry, 50 Years limit.");
        CommandRow("retirement beyond the capital", "retirement --option fixed --capital 1000 --withdrawal 100",
                   "Cannot withdraw Annually");
        CommandRow("JSON 1e308", "growth --input -", "Wrong or missing entry", R"({"cost": 1e308})");
        CommandRow("JSON 1e15 above money", "growth --input -", "Wrong or missing entry", R"({"value": 1e15})");
    }
    void refusals()
    {
        QFETCH(QString, words);
        QFETCH(QByteArray, input);
        QFETCH(QString, says);
        const Run r = cmd(qPrintable(words + QStringLiteral(" --format report")), input);
        QCOMPARE(r.code, 3);
        QVERIFY2(r.err.contains(says), qPrintable(r.err));
        QVERIFY2(r.err.count(QLatin1Char('\n')) <= 2, qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        const Run json = cmd(qPrintable(words + QStringLiteral(" --format json")), input);
        QCOMPARE(json.code, 3);
        QVERIFY(messageNumber(json) > 0);
        QVERIFY(json.json().value(QStringLiteral("results")).isNull());
        QCOMPARE(json.grid().size(), 1);
    }

    // Options may take a single dash; help is asked for, not a usage error:
    // exit 0, on standard output.
    void singleDashOptionsAndHelp()
    {
        const Run dash = cmd("growth -cost 5 -format csv");
        QCOMPARE(dash.code, 0);
        QVERIFY2(dash.out.contains(",5,5.00,20000.00,"), dash.out.constData());
        const Run help = cmd("savings --help");
        QCOMPARE(help.code, 0);
        QVERIFY2(help.out.contains("--lump-sum"), help.out.constData());
    }

    // Whatever comes in that is no command line or no figure is exit 2 with
    // one clear message: never a crash, never success with half an output.
    // A figure takes the decimals its box lets a user type, no more: the
    // table would show it rounded while the sums used every digit.
    void usageErrors_data()
    {
        AddCommandColumns();
        CommandRow("unknown option", "growth --colour red", "colour");
        CommandRow("not a number", "growth --cost 12a", "not a number");
        CommandRow("negative cost", "growth --cost -5", "negative");
        CommandRow("fraction of a year", "savings --years 2.5", "whole");
        CommandRow("not a frequency", "savings --frequency Weekly", "Annually, Quarterly, Monthly");
        CommandRow("unknown command", "nosuchtool", "unknown command");
        CommandRow("no command", "", "Usage");
        CommandRow("pdf without a file", "growth --format pdf", "--out");
        CommandRow("unknown format", "growth --format xml", "xml");
        CommandRow("cost, third decimal", "growth --cost 12.345", "growth: --cost: takes at most 2 decimals: 12.345");
        CommandRow("cost, a third zero", "growth --cost 1000.000",
                   "growth: --cost: takes at most 2 decimals: 1000.000");
        CommandRow("rate, fourth decimal", "mortgage --rate 10.1255",
                   "mortgage: --rate: takes at most 3 decimals: 10.1255");
        const char *json = "growth --input -";
        CommandRow("not JSON", json, "JSON", "{cost: 1");
        CommandRow("unknown key", json, "price", R"({"price": 1})");
        CommandRow("empty list", json, "nothing", "[]");
        CommandRow("JSON, third decimal", json, "--cost: takes at most 2 decimals: 1500.125",
                   R"([{"cost": 1000}, {"cost": 1500.125}])");
        CommandRow("JSON exponent, fourth decimal", "savings --input -", "--lump-sum: takes at most 2 decimals: 0.0001",
                   R"({"lump-sum": 1E-4})");
        CommandRow("minus zero cost", json, "negative", R"({"cost": -0})");
        CommandRow("huge exponent", json, "not a number", R"({"cost": 1e999999})");
        CommandRow("deeply nested", json, "not JSON", QByteArray(100000, '[') + QByteArray(100000, ']'));
        CommandRow("empty", "savings --input -", "not JSON");
        CommandRow("a boolean", json, "number or a text", R"({"cost": true})");
        CommandRow("over 4 MB", json, "4 MB", QByteArray(5 * 1024 * 1024, ' '));
    }
    void usageErrors()
    {
        QFETCH(QString, words);
        QFETCH(QByteArray, input);
        QFETCH(QString, says);
        const Run r = run(words.split(QLatin1Char(' '), Qt::SkipEmptyParts), input);
        QCOMPARE(r.code, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains(says), qPrintable(r.err));
        // A bad command line may add the usage; bad input is one message.
        if (words.contains(QLatin1String("--input")))
            QVERIFY2(r.err.count(QLatin1Char('\n')) <= 2, qPrintable(r.err));
    }

    void fullOutputIsAFailure()
    {
        QFile full(QStringLiteral("/dev/full"));
        if (!full.exists())
            QSKIP("no /dev/full here");
        QProcess process;
        process.setStandardOutputFile(full.fileName());
        process.start(s_report.program(), {QStringLiteral("growth"), QStringLiteral("--format"), QStringLiteral("json")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains(QStringLiteral("cannot write")));
    }

    // The options left out take the window's opening figures; each press
    // reads its figures with its own option's fields, and what it leaves out
    // takes that option's opening figures, as choosing it in the window does.
    void leftOutOptionsTakeTheOpeningFigures()
    {
        const Run typed = cmd("401k --balance 10000 --salary 50000 --contribution 5 --company 4 --raise 4 --return 10 "
                              "--inflation 0 --years 25 --format json");
        QCOMPARE(typed.code, 0);
        QCOMPARE(cmd("401k --format json").out, typed.out);
        const Run income = cmd("capital --option income --format json");
        QCOMPARE(income.code, 0);
        QCOMPARE(income.grid(), cmd("capital --option income --amount 40000 --format json").grid());

        const Run mixed = cmd("retirement --input - --format json",
                              R"([{"option": "percentage"}, {"option": "fixed", "increase": 3}])");
        QCOMPARE(mixed.code, 0);
        QCOMPARE(mixed.grid(), cmd("retirement --option fixed --increase 3 --format json").grid());
    }
};

QTEST_GUILESS_MAIN(TestTallomarReport)
#include "test_tallomar_report.moc"
