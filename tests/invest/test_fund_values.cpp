#include "invest/fund_database.h"
#include "invest/fund_values.h"
#include "money_text.h"
#include "shell/core/message_numbers.h"

#include <QTest>

namespace {

// A record as "fund:code:price:number:fees:cash", dated in record order.
void Put(FundDatabase &db, const QString &record)
{
    const QStringList p = record.split(QLatin1Char(':'));
    const EntryFigures figures{m(p[2]), m(p[3]), m(p[4]), m(p[5])};
    const int slot = db.recordCount() + 1;
    db.appendRecord(MakeRecord(p[0].toInt(), p[1], QDate(2024, 1, 1).addDays(slot), figures, slot));
}

void Open(FundDatabase &db, int funds, const QStringList &records)
{
    db.clear();
    for (int f = 1; f <= funds; ++f)
        db.addFund(QStringLiteral("Fund %1").arg(QChar(u'A' + f - 1)));
    for (const QString &record : records)
        Put(db, record);
}

// A fund for each price typed, valued as Calculate does; its message.
int Valued(FundDatabase &db, const QStringList &records, const QStringList &prices)
{
    Open(db, int(prices.size()), records);
    PreparePriceTable(db);
    for (int f = 1; f <= prices.size(); ++f)
        db.setPrice(f, m(prices[f - 1]));
    const int message = CollectHoldings(db);
    if (message == 0)
        ComputeCurrentValues(db);
    return message;
}

inline QString Decimal(Money value) { return value.toDecimalText(); }

} // namespace

