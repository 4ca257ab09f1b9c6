#include "shell/core/record_file.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

#include <sys/stat.h>

namespace {

// A line's values as one readable text: empty / "text" / 12.5 / #2026-12-06#.
QString describe(const QList<RecordValue> &values)
{
    QStringList parts;
    for (const RecordValue &v : values) {
        switch (v.kind) {
        case RecordValue::Empty: parts << QStringLiteral("empty"); break;
        case RecordValue::Text: parts << QLatin1Char('"') + v.text + QLatin1Char('"'); break;
        case RecordValue::Number: parts << QString::fromLatin1(PlainNumber(v.number)); break;
        case RecordValue::Date: parts << v.date.toString(QStringLiteral("#yyyy-MM-dd#")); break;
        }
    }
    return parts.join(QStringLiteral(" / "));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot prepare %s", qPrintable(path));
}

} // namespace

class TestRecordFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void readsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("number forms") << QByteArray(".5,-12.5,7.,-0.0001,0.00005,0.00015\r\n")
                                      << QStringList{"0.5 / -12.5 / 7 / -0.0001 / 0 / 0.0002"};
        QTest::newRow("spaces around values") << QByteArray(" 12 , \"x\" ,#2000-02-29# \r\n")
                                              << QStringList{"12 / \"x\" / #2000-02-29#"};
        QTest::newRow("lines of several ends") << QByteArray("1\r\n2\n3\r4")
                                               << QStringList{"1", "2", "3", "4"};
        QTest::newRow("empty line is one empty value") << QByteArray("\r\n5\r\n") << QStringList{"empty", "5"};
        QTest::newRow("UTF-8 text") << QByteArray("\"\xE2\x82\xAC\",\"\xF0\x9F\x98\x80\"\r\n")
                                    << QStringList{QString::fromUtf8("\"€\" / \"😀\"")};
    }
    void readsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        RecordReader reader(bytes);
        QVERIFY(reader.ok());
        for (const QString &expected : lines) {
            QString error;
            const auto values = reader.readLine(&error);
            QVERIFY2(values, qPrintable(error));
            QCOMPARE(describe(*values), expected);
        }
        QVERIFY(reader.atEnd());
        QString error;
        QVERIFY(!reader.readLine(&error));
        QCOMPARE(error, QStringLiteral("line %1: the file ends early").arg(lines.size() + 1));
    }

    // Every malformed line is refused with its line and field, and the reader
    // goes on at the next line.
    void refusesMalformedLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("error");
        QTest::newRow("unterminated quote") << QByteArray("1,\"House,2") << "line 2, field 2: unterminated quote";
        QTest::newRow("text after quote") << QByteArray("\"a\"b,1") << "line 2, field 1: text after the closing quote";
        QTest::newRow("unquoted text") << QByteArray("1,House") << "line 2, field 2: not a number, a date or quoted text";
        QTest::newRow("too large") << QByteArray("922337203685478") << "line 2, field 1: number too large";
        QTest::newRow("no 30 February") << QByteArray("#2026-02-30#") << "line 2, field 1: not a date of the form #yyyy-mm-dd#";
        QTest::newRow("too many values") << QByteArray(300, ',') << "line 2, field 257: too many values on one line";
    }
    void refusesMalformedLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, error);
        RecordReader reader("1\r\n" + line + "\r\n\"next\"\r\n");
        QVERIFY(reader.readLine());
        QString got;
        QVERIFY(!reader.readLine(&got));
        QCOMPARE(got, error);
        QCOMPARE(reader.error(), error);
        const auto next = reader.readLine();
        QVERIFY(next);
        QCOMPARE(describe(*next), QStringLiteral("\"next\""));
    }

    void typedAccessNamesLineAndField()
    {
        RecordReader reader(QByteArray("\"House\",150000.5,,#2026-12-06#\r\n"));
        const auto line = reader.readLine();
        QVERIFY(line);
        QString error;
        QCOMPARE(reader.text(*line, 1, &error), std::optional<QString>(QStringLiteral("House")));
        QCOMPARE(reader.number(*line, 2, &error)->raw(), qint64(1500005000));
        QCOMPARE(reader.date(*line, 4, &error), std::optional<QDate>(QDate(2026, 12, 6)));

        QVERIFY(!reader.number(*line, 1, &error));
        QCOMPARE(error, QStringLiteral("line 1, field 1: a number was expected"));
        QVERIFY(!reader.text(*line, 2, &error));
        QCOMPARE(error, QStringLiteral("line 1, field 2: quoted text was expected"));
        QVERIFY(!reader.integer(*line, 2, &error));
        QCOMPARE(error, QStringLiteral("line 1, field 2: a whole number was expected"));
        QVERIFY(!reader.date(*line, 5, &error));
        QCOMPARE(error, QStringLiteral("line 1, field 5: missing; the line has 4 values"));
        QVERIFY(!reader.text(*line, 0, &error));
    }

    // The largest file taken, its lines ended by CR alone, read in one pass:
    // it once took 9 s, each line searching the rest of the file for an LF.
    // CR LF files of that size are timed by bench_fund_file.
    void readsTheLargestCrFileInOnePass()
    {
        const QByteArray line = QByteArray("1500,\"Jo\",#2026-12-06#\r");
        const QByteArray text = line.repeated(RecordReader::MaxFileSize / line.size());
        QElapsedTimer clock;
        clock.start();
        RecordReader reader(text);
        qsizetype lines = 0;
        for (; !reader.atEnd(); ++lines)
            QVERIFY(reader.readLine());
        QCOMPARE(lines, RecordReader::MaxFileSize / line.size());
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    }

    void keepFieldsSkipsTheRestUnread()
    {
        RecordReader reader(QByteArray("\"$\",1,\"Jo\",garbage,\"open\r\n2\r\n"));
        const auto line = reader.readLine(nullptr, 3);
        QVERIFY(line);
        QCOMPARE(describe(*line), QStringLiteral("\"$\" / 1 / \"Jo\""));
        QCOMPARE(describe(*reader.readLine()), QStringLiteral("2"));
    }

    // Files refused whole, read from the file and (for what a file holds) from
    // bytes. Only a regular file is read: a pipe with no writer is refused at
    // once, not waited on, as a device or a folder is. What cannot be opened
    // (a socket, a link loop) is refused as a missing file is.
    void refusesWholeFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error"); // empty when read
        QTest::newRow("binary") << "file" << QByteArray("\"$\"\0\xff\xfe,1", 8) << "not a text file";
        QTest::newRow("huge") << "file" << QByteArray(RecordReader::MaxFileSize + 1, ',') << "the file is too large";
        QTest::newRow("fifo") << "fifo" << QByteArray() << "not a file";
        QTest::newRow("missing") << "missing" << QByteArray() << "the file cannot be opened";
        QTest::newRow("link to a file") << "link" << QByteArray("\"$\",1,\"Jo\"\r\n") << "";
    }
    void refusesWholeFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("file"));
        writeFile(file, bytes);
        const QString path = dir.filePath(kind);
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == QLatin1String("link"))
            QVERIFY(QFile::link(file, path));
        QElapsedTimer clock;
        clock.start();
        QList<RecordReader> readers{RecordReader::fromFile(path)};
        QVERIFY(clock.elapsed() < 5000);
        if (kind == QLatin1String("file"))
            readers << RecordReader(bytes);
        for (RecordReader &reader : readers) {
            QCOMPARE(reader.ok(), error.isEmpty());
            QString got;
            QCOMPARE(bool(reader.readLine(&got)), error.isEmpty());
            QCOMPARE(got, error);
        }
    }

    void writesWhatItReadsBack()
    {
        const QList<QList<RecordValue>> lines = {
            {RecordValue::fromNumber(Money::fromRaw(std::numeric_limits<qint64>::max())),
             RecordValue::fromNumber(Money::fromRaw(-1)),
             RecordValue::fromNumber(Money::fromRaw(std::numeric_limits<qint64>::min())),
             RecordValue::fromNumber(Money())},
            {RecordValue::fromText(QStringLiteral("Smith, Jones & Co")), RecordValue::fromText(QString()),
             RecordValue::fromText(QStringLiteral("  spaced  ")), RecordValue::empty()},
            {RecordValue::fromDate(QDate(2026, 12, 6)), RecordValue::fromDate(QDate(1998, 10, 12)),
             RecordValue::fromNumber(Money::fromRaw(12345000)), RecordValue::fromNumber(Money::fromRaw(3652500))},
            {RecordValue::empty(), RecordValue::empty(), RecordValue::empty(), RecordValue::empty()},
        };
        RecordWriter writer;
        for (const auto &line : lines)
            writer.addLine(line);
        QCOMPARE(writer.text(), QByteArray("922337203685477.5807,-0.0001,-922337203685477.5808,0\r\n"
                                           "\"Smith, Jones & Co\",\"\",\"  spaced  \",\r\n"
                                           "#2026-12-06#,#1998-10-12#,1234.5,365.25\r\n"
                                           ",,,\r\n"));
        RecordReader reader(writer.text());
        for (const auto &line : lines) {
            QString error;
            const auto read = reader.readLine(&error);
            QVERIFY2(read, qPrintable(error));
            QVERIFY2(*read == line, qPrintable(describe(*read)));
        }
        QVERIFY(reader.atEnd());
    }

    void writerCleansWhatTheFormCannotHold()
    {
        RecordWriter writer;
        writer.addString(QStringLiteral("Fund \"A\"\r\nnext"));
        writer.addDate(QDate());
        writer.addInteger(-7);
        writer.endLine();
        QCOMPARE(writer.text(), QByteArray("\"Fund 'A'next\",,-7\r\n"));
        RecordReader reader(writer.text());
        QCOMPARE(describe(*reader.readLine()), QStringLiteral("\"Fund 'A'next\" / empty / -7"));
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "test_record_file.moc"
