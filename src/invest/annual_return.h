#pragma once

#include "shell/core/money.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The money-weighted annual return of a series of cash flows: the yearly
// rate r at which the flows, each discounted by (1 + r)^(days / 365) from
// the first flow's day, add up to nothing (the XIRR of spreadsheets).

// Money paid out by the investor is negative, money received positive.
struct CashFlow
{
    QDate date;
    Money amount;
};

struct AnnualReturn
{
    // The yearly rate as a fraction (0.095 for 9.5%); none when no single
    // rate balances the flows.
    std::optional<double> rate;
    // Why there is no rate, in one line; empty when there is one.
    QString note;

    // The rate in percent, rounded to four decimals.
    std::optional<Money> percent() const;
};

// The rates the solver looks between: -99.99% to 1,000,000% a year.
inline constexpr double LowestAnnualReturn = -0.9999;
inline constexpr double HighestAnnualReturn = 10000.0;

// The return of `flows` (in any order, several on a day allowed) together
// with `value`, what is held on `valuationDate`. No rate, with the reason,
// when a flow comes after the valuation date, no money went in, everything
// was sold before the valuation date, every flow falls on one day, the flows
// never change sign, or no rate or more than one rate in the range balances
// them.
AnnualReturn SolveAnnualReturn(const QList<CashFlow> &flows, QDate valuationDate, Money value);
