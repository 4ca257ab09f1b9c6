#include "graph/graphs_all.h"
#include "app/tool_registry.h"
#include "invest/fund_database.h"
#include "invest/fund_file.h"
#include "invest/fund_menu_window.h"
#include "invest/record_entry_window.h"
#include "invest/fund_table_window.h"
#include "invest/fund_values.h"
#include "shell/ui/number_input_dialog.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/message_texts.h"
#include "shell/ui/menu_main.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/full_disk.h"
#include "support/window_driver.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QHeaderView>
#include <QScrollBar>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QPushButton>
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace {

// One record as typed: type list entry, date and the boxes it fills.
struct Typed
{
    const char *type;
    const char *date;
    const char *price;
    const char *number;
    const char *fees;
    const char *cashDividend;
};

} // namespace

class TestFundWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestShell> t;
    std::unique_ptr<MdiContainer> frame;
    FundMenu *menu = nullptr;
    std::unique_ptr<WindowDriver> user;
    std::unique_ptr<WindowDriver> entry;

    AppState &state() { return t->state; }
    FundsSession &session() { return menu->session(); }
    FundDatabase &funds() { return menu->session().db(); }
    QList<int> &messages() { return t->dialogs.messages; }

    void openEntry()
    {
        QTest::mouseClick(menu->findChild<QPushButton *>("Editrec"), Qt::LeftButton);
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
    void choose(const char *list, int index)
    {
        auto *combo = entry->find<QComboBox>(QLatin1String(list));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void chooseFund(int fund) { choose("Funds", fund - 1); }
    void chooseType(const char *name) { choose("ETransType", EntryTypeNames().indexOf(QLatin1String(name))); }
    void typeRecord(const Typed &record)
    {
        chooseType(record.type);
        entry->fill("InDate", QLatin1String(record.date));
        const std::pair<const char *, const char *> boxes[] = {
            {"InPrice", record.price}, {"InNumber", record.number}, {"InComm", record.fees}, {"InCashDiv", record.cashDividend}};
        for (const auto &[box, text] : boxes)
            if (text)
                entry->fill(QLatin1String(box), QLatin1String(text));
    }
    void addRecord(const Typed &record)
    {
        typeRecord(record);
        entry->click("AddaRec");
    }
    void clickRow(int row)
    {
        SpreadsheetGrid *grid = menu->entryWindow()->grid();
        const QRect cell = grid->visualRect(grid->model()->index(row - 1, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QString cell(int row, int col) const { return entry->cell(QStringLiteral("EGrid"), row, col); }
    QString status() const { return menu->findChild<QLabel *>("InfoBox")->text(); }
    QString path(const QString &name) const { return t->folder.filePath(name); }
    void saveAs(const QString &name)
    {
        t->dialogs.fileNames << path(name);
        user->click("SaveFile");
    }
    void openFile(const QString &name)
    {
        t->dialogs.fileNames << path(name);
        user->click("Loadfile");
    }
    // Two funds with a record each, not saved.
    void smallDatabase()
    {
        openEntry();
        addFund(QStringLiteral("Alpha"));
        addRecord({"Bought", "1/5/2001", "10", "100", "50", nullptr});
        addFund(QStringLiteral("Beta"));
        addRecord({"Fee Cash", "1/6/2001", nullptr, nullptr, "12", nullptr});
        leaveEntry();
    }

    // Answers the next modal dialog as it shows: the price dialog with a
    // text, the fund chooser with a fund (0 for All Records, -1 Cancel).
    void answerPrice(const QString &answer)
    {
        QTimer::singleShot(0, this, [answer] {
            auto *dialog = qobject_cast<FundCurValInput *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("CurVal")), answer);
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("Accept")), Qt::LeftButton);
        });
    }
    void answerChooser(int fund)
    {
        QTimer::singleShot(0, this, [fund] {
            auto *chooser = qobject_cast<FundChoose *>(QApplication::activeModalWidget());
            if (!chooser)
                return;
            if (fund == 0) {
                QTest::mouseClick(chooser->findChild<QPushButton *>(QStringLiteral("AllRec")), Qt::LeftButton);
            } else if (fund < 0) {
                QTest::mouseClick(chooser->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
            } else {
                auto *list = chooser->findChild<QListWidget *>(QStringLiteral("Fund"));
                list->setCurrentRow(fund - 1);
                QTest::keyClick(list, Qt::Key_Return);
            }
        });
    }
    QString tableCell(int row, int col) const { return menu->tableWindow()->grid()->cell(row, col); }
    SpreadsheetGrid *priceGrid() const { return menu->priceWindow()->grid(); }
    void typePrice(const QString &text) { QTest::keyClicks(priceGrid(), text); }
    // Makes a cell of the price grid current, as a click or the arrows do.
    void priceCell(int row, int col) { priceGrid()->setCurrentIndex(priceGrid()->model()->index(row - 1, col)); }

private slots:
    void init()
    {
        t = std::make_unique<TestShell>();
        frame = std::make_unique<MdiContainer>(t->shell);
        RegisterTools(*frame);
        menu = qobject_cast<FundMenu *>(OpenFromMenu(*frame, QStringLiteral("Manager")));
        QVERIFY(menu);
        user = std::make_unique<WindowDriver>(menu);
    }
    void cleanup()
    {
        entry.reset();
        user.reset();
        frame.reset();
        t.reset();
    }

    void menuOpensEmpty()
    {
        QCOMPARE(frame->caption(), QStringLiteral(" Investment Management Menu"));
        QCOMPARE(status(), QStringLiteral(" None "));
        QCOMPARE(FundName(funds(), AllRecordsSlot), QStringLiteral("All Records"));
        for (const char *command : {"Display", "SortRec", "CompCurr", "SaveFile"})
            user->click(QLatin1String(command));
        QCOMPARE(messages(), (QList<int>{15, 15, 15, 15}));
        user->click("Help7");
        QCOMPARE(messages().last(), 27);
        user->click("ExitMenu");
        QCOMPARE(frame->caption(), QStringLiteral(" Tallomar Menu"));
        QVERIFY(t->dialogs.questions.isEmpty());
    }

    // Two funds, a record of every type, one corrected and one deleted,
    // saved, left, and found again after opening the file.
    void recordsSurviveSaveAndOpen()
    {
        openEntry();
        QCOMPARE(frame->caption(), QStringLiteral(" Add and Edit Records"));
        addFund(QStringLiteral("Growth Fund"));
        addFund(QStringLiteral("Acme Inc."));
        QCOMPARE(entry->text("NumFunds"), QStringLiteral(" 2"));
        chooseFund(1);
        addRecord({"Bought", "10/12/1998", "10", "100", "50", nullptr});
        addRecord({"Sold", "3/1/1999", "12.5", "40", "0", nullptr});
        addRecord({"Cash Dividend", "12/31/1998", nullptr, nullptr, nullptr, "100"});
        addRecord({"Dividend Shares", "6/30/1999", "11", "2.5", nullptr, nullptr});
        chooseFund(2);
        addRecord({"Fee Cash", "1/15/2000", nullptr, nullptr, "25", nullptr});
        addRecord({"Unit Fee", "2/15/2000", "20", "1.25", nullptr, nullptr});
        addRecord({"Bought", "1/2/2000", "20", "10", "0", nullptr});
        QCOMPARE(messages(), QList<int>());
        QCOMPARE(entry->text("NumRec"), QStringLiteral(" 7"));
        // Fund 2 in date order: the purchase first.
        QCOMPARE(cell(1, 1), QStringLiteral("Bought  "));
        QCOMPARE(cell(3, 4), QStringLiteral("-1.2500"));
        QCOMPARE(cell(3, 6), QStringLiteral("-25.00"));
        QCOMPARE(cell(5, 0), QStringLiteral("Total:"));
        QCOMPARE(cell(5, 8), QStringLiteral("$225.00"));

        chooseFund(1);
        QCOMPARE(cell(1, 8), QStringLiteral("1,050.00"));
        QCOMPARE(cell(2, 1), QStringLiteral("Cash Div."));
        QCOMPARE(cell(3, 4), QStringLiteral("-40.0000"));
        // Correct the sale: 40 shows as 40, stored again as -40 at the new price.
        clickRow(3);
        entry->click("Correctrec");
        QCOMPARE(entry->text("InNumber"), QStringLiteral("40.0000"));
        QCOMPARE(entry->text("InPrice"), QStringLiteral("$12.5000"));
        QCOMPARE(entry->text("ETransType"), QStringLiteral("Sold"));
        QVERIFY(!entry->find<QComboBox>("ETransType")->isEnabled());
        entry->fill("InPrice", "13");
        entry->click("AddaRec");
        QCOMPARE(cell(3, 3), QStringLiteral("13.0000"));
        QCOMPARE(cell(3, 4), QStringLiteral("-40.0000"));
        QCOMPARE(cell(3, 8), QStringLiteral("-520.00"));
        // Delete the cash dividend.
        t->dialogs.answers << Answer::Yes;
        clickRow(2);
        entry->click("DelRec");
        QCOMPARE(t->dialogs.questions, QList<int>{4});
        QCOMPARE(cell(2, 1), QStringLiteral("Sold    "));
        QCOMPARE(funds().recordCount(), 6);
        QCOMPARE(session().DataChanged, qint16(1));
        leaveEntry();
        QCOMPARE(frame->caption(), QStringLiteral(" Investment Management Menu"));
        QCOMPARE(status(), QStringLiteral(" Funds = 2    Records = 6 "));

        const QByteArray saved = FundFileText(funds());
        saveAs(QStringLiteral("mine.qvs"));
        QCOMPARE(messages(), QList<int>());
        QCOMPARE(status(), QStringLiteral(" mine.qvs    Funds = 2    Records = 6 "));
        user->click("ExitMenu");
        QCOMPARE(t->dialogs.questions, QList<int>{4}); // saved: nothing asked
        QVERIFY(frame->menu()->isVisible());

        menu = qobject_cast<FundMenu *>(OpenFromMenu(*frame, QStringLiteral("Manager")));
        user = std::make_unique<WindowDriver>(menu);
        openFile(QStringLiteral("mine.qvs"));
        QCOMPARE(status(), QStringLiteral(" mine.qvs    Funds = 2    Records = 6 "));
        QCOMPARE(FundFileText(funds()), saved);
        openEntry();
        chooseFund(1);
        QCOMPARE(cell(2, 8), QStringLiteral("-520.00"));
        QCOMPARE(cell(3, 1), QStringLiteral("Div. Shares"));
    }

    // From the fund menu to a stored record by the keyboard alone; amounts
    // take four decimals and Enter follows the boxes the type uses.
    void keyboardOnly()
    {
        smallDatabase();
        user->focus("Loadfile");
        user->accessKey(Qt::Key_A);
        QVERIFY(menu->entryWindow());
        entry = std::make_unique<WindowDriver>(menu->entryWindow());
        entry->focus("Funds");
        entry->key(Qt::Key_Down);
        QCOMPARE(entry->text("Funds"), QStringLiteral("Alpha"));
        entry->enter();
        QCOMPARE(entry->focusedName(), QStringLiteral("ETransType"));
        entry->key(Qt::Key_Down);
        entry->key(Qt::Key_Down);
        QCOMPARE(entry->text("ETransType"), QStringLiteral("Sold"));
        entry->enter();
        QCOMPARE(entry->focusedName(), QStringLiteral("InDate"));
        entry->type("2/3/2004");
        entry->enter();
        QCOMPARE(entry->focusedName(), QStringLiteral("InPrice"));
        entry->type("12.34567");
        entry->enter();
        QCOMPARE(entry->text("InPrice"), QStringLiteral("$12.3456"));
        entry->type("10");
        entry->enter();
        QCOMPARE(entry->text("InNumber"), QStringLiteral("10.0000"));
        entry->enter(); // no fees
        QCOMPARE(entry->focusedName(), QStringLiteral("AddaRec"));
        entry->enter();
        QCOMPARE(messages(), QList<int>());
        QCOMPARE(funds().recordCount(), 3);
        QCOMPARE(cell(2, 3), QStringLiteral("12.3456"));
        QCOMPARE(cell(2, 8), QStringLiteral("-123.46"));

        // Dividend shares skip the fees box; a cash dividend goes straight to its own box.
        chooseType("Dividend Shares");
        entry->focus("InDate");
        entry->type("2/4/2004");
        entry->enter();
        entry->type("1");
        entry->enter();
        entry->type("2");
        entry->enter();
        QCOMPARE(entry->focusedName(), QStringLiteral("AddaRec"));
        chooseType("Cash Dividend");
        entry->focus("InDate");
        entry->enter();
        QCOMPARE(entry->focusedName(), QStringLiteral("InCashDiv"));
        QVERIFY(!entry->find<QLineEdit>("InPrice")->isVisible());
    }

    // A number of shares is a count: shown without the currency symbol, and
    // never read back from what the box shows, neither when the box is
    // entered and left again, nor in a correction passed through by Enter,
    // nor after the file was saved and opened.
    void sharesSurviveEveryRoute()
    {
        openEntry();
        addFund(QStringLiteral("Alpha"));
        chooseType("Bought");
        entry->fill("InDate", "1/5/2001");
        entry->fill("InPrice", "10");
        entry->focus("InNumber");
        entry->type("2500");
        entry->key(Qt::Key_Tab);
        QCOMPARE(entry->text("InNumber"), QStringLiteral("2,500.0000"));
        QTest::mouseClick(entry->control("InNumber"), Qt::LeftButton);
        entry->click("AddaRec");
        addRecord({"Bought", "2/5/2001", "20", "1500", "0", nullptr});
        QCOMPARE(messages(), QList<int>());
        QCOMPARE(funds().record(1).shares, Money::fromWhole(2500));
        QCOMPARE(funds().record(2).shares, Money::fromWhole(1500));

        // Correct the price of the second by the keyboard alone.
        clickRow(2);
        entry->click("Correctrec");
        QCOMPARE(entry->text("InNumber"), QStringLiteral("1,500.0000"));
        entry->focus("InPrice");
        entry->type("21");
        entry->enter();
        QCOMPARE(entry->focusedName(), QStringLiteral("InNumber"));
        entry->enter();
        entry->enter();
        QCOMPARE(entry->focusedName(), QStringLiteral("AddaRec"));
        entry->enter();
        QCOMPARE(messages(), QList<int>());
        QCOMPARE(funds().record(2).price, Money::fromWhole(21));
        QCOMPARE(funds().record(2).shares, Money::fromWhole(1500));
        QCOMPARE(cell(2, 4), QStringLiteral("1,500.0000"));
        leaveEntry();

        saveAs(QStringLiteral("shares.qvs"));
        user->click("ExitMenu");
        menu = qobject_cast<FundMenu *>(OpenFromMenu(*frame, QStringLiteral("Manager")));
        user = std::make_unique<WindowDriver>(menu);
        openFile(QStringLiteral("shares.qvs"));
        QCOMPARE(funds().record(1).shares, Money::fromWhole(2500));
        QCOMPARE(funds().record(2).shares, Money::fromWhole(1500));
        QCOMPARE(messages(), QList<int>());
    }

    // Tab leaves the date box as it leaves every box.
    void tabLeavesTheDate()
    {
        openEntry();
        addFund(QStringLiteral("Alpha"));
        chooseType("Bought");
        entry->focus("InDate");
        entry->type("1/5/2001");
        entry->key(Qt::Key_Tab);
        QCOMPARE(entry->focusedName(), QStringLiteral("InPrice"));
        QCOMPARE(entry->text("InDate"), QStringLiteral("1/5/2001"));
        entry->key(Qt::Key_Backtab);
        QCOMPARE(entry->focusedName(), QStringLiteral("InDate"));
        // The first key replaces the date shown.
        entry->type("2/6/2001");
        QCOMPARE(entry->text("InDate"), QStringLiteral("2/6/2001"));
    }

    void entryChecks_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("price");
        QTest::addColumn<int>("message");
        QTest::newRow("no type") << "" << "" << "" << 51;
        QTest::newRow("no date") << "Bought" << "" << "10" << 31;
        QTest::newRow("no price") << "Bought" << "1/2/2003" << "" << 20;
        QTest::newRow("accepted") << "Bought" << "1/2/2003" << "10" << 0;
    }
    void entryChecks()
    {
        QFETCH(QString, type);
        QFETCH(QString, date);
        QFETCH(QString, price);
        QFETCH(int, message);
        openEntry();
        addFund(QStringLiteral("Alpha"));
        if (!type.isEmpty())
            chooseType(type.toLatin1());
        if (!date.isEmpty())
            entry->fill("InDate", date);
        if (!price.isEmpty())
            entry->fill("InPrice", price);
        if (!type.isEmpty())
            entry->fill("InNumber", QStringLiteral("5"));
        entry->click("AddaRec");
        QCOMPARE(messages(), message ? QList<int>{message} : QList<int>());
        QCOMPARE(funds().recordCount(), message ? 0 : 1);
        // A refused new record keeps its row for repair.
        QCOMPARE(entry->text("InDate"), message ? date : QString());
    }

    void typeWithoutFund()
    {
        openEntry();
        chooseType("Bought");
        QCOMPARE(messages(), QList<int>{16});
        QCOMPARE(entry->text("ETransType"), QString());
        entry->click("AddaRec");
        entry->click("DelRec");
        entry->click("Correctrec");
        QCOMPARE(messages(), (QList<int>{16, 16, 16, 16}));
    }

    void badDateWhenLeavingTheBox()
    {
        openEntry();
        addFund(QStringLiteral("Alpha"));
        chooseType("Bought");
        entry->fill("InDate", "13/45/2001");
        QCOMPARE(messages(), QList<int>{30});
        QCOMPARE(entry->text("InDate"), QStringLiteral("12/6/2026"));
        // Only date keys go in.
        entry->focus("InDate");
        entry->find<QLineEdit>("InDate")->clear();
        entry->type("1a/2b/2003");
        QCOMPARE(entry->text("InDate"), QStringLiteral("1/2/2003"));
    }

    // A date refused as the date box is left is never stored, neither when
    // a click on Add Record took the focus nor when Add Record's access key
    // was pressed in the box.
    void refusedDateIsNotStored_data()
    {
        QTest::addColumn<bool>("accessKey");
        QTest::newRow("click") << false;
        QTest::newRow("access key") << true;
    }
    void refusedDateIsNotStored()
    {
        QFETCH(bool, accessKey);
        openEntry();
        addFund(QStringLiteral("Alpha"));
        chooseType("Fee Cash");
        entry->fill("InComm", "5");
        entry->focus("InDate");
        entry->type("2/30/2003");
        if (accessKey) {
            entry->accessKey(Qt::Key_A);
        } else {
            entry->click("AddaRec");
        }
        QCOMPARE(messages(), QList<int>{30});
        QCOMPARE(funds().recordCount(), 0);
        QCOMPARE(entry->text("InDate"), QStringLiteral("12/6/2026"));
        // The user has seen today's date: the next press stores it.
        Settle();
        entry->click("AddaRec");
        QCOMPARE(funds().recordCount(), 1);
        QCOMPARE(funds().record(1).date, QDate(2026, 12, 6));
    }

    // Decision: a record always lands in a real slot; a stale correction
    // mode from elsewhere never stores into slot 0.
    void staleCorrectionModeStoresANewRecord()
    {
        session().CalcMode = 1;
        openEntry();
        QCOMPARE(session().CalcMode, qint16(0));
        addFund(QStringLiteral("Alpha"));
        session().CalcMode = 1; // as a window left it
        chooseType("Fee Cash");
        entry->fill("InDate", "1/2/2003");
        entry->fill("InComm", "5");
        entry->click("AddaRec");
        QCOMPARE(messages(), QList<int>());
        QCOMPARE(funds().recordCount(), 1);
        QCOMPARE(funds().record(1).fees, Money::fromWhole(5));
    }

    // The type chosen in the list is the type stored, whatever records the
    // grid showed or lost since it was chosen.
    void chosenTypeIsStored()
    {
        openEntry();
        addFund(QStringLiteral("Alpha"));
        addRecord({"Bought", "1/2/2003", "1250", "1000", "45", nullptr});
        addRecord({"Fee Cash", "1/3/2003", nullptr, nullptr, "1500", nullptr});
        chooseType("Bought");
        t->dialogs.answers << Answer::Yes;
        clickRow(1);
        entry->click("DelRec");
        QCOMPARE(funds().recordCount(), 1);
        QCOMPARE(entry->text("ETransType"), QStringLiteral("Bought"));
        entry->fill("InDate", "2/4/2003");
        entry->fill("InPrice", "1300");
        entry->fill("InNumber", "2000");
        entry->fill("InComm", "45");
        entry->click("AddaRec");
        QCOMPARE(messages(), QList<int>());
        QCOMPARE(funds().recordCount(), 2);
        QCOMPARE(funds().record(2).typeCode, QStringLiteral("B"));
        QCOMPARE(funds().record(2).shares, Money::fromWhole(2000));
    }

    // Decision: the record corrected is the one chosen when Correct was pressed.
    void correctionStaysOnItsRecord()
    {
        openEntry();
        addFund(QStringLiteral("Alpha"));
        addRecord({"Fee Cash", "1/2/2003", nullptr, nullptr, "5", nullptr});
        addRecord({"Fee Cash", "1/3/2003", nullptr, nullptr, "6", nullptr});
        clickRow(1);
        entry->click("Correctrec");
        clickRow(2);
        entry->fill("InComm", "7");
        entry->click("AddaRec");
        QCOMPARE(messages(), QList<int>());
        QCOMPARE(funds().record(1).fees, Money::fromWhole(7));
        QCOMPARE(funds().record(2).fees, Money::fromWhole(6));
        QCOMPARE(funds().recordCount(), 2);
    }

    void correctAndDeleteNeedARecord()
    {
        openEntry();
        addFund(QStringLiteral("Alpha"));
        addRecord({"Fee Cash", "1/2/2003", nullptr, nullptr, "5", nullptr});
        clickRow(3); // the total row
        entry->click("Correctrec");
        entry->click("DelRec");
        QCOMPARE(messages(), (QList<int>{17, 17}));
        QCOMPARE(funds().recordCount(), 1);
    }

    // Decision: only a save that succeeded clears the changed flag; a failed
    // save says so and keeps the old file whole.
    void failedOrCancelledSaveKeepsTheFlag()
    {
        smallDatabase();
        user->click("SaveFile"); // cancelled
        QCOMPARE(session().DataChanged, qint16(1));
        saveAs(QStringLiteral("no/such/folder/x.qvs"));
        QCOMPARE(messages(), QList<int>{MsgSaveNoFolder});
        QCOMPARE(session().DataChanged, qint16(1));

        QFile old(path(QStringLiteral("old.qvs")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("0,0,\"All Records\",\"31\"\r\n");
        old.close();
        {
            const FullDisk disk(40);
            saveAs(QStringLiteral("old.qvs"));
        }
        QCOMPARE(messages(), (QList<int>{MsgSaveNoFolder, MsgSaveDiskFull}));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("0,0,\"All Records\",\"31\"\r\n"));
        QCOMPARE(session().DataChanged, qint16(1));
        QVERIFY(session().fileName().isEmpty());
        // Leaving still asks; Yes stays in the menu.
        t->dialogs.answers << Answer::Yes;
        user->click("ExitMenu");
        QCOMPARE(t->dialogs.questions, QList<int>{3});
        QCOMPARE(frame->activeTool(), static_cast<QWidget *>(menu));
    }

    // Decision: opening asks about unsaved changes, and a file that fails
    // its checks leaves the database in memory as it was.
    void openingAsksAndKeepsMemoryOnFailure()
    {
        smallDatabase();
        const QByteArray before = FundFileText(funds());
        t->dialogs.answers << Answer::Yes;
        openFile(QStringLiteral("whatever.qvs"));
        QCOMPARE(t->dialogs.questions, QList<int>{3});
        QVERIFY(t->dialogs.fileRequests.isEmpty()); // went back to save
        t->dialogs.fileNames.clear();

        QFile bad(path(QStringLiteral("bad.qvs")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("2,1,\"All Records\",\"31\"\r\n\"A\",\" 1\"\r\n1,10,100,50,0,1050,\"B\",#1998-10-12#\r\n");
        bad.close();
        t->dialogs.answers << Answer::No;
        openFile(QStringLiteral("bad.qvs"));
        QCOMPARE(messages(), QList<int>{13});
        QCOMPARE(FundFileText(funds()), before);
        QCOMPARE(status(), QStringLiteral(" Funds = 2    Records = 2 "));
        QCOMPARE(session().DataChanged, qint16(1));

        // A good file replaces it and counts as saved.
        session().DataChanged = 0;
        saveAs(QStringLiteral("good.qvs"));
        session().DataChanged = 1;
        t->dialogs.answers << Answer::No;
        openFile(QStringLiteral("good.qvs"));
        QCOMPARE(session().DataChanged, qint16(0));
        QCOMPARE(status(), QStringLiteral(" good.qvs    Funds = 2    Records = 2 "));
    }

    // Decision: funds are chosen by their place in the list.
    void twoFundsOfOneName()
    {
        openEntry();
        addFund(QStringLiteral("Same"));
        addFund(QStringLiteral("Same"));
        chooseFund(2);
        addRecord({"Fee Cash", "1/2/2003", nullptr, nullptr, "5", nullptr});
        QCOMPARE(funds().record(1).fundNumber, Money::fromWhole(2));
        chooseFund(1);
        QCOMPARE(cell(1, 0), QString());
        chooseFund(2);
        QCOMPARE(cell(1, 0), QStringLiteral("1"));
    }

    void fundDeletedWhenEmpty()
    {
        openEntry();
        addFund(QStringLiteral("Zeta"));
        addFund(QStringLiteral("Beta"));
        addFund(QStringLiteral("Alpha"));
        addRecord({"Fee Cash", "1/2/2003", nullptr, nullptr, "5", nullptr}); // Alpha's
        chooseFund(1);
        t->dialogs.answers << Answer::Yes;
        entry->click("DelRec");
        QCOMPARE(t->dialogs.questions, QList<int>{5});
        QCOMPARE(funds().fundCount(), 2);
        QCOMPARE(entry->find<QComboBox>("Funds")->itemText(0), QStringLiteral("Alpha"));
        QCOMPARE(entry->find<QComboBox>("Funds")->itemText(1), QStringLiteral("Beta"));
        QCOMPARE(FundName(funds(), int(funds().record(1).fundNumber.floorUnits())), QStringLiteral("Alpha"));
        QCOMPARE(entry->text("NumFunds"), QStringLiteral(" 2"));
    }

    // A fund name added to or deleted from a file is a change to it: leaving
    // the manager asks, and Yes goes back to save it.
    void fundNamesAreChanges()
    {
        t->dialogs.fileNames << QStringLiteral(TALLOMAR_SOURCE_DIR "/resources/samples/DtaSampl.QVS");
        user->click("Loadfile");
        const int sampleFunds = funds().fundCount();
        openEntry();
        addFund(QStringLiteral("Brand New Fund"));
        leaveEntry();
        t->dialogs.answers << Answer::Yes;
        user->click("ExitMenu");
        QCOMPARE(t->dialogs.questions, QList<int>{3});
        QCOMPARE(frame->activeTool(), static_cast<QWidget *>(menu));
        QCOMPARE(funds().fundName(sampleFunds + 1), QStringLiteral("Brand New Fund"));

        saveAs(QStringLiteral("with a new fund.qvs"));
        QCOMPARE(messages(), QList<int>());
        openEntry();
        entry->focus("Funds");
        entry->key(Qt::Key_End);
        QCOMPARE(entry->text("Funds"), QStringLiteral("Brand New Fund"));
        t->dialogs.answers << Answer::Yes;
        entry->click("DelRec");
        QCOMPARE(funds().fundCount(), sampleFunds);
        leaveEntry();
        t->dialogs.answers << Answer::Yes;
        user->click("ExitMenu");
        QCOMPARE(t->dialogs.questions, (QList<int>{3, 5, 3}));
        QCOMPARE(frame->activeTool(), static_cast<QWidget *>(menu));
    }

    void thirtyFundLimit()
    {
        openEntry();
        t->dialogs.lines << std::nullopt;
        entry->click("createfund"); // cancelled: nothing
        QCOMPARE(funds().fundCount(), 0);
        for (int i = 1; i <= 30; ++i)
            addFund(QStringLiteral("Fund %1").arg(i));
        QCOMPARE(messages(), QList<int>());
        // The full list is told before a name is asked for.
        t->dialogs.lines << QStringLiteral("Fund 31");
        entry->click("createfund");
        QCOMPARE(messages(), QList<int>{36});
        QCOMPARE(t->dialogs.lines.size(), 1);
        QCOMPARE(funds().fundCount(), 30);
        QCOMPARE(session().DataChanged, qint16(1));
    }

    void sortFromTheMenu()
    {
        openEntry();
        addFund(QStringLiteral("beta"));
        addRecord({"Fee Cash", "1/2/2003", nullptr, nullptr, "1", nullptr});
        addFund(QStringLiteral("Alpha"));
        addRecord({"Fee Cash", "1/1/2003", nullptr, nullptr, "2", nullptr});
        addFund(QStringLiteral("alpha"));
        addRecord({"Fee Cash", "1/3/2003", nullptr, nullptr, "3", nullptr});
        leaveEntry();
        session().DataChanged = 0;
        user->click("SortRec");
        QCOMPARE(session().DataChanged, qint16(1));
        QCOMPARE(FundName(funds(), 1), QStringLiteral("Alpha"));
        QCOMPARE(FundName(funds(), 2), QStringLiteral("alpha"));
        QCOMPARE(FundName(funds(), 3), QStringLiteral("beta"));
        const QStringList owners{QString(), "Alpha", "beta", "alpha"};
        for (int slot = 1; slot <= 3; ++slot)
            QCOMPARE(FundName(funds(), int(funds().record(slot).fundNumber.floorUnits())), owners[slot]);
        QCOMPARE(status(), QStringLiteral(" Funds = 3    Records = 3 "));
        // A cancelled chooser leaves the menu as it was.
        answerChooser(-1);
        user->click("Display");
        QVERIFY(!menu->tableWindow());
        QCOMPARE(session().ActiveFund, qint16(0));
        QCOMPARE(messages(), QList<int>());
    }

    // Decision: closing the program with unsaved records asks; Yes keeps it open.
    void closingTheProgramAsks()
    {
        smallDatabase();
        openEntry(); // the entry window open over the menu changes nothing
        t->dialogs.answers << Answer::Yes;
        QVERIFY(!frame->close());
        QCOMPARE(t->dialogs.questions, QList<int>{3});
        QCOMPARE(session().DataChanged, qint16(1));
        // Closing the question by Escape or its title bar goes back too.
        t->dialogs.answers << Answer::Closed;
        QVERIFY(!frame->close());
        QCOMPARE(session().DataChanged, qint16(1));
        t->dialogs.answers << Answer::No;
        QVERIFY(frame->close());
        QCOMPARE(session().DataChanged, qint16(0));
    }

    void quickHelpShowsTheSamples()
    {
        openEntry();
        entry->click("EHelp");
        QCOMPARE(entry->text("EHelp"), QStringLiteral("Close &Help"));
        const QString help = entry->text("TxtBox");
        QCOMPARE(help.count(QStringLiteral("12/6/2026")), 6);
        QVERIFY(help.endsWith(QStringLiteral("End")));

        // Each sample line is one line on screen, and its figures stand
        // under the boxes they are typed into.
        auto *panel = entry->find<QPlainTextEdit>("TxtBox");
        const std::pair<const char *, QStringList> samples[] = {
            {" Bought", {"InDate", "InPrice", "InNumber", "InComm"}},
            {" Sold", {"InDate", "InPrice", "InNumber", "InComm"}},
            {" Cash Dividend", {"InDate", "InCashDiv"}},
            {" Dividend Shares", {"InDate", "InPrice", "InNumber"}},
            {" Fee Cash", {"InDate", "InComm"}},
            {" Unit Fee", {"InDate", "InPrice", "InNumber"}},
        };
        for (const auto &[type, boxes] : samples) {
            const QTextBlock block = panel->document()->find(QRegularExpression(
                QStringLiteral("^") + QLatin1String(type) + QStringLiteral(" +12/6/2026"))).block();
            QVERIFY2(block.isValid(), type);
            QCOMPARE(block.layout()->lineCount(), 1);
            int from = int(QByteArray(type).size());
            for (const QString &box : boxes) {
                const int at = int(block.text().indexOf(QRegularExpression(QStringLiteral("\\S")), from));
                QVERIFY2(at > 0, type);
                QTextCursor cursor(block);
                cursor.setPosition(block.position() + at);
                const int x = panel->viewport()->mapTo(menu->entryWindow(), panel->cursorRect(cursor).center()).x();
                const QRect under = entry->control(box)->geometry();
                QVERIFY2(x >= under.left() && x <= under.right(), qPrintable(QLatin1String(type) + QLatin1Char(' ') + box));
                from = int(block.text().indexOf(QLatin1Char(' '), at));
                if (block.text().mid(at).startsWith(QLatin1String("50.00 or 0")))
                    from = at + 10;
            }
        }
        entry->click("EHelp");
        QCOMPARE(entry->text("EHelp"), QStringLiteral("Quick &Help"));
    }

    // Whether every column of a grid can be read at once: all of it inside
    // the grid's view, each heading in its two lines, no sideways scrolling.
    static bool everyColumnShown(SpreadsheetGrid *grid)
    {
        QApplication::processEvents();
        const int last = grid->cols() - 1;
        if (grid->columnViewportPosition(last) + grid->columnWidth(last) > grid->viewport()->width())
            return false;
        if (grid->horizontalScrollBar()->maximum() != 0)
            return false;
        const QFontMetrics heading(grid->horizontalHeader()->font());
        for (int c = 0; c <= last; ++c)
            for (const QString &word : grid->cell(0, c).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                if (heading.horizontalAdvance(word) > grid->columnWidth(c))
                    return false;
        return true;
    }

    // At the frame's starting size the value table, the entry grid and a
    // listing of all records show every column, a holding of 1,500,000
    // shares included; a larger frame gives the windows its room.
    void everyColumnReadableAtTheStartingSize()
    {
        QCOMPARE(frame->size(), QSize(641, 454));
        t->dialogs.fileNames << QStringLiteral(TALLOMAR_SOURCE_DIR "/resources/samples/DtaSampl.QVS");
        user->click("Loadfile");
        user->click("CompCurr");
        priceGrid()->setFocus();
        for (int f = 1; f <= funds().fundCount(); ++f) {
            typePrice(QStringLiteral("20"));
            QTest::keyClick(priceGrid(), Qt::Key_Return);
        }
        QTest::mouseClick(menu->priceWindow()->findChild<QPushButton *>("CurValOK"), Qt::LeftButton);
        QVERIFY(menu->tableWindow() && menu->tableWindow()->valueTableShown());
        QCOMPARE(tableCell(1, 4), QStringLiteral("10,407.60"));
        QVERIFY(everyColumnShown(menu->tableWindow()->grid()));
        QTest::mouseClick(menu->tableWindow()->findChild<QPushButton *>("ExitBut"), Qt::LeftButton);

        openEntry();
        chooseFund(2);
        addRecord({"Bought", "1/5/2001", "1234.5678", "1500000", "1250.5", nullptr});
        QCOMPARE(messages(), QList<int>());
        QVERIFY(everyColumnShown(menu->entryWindow()->grid()));
        // Book Value is the last column: 1,500,000 x 1,234.5678 + 1,250.50.
        QStringList bookValues;
        for (int r = 1; r < menu->entryWindow()->grid()->rows(); ++r)
            bookValues << menu->entryWindow()->grid()->cell(r, 8);
        QVERIFY2(bookValues.contains(QStringLiteral("1,851,852,950.50")), qPrintable(bookValues.join(u'|')));
        frame->resize(1200, 800);
        QApplication::processEvents();
        QVERIFY(menu->entryWindow()->width() >= 1100);
        QVERIFY(menu->entryWindow()->geometry().bottom() <= frame->centralWidget()->height() + 2);
        frame->resize(641, 454);
        leaveEntry();

        answerChooser(0);
        user->click("Display");
        QVERIFY(menu->tableWindow());
        QVERIFY(everyColumnShown(menu->tableWindow()->grid()));
        QTest::mouseClick(menu->tableWindow()->findChild<QPushButton *>("ExitBut"), Qt::LeftButton);

        QCOMPARE(messages(), QList<int>());
    }

    // The sample file: prices typed for every fund, the value table, the
    // graph and back, printed, all records listed and printed, and out with
    // nothing asked.
    void sampleFileFromTheMenu()
    {
        t->dialogs.fileNames << QStringLiteral(TALLOMAR_SOURCE_DIR "/resources/samples/DtaSampl.QVS");
        user->click("Loadfile");
        QVERIFY(funds().fundCount() > 0);
        const int funds = menu->session().db().fundCount();
        user->click("CompCurr");
        QVERIFY(menu->priceWindow());
        QCOMPARE(frame->caption(), QStringLiteral(" Current Prices"));
        priceGrid()->setFocus();
        for (int f = 1; f <= funds; ++f) {
            typePrice(QStringLiteral("20"));
            QTest::keyClick(priceGrid(), Qt::Key_Return);
        }
        QCOMPARE(priceGrid()->row(), funds + 1);
        QCOMPARE(priceGrid()->cell(funds, 1), QStringLiteral("20.00"));
        QTest::mouseClick(menu->priceWindow()->findChild<QPushButton *>("CurValOK"), Qt::LeftButton);
        QVERIFY(menu->tableWindow());
        QVERIFY(menu->tableWindow()->valueTableShown());
        // The menu's buttons are not there to take the table's keys.
        QVERIFY(!menu->findChild<QPushButton *>("ExitMenu")->isVisible());
        QCOMPARE(frame->caption(), QStringLiteral(" Current Value of all Funds"));
        QCOMPARE(tableCell(1, 3), QStringLiteral("$20.00"));
        QCOMPARE(tableCell(funds + 3, 0), QStringLiteral("Total:"));
        QCOMPARE(tableCell(funds + 3, 7), QStringLiteral("100.00%"));
        QCOMPARE(messages(), QList<int>());
        // The table goes to a spreadsheet: Ctrl+C copies as shown, the export
        // writes plain numbers.
        SpreadsheetGrid *values = menu->tableWindow()->grid();
        values->setSelection(funds + 3, 6, funds + 3, 7);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(values, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), tableCell(funds + 3, 6) + QStringLiteral("\t100.00%\n"));
        const QString csv = t->folder.filePath(QStringLiteral("values.csv"));
        QVERIFY(values->exportCsv(csv));
        QFile exported(csv);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        // The total row ends with its share and its annual return.
        QVERIFY(QString::fromUtf8(exported.readAll())
                    .contains(QRegularExpression(QStringLiteral(",100\\.00,\\d*\\.\\d\\d\r\n"))));
        // The graph draws the funds and returns to the table.
        WindowDriver table(menu->tableWindow());
        table.click("DrwGraph");
        QVERIFY(frame->overTool());
        QCOMPARE(frame->overTool()->objectName(), QStringLiteral("GraphsAll"));
        QTest::mouseClick(frame->overTool()->findChild<QPushButton *>("ExitBut"), Qt::LeftButton);
        QVERIFY(menu->tableWindow() && menu->tableWindow()->isVisible());
        t->dialogs.lines << QStringLiteral("Values");
        table.click("Printr");
        QCOMPARE(t->printer.jobs.size(), 1);
        QVERIFY(t->printer.jobs.at(0).toText().contains(QStringLiteral("Current Value of all Funds.")));
        // Printing resets the mode; the graph still draws the funds shown.
        QCOMPARE(session().CalcMode, qint16(0));
        table.click("DrwGraph");
        QCOMPARE(frame->overTool()->objectName(), QStringLiteral("GraphsAll"));
        const GraphRequest &drawn = qobject_cast<GraphsAll *>(frame->overTool())->request();
        QVERIFY(drawn.kind == GraphKind::Funds);
        QCOMPARE(drawn.ResultCount, qint16(funds));
        QVERIFY(!menu->session().db().value(1, ValueTotalColumn).isZero());
        QTest::mouseClick(frame->overTool()->findChild<QPushButton *>("ExitBut"), Qt::LeftButton);
        table.click("ExitBut");
        QVERIFY(!menu->tableWindow());
        QVERIFY(menu->findChild<QPushButton *>("ExitMenu")->isVisible());
        answerChooser(0);
        user->click("Display");
        QVERIFY(menu->tableWindow());
        QCOMPARE(frame->caption(), QStringLiteral("All Records"));
        QVERIFY(!menu->tableWindow()->findChild<QPushButton *>("DrwGraph")->isVisible());
        const int last = menu->tableWindow()->lastListRow();
        QCOMPARE(tableCell(last, 0), QStringLiteral("Total all Funds:"));
        t->dialogs.lines << QStringLiteral("Records");
        WindowDriver listing(menu->tableWindow());
        listing.click("Printr");
        QCOMPARE(t->printer.jobs.size(), 2);
        QVERIFY(t->printer.jobs.at(1).toText().contains(QStringLiteral("Total all Funds:")));
        QCOMPARE(session().ActiveFund, qint16(AllRecordsSlot));
        listing.click("ExitBut");
        QCOMPARE(session().ActiveFund, qint16(0));
        user->click("ExitMenu");
        QVERIFY(t->dialogs.questions.isEmpty());
        QCOMPARE(frame->caption(), QStringLiteral(" Tallomar Menu"));
    }

    // Typing rules of the price grid; rows past the funds' table are refused.
    void priceGridTyping()
    {
        smallDatabase();
        user->click("CompCurr");
        QVERIFY(menu->priceWindow());
        priceGrid()->setFocus();
        typePrice(QStringLiteral("1.2.3"));
        QCOMPARE(priceGrid()->cell(1, 1), QStringLiteral("1.20"));
        QCOMPARE(funds().price(1).toDecimalText(), QStringLiteral("1.2000"));
        QTest::keyClick(priceGrid(), Qt::Key_Return);
        QCOMPARE(priceGrid()->row(), 2);
        typePrice(QStringLiteral("7"));
        QTest::keyClick(priceGrid(), Qt::Key_Backspace);
        QCOMPARE(priceGrid()->cell(2, 1), QString());
        typePrice(QStringLiteral("3"));
        priceCell(31, 1);
        QCOMPARE(priceGrid()->row(), 31);
        typePrice(QStringLiteral("5"));
        QTest::keyClick(priceGrid(), Qt::Key_Delete);
        QCOMPARE(messages(), (QList<int>{22, 22}));
        QCOMPARE(funds().valueTable().rowCount(), AllRecordsSlot + 1);
        // Out and in again with no price for fund 1: fund 2 keeps its price.
        priceCell(1, 1);
        QTest::keyClick(priceGrid(), Qt::Key_Backspace);
        QTest::mouseClick(menu->priceWindow()->findChild<QPushButton *>("CancelBut"), Qt::LeftButton);
        QVERIFY(!menu->priceWindow());
        user->click("CompCurr");
        QCOMPARE(priceGrid()->cell(1, 1), QString());
        QCOMPARE(priceGrid()->cell(2, 1), QStringLiteral("3.00"));
        WindowDriver prices(menu->priceWindow());
        prices.click("Help9");
        QCOMPARE(prices.find<QPushButton>("Help9")->text(), QStringLiteral("Close &Help"));
        QVERIFY(prices.find<QPlainTextEdit>("CurPriceText")->toPlainText().endsWith(
            QStringLiteral("For DtaSampl enter 20.00 for all Current Price inputs. ")));
        prices.click("Help9");
        QVERIFY(!prices.find<QPlainTextEdit>("CurPriceText")->isVisible());
        // Alpha holds shares without a price: message 24, the window stays.
        QTest::mouseClick(menu->priceWindow()->findChild<QPushButton *>("CurValOK"), Qt::LeftButton);
        QCOMPARE(messages().last(), 24);
        QVERIFY(menu->priceWindow());
    }

    // A price that takes a holding past what money can hold is told, and
    // the prices can be corrected.
    void valueTooLargeIsTold()
    {
        funds().addFund(QStringLiteral("Huge"));
        funds().appendRecord(MakeRecord(1, QStringLiteral("B"), QDate(2001, 1, 5),
                                        {Money::fromWhole(90000000), Money::fromWhole(9000000), {}, {}}, 1));
        user->click("CompCurr");
        priceGrid()->setFocus();
        typePrice(QStringLiteral("1000000000"));
        QTest::mouseClick(menu->priceWindow()->findChild<QPushButton *>("CurValOK"), Qt::LeftButton);
        QCOMPARE(messages(), QList<int>{3});
        QVERIFY(menu->priceWindow());
        QVERIFY(!menu->tableWindow());
        QTest::keyClick(priceGrid(), Qt::Key_Backspace);
        typePrice(QStringLiteral("100000"));
        QTest::mouseClick(menu->priceWindow()->findChild<QPushButton *>("CurValOK"), Qt::LeftButton);
        QVERIFY(menu->tableWindow());
        QCOMPARE(tableCell(1, 4), QStringLiteral("900,000,000,000.00"));
    }

    void emptyFundStopsTheValues()
    {
        smallDatabase();
        openEntry();
        addFund(QStringLiteral("Empty"));
        leaveEntry();
        user->click("CompCurr");
        QCOMPARE(messages().last(), 28);
        // The message names the fund to delete or fill.
        QCOMPARE(t->dialogs.messageDetails.last(), QStringLiteral("Empty"));
        QVERIFY(MessageText(28, QString(), QStringLiteral("Empty"))
                    .startsWith(QStringLiteral("You have Added a Fund Name \"Empty\" but have not entered a record")));
        QCOMPARE(session().CalcMode, qint16(10));
        QVERIFY(!menu->priceWindow());
    }

    // Typed prices belong to their funds: showing a fund's records or sorting
    // keeps them (a price follows its fund to its new place); deleting a fund
    // drops them.
    void typedPricesStayWithTheirFunds()
    {
        openEntry();
        addFund(QStringLiteral("Zeta Growth"));
        addRecord({"Bought", "1/5/2001", "1250", "1000", "45", nullptr});
        addFund(QStringLiteral("Alpha Bonds"));
        addRecord({"Bought", "1/6/2001", "2000", "2500", "0", nullptr});
        leaveEntry();
        auto pricesShown = [this] {
            user->click("CompCurr");
            const QStringList shown{priceGrid()->cell(1, 0), priceGrid()->cell(1, 1), priceGrid()->cell(2, 0),
                                    priceGrid()->cell(2, 1)};
            QTest::mouseClick(menu->priceWindow()->findChild<QPushButton *>("CancelBut"), Qt::LeftButton);
            return shown;
        };
        user->click("CompCurr");
        priceGrid()->setFocus();
        typePrice(QStringLiteral("1310.25"));
        QTest::keyClick(priceGrid(), Qt::Key_Return);
        typePrice(QStringLiteral("2075"));
        QTest::mouseClick(menu->priceWindow()->findChild<QPushButton *>("CancelBut"), Qt::LeftButton);

        openEntry();
        entry->focus("Funds");
        entry->key(Qt::Key_Down);
        QCOMPARE(cell(1, 0), QStringLiteral("1"));
        leaveEntry();
        QCOMPARE(pricesShown(), (QStringList{"Zeta Growth", "1,310.25", "Alpha Bonds", "2,075.00"}));
        user->click("SortRec");
        QCOMPARE(pricesShown(), (QStringList{"Alpha Bonds", "2,075.00", "Zeta Growth", "1,310.25"}));
        QCOMPARE(messages(), QList<int>());

        openEntry();
        addFund(QStringLiteral("Never Filled"));
        t->dialogs.answers << Answer::Yes;
        entry->click("DelRec");
        leaveEntry();
        QCOMPARE(pricesShown(), (QStringList{"Alpha Bonds", "", "Zeta Growth", ""}));
    }

    // One fund listed, then valued at a typed price under its listing.
    void oneFundListingWithItsValue()
    {
        smallDatabase();
        answerChooser(-1);
        user->click("Display");
        QVERIFY(!menu->tableWindow());
        answerChooser(1);
        user->click("Display");
        QVERIFY(menu->tableWindow());
        QCOMPARE(frame->caption(), QStringLiteral("Alpha"));
        QCOMPARE(tableCell(2, 0), QStringLiteral("Total:"));
        QCOMPARE(tableCell(3, 2), QStringLiteral("$10.5000"));
        QCOMPARE(menu->tableWindow()->lastListRow(), 4);
        WindowDriver table(menu->tableWindow());
        QCOMPARE(table.find<QPushButton>("DrwGraph")->text(), QStringLiteral("&Current Value"));
        answerPrice(QStringLiteral("12"));
        table.click("DrwGraph");
        QCOMPARE(menu->tableWindow()->grid()->cell(6, 2), QStringLiteral("Current   "));
        QCOMPARE((QStringList{tableCell(9, 2), tableCell(9, 3), tableCell(9, 4), tableCell(9, 5)}),
                 (QStringList{"$12.00", "$1,200.00", "$150.00", "14.29%"}));
        t->dialogs.lines << QStringLiteral("Alpha");
        table.click("Printr");
        QVERIFY(t->printer.jobs.value(0).toText().contains(QStringLiteral("Gain $            Gain %")));
        table.click("ExitBut");
    }

    // The annual return column: 1,000 shares bought at 10 on 1/1/2020 and
    // valued at a typed 12 on a typed 1/1/2022 earned 1.2^(365/731) - 1 a
    // year. A date that is no date is refused and Calculate does nothing.
    void annualReturnToATypedDate()
    {
        openEntry();
        addFund(QStringLiteral("Growth Fund"));
        addRecord({"Bought", "1/1/2020", "10", "1000", nullptr, nullptr});
        leaveEntry();
        user->click("CompCurr");
        QVERIFY(menu->priceWindow());
        WindowDriver prices(menu->priceWindow());
        // The box opens on today.
        QCOMPARE(prices.text("ValDate"), QStringLiteral("12/6/2026"));
        priceGrid()->setFocus();
        typePrice(QStringLiteral("12"));
        prices.fill("ValDate", QStringLiteral("13/45/2022"));
        QCOMPARE(messages(), QList<int>{MsgDateFormat});
        QCOMPARE(prices.text("ValDate"), QStringLiteral("12/6/2026"));
        prices.type(QStringLiteral("1/1/2022"));
        prices.click("CurValOK");
        QVERIFY(menu->tableWindow());
        QCOMPARE(menu->tableWindow()->grid()->cell(0, 8), QStringLiteral("Annual Return %"));
        QCOMPARE(tableCell(1, 4), QStringLiteral("12,000.00"));
        QCOMPARE(tableCell(1, 8), QStringLiteral("9.53%"));
        QCOMPARE(tableCell(4, 8), QStringLiteral("9.53%"));
        WindowDriver table(menu->tableWindow());
        QCOMPARE(table.find<QLabel>("AnnualNotes")->text(), QStringLiteral("Annual returns to 1/1/2022."));
        t->dialogs.lines << QStringLiteral("Values");
        table.click("Printr");
        const QString printed = t->printer.jobs.value(0).toText();
        QVERIFY2(printed.contains(QStringLiteral("Annual Return %      9.53%")), qPrintable(printed));
        QVERIFY(printed.contains(QStringLiteral("Annual returns are money-weighted, to 1/1/2022.")));
        table.click("ExitBut");

        // The date stays for the next visit; valued on the day of the
        // purchase, the fund has no return and the notes say why.
        user->click("CompCurr");
        WindowDriver again(menu->priceWindow());
        QCOMPARE(again.text("ValDate"), QStringLiteral("1/1/2022"));
        again.fill("ValDate", QStringLiteral("1/1/2020"));
        again.click("CurValOK");
        QVERIFY(menu->tableWindow());
        QCOMPARE(tableCell(1, 8), QString());
        QCOMPARE(WindowDriver(menu->tableWindow()).find<QLabel>("AnnualNotes")->text(),
                 QStringLiteral("Annual returns to 1/1/2020.\n"
                                "No annual return for Growth Fund: all cash flows fall on one day.\n"
                                "No annual return for All funds: all cash flows fall on one day."));
        QCOMPARE(messages(), QList<int>{MsgDateFormat});
    }
};

QTEST_MAIN(TestFundWindows)
#include "test_fund_windows.moc"
