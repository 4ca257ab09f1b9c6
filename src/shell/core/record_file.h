#pragma once

#include "shell/core/money.h"
#include "shell/core/safe_save.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The comma-separated record form every data file uses: strings in double
// quotes (never holding one), plain numbers with "." and no trailing zeros,
// dates as #yyyy-mm-dd#, empty values anywhere (",,," is four of them), one
// record per line ended by CR LF.

// One value of a record line.
struct RecordValue
{
    enum Kind { Empty, Text, Number, Date };
    Kind kind = Empty;
    QString text;
    Money number;
    QDate date;

    static RecordValue empty() { return {}; }
    static RecordValue fromText(const QString &text) { return {Text, text, Money(), QDate()}; }
    static RecordValue fromNumber(Money number) { return {Number, QString(), number, QDate()}; }
    static RecordValue fromDate(QDate date) { return {Date, QString(), Money(), date}; }
    bool operator==(const RecordValue &) const = default;
};

// The bytes of a data file, read the one way every reader opens its file:
// at most `limit` bytes, so that a caller given one byte more than it takes
// knows the file is too large. Nothing, with *why, when the path is missing,
// unreadable or not a regular file: a pipe or a device is refused at once,
// never waited on or read without end.
std::optional<QByteArray> ReadDataFile(const QString &path, qint64 limit, QString *why = nullptr);
// The same, and *stamp records what was read, for the check before a later
// save over the file (FileStamp::changedOnDisk).
std::optional<QByteArray> ReadDataFile(const QString &path, qint64 limit, QString *why, FileStamp *stamp);

// Reads a record file line by line. Malformed input gives a clean refusal
// naming the line and field ("line 3, field 2: ..."), never a guess.
class RecordReader
{
public:
    // Larger files are refused unread: no data file of the program comes near.
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    // Text over the largest size or holding a NUL byte is refused (ok() false).
    explicit RecordReader(QByteArray text);
    // Reads a whole file; refused when it is missing, too large or binary.
    static RecordReader fromFile(const QString &path);

    bool ok() const { return m_ok; }
    // Why the file or text was refused as a whole, or the last line's error.
    QString error() const { return m_error; }
    bool atEnd() const;
    // The 1-based number of the line last read.
    int lineNumber() const { return m_line; }

    // The values of the next line. Nothing, with *error set, when the line is
    // malformed or there is no line left ("line 5: the file ends early").
    // With keepFields above 0, only that many values are read and whatever
    // follows them on the line is skipped unread.
    std::optional<QList<RecordValue>> readLine(QString *error = nullptr, int keepFields = 0);

    // Typed access to a value (field counts from 1) of the line last read.
    // Nothing, with *error naming line and field, when the line is shorter or
    // the value is of another kind. A quoted empty string is text; a number
    // is never read as text or the other way round.
    std::optional<QString> text(const QList<RecordValue> &line, int field, QString *error = nullptr) const;
    std::optional<Money> number(const QList<RecordValue> &line, int field, QString *error = nullptr) const;
    // A number without a fraction.
    std::optional<qint64> integer(const QList<RecordValue> &line, int field, QString *error = nullptr) const;
    std::optional<QDate> date(const QList<RecordValue> &line, int field, QString *error = nullptr) const;

private:
    bool refuse(QString *error, const QString &message);
    QString where(int field, QStringView message) const;
    std::optional<RecordValue> value(QByteArrayView raw, bool quoted, int field, QString *error);
    const RecordValue *valueAt(const QList<RecordValue> &line, int field, RecordValue::Kind kind, const char *what,
                               QString *error) const;

    QByteArray m_text;
    qsizetype m_pos = 0;
    // Where the next CR and the next LF at or after the place stand, found
    // once each: searching afresh from every line for the ending a file does
    // not use went through the rest of the file each time.
    qsizetype m_nextCr = -1;
    qsizetype m_nextLf = -1;
    int m_line = 0;
    bool m_ok = true;
    QString m_error;
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
    void addValue(const RecordValue &value);
    void endLine();
    // A whole line of values.
    void addLine(const QList<RecordValue> &values);

    QByteArray text() const { return m_text; }
    // Writes to a temporary file beside the target and renames it over the
    // target only when everything was written; false with *why otherwise.
    bool save(const QString &path, QString *why = nullptr) const;
    bool save(const QString &path, SaveFailure *failure) const;

private:
    void separate();
    QByteArray m_text;
    bool m_lineStarted = false;
};

// "12.5", "-3", "0.0001": the plain number form of the files.
QByteArray PlainNumber(Money value);
