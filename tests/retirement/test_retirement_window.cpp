#include "retirement/retirement_session.h"
#include "app/tool_registry.h"
#include "graph/graphs_all.h"
#include "retirement/retirement_window.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TestRetireCalc : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestShell> t;
    std::unique_ptr<MdiContainer> frame;
    RetireCalc *window = nullptr;
    std::unique_ptr<WindowDriver> user;

    QStringList row(int r) const { return user->row(QStringLiteral("RGrid"), r); }
    // The label beside a field, as shown.
    QString labelOf(const char *control) const
    {
        QWidget *field = user->control(QLatin1String(control));
        for (QLabel *label : window->findChildren<QLabel *>())
            if (label->buddy() == field)
                return label->text();
        return QString();
    }
    void open()
    {
        window = qobject_cast<RetireCalc *>(OpenFromMenu(*frame, QStringLiteral("Retirement")));
        QVERIFY(window);
        user = std::make_unique<WindowDriver>(window);
    }
    void choose(const char *option)
    {
        QTest::mouseClick(user->find<QRadioButton>(QLatin1String(option)), Qt::LeftButton);
    }
    void pressKey(Qt::Key key)
    {
        user->accessKey(key);
    }

private slots:
    void init()
    {
        t = std::make_unique<TestShell>();
        frame = std::make_unique<MdiContainer>(t->shell);
        RegisterTools(*frame);
    }
    void cleanup()
    {
        user.reset();
        frame.reset();
        t.reset();
    }

    // From the menu by its access key, figures typed and Enter from box to
    // box, Calculate by its access key.
    void percentageByKeyboard()
    {
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame->menu()->button(QStringLiteral("Retirement")), Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<RetireCalc *>(frame->activeTool()));
        window = qobject_cast<RetireCalc *>(frame->activeTool());
        user = std::make_unique<WindowDriver>(window);
        QCOMPARE(frame->caption(), QStringLiteral(" Retirement Calculations"));
        QCOMPARE(static_cast<RetirementSession &>(window->session()).option(), RetirementOption::Percentage);
        QCOMPARE(user->text("InInvest"), QStringLiteral("  $500,000.00"));
        QCOMPARE(user->text("InRate"), QString(9, u' ') + QStringLiteral("10.00%"));
        QCOMPARE(user->text("InRateDrawn"), QString(10, u' ') + QStringLiteral("8.00%"));
        QCOMPARE(user->text("InTerm"), QString(15, u' ') + QStringLiteral("20"));
        QCOMPARE(window->grid()->rows(), 25);
        QCOMPARE(user->cell("RGrid", 0, 3), QStringLiteral("            Current              Value"));

        user->focus("InInvest");
        user->type("100000");
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InRate"));
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InRateDrawn"));
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InTerm"));
        user->type("25");
        pressKey(Qt::Key_C);
        QVERIFY(t->dialogs.messages.isEmpty());
        QCOMPARE(row(1), (QStringList{"1", "10,000.00", "8,000.00", "102,000.00"}));
        QCOMPARE(row(25).at(0), QStringLiteral("25"));
        QCOMPARE(row(26), QStringList(4));
        QCOMPARE(row(27).at(0), QStringLiteral("Total:"));
        QCOMPARE(window->grid()->rows(), 29);
        QCOMPARE(window->session().data().ResultCount, qint16(25));
    }

    // Changing the option changes labels, never where anything stands.
    void optionChangeMovesNothing()
    {
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        open();
        Settle();
        const QRect grid = window->grid()->geometry();
        const QRect term = user->control(QStringLiteral("InTerm"))->geometry();
        choose("Option2");
        Settle();
        QCOMPARE(window->grid()->geometry(), grid);
        QCOMPARE(user->control(QStringLiteral("InTerm"))->geometry(), term);
        choose("Option1");
        Settle();
        QCOMPARE(window->grid()->geometry(), grid);
    }

    void fixedAmountChoice()
    {
        open();
        user->fill("InInvest", "250000");
        QCOMPARE(labelOf("InTerm"), QStringLiteral(" Time in years"));
        choose("Option2");
        QCOMPARE(static_cast<RetirementSession &>(window->session()).option(), RetirementOption::FixedAmount);
        QCOMPARE(labelOf("InTerm").simplified(), QStringLiteral("Increase Annual Amount Withdrawn by %."));
        QCOMPARE(user->text("InInvest"), QStringLiteral("  $100,000.00"));
        QCOMPARE(user->text("InRateDrawn"), QStringLiteral("    $1,000.00"));
        QCOMPARE(user->text("InTerm"), QString(14, u' ') + QStringLiteral(".00%"));

        // Enter and Tab reach the shown pair, never the hidden one.
        user->focus("InRate");
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InRateDrawn"));
        QVERIFY(QApplication::focusWidget()->isVisible());
        user->key(Qt::Key_Tab);
        QCOMPARE(user->focusedName(), QStringLiteral("InTerm"));
        QVERIFY(QApplication::focusWidget()->isVisible());

        // A decimal increase is typed (whole years only under Percentage), Enter goes on to Calculate.
        user->focus("InTerm");
        user->type("3");
        user->enter();
        QCOMPARE(user->text("InTerm"), QString(11, u' ') + QStringLiteral("3.00%"));
        QCOMPARE(user->focusedName(), QStringLiteral("RCalc"));
        user->enter();
        QVERIFY(t->dialogs.messages.isEmpty());
        QCOMPARE(row(1), (QStringList{"1", "9,459.47", "12,000.00", "97,459.47"}));
        QCOMPARE(row(13), (QStringList{"13", "157.95", "7,217.07", ".00"}));
        QCOMPARE(row(15), (QStringList{"Total:", "$77,479.90", "$177,521.43", "$0.00"}));
        QCOMPARE(window->session().data().ResultCount, qint16(13));

        user->click("RGraphs");
        auto *graph = qobject_cast<GraphsAll *>(frame->overTool());
        QVERIFY(graph);
        QCOMPARE(graph->picture().values.size(), 13);
        QCOMPARE(graph->picture().values.first(), 100000.0);
        QCOMPARE(graph->picture().title, QStringLiteral("Retirement value at start of each Year"));
        WindowDriver(graph).click("ExitBut");
        QTRY_VERIFY(window->isVisible());

        // Back to Percentage: the capital stays, the last two fields take its openings.
        choose("Option1");
        QCOMPARE(static_cast<RetirementSession &>(window->session()).option(), RetirementOption::Percentage);
        QVERIFY(row(1).at(0).isEmpty());
        QCOMPARE(window->session().data().ResultCount, qint16(0));
        QCOMPARE(user->text("InInvest"), QStringLiteral("  $100,000.00"));
        QCOMPARE(user->text("InTerm"), QString(15, u' ') + QStringLiteral("20"));
        QCOMPARE(labelOf("InTerm"), QStringLiteral(" Time in years"));
        user->fill("InTerm", "60");
        QCOMPARE(t->dialogs.messages, QList<int>{4});
        QCOMPARE(user->text("InTerm"), QString(15, u' ') + QStringLiteral("50"));
        user->click("RCalc");
        QCOMPARE(window->session().data().ResultCount, qint16(50));
        QCOMPARE(row(52).at(0), QStringLiteral("Total:"));
    }

    void moreThanTheCapital()
    {
        open();
        user->click("RCalc");
        QCOMPARE(window->session().data().ResultCount, qint16(20));
        user->fill("InRateDrawn", "101");
        user->click("RCalc");
        QCOMPARE(t->dialogs.messages, QList<int>{7});
        QVERIFY(row(1).at(0).isEmpty());
        QCOMPARE(window->session().data().ResultCount, qint16(0));
        user->click("RGraphs");
        user->click("RPrinter");
        QCOMPARE(t->dialogs.messages, (QList<int>{7, 2, 1}));

        choose("Option2");
        user->fill("InRateDrawn", "9000");
        user->click("RCalc");
        QCOMPARE(t->dialogs.messages.last(), 7);
        QVERIFY(row(1).at(0).isEmpty());

        // A capital too large to calculate with: message 3, and no part of a table is left.
        user->fill("InRateDrawn", "1000");
        user->click("RCalc");
        QCOMPARE(window->session().data().ResultCount, qint16(17));
        user->fill("InInvest", "900000000000000");
        user->click("RCalc");
        QCOMPARE(t->dialogs.messages.last(), 3);
        QCOMPARE(t->dialogs.messages.count(3), 1);
        for (int r = 1; r <= 25; ++r)
            QCOMPARE(row(r), QStringList(4));
        QCOMPARE(window->session().data().ResultCount, qint16(0));
    }

    // A term of no year is a wrong entry, as in the other planners: the
    // message, and no "Total:" row to print or draw.
    void noYearIsRefused()
    {
        open();
        user->fill("InInvest", "1000000");
        user->click("RCalc");
        QCOMPARE(window->session().data().ResultCount, qint16(20));
        user->fill("InTerm", "0");
        user->click("RCalc");
        QCOMPARE(t->dialogs.messages, QList<int>{3});
        for (int r = 1; r <= 25; ++r)
            QCOMPARE(row(r), QStringList(4));
        QCOMPARE(window->session().data().ResultCount, qint16(0));
        user->click("RPrinter");
        QCOMPARE(t->dialogs.messages, (QList<int>{3, 1}));
        QVERIFY(t->printer.jobs.isEmpty());
    }

    void helpFollowsTheChoice()
    {
        open();
        user->click("RHelp");
        QCOMPARE(user->text("RHelp"), QStringLiteral("Close &Help"));
        QVERIFY(user->text("RTextBox").contains(QStringLiteral("A PERCENTAGE")));
        choose("Option2");
        QCOMPARE(user->text("RHelp"), QStringLiteral("Close &Help"));
        QVERIFY(user->text("RTextBox").contains(QStringLiteral("A FIXED AMOUNT")));
        QVERIFY(user->text("RTextBox").contains(
            QStringLiteral("If the Annual Income is less than the Interest/Growth rate then the calculation ends at 50 "
                           "years.")));
        QCOMPARE(user->text("InRateDrawn"), QStringLiteral("    $1,000.00"));
        user->click("RCalc");
        QCOMPARE(user->text("RHelp"), QStringLiteral("Quick &Help"));
        QCOMPARE(row(17).at(2), QStringLiteral("9,010.25"));

        t->dialogs.lines << QStringLiteral("Seventeen years");
        user->click("RPrinter");
        QCOMPARE(t->printer.jobs.size(), 1);
        const QString text = t->printer.jobs.at(0).toText();
        const QStringList lines = text.split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral(" Monthly Amount of Cash Withdrawn") + QString(17, u' ') +
                               QStringLiteral("     $1,000.00")));
        QVERIFY(lines.contains(QStringLiteral("  17                   341.80               9,010.25                  .00")));
        user->click("RExit");
        QCOMPARE(frame->caption(), QStringLiteral(" Tallomar Menu"));
    }
};

QTEST_MAIN(TestRetireCalc)
#include "test_retirement_window.moc"
