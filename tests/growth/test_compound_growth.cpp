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
    // A result as the grid row shows it, or the message of a refusal: the
    // 50-year limit is told before a missing entry, a missing entry before
    // the 22-result limit.
    void results_data()
    {
        QTest::addColumn<double>("cost");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("years");
        QTest::addColumn<int>("count"); // results already added
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("cells");
        QTest::newRow("no growth") << 2500.0 << 2500.0 << 7 << 0 << 0 << "XYZ|7|$2,500.00|$2,500.00|.000%|.00%";
        QTest::newRow("a loss") << 2000.0 << 1000.0 << 5 << 0 << 0 << "XYZ|5|$2,000.00|$1,000.00|-12.945%|-50.00%";
        QTest::newRow("fifty years")
            << 500.0 << 1000000.0 << 50 << 0 << 0 << "XYZ|50|$500.00|$1,000,000.00|16.418%|199,900.00%";
        // The gain is (V - C) / C with V - C taken exactly: .275% exactly, shown .28%.
        QTest::newRow("gain at half a hundredth")
            << 27115520.0 << 27190087.68 << 1 << 0 << 0 << "XYZ|1|$27,115,520.00|$27,190,087.68|.275%|.28%";
        QTest::newRow("51 years before a missing cost") << 0.0 << 200.0 << 51 << 0 << 4 << "";
        QTest::newRow("no years") << 100.0 << 200.0 << 0 << 0 << 3 << "";
        QTest::newRow("missing entry before the limit") << 0.0 << 200.0 << 5 << 22 << 3 << "";
        QTest::newRow("23rd entry") << 100.0 << 200.0 << 5 << 22 << 6 << "";
        QTest::newRow("growth beyond any figure") << 0.01 << 90000000000000.0 << 1 << 0 << 3 << "";
    }
    void results()
    {
        QFETCH(double, cost);
        QFETCH(double, value);
        QFETCH(int, years);
        QFETCH(int, count);
        QFETCH(int, message);
        QFETCH(QString, cells);
        const auto result = CalculateCompoundGrowth(m(cost), m(value), Money::fromWhole(years), count);
        QCOMPARE(result.ok() ? 0 : result.message(), message);
        if (message)
            return;
        ToolData data = CompoundGrowthData();
        QCOMPARE(AddCompoundGrowthResult(data, result.value(), QStringLiteral("XYZ"), QStringLiteral("$")).join(u'|'),
                 cells);
        // Year k of the table is C x (V / C)^(k / n), in whole units rounded down.
        for (int k = 1; k <= years; ++k) {
            const double expected = std::floor(cost * std::pow(value / cost, double(k) / years));
            const qint64 shown = data.GraphData.value(k, 4).floorUnits();
            QVERIFY2(std::abs(double(shown) - expected) <= 1, qPrintable(QStringLiteral("year %1: %2").arg(k).arg(shown)));
        }
    }

    // The year table is drawn by no graph: where rounding carries its last
    // years past the largest figure money holds, the result still stands,
    // and the table holds that largest whole amount.
    void largestValueIsAccepted()
    {
        ToolData data = CompoundGrowthData();
        const Money value = Money::fromRaw(9223372036854775800); // 922,337,203,685,477.58
        const auto result = CalculateCompoundGrowth(m(1), value, Money::fromWhole(50), 0);
        QVERIFY2(result.ok(), qPrintable(QString::number(result.message())));
        const QStringList cells =
            AddCompoundGrowthResult(data, result.value(), QStringLiteral("All of it"), QStringLiteral("$"));
        QCOMPARE(cells.mid(0, 5), (QStringList{"All of it", "50", "$1.00", "$922,337,203,685,477.58", "99.204%"}));
        // A gain of 92 quadrillion percent; its last shown digits are beyond a double's.
        QVERIFY2(cells.at(5).startsWith(QStringLiteral("92,233,720,368,547,")), qPrintable(cells.at(5)));
        QCOMPARE(data.GraphData.value(50, 4), Money::fromWhole(922337203685477));
        QCOMPARE(data.CompareData.value(1, 5), m(99.2039));
    }

    // Twelve results to a block and a page, the thirteenth on the next; a
    // result without a name has no name line.
    void printoutOfThirteenResults()
    {
        AppState state;
        ToolData data = CompoundGrowthData();
        const auto add = [&](double cost, double value, int years, const QString &name) {
            const auto result = CalculateCompoundGrowth(m(cost), m(value), Money::fromWhole(years), data.ResultCount);
            AddCompoundGrowthResult(data, result.value(), name, state.CurrencySymbol);
        };
        add(10000, 20000, 5, QStringLiteral("XYZ mutual fund."));
        add(2000, 1000, 5, QString());
        for (int i = 3; i <= 13; ++i)
            add(25000, 200000, 20, QStringLiteral("House %1").arg(i));
        ScriptedDialogs dialogs;
        dialogs.lines << QStringLiteral("Our investments, December 2026");
        RecordingPrinter printer;
        QVERIFY(RunPrintout(state, dialogs, printer, QStringLiteral("Compound growth"),
                            [&](PrintFrame &frame) { PrintCompoundGrowth(frame, data); }));
        const QList<QStringList> pages = printer.jobs.value(0).pages();
        QCOMPARE(pages.size(), 2);
        const QStringList one = pages.at(0);
        const QStringList firstTwo = {
            QStringLiteral(" XYZ mutual fund."),
            QStringLiteral("    5          $10,000.00         $20,000.00           14.8698%       100.0000%"),
            Separator, QString(),
            QStringLiteral("    5           $2,000.00          $1,000.00          -12.9449%       -50.0000%"), Separator};
        QCOMPARE(one.mid(10, 6), firstTwo);
        const QString house = QStringLiteral("   20          $25,000.00        $200,000.00           10.9569%       700.0000%");
        QCOMPARE(one.size(), 57);
        QCOMPARE(one.mid(53), (QStringList{QStringLiteral(" House 12"), house, Separator, QString()}));
        QCOMPARE(pages.at(1).mid(5), (QStringList{QStringLiteral(" House 13"), house, Separator, QString()}));
    }
};

QTEST_GUILESS_MAIN(TestCompoundGrowth)
#include "test_compound_growth.moc"
