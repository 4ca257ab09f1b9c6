#include "invest/fund_database.h"

#include "shell/core/format.h"
#include "shell/core/message_numbers.h"

#include <QLocale>

#include <algorithm>

namespace {

constexpr TransactionType Types[] = {
    {"B", "Bought", "Bought  ", true, true, true, false},
    {"S", "Sold", "Sold    ", true, true, true, false},
    {"C", "Cash Dividend", "Cash Div.", false, false, false, true},
    {"D", "Dividend Shares", "Div. Shares", true, true, false, false},
    {"F", "Fee Cash", "Fee Cash", false, false, true, false},
    {"U", "Unit Fee", "Unit Fee", true, true, false, false},
};

constexpr int FundValueRows = 31;
// Where the value table keeps a fund's typed price.
constexpr int PriceColumn = 2;

// Row 31 of the fund values while a grid or listing shows one fund.
enum ShownTotals { SharesColumn = 0, BookColumn = 1, FeesColumn = 4, CashDividendColumn = 5 };

bool IsCode(const FundRecord &record, const char *code)
{
    return record.typeCode == QLatin1String(code);
}

qint64 FundOf(const FundRecord &record)
{
    return record.fundNumber.floorUnits();
}

} // namespace

std::span<const TransactionType> TransactionTypes()
{
    return Types;
}

const TransactionType *TypeOfCode(const QString &code)
{
    for (const TransactionType &type : Types)
        if (code == QLatin1String(type.code))
            return &type;
    return nullptr;
}

const TransactionType *TypeOfEntryName(const QString &entryName)
{
    for (const TransactionType &type : Types)
        if (entryName == QLatin1String(type.entryName))
            return &type;
    return nullptr;
}

QStringList EntryTypeNames()
{
    QStringList names;
    for (const TransactionType &type : Types)
        names << QLatin1String(type.entryName);
    return names;
}

QString NumberText(qint64 value)
{
    return value < 0 ? QString::number(value) : QString(QLatin1Char(' ') + QString::number(value));
}

void FundDatabase::setAllRecordsSlot()
{
    FundList.set(AllRecordsSlot, FundNameColumn, QStringLiteral("All Records"));
    FundList.set(AllRecordsSlot, FundNumberColumn, QStringLiteral("31"));
}

void FundDatabase::resetValues(int lastColumn)
{
    MoneyTable fresh(FundValueRows, std::max(lastColumn, int(PriceColumn)));
    for (int fund = 1; fund <= MaxFunds; ++fund)
        fresh.set(fund, PriceColumn, FundValues.value(fund, PriceColumn));
    FundValues = fresh;
}

void FundDatabase::dropPrices()
{
    for (int fund = 1; fund <= MaxFunds; ++fund)
        FundValues.set(fund, PriceColumn, Money());
}

void FundDatabase::addToValue(int row, int column, Money amount)
{
    FundValues.set(row, column, FundValues.value(row, column) + amount);
}

Money FundDatabase::price(int fund) const
{
    return fund >= 1 && fund <= MaxFunds ? FundValues.value(fund, PriceColumn) : Money();
}

void FundDatabase::setPrice(int fund, Money price)
{
    if (fund >= 1 && fund <= MaxFunds)
        FundValues.set(fund, PriceColumn, price);
}

void FundDatabase::clear()
{
    RecordTable = QList<FundRecord>(LastRecordSlot + 1);
    RecordCount = 0;
    FundCount = 0;
    AverageCost = Money();
    FundValues.clear();
    resetValues();
    FundList.recreate(AllRecordsSlot, FundNumberColumn);
    setAllRecordsSlot();
}

void FundDatabase::release()
{
    RecordCount = 0;
    FundCount = 0;
    AverageCost = Money();
    RecordTable.clear();
    FundValues.clear();
    FundList.clear();
}

