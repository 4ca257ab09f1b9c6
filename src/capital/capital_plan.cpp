#include "capital/capital_plan.h"
#include "shell/core/message_numbers.h"

#include "shell/core/tool_data.h"
#include "shell/core/format.h"
#include "shell/print/print_frame.h"

#include <cmath>

namespace {

// A step that leaves the numbers (a rate or a term of 0, growth beyond any
// double) is an arithmetic fault, as it is for money.
double Checked(double value)
{
    if (!std::isfinite(value))
        throw ArithmeticFault("no finite figure");
    return value;
}

// income x 100 / rate, carried exactly and rounded once, half to even: an
// income whose hundredfold money cannot hold may still have a capital it can.
Money CapitalForIncome(Money income, Money rate)
{
    return income.mulDiv(100, rate);
}

const QString Pattern = QStringLiteral("####,,###.00");
// Totals show a digit before the point: $0.69, not $.69.
const QString TotalPattern = QStringLiteral("####,,##0.00");

} // namespace

Outcome<CapitalPlan> CalculateCapital(const CapitalInput &input)
{
    const qint64 years = input.years.floorUnits();
    if (years > CapitalMaxYears)
        return Outcome<CapitalPlan>::refused(Msg50YearsLimit);
    CapitalPlan plan;
    try {
        if (years < 1)
            throw ArithmeticFault("no whole year");
        plan.years = int(years);
        // The capital whose yearly interest at the same rate is the income;
        // a rate of 0 has no such capital (division by zero faults).
        plan.capital = input.option == CapitalOption::Income ? CapitalForIncome(input.amount, input.rate)
                                                             : input.amount;
        const double a = plan.capital.toDouble();
        const double i = input.rate.toDouble() / 100;
        const double factor = Checked((std::pow(1 + i, plan.years) - 1) / i);
        const double payment = Checked(a / ((1 + i) * factor));
        plan.payment = Money::fromDouble(payment);

        // The interest carried on stays unrounded; the one shown is rounded
        // half up to cents from the second year on.
        double value = 0;
        double interest = i * payment;
        double invested = 0;
        double earned = 0;
        double shown = i * payment;
        plan.rows.reserve(plan.years);
        for (int y = 1; y <= plan.years; ++y) {
            value = Checked(value + payment + interest);
            invested += payment;
            earned += interest;
            plan.rows.append({plan.payment, Money::fromDouble(shown), Money::fromDouble(value)});
            interest = i * (value + payment);
            shown = std::floor(100 * i * (value + payment) + 0.5) / 100;
        }
        plan.totalInvested = Money::fromDouble(invested);
        plan.totalInterest = Money::fromDouble(earned);
        plan.finalValue = Money::fromDouble(value);
        plan.totals = {invested, earned, value};
    } catch (const ArithmeticFault &) {
        return Outcome<CapitalPlan>::refused(MsgWrongEntry);
    }
    return plan;
}

ToolData CapitalData()
{
    ToolData data(CapitalLastSlot);
    data.GraphData.recreate(101, 5);
    return data;
}

QList<QStringList> StoreCapitalPlan(ToolData &data, const CapitalPlan &plan, const QString &symbol)
{
    const int n = plan.years;
    QList<YearFigures> rows;
    for (const CapitalYear &row : plan.rows.mid(0, n))
        rows.append({row.invested, row.interest, row.value});
    const QList<QStringList> grid = StoreYearTable(data.GraphData, rows,
                                                   {plan.totalInvested, plan.totalInterest, plan.finalValue}, n + 1,
                                                   symbol);
    QList<QStringList> shown = grid;
    QStringList &totals = shown.last();
    for (int c = 0; c < 3; ++c)
        totals[c + 1] = symbol + Format(plan.totals[size_t(c)], TotalPattern);
    data.ResultCount = qint16(n);
    data.GraphTitle = QStringLiteral("Investment value at end of each Year");
    return shown;
}

QStringList CapitalHeadings()
{
    return {QStringLiteral("Year Number"), QStringLiteral("        Annual       Investment"),
            QStringLiteral("Interest/Growth Compounded"), QStringLiteral("             Current              Value")};
}

