// Times Calculate of the net worth statement with both sheets full (30 rows
// each, a sub total after every fifth row), both grids redrawn.
#include "networth/networth_calc.h"
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
    auto *window = new NetWorthCalc(shell, frame);
    frame.openTool(window);
    for (Sheet &sheet : window->session().statement().sheets)
        for (int r = 1; r <= SheetTypedRows; ++r)
            sheet.rows[size_t(r)] = r % 6 == 0 ? SheetRow{RecordValue::fromText(QStringLiteral("Sub Total")), {}}
                                               : SheetRow{RecordValue::fromText(QStringLiteral("Row %1").arg(r)),
                                                          RecordValue::fromNumber(Money::fromDouble(1234.56 * r))};
    QPushButton *calculate = window->findChild<QPushButton *>(QStringLiteral("NCalc"));
    QApplication::processEvents();

    std::vector<double> times;
    for (int run = 0; run < 30; ++run) {
        QElapsedTimer timer;
        timer.start();
        calculate->click();
        QApplication::processEvents(); // the grids hear of their new cells
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    if (window->session().statement().counts != std::array<int, 2>{30, 30}) {
        std::printf("net worth Calculate: the sheets are not full\n");
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("net worth Calculate, both sheets full: median %.2f ms, best %.2f ms, worst %.2f ms\n",
                times[times.size() / 2], times.front(), times.back());
    // Leaving asks nothing of a benchmark.
    window->session().markSaved();
    return 0;
}
