#include "invest/fund_database.h"
#include "invest/funds_session.h"
#include "money_text.h"

#include <QTest>

namespace {

FundDatabase Funds(const QStringList &names)
{
    FundDatabase db;
    for (const QString &name : names)
        db.addFund(name);
    return db;
}

// Adds a record directly, without sorting.
void Put(FundDatabase &db, int fund, const char *code, QDate date, const EntryFigures &figures)
{
    db.appendRecord(MakeRecord(fund, QLatin1String(code), date, figures, db.recordCount() + 1));
}

} // namespace

class TestFundDatabase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each type's figures as stored, or refused where they do not fit the
    // type: one refusal for each set of rules.
    void storedFigures_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("entry"); // price, number, fees, cash dividend
        QTest::addColumn<QStringList>("stored"); // shares, book value, div. shares value; none: refused
        QTest::newRow("bought") << "B" << QStringList{"10", "100", "50", "0"} << QStringList{"100", "1050", "0"};
        QTest::newRow("sold") << "S" << QStringList{"10", "100", "50", "0"} << QStringList{"-100", "-950", "0"};
        QTest::newRow("cash dividend") << "C" << QStringList{"0", "0", "0", "100"} << QStringList{"0", "-100", "0"};
        QTest::newRow("dividend shares") << "D" << QStringList{"10", "10", "0", "0"} << QStringList{"10", "0", "100"};
        QTest::newRow("fee cash") << "F" << QStringList{"0", "0", "25", "0"} << QStringList{"0", "25", "0"};
        QTest::newRow("unit fee") << "U" << QStringList{"10", "5", "0", "0"} << QStringList{"-5", "0", "-50"};
        QTest::newRow("bought with a cash dividend") << "B" << QStringList{"10", "100", "0", "5"} << QStringList();
        QTest::newRow("cash dividend with a price") << "C" << QStringList{"1", "0", "0", "100"} << QStringList();
        QTest::newRow("dividend shares with fees") << "D" << QStringList{"10", "1", "1", "0"} << QStringList();
        QTest::newRow("fee cash with shares") << "F" << QStringList{"0", "1", "25", "0"} << QStringList();
        QTest::newRow("no type") << "" << QStringList{"10", "100", "0", "0"} << QStringList();
    }
    void storedFigures()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, entry);
        QFETCH(QStringList, stored);
        const EntryFigures figures{m(entry[0]), m(entry[1]), m(entry[2]), m(entry[3])};
        QCOMPARE(FiguresFitType(code, figures), !stored.isEmpty());
        if (stored.isEmpty())
            return;
        const FundRecord record = MakeRecord(2, code, QDate(1998, 10, 12), figures, 7);
        QCOMPARE(record.shares, m(stored[0]));
        QCOMPARE(record.bookValue, m(stored[1]));
        QCOMPARE(DivSharesValue(record), m(stored[2]));
    }

    // Shares held up to 0.005, or a book cost below it, give no average.
    void averageCost()
    {
        QCOMPARE(AverageCostPerShare(m("10"), m("0.004")), Money());
        QCOMPARE(AverageCostPerShare(m("10"), m("0.0051")), m("1960.7843"));
        QCOMPARE(AverageCostPerShare(m("0.004"), m("100")), Money());
    }

    // Equal dates end in the order this Shell sort gives them, which is not
    // the order a stable sort would keep.
    void sortRecordsByDate_data()
    {
        QTest::addColumn<QList<int>>("days");     // day of month of records a, b, c, ...
        QTest::addColumn<QString>("order");
        QTest::newRow("reversed") << QList<int>{3, 2, 1} << "cba";
        QTest::newRow("equal dates after the gaps") << QList<int>{1, 2, 1, 1} << "adcb";
        QTest::newRow("one record") << QList<int>{9} << "a";
        // Day 0: a date that cannot be read refuses the sort, records as they were.
        QTest::newRow("unreadable date") << QList<int>{2, 0, 1} << "abc";
        QTest::newRow("unreadable date after records out of order") << QList<int>{3, 2, 1, 0} << "abcd";
    }
    void sortRecordsByDate()
    {
        QFETCH(QList<int>, days);
        QFETCH(QString, order);
        FundDatabase db = Funds({QStringLiteral("Fund")});
        for (int i = 0; i < days.size(); ++i)
            Put(db, 1, "B", days[i] ? QDate(2020, 1, days[i]) : QDate(), {Money::fromWhole(i + 1), m("1"), {}, {}});
        QCOMPARE(db.SortRecordsByDate(), days.contains(0) ? 23 : 0);
        QString got;
        for (int slot = 1; slot <= db.recordCount(); ++slot) {
            got += QChar(u'a' + int(db.record(slot).price.floorUnits()) - 1);
            QCOMPARE(db.record(slot).recordNumber, qint16(slot));
        }
        QCOMPARE(got, order);
    }

    // Sort Records is a change to save, unless it is refused: it once put
    // the funds in name order, and marked the file changed, before the date
    // sort refused.
    void sortRecordsIsAChangeUnlessRefused()
    {
        FundsSession session;
        session.db() = Funds({QStringLiteral("beta"), QStringLiteral("Alpha")});
        Put(session.db(), 1, "B", QDate(2020, 1, 2), {m("1"), m("1"), {}, {}});
        Put(session.db(), 2, "B", QDate(), {m("2"), m("1"), {}, {}});
        QCOMPARE(session.sortAll(), 23);
        QCOMPARE(FundName(session.db(), 1), QStringLiteral("beta"));
        QCOMPARE(session.DataChanged, 0);
        session.db().replaceRecord(2, MakeRecord(2, QStringLiteral("B"), QDate(2020, 1, 1), {m("2"), m("1"), {}, {}}, 2));
        QCOMPARE(session.sortAll(), 0);
        QCOMPARE(FundName(session.db(), 1), QStringLiteral("Alpha"));
        QCOMPARE(session.DataChanged, 1);
    }

    void sortFundsByName()
    {
        FundDatabase db = Funds({QStringLiteral("beta"), QStringLiteral("Alpha"), QStringLiteral("alpha")});
        const QDate day(2020, 5, 1);
        Put(db, 1, "B", day, {m("1"), m("1"), {}, {}}); // beta
        Put(db, 2, "B", day, {m("2"), m("1"), {}, {}}); // Alpha
        Put(db, 3, "B", day, {m("3"), m("1"), {}, {}}); // alpha
        Put(db, 1, "S", day, {m("1"), m("1"), {}, {}}); // beta
        db.setPrice(1, m("1001.5")); // beta
        db.setPrice(3, m("3003")); // alpha
        db.SortFundsByName();
        QCOMPARE((QStringList{FundName(db, 1), FundName(db, 2), FundName(db, 3)}), (QStringList{"Alpha", "alpha", "beta"}));
        // Every record still points at its own fund (told apart by price),
        // and every typed price stays with its fund.
        const QStringList expected{QString(), "beta", "Alpha", "alpha", "beta"};
        for (int slot = 1; slot <= 4; ++slot)
            QCOMPARE(FundName(db, int(db.record(slot).fundNumber.floorUnits())), expected[slot]);
        QCOMPARE((QList<Money>{db.price(1), db.price(2), db.price(3)}), (QList<Money>{{}, m("3003"), m("1001.5")}));
    }

    // Typed prices belong to the funds: filling the entry grid or resetting
    // the values keeps them; deleting a fund or opening a file drops them.
    // A file refused leaves everything as it was.
    void pricesStayWithTheirFunds()
    {
        FundDatabase db = Funds({QStringLiteral("Growth"), QStringLiteral("Bonds"), QStringLiteral("Empty")});
        Put(db, 1, "B", QDate(2001, 2, 3), {m("10"), m("1000"), {}, {}});
        Put(db, 2, "B", QDate(2001, 2, 4), {m("20"), m("2500"), {}, {}});
        db.setPrice(1, m("1234.5"));
        db.setPrice(2, m("20"));
        ShowRecords(db, 1, QStringLiteral("$"));
        db.resetValues();
        QCOMPARE((QList<Money>{db.price(1), db.price(2)}), (QList<Money>{m("1234.5"), m("20")}));
        QVERIFY(db.value(AllRecordsSlot, 0).isZero());
        QVERIFY(db.deleteFund(3));
        QCOMPARE((QList<Money>{db.price(1), db.price(2)}), (QList<Money>{{}, {}}));

        db.setPrice(1, m("5"));
        QVERIFY(db.replaceAll(QStringLiteral("All Records"), QStringLiteral("31"), {QStringLiteral("Other")}, {}));
        QCOMPARE(db.price(1), Money());

        // Contents past the limits, or records of funds that are not there,
        // never reach the tables.
        Put(db, 1, "F", QDate(2000, 1, 1), {{}, {}, m("1"), {}});
        const QStringList tooMany(MaxFunds + 1, QStringLiteral("F"));
        QVERIFY(!db.replaceAll(QStringLiteral("All Records"), QStringLiteral("31"), tooMany, {}));
        FundRecord stray = MakeRecord(2, QStringLiteral("F"), QDate(2000, 1, 1), {{}, {}, m("1"), {}}, 1);
        QVERIFY(!db.replaceAll(QStringLiteral("All Records"), QStringLiteral("31"), {QStringLiteral("One")}, {stray}));
        QCOMPARE(db.fundCount(), 1);
        QCOMPARE(db.fundName(1), QStringLiteral("Other"));
        QCOMPARE(db.recordCount(), 1);
    }

    void entryGrid()
    {
        FundDatabase db = Funds({QStringLiteral("A"), QStringLiteral("B")});
        Put(db, 1, "B", QDate(2001, 2, 3), {m("10"), m("100"), m("0"), {}});
        Put(db, 2, "B", QDate(2001, 2, 4), {m("5"), m("1"), m("0"), {}});
        Put(db, 1, "C", QDate(2001, 3, 3), {{}, {}, {}, m("100")});
        Put(db, 1, "U", QDate(2001, 4, 3), {m("10"), m("5"), {}, {}});
        const EntryGrid grid = ShowRecords(db, 1, QStringLiteral("$"));
        QCOMPARE(grid.rows, 13);
        QCOMPARE(grid.body[2], (QStringList{"3", "Unit Fee", "4/3/2001", "10.0000", "-5.0000", ".00", "-50.00", ".00",
                                            ".00"}));
        QCOMPARE(grid.body[4], (QStringList{"Total:", "", "", "", "95.0000", "$.00", "$-50.00", "$100.00", "$900.00"}));
        QCOMPARE(db.averageCost(), m("9.4737"));
        QCOMPARE(RecordOfPosition(db, 1, 2), 3);
        QCOMPARE(RecordOfPosition(db, 2, 2), 0);

        // Ten records: the grid grows by a row.
        for (int i = 0; i < 7; ++i)
            Put(db, 1, "F", QDate(2003, 1, 1), {{}, {}, m("3"), {}});
        QCOMPARE(ShowRecords(db, 1, QStringLiteral("$")).rows, 14);
    }

    void storeRecord_data()
    {
        QTest::addColumn<QStringList>("typed"); // type code, date, price
        QTest::addColumn<int>("corrected");
        QTest::addColumn<int>("held"); // records before
        QTest::addColumn<int>("message");
        QTest::newRow("stored") << QStringList{"B", "10/12/1998", "10"} << 0 << 2 << 0;
        QTest::newRow("corrected") << QStringList{"B", "10/12/1998", "10"} << 1 << 2 << 0;
        QTest::newRow("no type") << QStringList{"", "10/12/1998", "10"} << 0 << 2 << 51;
        QTest::newRow("no date") << QStringList{"B", " ", "10"} << 0 << 2 << 31;
        QTest::newRow("date not readable") << QStringList{"B", "31/31/1998", "10"} << 0 << 2 << 30;
        QTest::newRow("no price") << QStringList{"B", "10/12/1998", "0"} << 0 << 2 << 20;
        QTest::newRow("no price in a correction") << QStringList{"B", "10/12/1998", "0"} << 1 << 2 << 29;
        QTest::newRow("correction past the records") << QStringList{"B", "10/12/1998", "10"} << 3 << 2 << 17;
        QTest::newRow("1,000 records held") << QStringList{"B", "10/12/1998", "10"} << 0 << MaxEnteredRecords << 35;
    }
    void storeRecord()
    {
        QFETCH(QStringList, typed);
        QFETCH(int, corrected);
        QFETCH(int, held);
        QFETCH(int, message);
        FundDatabase db = Funds({QStringLiteral("A")});
        for (int i = 0; i < held; ++i)
            Put(db, 1, "S", QDate(1990 + i % 2, 1, 1), {m("1"), m("1"), {}, {}});
        const StoreResult result = StoreRecord(db, 1, {typed[0], typed[1], {m(typed[2]), m("100"), m("50"), {}}}, corrected);
        QCOMPARE(result.message, message);
        const int records = message == 0 && corrected == 0 ? held + 1 : held;
        QCOMPARE(db.recordCount(), records);
        QCOMPARE(result.written, message == 0);
        if (message == 0) {
            // The 1998 record, new or corrected, sorts last.
            QCOMPARE(db.record(records).bookValue, m("1050"));
            QCOMPARE(db.record(records).date, QDate(1998, 10, 12));
        }
    }

    void fundsAddedAndDeleted()
    {
        FundDatabase db;
        for (int i = 1; i <= MaxFunds; ++i)
            QCOMPARE(db.addFund(QStringLiteral("F%1").arg(i, 2, 10, QLatin1Char('0'))), i);
        QCOMPARE(db.addFund(QStringLiteral("one too many")), 0);

        FundDatabase small = Funds({QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")});
        Put(small, 1, "B", QDate(2000, 1, 1), {m("1"), m("1"), {}, {}});
        Put(small, 3, "B", QDate(2000, 1, 2), {m("3"), m("1"), {}, {}});
        QVERIFY(!small.deleteFund(1)); // it has a record
        QVERIFY(small.deleteFund(2));
        QCOMPARE(small.fundCount(), 2);
        QCOMPARE((QStringList{FundName(small, 1), FundName(small, 2)}), (QStringList{"a", "c"}));
        // c's record, then a's.
        QCOMPARE((QList<Money>{small.record(1).fundNumber, small.record(2).fundNumber}), (QList<Money>{m("2"), m("1")}));

        QVERIFY(small.deleteRecord(1));
        QCOMPARE(small.record(1).price, m("3"));
        QCOMPARE(small.record(1).recordNumber, qint16(1));
        QVERIFY(!small.deleteRecord(0));
        QVERIFY(!small.deleteRecord(2));
        // A slot that is not a record reads as none.
        QCOMPARE(small.record(2).typeCode, QString());
    }

    // Keys on a row past the funds never write the totals row.
    void priceCellKeys()
    {
        // A key pressed on a price cell of 5: its message and the price after it.
        const auto press = [](int row, int key) {
            FundDatabase db;
            db.resetValues(8);
            db.setValue(row, 2, m("5"));
            QString buffer = QStringLiteral("1");
            const int message = PriceCellKey(db, row, 1, key, buffer).message;
            return QStringLiteral("%1 %2").arg(message).arg(db.value(row, 2).toDecimalText());
        };
        QCOMPARE(press(2, 127), QStringLiteral("0 0.0000")); // Delete
        QCOMPARE(press(31, 127), QStringLiteral("22 5.0000"));
        QCOMPARE(press(2, 'x'), QStringLiteral("0 5.0000"));
    }
};

QTEST_GUILESS_MAIN(TestFundDatabase)
#include "test_fund_database.moc"
