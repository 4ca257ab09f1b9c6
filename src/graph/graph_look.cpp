#include "graph/graph_look.h"

#include <QFontMetrics>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <optional>

QFont GraphTitleFont(const QFont &base)
{
    QFont font = base;
    font.setBold(true);
    font.setPointSizeF(base.pointSizeF() * 1.2);
    return font;
}

int AxisDecimals(double low, double high)
{
    return std::max(std::abs(low), std::abs(high)) >= 100 ? 0 : 1;
}

QString AxisNumber(double value, int decimals)
{
    // No "-0" for a tick that lands a hair below zero.
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0;
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimals);
}

QStringList WrapWords(const QString &text, const QFontMetrics &metrics, int width, bool *fits)
{
    if (fits)
        *fits = true;
    QStringList lines;
    QString line;
    auto add = [&](const QString &piece) {
        const QString joined = line.isEmpty() ? piece : line + QLatin1Char(' ') + piece;
        if (!line.isEmpty() && metrics.horizontalAdvance(joined) > width) {
            lines.append(line);
            line = piece;
        } else {
            line = joined;
        }
    };
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) <= width) {
            add(word);
            continue;
        }
        // A word wider than a line is broken where the line ends.
        if (fits)
            *fits = false;
        if (!line.isEmpty())
            lines.append(line);
        line.clear();
        QString piece;
        for (const QChar c : word) {
            if (!piece.isEmpty() && metrics.horizontalAdvance(piece + c) > width) {
                lines.append(piece);
                piece.clear();
            }
            piece += c;
        }
        line = piece;
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines.append(line);
    return lines;
}

namespace {

constexpr int UprightGap = 6; // between two upright labels
constexpr int MostUprightLines = 3;

bool AllNumbers(const QStringList &labels)
{
    for (const QString &label : labels) {
        bool number = false;
        label.toLongLong(&number);
        if (!number && !label.isEmpty())
            return false;
    }
    return true;
}

// How much a layout may give up to fit.
enum class Fitting {
    WholeWords,  // lines break between words only
    BrokenWords, // a word longer than a line is broken
    Cut,         // the last resort: what does not fit the lines is elided
};

// The labels laid out in one font for a room of `room` pixels per label, or
// nothing when they do not fit as `fitting` allows. Cut always gives a plan:
// turned, as many lines as the room takes.
std::optional<BarLabelPlan> Fit(const QStringList &labels, const QFont &font, double room, int maxBand,
                                Fitting fitting)
{
    const bool cut = fitting == Fitting::Cut;
    const QFontMetrics metrics(font);
    BarLabelPlan plan;
    plan.font = font;
    plan.lineHeight = metrics.height();
    const int lineHeight = plan.lineHeight;
    int longest = 0;
    for (const QString &label : labels)
        longest = std::max(longest, metrics.horizontalAdvance(label));
    auto wrapAll = [&](int width, int mostLines, bool *whole) {
        plan.lines.clear();
        plan.shown.clear();
        int tallest = 1;
        *whole = true;
        for (const QString &label : labels) {
            bool fits = true;
            QStringList lines = WrapWords(label, metrics, width, &fits);
            *whole = *whole && (fits || fitting != Fitting::WholeWords);
            if (lines.size() > mostLines) {
                *whole = false;
                lines = lines.mid(0, mostLines);
                lines.last() = metrics.elidedText(lines.last() + QStringLiteral(" \u2026"), Qt::ElideRight, width);
                plan.shown.append(lines.join(QLatin1Char(' ')));
            } else {
                plan.shown.append(label);
            }
            tallest = std::max(tallest, int(lines.size()));
            plan.lines.append(lines);
        }
        return tallest;
    };

    if (lineHeight <= maxBand && longest + UprightGap <= room) {
        for (const QString &label : labels)
            plan.lines.append(QStringList{label});
        plan.shown = labels;
        plan.band = lineHeight;
        return plan;
    }
    bool whole = true;
    const int uprightWidth = int(room) - UprightGap;
    if (uprightWidth >= 4 * metrics.averageCharWidth()) {
        const int lines = wrapAll(uprightWidth, MostUprightLines, &whole);
        if (whole && lines * lineHeight <= maxBand) {
            plan.band = lines * lineHeight;
            return plan;
        }
    }
    plan.vertical = true;
    const int mostTurned = int((room - 2) / lineHeight);
    if (mostTurned >= 1 && longest <= maxBand) {
        plan.lines.clear();
        for (const QString &label : labels)
            plan.lines.append(QStringList{label});
        plan.shown = labels;
        plan.band = longest;
        return plan;
    }
    if (mostTurned >= 1 || cut) {
        wrapAll(maxBand, std::max(1, mostTurned), &whole);
        if (whole || cut) {
            plan.band = 0;
            for (const QStringList &lines : plan.lines)
                for (const QString &line : lines)
                    plan.band = std::max(plan.band, metrics.horizontalAdvance(line));
            return plan;
        }
    }
    return std::nullopt;
}

} // namespace

BarLabelPlan PlanBarLabels(const QStringList &labels, const QFont &font, double slotWidth, int maxBand)
{
    if (labels.isEmpty() || slotWidth <= 0 || maxBand <= 0)
        return {1, false, font, QFontMetrics(font).height(), 0, {}, {}};
    // Steps that keep the labelled bars at round distances (years 1, 11, 21 ...).
    static const int steps[] = {1, 2, 5, 10, 20, 25, 50, 100, 200, 250, 500, 1000, 2000, 5000, 10000, 20000, 50000};
    auto every = [&labels](int step) {
        QStringList some;
        for (qsizetype i = 0; i < labels.size(); i += step)
            some.append(labels.at(i));
        return some;
    };
    auto thinned = [&](const QFont &f, Fitting fitting) -> std::optional<BarLabelPlan> {
        for (int step : steps) {
            if (auto plan = Fit(every(step), f, slotWidth * step, maxBand, fitting)) {
                plan->step = step;
                return plan;
            }
        }
        return std::nullopt;
    };
    if (AllNumbers(labels)) {
        if (auto plan = thinned(font, Fitting::WholeWords))
            return *plan;
    }
    // Names: every one shown, in a smaller font if need be, before any is left out.
    const qreal base = font.pointSizeF() > 0 ? font.pointSizeF() : 9;
    const qreal smallest = std::min(base, std::max(6.5, base * 0.75));
    QFont smaller = font;
    for (Fitting fitting : {Fitting::WholeWords, Fitting::BrokenWords}) {
        for (qreal size = base; size >= smallest; size -= 0.5) {
            smaller.setPointSizeF(size);
            if (auto plan = Fit(labels, smaller, slotWidth, maxBand, fitting))
                return *plan;
        }
    }
    if (auto plan = thinned(smaller, Fitting::BrokenWords))
        return *plan;
    int step = 1;
    while (step < labels.size() && slotWidth * step < QFontMetrics(smaller).height() + 2)
        step *= 2;
    BarLabelPlan plan = *Fit(every(step), smaller, slotWidth * step, maxBand, Fitting::Cut);
    plan.step = step;
    return plan;
}
