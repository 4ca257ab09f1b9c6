#include "app/tool_registry.h"
#include "invest/fund_menu_window.h"
#include "networth/networth_window.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/message_numbers.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/tool_window_test.h"
#include "support/source_dir.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <memory>

namespace {

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A second start of the program with one tool open: its own settings,
// dialogs and frame.
struct SecondStart
{
    explicit SecondStart(const QString &button)
    {
        RegisterTools(frame);
        tool = OpenFromMenu(frame, button);
        user = std::make_unique<WindowDriver>(tool);
    }
    TestShell t;
    MdiContainer frame{t.shell};
    QWidget *tool = nullptr;
    std::unique_ptr<WindowDriver> user;
};

// One copy of the program as the test drives it.
struct Copy
{
    ScriptedDialogs &dialogs;
    QWidget *tool;
    WindowDriver *user;
};

} // namespace

// Two copies of the program on one data file: a save never silently wipes
// out what the other copy saved since this one read or wrote the file.
class TestTwoCopiesSave : public ToolWindowTest
{
    Q_OBJECT

    QString m_openButton;
    QString m_saveButton;

    void openFile(Copy &copy, const QString &path)
    {
        copy.dialogs.fileNames << path;
        copy.user->click(m_openButton);
    }
    void saveFile(Copy &copy, const QString &path, std::optional<Answer> answer = std::nullopt)
    {
        copy.dialogs.fileNames << path;
        if (answer)
            copy.dialogs.answers << *answer;
        copy.user->click(m_saveButton);
    }
    // Some work in a copy that a save writes differently from the sample.
    void change(Copy &copy, const QString &tool)
    {
        if (tool == QLatin1String("Manager")) {
            copy.user->click(QStringLiteral("Editrec"));
            WindowDriver entry(static_cast<FundMenu *>(copy.tool)->entryWindow());
            copy.dialogs.lines << QStringLiteral("Brand New Fund");
            entry.click(QStringLiteral("createfund"));
            entry.click(QStringLiteral("ExBut"));
        } else if (tool == QLatin1String("NetWorth")) {
            SpreadsheetGrid *assets = static_cast<NetWorthCalc *>(copy.tool)->grid(NetWorthStatement::Side::Assets);
            assets->setFocus(Qt::MouseFocusReason);
            assets->setCurrentIndex(assets->model()->index(0, 1));
            QApplication::processEvents();
            QTest::keyClicks(assets, QStringLiteral("1500000"));
            QTest::keyClick(assets, Qt::Key_Return);
        } else {
            copy.user->fill(QStringLiteral("InPrincipal"), QStringLiteral("999999999"));
            copy.user->click(QStringLiteral("MCalc"));
        }
    }

private slots:
    void init() { startFrame(); }
    void cleanup() { endFrame(); }

    void secondSaveAsksFirst_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("save");
        QTest::newRow("investment manager") << "Manager" << "DtaSampl.QVS" << "Loadfile" << "SaveFile";
        QTest::newRow("net worth") << "NetWorth" << "NetSampl.QVW" << "Loadnet" << "SaveNet";
        QTest::newRow("mortgage") << "Canadian" << "Sample_mortgage.umd" << "MLoadFile" << "MSaveFile";
    }
    void secondSaveAsksFirst()
    {
        QFETCH(QString, tool);
        QFETCH(QString, sample);
        QFETCH(QString, open);
        QFETCH(QString, save);
        m_openButton = open;
        m_saveButton = save;

        Copy first{t->dialogs, openByAccessKey(tool), nullptr};
        QVERIFY(first.tool);
        first.user = user.get();
        SecondStart secondStart(tool);
        Copy second{secondStart.t.dialogs, secondStart.tool, secondStart.user.get()};
        QVERIFY(second.tool);
        const QString path = t->folder.filePath(QStringLiteral("shared.") + QFileInfo(sample).suffix());
        QVERIFY(QFile::copy(SourceDir() + QStringLiteral("/resources/samples/") + sample, path));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));

        // Both copies open the file; the first calculates what it shows.
        openFile(first, path);
        if (tool == QLatin1String("Canadian"))
            first.user->click(QStringLiteral("MCalc"));
        openFile(second, path);
        change(second, tool);
        saveFile(second, path);
        QCOMPARE(second.dialogs.questions, QList<int>());
        const QByteArray secondSaved = ReadBytes(path);

        // The first copy's save asks; going back saves nothing (No is the
        // same answer to MaySaveOver as the title bar's).
        saveFile(first, path, Answer::Closed);
        QCOMPARE(first.dialogs.questions, QList<int>{QuestionFileChanged});
        QCOMPARE(ReadBytes(path), secondSaved);

        // Saving anyway writes the first copy's work, and its next save is
        // over its own file: nothing to ask.
        saveFile(first, path, Answer::Yes);
        const QByteArray firstSaved = ReadBytes(path);
        QVERIFY(firstSaved != secondSaved);
        saveFile(first, path);
        QCOMPARE(first.dialogs.questions.size(), 2);
        QCOMPARE(ReadBytes(path), firstSaved);
    }
};

QTEST_MAIN(TestTwoCopiesSave)
#include "test_two_copies_save.moc"
