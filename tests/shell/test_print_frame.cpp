#include "shell/core/app_state.h"
#include "shell/core/message_texts.h"
#include "shell/print/print_frame.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"

#include <QTest>

class TestPrintFrame : public QObject
{
    Q_OBJECT

    // A printout of `count` counted lines under one heading line.
    static void countedBody(PrintFrame &frame, int count)
    {
        auto headings = [&] { frame.line(2, QStringLiteral("Year   Value")); };
        headings();
        int lines = 4;
        for (int i = 1; i <= count; ++i) {
            frame.line(3, QString::number(i));
            if (frame.pageFull(++lines)) {
                frame.breakPage(3, headings);
                lines = 4;
            }
        }
    }

private slots:
    // The standard font and one Courier size; the other sizes take the same
    // path with another count from the same table.
    void pagesFollowTheFontChoice_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("linesPerPage");
        QTest::addColumn<int>("pointSize");
        QTest::newRow("standard font") << 0 << 53 << 0;
        QTest::newRow("11 point") << 2 << 56 << 11;
    }
    void pagesFollowTheFontChoice()
    {
        QFETCH(int, choice);
        QFETCH(int, linesPerPage);
        QFETCH(int, pointSize);
        AppState state;
        state.PrinterFontChoice = qint16(choice);
        ScriptedDialogs dialogs;
        dialogs.lines << QStringLiteral("My header");
        RecordingPrinter printer;
        QVERIFY(RunPrintout(state, dialogs, printer, QStringLiteral("Test"), [](PrintFrame &f) { countedBody(f, 120); }));
        QCOMPARE(printer.jobs.size(), 1);
        const TextPrintJob &job = printer.jobs.first();
        QVERIFY(job.ended());
        const QList<QStringList> &pages = job.pages();
        QVERIFY(pages.size() >= 2);
        QVERIFY(dialogs.messages.isEmpty());
        for (const QStringList &page : pages)
            QCOMPARE(page.first(), QString()); // every page starts with an empty line
        if (pointSize == 0) {
            QVERIFY(job.fonts().isEmpty());
        } else {
            QCOMPARE(job.fonts().size(), pages.size());
            QCOMPARE(job.fonts().first().name, QStringLiteral("Courier New"));
            QCOMPARE(job.fonts().first().pointSize, pointSize);
        }
        // Page 1: empty, header, empty, heading; counting starts at 4 and breaks at the page length.
        const QStringList &first = pages.first();
        QCOMPARE(first.at(1), QStringLiteral(" My header"));
        QCOMPARE(first.at(3), QStringLiteral(" Year   Value"));
        const int numbersOnFirst = linesPerPage - 4;
        QCOMPARE(first.at(3 + numbersOnFirst), QStringLiteral("  %1").arg(numbersOnFirst));
        QCOMPARE(first.at(first.size() - 1), QString(39, u' ') + QStringLiteral("Page 1 "));
        QCOMPARE(first.at(first.size() - 2), QString());
        // Page 2: the empty line of the set-up, three empty lines, the headings again.
        const QStringList &second = pages.at(1);
        QCOMPARE(second.mid(0, 4), QStringList(4, QString()));
        QCOMPARE(second.at(4), QStringLiteral(" Year   Value"));
        QCOMPARE(second.at(5), QStringLiteral("  %1").arg(numbersOnFirst + 1));
        // The last page ends with the last line; no empty page follows.
        QCOMPARE(pages.last().last(), QStringLiteral("  120"));
    }

    void refusalsAndFailuresPrintNothing()
    {
        AppState state;
        ScriptedDialogs dialogs;
        RecordingPrinter printer;
        bool bodyRan = false;
        auto body = [&](PrintFrame &) { bodyRan = true; };

        dialogs.lines << std::nullopt; // the header box cancelled
        QVERIFY(!RunPrintout(state, dialogs, printer, QStringLiteral("T"), body));
        QVERIFY(printer.titles.isEmpty());

        dialogs.lines << QStringLiteral("ok");
        printer.cancel = true; // the print dialog is cancelled
        QVERIFY(!RunPrintout(state, dialogs, printer, QStringLiteral("T"), body));
        QCOMPARE(printer.titles.size(), 1);
        QVERIFY(printer.jobs.isEmpty());
        QVERIFY(!bodyRan);
        QVERIFY(dialogs.messages.isEmpty());

        // A job whose printer or file failed is told and does not count as printed.
        dialogs.lines << QStringLiteral("Broken");
        struct BrokenJob : TextPrintJob
        {
            bool ok() const override { return false; }
        };
        struct BrokenPrinter : Printer
        {
            std::unique_ptr<PrintJob> begin(const QString &) override { return std::make_unique<BrokenJob>(); }
            PrintOutcome printImage(const QString &, const QImage &, bool) override { return PrintOutcome::Failed; }
        } broken;
        QVERIFY(!RunPrintout(state, dialogs, broken, QStringLiteral("T"), [](PrintFrame &) {}));
        QCOMPARE(dialogs.messages, QList<int>{MsgPrintoutNotWritten});
    }
};

QTEST_GUILESS_MAIN(TestPrintFrame)
#include "test_print_frame.moc"
