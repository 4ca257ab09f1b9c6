// Typed figures: any text read by LeadingMoney, shown by Format and read back.
// Without grouping a figure reads back exactly; with it, as rounded to cents.
#include "fuzz_check.h"
#include "shell/core/format.h"
#include "shell/core/money.h"

#include <QLocale>

#include <cstddef>
#include <cstdint>

namespace {

// Half away from zero to two decimals, worked out on the raw units.
std::optional<qint64> centsRounded(qint64 raw)
{
    const qint64 step = Money::Scale / 100;
    const qint64 rest = raw % step;
    qint64 cut = raw - rest;
    if (rest >= step / 2)
        return __builtin_add_overflow(cut, step, &cut) ? std::nullopt : std::optional<qint64>(cut);
    if (rest <= -step / 2)
        return __builtin_sub_overflow(cut, step, &cut) ? std::nullopt : std::optional<qint64>(cut);
    return cut;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const bool pinned = [] {
        QLocale::setDefault(QLocale::c());
        return true;
    }();
    (void)pinned;
    const bool allowSign = data[0] & 1;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    Money value;
    try {
        value = LeadingMoney(text, allowSign);
    } catch (const ArithmeticFault &) {
        return 0; // a figure money cannot hold is refused, never wrapped
    }
    if (!allowSign)
        FUZZ_CHECK(value.raw() >= 0);

    // Every decimal shown: reads back to the same money.
    const QString exact = Format(value, QStringLiteral("0.####"));
    FUZZ_CHECK(LeadingMoney(exact, true) == value);

    // Grouped, two decimals: the same figure rounded to cents, once the
    // grouping commas are taken out.
    try {
        const QString grouped = Format(value, QStringLiteral("####,,###.00"));
        QString plain = grouped;
        plain.remove(QLatin1Char(','));
        const auto cents = centsRounded(value.raw());
        FUZZ_CHECK(cents.has_value());
        FUZZ_CHECK(LeadingMoney(plain, true).raw() == *cents);
    } catch (const ArithmeticFault &) {
        // Rounding up at the very top of the range does not fit: refused.
    }
    try {
        (void)Format(value, QStringLiteral("#,,###.000%"));
        (void)Format(value.toDouble(), QStringLiteral("####,,###.00"));
        (void)Format(value, QStringLiteral("###"));
    } catch (const ArithmeticFault &) {
    }
    (void)LeadingNumber(text, allowSign);
    return 0;
}
