#include "retirement/retirement_window.h"
#include "shell/core/message_numbers.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/tool_window_test.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

class TestRetireCalc : public ToolWindowTest
{
    Q_OBJECT

    RetireCalc *window = nullptr;

    QStringList row(int r) const { return user->row(QStringLiteral("RGrid"), r); }
    qint16 results() const { return window->session().data().ResultCount; }
    // The label beside a field, as shown.
    QString labelOf(const char *control) const
    {
        QWidget *field = user->control(QLatin1String(control));
        for (QLabel *label : window->findChildren<QLabel *>())
            if (label->buddy() == field)
                return label->text();
        return QString();
    }

private slots:
    void init()
    {
        startFrame();
        window = qobject_cast<RetireCalc *>(openByAccessKey(QStringLiteral("Retirement")));
        QVERIFY(window);
    }
    void cleanup() { endFrame(); }

    // Changing the option changes labels, never where anything stands.
    void optionChangeMovesNothing()
    {
        Settle();
        const QRect grid = window->grid()->geometry();
        const QRect term = user->control(QStringLiteral("InTerm"))->geometry();
        user->click("Option2");
        Settle();
        QCOMPARE(window->grid()->geometry(), grid);
        QCOMPARE(user->control(QStringLiteral("InTerm"))->geometry(), term);
    }

    void fixedAmountAndBack()
    {
        user->fill("InInvest", "250000");
        user->click("Option2");
        QCOMPARE(labelOf("InTerm").simplified(), QStringLiteral("Increase Annual Amount Withdrawn by %."));
        QCOMPARE(user->text("InRateDrawn"), QStringLiteral("    $1,000.00"));

        // Enter and Tab reach the shown pair, never the hidden one.
        user->focus("InRate");
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InRateDrawn"));
        QVERIFY(QApplication::focusWidget()->isVisible());
        user->tab();
        QCOMPARE(user->focusedName(), QStringLiteral("InTerm"));
        QVERIFY(QApplication::focusWidget()->isVisible());

        // A decimal increase is typed (whole years only under Percentage), Enter goes on to Calculate.
        user->type("3");
        user->enter();
        QCOMPARE(user->text("InTerm"), QString(11, u' ') + QStringLiteral("3.00%"));
        QCOMPARE(user->focusedName(), QStringLiteral("RCalc"));
        user->enter();
        QCOMPARE(results(), qint16(13));
        QCOMPARE(user->cell("RGrid", 15, 0), QStringLiteral("Total:"));

        // Back to Percentage: the capital stays, the last two fields take its openings.
        user->click("Option1");
        QCOMPARE(user->text("InInvest"), QStringLiteral("  $100,000.00"));
        QCOMPARE(user->text("InTerm"), QString(15, u' ') + QStringLiteral("20"));
        QCOMPARE(labelOf("InTerm"), QStringLiteral(" Time in years"));
    }

    // A refused Calculate after a good table leaves nothing of it to see,
    // print or draw. As in the other planners, a term of no year is a wrong
    // entry.
    void aRefusalLeavesNoTable()
    {
        user->fill("InInvest", "1000000");
        user->click("RCalc");
        QCOMPARE(results(), qint16(20));
        user->fill("InTerm", "0");
        user->click("RCalc");
        for (int r = 1; r < window->grid()->rows(); ++r)
            QCOMPARE(row(r), QStringList(4));
        user->click("RGraphs");
        user->click("RPrinter");
        QCOMPARE(t->dialogs.messages, (QList<int>{MsgWrongEntry, MsgNoDataToGraph, MsgNoDataToPrint}));
    }

    void helpFollowsTheOption()
    {
        user->click("RHelp");
        QVERIFY(user->text("RTextBox").contains(QStringLiteral("A PERCENTAGE")));
        user->click("Option2");
        QCOMPARE(user->text("RHelp"), QStringLiteral("Close &Help"));
        QVERIFY(user->text("RTextBox").contains(QStringLiteral("A FIXED AMOUNT")));
    }
};

QTEST_MAIN(TestRetireCalc)
#include "test_retirement_window.moc"
