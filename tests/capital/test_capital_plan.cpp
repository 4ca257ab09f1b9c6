#include "capital/capital_plan.h"
#include "capital/capital_session.h"
#include "shell/core/app_state.h"
#include "shell/core/format.h"
#include "shell/print/print_frame.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"

#include <QJsonObject>
#include <QTest>

namespace {

Money m(const QByteArray &text)
{
    Money value;
    if (!Money::fromDecimalText(QString::fromLatin1(text), value))
        qFatal("not a figure: %s", text.constData());
    return value;
}

QString cents(Money value)
{
    return Format(value, QStringLiteral("####,,###.00"));
}

// One press of Calculate with these figures in the slots, as the fields leave them.
Outcome<GridUpdate> press(CapitalSession &session, const QString &amount, const QString &rate,
                          const QString &term, const QString &option = QString())
{
    session.data().InputValues[CapitalAmountSlot] = m(amount.toLatin1());
    session.data().InputValues[CapitalRateSlot] = m(rate.toLatin1());
    session.data().InputValues[CapitalTermSlot] = m(term.toLatin1());
    return session.press({{QStringLiteral("CRCapitalChoices"), option}});
}

QStringList printed(AppState &state, CapitalSession &session, const QString &header)
{
    ScriptedDialogs dialogs;
    dialogs.lines << header;
    RecordingPrinter printer;
    if (!PrintSession(state, dialogs, printer, session))
        return {};
    return printer.jobs.value(0).toText().split(QLatin1Char('\n'));
}

} // namespace

