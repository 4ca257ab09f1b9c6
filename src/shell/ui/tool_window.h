#pragma once

#include <QWidget>

#include <functional>

class MdiContainer;

// The wait cursor for the life of a long step (a file read or written, a
// sort); restored however the step ends.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
struct Shell;

// A window opened from the main menu. It puts its title (which starts with a
// space) in the frame's caption when it opens; exitToMenu() ends it and shows
// the menu again.
class ToolWindow : public QWidget
{
    Q_OBJECT

public:
    ToolWindow(Shell &shell, MdiContainer &frame, const QString &title);

    Shell &shell() const { return m_shell; }

    // Asked before the tool or the program is closed: a tool holding unsaved
    // work asks the user and returns false to stay open.
    virtual bool queryClose() { return true; }
    MdiContainer &frame() const { return m_frame; }

protected:
    void exitToMenu();

    // Runs a button's handler so that an arithmetic fault or any other
    // failure shows message 3 instead of ending the program. A click that
    // lands where no user could have clicked (under another window's dialog,
    // on this window once closed or hidden, or while a command of this window
    // still waits in a dialog's loop) does nothing.
    void guarded(const std::function<void()> &handler);

private:
    Shell &m_shell;
    MdiContainer &m_frame;
    // The event loop level a running command of this window started at; -1
    // when none runs.
    int m_commandLoop = -1;
};
