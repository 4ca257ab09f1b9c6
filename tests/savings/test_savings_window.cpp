#include "graph/graphs_all.h"
#include "app/tool_registry.h"
#include "savings/savings_window.h"
#include "savings/savings_fields.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/format.h"
#include "shell/ui/menu_main.h"
#include "shell/core/message_texts.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/window_driver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestSavingsCalc : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestShell> t;
    std::unique_ptr<MdiContainer> frame;
    SavingsCalc *window = nullptr;
    std::unique_ptr<WindowDriver> user;

    void open(const char *button)
    {
        t = std::make_unique<TestShell>();
        frame = std::make_unique<MdiContainer>(t->shell);
        RegisterTools(*frame);
        window = qobject_cast<SavingsCalc *>(OpenFromMenu(*frame, QLatin1String(button)));
        QVERIFY(window);
        user = std::make_unique<WindowDriver>(window);
    }
    QStringList row(int r) const { return user->row(QStringLiteral("SGrid"), r); }
    void chooseFrequency(const QString &word)
    {
        auto *frequency = user->find<QComboBox>("InMonthsYrs");
        user->focus("InMonthsYrs");
        while (frequency->currentText() != word)
            user->key(Qt::Key_Down);
        user->leave();
    }

private slots:
    void cleanup()
    {
        user.reset();
        frame.reset();
        t.reset();
    }

    void planningDefaults()
    {
        open("Savings");
        QCOMPARE(frame->caption(), QStringLiteral(" Investment Growth Calculations"));
        QVERIFY(!static_cast<SavingsSession &>(window->session()).comparing());
        QCOMPARE(user->text("InLumpInv"), QString(11, u' ') + QStringLiteral("$.00"));
        QCOMPARE(user->text("InInvest"), QStringLiteral("    $1,200.00"));
        QCOMPARE(user->text("InRate"), QString(9, u' ') + QStringLiteral("20.00%"));
        QCOMPARE(user->text("InIncrRate"), QString(11, u' ') + QStringLiteral(".00%"));
        QCOMPARE(user->text("InTerm"), QString(15, u' ') + QStringLiteral("25"));
        user->click("SCalc");
        QCOMPARE(window->grid()->rows(), 29);
        QCOMPARE(row(1), (QStringList{"1", "1,200.00", "240.00", "1,440.00"}));
        QCOMPARE(row(26), QStringList(4));
        QCOMPARE(row(27).at(0), QStringLiteral("Total:"));
        QCOMPARE(row(27).at(1), QStringLiteral("$30,000.00"));
        QCOMPARE(window->session().data().ResultCount, qint16(25));

        // A changed figure takes the stale plan away at once.
        user->focus("InRate");
        user->type("10");
        QVERIFY(row(1).at(0).isEmpty());
        QCOMPARE(window->session().data().ResultCount, qint16(0));
        user->leave();
        user->click("SGraphs");
        QCOMPARE(t->dialogs.messages, QList<int>{2});
    }

    // Up, Down and the wheel in the rate list step from the rate shown to the
    // list's next rate, which is stored at once; the wheel over a box the
    // user is not in changes nothing.
    void rateListStepsFromTheRateShown()
    {
        open("Savings");
        auto *rate = user->find<QComboBox>("InRate");
        user->fill("InRate", "13");
        QCOMPARE(rate->currentText(), QString(9, u' ') + QStringLiteral("13.00%"));
        user->focus("InRate");
        user->key(Qt::Key_Up);
        QCOMPARE(rate->currentText(), QString(9, u' ') + QStringLiteral("12.50%"));
        QCOMPARE(window->session().data().InputValues.value(SavingsRateSlot), Money::fromDouble(12.5));
        user->key(Qt::Key_Down);
        user->key(Qt::Key_Down);
        QCOMPARE(rate->currentText(), QString(9, u' ') + QStringLiteral("17.50%"));
        QCOMPARE(window->session().data().InputValues.value(SavingsRateSlot), Money::fromDouble(17.5));

        user->focus("InTerm");
        user->wheel("InRate", 3);
        user->wheel("InMonthsYrs", -1);
        QCOMPARE(rate->currentText(), QString(9, u' ') + QStringLiteral("17.50%"));
        QCOMPARE(user->text("InMonthsYrs"), QStringLiteral("Annually"));
        user->click("SCalc");
        QCOMPARE(window->session().data().InputValues.value(SavingsRateSlot), Money::fromDouble(17.5));
        QCOMPARE(row(1), (QStringList{"1", "1,200.00", "210.00", "1,410.00"}));

        user->focus("InRate");
        user->wheel("InRate", 1);
        QCOMPARE(rate->currentText(), QString(9, u' ') + QStringLiteral("15.00%"));
        QCOMPARE(window->session().data().InputValues.value(SavingsRateSlot), Money::fromWhole(15));
        QVERIFY(row(1).at(0).isEmpty());
    }

    // A click in a box or on a list only looks: the plan stays until a
    // figure or the frequency changes.
    void clicksKeepThePlan()
    {
        open("Savings");
        user->click("SCalc");
        const QStringList plan = row(1);
        auto *frequency = user->find<QComboBox>("InMonthsYrs");
        QTest::mouseClick(frequency, Qt::LeftButton);
        frequency->hidePopup();
        for (const char *box : {"InLumpInv", "InRate", "InTerm"}) {
            QWidget *edit = user->find<QComboBox>(QLatin1String(box))->lineEdit();
            QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, edit->height() / 2));
        }
        user->leave();
        QCOMPARE(row(1), plan);
        QCOMPARE(window->session().data().ResultCount, qint16(25));
        user->focus("InLumpInv");
        user->type("1000");
        QVERIFY(row(1).at(0).isEmpty());
    }

    void fortyYearsMonthlyByKeyboard()
    {
        open("Savings");
        chooseFrequency(QStringLiteral("Monthly"));
        user->fill("InInvest", "100");
        user->fill("InTerm", "40");
        user->focus("InTerm");
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("SCalc"));
        user->enter();
        QCOMPARE(window->grid()->rows(), 484);
        QCOMPARE(user->cell("SGrid", 0, 0), QStringLiteral(" Month Number"));
        QCOMPARE(user->cell("SGrid", 0, 1), QStringLiteral("          Invested         Monthly"));
        QCOMPARE(user->cell("SGrid", 480, 0), QStringLiteral("480"));
        QVERIFY(user->cell("SGrid", 481, 0).isEmpty());
        QCOMPARE(user->cell("SGrid", 482, 0), QStringLiteral("Total:"));
        QCOMPARE(user->cell("SGrid", 482, 1), QStringLiteral("$48,000.00"));

        // Calculated while the grid is down at its end, a plan is shown
        // from its first month.
        user->fill("InInvest", "2500");
        user->focus("SGrid");
        user->key(Qt::Key_End, Qt::ControlModifier);
        QVERIFY(user->rowInView("SGrid", 482));
        QVERIFY(!user->rowInView("SGrid", 1));
        user->click("SCalc");
        QCOMPARE(user->cell("SGrid", 482, 1), QStringLiteral("$1,200,000.00"));
        QVERIFY(user->rowInView("SGrid", 1));
    }

    void termLimitAndNegativeInflation()
    {
        open("Savings");
        user->fill("InTerm", "45");
        QCOMPARE(t->dialogs.messages, QList<int>{5});
        QCOMPARE(user->text("InTerm"), QString(15, u' ') + QStringLiteral("40"));
        user->click("SCalc");
        QCOMPARE(window->session().data().ResultCount, qint16(40));
        const QString plain = user->cell("SGrid", 40, 3);
        user->fill("inInflatRate", "-5");
        QCOMPARE(user->text("inInflatRate"), QString(9, u' ') + QStringLiteral("-5.00%"));
        QCOMPARE(window->session().data().InputValues.value(6), Money::fromWhole(-5));
        user->click("SCalc");
        QVERIFY(LeadingNumber(QString(user->cell("SGrid", 40, 3)).remove(u',')) >
                LeadingNumber(QString(plain).remove(u',')));
    }

    void planGraphHasOneBarAYear()
    {
        open("Savings");
        user->click("SCalc");
        user->click("SGraphs");
        auto *graph = qobject_cast<GraphsAll *>(frame->overTool());
        QVERIFY(graph);
        QCOMPARE(graph->request().kind, GraphKind::Savings);
        QVERIFY(!graph->request().comparisons);
        QCOMPARE(graph->style(), 3);
        QCOMPARE(graph->picture().values.size(), 25);
        QCOMPARE(graph->picture().labels.first(), QStringLiteral("1"));
        QCOMPARE(graph->picture().labels.last(), QStringLiteral("25"));
        QCOMPARE(graph->picture().title, QStringLiteral("Investment value at end of each Year"));
        WindowDriver(graph).click("ExitBut");
        QTRY_VERIFY(window->isVisible());
    }

    void comparisons()
    {
        open("SavingComp");
        QVERIFY(static_cast<SavingsSession &>(window->session()).comparing());
        QCOMPARE(frame->caption(), QStringLiteral(" Investment Growth Comparisons"));
        QCOMPARE(window->grid()->rows(), 23);
        QVERIFY2(!user->rowInView("SGrid", 22), "the grid shows every row: nothing to test");
        for (int e = 1; e <= 22; ++e) {
            user->fill("InTerm", QString::number(e));
            user->click("SCalc");
            // The comparison just added is in view.
            QVERIFY2(user->rowInView("SGrid", e), qPrintable(QString::number(e)));
        }
        QVERIFY(t->dialogs.messages.isEmpty());
        QCOMPARE(row(1), (QStringList{"1", ".00", "1,200.00", "20.00%", ".00%", ".00%", "1,200.00", "1,440.00"}));
        QCOMPARE(row(22).at(0), QStringLiteral("22"));
        QCOMPARE(window->session().data().PrintBlocks.value(2).count(QStringLiteral("\r\n\r\n")), 7);
        const QStringList last = row(22);
        user->click("SCalc");
        QCOMPARE(t->dialogs.messages, QList<int>{6});
        QCOMPARE(row(22), last);
        QCOMPARE(window->session().data().ResultCount, qint16(22));

        user->click("SGraphs");
        auto *graph = qobject_cast<GraphsAll *>(frame->overTool());
        QVERIFY(graph);
        QCOMPARE(graph->style(), 6);
        QCOMPARE(graph->picture().values.size(), 22);
        QCOMPARE(graph->picture().labels.first(), QStringLiteral("Row  1"));
        QCOMPARE(graph->picture().axisTitle, QStringLiteral("Value $"));
        WindowDriver(graph).click("ExitBut");
        QTRY_VERIFY(window->isVisible());

        // Editing keeps the comparison rows, and what is shown stays
        // graphable and printable, also after a refused Calculate.
        user->fill("InTerm", "3");
        QCOMPARE(row(1).at(0), QStringLiteral("1"));
        user->click("SCalc");
        QCOMPARE(t->dialogs.messages, (QList<int>{6, 6}));
        user->click("SGraphs");
        graph = qobject_cast<GraphsAll *>(frame->overTool());
        QVERIFY(graph);
        QCOMPARE(graph->picture().values.size(), 22);
        WindowDriver(graph).click("ExitBut");
        QTRY_VERIFY(window->isVisible());
        t->dialogs.lines << QStringLiteral("Twenty-two plans");
        user->click("SPrinter");
        QCOMPARE(t->dialogs.messages, (QList<int>{6, 6}));
        QCOMPARE(t->printer.jobs.size(), 1);
        QVERIFY(t->printer.jobs.first().toText().count(QStringLiteral("1,200.00")) >= 22);
    }

    // An edit after a few comparisons leaves them graphable.
    void comparisonsStayGraphableAfterAnEdit()
    {
        open("SavingComp");
        user->fill("InLumpInv", "1500000");
        user->click("SCalc");
        user->fill("InTerm", "30");
        user->click("SCalc");
        user->fill("InInvest", "2500");
        user->click("SGraphs");
        QVERIFY(t->dialogs.messages.isEmpty());
        auto *graph = qobject_cast<GraphsAll *>(frame->overTool());
        QVERIFY(graph);
        QCOMPARE(graph->picture().values.size(), 2);
    }

    void printsBothModes()
    {
        open("SavingComp");
        user->click("SCalc");
        t->dialogs.lines << QStringLiteral("Plans") << QStringLiteral("Again");
        user->click("SPrinter");
        user->click("SPrinter");
        QCOMPARE(t->printer.jobs.size(), 2);
        QVERIFY(t->printer.jobs.at(0).toText().contains(QStringLiteral("679,652.79")));
        QVERIFY(t->printer.jobs.at(1).toText().contains(QStringLiteral("679,652.79")));
        user->click("SExit");
        QCOMPARE(frame->caption(), QStringLiteral(" Tallomar Menu"));

        QTest::mouseClick(frame->menu()->button(QStringLiteral("Savings")), Qt::LeftButton);
        window = qobject_cast<SavingsCalc *>(frame->activeTool());
        user = std::make_unique<WindowDriver>(window);
        user->click("SPrinter");
        QCOMPARE(t->dialogs.messages, QList<int>{1});
        user->click("SCalc");
        t->dialogs.lines << QStringLiteral("Plan");
        user->click("SPrinter");
        const QStringList page = t->printer.jobs.at(2).pages().first();
        QVERIFY(page.contains(QStringLiteral("  Annually          Investment      Interest/Growth         Current Value")));
    }

    // The comparison lines last as long as the grid shows them: a printout
    // that failed loses none, and every printout prints them all.
    void comparisonLinesOutlivePrinting()
    {
        open("SavingComp");
        user->fill("InLumpInv", "250000");
        for (int term = 24; term <= 40; ++term) { // 17 lines: the last two in the second block
            user->fill("InTerm", QString::number(term));
            user->click("SCalc");
        }
        QCOMPARE(row(17).at(0), QStringLiteral("40"));
        auto printedLines = [this](int job) {
            return int(t->printer.jobs.at(job).toText().count(QStringLiteral("250,000.00")));
        };

        t->printer.fail = true;
        t->dialogs.lines << QStringLiteral("Printer out of paper");
        user->click("SPrinter");
        QCOMPARE(t->dialogs.messages, QList<int>{MsgPrintoutNotWritten});
        QCOMPARE(printedLines(0), 17);

        t->printer.fail = false;
        t->dialogs.lines << QStringLiteral("Comparisons") << QStringLiteral("Comparisons again");
        user->click("SPrinter");
        user->click("SPrinter");
        QCOMPARE(t->dialogs.messages.size(), 1);
        QCOMPARE(t->printer.jobs.size(), 3);
        QCOMPARE(printedLines(1), 17);
        QCOMPARE(printedLines(2), 17);
        QCOMPARE(row(17).at(0), QStringLiteral("40"));
    }

    void quickHelp()
    {
        open("Savings");
        user->click("SHelp");
        QCOMPARE(user->text("SHelp"), QStringLiteral("Close &Help"));
        QVERIFY(window->grid()->isHidden());
        QVERIFY(!user->control("SGraphs")->isEnabled());
        QVERIFY(user->text("STextBox").contains(QStringLiteral("-5")));
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InLumpInv"));
        user->click("SCalc");
        QCOMPARE(user->text("SHelp"), QStringLiteral("Quick &Help"));
        QVERIFY(window->grid()->isVisible());
        QCOMPARE(user->cell("SGrid", 1, 3), QStringLiteral("1,440.00"));
    }
};

QTEST_MAIN(TestSavingsCalc)
#include "test_savings_window.moc"
