#include "shell/core/record_file.h"

#include "shell/core/safe_save.h"

#include <QFile>
#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// No data file has lines anywhere near this long; a longer one is not ours,
// and refusing it keeps a stray file from taking much memory.
constexpr int MaxValuesPerLine = 256;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Exactly yyyy-mm-dd between the "#" signs, and a day that exists.
std::optional<QDate> parseDate(QByteArrayView raw)
{
    if (raw.size() != 12 || raw.front() != '#' || raw.back() != '#')
        return std::nullopt;
    const char *s = raw.constData() + 1;
    for (int i = 0; i < 10; ++i) {
        if ((i == 4 || i == 7) ? s[i] != '-' : !isDigit(s[i]))
            return std::nullopt;
    }
    auto number = [s](int from, int count) {
        int n = 0;
        for (int i = from; i < from + count; ++i)
            n = n * 10 + (s[i] - '0');
        return n;
    };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

std::optional<QByteArray> ReadDataFile(const QString &path, qint64 limit, QString *why)
{
    auto refuse = [why](const char *reason) -> std::optional<QByteArray> {
        if (why)
            *why = QString::fromLatin1(reason);
        return std::nullopt;
    };
    // Opened without waiting, so that a FIFO with no writer does not hold the
    // program; what was opened is then checked, not the name, which another
    // program could change in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return refuse("the file cannot be opened");
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return refuse("not a file");
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse("the file cannot be opened");
    }
    QByteArray bytes = file.read(limit);
    if (file.error() != QFileDevice::NoError)
        return refuse("the file cannot be read");
    return bytes;
}

std::optional<QByteArray> ReadDataFile(const QString &path, qint64 limit, QString *why, FileStamp *stamp)
{
    std::optional<QByteArray> bytes = ReadDataFile(path, limit, why);
    if (bytes && stamp)
        *stamp = FileStamp::of(path, *bytes);
    return bytes;
}

RecordReader::RecordReader(QByteArray text) : m_text(std::move(text))
{
    if (m_text.size() > MaxFileSize) {
        m_ok = false;
        m_error = QStringLiteral("the file is too large");
        m_text.clear();
    } else if (m_text.contains('\0')) {
        m_ok = false;
        m_error = QStringLiteral("not a text file");
        m_text.clear();
    }
}

RecordReader RecordReader::fromFile(const QString &path)
{
    // One byte more than allowed is enough to know the file is too large.
    QString why;
    std::optional<QByteArray> bytes = ReadDataFile(path, MaxFileSize + 1, &why);
    if (!bytes) {
        RecordReader reader{QByteArray()};
        reader.m_ok = false;
        reader.m_error = why;
        return reader;
    }
    return RecordReader(std::move(*bytes));
}

bool RecordReader::atEnd() const
{
    return m_pos >= m_text.size();
}

bool RecordReader::refuse(QString *error, const QString &message)
{
    m_error = message;
    if (error)
        *error = message;
    return false;
}

// "line L, field F: " and the message, made in one allocation: a damaged
// file can hold a refusal on every line.
QString RecordReader::where(int field, QStringView message) const
{
    // Put together by hand, not by snprintf, which was a good part of the
    // time spent on a file of refused lines. An int takes at most 11
    // characters, so 5 + 11 + 8 + 11 + 2 fit.
    char prefix[40] = "line ";
    char *at = std::to_chars(prefix + 5, prefix + 16, m_line).ptr;
    std::memcpy(at, ", field ", 8);
    at = std::to_chars(at + 8, at + 19, field).ptr;
    std::memcpy(at, ": ", 2);
    at += 2;
    QString text;
    text.reserve(at - prefix + message.size());
    text.append(QLatin1StringView(prefix, at - prefix));
    text.append(message);
    return text;
}

std::optional<RecordValue> RecordReader::value(QByteArrayView raw, bool quoted, int field, QString *error)
{
    if (quoted)
        return RecordValue::fromText(QString::fromUtf8(raw));
    if (raw.isEmpty())
        return RecordValue::empty();
    if (raw.startsWith('#')) {
        if (const auto date = parseDate(raw))
            return RecordValue::fromDate(*date);
        refuse(error, where(field, QStringLiteral("not a date of the form #yyyy-mm-dd#")));
        return std::nullopt;
    }
    // Widened on the stack: a number is short, and a heap copy per value was
    // most of the reader's time.
    QVarLengthArray<char16_t, 64> wide(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i)
        wide[i] = char16_t(uchar(raw[i]));
    Money number;
    try {
        if (Money::fromDecimalText(QStringView(wide.constData(), wide.size()), number))
            return RecordValue::fromNumber(number);
    } catch (const ArithmeticFault &) {
        refuse(error, where(field, QStringLiteral("number too large")));
        return std::nullopt;
    }
    refuse(error, where(field, QStringLiteral("not a number, a date or quoted text")));
    return std::nullopt;
}

