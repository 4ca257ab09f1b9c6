#pragma once

#include "shell/core/message_numbers.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The one checked writer of every file the program makes: settings, data
// files, reports and PDF files.

// Why a save failed, in the terms a user can act on.
enum class SaveProblem {
    None,
    DiskFull,   // no space left, a quota or a file-size limit reached
    NoFolder,   // the folder named does not exist, or is not a folder
    NotAllowed, // no permission to write there, or a read-only disk
    Other,      // anything else (a folder where the file should be, a device error)
};

// A failed save: the reason as a kind and as a short text ("disk full").
struct SaveFailure
{
    SaveProblem problem = SaveProblem::None;
    QString text;
};

// The numbered message that tells a user why a save failed; MsgNone for
// SaveProblem::None and SaveProblem::Other, which callers tell in their own words.
MessageNumber SaveProblemMessage(SaveProblem problem);

// What a data file held when this program last read or wrote it: its size,
// modification time and a hash of the bytes. Two copies of the program (or
// any other writer) may save one file; checking the stamp before saving over
// the file keeps the second save from silently wiping out the first.
class FileStamp
{
public:
    // Taken right after `bytes` were read from, or saved whole to, `path`.
    static FileStamp of(const QString &path, const QByteArray &bytes);
    bool isNull() const { return m_path.isEmpty(); }
    // Whether `path` names the stamped file and that file is no longer as it
    // was read or written (size, time or contents differ). Another file, a
    // file that is gone, or a null stamp is no change: nothing would be lost.
    bool changedOnDisk(const QString &path) const;

private:
    QString m_path; // links resolved
    qint64 m_size = -1;
    QDateTime m_modified;
    QByteArray m_hash;
};

class Dialogs;

// Before saving over `path`: true when the file is not the stamped one or has
// not changed since, or when the user, asked (question 6), chose to save over
// it anyway. False is "go back": nothing is saved.
bool MaySaveOver(Dialogs &dialogs, const FileStamp &stamp, const QString &path);
// Tells why a save failed: the failure's numbered message, else `otherwise`.
void TellSaveFailed(Dialogs &dialogs, const SaveFailure &failure, MessageNumber otherwise);

// Writes bytes to a temporary file in the target's folder and renames it over the target only when every byte was
// written and flushed; otherwise the old file is untouched. A target that exists and is not a regular file (a
// device, a pipe) is written straight into and never replaced. On failure returns false and fills *failure.
bool SaveFileWhole(const QString &path, const QByteArray &bytes, SaveFailure *failure);
// The same, with only the reason's text in *why ("disk full", "folder does not exist").
bool SaveFileWhole(const QString &path, const QByteArray &bytes, QString *why = nullptr);

// Writes all bytes to standard output and flushes; false (with *why) when any write or the flush fails (/dev/full).
// Anything already buffered for standard output by the C library is flushed first, so the order is kept. A closed
// pipe ends the program by SIGPIPE as usual, unless the caller ignores that signal: then it is reported here.
bool WriteStandardOutput(const QByteArray &bytes, QString *why = nullptr);
