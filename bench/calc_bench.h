#pragma once

// What every Calculate benchmark does: a real frame and window offscreen, the
// figures put in their slots, then Calculate pressed 30 times with the grid
// told of its cells each time; the median, best and worst are printed.

#include "shell/core/app_state.h"
#include "shell/ui/calculator_window.h"
#include "shell/ui/mdi_container.h"
#include "shell/print/qt_printer.h"
#include "shell/core/shell.h"
#include "shell/ui/spreadsheet_grid.h"
#include "shell/ui/widget_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <type_traits>
#include <vector>

// Window is any tool window with a button named "...Calc"; `check` may
// refuse the result (the benchmark then fails) when a result count says
// too little.
template <typename Window = CalculatorWindow>
int RunCalculateBench(int argc, char *argv[], const char *what,
                      const std::type_identity_t<std::function<Window *(Shell &, MdiContainer &)>> &open,
                      const std::type_identity_t<std::function<void(AppState &, Window &)>> &prepare,
                      int expectedResults = 0, const std::type_identity_t<std::function<bool(Window &)>> &check = {})
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
    Window *window = open(shell, frame);
    frame.openTool(window);
    prepare(state, *window);
    QPushButton *calculate = nullptr;
    for (QPushButton *button : window->template findChildren<QPushButton *>())
        if (button->objectName().endsWith(QLatin1String("Calc")))
            calculate = button;
    QApplication::processEvents();

    std::vector<double> times;
    for (int run = 0; run < 30; ++run) {
        QElapsedTimer timer;
        timer.start();
        calculate->click();
        QApplication::processEvents(); // the grid hears of its new cells
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    // The net worth statement keeps no result table to count.
    if constexpr (requires { window->session().data(); }) {
        if (expectedResults > 0 && window->session().data().ResultCount != expectedResults) {
            std::printf("%s: expected %d results, got %d\n", what, expectedResults,
                        int(window->session().data().ResultCount));
            return 1;
        }
    }
    if (check && !check(*window)) {
        std::printf("%s: the result is not the one to time\n", what);
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("%s (%d grid rows): median %.2f ms, best %.2f ms, worst %.2f ms\n", what,
                window->template findChild<SpreadsheetGrid *>()->rows(),
                times[times.size() / 2], times.front(), times.back());
    return 0;
}
