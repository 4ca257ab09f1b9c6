#include "graph/graphs_all.h"
#include "growth/compound_growth_window.h"
#include "shell/core/message_numbers.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/tool_window_test.h"

#include <QScrollArea>
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
    // Types figures and a name (typed over, or deleted); Enter from the
    // name goes on to Calculate, and Enter there presses it.
    void calculate(const QString &cost, const QString &value, const QString &years, const QString &name)
    {
        user->fill("InCost", cost);
        user->fill("InValNow", value);
        user->fill("InTerm", years);
        user->focus("NamInv");
        user->key(Qt::Key_A, Qt::ControlModifier);
        user->key(Qt::Key_Delete);
        user->type(name);
        user->enter();
        user->enter();
    }

private slots:
    void init()
    {
        startFrame();
        QVERIFY(open());
    }
    void cleanup() { endFrame(); }

    // Typed and calculated at once by the access key: the term is held to
    // its limit before the calculation uses it.
    void yearsLimitHoldsThroughTheAccessKey()
    {
        user->focus("InTerm");
        user->type("99");
        user->accessKey(Qt::Key_C);
        QCOMPARE(user->cell("FGrid", 1, 1), QStringLiteral("50"));
        QCOMPARE(t->dialogs.messages, QList<int>{Msg50YearsLimit});
    }

    // Each Calculate adds a row, and the figures typed for the next keep the
    // rows already added; the row just added is in view even when it lies
    // below the rows the grid first showed. A 23rd is refused and changes
    // nothing.
    void twentyTwoResultsTheNewestInView()
    {
        QVERIFY2(!user->rowInView("FGrid", 22), "the grid shows every row: nothing to test");
        for (int i = 1; i <= 22; ++i)
            calculate(QString::number(1000 * i), QStringLiteral("99999999999"), QStringLiteral("50"),
                      QStringLiteral("Fund %1").arg(i));
        QCOMPARE(user->cell("FGrid", 1, 0), QStringLiteral("Fund 1"));
        QCOMPARE(user->cell("FGrid", 22, 0), QStringLiteral("Fund 22"));
        QVERIFY(user->rowInView("FGrid", 22));
        calculate(QStringLiteral("1000"), QStringLiteral("2000"), QStringLiteral("5"), QStringLiteral("Fund 23"));
        QCOMPARE(t->dialogs.messages, QList<int>{Msg22Entries});
        QVERIFY(user->cell("FGrid", 23, 0).isEmpty());
    }

    // The help is read, not edited, speaks the currency set, and stays open
    // while a figure is typed.
    void quickHelp()
    {
        t->state.CurrencySymbol = QStringLiteral("€");
        user->click("FHelp");
        QVERIFY(window->grid()->isHidden());
        const QString help = user->text("FTextBox");
        QVERIFY(help.contains(QStringLiteral("€25,000.00")));
        user->type("abc");
        QCOMPARE(user->text("FTextBox"), help);
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InCost"));
        user->type("3000");
        QCOMPARE(user->text("FHelp"), QStringLiteral("Close &Help"));
    }

    // The graph shows the names typed (an empty one kept empty); printing
    // can be declined, and a picture the printer did not take is told.
    void graphNamesAndItsPrintout()
    {
        calculate("1000", "2000", "5", "A");
        calculate("25000", "200000", "20", QString());
        user->click("FGraphs");
        auto *graph = qobject_cast<GraphsAll *>(frame->overTool());
        QVERIFY(graph);
        QCOMPARE(graph->picture().labels, (QStringList{"A", ""}));
        WindowDriver graphUser(graph);

        t->dialogs.answers << Answer::No;
        graphUser.click("Ptr");
        QCOMPARE(t->dialogs.questions, QList<int>{QuestionContinuePrintout});
        QVERIFY(t->printer.imagesInColour.isEmpty());
        t->printer.fail = true;
        t->dialogs.answers << Answer::Yes << Answer::Yes;
        graphUser.click("Ptr");
        QCOMPARE(t->dialogs.messages, QList<int>{MsgPrintoutNotWritten});
        QCOMPARE(t->dialogs.questions.last(), int(QuestionPrintInColour));
    }

    // A frame smaller than the window scrolls: Tab brings To Printer into
    // view.
    void aSmallFrameScrollsToEveryButton()
    {
        auto *area = frame->findChild<QScrollArea *>(QStringLiteral("DeskArea"));
        QVERIFY(area);
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
    }

    // Results are the window's own: opened again, the tool starts with
    // nothing to graph or print.
    void openedAgainStartsEmpty()
    {
        user->click("FCalc");
        user->click("FExit");
        QVERIFY(open());
        user->click("FGraphs");
        user->click("FPrinter");
        QCOMPARE(t->dialogs.messages, (QList<int>{MsgNoDataToGraph, MsgNoDataToPrint}));
    }
};

QTEST_MAIN(TestFindCompoundCalc)
#include "test_compound_growth_window.moc"
