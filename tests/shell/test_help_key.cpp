#include "shell/ui/calculator_window.h"
#include "shell/ui/help_viewer.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "support/tool_window_test.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

// F1 opens "How to Use the Program" where the window in front is explained:
// a tool's own chapter, the graph window's, the settings', or the start of
// the document from the menu.
class TestHelpKey : public ToolWindowTest
{
    Q_OBJECT

    HelpViewer *viewer() const
    {
        HelpViewer *shown = nullptr;
        for (HelpViewer *viewer : frame->findChildren<HelpViewer *>())
            if (viewer->isVisible())
                shown = viewer;
        return shown;
    }
    // The heading at the top of the viewer's page.
    QString chapterShown() const
    {
        HelpViewer *shown = viewer();
        if (!shown)
            return QStringLiteral("<no help window>");
        auto *browser = shown->findChild<QTextBrowser *>(QStringLiteral("HelpText"));
        return browser->cursorForPosition(QPoint(40, 8)).block().text();
    }
    void pressF1()
    {
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused);
        WindowDriver(focused->window()).key(Qt::Key_F1);
    }

    // Back in the frame after reading the help.
    void backToTheFrame()
    {
        frame->activateWindow();
        QApplication::setActiveWindow(frame.get());
        QTRY_VERIFY(frame->isActiveWindow());
    }

private slots:
    void init() { startFrame(); }
    void cleanup() { endFrame(); }

    // A tool's F1, in the middle of typing a figure, which the help leaves as
    // it is (every tool has its chapter the same way, from openTool); then
    // the menu's.
    void aToolThenTheMenuOpenTheirChapters()
    {
        const QString chapter = QStringLiteral("Find Annual Compound Growth");
        auto *tool = qobject_cast<CalculatorWindow *>(openByAccessKey(QStringLiteral("Compound")));
        QVERIFY(tool);
        const QString box = QLatin1String(tool->session().fields().front().control);
        user->focus(box);
        user->type("1000");
        QPointer<QWidget> focused = QApplication::focusWidget();
        pressF1();
        QTRY_COMPARE(chapterShown(), chapter);
        QVERIFY(viewer()->windowTitle().contains(QStringLiteral("How to Use the Program")));
        QCOMPARE(frame->activeTool(), tool);

        // Back in the tool, nothing typed is lost; F1 again finds the chapter
        // though the reader scrolled elsewhere.
        auto *browser = viewer()->findChild<QTextBrowser *>(QStringLiteral("HelpText"));
        browser->moveCursor(QTextCursor::End);
        browser->ensureCursorVisible();
        QVERIFY(chapterShown() != chapter);
        backToTheFrame();
        // The window lost the focus to the help and got it back: the figure
        // typed is the box's, shown as any box left shows it.
        QVERIFY(focused);
        QCOMPARE(QApplication::focusWidget(), focused.data());
        QVERIFY(user->text(box).remove(QLatin1Char(',')).contains(QStringLiteral("1000")));
        pressF1();
        QTRY_COMPARE(chapterShown(), chapter);

        // The menu's F1 is the document's start, wherever the tool's left it.
        backToTheFrame();
        user->accessKey(Qt::Key_X);
        QTRY_VERIFY(frame->menu()->isVisible());
        frame->menu()->button(QStringLiteral("Savings"))->setFocus();
        pressF1();
        QTRY_COMPARE(chapterShown(), QStringLiteral("How to Use Tallomar"));
        QCOMPARE(frame->findChildren<HelpViewer *>().size(), 1);
    }

    // The calculators' Quick Help says to press F1: it works while it is open.
    void quickHelpOpenStillTakesF1()
    {
        QVERIFY(openByAccessKey(QStringLiteral("Canadian")));
        user->click("MHelp");
        QVERIFY(user->text("MTextBox").contains(QStringLiteral("Press F1")));
        user->focus("MTextBox");
        pressF1();
        QTRY_COMPARE(chapterShown(), QStringLiteral("Mortgages"));
    }

    void graphWindowOpensItsChapter()
    {
        QVERIFY(openByAccessKey(QStringLiteral("Compound")));
        user->accessKey(Qt::Key_C);
        user->accessKey(Qt::Key_S);
        QTRY_VERIFY(frame->overTool());
        frame->overTool()->setFocus();
        pressF1();
        QTRY_COMPARE(chapterShown(), QStringLiteral("The Graph window"));
    }

    // The settings window is modal: its F1 opens a help window the user can
    // read and scroll while it is open.
    void settingsWindowOpensItsChapter()
    {
        QString chapter;
        bool blocked = true;
        // The menu's access key clicks a moment later; the settings then wait
        // in their own loop.
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [&, poll] {
            QWidget *settings = QApplication::activeModalWidget();
            if (!settings)
                return;
            poll->stop();
            poll->deleteLater();
            WindowDriver user(settings);
            user.focus(QStringLiteral("InMyName"));
            user.key(Qt::Key_F1);
            if (QTest::qWaitFor([&] { return chapterShown() == QStringLiteral("Personalize Settings"); }, 2000))
                chapter = chapterShown();
            // Not blocked: the help window is the modal window's own.
            for (QWidget *up = viewer(); up && blocked; up = up->parentWidget())
                blocked = up != settings;
            CloseByTitleBar(settings);
        });
        poll->start(10);
        QTest::keyClick(frame->windowHandle(), accessKeyOf(QStringLiteral("InitCurrFont")), Qt::AltModifier);
        QVERIFY(WaitForDelayedClicks());
        QCOMPARE(chapter, QStringLiteral("Personalize Settings"));
        QVERIFY(!blocked);
    }
};

QTEST_MAIN(TestHelpKey)
#include "test_help_key.moc"
