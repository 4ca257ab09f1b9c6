#include "support/tool_window_test.h"

#include "app/tool_registry.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "support/source_dir.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QWindow>

void ToolWindowTest::startFrame()
{
    t = std::make_unique<TestShell>();
    for (const char *name : {"Tlmuse33.hlp", "tlmdat33.grs"})
        QFile::copy(SourceDir() + QStringLiteral("/resources/help/") + QLatin1String(name),
                    QDir(t->folder.path()).filePath(QLatin1String(name)));
    frame = std::make_unique<MdiContainer>(t->shell);
    RegisterTools(*frame);
    frame->show();
    if (!QTest::qWaitForWindowActive(frame.get()))
        qWarning("the frame did not become active");
}

void ToolWindowTest::endFrame()
{
    user.reset();
    frame.reset();
    Settle();
    t.reset();
}

Qt::Key ToolWindowTest::accessKeyOf(const QString &button) const
{
    const QString caption = frame->menu()->button(button)->text();
    const qsizetype amp = caption.indexOf(QLatin1Char('&'));
    if (amp < 0 || amp + 1 >= caption.size())
        qFatal("%s has no access key", qPrintable(button));
    return Qt::Key(caption.at(amp + 1).toUpper().unicode());
}

QWidget *ToolWindowTest::openByAccessKey(const QString &button)
{
    frame->activateWindow();
    QTest::keyClick(frame->windowHandle(), accessKeyOf(button), Qt::AltModifier);
    if (!WaitFor([this] { return frame->activeTool() != nullptr; }))
        return nullptr;
    WaitForDelayedClicks();
    user = std::make_unique<WindowDriver>(frame->activeTool());
    return frame->activeTool();
}
