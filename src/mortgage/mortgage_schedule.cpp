#include "mortgage/mortgage_schedule.h"
#include "shell/core/message_numbers.h"

#include "shell/core/format.h"

#include <algorithm>
#include <cmath>

namespace {

// One row of the frequency list: payments a year, the periods a year the
// period rate is taken over, the payment as a share of the monthly one, and
// how the dates step.
struct FrequencyRow
{
    int paymentsPerYear;
    double periods; // 0: the two-week or weekly periods of the days-in-year choice
    double share;
    bool inDays;
    int step;
};

constexpr FrequencyRow Frequencies[] = {
    {12, 12, 1.0, false, 1},            // Monthly
    {24, 24, 0.5, false, 1},            // Semimonthly: every other row 14 days on
    {26, 0, 12.0 / 26.0, true, 14},     // 2 Weeks: the monthly payments' yearly sum
    {52, 0, 12.0 / 52.0, true, 7},      // 1 Week
    {26, 0, 0.5, true, 14},             // Biweekly(Acc): 13 monthly payments a year
    {52, 0, 0.25, true, 7},             // Weekly(Acc)
};

const FrequencyRow &FrequencyOf(int frequency)
{
    return Frequencies[frequency >= 0 && frequency < 6 ? frequency : 0];
}

const QString TablePattern = QStringLiteral("####,,###.00");
const QString LabelPattern = QStringLiteral("###,,###.00");

Money AsMoney(double value)
{
    return Money::fromDouble(value);
}

// Payment dates count from the first payment date, never from the date
// before, so 31 January gives 28 February and then 31 March.
QDate PaymentDate(const MortgageInput &input, const FrequencyRow &row, int k, QDate previous)
{
    const QDate first = input.firstDate;
    if (row.paymentsPerYear == 24)
        return k % 2 == 1 ? first.addMonths((k - 1) / 2) : previous.addDays(14);
    if (row.inDays)
        return first.addDays(qint64(row.step) * (k - 1));
    return first.addMonths(k - 1);
}

} // namespace

int CompoundingPeriods(int compounding)
{
    static constexpr int periods[] = {12, 6, 4, 2, 1};
    return periods[compounding >= 0 && compounding < 5 ? compounding : 0];
}

int PaymentsPerYearOf(int frequency)
{
    return FrequencyOf(frequency).paymentsPerYear;
}