int CapitalGridRowsFor(int years)
{
    return std::max(years + 4, CapitalGridRows);
}

void PrintCapitalPlan(PrintFrame &frame, const ToolData &data, const CapitalInput &input, const CapitalPlan &plan)
{
    const int years = plan.years;
    const QString &symbol = frame.currencySymbol();
    const bool income = input.option == CapitalOption::Income;
    frame.line(22, income ? QStringLiteral("Amount of Annual Income Required")
                          : QStringLiteral("Amount of Annual Investment Required"));
    frame.emptyLines(2);
    // The amount as typed: for the income option the income, not the capital behind it.
    frame.line({{2, income ? QStringLiteral("Amount of Income required on Retirement.")
                           : QStringLiteral("Amount of Capital required on Retirement.")},
                {52, RightAlignFigure(symbol + Format(input.amount, QStringLiteral("##,,###.00")), 14)}});
    frame.emptyLines(1);
    frame.line({{2, QStringLiteral("Annual Interest/Growth Rate(%).")},
                {53, RightAlignFigure(Format(input.rate.toDouble() / 100, QStringLiteral("###.00%")), 14)}});
    frame.emptyLines(1);
    frame.line({{2, QStringLiteral("At the end of how many Years.")},
                {52, RightAlignFigure(Format(input.years, QStringLiteral("###")), 14)}});
    frame.emptyLines(1);
    frame.emptyLines(1);

    const QString separator = QString(72, u'_');
    auto headings = [&] {
        frame.line(2, QStringLiteral("Year        Annual Investment      Interest/Growth         Current Value"));
        frame.line(2, separator);
        frame.emptyLines(1);
    };
    headings();

    const std::array<int, 3> widths{14, 13, 13};
    PrintYearRows(frame, data.GraphData, years, widths, Pattern, 16, headings);
    // The totals as the grid shows them, from the unrounded sums.
    frame.line(2, separator);
    frame.emptyLines(1);
    auto total = [&](size_t c) { return RightAlignFigure(symbol + Format(plan.totals[c], Pattern), widths[c]); };
    frame.line({{2, QStringLiteral("Total:")},
                {YearTableColumns[0], total(0)},
                {YearTableColumns[1], total(1)},
                {YearTableColumns[2], total(2)}});
}

QString CapitalHelpText(CapitalOption option, const QString &currencySymbol)
{
    const QString common = QStringLiteral(
        "\n"
        "Click any yellow box and type in numbers, deletes previous ones, then 'Calculate'. You may also pick "
        "a figure from the list of a box (the arrow at its right, or the Up and Down keys).\n"
        "\n"
        "The investment is made at the start of every year and earns interest from that day; the interest is "
        "compounded once a year. The grid shows, year by year, the amount invested, the interest/growth of the "
        "year (rounded to cents) and the value at the end of the year; the totals are below the table.\n"
        "\n"
        "The rate cannot be 0 and the term is 1 to 50 years. 'Show Graph' draws the value at the end of each "
        "year.");
    if (option == CapitalOption::Income)
        return HelpPanelText(
            QStringLiteral(
                "ANNUAL INCOME REQUIRED OPTION\n"
                "\n"
                "How much must you invest every year to retire with a given yearly income? The income is taken "
                "as the interest of a capital at the same rate, so the capital is the income times 100 divided "
                "by the rate; the table then builds that capital.\n"
                "\n"
                "EXAMPLE\n"
                "An annual income of @40,000.00 in 25 years at 20%: the capital that gives it is @200,000.00 "
                "(20% of it is @40,000.00 a year). Investing @353.12 at the start of every year for 25 years "
                "builds it.\n") +
                common,
            currencySymbol);
    return HelpPanelText(
        QStringLiteral("AMOUNT OF CAPITAL REQUIRED OPTION\n"
                       "\n"
                       "How much must you invest every year to have a given capital by the end of a number of "
                       "years?\n"
                       "\n"
                       "EXAMPLE\n"
                       "A capital of @100,000.00 in 25 years at 20%: invest @176.56 at the start of every year. "
                       "After 25 years you have put in @4,414.02; the interest/growth brings the value to "
                       "@100,000.00.\n") +
            common,
        currencySymbol);
}
