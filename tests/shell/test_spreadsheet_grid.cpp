#include "shell/ui/spreadsheet_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

class TestSpreadsheetGrid : public QObject
{
    Q_OBJECT

    // The body row at the top of the view, and the last one wholly seen.
    static int topRow(const SpreadsheetGrid &grid) { return grid.rowAt(0) + 1; }
    static int bottomRow(const SpreadsheetGrid &grid)
    {
        const int bottom = grid.rowAt(grid.viewport()->height() - 1);
        const QRect last = grid.visualRect(grid.model()->index(bottom, 0));
        return last.bottom() < grid.viewport()->height() ? bottom + 1 : bottom;
    }
    // A grid of a few rows' height on the screen; false when it is not shown.
    static bool shown(SpreadsheetGrid &grid, int cols, int rows)
    {
        grid.resize(300, 200);
        grid.setCols(cols);
        grid.setRows(rows);
        grid.show();
        return QTest::qWaitForWindowExposed(&grid);
    }
    static void scrollToRow(SpreadsheetGrid &grid, int row)
    {
        grid.scrollTo(grid.model()->index(row - 1, 0), QAbstractItemView::PositionAtTop);
    }

private slots:
    // Rows taken away and added keep the rows that remain and the widths
    // set; a clear empties the body and keeps the headings.
    void bodyChangesKeepTheRest()
    {
        SpreadsheetGrid grid;
        grid.setCols(3);
        grid.setRows(30);
        for (int r = 0; r < 30; ++r)
            for (int c = 0; c < 3; ++c)
                grid.setCell(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
        grid.setColWidth(1, grid.defaultColWidth() + 1500);
        const int width = grid.colWidth(1);
        grid.setRows(5);
        QCOMPARE(grid.rows(), 5);
        QCOMPARE(grid.cell(4, 2), QStringLiteral("4,2"));
        QVERIFY(grid.cell(5, 0).isEmpty()); // outside the grid reads as empty
        grid.setCell(40, 0, QStringLiteral("ignored"));
        grid.setRows(8);
        QVERIFY(grid.cell(6, 1).isEmpty());
        QCOMPARE(grid.colWidth(1), width);
        grid.clearBody();
        QCOMPARE(grid.cell(0, 2), QStringLiteral("0,2"));
        QVERIFY(grid.cell(1, 0).isEmpty() && grid.cell(4, 2).isEmpty());
        QCOMPARE(grid.row(), 1);
        QCOMPARE(grid.col(), 0);
    }

    void notifications()
    {
        SpreadsheetGrid grid;
        grid.setCols(3);
        grid.setRows(10);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setFocus();
        QSignalSpy deletes(&grid, &SpreadsheetGrid::deletePressed);
        QSignalSpy changes(&grid, &SpreadsheetGrid::cellChanged);
        QList<int> typed;
        connect(&grid, &SpreadsheetGrid::keyPress, this, [&](int &code) {
            typed << code;
            if (code == 'x')
                code = 0;
        });
        grid.setSelection(1, 0, 1, 0);
        // Delete is Delete, and no typed character: a window answering
        // typed keys would take the character for a period or a digit.
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(deletes.count(), 1);
        QCOMPARE(typed, QList<int>());
        QTest::keyClick(&grid, Qt::Key_Period);
        QTest::keyClick(&grid, Qt::Key_X);
        QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier); // a shortcut, not typing
        QCOMPARE(typed, (QList<int>{'.', 'x'}));
        QCOMPARE(deletes.count(), 1);
        QTest::keyClick(&grid, Qt::Key_Down);
        QVERIFY(!changes.isEmpty());
        QCOMPARE(grid.row(), 2);
        QSignalSpy clicks(&grid, &SpreadsheetGrid::gridClicked);
        const QRect cell = grid.visualRect(grid.model()->index(3, 1));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(grid.row(), 4);
        QCOMPARE(grid.col(), 1);
    }

    void columnsWidenToTheirFigures_data()
    {
        QTest::addColumn<bool>("bulk");
        QTest::newRow("cell by cell") << false;
        QTest::newRow("whole rows") << true;
    }
    void columnsWidenToTheirFigures()
    {
        QFETCH(bool, bulk);
        SpreadsheetGrid grid;
        grid.setCols(3);
        grid.setRows(6);
        grid.setColWidth(1, grid.defaultColWidth() + 200);
        const int setWidth = grid.columnWidth(1);
        const QString figure = QStringLiteral("$123,456,789,012,345.67");
        if (bulk)
            grid.setRowTexts(3, {{QStringLiteral("3"), figure, QStringLiteral("x")}});
        else
            grid.setCell(3, 1, figure);
        QApplication::processEvents();
        QCOMPARE(grid.cell(3, 1), figure);
        QVERIFY(grid.columnWidth(1) >= grid.fontMetrics().horizontalAdvance(figure) + 4);
        QCOMPARE(grid.columnWidth(0), grid.horizontalHeader()->defaultSectionSize()); // short texts change nothing

        // A fresh calculation with short figures gives the column back its set width, never less.
        grid.clearBody();
        grid.setCell(1, 1, QStringLiteral("$1.00"));
        QApplication::processEvents();
        QCOMPARE(grid.columnWidth(1), setWidth);
    }

    void bulkFillTellsTheViewOnceAndShowsTheTop()
    {
        SpreadsheetGrid grid;
        QVERIFY(shown(grid, 3, 2101));
        scrollToRow(grid, 1500);
        QList<QStringList> rows;
        for (int r = 1; r <= 2105; ++r) // rows past the grid are left out
            rows.append({QString::number(r), QStringLiteral("a%1").arg(r), QStringLiteral("b"), QStringLiteral("extra")});
        QSignalSpy changes(grid.model(), &QAbstractItemModel::dataChanged);
        grid.setRowTexts(1, rows);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(grid.cell(1, 0), QStringLiteral("1"));
        QCOMPARE(grid.cell(2100, 1), QStringLiteral("a2100"));
        QCOMPARE(grid.cols(), 3);
        QCOMPARE(grid.rows(), 2101);
        QCOMPARE(topRow(grid), 1);

        // A part fill further down keeps the place, and the heading row may be written too.
        scrollToRow(grid, 900);
        grid.setRowTexts(1000, {{QStringLiteral("x")}});
        QCOMPARE(grid.cell(1000, 0), QStringLiteral("x"));
        QCOMPARE(grid.cell(1000, 1), QStringLiteral("a1000"));
        QCOMPARE(topRow(grid), 900);
        grid.setRowTexts(0, {{QStringLiteral("Year")}});
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Year"));
        grid.clearBody();
        QCOMPARE(topRow(grid), 1);
    }

    // A row added below the rows seen comes into view at the bottom; a row
    // already seen moves nothing. A grid grown a moment ago counts its new
    // rows too.
    void showRowScrollsAsLittleAsNeeded()
    {
        SpreadsheetGrid grid;
        QVERIFY(shown(grid, 2, 5));
        grid.setRows(2101);
        grid.showRow(2100);
        QCOMPARE(bottomRow(grid), 2100);
        QVERIFY(topRow(grid) > 2000);
        const int top = topRow(grid);
        grid.showRow(2099);
        QCOMPARE(topRow(grid), top);
        grid.showRow(1);
        QCOMPARE(topRow(grid), 1);
        grid.showRow(2101); // past the grid
        QCOMPARE(topRow(grid), 1);
    }
};

QTEST_MAIN(TestSpreadsheetGrid)
#include "test_spreadsheet_grid.moc"