Outcome<MortgageSchedule> CalculateMortgage(const MortgageInput &input)
{
    if (input.kind == MortgageKind::Mortgage && input.years >= Money::fromWhole(MortgageMaxYears + 1))
        return Outcome<MortgageSchedule>::refused(Msg40YearsLimit);
    // Nothing borrowed is a wrong entry, as a zero rate or term is, rather
    // than a schedule of empty payments.
    if (input.principal <= Money())
        return Outcome<MortgageSchedule>::refused(MsgWrongEntry);
    try {
        const FrequencyRow &frequency = FrequencyOf(input.frequency);
        const DaysRow &days = DaysInYearRow(input.daysOption);
        const int ppy = frequency.paymentsPerYear;
        double p = frequency.periods;
        if (p == 0)
            p = frequency.step == 14 ? days.biweekly : days.weekly;
        const double c = CompoundingPeriods(input.compounding);
        // A loan's months exactly: months / 12 to four decimals would change
        // the payment of a short loan.
        const double n = input.kind == MortgageKind::Loan ? input.months / 12.0 : input.years.toDouble();
        const double P = input.principal.toDouble();
        const double r = input.rate.toDouble() / 100;
        const double base = 1 + r / c;
        const double monthlyRate = std::pow(base, c / 12) - 1;
        const double periodRate = std::pow(base, c / p) - 1;
        const double v = 1 / std::pow(base, c * n);
        const double M = P * monthlyRate / (1 - v);
        if (!std::isfinite(M) || !std::isfinite(periodRate))
            throw ArithmeticFault("no payment");
        const double A = M * frequency.share;
        const double i = ppy == 12 ? monthlyRate : periodRate;

        MortgageSchedule schedule;
        schedule.paymentsPerYear = ppy;
        schedule.payment = A;
        schedule.rateFactor = periodRate;
        schedule.scheduledTotal = M * 12 * n;
        const double rowLimit = ppy == 12 ? 12 * n : (ppy == 52 ? 52 : 26) * n + 50;
        if (!(rowLimit < 1e6))
            throw ArithmeticFault("term out of range");
        const int N = int(std::nearbyint(rowLimit));

        double B = P;
        double I = P * i;
        double Q = A - I;
        double cumI = 0;
        double cumQ = 0;
        Money previousPrincipal;
        const bool datedRows = input.view == MortgageAllView && input.showDates;
        schedule.payments.reserve(std::min(N, MortgageMaxRows));
        for (int k = 1; k <= N; ++k) {
            if ((k - 1) % ppy == 0) {
                const int y = (k - 1) / ppy + 1;
                const Money E = y <= MortgageExtraYears ? input.extra[y] : Money();
                // An amount that would pay off the balance is not taken.
                if (E < AsMoney(B) - previousPrincipal) {
                    Q += E.toDouble();
                    if (E > Money())
                        schedule.appliedYears.append(y);
                }
            }
            const double rowI = I;
            const double rowQ = Q;
            B -= Q;
            I = i * B;
            Q = A - I;
            // The previous payment left the balance below zero: it was the last.
            if (rowI < 0)
                break;
            if (k > MortgageMaxRows)
                throw ArithmeticFault("schedule too long");
            cumI += rowI;
            cumQ += rowQ;
            MortgageRow row;
            row.number = k;
            row.year = (k - 1) / ppy + 1;
            row.interest = AsMoney(rowI);
            row.principal = AsMoney(rowQ);
            row.balance = AsMoney(B);
            row.cumulativeInterest = AsMoney(cumI);
            row.cumulativePrincipal = AsMoney(cumQ);
            if (datedRows)
                row.date = PaymentDate(input, frequency, k,
                                       schedule.payments.isEmpty() ? QDate() : schedule.payments.last().date);
            schedule.payments.append(row);
            previousPrincipal = row.principal;
        }
        if (schedule.payments.isEmpty())
            throw ArithmeticFault("no payment row");

        // The final payment is only what is still owed; before the first
        // payment that is the principal itself.
        const int L = schedule.lastPayment();
        if (B < 6.0) {
            MortgageRow &last = schedule.payments.last();
            const MortgageRow before = L > 1 ? schedule.payments.at(L - 2) : MortgageRow{0, 0, {}, {}, input.principal, {}, {}, {}};
            last.principal = before.balance;
            last.cumulativeInterest = before.cumulativeInterest + last.interest;
            last.cumulativePrincipal = before.cumulativePrincipal + last.principal;
            last.balance = before.balance - last.principal;
        }
        schedule.yearsToFinal = float(double(L) / ppy);

        if (input.view == MortgageAllView) {
            schedule.rows = schedule.payments;
        } else {
            // Every year that holds a payment, the final part-year included,
            // so the year rows add up to the payments.
            const int years = (L + ppy - 1) / ppy;
            for (int y = 1; y <= years; ++y) {
                MortgageRow total;
                total.number = y;
                total.year = y;
                for (int k = (y - 1) * ppy + 1; k <= std::min(y * ppy, L); ++k) {
                    const MortgageRow &row = schedule.payments.at(k - 1);
                    total.interest += row.interest;
                    total.principal += row.principal;
                    total.balance = row.balance;
                    total.cumulativeInterest = row.cumulativeInterest;
                    total.cumulativePrincipal = row.cumulativePrincipal;
                }
                if (input.showDates)
                    total.date = input.firstDate.addMonths(12 * (y - 1));
                schedule.rows.append(total);
            }
        }

        const MortgageRow &last = schedule.rows.last();
        schedule.totalPaid = last.cumulativeInterest + last.cumulativePrincipal;
        // Shown from the double itself: its four-decimal rounding can move a
        // figure such as 11,295.284988 up a cent.
        const double savings = schedule.scheduledTotal - schedule.totalPaid.toDouble();
        AsMoney(savings); // a figure beyond money is refused, as every other one
        schedule.savings = savings < 10 ? 0 : savings;
        return schedule;
    } catch (const ArithmeticFault &) {
        return Outcome<MortgageSchedule>::refused(MsgWrongEntry);
    }
}

MortgageResultTexts ResultTexts(const MortgageSchedule &schedule, const MortgageInput &input,
                                const QString &currencySymbol)
{
    MortgageResultTexts texts;
    texts.payment = RightAlignFigure(currencySymbol + Format(schedule.payment, LabelPattern), 12);
    texts.totalPaid = RightAlignFigure(currencySymbol + Format(schedule.totalPaid, LabelPattern), 12);
    texts.savings = RightAlignFigure(currencySymbol + Format(schedule.savings, LabelPattern), 12);
    texts.paymentsPerYear = RightAlignFigure(Format(schedule.paymentsPerYear, QStringLiteral("###")), 12);
    double time = double(schedule.lastPayment()) / schedule.paymentsPerYear;
    if (input.kind == MortgageKind::Loan)
        time *= 12;
    texts.timeToFinal = RightAlignFigure(Format(time, QStringLiteral("###.00")), 12);
    texts.rateFactor = Format(schedule.rateFactor, QStringLiteral("0.########"));
    const float days = DaysInYearRow(input.daysOption).days;
    if (schedule.paymentsPerYear == 12 || schedule.paymentsPerYear == 24)
        texts.daysInYear = QStringLiteral("Normal");
    else if (days == 365.25f)
        texts.daysInYear = Format(double(days), QStringLiteral("###.##"));
    else
        texts.daysInYear = Format(double(days), QStringLiteral("###"));
    return texts;
}

