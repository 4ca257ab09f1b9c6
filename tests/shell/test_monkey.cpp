// A monkey in every window: each tool is opened from the menu and given a
// few hundred (TALLOMAR_MONKEY_EVENTS) random but plausible keys, clicks and
// wheel turns, the dialogs answering at random. Every 50 events the program
// must still hold together: no fault escaped a guard, no warning was
// printed, every figure box shows what its field stores, the frame shows
// the menu or one tool, no window lies off the frame, and nothing was
// written outside the test's own folder. The rows' seeds are fixed so that
// a failure comes back; TALLOMAR_MONKEY_SEED gives every row a fresh one.

#include "shell/ui/input_fields.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/tool_window_test.h"
#include "support/source_dir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

#include <pthread.h>
#include <unistd.h>

namespace {

// Catches a fault that escaped every guard on its way to the event loop,
// so that the monkey can name the event that threw it.
class GuardedApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &fault) {
            escaped << QStringLiteral("%1 on event %2").arg(QString::fromUtf8(fault.what())).arg(int(event->type()));
        } catch (...) {
            escaped << QStringLiteral("a fault on event %1").arg(int(event->type()));
        }
        return false;
    }
    QStringList escaped;
};

GuardedApplication &App()
{
    return *static_cast<GuardedApplication *>(QCoreApplication::instance());
}

// The last events sent, kept as plain text for a crash: a signal handler
// writes them out before the test library prints its stack, so that a crash
// in a run without TALLOMAR_MONKEY_TRACE still names what led to it.
struct LastEvents {
    static constexpr int kLines = 24;
    static constexpr int kWidth = 160;
    char lines[kLines][kWidth] = {};
    std::atomic<int> next{0};
    std::atomic<bool> told{false};

    void add(const QString &event)
    {
        const int at = next.load() % kLines;
        std::strncpy(lines[at], qPrintable(event), kWidth - 1);
        lines[at][kWidth - 1] = 0;
        next.store(next.load() + 1);
    }
    void clear()
    {
        next.store(0);
        told.store(false);
    }
    // Only write(2): safe inside a signal handler.
    void writeOut()
    {
        if (told.exchange(true))
            return;
        const int count = next.load();
        static const char head[] = "monkey: the last events before the fault:\n";
        (void)!write(STDERR_FILENO, head, sizeof head - 1);
        for (int i = std::max(0, count - kLines); i < count; ++i) {
            const char *line = lines[i % kLines];
            (void)!write(STDERR_FILENO, "    ", 4);
            (void)!write(STDERR_FILENO, line, std::strlen(line));
            (void)!write(STDERR_FILENO, "\n", 1);
        }
    }
};
LastEvents lastEvents;

struct sigaction testLibraryHandlers[NSIG];

void TellLastEventsThenCrash(int signal, siginfo_t *info, void *context)
{
    lastEvents.writeOut();
    // The test library's handler ends by raising the signal again, which
    // must then end the program rather than come back here.
    std::signal(signal, SIG_DFL);
    const struct sigaction &before = testLibraryHandlers[signal];
    if ((before.sa_flags & SA_SIGINFO) && before.sa_sigaction)
        before.sa_sigaction(signal, info, context);
    else if (!(before.sa_flags & SA_SIGINFO) && before.sa_handler != SIG_DFL && before.sa_handler != SIG_IGN)
        before.sa_handler(signal);
    std::raise(signal);
}

// In front of the test library's own crash handler (which prints a stack).
void TellLastEventsOnACrash()
{
    for (const int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
        struct sigaction mine = {};
        mine.sa_sigaction = TellLastEventsThenCrash;
        mine.sa_flags = SA_SIGINFO;
        sigemptyset(&mine.sa_mask);
        sigaction(signal, &mine, &testLibraryHandlers[signal]);
    }
}

// The offscreen platform's notes on what it cannot do fill a failure's
// output; they are dropped before the test library sees them.
QtMessageHandler testLibraryMessages = nullptr;
void DropPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    testLibraryMessages(type, context, message);
}

