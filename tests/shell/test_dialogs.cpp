#include "shell/ui/mdi_container.h"
#include "shell/ui/message_box.h"
#include "shell/ui/quick_help_panel.h"
#include "shell/ui/widget_dialogs.h"
#include "support/tool_window_test.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QUrl>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
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

        // No message the program shows is an empty box.
        for (MessageNumber n :
             {MsgNoDataToPrint, MsgNoDataToGraph, MsgWrongEntry, Msg50YearsLimit, Msg40YearsLimit, Msg22Entries,
              MsgWithdrawMoreThanSavings, MsgNotAValidDate, MsgFileNotFound, MsgBadFilenameQvw, MsgNoRecords,
              MsgSelectFund, MsgNoRecordSelected, MsgFundNotInFile, MsgRecordNotSaved, Msg30RowLimit,
              MsgMissingPrice, MsgCannotSort, MsgBadQvsName, MsgCannotCalculate, MsgFundMenuHelp, MsgEmptyFund,
              MsgRecordNotCorrected, MsgDateFormat, MsgNoDate, Msg1000Records, Msg30Funds,
              MsgBadMortgageFileName, MsgBadLoanFileName, MsgNoTransactionType, MsgSettingsNotSaved,
              MsgPrintoutNotWritten, MsgBlankLineNumber, MsgSaveDiskFull, MsgSaveNoFolder, MsgSaveNotAllowed,
              MsgRecordsImported, MsgImportUnreadable, MsgExportNotWritten})
            QVERIFY2(!MessageBox(n, QStringLiteral("x")).message().isEmpty(), qPrintable(QString::number(n)));
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
        QString question;
        whenShown<QuestionBox>(this, [&](QuestionBox *box) {
            question = box->findChild<QLabel *>(QStringLiteral("Label1"))->text();
            if (button.isEmpty())
                box->close();
            else if (button == QLatin1String("Escape"))
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->findChild<QPushButton *>(button)->click();
        });
        QCOMPARE(dialogs->ask(QuestionUnsavedFile, QString()), answer);
        QCOMPARE(question,
                 QStringLiteral(" file in memory will be erased. Do you wish to go back and save it to Disk?."));
    }

    // The header box: quotes never get in and Enter moves on to OK; a typed
    // "1" is a header like any other, and only Cancel, Escape and the title
    // bar cancel. It stands centred inside the frame.
    void headerInput_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("header");
        QTest::newRow("quotes left out") << "My \"plan\" 2027" << "Acept" << "My plan 2027";
        QTest::newRow("a typed 1") << "1" << "Acept" << "1";
        QTest::newRow("cancel") << "My plan" << "NAcept" << "<cancelled>";
        QTest::newRow("escape") << "My plan" << "Escape" << "<cancelled>";
        QTest::newRow("title bar") << "My plan" << "" << "<cancelled>";
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
            if (close == QLatin1String("Escape"))
                QTest::keyClick(dialog, Qt::Key_Escape);
            else if (close.isEmpty())
                dialog->close();
            else
                user.click(close);
        });
        QCOMPARE(dialogs->printHeader().value_or(QStringLiteral("<cancelled>")), header);
        const QRect outer = frame->frameGeometry();
        const auto where = [](QRect r) {
            return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        };
        QVERIFY2(outer.contains(shownAt) && (shownAt.center() - outer.center()).manhattanLength() <= 4,
                 qPrintable(where(shownAt) + QStringLiteral(" in ") + where(outer)));
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
        // Columns lined up with spaces, as the worked examples are.
        panel.open(QStringLiteral("Lump sum    $1,000\r\nRate (%)     10.00\r\nYears           25"));
        QVERIFY(QFontInfo(text->font()).fixedPitch());
        QList<int> ends;
        for (int line = 0; line < 3; ++line) {
            QTextCursor cursor(text->document()->findBlockByNumber(line));
            cursor.movePosition(QTextCursor::EndOfBlock);
            ends.append(text->cursorRect(cursor).x());
        }
        QCOMPARE(ends.at(1), ends.at(0));
        QCOMPARE(ends.at(2), ends.at(0));
    }

    void fileDialogOffersTheKindsFilterAndName()
    {
        const QString samples = t->folder.path();
        const QString mine = QDir(t->folder.path()).filePath(QStringLiteral("mine"));
        QVERIFY(QDir().mkpath(mine));
        dialogs->setSampleFolder(samples);
        whenShown<QFileDialog>(this, [samples, mine](QFileDialog *dialog) {
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
            // Sample files come with capital extensions.
            QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("Investment Manager Database (*.qvs *.QVS)")});
            QVERIFY(dialog->sidebarUrls().contains(QUrl::fromLocalFile(samples)));
            QCOMPARE(dialog->directory().absolutePath(), mine);
            QVERIFY(dialog->selectedFiles().value(0).endsWith(QStringLiteral("MYFUNDS.qvs")));
            static_cast<QDialog *>(dialog)->accept();
        });
        const std::optional<QString> chosen =
            dialogs->chooseFile(FileKind::Funds, FileAction::Save, QDir(mine).filePath(QStringLiteral("MYFUNDS.qvs")));
        QVERIFY(chosen && chosen->endsWith(QStringLiteral("mine/MYFUNDS.qvs")));

        // The next box of that kind, with nothing named, starts in that folder.
        whenShown<QFileDialog>(this, [mine](QFileDialog *dialog) {
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
            QCOMPARE(dialog->directory().absolutePath(), mine);
            dialog->reject();
        });
        QCOMPARE(dialogs->chooseFile(FileKind::Funds, FileAction::Open, QString()), std::nullopt);
    }

    // The Open and Save boxes are not squeezed into the frame: their columns
    // get the room they need, and the box stands centred on the frame.
    void fileBoxHasRoomAndIsCentred_data()
    {
        QTest::addColumn<int>("action");
        QTest::newRow("open") << int(FileAction::Open);
        QTest::newRow("save") << int(FileAction::Save);
    }
    void fileBoxHasRoomAndIsCentred()
    {
        QFETCH(int, action);
        QRect shownAt;
        QList<int> columns;
        whenShown<QFileDialog>(this, [&](QFileDialog *dialog) {
            shownAt = dialog->frameGeometry();
            if (auto *view = dialog->findChild<QTreeView *>(QStringLiteral("treeView")))
                for (int c = 0; c < 4; ++c)
                    columns << view->columnWidth(c);
            dialog->reject();
        });
        dialogs->chooseFile(FileKind::Mortgage, FileAction(action), QString());
        const QRect outer = frame->frameGeometry();
        QVERIFY2(shownAt.width() >= 760 && shownAt.height() >= 500,
                 qPrintable(QStringLiteral("%1x%2").arg(shownAt.width()).arg(shownAt.height())));
        QVERIFY((shownAt.center() - outer.center()).manhattanLength() <= 4);
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
