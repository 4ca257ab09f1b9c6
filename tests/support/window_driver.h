#pragma once

#include "shell/core/app_state.h"
#include "shell/print/print_job.h"
#include "shell/core/shell.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"

#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <memory>

class MdiContainer;
class SpreadsheetGrid;

// Shows the frame and opens a tool by its menu button, as a user does;
// returns the tool's window, or nothing when none opened.
QWidget *OpenFromMenu(MdiContainer &frame, const QString &button);

// Waits until the condition holds, letting events run meanwhile; false when
// the time ran out first.
bool WaitFor(const std::function<bool()> &condition, int timeoutMs = 5000);
// Lets what is already queued run: a deferred deletion, a layout, a step a
// window put off until its event was done.
void Settle();
// A button pressed by its access key is shown down for a moment and clicked
// after; this waits until every such click has been made.
bool WaitForDelayedClicks();
// Closes a top-level window the way its title bar's close button does: the
// system's close request, which the window may refuse. True when it closed.
bool CloseByTitleBar(QWidget *window);
// Where a widget lies, in its window's coordinates.
QPoint PointInWindow(const QWidget *widget, QPoint at);

// The data rows of a test run once per calculator: a column "button" with
// the menu button that opens it.
void AddEveryCalculatorRow();

// A fresh set of shared variables, scripted dialogs and a program folder of
// its own, as every window test needs.
struct TestShell
{
    TestShell();
    QTemporaryDir folder;
    AppState state;
    ScriptedDialogs dialogs;
    RecordingPrinter printer;
    Shell shell{state, dialogs, printer, QDate(2026, 12, 6), folder.path()};
};

// Drives a window as a user does: focus a control by its object name, type,
// press Enter, leave, click, and read what the window shows.
class WindowDriver
{
public:
    explicit WindowDriver(QWidget *window) : m_window(window) {}

    QWidget *control(const QString &name) const;
    template <typename T>
    T *find(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    void focus(const QString &name);
    // Types into the focused control.
    void type(const QString &text);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void enter() { key(Qt::Key_Return); }
    void escape() { key(Qt::Key_Escape); }
    // Tab, or Shift+Tab with a negative count.
    void tab(int times = 1);
    // Alt and the letter, then waits for the button it presses.
    void accessKey(Qt::Key letter);
    // Focus, type, and leave by Tab.
    void fill(const QString &name, const QString &text);
    void leave();
    // Turns the wheel over a control by notches: positive away from the user.
    void wheel(const QString &name, int notches);
    // Clicks any control by its object name, in its middle or at a point.
    void click(const QString &name);
    void clickAt(const QString &name, QPoint at);
    void doubleClick(const QString &name);
    // The right button, and the context menu it asks for; a menu that opens
    // waits for someone to close it (QTimer::singleShot before the call).
    void rightClick(const QString &name);
    // The title bar's close button of the window driven (or of the window
    // it lies in).
    bool closeWindow();
    QString text(const QString &name) const;
    QString cell(const QString &grid, int row, int col) const;
    // Every cell of one grid row.
    QStringList row(const QString &grid, int row) const;
    // Whether the whole of body row `row` of a grid can be seen.
    bool rowInView(const QString &grid, int row) const;
    QString focusedName() const;

private:
    QWidget *m_window;
};
