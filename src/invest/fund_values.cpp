#include "invest/fund_values.h"

#include "invest/fund_database.h"
#include "shell/core/format.h"
#include "shell/core/message_numbers.h"

namespace {

const QString Money4 = QStringLiteral("####,,###.0000");
const QString Money2 = QStringLiteral("####,,###.00");
const QString Small2 = QStringLiteral("###,,###.00");
constexpr int GridColumns = 8;
constexpr int ValueTableColumns = 9;
constexpr int ValueTableRows = 35;
const Money Small = Money::fromRaw(50); // 0.005
__extension__ typedef __int128 Wide;

qint64 FundOf(const FundRecord &record)
{
    return record.fundNumber.floorUnits();
}

// A / b x 100 in double precision, kept as money.
Money Percent(Money a, Money b)
{
    return Money::fromDouble(a.toDouble() / b.toDouble() * 100.0);
}


} // namespace

int FirstEmptyFund(const FundDatabase &db)
{
    for (int fund = 1; fund <= db.fundCount(); ++fund) {
        if (FundName(db, fund).isEmpty())
            continue;
        const qint64 number = qint64(LeadingNumber(db.fundNumberText(fund)));
        bool found = false;
        for (int slot = 1; slot <= db.recordCount() && !found; ++slot)
            found = FundOf(db.record(slot)) == number;
        if (!found)
            return fund;
    }
    return 0;
}

void PreparePriceTable(FundDatabase &db)
{
    // Widened for the price window; the prices typed so far stay.
    db.resetValues(LastValueColumn);
}

QList<QStringList> PriceGridRows(const FundDatabase &db)
{
    QList<QStringList> rows;
    for (int fund = 1; fund <= db.fundCount(); ++fund) {
        const Money price = db.price(fund);
        rows.append({FundName(db, fund), price.isZero() ? QString() : Format(price, Money2)});
    }
    return rows;
}

MessageNumber CollectHoldings(FundDatabase &db)
{
    PreparePriceTable(db);
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        const FundRecord &record = db.record(slot);
        const qint64 fund = FundOf(record);
        if (fund < 1 || fund > db.fundCount())
            continue;
        db.addToValue(int(fund), ValueSharesColumn, record.shares);
        db.addToValue(int(fund), ValueBookColumn, record.bookValue);
        if (record.typeCode != QLatin1String("S"))
            db.addToValue(int(fund), ValueInvestedColumn, record.bookValue);
    }
    for (int fund = 1; fund <= db.fundCount(); ++fund) {
        if (FundName(db, fund).isEmpty())
            continue;
        if (db.price(fund) <= Money() && !db.value(fund, ValueSharesColumn).isZero()) {
            PreparePriceTable(db);
            return MsgMissingPrice;
        }
    }
    return MsgNone;
}

Money ShareOfTotal(Money fundTotal, Money total)
{
    if (fundTotal <= Money() || total <= Money())
        return Money();
    // Hundredths of a percent, cut: fund x 10000 / total on the raw figures.
    const Wide hundredths = Wide(fundTotal.raw()) * 10000 / total.raw();
    return Money::fromRaw(qint64(hundredths) * 100);
}

void ComputeCurrentValues(FundDatabase &db)
{
    const MoneyTable &values = db.valueTable();
    for (int column : {ValueSharesColumn, ValueBookColumn, ValueTotalColumn, ValueGainColumn, ValuePercentColumn,
                       ValueInvestedColumn})
        db.setValue(AllRecordsSlot, column, Money());
    for (int f = 1; f <= db.fundCount(); ++f) {
        const Money book = values.value(f, ValueBookColumn);
        const Money invested = values.value(f, ValueInvestedColumn);
        const Money total = values.value(f, ValuePriceColumn) * values.value(f, ValueSharesColumn);
        const Money gain = total - book;
        Money percent = book.isZero() ? Money::fromWhole(100) : Percent(gain, book);
        // A fund whose book cost fell to nothing through sales and dividends
        // is measured against what was put in.
        if (book < Small && !invested.isZero())
            percent = Percent(gain, invested);
        db.setValue(f, ValueTotalColumn, total);
        db.setValue(f, ValueGainColumn, gain);
        db.setValue(f, ValuePercentColumn, percent);
        db.addToValue(AllRecordsSlot, ValueTotalColumn, total);
        db.addToValue(AllRecordsSlot, ValueSharesColumn, values.value(f, ValueSharesColumn));
        db.addToValue(AllRecordsSlot, ValueBookColumn, book);
        db.addToValue(AllRecordsSlot, ValueGainColumn, gain);
        db.addToValue(AllRecordsSlot, ValueInvestedColumn, invested);
    }
    const Money book = values.value(AllRecordsSlot, ValueBookColumn);
    const Money invested = values.value(AllRecordsSlot, ValueInvestedColumn);
    const Money gain = values.value(AllRecordsSlot, ValueGainColumn);
    Money percent;
    if (!book.isZero()) {
        if (book >= Small)
            percent = Percent(gain, book);
        else if (!invested.isZero())
            percent = Percent(gain, invested);
    }
    db.setValue(AllRecordsSlot, ValuePercentColumn, percent);
}

