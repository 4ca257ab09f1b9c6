#include "invest/annual_return.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace {

// One day's flows together, `years` after the first flow.
struct Flow
{
    double years;
    double amount;
};

// Points the range is looked over on each side of 0%: enough to tell two
// rates apart unless they lie within a few percent of each other.
constexpr int ScanSteps = 200;

AnnualReturn None(const char *note)
{
    return {std::nullopt, QString::fromLatin1(note)};
}

int SignOf(double value)
{
    return value > 0 ? 1 : (value < 0 ? -1 : 0);
}

// The flows discounted at e^x - 1 a year, up to a positive factor that keeps
// every exponent at or below 0: from the first day for rates above 0%, from
// the last below it, so that no term overflows however long the span.
double Discounted(const std::vector<Flow> &flows, double x)
{
    const double origin = x < 0 ? flows.back().years : 0.0;
    double sum = 0;
    for (const Flow &flow : flows)
        sum += flow.amount * std::exp(-x * (flow.years - origin));
    return sum;
}

// The signs of the discounted sum at evenly spaced x from `lowest` to
// `highest` (lowest < 0 < highest). Each side steps its terms by one
// multiplication, from x = 0 outwards.
std::vector<std::pair<double, int>> Scan(const std::vector<Flow> &flows, double lowest, double highest)
{
    const double span = flows.back().years;
    std::vector<double> term(flows.size()), step(flows.size());
    std::vector<std::pair<double, int>> below, above;
    for (const bool up : {false, true}) {
        const double dx = (up ? highest : lowest) / ScanSteps;
        const double origin = up ? 0.0 : span;
        for (size_t i = 0; i < flows.size(); ++i) {
            term[i] = 1.0;
            step[i] = std::exp(-dx * (flows[i].years - origin));
        }
        auto &side = up ? above : below;
        for (int k = 0; k <= ScanSteps; ++k) {
            double sum = 0;
            for (size_t i = 0; i < flows.size(); ++i) {
                sum += flows[i].amount * term[i];
                term[i] *= step[i];
            }
            side.emplace_back(k == ScanSteps ? (up ? highest : lowest) : k * dx, SignOf(sum));
        }
    }
    std::reverse(below.begin(), below.end());
    below.pop_back(); // x = 0 is in both
    below.insert(below.end(), above.begin(), above.end());
    return below;
}

} // namespace

std::optional<Money> AnnualReturn::percent() const
{
    if (!rate)
        return std::nullopt;
    return Money::fromDouble(*rate * 100.0);
}

AnnualReturn SolveAnnualReturn(const QList<CashFlow> &flows, QDate valuationDate, Money value)
{
    if (flows.isEmpty())
        return None("no records");
    QDate first = valuationDate;
    QDate last;
    bool paidIn = false;
    for (const CashFlow &flow : flows) {
        if (!flow.date.isValid())
            return None("a record has no date");
        if (flow.date > valuationDate)
            return None("a record is dated after the valuation date");
        first = std::min(first, flow.date);
        last = last.isValid() ? std::max(last, flow.date) : flow.date;
        paidIn = paidIn || flow.amount < Money();
    }
    if (!paidIn)
        return None("no money was put in");

    // Every day's flows as one, the value held joining the valuation day's.
    std::map<qint64, double> days;
    for (const CashFlow &flow : flows)
        days[flow.date.toJulianDay()] += flow.amount.toDouble();
    if (!value.isZero())
        days[valuationDate.toJulianDay()] += value.toDouble();
    std::vector<Flow> byDay;
    bool in = false;
    bool out = false;
    for (const auto &[day, amount] : days) {
        if (amount == 0)
            continue;
        byDay.push_back({double(day - first.toJulianDay()) / 365.0, amount});
        in = in || amount < 0;
        out = out || amount > 0;
    }
    if (value.isZero() && last < valuationDate)
        return None(out ? "sold out before the valuation date" : "nothing came back and nothing is held");
    if (byDay.size() < 2)
        return None("all cash flows fall on one day");
    if (!in || !out)
        return None("the cash flows never change sign");

    // x = ln(1 + r): the discounted sum is smooth in x over the whole range.
    const double lowest = std::log1p(LowestAnnualReturn);
    const double highest = std::log1p(HighestAnnualReturn);
    const std::vector<std::pair<double, int>> scan = Scan(byDay, lowest, highest);
    int brackets = 0;
    double from = 0;
    double to = 0;
    double lastX = scan.front().first;
    int lastSign = 0;
    for (const auto &[x, sign] : scan) {
        if (sign == 0)
            continue;
        if (lastSign != 0 && sign != lastSign) {
            if (++brackets == 1) {
                from = lastX;
                to = x;
            }
        }
        lastSign = sign;
        lastX = x;
    }
    if (brackets == 0)
        return None("no rate from -99.99% to 1,000,000% balances the cash flows");
    if (brackets > 1)
        return None("more than one rate balances the cash flows");

    // Bisection: x to within 1e-12, which is r to 1e-12 of 1 + r.
    const int fromSign = SignOf(Discounted(byDay, from));
    for (int i = 0; i < 200 && to - from > 1e-12; ++i) {
        const double middle = from + (to - from) / 2;
        if (middle <= from || middle >= to)
            break;
        const int sign = SignOf(Discounted(byDay, middle));
        if (sign == 0) {
            from = to = middle;
            break;
        }
        (sign == fromSign ? from : to) = middle;
    }
    const double rate = std::expm1(from + (to - from) / 2);
    return {std::clamp(rate, LowestAnnualReturn, HighestAnnualReturn), QString()};
}
