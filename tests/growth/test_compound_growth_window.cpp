#include "graph/graphs_all.h"
#include "growth/compound_growth_window.h"
#include "shell/core/message_numbers.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/tool_window_test.h"

#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

class TestFindCompoundCalc : public ToolWindowTest
{
    Q_OBJECT

    FindCompoundCalc *window = nullptr;

    bool open()
    {
        window = qobject_cast<FindCompoundCalc *>(openByAccessKey(QStringLiteral("Compound")));
        return window != nullptr;
    }
    QStringList row(int r) const { return user->row(QStringLiteral("FGrid"), r); }
    qint16 results() const { return window->session().data().ResultCount; }
    QString printBlocks() const { return window->session().data().PrintBlocks.join(QString()); }
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
        user->find<QLineEdit>("NamInv")->selectAll();
        if (name.isEmpty())
            user->key(Qt::Key_Delete);
        else
            user->type(name);
        user->accessKey(Qt::Key_C);
    }

private slots:
    void init()
    {
        startFrame();
        QVERIFY(open());
    }
    void cleanup() { endFrame(); }

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
        QVERIFY(t->dialogs.messages.isEmpty());
        QCOMPARE(user->cell("FGrid", 1, 4), QStringLiteral("-12.945%"));
        // A figure changed afterwards keeps the rows already added.
        user->fill("InCost", "7000");
        QCOMPARE(user->cell("FGrid", 1, 2), QStringLiteral("$2,000.00"));
    }

    void yearsLimit()
    {
        user->fill("InTerm", "51");
        QCOMPARE(t->dialogs.messages, QList<int>{Msg50YearsLimit});
        QCOMPARE(user->text("InTerm"), QString(17, u' ') + QStringLiteral("50"));
        user->click("FCalc");
        QCOMPARE(user->cell("FGrid", 1, 1), QStringLiteral("50"));
        // Typed and calculated at once by the access key: the limit still holds.
        user->focus("InTerm");
        user->type("99");
        user->accessKey(Qt::Key_C);
        QCOMPARE(user->cell("FGrid", 2, 1), QStringLiteral("50"));
        QCOMPARE(t->dialogs.messages, (QList<int>{Msg50YearsLimit, Msg50YearsLimit}));
    }

    // Each Calculate adds a row; the row just added is in view even when it
    // lies below the rows the grid first showed. A 23rd is refused and
    // changes nothing.
    void twentyTwoResultsTheNewestInView()
    {
        QVERIFY2(!user->rowInView("FGrid", 22), "the grid shows every row: nothing to test");
        for (int i = 1; i <= 22; ++i) {
            const QString name = QStringLiteral("Fund %1").arg(i);
            calculate(QString::number(1000 * i), QStringLiteral("99999999999"), QStringLiteral("50"), name);
            QCOMPARE(user->cell("FGrid", i, 0), name);
            QVERIFY2(user->rowInView("FGrid", i), qPrintable(name));
        }
        QCOMPARE(user->cell("FGrid", 22, 3), QStringLiteral("$99,999,999,999.00"));
        QVERIFY(!user->rowInView("FGrid", 1));
        QVERIFY(t->dialogs.messages.isEmpty());
        const QString blocks = printBlocks();
        calculate(QStringLiteral("1000"), QStringLiteral("2000"), QStringLiteral("5"), QStringLiteral("Fund 23"));
        QCOMPARE(t->dialogs.messages, QList<int>{Msg22Entries});
        QCOMPARE(results(), qint16(22));
        QCOMPARE(printBlocks(), blocks);
        QCOMPARE(window->grid()->rows(), 24);
        QVERIFY(user->cell("FGrid", 23, 0).isEmpty());
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
        QVERIFY(help.contains(QStringLiteral("€25,000.00")));
        QCOMPARE(user->focusedName(), QStringLiteral("FTextBox"));
        user->type("abc");
        QCOMPARE(user->text("FTextBox"), help);
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InCost"));
        // Typing while the help is open leaves it open.
        user->type("3000");
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
        QCOMPARE(user->cell("FGrid", 1, 2), QStringLiteral("€3,000.00"));
    }

    // The graph stands in for the tool with the names typed (an empty one
    // kept empty); printing asks twice, and a picture the printer did not
    // take is told, not taken for printed.
    void graphWindowAndBack()
    {
        calculate("1000", "2000", "5", "A");
        calculate("25000", "200000", "20", QString());
        QCOMPARE(user->cell("FGrid", 2, 0), QString());
        user->click("FGraphs");
        auto *graph = qobject_cast<GraphsAll *>(frame->overTool());
        QVERIFY(graph && graph->isVisible());
        QVERIFY(window->isHidden());
        QCOMPARE(graph->picture().labels, (QStringList{"A", ""}));
        WindowDriver graphUser(graph);

        t->dialogs.answers << Answer::No;
        graphUser.click("Ptr");
        QCOMPARE(t->dialogs.questions, QList<int>{QuestionContinuePrintout});
        QVERIFY(t->printer.imagesInColour.isEmpty());
        t->dialogs.answers << Answer::Yes << Answer::No;
        graphUser.click("Ptr");
        QCOMPARE(t->dialogs.questions,
                 (QList<int>{QuestionContinuePrintout, QuestionContinuePrintout, QuestionPrintInColour}));
        QCOMPARE(t->printer.imagesInColour, QList<bool>{false});
        QVERIFY(t->dialogs.messages.isEmpty());
        t->printer.fail = true;
        t->dialogs.answers << Answer::Yes << Answer::Yes;
        graphUser.click("Ptr");
        QCOMPARE(t->dialogs.messages, QList<int>{MsgPrintoutNotWritten});
        t->printer.fail = false;

        graphUser.click("ExitBut");
        QTRY_VERIFY(!frame->overTool());
        QVERIFY(window->isVisible());
        QCOMPARE(user->cell("FGrid", 1, 0), QStringLiteral("A"));
    }

    // A frame smaller than the window scrolls: Tab brings To Printer into
    // view and Space presses it.
    void aSmallFrameScrollsToEveryButton()
    {
        auto *area = frame->findChild<QScrollArea *>(QStringLiteral("DeskArea"));
        QVERIFY(area);
        // At the starting size the window fits: no scroll bar.
        QTRY_VERIFY(!area->horizontalScrollBar()->isVisible());
        QVERIFY(!area->verticalScrollBar()->isVisible());
        frame->resize(500, 380);
        QTRY_COMPARE(frame->size(), QSize(500, 380));
        QWidget *printer = user->control(QStringLiteral("FPrinter"));
        auto inView = [&] {
            const QRect shown(printer->mapTo(area->viewport(), QPoint(0, 0)), printer->size());
            return area->viewport()->rect().contains(shown);
        };
        QVERIFY2(!inView(), "the frame is large enough: nothing to test");
        user->click("FCalc");
        for (int i = 0; i < 12 && user->focusedName() != QLatin1String("FPrinter"); ++i)
            user->tab();
        QCOMPARE(user->focusedName(), QStringLiteral("FPrinter"));
        QTRY_VERIFY(inView());
        t->dialogs.lines << QStringLiteral("Small frame");
        user->key(Qt::Key_Space);
        QCOMPARE(t->printer.jobs.size(), 1);
    }

    // Results are the window's own: opened again, the tool starts with
    // nothing to graph or print, and a refused entry adds nothing.
    void openedAgainStartsEmpty()
    {
        user->click("FCalc");
        user->click("FExit");
        QVERIFY(frame->menu()->isVisible());
        QVERIFY(open());
        QCOMPARE(results(), qint16(0));
        QVERIFY(printBlocks().isEmpty());
        user->fill("InCost", "0");
        user->click("FCalc");
        QCOMPARE(results(), qint16(0));
        QVERIFY(user->cell("FGrid", 1, 0).isEmpty());
        user->click("FGraphs");
        user->click("FPrinter");
        QCOMPARE(t->dialogs.messages, (QList<int>{MsgWrongEntry, MsgNoDataToGraph, MsgNoDataToPrint}));
        QVERIFY(t->printer.jobs.isEmpty());
    }
};

QTEST_MAIN(TestFindCompoundCalc)
#include "test_compound_growth_window.moc"
