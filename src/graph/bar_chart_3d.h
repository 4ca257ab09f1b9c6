#pragma once

#include "graph/graph_request.h"

#include <QWidget>

// Bars drawn with the painter alone, so they look the same on any display or
// none at all: flat, or for the 3-D styles in an oblique projection (front,
// top and side faces). One drawing for both keeps title, axis and labels the
// same when the user switches, and lays out every bar label itself (a chart
// category axis gives each label one bar's width and cuts the rest).
class BarChart3D : public QWidget
{
    Q_OBJECT

public:
    explicit BarChart3D(QWidget *parent = nullptr);
    void setPicture(const GraphPicture &picture, bool colour);
    // Draws the picture into bounds, on screen or onto a page's image.
    void paint(QPainter &painter, const QRect &bounds);
    // What the last paint showed: the bar labels in order (what is left of
    // one that had to be cut), whether they were turned, where the bars stood, how
    // deep the labels under them reached and how far apart the value axis
    // numbers stood.
    const QStringList &shownLabels() const { return m_shownLabels; }
    bool labelsTurned() const { return m_labelsTurned; }
    QRect plotRect() const { return m_plot; }
    int labelBand() const { return m_labelBand; }
    double tickSpacing() const { return m_tickSpacing; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GraphPicture m_picture;
    bool m_colour = true;
    QStringList m_shownLabels;
    bool m_labelsTurned = false;
    QRect m_plot;
    int m_labelBand = 0;
    double m_tickSpacing = 0;
};

// The colour of bar or slice i: thirty distinct colours on screen and in
// colour, thirty grey tones otherwise.
QColor SeriesColour(int index, bool colour);
