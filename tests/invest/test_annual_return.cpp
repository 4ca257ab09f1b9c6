// Annual returns against figures worked apart from this code: each expected
// rate solves sum(flow / (1 + r)^(days / 365)) = 0 by a 50-digit bisection in
// a separate script, or in closed form where there is one.
#include "invest/annual_return.h"
#include "invest/fund_database.h"
#include "invest/fund_values.h"
#include "money_text.h"

#include <QTest>

namespace {

QDate d(const QString &iso) { return QDate::fromString(iso, Qt::ISODate); }

// Funds named A, B, ... with their records ("fund code yyyy-MM-dd price
// shares fees cash", stored by the entry window's own rules) and prices, valued.
AnnualReturns Valued(FundDatabase &db, const QStringList &records, const QStringList &prices, QDate asOf)
{
    db.clear();
    for (int f = 1; f <= prices.size(); ++f)
        db.addFund(QString(QChar(u'A' + f - 1)));
    for (const QString &record : records) {
        const QStringList p = record.split(QLatin1Char(' '));
        db.appendRecord(MakeRecord(p[0].toInt(), p[1], d(p[2]), {m(p[3]), m(p[4]), m(p[5]), m(p[6])}, db.recordCount() + 1));
    }
    PreparePriceTable(db);
    for (int f = 1; f <= prices.size(); ++f)
        db.setPrice(f, m(prices.at(f - 1)));
    CollectHoldings(db);
    ComputeCurrentValues(db);
    return FundAnnualReturns(db, asOf);
}

QString Percent(const AnnualReturn &annual)
{
    const std::optional<Money> percent = annual.percent();
    return percent ? percent->toDecimalText() : QStringLiteral("none: ") + annual.note;
}

} // namespace

class TestAnnualReturn : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // One fund's records as the investor entered them, valued at a price;
    // where no single rate balances the flows, none is given, with the reason.
    void returns_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QDate>("asOf");
        QTest::addColumn<QString>("percent");
        const QDate asOf = d("2022-01-01");
        // 1.2^(365/731) - 1.
        QTest::newRow("single purchase, two years") << QStringList{"1 B 2020-01-01 10 100 0 0"} << "12" << asOf << "9.5309";
        QTest::newRow("purchase, cash dividend, partial sale")
            << QStringList{"1 B 2019-03-15 25 200 20 0", "1 C 2019-12-20 0 0 0 150", "1 S 2020-06-30 30 80 15 0"}
            << "28" << d("2021-03-15") << "10.0452";
        // The whole holding sold on the valuation day is a flow of that day.
        QTest::newRow("sold out on the valuation day")
            << QStringList{"1 B 2020-01-01 10 100 0 0", "1 S 2022-01-01 12 100 0 0"} << "0" << asOf << "9.5309";
        // Discounting over 300 years stays finite at every rate tried.
        QTest::newRow("three centuries") << QStringList{"1 B 1800-01-01 10 100 0 0"} << "12" << d("2100-01-01") << "0.0608";
        QTest::newRow("no money in: only a cash dividend")
            << QStringList{"1 C 2020-01-01 0 0 0 1500"} << "0" << asOf << "none: no money was put in";
        QTest::newRow("bought and valued on one day")
            << QStringList{"1 B 2022-01-01 10 1000 0 0"} << "12" << asOf << "none: all cash flows fall on one day";
        QTest::newRow("sold out before the valuation date")
            << QStringList{"1 B 2020-01-01 10 1000 0 0", "1 S 2021-01-01 12 1000 0 0"} << "0" << asOf
            << "none: sold out before the valuation date";
        QTest::newRow("fees only, nothing held")
            << QStringList{"1 F 2020-01-01 0 0 1200 0"} << "0" << asOf << "none: nothing came back and nothing is held";
        QTest::newRow("a record after the valuation date")
            << QStringList{"1 B 2020-01-01 10 1000 0 0", "1 B 2023-01-01 10 1000 0 0"} << "12" << asOf
            << "none: a record is dated after the valuation date";
        QTest::newRow("gain beyond 1,000,000% a year") << QStringList{"1 B 2021-12-31 1 1000 0 0"} << "1000000" << asOf
                                                      << "none: no rate from -99.99% to 1,000,000% balances the cash flows";
    }
    void returns()
    {
        QFETCH(QStringList, records);
        QFETCH(QString, price);
        QFETCH(QDate, asOf);
        QFETCH(QString, percent);
        FundDatabase db;
        const AnnualReturns returns = Valued(db, records, {price}, asOf);
        QCOMPARE(Percent(returns.value(1)), percent);
        // One fund: where there is no return, it is told for the fund and for all funds.
        QCOMPARE(AnnualReturnNotes(db, returns).size(), percent.startsWith(QLatin1String("none")) ? 2 : 0);
    }

    // The solver on flows of its own, the value held on 2023-01-01: near
    // the lowest and the highest rate it takes; several records on one day
    // count as one flow, in any order; two rates, 10% and 20%, balance the
    // last flows.
    void solver()
    {
        const auto solved = [](const QStringList &flows, const char *value) { // "yyyy-MM-dd amount"
            QList<CashFlow> cash;
            for (const QString &flow : flows)
                cash.append({d(flow.section(QLatin1Char(' '), 0, 0)), m(flow.section(QLatin1Char(' '), 1))});
            return Percent(SolveAnnualReturn(cash, d("2023-01-01"), m(value)));
        };
        QCOMPARE(solved({"2022-01-01 -1000000"}, "200"), QStringLiteral("-99.9800"));
        QCOMPARE(solved({"2022-01-01 -1000"}, "1000000"), QStringLiteral("99900.0000"));
        // 1.2^(365/730) - 1.
        QCOMPARE(solved({"2021-01-01 -400", "2021-01-01 -600", "2020-06-01 0"}, "1200"), QStringLiteral("9.5445"));
        QCOMPARE(solved({"2022-01-01 -1000"}, "-5"), QStringLiteral("none: the cash flows never change sign"));
        QCOMPARE(solved({}, "5"), QStringLiteral("none: no records"));
        QCOMPARE(solved({"none -1000"}, "1200"), QStringLiteral("none: a record has no date"));
        QCOMPARE(solved({"2021-01-01 -1000", "2022-01-01 2300", "2023-01-01 -1320"}, "0"),
                 QStringLiteral("none: more than one rate balances the cash flows"));
    }

    // A fund's return depends on its own records only; the total takes
    // every record and the whole current value.
    void otherFundsLeaveAFundAlone()
    {
        FundDatabase db;
        const AnnualReturns together = Valued(
            db, {"1 B 2020-01-01 10 100 0 0", "2 B 2018-05-10 50 1000 0 0", "3 C 2021-06-01 0 0 0 250"},
            {"12", "35", "0"}, d("2022-01-01"));
        // Fund A alone: "single purchase, two years".
        QCOMPARE(Percent(together.value(1)), QStringLiteral("9.5309"));
        QCOMPARE(AnnualReturnText(together.value(1)), QStringLiteral("9.53%"));
        QCOMPARE(Percent(together.at(3)), QStringLiteral("none: no money was put in"));
        // -50,000 on 2018-05-10, -1,000 on 2020-01-01, +250 on 2021-06-01 and
        // 36,200 held on 2022-01-01.
        QCOMPARE(Percent(together.at(AllRecordsSlot)), QStringLiteral("-8.8832"));
        QCOMPARE(AnnualReturnNotes(db, together).value(0).sentence(), QStringLiteral("No annual return for C: no money was put in."));
        QCOMPARE(AnnualReturnNotes(db, together).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestAnnualReturn)
#include "test_annual_return.moc"
