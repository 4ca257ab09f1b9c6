#include "invest/fund_printouts.h"

#include "invest/fund_database.h"
#include "invest/fund_values.h"
#include "shell/core/format.h"
#include "shell/print/print_frame.h"

namespace {

const QString RuleLine = QLatin1Char(' ') + QString(78, QLatin1Char('_'));

QString RA(Money value, const char *pattern, int width, const QString &prefix = QString())
{
    return RightAlignFigure(prefix + Format(value, QLatin1String(pattern)), width);
}

// After a record line or a fund: when the page is full, its number at the
// foot and the next page starts two lines down, with no headings.
void CheckPage(PrintFrame &frame, int &lines)
{
    if (!frame.pageFull(lines))
        return;
    frame.breakPage(2);
    lines = 3;
}

struct Totals
{
    Money shares, fees, divShares, cashDividend, book;
};

Totals PrintFund(PrintFrame &frame, const FundDatabase &db, int fund, const QString &symbol, int &lines)
{
    Totals t;
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        const FundRecord &record = db.record(slot);
        if (record.fundNumber.floorUnits() != fund)
            continue;
        const Money divShares = DivSharesValue(record);
        frame.line({{2, ListingTypeName(record.typeCode)},
                    {14, Format(record.date, QStringLiteral("Short Date"))},
                    {24, RA(record.price, "##,,##0.00", 9)},
                    {33, RA(record.shares, "##,,##0.000", 9)},
                    {42, RA(record.fees, "##,,##0.00", 9)},
                    {51, RA(divShares, "##,,##0.00", 9)},
                    {60, RA(record.cashDividend, "#,,##0.00", 9)},
                    {69, RA(record.bookValue, "###,,##0.00", 11)}});
        ++lines;
        t.shares += record.shares;
        t.fees += record.fees;
        t.cashDividend += record.cashDividend;
        t.book += record.bookValue;
        t.divShares += divShares;
        CheckPage(frame, lines);
    }
    // Unlike the window, the paper shows a negative average cost as it is.
    Money average;
    if (t.shares > Money::fromRaw(50))
        average = Money::fromDouble(t.book.toDouble() / t.shares.toDouble());
    frame.line(1, RuleLine);
    frame.emptyLines(1);
    frame.line({{2, QStringLiteral("Total:")},
                {31, RA(t.shares, "###,,###.000", 11)},
                {42, RA(t.fees, "##,,###.00", 9, symbol)},
                {51, RA(t.divShares, "##,,###.00", 9, symbol)},
                {60, RA(t.cashDividend, "##,,###.00", 9, symbol)},
                {69, RA(t.book, "###,,###.00", 11, symbol)}});
    frame.line(2, QStringLiteral("Average Cost per Share  =") + RA(average, "##,,###.0000", 10, symbol));
    lines += 4;
    return t;
}

