#include "networth/networth_session.h"
#include "shell/core/app_state.h"
#include "shell/core/format.h"
#include "shell/print/print_frame.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"

#include <QTest>

namespace {

using Side = NetWorthStatement::Side;

// A sheet written as rows of "name=amount"; "name" alone has no amount,
// "=amount" no name.
Sheet MakeSheet(const QStringList &rows)
{
    Sheet sheet;
    for (int r = 0; r < rows.size(); ++r) {
        const QString name = rows.at(r).section(u'=', 0, 0);
        const QString amount = rows.at(r).section(u'=', 1);
        SheetRow &row = sheet.rows[size_t(r + 1)];
        if (!name.isEmpty())
            row.name = RecordValue::fromText(name);
        if (rows.at(r).contains(u'='))
            row.amount = RecordValue::fromNumber(LeadingMoney(amount, true));
    }
    return sheet;
}

// The grid's rows down to the last one that shows something.
QStringList Shown(const NetWorthStatement &statement, Side side)
{
    QStringList shown;
    const QList<QStringList> rows = SheetGridTexts(statement, side, QStringLiteral("$"));
    int last = 0;
    for (int r = 1; r < rows.size(); ++r)
        if (!rows.at(r).join(QString()).isEmpty())
            last = r;
    for (int r = 1; r <= last; ++r)
        shown << rows.at(r).join(u'|');
    return shown;
}

// Types keys into one cell as the grid passes them, from a freshly chosen cell.
QString TypeInto(NetWorthSession &session, int row, int col, const QString &keys)
{
    session.cellChosen();
    QString shown;
    for (const QChar key : keys) {
        const SheetKeyResult result = session.typeKey(Side::Assets, row, col, key.unicode());
        if (result.action == SheetKeyResult::Edited)
            shown = result.cellText;
    }
    return shown;
}

// The one page printed, the header typed; empty when anything else came of it.
QStringList PrintedPage(NetWorthSession &session, const QString &header)
{
    AppState state;
    ScriptedDialogs dialogs;
    dialogs.lines << header;
    RecordingPrinter printer;
    RunPrintout(state, dialogs, printer, session.printTitle(), [&session](PrintFrame &frame) { session.print(frame); });
    const QList<QStringList> pages = printer.jobs.value(0).pages();
    return dialogs.messages.isEmpty() && printer.jobs.size() == 1 && pages.size() == 1 ? pages.first() : QStringList();
}

} // namespace

