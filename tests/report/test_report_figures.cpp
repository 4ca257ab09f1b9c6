#include "support/report_program.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

// The command line gives the figures worked by hand for the planners'
// corner cases, and refuses what the windows refuse.
class TestReportFigures : public QObject
{
    Q_OBJECT

    static inline ReportProgram s_report;
    using Run = ReportRun;

    static Run run(const QStringList &arguments) { return s_report.run(arguments); }

    // The "Total:" row of a table in the JSON grid.
    static QStringList totals(const Run &r)
    {
        const QList<QStringList> grid = r.grid();
        for (const QStringList &row : grid)
            if (row.value(0) == QStringLiteral("Total:"))
                return row;
        return {};
    }

private slots:
    void initTestCase() { QVERIFY(s_report.setUp()); }

    void retirementOfNoYearIsRefused_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("report") << "report";
        QTest::newRow("text") << "text";
        QTest::newRow("json") << "json";
    }
    void retirementOfNoYearIsRefused()
    {
        QFETCH(QString, format);
        const Run r = run({"retirement", "--years", "0", "--format", format});
        QCOMPARE(r.code, 3);
        QVERIFY2(r.err.contains(QStringLiteral("Wrong or missing entry, try again.")), qPrintable(r.err));
        if (format == QStringLiteral("json")) {
            QCOMPARE(r.json().value(QStringLiteral("message")).toObject().value(QStringLiteral("number")).toInt(), 3);
            QVERIFY(r.json().value(QStringLiteral("results")).isNull());
        } else if (format == QStringLiteral("report")) {
            QVERIFY(r.out.isEmpty());
        }
    }

    // A capital used up exactly at a year's end: no year after it.
    void fixedAmountEndingAtAYearsEnd()
    {
        const Run r = run({"retirement", "--option", "fixed", "--capital", "12000", "--withdrawal", "1000", "--rate",
                           "0", "--format", "json"});
        QCOMPARE(r.code, 0);
        const QList<QStringList> grid = r.grid();
        QCOMPARE(grid.value(1), (QStringList{"1", ".00", "12,000.00", ".00"}));
        QCOMPARE(grid.value(2), QStringList(4));
        QCOMPARE(grid.value(3), (QStringList{"Total:", "$0.00", "$12,000.00", "$0.00"}));
        QCOMPARE(r.json().value(QStringLiteral("results")).toObject().value(QStringLiteral("years")).toArray().size(), 1);
    }

    // Raised amounts are rounded once, with the raise: the totals of a plan
    // whose raises end in a half at the fifth decimal.
    void fixedAmountRaisedByAPercentage()
    {
        const Run r = run({"retirement", "--option", "fixed", "--capital", "26.46", "--rate", "10", "--withdrawal",
                           "0.17", "--increase", "6", "--format", "json"});
        QCOMPARE(r.code, 0);
        QCOMPARE(totals(r), (QStringList{"Total:", "$39.58", "$66.04", "$0.00"}));
    }

    // Totals kept as doubles are shown from the doubles, not from their
    // four-decimal roundings.
    void capitalTotalsAsWorked_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("totals");
        QTest::newRow("total invested") << QStringList{"--option", "capital", "--amount", "5", "--rate", "15", "--term", "22"}
                                        << QStringList{"Total:", "$0.69", "$4.31", "$5.00"};
        QTest::newRow("total interest") << QStringList{"--amount", "1138758.57", "--rate", "20", "--term", "21"}
                                        << QStringList{"Total:", "$88,560.04", "$1,050,198.53", "$1,138,758.57"};
    }
    void capitalTotalsAsWorked()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, totals);
        const Run r = run(QStringList{"capital"} + arguments + QStringList{"--format", "json"});
        QCOMPARE(r.code, 0);
        QCOMPARE(this->totals(r), totals);
    }

    // An income whose hundredfold money cannot hold, with a capital it can.
    void capitalBehindAnIncomeOfTrillions()
    {
        const Run r = run({"capital", "--option", "income", "--amount", "9844841979148.33", "--term", "22", "--format",
                           "json"});
        QCOMPARE(r.code, 0);
        const QJsonObject results = r.json().value(QStringLiteral("results")).toObject();
        QCOMPARE(results.value(QStringLiteral("capital")).toString(), QStringLiteral("65632279860988.8667"));
        QCOMPARE(totals(r), (QStringList{"Total:", "$9,122,713,844,199.99", "$56,509,566,016,789.00",
                                         "$65,632,279,860,989.00"}));
    }

    // The largest value grows from 1 over 50 years; the year table nobody
    // draws does not refuse it.
    void growthToTheLargestValue()
    {
        const Run r = run({"growth", "--cost", "1", "--value", "922337203685477.58", "--years", "50", "--format",
                           "json"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.grid().value(1).mid(1, 4), (QStringList{"50", "$1.00", "$922,337,203,685,477.58", "99.204%"}));
    }
};

QTEST_GUILESS_MAIN(TestReportFigures)
#include "test_report_figures.moc"
