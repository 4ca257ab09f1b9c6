#include "shell/ui/tool_window.h"

#include "shell/ui/mdi_container.h"
#include "shell/core/shell.h"

#include <QApplication>

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
    try {
        handler();
    } catch (const std::exception &) {
        m_shell.dialogs.message(MsgWrongEntry);
    }
}
