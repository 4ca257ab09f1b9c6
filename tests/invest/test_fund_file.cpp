#include "invest/fund_database.h"
#include "invest/fund_file.h"
#include "shell/core/record_file.h"
#include "support/source_dir.h"

#include <QTemporaryDir>
#include <QTest>

class TestFundFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void recordLine()
    {
        FundDatabase db;
        db.addFund(QStringLiteral("A"));
        StoreRecord(db, 1, {"B", "10/12/1998", {Money::fromWhole(10), Money::fromWhole(100), Money::fromWhole(50), {}}},
                    0);
        StoreRecord(db, 1, {"S", "10/13/1998", {Money::fromDouble(10.5), Money::fromWhole(1), {}, {}}}, 0);
        QCOMPARE(FundFileText(db), QByteArray("2,1,\"All Records\",\"31\"\r\n\"A\",\" 1\"\r\n"
                                              "1,10,100,50,0,1050,\"B\",#1998-10-12#\r\n"
                                              "1,10.5,-1,0,0,-10.5,\"S\",#1998-10-13#\r\n"));
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("text");
        const QByteArray head = "1,1,\"All Records\",\"31\"\r\n\"A\",\" 1\"\r\n";
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("fewer records than announced") << QByteArray("2,1,\"All Records\",\"31\"\r\n\"A\",\" 1\"\r\n"
                                                                    "1,10,100,50,0,1050,\"B\",#1998-10-12#\r\n");
        QTest::newRow("more records than announced")
            << head + "1,10,100,50,0,1050,\"B\",#1998-10-12#\r\n1,10,100,50,0,1050,\"B\",#1998-10-12#\r\n";
        QTest::newRow("1003 records") << QByteArray("1003,1,\"All Records\",\"31\"\r\n\"A\",\" 1\"\r\n");
        QTest::newRow("31 funds") << QByteArray("0,31,\"All Records\",\"31\"\r\n");
        QTest::newRow("unknown type") << head + "1,10,100,50,0,1050,\"X\",#1998-10-12#\r\n";
        QTest::newRow("fund past the funds") << head + "2,10,100,50,0,1050,\"B\",#1998-10-12#\r\n";
        QTest::newRow("fund number with decimals") << head + "1.5,10,100,50,0,1050,\"B\",#1998-10-12#\r\n";
        QTest::newRow("no such day") << head + "1,10,100,50,0,1050,\"B\",#1998-02-30#\r\n";
        QTest::newRow("short record") << head + "1,10,100,50,0,1050,\"B\"\r\n";
        QTest::newRow("fund number out of its slot") << QByteArray("0,1,\"All Records\",\"31\"\r\n\"A\",\" 2\"\r\n");
        QTest::newRow("binary") << QByteArray("0,0,\"All\0Records\",\"31\"\r\n", 24);
        QTest::newRow("huge number") << head + "1,99999999999999999999,100,50,0,1050,\"B\",#1998-10-12#\r\n";
        QTest::newRow("oversized") << QByteArray(RecordReader::MaxFileSize + 1, ' ');
    }
    void refused()
    {
        QFETCH(QByteArray, text);
        const auto read = ReadFundText(text);
        QVERIFY(!read.ok());
        QCOMPARE(read.message(), 13);
        QVERIFY(!FundFileError(text).isEmpty());
    }

    void acceptedForms()
    {
        // Empty lines after the records, and no line end after the last line.
        QVERIFY(ReadFundText("1,1,\"All Records\",\"31\"\r\n\"A\",\"1\"\r\n1,.5,2,0,0,1,\"B\",#2000-01-31#\r\n\r\n").ok());
        QVERIFY(ReadFundText("0,0,\"All Records\",\"31\"").ok());
    }

    // The sample file the menu's help points to: several funds, every type,
    // a split, and every record stored as entry would store it. Saved and
    // opened again, every fund's name and number and every figure of every
    // record is the same. (The window's round trip through two folders is
    // test_user_paths'.)
    void sampleFileSavedAndOpened()
    {
        const auto sample = ReadFundFile(SourceDir() + QStringLiteral("/resources/samples/DtaSampl.QVS"));
        QVERIFY(sample.ok());
        FundDatabase db;
        QVERIFY(ApplyFundFile(db, sample.value()));
        QVERIFY(db.fundCount() >= 3 && db.recordCount() >= 25);
        QSet<QString> codes;
        bool split = false;
        for (int slot = 1; slot <= db.recordCount(); ++slot) {
            const FundRecord &r = db.record(slot);
            codes.insert(r.typeCode);
            split = split || (r.typeCode == QLatin1String("D") && r.price == Money::fromRaw(1));
            const Money number = r.shares < Money() ? -r.shares : r.shares;
            const FundRecord again =
                MakeRecord(int(r.fundNumber.floorUnits()), r.typeCode, r.date, {r.price, number, r.fees, r.cashDividend}, slot);
            QCOMPARE(again.shares, r.shares);
            QCOMPARE(again.bookValue, r.bookValue);
        }
        QCOMPARE(codes.size(), 6);
        QVERIFY(split);

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("mine.qvs"));
        QVERIFY(SaveFundFile(db, path));
        const auto read = ReadFundFile(path);
        QVERIFY(read.ok());
        FundDatabase opened;
        QVERIFY(ApplyFundFile(opened, read.value()));
        QCOMPARE(FundFileText(opened), FundFileText(db));
    }
};

QTEST_GUILESS_MAIN(TestFundFile)
#include "test_fund_file.moc"