// Names, sizes and times of the files in a folder (and below it): what the
// monkey must leave as it found it. Folders are left out: a build beside the
// test's own may add to them.
QStringList Listing(const QString &folder, bool below)
{
    QStringList entries;
    QDirIterator it(folder, QDir::Files | QDir::Hidden,
                    below ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext() && entries.size() < 5000) {
        it.next();
        const QFileInfo info = it.fileInfo();
        entries << QStringLiteral("%1 %2 %3").arg(info.filePath()).arg(info.size()).arg(
                       info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

QString Describe(const QWidget *widget)
{
    if (!widget)
        return QStringLiteral("nothing");
    QString name = widget->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(widget->metaObject()->className());
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        name += QStringLiteral(" \"%1\"").arg(button->text());
    return name;
}

enum class Run { Tool, Menu };

} // namespace

class TestMonkey : public ToolWindowTest
{
    Q_OBJECT

    // One run's state.
    QRandomGenerator m_random;
    Run m_run = Run::Tool;
    QString m_button;
    QPointer<QWidget> m_tool;
    quint32 m_seed = 0;
    int m_budget = 0;
    bool m_trace = false;
    int m_sent = 0;
    int m_nextCheck = 0;
    int m_depth = 0;
    // The event loops running as each act in progress began, and as the
    // run began: an act that opened a dialog runs in a deeper one.
    QList<int> m_loopAtAct;
    int m_baseLoop = 0;
    QString m_startFolder;
    int m_inModal = 0;
    QPointer<QWidget> m_modal;
    bool m_stopped = false;
    QString m_failure;
    std::deque<QString> m_log;
    QElapsedTimer m_sinceStep;
    QElapsedTimer m_clock;
    std::atomic<qint64> m_beat{0};
    QStringList m_untouched;
    QStringList m_watched;
    int m_guardMessages = 0;
    int m_filesAsked = 0;

    int chance(int percent) { return int(m_random.bounded(100)) < percent; }
    template <typename T>
    const T &pick(const QList<T> &items)
    {
        return items.at(m_random.bounded(int(items.size())));
    }

    void note(const QString &what)
    {
        m_log.push_back(QStringLiteral("#%1 %2").arg(m_sent).arg(what));
        lastEvents.add(m_log.back());
        // For a crash, which leaves no report: every event as it is sent.
        if (m_trace)
            fprintf(stderr, "%s\n", qPrintable(m_log.back()));
        if (m_log.size() > 30)
            m_log.pop_front();
    }

    // The window the user's hands are on: an open menu, a modal dialog, the
    // window in front.
    QWidget *front() const
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            return popup;
        if (QWidget *modal = QApplication::activeModalWidget())
            return modal;
        if (QWidget *active = QApplication::activeWindow(); active && active->isVisible())
            return active;
        return frame.get();
    }

    // Every control a user could click in a window.
    QList<QWidget *> targets(QWidget *window) const
    {
        QList<QWidget *> found;
        for (QWidget *child : window->findChildren<QWidget *>()) {
            if (!child->isVisible() || !child->isEnabled() || child->window() != window || child->width() <= 0)
                continue;
            // The menu's last button ends the test program with it.
            if (child->objectName() == QLatin1String("ExitButten"))
                continue;
            found << child;
        }
        return found;
    }

    // The access keys of the buttons a user sees in a window.
    QList<QChar> accessKeys(QWidget *window) const
    {
        QList<QChar> keys;
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
            if (!button->isVisible() || button->objectName() == QLatin1String("ExitButten"))
                continue;
            const qsizetype amp = button->text().indexOf(QLatin1Char('&'));
            if (amp >= 0 && amp + 1 < button->text().size())
                keys << button->text().at(amp + 1).toLower();
        }
        return keys;
    }

    // The dialogs answer at random; file boxes answer with files in the
    // test's folder (samples of every kind, new names, a folder, a file
    // that is not there) or are cancelled.
    void scriptAnswers()
    {
        const QDir folder(t->folder.path());
        while (t->dialogs.answers.size() < 3)
            t->dialogs.answers << pick(QList<Answer>{Answer::Yes, Answer::No, Answer::Closed});
        while (t->dialogs.lines.size() < 3)
            t->dialogs.lines << pick(QList<std::optional<QString>>{std::nullopt, QString(), QStringLiteral("Year 2026"),
                                                                   QStringLiteral("1,500,000.00 & more")});
        while (t->dialogs.fileNames.size() < 3) {
            const QStringList names{QStringLiteral("DtaSampl.QVS"),    QStringLiteral("NetSampl.QVW"),
                                    QStringLiteral("Sample_loan.uld"), QStringLiteral("Sample_mortgage.umd"),
                                    QStringLiteral("mine.qvs"),        QStringLiteral("mine.qvw"),
                                    QStringLiteral("mine.umd"),        QStringLiteral("mine.uld"),
                                    QStringLiteral("missing.umd"),     QStringLiteral("sub")};
            if (chance(25))
                t->dialogs.fileNames << std::nullopt;
            else
                t->dialogs.fileNames << folder.filePath(pick(names));
        }
        m_filesAsked = int(t->dialogs.fileRequests.size());
    }

    void key(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &name)
    {
        if (!window->windowHandle())
            return;
        note(QStringLiteral("%1 in %2 (focus %3)").arg(name, Describe(window), Describe(QApplication::focusWidget())));
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }
    void typeText(QWidget *window, const QString &text)
    {
        note(QStringLiteral("types \"%1\" in %2 (focus %3)")
                 .arg(text, Describe(window), Describe(QApplication::focusWidget())));
        const QPointer<QWidget> typedIn(window);
        for (const QChar c : text) {
            // A key may close the window typed in.
            if (!typedIn || !typedIn->isVisible() || front() != typedIn || !typedIn->windowHandle())
                return;
            QTest::keyClick(typedIn->windowHandle(), c.toLatin1());
            ++m_sent;
        }
    }
    void mouse(QWidget *widget, QPoint at, bool twice, Qt::MouseButton button = Qt::LeftButton)
    {
        QWindow *handle = widget->window()->windowHandle();
        // A click is always inside the window's own area, as a real pointer's.
        const QWidget *top = widget->window();
        const QPoint mapped = PointInWindow(widget, at);
        const QPoint inWindow(std::clamp(mapped.x(), 0, std::max(0, top->width() - 1)),
                              std::clamp(mapped.y(), 0, std::max(0, top->height() - 1)));
        note(QStringLiteral("%1 %2 at %3,%4")
                 .arg(twice ? QStringLiteral("double-click on") : button == Qt::RightButton ? QStringLiteral("right-click on")
                                                                                              : QStringLiteral("click on"),
                      Describe(widget))
                 .arg(at.x())
                 .arg(at.y()));
        const QPointer<QWidget> clicked(widget);
        const QPointer<QWindow> window(handle);
        QTest::mouseClick(handle, button, Qt::NoModifier, inWindow);
        if (twice && clicked && clicked->isVisible() && window)
            QTest::mouseDClick(window, button, Qt::NoModifier, inWindow);
    }
    void wheel(QWidget *widget)
    {
        const int notches = pick(QList<int>{-3, -1, 1, 2});
        note(QStringLiteral("wheel %1 over %2").arg(notches).arg(Describe(widget)));
        const QPoint at = widget->rect().center();
        QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, true);
        QApplication::sendEvent(widget, &event);
    }

    QString figure()
    {
        const QStringList figures{
            "1000", "1500", "25000", "250000.5", "999999999", "99999999999999", "12.75", "8", "0", "-1200",
            "1,500", "100", "30", "2100", "1e5", "12/6/2026", "2/30/2025", "5.125", "0.0001", ".5"};
        return pick(figures);
    }

    // One random event in the window in front.
    void act()
    {
        scriptAnswers();
        if (!frame->isVisible()) {
            note(QStringLiteral("the frame is shown again"));
            frame->show();
            frame->activateWindow();
            return;
        }
        // Keys go to the window in front; one closed leaves none in front
        // until the user clicks the frame.
        if (front() == frame.get() && !frame->isActiveWindow()) {
            note(QStringLiteral("clicks the frame's title bar"));
            frame->activateWindow();
            return;
        }
        QWidget *window = front();
        const bool dialog = QApplication::activePopupWidget() || QApplication::activeModalWidget();
        if (dialog) {
            if (window != m_modal) {
                m_modal = window;
                m_inModal = 0;
            }
            // A file box would browse the disk: it is shut at once. Any other
            // dialog gets a few events and is then shut by Escape or its title
            // bar; one that refuses both is a fault.
            const bool fileBox = qobject_cast<QFileDialog *>(window) != nullptr;
            if (fileBox || chance(qobject_cast<QMenu *>(window) ? 30 : 8) || ++m_inModal > 60) {
                if (m_inModal > 120) {
                    m_failure = QStringLiteral("%1 refuses Escape and its title bar").arg(Describe(window));
                    return;
                }
                if (chance(60)) {
                    key(window, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("Escape"));
                } else {
                    note(QStringLiteral("title bar closes %1").arg(Describe(window)));
                    CloseByTitleBar(window);
                }
                return;
            }
        } else if (m_run == Run::Tool && m_tool != frame->activeTool() && window == frame.get() && chance(60)) {
            // Back to the tool under test: from the menu by its access key,
            // from another tool by its exit key first.
            if (frame->activeTool())
                key(window, Qt::Key_X, Qt::AltModifier, QStringLiteral("Alt+X"));
            else
                key(window, accessKeyOf(m_button), Qt::AltModifier, QStringLiteral("Alt+") + m_button);
            return;
        } else if (m_run == Run::Menu && window == frame.get() && frame->activeTool() && chance(12)) {
            key(window, Qt::Key_X, Qt::AltModifier, QStringLiteral("Alt+X"));
            return;
        } else if (window != frame.get() && chance(20)) {
            // A help window is read and put away.
            key(window, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("Escape"));
            return;
        }
        randomEvent(window);
    }

    void randomEvent(QWidget *window)
    {
        const int roll = int(m_random.bounded(1000));
        const QList<QWidget *> controls = targets(window);
        if (roll < 200) {
            typeText(window, figure());
        } else if (roll < 270) {
            typeText(window, QString(QChar(u'a' + m_random.bounded(26))));
        } else if (roll < 340) {
            chance(80) ? key(window, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("Tab"))
                       : key(window, Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("Shift+Tab"));
        } else if (roll < 410) {
            chance(80) ? key(window, Qt::Key_Return, Qt::NoModifier, QStringLiteral("Return"))
                       : key(window, Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("keypad Enter"));
        } else if (roll < 440) {
            key(window, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("Escape"));
        } else if (roll < 480) {
            chance(50) ? key(window, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("Delete"))
                       : key(window, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("Backspace"));
        } else if (roll < 550) {
            static const QList<std::pair<Qt::Key, const char *>> moves{
                {Qt::Key_Up, "Up"},     {Qt::Key_Down, "Down"}, {Qt::Key_Left, "Left"},       {Qt::Key_Right, "Right"},
                {Qt::Key_Home, "Home"}, {Qt::Key_End, "End"},   {Qt::Key_PageUp, "PageUp"}, {Qt::Key_PageDown, "PageDown"}};
            const auto &move = pick(moves);
            key(window, move.first, Qt::NoModifier, QLatin1String(move.second));
        } else if (roll < 650) {
            const QList<QChar> keys = accessKeys(window);
            QChar letter = keys.isEmpty() || chance(25) ? QChar(u'a' + m_random.bounded(26)) : pick(keys);
            if (chance(5))
                letter = QChar(u'0' + m_random.bounded(10));
            key(window, Qt::Key(letter.toUpper().unicode()), Qt::AltModifier, QStringLiteral("Alt+") + letter);
        } else if (roll < 670) {
            key(window, Qt::Key_C, Qt::ControlModifier, QStringLiteral("Ctrl+C"));
        } else if (roll < 680) {
            key(window, Qt::Key_V, Qt::ControlModifier, QStringLiteral("Ctrl+V"));
        } else if (roll < 690) {
            key(window, Qt::Key_F4, Qt::NoModifier, QStringLiteral("F4"));
        } else if (roll < 695) {
            key(window, Qt::Key_F1, Qt::NoModifier, QStringLiteral("F1"));
        } else if (roll < 850 && !controls.isEmpty()) {
            QWidget *target = pick(controls);
            const QPoint at(m_random.bounded(std::max(1, target->width())), m_random.bounded(std::max(1, target->height())));
            mouse(target, at, chance(8));
        } else if (roll < 920) {
            QList<SpreadsheetGrid *> grids;
            for (SpreadsheetGrid *grid : window->findChildren<SpreadsheetGrid *>())
                if (grid->isVisible() && grid->model() && grid->model()->rowCount() > 0)
                    grids << grid;
            if (grids.isEmpty())
                return;
            SpreadsheetGrid *grid = pick(grids);
            const QModelIndex cell = grid->model()->index(m_random.bounded(grid->model()->rowCount()),
                                                          m_random.bounded(std::max(1, grid->model()->columnCount())));
            const QRect rect = grid->visualRect(cell);
            if (rect.isEmpty() || !grid->viewport()->rect().contains(rect.center()))
                return;
            mouse(grid->viewport(), rect.center(), chance(10), chance(5) ? Qt::RightButton : Qt::LeftButton);
        } else if (roll < 970 && !controls.isEmpty()) {
            wheel(pick(controls));
        } else if (roll < 985 && !controls.isEmpty()) {
            QWidget *target = pick(controls);
            mouse(target, target->rect().center(), false, Qt::RightButton);
        } else if (roll < 990) {
            note(QStringLiteral("title bar closes %1").arg(Describe(window)));
            if (CloseByTitleBar(window) && window == frame.get()) {
                // The program ended, its tool agreeing: the user starts it
                // again, at the menu.
                note(QStringLiteral("starts the program again"));
                frame->closeTool();
                frame->show();
                frame->activateWindow();
            }
        } else {
            // The user stops to read.
            note(QStringLiteral("pause"));
        }
    }

    // The program holds together. Run between events, never inside a
    // dialog's own event loop.
    void check()
    {
        if (!App().escaped.isEmpty()) {
            m_failure = QStringLiteral("a fault escaped every guard: ") + App().escaped.join(QStringLiteral("; "));
            return;
        }
        if (QTest::currentTestFailed()) {
            m_failure = QStringLiteral("a warning was printed (above)");
            return;
        }
        for (InputFields *fields : frame->findChildren<InputFields *>()) {
            // A tool on its way out holds what it held; the open one, a
            // window over it and a dialog must agree.
            auto *owner = qobject_cast<QWidget *>(fields->parent());
            if (!owner || (owner != frame->activeTool() && !owner->isVisible()))
                continue;
            const QStringList wrong = fields->boxesOutOfStep();
            if (!wrong.isEmpty()) {
                m_failure = QStringLiteral("a box shows other than it stores: ") + wrong.join(QStringLiteral("; "));
                return;
            }
        }
        QWidget *tool = frame->activeTool();
        if (!tool && !frame->menu()->isVisible()) {
            m_failure = QStringLiteral("the frame shows neither the menu nor a tool");
            return;
        }
        if (tool && frame->menu()->isVisible()) {
            m_failure = QStringLiteral("the menu shows under %1").arg(Describe(tool));
            return;
        }
        if (tool && !tool->isVisible() && !frame->overTool()) {
            m_failure = QStringLiteral("%1 is open but hidden").arg(Describe(tool));
            return;
        }
        const QRect desk = frame->desk()->rect().adjusted(-8, -8, 8, 8);
        for (QWidget *window : frame->desk()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (window->isVisible() && !desk.contains(window->geometry())) {
                m_failure = QStringLiteral("%1 lies off the frame").arg(Describe(window));
                return;
            }
        }
        QStringList now;
        for (const QString &folder : m_watched)
            now << Listing(folder, false);
        if (now != m_untouched) {
            QStringList changed;
            for (const QString &entry : now)
                if (!m_untouched.contains(entry))
                    changed << entry;
            m_failure = QStringLiteral("a file was written outside the test's folder: ") + changed.join(u',');
            return;
        }
        for (const int number : t->dialogs.messages)
            m_guardMessages += number == MsgWrongEntry;
        t->dialogs.messages.clear();
        t->dialogs.questions.clear();
        t->dialogs.fileRequests.clear();
    }

    static int loopLevel() { return QThread::currentThread()->loopLevel(); }

    // A fault the run cannot return from (an act that never ends, a loop
    // nothing shown can end): the report, with what is on screen, and the
    // test program stops here with its stack.
    [[noreturn]] void fail(const QString &what)
    {
        QStringList shown;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->isVisible())
                shown << Describe(top) + (top->isModal() ? QStringLiteral(" (modal)") : QString());
        m_failure = QStringLiteral("%1; acts in progress %2, event loops %3 (at the run's start %4), "
                                   "in front %5, windows shown: %6")
                        .arg(what)
                        .arg(m_depth)
                        .arg(loopLevel())
                        .arg(m_baseLoop)
                        .arg(Describe(front()), shown.join(u','));
        lastEvents.told = true;
        qFatal("%s", qPrintable(failureReport()));
    }

    QWidget *blocking() const
    {
        QWidget *popup = QApplication::activePopupWidget();
        return popup ? popup : QApplication::activeModalWidget();
    }

    void step()
    {
        if (m_stopped)
            return;
        // An act in progress lets events run (each key and click sent
        // does): the next act waits for it, unless it opened a dialog or
        // menu whose own loop now waits for the user.
        if (m_depth > 0 && loopLevel() <= m_loopAtAct.constLast()) {
            QTimer::singleShot(2, this, [this] { step(); });
            return;
        }
        if (m_sent >= m_budget || !m_failure.isEmpty()) {
            // A dialog still waiting holds the run's end below it: shut it.
            if (QWidget *open = blocking()) {
                if (auto *box = qobject_cast<QDialog *>(open))
                    box->reject();
                else
                    open->close();
                QTimer::singleShot(10, this, [this] { step(); });
                return;
            }
            // A loop no window answers would hold the program's code below
            // it for good: no user could end it.
            if (loopLevel() > m_baseLoop)
                fail(QStringLiteral("an event loop waits with no dialog or menu shown"));
            m_stopped = true;
            return;
        }
        if (m_depth == 0 && m_sent >= m_nextCheck && !QApplication::activePopupWidget() &&
            !QApplication::activeModalWidget()) {
            m_nextCheck = m_sent + 50;
            check();
            if (!m_failure.isEmpty()) {
                m_stopped = true;
                return;
            }
        }
        // Most events follow at once, as from a quick hand; now and then the
        // user pauses long enough for a delayed click to land.
        QTimer::singleShot(chance(m_run == Run::Menu ? 15 : 4) ? int(m_random.bounded(20, 160)) : 0, this, [this] { step(); });
        m_sinceStep.restart();
        ++m_depth;
        m_loopAtAct << loopLevel();
        ++m_sent;
        try {
            act();
        } catch (const std::exception &fault) {
            App().escaped << QString::fromUtf8(fault.what());
        }
        m_loopAtAct.removeLast();
        --m_depth;
    }

    // Runs the monkey until its budget is spent, then shuts what it left
    // open; false with the failure, its seed and the last events told.
    bool runMonkey(quint32 seed)
    {
        m_seed = seed;
        m_random.seed(seed);
        m_budget = qEnvironmentVariableIntValue("TALLOMAR_MONKEY_EVENTS");
        m_trace = qEnvironmentVariableIsSet("TALLOMAR_MONKEY_TRACE");
        if (m_budget <= 0)
            m_budget = 400;
        m_watched = {m_startFolder, SourceDir()};
        m_untouched.clear();
        for (const QString &folder : m_watched)
            m_untouched << Listing(folder, false);
        App().escaped.clear();
        lastEvents.clear();
        m_baseLoop = loopLevel();
        m_sinceStep.start();
        // Two watchdogs: a timer for a run that stops sending while events
        // still flow, and a thread for a program that stops running its
        // event loop at all (it aborts the program where it is, so that the
        // stack shows where).
        QTimer watchdog;
        connect(&watchdog, &QTimer::timeout, this, [this] {
            m_beat = m_clock.elapsed();
            if (m_sinceStep.elapsed() > 25000)
                fail(QStringLiteral("no event could be sent for 25 s"));
        });
        m_clock.start();
        m_beat = 0;
        watchdog.start(500);
        std::atomic<bool> done{false};
        const pthread_t program = pthread_self();
        std::thread watcher([this, &done, program] {
            while (!done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(250));
                if (!done && m_clock.elapsed() - m_beat > 30000) {
                    fprintf(stderr, "monkey in %s, seed %u: the program has not run its event loop for 30 s\n",
                            qPrintable(where()), m_seed);
                    pthread_kill(program, SIGABRT);
                    return;
                }
            }
        });
        // Once the run ends, whatever the monkey left open is shut, and so
        // is whatever a click it set going opens later: a delayed click
        // that opens a dialog after the last event runs that dialog's loop
        // on top of this one, which would wait under it for good.
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [this] {
            if (!m_stopped)
                return;
            if (QWidget *open = blocking()) {
                if (auto *box = qobject_cast<QDialog *>(open))
                    box->reject();
                else
                    open->close();
            }
        });
        closer.start(10);
        QTimer::singleShot(0, this, [this] { step(); });
        while (!m_stopped)
            QTest::qWait(20);
        m_sinceStep.restart();
        WaitFor([this] { return !blocking(); });
        WaitForDelayedClicks();
        Settle();
        WaitFor([this] { return !blocking(); });
        closer.stop();
        done = true;
        watcher.join();
        if (m_failure.isEmpty())
            check();
        if (m_failure.isEmpty()) {
            qInfo("%s: %d events, seed %u, message 3 shown %d times", qPrintable(where()), m_sent, seed,
                  m_guardMessages);
            return true;
        }
        qWarning("%s", qPrintable(failureReport()));
        return false;
    }

    QString where() const { return m_run == Run::Menu ? QStringLiteral("the menu") : m_button; }
    QString failureReport() const
    {
        QString report = QStringLiteral("monkey in %1, seed %2 (TALLOMAR_MONKEY_SEED=%2), after %3 events: %4\n")
                             .arg(where())
                             .arg(m_seed)
                             .arg(m_sent)
                             .arg(m_failure);
        for (const QString &event : m_log)
            report += QStringLiteral("    ") + event + QLatin1Char('\n');
        return report;
    }

    void copySamples()
    {
        const QDir folder(t->folder.path());
        for (const char *name : {"DtaSampl.QVS", "NetSampl.QVW", "Sample_loan.uld", "Sample_mortgage.umd"})
            QFile::copy(SourceDir() + QStringLiteral("/resources/samples/") + QLatin1String(name),
                        folder.filePath(QLatin1String(name)));
        folder.mkdir(QStringLiteral("sub"));
    }

    static quint32 seedOf(quint32 fixed)
    {
        bool ok = false;
        const quint32 given = qEnvironmentVariable("TALLOMAR_MONKEY_SEED").toUInt(&ok);
        return ok ? given : fixed;
    }