QString PlainShare(Money share)
{
    QString text = share.toDecimalText();
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace

void PrintFundListing(PrintFrame &frame, const FundDatabase &db, int fund, const QString &symbol,
                      const QString &valueBlock)
{
    frame.line(32, FundName(db, fund));
    frame.emptyLines(2);
    frame.line(2, QStringLiteral("Trans-           Trade    Share   Number     Comm     Div.    Cash        Book"));
    frame.line(2, QStringLiteral("action            Date    Price   Shares     Fees   Shares    Div.       Value"));
    frame.line(1, RuleLine);
    frame.emptyLines(1);
    int lines = 9;
    if (fund != AllRecordsSlot) {
        PrintFund(frame, db, fund, symbol, lines);
    } else {
        Totals grand;
        for (int f = 1; f <= db.fundCount(); ++f) {
            frame.line(2, FundName(db, f));
            ++lines;
            const Totals t = PrintFund(frame, db, f, symbol, lines);
            frame.emptyLines(1);
            ++lines;
            grand.shares += t.shares;
            grand.fees += t.fees;
            grand.divShares += t.divShares;
            grand.cashDividend += t.cashDividend;
            grand.book += t.book;
        }
        frame.line(1, RuleLine);
        frame.emptyLines(1);
        frame.line({{2, QStringLiteral("Total all Funds:")},
                    {31, RA(grand.shares, "###,,###.00", 10)},
                    {42, RA(grand.fees, "##,,###.00", 9, symbol)},
                    {51, RA(grand.divShares, "##,,###.00", 9, symbol)},
                    {60, RA(grand.cashDividend, "##,,###.00", 9, symbol)},
                    {69, RA(grand.book, "###,,###.00", 11, symbol)}});
        lines += 3;
    }
    if (!valueBlock.isEmpty())
        frame.block(valueBlock);
}

void PrintValueTable(PrintFrame &frame, const FundDatabase &db, const QString &symbol, const QDate &valuationDate)
{
    const MoneyTable &v = db.valueTable();
    const AnnualReturns returns = FundAnnualReturns(db, valuationDate);
    // The annual return stands at the right of a fund's name line, its figure
    // under the gain or loss in percent; a name too long for both gives it
    // the empty line below. Either way the fund takes two lines.
    const auto nameLines = [&frame](const QString &name, const AnnualReturn &annual) {
        constexpr int LabelColumn = 54;
        const QString figure = AnnualReturnText(annual);
        const QString label = QStringLiteral("Annual Return %");
        const QString shown = RightAlignFigure(figure.isEmpty() ? QStringLiteral("none ") : figure, 8);
        if (2 + name.size() < LabelColumn) {
            frame.line({{2, name}, {LabelColumn, label}, {72, shown}});
            frame.emptyLines(1);
        } else {
            frame.line(2, name);
            frame.line({{LabelColumn, label}, {72, shown}});
        }
    };
    frame.line(30, QStringLiteral("Current Value of all Funds."));
    frame.emptyLines(1);
    frame.line(2, QStringLiteral("  Name of     Number         Book    Current      Current       Gain/    Gain/"));
    frame.line(2, QStringLiteral("     Fund     Shares         Cost      Price        Total      Loss ") + symbol +
                      QStringLiteral("   Loss %"));
    frame.line(1, RuleLine);
    frame.emptyLines(1);
    int lines = 10;
    const Money whole = v.value(AllRecordsSlot, ValueTotalColumn);
    for (int f = 1; f <= db.fundCount(); ++f) {
        const Money share = ShareOfTotal(v.value(f, ValueTotalColumn), whole);
        nameLines(FundName(db, f) + QStringLiteral(" (") + PlainShare(share) + QStringLiteral("%)"), returns.at(f));
        frame.line({{10, RA(v.value(f, ValueSharesColumn), "##,,###.0000", 12)},
                    {23, RA(v.value(f, ValueBookColumn), "####,,###.00", 12)},
                    {38, RA(v.value(f, ValuePriceColumn), "###.00", 8)},
                    {47, RA(v.value(f, ValueTotalColumn), "###,,###.00", 12)},
                    {60, RA(v.value(f, ValueGainColumn), "##,,###.00", 11)},
                    {72, RA(v.value(f, ValuePercentColumn), "##.00", 7) + QLatin1Char('%')}});
        frame.emptyLines(1);
        lines += 4;
        CheckPage(frame, lines);
    }
    frame.line(1, RuleLine);
    frame.emptyLines(1);
    frame.line({{2, QStringLiteral("Total: ") + RA(v.value(AllRecordsSlot, ValueSharesColumn), "###,,###.0000", 11)},
                {23, RA(v.value(AllRecordsSlot, ValueBookColumn), "###,,###.00", 12, symbol)},
                {47, RA(v.value(AllRecordsSlot, ValueTotalColumn), "###,,###.00", 12, symbol)},
                {60, RA(v.value(AllRecordsSlot, ValueGainColumn), "###,,###.00", 11, symbol)},
                {72, RA(v.value(AllRecordsSlot, ValuePercentColumn), "##0.00", 7) + QLatin1Char('%')}});
    nameLines(QString(), returns.at(AllRecordsSlot));
    frame.line(2, QStringLiteral("Annual returns are money-weighted, to ") +
                      Format(valuationDate, QStringLiteral("Short Date")) + QLatin1Char('.'));
    lines += 6;
    // The reason on a line of its own keeps every line within the page.
    for (const AnnualReturnNote &note : AnnualReturnNotes(db, returns)) {
        CheckPage(frame, lines);
        frame.line(2, QStringLiteral("No annual return for ") + note.name + QLatin1Char(':'));
        frame.line(6, note.reason + QLatin1Char('.'));
        lines += 2;
    }
}
