#include "app/tool_registry.h"
#include "growth/compound_growth.h"
#include "shell/core/app_state.h"
#include "shell/ui/calculator_window.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/message_texts.h"
#include "shell/print/print_frame.h"
#include "shell/print/qt_printer.h"
#include "support/full_disk.h"
#include "support/scripted_dialogs.h"
#include "support/window_driver.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void writeOld(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot prepare %s", qPrintable(path));
}

// The program's window printer where the print dialog chose a PDF file, as
// the dialog leaves the printer when the user picks "Print to File".
QtPrinter::Choose PrintToFile(const QString &path)
{
    return [path](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    };
}

// The savings planner opened from the menu, its 40-year monthly plan typed
// in and calculated, printed through a window printer whose dialog is `choose`.
struct PrintingSavingsWindow
{
    explicit PrintingSavingsWindow(QtPrinter::Choose choose) : printer(std::move(choose))
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        RegisterTools(frame);
        window = OpenFromMenu(frame, QStringLiteral("Savings"));
        if (!window)
            return;
        WindowDriver user(window);
        user.fill(QStringLiteral("InLumpInv"), QStringLiteral("250000"));
        user.fill(QStringLiteral("InInvest"), QStringLiteral("1500"));
        auto *frequency = user.find<QComboBox>(QStringLiteral("InMonthsYrs"));
        user.focus(QStringLiteral("InMonthsYrs"));
        while (frequency->currentText() != QLatin1String("Monthly"))
            user.key(Qt::Key_Down);
        user.leave();
        user.fill(QStringLiteral("InTerm"), QStringLiteral("40"));
        user.click(QStringLiteral("SCalc"));
    }
    QTemporaryDir folder;
    AppState state;
    ScriptedDialogs dialogs;
    QtPrinter printer;
    Shell shell{state, dialogs, printer, QDate(2026, 12, 6), folder.path()};
    MdiContainer frame{shell};
    QWidget *window = nullptr;
};

} // namespace

