// Times the investment manager's largest database: opening a 1000-record,
// 30-fund file, sorting it and filling the entry grid for the fund with the
// most records; and saving that file.
#include "invest/fund_database.h"
#include "invest/fund_file.h"
#include "shell/ui/spreadsheet_grid.h"

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

// Funds named out of order and records out of date order, so both sorts work.
void MakeDatabase(FundDatabase &db)
{
    db.clear();
    for (int fund = 1; fund <= MaxFunds; ++fund)
        db.addFund(QStringLiteral("Fund %1").arg((fund * 17) % 31, 2, 10, QLatin1Char('0')));
    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int slot = 1; slot <= MaxEnteredRecords; ++slot) {
        // A third of the records belong to fund 1, the largest.
        const int fund = slot % 3 == 0 ? 1 : 2 + int(next() % 29);
        const QDate date = QDate(1990, 1, 1).addDays(int(next() % 12000));
        const Money price = Money::fromRaw(qint64(10000 + next() % 900000));
        const Money number = Money::fromRaw(qint64(10000 + next() % 5000000));
        db.appendRecord(MakeRecord(fund, slot % 7 == 0 ? QStringLiteral("S") : QStringLiteral("B"), date,
                                   {price, number, Money::fromWhole(10), Money()}, slot));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("large.qvs"));

    FundDatabase source;
    MakeDatabase(source);
    std::vector<double> saves;
    for (int run = 0; run < 25; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!SaveFundFile(source, path))
            return 1;
        saves.push_back(double(timer.nsecsElapsed()) / 1e6);
    }

    SpreadsheetGrid grid;
    grid.resize(900, 400);
    grid.setCols(9);
    grid.show();
    QApplication::processEvents();
    std::vector<double> opens, sorted, filled;
    int largest = 0;
    for (int run = 0; run < 25; ++run) {
        FundDatabase db;
        QElapsedTimer timer;
        timer.start();
        const auto read = ReadFundFile(path);
        if (!read.ok())
            return 1;
        ApplyFundFile(db, read.value());
        opens.push_back(double(timer.nsecsElapsed()) / 1e6);
        db.SortFundsByName();
        db.SortRecordsByDate();
        sorted.push_back(double(timer.nsecsElapsed()) / 1e6);
        int fund = 1;
        for (int f = 2; f <= db.fundCount(); ++f)
            if (RecordsOfFund(db, f) > RecordsOfFund(db, fund))
                fund = f;
        largest = RecordsOfFund(db, fund);
        const EntryGrid rows = ShowRecords(db, fund, QStringLiteral("$"));
        grid.setRows(rows.rows);
        grid.clearBody();
        grid.setRowTexts(1, rows.body);
        QApplication::processEvents();
        filled.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("save 1000 records, 30 funds:                median %.2f ms\n", Median(saves));
    std::printf("open:                                       median %.2f ms\n", Median(opens));
    std::printf("open + sort:                                median %.2f ms\n", Median(sorted));
    std::printf("open + sort + entry grid (%d records):     median %.2f ms\n", largest, Median(filled));
    return 0;
}