bool FundDatabase::replaceAll(const QString &allRecordsName, const QString &allRecordsNumber, const QStringList &names,
                              const QList<FundRecord> &records)
{
    if (names.size() > MaxFunds || records.size() > LastRecordSlot)
        return false;
    for (const FundRecord &record : records)
        if (FundOf(record) < 1 || FundOf(record) > names.size())
            return false;
    clear();
    FundList.set(AllRecordsSlot, FundNameColumn, allRecordsName);
    FundList.set(AllRecordsSlot, FundNumberColumn, allRecordsNumber);
    for (int fund = 1; fund <= names.size(); ++fund) {
        FundList.set(fund, FundNameColumn, names.at(fund - 1));
        FundList.set(fund, FundNumberColumn, NumberText(fund));
    }
    for (int slot = 1; slot <= records.size(); ++slot) {
        RecordTable[slot] = records.at(slot - 1);
        RecordTable[slot].recordNumber = qint16(slot);
    }
    FundCount = qint16(names.size());
    RecordCount = qint16(records.size());
    return true;
}

const FundRecord &FundDatabase::record(int slot) const
{
    if (slot < 1 || slot > RecordCount || slot >= RecordTable.size())
        return m_noRecord;
    return RecordTable.at(slot);
}

int FundDatabase::appendRecord(const FundRecord &record)
{
    if (RecordCount >= LastRecordSlot)
        return 0;
    if (RecordTable.size() < LastRecordSlot + 1)
        RecordTable.resize(LastRecordSlot + 1);
    RecordCount = qint16(RecordCount + 1);
    RecordTable[RecordCount] = record;
    RecordTable[RecordCount].recordNumber = RecordCount;
    return RecordCount;
}

bool FundDatabase::replaceRecord(int slot, const FundRecord &record)
{
    if (slot < 1 || slot > RecordCount || slot >= RecordTable.size())
        return false;
    RecordTable[slot] = record;
    RecordTable[slot].recordNumber = qint16(slot);
    return true;
}

bool FundDatabase::deleteRecord(int slot)
{
    if (slot < 1 || slot > RecordCount || slot >= RecordTable.size())
        return false;
    RecordTable.removeAt(slot);
    RecordTable.append(FundRecord());
    RecordCount = qint16(RecordCount - 1);
    for (int i = 1; i <= RecordCount; ++i)
        RecordTable[i].recordNumber = qint16(i);
    return true;
}

int FundDatabase::addFund(const QString &name)
{
    if (fundListFull())
        return 0;
    FundCount = qint16(FundCount + 1);
    FundList.set(FundCount, FundNameColumn, name);
    FundList.set(FundCount, FundNumberColumn, NumberText(FundCount));
    // A slot freed earlier may still hold a price of the fund that had it.
    setPrice(FundCount, Money());
    return FundCount;
}

bool FundDatabase::deleteFund(int fund)
{
    if (fund < 1 || fund > FundCount || RecordsOfFund(*this, fund) > 0)
        return false;
    // The fund to go is moved to the last slot (its records follow, there
    // are none), then the others are put in name order.
    const int last = FundCount;
    for (int slot = fund; slot < last; ++slot) {
        FundList.set(slot, FundNameColumn, FundList.value(slot + 1, FundNameColumn));
        for (int r = 1; r <= RecordCount; ++r)
            if (FundOf(RecordTable.at(r)) == slot + 1)
                RecordTable[r].fundNumber = Money::fromWhole(slot);
    }
    FundList.set(last, FundNameColumn, QString());
    FundList.set(last, FundNumberColumn, QString());
    FundCount = qint16(last - 1);
    SortFundsByName();
    dropPrices();
    return true;
}

bool FundDatabase::datesSortable() const
{
    const int n = std::min<int>(RecordCount, int(RecordTable.size()) - 1);
    if (n < 2)
        return true;
    for (int i = 1; i <= n; ++i)
        if (!RecordTable.at(i).date.isValid())
            return false;
    return true;
}

