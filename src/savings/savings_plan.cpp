#include "savings/savings_plan.h"
#include "shell/core/message_numbers.h"

#include "shell/core/tool_data.h"
#include "shell/core/format.h"
#include "shell/print/print_frame.h"

#include <cmath>
#include <limits>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The periodic equivalent of a yearly percentage.
double PeriodicRate(Money yearlyPercent, int periodsPerYear)
{
    return std::pow(1 + yearlyPercent.toDouble() / 100, 1.0 / periodsPerYear) - 1;
}

QString Percent(Money value, const QString &pattern, int width)
{
    return RightAlignFigure(Format(value, pattern), width) + QLatin1Char('%');
}

} // namespace

int PeriodsPerYear(const QString &frequency)
{
    if (frequency == QLatin1String("Annually"))
        return 1;
    if (frequency == QLatin1String("Quarterly"))
        return 4;
    if (frequency == QLatin1String("Monthly"))
        return 12;
    return 0;
}

Outcome<SavingsPlan> CalculateSavings(const SavingsInput &input)
{
    SavingsPlan plan;
    plan.periodsPerYear = PeriodsPerYear(input.frequency);
    if (plan.periodsPerYear == 0)
        return Outcome<SavingsPlan>::refused(MsgWrongEntry);
    // The period count is a 16-bit counter; beyond it the plan cannot be kept.
    const qint64 periods = input.years.floorUnits() * plan.periodsPerYear;
    if (periods > std::numeric_limits<qint16>::max() || periods < 0)
        return Outcome<SavingsPlan>::refused(MsgWrongEntry);
    // A plan of no whole year has no period to show: a wrong entry.
    if (periods == 0)
        return Outcome<SavingsPlan>::refused(MsgWrongEntry);
    plan.periods = qint16(periods);

    try {
        const double periodicInterest = PeriodicRate(input.rate, plan.periodsPerYear);
        const float interestRate = float(periodicInterest);
        const double increaseRate = PeriodicRate(input.increase, plan.periodsPerYear);
        const double inflationRate = PeriodicRate(input.inflation, plan.periodsPerYear);
        // A rate below -100% has no periodic equivalent.
        for (double rate : {periodicInterest, double(interestRate), increaseRate, inflationRate})
            if (!std::isfinite(rate))
                throw ArithmeticFault("no periodic rate");

        Money contribution = input.amount;
        const Money firstBase = input.lumpSum + contribution;
        Money interest = Money::fromDouble(firstBase.toDouble() * double(interestRate));
        // Both are money: their sum is exact, and stays so unless deflated.
        // From period 2 on the value is carried as a double.
        Money firstValue = firstBase + interest;
        double value = firstValue.toDouble();
        if (inflationRate != 0) {
            value -= inflationRate * value;
            firstValue = Money::fromDouble(value);
        }
        plan.totalInvested = firstBase;
        plan.rows.reserve(plan.periods);
        plan.rows.append({firstBase, interest, firstValue});

        for (int k = 2; k <= plan.periods; ++k) {
            contribution = Money::fromDouble(contribution.toDouble() * increaseRate + contribution.toDouble());
            const double base = value + contribution.toDouble();
            interest = Money::fromDouble(base * double(interestRate));
            value = base + interest.toDouble();
            value -= inflationRate * value;
            plan.totalInvested += contribution;
            plan.rows.append({contribution, interest, Money::fromDouble(value)});
        }
        plan.finalValue = plan.rows.last().value;
        plan.totalInterest = plan.finalValue - plan.totalInvested;
    } catch (const ArithmeticFault &) {
        return Outcome<SavingsPlan>::refused(MsgWrongEntry);
    }
    return plan;
}

ToolData SavingsData()
{
    ToolData data(8);
    data.GraphData.recreate(510, 5);
    data.CompareData.recreate(41, 5);
    data.CompareNames.recreate(24, 1);
    data.PrintBlocks = QStringList(4);
    data.PrintBlocks2 = QStringList(3);
    return data;
}

QList<QStringList> StoreSavingsPlan(ToolData &data, const SavingsPlan &plan, const QString &symbol)
{
    const int n = plan.periods;
    QList<YearFigures> rows;
    for (const SavingsPeriod &row : plan.rows.mid(0, n))
        rows.append({row.invested, row.interest, row.value});
    const QList<QStringList> grid = StoreYearTable(data.GraphData, rows,
                                                   {plan.totalInvested, plan.totalInterest, plan.finalValue}, n,
                                                   symbol);

    // The graph shows the value at the end of each year.
    int point = 0;
    for (int k = plan.periodsPerYear; k <= n; k += plan.periodsPerYear) {
        ++point;
        data.GraphData.set(point, 1, Money::fromWhole(point));
        data.GraphData.set(point, 5, plan.rows.at(k - 1).value);
    }
    data.ResultCount = qint16(n / plan.periodsPerYear);
    data.GraphTitle = QStringLiteral("Investment value at end of each Year");
    return grid;
}

