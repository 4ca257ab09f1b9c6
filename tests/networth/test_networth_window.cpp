// The net worth statement as a user drives it. The sheets' sums are worked in
// test_networth_sheet and the file form in test_networth_file; here one
// figure proves the wiring.

#include "networth/networth_window.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/ui/number_input_dialog.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/full_disk.h"
#include "support/tool_window_test.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using Side = NetWorthStatement::Side;

QByteArray ExampleFile()
{
    QByteArray text = "2,0\r\n\"House\",150000,,\r\n\"Sub Total\",150000,,\r\n";
    for (int r = 0; r < 29; ++r)
        text += ",,,\r\n";
    return text;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestNetWorthCalc : public ToolWindowTest
{
    Q_OBJECT

    QPointer<NetWorthCalc> window;

    QString path(const QString &name) const { return t->folder.filePath(name); }
    SpreadsheetGrid *grid(Side side) const { return window->grid(side); }
    bool open()
    {
        window = qobject_cast<NetWorthCalc *>(openByAccessKey(QStringLiteral("NetWorth")));
        return window;
    }

    // A mouse click on a cell, brought into view first as the scroll bar
    // does (on the cell already current too, which moves nothing).
    void clickCell(Side side, int row, int col)
    {
        SpreadsheetGrid *target = grid(side);
        const QModelIndex index = target->model()->index(row - 1, col);
        target->scrollTo(index);
        QTest::mouseClick(target->viewport(), Qt::LeftButton, Qt::NoModifier, target->visualRect(index).center());
        QApplication::processEvents();
    }
    void typeInto(Side side, int row, int col, const QString &keys)
    {
        clickCell(side, row, col);
        QTest::keyClicks(grid(side), keys);
    }
    void press(Side side, Qt::Key key) { QTest::keyClick(grid(side), key); }
    QString cell(Side side, int row, int col) const { return grid(side)->cell(row, col); }
    QStringList column(Side side, int col, int rows) const
    {
        QStringList cells;
        for (int r = 1; r <= rows; ++r)
            cells << cell(side, r, col);
        return cells;
    }
    // Answers the insert dialog when it shows: the text it started with is
    // kept in `shown`; an empty answer cancels.
    void answerInsertDialog(const QString &answer, QString *shown = nullptr)
    {
        QTimer::singleShot(0, this, [answer, shown] {
            auto *dialog = qobject_cast<FundCurValInput *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto *box = dialog->findChild<QLineEdit *>(QStringLiteral("CurVal"));
            if (shown)
                *shown = box->text();
            box->selectAll();
            QTest::keyClicks(box, answer);
            QTest::mouseClick(dialog->findChild<QPushButton *>(answer.isEmpty() ? QStringLiteral("NoAccept")
                                                                                : QStringLiteral("Accept")),
                              Qt::LeftButton);
        });
    }
    bool toolOpen() const { return window && frame->activeTool() == window && window->isVisible(); }

private slots:
    void init()
    {
        startFrame();
        QVERIFY(open());
    }
    void cleanup()
    {
        // Closing asks nothing more of the script.
        if (window && frame && frame->activeTool() == window)
            window->session().markSaved();
        endFrame();
    }

    // Alt+N opens the statement with the first asset cell chosen: typing
    // fills it, Right moves to its amount, Enter down a row, Alt+C
    // calculates. A liability brings the net worth down; the printer takes
    // the sheets; Ctrl+C copies the cell as shown and types nothing.
    void typedCellByCell()
    {
        QCOMPARE(user->focusedName(), QStringLiteral("NGrid1"));
        user->type(QStringLiteral("House"));
        user->key(Qt::Key_Right);
        user->type(QStringLiteral("150000"));
        user->key(Qt::Key_Left);
        user->enter();
        user->type(QStringLiteral("Car"));
        user->enter();
        user->type(QStringLiteral("Sub Total"));
        typeInto(Side::Assets, 2, 1, QStringLiteral("12000"));
        QVERIFY(user->find<QLabel>("NetInfo")->isVisible());
        user->accessKey(Qt::Key_C);
        QCOMPARE(column(Side::Assets, 0, 5), (QStringList{"House", "Car", "Sub Total", "", "Total Assets"}));
        QCOMPARE(cell(Side::Assets, 5, 1), QStringLiteral("$162,000.00"));
        QVERIFY(!user->find<QLabel>("NetInfo")->isVisible());

        typeInto(Side::Liabilities, 1, 0, QStringLiteral("Mortgage"));
        typeInto(Side::Liabilities, 1, 1, QStringLiteral("90000.5"));
        typeInto(Side::Liabilities, 2, 1, QStringLiteral("7000"));
        user->click("NCalc");
        QCOMPARE(user->text("Net"), QStringLiteral("$71,999.50"));
        t->dialogs.lines << QStringLiteral("Header");
        user->click("NPrinter");
        QCOMPARE(t->printer.jobs.value(0).pages().value(0).value(9),
                 " House" + QString(23, u' ') + "150,000.00  Mortgage" + QString(21, u' ') + "90,000.50");

        clickCell(Side::Assets, 2, 0);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(grid(Side::Assets), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Car\n"));
        QCOMPARE(cell(Side::Assets, 2, 0), QStringLiteral("Car"));
    }

    // Delete empties; typing a period is not a Delete.
    void deleteAndAPeriod()
    {
        typeInto(Side::Assets, 1, 0, QStringLiteral("House"));
        typeInto(Side::Assets, 1, 1, QStringLiteral("150000"));
        clickCell(Side::Assets, 1, 1);
        press(Side::Assets, Qt::Key_Delete);
        QCOMPARE(cell(Side::Assets, 1, 1), QString());
        QTest::keyClicks(grid(Side::Assets), QStringLiteral(".5"));
        QCOMPARE(cell(Side::Assets, 1, 1), QStringLiteral(".50"));
        user->click("NCalc");
        QCOMPARE(cell(Side::Assets, 3, 1), QStringLiteral("$0.50"));
    }

    // Any change marks the statement unsaved, so leaving by Exit, the
    // window's close box or the program's asks question 3, naming the file
    // in memory if there is one. Yes, or the question closed by Escape or
    // its title bar, goes back to the work; No leaves, the window to the menu.
    void everyChangeAsksBeforeLeaving_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("leave");
        QTest::newRow("a typed cell") << "type" << "" << "NExit";
        QTest::newRow("a line inserted in a file opened") << "insert" << "house.qvw" << "NExit";
        QTest::newRow("the window's close box") << "type" << "" << "window";
        QTest::newRow("the program's close box") << "type" << "" << "program";
    }
    void everyChangeAsksBeforeLeaving()
    {
        QFETCH(QString, change);
        QFETCH(QString, file);
        QFETCH(QString, leave);
        WriteFile(path("house.qvw"), ExampleFile());
        if (change == QLatin1String("type")) {
            typeInto(Side::Liabilities, 4, 0, QStringLiteral("Loan"));
        } else {
            t->dialogs.fileNames << path("house.qvw");
            user->click("Loadnet");
            answerInsertDialog(QStringLiteral("1"));
            user->click("InsertAss");
        }
        QCOMPARE(t->dialogs.messages, QList<int>{});
        const auto left = [&] {
            if (leave == QLatin1String("program"))
                return CloseByTitleBar(frame.get());
            if (leave == QLatin1String("window"))
                return window->close();
            user->click(leave);
            return !toolOpen();
        };
        for (const Answer answer : {Answer::Yes, Answer::Closed}) {
            t->dialogs.answers << answer;
            QVERIFY(!left());
            QVERIFY(toolOpen());
        }
        t->dialogs.answers << Answer::No;
        QVERIFY(left());
        QCOMPARE(t->dialogs.questions, (QList<int>{3, 3, 3}));
        QCOMPARE(t->dialogs.questionDetails, (QStringList{file, file, file}));
        if (leave != QLatin1String("program")) {
            Settle();
            QVERIFY(frame->menu()->isVisible());
        }
    }

    // Only a save that worked clears the mark; a failed one says so (14)
    // and leaves the old file whole.
    void aSaveThatDidNotHappenKeepsTheMark_data()
    {
        QTest::addColumn<bool>("diskFull"); // else cancelled
        QTest::newRow("cancelled") << false;
        QTest::newRow("disk full") << true;
    }
    void aSaveThatDidNotHappenKeepsTheMark()
    {
        QFETCH(bool, diskFull);
        const QString target = path("old.qvw");
        WriteFile(target, ExampleFile());
        for (int r = 1; r <= 30; ++r)
            typeInto(Side::Liabilities, r, 0, QString(40, u'x'));
        if (diskFull)
            t->dialogs.fileNames << target;
        {
            std::optional<FullDisk> disk;
            if (diskFull)
                disk.emplace(1000);
            user->click("SaveNet");
        }
        QCOMPARE(t->dialogs.messages, diskFull ? QList<int>{MsgSaveDiskFull} : QList<int>{});
        QCOMPARE(t->dialogs.fileRequests.size(), 1);
        QFile old(target);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), ExampleFile());
        t->dialogs.answers << Answer::Yes;
        user->click("NExit");
        QCOMPARE(t->dialogs.questions, QList<int>{3});
        QCOMPARE(t->dialogs.questionDetails, QStringList{QString()}); // still no file
        QVERIFY(toolOpen());
    }

    // Opening asks first when the statement in memory is unsaved; a file
    // that fails (each refusal is in test_networth_file) shows message 13
    // and leaves the sheets as they were.
    void openingAFileThatFailsKeepsTheSheets()
    {
        WriteFile(path("bad.qvw"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        typeInto(Side::Assets, 1, 0, QStringLiteral("Typed"));
        typeInto(Side::Assets, 1, 1, QStringLiteral("1200"));

        t->dialogs.answers << Answer::Yes; // go back and save
        t->dialogs.fileNames << path("bad.qvw");
        user->click("Loadnet");
        QCOMPARE(t->dialogs.questions, QList<int>{3});
        QVERIFY(t->dialogs.fileRequests.isEmpty());

        t->dialogs.answers << Answer::No;
        user->click("Loadnet");
        QCOMPARE(t->dialogs.messages, QList<int>{13});
        QCOMPARE((QStringList{cell(Side::Assets, 1, 0), cell(Side::Assets, 1, 1)}), (QStringList{"Typed", "1,200.00"}));
        QVERIFY(window->session().unsavedWork());
    }

    // A typed key, Delete and Backspace on row 31 are each refused.
    void theRowLimit()
    {
        clickCell(Side::Liabilities, 31, 0);
        QCOMPARE(grid(Side::Liabilities)->row(), 31);
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_Delete, Qt::Key_Backspace})
            press(Side::Liabilities, key);
        QCOMPARE(t->dialogs.messages, (QList<int>{22, 22, 22}));
        QVERIFY(!window->session().unsaved());
        QVERIFY(!window->session().statement().holdsAnything());
    }

    // The insert box starts at the edit row and the blank line goes in at
    // the row typed; a line that cannot go in is refused aloud, a cancelled
    // box says nothing, and neither changes the sheet.
    void insertingABlankLine_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("at the edit row") << "3" << QList<int>{};
        QTest::newRow("line 1000") << "1000" << QList<int>{54};
        QTest::newRow("cancelled") << "" << QList<int>{};
    }
    void insertingABlankLine()
    {
        QFETCH(QString, answer);
        QFETCH(QList<int>, messages);
        for (int r = 1; r <= 5; ++r)
            typeInto(Side::Liabilities, r, 0, QStringLiteral("L%1").arg(r));
        user->click("NCalc");
        clickCell(Side::Liabilities, 3, 1);
        const NetWorthStatement before = window->session().statement();
        QString shown;
        answerInsertDialog(answer, &shown);
        user->click("InsertLiab");
        QCOMPARE(t->dialogs.messages, messages);
        QCOMPARE(shown, QStringLiteral("3"));
        if (messages.isEmpty() && !answer.isEmpty()) {
            QCOMPARE(column(Side::Liabilities, 0, 6), (QStringList{"L1", "L2", "BlankLine", "L3", "L4", "L5"}));
            return;
        }
        QVERIFY(window->session().statement().sheets == before.sheets);
        QCOMPARE(cell(Side::Liabilities, 5, 0), QStringLiteral("L5"));
    }

    // Typing goes to the cell clicked: what was typed into another cell, into
    // the other sheet, or into this one before the click, is not carried on.
    void aClickedCellStartsAfresh()
    {
        clickCell(Side::Liabilities, 1, 1);
        typeInto(Side::Assets, 1, 0, QStringLiteral("Art"));
        typeInto(Side::Liabilities, 1, 1, QStringLiteral("5000")); // already the current cell there
        QCOMPARE(cell(Side::Liabilities, 1, 1), QStringLiteral("5,000.00"));
        typeInto(Side::Liabilities, 1, 0, QStringLiteral("Loan"));
        typeInto(Side::Assets, 2, 0, QStringLiteral(" "));
        typeInto(Side::Assets, 2, 0, QStringLiteral("Boat"));
        typeInto(Side::Assets, 2, 1, QStringLiteral("99"));
        clickCell(Side::Liabilities, 1, 0);
        typeInto(Side::Assets, 2, 1, QStringLiteral("999999999999.99"));
        user->click("NCalc");
        QCOMPARE(column(Side::Assets, 0, 2), (QStringList{"Art", "Boat"}));
        QCOMPARE(cell(Side::Liabilities, 1, 0), QStringLiteral("Loan"));
        QCOMPARE(cell(Side::Assets, 2, 1), QStringLiteral("999,999,999,999.99"));
        QCOMPARE(user->text("Net"), QStringLiteral("$999,999,994,999.99"));
    }

    // Quick Help hides the sheets and the printer; closed by taking the
    // focus to another button (a cancelled Open File), it opens again at the
    // next click of its own button, and its own button closes it with one
    // click.
    void quickHelp()
    {
        user->click("NHelp");
        QCOMPARE(user->text("NHelp"), QStringLiteral("Close &Help"));
        QVERIFY(!grid(Side::Assets)->isVisible());
        QVERIFY(!user->find<QPushButton>("NPrinter")->isEnabled());
        user->click("Loadnet");
        QCOMPARE(user->text("NHelp"), QStringLiteral("Quick &Help"));
        QVERIFY(grid(Side::Assets)->isVisible());
        user->click("NHelp");
        QCOMPARE(user->text("NHelp"), QStringLiteral("Close &Help"));
        user->click("NHelp");
        QCOMPARE(user->text("NHelp"), QStringLiteral("Quick &Help"));
    }

    // Saving nothing is refused (15) before any box; Open offers no file
    // name at first, and cancelled still calculates the totals, the focus
    // back in the statement. The file opened is where the save box starts,
    // and leaving it unchanged asks nothing.
    void theFileBoxes()
    {
        user->click("SaveNet");
        QCOMPARE(t->dialogs.messages, QList<int>{15});
        QVERIFY(t->dialogs.fileRequests.isEmpty());
        typeInto(Side::Assets, 1, 0, QStringLiteral("House"));
        typeInto(Side::Assets, 1, 1, QStringLiteral("150000"));
        t->dialogs.answers << Answer::No;
        user->click("Loadnet");
        QCOMPARE(t->dialogs.fileRequests.value(0).suggested, QString());
        QVERIFY(window->isVisible());
        QVERIFY(window->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(user->text("Net"), QStringLiteral("$150,000.00"));

        WriteFile(path("house.qvw"), ExampleFile());
        t->dialogs.answers << Answer::No;
        t->dialogs.fileNames << path("house.qvw");
        user->click("Loadnet");
        QCOMPARE(cell(Side::Assets, 2, 1), QStringLiteral("150,000.00"));
        user->click("SaveNet"); // cancelled
        QCOMPARE(t->dialogs.fileRequests.size(), 3);
        QCOMPARE(t->dialogs.fileRequests[2].suggested, path("house.qvw"));
        user->click("NExit");
        QCOMPARE(t->dialogs.questions, (QList<int>{3, 3})); // the two opens over typed work
        QVERIFY(frame->menu()->isVisible());
    }
};

QTEST_MAIN(TestNetWorthCalc)
#include "test_networth_window.moc"
