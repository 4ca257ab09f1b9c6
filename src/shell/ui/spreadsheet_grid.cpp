#include "shell/ui/spreadsheet_grid.h"

#include "shell/core/data_places.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/placement.h"
#include "shell/core/safe_save.h"
#include "shell/core/shell.h"
#include "shell/ui/tool_window.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStyle>

#include <algorithm>

#include <array>

// Row 0 of the grid is the horizontal header; body row r is model row r - 1.
class GridModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_bodyRows; }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_cols; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return m_cells.at(offset(index.row() + 1, index.column()));
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(m_alignments.at(index.column()) | Qt::AlignVCenter);
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_cols)
            return {};
        if (role == Qt::DisplayRole)
            return m_cells.at(offset(0, section));
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(m_headerAlignments.at(section) | Qt::AlignVCenter | Qt::TextWordWrap);
        return {};
    }

    void resize(int rows, int cols)
    {
        rows = std::max(rows, 1);
        cols = std::max(cols, 0);
        // Every Calculate sets the size again; the same size keeps the model as it is.
        if (rows == m_bodyRows + 1 && cols == m_cols)
            return;
        beginResetModel();
        std::vector<QString> cells(size_t(rows) * size_t(cols));
        const int keepRows = std::min(rows, m_bodyRows + 1);
        const int keepCols = std::min(cols, m_cols);
        for (int r = 0; r < keepRows; ++r)
            for (int c = 0; c < keepCols; ++c)
                cells[size_t(r) * cols + c] = std::move(m_cells[offset(r, c)]);
        m_cells = std::move(cells);
        m_alignments.resize(cols, Qt::AlignLeft);
        m_headerAlignments.resize(cols, Qt::AlignLeft);
        m_bodyRows = rows - 1;
        m_cols = cols;
        m_dirtyFirstRow = -1;
        endResetModel();
    }

    bool contains(int row, int col) const { return row >= 0 && row <= m_bodyRows && col >= 0 && col < m_cols; }
    const QString &cell(int row, int col) const { return m_cells[offset(row, col)]; }

    void setCell(int row, int col, const QString &text)
    {
        QString &target = m_cells[offset(row, col)];
        if (target == text)
            return;
        target = text;
        if (row == 0)
            emit headerDataChanged(Qt::Horizontal, col, col);
        else
            markChanged(row - 1, col);
    }

    // Windows write thousands of cells in a row; the view hears of them once,
    // when control returns to the event loop.
    void markChanged(int bodyRow, int col)
    {
        if (m_dirtyFirstRow < 0) {
            m_dirtyFirstRow = m_dirtyLastRow = bodyRow;
            m_dirtyFirstCol = m_dirtyLastCol = col;
            QMetaObject::invokeMethod(this, [this] { flush(); }, Qt::QueuedConnection);
            return;
        }
        m_dirtyFirstRow = std::min(m_dirtyFirstRow, bodyRow);
        m_dirtyLastRow = std::max(m_dirtyLastRow, bodyRow);
        m_dirtyFirstCol = std::min(m_dirtyFirstCol, col);
        m_dirtyLastCol = std::max(m_dirtyLastCol, col);
    }

    void flush()
    {
        if (m_dirtyFirstRow < 0)
            return;
        const int lastRow = std::min(m_dirtyLastRow, m_bodyRows - 1);
        const int lastCol = std::min(m_dirtyLastCol, m_cols - 1);
        if (m_dirtyFirstRow <= lastRow && m_dirtyFirstCol <= lastCol)
            emit dataChanged(index(m_dirtyFirstRow, m_dirtyFirstCol), index(lastRow, lastCol), {Qt::DisplayRole});
        m_dirtyFirstRow = -1;
    }

    // Sets a block at once and tells the view once.
    void fill(int r1, int c1, int r2, int c2, const QString &text)
    {
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c)
                m_cells[offset(r, c)] = text;
        if (r1 == 0)
            emit headerDataChanged(Qt::Horizontal, c1, c2);
        const int first = std::max(r1, 1);
        if (first <= r2) {
            markChanged(first - 1, c1);
            markChanged(r2 - 1, c2);
        }
    }

    // Whole rows at once, told to the view at once.
    void setRowTexts(int firstRow, const QList<QStringList> &rows)
    {
        int first = -1;
        int last = -1;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const qsizetype r = firstRow + i;
            if (r < 0)
                continue;
            if (r > m_bodyRows)
                break;
            const QStringList &texts = rows.at(i);
            const int n = int(std::min<qsizetype>(texts.size(), m_cols));
            for (int c = 0; c < n; ++c)
                m_cells[offset(int(r), c)] = texts.at(c);
            if (first < 0)
                first = int(r);
            last = int(r);
        }
        if (first < 0 || m_cols == 0)
            return;
        if (first == 0)
            emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
        if (last < 1)
            return;
        // A change still to be told that lies within these rows is told now.
        if (m_dirtyFirstRow >= std::max(first, 1) - 1 && m_dirtyLastRow <= last - 1)
            m_dirtyFirstRow = -1;
        emit dataChanged(index(std::max(first, 1) - 1, 0), index(last - 1, m_cols - 1), {Qt::DisplayRole});
    }

    // Width in pixels the widest body text of a column needs. Summing cached
    // character widths is far quicker than laying out every text, and for
    // figures gives the same result; the widest text is then measured properly.
    int widestText(int col, const QFontMetrics &metrics, std::array<int, 128> &ascii) const
    {
        int widest = 0;
        const QString *widestText = nullptr;
        for (int r = 1; r <= m_bodyRows; ++r) {
            const QString &text = m_cells[offset(r, col)];
            if (text.isEmpty())
                continue;
            int width = 0;
            for (const QChar c : text) {
                const char16_t u = c.unicode();
                if (u < 128) {
                    if (ascii[u] < 0)
                        ascii[u] = metrics.horizontalAdvance(c);
                    width += ascii[u];
                } else {
                    width += metrics.horizontalAdvance(c);
                }
            }
            if (width > widest) {
                widest = width;
                widestText = &text;
            }
        }
        if (widestText)
            widest = std::max(widest, metrics.horizontalAdvance(*widestText));
        return widest;
    }

    void setAlignment(int col, Qt::Alignment alignment, bool header)
    {
        if (col < 0 || col >= m_cols)
            return;
        if (header) {
            m_headerAlignments[size_t(col)] = alignment;
            emit headerDataChanged(Qt::Horizontal, col, col);
        } else {
            m_alignments[size_t(col)] = alignment;
            if (m_bodyRows > 0)
                emit dataChanged(index(0, col), index(m_bodyRows - 1, col), {Qt::TextAlignmentRole});
        }
    }

