#include "shell/mdi_container.h"

#include "shell/menu_main.h"
#include "shell/shell.h"
#include "shell/tool_window.h"
#include "shell/window_placement.h"

#include <QCloseEvent>
#include <QResizeEvent>

MdiContainer::MdiContainer(Shell &shell) : m_shell(shell), m_desk(new QWidget(this)), m_menu(nullptr)
{
    setObjectName(QStringLiteral("MDIContainer"));
    m_desk->setObjectName(QStringLiteral("Desk"));
    m_desk->setBackgroundRole(QPalette::Dark);
    m_desk->setAutoFillBackground(true);
    setCentralWidget(m_desk);
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
    PlaceOnFrame(window, PlacedWindow::FullSize, m_shell.state.LayoutClass, this);
    // A frame made larger (maximised) gives the tool the room from where it
    // stands to the frame's far edges; it never shrinks below its starting size.
    window->resize(fullSize().expandedTo(m_desk->size() - QSize(window->x(), window->y())));
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
}

void MdiContainer::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    m_shell.state.LayoutClass = LayoutClassForHeight(PixelsToTwips(frameGeometry().height()));
    placeActive();
}
