// Times the fund table over the largest database (30 funds, 1000 records):
// the current value table computed with every fund's annual return and
// shown, the annual returns alone, the listing of all funds shown, and that
// listing printed to PDF.
#include "invest/fund_database.h"
#include "invest/fund_printouts.h"
#include "invest/fund_values.h"
#include "shell/core/app_state.h"
#include "shell/print/page_print_job.h"
#include "shell/print/print_frame.h"
#include "shell/ui/spreadsheet_grid.h"
#include "shell/core/unattended_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void MakeDatabase(FundDatabase &db)
{
    db.clear();
    for (int fund = 1; fund <= MaxFunds; ++fund)
        db.addFund(QStringLiteral("Fund %1").arg(fund, 2, 10, QLatin1Char('0')));
    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int slot = 1; slot <= MaxEnteredRecords; ++slot) {
        const int fund = 1 + int(next() % MaxFunds);
        const QDate date = QDate(1990, 1, 1).addDays(slot * 10);
        const Money price = Money::fromRaw(qint64(10000 + next() % 900000));
        const Money number = Money::fromRaw(qint64(10000 + next() % 5000000));
        db.appendRecord(MakeRecord(fund, slot % 7 == 0 ? QStringLiteral("S") : QStringLiteral("B"), date,
                                   {price, number, Money::fromWhole(10), Money()}, slot));
    }
}

void Show(SpreadsheetGrid &grid, const QList<QStringList> &rows)
{
    if (grid.cols() != rows.at(0).size())
        grid.setCols(int(rows.at(0).size()));
    grid.setRows(int(rows.size()));
    grid.clearBody();
    for (int c = 0; c < grid.cols(); ++c)
        grid.setCell(0, c, rows.at(0).at(c));
    grid.setRowTexts(1, rows.mid(1));
    QApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    AppState state;
    FundDatabase db;
    MakeDatabase(db);
    SpreadsheetGrid grid;
    grid.resize(1100, 500);
    grid.setCols(9);
    grid.show();
    // The records run from 1990 to 2017.
    const QDate valuationDate(2020, 1, 1);
    QApplication::processEvents();

    std::vector<double> values, listings;
    for (int run = 0; run < 25; ++run) {
        QElapsedTimer timer;
        timer.start();
        PreparePriceTable(db);
        for (int fund = 1; fund <= MaxFunds; ++fund)
            db.setPrice(fund, Money::fromWhole(20 + fund));
        if (CollectHoldings(db) != 0)
            return 1;
        ComputeCurrentValues(db);
        Show(grid, CurrentValueTable(db, QStringLiteral("$"), FundAnnualReturns(db, valuationDate)));
        values.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::vector<double> returns;
    int withRate = 0;
    for (int run = 0; run < 25; ++run) {
        QElapsedTimer timer;
        timer.start();
        const AnnualReturns annual = FundAnnualReturns(db, valuationDate);
        returns.push_back(double(timer.nsecsElapsed()) / 1e6);
        withRate = int(std::count_if(annual.begin(), annual.end(), [](const AnnualReturn &r) { return bool(r.rate); }));
    }
    for (int run = 0; run < 25; ++run) {
        QElapsedTimer timer;
        timer.start();
        Show(grid, ListRecords(db, AllRecordsSlot, QStringLiteral("$")).rows);
        listings.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    QTemporaryDir folder;
    std::vector<double> pdfs;
    for (int run = 0; run < 5; ++run) {
        UnattendedDialogs dialogs;
        dialogs.lines << QStringLiteral("All funds");
        PdfPrinter printer(folder.filePath(QStringLiteral("listing.pdf")));
        QElapsedTimer timer;
        timer.start();
        if (!RunPrintout(state, dialogs, printer, QStringLiteral("All Records"),
                         [&db](PrintFrame &frame) {
                             PrintFundListing(frame, db, AllRecordsSlot, QStringLiteral("$"), QString());
                         }))
            return 1;
        pdfs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("value table of 30 funds over 1000 records with annual returns, computed and shown: median %.2f ms\n",
                Median(values));
    std::printf("annual returns of 30 funds and the total (%d with a rate): median %.2f ms\n", withRate,
                Median(returns));
    std::printf("listing of all funds (1000 records) shown: median %.2f ms\n", Median(listings));
    std::printf("listing of all funds printed to PDF: median %.1f ms\n", Median(pdfs));
    return 0;
}
