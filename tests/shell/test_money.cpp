#include "shell/core/money.h"

#include <QTest>

#include <limits>

class TestMoney : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalfToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("half down to even") << 0.00005 << qint64(0);   // 0.5 of the last place
        QTest::newRow("half up to even") << 0.00035 << qint64(4);
        QTest::newRow("negative half") << -0.00025 << qint64(-2);
    }
    void roundsHalfToEven()
    {
        QFETCH(double, value);
        QFETCH(qint64, raw);
        QCOMPARE(Money::fromDouble(value).raw(), raw);
    }

    void faultsInsteadOfWrapping()
    {
        QVERIFY_THROWS_EXCEPTION(ArithmeticFault, Money::fromDouble(std::numeric_limits<double>::quiet_NaN()));
        QVERIFY_THROWS_EXCEPTION(ArithmeticFault, Money::fromDouble(std::numeric_limits<double>::infinity()));
        QVERIFY_THROWS_EXCEPTION(ArithmeticFault, Money::fromDouble(1e15));
        const Money top = Money::fromRaw(std::numeric_limits<qint64>::max());
        QVERIFY_THROWS_EXCEPTION(ArithmeticFault, top + Money::fromRaw(1));
        QVERIFY_THROWS_EXCEPTION(ArithmeticFault, -Money::fromRaw(std::numeric_limits<qint64>::min()));
        QVERIFY_THROWS_EXCEPTION(ArithmeticFault, Money::fromWhole(1000000000) * Money::fromWhole(1000000000));
        QVERIFY_THROWS_EXCEPTION(ArithmeticFault, Money::fromWhole(1) / Money());
    }

    void multipliesAndDividesExactly()
    {
        // 1234.5678 x 0.0725 = 89.50616550 -> 89.5062
        QCOMPARE((Money::fromDouble(1234.5678) * Money::fromDouble(0.0725)).raw(), qint64(895062));
        // 1 / 3 = 0.33333...
        QCOMPARE((Money::fromWhole(1) / Money::fromWhole(3)).raw(), qint64(3333));
        // 0.00005 rounds half to even: 0.0001 x 0.5 = 0.00005 -> 0.0000
        QCOMPARE((Money::fromRaw(1) * Money::fromDouble(0.5)).raw(), qint64(0));
        QCOMPARE((Money::fromRaw(3) * Money::fromDouble(0.5)).raw(), qint64(2));
        // Large values keep their digits through the 128-bit product.
        const Money big = Money::fromWhole(90000000000LL);
        QCOMPARE((big * Money::fromWhole(10)).raw(), Money::fromWhole(900000000000LL).raw());
    }

    void readsDecimalTextExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("fifth decimal half to even up") << "0.00015" << qint64(2); // 1.5 -> 2
        QTest::newRow("fifth decimal half to even down") << "0.00025" << qint64(2);
        QTest::newRow("half with more behind rounds up") << "0.000250001" << qint64(3);
        QTest::newRow("largest money") << "922337203685477.5807" << std::numeric_limits<qint64>::max();
        QTest::newRow("negative") << "-12.5" << qint64(-125000);
        QTest::newRow("minus zero") << "-0" << qint64(0);
        QTest::newRow("point first") << ".5" << qint64(5000);
        QTest::newRow("leading zeros") << "000000000000000000000001" << qint64(10000);
    }
    void readsDecimalTextExactly()
    {
        QFETCH(QString, text);
        QFETCH(qint64, raw);
        Money value;
        QVERIFY(Money::fromDecimalText(text, value));
        QCOMPARE(value.raw(), raw);
    }

    void refusesOtherTextAndFaultsOnOverflow()
    {
        Money value = Money::fromWhole(5);
        for (const char *text : {"", "-", ".", "1e5", "1.2.3", "+1", " 1", "1,000", "--1"})
            QVERIFY2(!Money::fromDecimalText(QString::fromLatin1(text), value), text);
        QCOMPARE(value, Money::fromWhole(5)); // untouched
        QVERIFY_THROWS_EXCEPTION(ArithmeticFault, Money::fromDecimalText(u"922337203685477.5808", value));
        QVERIFY_THROWS_EXCEPTION(ArithmeticFault, Money::fromDecimalText(QString(400, u'9'), value));
    }

    void writesExactDecimalText()
    {
        QCOMPARE(Money::fromWhole(1200).toDecimalText(), QStringLiteral("1200.0000"));
        QCOMPARE(Money::fromRaw(-5).toDecimalText(), QStringLiteral("-0.0005"));
        QCOMPARE(Money::fromRaw(std::numeric_limits<qint64>::min()).toDecimalText(),
                 QStringLiteral("-922337203685477.5808"));
        Money back;
        QVERIFY(Money::fromDecimalText(Money::fromRaw(std::numeric_limits<qint64>::max()).toDecimalText(), back));
        QCOMPARE(back.raw(), std::numeric_limits<qint64>::max());
    }

    void floorUnits()
    {
        QCOMPARE(Money::fromDouble(11487.99).floorUnits(), qint64(11487));
        QCOMPARE(Money::fromDouble(-0.5).floorUnits(), qint64(-1));
        QCOMPARE(Money::fromWhole(-3).floorUnits(), qint64(-3));
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "test_money.moc"
