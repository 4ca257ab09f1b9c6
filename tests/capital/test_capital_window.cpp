#include "capital/capital_session.h"
#include "capital/capital_window.h"
#include "shell/core/message_numbers.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/tool_window_test.h"

#include <QTest>

class TestCapitalReqdCalc : public ToolWindowTest
{
    Q_OBJECT

    CapitalReqdCalc *window = nullptr;

    bool open()
    {
        window = qobject_cast<CapitalReqdCalc *>(openByAccessKey(QStringLiteral("HowMuch")));
        return window != nullptr;
    }
    QStringList row(int r) const { return user->row(QStringLiteral("CGrid"), r); }
    qint16 results() const { return window->session().data().ResultCount; }
    CapitalOption option() const { return static_cast<CapitalSession &>(window->session()).option(); }

private slots:
    void init() { startFrame(); }
    void cleanup() { endFrame(); }

    // The first box has the focus; Calculate by its access key.
    void byKeyboard()
    {
        QVERIFY(open());
        QTRY_COMPARE(user->focusedName(), QStringLiteral("InLumpInv"));
        user->type("250000");
        user->accessKey(Qt::Key_C);
        QCOMPARE(user->cell("CGrid", 25, 3), QStringLiteral("250,000.00"));
    }

    // The income option takes the table away; back to the capital, its
    // figure returns.
    void incomeOptionAndBack()
    {
        QVERIFY(open());
        user->click("CCalc");
        user->click("CRCapitalChoices1");
        QCOMPARE(option(), CapitalOption::Income);
        QCOMPARE(results(), qint16(0));
        QVERIFY(row(1).at(0).isEmpty());
        user->fill("InLumpInv", "30000");
        user->click("CRCapitalChoices0");
        QCOMPARE(option(), CapitalOption::Capital);
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("  $100,000.00"));
    }

    // The option buttons are reached by Tab after the term and turned by the
    // arrow keys; choosing the option already chosen keeps what was typed.
    void optionButtonsByKeyboard()
    {
        QVERIFY(open());
        user->focus(QStringLiteral("InLumpInv"));
        user->type("2500000");
        user->tab(2);
        QTRY_COMPARE(user->focusedName(), QStringLiteral("InTerm"));
        user->tab();
        QCOMPARE(user->focusedName(), QStringLiteral("CRCapitalChoices0"));
        user->key(Qt::Key_Space);
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("$2,500,000.00"));
        QCOMPARE(option(), CapitalOption::Capital);

        user->key(Qt::Key_Down);
        QCOMPARE(user->focusedName(), QStringLiteral("CRCapitalChoices1"));
        QCOMPARE(option(), CapitalOption::Income);
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("   $40,000.00"));
        user->tab();
        QCOMPARE(user->focusedName(), QStringLiteral("CCalc"));
        user->key(Qt::Key_Space);
        QCOMPARE(user->cell("CGrid", 25, 3), QStringLiteral("266,666.67"));
    }

    // A fault after a good table leaves nothing of it to see or draw.
    void aFaultLeavesNoTable()
    {
        QVERIFY(open());
        user->click("CRCapitalChoices1");
        user->click("CCalc");
        user->fill("InRate", "0");
        user->click("CCalc");
        for (int r = 1; r < window->grid()->rows(); ++r)
            QCOMPARE(row(r), QStringList(4));
        user->click("CGraphs");
        QCOMPARE(t->dialogs.messages, (QList<int>{MsgWrongEntry, MsgNoDataToGraph}));
    }
};

QTEST_MAIN(TestCapitalReqdCalc)
#include "test_capital_window.moc"
