#include "support/report_program.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

// tallomar-report networth, run as a script would, against the statement
// the window shows.
class TestNetWorthReport : public QObject
{
    Q_OBJECT

    ReportProgram m_report;
    using Run = ReportRun;

    Run run(const QStringList &arguments, const QByteArray &input = {}) const
    {
        return m_report.run(QStringList{QStringLiteral("networth"), QStringLiteral("--currency"), QStringLiteral("$")} +
                            arguments,
                            input);
    }
    Run cmd(const char *words, const QByteArray &input = {}) const
    {
        return run(QString::fromUtf8(words).split(QLatin1Char(' ')), input);
    }

    static constexpr const char *WorkedSheet =
        R"({"assets": [["House", 150000], ["Car", 12000], ["Sub Total"], ["Savings", 5000]],
            "liabilities": [["Mortgage", 90000.5], [null, 70]]})";

private slots:
    void initTestCase()
    {
        QVERIFY(m_report.setUp());
        auto write = [this](const char *name, QByteArray rows) {
            for (int r = 0; r < 29; ++r)
                rows += ",,,\r\n";
            QFile file(m_report.filePath(QLatin1String(name)));
            return file.open(QIODevice::WriteOnly) && file.write(rows) == rows.size();
        };
        QVERIFY(write("house.qvw", "2,0\r\n\"House\",150000,,\r\n\"Sub Total\",150000,,\r\n"));
        QVERIFY(write("overdraft.qvw", "2,0\r\n\"Cash\",25000,,\r\n\"Overdraft\",-1300.5,,\r\n"));
    }

    void theWorkedSheetAsJson()
    {
        const Run r = cmd("--input - --format json", WorkedSheet);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        // The sums are worked in test_networth_sheet: here the grid's size and
        // the results as exact decimals.
        const QList<QStringList> grid = r.grid();
        QCOMPARE(grid.value(7), (QStringList{"Net Worth", "$76,999.50", "", ""}));
        QCOMPARE(grid.size(), 8);
        const QJsonObject results = r.json().value(QStringLiteral("results")).toObject();
        QCOMPARE(results.value(QStringLiteral("net_worth")).toString(), QStringLiteral("76999.5000"));
        QCOMPARE(results.value(QStringLiteral("liabilities")).toArray().size(), 1); // the nameless row went
    }

    void aFileInEveryFormat_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        // The liabilities' names read from the left, as the assets' do.
        QTest::newRow("text, names from the left") << "house.qvw" << "text" << "$150,000.00  Total Liabilities   $0.00\n";
        QTest::newRow("text, no spaces at line ends") << "house.qvw" << "text" << "\nSub Total      150,000.00\n";
        QTest::newRow("csv") << "house.qvw" << "csv" << "Total Assets,150000.00,Total Liabilities,0.00\r\n";
        QTest::newRow("report") << "house.qvw" << "report" << " Sub Total                   150,000.00\n";
        // A file may hold an amount below zero: it counts, so it is shown.
        QTest::newRow("below zero, text") << "overdraft.qvw" << "text" << "Overdraft      -1,300.50";
        QTest::newRow("below zero, report") << "overdraft.qvw" << "report" << " Overdraft                    -1,300.50\n";
    }
    void aFileInEveryFormat()
    {
        QFETCH(QString, file);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        const Run r = run({QStringLiteral("--file"), file, QStringLiteral("--format"), format});
        QCOMPARE(r.code, 0);
        QVERIFY2(QString::fromUtf8(r.out).contains(expected), r.out.constData());
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("message");
        const QString fileNotFound =
            QStringLiteral("File not found or wrong format. Check Filename and/or Directory.\n");
        QTest::newRow("not a net worth file") << QStringList{"--file", "bin/tallomar-report"} << QByteArray()
                                              << fileNotFound;
        QTest::newRow("a negative amount") << QStringList{"--input", "-"}
                                           << QByteArray(R"({"assets": [["Debt", -5]]})")
                                           << "Wrong or missing entry, try again.\n";
        QTest::newRow("three decimals") << QStringList{"--input", "-"}
                                        << QByteArray(R"({"assets": [["Cash", 1.005]]})")
                                        << "Wrong or missing entry, try again.\n";
        QByteArray many = "{\"liabilities\": [";
        for (int r = 0; r < 31; ++r)
            many += QByteArray(r ? "," : "") + "[\"L\", 1]";
        QTest::newRow("31 rows") << QStringList{"--input", "-"} << many + "]}" << "30 Row limit.\n";
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, message);
        const Run r = run(arguments + QStringList{QStringLiteral("--format"), QStringLiteral("report")}, input);
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err, message);
        QCOMPARE(r.out, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestNetWorthReport)
#include "test_networth_report.moc"
