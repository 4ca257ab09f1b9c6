#include "retirement/retirement_session.h"
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

    bool open()
    {
        window = qobject_cast<RetireCalc *>(openByAccessKey(QStringLiteral("Retirement")));
        return window != nullptr;
    }
    QStringList row(int r) const { return user->row(QStringLiteral("RGrid"), r); }
    qint16 results() const { return window->session().data().ResultCount; }
    RetirementOption option() const { return static_cast<RetirementSession &>(window->session()).option(); }
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
    void init() { startFrame(); }
    void cleanup() { endFrame(); }

    // Figures typed and Enter from box to box, Calculate by its access key.
    void percentageByKeyboard()
    {
        QVERIFY(open());
        QCOMPARE(option(), RetirementOption::Percentage);
        user->focus("InInvest");
        user->type("100000");
        for (const char *next : {"InRate", "InRateDrawn", "InTerm"}) {
            user->enter();
            QCOMPARE(user->focusedName(), QLatin1String(next));
        }
        user->type("25");
        user->accessKey(Qt::Key_C);
        QVERIFY(t->dialogs.messages.isEmpty());
        QCOMPARE(user->cell("RGrid", 1, 3), QStringLiteral("102,000.00"));
        QCOMPARE(user->cell("RGrid", 27, 0), QStringLiteral("Total:"));
        QCOMPARE(window->grid()->rows(), 29);
        QCOMPARE(results(), qint16(25));
    }

    // Changing the option changes labels, never where anything stands.
    void optionChangeMovesNothing()
    {
        QVERIFY(open());
        Settle();
        const QRect grid = window->grid()->geometry();
        const QRect term = user->control(QStringLiteral("InTerm"))->geometry();
        user->click("Option2");
        Settle();
        QCOMPARE(window->grid()->geometry(), grid);
        QCOMPARE(user->control(QStringLiteral("InTerm"))->geometry(), term);
        user->click("Option1");
        Settle();
        QCOMPARE(window->grid()->geometry(), grid);
    }

    void fixedAmountAndBack()
    {
        QVERIFY(open());
        user->fill("InInvest", "250000");
        QCOMPARE(labelOf("InTerm"), QStringLiteral(" Time in years"));
        user->click("Option2");
        QCOMPARE(option(), RetirementOption::FixedAmount);
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
        QVERIFY(t->dialogs.messages.isEmpty());
        QCOMPARE(results(), qint16(13));
        QCOMPARE(user->cell("RGrid", 15, 0), QStringLiteral("Total:"));

        // Back to Percentage: the capital stays, the last two fields take its openings.
        user->click("Option1");
        QCOMPARE(option(), RetirementOption::Percentage);
        QVERIFY(row(1).at(0).isEmpty());
        QCOMPARE(results(), qint16(0));
        QCOMPARE(user->text("InInvest"), QStringLiteral("  $100,000.00"));
        QCOMPARE(user->text("InTerm"), QString(15, u' ') + QStringLiteral("20"));
        QCOMPARE(labelOf("InTerm"), QStringLiteral(" Time in years"));
        user->fill("InTerm", "60");
        QCOMPARE(t->dialogs.messages, QList<int>{Msg50YearsLimit});
        QCOMPARE(user->text("InTerm"), QString(15, u' ') + QStringLiteral("50"));
        user->click("RCalc");
        QCOMPARE(results(), qint16(50));
        QCOMPARE(user->cell("RGrid", 52, 0), QStringLiteral("Total:"));
    }

    // A refused Calculate after a good table leaves nothing of it to see,
    // print or draw.
    void aRefusalLeavesNoTable_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("figure");
        QTest::addColumn<int>("message");
        QTest::newRow("more than the capital") << "InRateDrawn" << "101" << int(MsgWithdrawMoreThanSavings);
        // As in the other planners, a term of no year is a wrong entry.
        QTest::newRow("no year") << "InTerm" << "0" << int(MsgWrongEntry);
    }
    void aRefusalLeavesNoTable()
    {
        QFETCH(QString, box);
        QFETCH(QString, figure);
        QFETCH(int, message);
        QVERIFY(open());
        user->fill("InInvest", "1000000");
        user->click("RCalc");
        QCOMPARE(results(), qint16(20));
        user->fill(box, figure);
        user->click("RCalc");
        QCOMPARE(t->dialogs.messages, QList<int>{message});
        for (int r = 1; r < window->grid()->rows(); ++r)
            QCOMPARE(row(r), QStringList(4));
        QCOMPARE(results(), qint16(0));
        user->click("RGraphs");
        user->click("RPrinter");
        QCOMPARE(t->dialogs.messages, (QList<int>{message, MsgNoDataToGraph, MsgNoDataToPrint}));
        QVERIFY(t->printer.jobs.isEmpty());
    }

    void helpFollowsTheOption()
    {
        QVERIFY(open());
        user->click("RHelp");
        QVERIFY(user->text("RTextBox").contains(QStringLiteral("A PERCENTAGE")));
        user->click("Option2");
        QCOMPARE(user->text("RHelp"), QStringLiteral("Close &Help"));
        QVERIFY(user->text("RTextBox").contains(QStringLiteral("A FIXED AMOUNT")));
        QVERIFY(user->text("RTextBox").contains(
            QStringLiteral("If the Annual Income is less than the Interest/Growth rate then the calculation ends at 50 "
                           "years.")));
        user->click("RCalc");
        QCOMPARE(user->text("RHelp"), QStringLiteral("Quick &Help"));
        QVERIFY(window->grid()->isVisible());
        QCOMPARE(results(), qint16(17));
    }
};

QTEST_MAIN(TestRetireCalc)
#include "test_retirement_window.moc"
