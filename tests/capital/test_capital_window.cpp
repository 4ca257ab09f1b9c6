#include "capital/capital_session.h"
#include "capital/capital_window.h"
#include "shell/core/message_numbers.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/tool_window_test.h"

#include <QComboBox>
#include <QLabel>
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
    QString firstListItem() const { return user->find<QComboBox>("InLumpInv")->itemText(0); }

private slots:
    void init() { startFrame(); }
    void cleanup() { endFrame(); }

    // The first box has the focus; figures typed, Enter from box to box,
    // Calculate by its access key; a term past 50 years is refused.
    void byKeyboard()
    {
        QVERIFY(open());
        QTRY_COMPARE(user->focusedName(), QStringLiteral("InLumpInv"));
        user->type("250000");
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InRate"));
        user->type("10");
        user->enter();
        user->type("30");
        user->accessKey(Qt::Key_C);
        QVERIFY(t->dialogs.messages.isEmpty());
        QCOMPARE(window->grid()->rows(), 34);
        QCOMPARE(user->cell("CGrid", 30, 3), QStringLiteral("250,000.00"));
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("  $250,000.00"));

        user->fill("InTerm", "75");
        QCOMPARE(t->dialogs.messages, QList<int>{Msg50YearsLimit});
        QCOMPARE(user->text("InTerm"), QString(15, u' ') + QStringLiteral("50"));
        user->click("CCalc");
        QCOMPARE(window->grid()->rows(), 54);
        QCOMPARE(user->cell("CGrid", 52, 0), QStringLiteral("Total:"));
    }

    // The income option relabels the amount, gives it its own list and takes
    // the table away; stepping to another figure of that list is an edit;
    // back to the capital, its figure and list return.
    void incomeOptionAndBack()
    {
        QVERIFY(open());
        user->click("CCalc");
        user->click("CRCapitalChoices1");
        QCOMPARE(option(), CapitalOption::Income);
        QCOMPARE(results(), qint16(0));
        QVERIFY(row(1).at(0).isEmpty());
        QCOMPARE(firstListItem(), QStringLiteral("25000"));
        bool relabelled = false;
        for (QLabel *label : window->findChildren<QLabel *>())
            relabelled |= label->text() == QLatin1String("Annual income required at retirement");
        QVERIFY(relabelled);

        user->click("CCalc");
        QVERIFY(!row(1).at(0).isEmpty());
        user->focus("InLumpInv");
        user->key(Qt::Key_Down);
        QVERIFY(user->text("InLumpInv") != QStringLiteral("   $40,000.00"));
        QVERIFY(row(1).at(0).isEmpty());
        QCOMPARE(results(), qint16(0));

        user->click("CRCapitalChoices0");
        QCOMPARE(option(), CapitalOption::Capital);
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("  $100,000.00"));
        QCOMPARE(firstListItem(), QStringLiteral("100000"));
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

    // A fault after a good table leaves nothing of it to see, print or draw.
    void aFaultLeavesNoTable()
    {
        QVERIFY(open());
        user->click("CRCapitalChoices1");
        user->click("CCalc");
        QVERIFY(!row(1).at(0).isEmpty());
        user->focus("InRate");
        user->type("0");
        user->accessKey(Qt::Key_C);
        QCOMPARE(t->dialogs.messages, QList<int>{MsgWrongEntry});
        for (int r = 1; r < window->grid()->rows(); ++r)
            QCOMPARE(row(r), QStringList(4));
        QCOMPARE(results(), qint16(0));
        user->click("CGraphs");
        user->click("CPrinter");
        QCOMPARE(t->dialogs.messages, (QList<int>{MsgWrongEntry, MsgNoDataToGraph, MsgNoDataToPrint}));
        QVERIFY(t->printer.jobs.isEmpty());
    }
};

QTEST_MAIN(TestCapitalReqdCalc)
#include "test_capital_window.moc"
