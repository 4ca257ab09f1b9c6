#include "networth/networth_sheet.h"

#include "shell/core/format.h"

namespace {

const QString RowPattern = QStringLiteral("####,,###.00");

} // namespace

int Sheet::lastFilledRow() const
{
    for (int r = SheetLastRow; r >= 1; --r)
        if (!rows[size_t(r)].isEmpty())
            return r;
    return 0;
}

QString CellText(const RecordValue &value)
{
    switch (value.kind) {
    case RecordValue::Text: return value.text;
    case RecordValue::Number: return QString::fromLatin1(PlainNumber(value.number));
    case RecordValue::Date: return Format(value.date, QStringLiteral("Short Date"));
    case RecordValue::Empty: break;
    }
    return QString();
}

Money AmountOf(const RecordValue &value)
{
    switch (value.kind) {
    case RecordValue::Number: return value.number;
    case RecordValue::Text: return LeadingMoney(value.text);
    case RecordValue::Empty:
    case RecordValue::Date: break;
    }
    return Money();
}

bool IsSubTotal(const RecordValue &name)
{
    return name.kind == RecordValue::Text && name.text.compare(QLatin1String("Sub Total"), Qt::CaseInsensitive) == 0;
}

namespace {

bool NameIsEmpty(const RecordValue &name)
{
    return name.kind == RecordValue::Empty || (name.kind == RecordValue::Text && name.text.isEmpty());
}

} // namespace

bool NetWorthStatement::holdsAnything() const
{
    return sheets[0].lastFilledRow() > 0 || sheets[1].lastFilledRow() > 0;
}

int NetWorthStatement::printedRows() const
{
    int rows = std::max(counts[0], counts[1]);
    for (const Sheet &sheet : sheets)
        rows = std::max(rows, std::min(sheet.lastFilledRow(), SheetTypedRows));
    return rows;
}

void CalculateNetWorth(NetWorthStatement &statement)
{
    // Worked out whole before anything changes: a fault leaves the sheets as they were.
    NetWorthStatement result = statement;
    for (int side = 0; side < 2; ++side) {
        Sheet scratch;
        int count = 0;
        Money total;
        Money subTotal;
        for (int r = 1; r <= SheetTypedRows; ++r) {
            SheetRow row = statement.sheets[size_t(side)].rows[size_t(r)];
            if (NameIsEmpty(row.name))
                continue;
            const bool sub = IsSubTotal(row.name);
            if (sub)
                row.amount = RecordValue::empty();
            const Money amount = AmountOf(row.amount);
            total += amount;
            subTotal += amount;
            if (sub) {
                row.amount = RecordValue::fromNumber(subTotal);
                subTotal = Money();
            }
            scratch.rows[size_t(++count)] = row;
        }
        result.sheets[size_t(side)] = scratch;
        result.counts[size_t(side)] = count;
        result.totals[size_t(side)] = total;
    }
    result.netWorth = result.totals[0] - result.totals[1];
    statement = result;
}

bool InsertBlankLine(NetWorthStatement &statement, NetWorthStatement::Side side, int line)
{
    if (line <= 0 || line >= SheetTypedRows - 1)
        return false;
    NetWorthStatement result = statement;
    Sheet &sheet = result.sheet(side);
    const int last = sheet.lastFilledRow();
    if (last >= SheetTypedRows && line <= last)
        return false;
    for (int r = last; r >= line; --r)
        sheet.rows[size_t(r + 1)] = sheet.rows[size_t(r)];
    sheet.rows[size_t(line)] = {RecordValue::fromText(QStringLiteral("BlankLine")), RecordValue::empty()};
    CalculateNetWorth(result);
    statement = result;
    return true;
}

QList<QStringList> SheetGridTexts(const NetWorthStatement &statement, NetWorthStatement::Side side,
                                  const QString &currencySymbol)
{
    QList<QStringList> rows(SheetGridRows, QStringList(2));
    rows[0][0] = side == NetWorthStatement::Assets ? QStringLiteral(" Assets") : QStringLiteral(" Liabilities");
    const Sheet &sheet = statement.sheet(side);
    const int count = statement.counts[side];
    for (int r = 1; r <= count && r < SheetGridRows; ++r) {
        const SheetRow &row = sheet.rows[size_t(r)];
        rows[r][0] = CellText(row.name);
        // Typing takes no sign, but a file may hold an amount below zero: it
        // counts, so it shows. Only nothing is left blank.
        const Money amount = AmountOf(row.amount);
        if (amount != Money())
            rows[r][1] = Format(amount, RowPattern);
    }
    const int totalRow = count + 2;
    if (totalRow < SheetGridRows) {
        rows[totalRow][0] =
            side == NetWorthStatement::Assets ? QStringLiteral("Total Assets") : QStringLiteral("Total Liabilities");
        rows[totalRow][1] = currencySymbol + Format(statement.totals[side], QStringLiteral("####,,##0.00"));
    }
    return rows;
}

QString NetWorthText(const NetWorthStatement &statement, const QString &currencySymbol)
{
    return currencySymbol + Format(statement.netWorth, RowPattern);
}

QString TypedAmountText(const RecordValue &amount)
{
    if (amount.kind == RecordValue::Empty)
        return QString();
    return Format(AmountOf(amount), QStringLiteral("###,,###.00"));
}