AnnualReturns FundAnnualReturns(const FundDatabase &db, QDate valuationDate)
{
    QList<QList<CashFlow>> flows(AllRecordsSlot + 1);
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        const FundRecord &record = db.record(slot);
        const qint64 fund = FundOf(record);
        if (fund < 1 || fund > db.fundCount())
            continue;
        // The book value is what the investor paid: the cash flow reversed.
        const CashFlow flow{record.date, -record.bookValue};
        flows[int(fund)].append(flow);
        flows[AllRecordsSlot].append(flow);
    }
    AnnualReturns returns(AllRecordsSlot + 1);
    for (int fund = 1; fund <= db.fundCount(); ++fund)
        returns[fund] = SolveAnnualReturn(flows.at(fund), valuationDate, db.value(fund, ValueTotalColumn));
    returns[AllRecordsSlot] =
        SolveAnnualReturn(flows.at(AllRecordsSlot), valuationDate, db.value(AllRecordsSlot, ValueTotalColumn));
    return returns;
}

QString AnnualReturnText(const AnnualReturn &annual)
{
    const std::optional<Money> percent = annual.percent();
    return percent ? Format(*percent, QStringLiteral("###.00")) + QLatin1Char('%') : QString();
}

QString AnnualReturnNote::sentence() const
{
    return QStringLiteral("No annual return for ") + name + QStringLiteral(": ") + reason + QLatin1Char('.');
}

QList<AnnualReturnNote> AnnualReturnNotes(const FundDatabase &db, const AnnualReturns &returns)
{
    QList<AnnualReturnNote> notes;
    for (int fund = 1; fund <= db.fundCount() && fund < returns.size(); ++fund)
        if (!returns.at(fund).rate)
            notes.append({FundName(db, fund), returns.at(fund).note});
    if (AllRecordsSlot < returns.size() && !returns.at(AllRecordsSlot).rate)
        notes.append({QStringLiteral("All funds"), returns.at(AllRecordsSlot).note});
    return notes;
}

QList<QStringList> CurrentValueTable(const FundDatabase &db, const QString &currencySymbol,
                                     const AnnualReturns &returns)
{
    const MoneyTable &values = db.valueTable();
    const QString &symbol = currencySymbol;
    const int rowCount = std::max(ValueTableRows, db.fundCount() + 4);
    QList<QStringList> rows(rowCount, QStringList(ValueTableColumns));
    const auto annual = [&returns](int row) {
        return row < returns.size() ? AnnualReturnText(returns.at(row)) : QString();
    };
    rows[0] = {QStringLiteral("         Name of          Fund/Company"),
               QStringLiteral("Number of Shares"),
               QStringLiteral("     Book     Cost "),
               QStringLiteral("   Current     Price "),
               QStringLiteral("   Current     Total "),
               QStringLiteral("  Gain or     Loss ") + symbol,
               QStringLiteral("Gain or   Loss %"),
               QStringLiteral("% of Total Value"),
               QStringLiteral("Annual Return %")};
    const Money whole = values.value(AllRecordsSlot, ValueTotalColumn);
    for (int f = 1; f <= db.fundCount(); ++f) {
        const Money share = ShareOfTotal(values.value(f, ValueTotalColumn), whole);
        rows[f] = {FundName(db, f),
                   Format(values.value(f, ValueSharesColumn), Money4),
                   Format(values.value(f, ValueBookColumn), Money2),
                   symbol + Format(values.value(f, ValuePriceColumn), Money2),
                   Format(values.value(f, ValueTotalColumn), Money2),
                   Format(values.value(f, ValueGainColumn), Money2),
                   Format(values.value(f, ValuePercentColumn), Money2) + QLatin1Char('%'),
                   Format(share, QStringLiteral("###.00")) + QLatin1Char('%'),
                   annual(f)};
    }
    rows[db.fundCount() + 3] = {QStringLiteral("Total:"),
                                 Format(values.value(AllRecordsSlot, ValueSharesColumn), Money4),
                                 symbol + Format(values.value(AllRecordsSlot, ValueBookColumn), Money2),
                                 QString(),
                                 symbol + Format(values.value(AllRecordsSlot, ValueTotalColumn), Money2),
                                 symbol + Format(values.value(AllRecordsSlot, ValueGainColumn), Money2),
                                 Format(values.value(AllRecordsSlot, ValuePercentColumn), Money2) + QLatin1Char('%'),
                                 Format(Money::fromWhole(100), QStringLiteral("###.00")) + QLatin1Char('%'),
                                 annual(AllRecordsSlot)};
    return rows;
}