std::optional<QList<RecordValue>> RecordReader::readLine(QString *error, int keepFields)
{
    if (!m_ok) {
        refuse(error, m_error);
        return std::nullopt;
    }
    ++m_line;
    if (atEnd()) {
        refuse(error, QStringLiteral("line %1: the file ends early").arg(m_line));
        return std::nullopt;
    }
    const qsizetype size = m_text.size();
    const char *text = m_text.constData();
    // The bytes are searched with memchr, not walked one by one: the
    // library's search is several times faster, and under the fuzzers'
    // instrumentation a compare per byte was most of a run.
    const auto find = [text](char c, qsizetype from, qsizetype to) {
        const void *at = from < to ? std::memchr(text + from, c, size_t(to - from)) : nullptr;
        return at ? static_cast<const char *>(at) - text : to;
    };
    // The line ends at its first CR or LF, or with the text.
    if (m_nextCr < m_pos)
        m_nextCr = find('\r', m_pos, size);
    if (m_nextLf < m_pos)
        m_nextLf = find('\n', m_pos, size);
    const qsizetype end = std::min(m_nextCr, m_nextLf);
    auto lineEnd = [&] { return m_pos >= end; };
    auto skipSpaces = [&] {
        while (m_pos < end && (text[m_pos] == ' ' || text[m_pos] == '\t'))
            ++m_pos;
    };
    // After a refusal the reader stands at the next line, so it never loops.
    auto skipLine = [&] {
        m_pos = end;
        if (m_pos < size && text[m_pos] == '\r')
            ++m_pos;
        if (m_pos < size && text[m_pos] == '\n')
            ++m_pos;
    };

    // One allocation for the line's values instead of one per doubling.
    qsizetype commas = 0;
    for (qsizetype at = find(',', m_pos, end); at < end && commas < MaxValuesPerLine; at = find(',', at + 1, end))
        ++commas;
    QList<RecordValue> values;
    for (int field = 1;; ++field) {
        if (field > MaxValuesPerLine) {
            refuse(error, where(field, QStringLiteral("too many values on one line")));
            skipLine();
            return std::nullopt;
        }
        skipSpaces();
        QByteArrayView raw;
        const bool quoted = m_pos < end && text[m_pos] == '"';
        if (quoted) {
            const qsizetype close = find('"', m_pos + 1, end);
            if (close >= end) {
                refuse(error, where(field, QStringLiteral("unterminated quote")));
                skipLine();
                return std::nullopt;
            }
            raw = QByteArrayView(text + m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            skipSpaces();
            if (!lineEnd() && text[m_pos] != ',') {
                refuse(error, where(field, QStringLiteral("text after the closing quote")));
                skipLine();
                return std::nullopt;
            }
        } else {
            const qsizetype start = m_pos;
            m_pos = find(',', m_pos, end);
            raw = QByteArrayView(text + start, m_pos - start).trimmed();
        }
        auto parsed = value(raw, quoted, field, error);
        if (!parsed) {
            skipLine();
            return std::nullopt;
        }
        // Room for the line's values once its first is good: a refused line
        // allocates nothing.
        if (field == 1)
            values.reserve(keepFields > 0 ? std::min<qsizetype>(commas + 1, keepFields) : commas + 1);
        values.append(std::move(*parsed));
        if (lineEnd() || field == keepFields)
            break;
        ++m_pos; // the comma
    }
    skipLine();
    return values;
}

const RecordValue *RecordReader::valueAt(const QList<RecordValue> &line, int field, RecordValue::Kind kind,
                                         const char *what, QString *error) const
{
    const bool present = field >= 1 && field <= line.size();
    if (present && line.at(field - 1).kind == kind)
        return &line.at(field - 1);
    // Readers ask a value's kind without wanting the message; formatting it
    // for them made a file's reading several times slower.
    if (error) {
        *error = present ? where(field, QStringLiteral("%1 was expected").arg(QLatin1String(what)))
                         : where(field, QStringLiteral("missing; the line has %1 values").arg(line.size()));
    }
    return nullptr;
}

std::optional<QString> RecordReader::text(const QList<RecordValue> &line, int field, QString *error) const
{
    if (const RecordValue *v = valueAt(line, field, RecordValue::Text, "quoted text", error))
        return v->text;
    return std::nullopt;
}

std::optional<Money> RecordReader::number(const QList<RecordValue> &line, int field, QString *error) const
{
    if (const RecordValue *v = valueAt(line, field, RecordValue::Number, "a number", error))
        return v->number;
    return std::nullopt;
}

std::optional<qint64> RecordReader::integer(const QList<RecordValue> &line, int field, QString *error) const
{
    const RecordValue *v = valueAt(line, field, RecordValue::Number, "a whole number", error);
    if (!v)
        return std::nullopt;
    if (v->number.raw() % Money::Scale != 0) {
        if (error)
            *error = where(field, QStringLiteral("a whole number was expected"));
        return std::nullopt;
    }
    return v->number.raw() / Money::Scale;
}

std::optional<QDate> RecordReader::date(const QList<RecordValue> &line, int field, QString *error) const
{
    if (const RecordValue *v = valueAt(line, field, RecordValue::Date, "a date", error))
        return v->date;
    return std::nullopt;
}

namespace {

// The plain form of a figure (see PlainNumber) into `buffer`; returns its length.
qsizetype PlainNumberChars(Money value, char (&buffer)[32])
{
    const qint64 raw = value.raw();
    const quint64 magnitude = raw < 0 ? quint64(0) - quint64(raw) : quint64(raw);
    char *at = buffer;
    if (raw < 0)
        *at++ = '-';
    at = std::to_chars(at, std::end(buffer), magnitude / Money::Scale).ptr;
    quint64 fraction = magnitude % Money::Scale;
    if (fraction != 0) {
        *at++ = '.';
        for (quint64 unit = Money::Scale / 10; fraction != 0; unit /= 10) {
            *at++ = char('0' + fraction / unit);
            fraction %= unit;
        }
    }
    return at - buffer;
}

} // namespace

QByteArray PlainNumber(Money value)
{
    char buffer[32];
    return QByteArray(buffer, PlainNumberChars(value, buffer));
}

void RecordWriter::separate()
{
    if (m_lineStarted)
        m_text += ',';
    m_lineStarted = true;
}

void RecordWriter::addString(const QString &value)
{
    separate();
    QString clean = value;
    // A double quote would end the string early; the entry fields refuse it,
    // so one can only come from elsewhere. It is written as an apostrophe.
    clean.replace(QLatin1Char('"'), QLatin1Char('\''));
    clean.remove(QLatin1Char('\r'));
    clean.remove(QLatin1Char('\n'));
    m_text += '"';
    m_text += clean.toUtf8();
    m_text += '"';
}

void RecordWriter::addNumber(Money value)
{
    separate();
    char buffer[32];
    m_text.append(buffer, PlainNumberChars(value, buffer));
}

void RecordWriter::addInteger(qint64 value)
{
    separate();
    m_text += QByteArray::number(value);
}

void RecordWriter::addDate(QDate value)
{
    separate();
    // A date the form cannot hold is written as an empty value.
    if (value.isValid() && value.year() >= 1 && value.year() <= 9999)
        m_text += '#' + value.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + '#';
}

void RecordWriter::addEmpty()
{
    separate();
}

void RecordWriter::addValue(const RecordValue &value)
{
    switch (value.kind) {
    case RecordValue::Empty: addEmpty(); break;
    case RecordValue::Text: addString(value.text); break;
    case RecordValue::Number: addNumber(value.number); break;
    case RecordValue::Date: addDate(value.date); break;
    }
}

void RecordWriter::endLine()
{
    m_text += "\r\n";
    m_lineStarted = false;
}

void RecordWriter::addLine(const QList<RecordValue> &values)
{
    for (const RecordValue &value : values)
        addValue(value);
    endLine();
}

bool RecordWriter::save(const QString &path, QString *why) const
{
    return SaveFileWhole(path, m_text, why);
}

bool RecordWriter::save(const QString &path, SaveFailure *failure) const
{
    return SaveFileWhole(path, m_text, failure);
}