class TestCapitalPlan : public QObject
{
    Q_OBJECT

private slots:
    // Through the session after a good table: the figures of a plan, or the
    // message of a refusal, which leaves nothing of the earlier table.
    void workedFigures_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<int>("term");
        QTest::addColumn<int>("message");
        // The capital, the first payment, the last year's value, the total invested, the grid's rows.
        QTest::addColumn<QString>("shown");
        QTest::newRow("opening figures")
            << "capital" << "100000" << "15" << 25 << 0 << "100000.0000 408.64 100,000.00 $10,216.09 29";
        QTest::newRow("income of 40,000 at 15%")
            << "income" << "40000" << "15" << 25 << 0 << "266666.6667 1,089.72 266,666.67 $27,242.91 29";
        // One year: the whole capital less the year's interest, paid at its start.
        QTest::newRow("one year")
            << "capital" << "600000" << "20" << 1 << 0 << "600000.0000 500,000.00 600,000.00 $500,000.00 25";
        // The income's hundredfold is beyond money; the capital behind it is not.
        QTest::newRow("income of 9.8 trillion")
            << "income" << "9844841979148.33" << "15" << 22 << 0
            << "65632279860988.8667 414,668,811,100.00 65,632,279,860,989.00 $9,122,713,844,199.99 26";
        QTest::newRow("nothing wanted") << "capital" << "0" << "15" << 10 << 0 << "0.0000 .00 .00 $0.00 25";
        const auto refused = [](const char *name, const char *option, const char *amount, const char *rate,
                                int term, int message) {
            QTest::newRow(name) << option << amount << rate << term << message << "";
        };
        refused("rate 0", "capital", "100000", "0", 25, 3);
        refused("income at rate 0", "income", "40000", "0", 25, 3);
        refused("term 0", "capital", "100000", "15", 0, 3);
        refused("51 years", "capital", "100000", "15", 51, 4);
        // (1 + 10^10)^50 is beyond any double: no figure, not a payment of 0.
        refused("growth beyond any figure", "capital", "100000", "1000000000000", 50, 3);
        // A tiny rate on the largest amount: the capital behind it is beyond money.
        refused("income beyond money", "income", "900000000000000", "0.0001", 5, 3);
        refused("not an option", "pension", "100000", "15", 25, 3);
    }
    void workedFigures()
    {
        QFETCH(QString, option);
        QFETCH(QString, amount);
        QFETCH(QString, rate);
        QFETCH(int, term);
        QFETCH(int, message);
        QFETCH(QString, shown);
        AppState state;
        CapitalSession session(state);
        QVERIFY(press(session, "100000", "20", "25").ok());
        const auto update = press(session, amount, rate, QString::number(term), option);
        QCOMPARE(update.ok() ? 0 : update.message(), message);
        QCOMPARE(session.data().ResultCount, qint16(message ? 0 : term));
        if (message) {
            QVERIFY(session.results().isNull());
            return;
        }
        const QStringList want = shown.split(u' ');
        QCOMPARE(session.results().toObject().value(QStringLiteral("capital")).toString(), want.at(0));
        QCOMPARE(update->rows.first().at(1), want.at(1));
        QCOMPARE(update->rows.at(term - 1).at(3), want.at(2));
        QCOMPARE(update->rows.last().at(1), want.at(3));
        QCOMPARE(update->rowCount, want.at(4).toInt());
        // The graph feed: year rows, then the totals row numbered T + 1.
        QCOMPARE(cents(session.data().GraphData.value(term, 4)), want.at(2));
        QCOMPARE(session.data().GraphData.value(term + 1, 1), Money::fromWhole(term + 1));
    }

    // The totals are sums of doubles, shown as they are: a sum just under a
    // half cent shows the cent below, where its four-decimal rounding would
    // show the one above. Grid and printout agree; a printout of one page
    // has no page number.
    void totalsShowTheUnroundedSums()
    {
        AppState state;
        CapitalSession session(state);
        // 0.6949868 invested: its four-decimal rounding, .6950, would show .70.
        const auto update = press(session, "5", "15", "22");
        QVERIFY(update.ok());
        QCOMPARE(update->rows.last(), (QStringList{"Total:", "$0.69", "$4.31", "$5.00"}));
        const QStringList lines = printed(state, session, QStringLiteral("Totals"));
        QCOMPARE(lines.last(), QStringLiteral(" Total:                   $.69                $4.31                 $5.00"));
        QVERIFY(!lines.join(QLatin1Char('\n')).contains(QStringLiteral("Page")));
        QVERIFY(!lines.join(QLatin1Char('\n')).contains(QLatin1Char('\f')));
    }

    // The first year's interest is shown unrounded; later years' to the
    // cent. Worked apart from the program, in decimal from the same doubles.
    void yearByYearAtFourDecimals()
    {
        const auto plan = CalculateCapital({CapitalOption::Capital, m("100000"), m("15"), m("25")});
        QVERIFY(plan.ok());
        QCOMPARE(plan->payment, m("408.6437"));
        QCOMPARE(plan->rows.at(0).interest, m("61.2966"));
        QCOMPARE(plan->rows.at(0).value, m("469.9402"));
        QCOMPARE(plan->rows.at(1).interest, m("131.79"));
        QCOMPARE(plan->rows.at(1).value, m("1010.3715"));
        QCOMPARE(plan->rows.at(24).interest, m("13043.48"));
        QCOMPARE(plan->totalInterest, m("89783.908"));
    }

    void optionChangeStartsAfresh()
    {
        AppState state;
        CapitalSession session(state);
        QVERIFY(press(session, "250000", "10", "30").ok());
        session.chooseOption(CapitalOption::Income);
        QVERIFY(session.helpText().contains(QStringLiteral("$40,000.00")));
        // An empty option text (the window's) keeps the chosen option.
        QVERIFY(session.press({}).ok());
        QCOMPARE(session.results().toObject().value(QStringLiteral("capital")).toString(),
                 QStringLiteral("266666.6667"));
    }

    // 50 years of the income option: the typed income is printed, the page
    // breaks after year 37, and page 2 holds the rest under the heading
    // again, and the totals.
    void longPrintoutBreaksAfterYear37()
    {
        AppState state;
        CapitalSession session(state);
        session.chooseOption(CapitalOption::Income);
        QVERIFY(press(session, "40000", "12.5", "50").ok());
        const QStringList lines = printed(state, session, QStringLiteral("Retiring at 65"));
        QCOMPARE(lines.join(QLatin1Char('\n')).count(QLatin1Char('\f')), 1);
        QCOMPARE(lines.size(), 78);
        const QString heading =
            QStringLiteral(" Year        Annual Investment      Interest/Growth         Current Value");
        const QList<std::pair<int, QString>> expected = {
            {6, QStringLiteral(" Amount of Income required on Retirement.              $40,000.00")},
            {13, heading},
            {16, QStringLiteral("   1                     98.74                12.34                111.08")},
            {55, QString(39, u' ') + QStringLiteral("Page 1 \f")},
            {59, heading},
            {74, QStringLiteral("  50                     98.74            35,555.56            320,000.00")},
            {77, QStringLiteral(" Total:              $4,936.92          $315,063.08           $320,000.00")},
        };
        for (const auto &[line, text] : expected)
            QCOMPARE(lines.at(line), text);
        for (int year = 1; year <= 50; ++year)
            QVERIFY(lines.at(year <= 37 ? 15 + year : 24 + year).startsWith(QStringLiteral("%1").arg(year, 4)));
    }
};

QTEST_GUILESS_MAIN(TestCapitalPlan)
#include "test_capital_plan.moc"
