#include "plan401k/plan401k_fields.h"
#include "plan401k/plan401k_plan.h"
#include "plan401k/plan401k_session.h"
#include "shell/core/app_state.h"
#include "shell/core/format.h"
#include "shell/core/message_numbers.h"
#include "shell/print/print_frame.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

#include <cmath>

namespace {

Money m(const char *text)
{
    Money value;
    if (!Money::fromDecimalText(QString::fromLatin1(text), value))
        qFatal("not a figure: %s", text);
    return value;
}

// The window's starting figures.
Plan401KInput defaults()
{
    Plan401KInput input;
    input.balance = m("10000");
    input.salary = m("50000");
    input.contribution = m("5");
    input.company = m("4");
    input.raise = m("4");
    input.rateOfReturn = m("10");
    input.years = m("25");
    return input;
}

Plan401KPlan calculate(const Plan401KInput &input)
{
    const auto plan = Calculate401K(input);
    if (!plan.ok())
        qFatal("refused with message %d", plan.message());
    return plan.value();
}

// Prints the session's last calculation under the given header.
TextPrintJob printed(AppState &state, Plan401KSession &session, const QString &header)
{
    ScriptedDialogs dialogs;
    dialogs.lines << header;
    RecordingPrinter printer;
    if (!PrintSession(state, dialogs, printer, session))
        qFatal("printout refused");
    return printer.jobs.value(0);
}

// The printout of 50 years from the starting figures, header "Fifty years".
const QString FiftyYears = QStringLiteral(R"(
 Fifty years

                        Investment Growth - 401K Plan


 Current balance in your 401K account                  $10,000.00

 Your current annual salary                            $50,000.00

 Your annual 401K rate of contribution                       5.00%

 The company contribution rate                               4.00%

 Estimated rate of annual salary raises                      4.00%

 Annual rate of return on your 401K                         10.00%

 Estimated rate of annual inflation                           .00%

 The number of years to retirement                             50


  Year   Annual Salary   Contributions   Interest/Growth    Current Value
  _______________________________________________________________________

                                                                10,000.00
   1         50,000.00       4,500.00           1,450.00        15,950.00
   2         52,000.00       4,680.00           2,063.00        22,693.00
   3         54,080.00       4,867.20           2,756.02        30,316.22
   4         56,243.20       5,061.89           3,537.81        38,915.92
   5         58,492.93       5,264.36           4,418.03        48,598.31
   6         60,832.65       5,474.94           5,407.33        59,480.57
   7         63,265.95       5,693.94           6,517.45        71,691.96
   8         65,796.59       5,921.69           7,761.37        85,375.02
   9         68,428.45       6,158.56           9,153.36       100,686.94
  10         71,165.59       6,404.90          10,709.18       117,801.02
  11         74,012.21       6,661.10          12,446.21       136,908.34
  12         76,972.70       6,927.54          14,383.59       158,219.47
  13         80,051.61       7,204.64          16,542.41       181,966.52
  14         83,253.68       7,492.83          18,945.94       208,405.29
  15         86,583.82       7,792.54          21,619.78       237,817.62
  16         90,047.18       8,104.25          24,592.19       270,514.05
  17         93,649.06       8,428.42          27,894.25       306,836.71
  18         97,395.02       8,765.55          31,560.23       347,162.49
  19        101,290.83       9,116.17          35,627.87       391,906.53
  20        105,342.46       9,480.82          40,138.74       441,526.09
  21        109,556.16       9,860.05          45,138.61       496,524.76
  22        113,938.40      10,254.46          50,677.92       557,457.14
  23        118,495.94      10,664.63          56,812.18       624,933.95
  24        123,235.78      11,091.22          63,602.52       699,627.69
  25        128,165.21      11,534.87          71,116.26       782,278.81
  26        133,291.82      11,996.26          79,427.51       873,702.58


                                       Page 1 )" "\f" R"(



  Year   Annual Salary   Contributions   Interest/Growth    Current Value
  _______________________________________________________________________

  27        138,623.49      12,476.11          88,617.87       974,796.57
  28        144,168.43      12,975.16          98,777.17     1,086,548.90
  29        149,935.17      13,494.16         110,004.31     1,210,047.37
  30        155,932.57      14,033.93         122,408.13     1,346,489.43
  31        162,169.88      14,595.29         136,108.47     1,497,193.20
  32        168,656.67      15,179.10         151,237.23     1,663,609.53
  33        175,402.94      15,786.26         167,939.58     1,847,335.37
  34        182,419.05      16,417.71         186,375.31     2,050,128.40
  35        189,715.82      17,074.42         206,720.29     2,273,923.11
  36        197,304.45      17,757.40         229,168.05     2,520,848.56
  37        205,196.63      18,467.70         253,931.63     2,793,247.89
  38        213,404.49      19,206.40         281,245.43     3,093,699.72
  39        221,940.67      19,974.66         311,367.44     3,425,041.83
  40        230,818.30      20,773.65         344,581.55     3,790,397.03
  41        240,051.03      21,604.59         381,200.17     4,193,201.79
  42        249,653.07      22,468.78         421,567.06     4,637,237.62
  43        259,639.20      23,367.53         466,060.52     5,126,665.67
  44        270,024.76      24,302.23         515,096.80     5,666,064.70
  45        280,825.75      25,274.32         569,133.91     6,260,472.92
  46        292,058.78      26,285.29         628,675.83     6,915,434.05
  47        303,741.14      27,336.70         694,277.09     7,637,047.83
  48        315,890.78      28,430.17         766,547.81     8,432,025.81
  49        328,526.41      29,567.38         846,159.33     9,307,752.52
  50        341,667.47      30,750.07         933,850.27    10,272,352.86
  _______________________________________________________________________

 Total:                   $697,001.86      $9,575,351.01    $10,272,352.86)");

} // namespace

