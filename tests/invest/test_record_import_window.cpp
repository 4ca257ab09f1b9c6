#include "invest/fund_database.h"
#include "invest/fund_menu_window.h"
#include "invest/record_csv.h"
#include "invest/record_import_dialog.h"
#include "shell/core/message_numbers.h"
#include "shell/ui/mdi_container.h"
#include "support/full_disk.h"
#include "support/tool_window_test.h"
#include "support/source_dir.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// A broker's export: its own column names, type words, dates and decimal commas.
const char BrokerFile[] = "Datum;Fonds;Art;St\xc3\xbc"
                          "ck;Kurs;Geb\xc3\xbchren;Dividende\r\n"
                          "15.01.2024;Harbor Growth;Kauf;1.250;1.234,5678;12,50;\r\n"
                          "01.03.2024;Harbor Growth;Dividende;;;;1.500,25\r\n"
                          "30.06.2024;Atlas Bond;Kauf;2.000;1.000;0;\r\n"
                          "01.07.2024;Harbor Growth;Verkauf;250;1.300;9,95;\r\n";

// A file in the program's own export layout: every choice is guessed.
const char OwnFile[] = "date,fund,type,shares,price,fees,dividend\n"
                       "2023-11-02,Meridian Index,B,\"1,000\",1234.5,25,\n"
                       "2023-12-29,Meridian Index,C,,,,1750.75\n"
                       "2024-02-01,Meridian Index,S,400,1456.25,19.95,\n";

} // namespace

class TestRecordImportWindow : public ToolWindowTest
{
    Q_OBJECT

    FundMenu *menu = nullptr;

    FundDatabase &funds() { return menu->session().db(); }
    QList<int> &messages() { return t->dialogs.messages; }
    QString path(const QString &name) const { return t->folder.filePath(name); }

    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(name));
        return file.fileName();
    }

    // Chooses the file in the file box and, once the preview shows, acts on
    // it as the user. A preview the steps leave open is cancelled, so that a
    // failed check cannot hang the test. False when no preview showed.
    bool importWith(const QString &file, const std::function<void(RecordImportDialog &, WindowDriver &)> &steps)
    {
        t->dialogs.fileNames << file;
        bool shown = false;
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [&shown, poll, steps] {
            auto *preview = qobject_cast<RecordImportDialog *>(QApplication::activeModalWidget());
            if (!preview)
                return;
            poll->stop();
            shown = true;
            // Keys go where the user's would: to the preview, active as the
            // window system makes a new modal window.
            QApplication::setActiveWindow(preview);
            QVERIFY(QTest::qWaitForWindowActive(preview));
            WindowDriver driver(preview);
            steps(*preview, driver);
            if (preview->isVisible())
                preview->reject();
        });
        poll->start(10);
        user->click("ImportRec");
        delete poll;
        return shown;
    }

    // Down the list (the one of `accessKey`, else the one in hand) from its
    // first entry, as many times as `steps`.
    static void choose(WindowDriver &user, Qt::Key accessKey, int steps)
    {
        if (accessKey != Qt::Key_unknown)
            user.key(accessKey, Qt::AltModifier);
        user.key(Qt::Key_Home);
        for (int i = 0; i < steps; ++i)
            user.key(Qt::Key_Down);
    }
    // Maps the broker file's columns and type words by the keyboard alone.
    static void mapBrokerFile(WindowDriver &user)
    {
        // Each field's column is the field's own place in this file.
        const Qt::Key fieldKeys[] = {Qt::Key_D, Qt::Key_U, Qt::Key_T, Qt::Key_H, Qt::Key_P, Qt::Key_E, Qt::Key_V};
        for (int field = 0; field < RecordFieldCount; ++field)
            choose(user, fieldKeys[field], field + 1);
        // Kauf, Dividende, Verkauf in the order they first appear.
        user.key(Qt::Key_Y, Qt::AltModifier);
        for (const int steps : {1, 3, 2}) { // Bought, Cash Dividend, Sold
            choose(user, Qt::Key_unknown, steps);
            user.key(Qt::Key_Tab);
        }
    }

