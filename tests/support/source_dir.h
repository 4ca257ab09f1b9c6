#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

// The checkout the tests were built from, for the samples and help documents
// they read. ctest gives it in the environment, so that no compile carries
// the checkout's path and a clone in another folder reuses the compiler
// cache; a test run by hand finds it above its own program.
inline QString SourceDir()
{
    if (const QString given = qEnvironmentVariable("TALLOMAR_SOURCE_DIR"); !given.isEmpty())
        return given;
    for (QDir up(QCoreApplication::applicationDirPath()); !up.isRoot(); up.cdUp())
        if (QFileInfo::exists(up.filePath(QStringLiteral("resources/samples/DtaSampl.QVS"))))
            return up.path();
    qFatal("the checkout was not found: set TALLOMAR_SOURCE_DIR");
}
