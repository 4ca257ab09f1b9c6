#pragma once

#include "retirement/retirement_fields.h"
#include "shell/core/money.h"
#include "shell/core/outcome.h"
#include "shell/core/tool_data.h"

#include <QList>
#include <QString>
#include <QStringList>

class PrintFrame;

// What the retirement planner is given; `drawn` and `term` follow the choice.
struct RetirementInput
{
    RetirementOption option = RetirementOption::Percentage;
    Money capital;
    Money rate;  // yearly interest/growth, percent
    Money drawn; // Percentage: percent of the value a year; Fixed Amount: the amount a month
    Money term;  // Percentage: years; Fixed Amount: yearly increase of the amount, percent
};

struct RetirementYear
{
    Money interest;
    Money income;
    Money value; // at the end of the year
};

struct RetirementPlan
{
    QList<RetirementYear> rows; // years 1 to Y
    Money totalInterest;
    Money totalIncome;
    Money finalValue;
    int years() const { return int(rows.size()); }
};

inline constexpr int RetirementMaxYears = 50;
inline constexpr int RetirementGridRows = 25;

// A share of the value withdrawn each year, the rest growing at the yearly
// rate. Incomes and values are whole cents, cut down, and the income total
// is the sum of the income column. Message 4 above 50 years, message 3 for
// no year at all, message 7 in the year an income would be more than the value.
Outcome<RetirementPlan> CalculatePercentage(const RetirementInput &input);
// A monthly amount, raised each year, interest at the monthly equivalent of
// the yearly rate; the table ends in the year the capital runs out, or after
// 50 years. Message 7 when a year's withdrawals are more than the capital.
Outcome<RetirementPlan> CalculateFixedAmount(const RetirementInput &input);
// Either, by the input's choice; a figure no money value can hold (or a zero
// monthly amount in the last year) gives message 3.
Outcome<RetirementPlan> CalculateRetirement(const RetirementInput &input);

// The figures and tables as the window opens: slots 0 to RetirementLastSlot, empty tables.
ToolData RetirementData();
// Keeps the table, the totals row, the graph request and the year count for
// the printout; returns the grid body: the year rows, an empty row and the
// "Total:" row.
QList<QStringList> StoreRetirementPlan(ToolData &data, const RetirementPlan &plan, RetirementOption option, const QString &symbol);
// Rows of the grid for a table of `years` years, heading included.
int RetirementGridRowsFor(int years);
QStringList RetirementHeadings();

// The printout's own lines, between the header and the end of the document,
// from the figures the table was calculated from.
void PrintRetirement(PrintFrame &frame, const ToolData &data, const RetirementInput &input, int years);

QString RetirementHelpText(RetirementOption option, const QString &currencySymbol);
