#include "invest/fund_database.h"
#include "invest/fund_printouts.h"
#include "invest/fund_values.h"
#include "money_text.h"
#include "shell/core/app_state.h"
#include "shell/core/format.h"
#include "shell/print/print_frame.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"

#include <QRegularExpression>
#include <QTest>

namespace {

void Put(FundDatabase &db, int fund, const char *code, const char *price, const char *number, const char *fees,
         const char *cash)
{
    const EntryFigures figures{m(price), m(number), m(fees), m(cash)};
    db.appendRecord(MakeRecord(fund, QLatin1String(code), QDate(1998, 10, 12), figures, db.recordCount() + 1));
}

// A line built from texts at 1-based columns, as the printout places them.
QString At(std::initializer_list<std::pair<int, QString>> cells)
{
    QString line;
    for (const auto &[column, text] : cells) {
        line = line.leftJustified(column - 1, u' ');
        line += text;
    }
    return line;
}

QList<QStringList> Print(const std::function<void(PrintFrame &)> &body)
{
    AppState state;
    ScriptedDialogs dialogs;
    dialogs.lines << QStringLiteral("My funds");
    RecordingPrinter printer;
    if (!RunPrintout(state, dialogs, printer, QStringLiteral("Funds"), body))
        return {};
    return printer.jobs.value(0).pages();
}

QList<QStringList> PrintListing(const FundDatabase &db, int fund)
{
    return Print([&](PrintFrame &f) { PrintFundListing(f, db, fund, QStringLiteral("$"), QString()); });
}

// The lines after the header line and its empty line.
QStringList Body(const QStringList &page)
{
    const qsizetype header = page.indexOf(QStringLiteral(" My funds"));
    return header < 0 ? QStringList() : page.mid(header + 2);
}

} // namespace

class TestFundPrintouts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::C)); }

    // A record line, the totals and the average cost stand under the
    // paper's columns; all funds' listing gives each fund under its name and
    // the totals of all of them.
    void listings()
    {
        FundDatabase db;
        db.addFund(QStringLiteral("Alpha"));
        db.addFund(QStringLiteral("Beta"));
        Put(db, 1, "B", "10", "100", "50", "0");
        Put(db, 2, "C", "0", "0", "0", "5");
        Put(db, 1, "D", "10.5", "2", "0", "0");
        Put(db, 1, "S", "10", "10", "0", "0");
        const QStringList body = Body(PrintListing(db, 1).value(0));
        QCOMPARE(body.at(0), At({{32, "Alpha"}}));
        const QString date = Format(QDate(1998, 10, 12), QStringLiteral("Short Date"));
        QCOMPARE(body.at(8), At({{2, "Div. Shares"}, {14, date}, {24, "    10.50"}, {33, "    2.000"}, {42, "     0.00"},
                                 {51, "    21.00"}, {60, "     0.00"}, {69, "       0.00"}}));
        QCOMPARE(body.mid(12, 2), (QStringList{At({{2, "Total:"}, {31, "     92.000"}, {42, "   $50.00"}, {51, "   $21.00"},
                                                   {60, "     $.00"}, {69, "    $950.00"}}),
                                               " Average Cost per Share  =  $10.3261"}));

        const QStringList all = Body(PrintListing(db, AllRecordsSlot).value(0));
        QCOMPARE(all.at(7), QStringLiteral(" Alpha"));
        QCOMPARE(all.at(16), QStringLiteral(" Beta"));
        QCOMPARE(all.at(25), At({{2, "Total all Funds:"}, {31, "     92.00"}, {42, "   $50.00"}, {51, "   $21.00"},
                                 {60, "    $5.00"}, {69, "    $945.00"}}));
    }

    // The page fills at the lines per page (53 in the standard font; the
    // other fonts' counts are the print frame's) counting from 9 after the
    // headings; the next page goes on two lines down without headings.
    void listingBreaksPages()
    {
        FundDatabase db;
        db.addFund(QStringLiteral("Big"));
        for (int r = 0; r < 50; ++r)
            Put(db, 1, "B", "1", "1", "0", "0");
        const QList<QStringList> pages = PrintListing(db, 1);
        QCOMPARE(pages.size(), 2);
        auto records = [](const QStringList &page) {
            return int(std::count_if(page.begin(), page.end(),
                                     [](const QString &line) { return line.startsWith(QStringLiteral(" Bought")); }));
        };
        QCOMPARE(records(pages.at(0)), 44);
        QCOMPARE(records(pages.at(1)), 6);
        // No headings again: only empty lines above the first record.
        QCOMPARE(pages.at(1).indexOf(QRegularExpression(QStringLiteral(" Bought.*"))), 3);
        QVERIFY(pages.at(1).mid(0, 3).join(QString()).trimmed().isEmpty());
    }

    void valueTable()
    {
        FundDatabase db;
        for (const char *name : {"Half", "Other half", "Gone"})
            db.addFund(QLatin1String(name));
        Put(db, 1, "B", "10", "100", "0", "0");
        Put(db, 2, "B", "5", "100", "0", "0");
        Put(db, 3, "B", "1", "10", "0", "0");
        Put(db, 3, "S", "2", "10", "0", "0");
        PreparePriceTable(db);
        db.setPrice(1, m("12"));
        db.setPrice(2, m("12"));
        QCOMPARE(CollectHoldings(db), 0);
        ComputeCurrentValues(db);
        const QStringList body =
            Body(Print([&](PrintFrame &f) { PrintValueTable(f, db, QStringLiteral("$"), QDate(2000, 10, 12)); }).value(0));
        // The annual returns over the 731 days since 1998-10-12: 1.2^(365/731)
        // - 1, 2.4^(365/731) - 1 and, for the whole, (2400/1490)^(365/731) - 1.
        QCOMPARE(body.at(0), At({{30, "Current Value of all Funds."}}));
        QCOMPARE(body.mid(6, 3), (QStringList{At({{2, "Half (50%)"}, {54, "Annual Return %"}, {72, "   9.53%"}}), "",
                                              At({{10, "    100.0000"}, {23, "    1,000.00"}, {38, "   12.00"},
                                                  {47, "    1,200.00"}, {60, "     200.00"}, {72, "  20.00%"}})}));
        QCOMPARE(body.at(14), At({{2, "Gone (0%)"}, {54, "Annual Return %"}, {72, "   none "}}));
        QCOMPARE(body.mid(20), (QStringList{At({{2, "Total:    200.0000"}, {23, "   $1,490.00"}, {47, "   $2,400.00"},
                                                {60, "    $910.00"}, {72, "  61.07%"}}),
                                            At({{54, "Annual Return %"}, {72, "  26.87%"}}), "",
                                            " Annual returns are money-weighted, to " +
                                                Format(QDate(2000, 10, 12), QStringLiteral("Short Date")) + ".",
                                            " No annual return for Gone:", "     sold out before the valuation date."}));
        for (const QString &line : body)
            QVERIFY2(line.size() <= 80, qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(TestFundPrintouts)
#include "test_fund_printouts.moc"
