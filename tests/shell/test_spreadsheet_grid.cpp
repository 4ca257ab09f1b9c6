#include "shell/spreadsheet_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

class TestSpreadsheetGrid : public QObject
{
    Q_OBJECT

    static void fillAll(SpreadsheetGrid &grid)
    {
        for (int r = 0; r < grid.rows(); ++r)
            for (int c = 0; c < grid.cols(); ++c)
                grid.setCell(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
    }

private slots:
    void clearingKeepsTheHeadings()
    {
        SpreadsheetGrid grid;
        grid.setCols(6);
        grid.setRows(24);
        fillAll(grid);
        grid.clearBody();
        for (int c = 0; c < 6; ++c)
            QCOMPARE(grid.cell(0, c), QStringLiteral("0,%1").arg(c));
        for (int r = 1; r < 24; ++r)
            for (int c = 0; c < 6; ++c)
                QVERIFY(grid.cell(r, c).isEmpty());
        QCOMPARE(grid.fillStyle(), SpreadsheetGrid::FillStyle::Single);
        QCOMPARE(grid.row(), 1);
        QCOMPARE(grid.col(), 0);

        // After the clear, writing a cell changes that cell only.
        grid.setRow(3);
        grid.setCol(2);
        grid.setText(QStringLiteral("x"));
        QCOMPARE(grid.cell(3, 2), QStringLiteral("x"));
        QCOMPARE(grid.text(), QStringLiteral("x"));
        QVERIFY(grid.cell(3, 1).isEmpty());
        QVERIFY(grid.cell(4, 2).isEmpty());
    }

    void repeatFillCoversTheSelectionOnly()
    {
        SpreadsheetGrid grid;
        grid.setCols(4);
        grid.setRows(10);
        grid.setSelection(2, 1, 4, 2);
        grid.setFillStyle(SpreadsheetGrid::FillStyle::Repeat);
        grid.setText(QStringLiteral("-"));
        int filled = 0;
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 4; ++c)
                filled += grid.cell(r, c) == QLatin1String("-");
        QCOMPARE(filled, 6);
        QCOMPARE(grid.cell(4, 2), QStringLiteral("-"));
    }

    void resizingKeepsTheRowsThatRemain()
    {
        SpreadsheetGrid grid;
        grid.setCols(3);
        grid.setRows(30);
        fillAll(grid);
        grid.setColWidth(1, grid.defaultColWidth() + 1500);
        const int width = grid.colWidth(1);
        grid.setRows(5);
        QCOMPARE(grid.rows(), 5);
        QCOMPARE(grid.cell(4, 2), QStringLiteral("4,2"));
        QVERIFY(grid.cell(5, 0).isEmpty()); // outside the grid reads as empty
        grid.setCell(40, 0, QStringLiteral("ignored"));
        grid.setRows(8);
        QVERIFY(grid.cell(6, 1).isEmpty());
        QCOMPARE(grid.cell(0, 0), QStringLiteral("0,0"));
        QCOMPARE(grid.colWidth(1), width);
        QVERIFY(grid.colWidth(1) >= grid.defaultColWidth() + 1490);
    }

    void alignmentsAndWrappingHeadings()
    {
        SpreadsheetGrid grid;
        grid.setCols(2);
        grid.setRows(3);
        grid.setColAlignment(1, Qt::AlignRight);
        grid.setHeaderAlignment(0, Qt::AlignHCenter);
        grid.setCell(0, 0, QStringLiteral("   Cost of     Investment"));
        const QAbstractItemModel *model = grid.model();
        QVERIFY(model->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
        const auto header = model->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
        QVERIFY(header & Qt::AlignHCenter);
        QVERIFY(header & Qt::TextWordWrap);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("   Cost of     Investment"));
        grid.setHeaderHeight(500);
        QVERIFY(grid.horizontalHeader()->height() >= 33);
    }

    void notifications()
    {
        SpreadsheetGrid grid;
        grid.setCols(3);
        grid.setRows(10);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setFocus();
        QSignalSpy keyDowns(&grid, &SpreadsheetGrid::keyDown);
        QSignalSpy changes(&grid, &SpreadsheetGrid::cellChanged);
        int swallowed = 0;
        connect(&grid, &SpreadsheetGrid::keyPress, this, [&](int &code) {
            if (code == 'x') {
                code = 0;
                ++swallowed;
            }
        });
        grid.setSelection(1, 0, 1, 0);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(keyDowns.last().at(0).toInt(), 46);
        QTest::keyClick(&grid, Qt::Key_X);
        QCOMPARE(swallowed, 1);
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
        QCOMPARE(grid.textElideMode(), Qt::ElideNone);
        QVERIFY2(grid.columnWidth(1) >= grid.fontMetrics().horizontalAdvance(figure) + 4,
                 qPrintable(QString::number(grid.columnWidth(1))));
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
        grid.resize(300, 200);
        grid.setCols(3);
        grid.setRows(2101);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setTopRow(1500);
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
        QCOMPARE(grid.topRow(), 1);

        // A part fill further down keeps the place, and the heading row may be written too.
        grid.setTopRow(900);
        grid.setRowTexts(1000, {{QStringLiteral("x")}});
        QCOMPARE(grid.cell(1000, 0), QStringLiteral("x"));
        QCOMPARE(grid.cell(1000, 1), QStringLiteral("a1000"));
        QCOMPARE(grid.topRow(), 900);
        grid.setRowTexts(0, {{QStringLiteral("Year")}});
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Year"));
    }

    void clearingShowsTheTop()
    {
        SpreadsheetGrid grid;
        grid.resize(300, 200);
        grid.setCols(2);
        grid.setRows(500);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setTopRow(300);
        grid.clearBody();
        QCOMPARE(grid.topRow(), 1);
    }

    void topRowScrolls()
    {
        SpreadsheetGrid grid;
        grid.resize(300, 200);
        grid.setCols(2);
        grid.setRows(500);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setTopRow(200);
        QCOMPARE(grid.topRow(), 200);
    }
};

QTEST_MAIN(TestSpreadsheetGrid)
#include "test_spreadsheet_grid.moc"
