#include "plan401k/plan401k_fields.h"
#include "plan401k/plan401k_plan.h"
#include "plan401k/plan401k_session.h"
#include "shell/core/app_state.h"
#include "shell/core/format.h"
#include "shell/core/message_numbers.h"
#include "shell/print/print_frame.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"

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

// Balance, salary, contribution, company's share, raise, return, inflation
// and years, as the window's boxes take them.
Plan401KInput entered(const char *balance, const char *salary, const char *contribution, const char *company,
                      const char *raise, const char *rateOfReturn, const char *inflation, const char *years)
{
    return {m(balance), m(salary), m(contribution), m(company), m(raise), m(rateOfReturn), m(inflation), m(years)};
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
        const QList<QStringList> &rows = update->rows;
        QCOMPARE(rows.size(), 28); // balance, 25 years, empty, total
        QCOMPARE(rows.at(0), (QStringList{"", "", "", "", "10,000.00"}));
        QCOMPARE(rows.at(1), (QStringList{"1", "50,000.00", "4,500.00", "1,450.00", "15,950.00"}));
        QCOMPARE(rows.at(27), (QStringList{"Total:", "", "$197,406.58", "$584,872.23", "$782,278.81"}));
        QCOMPARE(session.data().ResultCount, qint16(25));
        QCOMPARE(session.data().GraphData.value(26, 4), m("782278.8099"));
        QCOMPARE(session.results().toObject().value(QStringLiteral("final_value")).toString(),
                 QStringLiteral("782278.8099"));
        // A refusal after it leaves nothing to print or draw.
        session.data().InputValues[Plan401KYearsSlot] = m("51");
        QCOMPARE(session.press({}).message(), int(Msg50YearsLimit));
        QCOMPARE(session.data().ResultCount, qint16(0));
    }

    void firstContributionIsMoney()
    {
        // 1,234.5678 x 3.33% = 41.11110774: year 1 pays in 41.1111 and year 2's 50% raise works on
        // that (61.66665, halves to even: 61.6666), not on the unrounded figure (61.6667).
        const Plan401KPlan plan =
            calculate({m("7.0001"), m("1234.5678"), m("3.33"), Money(), m("50"), m("7.5"), Money(), m("2")});
        QCOMPARE(plan.rows.at(0).contribution, m("41.1111"));
        QCOMPARE(plan.rows.at(1).contribution, m("61.6666"));
        QCOMPARE(plan.totalInvested, m("7.0001") + m("41.1111") + m("61.6666"));
    }

    void noRaiseFollowsTheAnnuityDueRule()
    {
        const Plan401KPlan plan = calculate(entered("10000", "50000", "5", "4", "0", "10", "0", "50"));
        QCOMPARE(plan.rows.last().salary, m("50000"));
        // (V + K)(1 + r) year after year, to within the cents rounded away.
        const double r = double(float(0.1));
        double expected = 10000;
        for (int y = 1; y <= 50; ++y)
            expected = (expected + 4500) * (1 + r);
        QVERIFY(std::abs(plan.finalValue.toDouble() - expected) < 0.01 * 50);
        QCOMPARE(plan.totalInvested, m("235000"));
    }

    // Figures worked by hand: the last year (contribution, interest, value)
    // and the totals (invested, interest/growth, final value); or the
    // message of a refusal.
    void figuresByHand_data()
    {
        QTest::addColumn<Plan401KInput>("input");
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("years");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("totals");
        QTest::newRow("one year") << entered("10000", "50000", "5", "4", "4", "10", "0", "1") << 0 << 1
            << "4500.0000 1450.0000 15950.0000" << "14500.0000 1450.0000 15950.0000";
        // 13,311 = (10,000 + 4,500 + 290) x 0.9; year 2 (13,311 + 4,680 + 359.82) x 0.9 = 16,515.738.
        QTest::newRow("inflation above the return")
            << entered("10000", "50000", "5", "4", "4", "2", "10", "3") << 0 << 3 << "4867.2000 427.6588 19629.5371"
            << "24047.2000 -4417.6629 19629.5371";
        QTest::newRow("nothing at all") << entered("0", "0", "0", "0", "0", "0", "0", "1") << 0 << 1
                                        << "0.0000 0.0000 0.0000" << "0.0000 0.0000 0.0000";
        // Halves of a year go to the even number: 2.5 is 2 years. Year 2 pays
        // in its own contribution (4,680), not year 1's (4,500).
        QTest::newRow("half a year rounds to even")
            << entered("0", "50000", "5", "4", "4", "10", "0", "2.5") << 0 << 2 << "4680.0000 963.0000 10593.0000"
            << "9180.0000 1413.0000 10593.0000";
        // A contribution of 1% of the salary, nothing else paid in.
        const auto row = [](const char *name, const char *years, const char *salary, const char *rateOfReturn,
                            int message, int count) {
            QTest::newRow(name) << entered("0", salary, "1", "0", "4", rateOfReturn, "0", years) << message << count
                                << QString() << QString();
        };
        row("50.5 years is 50", "50.5", "50000", "10", 0, 50);
        row("50.6 years is 51", "50.6", "50000", "10", Msg50YearsLimit, 0);
        row("zero years", "0", "50000", "10", MsgWrongEntry, 0);
        row("largest salary grows beyond money", "50", "922337203685477", "10", MsgWrongEntry, 0);
        row("largest salary, no growth, one year", "1", "922337203685477", "0", 0, 1);
    }
    void figuresByHand()
    {
        QFETCH(Plan401KInput, input);
        QFETCH(int, message);
        QFETCH(int, years);
        QFETCH(QString, last);
        QFETCH(QString, totals);
        const auto plan = Calculate401K(input);
        QCOMPARE(plan.ok() ? 0 : plan.message(), message);
        if (message)
            return;
        QCOMPARE(plan->rows.size(), years);
        if (last.isEmpty())
            return;
        const Plan401KYear &year = plan->rows.last();
        const auto figures = [](std::initializer_list<Money> values) {
            QStringList texts;
            for (const Money &value : values)
                texts << value.toDecimalText();
            return texts.join(u' ');
        };
        QCOMPARE(figures({year.contribution, year.interest, year.value}), last);
        QCOMPARE(figures({plan->totalInvested, plan->totalInterest, plan->finalValue}), totals);
    }

    // The page breaks after year 26; page 2 has the heading again and the
    // totals; every year between in its place. The figures printed are
    // those calculated, not those typed since.
    void fiftyYearPrintout()
    {
        AppState state;
        Plan401KSession session(state);
        session.data().InputValues[Plan401KYearsSlot] = m("50");
        QVERIFY(session.press({}).ok());
        session.data().InputValues[Plan401KSalarySlot] = m("1");
        const TextPrintJob job = printed(state, session, QStringLiteral("Fifty years"));
        QCOMPARE(job.pages().size(), 2);
        const QStringList got = job.toText().split(QLatin1Char('\n'));
        QCOMPARE(got.size(), 89);
        const QString heading = QStringLiteral("  Year   Annual Salary   Contributions   Interest/Growth    Current Value");
        const QList<std::pair<int, QString>> expected = {
            {20, QStringLiteral(" The number of years to retirement                             50")},
            {23, heading},
            {26, QString(64, u' ') + QStringLiteral("10,000.00")},
            {27, QStringLiteral("   1         50,000.00       4,500.00           1,450.00        15,950.00")},
            {55, QString(39, u' ') + QStringLiteral("Page 1 \f")},
            {59, heading},
            {85, QStringLiteral("  50        341,667.47      30,750.07         933,850.27    10,272,352.86")},
            {88, QStringLiteral(" Total:                   $697,001.86      $9,575,351.01    $10,272,352.86")},
        };
        for (const auto &[line, text] : expected)
            QCOMPARE(got.at(line), text);
        for (int year = 1; year <= 50; ++year)
            QVERIFY(got.at(year <= 26 ? 26 + year : 35 + year).startsWith(QStringLiteral("%1").arg(year, 4)));
    }

    // A balance of a whole unit or less has no row above year 1, in the
    // grid or the printout; the inflation typed is printed.
    void smallBalanceHasNoRow()
    {
        AppState state;
        Plan401KSession session(state);
        session.data().InputValues[Plan401KBalanceSlot] = m("1");
        session.data().InputValues[Plan401KInflationSlot] = m("3");
        const auto update = session.press({});
        QVERIFY(update.ok());
        QCOMPARE(update->rows.first().first(), QStringLiteral("1"));
        QCOMPARE(update->rows.size(), 27);
        const QStringList page = printed(state, session, QStringLiteral("Small balance")).pages().value(0);
        QCOMPARE(page.at(18), QStringLiteral(" Estimated rate of annual inflation") + QString(26, u' ') + QStringLiteral("3.00%"));
        QCOMPARE(page.at(25), QString());
        QVERIFY(page.at(26).startsWith(QStringLiteral("   1         50,000.00       4,500.00")));
    }
};

QTEST_GUILESS_MAIN(TestPlan401KPlan)
#include "test_plan401k_plan.moc"