private:
    size_t offset(int row, int col) const { return size_t(row) * size_t(m_cols) + size_t(col); }

    int m_bodyRows = 0;
    int m_cols = 0;
    std::vector<QString> m_cells = std::vector<QString>();
    std::vector<Qt::Alignment> m_alignments;
    std::vector<Qt::Alignment> m_headerAlignments;
    int m_dirtyFirstRow = -1;
    int m_dirtyLastRow = -1;
    int m_dirtyFirstCol = -1;
    int m_dirtyLastCol = -1;
};

SpreadsheetGrid::SpreadsheetGrid(QWidget *parent) : QTableView(parent), m_model(new GridModel(this))
{
    m_model->resize(2, 2);
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setWordWrap(false);
    // Columns widen to their figures instead; a cut figure is a wrong figure.
    setTextElideMode(Qt::ElideNone);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Narrow by default: the windows widen each column by their own amounts,
    // and the headings wrap at their runs of spaces.
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setDefaultSectionSize(TwipsToPixels(700));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    keepSetWidths(cols());
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &from, const QModelIndex &to, const QList<int> &roles) {
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                    fitColumns(from.column(), to.column());
            });
    connect(this, &QAbstractItemView::clicked, this, [this] { emit gridClicked(); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (!current.isValid())
            return;
        m_row = current.row() + 1;
        m_col = current.column();
        emit cellChanged(m_row, m_col);
    });
}

void SpreadsheetGrid::setRows(int rows)
{
    // The view forgets its column widths on a reset of the model.
    const int columns = cols();
    m_model->resize(rows, columns);
    fitColumns(0, columns - 1);
    m_row = std::min(m_row, this->rows() - 1);
}

void SpreadsheetGrid::keepSetWidths(int cols)
{
    m_setWidths.resize(size_t(std::max(cols, 0)), horizontalHeader()->defaultSectionSize());
}

void SpreadsheetGrid::fitColumns(int firstCol, int lastCol)
{
    firstCol = std::max(firstCol, 0);
    lastCol = std::min(lastCol, cols() - 1);
    if (firstCol > lastCol)
        return;
    keepSetWidths(cols());
    const QFontMetrics metrics(font());
    // The item delegate keeps this much clear on either side of a text, and
    // the grid line takes a pixel.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    std::array<int, 128> ascii; // character widths, measured as met
    ascii.fill(-1);
    for (int c = firstCol; c <= lastCol; ++c) {
        const int widest = m_model->widestText(c, metrics, ascii);
        const int needed = widest > 0 ? widest + 2 * margin + 2 : 0;
        const int width = std::max(m_setWidths[size_t(c)], needed);
        if (columnWidth(c) != width)
            setColumnWidth(c, width);
    }
}

