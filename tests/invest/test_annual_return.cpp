// Annual returns against figures worked apart from this code: each expected
// rate solves sum(flow / (1 + r)^(days / 365)) = 0 by a 50-digit bisection in
// a separate script, or in closed form where there is one.
#include "invest/annual_return.h"
#include "invest/fund_database.h"
#include "invest/fund_values.h"
#include "money_text.h"

#include <QTest>

#include <cmath>

namespace {

// A record as "fund code yyyy-MM-dd price shares fees cash", stored by the
// entry window's own rules.
void Put(FundDatabase &db, const QString &record)
{
    const QStringList p = record.split(QLatin1Char(' '));
    const EntryFigures figures{m(p[3]), m(p[4]), m(p[5]), m(p[6])};
    const int slot = db.recordCount() + 1;
    db.appendRecord(MakeRecord(p[0].toInt(), p[1], QDate::fromString(p[2], Qt::ISODate), figures, slot));
}

// Funds named A, B, ... with their records and prices, valued.
AnnualReturns Valued(FundDatabase &db, const QStringList &records, const QStringList &prices, QDate asOf)
{
    db.clear();
    for (int f = 1; f <= prices.size(); ++f)
        db.addFund(QString(QChar(u'A' + f - 1)));
    for (const QString &record : records)
        Put(db, record);
    PreparePriceTable(db);
    for (int f = 1; f <= prices.size(); ++f)
        db.setPrice(f, m(prices.at(f - 1)));
    if (CollectHoldings(db) != MsgNone)
        return {};
    ComputeCurrentValues(db);
    return FundAnnualReturns(db, asOf);
}

QString Percent(const AnnualReturn &annual)
{
    const std::optional<Money> percent = annual.percent();
    return percent ? percent->toDecimalText() : QStringLiteral("none: ") + annual.note;
}

QDate d(const char *iso)
{
    return QDate::fromString(QLatin1String(iso), Qt::ISODate);
}

} // namespace

