#pragma once

#include "graph/graph_request.h"

#include <QWidget>

// Bars drawn in an oblique projection (front, top and side faces) with the
// painter alone, so they look the same on any display or none at all.
class BarChart3D : public QWidget
{
    Q_OBJECT

public:
    explicit BarChart3D(QWidget *parent = nullptr);
    void setPicture(const GraphPicture &picture, bool colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GraphPicture m_picture;
    bool m_colour = true;
};

// The colour of bar or slice i: a bright set on screen and in colour, grey
// tones otherwise.
QColor SeriesColour(int index, bool colour);
