#include "shell/core/table_text.h"

#include <QTest>

class TestTableText : public QObject
{
    Q_OBJECT

private slots:
    // Each table is a heading row and a body as the windows show it; the
    // export must give a spreadsheet plain numbers in the columns of figures
    // and leave every other column exactly as shown.
    void csvDecidesPerColumn_data()
    {
        QTest::addColumn<TextTable>("table");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("csv");

        QTest::newRow("names that look like figures stay names")
            << TextTable{{"Name of   Investment", "Cost of   Investment", "Annual Compound"},
                         {"2,500", "$1,000.00", "14.870%"},
                         {"Growth fund", "$2,500.50", "-12.945%"},
                         {"10%", "$999,999,999.99", "5.000%"},
                         {"$5", "", ""}}
            << "$"
            << "Name of Investment,Cost of Investment,Annual Compound\r\n"
               "\"2,500\",1000.00,14.870\r\n"
               "Growth fund,2500.50,-12.945\r\n"
               "10%,999999999.99,5.000\r\n"
               "$5,,\r\n";
        QTest::newRow("a total with the symbol among plain figures")
            << TextTable{{"Assets", ""}, {"House", "150,000.00"}, {"Sub Total", "162,000.00"}, {"", ""},
                         {"Total Assets", "$167,000.00"}}
            << "$"
            << "Assets,\r\nHouse,150000.00\r\nSub Total,162000.00\r\n,\r\nTotal Assets,167000.00\r\n";
        QTest::newRow("dates and types keep their text")
            << TextTable{{"Type", "Date of Transaction", "Price", "Number of Shares"},
                         {"B", "12/06/2026", "$20.00", "1,234.5678"},
                         {"S", "1/2/2027", "$.50", "-1,000.0000"}}
            << "$"
            << "Type,Date of Transaction,Price,Number of Shares\r\n"
               "B,12/06/2026,20.00,1234.5678\r\n"
               "S,1/2/2027,0.50,-1000.0000\r\n";
        QTest::newRow("one name in a column keeps the column as shown")
            << TextTable{{"Fund", "Value"}, {"Alpha", "$1,000.00"}, {"Total:", "none"}}
            << "$"
            << "Fund,Value\r\nAlpha,\"$1,000.00\"\r\nTotal:,none\r\n";
        QTest::newRow("grouping other than in threes is not a figure")
            << TextTable{{"Code"}, {"1,2"}, {"12,34"}, {"1,000"}}
            << "$"
            << "Code\r\n\"1,2\"\r\n\"12,34\"\r\n\"1,000\"\r\n";
        QTest::newRow("a symbol of two letters, before or after the sign")
            << TextTable{{"Gain"}, {"kr-2,000.00"}, {"-kr3.10"}, {"kr1,000,000.00"}}
            << "kr"
            << "Gain\r\n-2000.00\r\n-3.10\r\n1000000.00\r\n";
        QTest::newRow("quotes, commas and spaces in names")
            << TextTable{{"Name, or   title", "Years"},
                         {"He said \"buy\"", "5"},
                         {"  indented", "50"},
                         {"Smith, Jones", "1"}}
            << "$"
            << "\"Name, or title\",Years\r\n\"He said \"\"buy\"\"\",5\r\n  indented,50\r\n\"Smith, Jones\",1\r\n";
    }
    void csvDecidesPerColumn()
    {
        QFETCH(TextTable, table);
        QFETCH(QString, symbol);
        QFETCH(QString, csv);
        QCOMPARE(TableAsCsv(table, symbol), csv);
    }

    // Percentages, negatives, dates and "$.50" go through the export above.
    void plainFiguresAndNames_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("plain");
        QTest::newRow("money") << "$123,456,789,012.34" << "123456789012.34";
        QTest::newRow("a lone sign") << "-" << "-";
        QTest::newRow("two points") << "1.2.3" << "1.2.3";
    }
    void plainFiguresAndNames()
    {
        QFETCH(QString, cell);
        QFETCH(QString, plain);
        QCOMPARE(PlainFigure(cell, QStringLiteral("$")), plain);
    }
};

QTEST_GUILESS_MAIN(TestTableText)
#include "test_table_text.moc"
