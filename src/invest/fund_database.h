#pragma once

#include "shell/app_state.h"
#include "shell/message_numbers.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <span>

// The investment manager's database in the shared variables: the fund list,
// the record table, the six transaction types, the figures derived from a
// fund's records and the two sorts that keep everything in order.

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

// The empty database of a freshly opened manager: record table, fund list
// (with "All Records" in its last slot), fund values and printout blocks.
void CreateFundTables(AppState &state);
// Leaving the manager: everything is emptied and released.
void ReleaseFundTables(AppState &state);
// The fund values table as rows 0 to 31 by columns 0 to 6 of zeros.
void ResetFundValues(AppState &state);
void SetAllRecordsSlot(AppState &state);

QString FundName(const AppState &state, int fund);

// The text of the menu's "Database in memory" line.
QString DatabaseStatus(const AppState &state);

// Sets EntryType and EntryTypeName from the record in `slot`.
void RecordTypeName(AppState &state, int slot);

// The four figures of the entry row, already rounded to four decimals.
struct EntryFigures
{
    Money price;
    Money number;
    Money fees;
    Money cashDividend;
};

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
FundTotals TotalsOfFund(const AppState &state, int fund);

// Sorts the record slots by date (Shell sort with halving gaps) and numbers
// them anew. Returns 0, or message 23 when a date cannot be compared.
MessageNumber SortRecordsByDate(AppState &state);
// Sorts the funds by name, character codes compared, and makes every
// record follow its fund.
void SortFundsByName(AppState &state);

// The slot of the k-th record (1-based) of a fund in date order; 0 when the
// fund has fewer.
int RecordOfPosition(const AppState &state, int fund, int k);

// The entry grid of one fund: rows and texts as the window shows them. Fills
// row 31 of the fund values with the fund's totals and sets AverageCost.
struct EntryGrid
{
    int rows = 13;
    QList<QStringList> body; // rows 1 and below: the records, an empty row, the totals
};
EntryGrid ShowRecords(AppState &state, int fund);

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
};
// Stores the row as a new record of `fund`, or over `correctedSlot` when it
// is above 0, then sorts the records by date.
StoreResult StoreRecord(AppState &state, int fund, const EntryRow &row, int correctedSlot);

// Removes the record in `slot`; the others keep their order and are
// numbered anew. False when there is no such record.
bool DeleteRecord(AppState &state, int slot);
// Adds a fund at the end of the list and returns its slot, or message 36
// (negated) when the list is full.
int AddFund(AppState &state, const QString &name);
// Removes a fund that has no records; the others are put in name order.
bool DeleteFund(AppState &state, int fund);
int RecordsOfFund(const AppState &state, int fund);

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
PriceKeyResult PriceCellKey(AppState &state, int row, int column, int key, QString &priceBuffer);

// The record entry window's Quick Help, its sample lines dated today.
QString RecordEntryHelpText(const QString &todayShortDate);
