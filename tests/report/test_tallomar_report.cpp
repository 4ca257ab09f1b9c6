#include "support/full_disk.h"
#include "support/report_program.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Runs tallomar-report as a script would and checks what it writes, against
// the same figures the windows show.
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

    // One compound growth investment per element.
    static QByteArray growthSession(int count)
    {
        QJsonArray presses;
        for (int i = 1; i <= count; ++i)
            presses.append(QJsonObject{{QStringLiteral("cost"), 1000 * i},
                                       {QStringLiteral("value"), QStringLiteral("%1.50").arg(2500 * i)},
                                       {QStringLiteral("years"), i},
                                       {QStringLiteral("name"), QStringLiteral("Investment %1").arg(i)}});
        return QJsonDocument(presses).toJson();
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

    void growthDefaultsAsTheWindowShowsThem()
    {
        const Run r = cmd("growth --format json");
        QCOMPARE(r.code, 0);
        const QList<QStringList> grid = r.grid();
        QCOMPARE(grid.size(), 2);
        QCOMPARE(grid.at(0).at(2), QStringLiteral("   Cost of     Investment"));
        QCOMPARE(grid.at(1), (QStringList{"XYZ mutual fund.", "5", "$10,000.00", "$20,000.00", "14.870%", "100.00%"}));
        QVERIFY(r.json().value(QStringLiteral("message")).isNull());
        const QJsonObject first = r.json().value(QStringLiteral("results")).toArray().at(0).toObject();
        QCOMPARE(qRound(first.value(QStringLiteral("annual_rate")).toDouble() * 1e6), 148698);
    }

    void growthOptionsAndCurrency()
    {
        const Run r = run({"growth", "--cost", "2000", "--value=1000", "--name", QString(), "--currency", "€", "--format=csv"});
        QCOMPARE(r.code, 0);
        const QStringList lines = QString::fromUtf8(r.out).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(0), QStringLiteral("Name of Investment,Term in Years,Cost of Investment,"
                                             "Current or Future Value,Annual Compound,Total Gain/Loss"));
        // Plain numbers for a spreadsheet: no symbol, no grouping, percentages as numbers.
        QCOMPARE(lines.at(1), QStringLiteral(",5,2000.00,1000.00,-12.945,-50.00"));
    }

    void thirteenResultsPrintOnTwoPages()
    {
        const Run r = cmd("growth --input - --format report --header Thirteen",
                          growthSession(13));
        QCOMPARE(r.code, 0);
        const QStringList pages = QString::fromUtf8(r.out).split(QLatin1Char('\f'));
        QCOMPARE(pages.size(), 2);
        const QStringList first = pages.at(0).split(QLatin1Char('\n'));
        QCOMPARE(first.at(1), QStringLiteral(" Thirteen"));
        QCOMPARE(first.at(3), QString(26, u' ') + QStringLiteral("Annual Compounding Comparisons"));
        QCOMPARE(first.at(10), QStringLiteral(" Investment 1"));
        QCOMPARE(first.at(11), QStringLiteral("    1           $1,000.00          $2,500.50          150.0500%       150.0500%"));
        QVERIFY(pages.at(0).contains(QStringLiteral(" Investment 12\n")));
        QVERIFY(pages.at(1).startsWith(QStringLiteral("\n\n\n\n\n Investment 13\n")));
    }

    void twentyThirdInvestmentIsRefused()
    {
        const Run r = cmd("growth --input - --format json",
                          growthSession(23));
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err.trimmed(), QStringLiteral("input 23 of 23: Limit is 22 entries."));
        QCOMPARE(r.grid().size(), 23);
        QCOMPARE(r.json().value(QStringLiteral("message")).toObject().value(QStringLiteral("number")).toInt(), 6);
    }

    void fortyYearMonthlyPlan()
    {
        const Run json = cmd("savings --frequency Monthly --amount 100 --years 40 --format json");
        QCOMPARE(json.code, 0);
        const QList<QStringList> grid = json.grid();
        QCOMPARE(grid.size(), 483); // headings, 480 months, an empty row and the totals
        QCOMPARE(grid.at(0).at(0), QStringLiteral(" Month Number"));
        QCOMPARE(grid.at(1), (QStringList{"1", "100.00", "1.53", "101.53"}));
        QCOMPARE(grid.at(481), QStringList(4));
        QCOMPARE(grid.at(482).at(0), QStringLiteral("Total:"));
        QCOMPARE(grid.at(482).at(1), QStringLiteral("$48,000.00"));
        QCOMPARE(json.json().value(QStringLiteral("results")).toObject().value(QStringLiteral("periods")).toArray().size(),
                 480);

        const Run report = cmd("savings --frequency Monthly --amount 100 --years 40 --format report");
        QCOMPARE(report.code, 0);
        const QStringList pages = QString::fromUtf8(report.out).split(QLatin1Char('\f'));
        QCOMPARE(pages.size(), 11);
        for (int p = 1; p < pages.size(); ++p)
            QVERIFY(pages.at(p).contains(QStringLiteral("   Monthly          Investment      Interest/Growth")));
        QVERIFY(pages.last().contains(QStringLiteral(" Total:")));
    }

    void pdfOfThePlan()
    {
        const QString path = s_report.filePath(QStringLiteral("plan.pdf"));
        const Run r = run(QStringList{"savings", "--frequency", "Monthly", "--years", "40", "--format", "pdf", "--out", path});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QVERIFY(!QFile::exists(path + QStringLiteral(".part")));
        if (!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
            QProcess info;
            info.start(QStringLiteral("pdfinfo"), {path});
            info.waitForFinished(20000);
            QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+11"))));
        }
        // A folder that does not exist: nothing is left behind.
        const QString nowhere = s_report.filePath(QStringLiteral("missing/plan.pdf"));
        const Run failed = run(QStringList{"savings", "--format", "pdf", "--out", nowhere});
        QCOMPARE(failed.code, 1);
        QVERIFY(!QFile::exists(nowhere));
    }

    void twentyThreeSavingsScenarios()
    {
        QJsonArray presses;
        for (int e = 1; e <= 23; ++e)
            presses.append(QJsonObject{{QStringLiteral("years"), e}, {QStringLiteral("inflation"), -1}});
        const Run r = cmd("savings --input - --format json",
                          QJsonDocument(presses).toJson());
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err.trimmed(), QStringLiteral("input 23 of 23: Limit is 22 entries."));
        const QList<QStringList> grid = r.grid();
        QCOMPARE(grid.size(), 23);
        QCOMPARE(grid.at(0).at(0), QStringLiteral("Total Period"));
        QCOMPARE(grid.at(1).mid(0, 6), (QStringList{"1", ".00", "1,200.00", "20.00%", ".00%", "-1.00%"}));
        QCOMPARE(grid.at(22).at(0), QStringLiteral("22"));
        QCOMPARE(r.json().value(QStringLiteral("results")).toArray().size(), 22);
    }

    void aRefusedPressKeepsThePressesBefore()
    {
        const Run r = cmd("growth --input - --format json",
                          R"([{"cost":"1000","value":"2000"},{"cost":"1000","value":"999999999999999"}])");
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err.trimmed(), QStringLiteral("input 2 of 2: Wrong or missing entry, try again."));
        const QList<QStringList> grid = r.grid();
        QCOMPARE(grid.size(), 2); // the headings and the first press
        QCOMPARE(grid.at(0).at(4), QStringLiteral("Annual Compound"));
        QCOMPARE(grid.at(1).at(4), QStringLiteral("14.870%"));
        QCOMPARE(r.json().value(QStringLiteral("message")).toObject().value(QStringLiteral("press")).toInt(), 2);
    }

    // Figures go from the text typed (or the JSON number written) straight to money.
    void figuresAreReadExactly_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("cell");     // grid row 1, column 1 of a savings plan
        QTest::addColumn<QString>("invested"); // results: total invested
        QTest::newRow("cents beyond a double") << QStringList{"--lump-sum", "123456789012345.67"} << QByteArray()
                                               << "123,456,789,012,345.67" << "123456789012345.6700";
        QTest::newRow("largest money in cents") << QStringList{"--lump-sum", "922337203685477.58"} << QByteArray()
                                                << "922,337,203,685,477.58" << "922337203685477.5800";
        QTest::newRow("one cent") << QStringList{"--lump-sum", "0.01"} << QByteArray() << ".01" << "0.0100";
        QTest::newRow("JSON exponent") << QStringList{"--input", "-"} << QByteArray(R"({"lump-sum": 1.5e3})")
                                       << "1,500.00" << "1500.0000";
        QTest::newRow("JSON small exponent") << QStringList{"--input", "-"} << QByteArray(R"({"lump-sum": 1E-2})")
                                             << ".01" << "0.0100";
        QTest::newRow("JSON long decimal") << QStringList{"--input", "-"}
                                           << QByteArray(R"({"lump-sum": 123456789012345.67})")
                                           << "123,456,789,012,345.67" << "123456789012345.6700";
    }
    void figuresAreReadExactly()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, cell);
        QFETCH(QString, invested);
        const Run r = run(QStringList{"savings", "--amount", "0", "--rate", "0", "--years", "1", "--format", "json"} +
                              arguments,
                          input);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.grid().at(1).at(1), cell);
        QCOMPARE(r.json().value(QStringLiteral("results")).toObject().value(QStringLiteral("total_invested")).toString(),
                 invested);
    }

    // A figure takes the decimals its box lets a user type, no more: the
    // table would show it rounded while the sums used every digit.
    void figuresTakeTheDecimalsOfTheirBoxes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("problem"); // empty when the figure is taken
        QTest::newRow("cost, third decimal") << QStringList{"growth", "--cost", "12.345"} << QByteArray()
                                             << "--cost: takes at most 2 decimals: 12.345";
        QTest::newRow("cost, two decimals") << QStringList{"growth", "--cost", "1234.56"} << QByteArray() << "";
        QTest::newRow("cost, a third zero") << QStringList{"growth", "--cost", "1000.000"} << QByteArray()
                                            << "--cost: takes at most 2 decimals: 1000.000";
        QTest::newRow("amount, third decimal") << QStringList{"savings", "--amount", "100.129"} << QByteArray()
                                               << "--amount: takes at most 2 decimals: 100.129";
        QTest::newRow("rate, fourth decimal") << QStringList{"mortgage", "--rate", "10.1255"} << QByteArray()
                                              << "--rate: takes at most 3 decimals: 10.1255";
        QTest::newRow("rate, three decimals") << QStringList{"mortgage", "--rate", "10.125"} << QByteArray() << "";
        QTest::newRow("principal, third decimal") << QStringList{"mortgage", "--principal", "100000.555"} << QByteArray()
                                                  << "--principal: takes at most 2 decimals: 100000.555";
        QTest::newRow("loan principal, third decimal") << QStringList{"mortgage", "--loan", "--principal", "20000.005"}
                                                       << QByteArray() << "--principal: takes at most 2 decimals: 20000.005";
        QTest::newRow("largest lump sum") << QStringList{"savings", "--amount", "0", "--rate", "0", "--years", "1", "--lump-sum",
                                                       "922337203685477.58"}
                                          << QByteArray() << "";
        QTest::newRow("JSON, third decimal") << QStringList{"growth", "--input", "-"}
                                             << QByteArray(R"([{"cost": 1000}, {"cost": 1500.125}])")
                                             << "--cost: takes at most 2 decimals: 1500.125";
        QTest::newRow("JSON exponent, fourth decimal") << QStringList{"savings", "--input", "-"}
                                                       << QByteArray(R"({"lump-sum": 1E-4})")
                                                       << "--lump-sum: takes at most 2 decimals: 0.0001";
    }
    void figuresTakeTheDecimalsOfTheirBoxes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, problem);
        const Run r = run(arguments + QStringList{"--format", "csv"}, input);
        if (problem.isEmpty()) {
            QCOMPARE(r.code, 0);
            QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
            return;
        }
        QCOMPARE(r.code, 2);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err.split(QLatin1Char('\n')).first(), QStringLiteral("tallomar-report %1: %2").arg(arguments.first(), problem));
    }

    void limitsAndSingleDashOptions()
    {
        // There is no field to set back to 50: the figure is refused with the field's message.
        const Run above = cmd("growth --years 51");
        QCOMPARE(above.code, 3);
        QCOMPARE(above.err.trimmed(), QStringLiteral("Wrong entry, 50 Years limit."));
        const Run zero = cmd("savings --years 0");
        QCOMPARE(zero.code, 3);
        QCOMPARE(zero.err.trimmed(), QStringLiteral("Wrong or missing entry, try again."));
        const Run dash = cmd("growth -cost 5 -format csv");
        QCOMPARE(dash.code, 0);
        QVERIFY2(dash.out.contains(",5,5.00,20000.00,"), dash.out.constData());
    }

    void refusalsWriteNoPrintout()
    {
        const Run r = cmd("savings --years 41 --format report");
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err.trimmed(), QStringLiteral("Wrong entry, 40 Years limit."));
        QVERIFY(r.out.isEmpty());
        const Run zero = cmd("growth --cost 0");
        QCOMPARE(zero.code, 3);
        QCOMPARE(zero.err.trimmed(), QStringLiteral("Wrong or missing entry, try again."));
    }

    void wrongArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("says");
        QTest::newRow("unknown option") << QStringList{"growth", "--colour", "red"} << QByteArray() << "colour";
        QTest::newRow("not a number") << QStringList{"growth", "--cost", "12a"} << QByteArray() << "not a number";
        QTest::newRow("negative cost") << QStringList{"growth", "--cost", "-5"} << QByteArray() << "negative";
        QTest::newRow("fraction of a year") << QStringList{"savings", "--years", "2.5"} << QByteArray() << "whole";
        QTest::newRow("not a frequency") << QStringList{"savings", "--frequency", "Weekly"} << QByteArray()
                                         << "Annually, Quarterly, Monthly";
        QTest::newRow("unknown command") << QStringList{"nosuchtool"} << QByteArray() << "unknown command";
        QTest::newRow("no command") << QStringList{} << QByteArray() << "Usage";
        QTest::newRow("pdf without a file") << QStringList{"growth", "--format", "pdf"} << QByteArray() << "--out";
        QTest::newRow("unknown format") << QStringList{"growth", "--format", "xml"} << QByteArray() << "xml";
        QTest::newRow("not JSON") << QStringList{"growth", "--input", "-"} << QByteArray("{cost: 1") << "JSON";
        QTest::newRow("unknown key") << QStringList{"growth", "--input", "-"} << QByteArray("{\"price\": 1}")
                                     << "price";
        QTest::newRow("empty list") << QStringList{"growth", "--input", "-"} << QByteArray("[]") << "nothing";
    }
    void wrongArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, says);
        const Run r = run(arguments, input);
        QCOMPARE(r.code, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains(says), qPrintable(r.err));
    }

    // Whatever comes in, the answer is a refusal or a usage error with one
    // clear message: never a crash, never success with half an output.
    void badInputs_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("says");
        const QByteArray many = "[" + QByteArrayList(100000, "{}").join(',') + "]";
        QTest::newRow("NaN") << "growth" << QByteArray(R"({"cost": NaN})") << 2 << "not JSON";
        QTest::newRow("infinity") << "growth" << QByteArray(R"({"cost": -Infinity})") << 2 << "not JSON";
        QTest::newRow("1e308") << "growth" << QByteArray(R"({"cost": 1e308})") << 3 << "Wrong or missing entry";
        QTest::newRow("1e15 above money") << "growth" << QByteArray(R"({"value": 1e15})") << 3 << "Wrong or missing";
        QTest::newRow("1e-7 is no cost") << "growth" << QByteArray(R"({"cost": 1e-7})") << 2 << "2 decimals";
        QTest::newRow("minus zero cost") << "growth" << QByteArray(R"({"cost": -0})") << 2 << "negative";
        QTest::newRow("huge exponent") << "growth" << QByteArray(R"({"cost": 1e999999})") << 2 << "not a number";
        QTest::newRow("a hundred thousand presses") << "growth" << many << 3 << "input 23 of 100000";
        QTest::newRow("deeply nested") << "growth" << QByteArray(100000, '[') + QByteArray(100000, ']') << 2
                                       << "not JSON";
        QTest::newRow("invalid UTF-8") << "growth" << QByteArray("{\"name\": \"\xff\xfe\"}") << 2 << "not JSON";
        QTest::newRow("empty") << "savings" << QByteArray() << 2 << "not JSON";
        QTest::newRow("binary") << "savings" << QByteArray("\x7f" "ELF\x02\x01\x01\x00\x00", 9) << 2 << "not JSON";
        QTest::newRow("a boolean") << "growth" << QByteArray(R"({"cost": true})") << 2 << "number or a text";
        QTest::newRow("over 4 MB") << "growth" << QByteArray(5 * 1024 * 1024, ' ') << 2 << "4 MB";
    }
    void badInputs()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, input);
        QFETCH(int, code);
        QFETCH(QString, says);
        const Run r = run({command, "--input", "-", "--format", "json"}, input);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(says), qPrintable(r.err));
        QVERIFY2(r.err.count(QLatin1Char('\n')) <= 2, qPrintable(r.err));
        if (code == 2)
            QVERIFY(r.out.isEmpty());
        else // a refusal still shows the headings and the message, as JSON a script can read
            QCOMPARE(r.json().value(QStringLiteral("message")).toObject().value(QStringLiteral("number")).toInt(),
                     r.err.contains(QStringLiteral("Limit")) ? 6 : 3);
    }

    // On a full disk an existing report, PDF or text, stays as it was and
    // the command says it failed.
    void aFullDiskKeepsTheOldReport_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("pdf") << "pdf";
        QTest::newRow("report") << "report";
        QTest::newRow("csv") << "csv";
    }
    void aFullDiskKeepsTheOldReport()
    {
        QFETCH(QString, format);
        const QString path = s_report.filePath(QStringLiteral("kept.") + format);
        const QStringList arguments = {"savings", "--frequency", "Monthly", "--years", "40", "--format", format, "--out", path};
        QCOMPARE(run(arguments).code, 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        QVERIFY(before.size() > 8192);
        Run failed;
        {
            const FullDisk disk(4096); // inherited by the program
            failed = run(arguments);
        }
        QCOMPARE(failed.code, 1);
        QVERIFY2(failed.err.contains(QStringLiteral("cannot write")), qPrintable(failed.err));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        // No half-written file is left beside it.
        QCOMPARE(QDir(s_report.folder()).entryList({QStringLiteral("kept.") + format + u'*'}, QDir::Files).size(), 1);
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

    void help_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("names"); // what the help must name
        QTest::newRow("all") << "" << "growth savings 401k capital retirement";
        QTest::newRow("savings") << "savings"
                                 << "--lump-sum --amount --frequency --rate --increase --inflation --years --compare "
                                    "--input --format";
        QTest::newRow("401k") << "401k" << "--balance --salary --contribution --company --raise --return --inflation --years";
        QTest::newRow("capital") << "capital" << "--option --amount --rate --term";
        QTest::newRow("retirement") << "retirement" << "--option --capital --rate --withdrawal --years --increase";
    }
    void help()
    {
        QFETCH(QString, command);
        QFETCH(QString, names);
        const Run r = cmd(qPrintable(QString(command + QStringLiteral(" --help")).trimmed()));
        QCOMPARE(r.code, 0);
        for (const QString &name : names.split(QLatin1Char(' ')))
            QVERIFY2(r.out.contains(name.toUtf8()), qPrintable(name));
    }
    void plan401kAsTheWindowShowsIt()
    {
        const Run r = cmd("401k --balance 10000 --salary 50000 --contribution 5 --company 4 --raise 4 --return 10 "
                          "--inflation 0 --years 25 --format json");
        QCOMPARE(r.code, 0);
        const QList<QStringList> grid = r.grid();
        QCOMPARE(grid.size(), 29); // the grid's empty last rows are left out
        QCOMPARE(grid.at(0).at(2), QStringLiteral(" Combined Contributions"));
        QCOMPARE(grid.at(1), (QStringList{"", "", "", "", "10,000.00"}));
        QCOMPARE(grid.at(2), (QStringList{"1", "50,000.00", "4,500.00", "1,450.00", "15,950.00"}));
        QCOMPARE(grid.at(28), (QStringList{"Total:", "", "$197,406.58", "$584,872.23", "$782,278.81"}));
        const QJsonObject results = r.json().value(QStringLiteral("results")).toObject();
        const QJsonObject first = results.value(QStringLiteral("years")).toArray().at(0).toObject();
        QCOMPARE(first.value(QStringLiteral("value")).toString(), QStringLiteral("15950.0000"));
        QCOMPARE(results.value(QStringLiteral("final_value")).toString(), QStringLiteral("782278.8099"));
        // The options left out take the window's starting figures.
        QCOMPARE(cmd("401k --format json").out, r.out);

        const Run csv = cmd("401k --balance 0 --years 2 --format csv");
        QCOMPARE(csv.code, 0);
        const QStringList lines = QString::fromUtf8(csv.out).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(1), QStringLiteral("1,50000.00,4500.00,450.00,4950.00"));
        QCOMPARE(lines.at(2), QStringLiteral("2,52000.00,4680.00,963.00,10593.00"));

        const Run over = cmd("401k --years 51 --format report");
        QCOMPARE(over.code, 3);
        QCOMPARE(over.err.trimmed(), QStringLiteral("Wrong entry, 50 Years limit."));
        QVERIFY(over.out.isEmpty());
        const Run fault = cmd("401k --return 900000000 --years 50 --format json");
        QCOMPARE(fault.code, 3);
        QCOMPARE(fault.err.trimmed(), QStringLiteral("Wrong or missing entry, try again."));
        QVERIFY(fault.json().value(QStringLiteral("results")).isNull());
        const Run negative = cmd("401k --inflation -3");
        QCOMPARE(negative.code, 2);

        const Run report = run({"401k", "--years", "50", "--format", "report", "--header", "Fifty years"});
        QCOMPARE(report.code, 0);
        QCOMPARE(report.out.count('\f'), 1);
        QVERIFY(report.out.contains(" Total:                   $697,001.86      $9,575,351.01    $10,272,352.86"));
    }

    void capitalWorkedFigures_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("capital");
        QTest::addColumn<QString>("payment");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("finalValue");
        QTest::newRow("capital at 15%") << "capital" << "100000" << "15" << "100000.0000" << "408.6437" << "408.64"
                                        << "100,000.00";
        QTest::newRow("capital at 20%") << "capital" << "100000" << "20" << "100000.0000" << "176.5607" << "176.56"
                                        << "100,000.00";
        QTest::newRow("income at 15%") << "income" << "40000" << "15" << "266666.6667" << "1089.7165" << "1,089.72"
                                       << "266,666.67";
    }
    void capitalWorkedFigures()
    {
        QFETCH(QString, option);
        QFETCH(QString, amount);
        QFETCH(QString, rate);
        QFETCH(QString, capital);
        QFETCH(QString, payment);
        QFETCH(QString, shown);
        QFETCH(QString, finalValue);
        const Run r = run({"capital", "--option", option, "--amount", amount, "--rate", rate, "--term", "25", "--format", "json"});
        QCOMPARE(r.code, 0);
        const QList<QStringList> grid = r.grid();
        QCOMPARE(grid.size(), 28); // headings, 25 years, an empty row, the totals
        QCOMPARE(grid.at(0).at(0), QStringLiteral("Year Number"));
        QCOMPARE(grid.at(1).at(1), shown);
        QCOMPARE(grid.at(25).at(3), finalValue);
        QCOMPARE(grid.at(26), QStringList(4));
        QCOMPARE(grid.at(27).at(3), QLatin1Char('$') + finalValue);
        const QJsonObject results = r.json().value(QStringLiteral("results")).toObject();
        QCOMPARE(results.value(QStringLiteral("capital")).toString(), capital);
        QCOMPARE(results.value(QStringLiteral("annual_investment")).toString(), payment);
        const QJsonArray years = results.value(QStringLiteral("years")).toArray();
        QCOMPARE(years.size(), 25);
        QCOMPARE(years.at(0).toObject().value(QStringLiteral("invested")).toString(), payment);
        QCOMPARE(results.value(QStringLiteral("final_value")).toString(), capital);
    }

    void capitalRefusalsAndPrintout()
    {
        const Run zero = cmd("capital --option income --rate 0 --format json");
        QCOMPARE(zero.code, 3);
        QVERIFY(zero.err.contains(QStringLiteral("Wrong or missing entry")));
        QCOMPARE(zero.json().value(QStringLiteral("message")).toObject().value(QStringLiteral("number")).toInt(), 3);
        QVERIFY(zero.json().value(QStringLiteral("results")).isNull());
        QCOMPARE(zero.grid().size(), 1);
        const Run noPrintout = cmd("capital --option income --rate 0 --format report");
        QCOMPARE(noPrintout.code, 3);
        QVERIFY(noPrintout.out.isEmpty());

        const Run years = cmd("capital --term 51");
        QCOMPARE(years.code, 3);
        QVERIFY(years.err.contains(QStringLiteral("50 Years limit")));
        const Run option = cmd("capital --option pension");
        QCOMPARE(option.code, 2);
        QVERIFY(option.err.contains(QStringLiteral("capital, income")));

        const Run report = run({"capital", "--term", "50", "--format", "report", "--header", "Fifty years"});
        QCOMPARE(report.code, 0);
        const QString text = QString::fromUtf8(report.out);
        QCOMPARE(text.count(QLatin1Char('\f')), 1);
        QVERIFY(text.contains(QStringLiteral("Page 1 \f")));
        QVERIFY(text.contains(QStringLiteral(" Fifty years\n")));
        QVERIFY(text.contains(QStringLiteral("\n  50                     12.05            13,043.48            100,000.00\n")));
    }

    // The retirement command: both options, the worked figures as exact
    // decimal strings, the options' own refusals and exit codes.
    void retirement()
    {
        const Run percentage =
            cmd("retirement --option percentage --capital 100000 --rate 10 --withdrawal 8 --years 20 --format json");
        QCOMPARE(percentage.code, 0);
        QCOMPARE(percentage.grid().at(1), (QStringList{"1", "10,000.00", "8,000.00", "102,000.00"}));
        QCOMPARE(percentage.grid().at(22), (QStringList{"Total:", "$242,973.63", "$194,378.83", "$148,594.66"}));
        const QJsonObject results = percentage.json().value(QStringLiteral("results")).toObject();
        QCOMPARE(results.value(QStringLiteral("option")).toString(), QStringLiteral("percentage"));
        const QJsonObject first = results.value(QStringLiteral("years")).toArray().at(0).toObject();
        QCOMPARE(first.value(QStringLiteral("income")).toString(), QStringLiteral("8000.0000"));
        QCOMPARE(first.value(QStringLiteral("interest")).toString(), QStringLiteral("10000.0001"));
        QCOMPARE(first.value(QStringLiteral("value")).toString(), QStringLiteral("102000.0000"));
        QCOMPARE(results.value(QStringLiteral("total_income")).toString(), QStringLiteral("194378.8300"));

        const Run fixed = cmd("retirement --option fixed --capital 100000 --rate 10 --withdrawal 1000 --increase 3 --format json");
        QCOMPARE(fixed.code, 0);
        QCOMPARE(fixed.grid().at(13), (QStringList{"13", "157.95", "7,217.07", ".00"}));
        QCOMPARE(fixed.json().value(QStringLiteral("results")).toObject().value(QStringLiteral("total_income")),
                 QJsonValue(QStringLiteral("177521.4263")));

        const Run years = cmd("retirement --years 51");
        QCOMPARE(years.code, 3);
        QVERIFY(years.err.contains(QStringLiteral("50 Years limit")));
        const Run more = cmd("retirement --option fixed --capital 1000 --withdrawal 100 --format report");
        QCOMPARE(more.code, 3);
        QVERIFY(more.out.isEmpty());
        QVERIFY(more.err.contains(QStringLiteral("Cannot withdraw Annually")));
        const Run unknown = cmd("retirement --option monthly");
        QCOMPARE(unknown.code, 2);
        // Each press reads its figures with its own option's fields, and what it
        // leaves out takes that option's opening figures, as choosing the
        // option in the window shows them.
        const Run mixed = cmd("retirement --input - --format json",
                              R"([{"option": "percentage"}, {"option": "fixed", "increase": 3}])");
        QCOMPARE(mixed.code, 0);
        const Run fixedDefaults = cmd("retirement --option fixed --increase 3 --format json");
        QCOMPARE(fixedDefaults.code, 0);
        QCOMPARE(mixed.grid(), fixedDefaults.grid());
        // The same for the capital planner's income option: the income it opens with.
        const Run income = cmd("capital --option income --format json");
        const Run typed = cmd("capital --option income --amount 40000 --format json");
        QCOMPARE(income.code, 0);
        QCOMPARE(income.grid(), typed.grid());
        // A refused press after a good one leaves no table behind, as the window.
        const Run refused = cmd("savings --input - --format json",
                                R"({"years": 0})");
        QCOMPARE(refused.code, 3);
        QCOMPARE(refused.grid().size(), 1);
        const Run later = cmd("capital --input - --format json",
                              R"([{"option": "capital"}, {"option": "income", "rate": 0}])");
        QCOMPARE(later.code, 3);
        QCOMPARE(later.grid().size(), 1);
        QCOMPARE(fixedDefaults.grid().at(1), (QStringList{"1", "9,459.47", "12,000.00", "97,459.47"}));

        const Run page = cmd("retirement --years 50 --format report --header Fifty");
        QCOMPARE(page.code, 0);
        QCOMPARE(page.out.count('\f'), 1);
    }
};

QTEST_GUILESS_MAIN(TestTallomarReport)
#include "test_tallomar_report.moc"
