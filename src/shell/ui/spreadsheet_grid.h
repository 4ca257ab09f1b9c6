#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include "shell/core/table_text.h"

#include <functional>
#include <vector>

class GridModel;
class ToolWindow;

// The result grid of every window: a table of text cells whose row 0 is the
// fixed heading row. Windows write cells (setCell, or whole rows at once),
// clear the body, and listen to the click, key and cell-change notifications.
class SpreadsheetGrid : public QTableView
{
    Q_OBJECT

public:
    // Asks where to export the table, starting at the proposed path; an
    // empty answer cancels. The program's own file dialog unless a window
    // (or a test) hands in another.
    using CsvFileChooser = std::function<QString(QWidget *parent, const QString &proposedPath)>;

    explicit SpreadsheetGrid(QWidget *parent = nullptr);

    void setRows(int rows);
    int rows() const;
    void setCols(int cols);
    int cols() const;

    // The current cell: where the user last went by mouse or arrow keys.
    int row() const { return m_row; }
    void setCol(int col);
    int col() const { return m_col; }

    QString cell(int row, int col) const;
    void setCell(int row, int col, const QString &text);
    // Writes whole rows from firstRow on (row 0 is the heading row), one list
    // of cell texts per row, and tells the view once. Rows past the grid and
    // texts past the last column are left out. A fill that starts at row 1
    // shows the grid from its top again (scrollToTop() does that alone).
    void setRowTexts(int firstRow, const QList<QStringList> &rows);
    // Scrolls as little as needed for body row `row` to be seen.
    void showRow(int row);

    // Widths in twips; the windows add their increments to the default. A
    // column is widened beyond the width set while a text in it would not fit
    // (a figure is never cut), and goes back to that width when it fits again.
    int defaultColWidth() const;
    void setColWidth(int col, int twips);
    int colWidth(int col) const;
    void setColAlignment(int col, Qt::Alignment alignment);
    void setHeaderAlignment(int col, Qt::Alignment alignment);
    void setHeaderHeight(int twips);

    void setSelection(int startRow, int startCol, int endRow, int endCol);
    void setHighlight(bool on);

    // Empties the body (row 1 to the last row, every column), leaves the
    // selection on row 1, column 0 and shows the top of the grid.
    void clearBody();

    // For other programs. Ctrl+C copies the selected cells as shown,
    // tab-separated; the context menu copies the whole table or exports it as
    // CSV with plain numbers in its columns of figures (the currency symbol is
    // the user's setting of the tool the grid is in). Empty rows below the
    // last filled one are left out.
    TextTable selectedCells() const;
    TextTable table() const; // the heading row, then the body
    void copySelection() const;
    void copyTable() const;
    bool exportCsv(const QString &path, QString *why = nullptr) const;
    // The path Export as CSV… proposes: a file named after the table's
    // window, in the folder last exported to during this run, else the
    // documents folder, else the home folder, whichever exists first.
    QString proposedCsvPath() const;
    void setCsvFileChooser(CsvFileChooser chooser) { m_chooseCsvFile = std::move(chooser); }

signals:
    void gridClicked();
    // The Delete key; the grid itself does nothing with it.
    void deletePressed();
    // A typed character; the handler may set code to 0 to swallow the key.
    void keyPress(int &code);
    void cellChanged(int row, int col);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void fitColumns(int firstCol, int lastCol);
    void keepSetWidths(int cols);
    // The tool window the grid sits in, whose settings it reads.
    ToolWindow *toolWindow() const;
    QString currencySymbol() const;
    void exportAsked();

    GridModel *m_model;
    std::vector<int> m_setWidths; // pixels, as set by the window
    int m_row = 0;
    int m_col = 0;
    CsvFileChooser m_chooseCsvFile;
};
