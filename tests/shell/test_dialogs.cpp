#include "shell/ui/mdi_container.h"
#include "shell/ui/message_box.h"
#include "shell/ui/quick_help_panel.h"
#include "shell/ui/widget_dialogs.h"
#include "support/tool_window_test.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QUrl>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace {

// Runs `answer` on the modal window once it is shown.
template <typename Window>
void whenShown(QObject *context, std::function<void(Window *)> answer)
{
    QTimer::singleShot(0, context, [answer] {
        auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
        QVERIFY(window);
        answer(window);
    });
}

} // namespace

// The program's own dialogs, placed on the frame.
class TestDialogs : public ToolWindowTest
{
    Q_OBJECT

    std::unique_ptr<WidgetDialogs> dialogs;

private slots:
    void init()
    {
        startFrame();
        frame->move(100, 50);
        dialogs = std::make_unique<WidgetDialogs>(t->state, [] { return QDate(2026, 12, 6); });
        dialogs->setFrame(frame.get());
    }
    void cleanup()
    {
        dialogs.reset();
        endFrame();
    }

    void messageBox()
    {
        QPoint shownAt;
        QString text;
        whenShown<MessageBox>(this, [&](MessageBox *box) {
            text = box->findChild<QPlainTextEdit *>(QStringLiteral("TextMsg"))->toPlainText();
            shownAt = box->pos();
            box->findChild<QPushButton *>(QStringLiteral("AMsgExit"))->click();
        });
        dialogs->message(MsgDateFormat);
        QCOMPARE(text, QStringLiteral("Correct date format is 12/6/2026"));
        const QPoint frameAt = frame->frameGeometry().topLeft();
        QCOMPARE(shownAt, frameAt + QPoint(237, 167)); // 3550 and 2500 twips from the frame's corner
    }

    void questionBox_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<Answer>("answer");
        QTest::newRow("yes") << "AllYes" << Answer::Yes;
        QTest::newRow("no") << "AllNo" << Answer::No;
        QTest::newRow("title bar") << "" << Answer::Closed;
        QTest::newRow("escape") << "Escape" << Answer::Closed;
    }
    void questionBox()
    {
        QFETCH(QString, button);
        QFETCH(Answer, answer);
        whenShown<QuestionBox>(this, [&](QuestionBox *box) {
            if (button.isEmpty())
                box->close();
            else if (button == QLatin1String("Escape"))
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->findChild<QPushButton *>(button)->click();
        });
        QCOMPARE(dialogs->ask(QuestionUnsavedFile, QString()), answer);
    }

    // The header box: quotes never get in and Enter moves on to OK; a typed
    // "1" is a header like any other. It stands centred inside the frame.
    void headerInput_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("header");
        QTest::newRow("quotes left out") << "My \"plan\" 2027" << "Acept" << "My plan 2027";
        QTest::newRow("a typed 1") << "1" << "Acept" << "1";
        QTest::newRow("cancel") << "My plan" << "NAcept" << "<cancelled>";
    }
    void headerInput()
    {
        QFETCH(QString, typed);
        QFETCH(QString, close);
        QFETCH(QString, header);
        QRect shownAt;
        whenShown<HeaderInputDialog>(this, [&](HeaderInputDialog *dialog) {
            shownAt = dialog->frameGeometry();
            WindowDriver user(dialog);
            user.focus("InFName");
            user.type(typed);
            QCOMPARE(user.text("InFName"), QString(typed).remove(u'"'));
            user.enter();
            QCOMPARE(user.focusedName(), QStringLiteral("Acept"));
            user.click(close);
        });
        QCOMPARE(dialogs->printHeader().value_or(QStringLiteral("<cancelled>")), header);
        const QRect outer = frame->frameGeometry();
        QVERIFY(outer.contains(shownAt));
        QVERIFY((shownAt.center() - outer.center()).manhattanLength() <= 4);
    }

    void quickHelpLinesUpItsColumns()
    {
        QWidget window;
        auto *button = new QPushButton(&window);
        auto *text = new QPlainTextEdit(&window);
        auto *grid = new QWidget(&window);
        text->resize(400, 200);
        QuickHelpPanel panel(button, text, grid, {}, nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Columns lined up with spaces, as the worked examples are, need a
        // font of one width for every character.
        panel.open(QStringLiteral("Lump sum    $1,000\r\nRate (%)     10.00"));
        QVERIFY(QFontInfo(text->font()).fixedPitch());
    }

    // The file box offers the kind's filter, the samples' folder and the name
    // proposed. It is not squeezed into the frame: its columns get the room
    // they need, and the box stands centred on the frame.
    void fileBoxOffersTheKindAndHasRoom()
    {
        const QString samples = t->folder.path();
        const QString mine = QDir(t->folder.path()).filePath(QStringLiteral("mine"));
        QVERIFY(QDir().mkpath(mine));
        dialogs->setSampleFolder(samples);
        QRect shownAt;
        QList<int> columns;
        whenShown<QFileDialog>(this, [&](QFileDialog *dialog) {
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
            // Sample files come with capital extensions.
            QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("Investment Manager Database (*.qvs *.QVS)")});
            QVERIFY(dialog->sidebarUrls().contains(QUrl::fromLocalFile(samples)));
            QCOMPARE(dialog->directory().absolutePath(), mine);
            QVERIFY(dialog->selectedFiles().value(0).endsWith(QStringLiteral("MYFUNDS.qvs")));
            shownAt = dialog->frameGeometry();
            if (auto *view = dialog->findChild<QTreeView *>(QStringLiteral("treeView")))
                for (int c = 0; c < 4; ++c)
                    columns << view->columnWidth(c);
            static_cast<QDialog *>(dialog)->accept();
        });
        const std::optional<QString> chosen =
            dialogs->chooseFile(FileKind::Funds, FileAction::Save, QDir(mine).filePath(QStringLiteral("MYFUNDS.qvs")));
        QVERIFY(chosen && chosen->endsWith(QStringLiteral("mine/MYFUNDS.qvs")));
        QVERIFY(shownAt.width() >= 760 && shownAt.height() >= 500);
        QVERIFY((shownAt.center() - frame->frameGeometry().center()).manhattanLength() <= 4);
        QCOMPARE(columns.size(), 4);
        // Type and Date read whole, not "pla...ent"; the name keeps room.
        const QFontMetrics metrics(frame->font());
        QVERIFY(columns.at(2) > metrics.horizontalAdvance(QStringLiteral("plain text document")));
        QVERIFY(columns.at(3) > metrics.horizontalAdvance(QStringLiteral("12/31/2026 12:59 PM")));
        QVERIFY(columns.at(0) >= 200);
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
