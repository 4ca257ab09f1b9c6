#include "mortgage/mortgage_file.h"
#include "mortgage/mortgage_schedule.h"
#include "shell/core/format.h"
#include "shell/core/message_numbers.h"

#include <QTest>

namespace {

Money m(const char *text)
{
    Money value;
    if (!Money::fromDecimalText(QString::fromLatin1(text), value))
        qFatal("not a figure: %s", text);
    return value;
}

// Every payment shown, from 31 January 2027.
MortgageInput Input(const char *principal, const char *rate, int years, int months = 0)
{
    MortgageInput input;
    input.kind = months > 0 ? MortgageKind::Loan : MortgageKind::Mortgage;
    input.principal = m(principal);
    input.rate = m(rate);
    input.months = months;
    input.years = months > 0 ? Money::fromDouble(months / 12.0) : Money::fromWhole(years);
    input.firstDate = QDate(2027, 1, 31);
    input.view = MortgageAllView;
    return input;
}

MortgageSchedule Calculated(const MortgageInput &input)
{
    const Outcome<MortgageSchedule> schedule = CalculateMortgage(input);
    if (!schedule.ok())
        qFatal("refused with message %d", schedule.message());
    return schedule.value();
}

QStringList Figures(const MortgageRow &row)
{
    return {row.interest.toDecimalText(), row.principal.toDecimalText(), row.balance.toDecimalText(),
            row.cumulativeInterest.toDecimalText(), row.cumulativePrincipal.toDecimalText()};
}

} // namespace

// Figures worked outside the program by the same steps in double precision,
// money rounded half to even to four decimals at each stored figure.
class TestMortgageSchedule : public QObject
{
    Q_OBJECT

private slots:
    void schedules_data()
    {
        QTest::addColumn<QString>("principal");
        QTest::addColumn<int>("years");
        QTest::addColumn<int>("months");
        QTest::addColumn<int>("compounding");
        QTest::addColumn<int>("frequency");
        QTest::addColumn<int>("days");
        QTest::addColumn<bool>("annual");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("labels"); // payment|total paid|savings|per year|time|factor|days
        QTest::addColumn<QString>("first");  // the row's five figures, as Figures() lists them
        QTest::addColumn<QString>("last");

        QTest::newRow("defaults: monthly over 25 years, last principal is the balance left")
            << "100000" << 25 << 0 << 0 << 0 << 1 << false << 300
            << "     $917.53| $275,258.20|        $.00|          12|       25.00|0.0084375|Normal"
            << "843.7500 73.7773 99926.2227 843.7500 73.7773" << "7.6769 909.8505 0.0000 175258.1963 100000.0000";
        QTest::newRow("semiannual compounding, monthly payments")
            << "100000" << 25 << 0 << 3 << 0 << 1 << false << 300
            << "     $902.91| $270,873.89|        $.00|          12|       25.00|0.00826484|Normal"
            << "826.4838 76.4292 99923.5708 826.4838 76.4292" << "7.4013 895.5117 0.0000 170873.8903 100000.0000";
        QTest::newRow("biweekly accelerated ends after 18.54 years")
            << "100000" << 25 << 0 << 0 << 4 << 1 << false << 482
            << "     $458.76| $220,861.40|  $54,396.79|          26|       18.54|0.00387476|365"
            << "387.4757 71.2880 99928.7120 387.4757 71.2880" << "0.7568 195.3250 0.0000 120861.4024 100000.0000";
        QTest::newRow("semimonthly ignores the days and shows Normal")
            << "100000" << 25 << 0 << 0 << 1 << 0 << false << 595
            << "     $458.76| $272,666.12|   $2,592.08|          24|       24.79|0.00420989|Normal"
            << "420.9888 37.7748 99962.2252 420.9888 37.7748" << "0.6729 159.8337 0.0000 172666.1209 100000.0000";
        QTest::newRow("one week at 363 days, the longest schedule")
            << "100000" << 40 << 0 << 0 << 3 << 3 << false << 2061
            << "     $198.22| $408,493.64|   $3,812.81|          52|       39.63|0.00194618|363"
            << "194.6180 3.6063 99996.3937 194.6180 3.6063" << "0.2946 151.3854 0.0000 308493.6434 100000.0000";
        QTest::newRow("1-month loan pays the whole principal in its row")
            << "20000" << 0 << 1 << 0 << 0 << 1 << false << 1
            << "  $20,168.75|  $20,168.75|        $.00|          12|        1.00|0.0084375|Normal"
            << "168.7500 20000.0000 0.0000 168.7500 20000.0000" << "168.7500 20000.0000 0.0000 168.7500 20000.0000";
        QTest::newRow("six-month loan gets its year row")
            << "20000" << 0 << 6 << 0 << 0 << 1 << true << 1
            << "   $3,432.46|  $20,594.76|        $.00|          12|        6.00|0.0084375|Normal"
            << "594.7601 20000.0000 0.0000 594.7603 20000.0000" << "594.7601 20000.0000 0.0000 594.7603 20000.0000";
        QTest::newRow("largest figures are shown whole, the annual view keeps the final part-year")
            << "99999999" << 40 << 0 << 0 << 5 << 1 << true << 24
            << " $214,742.94|$257,184,858.90|$155,121,585.47|          52|       23.04|0.00193551|365"
            << "10008441.1901 1158191.6778 98841807.3220 10008441.1902 1158191.6780"
            << "945.7874 351357.1416 0.0000 157184859.8996 99999999.0000";
    }

