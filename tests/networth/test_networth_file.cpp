#include "networth/networth_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ExampleFile()
{
    QByteArray text = "2,0\r\n\"House\",150000,,\r\n\"Sub Total\",150000,,\r\n";
    for (int r = 0; r < 29; ++r)
        text += ",,,\r\n";
    return text;
}

QByteArray Replaced(QByteArray text, const QByteArray &from, const QByteArray &to)
{
    return text.replace(from, to);
}

} // namespace

class TestNetWorthFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    // The example statement byte for byte. Every kind a cell holds comes
    // back as it was written: texts, numbers with their decimals, names that
    // look like numbers, rows left empty in between, both sheets of
    // different lengths and the last row.
    void storedFormsComeBack()
    {
        NetWorthStatement house;
        house.sheets[0].rows[1] = {RecordValue::fromText(QStringLiteral("House")),
                                   RecordValue::fromNumber(Money::fromWhole(150000))};
        house.sheets[0].rows[2].name = RecordValue::fromText(QStringLiteral("Sub Total"));
        CalculateNetWorth(house);
        QVERIFY(SaveNetWorthFile(path("house.qvw"), house));
        QFile file(path("house.qvw"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), ExampleFile());
        const auto opened = ReadNetWorthFile(path("house.qvw"));
        QVERIFY(opened && opened->sheets == house.sheets && opened->counts == house.counts);

        NetWorthStatement statement;
        auto &assets = statement.sheets[0].rows;
        auto &liabilities = statement.sheets[1].rows;
        assets[1] = {RecordValue::fromText(QStringLiteral("Fund, growth")), RecordValue::fromNumber(Money::fromDouble(1234.5))};
        assets[3] = {RecordValue::fromNumber(Money::fromWhole(42)), RecordValue::fromText(QStringLiteral("12 dollars"))};
        assets[31] = {RecordValue::fromText(QStringLiteral(" ")), RecordValue()};
        liabilities[30] = {RecordValue::fromText(QStringLiteral("Last")), RecordValue::fromNumber(Money::fromDouble(0.01))};
        statement.counts = {3, 30};
        const QByteArray text = NetWorthFileText(statement);
        QVERIFY(text.contains("\r\n\"Fund, growth\",1234.5,,\r\n"));
        QVERIFY(text.contains("\r\n42,\"12 dollars\",,\r\n"));
        QVERIFY(text.endsWith(",,\"Last\",0.01\r\n\" \",,,\r\n"));
        const auto read = ReadNetWorthText(text);
        QVERIFY(read && read->sheets == statement.sheets && read->counts == statement.counts);
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("why");
        const QByteArray example = ExampleFile();
        QTest::newRow("truncated") << example.left(example.size() - 15) << "line 30: the file ends early";
        QTest::newRow("cut inside a name") << example.left(10) << "line 2, field 1: unterminated quote";
        QTest::newRow("33 lines") << example + ",,,\r\n" << "more than 32 lines";
        QTest::newRow("binary") << Replaced(example, "House", QByteArray("Ho\0se", 5)) << "not a text file";
        QTest::newRow("a count above 30") << Replaced(example, "2,0\r\n", "31,0\r\n")
                                          << "line 1, field 1: a count from 0 to 30 was expected";
        QTest::newRow("a quoted count") << Replaced(example, "2,0\r\n", "\"2\",0\r\n")
                                        << "line 1, field 1: a whole number was expected";
        QTest::newRow("one count") << Replaced(example, "2,0\r\n", "2\r\n") << "line 1: two counts were expected";
        QTest::newRow("three values on a row") << Replaced(example, "\"House\",150000,,", "\"House\",150000,")
                                               << "line 2: four values were expected, not 3";
        QTest::newRow("a date for a name") << Replaced(example, "\"House\"", "#2026-12-06#")
                                           << "line 2, field 1: a date is not a name";
        QTest::newRow("an amount too large") << Replaced(example, "150000", "1000000000000")
                                             << "line 2, field 2: amount too large";
        QTest::newRow("text too large") << Replaced(example, "150000", "\"99999999999999999999\"")
                                        << "line 2, field 2: amount too large";
    }
    void refusals()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, why);
        QString error;
        QVERIFY(!ReadNetWorthText(text, &error));
        QCOMPARE(error, why);
    }

    void aMissingOrOversizedFile()
    {
        QString why;
        QVERIFY(!ReadNetWorthFile(path("nowhere.qvw"), &why));
        QCOMPARE(why, QStringLiteral("the file cannot be opened"));
        QFile big(path("big.qvw"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write(ExampleFile());
        big.write(QByteArray(RecordReader::MaxFileSize, ','));
        big.close();
        QVERIFY(!ReadNetWorthFile(path("big.qvw"), &why));
        QCOMPARE(why, QStringLiteral("the file is too large"));
    }
};

QTEST_GUILESS_MAIN(TestNetWorthFile)
#include "test_networth_file.moc"