// Prints through the real page back end into PDF files and reads them back
// as text, to see that pages break where they should and columns line up.
class TestQtPrinter : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // The PDF's text, one string per page, with the layout kept.
    static QStringList pdfPages(const QString &path)
    {
        QProcess run;
        run.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        if (!run.waitForFinished(20000) || run.exitCode() != 0)
            return {};
        QStringList pages = QString::fromUtf8(run.readAllStandardOutput()).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

private slots:
    // Only the tests that read a PDF's text need pdftotext; the file safety
    // tests run without it.
    static bool havePdftotext() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

    void compoundGrowthColumnsLineUp_data()
    {
        QTest::addColumn<int>("font");
        QTest::newRow("standard font") << 0;
        QTest::newRow("Courier New 11") << 2;
    }
    void compoundGrowthColumnsLineUp()
    {
        if (!havePdftotext())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QFETCH(int, font);
        AppState state;
        state.PrinterFontChoice = qint16(font);
        ToolData data = CompoundGrowthData();
        const auto result = CalculateCompoundGrowth(Money::fromWhole(1000), Money::fromWhole(2507), Money::fromWhole(1), 0);
        AddCompoundGrowthResult(data, result.value(), QStringLiteral("Investment 1"), state.CurrencySymbol);
        ScriptedDialogs dialogs;
        dialogs.lines << QStringLiteral("One investment");
        const QString path = m_dir.filePath(QStringLiteral("growth-%1.pdf").arg(font));
        PdfPrinter printer(path);
        QVERIFY(RunPrintout(state, dialogs, printer, QStringLiteral("Growth"),
                            [&](PrintFrame &frame) { PrintCompoundGrowth(frame, data); }));
        const QStringList pages = pdfPages(path);
        // Where the pages break and what they hold is test_compound_growth's;
        // here the end of each figure stands under the end of its heading.
        QCOMPARE(pages.size(), 1);
        const QStringList lines = pages.at(0).split(QLatin1Char('\n'));
        const QString heading = *std::find_if(lines.begin(), lines.end(), [](const QString &l) {
            return l.contains(QStringLiteral("Investment       Future Value"));
        });
        const QString figures = *std::find_if(lines.begin(), lines.end(), [](const QString &l) {
            return l.contains(QStringLiteral("$1,000.00"));
        });
        auto endOf = [](const QString &line, const QString &text) { return line.indexOf(text) + text.size(); };
        QCOMPARE(endOf(figures, QStringLiteral("$1,000.00")), endOf(heading, QStringLiteral("Investment")));
        QCOMPARE(endOf(figures, QStringLiteral("$2,507.00")), endOf(heading, QStringLiteral("Future Value")));
        // In one year the annual rate and the total gain are the same figure.
        QCOMPARE(figures.lastIndexOf(QStringLiteral("150.7000%")) + 9, endOf(heading, QStringLiteral("over Period")));
    }

    // A PDF that cannot be saved leaves the old file as it was, says so to
    // its caller and keeps the console quiet. The other faults of a save are
    // met by every writer in test_safe_save.
    void failedPdfKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("image");
        QTest::newRow("printout, disk full") << false;
        QTest::newRow("picture, disk full") << true;
    }
    void failedPdfKeepsTheOldFile()
    {
        QFETCH(bool, image);
        QTemporaryDir dir;
        const QString oldPath = dir.filePath(QStringLiteral("report.pdf"));
        const QByteArray old("%PDF-1.4 an older report\n%%EOF\n");
        writeOld(oldPath, old);

        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        bool ok = true;
        {
            FullDisk full(1000);
            PdfPrinter printer(oldPath);
            if (image) {
                QImage picture(400, 300, QImage::Format_RGB32);
                picture.fill(Qt::red);
                ok = printer.printImage(QStringLiteral("Graph"), picture, true) == PrintOutcome::Printed;
            } else {
                auto job = printer.begin(QStringLiteral("Report"));
                for (int i = 0; i < 200; ++i) {
                    job->text(QStringLiteral("line %1 of a report long enough to fill more than one page").arg(i));
                    job->endLine();
                }
                job->endDocument();
                ok = job->ok();
            }
        }
        QVERIFY(!ok);
        QCOMPARE(contents(oldPath), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("report.pdf")});
    }

    // The window's printout to a file chosen in the print dialog: one that
    // cannot be written whole is told (message 53) and leaves the old file as
    // it was, with nothing beside it; printed again, it is written whole over
    // the longer file, page after page with no empty page after the last.
    // A device is written, never replaced, as test_safe_save walks.
    void windowPrintoutToAFile()
    {
        QTemporaryDir dir;
        const QString oldPath = dir.filePath(QStringLiteral("plan.pdf"));
        const QByteArray old = "%PDF-1.4 last year's plan\n" + QByteArray(1 << 20, 'o');
        writeOld(oldPath, old);
        PrintingSavingsWindow savings(PrintToFile(oldPath));
        QVERIFY(savings.window);
        const auto print = [&savings] {
            savings.dialogs.lines << QStringLiteral("Forty years of saving");
            WindowDriver(savings.window).click(QStringLiteral("SPrinter"));
        };
        const QStringList alone{QStringLiteral("plan.pdf")};
        const auto listing = [&dir] {
            return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        };
        {
            FullDisk full(30 * 1024);
            print();
        }
        QCOMPARE(savings.dialogs.messages, QList<int>{MsgPrintoutNotWritten});
        QCOMPARE(contents(oldPath), old);
        QCOMPARE(listing(), alone);

        print();
        QCOMPARE(savings.dialogs.messages.size(), 1);
        QCOMPARE(listing(), alone);
        const QByteArray pdf = contents(oldPath);
        QVERIFY(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"));
        if (!havePdftotext())
            return;
        // 480 months: 29 on the first page, 47 on each after it.
        const QStringList pages = pdfPages(oldPath);
        QCOMPARE(pages.size(), 11);
        QVERIFY(pages.first().contains(QStringLiteral("Forty years of saving")));
        QVERIFY(pages.last().contains(QStringLiteral("Total:")));
    }
};

QTEST_MAIN(TestQtPrinter)
#include "test_qt_printer.moc"
