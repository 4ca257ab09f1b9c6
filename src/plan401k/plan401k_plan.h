#pragma once

#include "shell/core/money.h"
#include "shell/core/outcome.h"

#include <QList>

// What the 401(k) planner is given; rates are percentages.
struct Plan401KInput
{
    Money balance; // in the account today
    Money salary;  // this year's salary
    Money contribution;
    Money company;
    Money raise;
    Money rateOfReturn;
    Money inflation;
    Money years;
};

struct Plan401KYear
{
    Money salary;
    Money contribution; // the employee's and the company's, paid in this year
    Money interest;
    Money value; // at the end of the year, after inflation
};

struct Plan401KPlan
{
    int years = 0;
    QList<Plan401KYear> rows; // years 1 to N
    Money totalInvested;      // the balance and every contribution
    Money totalInterest;      // final value less what was invested
    Money finalValue;
};

inline constexpr int Plan401KMaxYears = 50;

// Year by year: the salary rises by the raise, the combined contribution
// (a money value) rises by the same rate, each year's contribution is paid
// in at the start of that year and earns the rate of return (held in single
// precision) with it, and the value is deflated after the interest. 51 years
// or more is message 4; no whole year, or a figure no money value can hold,
// is message 3.
Outcome<Plan401KPlan> Calculate401K(const Plan401KInput &input);
