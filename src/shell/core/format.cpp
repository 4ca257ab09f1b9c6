#include "shell/core/format.h"

#include <algorithm>

#include <QHash>
#include <QRegularExpression>

#include <cmath>
#include <charconv>

namespace {

struct Pattern
{
    bool percent = false;
    bool grouping = false;
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
};

Pattern readPattern(const QString &pattern);

// The same few patterns are used over and over; read each once.
Pattern parsePattern(const QString &pattern)
{
    thread_local QHash<QString, Pattern> cache;
    auto found = cache.constFind(pattern);
    if (found != cache.constEnd())
        return *found;
    const Pattern p = readPattern(pattern);
    cache.insert(pattern, p);
    return p;
}

Pattern readPattern(const QString &pattern)
{
    Pattern p;
    QString body = pattern;
    if (body.endsWith(QLatin1Char('%'))) {
        p.percent = true;
        body.chop(1);
    }
    const qsizetype point = body.indexOf(QLatin1Char('.'));
    const QString integerPart = point < 0 ? body : body.left(point);
    const QString decimalPart = point < 0 ? QString() : body.mid(point + 1);
    p.grouping = integerPart.contains(QLatin1Char(','));
    p.minIntegerDigits = int(integerPart.count(QLatin1Char('0')));
    p.minDecimals = int(decimalPart.count(QLatin1Char('0')));
    p.maxDecimals = int(decimalPart.count(QLatin1Char('0')) + decimalPart.count(QLatin1Char('#')));
    return p;
}

// A non-negative decimal: the digits with the point after `point` of them
// (point may lie outside the digits).
struct Decimal
{
    bool negative = false;
    QByteArray digits;
    int point = 0;
};

QString render(Decimal d, const Pattern &p)
{
    if (p.percent)
        d.point += 2;
    // Leading zeros after the point become digits of their own.
    if (d.point < 0) {
        d.digits.prepend(QByteArray(-d.point, '0'));
        d.point = 0;
    }

    // Bring the digits to exactly point + maxDecimals places, rounding half
    // away from zero on the first dropped digit.
    const int keep = d.point + p.maxDecimals;
    QByteArray kept;
    if (keep <= 0) {
        const bool up = keep == 0 && !d.digits.isEmpty() && d.digits.at(0) >= '5';
        kept = up ? QByteArray("1") : QByteArray("0");
        // The kept digits now stand for the last shown place.
        d.point = int(kept.size()) - p.maxDecimals;
    } else {
        kept = d.digits.left(keep);
        while (kept.size() < keep)
            kept.append('0');
        if (keep < d.digits.size() && d.digits.at(keep) >= '5') {
            int i = int(kept.size()) - 1;
            while (i >= 0 && kept[i] == '9') {
                kept[i] = '0';
                --i;
            }
            if (i >= 0) {
                kept[i] = char(kept[i] + 1);
            } else {
                kept.prepend('1');
                d.point += 1;
            }
        }
    }

    QByteArray integer = kept.left(kept.size() - p.maxDecimals);
    QByteArray fraction = kept.right(p.maxDecimals);
    while (!integer.isEmpty() && integer.at(0) == '0')
        integer.remove(0, 1);
    while (fraction.size() > p.minDecimals && fraction.endsWith('0'))
        fraction.chop(1);
    while (integer.size() < p.minIntegerDigits)
        integer.prepend('0');

    const bool zero = integer.count('0') == integer.size() && fraction.count('0') == fraction.size();

    QString out;
    if (d.negative && !zero)
        out += QLatin1Char('-');
    if (p.grouping && integer.size() > 3) {
        QByteArray grouped;
        const int lead = int(integer.size()) % 3;
        for (int i = 0; i < integer.size(); ++i) {
            if (i > 0 && (i - lead) % 3 == 0)
                grouped.append(',');
            grouped.append(integer.at(i));
        }
        out += QString::fromLatin1(grouped);
    } else {
        out += QString::fromLatin1(integer);
    }
    if (!fraction.isEmpty())
        out += QLatin1Char('.') + QString::fromLatin1(fraction);
    if (p.percent)
        out += QLatin1Char('%');
    return out;
}

Decimal fromDouble(double value)
{
    Decimal d;
    if (!std::isfinite(value) || value == 0.0) {
        d.digits = "0";
        d.point = 1;
        return d;
    }
    d.negative = value < 0;
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    // buffer: d.dddddddddddddde[+-]xx
    const QByteArray text(buffer, written.ptr - buffer);
    const qsizetype e = text.indexOf('e');
    const int exponent = text.mid(e + 1).toInt();
    QByteArray digits = text.left(e);
    digits.remove(1, 1);
    d.digits = digits;
    d.point = exponent + 1;
    return d;
}

Decimal fromMoney(Money value)
{
    Decimal d;
    qint64 raw = value.raw();
    d.negative = raw < 0;
    // The magnitude of the smallest raw value does not fit in qint64.
    const quint64 magnitude = d.negative ? quint64(0) - quint64(raw) : quint64(raw);
    d.digits = QByteArray::number(magnitude);
    d.point = int(d.digits.size()) - 4;
    return d;
}

} // namespace