class TestFundValues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Shares of the whole are cut on the exact figures, never rounded and
    // never divided by a whole of 0 or below.
    void shareOfTotal()
    {
        QCOMPARE(Decimal(ShareOfTotal(m("29"), m("100"))), QStringLiteral("29.0000")); // not 28.99
        QCOMPARE(Decimal(ShareOfTotal(m("2"), m("3"))), QStringLiteral("66.6600")); // cut, not rounded
        QCOMPARE(Decimal(ShareOfTotal(m("5"), m("0"))), QStringLiteral("0.0000"));
        QCOMPARE(Decimal(ShareOfTotal(m("900000000000000"), m("900000000000001"))), QStringLiteral("99.9900"));
    }

    // Worked by hand: each row gives the records, the prices typed and the
    // expected current total, gain, gain percent and share of each fund.
    void currentValues_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QStringList>("prices");
        QTest::addColumn<QStringList>("expected"); // per fund "total gain percent share"
        QTest::addColumn<QString>("totals");        // "total gain percent"
        QTest::newRow("book cost and amount invested 0")
            << QStringList{"1:D:10:10:0:0"} << QStringList{"5"} << QStringList{"50.0000 50.0000 100.0000 100.0000"}
            << "50.0000 50.0000 0.0000";
        QTest::newRow("sold out, no price")
            << QStringList{"1:B:10:10:0:0", "1:S:12:10:0:0", "2:B:10:10:0:0"} << QStringList{"0", "10"}
            << QStringList{"0.0000 20.0000 20.0000 0.0000", "100.0000 0.0000 0.0000 100.0000"}
            << "100.0000 20.0000 25.0000";
        QTest::newRow("the help's example")
            << QStringList{"1:B:10:100:50:0", "1:D:10.5:2:0:0", "1:C:0:0:0:30", "1:S:12:50:25:0", "2:B:5:200:0:0"}
            << QStringList{"13", "5.10"}
            << QStringList{"676.0000 231.0000 51.9101 39.8500", "1020.0000 20.0000 2.0000 60.1400"}
            << "1696.0000 251.0000 17.3702";
        // Sales are not checked against holdings: the whole can fall below 0.
        QTest::newRow("whole below 0")
            << QStringList{"1:B:1:10:0:0", "2:S:1:20:0:0"} << QStringList{"1", "1"}
            << QStringList{"10.0000 0.0000 0.0000 0.0000", "-20.0000 0.0000 0.0000 0.0000"}
            << "-10.0000 0.0000 0.0000";
    }
    void currentValues()
    {
        QFETCH(QStringList, records);
        QFETCH(QStringList, prices);
        QFETCH(QStringList, expected);
        QFETCH(QString, totals);
        FundDatabase db;
        QCOMPARE(Valued(db, records, prices), 0);
        const MoneyTable &v = db.valueTable();
        const Money whole = v.value(AllRecordsSlot, ValueTotalColumn);
        auto figures = [&v](int row) {
            return QStringList{Decimal(v.value(row, ValueTotalColumn)), Decimal(v.value(row, ValueGainColumn)),
                               Decimal(v.value(row, ValuePercentColumn))}.join(QLatin1Char(' '));
        };
        for (int f = 1; f <= expected.size(); ++f)
            QCOMPARE(figures(f) + QLatin1Char(' ') + Decimal(ShareOfTotal(v.value(f, ValueTotalColumn), whole)), expected[f - 1]);
        QCOMPARE(figures(AllRecordsSlot), totals);
    }

    void valueTableRows()
    {
        FundDatabase db;
        QCOMPARE(Valued(db, {"1:B:1:1:0:0", "2:B:2:1:0:0"}, {"1", "2"}), 0);
        // Fund B has no annual return: its record and the valuation share a day.
        const QList<QStringList> rows = CurrentValueTable(db, QStringLiteral("$"), FundAnnualReturns(db, QDate(2024, 1, 3)));
        QCOMPARE(rows[1], (QStringList{"Fund A", "1.0000", "1.00", "$1.00", "1.00", ".00", ".00%", "33.33%", ".00%"}));
        QCOMPARE(rows[2][8], QString());
        QCOMPARE(rows[5], (QStringList{"Total:", "2.0000", "$3.00", "", "$3.00", "$.00", ".00%", "100.00%", ".00%"}));
    }

    // A fund holding shares without a price stops Calculate with nothing
    // half-computed; prices typed for later funds survive a new visit to the
    // price window, and repeated Calculates do not add up twice. (A sold-out
    // fund needs no price: currentValues.)
    void typedPricesKept()
    {
        FundDatabase db;
        QCOMPARE(Valued(db, {"1:B:1:1:0:0", "2:B:1:1:0:0", "3:B:1:1:0:0"}, {"0", "4.5", "7"}), int(MsgMissingPrice));
        QVERIFY(db.value(2, ValueSharesColumn).isZero());
        PreparePriceTable(db);
        QCOMPARE(PriceGridRows(db), (QList<QStringList>{{"Fund A", ""}, {"Fund B", "4.50"}, {"Fund C", "7.00"}}));
        db.setPrice(1, m("1"));
        QCOMPARE(CollectHoldings(db), 0);
        QCOMPARE(CollectHoldings(db), 0);
        QCOMPARE(Decimal(db.value(2, ValueSharesColumn)), QStringLiteral("1.0000"));
    }

    void emptyFund()
    {
        FundDatabase db;
        Open(db, 3, {"1:B:1:1:0:0", "3:B:1:1:0:0"});
        QCOMPARE(FirstEmptyFund(db), 2);
        Open(db, 1, {"1:B:1:1:0:0"});
        QCOMPARE(FirstEmptyFund(db), 0);
    }

    // One fund's listing and all funds', each fund there under its name cut
    // to 26 letters; row 31 is left with the figures of the fund listed last.
    void listings()
    {
        FundDatabase db;
        db.addFund(QStringLiteral("A fund whose name runs past twenty-six"));
        db.addFund(QStringLiteral("Second"));
        for (const char *record : {"1:B:10:100:50:0", "2:C:0:0:0:5", "1:D:10.5:2:0:0", "1:S:10:10:0:0"})
            Put(db, QLatin1String(record));
        const RecordListing one = ListRecords(db, 1, QStringLiteral("$"));
        QCOMPARE(one.rows[1], (QStringList{"Bought  ", "1/2/2024", "10.0000", "100.0000", "50.00", ".00", ".00", "1,050.00"}));
        QCOMPARE(one.rows[4], (QStringList{"Total:", "", "", "92.0000", "$50.00", "$21.00", "$.00", "$950.00"}));
        QCOMPARE(one.rows[5][2], QStringLiteral("$10.3261"));
        const RecordListing all = ListRecords(db, AllRecordsSlot, QStringLiteral("$"));
        QCOMPARE(all.rows[1][0], QStringLiteral("A fund whose name runs pas"));
        QCOMPARE(all.rows[8][0], QStringLiteral("Second"));
        QCOMPARE(all.lastListRow, 13);
        QCOMPARE(all.rows[13], (QStringList{"Total all Funds:", "", "", "92.0000", "$50.00", "$21.00", "$5.00", "$945.00"}));
        QCOMPARE(Decimal(db.value(AllRecordsSlot, ValueBookColumn)), QStringLiteral("-5.0000"));
    }

    // The current value of a listed fund: its message (26 where it cannot
    // be measured), the price shown, the value, the gain and its percent.
    void listedValue()
    {
        const auto listed = [](const QStringList &records, const char *price) {
            FundDatabase db;
            Open(db, 1, records);
            ListRecords(db, 1, QStringLiteral("$"));
            const ListedValue v = ValueOfListedFund(db, m(price));
            return QStringLiteral("%1: %2 %3 %4 %5")
                .arg(QString::number(v.message), Decimal(v.price), Decimal(v.value), Decimal(v.gain), Decimal(v.gainPercent));
        };
        QCOMPARE(listed({"1:D:10:10:0:0"}, "5"), QStringLiteral("26: 0.0000 0.0000 0.0000 0.0000")); // nothing invested
        // Sold out, the price shown is 0; then a loss.
        QCOMPARE(listed({"1:B:10:10:0:0", "1:S:12:10:0:0"}, "9"), QStringLiteral("0: 0.0000 0.0000 20.0000 20.0000"));
        QCOMPARE(listed({"1:B:10:100:0:0"}, "7.5"), QStringLiteral("0: 7.5000 750.0000 -250.0000 -25.0000"));
    }
};

QTEST_GUILESS_MAIN(TestFundValues)
#include "test_fund_values.moc"
