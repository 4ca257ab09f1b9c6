#include "support/report_program.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

// tallomar-report mortgage, run as a script runs it: the figures of the
// schedule worked by hand, through the command line.
class TestMortgageReport : public QObject
{
    Q_OBJECT

    struct Run : ReportRun
    {
        QJsonObject results() const { return json().value(QStringLiteral("results")).toObject(); }
        QJsonArray rows() const { return results().value(QStringLiteral("rows")).toArray(); }
        QString label(const char *name) const { return results().value(QLatin1String(name)).toString(); }
    };

    ReportProgram m_report;

    Run run(const QStringList &arguments) const
    {
        return Run{m_report.run(QStringList{QStringLiteral("mortgage")} + arguments)};
    }

    QString writeFile(const QString &name, const QByteArray &text) const
    {
        const QString path = m_report.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_report.setUp());
    }

    void schedules_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("labels"); // payment, total paid, savings, time, days
        QTest::addColumn<QStringList>("last");   // interest, principal, balance of the last row

        QTest::newRow("defaults, annual") << QStringList{} << 25
                                          << QStringList{"$917.53", "$275,258.20", "$.00", "25.00", "Normal"}
                                          << QStringList{"580.8037", "10429.5243", "0.0000"};
        QTest::newRow("all payments") << QStringList{"--view", "ALL"} << 300
                                      << QStringList{"$917.53", "$275,258.20", "$.00", "25.00", "Normal"}
                                      << QStringList{"7.6769", "909.8505", "0.0000"};
        QTest::newRow("weekly accelerated, annual keeps the part-year")
            << QStringList{"--frequency", "weekly(acc)"} << 19
            << QStringList{"$229.38", "$220,239.46", "$55,018.74", "18.48", "365"}
            << QStringList{"132.5382", "5405.5273", "0.0000"};
        QTest::newRow("quarterly, 4 periods")
            << QStringList{"--compounding", "Quarterly", "--view", "all"} << 300
            << QStringList{"$911.58", "$273,472.52", "$.00", "25.00", "Normal"}
            << QStringList{"7.5641", "904.0110", "0.0000"};
        QTest::newRow("semiannual compounding") << QStringList{"--compounding", "SEMIANNUAL"} << 25
                                                << QStringList{"$902.91", "$270,873.89", "$.00", "25.00", "Normal"}
                                                << QStringList{"560.2973", "10274.6583", "0.0000"};
        QTest::newRow("biweekly accelerated")
            << QStringList{"--frequency", "Biweekly(Acc)", "--view", "all"} << 482
            << QStringList{"$458.76", "$220,861.40", "$54,396.79", "18.54", "365"}
            << QStringList{"0.7568", "195.3250", "0.0000"};
        QTest::newRow("two weeks at 365 days") << QStringList{"--frequency", "2 Weeks", "--view", "all"} << 638
                                               << QStringList{"$423.47", "$269,924.71", "$5,333.49", "24.54", "365"}
                                               << QStringList{"0.6626", "171.0102", "0.0000"};
        QTest::newRow("two weeks at 364 days")
            << QStringList{"--frequency", "2 weeks", "--days", "364", "--view", "all"} << 644
            << QStringList{"$423.47", "$272,469.52", "$2,788.68", "24.77", "364"}
            << QStringList{"0.6798", "174.9592", "0.0000"};
        QTest::newRow("loan defaults") << QStringList{"--loan", "--view", "all"} << 48
                                       << QStringList{"$508.45", "$24,405.75", "$.00", "48.00", "Normal"}
                                       << QStringList{"4.2542", "504.1989", "0.0000"};
        QTest::newRow("7-month loan") << QStringList{"--loan", "--term", "7", "--view", "all"} << 7
                                      << QStringList{"$2,954.38", "$20,680.67", "$.00", "7.00", "Normal"}
                                      << QStringList{"24.7190", "2929.6626", "0.0000"};
        QTest::newRow("1-month loan") << QStringList{"--loan", "--term", "1"} << 1
                                      << QStringList{"$20,168.75", "$20,168.75", "$.00", "1.00", "Normal"}
                                      << QStringList{"168.7500", "20000.0000", "0.0000"};
        // Savings of 11,295.284988: shown from the double, not its rounding to 11,295.2850.
        QTest::newRow("weekly loan at 100%, semiannual")
            << QStringList{"--loan", "--rate", "100", "--compounding", "semiannual", "--frequency", "1 week", "--view",
                           "all"}
            << 175 << QStringList{"$335.78", "$58,546.50", "$11,295.28", "40.38", "365"}
            << QStringList{"1.8697", "119.2908", "0.0000"};
        QTest::newRow("additional payments")
            << QStringList{"--extra", "2=1000000", "--extra", "5=1000"} << 25
            << QStringList{"$917.53", "$268,283.38", "$6,974.82", "24.33", "Normal"}
            << QStringList{"55.1555", "2980.3537", "0.0000"};
    }

    void schedules()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, rows);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, last);
        const Run r = run(arguments + QStringList{"--format", "json"});
        QCOMPARE(r.code, 0);
        QCOMPARE(int(r.rows().size()), rows);
        QCOMPARE((QStringList{r.label("payment"), r.label("total_paid"), r.label("interest_savings"),
                              r.label("time_to_final_payment"), r.label("days_in_year")}),
                 labels);
        const QJsonObject row = r.rows().last().toObject();
        QCOMPARE((QStringList{row.value("interest").toString(), row.value("principal").toString(),
                              row.value("balance").toString()}),
                 last);
    }

    void additionalPaymentsListTheYearsApplied()
    {
        const Run r = run({"--extra", "2=1000000", "--extra", "5=1000", "--format", "json"});
        QCOMPARE(r.code, 0);
        const QJsonArray applied = r.results().value(QStringLiteral("additional_payments_applied")).toArray();
        QCOMPARE(int(applied.size()), 1);
        QCOMPARE(applied.at(0).toObject().value(QStringLiteral("year")).toInt(), 5);
        const QJsonArray grid = r.json().value(QStringLiteral("grid")).toArray();
        QCOMPARE(grid.last().toArray().at(0).toString(), QStringLiteral("Year    5"));
    }

    void dates()
    {
        const Run r = run({"--view", "all", "--frequency", "Semimonthly", "--dates", "--first-date", "2027-01-15",
                           "--format", "json"});
        QCOMPARE(r.code, 0);
        QStringList dates;
        for (int i = 0; i < 5; ++i)
            dates << r.rows().at(i).toObject().value(QStringLiteral("date")).toString();
        QCOMPARE(dates, (QStringList{"2027-01-15", "2027-01-29", "2027-02-15", "2027-03-01", "2027-03-15"}));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("error");
        QTest::newRow("41 years") << QStringList{"--term", "41"} << 3 << "Wrong entry, 40 Years limit.";
        QTest::newRow("481 months") << QStringList{"--loan", "--term", "481"} << 3 << "Wrong entry, 40 Years limit.";
        QTest::newRow("zero rate") << QStringList{"--rate", "0"} << 3 << "Wrong or missing entry";
        QTest::newRow("zero term") << QStringList{"--term", "0"} << 3 << "Wrong or missing entry";
        QTest::newRow("zero principal") << QStringList{"--principal", "0"} << 3 << "Wrong or missing entry";
        QTest::newRow("zero loan") << QStringList{"--loan", "--principal", "0"} << 3 << "Wrong or missing entry";
        QTest::newRow("unknown compounding") << QStringList{"--compounding", "daily"} << 3 << "Wrong or missing";
        QTest::newRow("unknown days") << QStringList{"--days", "360"} << 3 << "Wrong or missing";
        QTest::newRow("wrong extra") << QStringList{"--extra", "46=100"} << 3 << "Wrong or missing";
        QTest::newRow("not a date") << QStringList{"--first-date", "2027-02-30"} << 3 << "Not a valid date";
        QTest::newRow("missing file") << QStringList{"--file", "/nonexistent/x.umd"} << 3 << "File not found";
        QTest::newRow("term not whole") << QStringList{"--term", "2.5"} << 2 << "--term";
    }

    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, error);
        const Run r = run(arguments + QStringList{"--format", "json"});
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(error), qPrintable(r.err));
    }

    // Every input from a saved file; an option given as well replaces the file's.
    void inputsFromAFile()
    {
        const QString path = m_report.filePath(QStringLiteral("loan.uld"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("15000,8.5,2.5,\"    Quarterly\",\"      Monthly\",\"2027-03-31\",1,1,2,3,1,2,365,\"O\",0\r\n"
                   "1,0\r\n2,2000\r\n3,0\r\n");
        file.close();
        const Run r = run({"--file", path, "--format", "json"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.results().value(QStringLiteral("view")).toString(), QStringLiteral("all"));
        QVERIFY(r.rows().size() < 30);
        QCOMPARE(r.rows().at(1).toObject().value(QStringLiteral("date")).toString(), QStringLiteral("2027-04-30"));
        QCOMPARE(int(r.results().value(QStringLiteral("additional_payments_applied")).toArray().size()), 1);
        const Run annual = run({"--file", path, "--view", "annual", "--format", "json"});
        QCOMPARE(int(annual.rows().size()), 3);
    }

    // A file's term the kind cannot take is the file's fault, not an
    // option's: the message names the file and its term.
    void fileTermNotInTheKindsUnit()
    {
        const QString path = writeFile(QStringLiteral("half.umd"),
                                       "100000,10.125,25.5,\"      Monthly\",\"      Monthly\",\"2027-01-31\",0,1,1,0,0,1,"
                                       "365,\"O\",0\r\n");
        const Run refused = run({"--file", path, "--format", "json"});
        QCOMPARE(refused.code, 2);
        QVERIFY2(!refused.err.contains(QStringLiteral("--term")), qPrintable(refused.err));
        QVERIFY2(refused.err.contains(QStringLiteral("half.umd: the term saved in the file, 25.5 years, is not a whole "
                                                     "number of years (with --loan it is 306 months)")),
                 qPrintable(refused.err));
        // In months it is whole; a --term given replaces it.
        const Run months = run({"--file", path, "--loan", "--view", "all", "--format", "json"});
        QCOMPARE(months.code, 0);
        QCOMPARE(int(months.rows().size()), 306);
        const Run replaced = run({"--file", path, "--term", "20", "--view", "all", "--format", "json"});
        QCOMPARE(replaced.code, 0);
        QCOMPARE(int(replaced.rows().size()), 240);
        // A loan file of 50 months is a loan of 50 payments.
        const QString loan = writeFile(QStringLiteral("car.uld"),
                                       "20000,10.125,4.1667,\"      Monthly\",\"      Monthly\",\"2027-01-31\",0,1,2,0,0,2,"
                                       "365,\"O\",0\r\n");
        const Run fifty = run({"--file", loan, "--format", "json"});
        QCOMPARE(fifty.code, 0);
        QCOMPARE(int(fifty.rows().size()), 50);
    }

    // A damaged file is refused whole (message 13), never read as another schedule.
    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("years");
        QTest::newRow("years out of order") << QByteArray("2,5000\r\n1,0\r\n");
        QTest::newRow("a line more than stated") << QByteArray("1,0\r\n2,5000\r\n3,100\r\n");
        QTest::newRow("year 3 on the line of year 2") << QByteArray("1,0\r\n3,5000\r\n");
    }

    void damagedFiles()
    {
        QFETCH(QByteArray, years);
        const QString path = writeFile(QStringLiteral("damaged.umd"),
                                       "100000,10.125,25,\"      Monthly\",\"      Monthly\",\"2027-01-31\",0,1,1,2,1,1,"
                                       "365,\"O\",0\r\n" + years);
        const Run r = run({"--file", path, "--format", "json"});
        QCOMPARE(r.code, 3);
        QVERIFY2(r.err.contains(QStringLiteral("File not found or wrong format")), qPrintable(r.err));
        QVERIFY(r.rows().isEmpty());
    }

    void pdf()
    {
        const QString path = m_report.filePath(QStringLiteral("schedule.pdf"));
        const Run r = run({"--view", "all", "--frequency", "1 Week", "--term", "40", "--format", "pdf", "--out", path});
        QCOMPARE(r.code, 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
    }
};

QTEST_GUILESS_MAIN(TestMortgageReport)
#include "test_mortgage_report.moc"
