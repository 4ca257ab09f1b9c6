// The investment manager as a user meets it: the menu, the record entry
// window, the price window, the value table and the listings. The figures
// behind them are worked in the core tests; here one cell each proves that
// a window shows what its session holds.

#include "graph/graphs_all.h"
#include "invest/fund_database.h"
#include "invest/fund_file.h"
#include "invest/fund_menu_window.h"
#include "invest/fund_table_window.h"
#include "invest/record_entry_window.h"
#include "shell/core/message_numbers.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/full_disk.h"
#include "support/tool_window_test.h"
#include "support/source_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {

// Whether every column of a grid can be read at once: all of it inside the
// grid's view, each heading's words whole, no sideways scrolling.
bool EveryColumnShown(SpreadsheetGrid *grid)
{
    QApplication::processEvents();
    const int last = grid->cols() - 1;
    if (grid->columnViewportPosition(last) + grid->columnWidth(last) > grid->viewport()->width() ||
        grid->horizontalScrollBar()->maximum() != 0)
        return false;
    const QFontMetrics heading(grid->horizontalHeader()->font());
    for (int c = 0; c <= last; ++c)
        for (const QString &word : grid->cell(0, c).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (heading.horizontalAdvance(word) > grid->columnWidth(c))
                return false;
    return true;
}

} // namespace

class TestFundWindows : public ToolWindowTest
{
    Q_OBJECT

    FundMenu *menu = nullptr;
    std::unique_ptr<WindowDriver> entry;

    FundsSession &session() { return menu->session(); }
    FundDatabase &funds() { return menu->session().db(); }
    QList<int> &messages() { return t->dialogs.messages; }
    QString path(const QString &name) const { return t->folder.filePath(name); }

    void openEntry()
    {
        user->click("Editrec");
        QVERIFY(menu->entryWindow());
        entry = std::make_unique<WindowDriver>(menu->entryWindow());
    }
    void leaveEntry()
    {
        entry->click("ExBut");
        entry.reset();
    }
    void addFund(const QString &name)
    {
        t->dialogs.lines << name;
        entry->click("createfund");
    }
    // A list entry chosen by the keyboard: from the top, down `steps` times.
    void choose(const char *list, int steps)
    {
        entry->focus(QLatin1String(list));
        entry->key(Qt::Key_Home);
        for (int i = 0; i < steps; ++i)
            entry->key(Qt::Key_Down);
    }
    void chooseFund(int fund) { choose("Funds", fund - 1); }
    void chooseType(const char *name) { choose("ETransType", int(EntryTypeNames().indexOf(QLatin1String(name)))); }
    // A record typed: its type chosen in the list (or the one chosen kept),
    // its date, the boxes it fills.
    void addRecord(const char *type, const char *date, std::initializer_list<std::pair<const char *, const char *>> boxes)
    {
        if (type)
            chooseType(type);
        entry->fill("InDate", QLatin1String(date));
        for (const auto &[box, text] : boxes)
            entry->fill(QLatin1String(box), QLatin1String(text));
        entry->click("AddaRec");
    }
    void clickRow(int row)
    {
        SpreadsheetGrid *grid = menu->entryWindow()->grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row - 1, 0)).center());
    }
    QString cell(int row, int col) const { return entry->cell(QStringLiteral("EGrid"), row, col); }
    QString tableCell(int row, int col) const { return menu->tableWindow()->grid()->cell(row, col); }
    void saveAs(const QString &name)
    {
        t->dialogs.fileNames << path(name);
        user->click("SaveFile");
    }
    void openFile(const QString &file)
    {
        t->dialogs.fileNames << (QDir::isAbsolutePath(file) ? file : path(file));
        user->click("Loadfile");
    }
    void openSample() { openFile(SourceDir() + QStringLiteral("/resources/samples/DtaSampl.QVS")); }

    // The price window, opened from the menu, its grid in hand.
    std::unique_ptr<WindowDriver> openPrices()
    {
        user->click("CompCurr");
        if (!menu->priceWindow())
            return nullptr;
        auto prices = std::make_unique<WindowDriver>(menu->priceWindow());
        prices->focus(QStringLiteral("CPGrid"));
        return prices;
    }

