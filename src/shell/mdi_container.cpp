#include "shell/mdi_container.h"

#include "shell/menu_main.h"
#include "shell/shell.h"
#include "shell/tool_window.h"
#include "shell/window_placement.h"

#include <QCloseEvent>
#include <QResizeEvent>
#include <QScrollArea>

MdiContainer::MdiContainer(Shell &shell) : m_shell(shell), m_desk(new QWidget(this)), m_menu(nullptr)
{
    setObjectName(QStringLiteral("MDIContainer"));
    m_desk->setObjectName(QStringLiteral("Desk"));
    m_desk->setBackgroundRole(QPalette::Dark);
    m_desk->setAutoFillBackground(true);
    // A frame made smaller than the window it holds scrolls, so that every
    // control stays within reach (Tab scrolls the focused one into view).
    auto *area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("DeskArea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidgetResizable(true);
    area->setWidget(m_desk);
    setCentralWidget(area);
    move(0, 0);
    resize(TwipsToPixels(FrameWidthTwips), TwipsToPixels(FrameHeightTwips));
    m_menu = new MenuMain(shell, *this, m_desk);
    placeActive();
}

QSize MdiContainer::fullSize()
{
    // The client area of the frame at its starting size, and the few pixels
    // the window is moved up and left to hide its own border.
    return {TwipsToPixels(FrameWidthTwips) + 4, TwipsToPixels(FrameHeightTwips) + 2};
}

void MdiContainer::openTool(QWidget *tool)
{
    if (m_tool)
        closeTool();
    m_menu->hide();
    tool->setParent(m_desk);
    m_tool = tool;
    placeFullSize(tool);
    tool->show();
    tool->setFocus();
}

void MdiContainer::showOverTool(QWidget *window)
{
    if (m_over)
        closeOverTool();
    window->setParent(m_desk);
    m_over = window;
    placeFullSize(window);
    if (m_tool)
        m_tool->hide();
    window->show();
    window->setFocus();
}

void MdiContainer::showGraph(const GraphRequest &request)
{
    if (m_graphFactory)
        showOverTool(m_graphFactory(m_shell, *this, request));
}

void MdiContainer::closeEvent(QCloseEvent *event)
{
    if (auto *tool = qobject_cast<ToolWindow *>(m_tool.data()); tool && !tool->queryClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MdiContainer::closeOverTool()
{
    if (m_over) {
        m_over->hide();
        m_over->deleteLater();
        m_over = nullptr;
    }
    if (m_tool) {
        m_tool->show();
        m_tool->setFocus();
    }
}

void MdiContainer::closeTool()
{
    if (m_over)
        closeOverTool();
    setCaption(QStringLiteral(" Tallomar Menu"));
    if (m_tool) {
        m_tool->hide();
        m_tool->deleteLater();
        m_tool = nullptr;
    }
    m_menu->show();
    placeActive();
    m_menu->setFocus();
}

void MdiContainer::placeFullSize(QWidget *window)
{
    window->resize(fullSize());
    PlaceOnFrame(window, PlacedWindow::FullSize, m_shell.state.LayoutClass, this);
    fitDesk();
}

void MdiContainer::placeActive()
{
    if (m_over)
        placeFullSize(m_over);
    if (m_tool) {
        placeFullSize(m_tool);
    } else if (m_menu) {
        m_menu->resize(fullSize());
        PlaceOnFrame(m_menu, PlacedWindow::MenuMain, m_shell.state.LayoutClass, this);
    }
    fitDesk();
}

void MdiContainer::fitDesk()
{
    // The desk is at least as large as the windows on it.
    QSize needed;
    for (const QWidget *window : m_desk->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        needed = needed.expandedTo(QSize(window->geometry().right() + 1, window->geometry().bottom() + 1));
    m_desk->setMinimumSize(needed);
}

void MdiContainer::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    m_shell.state.LayoutClass = LayoutClassForHeight(PixelsToTwips(frameGeometry().height()));
    placeActive();
}
