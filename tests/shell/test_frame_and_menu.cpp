#include "shell/ui/about_box.h"
#include "shell/ui/settings_window.h"
#include "shell/ui/help_viewer.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/core/placement.h"
#include "shell/ui/tool_window.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

class DummyTool : public ToolWindow
{
public:
    DummyTool(Shell &shell, MdiContainer &frame) : ToolWindow(shell, frame, QStringLiteral(" Dummy Tool"))
    {
        setObjectName(QStringLiteral("DummyTool"));
        auto *exit = new QPushButton(QStringLiteral("E&xit to Menu"), this);
        exit->setObjectName(QStringLiteral("DExit"));
        connect(exit, &QPushButton::clicked, this, [this] { exitToMenu(); });
    }
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestFrameAndMenu : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestShell> t;
    std::unique_ptr<MdiContainer> frame;

    void writeSettings(const QByteArray &line)
    {
        QFile file(QDir(t->folder.path()).filePath(QStringLiteral("Personal.tlm")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(line);
    }
    void start()
    {
        frame = std::make_unique<MdiContainer>(t->shell);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }

private slots:
    void init() { t = std::make_unique<TestShell>(); }
    void cleanup()
    {
        frame.reset();
        t.reset();
    }

    void startsWithTheMenu()
    {
        writeSettings("\"€\",1,\"Ada\"\r\n");
        start();
        QCOMPARE(frame->caption(), QStringLiteral(" Tallomar Menu"));
        QCOMPARE(frame->objectName(), QStringLiteral("MDIContainer"));
        QCOMPARE(QDir::current().canonicalPath(), QDir(t->folder.path()).canonicalPath());
        QCOMPARE(t->state.CurrencySymbol, QStringLiteral("€"));
        QCOMPARE(t->state.PrinterFontChoice, qint16(1));
        QCOMPARE(t->state.TodayText, QStringLiteral("12/6/2026"));
        QCOMPARE(t->state.LayoutClass, qint32(SmallLayout));
        QVERIFY(frame->menu()->myName()->isVisible());
        QCOMPARE(frame->menu()->myName()->text(), QStringLiteral("Ada"));

        const QStringList captions = {
            "Planning your &Savings", "Sa&vings Comparisons", "Planning your &Retirement", "&Mortgages",
            "&Payment on a Loan", "Planning your &401(k)", "&Find Annual Compound Growth",
            "Amount of &Capital Required", "&Net Worth", "&Investment Manager", "Persona&lize Settings",
            "&How to Use the Program", "How to &Get Rich and Stay Rich", "&About...", "E&xit Tallomar"};
        const QList<QPushButton *> buttons = frame->menu()->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 15);
        QStringList shown;
        for (QPushButton *button : buttons)
            shown << button->text();
        QCOMPARE(shown, captions);
        // Tools that are not connected yet cannot be opened.
        QVERIFY(!frame->menu()->button(QStringLiteral("Compound"))->isEnabled());
        QVERIFY(frame->menu()->button(QStringLiteral("InitCurrFont"))->isEnabled());
    }

    // The longest name the settings take is shown whole, inside the menu.
    void aLongNameFitsTheMenu()
    {
        const QByteArray name = "Alexandra Constance Wilhelmina Featherstonehaugh-Montgomery of Little Snoring 42";
        QCOMPARE(name.size(), 80);
        writeSettings("\"$\",0,\"" + name + "\"\r\n");
        start();
        QLabel *label = frame->menu()->myName();
        QTRY_VERIFY(label->isVisible());
        QCOMPARE(label->text(), QString::fromLatin1(name));
        const QRect shown(label->mapTo(frame.get(), QPoint(0, 0)), label->size());
        QVERIFY(frame->rect().contains(shown));
        // Wider than the label, so it wraps: two lines' height.
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) > label->width());
        QVERIFY(label->height() >= 2 * label->fontMetrics().lineSpacing());
    }

    void noNameNoLabel()
    {
        start();
        QVERIFY(frame->menu()->myName()->isHidden());
        QCOMPARE(t->state.CurrencySymbol, QStringLiteral("$"));
    }

    void toolsOpenOneAtATimeAndReturnToTheMenu()
    {
        start();
        MenuMain *menu = frame->menu();
        for (const char *name : {"Savings", "SavingComp", "Canadian", "LoanPmt"})
            menu->setTool(QLatin1String(name), [](Shell &shell, MdiContainer &f) { return new DummyTool(shell, f); });
        for (const char *button : {"Savings", "SavingComp", "Canadian", "LoanPmt"}) {
            QTest::mouseClick(menu->button(QLatin1String(button)), Qt::LeftButton);
            QVERIFY(menu->isHidden());
            QWidget *tool = frame->activeTool();
            QVERIFY(tool && tool->isVisible());
            QCOMPARE(frame->caption(), QStringLiteral(" Dummy Tool"));
            QCOMPARE(tool->pos(), QPoint(-4, -2));
            QTest::mouseClick(tool->findChild<QPushButton *>(QStringLiteral("DExit")), Qt::LeftButton);
            QCOMPARE(frame->caption(), QStringLiteral(" Tallomar Menu"));
            QVERIFY(menu->isVisible());
            QVERIFY(!frame->activeTool());
        }
    }

    void enlargingTheFrameSwitchesTheLayout()
    {
        start();
        frame->menu()->setTool(QStringLiteral("Compound"),
                               [](Shell &shell, MdiContainer &f) { return new DummyTool(shell, f); });
        QTest::mouseClick(frame->menu()->button(QStringLiteral("Compound")), Qt::LeftButton);
        QWidget *tool = frame->activeTool();
        QCOMPARE(frame->menu()->pos(), QPoint(-2, -1));
        frame->resize(900, 700);
        QTRY_COMPARE(t->state.LayoutClass, qint32(LargeLayout));
        QCOMPARE(tool->pos(), QPoint(80, 67));
        frame->resize(900, 500);
        QTRY_COMPARE(t->state.LayoutClass, qint32(SmallLayout));
        QCOMPARE(tool->pos(), QPoint(-4, -2));
    }

    void personalizeSettings()
    {
        writeSettings("\"$\",0,\"Ada\"\r\n");
        start();
        ChangeFnt settings(t->shell, *frame);
        settings.show();
        QVERIFY(QTest::qWaitForWindowActive(&settings));
        WindowDriver user(&settings);
        QCOMPARE(frame->caption(), QStringLiteral(" Personalize"));
        QVERIFY(user.find<QRadioButton>("PtrFt0")->isChecked());
        QCOMPARE(user.text("InCurrency"), QStringLiteral("$"));

        user.focus("InCurrency");
        user.type("E\"UR");
        QCOMPARE(user.text("InCurrency"), QStringLiteral("EU"));
        user.enter();
        QCOMPARE(user.focusedName(), QStringLiteral("InMyName"));
        QCOMPARE(user.text("InCurrency"), QStringLiteral("EU"));

        user.focus("InCurrency");
        user.type("£");
        user.leave();
        QCOMPARE(user.text("InCurrency"), QStringLiteral(" £"));

        user.focus("InMyName");
        user.key(Qt::Key_End);
        user.type(" \"B\"");
        QCOMPARE(user.text("InMyName"), QStringLiteral("Ada B"));
        // Every box and font by its own access key.
        user.key(Qt::Key_1, Qt::AltModifier);
        QTRY_COMPARE(t->state.PrinterFontChoice, qint16(2));
        QVERIFY(user.find<QRadioButton>("PtrFt2")->isChecked());
        user.key(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(user.focusedName(), QStringLiteral("InCurrency"));
        user.key(Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(user.focusedName(), QStringLiteral("InMyName"));
        user.key(Qt::Key_X, Qt::AltModifier); // leaves by the access key, the name still focused
        QTRY_VERIFY(!settings.isVisible());
        QCOMPARE(t->state.CurrencySymbol, QStringLiteral("£"));
        QCOMPARE(t->state.UserName, QStringLiteral("Ada B"));
        QCOMPARE(frame->caption(), QStringLiteral(" Tallomar Menu"));
        QCOMPARE(readFile(QDir(t->folder.path()).filePath(QStringLiteral("Personal.tlm"))),
                 QByteArray("\"\xC2\xA3\",2,\"Ada B\"\r\n"));
    }

    void clearingTheNameHidesIt()
    {
        writeSettings("\"$\",0,\"Ada\"\r\n");
        start();
        QTimer::singleShot(0, this, [] {
            auto *settings = qobject_cast<ChangeFnt *>(QApplication::activeModalWidget());
            QVERIFY(settings);
            WindowDriver user(settings);
            user.focus("InMyName");
            auto *name = settings->findChild<QLineEdit *>(QStringLiteral("InMyName"));
            name->selectAll();
            user.key(Qt::Key_Delete);
            user.click("ExitFonts");
        });
        QTest::mouseClick(frame->menu()->button(QStringLiteral("InitCurrFont")), Qt::LeftButton);
        QVERIFY(frame->menu()->isVisible());
        QVERIFY(frame->menu()->myName()->isHidden());
        QCOMPARE(readFile(QDir(t->folder.path()).filePath(QStringLiteral("Personal.tlm"))),
                 QByteArray("\"$\",0,\"\"\r\n"));
    }

    void aboutBoxShowsTheVersion()
    {
        start();
        QTimer::singleShot(0, this, [] {
            auto *box = qobject_cast<AboutBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->findChild<QLabel *>(QStringLiteral("Version"))->text(), QStringLiteral("Tallomar v3.3"));
            QVERIFY(!box->parentWidget() || box->parentWidget()->findChild<MenuMain *>()->isHidden());
            box->findChild<QPushButton *>(QStringLiteral("AboutExit"))->click();
        });
        QTest::mouseClick(frame->menu()->button(QStringLiteral("About")), Qt::LeftButton);
        QVERIFY(frame->menu()->isVisible());
    }

    void helpDocumentsOpenBesideTheMenu()
    {
        for (const char *name : {"Tlmuse33.hlp", "tlmdat33.grs"})
            QVERIFY(QFile::copy(QStringLiteral(TALLOMAR_SOURCE_DIR "/resources/help/") + QLatin1String(name),
                                QDir(t->folder.path()).filePath(QLatin1String(name))));
        start();
        QTest::mouseClick(frame->menu()->button(QStringLiteral("HowTo")), Qt::LeftButton);
        QTest::mouseClick(frame->menu()->button(QStringLiteral("Getrich")), Qt::LeftButton);
        const QList<HelpViewer *> viewers = frame->findChildren<HelpViewer *>();
        QCOMPARE(viewers.size(), 2);
        QVERIFY(frame->menu()->isVisible());
        QVERIFY(viewers.at(0)->documentText().contains(QStringLiteral("Find Annual Compound Growth")));
        QVERIFY(viewers.at(1)->documentText().contains(QStringLiteral("compound"), Qt::CaseInsensitive));
        // Asking again brings the same window forward.
        QTest::mouseClick(frame->menu()->button(QStringLiteral("HowTo")), Qt::LeftButton);
        QCOMPARE(frame->findChildren<HelpViewer *>().size(), 2);
    }

    void missingHelpFileIsSaidInTheViewer()
    {
        HelpViewer viewer(QDir(t->folder.path()).filePath(QStringLiteral("Tlmuse33.hlp")), QStringLiteral("x"));
        QVERIFY(viewer.documentText().contains(QStringLiteral("Tlmuse33.hlp")));
        QVERIFY(viewer.documentText().contains(QStringLiteral("not found")));
    }

    void exitEndsTheProgram()
    {
        start();
        QTimer::singleShot(0, this, [this] { frame->menu()->button(QStringLiteral("ExitButten"))->click(); });
        QTimer::singleShot(5000, this, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(TestFrameAndMenu)
#include "test_frame_and_menu.moc"