QString Format(double value, const QString &pattern)
{
    if (pattern == QLatin1String("Short Date"))
        return QString();
    return render(fromDouble(value), parsePattern(pattern));
}

QString Format(Money value, const QString &pattern)
{
    return render(fromMoney(value), parsePattern(pattern));
}

QString Format(int value, const QString &pattern)
{
    return Format(Money::fromWhole(value), pattern);
}

QString Format(QDate date, const QString &pattern)
{
    Q_UNUSED(pattern);
    if (!date.isValid())
        return QString();
    return QLocale().toString(date, ShortDateFormat());
}

QString ShortDateFormat(const QLocale &locale)
{
    // Schedules format thousands of dates; the locale's answer does not change.
    thread_local QString cachedName;
    thread_local QString cachedFormat;
    if (locale.name() == cachedName && !cachedFormat.isEmpty())
        return cachedFormat;
    QString format = locale.dateFormat(QLocale::ShortFormat);
    // Only day, month and year numbers with separators count as numeric.
    static const QRegularExpression numeric(QStringLiteral("^[dMy]+([^dMyA-Za-z]+[dMy]+){2}$"));
    if (!numeric.match(format).hasMatch() || format.count(QLatin1Char('M')) > 2 ||
        format.count(QLatin1Char('d')) > 2)
        format = QStringLiteral("yyyy-MM-dd");
    static const QRegularExpression years(QStringLiteral("y+"));
    format.replace(years, QStringLiteral("yyyy"));
    cachedName = locale.name();
    cachedFormat = format;
    return format;
}

QDate ParseShortDate(const QString &text, const QLocale &locale)
{
    return locale.toDate(text.trimmed(), ShortDateFormat(locale));
}

QString RightAlign(const QString &text, int width)
{
    if (width <= 0)
        return QString();
    if (text.size() >= width)
        return text.left(width);
    return QString(width - text.size(), QLatin1Char(' ')) + text;
}

QString RightAlignFigure(const QString &text, int width)
{
    if (text.size() >= width)
        return text;
    return RightAlign(text, width);
}

namespace {
// The leading-number rule's prefix: spaces skipped, then digits with at most
// one "." (after a "-" where a sign is allowed).
QStringView LeadingNumberText(const QString &text, bool allowSign)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    if (allowSign && i < text.size() && text.at(i) == QLatin1Char('-'))
        ++i;
    bool point = false;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            ++i;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            ++i;
        } else {
            break;
        }
    }
    return QStringView(text).mid(start, i - start);
}
} // namespace

