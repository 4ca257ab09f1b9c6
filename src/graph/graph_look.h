#pragma once

#include <QFont>
#include <QMargins>
#include <QString>
#include <QStringList>

class QFontMetrics;

// What the flat and the 3-D bar drawings share, so that switching between
// them changes the bars only: title font, margins, value axis numbers and the
// way the bar labels are laid out.

// Space between the drawing and the edge of its area.
inline constexpr QMargins GraphMargins{12, 8, 12, 8};

QFont GraphTitleFont(const QFont &base);

// Decimals of the value axis: none for amounts, one for small figures such
// as percentages.
int AxisDecimals(double low, double high);
// A value axis number with thousands grouping ("150,000,000").
QString AxisNumber(double value, int decimals);

// How the labels under the bars are shown: every step-th label, upright or
// turned to read upwards. A label is never cut: when they do not fit side by
// side they are turned, and when even that is too tight only every step-th
// bar is labelled.
struct BarLabelPlan
{
    int step = 1;
    bool vertical = false;
    int longest = 0; // pixels of the longest label along its line
    bool operator==(const BarLabelPlan &) const = default;
};
BarLabelPlan PlanBarLabels(const QStringList &labels, const QFontMetrics &metrics, double slotWidth);
