#include "shell/core/message_numbers.h"
#include "shell/core/message_texts.h"
#include "support/full_disk.h"
#include "support/report_program.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
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

struct stat statusOf(const QString &path)
{
    struct stat status = {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

QString message(MessageNumber number)
{
    return MessageText(number, QString());
}

} // namespace

// Where tallomar-report's output goes and what it leaves there: files kept
// when there is nothing to put in their place, pipes and devices written
// into and never replaced, and every failure told with its reason.
class TestReportOutput : public QObject
{
    Q_OBJECT

    static inline ReportProgram s_report;
    using Run = ReportRun;

    static Run run(const QStringList &arguments, const QByteArray &input = {})
    {
        return s_report.run(arguments, input);
    }
    static QString path(const QString &name) { return s_report.filePath(name); }
    // How many files of the test's folder have names starting so: one when
    // nothing was left beside the file of that name.
    static qsizetype filesStartingWith(const QString &name)
    {
        return QDir(s_report.folder()).entryList({name + u'*'}, QDir::Files | QDir::Hidden).size();
    }

    // A run that must end by itself within a few seconds: one that waits on
    // a pipe nobody writes to counts as a failure (code -2), and is ended.
    // Another program may start the report program, as a shell does.
    static Run runWithin(const QStringList &arguments, int msecs, const QString &program = s_report.program())
    {
        QProcess process;
        process.setWorkingDirectory(s_report.folder());
        process.start(program, arguments);
        process.closeWriteChannel();
        Run result;
        if (!process.waitForFinished(msecs)) {
            process.kill();
            process.waitForFinished();
            result.code = -2;
            return result;
        }
        result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(s_report.setUp());
    }

