#include "app/tool_registry.h"
#include "graph/graphs_all.h"
#include "plan401k/plan401k_window.h"
#include "plan401k/plan401k_fields.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestPlan401KCalc : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestShell> t;
    std::unique_ptr<MdiContainer> frame;
    Plan401KCalc *window = nullptr;
    std::unique_ptr<WindowDriver> user;

    void open()
    {
        t = std::make_unique<TestShell>();
        frame = std::make_unique<MdiContainer>(t->shell);
        RegisterTools(*frame);
        window = qobject_cast<Plan401KCalc *>(OpenFromMenu(*frame, QStringLiteral("Plan401K")));
        QVERIFY(window);
        user = std::make_unique<WindowDriver>(window);
    }
    QStringList row(int r) const { return user->row(QStringLiteral("KGrid"), r); }

private slots:
    void cleanup()
    {
        user.reset();
        frame.reset();
        t.reset();
    }

    // A salary past what money holds is told (message 3) and the salary
    // before it stays, in the box and in what Calculate uses.
    void salaryPastMoneyKeepsTheOldOne()
    {
        open();
        user->click("KCalc");
        const QStringList year1 = row(2);
        user->fill("InCurrSal", "999999999999999");
        QCOMPARE(t->dialogs.messages, QList<int>{3});
        QCOMPARE(user->text("InCurrSal"), QStringLiteral("   $50,000.00"));
        QCOMPARE(window->session().data().InputValues.value(Plan401KSalarySlot), Money::fromWhole(50000));
        user->click("KCalc");
        QCOMPARE(row(2), year1);
        QCOMPARE(t->dialogs.messages, QList<int>{3});
        // The largest salary money holds is taken.
        user->fill("InCurrSal", "922337203685477.58");
        QCOMPARE(user->text("InCurrSal"), QStringLiteral("$922,337,203,685,477.58"));
        QCOMPARE(t->dialogs.messages, QList<int>{3});
    }

    void byKeyboardFromTheMenu()
    {
        t = std::make_unique<TestShell>();
        frame = std::make_unique<MdiContainer>(t->shell);
        RegisterTools(*frame);
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frame.get(), Qt::Key_4,
                        Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<Plan401KCalc *>(frame->activeTool()));
        window = qobject_cast<Plan401KCalc *>(frame->activeTool());
        user = std::make_unique<WindowDriver>(window);
        QCOMPARE(frame->caption(), QStringLiteral(" 401(k) Investment Growth Calculations"));
        QCOMPARE(window->grid()->rows(), 25);
        QCOMPARE(user->cell("KGrid", 0, 0), QStringLiteral("Year Number"));
        QCOMPARE(user->cell("KGrid", 0, 4), QStringLiteral("        Current         Value"));

        // The opening figures as the fields show them.
        QCOMPARE(user->text("InCurrBal"), QStringLiteral("   $10,000.00"));
        QCOMPARE(user->text("InCurrSal"), QStringLiteral("   $50,000.00"));
        QCOMPARE(user->text("InCntrbRate"), QString(10, u' ') + QStringLiteral("5.00%"));
        QCOMPARE(user->text("InRetnRate"), QString(9, u' ') + QStringLiteral("10.00%"));
        QCOMPARE(user->text("InInflRate"), QString(11, u' ') + QStringLiteral(".00%"));
        QCOMPARE(user->text("InNumYears"), QString(13, u' ') + QStringLiteral("25"));

        // Typed, then calculated by the access key.
        user->focus("InNumYears");
        user->type("30");
        user->key(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(window->session().data().ResultCount, qint16(30));
        QCOMPARE(window->grid()->rows(), 35);
        QCOMPARE(row(1), (QStringList{"", "", "", "", "10,000.00"}));
        QCOMPARE(row(2), (QStringList{"1", "50,000.00", "4,500.00", "1,450.00", "15,950.00"}));
        QCOMPARE(row(31).at(0), QStringLiteral("30"));
        QCOMPARE(row(32), QStringList(5));
        QCOMPARE(row(33).at(0), QStringLiteral("Total:"));
        QVERIFY(row(33).at(1).isEmpty());
        QVERIFY(row(33).at(2).startsWith(u'$'));
        QVERIFY(t->dialogs.messages.isEmpty());
    }

    void enterWalksTheFieldsToCalculate()
    {
        open();
        user->focus("InCurrBal");
        user->type("0");
        for (const char *next : {"InCurrSal", "InCntrbRate", "InCompRate", "InAnnSalRaise", "InRetnRate",
                                 "InInflRate", "InNumYears", "KCalc"}) {
            user->enter();
            QCOMPARE(user->focusedName(), QLatin1String(next));
        }
        user->enter();
        QCOMPARE(window->session().data().ResultCount, qint16(25));
        // No balance: year 1 on the first row.
        QCOMPARE(row(1), (QStringList{"1", "50,000.00", "4,500.00", "450.00", "4,950.00"}));
        QCOMPARE(row(2), (QStringList{"2", "52,000.00", "4,680.00", "963.00", "10,593.00"}));
        QCOMPARE(row(27).at(0), QStringLiteral("Total:"));
    }

    void yearLimitAndFaults()
    {
        open();
        user->fill("InNumYears", "51");
        QCOMPARE(t->dialogs.messages, QList<int>{4});
        QCOMPARE(user->text("InNumYears"), QString(13, u' ') + QStringLiteral("50"));
        user->click("KCalc");
        QCOMPARE(window->session().data().ResultCount, qint16(50));
        QCOMPARE(window->grid()->rows(), 55);
        QCOMPARE(user->cell("KGrid", 53, 0), QStringLiteral("Total:"));

        // A return no figure can hold: message 3 and an empty grid, nothing to print or draw.
        user->fill("InRetnRate", "900000000");
        user->click("KCalc");
        QCOMPARE(t->dialogs.messages, (QList<int>{4, 3}));
        QCOMPARE(window->session().data().ResultCount, qint16(0));
        for (int r = 1; r < window->grid()->rows(); ++r)
            QCOMPARE(row(r), QStringList(5));
        user->click("KPrinter");
        user->click("KGraphs");
        QCOMPARE(t->dialogs.messages, (QList<int>{4, 3, 1, 2}));
        QVERIFY(t->printer.jobs.isEmpty());
    }

    void editTakesTheTableAway()
    {
        open();
        user->click("KCalc");
        QCOMPARE(row(2).at(3), QStringLiteral("1,450.00"));
        user->focus("InInflRate");
        user->type("3");
        QVERIFY(row(2).at(0).isEmpty());
        QCOMPARE(window->session().data().ResultCount, qint16(0));
        user->leave();
        QCOMPARE(user->text("InInflRate"), QString(10, u' ') + QStringLiteral("3.00%"));
        user->click("KCalc");
        // (10,000 + 4,500 + 1,450) less 3%.
        QCOMPARE(row(2).at(4), QStringLiteral("15,471.50"));
    }

    void graphAndPrinter()
    {
        open();
        user->click("KCalc");
        user->click("KGraphs");
        auto *graph = qobject_cast<GraphsAll *>(frame->overTool());
        QVERIFY(graph);
        QCOMPARE(graph->request().kind, GraphKind::Plan401K);
        QCOMPARE(graph->style(), 3);
        QCOMPARE(graph->picture().values.size(), 25);
        QCOMPARE(graph->picture().values.first(), 15950.0);
        QCOMPARE(graph->picture().labels.last(), QStringLiteral("25"));
        QCOMPARE(graph->picture().title, QStringLiteral("Investment value at end of each Year"));
        WindowDriver(graph).click("ExitBut");
        QTRY_VERIFY(window->isVisible());
        QCOMPARE(row(2).at(4), QStringLiteral("15,950.00"));

        t->dialogs.lines << QStringLiteral("My 401(k)");
        user->click("KPrinter");
        QCOMPARE(t->printer.jobs.size(), 1);
        const QStringList page = t->printer.jobs.at(0).pages().first();
        QCOMPARE(page.at(1), QStringLiteral(" My 401(k)"));
        QCOMPARE(page.at(3), QString(24, u' ') + QStringLiteral("Investment Growth - 401K Plan"));

        user->click("KExit");
        QCOMPARE(frame->caption(), QStringLiteral(" Tallomar Menu"));
    }

    void quickHelpAndLabels()
    {
        open();
        user->click("KHelp");
        QCOMPARE(user->text("KHelp"), QStringLiteral("Close &Help"));
        QVERIFY(window->grid()->isHidden());
        QVERIFY(!user->control("KPrinter")->isEnabled());
        QVERIFY(!user->control("KGraphs")->isEnabled());
        QVERIFY(user->text("KTextBox").contains(QStringLiteral("If none type 0.")));
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InCurrBal"));
        user->click("KCalc");
        QCOMPARE(user->text("KHelp"), QStringLiteral("Quick &Help"));
        QVERIFY(window->grid()->isVisible());
        QCOMPARE(row(2).at(2), QStringLiteral("4,500.00"));
        // Every field has its label beside it, the words kept.
        const QList<QLabel *> labels = window->findChildren<QLabel *>();
        auto shown = [&](const QString &words) {
            for (QLabel *label : labels)
                if (label->text().simplified() == words)
                    return true;
            return false;
        };
        QVERIFY(shown(QStringLiteral("Current balance in the 401(k) account.")));
        QVERIFY(shown(QStringLiteral("No. of years to retirement.")));
    }
};

QTEST_MAIN(TestPlan401KCalc)
#include "test_plan401k_window.moc"
