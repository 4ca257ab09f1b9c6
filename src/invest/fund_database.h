#pragma once

#include "invest/fund_record.h"
#include "shell/core/message_numbers.h"
#include "shell/core/money.h"
#include "shell/core/tables.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <span>

// The investment manager's database: the fund list, the record table, the
// value table, the six transaction types, the figures derived from a fund's
// records and the two sorts that keep everything in order.

inline constexpr int MaxFunds = 30;
// The pseudo-fund that stands for all funds together.
inline constexpr int AllRecordsSlot = 31;
// Entry stops at this many records; a file may hold a few more.
inline constexpr int MaxEnteredRecords = 1000;
inline constexpr int LastRecordSlot = 1002;
// Columns of the fund list: the name and the number text.
inline constexpr int FundNameColumn = 0;
inline constexpr int FundNumberColumn = 1;

struct TransactionType
{
    const char *code;
    const char *entryName;   // as the type list offers it
    const char *listingName; // as grids and listings show it
    bool price;              // the amount boxes the type uses
    bool number;
    bool fees;
    bool cashDividend;
};

// In the order of the type list: Bought, Sold, Cash Dividend, Dividend
// Shares, Fee Cash, Unit Fee.
std::span<const TransactionType> TransactionTypes();
const TransactionType *TypeOfCode(const QString &code);
const TransactionType *TypeOfEntryName(const QString &entryName);
QStringList EntryTypeNames();

// A whole number as the status line and the fund list show it: a space
// before a number of zero or more, "-" before a negative one.
QString NumberText(qint64 value);

// The funds, their records, the value table and the figures derived from
// them. Slots start at 1 as in the file; slot 31 of the fund list is "All
// Records" and row 31 of the value table the totals of what is shown. Only
// the database changes its tables, so the counts always say how many funds
// and records are in use.
class FundDatabase
{
public:
    // The empty database of a freshly opened manager.
    FundDatabase() { clear(); }

    // Back to the empty database: record table, fund list (with "All
    // Records" in its last slot), fund values and prices.
    void clear();
    // Leaving the manager: everything is emptied and released.
    void release();
    // Replaces everything with a file's funds and records (already checked:
    // at most 30 funds and 1002 records, each pointing at one of the funds);
    // the prices typed for the old funds go with them. False, and nothing
    // changed, when the limits are broken.
    bool replaceAll(const QString &allRecordsName, const QString &allRecordsNumber, const QStringList &names,
                    const QList<FundRecord> &records);

    int fundCount() const { return FundCount; }
    int recordCount() const { return RecordCount; }

    // The funds. Names (column FundNameColumn) and number texts of funds 1
    // to fundCount() and of the "All Records" slot, as the fund graph reads
    // them.
    const StringTable &fundNames() const { return FundList; }
    QString fundName(int fund) const { return FundList.value(fund, FundNameColumn); }
    QString fundNumberText(int fund) const { return FundList.value(fund, FundNumberColumn); }
    bool fundListFull() const { return FundCount >= MaxFunds; }
    // Adds a fund at the end of the list and returns its slot; 0 when the
    // list is full.
    int addFund(const QString &name);
    // Removes a fund that has no records; the others are put in name order
    // and every record follows its fund. The prices typed so far go: they
    // belonged to funds that have moved.
    bool deleteFund(int fund);
    // Sorts the funds by name, character codes compared (Shell sort with
    // halving gaps); every record and every typed price follows its fund.
    void SortFundsByName();

    // The records in slots 1 to recordCount(); any other slot reads as an
    // empty record.
    const FundRecord &record(int slot) const;
    // Stores a record in a new last slot and returns the slot; 0 when the
    // table is full.
    int appendRecord(const FundRecord &record);
    // Stores a record over the one in `slot`, keeping its record number.
    bool replaceRecord(int slot, const FundRecord &record);
    // Removes the record in `slot`; the others keep their order and are
    // numbered anew. False when there is no such record.
    bool deleteRecord(int slot);
    // Sorts the record slots by date (Shell sort with halving gaps) and
    // numbers them anew. Returns 0, or message 23, with nothing moved, when
    // a date cannot be compared.
    MessageNumber SortRecordsByDate();
    // False when two or more records are held and one's date cannot be
    // compared: the date sort would be refused.
    bool datesSortable() const;

