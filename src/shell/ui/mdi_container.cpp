#include "shell/ui/mdi_container.h"

#include "shell/core/data_places.h"
#include "shell/ui/help_viewer.h"
#include "shell/ui/menu_main.h"
#include "shell/core/shell.h"
#include "shell/ui/tool_window.h"
#include "shell/ui/window_placement.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>

#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollArea>

namespace {
// The guide F1 opens.
constexpr char HowToUseFile[] = "Tlmuse33.hlp";
constexpr char HowToUseTitle[] = "How to Use the Program";
constexpr char GraphChapter[] = "The Graph window";
} // namespace

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
    // F1 is answered wherever the focus is, a dialog over the frame included,
    // before any window's own key handling (the Quick Help text refuses keys).
    QCoreApplication::instance()->installEventFilter(this);
}

QSize MdiContainer::fullSize()
{
    // The client area of the frame at its starting size, and the few pixels
    // the window is moved up and left to hide its own border.
    return {TwipsToPixels(FrameWidthTwips) + 4, TwipsToPixels(FrameHeightTwips) + 2};
}

void MdiContainer::openTool(QWidget *tool, const QString &helpChapter)
{
    if (!helpChapter.isEmpty())
        tool->setProperty(HelpChapterProperty, helpChapter);
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
    if (!m_graphFactory)
        return;
    QWidget *graph = m_graphFactory(m_shell, *this, request);
    graph->setProperty(HelpChapterProperty, QLatin1String(GraphChapter));
    showOverTool(graph);
}

void MdiContainer::showHelp(const QString &fileName, const QString &title, const QString &chapter)
{
    // Over a modal window (the settings) the help belongs to that window, or
    // the user could not scroll it until the window closed.
    QWidget *owner = this;
    QWidget *modal = QApplication::activeModalWidget();
    for (QWidget *up = modal; up; up = up->parentWidget())
        if (up == this)
            owner = modal;
    QPointer<HelpViewer> &viewer = m_help[fileName];
    if (viewer && viewer->parentWidget() != owner) {
        viewer->close();
        viewer = nullptr;
    }
    if (!viewer)
        viewer = new HelpViewer(DataFilePath(m_shell.folder(), fileName), title, owner);
    viewer->showMaximized();
    viewer->raise();
    viewer->activateWindow();
    viewer->showChapter(chapter);
}

bool MdiContainer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QMainWindow::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QMainWindow::eventFilter(watched, event);
    // Only this frame's windows: a help window, or another frame, is not ours.
    auto *widget = static_cast<QWidget *>(watched);
    for (QWidget *up = widget; up; up = up->parentWidget()) {
        if (qobject_cast<HelpViewer *>(up))
            return false;
        if (up == this) {
            if (!key->isAutoRepeat())
                helpKey(widget);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// The chapter of the window in front: its own, else the open tool's (a window
// of the investment manager, a tool's dialog), else the guide's start.
void MdiContainer::helpKey(QWidget *focused)
{
    QString chapter;
    for (QWidget *up = focused; up && chapter.isEmpty(); up = up->parentWidget())
        chapter = up->property(HelpChapterProperty).toString();
    if (chapter.isEmpty() && m_tool)
        chapter = m_tool->property(HelpChapterProperty).toString();
    showHelp(QLatin1String(HowToUseFile), QLatin1String(HowToUseTitle), chapter);
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
    // stands to the frame's far edges; it never shrinks below its starting
    // size, and a smaller frame scrolls.
    const auto *area = qobject_cast<QScrollArea *>(centralWidget());
    const QSize room = area ? area->maximumViewportSize() : m_desk->size();
    window->resize(fullSize().expandedTo(room - QSize(window->x(), window->y())));
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
    // The desk is at least as large as the windows on it, less the border a
    // window is moved off the desk by to hide it (the same on the far side).
    QSize needed;
    for (const QWidget *window : m_desk->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QRect at = window->geometry();
        needed = needed.expandedTo(QSize(at.x() + at.width() - std::max(0, -at.x()),
                                         at.y() + at.height() - std::max(0, -at.y())));
    }
    m_desk->setMinimumSize(needed);
}

void MdiContainer::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    m_shell.state.LayoutClass = LayoutClassForHeight(PixelsToTwips(frameGeometry().height()));
    placeActive();
}