namespace {

struct BlockTotals
{
    Money shares, fees, divShares, cashDividend, book;
};

QStringList TotalCells(const QString &label, const BlockTotals &t, const QString &symbol)
{
    return {label,
            QString(),
            QString(),
            Format(t.shares, Money4),
            symbol + Format(t.fees, Small2),
            symbol + Format(t.divShares, Small2),
            symbol + Format(t.cashDividend, Small2),
            symbol + Format(t.book, Money2)};
}

// Writes one fund's records, its total and its average cost from `row` on;
// returns the row after the average cost.
int ListFund(FundDatabase &db, int fund, QList<QStringList> &rows, int row, BlockTotals &totals,
             const QString &symbol)
{
    for (int column : {ValueSharesColumn, ValueBookColumn, ValuePriceColumn, ValueGainColumn, ValuePercentColumn})
        db.setValue(AllRecordsSlot, column, Money());
    db.setAverageCost(Money());
    totals = {};
    auto put = [&rows](int at, QStringList cells) {
        while (rows.size() <= at)
            rows.append(QStringList(GridColumns));
        rows[at] = std::move(cells);
    };
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        const FundRecord &record = db.record(slot);
        if (FundOf(record) != fund)
            continue;
        const Money divShares = DivSharesValue(record);
        put(row++, {ListingTypeName(record.typeCode), Format(record.date, QStringLiteral("Short Date")),
                    Format(record.price, Money4), Format(record.shares, Money4), Format(record.fees, Money2),
                    Format(divShares, Money2), Format(record.cashDividend, Money2), Format(record.bookValue, Money2)});
        totals.shares += record.shares;
        totals.fees += record.fees;
        totals.divShares += divShares;
        totals.cashDividend += record.cashDividend;
        totals.book += record.bookValue;
        // Row 31 keeps what the current value of this fund needs: column 4
        // the fees and 5 the cash dividends as the entry grid keeps them.
        db.addToValue(AllRecordsSlot, ValueGainColumn, record.fees);
        db.addToValue(AllRecordsSlot, ValuePercentColumn, record.cashDividend);
        db.addToValue(AllRecordsSlot, ValueSharesColumn, record.shares);
        db.addToValue(AllRecordsSlot, ValueBookColumn, record.bookValue);
        if (record.typeCode != QLatin1String("S"))
            db.addToValue(AllRecordsSlot, ValuePriceColumn, record.bookValue);
    }
    db.setAverageCost(AverageCostPerShare(totals.book, totals.shares));
    put(row++, TotalCells(QStringLiteral("Total:"), totals, symbol));
    QStringList average(GridColumns);
    average[0] = QStringLiteral("Average cost per share =");
    average[2] = symbol + Format(db.averageCost(), Money4);
    put(row++, average);
    return row;
}

} // namespace

