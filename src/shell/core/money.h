#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <compare>
#include <stdexcept>

// Raised inside a calculation when a figure leaves the range money can hold
// or is not a number at all. Calculations catch it at their entry point and
// report message 3; it never reaches a window.
class ArithmeticFault : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A money value: four decimal places held in a signed 64-bit integer.
class Money
{
public:
    static constexpr qint64 Scale = 10000;

    constexpr Money() = default;

    // Rounds half to even to four decimals; faults on NaN, infinity or overflow.
    static Money fromDouble(double value);
    static constexpr Money fromRaw(qint64 raw) { return Money(raw); }
    static Money fromWhole(qint64 units);
    // Plain decimal text ("-12.34567", ".5", "7."), digits only after an
    // optional "-": exact, the fifth decimal rounded half to even. Faults on
    // a figure money cannot hold; returns false for text of another form.
    static bool fromDecimalText(QStringView text, Money &value);

    constexpr qint64 raw() const { return m_raw; }
    // Exact decimal text with all four decimals: "-1200.0500".
    QString toDecimalText() const;
    double toDouble() const { return static_cast<double>(m_raw) / static_cast<double>(Scale); }
    // Whole part, toward minus infinity.
    qint64 floorUnits() const;
    bool isZero() const { return m_raw == 0; }

    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money operator-() const;
    // Money x money, exact through a 128-bit intermediate, rounded half to even.
    Money operator*(Money other) const;
    // Money / money, rounded half to even; division by zero faults.
    Money operator/(Money other) const;
    // this x factor / divisor in one step, rounded once half to even: the
    // product may be beyond money when the quotient is not.
    Money mulDiv(qint64 factor, Money divisor) const;
    Money &operator+=(Money other) { return *this = *this + other; }
    Money &operator-=(Money other) { return *this = *this - other; }

    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(qint64 raw) : m_raw(raw) {}
    qint64 m_raw = 0;
};
