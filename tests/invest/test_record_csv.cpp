#include "invest/fund_database.h"
#include "invest/fund_file.h"
#include "invest/funds_session.h"
#include "invest/record_csv.h"
#include "money_text.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

CsvTable CsvOf(const QByteArray &bytes) { return ReadCsv(bytes).table.value_or(CsvTable()); }

// The plan for a file read and mapped as the import window first offers it.
ImportPlan Plan(const FundDatabase &db, const QByteArray &bytes)
{
    const CsvTable table = CsvOf(bytes);
    return PlanImport(db, table, GuessMapping(table));
}

QString Problems(const ImportPlan &plan)
{
    QStringList lines;
    for (const ImportProblem &p : plan.problems)
        lines << QStringLiteral("line %1, %2: %3").arg(p.line).arg(RecordFieldName(p.field), p.reason);
    return lines.join(QLatin1Char('\n'));
}

// Two funds and a record of each type.
FundDatabase Sample(const QString &secondFund = QStringLiteral("Bond, Income \"A\""))
{
    FundDatabase db;
    db.addFund(QStringLiteral("Growth Fund"));
    db.addFund(secondFund);
    db.appendRecord(MakeRecord(1, QStringLiteral("B"), QDate(2019, 3, 4), {m("12.3456"), m("1500"), m("9.95"), {}}, 1));
    db.appendRecord(MakeRecord(2, QStringLiteral("C"), QDate(2019, 6, 30), {{}, {}, {}, m("1234.56")}, 2));
    db.appendRecord(MakeRecord(1, QStringLiteral("S"), QDate(2020, 1, 15), {m("14"), m("1000.5"), m("12"), {}}, 3));
    db.appendRecord(MakeRecord(1, QStringLiteral("U"), QDate(2020, 2, 1), {m("14.5"), m("3.25"), {}, {}}, 4));
    db.appendRecord(MakeRecord(2, QStringLiteral("D"), QDate(2020, 3, 1), {m("0.0001"), m("2000"), {}, {}}, 5));
    db.appendRecord(MakeRecord(2, QStringLiteral("F"), QDate(2020, 4, 1), {{}, {}, m("35"), {}}, 6));
    return db;
}

} // namespace

