#include "capital/capital_session.h"
#include "app/tool_registry.h"
#include "capital/capital_window.h"
#include "graph/graphs_all.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/window_driver.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TestCapitalReqdCalc : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestShell> t;
    std::unique_ptr<MdiContainer> frame;
    CapitalReqdCalc *window = nullptr;
    std::unique_ptr<WindowDriver> user;

    QStringList row(int r) const { return user->row(QStringLiteral("CGrid"), r); }
    void open()
    {
        window = qobject_cast<CapitalReqdCalc *>(OpenFromMenu(*frame, QStringLiteral("HowMuch")));
        QVERIFY(window);
        user = std::make_unique<WindowDriver>(window);
    }
    QStringList items(const char *name) const
    {
        auto *list = user->find<QComboBox>(QLatin1String(name));
        QStringList texts;
        for (int i = 0; list && i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
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

    void byKeyboardFromTheMenu()
    {
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame->windowHandle(), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<CapitalReqdCalc *>(frame->activeTool()));
        window = qobject_cast<CapitalReqdCalc *>(frame->activeTool());
        user = std::make_unique<WindowDriver>(window);
        QCOMPARE(frame->caption(), QStringLiteral(" Capital Required"));
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("  $100,000.00"));
        QCOMPARE(user->text("InRate"), QString(9, u' ') + QStringLiteral("15.00%"));
        QCOMPARE(user->text("InTerm"), QString(15, u' ') + QStringLiteral("25"));
        QVERIFY(user->find<QRadioButton>("CRCapitalChoices0")->isChecked());
        QCOMPARE(window->grid()->rows(), 25);
        QCOMPARE(user->cell("CGrid", 0, 0), QStringLiteral("Year Number"));
        QTRY_COMPARE(user->focusedName(), QStringLiteral("InLumpInv"));

        user->type("250000");
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InRate"));
        user->type("10");
        user->enter();
        user->type("30");
        user->key(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(row(1), (QStringList{"1", "1,381.65", "138.16", "1,519.81"}));
        QVERIFY(t->dialogs.messages.isEmpty());
        QCOMPARE(window->grid()->rows(), 34);
        QCOMPARE(row(2), (QStringList{"2", "1,381.65", "290.15", "3,191.61"}));
        QCOMPARE(row(30).at(3), QStringLiteral("250,000.00"));
        QCOMPARE(row(31), QStringList(4));
        QCOMPARE(row(32), (QStringList{"Total:", "$41,449.42", "$208,550.58", "$250,000.00"}));
        QCOMPARE(window->session().data().ResultCount, qint16(30));
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("  $250,000.00"));
    }

    void incomeOptionAndBack()
    {
        open();
        user->click("CCalc");
        QCOMPARE(row(1).at(1), QStringLiteral("408.64"));
        QCOMPARE(row(25).at(3), QStringLiteral("100,000.00"));

        user->click("CRCapitalChoices1");
        QCOMPARE(static_cast<CapitalSession &>(window->session()).option(), CapitalOption::Income);
        QCOMPARE(window->session().data().ResultCount, qint16(0));
        QVERIFY(row(1).at(0).isEmpty());
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("   $40,000.00"));
        QCOMPARE(items("InLumpInv").first(), QStringLiteral("25000")); // the list follows the option
        QLabel *amountLabel = nullptr;
        for (QLabel *label : window->findChildren<QLabel *>())
            if (label->text() == QLatin1String("Annual income required at retirement"))
                amountLabel = label;
        QVERIFY(amountLabel);
        user->click("CPrinter");
        QCOMPARE(t->dialogs.messages, QList<int>{1});

        user->click("CCalc");
        QCOMPARE(row(25).at(3), QStringLiteral("266,666.67"));
        QCOMPARE(row(27).at(3), QStringLiteral("$266,666.67"));
        t->dialogs.lines << QStringLiteral("Income");
        user->click("CPrinter");
        QCOMPARE(t->printer.jobs.size(), 1);
        const QString printed = t->printer.jobs.first().toText();
        QVERIFY(printed.contains(QStringLiteral("Amount of Annual Income Required")));
        QVERIFY(printed.contains(QStringLiteral(" Amount of Income required on Retirement.              $40,000.00")));

        // Choosing the list's figure is an edit: the table goes.
        auto *amount = user->find<QComboBox>("InLumpInv");
        amount->setCurrentIndex(0);
        emit amount->activated(0);
        QVERIFY(row(1).at(0).isEmpty());
        QCOMPARE(window->session().data().ResultCount, qint16(0));

        user->click("CRCapitalChoices0");
        QCOMPARE(static_cast<CapitalSession &>(window->session()).option(), CapitalOption::Capital);
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("  $100,000.00"));
        QCOMPARE(window->session().data().InputValues.value(1), Money::fromWhole(100000));
        QCOMPARE(items("InLumpInv").first(), QStringLiteral("100000"));
    }

    // The option buttons are reached by Tab after the term and turned by the
    // arrow keys; choosing the option already chosen keeps what was typed.
    void optionButtonsByKeyboard()
    {
        open();
        user->focus(QStringLiteral("InLumpInv"));
        user->type("2500000");
        user->key(Qt::Key_Tab);
        user->key(Qt::Key_Tab);
        QTRY_COMPARE(user->focusedName(), QStringLiteral("InTerm"));
        user->key(Qt::Key_Tab);
        QCOMPARE(user->focusedName(), QStringLiteral("CRCapitalChoices0"));
        user->key(Qt::Key_Space);
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("$2,500,000.00"));
        QCOMPARE(static_cast<CapitalSession &>(window->session()).option(), CapitalOption::Capital);

        user->key(Qt::Key_Down);
        QCOMPARE(user->focusedName(), QStringLiteral("CRCapitalChoices1"));
        QCOMPARE(static_cast<CapitalSession &>(window->session()).option(), CapitalOption::Income);
        QCOMPARE(user->text("InLumpInv"), QStringLiteral("   $40,000.00"));
        user->key(Qt::Key_Tab);
        QCOMPARE(user->focusedName(), QStringLiteral("CCalc"));
        user->key(Qt::Key_Space);
        QCOMPARE(row(25).at(3), QStringLiteral("266,666.67"));
    }

    void aFaultLeavesNoTable_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("figure");
        QTest::newRow("income at rate 0") << "CRCapitalChoices1" << "InRate" << "0";
        QTest::newRow("capital at rate 0") << "CRCapitalChoices0" << "InRate" << "0";
        QTest::newRow("no years") << "CRCapitalChoices0" << "InTerm" << "0";
    }
    void aFaultLeavesNoTable()
    {
        QFETCH(QString, option);
        QFETCH(QString, box);
        QFETCH(QString, figure);
        open();
        user->click(option);
        user->click("CCalc");
        QVERIFY(!row(1).at(0).isEmpty());
        user->focus(box);
        user->type(figure);
        user->key(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(t->dialogs.messages, QList<int>{3});
        for (int r = 1; r < window->grid()->rows(); ++r)
            QCOMPARE(row(r), QStringList(4));
        QCOMPARE(window->session().data().ResultCount, qint16(0));
        user->click("CGraphs");
        user->click("CPrinter");
        QCOMPARE(t->dialogs.messages, (QList<int>{3, 2, 1}));
        QVERIFY(t->printer.jobs.isEmpty());
    }

    void fiftyYearsAndTheLimit()
    {
        open();
        user->fill("InTerm", "75");
        QCOMPARE(t->dialogs.messages, QList<int>{4});
        QCOMPARE(user->text("InTerm"), QString(15, u' ') + QStringLiteral("50"));
        user->click("CCalc");
        QCOMPARE(window->grid()->rows(), 54);
        QCOMPARE(row(50).at(3), QStringLiteral("100,000.00"));
        QCOMPARE(row(52).at(0), QStringLiteral("Total:"));
        t->dialogs.lines << QStringLiteral("Fifty years");
        user->click("CPrinter");
        QCOMPARE(t->printer.jobs.first().pages().size(), 2);

        user->click("CGraphs");
        auto *graph = qobject_cast<GraphsAll *>(frame->overTool());
        QVERIFY(graph);
        QCOMPARE(graph->request().kind, GraphKind::CapitalRequired);
        QCOMPARE(graph->style(), 3);
        QCOMPARE(graph->picture().values.size(), 50);
        QCOMPARE(graph->picture().labels.last(), QStringLiteral("50"));
        QCOMPARE(graph->picture().title, QStringLiteral("Investment value at end of each Year"));
        WindowDriver(graph).click("ExitBut");
        QTRY_VERIFY(window->isVisible());
        QCOMPARE(row(50).at(3), QStringLiteral("100,000.00"));
    }

    void quickHelpFollowsTheOption()
    {
        open();
        user->click("CHelp");
        QCOMPARE(user->text("CHelp"), QStringLiteral("Close &Help"));
        QVERIFY(user->text("CTextBox").startsWith(QStringLiteral("AMOUNT OF CAPITAL REQUIRED OPTION")));
        QVERIFY(user->text("CTextBox").contains(QStringLiteral("$176.56")));
        user->click("CRCapitalChoices1");
        QCOMPARE(user->text("CHelp"), QStringLiteral("Close &Help"));
        QVERIFY(window->grid()->isHidden());
        QVERIFY(user->text("CTextBox").startsWith(QStringLiteral("ANNUAL INCOME REQUIRED OPTION")));
        QVERIFY(user->text("CTextBox").contains(QStringLiteral("$40,000.00")));
        user->click("CHelp");
        QVERIFY(window->grid()->isVisible());
        user->click("CCalc");
        QCOMPARE(row(25).at(3), QStringLiteral("266,666.67"));
        user->click("CExit");
        QCOMPARE(frame->caption(), QStringLiteral(" Tallomar Menu"));
    }
};

QTEST_MAIN(TestCapitalReqdCalc)
#include "test_capital_window.moc"
