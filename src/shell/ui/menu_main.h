#pragma once

#include <QHash>
#include <QWidget>

#include <functional>

class MdiContainer;
class QLabel;
class QPushButton;
struct Shell;

// Makes a tool's window; the menu opens it in the frame.
using ToolFactory = std::function<QWidget *(Shell &, MdiContainer &)>;

// The main menu: fifteen buttons, the program's title and the user's name.
class MenuMain : public QWidget
{
    Q_OBJECT

public:
    MenuMain(Shell &shell, MdiContainer &frame, QWidget *parent);

    // Connects a tool button (by object name) to the window it opens and
    // enables it. Buttons of tools that are not connected stay disabled.
    void setTool(const QString &button, ToolFactory factory);

    // Reads the settings file and shows or hides the user's name.
    void LoadFnt();
    void updateMyName();

    QPushButton *button(const QString &name) const;
    QLabel *myName() const { return m_myName; }

private:
    void openTool(const QString &button);
    bool mayAct() const;
    void personalize();
    void about();
    void openHelp(const QString &fileName, const QString &title);

    Shell &m_shell;
    MdiContainer &m_frame;
    QLabel *m_myName;
    QHash<QString, QPushButton *> m_buttons;
    QHash<QString, ToolFactory> m_tools;
};
