#pragma once

#include "mortgage/mortgage_fields.h"
#include "shell/core/money.h"
#include "shell/core/outcome.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The additional payment of each year, years 1 to 45 (index 0 unused).
inline constexpr int MortgageExtraYears = 45;
using ExtraPaymentTable = std::array<Money, MortgageExtraYears + 1>;

// The most rows a schedule holds: 40 years of weekly payments.
inline constexpr int MortgageMaxRows = 2100;

// The inputs of a mortgage or loan: what the schedule is calculated from,
// and all that a .umd or .uld file holds (never the results).
struct MortgageInput
{
    MortgageKind kind = MortgageKind::Mortgage;
    Money principal;
    Money rate;      // annual, percent
    Money years;     // the term in years in both kinds (a loan's months / 12 to four decimals)
    int months = 0;  // a loan's whole months as typed; its schedule runs these
    int compounding = 0; // index of the compounding list
    int frequency = 0;   // index of the frequency list
    MortgageView view = MortgageAnnualView;
    bool showDates = false;
    QDate firstDate;
    int daysOption = 1;
    ExtraPaymentTable extra{};
    int extraYears = 0;        // years the additional payments offer (a file's year records)
    int extraPaymentCount = 0; // of those, the years with an amount
};

// The term as a window of the kind shows it, whole years or whole months;
// nothing when that unit cannot hold it (a 50-month loan in years).
std::optional<int> TermInUnit(Money years, MortgageKind kind);

// One row of the schedule: a payment, or in the Annual view a year.
struct MortgageRow
{
    int number = 0; // payment number, or year number
    int year = 0;   // the year the payment falls in
    Money interest;
    Money principal;
    Money balance;
    Money cumulativeInterest;
    Money cumulativePrincipal;
    QDate date; // when dates are shown
};

struct MortgageSchedule
{
    QList<MortgageRow> payments; // every payment, 1 to lastPayment
    QList<MortgageRow> rows;     // what the view shows: the payments, or one row per year
    int paymentsPerYear = 12;
    double payment = 0;    // the amount of each payment
    double rateFactor = 0; // interest rate per period of the frequency
    double scheduledTotal = 0; // twelve monthly payments a year over the term
    float yearsToFinal = 0;
    Money totalPaid;
    double savings = 0; // the scheduled total less the total paid, unrounded; below 10 shown as 0
    QList<int> appliedYears; // years whose additional payment was applied
    int lastPayment() const { return int(payments.size()); }
    const MortgageRow &last() const { return rows.last(); }
};

// Compounding periods per year of a compounding choice.
int CompoundingPeriods(int compounding);
int PaymentsPerYearOf(int frequency);

// The schedule: message 5 for a mortgage term above 40 years, message 3 when
// the figures give no schedule (no principal, a zero rate or term, an
// overflow, or more than 2,100 rows).
Outcome<MortgageSchedule> CalculateMortgage(const MortgageInput &input);

// The result labels' texts, in the window's order: payment, total paid,
// interest savings, payments each year, time to the final payment (years,
// or months for a loan), interest rate factor, days in year.
struct MortgageResultTexts
{
    QString payment;
    QString totalPaid;
    QString savings;
    QString paymentsPerYear;
    QString timeToFinal;
    QString rateFactor;
    QString daysInYear;
};
MortgageResultTexts ResultTexts(const MortgageSchedule &schedule, const MortgageInput &input,
                                const QString &currencySymbol);

// The heading of the grid's first column for the view.
QString FirstColumnHeading(const MortgageInput &input);
// Where a schedule row's first column is shown; each spaces its figures
// in its own widths.
enum class ScheduleColumnFor { Grid, Paper };
// The first column of a schedule row: the payment's date when dates are
// shown, else its number and year (All view) or the year (Annual view).
QString FirstColumnText(const MortgageRow &row, const MortgageInput &input, ScheduleColumnFor where);
// The grid below its heading row: the schedule rows, the totals two rows
// after the last, and the applied additional payments listed below.
QList<QStringList> ScheduleGridRows(const MortgageSchedule &schedule, const MortgageInput &input,
                                    const QString &currencySymbol, int extraPaymentCount);
// Rows of the grid, heading included, for the schedule.
int ScheduleGridRowCount(const MortgageSchedule &schedule, int extraPaymentCount);
// The block of applied additional payments the printout ends with; empty
// when no additional payment was entered.
QString ExtraPaymentsBlock(const MortgageSchedule &schedule, const MortgageInput &input, int extraPaymentCount);

// Day serial of a date as the schedule table keeps it (days since 30 December 1899).
qint64 DateSerial(QDate date);
