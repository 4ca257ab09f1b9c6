#pragma once

#include "shell/core/money.h"
#include "shell/core/record_file.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// One row of a sheet: a category name and an amount, each held as it was
// typed or read (text, number or nothing), so that a file is written back in
// the form it was read.
struct SheetRow
{
    RecordValue name;
    RecordValue amount;
    bool isEmpty() const { return name.kind == RecordValue::Empty && amount.kind == RecordValue::Empty; }
    bool operator==(const SheetRow &) const = default;
};

// Rows 1 to 30 are typed; row 31 is kept for the file, row 0 is never used.
inline constexpr int SheetTypedRows = 30;
inline constexpr int SheetLastRow = 31;
// The grids show the rows, an empty row and the total below them.
inline constexpr int SheetGridRows = 35;
// The largest amount a cell takes: twelve whole digits. Thirty of them still
// add up well inside what money holds, so no total can overflow.
inline constexpr Money SheetMaxAmount = Money::fromRaw(Q_INT64_C(999999999999) * Money::Scale + 9999);

struct Sheet
{
    std::array<SheetRow, SheetLastRow + 1> rows{};

    // The last row (1 to 31) that holds a name or an amount; 0 when none does.
    int lastFilledRow() const;
    bool operator==(const Sheet &) const = default;
};

// A cell's value as the grid shows it while typing: text as it is, a number
// in its plain form.
QString CellText(const RecordValue &value);
// An amount read by the leading-number rule; an empty cell reads 0.
Money AmountOf(const RecordValue &value);
// "Sub Total" in any case, nothing else.
bool IsSubTotal(const RecordValue &name);

// Both sheets with the counts and totals of the last Calculate.
struct NetWorthStatement
{
    enum Side { Assets = 0, Liabilities = 1 };

    std::array<Sheet, 2> sheets{};
    std::array<int, 2> counts{};
    std::array<Money, 2> totals{};
    Money netWorth;

    Sheet &sheet(Side side) { return sheets[side]; }
    const Sheet &sheet(Side side) const { return sheets[side]; }
    // Whether any cell of either sheet holds something.
    bool holdsAnything() const;
    // The rows the printout shows: at least the calculated ones, and every
    // row typed since.
    int printedRows() const;
};

// Calculate: rows without a name go, "Sub Total" rows take the sum of the
// rows above them since the last sub total (and do not count twice), each
// sheet gets its count and total, and the net worth is assets less
// liabilities.
void CalculateNetWorth(NetWorthStatement &statement);

// Inserts a "BlankLine" row at `line` (the answer of the insert dialog) and
// calculates. Only the rows from `line` down to the last row holding
// something move, so nothing typed is ever pushed out or overwritten. Returns
// false, changing nothing, for line 0, 29 and beyond, or a full sheet.
bool InsertBlankLine(NetWorthStatement &statement, NetWorthStatement::Side side, int line);

// What one grid shows after Calculate: heading, the rows, an empty row and
// the total, SheetGridRows rows in all (row 0 the heading).
QList<QStringList> SheetGridTexts(const NetWorthStatement &statement, NetWorthStatement::Side side,
                                  const QString &currencySymbol);
// The text of the net worth label.
QString NetWorthText(const NetWorthStatement &statement, const QString &currencySymbol);
// An amount as the cell shows it while it is typed.
QString TypedAmountText(const RecordValue &amount);
