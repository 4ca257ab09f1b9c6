#include "shell/record_file.h"

#include <QFile>
#include <QSaveFile>

RecordReader::RecordReader(QByteArray text) : m_text(std::move(text))
{
    if (m_text.contains('\0'))
        m_ok = false;
}

RecordReader RecordReader::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize) {
        RecordReader reader{QByteArray()};
        reader.m_ok = false;
        return reader;
    }
    return RecordReader(file.read(MaxFileSize));
}

bool RecordReader::atEnd() const
{
    return m_pos >= m_text.size();
}

bool RecordReader::atLineEnd() const
{
    return atEnd() || m_text.at(m_pos) == '\r' || m_text.at(m_pos) == '\n';
}

std::optional<QByteArray> RecordReader::rawField(bool &quoted)
{
    quoted = false;
    if (!m_ok)
        return std::nullopt;
    while (!atLineEnd() && m_text.at(m_pos) == ' ')
        ++m_pos;
    QByteArray value;
    if (!atEnd() && m_text.at(m_pos) == '"') {
        quoted = true;
        const qsizetype close = m_text.indexOf('"', m_pos + 1);
        const qsizetype lineEnd = [&] {
            qsizetype cr = m_text.indexOf('\r', m_pos);
            qsizetype lf = m_text.indexOf('\n', m_pos);
            if (cr < 0)
                return lf;
            if (lf < 0)
                return cr;
            return std::min(cr, lf);
        }();
        if (close < 0 || (lineEnd >= 0 && close > lineEnd))
            return std::nullopt; // unterminated quote
        value = m_text.mid(m_pos + 1, close - m_pos - 1);
        m_pos = close + 1;
        while (!atLineEnd() && m_text.at(m_pos) == ' ')
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (!atLineEnd() && m_text.at(m_pos) != ',')
            ++m_pos;
        value = m_text.mid(start, m_pos - start).trimmed();
    }
    if (!atLineEnd()) {
        if (m_text.at(m_pos) != ',')
            return std::nullopt;
        ++m_pos;
    }
    return value;
}

std::optional<QString> RecordReader::readString()
{
    if (atLineEnd())
        return std::nullopt;
    bool quoted = false;
    const auto raw = rawField(quoted);
    if (!raw)
        return std::nullopt;
    return QString::fromUtf8(*raw);
}

std::optional<Money> RecordReader::readNumber()
{
    if (atLineEnd())
        return std::nullopt;
    bool quoted = false;
    const auto raw = rawField(quoted);
    if (!raw || quoted)
        return std::nullopt;
    if (raw->isEmpty())
        return Money();
    // Digits, at most one point, an optional leading minus: nothing else.
    qsizetype i = raw->startsWith('-') ? 1 : 0;
    bool digit = false;
    bool point = false;
    for (; i < raw->size(); ++i) {
        const char c = raw->at(i);
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!digit)
        return std::nullopt;
    try {
        return Money::fromDouble(raw->toDouble());
    } catch (const ArithmeticFault &) {
        return std::nullopt;
    }
}

std::optional<qint64> RecordReader::readInteger()
{
    const auto number = readNumber();
    if (!number || number->raw() % Money::Scale != 0)
        return std::nullopt;
    return number->raw() / Money::Scale;
}

std::optional<QDate> RecordReader::readDate()
{
    if (atLineEnd())
        return std::nullopt;
    bool quoted = false;
    const auto raw = rawField(quoted);
    if (!raw || quoted || raw->size() < 3 || !raw->startsWith('#') || !raw->endsWith('#'))
        return std::nullopt;
    const QDate date = QDate::fromString(QString::fromLatin1(raw->mid(1, raw->size() - 2)),
                                         QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

void RecordReader::nextLine()
{
    while (!atLineEnd())
        ++m_pos;
    if (!atEnd() && m_text.at(m_pos) == '\r')
        ++m_pos;
    if (!atEnd() && m_text.at(m_pos) == '\n')
        ++m_pos;
}

QByteArray PlainNumber(Money value)
{
    const qint64 raw = value.raw();
    const bool negative = raw < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(raw) : quint64(raw);
    QByteArray out = QByteArray::number(magnitude / Money::Scale);
    quint64 fraction = magnitude % Money::Scale;
    if (fraction != 0) {
        QByteArray decimals = QByteArray::number(fraction).rightJustified(4, '0');
        while (decimals.endsWith('0'))
            decimals.chop(1);
        out += '.' + decimals;
    }
    return negative ? '-' + out : out;
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
    m_text += '"' + clean.toUtf8() + '"';
}

void RecordWriter::addNumber(Money value)
{
    separate();
    m_text += PlainNumber(value);
}

void RecordWriter::addInteger(qint64 value)
{
    separate();
    m_text += QByteArray::number(value);
}

void RecordWriter::addDate(QDate value)
{
    separate();
    m_text += '#' + value.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + '#';
}

void RecordWriter::addEmpty()
{
    separate();
}

void RecordWriter::endLine()
{
    m_text += "\r\n";
    m_lineStarted = false;
}

bool RecordWriter::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(m_text) != m_text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
