#pragma once

#include "shell/core/money.h"
#include "shell/core/outcome.h"
#include "shell/core/tool_data.h"

#include <QList>
#include <QString>
#include <QStringList>


class PrintFrame;

// What the savings planner is given.
struct SavingsInput
{
    Money lumpSum;
    Money amount;    // invested at the start of each period
    QString frequency = QStringLiteral("Annually");
    Money rate;      // yearly interest/growth, percent
    Money increase;  // yearly increase of the amount, percent
    Money inflation; // yearly inflation, percent
    Money years;
};

struct SavingsPeriod
{
    Money invested;
    Money interest;
    Money value;
};

struct SavingsPlan
{
    int periodsPerYear = 1;
    qint16 periods = 0;
    QList<SavingsPeriod> rows; // periods 1 to N
    Money totalInvested;
    Money totalInterest; // final value less what was invested
    Money finalValue;
};

inline constexpr int SavingsMaxYears = 40;
inline constexpr int SavingsMaxEntries = 22;
inline constexpr int SavingsGridRows = 25;

// 1, 4 or 12 for "Annually", "Quarterly" and "Monthly"; 0 for anything else.
int PeriodsPerYear(const QString &frequency);

// Period by period: contributions at the start of each period, interest at
// the periodic equivalent of the yearly rate (held in single precision),
// the contribution raised and the value deflated every period. A figure no
// money value can hold gives message 3.
Outcome<SavingsPlan> CalculateSavings(const SavingsInput &input);

// The figures and tables as the window opens: slots 0 to 8, empty tables.
ToolData SavingsData();

// Planning: keeps the table and the year-end graph series; returns the grid
// body: the period rows, an empty row and the "Total:" row.
QList<QStringList> StoreSavingsPlan(ToolData &data, const SavingsPlan &plan, const QString &symbol);

// Comparisons: adds entry `entry` (1 to 22) to the graph tables and the
// printout blocks; returns its grid row.
QStringList StoreSavingsComparison(ToolData &data, const SavingsInput &input, const SavingsPlan &plan, int entry);

// Grid headings of the two modes, as the window opens.
QStringList SavingsPlanningHeadings();
QStringList SavingsComparisonHeadings();
// The first two planning headings once a frequency is calculated.
QStringList SavingsFrequencyHeadings(const QString &frequency);
// Rows of the planning grid for a frequency and term, heading included.
int SavingsGridRowsFor(const QString &frequency, int years);

// The printouts' own lines, between the header and the end of the document.
// The plan's figures are those it was calculated from.
void PrintSavingsPlan(PrintFrame &frame, const ToolData &data, const SavingsInput &input, int periods);
// The comparison lines stay as long as the grid shows them, so that a printout
// that failed loses none and each printout prints them all.
void PrintSavingsComparisons(PrintFrame &frame, const ToolData &data);

QString SavingsHelpText(const QString &currencySymbol);
