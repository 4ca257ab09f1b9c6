#pragma once

#include "invest/annual_return.h"
#include "invest/fund_database.h"
#include "shell/core/message_numbers.h"

#include <QList>
#include <QString>
#include <QStringList>

// Current prices and values of the funds, and the record listings of the
// fund table window. Everything works on the database's value table; the
// windows and tallomar-report only show what these functions leave there.

// Columns of the fund values once the price window has set the table up.
inline constexpr int ValueSharesColumn = 0;
inline constexpr int ValueBookColumn = 1;
inline constexpr int ValuePriceColumn = 2;
inline constexpr int ValueTotalColumn = 3;
inline constexpr int ValueGainColumn = 4;
inline constexpr int ValuePercentColumn = 5;
inline constexpr int ValueInvestedColumn = 6;
inline constexpr int LastValueColumn = 8;

// The first fund that has a name but no record, or 0 when every fund has one.
int FirstEmptyFund(const FundDatabase &db);

// Sets the fund values up for the price window: columns 0 to 8, every
// figure but the typed prices set to 0. Prices typed earlier are kept.
void PreparePriceTable(FundDatabase &db);

// The price grid's rows 1 to FundCount: name and price as typed so far.
QList<QStringList> PriceGridRows(const FundDatabase &db);

// Sums each fund's shares, book cost and amount invested from its records
// and checks that every fund holding shares has a price above 0. Returns 0,
// or message 24 with the computed columns set back to 0.
MessageNumber CollectHoldings(FundDatabase &db);

// A fund's share of the whole, cut (never rounded) to two decimals on the
// exact figures: 0 when the fund's value or the whole is 0 or below.
Money ShareOfTotal(Money fundTotal, Money total);

// Values every fund from its price and holdings (rows 1 to FundCount) and
// totals them in row 31.
void ComputeCurrentValues(FundDatabase &db);

// The annual return of every fund (index 1 to FundCount) and of all funds
// together (index AllRecordsSlot) to `valuationDate`: the records' book
// values as cash flows, the current totals ComputeCurrentValues left as what
// is held on that day. The total takes every record of every fund.
using AnnualReturns = QList<AnnualReturn>;
AnnualReturns FundAnnualReturns(const FundDatabase &db, QDate valuationDate);

// An annual return as the tables show it ("9.53%"); empty for none.
QString AnnualReturnText(const AnnualReturn &annual);
// Why a fund, or all funds together, have no annual return.
struct AnnualReturnNote
{
    QString name; // the fund's, or "All funds"
    QString reason;
    // "No annual return for name: reason."
    QString sentence() const;
};
QList<AnnualReturnNote> AnnualReturnNotes(const FundDatabase &db, const AnnualReturns &returns);

// The fund table grid of the current value table: 35 rows of 9 cells, row 0
// the headings, a row per fund, the total row two rows below the last fund.
// The last column is the annual return.
QList<QStringList> CurrentValueTable(const FundDatabase &db, const QString &currencySymbol,
                                     const AnnualReturns &returns);

// A record listing of one fund (1 to 30) or of all funds (31).
struct RecordListing
{
    QString caption;
    QList<QStringList> rows; // row 0 the headings; 8 cells a row
    // For one fund the row after its average cost; for all funds the row of
    // the grand total. The current value block starts two rows below it.
    int lastListRow = 0;
};
// Leaves row 31 of the fund values (shares, book cost, amount invested,
// fees, cash dividends) and AverageCost with the figures of the fund listed
// last, for the current value of a one-fund listing.
RecordListing ListRecords(FundDatabase &db, int fund, const QString &currencySymbol);

// The current value of the fund listed last at a typed price.
struct ListedValue
{
    MessageNumber message = MsgNone; // 26 when the gain cannot be measured
    Money price;     // as shown: 0 when the value is 0
    Money value;
    Money gain;
    Money gainPercent;
};
ListedValue ValueOfListedFund(const FundDatabase &db, Money price);

// The four rows of the current value block, columns 2 to 5 filled.
QList<QStringList> ListedValueRows(const ListedValue &value, const QString &currencySymbol);
// The same block as the listing printout ends with, line breaks included.
QString ListedValueBlock(const ListedValue &value, const QString &currencySymbol);