class TestRecordCsv : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // What a spreadsheet or a broker writes, cell by cell; a file that is
    // no table is refused with its reason.
    void reader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("separator"); // or the reason it is refused
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<QStringList>("lastRow");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("lastLine");
        QTest::newRow("quoted separator and doubled quotes")
            << QByteArray("date,fund,type\n2020-01-02,\"Bond, \"\"A\"\"\",B\n") << "," << QStringList{"date", "fund", "type"}
            << QStringList{"2020-01-02", "Bond, \"A\"", "B"} << 1 << 2;
        QTest::newRow("quoted line break counts its lines")
            << QByteArray("a,b\r\n\"two\r\nlines\",x\r\n\r\nlast,y\r\n") << "," << QStringList{"a", "b"}
            << QStringList{"last", "y"} << 2 << 5;
        QTest::newRow("byte order mark, CR LF, no last line end")
            << QByteArray("\xEF\xBB\xBF" "date;fund\r\n2020-01-02;A") << ";" << QStringList{"date", "fund"}
            << QStringList{"2020-01-02", "A"} << 1 << 2;
        QTest::newRow("DOS end of file") << QByteArray("a,b\r\nx,y\r\n\x1A") << "," << QStringList{"a", "b"}
                                         << QStringList{"x", "y"} << 1 << 2;
        QTest::newRow("tabs") << QByteArray("date\tfund\tprice\n2020-01-02\tA, B\t1,000.25\n") << "\t"
                              << QStringList{"date", "fund", "price"} << QStringList{"2020-01-02", "A, B", "1,000.25"}
                              << 1 << 2;
        QTest::newRow("blank rows and a trailing separator")
            << QByteArray("\n\n date , fund \n,,\nx,y,\n , \n") << "," << QStringList{"date", "fund"}
            << QStringList{"x", "y", ""} << 1 << 5;
        QTest::newRow("Latin-1") << QByteArray("fund\nB\xF6rse\n") << "," << QStringList{"fund"}
                                 << QStringList{QString::fromUtf8("Börse")} << 1 << 2;
        QTest::newRow("UTF-8") << QByteArray("fund\nB\xC3\xB6rse\n") << "," << QStringList{"fund"}
                               << QStringList{QString::fromUtf8("Börse")} << 1 << 2;
        const QStringList none;
        QTest::newRow("empty") << QByteArray("\r\n  \r\n") << "empty" << none << none << 0 << 0;
        QTest::newRow("binary") << QByteArray("date,fund\n\x00\x01\x02", 13) << "binary" << none << none << 0 << 0;
        QTest::newRow("UTF-16") << QByteArray("\xFF\xFE" "d\0a\0", 6) << "UTF-16" << none << none << 0 << 0;
        QTest::newRow("quote left open") << QByteArray("a,b\n1,2\n\"3,4\n5,6\n") << "line 3: a quoted cell is not closed"
                                         << none << none << 0 << 0;
        QTest::newRow("too large") << QByteArray(MaxImportBytes + 1, 'a') << "larger than 8 MB" << none << none << 0 << 0;
    }
    void reader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, separator);
        QFETCH(QStringList, header);
        QFETCH(QStringList, lastRow);
        QFETCH(int, rows);
        QFETCH(int, lastLine);
        const CsvReadResult read = ReadCsv(bytes);
        if (rows == 0) {
            QVERIFY(!read.table);
            QVERIFY2(read.error.contains(separator), qPrintable(read.error));
            return;
        }
        QVERIFY2(read.table, qPrintable(read.error));
        QCOMPARE(QString(read.table->separator), separator);
        QCOMPARE(read.table->header, header);
        QCOMPARE(read.table->rows.size(), rows);
        QCOMPARE(read.table->rows.last(), lastRow);
        QCOMPARE(read.table->lineNumbers.last(), lastLine);
        QCOMPARE(read.table->latin1, QTest::currentDataTag() == QLatin1String("Latin-1"));
    }

    // A figure read, or "refused" where the reason names the cell.
    void figures()
    {
        const auto read = [](const QString &cell, DecimalSeparator decimal) {
            QString reason;
            const std::optional<Money> value = ReadImportFigure(cell, decimal, &reason);
            return value ? value->toDecimalText() : reason.contains(cell.trimmed()) ? QStringLiteral("refused") : reason;
        };
        const DecimalSeparator point = DecimalSeparator::Point;
        const DecimalSeparator comma = DecimalSeparator::Comma;
        QCOMPARE(read("  ", point), QStringLiteral("0.0000"));
        QCOMPARE(read("1,234,567.8912", point), QStringLiteral("1234567.8912"));
        QCOMPARE(read(QString::fromUtf8("12\u00A0345,5"), comma), QStringLiteral("12345.5000"));
        QCOMPARE(read(",75", comma), QStringLiteral("0.7500"));
        // Thousands marks only between groups of three: not 15.
        QCOMPARE(read("1,5", point), QStringLiteral("refused"));
        QCOMPARE(read("1.2.3", point), QStringLiteral("refused"));
        QCOMPARE(read("$100", point), QStringLiteral("refused"));
        QCOMPARE(read("922337203685478", point), QStringLiteral("refused"));
    }

    // Only a four-digit year is taken, and nothing may be left over.
    void dates()
    {
        QCOMPARE(ReadImportDate("2020-02-29", "yyyy-MM-dd"), QDate(2020, 2, 29));
        QCOMPARE(ReadImportDate("1.2.2020", "dd.MM.yyyy"), QDate(2020, 2, 1));
        QCOMPARE(ReadImportDate("05 Jan 2021", "dd MMM yyyy"), QDate(2021, 1, 5));
        QCOMPARE(ReadImportDate("1.2.20", "dd.MM.yyyy"), QDate());
        QCOMPARE(ReadImportDate("01.02.20", "dd.MM.yy"), QDate());
        QCOMPARE(ReadImportDate("20201-01-01", "yyyy-MM-dd"), QDate());
        QCOMPARE(ReadImportDate("01.02.2020 10:00", "dd.MM.yyyy"), QDate());
        QCOMPARE(ReadImportDate("2021-02-29", "yyyy-MM-dd"), QDate());
    }

    // Day and month could be either way round until the 13th shows which;
    // a column is taken once, and decimal commas are seen in the figures. A
    // word the user mapped wins over the common ones, whatever its case.
    void guess()
    {
        const CsvTable german = CsvOf("Datum;date;price;shares\n01.02.2020;03/04/2020;12,50;1.000\n"
                                      "02.02.2020;13/04/2020;1.234,5;2\n");
        const ImportMapping guessed = GuessMapping(german);
        QCOMPARE(guessed.columns[int(RecordField::Date)], 1);
        QCOMPARE(guessed.columns[int(RecordField::Fund)], -1);
        QCOMPARE(guessed.dateFormat, QStringLiteral("dd/MM/yyyy"));
        QCOMPARE(guessed.decimal, DecimalSeparator::Comma);
        ImportMapping mapped = guessed;
        mapped.typeWords.insert(QStringLiteral("verkauf"), QStringLiteral("B"));
        QCOMPARE(TypeCodeOfWord(mapped, QStringLiteral(" VERKAUF ")), QStringLiteral("B"));
    }

    // One bad row refuses the whole file: its line, the cell and why.
    void refusedRows_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("problem"); // on line 4
        QTest::newRow("unknown type word") << QByteArray("2020-03-01,Alpha,Umtausch,1000,10,,") << "type: \"Umtausch\"";
        QTest::newRow("no type") << QByteArray("2020-03-01,Alpha,,1000,10,,") << "type: no transaction type";
        QTest::newRow("date that does not parse")
            << QByteArray("2020-13-01,Alpha,B,1000,10,,") << "date: \"2020-13-01\" is not a date";
        QTest::newRow("no date") << QByteArray(",Alpha,B,1000,10,,") << "date: no date";
        QTest::newRow("sale of 0 shares")
            << QByteArray("2020-03-01,Alpha,S,0,10,,") << "shares: a Sold record needs a number of shares above 0";
        QTest::newRow("dividend with shares")
            << QByteArray("2020-03-01,Alpha,C,1000,,,12.5") << "shares: a Cash Dividend record takes no shares";
        QTest::newRow("book value beyond money")
            << QByteArray("2020-03-01,Alpha,B,900000000000,900000000000,,") << "shares: price x shares + fees is larger";
        QTest::newRow("negative shares")
            << QByteArray("2020-03-01,Alpha,S,-1000,10,,") << "shares: \"-1000\" is negative";
        QTest::newRow("figure of two kinds")
            << QByteArray("2020-03-01,Alpha,B,1000,\"10,5.2\",,") << "price: \"10,5.2\" is not a number";
        QTest::newRow("no fund") << QByteArray("2020-03-01, ,B,1000,10,,") << "fund: no fund name";
        QTest::newRow("fund on two lines")
            << QByteArray("2020-03-01,\"Al\npha\",B,1000,10,,") << "fund: a fund name on more than one line";
        QTest::newRow("unquoted thousands")
            << QByteArray("2020-03-01,Alpha,B,1,000,10,,") << "date: the row has 8 cells where the header has 7";
        QTest::newRow("short row") << QByteArray("2020-03-01,Alpha,B,1000") << "price: the row ends before column 5";
    }
    void refusedRows()
    {
        QFETCH(QByteArray, row);
        QFETCH(QString, problem);
        FundsSession session;
        session.addFund(QStringLiteral("Alpha"));
        session.DataChanged = 0;
        const QByteArray before = FundFileText(session.db());
        const ImportPlan plan = Plan(session.db(), "date,fund,type,shares,price,fees,dividend\r\n"
                                                   "2020-01-02,Alpha,B,1000,10,,\r\n"
                                                   "2020-02-01,Beta,B,2000,10,,\r\n" +
                                                       row + "\r\n2020-04-01,Alpha,C,,,,1000\r\n");
        QVERIFY(!plan.ok());
        QCOMPARE(plan.problems.size(), 1);
        QVERIFY2(Problems(plan).startsWith(QStringLiteral("line 4, ") + problem), qPrintable(Problems(plan)));
        // All or nothing: the good rows are not added either.
        QVERIFY(!session.importRecords(plan));
        QCOMPARE(FundFileText(session.db()), before);
        QCOMPARE(session.DataChanged, qint16(0));
    }

    void mappingRefusals()
    {
        const CsvTable table = CsvOf("Tag;Wert\n01.02.2020;1\n");
        ImportMapping mapping = GuessMapping(table);
        mapping.columns[int(RecordField::Shares)] = 5;
        const ImportPlan plan = PlanImport(FundDatabase(), table, mapping);
        QCOMPARE(Problems(plan), QStringLiteral("line 1, date: no column is chosen for it\n"
                                                "line 1, fund: no column is chosen for it\n"
                                                "line 1, type: no column is chosen for it\n"
                                                "line 1, shares: column 6 is not in the file, which has 2"));
    }

    void limits_data()
    {
        QTest::addColumn<int>("funds");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("problem"); // how it starts; empty: taken
        QTest::newRow("30th fund") << 29 << 0 << "";
        QTest::newRow("31st fund") << 30 << 0 << "line 2, fund: a new fund \"New\" would be one more than the 30 funds";
        QTest::newRow("1,000th record") << 1 << 998 << "";
        QTest::newRow("1,001st record") << 1 << 999 << "line 3, date: record 2 of the file would go past 1000 records";
        // A file may hold a few records past the entry limit; nothing more goes in.
        QTest::newRow("file past the limit") << 1 << 1001 << "line 2, date: record 1 of the file";
    }
    void limits()
    {
        QFETCH(int, funds);
        QFETCH(int, records);
        QFETCH(QString, problem);
        QStringList names;
        for (int f = 1; f <= funds; ++f)
            names << QStringLiteral("Fund %1").arg(f);
        QList<FundRecord> held;
        for (int r = 0; r < records; ++r)
            held << MakeRecord(1, QStringLiteral("B"), QDate(2000, 1, 1).addDays(r), {m("1"), m("1000"), {}, {}}, r + 1);
        FundDatabase db;
        QVERIFY(db.replaceAll(QStringLiteral("All Records"), QStringLiteral("31"), names, held));
        const ImportPlan plan = Plan(db, "date,fund,type,shares,price\n2021-01-01,New,B,1000,1\n"
                                         "2021-01-02,Fund 1,B,1000,1\n");
        QCOMPARE(Problems(plan).section(QLatin1Char('\n'), 0, 0).left(problem.size()), problem);
        QCOMPARE(ApplyImport(db, plan), problem.isEmpty());
        QCOMPARE(db.recordCount(), problem.isEmpty() ? records + 2 : records);
    }

    // The export read back into an empty database gives the same records.
    void roundTrip()
    {
        const FundDatabase original = Sample();
        const QByteArray exported = ExportRecordsCsv(original);
        QVERIFY(exported.contains("2020-01-15,Growth Fund,S,1000.5,14,12,0\r\n"));
        FundDatabase copy;
        const ImportPlan plan = Plan(copy, exported);
        QVERIFY2(plan.ok(), qPrintable(Problems(plan)));
        QVERIFY(ApplyImport(copy, plan));
        // The second fund's quotes became apostrophes, as the entry window stores them.
        QCOMPARE(FundFileText(copy), FundFileText(Sample(QStringLiteral("Bond, Income 'A'"))));
    }

    // A plan made for a database that changed since is not applied.
    void stalePlan()
    {
        FundDatabase db = Sample();
        const ImportPlan plan = Plan(db, "date,fund,type,shares,price\n2021-01-01,Growth Fund,B,1000,1\n");
        QVERIFY(plan.ok());
        db.deleteRecord(1);
        const QByteArray before = FundFileText(db);
        QVERIFY(!ApplyImport(db, plan));
        QCOMPARE(FundFileText(db), before);
    }

    void rememberedMappings()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ImportMappings.tlm"));
        const QStringList header{"Datum", "Wertpapier", "Vorgang"};
        ImportMapping mapping;
        mapping.columns = {0, 1, 2, -1, -1, -1, -1};
        mapping.dateFormat = QStringLiteral("dd.MM.yyyy");
        mapping.decimal = DecimalSeparator::Comma;
        mapping.typeWords = {{"kauf", "B"}};
        ImportMappingStore store;
        store.remember(header, u';', mapping);
        QVERIFY(store.save(path));
        const ImportMappingStore read = ImportMappingStore::load(path);
        QCOMPARE(read.find(header, u';'), mapping);
        QVERIFY(!read.find(header, u','));

        // A damaged file is an empty store, never half a mapping.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray text = file.readAll().replace("\"B\"", "\"Q\"");
        QVERIFY(file.resize(0) && file.write(text) == text.size());
        file.close();
        QVERIFY(!ImportMappingStore::load(path).find(header, u';'));
    }
};

QTEST_GUILESS_MAIN(TestRecordCsv)
#include "test_record_csv.moc"
