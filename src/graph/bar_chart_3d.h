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
    // The bar labels the last paint showed, in order, and how.
    const QStringList &shownLabels() const { return m_shownLabels; }
    bool labelsTurned() const { return m_labelsTurned; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GraphPicture m_picture;
    bool m_colour = true;
    QStringList m_shownLabels;
    bool m_labelsTurned = false;
};

// The colour of bar or slice i: a bright set on screen and in colour, grey
// tones otherwise.
QColor SeriesColour(int index, bool colour);
