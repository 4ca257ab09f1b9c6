#include "shell/core/data_places.h"
#include "shell/core/personal_settings.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

void Touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

// Run from a build folder everything sits beside the program; installed, the
// program's folder cannot be written and the settings move to the user's
// configuration folder while the documents come from share/tallomar.
class TestDataPlaces : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("TallomarPlacesTest"));
    }

    void buildFolderKeepsEverythingBesideTheProgram()
    {
        QTemporaryDir program;
        const QString beside = QDir(program.path()).filePath(QLatin1String(PersonalSettingsFile));
        QCOMPARE(SettingsFileToWrite(program.path()), beside);
        QCOMPARE(SettingsFileToRead(program.path()), beside);
        Touch(QDir(program.path()).filePath(QStringLiteral("Tlmuse33.hlp")));
        QCOMPARE(DataFilePath(program.path(), QStringLiteral("Tlmuse33.hlp")),
                 QDir(program.path()).filePath(QStringLiteral("Tlmuse33.hlp")));
        QCOMPARE(SampleFolder(program.path()), QDir(program.path()).absolutePath());
    }

    void installedProgramUsesTheUsersFolders()
    {
        // A prefix whose bin/ is not a folder the user may write.
        QTemporaryDir prefix;
        const QString bin = QDir(prefix.path()).filePath(QStringLiteral("bin"));
        const QString share = QDir(prefix.path()).filePath(QStringLiteral("share/tallomar"));
        Touch(QDir(share).filePath(QStringLiteral("Tlmuse33.hlp")));
        Touch(QDir(share).filePath(QStringLiteral("NetSampl.QVW")));
        QVERIFY(!FolderWritable(bin));

        const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QDir(config).removeRecursively();
        const QString written = SettingsFileToWrite(bin);
        QCOMPARE(written, QDir(config).filePath(QLatin1String(PersonalSettingsFile)));
        QVERIFY(QFileInfo(config).isDir()); // made, so saving can succeed

        // No settings of the user's own yet: one found beside the program is read.
        QCOMPARE(SettingsFileToRead(bin), QDir(bin).filePath(QLatin1String(PersonalSettingsFile)));
        Touch(written);
        QCOMPARE(SettingsFileToRead(bin), written);
        QDir(config).removeRecursively();

        QCOMPARE(DataFilePath(bin, QStringLiteral("NetSampl.QVW")), QDir(share).filePath(QStringLiteral("NetSampl.QVW")));
        QCOMPARE(SampleFolder(bin), QDir(share).absolutePath());
        // A document found nowhere is looked for beside the program, so its message names a place.
        QCOMPARE(DataFilePath(bin, QStringLiteral("missing.hlp")), QDir(bin).filePath(QStringLiteral("missing.hlp")));
    }

    void fileBoxStartsWhereTheUserExpects()
    {
        QTemporaryDir home;
        const QString documents = QDir(home.path()).filePath(QStringLiteral("Documents"));
        const QString last = QDir(home.path()).filePath(QStringLiteral("plans"));
        QDir().mkpath(documents);
        QDir().mkpath(last);
        const QString installed = QStringLiteral("/nonexistent/share/tallomar/NetSampl.QVW");

        // Nothing named: the folder of the last file of this kind, else the documents.
        QCOMPARE(StartOfFileBox({}, false, {}, documents).folder, documents);
        QCOMPARE(StartOfFileBox({}, true, last, documents).folder, last);
        // A file named is shown in its own folder...
        const FileBoxStart open = StartOfFileBox(installed, false, last, documents);
        QCOMPARE(open.folder, QStringLiteral("/nonexistent/share/tallomar"));
        QCOMPARE(open.name, QStringLiteral("NetSampl.QVW"));
        // ...except a save into a folder the user may not write.
        const FileBoxStart save = StartOfFileBox(installed, true, {}, documents);
        QCOMPARE(save.folder, documents);
        QCOMPARE(save.name, QStringLiteral("NetSampl.QVW"));
        // A bare name says nothing of its folder: the box starts where this
        // kind of file was last taken from, not in the program's folder.
        const FileBoxStart bare = StartOfFileBox(QStringLiteral("home.umd"), false, last, documents);
        QCOMPARE(bare.folder, last);
        QCOMPARE(bare.name, QStringLiteral("home.umd"));
    }
};

QTEST_GUILESS_MAIN(TestDataPlaces)
#include "test_data_places.moc"