double LeadingNumber(const QString &text, bool allowSign)
{
    bool ok = false;
    const double value = LeadingNumberText(text, allowSign).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

Money LeadingMoney(const QString &text, bool allowSign)
{
    Money value;
    if (!Money::fromDecimalText(LeadingNumberText(text, allowSign), value))
        return Money();
    return value;
}

int DecimalKeyFilter(int key, const QString &typedText, int decimals)
{
    if (key == 8 || key == 127 || key == '.')
        return key;
    if (key >= '0' && key <= '9')
        return WithinDecimals(typedText + QChar(key), decimals) ? key : 0;
    return 0;
}

bool WithinDecimals(const QString &text, int decimals)
{
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    return point < 0 || text.size() - point - 1 <= decimals;
}

int DigitKeyFilter(int key)
{
    if (key == 8 || key == 127 || (key >= '0' && key <= '9'))
        return key;
    return 0;
}

int DateKeyFilter(int key)
{
    if (key == 8 || key == 127 || (key >= '0' && key <= '9') || key == '/' || key == '.' || key == '-' || key == ' ')
        return key;
    return 0;
}

bool IsFigureKind(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Money:
    case FieldKind::Number:
    case FieldKind::Percent:
    case FieldKind::Years: return true;
    case FieldKind::Date:
    case FieldKind::Text:
    case FieldKind::Choice: break;
    }
    return false;
}

QString DefaultFieldFormat(FieldKind kind, int decimals)
{
    const QString places = decimals > 0 ? QStringLiteral(".") + QString(decimals, QLatin1Char('0')) : QString();
    switch (kind) {
    case FieldKind::Money:
    case FieldKind::Number: return QStringLiteral("####,,###") + places;
    case FieldKind::Percent: return QStringLiteral("###") + places;
    case FieldKind::Years: return QStringLiteral("#,,###");
    case FieldKind::Date:
    case FieldKind::Text:
    case FieldKind::Choice: break;
    }
    return QString();
}

int PatternDecimals(const QString &pattern)
{
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    if (point < 0)
        return 0;
    int decimals = 0;
    for (qsizetype i = point + 1; i < pattern.size(); ++i)
        if (pattern.at(i) == QLatin1Char('0') || pattern.at(i) == QLatin1Char('#'))
            ++decimals;
    return decimals;
}

QString FieldDisplayText(FieldKind kind, Money value, int width, const QString &currencySymbol, const QString &format)
{
    const QString pattern = format.isEmpty() ? DefaultFieldFormat(kind) : format;
    switch (kind) {
    case FieldKind::Money: {
        // "kr" or "Fr" would run into the digits; a sign such as "$" or "€"
        // stands against them as it always has.
        const bool word = !currencySymbol.isEmpty() && currencySymbol.back().isLetter();
        const QString prefix = word ? currencySymbol + QLatin1Char(' ') : currencySymbol;
        return RightAlignFigure(prefix + Format(value, pattern), width);
    }
    case FieldKind::Number:
    case FieldKind::Years: return RightAlignFigure(Format(value, pattern), width);
    case FieldKind::Percent: return RightAlignFigure(Format(value, pattern), width) + QLatin1Char('%');
    case FieldKind::Date:
    case FieldKind::Text:
    case FieldKind::Choice: break;
    }
    return QString();
}

QString HelpPanelText(QString text, const QString &currencySymbol)
{
    // A symbol longer than "@" takes its extra room from the spaces after
    // its figure, so that the columns of a sample table stay where they are
    // (one space always stays between two columns).
    const qsizetype extra = currencySymbol.size() - 1;
    QString shown;
    shown.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != u'@') {
            shown += text.at(i);
            continue;
        }
        shown += currencySymbol;
        qsizetype end = i + 1;
        while (end < text.size() && !text.at(end).isSpace())
            ++end;
        shown += QStringView(text).mid(i + 1, end - i - 1);
        qsizetype spaces = 0;
        while (end + spaces < text.size() && text.at(end + spaces) == u' ')
            ++spaces;
        const bool beforeAColumn = end + spaces < text.size() && text.at(end + spaces) != u'\n';
        const qsizetype taken = beforeAColumn ? std::clamp<qsizetype>(spaces - 1, 0, extra) : 0;
        shown += QString(spaces - taken, u' ');
        i = end + spaces - 1;
    }
    shown.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return shown;
}
