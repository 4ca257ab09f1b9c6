#include "plan401k/plan401k_plan.h"
#include "shell/core/message_numbers.h"

#include <cmath>

namespace {

// Whole years, halves to the even number.
double WholeYears(Money years)
{
    return std::nearbyint(years.toDouble());
}

} // namespace

Outcome<Plan401KPlan> Calculate401K(const Plan401KInput &input)
{
    const double years = WholeYears(input.years);
    if (years > Plan401KMaxYears)
        return Outcome<Plan401KPlan>::refused(Msg50YearsLimit);
    // A plan of no whole year has no row to show and no total to make.
    if (years < 1)
        return Outcome<Plan401KPlan>::refused(MsgWrongEntry);

    Plan401KPlan plan;
    plan.years = int(years);
    try {
        const double combined = input.contribution.toDouble() / 100 + input.company.toDouble() / 100;
        const double raise = input.raise.toDouble() / 100;
        const float rateOfReturn = float(input.rateOfReturn.toDouble() / 100);
        const double inflation = input.inflation.toDouble() / 100;

        double salary = input.salary.toDouble();
        Money contribution = Money::fromDouble(salary * combined);

        // Year 1: balance, contribution and interest are money, so their sum
        // is exact; it becomes a double only when deflated or carried on.
        const Money firstBase = input.balance + contribution;
        Money interest = Money::fromDouble(firstBase.toDouble() * double(rateOfReturn));
        Money firstValue = firstBase + interest;
        double value = firstValue.toDouble();
        if (inflation != 0) {
            value -= inflation * value;
            firstValue = Money::fromDouble(value);
        }
        plan.totalInvested = firstBase;
        plan.rows.reserve(plan.years);
        plan.rows.append({input.salary, contribution, interest, firstValue});

        for (int y = 2; y <= plan.years; ++y) {
            salary += salary * raise;
            contribution = Money::fromDouble(contribution.toDouble() + contribution.toDouble() * raise);
            // This year's contribution goes in with this year's row.
            const double base = value + contribution.toDouble();
            interest = Money::fromDouble(base * double(rateOfReturn));
            value = base + interest.toDouble();
            value -= inflation * value;
            plan.totalInvested += contribution;
            plan.rows.append({Money::fromDouble(salary), contribution, interest, Money::fromDouble(value)});
        }
        plan.finalValue = plan.rows.last().value;
        plan.totalInterest = plan.finalValue - plan.totalInvested;
    } catch (const ArithmeticFault &) {
        return Outcome<Plan401KPlan>::refused(MsgWrongEntry);
    }
    return plan;
}
