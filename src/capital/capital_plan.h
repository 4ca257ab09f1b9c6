#pragma once

#include "capital/capital_fields.h"
#include "shell/core/money.h"
#include "shell/core/outcome.h"
#include "shell/core/tool_data.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class PrintFrame;

// What the capital planner is given, as typed.
struct CapitalInput
{
    CapitalOption option = CapitalOption::Capital;
    Money amount; // the capital wanted, or the yearly income wanted
    Money rate;   // yearly interest/growth, percent
    Money years;
};

struct CapitalYear
{
    Money invested;
    Money interest; // the year's interest as shown: rounded to cents from year 2 on
    Money value;    // at the end of the year
};

struct CapitalPlan
{
    Money capital; // the capital to build: the amount, or the capital behind the income
    Money payment; // invested at the start of every year
    int years = 0;
    QList<CapitalYear> rows; // years 1 to T
    Money totalInvested;
    Money totalInterest;
    Money finalValue;
    // The same three totals as worked, unrounded: the "Total:" row shows
    // these, so that a sum such as 0.694999... shows .69, not the .70 of its
    // four-decimal rounding.
    std::array<double, 3> totals{};
};

inline constexpr int CapitalGridRows = 25;

// The yearly investment, paid at the start of each year, that builds the
// capital by the end of the term, and the table year by year. More than 50
// years gives message 4; a rate or term of 0, and any figure no money value
// can hold, give message 3.
Outcome<CapitalPlan> CalculateCapital(const CapitalInput &input);

// The figures and tables as the window opens: slots 0 to CapitalLastSlot, empty tables.
ToolData CapitalData();
// Keeps the table in the graph feed and returns the grid body: the year
// rows, an empty row and the "Total:" row.
QList<QStringList> StoreCapitalPlan(ToolData &data, const CapitalPlan &plan, const QString &symbol);

QStringList CapitalHeadings();
// Rows of the grid for a term, heading included.
int CapitalGridRowsFor(int years);

// The printout's own lines, from the figures the plan was calculated from,
// the table in the graph feed and the plan's unrounded totals.
void PrintCapitalPlan(PrintFrame &frame, const ToolData &data, const CapitalInput &input, const CapitalPlan &plan);

QString CapitalHelpText(CapitalOption option, const QString &currencySymbol);
