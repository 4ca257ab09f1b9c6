#include "graph/pie_chart.h"

#include "graph/bar_chart_3d.h"
#include "graph/graph_look.h"

#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

PieChart::PieChart(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Pie"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void PieChart::setPicture(const GraphPicture &picture, bool colour)
{
    m_picture = picture;
    m_colour = colour;
    update();
}

void PieChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paint(painter, rect());
}

namespace {

// The tilted pie is this much lower than wide, and its rim this deep.
constexpr double Tilt = 0.6;
constexpr double Depth = 0.1;
constexpr int LegendGap = 16; // between the pie and the legend, and between legend columns

QString Share(double share)
{
    return QLocale().toString(share * 100, 'f', 1) + QLatin1Char('%');
}

struct LegendLayout
{
    QFont font;
    int rowHeight = 0;
    int rows = 0;
    int columns = 0;
    int columnWidth = 0; // swatch, name and share
    int nameWidth = 0;   // room for the name
    int diameter = 0;
};

} // namespace

void PieChart::paint(QPainter &painter, const QRect &bounds)
{
    painter.setRenderHint(QPainter::Antialiasing);
    m_legendNames.clear();
    m_pie = QRect();
    const QRect area = bounds.marginsRemoved(GraphMargins);
    const QFont titleFont = GraphTitleFont(font());
    painter.setFont(titleFont);
    const int titleHeight = painter.fontMetrics().height() + 6;
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), area.top(), area.width(), titleHeight), Qt::AlignCenter,
                     m_picture.title.trimmed());
    // A pixel spare all round for the pie's smoothed edge.
    const QRect room(area.left() + 1, area.top() + titleHeight, area.width() - 2, area.height() - titleHeight - 1);
    const int n = int(m_picture.values.size());
    if (n == 0 || room.height() <= 0 || room.width() <= 0)
        return;
    const bool deep = m_picture.chart == ChartType::Pie3D;

    double total = 0;
    for (double v : m_picture.values)
        total += std::max(0.0, v);
    QList<double> shares;
    QStringList shareTexts;
    for (double v : m_picture.values) {
        shares.append(total > 0 ? std::max(0.0, v) / total : 0);
        shareTexts.append(Share(shares.last()));
    }

    // The pie as large as the legend leaves it; the legend in a smaller font
    // only when the pie would otherwise get less than half the height.
    auto diameterFor = [&](int legendWidth) {
        const int width = room.width() - legendWidth - LegendGap;
        const int height = deep ? int(room.height() / (Tilt + Depth)) : room.height();
        return std::min(width, height);
    };
    auto layoutIn = [&](const QFont &f) {
        const QFontMetrics metrics(f);
        LegendLayout layout;
        layout.font = f;
        layout.rowHeight = metrics.height() + 1;
        const int fit = std::max(1, room.height() / layout.rowHeight);
        layout.columns = (n + fit - 1) / fit;
        layout.rows = (n + layout.columns - 1) / layout.columns;
        int names = 0;
        int sharesWidth = 0;
        for (int i = 0; i < n; ++i) {
            names = std::max(names, metrics.horizontalAdvance(m_picture.labels.value(i)));
            sharesWidth = std::max(sharesWidth, metrics.horizontalAdvance(shareTexts.at(i)));
        }
        layout.nameWidth = names + 2; // elision needs a hair more than the text's advance
        layout.columnWidth = metrics.height() + 6 + layout.nameWidth + 8 + sharesWidth;
        layout.diameter = diameterFor(layout.columns * layout.columnWidth + (layout.columns - 1) * LegendGap);
        return layout;
    };
    // A pie of half the height is comfortable; a smaller font is taken for
    // the legend before the pie gets less, and names are shortened only to
    // keep the pie at a fifth of the height.
    const double drawnHeight = deep ? Tilt + Depth : 1.0;
    auto drawnHeightOf = [&](const LegendLayout &layout) { return layout.diameter * drawnHeight; };
    const qreal base = font().pointSizeF() > 0 ? font().pointSizeF() : 9;
    const qreal smallest = std::min(base, std::max(6.5, base * 0.75));
    QFont legendFont = font();
    LegendLayout legend = layoutIn(legendFont);
    for (qreal size = base - 0.5; drawnHeightOf(legend) < room.height() / 2.0 && size >= smallest; size -= 0.5) {
        legendFont.setPointSizeF(size);
        const LegendLayout smaller = layoutIn(legendFont);
        if (smaller.diameter > legend.diameter)
            legend = smaller;
    }
    const int least = std::min(room.width() / 2, int(room.height() / 5.0 / drawnHeight));
    if (legend.diameter < least) {
        const int over = least - legend.diameter;
        const int cut = (over + legend.columns - 1) / legend.columns;
        const int shortest = QFontMetrics(legend.font).averageCharWidth() * 6;
        const int nameWidth = std::max(legend.nameWidth - cut, std::min(legend.nameWidth, shortest));
        legend.columnWidth -= legend.nameWidth - nameWidth;
        legend.nameWidth = nameWidth;
        legend.diameter = diameterFor(legend.columns * legend.columnWidth + (legend.columns - 1) * LegendGap);
    }
    const int diameter = std::max(legend.diameter, 8);
    const int legendWidth = legend.columns * legend.columnWidth + (legend.columns - 1) * LegendGap;
    const int used = diameter + LegendGap + legendWidth;
    const int left = room.left() + std::max(0, (room.width() - used) / 2);

    // The pie, centred in its part of the room.
    const int pieHeight = deep ? int(diameter * Tilt) : diameter;
    const int depth = deep ? int(diameter * Depth) : 0;
    const QRect top(left, room.top() + (room.height() - pieHeight - depth) / 2, diameter, pieHeight);
    m_pie = top.adjusted(0, 0, 0, depth);
    const auto colourOf = [this](int i) { return SeriesColour(i, m_colour); };
    // Slices run clockwise from twelve o'clock, in sixteenths of a degree.
    QList<int> starts;
    QList<int> spans;
    // Each edge rounded from the running total, so the slices close the circle.
    double before = 0;
    for (int i = 0; i < n; ++i) {
        const int from = int(std::lround(before * 360 * 16));
        before += shares.at(i);
        const int to = int(std::lround(before * 360 * 16));
        starts.append(90 * 16 - from);
        spans.append(from - to);
    }
    if (deep) {
        // The rim: the slices stacked in a darker shade under the top.
        painter.setPen(Qt::NoPen);
        for (int d = depth; d >= 1; --d)
            for (int i = 0; i < n; ++i)
                if (spans.at(i) != 0) {
                    painter.setBrush(colourOf(i).darker(150));
                    painter.drawPie(top.translated(0, d), starts.at(i), spans.at(i));
                }
        painter.setPen(QPen(QColor(60, 60, 60), 0.8));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(top.translated(0, depth), 180 * 16, 180 * 16);
        const QPointF centre = QRectF(top).center();
        const double rx = top.width() / 2.0;
        const double ry = top.height() / 2.0;
        auto edge = [&](double sixteenths) {
            const double a = sixteenths / 16.0 * std::numbers::pi / 180;
            return std::pair{QPointF(centre.x() + rx * std::cos(a), centre.y() - ry * std::sin(a)), std::sin(a)};
        };
        for (double a : {0.0, 180.0 * 16})
            painter.drawLine(edge(a).first, edge(a).first + QPointF(0, depth));
        for (int i = 0; i < n; ++i) {
            const auto [point, up] = edge(starts.at(i));
            if (up < 0 && spans.at(i) != 0)
                painter.drawLine(point, point + QPointF(0, depth));
        }
    }
    for (int i = 0; i < n; ++i) {
        if (spans.at(i) == 0)
            continue;
        painter.setPen(QPen(colourOf(i).darker(160), 0.8));
        painter.setBrush(colourOf(i));
        painter.drawPie(top, starts.at(i), spans.at(i));
    }

    // Shares on the slices wide enough to hold them.
    painter.setFont(legend.font);
    const QFontMetrics shareMetrics = painter.fontMetrics();
    for (int i = 0; i < n; ++i) {
        const double middle = (starts.at(i) + spans.at(i) / 2.0) / 16.0 * std::numbers::pi / 180;
        const double along = std::abs(spans.at(i)) / 16.0 * std::numbers::pi / 180 * diameter / 2 * 0.62;
        const QString &text = shareTexts.at(i);
        const int width = shareMetrics.horizontalAdvance(text);
        if (along < width + 6 || along < shareMetrics.height() + 4 || width * 2.2 > diameter)
            continue;
        const QPointF at(QRectF(top).center().x() + std::cos(middle) * top.width() / 2 * 0.62,
                         QRectF(top).center().y() - std::sin(middle) * top.height() / 2 * 0.62);
        painter.setPen(colourOf(i).lightness() > 140 ? Qt::black : Qt::white);
        painter.drawText(QRectF(at.x() - width / 2.0 - 2, at.y() - shareMetrics.height() / 2.0, width + 4,
                                shareMetrics.height()),
                         Qt::AlignCenter, text);
    }

    // The legend: every fund, its colour, its name and its share.
    const int legendLeft = left + diameter + LegendGap;
    const int legendTop = room.top() + (room.height() - legend.rows * legend.rowHeight) / 2;
    const int swatch = shareMetrics.height() - 4;
    for (int i = 0; i < n; ++i) {
        const int column = i / legend.rows;
        const int row = i % legend.rows;
        const int x = legendLeft + column * (legend.columnWidth + LegendGap);
        const int y = legendTop + row * legend.rowHeight;
        painter.setPen(QPen(colourOf(i).darker(160), 0.8));
        painter.setBrush(colourOf(i));
        painter.drawRect(QRectF(x + 0.5, y + (legend.rowHeight - swatch) / 2.0, swatch, swatch));
        const QString name = shareMetrics.elidedText(m_picture.labels.value(i), Qt::ElideRight, legend.nameWidth);
        painter.setPen(Qt::black);
        const int nameLeft = x + shareMetrics.height() + 6;
        painter.drawText(QRect(nameLeft, y, legend.nameWidth, legend.rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         name);
        painter.drawText(QRect(nameLeft, y, legend.columnWidth - shareMetrics.height() - 6, legend.rowHeight),
                         Qt::AlignRight | Qt::AlignVCenter, shareTexts.at(i));
        m_legendNames.append(name);
    }
    painter.setFont(font());
}
