#pragma once

#include "shell/core/money.h"

#include <QList>
#include <QString>

// A two-dimensional table indexed from 0 to the upper bounds it was created
// with (inclusive, as the windows size them). Reading outside the table gives
// an empty value and writing outside it is refused, so a stale index can
// never touch memory that is not the table's.
template <typename T>
class Table
{
public:
    Table() = default;
    Table(int lastRow, int lastColumn) { recreate(lastRow, lastColumn); }

    void recreate(int lastRow, int lastColumn)
    {
        m_rows = lastRow < 0 ? 0 : lastRow + 1;
        m_columns = lastColumn < 0 ? 0 : lastColumn + 1;
        m_cells = QList<T>(qsizetype(m_rows) * m_columns);
    }
    void clear() { recreate(-1, -1); }

    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }
    bool contains(int row, int column) const
    {
        return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
    }
    T value(int row, int column) const
    {
        return contains(row, column) ? m_cells.at(index(row, column)) : T();
    }
    bool set(int row, int column, const T &value)
    {
        if (!contains(row, column))
            return false;
        m_cells[index(row, column)] = value;
        return true;
    }

private:
    qsizetype index(int row, int column) const { return qsizetype(row) * m_columns + column; }
    int m_rows = 0;
    int m_columns = 0;
    QList<T> m_cells;
};

using MoneyTable = Table<Money>;
using StringTable = Table<QString>;