    // A run refused before it could show anything leaves an earlier output
    // file byte for byte, whatever the command and format.
    void aRefusedRunKeepsTheOldOutput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("format");
        QTest::newRow("net worth file missing, pdf") << QStringList{"networth", "--file", "missing.qvw"}
                                                     << QByteArray() << "pdf";
        QTest::newRow("growth without a cost, report") << QStringList{"growth", "--cost", "0"} << QByteArray()
                                                       << "report";
        // The second press empties the table before it is refused, as in the window.
        QTest::newRow("capital refused second, csv")
            << QStringList{"capital", "--input", "-"}
            << QByteArray(R"([{"option": "capital", "amount": 150000}, {"option": "income", "rate": 0}])") << "csv";
    }
    void aRefusedRunKeepsTheOldOutput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, format);
        const QString target = path(QStringLiteral("kept-output.") + format);
        const QByteArray old = "Name,Net Worth\r\nLast month,125000.00\r\n";
        writeFile(target, old);
        const Run r = run(arguments + QStringList{"--format", format, "--out", target}, input);
        QCOMPARE(r.code, 3);
        QVERIFY2(!r.err.isEmpty(), "the refusal is told");
        QCOMPARE(readFile(target), old);
        QCOMPARE(filesStartingWith(QStringLiteral("kept-output.") + format), 1);
    }

    // What was shown before a later refusal is still the output, as the
    // window would still show it.
    void aLaterRefusalStillWritesWhatWasShown()
    {
        const QByteArray presses = "[" + QByteArrayList(23, R"({"cost": 1000, "value": 2500})").join(',') + "]";
        const QString target = path(QStringLiteral("growth.json"));
        writeFile(target, "old");
        const Run r = run({"growth", "--input", "-", "--format", "json", "--out", target}, presses);
        QCOMPARE(r.code, 3);
        const QJsonObject json = QJsonDocument::fromJson(readFile(target)).object();
        QCOMPARE(json.value(QStringLiteral("grid")).toArray().size(), 23);
        QCOMPARE(json.value(QStringLiteral("results")).toArray().size(), 22);
        QCOMPARE(json.value(QStringLiteral("message")).toObject().value(QStringLiteral("number")).toInt(), 6);
    }

    // A pipe a script reads from is written into, and stays a pipe.
    void outputIntoAFifo()
    {
        const QString fifo = path(QStringLiteral("report.fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // The reader is there before the program opens the pipe to write.
        const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        const Run r = runWithin({"growth", "--cost", "1000", "--value", "2500", "--format", "csv", "--out", fifo}, 30000);
        QByteArray got;
        char buffer[4096];
        for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;)
            got.append(buffer, n);
        ::close(reader);
        QCOMPARE(r.code, 0);
        QVERIFY2(got.startsWith("Name of Investment,Term in Years,") && got.contains(",5,1000.00,"), got.constData());
        QVERIFY(S_ISFIFO(statusOf(fifo).st_mode));
        QVERIFY(QFile::remove(fifo));
    }

    // A device stays a device, written to and never replaced by a file
    // (one that refuses is the safe save's test, told as a full disk).
    void outputIntoADevice()
    {
        QString null = path(QStringLiteral("null"));
        if (::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
            null = QStringLiteral("/dev/null"); // not root: the system's own, checked the same way
        const Run written = run({"savings", "--years", "40", "--format", "csv", "--out", null});
        QCOMPARE(written.code, 0);
        QVERIFY2(written.err.isEmpty(), qPrintable(written.err));
        QVERIFY(IsDevice(null));
    }

    // --out /dev/stdout goes where standard output goes: a file opened for
    // appending keeps what it held, and is the same file afterwards.
    void outputIntoStandardOutput()
    {
        const QString log = path(QStringLiteral("log.csv"));
        writeFile(log, "earlier run\n");
        const ino_t inode = statusOf(log).st_ino;
        QProcess process;
        process.setWorkingDirectory(s_report.folder());
        process.setStandardOutputFile(log, QIODevice::Append);
        process.start(s_report.program(), {"growth", "--format", "csv", "--out", "/dev/stdout"});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        const QByteArray bytes = readFile(log);
        QVERIFY2(bytes.startsWith("earlier run\nName of Investment,"), bytes.constData());
        QCOMPARE(statusOf(log).st_ino, inode);
        // Into a pipe, as a script reading the program's output has it.
        const Run piped = run({"growth", "--format", "csv", "--out", "/dev/stdout"});
        QVERIFY(piped.code == 0 && piped.out.startsWith("Name of Investment,"));
    }

    // A data file that is a pipe or a device is refused at once as a file
    // that cannot be read, never waited on. Each command reads through the
    // one reader, whose own test meets every kind of file, a folder too.
    void readersRefuseWhatIsNoFile_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::newRow("networth, fifo") << "networth" << "fifo";
        QTest::newRow("mortgage, /dev/zero") << "mortgage" << "/dev/zero";
    }
    void readersRefuseWhatIsNoFile()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QString target = file;
        if (file == QLatin1String("fifo")) {
            target = path(QStringLiteral("data.fifo"));
            QFile::remove(target);
            QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        }
        const Run r = runWithin({command, "--file", target, "--format", "csv"}, 20000);
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err.trimmed(), message(MsgFileNotFound));
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    }

    // Under a file-size limit the write fails like one on a full disk: the
    // program says so and exits with 1 instead of being killed, and the old
    // file stays whole, with nothing half-written beside it.
    void aFileSizeLimitIsAWriteError_data()
    {
        QTest::addColumn<QString>("format");
        for (const char *format : {"csv", "pdf", "report"})
            QTest::newRow(format) << format;
    }
    void aFileSizeLimitIsAWriteError()
    {
        QFETCH(QString, format);
        const QString target = path(QStringLiteral("limited.") + format);
        const QByteArray old = "the report of last month\n";
        writeFile(target, old);
        // 8 blocks of 512 bytes at most; the 40-year plan is far larger.
        const Run r = runWithin({"-c", "ulimit -f 8 && exec \"$0\" \"$@\"", s_report.program(), "savings", "--frequency",
                                 "Monthly", "--years", "40", "--format", format, "--out", target},
                                60000, QStringLiteral("sh"));
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err.trimmed(), QStringLiteral("tallomar-report: cannot write %1: %2").arg(target, message(MsgSaveDiskFull)));
        QCOMPARE(readFile(target), old);
        QCOMPARE(filesStartingWith(QStringLiteral("limited.") + format), 1);
    }

    // Every failed write says why, in the words of the message a window
    // shows, else in the reason's own (which reason is which message is the
    // safe save's test).
    void aFailedWriteSaysWhy_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("why");
        QTest::newRow("missing folder, csv") << "csv" << "missing/plan" << message(MsgSaveNoFolder);
        QTest::newRow("missing folder, pdf") << "pdf" << "missing/plan" << message(MsgSaveNoFolder);
        QTest::newRow("a folder has that name") << "csv" << "taken" << "a folder has that name";
    }
    void aFailedWriteSaysWhy()
    {
        QFETCH(QString, format);
        QFETCH(QString, target);
        QFETCH(QString, why);
        QDir(s_report.folder()).mkpath(QStringLiteral("taken"));
        const Run r = run({"savings", "--format", format, "--out", path(target)});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err.trimmed(), QStringLiteral("tallomar-report: cannot write %1: %2").arg(path(target), why));
    }
};

QTEST_GUILESS_MAIN(TestReportOutput)
#include "test_report_output.moc"