RecordListing ListRecords(FundDatabase &db, int fund, const QString &currencySymbol)
{
    RecordListing listing;
    const bool all = fund == AllRecordsSlot;
    const int rowCount =
        std::max(25, all ? 5 * db.fundCount() + db.recordCount() + 10 : 20 + RecordsOfFund(db, fund));
    listing.rows = QList<QStringList>(rowCount, QStringList(GridColumns));
    listing.rows[0] = {all ? QStringLiteral("Name and Type  of Transaction")
                           : QStringLiteral("       Type of       Transaction"),
                       QStringLiteral("Date of Transaction"),
                       QStringLiteral("Price of Each Share"),
                       QStringLiteral("Number of Shares"),
                       QStringLiteral("Commission   or Fees"),
                       QStringLiteral("Div. Shares Value"),
                       QStringLiteral("Cash   Dividend"),
                       QStringLiteral("      Book       Value")};
    listing.caption = FundName(db, fund);
    BlockTotals totals;
    if (!all) {
        listing.lastListRow = ListFund(db, fund, listing.rows, 1, totals, currencySymbol);
        return listing;
    }
    BlockTotals grand;
    int row = 1;
    for (int f = 1; f <= db.fundCount(); ++f) {
        QStringList nameLine(GridColumns);
        nameLine[0] = FundName(db, f).left(26);
        listing.rows[row++] = nameLine;
        row = ListFund(db, f, listing.rows, row, totals, currencySymbol) + 1;
        grand.shares += totals.shares;
        grand.fees += totals.fees;
        grand.divShares += totals.divShares;
        grand.cashDividend += totals.cashDividend;
        grand.book += totals.book;
    }
    while (listing.rows.size() <= row)
        listing.rows.append(QStringList(GridColumns));
    listing.rows[row] = TotalCells(QStringLiteral("Total all Funds:"), grand, currencySymbol);
    listing.lastListRow = row;
    return listing;
}

ListedValue ValueOfListedFund(const FundDatabase &db, Money price)
{
    const MoneyTable &values = db.valueTable();
    const Money shares = values.value(AllRecordsSlot, ValueSharesColumn);
    const Money book = values.value(AllRecordsSlot, ValueBookColumn);
    const Money invested = values.value(AllRecordsSlot, ValuePriceColumn);
    ListedValue result;
    result.value = price * shares;
    result.gain = result.value - book;
    if (!shares.isZero() && !book.isZero() && !result.gain.isZero())
        result.gainPercent = Percent(result.gain, book);
    if (book < Small) {
        // Nothing was put in: there is nothing to measure the gain against.
        if (invested.isZero())
            return ListedValue{MsgCannotCalculate, {}, {}, {}, {}};
        result.gainPercent = Percent(result.gain, invested);
    }
    result.price = result.value.isZero() ? Money() : price;
    return result;
}

QList<QStringList> ListedValueRows(const ListedValue &v, const QString &symbol)
{
    auto row = [](const QStringList &four) {
        QStringList cells(GridColumns);
        for (int i = 0; i < 4; ++i)
            cells[2 + i] = four.at(i);
        return cells;
    };
    return {row({QStringLiteral("Current   "), QStringLiteral("Total      "), QStringLiteral("Gain or   "),
                 QStringLiteral("Gain or   ")}),
            row({QStringLiteral("Price   "), QStringLiteral("Value    "), QStringLiteral("Loss ") + symbol + QStringLiteral("   "),
                 QStringLiteral("Loss %   ")}),
            row({QStringLiteral("___________"), QStringLiteral("___________"), QStringLiteral("__________"),
                 QStringLiteral("__________")}),
            row({symbol + Format(v.price, Money2), symbol + Format(v.value, Money2), symbol + Format(v.gain, Money2),
                 Format(v.gainPercent, QStringLiteral("###.00")) + QLatin1Char('%')})};
}

QString ListedValueBlock(const ListedValue &v, const QString &symbol)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text = crlf + crlf + crlf;
    // The heading names the user's currency: a "$" over amounts in another
    // currency would mislabel them.
    text += QStringLiteral(" Current Price                   Value                Gain ") + symbol +
            QStringLiteral("            Gain %") + crlf;
    text += QLatin1Char(' ') + QString(77, QLatin1Char('_')) + crlf + crlf;
    text += QString(5, QLatin1Char(' ')) + RightAlignFigure(symbol + Format(v.price, QStringLiteral("#,,###.0000")), 9);
    text += QString(12, QLatin1Char(' ')) + RightAlignFigure(symbol + Format(v.value, Money2), 12);
    text += QString(12, QLatin1Char(' ')) + RightAlignFigure(symbol + Format(v.gain, Small2), 10);
    text += QString(11, QLatin1Char(' ')) + RightAlignFigure(Format(v.gainPercent, QStringLiteral("##0.00")), 6) +
            QLatin1Char('%') + crlf;
    return text;
}
