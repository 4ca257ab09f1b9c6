#include "mortgage/mortgage_printout.h"

#include "shell/core/format.h"
#include "shell/print/print_frame.h"
#include "shell/print/print_job.h"

#include <algorithm>

namespace {

// No page footer follows the additional payments, so they may use the room
// a page keeps for one.
constexpr int FooterRoom = 4;

QString Figure(const QString &text, int width)
{
    return RightAlignFigure(text, width);
}

// A column of figures, right-aligned in `width` from `start`, and where its
// headings begin.
struct Column
{
    int start;
    int width;
    int heading;
};

// The columns of a line of figures with their headings above: a figure
// wider than its column widens it, and everything right of it moves along
// by as much, headings included, so that no figure runs into the next.
// Some columns begin right where the one before ends; there a figure that
// fills the next column from its first place would touch this one, so the
// columns after it move a place further. Figures that fit leave the columns
// where they stand.
QList<Column> Spread(QList<Column> columns, const QList<int> &widest)
{
    int shift = 0;
    for (int c = 0; c < columns.size(); ++c) {
        Column &column = columns[c];
        const int grow = std::max(0, widest.value(c) - column.width);
        int apart = 0;
        if (c + 1 < columns.size()) {
            const Column &next = columns.at(c + 1);
            const int between = next.start - (column.start + column.width);
            if (between <= 0 && widest.value(c) > 0 && widest.value(c + 1) >= next.width)
                apart = 1 - between;
        }
        column.start += shift;
        column.heading += shift;
        column.width += grow;
        shift += grow + apart;
    }
    return columns;
}

// The schedule's columns: headings end where their figures end, so a
// column only moves as far as the one before it pushes it.
QList<Column> Push(QList<Column> columns, const QList<int> &widest)
{
    int end = 0;
    for (int c = 0; c < columns.size(); ++c) {
        Column &column = columns[c];
        column.width = std::max(column.width, widest.value(c));
        if (c > 0)
            column.start = std::max(column.start, end + 2);
        end = column.start + column.width - 1;
    }
    return columns;
}

int End(const Column &column)
{
    return column.start + column.width - 1;
}

void Line(PrintFrame &frame, const QList<PrintFrame::Cell> &cells)
{
    for (const PrintFrame::Cell &cell : cells) {
        frame.job().tab(cell.column);
        frame.job().text(cell.text);
    }
    frame.job().endLine();
}

// One heading line: each column's word at its heading column.
void Headings(PrintFrame &frame, const QList<Column> &columns, const QStringList &words)
{
    QList<PrintFrame::Cell> cells;
    for (int c = 0; c < columns.size() && c < words.size(); ++c)
        cells.append({columns.at(c).heading, words.at(c)});
    Line(frame, cells);
}

} // namespace

