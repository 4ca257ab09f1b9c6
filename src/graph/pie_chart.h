#pragma once

#include "graph/graph_request.h"

#include <QWidget>

// The funds' value pie, drawn with the painter like the bars: flat, or for
// the 3-D style tilted with its rim showing. Each slice has its own colour,
// the larger ones carry their share, and the legend beside the pie names
// every fund in full with its share, in as many columns and as small a font
// as it takes.
class PieChart : public QWidget
{
    Q_OBJECT

public:
    explicit PieChart(QWidget *parent = nullptr);
    void setPicture(const GraphPicture &picture, bool colour);
    void paint(QPainter &painter, const QRect &bounds);
    // What the last paint showed: the legend's entries (the name, what is
    // left of it when it had to be shortened) and the pie's bounds.
    const QStringList &legendNames() const { return m_legendNames; }
    QRect pieRect() const { return m_pie; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GraphPicture m_picture;
    bool m_colour = true;
    QStringList m_legendNames;
    QRect m_pie;
};