private slots:
    void init()
    {
        startFrame();
        menu = qobject_cast<FundMenu *>(openByAccessKey(QStringLiteral("Manager")));
        QVERIFY(menu);
    }
    void cleanup() { endFrame(); }

    // Cancel, in the preview or in the file box, adds nothing, changes
    // nothing and remembers nothing. A file in the export's layout needs no
    // choices: Import by its access key adds the records sorted, marks the
    // database changed and says what it added.
    void ownLayoutImportsAtOnce()
    {
        const QString file = write(QStringLiteral("own.csv"), OwnFile);
        QVERIFY(importWith(file, [](RecordImportDialog &, WindowDriver &driver) { driver.click("CancelBut"); }));
        user->click("ImportRec");
        QCOMPARE(funds().recordCount(), 0);
        QCOMPARE(menu->session().DataChanged, qint16(0));
        QCOMPARE(messages(), QList<int>());
        QVERIFY(!QFile::exists(ImportMappingsPath(t->shell.folder())));

        const bool shown = importWith(file, [&](RecordImportDialog &dialog, WindowDriver &driver) {
            // A button's access key presses it as a click seen on the screen.
            driver.key(Qt::Key_I, Qt::AltModifier);
            QTRY_VERIFY(!dialog.isVisible());
        });
        QVERIFY(shown);
        QCOMPARE(messages(), QList<int>{MsgRecordsImported});
        QCOMPARE(t->dialogs.messageDetails.last(), QStringLiteral("3 records and 1 new fund"));
        // The records' figures are the reader's (test_record_csv); the sale shows they arrived.
        QVERIFY(ExportRecordsCsv(funds()).contains("2024-02-01,Meridian Index,S,400,1456.25,19.95,0\r\n"));
        QCOMPARE(menu->session().DataChanged, qint16(1));
        QCOMPARE(menu->findChild<QLabel *>("InfoBox")->text(), QStringLiteral(" Funds = 1    Records = 3 "));
        user->click("ExitMenu");
        QCOMPARE(t->dialogs.questions, QList<int>{QuestionUnsavedFile});
    }

    // A broker's file is mapped by the keyboard; every row that fails is
    // listed by line and field, and Import waits until none does. The mapping
    // is then offered again for a file of the same layout.
    void brokerFileMappedByTheUser()
    {
        const QString file = write(QStringLiteral("broker.csv"), BrokerFile);
        bool disabledWhileFailing = false;
        int dateProblems = 0;
        const bool shown = importWith(file, [&](RecordImportDialog &dialog, WindowDriver &driver) {
            mapBrokerFile(driver);
            // Another date format: every row fails on its date.
            choose(driver, Qt::Key_F, 0);
            auto *problems = dialog.findChild<QTableWidget *>("Problems");
            auto *import = dialog.findChild<QPushButton *>("ImportBut");
            disabledWhileFailing = !import->isEnabled();
            for (int row = 0; row < problems->rowCount(); ++row)
                dateProblems += problems->item(row, 1)->text().startsWith(QLatin1String("date (Datum)"));
            choose(driver, Qt::Key_F, int(ImportDateFormats().indexOf(QStringLiteral("dd.MM.yyyy"))));
            if (problems->rowCount() == 0 && import->isEnabled())
                driver.click("ImportBut");
        });
        QVERIFY(shown);
        QVERIFY(disabledWhileFailing);
        QCOMPARE(dateProblems, 4);
        QCOMPARE(messages(), QList<int>{MsgRecordsImported});
        QCOMPARE(t->dialogs.messageDetails.last(), QStringLiteral("4 records and 2 new funds"));
        // The choices made by the keyboard reached the records: dates, decimal
        // commas, thousands points and the words mapped.
        QVERIFY(ExportRecordsCsv(funds()).contains("2024-01-15,Harbor Growth,B,1250,1234.5678,12.5,0\r\n"));

        // A file of the same layout (here the same file again) imports with
        // the choices remembered.
        QVERIFY(importWith(file, [&](RecordImportDialog &, WindowDriver &driver) { driver.click("ImportBut"); }));
        QCOMPARE(t->dialogs.messageDetails.last(), QStringLiteral("4 records and 0 new funds"));
        QCOMPARE(funds().recordCount(), 8);
    }

    // Files that cannot be imported are told before any preview.
    void unreadableFilesAreTold()
    {
        const auto noPreview = [](RecordImportDialog &, WindowDriver &) {};
        QVERIFY(!importWith(path(QStringLiteral("missing.csv")), noPreview));
        QVERIFY(!importWith(write(QStringLiteral("binary.csv"), QByteArray("\x00\x01\x02\xff\x00", 5)), noPreview));
        QCOMPARE(messages(), (QList<int>{MsgFileNotFound, MsgImportUnreadable}));
        QVERIFY(!t->dialogs.messageDetails.last().isEmpty());
    }

    // The export writes the program's own layout under the database's name;
    // without records there is nothing to export, and an export that cannot
    // be written says why and leaves the old file.
    void exportWritesTheFileOrSaysWhy()
    {
        user->click("ExportRec");
        QCOMPARE(messages(), QList<int>{MsgNoRecords});
        QVERIFY(t->dialogs.fileRequests.isEmpty());
        messages().clear();

        t->dialogs.fileNames << SourceDir() + QStringLiteral("/resources/samples/DtaSampl.QVS");
        user->click("Loadfile");
        t->dialogs.fileNames << path(QStringLiteral("records.csv"));
        user->click("ExportRec");
        QCOMPARE(messages(), QList<int>());
        QVERIFY(t->dialogs.fileRequests.last().suggested.endsWith(QLatin1String("DtaSampl.csv")));
        // What it holds is the core's: test_record_csv's round trip.
        QVERIFY(QFile::exists(path(QStringLiteral("records.csv"))));

        const QString old = write(QStringLiteral("old.csv"), "date,fund\n");
        {
            const FullDisk disk(20);
            t->dialogs.fileNames << old;
            user->click("ExportRec");
        }
        QCOMPARE(messages(), QList<int>{MsgSaveDiskFull});
        QFile kept(old);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("date,fund\n"));
    }
};

QTEST_MAIN(TestRecordImportWindow)
#include "test_record_import_window.moc"