QString FirstColumnHeading(const MortgageInput &input)
{
    if (input.view == MortgageAnnualView)
        return QStringLiteral(" Payment  Year");
    return input.showDates ? QStringLiteral(" Payment  Date") : QStringLiteral("  Payment   No.  Year");
}

QString FirstColumnText(const MortgageRow &row, const MortgageInput &input, ScheduleColumnFor where)
{
    if (input.showDates)
        return Format(row.date, QStringLiteral("Short Date"));
    const bool paper = where == ScheduleColumnFor::Paper;
    const QString number = Format(row.number, QStringLiteral("####"));
    if (input.view == MortgageAllView)
        return RightAlignFigure(number, 4) + RightAlignFigure(Format(row.year, QStringLiteral("###")), paper ? 3 : 8);
    return RightAlignFigure(number, paper ? 5 : 4);
}

QList<QStringList> ScheduleGridRows(const MortgageSchedule &schedule, const MortgageInput &input,
                                    const QString &currencySymbol, int extraPaymentCount)
{
    QList<QStringList> grid;
    grid.reserve(schedule.rows.size() + 8 + schedule.appliedYears.size());
    for (const MortgageRow &row : schedule.rows) {
        grid.append({FirstColumnText(row, input, ScheduleColumnFor::Grid), Format(row.interest, TablePattern), Format(row.principal, TablePattern),
                     Format(row.balance, TablePattern), Format(row.cumulativeInterest, TablePattern),
                     Format(row.cumulativePrincipal, TablePattern)});
    }
    const MortgageRow &last = schedule.last();
    grid.append(QStringList(6));
    grid.append({QStringLiteral("Total:"), QString(), QString(), currencySymbol + Format(last.balance, TablePattern),
                 currencySymbol + Format(last.cumulativeInterest, TablePattern),
                 currencySymbol + Format(last.cumulativePrincipal, TablePattern)});
    if (extraPaymentCount > 0) {
        grid.append(QStringList(6));
        grid.append({QStringLiteral("Additional "), QStringLiteral("Payments  "), QStringLiteral("Applied  "), QString(),
                     QString(), QString()});
        grid.append(QStringList(6));
        for (int y : schedule.appliedYears)
            grid.append({QStringLiteral("Year  ") + RightAlignFigure(Format(y, QStringLiteral("###")), 3), QString(),
                         Format(input.extra[y], LabelPattern), QString(), QString(), QString()});
    }
    return grid;
}

int ScheduleGridRowCount(const MortgageSchedule &schedule, int extraPaymentCount)
{
    int rows = int(schedule.rows.size()) + 4;
    if (extraPaymentCount >= 1)
        rows += extraPaymentCount + 4;
    return std::max(rows, 23);
}

QString ExtraPaymentsBlock(const MortgageSchedule &schedule, const MortgageInput &input, int extraPaymentCount)
{
    if (extraPaymentCount <= 0)
        return QString();
    QString block = QStringLiteral("Additional  Payments     Applied\r\n\r\n");
    for (int y : schedule.appliedYears)
        block += QStringLiteral(" Year   ") + RightAlignFigure(Format(y, QStringLiteral("###")), 3) + QString(10, u' ') +
                 RightAlignFigure(Format(input.extra[y], LabelPattern), 12) + QStringLiteral("\r\n");
    return block;
}

qint64 DateSerial(QDate date)
{
    return date.isValid() ? QDate(1899, 12, 30).daysTo(date) : 0;
}

std::optional<int> TermInUnit(Money years, MortgageKind kind)
{
    if (years < Money() || years > Money::fromWhole(MortgageMaxYears))
        return std::nullopt;
    if (kind == MortgageKind::Mortgage) {
        const qint64 whole = years.floorUnits();
        return Money::fromWhole(whole) == years ? std::optional<int>(int(whole)) : std::nullopt;
    }
    // A loan's term is kept as months / 12 to four decimals: whole months
    // are those that give back exactly the figure kept.
    const int months = int(std::llround(years.toDouble() * 12));
    return Money::fromDouble(months / 12.0) == years ? std::optional<int>(months) : std::nullopt;
}