void PrintMortgage(PrintFrame &frame, const MortgageInput &input, const MortgageSchedule &schedule,
                   const QString &extraBlock)
{
    const bool loan = input.kind == MortgageKind::Loan;
    const QString &symbol = frame.currencySymbol();
    const QString table = QStringLiteral("####,,###.00");
    int count = 24;

    // The schedule's figures first: they decide how wide its columns are.
    QList<QStringList> rows;
    for (const MortgageRow &row : schedule.rows)
        rows.append({Format(row.interest, table), Format(row.principal, table), Format(row.balance, table),
                     Format(row.cumulativeInterest, table), Format(row.cumulativePrincipal, table)});
    const MortgageRow &last = schedule.last();
    const QStringList totals{Format(last.balance, table), Format(last.cumulativeInterest, table),
                             Format(last.cumulativePrincipal, table)};
    QList<int> widest(5, 0);
    for (const QStringList &row : rows)
        for (int c = 0; c < 5; ++c)
            widest[c] = std::max(widest.at(c), int(row.at(c).size()));
    for (int c = 0; c < 3; ++c)
        widest[c + 2] = std::max(widest.at(c + 2), int(totals.at(c).size()));
    const QList<Column> columns = Push({{13, 9, 0}, {25, 9, 0}, {36, 12, 0}, {50, 12, 0}, {65, 12, 0}}, widest);
    const Money term = loan ? Money::fromWhole(input.months) : input.years;
    const QStringList inputs{symbol + Format(input.principal, QStringLiteral("###,,###.00")),
                             Format(input.rate, QStringLiteral("###.000")) + QLatin1Char('%'),
                             Format(term, QStringLiteral("###")), CompoundingItems().value(input.compounding),
                             FrequencyItems().value(input.frequency)};
    QList<int> inputWidths;
    for (const QString &text : inputs)
        inputWidths.append(int(text.size()));
    const QList<Column> inputColumns =
        Spread({{2, 11, 2}, {15, 9, 17}, {29, 4, 31}, {40, 16, 46}, {61, 16, 65}}, inputWidths);
    const MortgageResultTexts texts = ResultTexts(schedule, input, symbol);
    double time = double(schedule.lastPayment()) / schedule.paymentsPerYear;
    if (loan)
        time *= 12;
    const QStringList results{texts.daysInYear,
                              texts.rateFactor,
                              Format(schedule.paymentsPerYear, QStringLiteral("###.00")),
                              Format(time, QStringLiteral("###.00")),
                              symbol + Format(schedule.payment, QStringLiteral("##,,###.00")),
                              symbol + Format(schedule.totalPaid, QStringLiteral("###,,###.00")),
                              symbol + Format(schedule.savings, QStringLiteral("####,,###.00"))};
    QList<int> resultWidths;
    for (const QString &text : results)
        resultWidths.append(int(text.size()));
    const QList<Column> resultColumns = Spread(
        {{2, 6, 2}, {9, 10, 9}, {19, 7, 21}, {31, 6, 32}, {40, 10, 43}, {53, 12, 55}, {65, 12, 69}}, resultWidths);
    // The separator reaches the last column of the widest table, 75
    // underscores at the least.
    const QString separator(
        std::max({75, End(columns.last()) - 1, End(inputColumns.last()) - 1, End(resultColumns.last()) - 1}), u'_');

    frame.line(32, loan ? QStringLiteral(" Personal Loan Table") : QStringLiteral(" Mortgage Table"));
    QString first;
    if (input.view == MortgageAnnualView)
        first = QStringLiteral("  Year");
    else if (input.showDates)
        first = QStringLiteral("   Date");
    else
        first = QStringLiteral("No. Year");
    auto scheduleHeading = [&](const QString &start, const QStringList &words) {
        QList<PrintFrame::Cell> cells{{2, start}};
        for (int c = 0; c < columns.size(); ++c)
            cells.append({End(columns.at(c)) - int(words.at(c).size()) + 1, words.at(c)});
        Line(frame, cells);
    };
    auto headings = [&] {
        scheduleHeading(QStringLiteral(" Payment"),
                        {QStringLiteral("Interest"), QStringLiteral("Principal"), QStringLiteral("Remaining"),
                         QStringLiteral("Cumulative"), QStringLiteral("Cumulative")});
        scheduleHeading(first, {QStringLiteral("Payment"), QStringLiteral("Payment"), QStringLiteral("Balance"),
                                QStringLiteral("Interest"), QStringLiteral("Principal")});
        frame.line(2, separator);
        frame.emptyLines(1);
    };
    frame.line(2, separator);
    frame.emptyLines(1);

    if (loan) {
        Headings(frame, inputColumns,
                 {QStringLiteral("Principal"), QStringLiteral("Annual"), QStringLiteral("Length of"),
                  QStringLiteral("Interest"), QStringLiteral("Frequency")});
        Headings(frame, inputColumns,
                 {QStringLiteral("amount of"), QStringLiteral("interest"), QStringLiteral("the loan"),
                  QStringLiteral("compounding"), QStringLiteral("and type of")});
        Headings(frame, inputColumns,
                 {QStringLiteral("the loan."), QStringLiteral("rate(%)."), QStringLiteral("in months."),
                  QStringLiteral("periods in year."), QStringLiteral("each payment")});
    } else {
        Headings(frame, inputColumns,
                 {QStringLiteral("Principal"), QStringLiteral("Annual"), QStringLiteral("Amortization"),
                  QStringLiteral("Interest"), QStringLiteral("Frequency")});
        Headings(frame, inputColumns,
                 {QStringLiteral("amount of"), QStringLiteral("interest"), QStringLiteral("period in"),
                  QStringLiteral("compounding"), QStringLiteral("and type of")});
        Headings(frame, inputColumns,
                 {QStringLiteral("mortgage."), QStringLiteral("rate(%)."), QStringLiteral("years."),
                  QStringLiteral("periods in year."), QStringLiteral("each payment")});
    }
    frame.emptyLines(1);
    {
        QList<PrintFrame::Cell> cells;
        for (int c = 0; c < inputColumns.size(); ++c) {
            const Column &column = inputColumns.at(c);
            // The rate's "%" follows its figure, right-aligned in 8.
            cells.append({column.start, Figure(inputs.at(c), column.width)});
        }
        Line(frame, cells);
    }
    frame.line(2, separator);
    frame.emptyLines(1);

    Headings(frame, resultColumns,
             {QStringLiteral("Days"), QStringLiteral("Interest"), QStringLiteral("No. of"),
              loan ? QStringLiteral("No. months") : QStringLiteral("No. years"), QStringLiteral("Principal"),
              QStringLiteral("Total paid"), QStringLiteral("Total of")});
    Headings(frame, resultColumns,
             {QStringLiteral("in"), QStringLiteral("rate"), QStringLiteral("payments"), QStringLiteral("to final"),
              QStringLiteral("+ Interest"), QStringLiteral("over life"), QStringLiteral("interest")});
    Headings(frame, resultColumns,
             {QStringLiteral("year"), QStringLiteral("factor"), QStringLiteral("each year"),
              QStringLiteral("payment"), QStringLiteral("payment"),
              loan ? QStringLiteral("of the loan") : QStringLiteral("of mortgage"), QStringLiteral("savings")});
    {
        // The days text stands at the left of its column; the figures are right-aligned.
        QList<PrintFrame::Cell> cells{{2, results.first()}};
        for (int c = 1; c < resultColumns.size(); ++c)
            cells.append({resultColumns.at(c).start, Figure(results.at(c), resultColumns.at(c).width)});
        Line(frame, cells);
    }
    frame.line(2, separator);
    frame.emptyLines(1);
    headings();

    for (int r = 0; r < schedule.rows.size(); ++r) {
        QList<PrintFrame::Cell> cells{{2, FirstColumnText(schedule.rows.at(r), input, ScheduleColumnFor::Paper)}};
        for (int c = 0; c < columns.size(); ++c)
            cells.append({columns.at(c).start, Figure(rows.at(r).at(c), columns.at(c).width)});
        Line(frame, cells);
        if (frame.pageFull(++count)) {
            // This printout starts its pages one line down, where the year tables leave three.
            frame.breakPage(1, headings);
            count = 7;
        }
    }

    frame.line(2, separator);
    frame.emptyLines(1);
    {
        QList<PrintFrame::Cell> cells{{2, QStringLiteral("Total:")}};
        for (int c = 0; c < 3; ++c)
            cells.append({columns.at(c + 2).start, Figure(totals.at(c), columns.at(c + 2).width)});
        Line(frame, cells);
    }

    if (!extraBlock.isEmpty()) {
        const int blockLines = int(schedule.appliedYears.size()) + 4;
        if (count + blockLines > frame.LinesPerPage() + FooterRoom)
            frame.breakPage(1, headings);
        frame.emptyLines(1);
        frame.job().tab(2);
        frame.block(extraBlock);
    }
}
