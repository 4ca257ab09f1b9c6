#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its settings and finds its help documents and
// sample files. Run from a build folder (a folder the user may write), all of
// them sit beside the program. Installed, the program's folder is read-only:
// the settings live in the user's configuration folder and the documents in
// the installed data folder (share/tallomar beside bin/).

// The settings file to write; its folder is made when missing.
QString SettingsFileToWrite(const QString &programDir);
// The settings file to read: the one written last, or one found beside the
// program when the user has none yet.
QString SettingsFileToRead(const QString &programDir);
// The folders searched for help documents and sample files, in order.
QStringList DataFolders(const QString &programDir);
// A help document or sample file by name; beside the program when none is
// found, so a message about it names a sensible place.
QString DataFilePath(const QString &programDir, const QString &name);
// The folder holding the sample files.
QString SampleFolder(const QString &programDir);
// True when a file may be written in this folder.
bool FolderWritable(const QString &folder);

// Where a file box starts: the folder of the file named (a full path), else the folder last
// used for that kind of file, else the documents folder. A file named for
// saving in a folder the user may not write (an installed sample) keeps its
// name but is proposed in that other folder, never over the installed copy.
struct FileBoxStart
{
    QString folder;
    QString name;
};
FileBoxStart StartOfFileBox(const QString &initialName, bool save, const QString &lastFolder,
                            const QString &documents);