private slots:
    void initTestCase()
    {
        m_startFolder = QDir::currentPath();
        TellLastEventsOnACrash();
        testLibraryMessages = qInstallMessageHandler(DropPlatformNotes);
    }
    void init()
    {
        startFrame();
        copySamples();
        m_sent = m_nextCheck = m_depth = m_inModal = m_guardMessages = 0;
        m_stopped = false;
        m_failure.clear();
        m_log.clear();
        m_tool = nullptr;
        // Any warning Qt or the program prints is a fault the monkey found
        // (the offscreen platform's notes are dropped before they get here).
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!monkey in ).*")));
    }
    void cleanup() { endFrame(); }

    void everyTool_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("savings planner") << "Savings" << 1101u;
        QTest::newRow("savings comparisons") << "SavingComp" << 1102u;
        QTest::newRow("retirement") << "Retirement" << 1103u;
        QTest::newRow("mortgages") << "Canadian" << 1104u;
        QTest::newRow("payment on a loan") << "LoanPmt" << 1105u;
        QTest::newRow("401(k)") << "Plan401K" << 1106u;
        QTest::newRow("compound growth") << "Compound" << 1107u;
        QTest::newRow("capital required") << "HowMuch" << 1108u;
        QTest::newRow("net worth") << "NetWorth" << 1109u;
        QTest::newRow("investment manager") << "Manager" << 1110u;
    }
    void everyTool()
    {
        QFETCH(QString, button);
        QFETCH(quint32, seed);
        m_run = Run::Tool;
        m_button = button;
        m_tool = openByAccessKey(button);
        QVERIFY(m_tool);
        QVERIFY(runMonkey(seedOf(seed)));
    }

    // A menu button pressed by its access key clicks a moment later; a box
    // opened from the menu in that moment must not bring the menu back over
    // the tool when it closes.
    void aToolOpenedBehindTheAboutBoxKeepsTheMenuAway()
    {
        QTest::keyClick(frame->windowHandle(), accessKeyOf(QStringLiteral("Retirement")), Qt::AltModifier);
        QTimer::singleShot(0, this, [] {
            WaitForDelayedClicks();
            if (QWidget *box = QApplication::activeModalWidget())
                CloseByTitleBar(box);
        });
        QTest::mouseClick(frame->menu()->button(QStringLiteral("About")), Qt::LeftButton);
        Settle();
        QVERIFY(frame->activeTool() || frame->menu()->isVisible());
        QVERIFY(!frame->activeTool() || !frame->menu()->isVisible());
    }

    // The settings pressed by their access key, then at once a tool opened
    // by a click: the settings' click lands with the tool open and must not
    // open the settings over it (a symbol changed there would leave the
    // tool's boxes showing one figure and holding another).
    void aLateMenuClickDoesNothingOnceAToolIsOpen()
    {
        QPushButton *settings = frame->menu()->button(QStringLiteral("InitCurrFont"));
        bool landed = false;
        connect(settings, &QPushButton::clicked, this, [&landed] { landed = true; });
        bool boxSeen = false;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&boxSeen] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                boxSeen = true;
                CloseByTitleBar(box);
            }
        });
        watcher.start(5);
        QTest::keyClick(frame->windowHandle(), accessKeyOf(QStringLiteral("InitCurrFont")), Qt::AltModifier);
        QTest::mouseClick(frame->menu()->button(QStringLiteral("Compound")), Qt::LeftButton);
        QPointer<QWidget> tool = frame->activeTool();
        QVERIFY(tool);
        QVERIFY(WaitFor([&landed] { return landed; }));
        Settle();
        QVERIFY(!boxSeen);
        QCOMPARE(frame->activeTool(), tool.data());
        QVERIFY(frame->menu()->isHidden());
    }

    // A menu button pressed by its access key, then at once another tool
    // opened by a click and a dialog of it: the menu's click lands under
    // the dialog and must not close the tool from under it.
    void aMenuClickLandingUnderAToolsDialogLeavesTheToolOpen()
    {
        QPushButton *savings = frame->menu()->button(QStringLiteral("Savings"));
        bool landed = false;
        connect(savings, &QPushButton::clicked, this, [&landed] { landed = true; });
        QTest::keyClick(frame->windowHandle(), accessKeyOf(QStringLiteral("Savings")), Qt::AltModifier);
        QTest::mouseClick(frame->menu()->button(QStringLiteral("NetWorth")), Qt::LeftButton);
        QPointer<QWidget> tool = frame->activeTool();
        QVERIFY(tool);
        QTimer::singleShot(0, this, [&landed] {
            WaitFor([&landed] { return landed; });
            if (QWidget *dialog = QApplication::activeModalWidget())
                CloseByTitleBar(dialog);
        });
        QTest::mouseClick(tool->findChild<QPushButton *>(QStringLiteral("InsertAss")), Qt::LeftButton);
        Settle();
        QVERIFY(tool);
        QCOMPARE(frame->activeTool(), tool.data());
    }

    // Alt+X and at once a button that opens a dialog: the exit's click lands
    // while the dialog waits, and must not take the tool away from under it.
    void anExitLandingUnderADialogLeavesTheToolOpen()
    {
        QVERIFY(openByAccessKey(QStringLiteral("Canadian")));
        QPointer<QWidget> tool = frame->activeTool();
        user->key(Qt::Key_X, Qt::AltModifier);
        QTimer::singleShot(0, this, [] {
            WaitForDelayedClicks();
            if (QWidget *dialog = QApplication::activeModalWidget())
                CloseByTitleBar(dialog);
        });
        user->click(QStringLiteral("MShowIRF"));
        Settle();
        QVERIFY(tool);
        QCOMPARE(frame->activeTool(), tool.data());
        QVERIFY(tool->isVisible());
    }

    // A click that lands as a dialog closes, before the command that opened
    // it has ended (Alt+X, Additional payments and Escape in quick turn:
    // the exit's delayed click came in between). It ran, and the exit
    // deleted the window, with the dialog, under that command (seeds 1107
    // and 1109 at 2,500 events aborted here).
    void aClickAsItsDialogClosesRunsNothing()
    {
        QVERIFY(openByAccessKey(QStringLiteral("LoanPmt")));
        QPointer<QWidget> tool = frame->activeTool();
        QTimer::singleShot(0, this, [this] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                QTest::keyClick(dialog, Qt::Key_Escape);
            user->click(QStringLiteral("MExit"));
        });
        user->click(QStringLiteral("MAddPrePay"));
        Settle();
        QVERIFY(tool);
        QCOMPARE(frame->activeTool(), tool.data());
        QVERIFY(tool->isVisible());
    }

    // Alt+X and at once a right-click on the grid, from a hand that is
    // itself an event: the exit's click lands while the grid's menu is up.
    // The menu goes with the tool, and nothing is freed twice (seed 1107
    // once aborted here).
    void anExitLandingUnderTheGridsMenuTakesTheMenuWithIt()
    {
        QVERIFY(openByAccessKey(QStringLiteral("Retirement")));
        QPointer<QWidget> tool = frame->activeTool();
        user->key(Qt::Key_X, Qt::AltModifier);
        QTimer::singleShot(0, this, [this] { user->rightClick(QStringLiteral("RGrid")); });
        // Should the menu wait in a loop of its own, it is shut a moment later.
        QTimer::singleShot(1000, this, [] {
            if (QWidget *menu = QApplication::activePopupWidget())
                menu->close();
        });
        QVERIFY(WaitFor([&] { return !tool; }));
        Settle();
        QVERIFY(!QApplication::activePopupWidget());
        QVERIFY(frame->menu()->isVisible());
    }

    // Exit pressed by Alt+X, then at once Add and Edit Records by Alt+A:
    // the second click lands on the manager already closed, and must not
    // open its record window over the menu (that window, left holding the
    // closed manager's records, was read after they were freed).
    void aLateClickOnAClosedToolOpensNothing()
    {
        QVERIFY(openByAccessKey(QStringLiteral("Manager")));
        user->key(Qt::Key_X, Qt::AltModifier);
        user->key(Qt::Key_A, Qt::AltModifier);
        QVERIFY(WaitForDelayedClicks());
        Settle();
        QVERIFY(!frame->activeTool());
        QVERIFY(!frame->overTool());
        QVERIFY(frame->menu()->isVisible());
    }

    // The investment manager's menu is guarded alike: its Exit pressed by
    // Alt+X clicks while a box the user opened at once is still up.
    void theFundMenusExitLandingUnderADialogLeavesItOpen()
    {
        QVERIFY(openByAccessKey(QStringLiteral("Manager")));
        QPointer<QWidget> tool = frame->activeTool();
        user->key(Qt::Key_X, Qt::AltModifier);
        QDialog box(frame->window());
        QTimer::singleShot(0, &box, [&box] {
            WaitForDelayedClicks();
            box.reject();
        });
        box.exec();
        Settle();
        QVERIFY(tool);
        QCOMPARE(frame->activeTool(), tool.data());
    }

    // The keys and clicks a probe from outside once sent just before the
    // program died, as one quick hand would, the boxes they open shut a
    // moment later.
    void theBatchSeenBeforeACrash()
    {
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [this] {
            if (QWidget *open = blocking())
                CloseByTitleBar(open);
        });
        closer.start(30);
        MenuMain *menu = frame->menu();
        // Keys reach the active window only: one left inactive as a window
        // shut gets them after the user clicks it, as on any desktop. Sent to
        // an inactive window, a Tab would move the focus without the box
        // being left.
        const auto press = [this](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QWidget *window = front();
            if (!window->windowHandle())
                return;
            if (!window->isActiveWindow()) {
                window->activateWindow();
                if (!QTest::qWaitForWindowActive(window))
                    return;
            }
            QTest::keyClick(window->windowHandle(), key, modifiers);
        };
        const auto click = [this](QWidget *widget, bool twice = false) {
            if (widget && widget->isVisible())
                mouse(widget, QPoint(4, widget->height() / 2), twice);
        };
        QTest::mouseClick(menu->button(QStringLiteral("Getrich")), Qt::LeftButton);
        press(Qt::Key_Escape);
        frame->activateWindow();
        press(Qt::Key_Delete);
        press(Qt::Key_R);
        click(menu->button(QStringLiteral("Savings")));
        click(menu->button(QStringLiteral("About")));
        click(frame->desk());
        press(Qt::Key_T);
        press(Qt::Key_F4);
        for (const Qt::Key key : {Qt::Key_J, Qt::Key_4, Qt::Key_R})
            press(key, Qt::AltModifier);
        press(Qt::Key_F4);
        press(Qt::Key_Right);
        press(Qt::Key_U, Qt::AltModifier);
        press(Qt::Key_V, Qt::ControlModifier);
        press(Qt::Key_D, Qt::AltModifier);
        press(Qt::Key_Enter, Qt::KeypadModifier);
        click(menu->button(QStringLiteral("About")), true);
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_End, Qt::Key_3, Qt::Key_Tab, Qt::Key_Return, Qt::Key_0, Qt::Key_M})
            press(key);
        click(menu->button(QStringLiteral("Savings")));
        WaitForDelayedClicks();
        Settle();
        closer.stop();
        check();
        QVERIFY2(m_failure.isEmpty(), qPrintable(m_failure));
    }

    // Tools opened and shut in quick turns from the menu, keys and clicks
    // landing while one window closes and the next opens.
    void throughTheMenu_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("first") << 2201u;
        QTest::newRow("second") << 2202u;
    }
    void throughTheMenu()
    {
        QFETCH(quint32, seed);
        m_run = Run::Menu;
        QVERIFY(runMonkey(seedOf(seed)));
    }
};

int main(int argc, char *argv[])
{
    // Whatever Qt keeps for the user (the file box's history) goes to a
    // home of the test's own.
    QTemporaryDir home;
    for (const char *variable : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(variable, home.path().toUtf8());
    GuardedApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestMonkey test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_monkey.moc"
