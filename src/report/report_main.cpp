#include "report/report_cli.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <memory>

#include <unistd.h>

int main(int argc, char *argv[])
{
    // Past a file-size limit a write fails and is reported like a full disk,
    // instead of the signal ending the program with the output half written.
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Only a PDF needs fonts and painting; everything else is plain QtCore.
    std::unique_ptr<QCoreApplication> app;
    if (WantsPdf(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Without a desktop session Qt would warn about this on standard error.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const QString runtime = QDir::temp().filePath(QStringLiteral("tallomar-runtime-%1").arg(getuid()));
            QDir().mkpath(runtime);
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = RunReport(arguments, QCoreApplication::applicationDirPath(), out, err);
    out.flush();
    err.flush();
    return code;
}