    void schedules()
    {
        QFETCH(QString, principal);
        QFETCH(int, years);
        QFETCH(int, months);
        QFETCH(int, compounding);
        QFETCH(int, frequency);
        QFETCH(int, days);
        QFETCH(bool, annual);
        QFETCH(int, rows);
        QFETCH(QString, labels);
        QFETCH(QString, first);
        QFETCH(QString, last);

        MortgageInput input = Input(principal.toLatin1().constData(), "10.125", years, months);
        input.compounding = compounding;
        input.frequency = frequency;
        input.daysOption = days;
        input.view = annual ? MortgageAnnualView : MortgageAllView;
        const MortgageSchedule schedule = Calculated(input);
        QCOMPARE(int(schedule.rows.size()), rows);
        const MortgageResultTexts texts = ResultTexts(schedule, input, QStringLiteral("$"));
        QCOMPARE((QStringList{texts.payment, texts.totalPaid, texts.savings, texts.paymentsPerYear, texts.timeToFinal,
                              texts.rateFactor, texts.daysInYear})
                     .join(u'|'),
                 labels);
        QCOMPARE(Figures(schedule.rows.first()).join(u' '), first);
        QCOMPARE(Figures(schedule.rows.last()).join(u' '), last);
        // The totals are the last row's, in both views.
        const QStringList cumulative = last.split(u' ').mid(3);
        QCOMPARE(schedule.totalPaid, m(cumulative.at(0).toLatin1()) + m(cumulative.at(1).toLatin1()));
    }

    // The interest savings are a double (the scheduled total less the total
    // paid) and are shown from it: 11,295.284988 shows 11,295.28, where its
    // four-decimal rounding, 11,295.2850, would show 11,295.29.
    void savingsShownAsWorked()
    {
        MortgageInput input = Input("20000", "100", 0, 48);
        input.compounding = 3; // semiannual
        input.frequency = 3;   // 1 week
        const MortgageSchedule schedule = Calculated(input);
        QCOMPARE(schedule.totalPaid, m("58546.4988"));
        const MortgageResultTexts texts = ResultTexts(schedule, input, QStringLiteral("$"));
        QCOMPARE(texts.savings, QStringLiteral("  $11,295.28"));
    }

    // The Annual view's years, the final part-year of 18.48 years included,
    // add up to the All view's payments.
    void annualViewAddsUpToAllPayments()
    {
        MortgageInput input = Input("100000", "10.125", 25);
        input.frequency = 5; // weekly accelerated
        const MortgageSchedule all = Calculated(input);
        input.view = MortgageAnnualView;
        const MortgageSchedule annual = Calculated(input);
        QCOMPARE(int(annual.rows.size()), 19);
        QCOMPARE(annual.totalPaid, all.totalPaid);
        QCOMPARE(annual.savings, all.savings);
        QCOMPARE(annual.last().balance, Money());
        const auto paid = [](const MortgageSchedule &schedule) {
            Money sum;
            for (const MortgageRow &row : schedule.rows)
                sum += row.interest + row.principal;
            return sum;
        };
        QCOMPARE(paid(annual), paid(all));
    }

    // Nothing borrowed, no rate, no term or a rate beyond any figure is a
    // wrong entry; a mortgage over 40 years is told so.
    void refusals()
    {
        const auto refused = [](const char *principal, const char *rate, int years) {
            return int(CalculateMortgage(Input(principal, rate, years)).message());
        };
        QCOMPARE(refused("100000", "0", 25), int(MsgWrongEntry));
        QCOMPARE(refused("100000", "10.125", 0), int(MsgWrongEntry));
        QCOMPARE(refused("0", "10.125", 25), int(MsgWrongEntry));
        QCOMPARE(refused("100000", "922337203685477", 25), int(MsgWrongEntry));
        QCOMPARE(refused("100000", "10.125", 41), int(Msg40YearsLimit));
    }

