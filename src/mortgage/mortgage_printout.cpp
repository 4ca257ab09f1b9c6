#include "mortgage/mortgage_printout.h"

#include "shell/format.h"
#include "shell/print_frame.h"
#include "shell/print_job.h"

namespace {

// No page footer follows the additional payments, so they may use the room
// a page keeps for one.
constexpr int FooterRoom = 4;

QString Figure(const QString &text, int width)
{
    return RightAlignFigure(text, width);
}

} // namespace

void PrintMortgage(PrintFrame &frame, const MortgageInput &input, const MortgageSchedule &schedule,
                   const QString &extraBlock)
{
    const bool loan = input.kind == MortgageKind::Loan;
    const QString &symbol = frame.currencySymbol();
    const QString separator(75, u'_');
    const QString table = QStringLiteral("####,,###.00");
    int count = 24;

    frame.line(32, loan ? QStringLiteral(" Personal Loan Table") : QStringLiteral(" Mortgage Table"));
    const QString lineA =
        QStringLiteral(" Payment    Interest   Principal     Remaining    Cumulative     Cumulative");
    QString lineB;
    if (input.view == MortgageAnnualView)
        lineB = QStringLiteral("  Year       Payment     Payment       Balance      Interest      Principal");
    else if (input.showDates)
        lineB = QStringLiteral("   Date      Payment     Payment       Balance      Interest      Principal");
    else
        lineB = QStringLiteral("No. Year     Payment     Payment       Balance      Interest      Principal");
    auto headings = [&] {
        frame.line(2, lineA);
        frame.line(2, lineB);
        frame.line(2, separator);
        frame.emptyLines(1);
    };
    frame.line(2, separator);
    frame.emptyLines(1);
    if (loan) {
        frame.line(2, QStringLiteral("Principal      Annual        Length of      Interest           Frequency"));
        frame.line(2, QStringLiteral("amount of      interest      the loan       compounding        and type of"));
        frame.line(2, QStringLiteral("the loan.      rate(%).      in months.     periods in year.   each payment"));
    } else {
        frame.line(2, QStringLiteral("Principal      Annual        Amortization   Interest           Frequency"));
        frame.line(2, QStringLiteral("amount of      interest      period in      compounding        and type of"));
        frame.line(2, QStringLiteral("mortgage.      rate(%).      years.         periods in year.   each payment"));
    }
    frame.emptyLines(1);
    const Money term = loan ? Money::fromWhole(input.months) : input.years;
    frame.line({{2, Figure(symbol + Format(input.principal, QStringLiteral("###,,###.00")), 11)},
                {15, Figure(Format(input.rate, QStringLiteral("###.000")), 8) + QLatin1Char('%')},
                {29, Figure(Format(term, QStringLiteral("###")), 4)},
                {40, Figure(CompoundingItems().value(input.compounding), 16)},
                {61, Figure(FrequencyItems().value(input.frequency), 16)}});
    frame.line(2, separator);
    frame.emptyLines(1);

    frame.line(2, loan ? QStringLiteral("Days   Interest    No. of     No. months Principal   Total paid    Total of")
                       : QStringLiteral("Days   Interest    No. of     No. years  Principal   Total paid    Total of"));
    frame.line(2, QStringLiteral("in     rate        payments   to final   + Interest  over life     interest"));
    frame.line(2, loan ? QStringLiteral("year   factor      each year  payment    payment     of the loan   savings")
                       : QStringLiteral("year   factor      each year  payment    payment     of mortgage   savings"));
    const MortgageResultTexts texts = ResultTexts(schedule, input, symbol);
    double time = double(schedule.lastPayment()) / schedule.paymentsPerYear;
    if (loan)
        time *= 12;
    frame.line({{2, texts.daysInYear},
                {9, Figure(texts.rateFactor, 10)},
                {19, Figure(Format(schedule.paymentsPerYear, QStringLiteral("###.00")), 7)},
                {31, Figure(Format(time, QStringLiteral("###.00")), 6)},
                {40, Figure(symbol + Format(schedule.payment, QStringLiteral("##,,###.00")), 10)},
                {53, Figure(symbol + Format(schedule.totalPaid, QStringLiteral("###,,###.00")), 12)},
                {65, Figure(symbol + Format(schedule.savings, QStringLiteral("####,,###.00")), 12)}});
    frame.line(2, separator);
    frame.emptyLines(1);
    headings();

    for (const MortgageRow &row : schedule.rows) {
        frame.line({{2, FirstColumnText(row, input, ScheduleColumnFor::Paper)},
                    {13, Figure(Format(row.interest, table), 9)},
                    {25, Figure(Format(row.principal, table), 9)},
                    {36, Figure(Format(row.balance, table), 12)},
                    {50, Figure(Format(row.cumulativeInterest, table), 12)},
                    {65, Figure(Format(row.cumulativePrincipal, table), 12)}});
        if (frame.pageFull(++count)) {
            // This printout starts its pages one line down, where the year tables leave three.
            frame.breakPage(1, headings);
            count = 7;
        }
    }

    const MortgageRow &last = schedule.last();
    frame.line(2, separator);
    frame.emptyLines(1);
    frame.line({{2, QStringLiteral("Total:")},
                {36, Figure(Format(last.balance, table), 12)},
                {50, Figure(Format(last.cumulativeInterest, table), 12)},
                {65, Figure(Format(last.cumulativePrincipal, table), 12)}});

    if (!extraBlock.isEmpty()) {
        const int blockLines = int(schedule.appliedYears.size()) + 4;
        if (count + blockLines > frame.LinesPerPage() + FooterRoom)
            frame.breakPage(1, headings);
        frame.emptyLines(1);
        frame.job().tab(2);
        frame.block(extraBlock);
    }
}
