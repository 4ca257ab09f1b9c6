#include "graph/graph_request.h"
#include "retirement/retirement_plan.h"
#include "retirement/retirement_session.h"
#include "shell/core/app_state.h"
#include "shell/core/message_numbers.h"
#include "shell/print/print_frame.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"
#include "support/source_dir.h"

#include <QFile>
#include <QTest>

namespace {

Money m(const char *text)
{
    Money value;
    if (!Money::fromDecimalText(QString::fromLatin1(text), value))
        qFatal("not a figure: %s", text);
    return value;
}

// Capital, rate, amount drawn and term, as "100000 10 8 20".
RetirementInput input(RetirementOption option, const QString &figures)
{
    const QStringList f = figures.split(u' ');
    return {option, m(qPrintable(f.at(0))), m(qPrintable(f.at(1))), m(qPrintable(f.at(2))), m(qPrintable(f.at(3)))};
}

QString dec(Money value)
{
    return value.toDecimalText();
}

} // namespace

class TestRetirementPlan : public QObject
{
    Q_OBJECT

private slots:
    // Figures worked outside the program (exact decimals, single-precision
    // rate, cents cut down), year 1, the last year and the totals; or the
    // message of a refusal.
    void tables_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("inputs"); // capital, rate, amount drawn, term
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("years");
        QTest::addColumn<QString>("first"); // interest, income, value
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("totals");
        const int pct = int(RetirementOption::Percentage);
        const int fix = int(RetirementOption::FixedAmount);
        QTest::newRow("percentage 8% of 100,000 at 10%")
            << pct << "100000 10 8 20" << 0 << 20 << "10000.0001 8000.0000 102000.0000"
            << "14568.1042 11654.4800 148594.6600" << "242973.6336 194378.8300 148594.6600";
        QTest::newRow("percentage one year, all withdrawn") << pct << "1000 0 100 1" << 0 << 1
            << "0.0000 1000.0000 0.0000" << "0.0000 1000.0000 0.0000" << "0.0000 1000.0000 0.0000";
        QTest::newRow("fixed capital gone in year 17")
            << fix << "100000 10 1000 0" << 0 << 17 << "9459.4656 12000.0000 97459.4654"
            << "341.7975 9010.2510 0.0000" << "101010.2516 201010.2510 0.0000";
        // 0.17 raised 6% is 0.1802 exactly; from year 8 on the raise ends
        // in a half at the fifth decimal, rounded once with the amount.
        QTest::newRow("fixed raised 6%, halves in the raise")
            << fix << "26.46 10 0.17 6" << 0 << 19 << "2.5541 2.0400 26.9741"
            << "0.0823 2.9984 0.0000" << "39.5756 66.0438 0.0000";
        QTest::newRow("fixed below the growth: 50 years")
            << fix << "100000 10 500 0" << 0 << 50 << "9729.7340 6000.0000 103729.7340"
            << "404033.7350 6000.0000 4441072.8268" << "4641072.8261 300000.0000 4441072.8268";
        // Nothing left after year 1: no year follows.
        QTest::newRow("fixed one year exactly") << fix << "12000 0 1000 0" << 0 << 1
            << "0.0000 12000.0000 0.0000" << "0.0000 12000.0000 0.0000" << "0.0000 12000.0000 0.0000";
        // A cent short of the third year: that cent is the third year's income.
        QTest::newRow("fixed a cent into the third year")
            << fix << "720000.01 0 30000 0" << 0 << 3 << "0.0000 360000.0000 360000.0100"
            << "0.0000 0.0100 0.0000" << "0.0000 720000.0100 0.0000";
        const auto refused = [](const char *name, int option, const char *inputs, int message) {
            QTest::newRow(name) << option << inputs << message << 0 << "" << "" << "";
        };
        refused("51 years", pct, "100000 10 8 51", Msg50YearsLimit);
        refused("no year", pct, "1000000 10 8 0", MsgWrongEntry);
        refused("more than all of it", pct, "100000 10 100.01 20", MsgWithdrawMoreThanSavings);
        refused("a year's amount above the capital", fix, "11999.99 10 1000 0", MsgWithdrawMoreThanSavings);
        refused("percentage beyond money", pct, "900000000000000 10 8 5", MsgWrongEntry);
        refused("fixed increase beyond money", fix, "100000 10 1000 90000000000000", MsgWrongEntry);
        refused("nothing to withdraw from nothing", fix, "0 10 0 0", MsgWrongEntry);
    }
    void tables()
    {
        QFETCH(int, option);
        QFETCH(QString, inputs);
        QFETCH(int, message);
        QFETCH(int, years);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, totals);
        const auto plan = CalculateRetirement(input(RetirementOption(option), inputs));
        QCOMPARE(plan.ok() ? 0 : plan.message(), message);
        if (message)
            return;
        QCOMPARE(plan->years(), years);
        const RetirementYear &a = plan->rows.first();
        const RetirementYear &z = plan->rows.last();
        const auto figures = [](Money interest, Money income, Money value) -> QString {
            return dec(interest) + ' ' + dec(income) + ' ' + dec(value);
        };
        QCOMPARE(figures(a.interest, a.income, a.value), first);
        QCOMPARE(figures(z.interest, z.income, z.value), last);
        QCOMPARE(figures(plan->totalInterest, plan->totalIncome, plan->finalValue), totals);
    }

    // The grid through the session; a press naming another option than the
    // one chosen is refused, not taken as a change of option.
    void session()
    {
        AppState state;
        RetirementSession session(state);
        session.data().InputValues[RetirementCapitalSlot] = m("100000");
        QCOMPARE(session.press({{QStringLiteral("ROptions"), QStringLiteral("fixed")}}).message(), int(MsgWrongEntry));
        const Outcome<GridUpdate> update = session.press({{QStringLiteral("ROptions"), QStringLiteral("percentage")}});
        QVERIFY(update.ok());
        QCOMPARE(update->rowCount, 25);
        QCOMPARE(update->rows.at(21), (QStringList{"Total:", "$242,973.63", "$194,378.83", "$148,594.66"}));
    }

    // Fixed Amount draws the value at the start of each year: the capital,
    // then each year's end one bar on.
    void fixedGraphStartsWithTheCapital()
    {
        AppState state;
        RetirementSession session(state);
        session.choose(RetirementOption::FixedAmount);
        QVERIFY(session.press({}).ok());
        const MoneyTable kept = session.data().GraphData;
        GraphRequest request = session.graphRequest();
        QCOMPARE(request.kind, GraphKind::RetirementStart);
        PrepareGraph(request);
        QCOMPARE(dec(request.GraphData.value(1, 5)), QStringLiteral("100000.0000"));
        QCOMPARE(dec(request.GraphData.value(2, 5)), QStringLiteral("97459.4654"));
        // Drawing works on the request's copy: the session's table is as Calculate left it.
        QCOMPARE(session.data().GraphData.value(1, 5), kept.value(1, 5));
    }

    // The whole printout, line by line, for tables that take two pages.
    void printouts_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<QString>("term");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("expected");
        QTest::newRow("percentage, 50 years") << int(RetirementOption::Percentage) << "8" << "50" << "Fifty years"
                                              << "data/percentage_50_years.txt";
        QTest::newRow("fixed amount, 50 years") << int(RetirementOption::FixedAmount) << "500" << "0"
                                                << "Monthly 500" << "data/fixed_50_years.txt";
    }
    void printouts()
    {
        QFETCH(int, option);
        QFETCH(QString, drawn);
        QFETCH(QString, term);
        QFETCH(QString, header);
        QFETCH(QString, expected);
        AppState state;
        RetirementSession session(state);
        session.choose(RetirementOption(option));
        session.data().InputValues[RetirementCapitalSlot] = m("100000");
        session.data().InputValues[RetirementDrawnSlot] = m(qPrintable(drawn));
        session.data().InputValues[RetirementTermSlot] = m(qPrintable(term));
        QVERIFY(session.press({}).ok());
        // Figures typed after Calculate do not reach the printout.
        session.data().InputValues[RetirementRateSlot] = m("99");
        ScriptedDialogs dialogs;
        dialogs.lines << header;
        RecordingPrinter printer;
        QVERIFY(PrintSession(state, dialogs, printer, session));
        QFile file(SourceDir() + QStringLiteral("/tests/retirement/") + expected);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList want = QString::fromUtf8(file.readAll()).chopped(1).split(QLatin1Char('\n'));
        QCOMPARE(printer.jobs.value(0).toText().split(QLatin1Char('\n')), want);
        QCOMPARE(printer.jobs.value(0).pages().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestRetirementPlan)
#include "test_retirement_plan.moc"
