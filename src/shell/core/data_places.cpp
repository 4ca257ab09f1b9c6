#include "shell/core/data_places.h"

#include "shell/core/personal_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString ConfigSettingsFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QLatin1String(PersonalSettingsFile));
}

} // namespace

bool FolderWritable(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

QString SettingsFileToWrite(const QString &programDir)
{
    if (FolderWritable(programDir))
        return QDir(programDir).filePath(QLatin1String(PersonalSettingsFile));
    const QString path = ConfigSettingsFile();
    QDir().mkpath(QFileInfo(path).absolutePath()); // a failure shows when the file is saved
    return path;
}

QString SettingsFileToRead(const QString &programDir)
{
    const QString written = SettingsFileToWrite(programDir);
    if (QFileInfo::exists(written))
        return written;
    return QDir(programDir).filePath(QLatin1String(PersonalSettingsFile));
}

QStringList DataFolders(const QString &programDir)
{
    QStringList folders{QDir::cleanPath(programDir),
                        QDir::cleanPath(programDir + QLatin1String("/../share/tallomar"))};
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString folder = QDir::cleanPath(data + QLatin1String("/tallomar"));
        if (!folders.contains(folder))
            folders << folder;
    }
    return folders;
}

QString DataFilePath(const QString &programDir, const QString &name)
{
    for (const QString &folder : DataFolders(programDir)) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QDir(programDir).filePath(name);
}

FileBoxStart StartOfFileBox(const QString &initialName, bool save, const QString &lastFolder,
                            const QString &documents)
{
    FileBoxStart start;
    start.folder = !lastFolder.isEmpty() ? lastFolder : QFileInfo(documents).isDir() ? documents : QDir::homePath();
    if (!initialName.isEmpty()) {
        const QFileInfo initial(initialName);
        start.name = initial.fileName();
        // A bare name says nothing of its folder: resolving it against the
        // program's current folder would start the box somewhere the user
        // never was.
        if (initial.isAbsolute() && (!save || FolderWritable(initial.absolutePath())))
            start.folder = initial.absolutePath();
    }
    return start;
}

QString SampleFolder(const QString &programDir)
{
    // The samples travel with the help documents.
    return QFileInfo(DataFilePath(programDir, QStringLiteral("Tlmuse33.hlp"))).absolutePath();
}
