#include "shell/ui/tool_window.h"

#include "shell/ui/mdi_container.h"
#include "shell/core/shell.h"

#include <QApplication>
#include <QPointer>
#include <QThread>

#include <exception>

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}

ToolWindow::ToolWindow(Shell &shell, MdiContainer &frame, const QString &title)
    : m_shell(shell), m_frame(frame)
{
    m_frame.setCaption(title);
    // The frame's client area is drawn dark; a tool is drawn as a window.
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
    setAutoFillBackground(true);
}

void ToolWindow::exitToMenu()
{
    m_frame.closeTool();
}

void ToolWindow::guarded(const std::function<void()> &handler)
{
    // A button pressed by its access key clicks a moment later, and that
    // click may land while a dialog waits for the user, who could not have
    // clicked here then. Acting on it would run a second command inside the
    // first, and an exit would end the window under its own open dialog.
    if (QWidget *dialog = QApplication::activeModalWidget(); dialog && dialog != window())
        return;
    // Nor can anyone click a window that is no longer shown: one closed a
    // moment ago (its exit clicked first) or hidden under another. Acting
    // would open its windows over the menu, or over a tool not its own.
    if (!isVisible())
        return;
    // Nor while a command of this window waits in a dialog's own loop: a
    // click landing just as the dialog closes, before the command has ended,
    // would run inside it, and an exit would delete the window the command
    // is still in. A command calling another directly (a button checked by
    // the code) runs at the same loop level and goes on.
    const int loop = QThread::currentThread()->loopLevel();
    if (m_commandLoop >= 0 && loop > m_commandLoop)
        return;
    const int outer = m_commandLoop;
    m_commandLoop = loop;
    const QPointer<ToolWindow> self(this);
    try {
        handler();
    } catch (const std::exception &) {
        m_shell.dialogs.message(MsgWrongEntry);
    }
    if (self)
        m_commandLoop = outer;
}
