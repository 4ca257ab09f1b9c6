#include "plan401k/plan401k_window.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/tool_window_test.h"

#include <QTest>

class TestPlan401KCalc : public ToolWindowTest
{
    Q_OBJECT

    Plan401KCalc *window = nullptr;

    QStringList row(int r) const { return user->row(QStringLiteral("KGrid"), r); }
    qint16 results() const { return window->session().data().ResultCount; }

private slots:
    void init()
    {
        startFrame();
        window = qobject_cast<Plan401KCalc *>(openByAccessKey(QStringLiteral("Plan401K")));
        QVERIFY(window);
    }
    void cleanup() { endFrame(); }

    // The first key in a box takes the stale table away; the figure left
    // there reaches the next Calculate.
    void editTakesTheTableAway()
    {
        user->click("KCalc");
        QVERIFY(!row(2).at(0).isEmpty());
        user->focus("InInflRate");
        user->type("3");
        QVERIFY(row(2).at(0).isEmpty());
        QCOMPARE(results(), qint16(0));
        user->leave();
        user->click("KCalc");
        // (10,000 + 4,500 + 1,450) less 3%.
        QCOMPARE(user->cell("KGrid", 2, 4), QStringLiteral("15,471.50"));
    }
};

QTEST_MAIN(TestPlan401KCalc)
#include "test_plan401k_window.moc"
