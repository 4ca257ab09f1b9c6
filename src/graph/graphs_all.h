#pragma once

#include "graph/graph_request.h"

#include <QWidget>

class BarChart3D;
class MdiContainer;
class PieChart;
class QPushButton;
class QStackedWidget;
struct Shell;

// The one graph window of the program. The tool that asks for a graph hands
// it a request and shows this window in its place; the window draws from its
// own copy and changes nothing the tool keeps.
class GraphsAll : public QWidget
{
    Q_OBJECT

public:
    GraphsAll(Shell &shell, MdiContainer &frame, GraphRequest request);

    const GraphRequest &request() const { return m_request; }
    const GraphPicture &picture() const { return m_picture; }
    int style() const { return m_picture.style; }
    // What is on screen, as an image.
    QImage render(QSize size);
    // The size a graph is printed at.
    static QSize printSize();
    // The graph alone, without the window's buttons, as it is printed.
    QImage chartImage(QSize size, bool colour) const;

private:
    void draw(int style);
    void showPicture();
    void print();
    void exit();

    Shell &m_shell;
    MdiContainer &m_frame;
    GraphRequest m_request;
    GraphPicture m_picture;
    GraphButtons m_buttons;
    QStackedWidget *m_stack;
    PieChart *m_pie;
    BarChart3D *m_bars3d;
    QPushButton *m_oned;
    QPushButton *m_pie2d;
    QPushButton *m_sav2d;
    QPushButton *m_threeDee;
};
