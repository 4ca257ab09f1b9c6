#include "retirement/retirement_plan.h"
#include "shell/core/message_numbers.h"

#include "shell/core/tool_data.h"
#include "shell/core/format.h"
#include "shell/print/print_frame.h"

#include <cmath>
#include <limits>

namespace {

// A figure cut down to whole cents, kept exactly: the grid, the printout
// and the totals then all show the same cents.
Money TruncatedCents(double value)
{
    const double cents = std::floor(value * 100);
    // Beyond what money holds (or not a number at all).
    if (!(std::abs(cents) < 9.2e16))
        throw ArithmeticFault("cents out of range");
    return Money::fromRaw(qint64(cents) * (Money::Scale / 100));
}

// The yearly rate as the calculation holds it: single precision.
float YearlyRate(Money percent)
{
    const float rate = float(percent.toDouble() / 100);
    if (!std::isfinite(rate))
        throw ArithmeticFault("rate out of range");
    return rate;
}

// base + a x b with one rounding of the sum, half to even, as the raised
// amounts are worked: rounding a x b first can move the sum by a cent.
Money PlusProduct(Money base, Money a, Money b)
{
    __extension__ typedef __int128 Int128;
    const Int128 exact = Int128(base.raw()) * Money::Scale + Int128(a.raw()) * b.raw();
    Int128 quotient = exact / Money::Scale;
    Int128 remainder = exact % Money::Scale;
    if (remainder < 0) {
        quotient -= 1;
        remainder += Money::Scale;
    }
    if (2 * remainder > Money::Scale || (2 * remainder == Money::Scale && quotient % 2 != 0))
        quotient += 1;
    if (quotient > std::numeric_limits<qint64>::max() || quotient < std::numeric_limits<qint64>::min())
        throw ArithmeticFault("money overflow");
    return Money::fromRaw(qint64(quotient));
}

const QString TablePattern = QStringLiteral("####,,###.00");

} // namespace

Outcome<RetirementPlan> CalculatePercentage(const RetirementInput &input)
{
    if (input.term >= Money::fromWhole(RetirementMaxYears + 1))
        return Outcome<RetirementPlan>::refused(Msg50YearsLimit);
    try {
        const double r = YearlyRate(input.rate);
        const double d = input.drawn.toDouble() / 100;
        // Whole years, halves to the even one; a plan of no year is no plan.
        const int years = int(std::nearbyint(input.term.toDouble()));
        if (years < 1)
            return Outcome<RetirementPlan>::refused(MsgWrongEntry);
        RetirementPlan plan;
        plan.rows.reserve(years);
        Money value = input.capital;
        double totalInterest = 0;
        for (int y = 1; y <= years; ++y) {
            const double current = value.toDouble();
            const Money income = TruncatedCents(current * d);
            if (income > value)
                return Outcome<RetirementPlan>::refused(MsgWithdrawMoreThanSavings);
            const Money next = TruncatedCents(current * (1 + r - d));
            const double interest = current * r;
            totalInterest += interest;
            plan.totalIncome += income;
            plan.rows.append({Money::fromDouble(interest), income, next});
            value = next;
        }
        plan.totalInterest = Money::fromDouble(totalInterest);
        plan.finalValue = value;
        return plan;
    } catch (const ArithmeticFault &) {
        return Outcome<RetirementPlan>::refused(MsgWrongEntry);
    }
}

