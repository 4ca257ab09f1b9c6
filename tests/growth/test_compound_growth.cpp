#include "growth/compound_growth.h"
#include "shell/core/app_state.h"
#include "shell/print/print_frame.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"

#include <QTest>

namespace {

Money m(double value)
{
    return Money::fromDouble(value);
}

const QString Separator = QLatin1Char(' ') + QString(78, u'_') + QLatin1Char(' ');

} // namespace

class TestCompoundGrowth : public QObject
{
    Q_OBJECT

private slots:
    void results_data()
    {
        QTest::addColumn<double>("cost");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("years");
        QTest::addColumn<QString>("cells"); // as the grid row shows them
        QTest::newRow("defaults") << 10000.0 << 20000.0 << 5 << "XYZ|5|$10,000.00|$20,000.00|14.870%|100.00%";
        QTest::newRow("no growth") << 2500.0 << 2500.0 << 7 << "XYZ|7|$2,500.00|$2,500.00|.000%|.00%";
        QTest::newRow("a loss") << 2000.0 << 1000.0 << 5 << "XYZ|5|$2,000.00|$1,000.00|-12.945%|-50.00%";
        QTest::newRow("fifty years") << 500.0 << 1000000.0 << 50 << "XYZ|50|$500.00|$1,000,000.00|16.418%|199,900.00%";
        QTest::newRow("cents") << 0.5 << 0.75 << 1 << "XYZ|1|$.50|$.75|50.000%|50.00%";
        // The gain is (V - C) / C with V - C taken exactly: .275% exactly, shown .28%.
        QTest::newRow("gain at half a hundredth")
            << 27115520.0 << 27190087.68 << 1 << "XYZ|1|$27,115,520.00|$27,190,087.68|.275%|.28%";
    }
    void results()
    {
        QFETCH(double, cost);
        QFETCH(double, value);
        QFETCH(int, years);
        QFETCH(QString, cells);
        AppState state;
        ToolData data = CompoundGrowthData();
        const auto result = CalculateCompoundGrowth(m(cost), m(value), Money::fromWhole(years), 0);
        QVERIFY(result.ok());
        QCOMPARE(AddCompoundGrowthResult(data, result.value(), QStringLiteral("XYZ"), state.CurrencySymbol).join(u'|'),
                 cells);
        QCOMPARE(data.ResultCount, qint16(1));
        // The year table ends at the value, in whole units, rounded down.
        QCOMPARE(data.GraphData.value(years, 1), Money::fromWhole(years));
        const qint64 last = data.GraphData.value(years, 4).floorUnits();
        QVERIFY2(std::abs(double(last) - std::floor(value)) <= 1, qPrintable(QString::number(last)));
    }

    // The year table is drawn by no graph: where rounding carries its last
    // years past the largest figure money holds, the result still stands,
    // and the table holds that largest whole amount.
    void largestValueIsAccepted()
    {
        AppState state;
        ToolData data = CompoundGrowthData();
        Money value;
        QVERIFY(Money::fromDecimalText(u"922337203685477.58", value));
        const auto result = CalculateCompoundGrowth(m(1), value, Money::fromWhole(50), 0);
        QVERIFY2(result.ok(), qPrintable(QString::number(result.message())));
        const QStringList cells =
            AddCompoundGrowthResult(data, result.value(), QStringLiteral("All of it"), state.CurrencySymbol);
        QCOMPARE(cells.mid(0, 5), (QStringList{"All of it", "50", "$1.00", "$922,337,203,685,477.58", "99.204%"}));
        // A gain of 92 quadrillion percent; its last shown digits are beyond a double's.
        QVERIFY2(cells.at(5).startsWith(QStringLiteral("92,233,720,368,547,")), qPrintable(cells.at(5)));
        QCOMPARE(data.GraphData.value(50, 4), Money::fromWhole(922337203685477));
        QCOMPARE(data.GraphData.value(1, 4), Money::fromWhole(1));
        QCOMPARE(data.CompareData.value(1, 5), m(99.2039));
    }

