#include "shell/core/format.h"

#include <QTest>

class TestFormat : public QObject
{
    Q_OBJECT

private slots:
    // A sample table keeps its columns whatever the symbol's length; text
    // outside a table only has the symbol put in.
    void helpTablesKeepTheirColumns()
    {
        const QString table = QStringLiteral("Lump sum            @0         @10,000  @0\n"
                                             "Each period         @1,200     @0       @1,200\n");
        for (const QString &symbol : {QStringLiteral("$"), QStringLiteral("kr"), QStringLiteral("EU")}) {
            const QStringList lines = HelpPanelText(table, symbol).split(QStringLiteral("\r\n"));
            QCOMPARE(lines.at(0).indexOf(symbol + QStringLiteral("10,000")), 31);
            QCOMPARE(lines.at(1).indexOf(symbol + QStringLiteral("0 ")), 31);
            QCOMPARE(lines.at(0).lastIndexOf(symbol), 40);
            QCOMPARE(lines.at(1).lastIndexOf(symbol), 40);
        }
        QCOMPARE(HelpPanelText(QStringLiteral("for example @100 a month.\nSave @5 now"), QStringLiteral("kr")),
                 QStringLiteral("for example kr100 a month.\r\nSave kr5 now"));
        QCOMPARE(HelpPanelText(QStringLiteral("@1 @2\n"), QStringLiteral("kr")), QStringLiteral("kr1 kr2\r\n"));
    }

    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void doubles_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("money negative") << -1234.5 << "####,,###.00" << "-1,234.50";
        QTest::newRow("money negative under one") << -0.25 << "###,,###.00" << "-.25";
        QTest::newRow("money beyond its digits") << 12345678901.0 << "##,,###.00" << "12,345,678,901.00";
        QTest::newRow("half away from zero") << 2.675 << "###.00" << "2.68";
        QTest::newRow("tiny negative is zero") << -0.001 << "###.00" << ".00";
        QTest::newRow("carry into a new group") << 999999.995 << "####,,###.00" << "1,000,000.00";
        QTest::newRow("always a unit digit") << 0.5 << "####,,##0.00" << "0.50";
        QTest::newRow("single comma groups") << 1234.5 << "###,###.00" << "1,234.50";
        QTest::newRow("four decimals") << 1234.56789 << "####,,###.0000" << "1,234.5679";
        QTest::newRow("optional decimals kept") << 365.25 << "###.##" << "365.25";
        QTest::newRow("optional decimals dropped") << 365.0 << "###.##" << "365";
        QTest::newRow("interest factor") << 0.0057500000 << "0.########" << "0.00575";
        QTest::newRow("rate three decimals") << 0.148698 << "#,,###.000%" << "14.870%";
        QTest::newRow("years zero is blank") << 0.0 << "###" << "";
    }
    void doubles()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(Format(value, pattern), expected);
    }

    void moneyIsRoundedExactly()
    {
        // 4,905.165 as a double is a little below the half; as money it is exact.
        QCOMPARE(Format(Money::fromDouble(4905.165), QStringLiteral("####,,###.00")), QStringLiteral("4,905.17"));
        QCOMPARE(Format(Money::fromDouble(-0.005), QStringLiteral("###.00")), QStringLiteral("-.01"));
        QCOMPARE(Format(Money::fromRaw(std::numeric_limits<qint64>::min()), QStringLiteral("####,,###.00")),
                 QStringLiteral("-922,337,203,685,477.58"));
        QCOMPARE(Format(50, QStringLiteral("#,,###")), QStringLiteral("50"));
    }

    void shortDateHasFourDigitYearAndParsesBack_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany);
        QTest::newRow("C") << QLocale::c();
    }
    void shortDateHasFourDigitYearAndParsesBack()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        for (const QDate date : {QDate(2026, 12, 6), QDate(1999, 1, 31), QDate(2067, 2, 28)}) {
            const QString text = Format(date, QStringLiteral("Short Date"));
            QVERIFY2(text.contains(QString::number(date.year())), qPrintable(text));
            QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))), qPrintable(text));
            QCOMPARE(ParseShortDate(text), date);
        }
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void rightAlign()
    {
        QCOMPARE(RightAlign(QStringLiteral("abc"), 2), QStringLiteral("ab"));
        QCOMPARE(RightAlign(QStringLiteral("7"), 3), QStringLiteral("  7"));
        QCOMPARE(RightAlignFigure(QStringLiteral("$1,234,567.00"), 8), QStringLiteral("$1,234,567.00"));
        QCOMPARE(RightAlignFigure(QStringLiteral("$1.00"), 8), QStringLiteral("   $1.00"));
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("two points") << "12.5.3" << 12.5;
        QTest::newRow("leading spaces") << "   42abc" << 42.0;
        QTest::newRow("point first") << ".75" << 0.75;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("currency in front") << "$12" << 0.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(LeadingNumber(text), value);
        // The exact reading follows the same rule.
        QCOMPARE(LeadingMoney(text), Money::fromDouble(value));
    }

    void leadingMoneyIsExact()
    {
        QCOMPARE(LeadingMoney(QStringLiteral("123456789012345.67xyz")).raw(), qint64(1234567890123456700));
        QCOMPARE(LeadingMoney(QStringLiteral("  0.00015")).raw(), qint64(2));
        QCOMPARE(LeadingMoney(QStringLiteral("-5"), false), Money());
        QCOMPARE(LeadingMoney(QStringLiteral("-5"), true), Money::fromWhole(-5));
        QVERIFY_THROWS_EXCEPTION(ArithmeticFault, LeadingMoney(QStringLiteral("999999999999999999")));
    }

    // The key filters' counting of decimals; which keys they let through
    // is typed in test_input_fields and test_number_input_dialog.
    void decimalKeyFilter()
    {
        QCOMPARE(DecimalKeyFilter('4', QStringLiteral("12.3"), 2), int('4'));
        QCOMPARE(DecimalKeyFilter('5', QStringLiteral("12.34"), 2), 0);
        QCOMPARE(DecimalKeyFilter(8, QStringLiteral("1.23"), 2), 8);
        // Counted from the first point: "1.2." holds two decimals already.
        QCOMPARE(DecimalKeyFilter('3', QStringLiteral("1.2."), 2), 0);
    }

    void fieldDisplayTexts()
    {
        const QString dollar = QStringLiteral("$");
        QCOMPARE(FieldDisplayText(FieldKind::Money, Money::fromWhole(10000), 16, dollar),
                 QStringLiteral("      $10,000.00"));
        QCOMPARE(FieldDisplayText(FieldKind::Percent, Money::fromWhole(7), 14, dollar),
                 QStringLiteral("          7.00%"));
        QCOMPARE(FieldDisplayText(FieldKind::Years, Money::fromWhole(5), 19, dollar), QString(18, u' ') + u'5');
        // A figure wider than its box is shown whole.
        QCOMPARE(FieldDisplayText(FieldKind::Money, Money::fromWhole(123456789012LL), 13, QStringLiteral("E$")),
                 QStringLiteral("E$123,456,789,012.00"));
        // A symbol that is a word keeps a space from the digits.
        QCOMPARE(FieldDisplayText(FieldKind::Money, Money::fromWhole(20000), 16, QStringLiteral("kr")),
                 QStringLiteral("    kr 20,000.00"));
        QCOMPARE(DefaultFieldFormat(FieldKind::Money, 4), QStringLiteral("####,,###.0000"));
        QCOMPARE(PatternDecimals(QStringLiteral("###.000")), 3);
    }
};

QTEST_GUILESS_MAIN(TestFormat)
#include "test_format.moc"