QStringList StoreSavingsComparison(ToolData &data, const SavingsInput &input, const SavingsPlan &plan, int entry)
{
    const QString money = QStringLiteral("###,,###.00");
    const QString rate = QStringLiteral("##.00");
    const QString total = QStringLiteral("#####,,##0.00");
    const QStringList row = {Format(int(plan.periods), QStringLiteral("###")),
                             Format(input.lumpSum, money),
                             Format(input.amount, money),
                             Format(input.rate, rate) + QLatin1Char('%'),
                             Format(input.increase, rate) + QLatin1Char('%'),
                             Format(input.inflation, rate) + QLatin1Char('%'),
                             Format(plan.totalInvested, total),
                             Format(plan.finalValue, total)};

    // "Row", then the number with the blank of its sign: "Row  1".
    data.CompareNames.set(entry, 0, QStringLiteral("Row  ") + QString::number(entry));
    data.CompareData.set(entry, 5, plan.finalValue);
    const QString printed = QStringLiteral("####,,##0.00");
    const QString line = RightAlignFigure(Format(int(plan.periods), QStringLiteral("##")), 3) +
                         RightAlignFigure(Format(input.lumpSum, money), 12) +
                         RightAlignFigure(Format(input.amount, money), 12) + Percent(input.rate, rate, 7) +
                         Percent(input.increase, rate, 7) + Percent(input.inflation, rate, 7) +
                         RightAlignFigure(Format(plan.totalInvested, printed), 13) +
                         RightAlignFigure(Format(plan.finalValue, printed), 14);
    const int block = entry <= 15 ? 1 : 2;
    if (data.PrintBlocks.size() <= block)
        data.PrintBlocks.resize(4);
    data.PrintBlocks[block] += line + CrLf + QLatin1Char(' ') + QString(77, u'_') + CrLf + CrLf;
    data.ResultCount = qint16(entry);
    data.GraphTitle = QStringLiteral("Savings Comparisons");
    return row;
}

QStringList SavingsPlanningHeadings()
{
    return {QStringLiteral(" Year  Number"), QStringLiteral("          Invested          Annually"),
            QStringLiteral("      Interest/Growth      Compounded"),
            QStringLiteral("              Current                Value")};
}

QStringList SavingsFrequencyHeadings(const QString &frequency)
{
    const int n = PeriodsPerYear(frequency);
    const QString first = n == 4    ? QStringLiteral("Quarter Number")
                          : n == 12 ? QStringLiteral(" Month Number")
                                    : QStringLiteral(" Year  Number");
    return {first, QStringLiteral("          Invested         ") + frequency};
}

int SavingsGridRowsFor(const QString &frequency, int years)
{
    const int n = PeriodsPerYear(frequency);
    if (n == 4)
        return years * 4 + 4;
    if (n == 12)
        return years * 12 + 4;
    return std::max(years + 4, SavingsGridRows);
}

QStringList SavingsComparisonHeadings()
{
    return {QStringLiteral("Total Period"),          QStringLiteral("Lump Sum Investment"),
            QStringLiteral("Period Investment"),     QStringLiteral("Interest/ Growth"),
            QStringLiteral("Increase Rate"),         QStringLiteral("Inflation Rate"),
            QStringLiteral("   Total       Invested"), QStringLiteral("     Current       Value")};
}

