#pragma once

#include "shell/core/tables.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

#include <functional>
#include <initializer_list>

class Dialogs;
class Printer;
class PrintJob;
struct AppState;

// What every printout shares: the start of each page (font and lines per
// page from the settings), page breaks with the page number, and the end of
// the document.
class PrintFrame
{
public:
    PrintFrame(PrintJob &job, AppState &state) : m_job(job), m_state(state) {}

    // Starts a page: an empty line, then the font of the printer font choice,
    // which also gives the page length.
    void SetUpPrinter();
    // A new page and the end of the document (no empty page comes out).
    void EndPrintout();

    // Counted lines a page takes before the printout breaks it; known once
    // SetUpPrinter has run.
    int LinesPerPage() const { return m_linesPerPage; }
    // Whether a page that has counted lineCount lines is to be broken.
    bool pageFull(int lineCount) const { return lineCount >= m_linesPerPage; }

    // Text at a 1-based column, ending the line.
    void line(int column, const QString &text);
    // Several texts, each at its column, on one line.
    struct Cell
    {
        int column;
        QString text;
    };
    void line(std::initializer_list<Cell> cells);
    void emptyLines(int count = 1);
    // Prints prepared text as it stands: each CR LF ends a line, and the
    // text ends with a line end of its own.
    void block(const QString &text);
    // Number text after other text: one space before and one after.
    static QString number(qint64 value);

    // Whether a page ends with its number at the foot. Only a printout that
    // counts no lines leaves it out.
    enum class PageFoot { Numbered, Plain };
    // The one page break: two empty lines and "Page" with the page number at
    // column 40 (unless plain), a new page started by SetUpPrinter,
    // blankLinesAfter empty lines, then the headings when given.
    void breakPage(int blankLinesAfter, const std::function<void()> &headings = {},
                   PageFoot foot = PageFoot::Numbered);

    PrintJob &job() { return m_job; }
    // The currency symbol figures are printed with.
    const QString &currencySymbol() const;

private:
    PrintJob &m_job;
    AppState &m_state;
    int m_linesPerPage = 53;
};

// One row of a year (or period) table: the three figures of columns 2 to 4.
using YearFigures = std::array<Money, 3>;

// Keeps a year (or period) table where the graph and the printout read it
// and returns the grid body: rows 1 to n of `table` get the row number in
// column 1 and the figures in columns 2 to 4, row n + 1 the totals (column 1
// `totalsLabel`); the grid shows the rows "####,,###.00", an empty row, and
// "Total:" with the symbol and "####,,##0.00".
QList<QStringList> StoreYearTable(MoneyTable &table, const QList<YearFigures> &rows, const YearFigures &totals,
                                  qint64 totalsLabel, const QString &symbol);

// The year (or period) table a printout ends with: rows 1 to count of
// `table`, its column 1 as the row number at column 2, columns 2 to 4 at
// columns 17, 39 and 61 right-aligned in `widths`; as each page fills, a page
// break with the headings again (the count restarts at 6). Then the separator,
// an empty line and the "Total:" line of row count + 1, with the symbol.
// `lines` is the page's line count when the table starts.
void PrintYearTable(PrintFrame &frame, const MoneyTable &table, int count, std::array<int, 3> widths,
                    const QString &pattern, int lines, const QString &separator, const QString &symbol,
                    const std::function<void()> &headings);
// The columns PrintYearTable prints a row's three figures at.
inline constexpr std::array<int, 3> YearTableColumns{17, 39, 61};
// PrintYearTable's rows and page breaks alone, for a printout whose totals
// line is not the table's row count + 1.
void PrintYearRows(PrintFrame &frame, const MoneyTable &table, int count, std::array<int, 3> widths,
                   const QString &pattern, int lines, const std::function<void()> &headings);

// The steps every printout takes around its own lines: ask for the header
// line (cancel stops), start the job (the print dialog may be cancelled),
// print the header, the body and the end. Returns whether anything was
// printed. Whether there is anything to print is the caller's to check (a
// tool's session does it in PrintSession).
bool RunPrintout(AppState &state, Dialogs &dialogs, Printer &printer, const QString &title,
                 const std::function<void(PrintFrame &)> &body);