class TestAnnualReturn : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // One fund's records as the investor entered them, valued at a price.
    void workedFigures_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QDate>("asOf");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("shown");
        // 1.2^(365/731) - 1.
        QTest::newRow("single purchase, two years")
            << QStringList{"1 B 2020-01-01 10 100 0 0"} << "12" << d("2022-01-01") << "9.5309" << "9.53%";
        QTest::newRow("purchase, cash dividend, partial sale")
            << QStringList{"1 B 2019-03-15 25 200 20 0", "1 C 2019-12-20 0 0 0 150", "1 S 2020-06-30 30 80 15 0"}
            << "28" << d("2021-03-15") << "10.0452" << "10.05%";
        QTest::newRow("loss") << QStringList{"1 B 2018-05-10 50 1000 0 0"} << "35" << d("2021-11-30") << "-9.5292"
                              << "-9.53%";
        // The whole holding sold on the valuation day is a flow of that day.
        QTest::newRow("sold out on the valuation day")
            << QStringList{"1 B 2020-01-01 10 100 0 0", "1 S 2022-01-01 12 100 0 0"} << "0" << d("2022-01-01")
            << "9.5309" << "9.53%";
        QTest::newRow("1,500,000 shares over 25 years")
            << QStringList{"1 B 2001-01-05 1234.5678 1500000 1250.50 0"} << "2000" << d("2026-12-06") << "1.8776"
            << "1.88%";
        // Discounting over 300 years stays finite at every rate tried.
        QTest::newRow("three centuries") << QStringList{"1 B 1800-01-01 10 100 0 0"} << "12" << d("2100-01-01")
                                         << "0.0608" << ".06%";
    }
    void workedFigures()
    {
        QFETCH(QStringList, records);
        QFETCH(QString, price);
        QFETCH(QDate, asOf);
        QFETCH(QString, percent);
        QFETCH(QString, shown);
        FundDatabase db;
        const AnnualReturns returns = Valued(db, records, {price}, asOf);
        QCOMPARE(returns.size(), AllRecordsSlot + 1);
        QCOMPARE(Percent(returns.at(1)), percent);
        QCOMPARE(AnnualReturnText(returns.at(1)), shown);
        // One fund: the total is the same return.
        QCOMPARE(Percent(returns.at(AllRecordsSlot)), percent);
    }

    // The rate itself, not only its four decimals, is within 1e-10.
    void closedFormPrecision()
    {
        const AnnualReturn annual =
            SolveAnnualReturn({{d("2020-01-01"), m("-1000")}}, d("2022-01-01"), m("1200"));
        QVERIFY(annual.rate);
        QVERIFY(std::abs(*annual.rate - (std::pow(1.2, 365.0 / 731.0) - 1)) < 1e-10);
        // Near both ends of the range: -99.98% and 99,900% over 365 days.
        const AnnualReturn low = SolveAnnualReturn({{d("2021-01-01"), m("-1000000")}}, d("2022-01-01"), m("200"));
        QCOMPARE(Percent(low), QStringLiteral("-99.9800"));
        const AnnualReturn high = SolveAnnualReturn({{d("2021-01-01"), m("-1000")}}, d("2022-01-01"), m("1000000"));
        QCOMPARE(Percent(high), QStringLiteral("99900.0000"));
        QCOMPARE(AnnualReturnText(high), QStringLiteral("99900.00%"));
    }

    // Where no single rate balances the flows, none is given, with the reason.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QDate>("asOf");
        QTest::addColumn<QString>("note");
        QTest::newRow("no money in: only a cash dividend")
            << QStringList{"1 C 2020-01-01 0 0 0 1500"} << "0" << d("2022-01-01") << "no money was put in";
        QTest::newRow("bought and valued on one day")
            << QStringList{"1 B 2022-01-01 10 1000 0 0"} << "12" << d("2022-01-01") << "all cash flows fall on one day";
        QTest::newRow("sold out before the valuation date")
            << QStringList{"1 B 2020-01-01 10 1000 0 0", "1 S 2021-01-01 12 1000 0 0"} << "0" << d("2022-01-01")
            << "sold out before the valuation date";
        QTest::newRow("fees only, nothing held")
            << QStringList{"1 F 2020-01-01 0 0 1200 0"} << "0" << d("2022-01-01")
            << "nothing came back and nothing is held";
        QTest::newRow("a record after the valuation date")
            << QStringList{"1 B 2020-01-01 10 1000 0 0", "1 B 2023-01-01 10 1000 0 0"} << "12" << d("2022-01-01")
            << "a record is dated after the valuation date";
        QTest::newRow("gain beyond 1,000,000% a year")
            << QStringList{"1 B 2021-12-31 1 1000 0 0"} << "1000000" << d("2022-01-01")
            << "no rate from -99.99% to 1,000,000% balances the cash flows";
    }
    void refusals()
    {
        QFETCH(QStringList, records);
        QFETCH(QString, price);
        QFETCH(QDate, asOf);
        QFETCH(QString, note);
        FundDatabase db;
        const AnnualReturns returns = Valued(db, records, {price}, asOf);
        QCOMPARE(returns.size(), AllRecordsSlot + 1);
        QCOMPARE(Percent(returns.at(1)), QStringLiteral("none: ") + note);
        QCOMPARE(AnnualReturnText(returns.at(1)), QString());
        QStringList notes;
        for (const AnnualReturnNote &told : AnnualReturnNotes(db, returns))
            notes << told.sentence();
        QCOMPARE(notes, (QStringList{QStringLiteral("No annual return for A: ") + note + QLatin1Char('.'),
                                     QStringLiteral("No annual return for All funds: ") + note + QLatin1Char('.')}));
    }

    // Flows the records of one fund cannot make: no sign change at all, and
    // two rates (10% and 20%) that both balance the flows.
    void solverRefusals()
    {
        QCOMPARE(Percent(SolveAnnualReturn({{d("2021-01-01"), m("-1000")}}, d("2022-01-01"), m("-5"))),
                 QStringLiteral("none: the cash flows never change sign"));
        QCOMPARE(Percent(SolveAnnualReturn({}, d("2022-01-01"), m("5"))), QStringLiteral("none: no records"));
        QCOMPARE(Percent(SolveAnnualReturn({{QDate(), m("-1000")}}, d("2022-01-01"), m("1200"))),
                 QStringLiteral("none: a record has no date"));
        const QList<CashFlow> twoRates{
            {d("2021-01-01"), m("-1000")}, {d("2022-01-01"), m("2300")}, {d("2023-01-01"), m("-1320")}};
        QCOMPARE(Percent(SolveAnnualReturn(twoRates, d("2023-01-01"), Money())),
                 QStringLiteral("none: more than one rate balances the cash flows"));
        // Several records on one day count as one flow, in any order.
        const QList<CashFlow> split{
            {d("2020-01-01"), m("-400")}, {d("2020-01-01"), m("-600")}, {d("2019-06-01"), m("0")}};
        const AnnualReturn annual = SolveAnnualReturn(split, d("2022-01-01"), m("1200"));
        QVERIFY(annual.rate);
        QVERIFY(std::abs(*annual.rate - 0.095308513911953) < 1e-4);
    }

    // A fund's return depends on its own records only; the total takes
    // every record and the whole current value.
    void otherFundsLeaveAFundAlone()
    {
        FundDatabase db;
        const QStringList alone{"1 B 2020-01-01 10 100 0 0"};
        const AnnualReturn single = Valued(db, alone, {"12"}, d("2022-01-01")).at(1);
        const AnnualReturns together =
            Valued(db, alone + QStringList{"2 B 2018-05-10 50 1000 0 0", "3 C 2021-06-01 0 0 0 250"},
                   {"12", "35", "0"}, d("2022-01-01"));
        QCOMPARE(together.at(1).rate, single.rate);
        QCOMPARE(Percent(together.at(2)), QStringLiteral("-9.3113"));
        QCOMPARE(Percent(together.at(3)), QStringLiteral("none: no money was put in"));
        // -50,000 on 2018-05-10, -1,000 on 2020-01-01, +250 on 2021-06-01 and
        // 36,200 held on 2022-01-01.
        QCOMPARE(Percent(together.at(AllRecordsSlot)), QStringLiteral("-8.8832"));
        const QList<AnnualReturnNote> notes = AnnualReturnNotes(db, together);
        QCOMPARE(notes.size(), 1);
        QCOMPARE(notes.at(0).sentence(), QStringLiteral("No annual return for C: no money was put in."));
    }
};

QTEST_GUILESS_MAIN(TestAnnualReturn)
#include "test_annual_return.moc"