Outcome<RetirementPlan> CalculateFixedAmount(const RetirementInput &input)
{
    try {
        const float r = YearlyRate(input.rate);
        // 1 + r in single precision, the twelfth root in double, kept in single.
        const float onePlusR = 1.0f + r;
        const float m = float(std::pow(double(onePlusR), 1.0 / 12) - 1);
        const double monthly = double(m);
        Money withdrawal = input.drawn;
        Money annual = withdrawal * Money::fromWhole(12);
        const Money increase = input.term / Money::fromWhole(100);
        Money capital = input.capital;
        if (annual > capital)
            return Outcome<RetirementPlan>::refused(MsgWithdrawMoreThanSavings);

        RetirementPlan plan;
        double totalInterest = 0;
        Money value = capital;
        Money tested;
        auto month = [&](double &yearInterest) {
            const double interest = capital.toDouble() * monthly;
            value = capital + Money::fromDouble(interest) - withdrawal;
            yearInterest += interest;
            totalInterest += interest;
            capital = value;
        };

        int y = 1;
        bool fullTerm = false;
        do {
            double yearInterest = 0;
            for (int k = 0; k < 12; ++k)
                month(yearInterest);
            plan.rows.append({Money::fromDouble(yearInterest), annual, value});
            plan.totalIncome += annual;
            // The value tested is raised by this year's increase of the
            // monthly amount, before the amounts are raised.
            tested = PlusProduct(value, withdrawal, increase);
            withdrawal = PlusProduct(withdrawal, withdrawal, increase);
            annual = PlusProduct(annual, annual, increase);
            ++y;
            if (y == RetirementMaxYears + 1) {
                fullTerm = true;
                break;
            }
        } while (tested > annual);

        // The capital cannot pay a whole year: the monthly payments it still
        // can, and what is left paid out with the year's interest. A capital
        // used up exactly at a year's end has no such year.
        if (!fullTerm && withdrawal.isZero())
            throw ArithmeticFault("no monthly amount");
        if (!fullTerm && tested > Money()) {
            const double payments = std::floor(tested.toDouble() / withdrawal.toDouble());
            if (!(payments <= 12 * 100))
                throw ArithmeticFault("payments out of range");
            double yearInterest = 0;
            for (int k = 0; k < int(payments); ++k)
                month(yearInterest);
            const Money last = tested + Money::fromDouble(yearInterest);
            plan.rows.append({Money::fromDouble(yearInterest), last, value - capital});
            plan.totalIncome += last;
        }
        plan.totalInterest = Money::fromDouble(totalInterest);
        plan.finalValue = plan.rows.last().value;
        return plan;
    } catch (const ArithmeticFault &) {
        return Outcome<RetirementPlan>::refused(MsgWrongEntry);
    }
}

Outcome<RetirementPlan> CalculateRetirement(const RetirementInput &input)
{
    return input.option == RetirementOption::FixedAmount ? CalculateFixedAmount(input) : CalculatePercentage(input);
}

ToolData RetirementData()
{
    ToolData data(RetirementLastSlot);
    data.GraphData.recreate(362, 5);
    data.PrintBlocks = QStringList(4);
    data.PrintBlocks2 = QStringList(3);
    return data;
}

QList<QStringList> StoreRetirementPlan(ToolData &data, const RetirementPlan &plan, RetirementOption option,
                                       const QString &symbol)
{
    const int years = plan.years();
    data.GraphData.recreate(362, 5);
    QList<YearFigures> rows;
    for (const RetirementYear &row : plan.rows.mid(0, years))
        rows.append({row.interest, row.income, row.value});
    const QList<QStringList> grid = StoreYearTable(data.GraphData, rows,
                                                   {plan.totalInterest, plan.totalIncome, plan.finalValue}, years,
                                                   symbol);

    data.ResultCount = qint16(years);
    if (option == RetirementOption::FixedAmount) {
        data.GraphTitle = QStringLiteral("Retirement value at start of each Year");
    } else {
        data.GraphTitle = QStringLiteral("Retirement value at end of each Year");
    }
    data.PrintBlocks2 = QStringList(3);
    return grid;
}

int RetirementGridRowsFor(int years)
{
    return std::max(RetirementGridRows, years + 4);
}

QStringList RetirementHeadings()
{
    return {QStringLiteral("  Year Number"), QStringLiteral("   Interest/Growth    Compounded"),
            QStringLiteral("   Annual Income     Withdrawn"),
            QStringLiteral("            Current              Value")};
}

