#include "savings/savings_plan.h"
#include "shell/core/app_state.h"
#include "shell/core/format.h"
#include "shell/print/print_frame.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"

#include <QTest>

namespace {

Money m(double value)
{
    return Money::fromDouble(value);
}

// A plan's figures, in the order of the window's boxes.
SavingsInput savings(const char *frequency, double lumpSum, double amount, double rate, double increase,
                     double inflation, double years)
{
    return {m(lumpSum), m(amount), QLatin1String(frequency), m(rate), m(increase), m(inflation), m(years)};
}

// The window's starting figures: 1,200 a year for 25 years at 20%.
SavingsInput defaults()
{
    return savings("Annually", 0, 1200, 20, 0, 0, 25);
}

SavingsPlan calculate(const SavingsInput &input)
{
    const auto plan = CalculateSavings(input);
    if (!plan.ok())
        qFatal("refused with message %d", plan.message());
    return plan.value();
}

} // namespace

Q_DECLARE_METATYPE(SavingsInput)

class TestSavingsPlan : public QObject
{
    Q_OBJECT

private slots:
    // Final values worked apart from the program; the rates are periodic
    // equivalents of the yearly ones, not twelfths or quarters of them.
    void finalValues_data()
    {
        QTest::addColumn<SavingsInput>("input");
        QTest::addColumn<double>("value");
        // 1,200 x 1.2 x (1.2^25 - 1) / 0.2: paid at the start of each year.
        QTest::newRow("annuity due") << defaults() << 679652.7598;
        QTest::newRow("no rate keeps what was invested") << savings("Quarterly", 5000, 300, 0, 0, 0, 25) << 35000.0;
        // About 0.9489% a month: the year gives 12%, not 12.68%.
        QTest::newRow("monthly effective rate") << savings("Monthly", 1000, 0, 12, 0, 0, 1) << 1120.0;
        QTest::newRow("inflation") << savings("Annually", 0, 1200, 20, 0, 5, 1) << 1368.0;
        // 100 raised each month by 1.06^(1/12): 100 x 0.06 / (1.06^(1/12) - 1).
        QTest::newRow("monthly increase") << savings("Monthly", 0, 100, 0, 6, 0, 1) << 1232.6528;
    }
    void finalValues()
    {
        QFETCH(SavingsInput, input);
        QFETCH(double, value);
        const SavingsPlan plan = calculate(input);
        QVERIFY2(std::abs(plan.finalValue.toDouble() - value) <= 1e-6 * value,
                 qPrintable(plan.finalValue.toDecimalText()));
        QCOMPARE(plan.totalInterest, plan.finalValue - plan.totalInvested);
    }

    void defaultPlan()
    {
        AppState state;
        ToolData data = SavingsData();
        const SavingsPlan plan = calculate(defaults());
        const QList<QStringList> grid = StoreSavingsPlan(data, plan, state.CurrencySymbol);
        QCOMPARE(grid.size(), 27);
        QCOMPARE(grid.at(0), (QStringList{"1", "1,200.00", "240.00", "1,440.00"}));
        QCOMPARE(grid.at(26).mid(0, 2), (QStringList{"Total:", "$30,000.00"}));
        QCOMPARE(data.GraphData.value(25, 5), plan.finalValue);
    }

    void refusals_data()
    {
        QTest::addColumn<SavingsInput>("input");
        QTest::newRow("16-bit period count") << savings("Monthly", 0, 1200, 10, 0, 0, 3000);
        QTest::newRow("rate below -100%") << savings("Monthly", 0, 1200, -150, 0, 0, 10);
        QTest::newRow("growth beyond any figure") << savings("Annually", 0, 1200, 500000, 0, 0, 40);
        QTest::newRow("not a frequency") << savings("Weekly", 0, 1200, 10, 0, 0, 10);
        QTest::newRow("less than a year") << savings("Monthly", 0, 1200, 10, 0, 0, 0.5);
    }
    void refusals()
    {
        QFETCH(SavingsInput, input);
        const auto plan = CalculateSavings(input);
        QVERIFY(!plan.ok());
        QCOMPARE(plan.message(), 3);
    }

