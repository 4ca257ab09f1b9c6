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

SavingsInput defaults()
{
    SavingsInput input;
    input.amount = m(1200);
    input.rate = m(20);
    input.years = m(25);
    return input;
}

// 100 a month for 40 years: the largest plan the window makes.
SavingsInput fortyYearsMonthly()
{
    SavingsInput input = defaults();
    input.frequency = QStringLiteral("Monthly");
    input.amount = m(100);
    input.years = m(40);
    return input;
}

SavingsPlan calculate(const SavingsInput &input)
{
    const auto plan = CalculateSavings(input);
    if (!plan.ok())
        qFatal("refused with message %d", plan.message());
    return plan.value();
}

} // namespace

class TestSavingsPlan : public QObject
{
    Q_OBJECT

private slots:
    void defaultPlan()
    {
        AppState state;
        ToolData data = SavingsData();
        const SavingsPlan plan = calculate(defaults());
        QCOMPARE(plan.periods, qint16(25));
        const QList<QStringList> grid = StoreSavingsPlan(data, plan, state.CurrencySymbol);
        QCOMPARE(grid.size(), 27);
        QCOMPARE(grid.at(0), (QStringList{"1", "1,200.00", "240.00", "1,440.00"}));
        QCOMPARE(grid.at(1), (QStringList{"2", "1,200.00", "528.00", "3,168.00"}));
        QCOMPARE(grid.at(25), QStringList(4));
        QCOMPARE(grid.at(26).mid(0, 2), (QStringList{"Total:", "$30,000.00"}));
        QCOMPARE(plan.totalInterest, plan.finalValue - plan.totalInvested);
        // 1,200 a year for 25 years at 20%, paid at the start of each year.
        const double annuity = 1200 * 1.2 * (std::pow(1.2, 25) - 1) / 0.2;
        QVERIFY(std::abs(plan.finalValue.toDouble() - annuity) < 1.0);
        QCOMPARE(data.ResultCount, qint16(25));
        QCOMPARE(data.GraphData.value(25, 5), plan.finalValue);
        QCOMPARE(data.GraphData.value(26, 1), Money::fromWhole(25));
        QCOMPARE(data.GraphData.value(26, 4), plan.finalValue);
        QCOMPARE(data.GraphTitle, QStringLiteral("Investment value at end of each Year"));
        QCOMPARE(SavingsGridRowsFor(QStringLiteral("Annually"), 25), 29);
    }

    void zeroRatesKeepWhatWasInvested()
    {
        SavingsInput input = defaults();
        input.lumpSum = m(5000);
        input.rate = Money();
        input.frequency = QStringLiteral("Quarterly");
        input.amount = m(300);
        const SavingsPlan plan = calculate(input);
        QCOMPARE(plan.periods, qint16(100));
        QCOMPARE(plan.finalValue, m(35000));
        QCOMPARE(plan.totalInterest, Money());
    }

    void monthlyUsesTheEffectiveRate()
    {
        SavingsInput input;
        input.lumpSum = m(1000);
        input.frequency = QStringLiteral("Monthly");
        input.rate = m(12);
        input.years = m(1);
        const SavingsPlan plan = calculate(input);
        QCOMPARE(plan.periods, qint16(12));
        // About 0.9489% a month, not 1%: the year gives 12%, not 12.68%.
        QCOMPARE(plan.rows.first().interest, m(9.4888));
        QVERIFY(std::abs(plan.finalValue.toDouble() - 1120.0) < 0.01);
    }

    void inflationAndIncrease()
    {
        SavingsInput input = defaults();
        const SavingsPlan plain = calculate(input);
        input.inflation = m(-5);
        const SavingsPlan inflated = calculate(input);
        QVERIFY(inflated.finalValue > plain.finalValue);
        input.inflation = m(5);
        QVERIFY(calculate(input).finalValue < plain.finalValue);

        SavingsInput rising = defaults();
        rising.frequency = QStringLiteral("Monthly");
        rising.amount = m(100);
        rising.increase = m(6);
        const SavingsPlan plan = calculate(rising);
        QVERIFY(plan.rows.at(11).invested > plan.rows.at(0).invested);
        QVERIFY(plan.rows.at(12).invested > plan.rows.at(11).invested);
        // Twelve raises at the monthly equivalent make 6% over a year.
        QVERIFY(std::abs(plan.rows.at(12).invested.toDouble() - 106.0) < 0.01);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<double>("years");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("increase");
        QTest::addColumn<double>("inflation");
        QTest::newRow("16-bit period count") << "Monthly" << 3000.0 << 10.0 << 0.0 << 0.0;
        QTest::newRow("rate below -100%") << "Monthly" << 10.0 << -150.0 << 0.0 << 0.0;
        QTest::newRow("growth beyond any figure") << "Annually" << 40.0 << 500000.0 << 0.0 << 0.0;
        QTest::newRow("not a frequency") << "Weekly" << 10.0 << 10.0 << 0.0 << 0.0;
        QTest::newRow("zero years") << "Annually" << 0.0 << 10.0 << 0.0 << 0.0;
        QTest::newRow("less than a year") << "Monthly" << 0.5 << 10.0 << 0.0 << 0.0;
        // (1 - 2)^(1/4) has no value: the quarterly increase rate is not a number.
        QTest::newRow("increase of -200% quarterly") << "Quarterly" << 5.0 << 10.0 << -200.0 << 0.0;
    }
    void refusals()
    {
        QFETCH(QString, frequency);
        QFETCH(double, years);
        QFETCH(double, rate);
        QFETCH(double, increase);
        QFETCH(double, inflation);
        SavingsInput input = defaults();
        input.frequency = frequency;
        input.years = m(years);
        input.rate = m(rate);
        input.increase = m(increase);
        input.inflation = m(inflation);
        const auto plan = CalculateSavings(input);
        QVERIFY(!plan.ok());
        QCOMPARE(plan.message(), 3);
    }