Q_DECLARE_METATYPE(Plan401KInput)

class TestPlan401KPlan : public QObject
{
    Q_OBJECT

private slots:
    void defaultsThroughTheSession()
    {
        AppState state;
        Plan401KSession session(state);
        const auto update = session.press({});
        QVERIFY(update.ok());
        QCOMPARE(update->rowCount, 30);
        QVERIFY(update->clearBody);
        QCOMPARE(update->firstRow, 1);
        const QList<QStringList> &rows = update->rows;
        QCOMPARE(rows.size(), 28); // balance, 25 years, empty, total
        QCOMPARE(rows.at(0), (QStringList{"", "", "", "", "10,000.00"}));
        QCOMPARE(rows.at(1), (QStringList{"1", "50,000.00", "4,500.00", "1,450.00", "15,950.00"}));
        QCOMPARE(rows.at(25), (QStringList{"25", "128,165.21", "11,534.87", "71,116.26", "782,278.81"}));
        QCOMPARE(rows.at(26), QStringList(5));
        QCOMPARE(rows.at(27), (QStringList{"Total:", "", "$197,406.58", "$584,872.23", "$782,278.81"}));

        QCOMPARE(session.data().ResultCount, qint16(25));
        QCOMPARE(session.data().GraphTitle, QStringLiteral("Investment value at end of each Year"));
        QCOMPARE(session.data().GraphData.value(1, 4), m("15950"));
        QCOMPARE(session.data().GraphData.value(26, 4), m("782278.8099"));

        const QJsonObject json = session.results().toObject();
        QCOMPARE(json.value(QStringLiteral("final_value")).toString(), QStringLiteral("782278.8099"));
        const QJsonObject first = json.value(QStringLiteral("years")).toArray().at(0).toObject();
        QCOMPARE(first.value(QStringLiteral("value")).toString(), QStringLiteral("15950.0000"));

        QCOMPARE(session.graphRequest().kind, GraphKind::Plan401K);
    }

    void eachYearPaysInItsOwnContribution()
    {
        // No balance, 2 years: year 2 grows 4,950 + 4,680 (its own contribution, not year 1's 4,500).
        Plan401KInput input = defaults();
        input.balance = Money();
        input.years = m("2");
        const Plan401KPlan plan = calculate(input);
        QCOMPARE(plan.rows.at(1).contribution, m("4680"));
        QCOMPARE(plan.rows.at(1).interest, m("963"));
        QCOMPARE(plan.rows.at(1).value, m("10593"));
        QCOMPARE(plan.totalInvested, m("9180"));
        QCOMPARE(plan.totalInterest, m("1413"));

        // Over 50 years without inflation what was invested plus every year's interest is the final value.
        input.years = m("50");
        input.balance = m("2500.55");
        const Plan401KPlan fifty = calculate(input);
        Money interest;
        Money invested = input.balance;
        for (const Plan401KYear &year : fifty.rows) {
            interest += year.interest;
            invested += year.contribution;
        }
        QCOMPARE(fifty.totalInvested, invested);
        QCOMPARE(fifty.totalInterest, interest);
    }

