#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Tables as text for other programs: tab-separated for the clipboard (cells
// as shown) and CSV for spreadsheets (plain numbers in columns of figures,
// names and dates as shown). The first row of a
// table is its heading row; headings lose their line breaks and runs of
// spaces.
using TextTable = QList<QStringList>;

// A figure as a spreadsheet reads it: no currency symbol, no grouping, a
// percentage as its number, "." before the decimals and a digit before it.
// Texts that are not figures as the program writes them (grouping in threes
// only) stay as they are.
QString PlainFigure(const QString &cell, const QString &currencySymbol);

// One line per row, CR LF after each; cells holding a comma, a quote or a
// line break are quoted. A column is written as plain numbers only when
// every body cell in it that holds anything is a figure; any other column
// keeps its texts exactly.
QString TableAsCsv(const TextTable &table, const QString &currencySymbol);

// One line per row, cells separated by tabs, as spreadsheets paste them.
QString TableAsTabs(const TextTable &table, bool firstRowIsHeading);
