#pragma once

#include "support/window_driver.h"

#include <QObject>

#include <memory>

class MdiContainer;

// What a window test starts from: fresh shared variables, scripted dialogs
// and printer, a program folder of its own with the help documents in it,
// and the frame with every tool, shown and active. A test class derives
// from it and calls startFrame() from init() and endFrame() from cleanup().
class ToolWindowTest : public QObject
{
protected:
    void startFrame();
    void endFrame();

    // Opens a tool from the menu by its button's access key, as a user
    // does, and drives it with `user`; the tool's window, or nothing when
    // none opened.
    QWidget *openByAccessKey(const QString &button);
    // The access key of a menu button.
    Qt::Key accessKeyOf(const QString &button) const;

    std::unique_ptr<TestShell> t;
    std::unique_ptr<MdiContainer> frame;
    std::unique_ptr<WindowDriver> user;
};
