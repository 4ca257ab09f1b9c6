#include "app/tool_registry.h"
#include "shell/core/app_state.h"
#include "shell/core/data_places.h"
#include "shell/ui/mdi_container.h"
#include "shell/print/qt_printer.h"
#include "shell/core/shell.h"
#include "shell/ui/widget_dialogs.h"

#include <QApplication>
#include <QDate>

#include <csignal>

int main(int argc, char *argv[])
{
    // Past a file-size limit a save fails and is told like a full disk,
    // instead of the signal ending the program with the work unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallomar"));
    QApplication::setApplicationVersion(QStringLiteral(TALLOMAR_VERSION));

    AppState state;
    WidgetDialogs dialogs(state, [] { return QDate::currentDate(); });
    QtPrinter printer;
    Shell shell{state, dialogs, printer, QDate::currentDate(), QApplication::applicationDirPath()};

    MdiContainer frame(shell);
    RegisterTools(frame);
    dialogs.setFrame(&frame);
    dialogs.setSampleFolder(SampleFolder(shell.programDir));
    printer.setParentWindow(&frame);
    frame.show();
    return app.exec();
}
