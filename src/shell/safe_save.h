#pragma once

#include <QByteArray>
#include <QString>

// The one checked writer of every file the program makes: settings, data
// files, reports and PDF files.

// Writes bytes to a temporary file in the target's folder and renames it over the target only when every byte was
// written and flushed; otherwise the old file is untouched. On failure returns false and sets *why (a short
// user-readable reason, e.g. "disk full" or "folder does not exist").
bool SaveFileWhole(const QString &path, const QByteArray &bytes, QString *why = nullptr);

// Writes all bytes to standard output and flushes; false (with *why) when any write or the flush fails (/dev/full).
// Anything already buffered for standard output by the C library is flushed first, so the order is kept. A closed
// pipe ends the program by SIGPIPE as usual, unless the caller ignores that signal: then it is reported here.
bool WriteStandardOutput(const QByteArray &bytes, QString *why = nullptr);
