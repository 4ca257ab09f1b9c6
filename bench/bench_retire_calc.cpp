// Times Calculate of the longest retirement table, grid included: the fixed
// amount choice with withdrawals below the growth, which runs the full 50
// years of monthly interest (a 54-row grid).
#include "retirement/retire_calc.h"
#include "retirement/retirement_fields.h"
#include "shell/app_state.h"
#include "shell/mdi_container.h"
#include "shell/qt_printer.h"
#include "shell/shell.h"
#include "shell/widget_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AppState state;
    WidgetDialogs dialogs(state, [] { return QDate::currentDate(); });
    QtPrinter printer;
    Shell shell{state, dialogs, printer, QDate::currentDate(), QString()};
    MdiContainer frame(shell);
    frame.show();
    auto *window = new RetireCalc(shell, frame);
    frame.openTool(window);
    window->choose(RetirementOption::FixedAmount);
    state.InputValues[RetirementDrawnSlot] = Money::fromWhole(500);
    state.InputValues[RetirementTermSlot] = Money::fromWhole(2);
    auto *calculate = window->findChild<QPushButton *>(QStringLiteral("RCalc"));
    QApplication::processEvents();

    std::vector<double> times;
    for (int run = 0; run < 30; ++run) {
        QElapsedTimer timer;
        timer.start();
        calculate->click();
        QApplication::processEvents(); // the grid hears of its new cells
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    if (state.ResultCount != 50) {
        std::printf("expected 50 years, got %d\n", int(state.ResultCount));
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("retirement Calculate, fixed amount 50 years (%d grid rows): median %.2f ms, best %.2f ms, worst "
                "%.2f ms\n",
                50 + 4, times[times.size() / 2], times.front(), times.back());
    return 0;
}
