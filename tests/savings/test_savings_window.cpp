#include "graph/graphs_all.h"
#include "savings/savings_window.h"
#include "shell/core/message_numbers.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/tool_window_test.h"

#include <QComboBox>
#include <QTest>

class TestSavingsCalc : public ToolWindowTest
{
    Q_OBJECT

    SavingsCalc *window = nullptr;

    bool open(const char *button)
    {
        window = qobject_cast<SavingsCalc *>(openByAccessKey(QLatin1String(button)));
        return window != nullptr;
    }
    QStringList row(int r) const { return user->row(QStringLiteral("SGrid"), r); }
    qint16 results() const { return window->session().data().ResultCount; }
    bool comparing() const { return static_cast<SavingsSession &>(window->session()).comparing(); }
    // The bars of the graph Show Graph brought up (-1 when none came), and back to the tool.
    int graphBars()
    {
        auto *graph = qobject_cast<GraphsAll *>(frame->overTool());
        if (!graph)
            return -1;
        const int bars = int(graph->picture().values.size());
        WindowDriver(graph).click("ExitBut");
        return WaitFor([this] { return window->isVisible(); }) ? bars : -1;
    }

private slots:
    void init() { startFrame(); }
    void cleanup() { endFrame(); }

    // The frequency chosen by the arrow keys, Enter from the term to
    // Calculate and on it: the largest plan the window makes.
    void largestPlanByKeyboard()
    {
        QVERIFY(open("Savings"));
        user->focus("InMonthsYrs");
        auto *frequency = user->find<QComboBox>("InMonthsYrs");
        for (int i = 0; i < 5 && frequency->currentText() != QLatin1String("Monthly"); ++i)
            user->key(Qt::Key_Down);
        user->fill("InInvest", "2500");
        user->focus("InTerm");
        user->type("40");
        user->enter(); // to Calculate
        user->enter();
        QCOMPARE(window->grid()->rows(), 484);
        QCOMPARE(user->cell("SGrid", 0, 0), QStringLiteral(" Month Number"));
        QCOMPARE(user->cell("SGrid", 482, 1), QStringLiteral("$1,200,000.00"));

        // Calculated while the grid is down at its end, a plan is shown from
        // its first month.
        user->focus("SGrid");
        user->key(Qt::Key_End, Qt::ControlModifier);
        QVERIFY(user->rowInView("SGrid", 482));
        QVERIFY(!user->rowInView("SGrid", 1));
        user->click("SCalc");
        QVERIFY(user->rowInView("SGrid", 1));
    }

    // The first key of a new figure takes the stale plan away: nothing is
    // left to graph.
    void anEditTakesThePlanAway()
    {
        QVERIFY(open("Savings"));
        user->click("SCalc");
        QCOMPARE(results(), qint16(25));
        user->focus("InLumpInv");
        user->type("1000");
        QVERIFY(row(1).at(0).isEmpty());
        QCOMPARE(results(), qint16(0));
        user->leave();
        user->click("SGraphs");
        QCOMPARE(t->dialogs.messages, QList<int>{MsgNoDataToGraph});
    }

    // Comparisons add a line a Calculate, up to 22; the 23rd is refused and
    // changes nothing. The lines last as long as the grid shows them: an
    // edit, a refused Calculate or a printout that failed leaves them all to
    // graph and print.
    void comparisonsLastWhileShown()
    {
        QVERIFY(open("SavingComp"));
        QVERIFY(comparing());
        user->fill("InLumpInv", "250000");
        for (int e = 1; e <= 22; ++e) {
            user->fill("InTerm", QString::number(e));
            user->click("SCalc");
        }
        const QStringList last = row(22);
        QCOMPARE(last.at(0), QStringLiteral("22"));
        user->click("SCalc");
        QCOMPARE(t->dialogs.messages, QList<int>{Msg22Entries});
        QCOMPARE(row(22), last);
        QCOMPARE(results(), qint16(22));

        user->fill("InInvest", "2500");
        QCOMPARE(row(1).at(0), QStringLiteral("1"));
        user->click("SGraphs");
        QCOMPARE(graphBars(), 22);
        user->click("SCalc");
        user->click("SGraphs");
        QCOMPARE(graphBars(), 22);

        // The first printout fails (out of paper), the next two are written.
        t->printer.fail = true;
        for (int job = 0; job < 3; ++job) {
            t->dialogs.lines << QStringLiteral("Comparisons");
            user->click("SPrinter");
            t->printer.fail = false;
            QCOMPARE(t->printer.jobs.at(job).toText().count(QStringLiteral("250,000.00")), 22);
        }
        QCOMPARE(t->dialogs.messages, (QList<int>{Msg22Entries, Msg22Entries, MsgPrintoutNotWritten}));
        QCOMPARE(row(22), last);
    }
};

QTEST_MAIN(TestSavingsCalc)
#include "test_savings_window.moc"