    void firstContributionIsMoney()
    {
        // 1,234.5678 x 3.33% = 41.11110774: year 1 pays in 41.1111 and year 2's 50% raise works on
        // that (61.66665, halves to even: 61.6666), not on the unrounded figure (61.6667).
        Plan401KInput input;
        input.balance = m("7.0001");
        input.salary = m("1234.5678");
        input.contribution = m("3.33");
        input.raise = m("50");
        input.rateOfReturn = m("7.5");
        input.years = m("2");
        const Plan401KPlan plan = calculate(input);
        const Plan401KYear &first = plan.rows.at(0);
        QCOMPARE(first.contribution, m("41.1111"));
        QCOMPARE(plan.rows.at(1).contribution, m("61.6666"));
        QCOMPARE(plan.totalInvested, input.balance + m("41.1111") + m("61.6666"));
    }

    void noRaiseFollowsTheAnnuityDueRule()
    {
        Plan401KInput input = defaults();
        input.raise = Money();
        input.years = m("50");
        const Plan401KPlan plan = calculate(input);
        QCOMPARE(plan.rows.last().salary, m("50000"));
        // (V + K)(1 + r) year after year, to within the cents rounded away.
        const double r = double(float(0.1));
        double expected = 10000;
        for (int y = 1; y <= 50; ++y)
            expected = (expected + 4500) * (1 + r);
        QVERIFY(std::abs(plan.finalValue.toDouble() - expected) < 0.01 * 50);
        QCOMPARE(plan.totalInvested, m("235000"));
    }

    void figuresByHand_data()
    {
        QTest::addColumn<Plan401KInput>("input");
        QTest::addColumn<QStringList>("last");   // contribution, interest, value of the last year
        QTest::addColumn<QStringList>("totals"); // invested, interest/growth, final value
        Plan401KInput zero = defaults();
        zero.raise = Money();
        zero.rateOfReturn = Money();
        zero.years = m("50");
        QTest::newRow("zero rates keep what was paid in")
            << zero << QStringList{"4500.0000", "0.0000", "235000.0000"}
            << QStringList{"235000.0000", "0.0000", "235000.0000"};
        Plan401KInput one = defaults();
        one.years = m("1");
        QTest::newRow("one year") << one << QStringList{"4500.0000", "1450.0000", "15950.0000"}
                                  << QStringList{"14500.0000", "1450.0000", "15950.0000"};
        // 13,311 = (10,000 + 4,500 + 290) x 0.9; year 2 (13,311 + 4,680 + 359.82) x 0.9 = 16,515.738.
        Plan401KInput inflated = defaults();
        inflated.rateOfReturn = m("2");
        inflated.inflation = m("10");
        inflated.years = m("3");
        QTest::newRow("inflation above the return")
            << inflated << QStringList{"4867.2000", "427.6588", "19629.5371"}
            << QStringList{"24047.2000", "-4417.6629", "19629.5371"};
        Plan401KInput none;
        none.years = m("1");
        QTest::newRow("nothing at all") << none << QStringList{"0.0000", "0.0000", "0.0000"}
                                        << QStringList{"0.0000", "0.0000", "0.0000"};
        // Halves of a year go to the even number: 2.5 is 2 years.
        Plan401KInput half = defaults();
        half.balance = Money();
        half.years = m("2.5");
        QTest::newRow("half a year rounds to even") << half << QStringList{"4680.0000", "963.0000", "10593.0000"}
                                                    << QStringList{"9180.0000", "1413.0000", "10593.0000"};
    }
    void figuresByHand()
    {
        QFETCH(Plan401KInput, input);
        QFETCH(QStringList, last);
        QFETCH(QStringList, totals);
        const Plan401KPlan plan = calculate(input);
        const Plan401KYear &year = plan.rows.last();
        QCOMPARE((QStringList{year.contribution.toDecimalText(), year.interest.toDecimalText(),
                              year.value.toDecimalText()}),
                 last);
        QCOMPARE((QStringList{plan.totalInvested.toDecimalText(), plan.totalInterest.toDecimalText(),
                              plan.finalValue.toDecimalText()}),
                 totals);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("salary");
        QTest::addColumn<QString>("rateOfReturn");
        QTest::addColumn<int>("message");
        QTest::newRow("51 years") << "51" << "50000" << "10" << int(Msg50YearsLimit);
        QTest::newRow("50.5 years is 50") << "50.5" << "50000" << "10" << 0;
        QTest::newRow("50.6 years is 51") << "50.6" << "50000" << "10" << int(Msg50YearsLimit);
        QTest::newRow("zero years") << "0" << "50000" << "10" << int(MsgWrongEntry);
        QTest::newRow("largest salary grows beyond money") << "50" << "922337203685477" << "10"
                                                           << int(MsgWrongEntry);
        QTest::newRow("return beyond any figure") << "50" << "50000" << "900000000" << int(MsgWrongEntry);
        QTest::newRow("largest salary, no growth, one year") << "1" << "922337203685477" << "0" << 0;
    }
    void refusals()
    {
        QFETCH(QString, years);
        QFETCH(QString, salary);
        QFETCH(QString, rateOfReturn);
        QFETCH(int, message);
        Plan401KInput input = defaults();
        input.balance = Money();
        input.contribution = m("1");
        input.company = Money();
        input.years = m(years.toLatin1().constData());
        input.salary = m(salary.toLatin1().constData());
        input.rateOfReturn = m(rateOfReturn.toLatin1().constData());
        const auto plan = Calculate401K(input);
        QCOMPARE(plan.ok() ? 0 : plan.message(), message);
    }