class TestNetWorthSheet : public QObject
{
    Q_OBJECT

private slots:
    // Each sheet ends in an empty row and its total.
    void calculate_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("total");
        QTest::newRow("sub total counted once")
            << QStringList{"House=150000", "Car=12000", "Sub Total", "Savings=5000"}
            << QStringList{"House|150,000.00", "Car|12,000.00", "Sub Total|162,000.00", "Savings|5,000.00"}
            << "$167,000.00";
        QTest::newRow("sub total in lower case")
            << QStringList{"Car=12000", "sub total=99"} << QStringList{"Car|12,000.00", "sub total|12,000.00"}
            << "$12,000.00";
        QTest::newRow("Subtotal is a name")
            << QStringList{"Car=12000", "Subtotal=5"} << QStringList{"Car|12,000.00", "Subtotal|5.00"} << "$12,005.00";
        QTest::newRow("two groups")
            << QStringList{"A=1.5", "Sub Total", "B=2.25", "C=.25", "Sub Total"}
            << QStringList{"A|1.50", "Sub Total|1.50", "B|2.25", "C|.25", "Sub Total|2.50"} << "$4.00";
        QTest::newRow("nameless row dropped, not counted")
            << QStringList{"House=100", "=900", "Car=20"} << QStringList{"House|100.00", "Car|20.00"} << "$120.00";
        QTest::newRow("zero shows empty") << QStringList{"Nothing=0", " "} << QStringList{"Nothing|", " |"} << "$0.00";
        // Typing takes no sign, but a file may hold one: what counts is shown.
        QTest::newRow("an amount below zero")
            << QStringList{"Cash=1000", "Overdraft=-300", "Sub Total"}
            << QStringList{"Cash|1,000.00", "Overdraft|-300.00", "Sub Total|700.00"} << "$700.00";
        QTest::newRow("no rows") << QStringList{} << QStringList{} << "$0.00";
        QTest::newRow("largest amounts")
            << QStringList{"A=999999999999.99", "B=999999999999.99", "Sub Total"}
            << QStringList{"A|999,999,999,999.99", "B|999,999,999,999.99", "Sub Total|1,999,999,999,999.98"}
            << "$1,999,999,999,999.98";
    }
    void calculate()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, shown);
        QFETCH(QString, total);
        NetWorthStatement statement;
        statement.sheets[0] = MakeSheet(rows);
        CalculateNetWorth(statement);
        QCOMPARE(Shown(statement, Side::Assets), shown + QStringList({"|", "Total Assets|" + total}));
    }

    void netWorthIsAssetsLessLiabilities()
    {
        NetWorthStatement statement;
        statement.sheets[0] = MakeSheet({"House=150000"});
        statement.sheets[1] = MakeSheet({"Mortgage=90000.5", "Card=1000", "Sub Total"});
        CalculateNetWorth(statement);
        QCOMPARE(statement.counts, (std::array<int, 2>{1, 3}));
        QCOMPARE(NetWorthText(statement, QStringLiteral("$")), QStringLiteral("$58,999.50"));
        QCOMPARE(Shown(statement, Side::Liabilities).last(), QStringLiteral("Total Liabilities|$91,000.50"));
        // More owed than owned.
        statement.sheets[0] = Sheet();
        CalculateNetWorth(statement);
        QCOMPARE(NetWorthText(statement, QStringLiteral("$")), QStringLiteral("$-91,000.50"));
    }

    void insertBlankLine_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("inserted");
        QTest::addColumn<QStringList>("names");
        const QStringList five{"A", "B", "C", "D", "E"};
        QTest::newRow("line 3 of 5") << five << 3 << true << QStringList{"A", "B", "BlankLine", "C", "D", "E"};
        QTest::newRow("below the last row") << five << 8 << true << QStringList{"A", "B", "C", "D", "E", "BlankLine"};
        QTest::newRow("line 0") << five << 0 << false << five;
        QTest::newRow("line 29") << five << 29 << false << five;
        // A row typed below a gap, not yet calculated, moves down with the rest.
        QTest::newRow("a typed row below a gap") << QStringList{"A", "B", "", "", "Typed"} << 2 << true
                                                 << QStringList{"A", "BlankLine", "B", "Typed"};
        QStringList full;
        for (int r = 1; r <= 30; ++r)
            full << QStringLiteral("R%1").arg(r);
        QTest::newRow("a full sheet") << full << 5 << false << full;
    }
    void insertBlankLine()
    {
        QFETCH(QStringList, rows);
        QFETCH(int, line);
        QFETCH(bool, inserted);
        QFETCH(QStringList, names);
        NetWorthStatement statement;
        statement.sheets[1] = MakeSheet(rows);
        const NetWorthStatement before = statement;
        QCOMPARE(InsertBlankLine(statement, Side::Liabilities, line), inserted);
        if (!inserted)
            QVERIFY(statement.sheets == before.sheets); // not even calculated
        QStringList shown;
        for (int r = 1; r <= statement.sheets[1].lastFilledRow(); ++r)
            shown << CellText(statement.sheets[1].rows[size_t(r)].name);
        QCOMPARE(shown, names);
    }

    void typing_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::newRow("no double quote in a name") << 0 << "My \"big\" car" << "My big car" << "My big car";
        QTest::newRow("backspace shortens a name") << 0 << "Cars\b" << "Car" << "Car";
        QTest::newRow("an amount") << 1 << "150000" << "150,000.00" << "150000";
        QTest::newRow("letters refused") << 1 << "12a-3" << "123.00" << "123";
        QTest::newRow("third decimal ignored") << 1 << "12.345" << "12.34" << "12.34";
        QTest::newRow("two points") << 1 << "1.2.3" << "1.20" << "1.2";
        QTest::newRow("a point alone") << 1 << "." << ".00" << "0";
        QTest::newRow("backspace empties an amount") << 1 << "45\b" << "" << "";
        QTest::newRow("thirteen digits refused") << 1 << "12345678901234" << "123,456,789,012.00" << "123456789012";
    }
    void typing()
    {
        QFETCH(int, col);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        AppState state;
        NetWorthSession session(state);
        QCOMPARE(TypeInto(session, 2, col, keys), shown);
        const SheetRow &row = session.statement().sheets[0].rows[2];
        QCOMPARE(CellText(col == 0 ? row.name : row.amount), stored);
        QCOMPARE(session.unsavedWork(), !stored.isEmpty());
    }

    void typingReplacesWhatACellHeld()
    {
        AppState state;
        NetWorthSession session(state);
        TypeInto(session, 1, 0, QStringLiteral("House"));
        // Chosen again: the buffer starts empty, so the first key replaces the name...
        QCOMPARE(TypeInto(session, 1, 0, QStringLiteral("C")), QStringLiteral("C"));
        // ...while Backspace shortens the name held, and typing goes on from there.
        TypeInto(session, 2, 0, QStringLiteral("Boats"));
        QCOMPARE(TypeInto(session, 2, 0, QStringLiteral("\bie")), QStringLiteral("Boatie"));
        // A row that only shows a total's label holds no name to shorten.
        CalculateNetWorth(session.statement());
        QCOMPARE(SheetGridTexts(session.statement(), Side::Assets, QStringLiteral("$")).at(4).at(0),
                 QStringLiteral("Total Assets"));
        QCOMPARE(TypeInto(session, 4, 0, QStringLiteral("\b")), QString());
        QCOMPARE(session.statement().sheets[0].rows[4].name, RecordValue::empty());
    }

    // Row 31 is beyond the sheet: neither a key nor Delete touches what it
    // holds or marks anything unsaved; Delete on row 30 is an edit.
    void rowsBeyondThirty()
    {
        AppState state;
        NetWorthSession session(state);
        session.statement().sheets[0].rows[31].name = RecordValue::fromText(QStringLiteral("kept"));
        QCOMPARE(int(session.typeKey(Side::Assets, 31, 0, 'x').action), int(SheetKeyResult::RowLimit));
        QCOMPARE(int(session.deleteKey(Side::Assets, 31, 0).action), int(SheetKeyResult::RowLimit));
        QCOMPARE(session.statement().sheets[0].rows[31].name.text, QStringLiteral("kept"));
        QVERIFY(!session.unsaved());
        QCOMPARE(int(session.deleteKey(Side::Assets, 30, 0).action), int(SheetKeyResult::Edited));
        QVERIFY(session.unsaved());
    }

    // The statement as typed (names cut to 25 characters on paper), the
    // totals of the last Calculate, three assets beside five liabilities.
    void printout()
    {
        AppState state;
        NetWorthSession session(state);
        NetWorthStatement &statement = session.statement();
        statement.sheets[0] = MakeSheet({"House and garden on the hill=150000", "Car=12000", "Sub Total"});
        statement.sheets[1] = MakeSheet({"Mortgage=90000", "Car loan=4000.5", "Sub Total", "Card=0", "Tax due"});
        CalculateNetWorth(statement);
        // Typed after the Calculate: printed as typed, the totals unchanged.
        statement.sheets[0].rows[4].name = RecordValue::fromText(QStringLiteral("Boat"));
        const QStringList page = PrintedPage(session, QStringLiteral("Smith household, December 2026"));
        QCOMPARE(page.size(), 21);
        QCOMPARE(page.at(1), QStringLiteral(" Smith household, December 2026"));
        QCOMPARE(page.at(9), QStringLiteral(" House and garden on the h   150,000.00  Mortgage                     90,000.00"));
        QCOMPARE(page.mid(12, 2), (QStringList{" Boat                                    Card                               .00",
                                               "                                         Tax due"}));
        QCOMPARE(page.at(17), QStringLiteral(" Total Assets               $162,000.00  Total Liabilities           $94,000.50"));
        QCOMPARE(page.at(20), QStringLiteral("                             Net Worth =     $67,999.50"));
    }

    void printingBeforeAnyCalculate()
    {
        AppState state;
        NetWorthSession session(state);
        session.statement().sheets[1] = MakeSheet({"", "Loan=500"});
        const QStringList page = PrintedPage(session, QString()); // no "Calculate" first
        QCOMPARE(page.mid(9, 3), (QStringList{"", QString(41, u' ') + "Loan" + QString(28, u' ') + "500.00", ""}));
        QVERIFY(page.contains(" Total Assets" + QString(22, u' ') + "$.00  Total Liabilities" + QString(17, u' ') + "$.00"));
    }
};

QTEST_GUILESS_MAIN(TestNetWorthSheet)
#include "test_networth_sheet.moc"
