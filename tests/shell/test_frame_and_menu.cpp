#include "app/tool_registry.h"
#include "shell/ui/help_viewer.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/core/placement.h"
#include "support/tool_window_test.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

class TestFrameAndMenu : public ToolWindowTest
{
    Q_OBJECT

    // Presses a menu button by its access key; `drive` acts in the modal
    // window it opens, which waits in its own loop until it is closed.
    void pressForModal(const QString &button, const std::function<void(QWidget *)> &drive)
    {
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [poll, drive] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                poll->stop();
                poll->deleteLater();
                drive(modal);
            }
        });
        poll->start(10);
        frame->activateWindow();
        QTest::keyClick(frame->windowHandle(), accessKeyOf(button), Qt::AltModifier);
        QVERIFY(WaitForDelayedClicks());
        QVERIFY(WaitFor([] { return !QApplication::activeModalWidget(); }));
    }

private slots:
    void init() { startFrame(); }
    void cleanup() { endFrame(); }

    void startsWithTheMenuAndTheSettings()
    {
        QCOMPARE(frame->caption(), QStringLiteral(" Tallomar Menu"));
        QVERIFY(frame->menu()->myName()->isHidden());
        QCOMPARE(t->state.LayoutClass, qint32(SmallLayout));
        // The settings file as a user left it in an earlier run, and the
        // frame started anew to read it.
        QFile file(QDir(t->folder.path()).filePath(QStringLiteral("Personal.tlm")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\"€\",1,\"Ada\"\r\n");
        file.close();
        user.reset();
        frame = std::make_unique<MdiContainer>(t->shell);
        RegisterTools(*frame);
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QCOMPARE(QDir::current().canonicalPath(), QDir(t->folder.path()).canonicalPath());
        QCOMPARE(t->state.CurrencySymbol, QStringLiteral("€"));
        QCOMPARE(t->state.PrinterFontChoice, qint16(1));
        QCOMPARE(t->state.TodayText, QStringLiteral("12/6/2026"));
        QVERIFY(frame->menu()->myName()->isVisible());
        QCOMPARE(frame->menu()->myName()->text(), QStringLiteral("Ada"));
    }

    // A tool opens in the frame's corner, which moves with the layout (where
    // to is the placement table's). That one tool or the menu shows at a
    // time, whatever the user does, is checked by test_monkey.
    void enlargingTheFrameSwitchesTheLayout()
    {
        QWidget *tool = openByAccessKey(QStringLiteral("Compound"));
        QVERIFY(tool);
        const QPoint small = tool->pos();
        frame->resize(900, 700);
        QTRY_COMPARE(t->state.LayoutClass, qint32(LargeLayout));
        QVERIFY(tool->pos() != small);
        frame->resize(900, 500);
        QTRY_COMPARE(t->state.LayoutClass, qint32(SmallLayout));
        QCOMPARE(tool->pos(), small);
    }

    // The longest name the settings take, typed with quotes that never get
    // in, is shown whole inside the menu; a name cleared hides the label.
    void personalizeSettings()
    {
        const QString name =
            QStringLiteral("Alexandra Constance Wilhelmina Featherstonehaugh-Montgomery of Little Snoring 42");
        QString caption;
        pressForModal(QStringLiteral("InitCurrFont"), [&caption, &name, this](QWidget *settings) {
            caption = frame->caption();
            WindowDriver user(settings);
            QCOMPARE(user.text("InCurrency"), QStringLiteral("$"));
            // Enter moves on; a symbol of one character is shown after a space.
            user.focus("InCurrency");
            user.type("£");
            user.enter();
            QCOMPARE(user.focusedName(), QStringLiteral("InMyName"));
            QCOMPARE(user.text("InCurrency"), QStringLiteral(" £"));

            user.focus("InMyName");
            user.type(QString(name).insert(10, u'"').insert(20, u'"'));
            QCOMPARE(user.text("InMyName"), name);
            // Every box and font by its own access key.
            user.accessKey(Qt::Key_1);
            QVERIFY(user.find<QRadioButton>("PtrFt2")->isChecked());
            user.accessKey(Qt::Key_C);
            QCOMPARE(user.focusedName(), QStringLiteral("InCurrency"));
            user.accessKey(Qt::Key_N);
            QCOMPARE(user.focusedName(), QStringLiteral("InMyName"));
            user.accessKey(Qt::Key_X); // leaves by the access key, the name still focused
        });
        QCOMPARE(caption, QStringLiteral(" Personalize"));
        QCOMPARE(t->state.CurrencySymbol, QStringLiteral("£"));
        QCOMPARE(t->state.UserName, name);
        QCOMPARE(t->state.PrinterFontChoice, qint16(2));
        QLabel *label = frame->menu()->myName();
        QTRY_VERIFY(label->isVisible());
        QCOMPARE(label->text(), name);
        const QRect shown(label->mapTo(frame.get(), QPoint(0, 0)), label->size());
        QVERIFY(frame->rect().contains(shown));
        // Wider than the label, so it wraps: two lines' height.
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) > label->width());
        QVERIFY(label->height() >= 2 * label->fontMetrics().lineSpacing());

        pressForModal(QStringLiteral("InitCurrFont"), [](QWidget *settings) {
            WindowDriver user(settings);
            user.focus("InMyName");
            user.key(Qt::Key_A, Qt::ControlModifier);
            user.key(Qt::Key_Delete);
            user.click("ExitFonts");
        });
        QVERIFY(frame->menu()->isVisible());
        QVERIFY(frame->menu()->myName()->isHidden());
    }

    void helpDocumentsOpenBesideTheMenu()
    {
        for (const char *button : {"HowTo", "Getrich"}) {
            frame->activateWindow();
            QTest::keyClick(frame->windowHandle(), accessKeyOf(QLatin1String(button)), Qt::AltModifier);
            QVERIFY(WaitForDelayedClicks());
        }
        const QList<HelpViewer *> viewers = frame->findChildren<HelpViewer *>();
        QCOMPARE(viewers.size(), 2);
        QVERIFY(frame->menu()->isVisible());
        QVERIFY(viewers.at(0)->documentText().contains(QStringLiteral("Find Annual Compound Growth")));
        QVERIFY(viewers.at(1)->documentText().contains(QStringLiteral("compound"), Qt::CaseInsensitive));
        // Asking again brings the same window forward.
        user = std::make_unique<WindowDriver>(frame.get());
        user->click(QStringLiteral("HowTo"));
        QCOMPARE(frame->findChildren<HelpViewer *>().size(), 2);
    }

    void missingHelpFileIsSaidInTheViewer()
    {
        const QString missing = QDir(t->folder.path()).filePath(QStringLiteral("Missing.hlp"));
        HelpViewer viewer(missing, QStringLiteral("x"));
        QVERIFY(viewer.documentText().contains(QStringLiteral("Missing.hlp")));
        QVERIFY(viewer.documentText().contains(QStringLiteral("not found")));
    }

    void exitEndsTheProgram()
    {
        QTimer::singleShot(0, this, [this] {
            frame->activateWindow();
            QTest::keyClick(frame->windowHandle(), accessKeyOf(QStringLiteral("ExitButten")), Qt::AltModifier);
        });
        QTimer::singleShot(5000, this, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(TestFrameAndMenu)
#include "test_frame_and_menu.moc"