MessageNumber FundDatabase::SortRecordsByDate()
{
    QList<FundRecord> &table = RecordTable;
    const int n = std::min<int>(RecordCount, int(table.size()) - 1);
    // Exchanges everything but the record number, which is set afresh below.
    auto exchange = [&table](int a, int b) {
        const qint16 numberA = table[a].recordNumber;
        const qint16 numberB = table[b].recordNumber;
        std::swap(table[a], table[b]);
        table[a].recordNumber = numberA;
        table[b].recordNumber = numberB;
    };
    // The last pass compares every record with its neighbour, so a date that
    // cannot be compared refuses the sort; it is refused before anything
    // moves, not after the records met so far were exchanged.
    if (!datesSortable())
        return MsgCannotSort;
    for (int gap = n / 2; gap > 0; gap /= 2) {
        for (int i = gap; i <= n - 1; ++i) {
            for (int j = i - gap + 1; j >= 1; j -= gap) {
                if (table.at(j).date <= table.at(j + gap).date)
                    break;
                exchange(j, j + gap);
            }
        }
    }
    for (int i = 1; i <= n; ++i)
        table[i].recordNumber = qint16(i);
    return MsgNone;
}

void FundDatabase::SortFundsByName()
{
    StringTable &funds = FundList;
    const int count = std::min<int>(FundCount, MaxFunds);
    auto numberOf = [&funds](int slot) { return qint64(LeadingNumber(funds.value(slot, FundNumberColumn))); };
    for (int gap = count / 2; gap > 0; gap /= 2) {
        for (int i = gap; i <= count - 1; ++i) {
            for (int j = i - gap + 1; j >= 1; j -= gap) {
                const QString first = funds.value(j, FundNameColumn);
                const QString second = funds.value(j + gap, FundNameColumn);
                if (QString::compare(first, second, Qt::CaseSensitive) <= 0)
                    break;
                const qint64 a = numberOf(j);
                const qint64 b = numberOf(j + gap);
                funds.set(j, FundNameColumn, second);
                funds.set(j + gap, FundNameColumn, first);
                // A price typed for a fund stays with it.
                const Money firstPrice = price(j);
                setPrice(j, price(j + gap));
                setPrice(j + gap, firstPrice);
                for (int r = 1; r <= RecordCount && r < RecordTable.size(); ++r) {
                    FundRecord &record = RecordTable[r];
                    if (FundOf(record) == a)
                        record.fundNumber = Money::fromWhole(b);
                    else if (FundOf(record) == b)
                        record.fundNumber = Money::fromWhole(a);
                }
            }
        }
    }
}

QString DatabaseStatus(const FundDatabase &db, const QString &fileName)
{
    if (db.fundCount() == 0)
        return QStringLiteral(" None ");
    const QString counts = QStringLiteral("Funds =") + NumberText(db.fundCount()) + QStringLiteral("    Records =") +
                           NumberText(db.recordCount()) + QLatin1Char(' ');
    if (fileName.isEmpty())
        return QLatin1Char(' ') + counts;
    return QLatin1Char(' ') + fileName + QStringLiteral("    ") + counts;
}

QString ListingTypeName(const QString &code)
{
    const TransactionType *type = TypeOfCode(code);
    return type ? QLatin1String(type->listingName) : QString();
}

bool StorableDate(QDate date)
{
    return date.isValid() && date.year() >= 1 && date.year() <= 9999;
}

QString FundNameToStore(const QString &typed)
{
    QString name = typed;
    // The file keeps names between double quotes.
    name.replace(QLatin1Char('"'), QLatin1Char('\''));
    return name;
}

bool FiguresFitType(const QString &code, const EntryFigures &f)
{
    const Money zero;
    const TransactionType *type = TypeOfCode(code);
    if (!type)
        return false;
    switch (type->code[0]) {
    case 'B':
    case 'S': return f.price > zero && f.number > zero && f.cashDividend == zero;
    case 'C': return f.price == zero && f.number == zero && f.fees == zero && f.cashDividend > zero;
    case 'D':
    case 'U': return f.price > zero && f.number > zero && f.fees == zero && f.cashDividend == zero;
    case 'F': return f.price == zero && f.number == zero && f.fees > zero && f.cashDividend == zero;
    default: return false;
    }
}