    void defaultYearTable()
    {
        AppState state;
        ToolData data = CompoundGrowthData();
        const auto result = CalculateCompoundGrowth(m(10000), m(20000), Money::fromWhole(5), 0);
        AddCompoundGrowthResult(data, result.value(), QString(), state.CurrencySymbol);
        const qint64 expected[] = {11486, 13195, 15157, 17411, 20000};
        for (int k = 1; k <= 5; ++k)
            QCOMPARE(data.GraphData.value(k, 4).floorUnits(), expected[k - 1]);
        QCOMPARE(data.CompareData.value(1, 5), m(14.8698));
        QCOMPARE(data.CompareNames.value(1, 0), QString());
    }

    void refusals_data()
    {
        QTest::addColumn<double>("cost");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("years");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("message");
        QTest::newRow("51 years") << 100.0 << 200.0 << 51 << 0 << 4;
        QTest::newRow("51 years before a missing cost") << 0.0 << 200.0 << 51 << 0 << 4;
        QTest::newRow("no cost") << 0.0 << 200.0 << 5 << 0 << 3;
        QTest::newRow("no value") << 100.0 << 0.0 << 5 << 0 << 3;
        QTest::newRow("no years") << 100.0 << 200.0 << 0 << 0 << 3;
        QTest::newRow("missing entry before the limit") << 0.0 << 200.0 << 5 << 22 << 3;
        QTest::newRow("23rd entry") << 100.0 << 200.0 << 5 << 22 << 6;
        QTest::newRow("growth beyond any figure") << 0.01 << 90000000000000.0 << 1 << 0 << 3;
    }
    void refusals()
    {
        QFETCH(double, cost);
        QFETCH(double, value);
        QFETCH(int, years);
        QFETCH(int, count);
        QFETCH(int, message);
        const auto result = CalculateCompoundGrowth(m(cost), m(value), Money::fromWhole(years), count);
        QVERIFY(!result.ok());
        QCOMPARE(result.message(), message);
    }

    // Twelve results to a block and a page, the thirteenth on the next; a
    // result without a name has no name line.
    void printoutOfThirteenResults()
    {
        AppState state;
        ToolData data = CompoundGrowthData();
        const auto first = CalculateCompoundGrowth(m(10000), m(20000), Money::fromWhole(5), 0);
        AddCompoundGrowthResult(data, first.value(), QStringLiteral("XYZ mutual fund."), state.CurrencySymbol);
        const auto second = CalculateCompoundGrowth(m(2000), m(1000), Money::fromWhole(5), 1);
        AddCompoundGrowthResult(data, second.value(), QString(), state.CurrencySymbol);
        for (int i = 3; i <= 13; ++i) {
            const auto result = CalculateCompoundGrowth(m(25000), m(200000), Money::fromWhole(20), i - 1);
            AddCompoundGrowthResult(data, result.value(), QStringLiteral("House %1").arg(i), state.CurrencySymbol);
        }
        QCOMPARE(data.CompareNames.value(13, 0), QStringLiteral("House 13"));

        ScriptedDialogs dialogs;
        dialogs.lines << QStringLiteral("Our investments, December 2026");
        RecordingPrinter printer;
        QVERIFY(RunPrintout(state, dialogs, printer, QStringLiteral("Compound growth"),
                            [&](PrintFrame &frame) { PrintCompoundGrowth(frame, data); }));
        const QList<QStringList> pages = printer.jobs.value(0).pages();
        QCOMPARE(pages.size(), 2);

        const QString house = QStringLiteral("   20          $25,000.00        $200,000.00           10.9569%       700.0000%");
        QStringList one = QStringLiteral(R"(
 Our investments, December 2026

                          Annual Compounding Comparisons


 Term in          Cost of         Current or      Compounded at   Total Rate(%)
  Years        Investment       Future Value     Annual Rate(%)     over Period
 ______________________________________________________________________________

 XYZ mutual fund.
    5          $10,000.00         $20,000.00           14.8698%       100.0000%)")
                              .split(u'\n');
        one << Separator << QString()
            << QStringLiteral("    5           $2,000.00          $1,000.00          -12.9449%       -50.0000%") << Separator;
        for (int i = 3; i <= 12; ++i)
            one << QString() << QStringLiteral(" House %1").arg(i) << house << Separator;
        one << QString();
        QCOMPARE(pages.at(0), one);
        const QStringList two = {QString(), QString(), QString(), QString(), QString(), QStringLiteral(" House 13"),
                                 house,     Separator, QString()};
        QCOMPARE(pages.at(1), two);
    }
};

QTEST_GUILESS_MAIN(TestCompoundGrowth)
#include "test_compound_growth.moc"
