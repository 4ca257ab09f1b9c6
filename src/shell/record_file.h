#pragma once

#include "shell/money.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

// The comma-separated record form every data file uses: strings in double
// quotes, plain numbers with "." and no trailing zeros, dates as #yyyy-mm-dd#,
// empty values, one record per line ended by CR LF.

// Reads fields one at a time. Every read returns nothing on malformed input
// instead of guessing; the caller decides what a failed read means.
class RecordReader
{
public:
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    explicit RecordReader(QByteArray text);
    // Reads a whole file; fails (ok() false) when it is missing, too large or
    // holds binary data.
    static RecordReader fromFile(const QString &path);

    bool ok() const { return m_ok; }
    bool atEnd() const;
    bool atLineEnd() const;

    std::optional<QString> readString();
    std::optional<Money> readNumber();
    std::optional<qint64> readInteger();
    std::optional<QDate> readDate();
    // Skips whatever is left of the line and its line end.
    void nextLine();

private:
    std::optional<QByteArray> rawField(bool &quoted);
    QByteArray m_text;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

// Builds lines and saves them so that a failed save leaves the old file whole.
class RecordWriter
{
public:
    void addString(const QString &value);
    void addNumber(Money value);
    void addInteger(qint64 value);
    void addDate(QDate value);
    void addEmpty();
    void endLine();

    QByteArray text() const { return m_text; }
    // Writes to a temporary file beside the target and renames it over the
    // target only when everything was written.
    bool save(const QString &path) const;

private:
    void separate();
    QByteArray m_text;
    bool m_lineStarted = false;
};

// "12.5", "-3", "0.0001": the plain number form of the files.
QByteArray PlainNumber(Money value);