FundRecord MakeRecord(int fund, const QString &code, QDate date, const EntryFigures &figures, int recordNumber)
{
    FundRecord record;
    record.price = figures.price;
    record.shares = figures.number;
    record.fees = figures.fees;
    record.cashDividend = figures.cashDividend;
    record.fundNumber = Money::fromWhole(fund);
    record.typeCode = code;
    record.date = date;
    record.recordNumber = qint16(recordNumber);
    const Money zero;
    if (IsCode(record, "S"))
        record.shares = -record.shares;
    if (IsCode(record, "C"))
        record.bookValue = -record.cashDividend;
    if (IsCode(record, "D"))
        record.bookValue = zero;
    if (IsCode(record, "F") && record.price == zero && record.shares == zero)
        record.bookValue = record.fees;
    if (IsCode(record, "U") && record.shares > zero) {
        record.shares = -record.shares;
        record.bookValue = zero;
    }
    if (IsCode(record, "B") || IsCode(record, "S"))
        record.bookValue = record.price * record.shares + record.fees;
    return record;
}

Money DivSharesValue(const FundRecord &record)
{
    if (IsCode(record, "D") || IsCode(record, "U"))
        return record.price * record.shares;
    return Money();
}

Money AverageCostPerShare(Money bookCost, Money sharesHeld)
{
    const Money small = Money::fromRaw(50); // 0.005
    if (sharesHeld <= small || bookCost < small)
        return Money();
    return Money::fromDouble(bookCost.toDouble() / sharesHeld.toDouble());
}

FundTotals TotalsOfFund(const FundDatabase &db, int fund)
{
    FundTotals totals;
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        const FundRecord &record = db.record(slot);
        if (FundOf(record) != fund)
            continue;
        ++totals.records;
        totals.sharesHeld += record.shares;
        totals.bookCost += record.bookValue;
        totals.fees += record.fees;
        totals.cashDividend += record.cashDividend;
        totals.divSharesValue += DivSharesValue(record);
        if (!IsCode(record, "S"))
            totals.invested += record.bookValue;
    }
    return totals;
}

int RecordOfPosition(const FundDatabase &db, int fund, int k)
{
    if (k < 1)
        return 0;
    int count = 0;
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        if (FundOf(db.record(slot)) != fund)
            continue;
        if (++count == k)
            return slot;
    }
    return 0;
}

int RecordsOfFund(const FundDatabase &db, int fund)
{
    int count = 0;
    for (int slot = 1; slot <= db.recordCount(); ++slot)
        if (FundOf(db.record(slot)) == fund)
            ++count;
    return count;
}

EntryGrid ShowRecords(FundDatabase &db, int fund, const QString &currencySymbol)
{
    db.resetValues();
    EntryGrid grid;
    const int count = fund > 0 ? RecordsOfFund(db, fund) : 0;
    if (count > 9)
        grid.rows = count + 4;
    const QString money4 = QStringLiteral("####,,###.0000");
    const QString money2 = QStringLiteral("####,,###.00");
    const QString date = QStringLiteral("Short Date");
    Money divShares;
    auto add = [&db](int column, Money amount) { db.addToValue(AllRecordsSlot, column, amount); };
    if (count > 0) {
        for (int slot = 1; slot <= db.recordCount(); ++slot) {
            const FundRecord &record = db.record(slot);
            if (FundOf(record) != fund)
                continue;
            const Money value = DivSharesValue(record);
            grid.body.append({Format(int(grid.body.size() + 1), QStringLiteral("####")),
                              ListingTypeName(record.typeCode),
                              Format(record.date, date), Format(record.price, money4),
                              Format(record.shares, money4), Format(record.fees, money2), Format(value, money2),
                              Format(record.cashDividend, money2), Format(record.bookValue, money2)});
            add(FeesColumn, record.fees);
            add(CashDividendColumn, record.cashDividend);
            add(SharesColumn, record.shares);
            add(BookColumn, record.bookValue);
            divShares += value;
        }
    }
    const Money shares = db.value(AllRecordsSlot, SharesColumn);
    const Money book = db.value(AllRecordsSlot, BookColumn);
    db.setAverageCost(AverageCostPerShare(book, shares));
    if (fund <= 0)
        return grid;
    // The total row stands one empty row below the last record.
    const QString symbol = currencySymbol;
    const QString small = QStringLiteral("###,,###.00");
    grid.body.append(QStringList(9));
    grid.body.append({QStringLiteral("Total:"), QString(), QString(), QString(), Format(shares, money4),
                      symbol + Format(db.value(AllRecordsSlot, FeesColumn), small),
                      symbol + Format(divShares, small),
                      symbol + Format(db.value(AllRecordsSlot, CashDividendColumn), small),
                      symbol + Format(book, money2)});
    return grid;
}

