#include "shell/core/record_file.h"
#include "shell/core/safe_save.h"
#include "support/full_disk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot prepare %s", qPrintable(path));
}

} // namespace

// A save, under every fault a user can meet, keeps the old file byte for
// byte and says that it failed. The faults are made so that root meets them.
class TestSafeSave : public QObject
{
    Q_OBJECT

    enum Fault { DiskFull, MissingFolder, FolderIsAFile, NotAllowed, FolderInTheWay };

private slots:
    // A failed save keeps the old file and says why, in a form a window
    // turns into its message; a folder in the way is told in the caller's
    // own words, and left alone. The record and settings writers hand their
    // text to SaveFileWhole; each window's failed save is in its own test.
    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("why"); // empty: the system's own words
        QTest::addColumn<int>("message");
        QTest::newRow("disk full") << int(DiskFull) << "disk full" << int(MsgSaveDiskFull);
        QTest::newRow("missing folder") << int(MissingFolder) << "folder does not exist" << int(MsgSaveNoFolder);
        QTest::newRow("folder is a file") << int(FolderIsAFile) << "not a folder" << int(MsgSaveNoFolder);
        QTest::newRow("writing not allowed") << int(NotAllowed) << "" << int(MsgSaveNotAllowed);
        QTest::newRow("a folder has that name") << int(FolderInTheWay) << "" << int(MsgNone);
    }
    void failedSaveKeepsTheOldFile()
    {
        QFETCH(int, fault);
        QFETCH(QString, why);
        QFETCH(int, message);
        QTemporaryDir dir;
        const QByteArray old("\"$\",1,\"Jo\"\r\n");
        const QString oldPath = dir.filePath(QStringLiteral("Personal.tlm"));
        writeFile(oldPath, old);
        const QString locked = dir.filePath(QStringLiteral("locked"));
        QString target = oldPath;
        if (fault == MissingFolder) {
            target = dir.filePath(QStringLiteral("gone/Personal.tlm"));
        } else if (fault == FolderIsAFile) {
            target = oldPath + QStringLiteral("/Personal.tlm");
        } else if (fault == FolderInTheWay) {
            target = dir.filePath(QStringLiteral("Funds.qvs"));
            QVERIFY(QDir().mkdir(target));
        } else if (fault == NotAllowed) {
            // Root writes anywhere it may change permissions; the system's
            // own files are refused to it as well.
            QVERIFY(QDir().mkdir(locked));
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
            target = ::geteuid() == 0 ? QStringLiteral("/sys/Funds.qvs") : locked + QStringLiteral("/Funds.qvs");
            if (!QFileInfo(target).absoluteDir().exists())
                QSKIP("no folder here that refuses writing");
        }
        const auto listing = [&dir] {
            return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        };
        const QStringList before = listing();

        SaveFailure failure;
        bool saved = false;
        {
            std::optional<FullDisk> full;
            if (fault == DiskFull)
                full.emplace(8);
            saved = SaveFileWhole(target, QByteArray(64 * 1024, 'n'), &failure);
        }
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!saved);
        if (!why.isEmpty())
            QCOMPARE(failure.text, why);
        QVERIFY(!failure.text.isEmpty());
        QCOMPARE(int(SaveProblemMessage(failure.problem)), message);
        QCOMPARE(readFile(oldPath), old);
        // No temporary file is left behind, and nothing was made.
        QCOMPARE(listing(), before);
        QVERIFY(fault != FolderInTheWay || QFileInfo(target).isDir());
    }

    // A device is written as it stands: what it refuses is a failure, and it
    // is never replaced by a file of the same name. One that takes
    // everything is written to in the report program's outputIntoADevice.
    void deviceIsWrittenNotReplaced()
    {
        QTemporaryDir dir;
        const QString full = FullDevice(dir.path());
        if (full.isEmpty())
            QSKIP("no full device here");
        QString why;
        QVERIFY(!SaveFileWhole(full, QByteArray(100000, 'x'), &why));
        QCOMPARE(why, QStringLiteral("disk full"));
        QVERIFY(IsDevice(full));
    }

    void saveReplacesTheWholeFile_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("shorter than before") << QByteArray(10000, 'o') << QByteArray("new\r\n");
        QTest::newRow("empty") << QByteArray("old") << QByteArray();
    }
    void saveReplacesTheWholeFile()
    {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("data.qvw"));
        writeFile(path, old);
        QString why = QStringLiteral("untouched");
        QVERIFY(SaveFileWhole(path, bytes, &why));
        QCOMPARE(why, QStringLiteral("untouched"));
        QCOMPARE(readFile(path), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("data.qvw")});
    }

    // Standard output on /dev/full is the report program's, in its own test.
    void standardOutputReportsFailures_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("why");
        QTest::newRow("file on a full disk") << "file" << "disk full";
        QTest::newRow("closed pipe") << "closed pipe" << "the output was closed";
    }
    void standardOutputReportsFailures()
    {
        QFETCH(QString, target);
        QFETCH(QString, why);
        QTemporaryDir dir;
        int fd = -1;
        int ends[2] = {-1, -1};
        if (target == QLatin1String("file")) {
            fd = ::open(QFile::encodeName(dir.filePath(QStringLiteral("out"))).constData(), O_WRONLY | O_CREAT, 0600);
        } else {
            QCOMPARE(::pipe(ends), 0);
            ::close(ends[0]);
            fd = ends[1];
        }
        QVERIFY(fd >= 0);
        const auto oldPipeHandler = std::signal(SIGPIPE, SIG_IGN);
        bool written = true;
        QString reason;
        {
            FullDisk full(8);
            std::fflush(stdout); // the test log's own lines stay with the test log
            const int saved = ::dup(STDOUT_FILENO);
            ::dup2(fd, STDOUT_FILENO);
            written = WriteStandardOutput(QByteArray(100000, 'x'), &reason);
            std::fflush(stdout);
            ::dup2(saved, STDOUT_FILENO);
            ::close(saved);
        }
        std::signal(SIGPIPE, oldPipeHandler);
        ::close(fd);
        QVERIFY(!written);
        QCOMPARE(reason, why);
    }

    // What another writer may have done to a file between our read and our
    // save, and whether the stamp of the read notices.
    void stampNoticesChangesOnDisk_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("changed");
        QTest::newRow("untouched") << "none" << false;
        QTest::newRow("same size, same time, other bytes") << "swap" << true;
        QTest::newRow("same bytes, newer time") << "touch" << true;
        QTest::newRow("another file") << "other" << false;
        QTest::newRow("through a link, changed") << "link" << true;
        QTest::newRow("no stamp") << "null" << false;
    }
    void stampNoticesChangesOnDisk()
    {
        QFETCH(QString, change);
        QFETCH(bool, changed);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("funds.qvs"));
        const QByteArray first("1,1,\"All Records\",\"31\"\r\n\"Alpha\",\"1\"\r\n");
        writeFile(path, first);
        FileStamp stamp;
        QCOMPARE(ReadDataFile(path, RecordReader::MaxFileSize, nullptr, &stamp), std::optional<QByteArray>(first));
        QVERIFY(!stamp.isNull());
        QString asked = path;
        if (change == QLatin1String("swap") || change == QLatin1String("touch")) {
            const bool swap = change == QLatin1String("swap");
            const QDateTime time = QFileInfo(path).lastModified();
            writeFile(path, swap ? QByteArray(first).replace("Alpha", "Omega") : first);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(swap ? time : time.addSecs(5), QFileDevice::FileModificationTime));
        } else if (change == QLatin1String("other")) {
            asked = folder.filePath(QStringLiteral("other.qvs"));
            writeFile(asked, "something else");
        } else if (change == QLatin1String("link")) {
            asked = folder.filePath(QStringLiteral("link.qvs"));
            QVERIFY(QFile::link(path, asked));
            writeFile(path, first + "\"Beta\",\"2\"\r\n");
        } else if (change == QLatin1String("null")) {
            stamp = FileStamp();
            writeFile(path, "changed");
        }
        QCOMPARE(stamp.changedOnDisk(asked), changed);
    }

    // A stamp taken after a save stands for the bytes saved: the next save of
    // the same program asks nothing, another program's save is noticed.
    void stampOfASave()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("house.qvw"));
        QVERIFY(SaveFileWhole(path, QByteArray("1,0\r\n")));
        const FileStamp stamp = FileStamp::of(path, QByteArray("1,0\r\n"));
        QVERIFY(!stamp.changedOnDisk(path));
        // A second copy saves the same file, through the same writer.
        QVERIFY(SaveFileWhole(path, QByteArray("2,0\r\n")));
        QVERIFY(stamp.changedOnDisk(path));
        // A missing file has no stamp.
        QVERIFY(FileStamp::of(folder.filePath(QStringLiteral("none.qvw")), QByteArray()).isNull());
    }
};

QTEST_GUILESS_MAIN(TestSafeSave)
#include "test_safe_save.moc"
