#include "graph/bar_chart_3d.h"

#include "graph/graph_look.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

QColor SeriesColour(int index, bool colour)
{
    // Thirty colours, one for each fund the manager holds: ten bright ones,
    // their light partners, then ten deep ones.
    static const QRgb colours[] = {
        0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd, 0x8c564b, 0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf,
        0xaec7e8, 0xffbb78, 0x98df8a, 0xff9896, 0xc5b0d5, 0xc49c94, 0xf7b6d2, 0xc7c7c7, 0xdbdb8d, 0x9edae5,
        0x393b79, 0x637939, 0x8c6d31, 0x843c39, 0x7b4173, 0x5254a3, 0x8ca252, 0xbd9e39, 0xad494a, 0xa55194};
    constexpr int count = int(std::size(colours));
    const int i = ((index % count) + count) % count;
    if (colour)
        return QColor(colours[i]);
    // Thirty grey tones, neighbours far apart.
    const int g = 40 + (i * 11 % count) * 6;
    return QColor(g, g, g);
}

BarChart3D::BarChart3D(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Bars3D"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void BarChart3D::setPicture(const GraphPicture &picture, bool colour)
{
    m_picture = picture;
    m_colour = colour;
    update();
}

namespace {

// A round step for the value axis: 1, 2 or 5 times a power of ten.
double NiceStep(double range, int ticks)
{
    if (range <= 0)
        return 1;
    const double raw = range / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (raw <= f * power)
            return f * power;
    return 10 * power;
}

} // namespace

void BarChart3D::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paint(painter, rect());
}

