#include "app/tool_registry.h"
#include "networth/networth_window.h"
#include "networth/networth_file.h"
#include "shell/ui/number_input_dialog.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/full_disk.h"
#include "support/window_driver.h"

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

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Dialogs that also note whether the statement's window could be seen while
// each message and file box was up.
class WatchingDialogs : public UnattendedDialogs
{
public:
    QPointer<QWidget> watched;
    QList<bool> visibleWhileUp;

    void message(MessageNumber number, const QString &detail) override
    {
        note();
        UnattendedDialogs::message(number, detail);
    }
    std::optional<QString> chooseFile(FileKind kind, FileAction action, const QString &suggested) override
    {
        note();
        return UnattendedDialogs::chooseFile(kind, action, suggested);
    }

private:
    void note() { visibleWhileUp << (watched && watched->isVisible()); }
};

} // namespace

class TestNetWorthCalc : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestShell> t;
    std::unique_ptr<MdiContainer> frame;
    NetWorthCalc *window = nullptr;
    std::unique_ptr<WindowDriver> user;

    QString path(const QString &name) const { return t->folder.filePath(name); }
    SpreadsheetGrid *grid(Side side) const { return window->grid(side); }

    // Chooses a cell as a click does.
    void choose(Side side, int row, int col)
    {
        grid(side)->setFocus(Qt::MouseFocusReason);
        grid(side)->setCurrentIndex(grid(side)->model()->index(row - 1, col));
        QApplication::processEvents();
    }
    // A mouse click on a cell, as a user makes it (on the cell already
    // current too, which moves nothing).
    void clickCell(Side side, int row, int col)
    {
        SpreadsheetGrid *target = grid(side);
        const QPoint at = target->visualRect(target->model()->index(row - 1, col)).center();
        QTest::mouseClick(target->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QApplication::processEvents();
    }
    void typeInto(Side side, int row, int col, const QString &keys)
    {
        choose(side, row, col);
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
    // The worked sheet, typed as a user does: Enter moves down a row.
    void typeWorkedSheet()
    {
        typeInto(Side::Assets, 1, 0, QStringLiteral("House"));
        press(Side::Assets, Qt::Key_Return);
        QTest::keyClicks(grid(Side::Assets), QStringLiteral("Car"));
        press(Side::Assets, Qt::Key_Return);
        QTest::keyClicks(grid(Side::Assets), QStringLiteral("Sub Total"));
        press(Side::Assets, Qt::Key_Return);
        QTest::keyClicks(grid(Side::Assets), QStringLiteral("Savings"));
        typeInto(Side::Assets, 1, 1, QStringLiteral("150000"));
        typeInto(Side::Assets, 2, 1, QStringLiteral("12000"));
        typeInto(Side::Assets, 4, 1, QStringLiteral("5000"));
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
    bool toolOpen() const { return frame->activeTool() == window && window->isVisible(); }

private slots:
    void init()
    {
        t = std::make_unique<TestShell>();
        frame = std::make_unique<MdiContainer>(t->shell);
        RegisterTools(*frame);
        window = qobject_cast<NetWorthCalc *>(OpenFromMenu(*frame, QStringLiteral("NetWorth")));
        QVERIFY(window);
        user = std::make_unique<WindowDriver>(window);
    }
    void cleanup()
    {
        user.reset();
        // Closing asks nothing more of the script.
        if (frame && frame->activeTool())
            window->session().markSaved();
        frame.reset();
        t.reset();
    }

    void opensEmpty()
    {
        QCOMPARE(frame->caption(), QStringLiteral(" Net Worth"));
        QCOMPARE(cell(Side::Assets, 0, 0), QStringLiteral(" Assets"));
        QCOMPARE(cell(Side::Liabilities, 0, 0), QStringLiteral(" Liabilities"));
        QCOMPARE(grid(Side::Assets)->rows(), 35);
        QCOMPARE((QStringList{cell(Side::Assets, 2, 0), cell(Side::Assets, 2, 1)}),
                 (QStringList{"Total Assets", "$0.00"}));
        QCOMPARE(user->text("Net"), QStringLiteral("$.00"));
        QVERIFY(!user->find<QLabel>("NetInfo")->isVisible());
    }

    void theWorkedSheetTypedCellByCell()
    {
        typeWorkedSheet();
        QCOMPARE(column(Side::Assets, 1, 4), (QStringList{"150,000.00", "12,000.00", "", "5,000.00"}));
        QVERIFY(user->find<QLabel>("NetInfo")->isVisible());
        user->accessKey(Qt::Key_C);
        QCOMPARE(column(Side::Assets, 0, 6), (QStringList{"House", "Car", "Sub Total", "Savings", "", "Total Assets"}));
        QCOMPARE(column(Side::Assets, 1, 6),
                 (QStringList{"150,000.00", "12,000.00", "162,000.00", "5,000.00", "", "$167,000.00"}));
        QCOMPARE(user->text("Net"), QStringLiteral("$167,000.00"));
        QVERIFY(!user->find<QLabel>("NetInfo")->isVisible());

        // The sheet goes to a spreadsheet: Ctrl+C copies cells as shown
        // (and types nothing), the export writes plain numbers.
        grid(Side::Assets)->setSelection(2, 0, 3, 1);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(grid(Side::Assets), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Car\t12,000.00\nSub Total\t162,000.00\n"));
        QCOMPARE(cell(Side::Assets, 2, 0), QStringLiteral("Car"));
        QVERIFY(grid(Side::Assets)->exportCsv(path(QStringLiteral("assets.csv"))));
        QCOMPARE(ReadFile(path(QStringLiteral("assets.csv"))),
                 QByteArray("Assets,\r\nHouse,150000.00\r\nCar,12000.00\r\nSub Total,162000.00\r\n"
                            "Savings,5000.00\r\n,\r\nTotal Assets,167000.00\r\n"));

        // A liability brings the net worth down; a row without a name goes.
        typeInto(Side::Liabilities, 1, 0, QStringLiteral("Mortgage"));
        typeInto(Side::Liabilities, 1, 1, QStringLiteral("90000.5"));
        typeInto(Side::Liabilities, 2, 1, QStringLiteral("7"));
        user->click("NCalc");
        QCOMPARE(column(Side::Liabilities, 0, 3), (QStringList{"Mortgage", "", "Total Liabilities"}));
        QCOMPARE(user->text("Net"), QStringLiteral("$76,999.50"));
    }

    // From the menu by keyboard alone: Alt+N opens the statement with the
    // first asset cell chosen, typing fills it, Alt+C calculates.
    void byKeyboardAlone()
    {
        user->click("NExit");
        QVERIFY(frame->menu()->isVisible());
        QTest::keyClick(frame->windowHandle(), Qt::Key_N, Qt::AltModifier);
        QVERIFY(WaitForDelayedClicks());
        window = qobject_cast<NetWorthCalc *>(frame->activeTool());
        QVERIFY(window);
        user = std::make_unique<WindowDriver>(window);
        QCOMPARE(user->focusedName(), QStringLiteral("NGrid1"));
        user->type(QStringLiteral("Cash"));
        user->key(Qt::Key_Right);
        user->type(QStringLiteral("250"));
        user->accessKey(Qt::Key_C);
        QCOMPARE((QStringList{cell(Side::Assets, 3, 0), cell(Side::Assets, 3, 1)}),
                 (QStringList{"Total Assets", "$250.00"}));
    }

    void backspaceAndDelete()
    {
        typeInto(Side::Assets, 1, 0, QStringLiteral("Houses"));
        typeInto(Side::Assets, 1, 1, QStringLiteral("100"));
        choose(Side::Assets, 1, 0);
        press(Side::Assets, Qt::Key_Backspace);
        QCOMPARE(cell(Side::Assets, 1, 0), QStringLiteral("House"));
        choose(Side::Assets, 1, 1);
        press(Side::Assets, Qt::Key_Delete);
        QCOMPARE(cell(Side::Assets, 1, 1), QString());
        // Typing a period is not a Delete.
        QTest::keyClicks(grid(Side::Assets), QStringLiteral(".5"));
        QCOMPARE(cell(Side::Assets, 1, 1), QStringLiteral(".50"));
        user->click("NCalc");
        QCOMPARE(cell(Side::Assets, 3, 1), QStringLiteral("$0.50"));
    }

    // Any change marks the statement unsaved, so leaving asks question 3;
    // Yes keeps the window open with the work in it.
    void everyChangeAsksBeforeLeaving_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("a typed cell") << "type";
        QTest::newRow("Backspace") << "backspace";
        QTest::newRow("Delete") << "delete";
        QTest::newRow("an inserted line") << "insert";
        QTest::newRow("typing after a save") << "save then type";
        QTest::newRow("an opened file then edited") << "open then type";
    }
    void everyChangeAsksBeforeLeaving()
    {
        QFETCH(QString, change);
        WriteFile(path("house.qvw"), ExampleFile());
        if (change == QLatin1String("type")) {
            typeInto(Side::Liabilities, 4, 0, QStringLiteral("Loan"));
        } else if (change == QLatin1String("backspace") || change == QLatin1String("delete")) {
            t->dialogs.fileNames << path("house.qvw");
            user->click("Loadnet");
            choose(Side::Assets, 1, 0);
            press(Side::Assets, change == QLatin1String("delete") ? Qt::Key_Delete : Qt::Key_Backspace);
        } else if (change == QLatin1String("insert")) {
            t->dialogs.fileNames << path("house.qvw");
            user->click("Loadnet");
            answerInsertDialog(QStringLiteral("1"));
            user->click("InsertAss");
            QCOMPARE(cell(Side::Assets, 1, 0), QStringLiteral("BlankLine"));
        } else if (change == QLatin1String("save then type")) {
            typeInto(Side::Assets, 1, 0, QStringLiteral("Car"));
            t->dialogs.fileNames << path("car.qvw");
            user->click("SaveNet");
            typeInto(Side::Assets, 1, 1, QStringLiteral("9"));
        } else {
            t->dialogs.fileNames << path("house.qvw");
            user->click("Loadnet");
            typeInto(Side::Assets, 3, 0, QStringLiteral("Boat"));
        }
        QCOMPARE(t->dialogs.messages, QList<int>{});
        t->dialogs.answers << Answer::Yes;
        user->click("NExit");
        QCOMPARE(t->dialogs.questions, QList<int>{3});
        QVERIFY(toolOpen());
        t->dialogs.answers << Answer::No;
        user->click("NExit");
        QCOMPARE(t->dialogs.questions, (QList<int>{3, 3}));
        // The question names the file in memory, if there is one.
        const QString file = change == QLatin1String("type")             ? QString()
                             : change == QLatin1String("save then type") ? QStringLiteral("car.qvw")
                                                                         : QStringLiteral("house.qvw");
        QCOMPARE(t->dialogs.questionDetails, (QStringList{file, file}));
        QVERIFY(frame->menu()->isVisible());
    }

    void nothingChangedLeavesWithoutAQuestion()
    {
        WriteFile(path("house.qvw"), ExampleFile());
        t->dialogs.fileNames << path("house.qvw");
        user->click("Loadnet");
        QCOMPARE(cell(Side::Assets, 2, 1), QStringLiteral("150,000.00"));
        user->click("NExit");
        QCOMPARE(t->dialogs.questions, QList<int>{});
        QVERIFY(frame->menu()->isVisible());
    }

    // Only a save that worked clears the mark; a failed one says so (14)
    // and leaves the old file whole.
    void aSaveThatDidNotHappenKeepsTheMark_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("cancelled") << "cancel" << QList<int>{};
        QTest::newRow("no such folder") << "folder" << QList<int>{MsgSaveNoFolder};
        QTest::newRow("disk full") << "disk" << QList<int>{MsgSaveDiskFull};
    }
    void aSaveThatDidNotHappenKeepsTheMark()
    {
        QFETCH(QString, how);
        QFETCH(QList<int>, messages);
        const QString target = path("old.qvw");
        WriteFile(target, ExampleFile());
        for (int r = 1; r <= 30; ++r)
            typeInto(Side::Liabilities, r, 0, QString(40, u'x'));
        if (how == QLatin1String("folder"))
            t->dialogs.fileNames << path("missing/new.qvw");
        else if (how == QLatin1String("disk"))
            t->dialogs.fileNames << target;
        {
            std::unique_ptr<FullDisk> disk;
            if (how == QLatin1String("disk"))
                disk = std::make_unique<FullDisk>(1000);
            user->click("SaveNet");
        }
        QCOMPARE(t->dialogs.messages, messages);
        QCOMPARE(t->dialogs.fileRequests.size(), 1);
        QVERIFY(t->dialogs.fileRequests[0].action == FileAction::Save);
        QCOMPARE(ReadFile(target), ExampleFile());
        t->dialogs.answers << Answer::Yes;
        user->click("NExit");
        QCOMPARE(t->dialogs.questions, QList<int>{3});
        QCOMPARE(t->dialogs.questionDetails, QStringList{QString()}); // still no file
        QVERIFY(toolOpen());
    }

    void saveAndOpenGiveTheSameSheets()
    {
        typeInto(Side::Assets, 1, 0, QStringLiteral("House"));
        typeInto(Side::Assets, 1, 1, QStringLiteral("150000"));
        typeInto(Side::Assets, 2, 0, QStringLiteral("Sub Total"));
        user->click("NCalc");
        t->dialogs.fileNames << path("house.qvw");
        user->click("SaveNet");
        QCOMPARE(ReadFile(path("house.qvw")), ExampleFile());
        user->click("NExit");
        QCOMPARE(t->dialogs.questions, QList<int>{}); // saved: nothing to ask

        window = qobject_cast<NetWorthCalc *>(OpenFromMenu(*frame, QStringLiteral("NetWorth")));
        QVERIFY(window);
        user = std::make_unique<WindowDriver>(window);
        t->dialogs.fileNames << path("house.qvw");
        user->click("Loadnet");
        QCOMPARE(t->dialogs.fileRequests.size(), 2);
        QVERIFY(t->dialogs.fileRequests[0].action == FileAction::Save && t->dialogs.fileRequests[1].action == FileAction::Open);
        QCOMPARE(column(Side::Assets, 0, 4), (QStringList{"House", "Sub Total", "", "Total Assets"}));
        QCOMPARE(column(Side::Assets, 1, 4), (QStringList{"150,000.00", "150,000.00", "", "$150,000.00"}));
        // A new statement starts without a file; the one opened is the next box's start.
        QCOMPARE(t->dialogs.fileRequests[1].suggested, QString());
        t->dialogs.fileNames << path("copy.qvw");
        user->click("SaveNet");
        QCOMPARE(t->dialogs.fileRequests.value(2).suggested, path("house.qvw"));
        QCOMPARE(ReadFile(path("copy.qvw")), ExampleFile());
    }

    void savingNothingIsRefused()
    {
        t->dialogs.fileNames << path("empty.qvw");
        user->click("SaveNet");
        QCOMPARE(t->dialogs.messages, QList<int>{15});
        QVERIFY(t->dialogs.fileRequests.isEmpty());
        QVERIFY(!QFile::exists(path("empty.qvw")));
    }

    // Opening asks first when the statement in memory is unsaved; a file
    // that fails shows message 13 and leaves the sheets as they were.
    void openingAFileThatFailsKeepsTheSheets_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray example = ExampleFile();
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("truncated") << example.left(example.size() / 2);
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("33 lines") << example + ",,,\r\n";
        QTest::newRow("a wrong count") << QByteArray(example).replace("2,0\r\n", "40,0\r\n");
        QTest::newRow("a text for a count") << QByteArray(example).replace("2,0\r\n", "\"two\",0\r\n");
    }
    void openingAFileThatFailsKeepsTheSheets()
    {
        QFETCH(QByteArray, bytes);
        if (!bytes.isEmpty())
            WriteFile(path("bad.qvw"), bytes);
        typeInto(Side::Assets, 1, 0, QStringLiteral("Typed"));
        typeInto(Side::Assets, 1, 1, QStringLiteral("12"));
        const NetWorthStatement before = window->session().statement();

        t->dialogs.answers << Answer::Yes; // go back and save
        t->dialogs.fileNames << path("bad.qvw");
        user->click("Loadnet");
        QCOMPARE(t->dialogs.questions, QList<int>{3});
        QVERIFY(t->dialogs.fileRequests.isEmpty());

        t->dialogs.answers << Answer::No;
        user->click("Loadnet");
        QCOMPARE(t->dialogs.messages, QList<int>{13});
        QVERIFY(window->session().statement().sheets == before.sheets);
        QCOMPARE((QStringList{cell(Side::Assets, 1, 0), cell(Side::Assets, 1, 1)}), (QStringList{"Typed", "12.00"}));
        QVERIFY(window->session().unsavedWork());
    }

    void theRowLimit_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("a typed key") << Qt::Key_A;
        QTest::newRow("Delete") << Qt::Key_Delete;
        QTest::newRow("Backspace") << Qt::Key_Backspace;
    }
    void theRowLimit()
    {
        QFETCH(Qt::Key, key);
        choose(Side::Liabilities, 31, 0);
        QCOMPARE(grid(Side::Liabilities)->row(), 31);
        press(Side::Liabilities, key);
        QCOMPARE(t->dialogs.messages, QList<int>{22});
        QVERIFY(!window->session().unsaved());
        QVERIFY(!window->session().statement().holdsAnything());
    }

    // The blank line goes in at the row typed (the edit row to start with);
    // only rows holding something move, and a full sheet takes no more.
    void insertingBlankLines()
    {
        for (int r = 1; r <= 5; ++r)
            typeInto(Side::Liabilities, r, 0, QStringLiteral("L%1").arg(r));
        user->click("NCalc");
        typeInto(Side::Liabilities, 7, 0, QStringLiteral("Typed"));
        choose(Side::Liabilities, 3, 1);
        QString shown;
        answerInsertDialog(QStringLiteral("3"), &shown);
        user->click("InsertLiab");
        QCOMPARE(shown, QStringLiteral("3"));
        QCOMPARE(column(Side::Liabilities, 0, 7), (QStringList{"L1", "L2", "BlankLine", "L3", "L4", "L5", "Typed"}));

        answerInsertDialog(QString()); // cancelled
        user->click("InsertLiab");
        answerInsertDialog(QStringLiteral("29"));
        user->click("InsertLiab");
        QCOMPARE(window->session().statement().counts[1], 7);

        for (int r = 8; r <= 30; ++r)
            typeInto(Side::Liabilities, r, 0, QStringLiteral("F%1").arg(r));
        const NetWorthStatement full = window->session().statement();
        answerInsertDialog(QStringLiteral("2"));
        user->click("InsertLiab");
        QVERIFY(window->session().statement().sheets == full.sheets);
        QCOMPARE(cell(Side::Liabilities, 30, 0), QStringLiteral("F30"));
    }

    // The close box with No shows the menu, as the exit button does; Yes keeps the work.
    void closingTheWindow()
    {
        typeInto(Side::Assets, 1, 0, QStringLiteral("Car"));
        t->dialogs.answers << Answer::Yes;
        QVERIFY(!window->close());
        QVERIFY(toolOpen());
        t->dialogs.answers << Answer::No;
        QVERIFY(window->close());
        QApplication::processEvents();
        QCOMPARE(t->dialogs.questions, (QList<int>{3, 3}));
        QVERIFY(frame->menu()->isVisible());
        QCOMPARE(frame->caption(), QStringLiteral(" Tallomar Menu"));
    }

    void closingTheProgramAsksToo()
    {
        typeInto(Side::Assets, 1, 0, QStringLiteral("Car"));
        t->dialogs.answers << Answer::Yes;
        QVERIFY(!frame->close());
        QVERIFY(toolOpen());
        // Escape or the question's title bar goes back to the work as well.
        t->dialogs.answers << Answer::Closed;
        QVERIFY(!frame->close());
        QVERIFY(toolOpen());
        t->dialogs.answers << Answer::No;
        QVERIFY(frame->close());
        QCOMPARE(t->dialogs.questions, (QList<int>{3, 3, 3}));
    }

    // Typing goes to the cell clicked: what was typed into another cell, or
    // into this one before the click, is not carried on.
    void typingInTheOtherSheetStartsAfresh()
    {
        clickCell(Side::Liabilities, 1, 1);
        clickCell(Side::Assets, 1, 0);
        QTest::keyClicks(grid(Side::Assets), QStringLiteral("Art"));
        clickCell(Side::Liabilities, 1, 1); // already the current cell there
        QTest::keyClicks(grid(Side::Liabilities), QStringLiteral("5000"));
        QCOMPARE(cell(Side::Liabilities, 1, 1), QStringLiteral("5,000.00"));
        clickCell(Side::Liabilities, 1, 0);
        QTest::keyClicks(grid(Side::Liabilities), QStringLiteral("Loan"));
        user->click("NCalc");
        QCOMPARE((QStringList{cell(Side::Liabilities, 1, 0), cell(Side::Liabilities, 3, 1)}),
                 (QStringList{"Loan", "$5,000.00"}));
        QCOMPARE(cell(Side::Assets, 1, 0), QStringLiteral("Art"));
        QCOMPARE(user->text("Net"), QStringLiteral("$-5,000.00"));
    }
    void aClickOnTheCurrentCellStartsAfresh()
    {
        clickCell(Side::Assets, 2, 0);
        QTest::keyClicks(grid(Side::Assets), QStringLiteral(" "));
        clickCell(Side::Assets, 2, 0);
        QTest::keyClicks(grid(Side::Assets), QStringLiteral("Boat"));
        QCOMPARE(cell(Side::Assets, 2, 0), QStringLiteral("Boat"));
        clickCell(Side::Assets, 2, 1);
        QTest::keyClicks(grid(Side::Assets), QStringLiteral("99"));
        // A click on the other sheet and back also starts afresh.
        clickCell(Side::Liabilities, 1, 0);
        clickCell(Side::Assets, 2, 1);
        QTest::keyClicks(grid(Side::Assets), QStringLiteral("999999999999.99"));
        QCOMPARE(cell(Side::Assets, 2, 1), QStringLiteral("999,999,999,999.99"));

        user->click("NCalc");
        QCOMPARE((QStringList{cell(Side::Assets, 1, 0), cell(Side::Assets, 1, 1)}),
                 (QStringList{"Boat", "999,999,999,999.99"}));
        QCOMPARE(user->text("Net"), QStringLiteral("$999,999,999,999.99"));
    }

    // An amount below zero read from a file counts, so it is shown: on
    // screen as on paper.
    void aNegativeAmountFromAFileIsShown()
    {
        QByteArray text = "3,0\r\n\"Cash\",25000,,\r\n\"Overdraft\",-1300.5,,\r\n\"Sub Total\",,,\r\n";
        for (int r = 0; r < 28; ++r)
            text += ",,,\r\n";
        WriteFile(path("overdraft.qvw"), text);
        t->dialogs.fileNames << path("overdraft.qvw");
        user->click("Loadnet");
        QCOMPARE(t->dialogs.messages, QList<int>{});
        QCOMPARE(column(Side::Assets, 1, 5), (QStringList{"25,000.00", "-1,300.50", "23,699.50", "", "$23,699.50"}));
        QCOMPARE(user->text("Net"), QStringLiteral("$23,699.50"));
        t->dialogs.lines << QString();
        user->click("NPrinter");
        const QStringList page = t->printer.jobs.value(0).pages().value(0);
        QCOMPARE(page.value(10), QStringLiteral(" Overdraft                    -1,300.50"));
    }

    // Quick Help closed by taking the focus to another button opens again
    // at the next click of its own button.
    void quickHelpAfterAnotherButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Calculate") << "NCalc";
        QTest::newRow("Open File, cancelled") << "Loadnet";
    }
    void quickHelpAfterAnotherButton()
    {
        QFETCH(QString, button);
        user->click("NHelp");
        QCOMPARE(user->text("NHelp"), QStringLiteral("Close &Help"));
        user->click(button);
        QCOMPARE(user->text("NHelp"), QStringLiteral("Quick &Help"));
        QVERIFY(grid(Side::Assets)->isVisible());
        user->click("NHelp");
        QCOMPARE(user->text("NHelp"), QStringLiteral("Close &Help"));
        QVERIFY(user->text("NTextBox").startsWith(QStringLiteral("Open File from disk")));
        // Its own button closes it with one click.
        user->click("NHelp");
        QCOMPARE(user->text("NHelp"), QStringLiteral("Quick &Help"));
    }

    // A blank line that cannot go in is refused aloud; a cancelled box says nothing.
    void aRefusedBlankLineSaysWhy_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("line 0") << "0" << 5 << QList<int>{54};
        QTest::newRow("line 29") << "29" << 5 << QList<int>{54};
        QTest::newRow("line 1000") << "1000" << 5 << QList<int>{54};
        QTest::newRow("a full sheet") << "2" << 30 << QList<int>{22};
        QTest::newRow("cancelled") << "" << 5 << QList<int>{};
    }
    void aRefusedBlankLineSaysWhy()
    {
        QFETCH(QString, answer);
        QFETCH(int, rows);
        QFETCH(QList<int>, messages);
        for (int r = 1; r <= rows; ++r)
            typeInto(Side::Liabilities, r, 0, QStringLiteral("L%1").arg(r));
        user->click("NCalc");
        const NetWorthStatement before = window->session().statement();
        answerInsertDialog(answer);
        user->click("InsertLiab");
        QCOMPARE(t->dialogs.messages, messages);
        QVERIFY(window->session().statement().sheets == before.sheets);
        QCOMPARE(cell(Side::Liabilities, rows, 0), QStringLiteral("L%1").arg(rows));
    }

    // The statement stands aside while a file box or its message is up and
    // comes back after; a cancelled Open still calculates the totals.
    void theFileBoxesStandAlone()
    {
        frame.reset();
        WatchingDialogs dialogs;
        Shell shell{t->state, dialogs, t->printer, QDate(2026, 12, 6), t->folder.path()};
        {
            MdiContainer own(shell);
            RegisterTools(own);
            window = qobject_cast<NetWorthCalc *>(OpenFromMenu(own, QStringLiteral("NetWorth")));
            QVERIFY(window);
            dialogs.watched = window;
            user = std::make_unique<WindowDriver>(window);

            user->click("SaveNet");
            QCOMPARE(dialogs.messages, QList<int>{15});
            QCOMPARE(dialogs.visibleWhileUp, QList<bool>{false});
            QVERIFY(window->isVisible());

            typeInto(Side::Assets, 1, 0, QStringLiteral("House"));
            typeInto(Side::Assets, 1, 1, QStringLiteral("150000"));
            typeInto(Side::Assets, 3, 0, QStringLiteral("Car"));
            typeInto(Side::Assets, 3, 1, QStringLiteral("12000"));
            dialogs.answers << Answer::No;
            user->click("Loadnet");
            QCOMPARE(dialogs.fileRequests.size(), 1);
            QVERIFY(window->isVisible());
            QVERIFY(window->isAncestorOf(QApplication::focusWidget()));
            QCOMPARE(column(Side::Assets, 0, 4), (QStringList{"House", "Car", "", "Total Assets"}));
            QCOMPARE(cell(Side::Assets, 4, 1), QStringLiteral("$162,000.00"));
            QCOMPARE(user->text("Net"), QStringLiteral("$162,000.00"));
            QVERIFY(!user->find<QLabel>("NetInfo")->isVisible());

            dialogs.fileNames << path("house.qvw");
            user->click("SaveNet");
            QVERIFY(QFile::exists(path("house.qvw")));
            QVERIFY(window->isVisible());
            QCOMPARE(dialogs.visibleWhileUp, (QList<bool>{false, false, false}));
            user.reset();
            window = nullptr;
        }
    }

    void quickHelp()
    {
        user->click("NHelp");
        QCOMPARE(user->text("NHelp"), QStringLiteral("Close &Help"));
        QVERIFY(user->text("NTextBox").startsWith(QStringLiteral("Open File from disk or start a new file.")));
        QVERIFY(!grid(Side::Assets)->isVisible());
        QVERIFY(!user->find<QPushButton>("NPrinter")->isEnabled());
        user->click("NHelp");
        QCOMPARE(user->text("NHelp"), QStringLiteral("Quick &Help"));
        QVERIFY(grid(Side::Assets)->isVisible());
    }

    void printingAsTyped()
    {
        typeInto(Side::Assets, 2, 0, QStringLiteral("Car"));
        typeInto(Side::Assets, 2, 1, QStringLiteral("12000"));
        t->dialogs.lines << QStringLiteral("Header");
        user->click("NPrinter");
        QCOMPARE(t->dialogs.messages, QList<int>{});
        QCOMPARE(t->printer.jobs.size(), 1);
        const QStringList page = t->printer.jobs.first().pages().value(0);
        QCOMPARE(page.value(10), QStringLiteral(" Car                          12,000.00"));
        QVERIFY(page.contains(QStringLiteral("                             Net Worth =           $.00")));
    }
};

QTEST_MAIN(TestNetWorthCalc)
#include "test_networth_window.moc"