    void firstValueIsAnExactSum()
    {
        // 1,000,000,000,000 at 1.97%: interest 19,700,000,000 (single-precision rate, to money), and
        // the first value is lump sum plus interest as money, not through a double.
        const SavingsPlan plan = calculate(savings("Annually", 1e12, 0, 1.97, 0, 0, 1));
        const SavingsPeriod &first = plan.rows.first();
        QCOMPARE(first.value, first.invested + first.interest);
        // The interest is float(0.0197) x 10^12 to money: 19,700,000,062.5849...; the value shows .58.
        QCOMPARE(Format(first.value, QStringLiteral("####,,###.00")), QStringLiteral("1,019,700,000,062.58"));
    }

    // The first 15 comparison lines make one block, the rest another, printed
    // after it on the same page.
    void comparisonsPrintOnOnePage()
    {
        AppState state;
        ToolData data = SavingsData();
        for (int e = 1; e <= 17; ++e) {
            SavingsInput input = defaults();
            input.years = m(e);
            const QStringList row = StoreSavingsComparison(data, input, calculate(input), e);
            if (e == 1)
                QCOMPARE(row, (QStringList{"1", ".00", "1,200.00", "20.00%", ".00%", ".00%", "1,200.00",
                                           "1,440.00"}));
        }
        QCOMPARE(data.PrintBlocks.value(1).count(QStringLiteral("\r\n\r\n")), 15);
        QCOMPARE(data.PrintBlocks.value(2).count(QStringLiteral("\r\n\r\n")), 2);
        ScriptedDialogs dialogs;
        dialogs.lines << QStringLiteral("First");
        RecordingPrinter printer;
        QVERIFY(RunPrintout(state, dialogs, printer, QStringLiteral("Savings"),
                            [&](PrintFrame &frame) { PrintSavingsComparisons(frame, data); }));
        QCOMPARE(printer.jobs.at(0).pages().size(), 1);
        const QString text = printer.jobs.at(0).toText();
        QVERIFY(text.contains(
            QStringLiteral("  1         .00    1,200.00  20.00%    .00%    .00%     1,200.00      1,440.00\n")));
        QCOMPARE(text.count(QStringLiteral("  20.00%    .00%    .00%")), 17);
    }

    // The largest plan: its table, its graph feed by year and its printout over pages.
    void largestPlanBreaksPages()
    {
        AppState state;
        ToolData data = SavingsData();
        const SavingsInput input = savings("Monthly", 0, 100, 20, 0, 0, 40);
        const SavingsPlan plan = calculate(input);
        QCOMPARE(plan.periods, qint16(480));
        QCOMPARE(StoreSavingsPlan(data, plan, state.CurrencySymbol).size(), 482);
        QCOMPARE(data.ResultCount, qint16(40));
        QCOMPARE(data.GraphData.value(1, 5), plan.rows.at(11).value);
        ScriptedDialogs dialogs;
        dialogs.lines << QStringLiteral("Forty years");
        RecordingPrinter printer;
        QVERIFY(RunPrintout(state, dialogs, printer, QStringLiteral("Savings"), [&](PrintFrame &frame) {
            PrintSavingsPlan(frame, data, input, plan.periods);
        }));
        const QList<QStringList> pages = printer.jobs.value(0).pages();
        // 29 rows on the first page, 47 on each page after it.
        QCOMPARE(pages.size(), 1 + (480 - 29 + 46) / 47);
        const QStringList first = pages.at(0);
        QCOMPARE(first.at(22), QStringLiteral("   Monthly          Investment      Interest/Growth         Current Value"));
        QVERIFY(first.at(25).startsWith(QStringLiteral("   1")));
        QVERIFY(first.at(53).startsWith(QStringLiteral("  29")));
        QVERIFY(pages.at(1).at(7).startsWith(QStringLiteral("  30")));
        QCOMPARE(pages.last().last().left(7), QStringLiteral(" Total:"));
        QVERIFY(pages.last().last().endsWith(QStringLiteral("$") + Format(plan.finalValue, QStringLiteral("####,,###.00"))));
    }
};

QTEST_GUILESS_MAIN(TestSavingsPlan)
#include "test_savings_plan.moc"
