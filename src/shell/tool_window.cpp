#include "shell/tool_window.h"

#include "shell/mdi_container.h"

ToolWindow::ToolWindow(Shell &shell, MdiContainer &frame, const QString &title)
    : m_shell(shell), m_frame(frame)
{
    m_frame.setCaption(title);
}

void ToolWindow::exitToMenu()
{
    m_frame.closeTool();
}
