#include "graph/graphs_all.h"
#include "app/tool_registry.h"
#include "growth/compound_growth_window.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/core/message_texts.h"
#include "shell/ui/spreadsheet_grid.h"
#include "shell/core/message_numbers.h"
#include "support/window_driver.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

class TestFindCompoundCalc : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestShell> t;
    std::unique_ptr<MdiContainer> frame;
    FindCompoundCalc *window = nullptr;
    std::unique_ptr<WindowDriver> user;

    QStringList row(int r) const { return user->row(QStringLiteral("FGrid"), r); }
    // Types figures into the boxes and presses Calculate with its access key.
    void calculate(const QString &cost, const QString &value, const QString &years, const QString &name)
    {
        user->focus("InCost");
        user->type(cost);
        user->enter();
        user->type(value);
        user->enter();
        user->type(years);
        user->enter();
        auto *nameBox = user->find<QLineEdit>("NamInv");
        nameBox->selectAll();
        if (name.isEmpty())
            user->key(Qt::Key_Delete);
        else
            user->type(name);
        user->accessKey(Qt::Key_C);
    }

private slots:
    void init()
    {
        t = std::make_unique<TestShell>();
        frame = std::make_unique<MdiContainer>(t->shell);
        RegisterTools(*frame);
        window = qobject_cast<FindCompoundCalc *>(OpenFromMenu(*frame, QStringLiteral("Compound")));
        QVERIFY(window);
        user = std::make_unique<WindowDriver>(window);
    }
    void cleanup()
    {
        user.reset();
        frame.reset();
        t.reset();
    }

    void opensWithTheExample()
    {
        QCOMPARE(frame->caption(), QStringLiteral(" Find Annual Compound Growth"));
        QCOMPARE(user->text("InCost"), QStringLiteral("      $10,000.00"));
        QCOMPARE(user->text("InValNow"), QStringLiteral("      $20,000.00"));
        QCOMPARE(user->text("InTerm"), QString(18, u' ') + u'5');
        QCOMPARE(user->text("NamInv"), QStringLiteral("XYZ mutual fund."));
        QCOMPARE(window->grid()->rows(), 24);
        QCOMPARE(user->cell("FGrid", 0, 4), QStringLiteral("Annual Compound"));
        user->click("FCalc");
        QCOMPARE(row(1), (QStringList{"XYZ mutual fund.", "5", "$10,000.00", "$20,000.00", "14.870%", "100.00%"}));
        QCOMPARE(window->session().data().ResultCount, qint16(1));
    }

    void aLossTypedFromTheKeyboard()
    {
        user->focus("InCost");
        user->type("2000");
        user->enter();
        user->type("1000");
        user->enter();
        user->enter(); // the term stays 5
        user->enter(); // the name stays
        QCOMPARE(user->focusedName(), QStringLiteral("FCalc"));
        user->enter(); // Enter on the focused button presses it
        QCOMPARE(row(1), (QStringList{"XYZ mutual fund.", "5", "$2,000.00", "$1,000.00", "-12.945%", "-50.00%"}));
        QVERIFY(t->dialogs.messages.isEmpty());
    }

    void yearsLimit()
    {
        user->fill("InTerm", "51");
        QCOMPARE(t->dialogs.messages, QList<int>{4});
        QCOMPARE(user->text("InTerm"), QString(17, u' ') + QStringLiteral("50"));
        user->click("FCalc");
        QCOMPARE(user->cell("FGrid", 1, 1), QStringLiteral("50"));
        // Typed and calculated at once by the access key: the limit still holds.
        user->focus("InTerm");
        user->type("99");
        user->key(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(user->cell("FGrid", 2, 1), QStringLiteral("50"));
        QCOMPARE(t->dialogs.messages, (QList<int>{4, 4}));
    }

    void missingEntries()
    {
        user->fill("InCost", "0");
        user->click("FCalc");
        QCOMPARE(t->dialogs.messages, QList<int>{3});
        QCOMPARE(window->session().data().ResultCount, qint16(0));
        QVERIFY(user->cell("FGrid", 1, 0).isEmpty());
    }

    void twentyTwoResultsAndNoMore()
    {
        for (int i = 1; i <= 22; ++i)
            user->click("FCalc");
        QVERIFY(t->dialogs.messages.isEmpty());
        QCOMPARE(window->grid()->rows(), 24);
        QCOMPARE(user->cell("FGrid", 22, 4), QStringLiteral("14.870%"));
        const QString blocks = window->session().data().PrintBlocks.value(1) + window->session().data().PrintBlocks.value(2);
        user->click("FCalc");
        QCOMPARE(t->dialogs.messages, QList<int>{6});
        QCOMPARE(window->session().data().ResultCount, qint16(22));
        QCOMPARE(window->session().data().PrintBlocks.value(1) + window->session().data().PrintBlocks.value(2), blocks);
        QVERIFY(user->cell("FGrid", 23, 0).isEmpty());
        QCOMPARE(window->session().data().PrintBlocks.value(2).count(QStringLiteral("XYZ mutual fund.")), 10);
    }

    // Each Calculate adds a row; the row just added is in view even when it
    // lies below the rows the grid first showed.
    void theNewestRowIsInView()
    {
        QVERIFY2(!user->rowInView("FGrid", 22), "the grid shows every row: nothing to test");
        for (int i = 1; i <= 22; ++i) {
            const QString name = QStringLiteral("Fund %1").arg(i);
            calculate(QString::number(1000 * i), QStringLiteral("99999999999"), QStringLiteral("50"), name);
            QCOMPARE(user->cell("FGrid", i, 0), name);
            QCOMPARE(user->cell("FGrid", i, 3), QStringLiteral("$99,999,999,999.00"));
            QVERIFY2(user->rowInView("FGrid", i), qPrintable(name));
        }
        QVERIFY(!user->rowInView("FGrid", 1));
        QVERIFY(t->dialogs.messages.isEmpty());
    }

    void emptyName()
    {
        calculate("500", "1000", "6", QString());
        QCOMPARE(row(1), (QStringList{"", "6", "$500.00", "$1,000.00", "12.246%", "100.00%"}));
        QCOMPARE(window->session().data().CompareNames.value(1, 0), QString());
        QVERIFY(!window->session().data().PrintBlocks.value(1).contains(QStringLiteral("\r\n \r\n")));
    }

    void nothingToPrintOrGraphYet()
    {
        user->click("FPrinter");
        user->click("FGraphs");
        QCOMPARE(t->dialogs.messages, (QList<int>{1, 2}));
        QVERIFY(t->printer.titles.isEmpty());
    }

    void editingKeepsEarlierRows()
    {
        user->click("FCalc");
        user->fill("InCost", "7");
        QCOMPARE(row(1).at(2), QStringLiteral("$10,000.00"));
    }

    void quickHelp()
    {
        t->state.CurrencySymbol = QStringLiteral("€");
        user->click("FHelp");
        QCOMPARE(user->text("FHelp"), QStringLiteral("Close &Help"));
        QVERIFY(window->grid()->isHidden());
        QVERIFY(!user->control("FPrinter")->isEnabled());
        QVERIFY(!user->control("FGraphs")->isEnabled());
        const QString help = user->text("FTextBox");
        QVERIFY(help.contains(QStringLiteral("Click any yellow box and type in numbers, deletes previous ones, "
                                             "then 'Calculate'.")));
        QVERIFY(help.contains(QStringLiteral("€25,000.00")));
        QVERIFY(help.endsWith(QString(50, u' ') + QStringLiteral("End")));
        QCOMPARE(user->focusedName(), QStringLiteral("FTextBox"));
        user->type("abc");
        QCOMPARE(user->text("FTextBox"), help);
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InCost"));
        // Typing while the help is open leaves it open.
        user->type("3");
        QCOMPARE(user->text("FHelp"), QStringLiteral("Close &Help"));
        user->leave();
        user->click("FHelp");
        QCOMPARE(user->text("FHelp"), QStringLiteral("Quick &Help"));
        QVERIFY(window->grid()->isVisible());
        QVERIFY(user->control("FPrinter")->isEnabled());
        QVERIFY(user->text("FTextBox").isEmpty());
        // Calculate closes the help too.
        user->click("FHelp");
        user->click("FCalc");
        QVERIFY(window->grid()->isVisible());
        QCOMPARE(user->cell("FGrid", 1, 2), QStringLiteral("€3.00"));
    }

    void printsThroughTheHeaderDialog()
    {
        user->click("FCalc");
        t->dialogs.lines << QStringLiteral("My header");
        user->click("FPrinter");
        QCOMPARE(t->printer.jobs.size(), 1);
        const QStringList page = t->printer.jobs.first().pages().first();
        QCOMPARE(page.at(1), QStringLiteral(" My header"));
        QVERIFY(page.contains(QStringLiteral(" XYZ mutual fund.")));
        user->click("FPrinter"); // the header dialog cancelled
        QCOMPARE(t->printer.jobs.size(), 1);
    }

    void graphWindowAndBack()
    {
        calculate("1000", "2000", "5", "A");
        calculate("25000", "200000", "20", "B");
        calculate("500", "1000", "6", "C");
        user->click("FGraphs");
        auto *graph = qobject_cast<GraphsAll *>(frame->overTool());
        QVERIFY(graph && graph->isVisible());
        QVERIFY(window->isHidden());
        QCOMPARE(graph->request().kind, GraphKind::CompoundGrowth);
        QCOMPARE(graph->style(), 6);
        QCOMPARE(graph->picture().labels, (QStringList{"A", "B", "C"}));
        QCOMPARE(graph->picture().values, (QList<double>{14.8698, 10.9569, 12.2462}));
        QCOMPARE(graph->picture().axisTitle, QStringLiteral("Gain %"));
        WindowDriver graphUser(graph);
        QVERIFY(!graphUser.control("Sav2D")->isEnabled());
        QVERIFY(graphUser.control("Oned")->isHidden());
        graphUser.click("ThreeDee");
        QCOMPARE(graph->style(), 7);
        QVERIFY(graphUser.control("Sav2D")->isEnabled());
        QVERIFY(!graphUser.control("ThreeDee")->isEnabled());

        // Printing asks twice; No to the first question prints nothing.
        t->dialogs.answers << Answer::No;
        graphUser.click("Ptr");
        QCOMPARE(t->dialogs.questions, QList<int>{1});
        QVERIFY(t->printer.imagesInColour.isEmpty());
        t->dialogs.answers << Answer::Yes << Answer::No;
        graphUser.click("Ptr");
        QCOMPARE(t->dialogs.questions, (QList<int>{1, 1, 2}));
        QCOMPARE(t->printer.imagesInColour, QList<bool>{false});
        QCOMPARE(graph->size(), MdiContainer::fullSize());
        // A picture the printer or file did not take is told, not taken for printed.
        QVERIFY(t->dialogs.messages.isEmpty());
        t->printer.fail = true;
        t->dialogs.answers << Answer::Yes << Answer::Yes;
        graphUser.click("Ptr");
        QCOMPARE(t->dialogs.messages, QList<int>{MsgPrintoutNotWritten});
        t->printer.fail = false;

        graphUser.click("ExitBut");
        QTRY_VERIFY(!frame->overTool());
        QVERIFY(window->isVisible());
        QCOMPARE(user->cell("FGrid", 3, 0), QStringLiteral("C"));
    }

    void singleEntryGraphHasOneBar()
    {
        user->click("FCalc");
        user->click("FGraphs");
        auto *graph = qobject_cast<GraphsAll *>(frame->overTool());
        QVERIFY(graph);
        QCOMPARE(graph->picture().values.size(), 1);
        QCOMPARE(graph->picture().labels, QStringList{"XYZ mutual fund."});
    }

    // A frame smaller than the window scrolls: Tab brings To Printer into
    // view and Space presses it.
    void aSmallFrameScrollsToEveryButton()
    {
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        auto *desk = frame->findChild<QScrollArea *>(QStringLiteral("DeskArea"));
        QVERIFY(desk);
        // At the starting size the window fits: no scroll bar.
        QTRY_VERIFY(!desk->horizontalScrollBar()->isVisible());
        QVERIFY(!desk->verticalScrollBar()->isVisible());
        frame->resize(500, 380);
        QTRY_COMPARE(frame->size(), QSize(500, 380));
        auto *area = frame->findChild<QScrollArea *>(QStringLiteral("DeskArea"));
        QVERIFY(area);
        QWidget *printer = user->control(QStringLiteral("FPrinter"));
        auto inView = [&] {
            const QRect shown(printer->mapTo(area->viewport(), QPoint(0, 0)), printer->size());
            return area->viewport()->rect().contains(shown);
        };
        QVERIFY2(!inView(), "the frame is large enough: nothing to test");
        user->click("FCalc");
        for (int i = 0; i < 12 && user->focusedName() != QLatin1String("FPrinter"); ++i)
            user->key(Qt::Key_Tab);
        QCOMPARE(user->focusedName(), QStringLiteral("FPrinter"));
        QTRY_VERIFY(inView());
        t->dialogs.lines << QStringLiteral("Small frame");
        user->key(Qt::Key_Space);
        QCOMPARE(t->printer.jobs.size(), 1);
    }

    // Results are the window's own: opened again, the tool starts with
    // nothing to graph or print.
    void openedAgainStartsEmpty()
    {
        user->click("FCalc");
        user->click("FExit");
        QCOMPARE(frame->caption(), QStringLiteral(" Tallomar Menu"));
        QVERIFY(frame->menu()->isVisible());
        window = qobject_cast<FindCompoundCalc *>(OpenFromMenu(*frame, QStringLiteral("Compound")));
        QVERIFY(window);
        user = std::make_unique<WindowDriver>(window);
        QCOMPARE(window->session().data().ResultCount, qint16(0));
        QVERIFY(window->session().data().PrintBlocks.join(QString()).isEmpty());
        user->click("FGraphs");
        user->click("FPrinter");
        QCOMPARE(t->dialogs.messages, (QList<int>{MsgNoDataToGraph, MsgNoDataToPrint}));
    }
};

QTEST_MAIN(TestFindCompoundCalc)
#include "test_compound_growth_window.moc"
