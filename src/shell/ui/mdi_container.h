#pragma once

#include "graph/graph_request.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class HelpViewer;
class MenuMain;
struct Shell;

// The frame window. Its client area holds the main menu and, one at a time,
// a tool window; while a tool is open the menu is hidden, not destroyed.
class MdiContainer : public QMainWindow
{
    Q_OBJECT

public:
    explicit MdiContainer(Shell &shell);

    MenuMain *menu() const { return m_menu; }
    QWidget *desk() const { return m_desk; }
    QWidget *activeTool() const { return m_tool; }

    void setCaption(const QString &caption) { setWindowTitle(caption); }
    QString caption() const { return windowTitle(); }

    // Hides the menu and shows the tool in the client area; the frame takes
    // ownership of it. F1 opens "How to Use the Program" at the chapter under
    // this heading while the tool, or a window over it, is in front.
    void openTool(QWidget *tool, const QString &helpChapter = {});
    // Ends the open tool and shows the menu again.
    void closeTool();
    // Shows a window (the graph window) in place of the open tool, which is
    // only hidden and keeps its results; closeOverTool() ends that window and
    // shows the tool again.
    void showOverTool(QWidget *window);
    void closeOverTool();
    QWidget *overTool() const { return m_over; }

    // The graph window is made by whoever links it in; tools ask the frame
    // to show it over them and never know its class.
    using GraphFactory = std::function<QWidget *(Shell &, MdiContainer &, const GraphRequest &)>;
    void setGraphFactory(GraphFactory factory) { m_graphFactory = std::move(factory); }
    // Shows the graph of the request over the tool.
    void showGraph(const GraphRequest &request);

    // Opens a help document in its own window at the chapter under this
    // heading (the start when there is none); asking again brings the same
    // window forward.
    void showHelp(const QString &fileName, const QString &title, const QString &chapter = {});

    // Sizes a full-size window and moves it to its place for the layout.
    void placeFullSize(QWidget *window);
    void fitDesk();

    // The size of a full-size window in pixels.
    static QSize fullSize();

protected:
    void resizeEvent(QResizeEvent *event) override;
    // The open tool may refuse, to keep unsaved work.
    void closeEvent(QCloseEvent *event) override;
    // F1, in the frame and in every dialog over it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeActive();
    void helpKey(QWidget *focused);

    Shell &m_shell;
    QWidget *m_desk;
    MenuMain *m_menu;
    QPointer<QWidget> m_tool;
    QPointer<QWidget> m_over;
    GraphFactory m_graphFactory;
    QHash<QString, QPointer<HelpViewer>> m_help;
};
