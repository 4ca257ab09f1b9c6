#pragma once

#include "shell/core/tool_fields.h"

#include <QString>
#include <QStringList>

// Slots of InputValues the mortgage fields fill. Slot 3 holds the term in
// years in both modes (months / 12 to four decimals for a loan); a loan's
// term field stores the whole months typed in slot 4, which the schedule
// uses, so that a 7-month loan is calculated over exactly 7 months.
enum MortgageSlot {
    MortgagePrincipalSlot = 1,
    MortgageRateSlot = 2,
    MortgageYearsSlot = 3,
    MortgageMonthsSlot = 4,
    MortgageLastSlot = 5
};

// The menu's two entries.
enum class MortgageKind : qint16 { Mortgage = 1, Loan = 2 };

// The mortgage window's views: one row per payment, or one per year.
enum MortgageView : qint16 { MortgageAnnualView = 1, MortgageAllView = 2 };

inline constexpr int MortgageMaxYears = 40;
inline constexpr int LoanMaxMonths = 480;

// The two lists, as the window shows them (leading spaces included).
QStringList CompoundingItems();
QStringList FrequencyItems();
// The index of a list text: the window's own text, or on the command line
// the name without its spaces in any case ("semiannual", "2 weeks").
// -1 for a text that names no item.
int CompoundingIndex(const QString &text);
int FrequencyIndex(const QString &text);

// One row of the days-in-year choice: the periods per year of the two-week
// and weekly payments are the days divided by 14 and 7, kept as the
// eight-decimal constants the banks' tables print.
struct DaysRow
{
    const char *caption;
    double biweekly;
    double weekly;
    float days;
};
inline constexpr int DaysOptionCount = 4;
const DaysRow &DaysInYearRow(int option);
// The option for "365.25", "365", "364" or "363"; -1 for anything else.
int DaysOptionFromText(const QString &text);

// The window's fields in each mode.
FieldTable MortgageFields();
FieldTable LoanFields();
FieldTable MortgageKindFields(MortgageKind kind);

// The date box of the first payment's dialog.
FieldTable FirstDateFields();

// The two lists' control names.
inline constexpr const char *CompoundingControl = "Comperiod";
inline constexpr const char *FrequencyControl = "FreqPmt";