int SpreadsheetGrid::rows() const
{
    return m_model->rowCount() + 1;
}

void SpreadsheetGrid::setCols(int cols)
{
    m_model->resize(rows(), cols);
    keepSetWidths(cols);
    fitColumns(0, cols - 1);
    m_col = std::min(m_col, std::max(cols - 1, 0));
}

int SpreadsheetGrid::cols() const
{
    return m_model->columnCount();
}

void SpreadsheetGrid::setCol(int col)
{
    if (col >= 0 && col < cols())
        m_col = col;
}

QString SpreadsheetGrid::cell(int row, int col) const
{
    return m_model->contains(row, col) ? m_model->cell(row, col) : QString();
}

void SpreadsheetGrid::setCell(int row, int col, const QString &text)
{
    if (m_model->contains(row, col))
        m_model->setCell(row, col, text);
}

void SpreadsheetGrid::setRowTexts(int firstRow, const QList<QStringList> &rows)
{
    m_model->setRowTexts(firstRow, rows);
    if (firstRow <= 1)
        scrollToTop();
}

void SpreadsheetGrid::showRow(int row)
{
    if (row < 1 || row >= rows())
        return;
    // A grid resized a moment ago has not yet laid out its new rows, and
    // would scroll by the old ones.
    executeDelayedItemsLayout();
    scrollTo(m_model->index(row - 1, 0), QAbstractItemView::EnsureVisible);
}

int SpreadsheetGrid::defaultColWidth() const
{
    return PixelsToTwips(horizontalHeader()->defaultSectionSize());
}

void SpreadsheetGrid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= cols())
        return;
    keepSetWidths(cols());
    m_setWidths[size_t(col)] = std::max(TwipsToPixels(twips), 0);
    fitColumns(col, col);
}

int SpreadsheetGrid::colWidth(int col) const
{
    return PixelsToTwips(columnWidth(col));
}

void SpreadsheetGrid::setColAlignment(int col, Qt::Alignment alignment)
{
    m_model->setAlignment(col, alignment, false);
}

void SpreadsheetGrid::setHeaderAlignment(int col, Qt::Alignment alignment)
{
    m_model->setAlignment(col, alignment, true);
}

void SpreadsheetGrid::setHeaderHeight(int twips)
{
    horizontalHeader()->setFixedHeight(std::max(TwipsToPixels(twips), fontMetrics().height() * 2 + 4));
}

void SpreadsheetGrid::setSelection(int startRow, int startCol, int endRow, int endCol)
{
    m_row = std::clamp(startRow, 0, rows() - 1);
    m_col = std::clamp(startCol, 0, std::max(cols() - 1, 0));
    const int first = std::max(std::min(startRow, endRow), 1);
    const int last = std::max(startRow, endRow);
    if (last >= 1 && cols() > 0) {
        const QModelIndex from = m_model->index(first - 1, std::clamp(std::min(startCol, endCol), 0, cols() - 1));
        const QModelIndex to = m_model->index(std::min(last, rows() - 1) - 1,
                                              std::clamp(std::max(startCol, endCol), 0, cols() - 1));
        QSignalBlocker block(selectionModel());
        selectionModel()->setCurrentIndex(from, QItemSelectionModel::NoUpdate);
        selectionModel()->select(QItemSelection(from, to), QItemSelectionModel::ClearAndSelect);
    }
}

void SpreadsheetGrid::setHighlight(bool on)
{
    setSelectionMode(on ? QAbstractItemView::ContiguousSelection : QAbstractItemView::NoSelection);
}

void SpreadsheetGrid::clearBody()
{
    if (rows() > 1 && cols() > 0)
        m_model->fill(1, 0, rows() - 1, cols() - 1, QString());
    setSelection(1, 0, 1, 0);
    scrollToTop();
}

namespace {

// Empty rows below the last filled one say nothing to another program.
void DropEmptyRows(TextTable &table, qsizetype keep)
{
    while (table.size() > keep &&
           std::all_of(table.last().cbegin(), table.last().cend(), [](const QString &c) { return c.isEmpty(); }))
        table.removeLast();
}

} // namespace