void PrintRetirement(PrintFrame &frame, const ToolData &data, const RetirementInput &input, int years)
{
    const QString &symbol = frame.currencySymbol();
    const QString money = QStringLiteral("####,,###.00");
    // Rates print from their fractions: the pattern's "%" multiplies by 100.
    auto percent = [](Money value, int width) {
        return RightAlignFigure(Format(value.toDouble() / 100, QStringLiteral("###.00%")), width);
    };
    frame.line(27, QStringLiteral("Retirement Income Calculation"));
    frame.emptyLines(2);
    auto inputLine = [&frame](const QString &label, int column, const QString &value) {
        frame.line({{2, label}, {column, value}});
        frame.emptyLines(1);
    };
    const bool fixed = input.option == RetirementOption::FixedAmount;
    inputLine(QStringLiteral("Current Value of your Investments on Retirement"), 51,
              RightAlignFigure(symbol + Format(input.capital, money), 14));
    inputLine(QStringLiteral("Annual Interest/Growth Rate (%)"), 52, percent(input.rate, 14));
    if (fixed) {
        inputLine(QStringLiteral("Monthly Amount of Cash Withdrawn"), 51,
                  RightAlignFigure(symbol + Format(input.drawn, money), 14));
        inputLine(QStringLiteral("Increase Annual Amount Withdrawn by %"), 51, percent(input.term, 15));
    } else {
        inputLine(QStringLiteral("Annual Income Withdrawn as a (%) of Current Value"), 52, percent(input.drawn, 14));
        inputLine(QStringLiteral("Time in Years"), 51,
                  RightAlignFigure(Format(input.term, QStringLiteral("###")), 14));
    }
    frame.emptyLines(1);

    const QString separator = QString(72, u'_');
    auto headings = [&frame, &separator] {
        frame.line(2, QStringLiteral("Year         Interest/Growth          Annual Income        Current Value"));
        frame.line(2, separator);
        frame.emptyLines(1);
    };
    headings();

    PrintYearTable(frame, data.GraphData, years, {13, 14, 13}, money, fixed ? 16 : 18, separator, symbol, headings);
}

QString RetirementHelpText(RetirementOption option, const QString &currencySymbol)
{
    if (option == RetirementOption::FixedAmount)
        return HelpPanelText(
            QStringLiteral(
                "RETIREMENT INCOME: A FIXED AMOUNT EACH MONTH\n"
                "\n"
                "Click any yellow box and type in numbers, deletes previous ones, then 'Calculate'. You may also "
                "pick a figure from the list of a box.\n"
                "\n"
                "EXAMPLE\n"
                "A capital of @100,000.00 earning 10% a year, with @1,000.00 withdrawn every month and a 0% "
                "increase: each year @12,000.00 is taken out while the capital earns a little less than "
                "@10,000.00, so the capital shrinks a little faster every year. The table shows the number of "
                "years before the capital is gone; its last row shows what remained paid out with that year's "
                "interest, and a current value of 0.00.\n"
                "\n"
                "A withdrawal larger than the growth always ends in the year the capital runs out. Type an "
                "increase percentage to raise the monthly amount every year and so keep up with inflation: "
                "3 raises @1,000.00 a month to @1,030.00 a month in the second year.\n"
                "\n"
                "If the Annual Income is less than the Interest/Growth rate then the calculation ends at 50 "
                "years.\n"
                "\n"
                "Interest is compounded monthly, at the monthly rate that gives exactly the yearly rate over a "
                "year. The table shows the annual totals of this monthly calculation: the interest/growth earned "
                "in the year, the income withdrawn in the year and the current value at its end.\n"
                "\n"
                "For more complex planning (a lump sum added later, a rate that changes) see 'How to Use the "
                "Program' in the main menu's help."),
            currencySymbol);
    return HelpPanelText(
        QStringLiteral(
            "RETIREMENT INCOME: A PERCENTAGE OF THE CURRENT VALUE\n"
            "\n"
            "Click any yellow box and type in numbers, deletes previous ones, then 'Calculate'. You may also pick "
            "a figure from the list of a box.\n"
            "\n"
            "EXAMPLE\n"
            "A lump sum of @100,000.00 invested at 20% for 25 years, withdrawing 15% of the current value every "
            "year: the first year's income is @15,000.00 and the value at its end @105,000.00. Because 5% more is "
            "earned than withdrawn, the income and the value both grow by 5% a year.\n"
            "\n"
            "The Annual Income Withdrawn is the interest/growth of the year plus, when the percentage withdrawn "
            "is higher than the interest/growth rate, the sale of some of the investments. A percentage higher "
            "than the rate makes the capital, and with it the income, smaller every year.\n"
            "\n"
            "Incomes and values are shown in whole cents, cut down; the total income is the sum of the income "
            "column. Interest is compounded once a year. The time is limited to 50 years."),
        currencySymbol);
}
