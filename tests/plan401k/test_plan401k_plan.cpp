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

// The head of the printout of 50 years from the starting figures, header
// "Fifty years", down to year 1.
const QString FiftyYearsHead = QStringLiteral(R"(
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
   1         50,000.00       4,500.00           1,450.00        15,950.00)");

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

    // Over 50 years without inflation what was invested plus every year's
    // interest is the final value.
    void totalsAreTheColumnsSums()
    {
        Plan401KInput input = defaults();
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
        QCOMPARE(plan.rows.at(0).contribution, m("41.1111"));
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
        QTest::addColumn<QString>("last");   // contribution, interest, value of the last year
        QTest::addColumn<QString>("totals"); // invested, interest/growth, final value
        Plan401KInput one = defaults();
        one.years = m("1");
        QTest::newRow("one year") << one << "4500.0000 1450.0000 15950.0000" << "14500.0000 1450.0000 15950.0000";
        // 13,311 = (10,000 + 4,500 + 290) x 0.9; year 2 (13,311 + 4,680 + 359.82) x 0.9 = 16,515.738.
        Plan401KInput inflated = defaults();
        inflated.rateOfReturn = m("2");
        inflated.inflation = m("10");
        inflated.years = m("3");
        QTest::newRow("inflation above the return")
            << inflated << "4867.2000 427.6588 19629.5371" << "24047.2000 -4417.6629 19629.5371";
        Plan401KInput none;
        none.years = m("1");
        QTest::newRow("nothing at all") << none << "0.0000 0.0000 0.0000" << "0.0000 0.0000 0.0000";
        // Halves of a year go to the even number: 2.5 is 2 years. Year 2 pays
        // in its own contribution (4,680), not year 1's (4,500).
        Plan401KInput half = defaults();
        half.balance = Money();
        half.years = m("2.5");
        QTest::newRow("half a year rounds to even")
            << half << "4680.0000 963.0000 10593.0000" << "9180.0000 1413.0000 10593.0000";
    }
    void figuresByHand()
    {
        QFETCH(Plan401KInput, input);
        QFETCH(QString, last);
        QFETCH(QString, totals);
        const Plan401KPlan plan = calculate(input);
        const Plan401KYear &year = plan.rows.last();
        const auto figures = [](std::initializer_list<Money> values) {
            QStringList texts;
            for (const Money &value : values)
                texts << value.toDecimalText();
            return texts.join(u' ');
        };
        QCOMPARE(figures({year.contribution, year.interest, year.value}), last);
        QCOMPARE(figures({plan.totalInvested, plan.totalInterest, plan.finalValue}), totals);
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
    // Pressed after a good table: a refusal leaves nothing of it to print,
    // draw or output.
    void refusals()
    {
        QFETCH(QString, years);
        QFETCH(QString, salary);
        QFETCH(QString, rateOfReturn);
        QFETCH(int, message);
        AppState state;
        Plan401KSession session(state);
        QVERIFY(session.press({}).ok());
        QList<Money> &in = session.data().InputValues;
        in[Plan401KBalanceSlot] = Money();
        in[Plan401KContributionSlot] = m("1");
        in[Plan401KCompanySlot] = Money();
        in[Plan401KYearsSlot] = m(years.toLatin1().constData());
        in[Plan401KSalarySlot] = m(salary.toLatin1().constData());
        in[Plan401KReturnSlot] = m(rateOfReturn.toLatin1().constData());
        const auto update = session.press({});
        QCOMPARE(update.ok() ? 0 : update.message(), message);
        if (update.ok())
            return;
        QCOMPARE(session.data().ResultCount, qint16(0));
        QVERIFY(session.results().isNull());
        ScriptedDialogs dialogs;
        RecordingPrinter printer;
        QVERIFY(!PrintSession(state, dialogs, printer, session));
        QCOMPARE(dialogs.messages, QList<int>{MsgNoDataToPrint});
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
    }

    // The head line by line, then the page break after year 26, the heading
    // again and the totals; every year between in its place.
    void fiftyYearPrintout()
    {
        AppState state;
        Plan401KSession session(state);
        session.data().InputValues[Plan401KYearsSlot] = m("50");
        QVERIFY(session.press({}).ok());
        // Figures typed after Calculate do not reach the printout of that calculation.
        session.data().InputValues[Plan401KSalarySlot] = m("1");
        const TextPrintJob job = printed(state, session, QStringLiteral("Fifty years"));
        QCOMPARE(job.pages().size(), 2);
        const QStringList got = job.toText().split(QLatin1Char('\n'));
        const QStringList head = FiftyYearsHead.split(QLatin1Char('\n'));
        QCOMPARE(got.size(), 89);
        QCOMPARE(got.mid(0, head.size()), head);
        const QString heading = head.at(23), rule = head.at(24);
        const QList<std::pair<int, QString>> expected = {
            {52, QStringLiteral("  26        133,291.82      11,996.26          79,427.51       873,702.58")},
            {55, QString(39, u' ') + QStringLiteral("Page 1 \f")},
            {59, heading},
            {60, rule},
            {62, QStringLiteral("  27        138,623.49      12,476.11          88,617.87       974,796.57")},
            {85, QStringLiteral("  50        341,667.47      30,750.07         933,850.27    10,272,352.86")},
            {86, rule},
            {88, QStringLiteral(" Total:                   $697,001.86      $9,575,351.01    $10,272,352.86")},
        };
        for (const auto &[line, text] : expected)
            QCOMPARE(got.at(line), text);
        for (int year = 1; year <= 50; ++year)
            QVERIFY(got.at(year <= 26 ? 26 + year : 35 + year).startsWith(QStringLiteral("%1").arg(year, 4)));
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
