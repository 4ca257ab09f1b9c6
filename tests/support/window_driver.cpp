#include "support/window_driver.h"

#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/ui/spreadsheet_grid.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>

TestShell::TestShell()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    state.TodayText = QStringLiteral("12/6/2026");
}

QWidget *WindowDriver::control(const QString &name) const
{
    QWidget *widget = m_window->findChild<QWidget *>(name);
    if (!widget && m_window->objectName() == name)
        widget = m_window;
    if (!widget)
        qFatal("no control named %s", qPrintable(name));
    return widget;
}

void WindowDriver::focus(const QString &name)
{
    QWidget *widget = control(name);
    if (!m_window->isActiveWindow()) {
        m_window->window()->show();
        m_window->window()->activateWindow();
        QApplication::setActiveWindow(m_window->window());
    }
    // Coming to the control from elsewhere, as a user does, so it gains the focus anew.
    if (QWidget *focused = QApplication::focusWidget(); focused && (focused == widget || focused == widget->focusProxy()))
        focused->clearFocus();
    widget->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
}

void WindowDriver::type(const QString &text)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        qFatal("nothing has the focus");
    QTest::keyClicks(target, text);
}

void WindowDriver::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        qFatal("nothing has the focus");
    // Through the window, so that access keys and shortcuts work as they do for a user.
    if (QWindow *window = target->window()->windowHandle())
        QTest::keyClick(window, key, modifiers);
    else
        QTest::keyClick(target, key, modifiers);
}

void WindowDriver::fill(const QString &name, const QString &text)
{
    focus(name);
    type(text);
    leave();
}

void WindowDriver::leave()
{
    if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
    QApplication::processEvents();
}

void WindowDriver::wheel(const QString &name, int notches)
{
    // A wheel event sent from here reaches only the widget it is sent to,
    // while the system's passes from a typed list's line edit on to the
    // list: it is sent to the control itself.
    QWidget *widget = control(name);
    const QPoint at = widget->rect().center();
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

void WindowDriver::tab(int times)
{
    for (int i = 0; i < times; ++i)
        key(Qt::Key_Tab);
    for (int i = 0; i > times; --i)
        key(Qt::Key_Backtab, Qt::ShiftModifier);
}

void WindowDriver::accessKey(Qt::Key letter)
{
    key(letter, Qt::AltModifier);
    if (!WaitForDelayedClicks())
        qFatal("a button pressed by Alt is still down");
}

// Where a click lands on a control: its middle, but a radio button or a
// check box takes clicks on its mark and caption only, which may be narrower
// than the widget a layout stretched.
static QPoint ClickPoint(QWidget *widget)
{
    const auto *button = qobject_cast<QAbstractButton *>(widget);
    const bool radio = qobject_cast<QRadioButton *>(widget) != nullptr;
    if (!button || (!radio && !qobject_cast<QCheckBox *>(widget)))
        return widget->rect().center();
    QStyleOptionButton option;
    option.initFrom(widget);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    return widget->style()
        ->subElementRect(radio ? QStyle::SE_RadioButtonClickRect : QStyle::SE_CheckBoxClickRect, &option, widget)
        .center();
}

void WindowDriver::click(const QString &name)
{
    QWidget *widget = control(name);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, ClickPoint(widget));
}

void WindowDriver::clickAt(const QString &name, QPoint at)
{
    QTest::mouseClick(control(name), Qt::LeftButton, Qt::NoModifier, at);
}

void WindowDriver::doubleClick(const QString &name)
{
    // A double-click is a click, then the second press as a double-click.
    QWidget *widget = control(name);
    QTest::mouseClick(widget, Qt::LeftButton);
    QTest::mouseDClick(widget, Qt::LeftButton);
}

void WindowDriver::rightClick(const QString &name)
{
    // Through the window, as the pointer does: the widget under the point
    // (a grid's viewport, say) gets the press and the context menu request.
    QWidget *widget = control(name);
    if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
        widget = area->viewport();
    QTest::mouseClick(widget->window()->windowHandle(), Qt::RightButton, Qt::NoModifier,
                      PointInWindow(widget, widget->rect().center()));
}

bool WindowDriver::closeWindow()
{
    return CloseByTitleBar(m_window->window());
}

bool WaitFor(const std::function<bool()> &condition, int timeoutMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

void Settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

bool WaitForDelayedClicks()
{
    return WaitFor([] {
        const QWidgetList widgets = QApplication::allWidgets();
        return std::none_of(widgets.cbegin(), widgets.cend(), [](QWidget *widget) {
            auto *button = qobject_cast<QAbstractButton *>(widget);
            return button && button->isDown();
        });
    });
}

bool CloseByTitleBar(QWidget *window)
{
    window = window->window();
    // The window system's request, as the title bar sends it: the window
    // hears a close event it may refuse.
    if (QWindow *handle = window->windowHandle())
        return handle->close();
    return window->close();
}

QPoint PointInWindow(const QWidget *widget, QPoint at)
{
    return widget->mapTo(widget->window(), at);
}

QString WindowDriver::text(const QString &name) const
{
    QWidget *widget = control(name);
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->currentText();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(widget))
        return plain->toPlainText();
    return widget->windowTitle();
}

QString WindowDriver::cell(const QString &grid, int row, int col) const
{
    auto *target = qobject_cast<SpreadsheetGrid *>(control(grid));
    return target ? target->cell(row, col) : QString();
}

QStringList WindowDriver::row(const QString &grid, int row) const
{
    auto *target = qobject_cast<SpreadsheetGrid *>(control(grid));
    QStringList cells;
    for (int c = 0; target && c < target->cols(); ++c)
        cells << target->cell(row, c);
    return cells;
}

bool WindowDriver::rowInView(const QString &grid, int row) const
{
    auto *target = qobject_cast<SpreadsheetGrid *>(control(grid));
    if (!target || !target->isVisible() || row < 1 || row >= target->rows())
        return false;
    const QRect cell = target->visualRect(target->model()->index(row - 1, 0));
    return cell.top() >= 0 && cell.bottom() < target->viewport()->height();
}

QWidget *OpenFromMenu(MdiContainer &frame, const QString &button)
{
    frame.show();
    if (!QTest::qWaitForWindowActive(&frame))
        return nullptr;
    QTest::mouseClick(frame.menu()->button(button), Qt::LeftButton);
    return frame.activeTool();
}

QString WindowDriver::focusedName() const
{
    QWidget *focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

void AddEveryCalculatorRow()
{
        QTest::addColumn<QString>("button");
        QTest::newRow("compound growth") << "Compound";
        QTest::newRow("savings planner") << "Savings";
        QTest::newRow("savings comparisons") << "SavingComp";
        QTest::newRow("retirement") << "Retirement";
        QTest::newRow("401(k)") << "Plan401K";
        QTest::newRow("capital required") << "HowMuch";
        QTest::newRow("mortgages") << "Canadian";
        QTest::newRow("payment on a loan") << "LoanPmt";
}