void BarChart3D::paint(QPainter &painter, const QRect &bounds)
{
    painter.setRenderHint(QPainter::Antialiasing);
    m_shownLabels.clear();
    m_plot = QRect();
    m_labelBand = 0;
    m_tickSpacing = 0;
    const QRect area = bounds.marginsRemoved(GraphMargins);
    const QFont titleFont = GraphTitleFont(font());
    painter.setFont(titleFont);
    const int titleHeight = painter.fontMetrics().height() + 6;
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), area.top(), area.width(), titleHeight), Qt::AlignCenter,
                     m_picture.title.trimmed());
    painter.setFont(font());

    const QFontMetrics metrics = painter.fontMetrics();
    const int n = int(m_picture.values.size());
    double low = 0;
    double high = 0;
    for (double v : m_picture.values) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    if (high == low)
        high = low + 1;
    const double dataLow = low;
    const double dataHigh = high;

    const int axisTitleWidth = m_picture.axisTitle.isEmpty() ? 0 : metrics.height() + 6;
    const bool flat = m_picture.chart != ChartType::Bars3D;
    const int depth = flat ? 0 : std::clamp(area.width() / std::max(n, 1) / 4, 4, 18);
    // Room above the plot for the back of the bars, or at least for half of
    // the top axis number.
    const int above = std::max(depth, metrics.height() / 2 + 4);
    const int below = area.height() - titleHeight - above - 8; // plot and labels
    // The labels take at most a third of it, however long they are.
    const int maxBand = below / 3;

    // Fewer axis numbers when the plot is too low for them to stand apart.
    double step = 1;
    int decimals = 0;
    int numberWidth = 0;
    int plotLeft = 0;
    int plotWidth = 0;
    double slot = 0;
    BarLabelPlan labels;
    QRect plot;
    for (int ticks = 5; ticks >= 1; --ticks) {
        step = NiceStep(dataHigh - dataLow, ticks);
        low = std::floor(dataLow / step) * step;
        high = std::ceil(dataHigh / step) * step;
        decimals = AxisDecimals(low, high);
        numberWidth = 0;
        for (double v = low; v <= high + step / 2; v += step)
            numberWidth = std::max(numberWidth, metrics.horizontalAdvance(AxisNumber(v, decimals)));
        plotLeft = area.left() + axisTitleWidth + numberWidth + 8;
        plotWidth = area.width() - axisTitleWidth - numberWidth - 8 - depth;
        if (plotWidth <= 0)
            return;
        slot = double(plotWidth) / std::max(n, 1);
        labels = PlanBarLabels(m_picture.labels.mid(0, n), font(), slot, maxBand);
        plot = QRect(plotLeft, area.top() + titleHeight + above, plotWidth, below - labels.band);
        if (plot.height() <= 0)
            return;
        if (plot.height() * step / (high - low) >= metrics.height() + 2)
            break;
    }
    m_labelsTurned = labels.vertical;
    m_labelBand = labels.band;
    m_plot = plot;
    m_tickSpacing = plot.height() * step / (high - low);
    auto yOf = [&](double v) { return plot.bottom() - (v - low) / (high - low) * plot.height(); };
    const QPointF back(depth, -depth);

    // Grid lines, on the back wall and floor when the bars have depth.
    painter.setPen(QColor(200, 200, 200));
    for (double v = low; v <= high + step / 2; v += step) {
        const QPointF left(plot.left(), yOf(v));
        if (!flat)
            painter.drawLine(left, left + back);
        painter.drawLine(left + back, QPointF(plot.right(), yOf(v)) + back);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(plot.left() - numberWidth - 6, yOf(v) - metrics.height() / 2.0, numberWidth,
                                metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, AxisNumber(v, decimals));
        painter.setPen(QColor(200, 200, 200));
    }
    painter.setPen(Qt::black);
    painter.drawLine(QPointF(plot.left(), plot.top()), QPointF(plot.left(), plot.bottom()));
    const double zero = yOf(std::clamp(0.0, low, high));
    painter.drawLine(QPointF(plot.left(), zero), QPointF(plot.right(), zero));

    if (!m_picture.axisTitle.isEmpty()) {
        painter.save();
        painter.translate(area.left() + metrics.ascent(), plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRect(-plot.height() / 2, -metrics.ascent(), plot.height(), metrics.height()),
                         Qt::AlignCenter, m_picture.axisTitle);
        painter.restore();
    }

    // A lone bar or two keep a bar's shape rather than filling the chart.
    const double barWidth = std::max(1.0, std::min(slot * 0.6, plot.width() * 0.2));
    for (int i = 0; i < n; ++i) {
        const double x = plot.left() + slot * i + (slot - barWidth) / 2;
        const double top = yOf(m_picture.values.at(i));
        const QRectF front(QPointF(x, std::min(top, zero)), QPointF(x + barWidth, std::max(top, zero)));
        const QColor colour = SeriesColour(m_colour ? 0 : i, m_colour);
        // Bars a few pixels wide would show nothing but their outline.
        if (barWidth >= 4)
            painter.setPen(QPen(colour.darker(160), 0.8));
        else
            painter.setPen(Qt::NoPen);
        if (!flat) {
            QPolygonF topFace({front.topLeft(), front.topLeft() + back, front.topRight() + back, front.topRight()});
            QPolygonF side(
                {front.topRight(), front.topRight() + back, front.bottomRight() + back, front.bottomRight()});
            painter.setBrush(colour.darker(130));
            painter.drawPolygon(side);
            painter.setBrush(colour.lighter(130));
            painter.drawPolygon(topFace);
        }
        painter.setBrush(colour);
        // Thin bars are drawn whole pixels wide rather than blurred.
        painter.setRenderHint(QPainter::Antialiasing, barWidth >= 4);
        painter.drawRect(front);
        painter.setRenderHint(QPainter::Antialiasing);
    }

    // Labels last, under the middle of their bars.
    painter.setPen(Qt::black);
    painter.setFont(labels.font);
    const double lineHeight = labels.lineHeight;
    for (int k = 0; k < labels.lines.size(); ++k) {
        const int i = k * labels.step;
        const QStringList &lines = labels.lines.at(k);
        const QString text = lines.join(QLatin1Char('\n'));
        const double thickness = lineHeight * lines.size();
        const double centre = plot.left() + slot * (i + 0.5);
        if (labels.vertical) {
            painter.save();
            painter.translate(centre, plot.bottom() + 4);
            painter.rotate(-90);
            painter.drawText(QRectF(-labels.band - 2, -thickness / 2, labels.band + 2, thickness),
                             Qt::AlignRight | Qt::AlignVCenter, text);
            painter.restore();
        } else {
            const double width = slot * labels.step;
            painter.drawText(QRectF(centre - width / 2, plot.bottom() + 4, width, thickness),
                             Qt::AlignHCenter | Qt::AlignTop, text);
        }
        m_shownLabels.append(labels.shown.value(k));
    }
    painter.setFont(font());
}