    void firstValueIsAnExactSum()
    {
        // 1,000,000,000,000 at 1.97%: interest 19,700,000,000 (single-precision rate, to money), and
        // the first value is lump sum plus interest as money, not through a double.
        SavingsInput input = defaults();
        input.lumpSum = Money::fromWhole(1000000000000);
        input.amount = Money();
        input.rate = m(1.97);
        input.years = Money::fromWhole(1);
        const auto plan = CalculateSavings(input);
        QVERIFY(plan.ok());
        const SavingsPeriod &first = plan->rows.first();
        QCOMPARE(first.value, first.invested + first.interest);
        QCOMPARE(plan->finalValue, first.value);
        QCOMPARE(plan->totalInterest, first.interest);
        // The interest is float(0.0197) x 10^12 to money: 19,700,000,062.5849...; the value shows .58.
        QCOMPARE(Format(first.value, QStringLiteral("####,,###.00")), QStringLiteral("1,019,700,000,062.58"));
    }

    void comparisonsFillTwoBlocks()
    {
        AppState state;
        ToolData data = SavingsData();
        for (int e = 1; e <= 22; ++e) {
            SavingsInput input = defaults();
            input.years = m(e);
            const QStringList row = StoreSavingsComparison(data, input, calculate(input), e);
            if (e == 1)
                QCOMPARE(row, (QStringList{"1", ".00", "1,200.00", "20.00%", ".00%", ".00%", "1,200.00",
                                           "1,440.00"}));
        }
        QCOMPARE(data.ResultCount, qint16(22));
        QCOMPARE(data.CompareNames.value(1, 0), QStringLiteral("Row  1"));
        QCOMPARE(data.CompareNames.value(22, 0), QStringLiteral("Row  22"));
        QCOMPARE(data.PrintBlocks.value(1).count(QStringLiteral("\r\n\r\n")), 15);
        QCOMPARE(data.PrintBlocks.value(2).count(QStringLiteral("\r\n\r\n")), 7);
        QVERIFY(data.PrintBlocks.value(1).startsWith(
            QStringLiteral("  1         .00    1,200.00  20.00%    .00%    .00%     1,200.00      1,440.00\r\n ")));
        QCOMPARE(data.GraphTitle, QStringLiteral("Savings Comparisons"));
    }

    // The largest plan: its table, its graph feed by year and its printout over pages.
    void largestPlanBreaksPages()
    {
        AppState state;
        ToolData data = SavingsData();
        const SavingsInput input = fortyYearsMonthly();
        const SavingsPlan plan = calculate(input);
        QCOMPARE(plan.periods, qint16(480));
        QCOMPARE(StoreSavingsPlan(data, plan, state.CurrencySymbol).size(), 482);
        QCOMPARE(data.ResultCount, qint16(40));
        QCOMPARE(data.GraphData.value(40, 5), plan.rows.at(479).value);
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
        const QString heading =
            QStringLiteral("   Monthly          Investment      Interest/Growth         Current Value");
        const QStringList first = pages.at(0);
        QCOMPARE(first.at(4), QString(24, u' ') + QStringLiteral("Investment Growth Calculation"));
        QCOMPARE(first.at(7), QStringLiteral(" Amount of Lump Sum Invested at Start                        $.00"));
        QCOMPARE(first.at(11), QStringLiteral(" Frequency of each contribution                           Monthly"));
        QCOMPARE(first.at(22), heading);
        QCOMPARE(first.at(23), QLatin1Char(' ') + QString(72, u'_'));
        QVERIFY(first.at(25).startsWith(QStringLiteral("   1")));
        QVERIFY(first.at(53).startsWith(QStringLiteral("  29")));
        QCOMPARE(first.last(), QString(39, u' ') + QStringLiteral("Page 1 "));
        for (int p = 1; p < pages.size(); ++p) {
            QCOMPARE(pages.at(p).at(4), heading);
            QVERIFY(pages.at(p).at(7).startsWith(QStringLiteral("%1").arg(29 + 47 * (p - 1) + 1, 4)));
        }
        QCOMPARE(pages.last().last().left(7), QStringLiteral(" Total:"));
        QVERIFY(pages.last().last().endsWith(QStringLiteral("$") + Format(plan.finalValue, QStringLiteral("####,,###.00"))));
    }

    void comparisonPrintoutStaysOnOnePage()
    {
        AppState state;
        ToolData data = SavingsData();
        for (int e = 1; e <= 17; ++e)
            StoreSavingsComparison(data, defaults(), calculate(defaults()), e);
        ScriptedDialogs dialogs;
        dialogs.lines << QStringLiteral("First");
        RecordingPrinter printer;
        auto body = [&](PrintFrame &frame) { PrintSavingsComparisons(frame, data); };
        QVERIFY(RunPrintout(state, dialogs, printer, QStringLiteral("Savings"), body));
        const QString once = printer.jobs.at(0).toText();
        QCOMPARE(printer.jobs.at(0).pages().size(), 1); // no new page for entries 16 and up
        QCOMPARE(once.count(QStringLiteral("30,000.00")), 17);
        QVERIFY(once.contains(QStringLiteral("Investment Growth Comparisons")));
    }
};

QTEST_GUILESS_MAIN(TestSavingsPlan)
#include "test_savings_plan.moc"