    // The value table: rows 0 to 31 by columns 0 to 6 (to 8 once the price
    // window has set it up).
    const MoneyTable &valueTable() const { return FundValues; }
    Money value(int row, int column) const { return FundValues.value(row, column); }
    // Every computed figure back to 0, the table re-made with columns 0 to
    // `lastColumn`. The prices typed for the funds stay: they belong to the
    // funds until the funds themselves change.
    void resetValues(int lastColumn = 6);
    void setValue(int row, int column, Money amount) { FundValues.set(row, column, amount); }
    void addToValue(int row, int column, Money amount);
    // The current price typed for a fund (column 2 of its row), 0 for none.
    Money price(int fund) const;
    void setPrice(int fund, Money price);

    // Book cost / shares of the fund shown or listed last.
    Money averageCost() const { return AverageCost; }
    void setAverageCost(Money cost) { AverageCost = cost; }

private:
    void setAllRecordsSlot();
    void dropPrices();

    QList<FundRecord> RecordTable;
    qint16 RecordCount = 0;
    StringTable FundList;
    MoneyTable FundValues;
    qint16 FundCount = 0;
    Money AverageCost;
    // What a slot outside the records reads as.
    FundRecord m_noRecord;
};

inline QString FundName(const FundDatabase &db, int fund)
{
    return db.fundName(fund);
}

// The text of the menu's "Database in memory" line.
QString DatabaseStatus(const FundDatabase &db, const QString &fileName);

// A type code's name as grids and listings show it; empty for no type.
QString ListingTypeName(const QString &code);

// The four figures of the entry row, already rounded to four decimals.
struct EntryFigures
{
    Money price;
    Money number;
    Money fees;
    Money cashDividend;
};

// Whether a record may carry the date: one the file can hold.
bool StorableDate(QDate date);
// A fund name as typed, made fit for the file (which keeps names between
// double quotes).
QString FundNameToStore(const QString &typed);
// Whether the figures satisfy what the type needs to be stored.
bool FiguresFitType(const QString &code, const EntryFigures &figures);
// A record as stored: the type's sign and book value rules applied.
FundRecord MakeRecord(int fund, const QString &code, QDate date, const EntryFigures &figures, int recordNumber);
// Price x shares for dividend shares and unit fees; 0 for the others.
Money DivSharesValue(const FundRecord &record);
// Book cost / shares held, or 0 when the holding or the cost is too small.
Money AverageCostPerShare(Money bookCost, Money sharesHeld);

// The totals of one fund's records.
struct FundTotals
{
    int records = 0;
    Money sharesHeld;
    Money bookCost;
    Money fees;
    Money cashDividend;
    Money divSharesValue;
    Money invested; // book values of the records that are not sales
};
FundTotals TotalsOfFund(const FundDatabase &db, int fund);

// The slot of the k-th record (1-based) of a fund in date order; 0 when the
// fund has fewer.
int RecordOfPosition(const FundDatabase &db, int fund, int k);

// The entry grid of one fund: rows and texts as the window shows them. Fills
// row 31 of the fund values with the fund's totals and sets AverageCost;
// the totals row shows the currency symbol.
struct EntryGrid
{
    int rows = 13;
    QList<QStringList> body; // rows 1 and below: the records, an empty row, the totals
};
EntryGrid ShowRecords(FundDatabase &db, int fund, const QString &currencySymbol);

// The entry row as the window collected it.
struct EntryRow
{
    QString typeCode; // empty when no type is chosen
    QString dateText;
    EntryFigures figures;
};
struct StoreResult
{
    MessageNumber message = MsgNone;
    // The row broke the entry rules (51, 31, 30, 20, 29): a new record keeps
    // its row for repair.
    bool refusedByCheck = false;
    // The record was written (the database changed), sorted or not.
    bool written = false;
};
// Stores the row as a new record of `fund`, or over `correctedSlot` when it
// is above 0, then sorts the records by date.
StoreResult StoreRecord(FundDatabase &db, int fund, const EntryRow &row, int correctedSlot);

int RecordsOfFund(const FundDatabase &db, int fund);

// A key typed into the current price grid, whose rows are the funds. Keys on
// a row beyond the 30 funds (the totals row included) are refused with
// message 22, Delete and Backspace as much as figures, so the totals row is
// never written.
struct PriceKeyResult
{
    MessageNumber message = MsgNone;
    bool beep = false;
    bool changed = false; // the price and the cell text changed
    QString cellText;
};
PriceKeyResult PriceCellKey(FundDatabase &db, int row, int column, int key, QString &priceBuffer);

// The record entry window's Quick Help, its sample lines dated today.
QString RecordEntryHelpText(const QString &todayShortDate);
