#include "shell/core/money.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

__extension__ typedef __int128 Int128;

constexpr qint64 Max = std::numeric_limits<qint64>::max();
constexpr qint64 Min = std::numeric_limits<qint64>::min();

qint64 checked(Int128 value)
{
    if (value > Max || value < Min)
        throw ArithmeticFault("money overflow");
    return static_cast<qint64>(value);
}

// Divides, rounding the quotient half to even.
Int128 divideHalfEven(Int128 numerator, Int128 denominator)
{
    if (denominator == 0)
        throw ArithmeticFault("division by zero");
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    Int128 quotient = numerator / denominator;
    Int128 remainder = numerator % denominator;
    if (remainder < 0) {
        quotient -= 1;
        remainder += denominator;
    }
    const Int128 twice = remainder * 2;
    if (twice > denominator || (twice == denominator && (quotient % 2 != 0)))
        quotient += 1;
    return quotient;
}

} // namespace

Money Money::fromDouble(double value)
{
    if (!std::isfinite(value))
        throw ArithmeticFault("not a finite number");
    const double scaled = value * static_cast<double>(Scale);
    // 2^63 is exactly representable; anything at or beyond it cannot be held.
    if (!(scaled < 9223372036854775808.0) || !(scaled >= -9223372036854775808.0))
        throw ArithmeticFault("money overflow");
    // nearbyint follows the default rounding mode, which is to nearest, ties to even.
    const double rounded = std::nearbyint(scaled);
    if (!(rounded < 9223372036854775808.0))
        throw ArithmeticFault("money overflow");
    return Money(static_cast<qint64>(rounded));
}

Money Money::fromWhole(qint64 units)
{
    return Money(checked(static_cast<Int128>(units) * Scale));
}

qint64 Money::floorUnits() const
{
    qint64 whole = m_raw / Scale;
    if (m_raw % Scale < 0)
        whole -= 1;
    return whole;
}

Money Money::operator+(Money other) const
{
    return Money(checked(static_cast<Int128>(m_raw) + other.m_raw));
}

Money Money::operator-(Money other) const
{
    return Money(checked(static_cast<Int128>(m_raw) - other.m_raw));
}

Money Money::operator-() const
{
    return Money(checked(-static_cast<Int128>(m_raw)));
}

Money Money::operator*(Money other) const
{
    const Int128 product = static_cast<Int128>(m_raw) * other.m_raw;
    return Money(checked(divideHalfEven(product, Scale)));
}

Money Money::operator/(Money other) const
{
    const Int128 numerator = static_cast<Int128>(m_raw) * Scale;
    return Money(checked(divideHalfEven(numerator, other.m_raw)));
}

Money Money::mulDiv(qint64 factor, Money divisor) const
{
    const Int128 numerator = static_cast<Int128>(m_raw) * factor * Scale;
    return Money(checked(divideHalfEven(numerator, divisor.m_raw)));
}

bool Money::fromDecimalText(QStringView text, Money &value)
{
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text.at(0) == u'-';
    if (negative)
        ++i;
    Int128 whole = 0;  // the digits up to the fourth decimal, scaled
    int decimals = -1; // digits seen after the point; -1 before it
    int digits = 0;
    int fifth = -1;    // the fifth decimal, when there is one
    bool beyond = false; // any non-zero digit after the fifth decimal
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < u'0' || c > u'9')
            return false;
        const int d = c.unicode() - u'0';
        ++digits;
        if (decimals < 0) {
            whole = whole * 10 + d;
            if (whole > Int128(Max) * 10)
                throw ArithmeticFault("money overflow");
        } else if (decimals < 4) {
            whole = whole * 10 + d;
            ++decimals;
        } else if (decimals == 4) {
            fifth = d;
            ++decimals;
        } else if (d != 0) {
            beyond = true;
        }
    }
    if (digits == 0)
        return false;
    for (int k = std::max(decimals, 0); k < 4; ++k)
        whole *= 10;
    // Half to even on what lies after the fourth decimal.
    if (fifth > 5 || (fifth == 5 && (beyond || whole % 2 != 0)))
        whole += 1;
    value = Money(checked(negative ? -whole : whole));
    return true;
}

QString Money::toDecimalText() const
{
    // Through unsigned so that the most negative value has its digits too.
    const bool negative = m_raw < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(m_raw) : quint64(m_raw);
    const QString fraction = QString::number(magnitude % Scale).rightJustified(4, u'0');
    return (negative ? QStringLiteral("-") : QString()) + QString::number(magnitude / Scale) + u'.' + fraction;
}