StoreResult StoreRecord(FundDatabase &db, int fund, const EntryRow &row, int correctedSlot)
{
    const bool correcting = correctedSlot > 0;
    auto refused = [](MessageNumber message) { return StoreResult{message, true}; };
    if (row.typeCode.isEmpty() || !TypeOfCode(row.typeCode))
        return refused(MsgNoTransactionType);
    if (row.dateText.trimmed().isEmpty())
        return refused(MsgNoDate);
    // A date the parser cannot read is refused here rather than stored:
    // the file could not hold it and the next open would fail.
    const QDate date = ParseShortDate(row.dateText);
    if (!StorableDate(date))
        return refused(MsgDateFormat);
    if (!FiguresFitType(row.typeCode, row.figures))
        return refused(correcting ? MsgRecordNotCorrected : MsgRecordNotSaved);
    if (db.recordCount() >= MaxEnteredRecords)
        return StoreResult{Msg1000Records, false};
    if (fund < 1 || fund > db.fundCount())
        return StoreResult{MsgSelectFund, false};
    if (correcting && correctedSlot > db.recordCount())
        return StoreResult{MsgNoRecordSelected, false};
    if (correcting)
        db.replaceRecord(correctedSlot, MakeRecord(fund, row.typeCode, date, row.figures, correctedSlot));
    else
        db.appendRecord(MakeRecord(fund, row.typeCode, date, row.figures, db.recordCount() + 1));
    return StoreResult{db.SortRecordsByDate(), false, true};
}

PriceKeyResult PriceCellKey(FundDatabase &db, int row, int column, int key, QString &priceBuffer)
{
    PriceKeyResult result;
    if (row > MaxFunds) {
        result.message = Msg30RowLimit;
        return result;
    }
    if (row < 1 || column == 0)
        return result;
    constexpr int Backspace = 8;
    constexpr int Delete = 127;
    if (key == Backspace || key == Delete) {
        priceBuffer.clear();
        db.setPrice(row, Money());
        result.changed = true;
        return result;
    }
    if ((key >= '0' && key <= '9') || key == '.') {
        priceBuffer += QChar(key);
        const Money price = LeadingMoney(priceBuffer);
        db.setPrice(row, price);
        result.changed = true;
        result.cellText = Format(price, QStringLiteral("#,,###.00"));
        return result;
    }
    result.beep = true;
    return result;
}