void PrintSavingsPlan(PrintFrame &frame, const ToolData &data, const SavingsInput &plan, int periods)
{
    const QString &symbol = frame.currencySymbol();
    const QString money = QStringLiteral("##,,###.00");
    const QString percent = QStringLiteral("###.00");
    const QString &frequency = plan.frequency;
    const Money lumpSum = plan.lumpSum;
    const Money amount = plan.amount;
    frame.emptyLines(1);
    frame.line(25, QStringLiteral("Investment Growth Calculation"));
    frame.emptyLines(2);
    auto input = [&frame](const QString &label, const QString &value) {
        frame.line({{2, label}, {52, value}});
        frame.emptyLines(1);
    };
    input(QStringLiteral("Amount of Lump Sum Invested at Start"), RightAlignFigure(symbol + Format(lumpSum, money), 14));
    input(QStringLiteral("Annual Amount Invested each contribution"),
          RightAlignFigure(symbol + Format(amount, money), 14));
    input(QStringLiteral("Frequency of each contribution"), RightAlign(frequency, 14));
    input(QStringLiteral("Annual Interest/Growth Rate(%)"), Percent(plan.rate, percent, 14));
    input(QStringLiteral("Increase the annual Investment Rate by"), Percent(plan.increase, percent, 14));
    input(QStringLiteral("Adjust Current Value for Annual Inflation Rate(%)"),
          Percent(plan.inflation, percent, 14));
    input(QStringLiteral("Time in Years"), RightAlignFigure(Format(plan.years, QStringLiteral("###")), 14));
    frame.emptyLines(1);

    const QString separator = QString(72, u'_');
    auto headings = [&] {
        frame.line(2, RightAlign(frequency, 9) +
                          QStringLiteral("          Investment      Interest/Growth         Current Value"));
        frame.line(2, separator);
        frame.emptyLines(1);
    };
    headings();

    PrintYearTable(frame, data.GraphData, periods, {14, 13, 13}, QStringLiteral("####,,###.00"), 24, separator,
                   symbol, headings);
}

void PrintSavingsComparisons(PrintFrame &frame, const ToolData &data)
{
    const QString separator = QString(77, u'_');
    frame.emptyLines(1);
    frame.line(30, QStringLiteral("Investment Growth Comparisons"));
    frame.emptyLines(2);
    frame.line(2, QStringLiteral("Year Lump Sum   Annual     Interest Salary   Inflation   Total       Current"));
    frame.line(2, QStringLiteral("End  Investment Investment /Growth  Increase Rate(%)     Invested    Value"));
    frame.line(2, separator);
    frame.emptyLines(1);
    frame.block(data.PrintBlocks.value(1));
    if (!data.PrintBlocks.value(2).isEmpty()) {
        frame.SetUpPrinter();
        frame.emptyLines(2);
        frame.line(2, separator);
        frame.emptyLines(1);
        frame.block(data.PrintBlocks.value(2));
    }
}

QString SavingsHelpText(const QString &currencySymbol)
{
    const QString text = QStringLiteral(
        "PLANNING YOUR SAVINGS\n"
        "\n"
        "Click any yellow box and type in numbers, deletes previous ones, then 'Calculate'. You may also pick "
        "a figure from the list of a box (the arrow at its right, or the Up and Down keys).\n"
        "\n"
        "Each contribution is made at the start of its period and earns interest in that period. Interest is "
        "compounded with the chosen frequency, at the periodic rate that gives exactly the annual rate you "
        "typed over a year (12% a year compounded monthly is about 0.9489% a month, not 1%).\n"
        "\n"
        "Quarterly or monthly: choose the frequency from its list, and type the amount of each quarterly or "
        "monthly contribution (for example @100 a month rather than @1,200 a year).\n"
        "\n"
        "EXAMPLES (one column each)\n"
        "\n"
        "                    Yearly     Lump     Rising   Purchasing   Keep today's\n"
        "                    saving     sum      saving   power        value\n"
        "Lump sum            @0         @10,000  @0       @10,000      @10,000\n"
        "Each period         @1,200     @0       @1,200   @0           @0\n"
        "Interest rate       10%        10%      10%      0%           0%\n"
        "Increase rate       0%         0%       5%       0%           0%\n"
        "Inflation rate      0%         0%       0%       5%           -5%\n"
        "Years               25         25       25       20           20\n"
        "\n"
        "1. A yearly saving: @1,200 at the start of each year for 25 years at 10%.\n"
        "2. A lump sum: @10,000 left to grow for 25 years at 10%.\n"
        "3. A rising saving: @1,200 the first year, 5% more every year after.\n"
        "4. Purchasing power: what @10,000 will buy in 20 years if prices rise 5% a year (the current value "
        "column shows it in today's money).\n"
        "5. Keeping today's value: type the inflation rate with a minus sign (-5) to see the amount needed in "
        "20 years to buy what @10,000 buys today. This is the only box where a minus sign is used: it empties "
        "the box and starts a negative figure.\n"
        "\n"
        "CHAINING CALCULATIONS\n"
        "A lump sum added in a later year, or yearly amounts that change: calculate the first years, then "
        "type the final current value as the lump sum of the next calculation, with the new amount and the "
        "remaining years. Do the same for each change.\n"
        "\n"
        "The term is limited to 40 years. In Savings Comparisons each 'Calculate' adds one line, up to 22, "
        "so that plans can be compared side by side; 'Show Graph' draws their final values.");
    return HelpPanelText(text, currencySymbol);
}