private slots:
    void init()
    {
        startFrame();
        menu = qobject_cast<FundMenu *>(openByAccessKey(QStringLiteral("Manager")));
        QVERIFY(menu);
    }
    void cleanup()
    {
        entry.reset();
        endFrame();
    }

    // Records typed into a fund, a sale corrected by the keyboard alone
    // and a dividend deleted. A number of shares is a count, never read back
    // from what its box shows: passed through by Enter in a correction, a
    // sale's shares stay as typed, below 0. Saved, leaving asks nothing.
    void recordsSurviveCorrectionAndDelete()
    {
        openEntry();
        addFund(QStringLiteral("Growth Fund"));
        addRecord("Bought", "10/12/1998", {{"InPrice", "1250"}, {"InNumber", "2500"}});
        addRecord("Sold", "3/1/1999", {{"InPrice", "1312.5"}, {"InNumber", "400"}, {"InComm", "0"}});
        addRecord("Cash Dividend", "12/31/1998", {{"InCashDiv", "1500"}});

        clickRow(3);
        entry->click("Correctrec");
        QCOMPARE(entry->text("InNumber"), QStringLiteral("400.0000"));
        QVERIFY(!entry->find<QComboBox>("ETransType")->isEnabled());
        entry->focus("InPrice");
        entry->type("1300");
        for (int box = 0; box < 4; ++box) // price, shares, fees, Add Record
            entry->enter();
        QCOMPARE(funds().record(3).price, Money::fromWhole(1300));
        QCOMPARE(funds().record(3).shares, Money::fromWhole(-400));
        t->dialogs.answers << Answer::Yes;
        clickRow(2);
        entry->click("DelRec");
        QCOMPARE(t->dialogs.questions, QList<int>{4});
        QCOMPARE(cell(2, 1), QStringLiteral("Sold    "));
        leaveEntry();
        saveAs(QStringLiteral("mine.qvs"));
        QCOMPARE(user->text("InfoBox"), QStringLiteral(" mine.qvs    Funds = 1    Records = 2 "));
        user->click("ExitMenu");
        QCOMPARE(t->dialogs.questions, QList<int>{4}); // saved: nothing asked
    }

    // A date refused as the date box is left is never stored, neither when
    // a click on Add Record took the focus nor when Add Record's access key
    // was pressed in the box. The box's first key replaces the date shown,
    // and only date keys go in. The other boxes keep what was typed.
    void refusedDateIsNotStored()
    {
        openEntry();
        addFund(QStringLiteral("Alpha"));
        chooseType("Fee Cash");
        entry->fill("InComm", "1500");
        for (const bool accessKey : {false, true}) {
            entry->focus("InDate");
            entry->type("2a/30/2003");
            QCOMPARE(entry->text("InDate"), QStringLiteral("2/30/2003"));
            if (accessKey)
                entry->accessKey(Qt::Key_A);
            else
                entry->click("AddaRec");
            QCOMPARE(messages().last(), 30);
            QCOMPARE(funds().recordCount(), 0);
            QCOMPARE(entry->text("InDate"), QStringLiteral("12/6/2026"));
            QCOMPARE(entry->text("InComm"), QStringLiteral("$1,500.0000"));
        }
        // The user has seen today's date: the next press stores it.
        Settle();
        entry->click("AddaRec");
        QCOMPARE(messages().size(), 2);
        QCOMPARE(funds().recordCount(), 1);
        QCOMPARE(funds().record(1).date, QDate(2026, 12, 6));
    }

    // A record always lands in a real slot: a stale correction mode from
    // elsewhere stores a new record, never into slot 0. The record corrected
    // is the one chosen when Correct was pressed, and the type chosen in the
    // list is the type stored, whatever records the grid lost since.
    void recordsLandWhereTheUserMeantThem()
    {
        session().CalcMode = 1;
        openEntry();
        QCOMPARE(session().CalcMode, qint16(0));
        addFund(QStringLiteral("Alpha"));
        session().CalcMode = 1; // as a window left it
        addRecord("Bought", "1/2/2003", {{"InPrice", "1250"}, {"InNumber", "1000"}, {"InComm", "45"}});
        addRecord("Fee Cash", "1/3/2003", {{"InComm", "1600"}});
        clickRow(2);
        entry->click("Correctrec");
        clickRow(1);
        entry->fill("InComm", "1700");
        entry->click("AddaRec");
        QCOMPARE(funds().record(1).fees, Money::fromWhole(45));
        QCOMPARE(funds().record(2).fees, Money::fromWhole(1700));

        chooseType("Bought");
        t->dialogs.answers << Answer::Yes;
        clickRow(1);
        entry->click("DelRec");
        QCOMPARE(funds().recordCount(), 1);
        QCOMPARE(entry->text("ETransType"), QStringLiteral("Bought"));
        addRecord(nullptr, "2/4/2003", {{"InPrice", "1300"}, {"InNumber", "2000"}});
        QCOMPARE(funds().record(2).typeCode, QStringLiteral("B"));
        QCOMPARE(funds().record(2).shares, Money::fromWhole(2000));
    }

    // Unsaved records are never lost. Only a save that succeeded clears the
    // changed flag; a failed one says so and keeps the old file whole.
    // Leaving, opening another file and closing the program ask, and Yes,
    // Escape or the question's title bar go back; a file that fails its
    // checks leaves the database in memory as it was.
    void unsavedRecordsAreNeverLost()
    {
        openEntry();
        addFund(QStringLiteral("Alpha"));
        addRecord("Fee Cash", "1/6/2001", {{"InComm", "1500"}});
        leaveEntry();
        const QByteArray before = FundFileText(funds());
        user->click("SaveFile"); // cancelled
        saveAs(QStringLiteral("no/such/folder/x.qvs"));
        const QByteArray oldText("0,0,\"All Records\",\"31\"\r\n");
        QFile old(path(QStringLiteral("old.qvs")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(oldText) == oldText.size());
        old.close();
        {
            const FullDisk disk(40);
            saveAs(QStringLiteral("old.qvs"));
        }
        QCOMPARE(messages(), (QList<int>{MsgSaveNoFolder, MsgSaveDiskFull}));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), oldText);
        old.close();
        QVERIFY(session().fileName().isEmpty());

        t->dialogs.answers << Answer::Yes;
        user->click("ExitMenu");
        QCOMPARE(frame->activeTool(), static_cast<QWidget *>(menu));
        t->dialogs.answers << Answer::Yes;
        openFile(QStringLiteral("whatever.qvs"));
        QCOMPARE(t->dialogs.fileRequests.size(), qsizetype(3)); // went back to save
        t->dialogs.fileNames.clear();
        openEntry(); // the entry window open over the menu changes nothing
        for (const Answer answer : {Answer::Yes, Answer::Closed}) {
            t->dialogs.answers << answer;
            QVERIFY(!CloseByTitleBar(frame.get()));
        }
        leaveEntry();

        QVERIFY(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
        old.write("2,1,\"All Records\",\"31\"\r\n\"A\",\" 1\"\r\n1,10,100,50,0,1050,\"B\",#1998-10-12#\r\n");
        old.close();
        t->dialogs.answers << Answer::No;
        openFile(QStringLiteral("old.qvs"));
        QCOMPARE(messages().last(), 13);
        QCOMPARE(FundFileText(funds()), before);
        QCOMPARE(session().DataChanged, qint16(1));
        QCOMPARE(t->dialogs.questions, QList<int>(5, 3));
        // No lets the program close. (A file opened counts as saved:
        // sampleFileFromTheMenu leaves without a question.)
        t->dialogs.answers << Answer::No;
        QVERIFY(CloseByTitleBar(frame.get()));
        QCOMPARE(session().DataChanged, qint16(0));
    }

    // Funds are chosen by their place in the list, names alike or not.
    void fundsByTheirPlace()
    {
        openEntry();
        addFund(QStringLiteral("Same"));
        addFund(QStringLiteral("Same"));
        chooseFund(2);
        addRecord("Fee Cash", "1/2/2003", {{"InComm", "1500"}});
        QCOMPARE(funds().record(1).fundNumber, Money::fromWhole(2));
        chooseFund(1);
        QCOMPARE(cell(1, 0), QString());
        chooseFund(2);
        QCOMPARE(cell(1, 0), QStringLiteral("1"));
    }

    // A fund name added to or deleted from a file is a change to it: leaving
    // the manager asks, and Yes goes back to save it.
    void fundNamesAreChanges()
    {
        openSample();
        openEntry();
        addFund(QStringLiteral("Brand New Fund"));
        leaveEntry();
        t->dialogs.answers << Answer::Yes;
        user->click("ExitMenu");
        saveAs(QStringLiteral("with a new fund.qvs"));
        QCOMPARE(messages(), QList<int>());
        openEntry();
        entry->focus("Funds");
        entry->key(Qt::Key_End);
        t->dialogs.answers << Answer::Yes;
        entry->click("DelRec");
        leaveEntry();
        t->dialogs.answers << Answer::Yes;
        user->click("ExitMenu");
        QCOMPARE(t->dialogs.questions, (QList<int>{3, 5, 3}));
    }

    // At the frame's starting size the entry grid shows every column, a
    // holding of 1,500,000 shares included.
    void entryGridReadableAtTheStartingSize()
    {
        QCOMPARE(frame->size(), QSize(641, 454));
        openEntry();
        addFund(QStringLiteral("Alpha"));
        addRecord("Bought", "1/5/2001", {{"InPrice", "1234.5678"}, {"InNumber", "1500000"}, {"InComm", "1250.5"}});
        QVERIFY(EveryColumnShown(menu->entryWindow()->grid()));
        // Book Value, the last column, whole: 1,500,000 x 1,234.5678 + 1,250.50.
        QCOMPARE(cell(1, 8), QStringLiteral("1,851,852,950.50"));
    }

    // The sample file valued, drawn, printed and listed whole, every column
    // readable at the starting size; out with nothing asked.
    void sampleFileFromTheMenu()
    {
        openSample();
        const int count = funds().fundCount();
        auto prices = openPrices();
        QVERIFY(prices);
        for (int f = 1; f <= count; ++f) {
            prices->type(QStringLiteral("2000"));
            prices->enter();
        }
        prices->click("CurValOK");
        QVERIFY(menu->tableWindow() && menu->tableWindow()->valueTableShown());
        // The menu's buttons are not there to take the table's keys.
        QVERIFY(!menu->findChild<QPushButton *>("ExitMenu")->isVisible());
        QCOMPARE(tableCell(1, 3), QStringLiteral("$2,000.00"));
        QVERIFY(EveryColumnShown(menu->tableWindow()->grid()));
        QCOMPARE(messages(), QList<int>());

        // The graph draws the funds and returns to the table, which prints
        // (what it prints is test_fund_printouts').
        WindowDriver table(menu->tableWindow());
        table.click("DrwGraph");
        QVERIFY(frame->overTool());
        const GraphRequest &drawn = qobject_cast<GraphsAll *>(frame->overTool())->request();
        QVERIFY(drawn.kind == GraphKind::Funds);
        QCOMPARE(drawn.ResultCount, qint16(count));
        QTest::mouseClick(frame->overTool()->findChild<QPushButton *>("ExitBut"), Qt::LeftButton);
        QVERIFY(menu->tableWindow() && menu->tableWindow()->isVisible());
        t->dialogs.lines << QStringLiteral("Values");
        table.click("Printr");
        QCOMPARE(t->printer.jobs.size(), 1);
        table.click("ExitBut");
        QVERIFY(menu->findChild<QPushButton *>("ExitMenu")->isVisible());

        // The fund chooser answered with All Records as it shows.
        QTimer::singleShot(0, this, [] {
            if (auto *chooser = qobject_cast<FundChoose *>(QApplication::activeModalWidget()))
                QTest::mouseClick(chooser->findChild<QPushButton *>("AllRec"), Qt::LeftButton);
        });
        user->click("Display");
        QVERIFY(menu->tableWindow());
        QVERIFY(!menu->tableWindow()->findChild<QPushButton *>("DrwGraph")->isVisible());
        QVERIFY(EveryColumnShown(menu->tableWindow()->grid()));
        QCOMPARE(tableCell(menu->tableWindow()->lastListRow(), 0), QStringLiteral("Total all Funds:"));
        WindowDriver(menu->tableWindow()).click("ExitBut");
        user->click("ExitMenu");
        QVERIFY(t->dialogs.questions.isEmpty());
    }

    // A price that takes a holding past what money can hold is told, and
    // the price can be corrected. (A missing price is the core's message.)
    void valueTooLargeIsTold()
    {
        funds().addFund(QStringLiteral("Huge"));
        funds().appendRecord(MakeRecord(1, QStringLiteral("B"), QDate(2001, 1, 5),
                                        {Money::fromWhole(90000000), Money::fromWhole(9000000), {}, {}}, 1));
        auto prices = openPrices();
        QVERIFY(prices);
        prices->type(QStringLiteral("1000000000"));
        prices->click("CurValOK");
        QCOMPARE(messages(), QList<int>{3});
        QVERIFY(menu->priceWindow());
        prices->focus(QStringLiteral("CPGrid"));
        prices->key(Qt::Key_Backspace);
        prices->type(QStringLiteral("100000"));
        prices->click("CurValOK");
        QVERIFY(menu->tableWindow());
        QCOMPARE(tableCell(1, 4), QStringLiteral("900,000,000,000.00"));
    }

    // The annual return runs to the date typed in the price window; a date
    // that is no date is refused. The date stays for the next visit.
    void annualReturnToATypedDate()
    {
        funds().addFund(QStringLiteral("Growth Fund"));
        funds().appendRecord(MakeRecord(1, QStringLiteral("B"), QDate(2020, 1, 1),
                                        {Money::fromWhole(1000), Money::fromWhole(1500), {}, {}}, 1));
        auto prices = openPrices();
        QVERIFY(prices);
        prices->type(QStringLiteral("1200"));
        prices->fill("ValDate", QStringLiteral("13/45/2022"));
        QCOMPARE(messages(), QList<int>{MsgDateFormat});
        QCOMPARE(prices->text("ValDate"), QStringLiteral("12/6/2026"));
        prices->type(QStringLiteral("1/1/2022"));
        prices->click("CurValOK");
        QVERIFY(menu->tableWindow());
        QCOMPARE(tableCell(1, 8), QStringLiteral("9.53%"));
        WindowDriver(menu->tableWindow()).click("ExitBut");

        QCOMPARE(openPrices()->text("ValDate"), QStringLiteral("1/1/2022"));
        QCOMPARE(messages(), QList<int>{MsgDateFormat});
    }
};

QTEST_MAIN(TestFundWindows)
#include "test_fund_windows.moc"
