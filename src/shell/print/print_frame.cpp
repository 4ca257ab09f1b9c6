#include "shell/print/print_frame.h"
#include "shell/core/message_numbers.h"
#include "shell/core/message_texts.h"

#include "shell/core/app_state.h"
#include "shell/core/dialogs.h"
#include "shell/core/format.h"
#include "shell/print/print_job.h"

#include <QStringList>

void PrintFrame::SetUpPrinter()
{
    m_job.endLine();
    const int choice = m_state.PrinterFontChoice;
    if (choice >= 1 && choice <= 3) {
        static constexpr int sizes[] = {10, 11, 12};
        static constexpr qint16 lines[] = {63, 56, 51};
        if (m_job.setFont(QStringLiteral("Courier New"), sizes[choice - 1], false)) {
            m_linesPerPage = lines[choice - 1];
            return;
        }
    }
    m_linesPerPage = 53;
}

const QString &PrintFrame::currencySymbol() const
{
    return m_state.CurrencySymbol;
}

void PrintFrame::EndPrintout()
{
    m_job.newPage();
    m_job.endDocument();
}

void PrintFrame::line(int column, const QString &text)
{
    m_job.tab(column);
    m_job.text(text);
    m_job.endLine();
}

void PrintFrame::line(std::initializer_list<Cell> cells)
{
    for (const Cell &cell : cells) {
        m_job.tab(cell.column);
        m_job.text(cell.text);
    }
    m_job.endLine();
}

void PrintFrame::emptyLines(int count)
{
    for (int i = 0; i < count; ++i)
        m_job.endLine();
}

void PrintFrame::block(const QString &text)
{
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (const QString &line : lines) {
        m_job.text(line);
        m_job.endLine();
    }
}

QString PrintFrame::number(qint64 value)
{
    return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value) + QLatin1Char(' ');
}

void PrintFrame::breakPage(int blankLinesAfter, const std::function<void()> &headings, PageFoot foot)
{
    if (foot == PageFoot::Numbered) {
        emptyLines(2);
        m_job.tab(40);
        m_job.text(QStringLiteral("Page") + number(m_job.pageNumber()));
        m_job.endLine();
    }
    m_job.newPage();
    SetUpPrinter();
    emptyLines(blankLinesAfter);
    if (headings)
        headings();
}

QList<QStringList> StoreYearTable(MoneyTable &table, const QList<YearFigures> &rows, const YearFigures &totals,
                                  qint64 totalsLabel, const QString &symbol)
{
    const QString pattern = QStringLiteral("####,,###.00");
    // Totals show a digit before the point: $0.50, not $.50.
    const QString totalPattern = QStringLiteral("####,,##0.00");
    QList<QStringList> grid;
    grid.reserve(rows.size() + 2);
    for (int r = 1; r <= rows.size(); ++r) {
        const YearFigures &row = rows.at(r - 1);
        table.set(r, 1, Money::fromWhole(r));
        QStringList cells{QString::number(r)};
        for (int c = 0; c < 3; ++c) {
            table.set(r, c + 2, row[c]);
            cells << Format(row[c], pattern);
        }
        grid.append(cells);
    }
    const int last = int(rows.size()) + 1;
    table.set(last, 1, Money::fromWhole(totalsLabel));
    QStringList cells{QStringLiteral("Total:")};
    for (int c = 0; c < 3; ++c) {
        table.set(last, c + 2, totals[c]);
        cells << symbol + Format(totals[c], totalPattern);
    }
    grid.append(QStringList(4));
    grid.append(cells);
    return grid;
}

void PrintYearRows(PrintFrame &frame, const MoneyTable &table, int count, std::array<int, 3> widths,
                   const QString &pattern, int lines, const std::function<void()> &headings)
{
    const std::array<int, 3> &columns = YearTableColumns;
    for (int r = 1; r <= count; ++r) {
        frame.line({{2, RightAlignFigure(Format(table.value(r, 1), QStringLiteral("###")), 3)},
                    {columns[0], RightAlignFigure(Format(table.value(r, 2), pattern), widths[0])},
                    {columns[1], RightAlignFigure(Format(table.value(r, 3), pattern), widths[1])},
                    {columns[2], RightAlignFigure(Format(table.value(r, 4), pattern), widths[2])}});
        if (frame.pageFull(++lines)) {
            frame.breakPage(3, headings);
            lines = 6;
        }
    }
}

void PrintYearTable(PrintFrame &frame, const MoneyTable &table, int count, std::array<int, 3> widths,
                    const QString &pattern, int lines, const QString &separator, const QString &symbol,
                    const std::function<void()> &headings)
{
    const std::array<int, 3> &columns = YearTableColumns;
    PrintYearRows(frame, table, count, widths, pattern, lines, headings);
    frame.line(2, separator);
    frame.emptyLines(1);
    frame.line({{2, QStringLiteral("Total:")},
                {columns[0], RightAlignFigure(symbol + Format(table.value(count + 1, 2), pattern), widths[0])},
                {columns[1], RightAlignFigure(symbol + Format(table.value(count + 1, 3), pattern), widths[1])},
                {columns[2], RightAlignFigure(symbol + Format(table.value(count + 1, 4), pattern), widths[2])}});
}

bool RunPrintout(AppState &state, Dialogs &dialogs, Printer &printer, const QString &title,
                 const std::function<void(PrintFrame &)> &body)
{
    const std::optional<QString> header = dialogs.printHeader();
    if (!header)
        return false;
    std::unique_ptr<PrintJob> job = printer.begin(title);
    if (!job)
        return false;
    PrintFrame frame(*job, state);
    frame.SetUpPrinter();
    frame.line(2, *header);
    frame.emptyLines(1);
    body(frame);
    frame.EndPrintout();
    // A printer or file that failed is told, never counted as printed.
    if (!job->ok()) {
        dialogs.message(MsgPrintoutNotWritten);
        return false;
    }
    return true;
}