TextTable SpreadsheetGrid::selectedCells() const
{
    TextTable cells;
    const QModelIndexList chosen = selectionModel()->selectedIndexes();
    if (chosen.isEmpty())
        return cells;
    int top = rows(), bottom = -1, left = cols(), right = -1;
    for (const QModelIndex &index : chosen) {
        top = std::min(top, index.row() + 1);
        bottom = std::max(bottom, index.row() + 1);
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    for (int r = top; r <= bottom; ++r) {
        QStringList row;
        for (int c = left; c <= right; ++c)
            row << cell(r, c);
        cells << row;
    }
    DropEmptyRows(cells, 1);
    return cells;
}

TextTable SpreadsheetGrid::table() const
{
    TextTable all;
    for (int r = 0; r < rows(); ++r) {
        QStringList row;
        for (int c = 0; c < cols(); ++c)
            row << cell(r, c);
        all << row;
    }
    DropEmptyRows(all, 1);
    return all;
}

void SpreadsheetGrid::copySelection() const
{
    const TextTable cells = selectedCells();
    if (!cells.isEmpty())
        QApplication::clipboard()->setText(TableAsTabs(cells, false));
}

void SpreadsheetGrid::copyTable() const
{
    QApplication::clipboard()->setText(TableAsTabs(table(), true));
}

ToolWindow *SpreadsheetGrid::toolWindow() const
{
    for (QWidget *widget = parentWidget(); widget; widget = widget->parentWidget())
        if (auto *tool = qobject_cast<ToolWindow *>(widget))
            return tool;
    return nullptr;
}

QString SpreadsheetGrid::currencySymbol() const
{
    const ToolWindow *tool = toolWindow();
    return tool ? tool->shell().state.CurrencySymbol : QStringLiteral("$");
}

bool SpreadsheetGrid::exportCsv(const QString &path, QString *why) const
{
    return SaveFileWhole(path, TableAsCsv(table(), currencySymbol()).toUtf8(), why);
}

namespace {

// The window's caption as a file name: the characters no file name may
// hold become spaces.
QString TableFileName(const QString &caption)
{
    QString name = caption;
    for (QChar &c : name)
        if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char(' ');
    name = name.simplified();
    return (name.isEmpty() ? QStringLiteral("Table") : name) + QStringLiteral(".csv");
}

QString AskForCsvFile(QWidget *parent, const QString &proposedPath)
{
    QFileDialog dialog(parent, SpreadsheetGrid::tr("Export as CSV"), proposedPath,
                       SpreadsheetGrid::tr("CSV files (*.csv)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(QFileInfo(proposedPath).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString SpreadsheetGrid::proposedCsvPath() const
{
    const ToolWindow *tool = toolWindow();
    // A folder that is not there would be offered as the file's name.
    const QString last = tool ? tool->shell().state.CsvExportFolder : QString();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const FileBoxStart start = StartOfFileBox(QString(), true, QFileInfo(last).isDir() ? last : QString(), documents);
    return QDir(start.folder).filePath(TableFileName(tool ? tool->frame().caption() : QString()));
}

void SpreadsheetGrid::exportAsked()
{
    const QString proposed = proposedCsvPath();
    const QString path = m_chooseCsvFile ? m_chooseCsvFile(this, proposed) : AskForCsvFile(this, proposed);
    if (path.isEmpty())
        return;
    QString why;
    if (!exportCsv(path, &why)) {
        QMessageBox::warning(this, tr("Export as CSV"),
                             tr("The table was not written to %1:\n%2").arg(QDir::toNativeSeparators(path), why));
        return;
    }
    if (ToolWindow *tool = toolWindow())
        tool->shell().state.CsvExportFolder = QFileInfo(path).absolutePath();
}

void SpreadsheetGrid::contextMenuEvent(QContextMenuEvent *event)
{
    // Shown without a loop of its own: the tool may close while the menu is
    // up (a button pressed by its access key clicks a moment later), and a
    // menu on this stack frame would then be freed twice with the grid.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(tr("&Copy Table"), this, &SpreadsheetGrid::copyTable);
    menu->addAction(tr("&Export as CSV…"), this, &SpreadsheetGrid::exportAsked);
    menu->popup(event->globalPos());
}

void SpreadsheetGrid::keyPressEvent(QKeyEvent *event)
{
    // Copying is not a key the window should see.
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        emit deletePressed();
        event->accept();
        return;
    }
    // Tab moves on, and keys held with Ctrl, Alt or Meta are shortcuts, not typing.
    const bool typed = !event->text().isEmpty() && event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typed) {
        int code = event->text().at(0).unicode();
        emit keyPress(code);
        if (code == 0) {
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}
