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
// turned to read upwards, on one line or wrapped at their spaces, in the
// drawing's font or a little smaller. The labels never take more than the
// band they are given (a third of the height), so long names cannot squeeze
// the bars. A label is never cut while there is a way to show it whole:
// names are all shown before any is left out (a smaller font first), plain
// numbers are thinned out first (every 5th year says as much).
struct BarLabelPlan
{
    int step = 1;
    bool vertical = false;
    QFont font;
    int lineHeight = 0;
    int band = 0;             // pixels the labels take under the plot
    QList<QStringList> lines; // each label as drawn, line by line
    QStringList shown;        // each label drawn, or what is left of it when cut
};
BarLabelPlan PlanBarLabels(const QStringList &labels, const QFont &font, double slotWidth, int maxBand);

// Words of text in lines no wider than width. A word wider than that is
// broken where a line ends; fits then tells false.
QStringList WrapWords(const QString &text, const QFontMetrics &metrics, int width, bool *fits = nullptr);
