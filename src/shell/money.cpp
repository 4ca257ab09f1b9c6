#include "shell/money.h"

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
