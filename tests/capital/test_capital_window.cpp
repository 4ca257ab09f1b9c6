#include "capital/capital_window.h"
#include "shell/ui/mdi_container.h"
#include "support/tool_window_test.h"

#include <QTest>

class TestCapitalReqdCalc : public ToolWindowTest
{
    Q_OBJECT

private slots:
    void init() { startFrame(); }
    void cleanup() { endFrame(); }

    // The first box has the focus. The option buttons are reached by Tab
    // after the term and turned by the arrow keys; choosing the option
    // already chosen keeps what was typed, another takes the table away and
    // puts its own opening figure in the box.
    void optionButtonsByKeyboard()
    {
        QVERIFY(qobject_cast<CapitalReqdCalc *>(openByAccessKey(QStringLiteral("HowMuch"))));
        QTRY_COMPARE(user->focusedName(), QStringLiteral("InLumpInv"));
        user->type("2500000");
        user->accessKey(Qt::Key_C);
        QCOMPARE(user->cell("CGrid", 25, 3), QStringLiteral("2,500,000.00"));
        user->focus(QStringLiteral("InTerm"));
        user->tab();
        QCOMPARE(user->focusedName(), QStringLiteral("CRCapitalChoices0"));
        user->key(Qt::Key_Space);
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("$2,500,000.00"));

        user->key(Qt::Key_Down);
        QCOMPARE(user->focusedName(), QStringLiteral("CRCapitalChoices1"));
        QVERIFY(user->cell("CGrid", 1, 0).isEmpty());
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("   $40,000.00"));
        user->tab();
        QCOMPARE(user->focusedName(), QStringLiteral("CCalc"));
        user->key(Qt::Key_Space);
        QCOMPARE(user->cell("CGrid", 25, 3), QStringLiteral("266,666.67"));
        user->click("CRCapitalChoices0");
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("  $100,000.00"));
    }
};

QTEST_MAIN(TestCapitalReqdCalc)
#include "test_capital_window.moc"
