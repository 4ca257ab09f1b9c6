// Starts either an empty widgets program or Tallomar's frame with its menu,
// and quits as soon as the window has been shown and painted. Run as a whole
// process many times by bench/startup.sh to compare the two.
#include "shell/core/app_state.h"
#include "shell/ui/mdi_container.h"
#include "shell/print/qt_printer.h"
#include "shell/core/shell.h"
#include "shell/ui/widget_dialogs.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstring>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool empty = argc > 1 && std::strcmp(argv[1], "empty") == 0;

    AppState state;
    WidgetDialogs dialogs(state, [] { return QDate::currentDate(); });
    QtPrinter printer;
    Shell shell{state, dialogs, printer, QDate::currentDate(), QApplication::applicationDirPath()};

    std::unique_ptr<QWidget> window;
    if (empty) {
        window = std::make_unique<QWidget>();
        window->resize(641, 454);
    } else {
        window = std::make_unique<MdiContainer>(shell);
    }
    window->show();
    QTimer::singleShot(0, &app, [&] {
        window->repaint();
        QApplication::quit();
    });
    return app.exec();
}
