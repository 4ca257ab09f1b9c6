#include "support/report_program.h"

#include <QFile>
#include <QJsonArray>
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
        writeFile(QStringLiteral("damaged.umd"), "100000,10.125,25,\"      Monthly\",\"      Monthly\",\"2027-01-31\",0,1,"
                                                 "1,2,1,1,365,\"O\",0\r\n2,5000\r\n1,0\r\n");
    }

    // Each option reaches the schedule: the rows it makes and one result
    // that moves with it (the figures are worked in test_mortgage_schedule).
    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("result"); // name=value
        QTest::newRow("defaults, annual") << QStringList{} << 25 << "payment=$917.53";
        QTest::newRow("all payments, in capitals") << QStringList{"--view", "ALL"} << 300 << "payment=$917.53";
        QTest::newRow("compounding") << QStringList{"--compounding", "SEMIANNUAL"} << 25 << "payment=$902.91";
        QTest::newRow("frequency: annual keeps the part-year")
            << QStringList{"--frequency", "weekly(acc)"} << 19 << "time_to_final_payment=18.48";
        QTest::newRow("days") << QStringList{"--frequency", "2 weeks", "--days", "364", "--view", "all"} << 644
                              << "days_in_year=364";
        QTest::newRow("loan in months") << QStringList{"--loan", "--term", "7", "--view", "all"} << 7
                                        << "payment=$2,954.38";
        QTest::newRow("principal") << QStringList{"--principal", "99999999", "--term", "40", "--frequency", "weekly(acc)"}
                                   << 24 << "payment=$214,742.94";
        QTest::newRow("rate") << QStringList{"--rate", "9", "--frequency", "biweekly(acc)"} << 20 << "payment=$419.60";
    }

    void options()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, rows);
        QFETCH(QString, result);
        const Run r = run(arguments + QStringList{"--format", "json"});
        QCOMPARE(r.code, 0);
        QCOMPARE(int(r.rows().size()), rows);
        QCOMPARE(r.label(result.section(u'=', 0, 0).toLatin1().constData()), result.section(u'=', 1));
    }

    // The years whose additional payment was applied are listed; the dates
    // start at the one given.
    void additionalPaymentsAndDates()
    {
        const Run r = run({"--extra", "2=1000000", "--extra", "5=1000", "--view", "all", "--dates", "--first-date",
                           "2027-01-15", "--format", "json"});
        QCOMPARE(r.code, 0);
        const QJsonArray applied = r.results().value(QStringLiteral("additional_payments_applied")).toArray();
        QCOMPARE(int(applied.size()), 1);
        QCOMPARE(applied.at(0).toObject().value(QStringLiteral("year")).toInt(), 5);
        QCOMPARE(r.rows().at(0).toObject().value(QStringLiteral("date")).toString(), QStringLiteral("2027-01-15"));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("error");
        QTest::newRow("41 years") << QStringList{"--term", "41"} << 3 << "Wrong entry, 40 Years limit.";
        QTest::newRow("481 months") << QStringList{"--loan", "--term", "481"} << 3 << "Wrong entry, 40 Years limit.";
        QTest::newRow("zero rate") << QStringList{"--rate", "0"} << 3 << "Wrong or missing entry";
        QTest::newRow("unknown compounding") << QStringList{"--compounding", "daily"} << 3 << "Wrong or missing";
        QTest::newRow("wrong extra") << QStringList{"--extra", "46=100"} << 3 << "Wrong or missing";
        QTest::newRow("not a date") << QStringList{"--first-date", "2027-02-30"} << 3 << "Not a valid date";
        QTest::newRow("missing file") << QStringList{"--file", "/nonexistent/x.umd"} << 3 << "File not found";
        // Refused whole, never read as another schedule.
        QTest::newRow("damaged file") << QStringList{"--file", "damaged.umd"} << 3 << "File not found or wrong format";
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
        QVERIFY(r.rows().isEmpty());
    }

    // Every input from a saved file; an option given as well replaces the file's.
    void inputsFromAFile()
    {
        const QString path = writeFile(QStringLiteral("loan.uld"),
                                       "15000,8.5,2.5,\"    Quarterly\",\"      Monthly\",\"2027-03-31\",1,1,2,3,1,2,365,"
                                       "\"O\",0\r\n1,0\r\n2,2000\r\n3,0\r\n");
        const Run r = run({"--file", path, "--format", "json"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.results().value(QStringLiteral("view")).toString(), QStringLiteral("all"));
        QVERIFY(r.rows().size() < 30);
        QCOMPARE(r.rows().at(1).toObject().value(QStringLiteral("date")).toString(), QStringLiteral("2027-04-30"));
        QCOMPARE(int(r.results().value(QStringLiteral("additional_payments_applied")).toArray().size()), 1);
        QCOMPARE(int(run({"--file", path, "--view", "annual", "--format", "json"}).rows().size()), 3);
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
        QVERIFY2(refused.err.contains(QStringLiteral("half.umd: the term saved in the file, 25.5 years, is not a whole "
                                                     "number of years (with --loan it is 306 months)")),
                 qPrintable(refused.err));
        // In months it is whole; a --term given replaces it (a refusal has no rows).
        QCOMPARE(int(run({"--file", path, "--loan", "--view", "all", "--format", "json"}).rows().size()), 306);
        QCOMPARE(int(run({"--file", path, "--term", "20", "--view", "all", "--format", "json"}).rows().size()), 240);
    }
};

QTEST_GUILESS_MAIN(TestMortgageReport)
#include "test_mortgage_report.moc"
