#include "graph/graph_look.h"

#include <QFontMetrics>
#include <QLocale>

#include <algorithm>
#include <cmath>

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

BarLabelPlan PlanBarLabels(const QStringList &labels, const QFontMetrics &metrics, double slotWidth)
{
    BarLabelPlan plan;
    for (const QString &label : labels)
        plan.longest = std::max(plan.longest, metrics.horizontalAdvance(label));
    if (labels.isEmpty() || slotWidth <= 0)
        return plan;
    constexpr int gap = 6; // between two upright labels
    const double upright = plan.longest + gap;
    const double turned = metrics.height() + 2;
    // Steps that keep the labelled bars at round distances (years 1, 11, 21 ...).
    static const int steps[] = {1, 2, 5, 10, 20, 25, 50, 100, 200, 250, 500, 1000, 2000, 5000, 10000, 20000, 50000};
    for (int step : steps) {
        if (upright <= slotWidth * step)
            return {step, false, plan.longest};
        if (turned <= slotWidth * step)
            return {step, true, plan.longest};
    }
    plan.step = int(labels.size());
    return plan;
}