    // An amount that reaches the balance is left out; a smaller one goes into
    // the first payment of its year and only the years applied are listed.
    void additionalPayments()
    {
        MortgageInput input = Input("100000", "10.125", 25);
        input.extra[2] = m("1000000");
        input.extra[5] = m("1000");
        const MortgageSchedule schedule = Calculated(input);
        QCOMPARE(schedule.appliedYears, QList<int>{5});
        QCOMPARE(schedule.lastPayment(), 292);
        // Year 2's first payment as usual; year 5's carries the 1,000.00.
        QCOMPARE(Figures(schedule.rows.at(12)),
                 (QStringList{"835.9235", "81.6039", "98990.8058", "10918.6610", "1009.1942"}));
        QCOMPARE(Figures(schedule.rows.at(48)),
                 (QStringList{"807.1006", "1110.4267", "94545.9381", "40504.7768", "5454.0619"}));
        QCOMPARE(schedule.totalPaid.toDecimalText(), QStringLiteral("268283.3776"));
        const QString block = ExtraPaymentsBlock(schedule, input, 2);
        QCOMPARE(block, QStringLiteral("Additional  Payments     Applied\r\n\r\n Year     5              1,000.00\r\n"));
        const QList<QStringList> grid = ScheduleGridRows(schedule, input, QStringLiteral("$"), 2);
        QCOMPARE(grid.at(292 + 3).mid(0, 3), (QStringList{"Additional ", "Payments  ", "Applied  "}));
        QCOMPARE(grid.at(292 + 5).mid(0, 3), (QStringList{"Year    5", "", "1,000.00"}));
        QCOMPARE(int(grid.size()), 292 + 6);
        QCOMPARE(ScheduleGridRowCount(schedule, 2), 292 + 4 + 2 + 4);
    }

    void dates_data()
    {
        QTest::addColumn<int>("frequency");
        QTest::addColumn<bool>("annual");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QList<QDate>>("dates");
        QTest::newRow("monthly from the 31st, never chained")
            << 0 << false << QDate(2027, 1, 31)
            << QList<QDate>{{2027, 1, 31}, {2027, 2, 28}, {2027, 3, 31}, {2027, 4, 30}};
        QTest::newRow("semimonthly: the month, then 14 days on")
            << 1 << false << QDate(2027, 1, 15)
            << QList<QDate>{{2027, 1, 15}, {2027, 1, 29}, {2027, 2, 15}, {2027, 3, 1}, {2027, 3, 15}};
        QTest::newRow("weekly accelerated") << 5 << false << QDate(2028, 2, 22)
                                            << QList<QDate>{{2028, 2, 22}, {2028, 2, 29}, {2028, 3, 7}};
        QTest::newRow("annual view: a year apart from 29 February")
            << 3 << true << QDate(2028, 2, 29) << QList<QDate>{{2028, 2, 29}, {2029, 2, 28}, {2030, 2, 28}};
    }

    void dates()
    {
        QFETCH(int, frequency);
        QFETCH(bool, annual);
        QFETCH(QDate, first);
        QFETCH(QList<QDate>, dates);
        MortgageInput input = Input("100000", "10.125", 25);
        input.frequency = frequency;
        input.view = annual ? MortgageAnnualView : MortgageAllView;
        input.showDates = true;
        input.firstDate = first;
        const MortgageSchedule schedule = Calculated(input);
        for (int i = 0; i < dates.size(); ++i)
            QCOMPARE(schedule.rows.at(i).date, dates.at(i));
        const QList<QStringList> grid = ScheduleGridRows(schedule, input, QStringLiteral("$"), 0);
        QCOMPARE(grid.first().first(), Format(dates.first(), QStringLiteral("Short Date")));
        QVERIFY(grid.first().first().contains(QString::number(dates.first().year())));
    }

    void gridRows()
    {
        MortgageInput input = Input("100000", "10.125", 25);
        const MortgageSchedule schedule = Calculated(input);
        const QList<QStringList> grid = ScheduleGridRows(schedule, input, QStringLiteral("$"), 0);
        QCOMPARE(int(grid.size()), 302);
        QCOMPARE(grid.at(0), (QStringList{"   1       1", "843.75", "73.78", "99,926.22", "843.75", "73.78"}));
        QCOMPARE(grid.at(12).at(0), QStringLiteral("  13       2"));
        QCOMPARE(grid.at(301), (QStringList{"Total:", "", "", "$.00", "$175,258.20", "$100,000.00"}));
    }
};

QTEST_GUILESS_MAIN(TestMortgageSchedule)
#include "test_mortgage_schedule.moc"
