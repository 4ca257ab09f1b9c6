#pragma once

#include "shell/core/money.h"
#include "shell/core/outcome.h"
#include "shell/core/tool_data.h"

#include <QList>
#include <QString>
#include <QStringList>

class PrintFrame;

// The annual compound growth of an investment that cost C and is worth V
// after T years, and its total gain.
struct CompoundGrowth
{
    Money cost;
    Money value;
    int years = 0;
    double rate = 0; // per year, 0.148698 for 14.8698%
    double gain = 0; // over the whole term
    // Value at the end of years 1 to T, whole currency units.
    QList<qint64> yearEnds;
};

inline constexpr int CompoundGrowthMaxYears = 50;
inline constexpr int CompoundGrowthMaxResults = 22;
inline constexpr int CompoundGrowthGridRows = 24;

// Checks the inputs (messages 4, 3 and 6, in that order) and computes.
Outcome<CompoundGrowth> CalculateCompoundGrowth(Money cost, Money value, Money years, int resultCount);

// The figures and tables as the window opens: slots 0 to 3, empty tables.
ToolData CompoundGrowthData();

// Adds one result: the year table, the comparison entry, the printout block
// and the result count. Returns the grid row's cells.
QStringList AddCompoundGrowthResult(ToolData &data, const CompoundGrowth &result, const QString &name,
                                    const QString &symbol);

// The grid's column headings.
QStringList CompoundGrowthHeadings();

// The printout's own lines, between the header and the end of the document.
void PrintCompoundGrowth(PrintFrame &frame, const ToolData &data);

// The Quick Help text of the window, with the user's currency symbol.
QString CompoundGrowthHelpText(const QString &currencySymbol);
