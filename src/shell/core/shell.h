#pragma once

#include "shell/core/app_state.h"
#include "shell/core/dialogs.h"
#include "shell/print/print_job.h"

#include <QDate>
#include <QDir>
#include <QString>

// What every window is given: the shared variables, the services that talk
// to the user and the printer, today's date and the program's folder (where
// the settings and help files live).
struct Shell
{
    AppState &state;
    Dialogs &dialogs;
    Printer &printer;
    QDate today;
    QString programDir;

    // The program's folder, or the current folder when none was given.
    QString folder() const { return programDir.isEmpty() ? QDir::currentPath() : programDir; }
};
