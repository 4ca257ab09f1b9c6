// Times filling the largest schedule the program shows: 2100 body rows of six
// columns, cleared first as every window does, then written cell by cell, and
// the same through the bulk row fill.
#include "shell/core/format.h"
#include "shell/ui/spreadsheet_grid.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SpreadsheetGrid grid;
    grid.resize(640, 400);
    grid.setCols(6);
    grid.show();
    QApplication::processEvents();

    constexpr int Rows = 2100;
    std::vector<double> fills;
    std::vector<double> painted;
    for (int run = 0; run < 25; ++run) {
        QElapsedTimer timer;
        timer.start();
        grid.setRows(Rows + 1);
        grid.clearBody();
        for (int row = 1; row <= Rows; ++row) {
            const Money amount = Money::fromDouble(1234.5678 * row + run);
            grid.setCell(row, 0, QString::number(row));
            grid.setCell(row, 1, Format(QDate(2026, 1, 1).addDays(7 * row), QStringLiteral("Short Date")));
            grid.setCell(row, 2, QStringLiteral("$") + Format(amount, QStringLiteral("####,,###.00")));
            grid.setCell(row, 3, QStringLiteral("$") + Format(amount.toDouble() * 0.07, QStringLiteral("####,,###.00")));
            grid.setCell(row, 4, QStringLiteral("$") + Format(amount.toDouble() * 0.93, QStringLiteral("####,,###.00")));
            grid.setCell(row, 5, QStringLiteral("$") + Format(amount.toDouble() * 12, QStringLiteral("####,,###.00")));
        }
        QApplication::processEvents(); // the view hears of the changes
        fills.push_back(double(timer.nsecsElapsed()) / 1e6);
        grid.repaint();
        painted.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    // The bulk fill: rows formatted into lists, then handed over at once.
    std::vector<double> bulk;
    std::vector<double> bulkPainted;
    std::vector<double> clearing, texts, handing;
    for (int run = 0; run < 25; ++run) {
        QElapsedTimer timer;
        timer.start();
        grid.setRows(Rows + 1);
        grid.clearBody();
        clearing.push_back(double(timer.nsecsElapsed()) / 1e6);
        QList<QStringList> rows;
        rows.reserve(Rows);
        for (int row = 1; row <= Rows; ++row) {
            const Money amount = Money::fromDouble(1234.5678 * row + run);
            rows.append({QString::number(row), Format(QDate(2026, 1, 1).addDays(7 * row), QStringLiteral("Short Date")),
                         QStringLiteral("$") + Format(amount, QStringLiteral("####,,###.00")),
                         QStringLiteral("$") + Format(amount.toDouble() * 0.07, QStringLiteral("####,,###.00")),
                         QStringLiteral("$") + Format(amount.toDouble() * 0.93, QStringLiteral("####,,###.00")),
                         QStringLiteral("$") + Format(amount.toDouble() * 12, QStringLiteral("####,,###.00"))});
        }
        texts.push_back(double(timer.nsecsElapsed()) / 1e6);
        grid.setRowTexts(1, rows);
        handing.push_back(double(timer.nsecsElapsed()) / 1e6);
        QApplication::processEvents();
        bulk.push_back(double(timer.nsecsElapsed()) / 1e6);
        grid.repaint();
        bulkPainted.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    // The share of the formats alone.
    std::vector<double> formats;
    for (int run = 0; run < 25; ++run) {
        QElapsedTimer timer;
        timer.start();
        qsizetype total = 0;
        for (int row = 1; row <= Rows; ++row) {
            const Money amount = Money::fromDouble(1234.5678 * row + run);
            total += QString::number(row).size();
            total += Format(QDate(2026, 1, 1).addDays(7 * row), QStringLiteral("Short Date")).size();
            total += Format(amount, QStringLiteral("####,,###.00")).size();
            total += Format(amount.toDouble() * 0.07, QStringLiteral("####,,###.00")).size();
            total += Format(amount.toDouble() * 0.93, QStringLiteral("####,,###.00")).size();
            total += Format(amount.toDouble() * 12, QStringLiteral("####,,###.00")).size();
        }
        formats.push_back(double(timer.nsecsElapsed()) / 1e6 + double(total % 2) * 0);
    }
    std::sort(formats.begin(), formats.end());
    std::printf("formats alone: median %.2f ms\n", formats[formats.size() / 2]);
    std::sort(fills.begin(), fills.end());
    std::sort(painted.begin(), painted.end());
    std::printf("grid fill, %d rows x 6 columns, formats included: median %.2f ms, best %.2f ms\n", Rows,
                fills[fills.size() / 2], fills.front());
    std::printf("grid fill and first paint: median %.2f ms, best %.2f ms\n", painted[painted.size() / 2],
                painted.front());
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("bulk fill, %d rows x 6 columns, formats included (budget 8 ms): median %.2f ms, best %.2f ms\n",
                Rows, median(handing), *std::min_element(handing.begin(), handing.end()));
    std::printf("  of which: clear %.2f ms, then texts built by %.2f ms\n", median(clearing), median(texts));
    std::printf("bulk fill and the events after it (the view's paint): median %.2f ms\n", median(bulk));
    std::printf("bulk fill, events and a second paint: median %.2f ms\n", median(bulkPainted));
    return 0;
}