QString RecordEntryHelpText(const QString &today)
{
    // The help panel's type is fixed-pitch: each figure starts at the column
    // that stands under its entry box (date, price, number, fees, cash
    // dividend), and a line stays short enough not to wrap.
    static constexpr int columns[] = {21, 35, 49, 62, 76};
    struct Sample
    {
        const char *type;
        const char *figures[4]; // price, number, fees, cash dividend
        const char *explanation;
    };
    static const Sample samples[] = {
        {"Bought", {"10.00", "100", "50.00 or 0", ""}, "Shows data entry for shares Bought."},
        {"Sold", {"10.00", "100", "50.00 or 0", ""}, "Shows data entry for shares Sold."},
        {"Cash Dividend", {"", "", "", "100.00"}, "Shows data entry for total Cash Dividends."},
        {"Dividend Shares", {"10.00", "10", "", ""},
         "Shows data entry for shares received as Dividends. (Mainly used by Mutual Funds).\n"
         "Also use for stock splits, enter the Price of each Share as: 0.0001 and the total Number of Shares "
         "received."},
        {"Fee Cash", {"", "", "100.00", ""}, "Shows data entry for a cash Fee charged that was not part of a trade."},
        {"Unit Fee", {"10.00", "5", "", ""},
         "Shows data entry for Units/Shares sold to pay Management Fee. (Mutual Funds).\n"
         "Also use for reverse stock splits (where the number of shares decrease), enter the Price of each Share "
         "as: 0.0001 and the total Number of Shares reduction."},
    };
    auto sampleLine = [&today](const Sample &sample) -> QString {
        QString line = QLatin1Char(' ') + QLatin1String(sample.type);
        auto at = [&line](int column, const QString &text) {
            line += QString(std::max(column - int(line.size()), 1), QLatin1Char(' ')) + text;
        };
        at(columns[0], today);
        for (int i = 0; i < 4; ++i)
            if (*sample.figures[i])
                at(columns[i + 1], QLatin1String(sample.figures[i]));
        return line + QLatin1Char('\n') + QLatin1String(sample.explanation);
    };
    QStringList pieces{
        QStringLiteral("On startup the spreadsheet will be blank, if Funds does not show 0 then you have a database "
                       "file in memory, click on Dn/Arrow beside Name of active Fund to see the list of funds in the "
                       "database file, select a company/fund by clicking on it, spreadsheet will show its records. "
                       "To add a new fund to the database, click Add Fund button for name input box."),
        QStringLiteral("To add a record to the fund shown you must Select a Transaction Type from list by clicking "
                       "the Dn/Arrow. This will activate the required record input boxes in the data entry row. It is "
                       "important to select the right transaction type as this is used to calculate results."),
        QStringLiteral("To Create a New Database File.\nWith no database file in memory, Funds = 0 and Records = 0.  "
                       "(1) Click Add Fund, type the fund name, Ok.  (2) Select the Transaction Type that applies to "
                       "this record.  (3) Type the date of the transaction and your data in the yellow input boxes "
                       "shown. (4) Click Add Record."),
        QStringLiteral("The record will move down into the spreadsheet. Funds = 1 and Records = 1. These totals will "
                       "increase by 1 each time a fund or record is added to the database file."),
        QStringLiteral("To add additional records to a company/fund shown in the Name of active Fund box. Select the "
                       "Transaction Type and enter your data then click Add Record.  Add more funds to the database "
                       "file at anytime by clicking Add Fund."),
        QStringLiteral("To clear the record data row, click on the Transaction Type shown and press the Delete key."),
        QStringLiteral("All records are shown sorted by the transaction date."),
        QStringLiteral("All changes exist in computer memory only. Save and name your database file with Save Current "
                       "File to Disk from the Fund Management Menu."),
        QStringLiteral("Load a previously saved database file with Open a File from Disk from the Fund Management "
                       "Menu."),
        QStringLiteral("Shown below are 6 sample inputs which cover all possible transactions - most people will use "
                       "only 3 of them."),
    };
    for (const Sample &sample : samples)
        pieces << sampleLine(sample);
    pieces << QStringLiteral("To Delete a record, first click on the record number in the spreadsheet to select it then "
                             "click the Delete Record button.")
           << QStringLiteral("To Correct a record, first click the on the record number in the spreadsheet to select it "
                             "then click the Correct Record button. The record will be copied to the record input "
                             "line. Make your changes then click Add Record.")
           << QStringLiteral("Fund Name or Transaction Type cannot be changed.")
           << QStringLiteral("To Delete a Fund Name all records in Fund must be deleted first. With no records left, "
                             "clicking Delete Record will then delete the Fund Name.")
           << QStringLiteral("Book Value: A positive figure represents cash paid out by you, a negative figure cash "
                             "received and .00 a none cash transaction")
           << QStringLiteral("Load the file DtaSampl.QVS and try out all the features.") << QStringLiteral("End");
    return pieces.join(QStringLiteral("\n\n")).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}
