#include "shell/app_state.h"
#include "shell/personal_settings.h"
#include "shell/record_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Personal.tlm")); }
    void write(const QByteArray &bytes)
    {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

private slots:
    void roundTrip()
    {
        AppState written;
        written.CurrencySymbol = QStringLiteral("€");
        written.PrinterFontChoice = 2;
        written.UserName = QStringLiteral("Ada Lovelace");
        QVERIFY(SavePersonalSettings(written, path()));
        QFile file(path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\"\xE2\x82\xAC\",2,\"Ada Lovelace\"\r\n"));

        AppState read;
        read.LinesPerPage = 63;
        QVERIFY(LoadPersonalSettings(read, path()));
        QCOMPARE(read.CurrencySymbol, written.CurrencySymbol);
        QCOMPARE(read.PrinterFontChoice, qint16(2));
        QCOMPARE(read.UserName, written.UserName);
        QCOMPARE(read.LinesPerPage, qint16(63)); // left for the print set-up to decide
    }

    void emptyNameIsTwoQuotes()
    {
        AppState state;
        QVERIFY(SavePersonalSettings(state, path()));
        QFile file(path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\"$\",0,\"\"\r\n"));
    }

    void malformedFilesGiveDefaults_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<int>("font");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("complete");
        QTest::newRow("empty file") << QByteArray() << "$" << 0 << "" << false;
        QTest::newRow("empty symbol") << QByteArray("\"\",1,\"Jo\"\r\n") << "$" << 1 << "Jo" << true;
        QTest::newRow("short line keeps what was read") << QByteArray("\"£\",3") << "£" << 3 << "" << false;
        QTest::newRow("unterminated quote") << QByteArray("\"$,1,\"Jo\r\n") << "$" << 0 << "" << false;
        QTest::newRow("font not a number") << QByteArray("\"$\",x,\"Jo\"\r\n") << "$" << 0 << "" << false;
        QTest::newRow("font out of range") << QByteArray("\"$\",9,\"Jo\"\r\n") << "$" << 0 << "" << false;
        QTest::newRow("binary") << QByteArray("\"$\"\0\xff\xfe,1,\"Jo\"", 13) << "$" << 0 << "" << false;
        QTest::newRow("long symbol refused") << QByteArray("\"ABCDEF\",1,\"Jo\"\r\n") << "$" << 0 << "" << false;
        QTest::newRow("extra fields ignored") << QByteArray("\"kr\",1,\"Jo\",\"more\",7\r\n") << "kr" << 1 << "Jo"
                                              << true;
        QTest::newRow("LF line end") << QByteArray("\"$\",1,\"Jo\"\n") << "$" << 1 << "Jo" << true;
        QTest::newRow("huge file") << QByteArray(RecordReader::MaxFileSize + 10, 'x') << "$" << 0 << "" << false;
    }
    void malformedFilesGiveDefaults()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, symbol);
        QFETCH(int, font);
        QFETCH(QString, name);
        QFETCH(bool, complete);
        write(bytes);
        AppState state;
        state.LinesPerPage = 63;
        QCOMPARE(LoadPersonalSettings(state, path()), complete);
        QCOMPARE(state.CurrencySymbol, symbol);
        QCOMPARE(state.PrinterFontChoice, qint16(font));
        QCOMPARE(state.UserName, name);
        QCOMPARE(state.LinesPerPage, qint16(complete ? 63 : 53));
    }

    void missingFile()
    {
        AppState state;
        state.LinesPerPage = 51;
        QVERIFY(!LoadPersonalSettings(state, m_dir.filePath(QStringLiteral("nothing.tlm"))));
        QCOMPARE(state.CurrencySymbol, QStringLiteral("$"));
        QCOMPARE(state.LinesPerPage, qint16(53));
        QVERIFY(state.UserName.isEmpty());
    }

    void failedSaveKeepsTheOldFile()
    {
        write("\"$\",1,\"Jo\"\r\n");
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        AppState state;
        state.UserName = QStringLiteral("Someone else");
        const bool saved = SavePersonalSettings(state, path());
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (saved)
            QSKIP("running as a user who may write anywhere");
        AppState read;
        QVERIFY(LoadPersonalSettings(read, path()));
        QCOMPARE(read.UserName, QStringLiteral("Jo"));
    }

    void recordFileForms()
    {
        RecordWriter writer;
        writer.addString(QStringLiteral("Fund \"A\""));
        writer.addNumber(Money::fromDouble(12.5));
        writer.addNumber(Money::fromDouble(-0.0001));
        writer.addNumber(Money());
        writer.addDate(QDate(2026, 2, 3));
        writer.addEmpty();
        writer.endLine();
        QCOMPARE(writer.text(), QByteArray("\"Fund 'A'\",12.5,-0.0001,0,#2026-02-03#,\r\n"));

        RecordReader reader(writer.text());
        QCOMPARE(reader.readString(), std::optional<QString>(QStringLiteral("Fund 'A'")));
        QCOMPARE(reader.readNumber()->raw(), qint64(125000));
        QCOMPARE(reader.readNumber()->raw(), qint64(-1));
        QCOMPARE(reader.readNumber()->raw(), qint64(0));
        QCOMPARE(reader.readDate(), std::optional<QDate>(QDate(2026, 2, 3)));
        QVERIFY(reader.atLineEnd());
        reader.nextLine();
        QVERIFY(reader.atEnd());

        RecordReader wrongKinds(QByteArray("\"text\",12x,#2026-13-01#,1e5\r\n"));
        QVERIFY(!wrongKinds.readNumber());      // a string where a number belongs
        QVERIFY(!wrongKinds.readNumber());      // 12x
        QVERIFY(!wrongKinds.readDate());        // no 13th month
        QVERIFY(!wrongKinds.readNumber());      // no exponents in these files
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