    void aFaultLeavesNothingToPrintOrDraw()
    {
        AppState state;
        Plan401KSession session(state);
        QVERIFY(session.press({}).ok());
        QCOMPARE(session.data().ResultCount, qint16(25));
        session.data().InputValues[Plan401KReturnSlot] = m("900000000");
        const auto refused = session.press({});
        QVERIFY(!refused.ok());
        QCOMPARE(refused.message(), int(MsgWrongEntry));
        QCOMPARE(session.data().ResultCount, qint16(0));
        QVERIFY(session.results().isNull());
        ScriptedDialogs dialogs;
        RecordingPrinter printer;
        QVERIFY(!PrintSession(state, dialogs, printer, session));
        QCOMPARE(dialogs.messages, QList<int>{MsgNoDataToPrint});
        QVERIFY(printer.jobs.isEmpty());
    }

    void smallBalanceHasNoBalanceRow()
    {
        AppState state;
        Plan401KSession session(state);
        session.data().InputValues[Plan401KBalanceSlot] = m("1");
        const auto update = session.press({});
        QVERIFY(update.ok());
        QCOMPARE(update->rows.first().first(), QStringLiteral("1"));
        QCOMPARE(update->rows.size(), 27);
        QCOMPARE(Plan401KGridRowsFor(20), 25);
        QCOMPARE(Plan401KGridRowsFor(21), 26);
        QCOMPARE(Plan401KGridRowsFor(50), 55);
    }

    void fiftyYearPrintoutLineByLine()
    {
        AppState state;
        Plan401KSession session(state);
        session.data().InputValues[Plan401KYearsSlot] = m("50");
        QVERIFY(session.press({}).ok());
        // Figures typed after Calculate do not reach the printout of that calculation.
        session.data().InputValues[Plan401KSalarySlot] = m("1");
        const TextPrintJob job = printed(state, session, QStringLiteral("Fifty years"));
        const QStringList got = job.toText().split(QLatin1Char('\n'));
        const QStringList expected = FiftyYears.split(QLatin1Char('\n'));
        for (int i = 0; i < std::min(got.size(), expected.size()); ++i)
            QVERIFY2(got.at(i) == expected.at(i),
                     qPrintable(QStringLiteral("line %1:\n got  [%2]\n want [%3]").arg(i).arg(got.at(i), expected.at(i))));
        QCOMPARE(got.size(), expected.size());
        QCOMPARE(job.pages().size(), 2);
    }

    void noBalanceAndInflationInThePrintout()
    {
        AppState state;
        Plan401KSession session(state);
        session.data().InputValues[Plan401KBalanceSlot] = Money();
        session.data().InputValues[Plan401KInflationSlot] = m("3");
        QVERIFY(session.press({}).ok());
        const TextPrintJob job = printed(state, session, QStringLiteral("No balance"));
        const QStringList page = job.pages().value(0);
        QCOMPARE(page.at(18), QStringLiteral(" Estimated rate of annual inflation") + QString(17, u' ') +
                                  QStringLiteral("         3.00%"));
        QCOMPARE(page.at(25), QString());
        QVERIFY(page.at(26).startsWith(QStringLiteral("   1         50,000.00       4,500.00")));
        QCOMPARE(job.pages().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPlan401KPlan)
#include "test_plan401k_plan.moc"
