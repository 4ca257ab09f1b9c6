#include "invest/fund_table_window.h"

#include "invest/fund_database.h"
#include "invest/fund_fields.h"
#include "invest/fund_graph.h"
#include "invest/fund_printouts.h"
#include "invest/fund_values.h"
#include "invest/funds_session.h"
#include "shell/ui/number_input_dialog.h"
#include "shell/core/format.h"
#include "shell/ui/input_fields.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/message_numbers.h"
#include "shell/core/placement.h"
#include "shell/print/print_frame.h"
#include "shell/core/shell.h"
#include "shell/ui/spreadsheet_grid.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton *Button(QWidget *parent, const char *name, const char *caption)
{
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

constexpr int Backspace = 8;
constexpr int DeleteKey = 127;

const char PriceHelp[] =
    "Select Current Price cell by clicking on it or by using arrow keys to move around. Selected cell will have "
    "dotted lines around it.\n\nCell will only accept input from number and period or decimal keys. Delete entries "
    "with Backspace key.\n\nThe annual returns run to the date in the box under the grid: today, unless you type another "
    "date there.\n\nFor DtaSampl enter 20.00 for all Current Price inputs. ";

} // namespace

FundCurrValue::FundCurrValue(Shell &shell, MdiContainer &frame, FundsSession &session)
    : ToolWindow(shell, frame, QStringLiteral(" Current Prices")), m_session(session),
      m_grid(new SpreadsheetGrid(this)),
      m_text(new QPlainTextEdit(this)), m_help(Button(this, "Help9", "Quick &Help")), m_date(new QLineEdit(this))
{
    setObjectName(QStringLiteral("FundCurrValue"));
    FundDatabase &db = session.db();
    PreparePriceTable(db);
    auto *label = new QLabel(QStringLiteral("Enter the current price per share for each Fund"), this);
    m_grid->setObjectName(QStringLiteral("CPGrid"));
    m_grid->setCols(2);
    m_grid->setRows(35);
    m_grid->setHeaderHeight(300);
    m_grid->setColWidth(0, m_grid->defaultColWidth() + 3200);
    m_grid->setColWidth(1, m_grid->defaultColWidth() + 1000);
    m_grid->setColAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    m_grid->setCell(0, 0, QStringLiteral("            Name of Fund/Company"));
    m_grid->setCell(0, 1, QStringLiteral("  Current Price"));
    m_grid->setRowTexts(1, PriceGridRows(db));
    m_text->setObjectName(QStringLiteral("CurPriceText"));
    m_text->setReadOnly(true);
    m_text->hide();
    auto *calc = Button(this, "CurValOK", "&Calculate");
    auto *exit = Button(this, "CancelBut", "E&xit to Menu");
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {calc, m_help, exit})
        buttons->addWidget(b);
    m_date->setObjectName(QStringLiteral("ValDate"));
    auto *dateLabel = new QLabel(QLatin1String(ValuationDateFields().front().label), this);
    dateLabel->setBuddy(m_date);
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(dateLabel);
    dateRow->addWidget(m_date);
    dateRow->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_text, 1);
    layout->addLayout(dateRow);
    layout->addLayout(buttons);
    m_fields = new InputFields(shell, this, ValuationDateFields(), m_figures, [] {});
    m_fields->setText("ValDate",
                      FieldDateText(session.ValuationDate.isValid() ? session.ValuationDate : shell.today));
    connect(m_grid, &SpreadsheetGrid::cellChanged, this, [this](int row, int col) {
        // The grid reports its cell again as a written cell is refitted;
        // only a move to another cell starts a new price.
        if (row == m_row && col == m_col)
            return;
        m_row = row;
        m_col = col;
        m_priceBuffer.clear();
    });
    connect(m_grid, &SpreadsheetGrid::keyPress, this, &FundCurrValue::keyTyped);
    connect(m_grid, &SpreadsheetGrid::deletePressed, this, [this] {
        if (m_col == 1)
            applyKey(DeleteKey);
    });
    connect(calc, &QPushButton::clicked, this, &FundCurrValue::calculate);
    connect(m_help, &QPushButton::clicked, this, &FundCurrValue::toggleHelp);
    connect(exit, &QPushButton::clicked, this, [this] {
        this->frame().setCaption(QStringLiteral(" Investment Management Menu"));
        emit exited();
    });
    // Focus given to the window goes to the grid, so typing starts at once.
    setFocusProxy(m_grid);
    // Typing starts in the first fund's price cell.
    m_grid->setCurrentIndex(m_grid->model()->index(0, 1));
    m_row = 1;
    m_col = 1;
    m_grid->setFocus();
}

FundCurrValue::~FundCurrValue()
{
    delete m_fields;
}

void FundCurrValue::keyTyped(int &code)
{
    const int key = code;
    code = 0; // the window answers every typed key itself
    if (key == '\r' || key == '\n') {
        // Enter moves down, as the arrow key does.
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(m_grid, &down);
        return;
    }
    applyKey(key);
}

void FundCurrValue::applyKey(int key)
{
    const PriceKeyResult result = PriceCellKey(m_session.db(), m_row, m_col, key, m_priceBuffer);
    if (result.message != 0) {
        shell().dialogs.message(result.message);
        return;
    }
    if (result.beep)
        QApplication::beep();
    if (result.changed)
        m_grid->setCell(m_row, m_col, result.cellText);
}

void FundCurrValue::calculate()
{
    if (!m_fields->finishEdit())
        return;
    m_session.ValuationDate = ParseShortDate(m_date->text());
    FundDatabase &db = m_session.db();
    try {
        if (const MessageNumber message = CollectHoldings(db); message != MsgNone) {
            shell().dialogs.message(message);
            return;
        }
        // Valued here first, so that a figure too large for money is told
        // while the prices can still be corrected.
        ComputeCurrentValues(db);
    } catch (const ArithmeticFault &) {
        PreparePriceTable(db);
        shell().dialogs.message(MsgWrongEntry);
        return;
    }
    emit calculated();
}

void FundCurrValue::toggleHelp()
{
    const bool open = m_text->isHidden();
    m_help->setText(open ? QStringLiteral("Close &Help") : QStringLiteral("Quick &Help"));
    m_text->setPlainText(open ? QString::fromLatin1(PriceHelp) : QString());
    m_text->setVisible(open);
    m_grid->setVisible(!open);
}

FundTable::FundTable(Shell &shell, MdiContainer &frame, FundsSession &session, QWidget *parent)
    : ToolWindow(shell, frame, QStringLiteral(" Tallomar Menu")), m_session(session), m_grid(new SpreadsheetGrid(this)),
      m_print(Button(this, "Printr", "To &Printer")), m_graph(Button(this, "DrwGraph", "&Show Graph")),
      m_exit(Button(this, "ExitBut", "E&xit to Menu")), m_notes(new QLabel(this))
{
    setParent(parent);
    setObjectName(QStringLiteral("FundTable"));
    session.ListedValueBlock.clear();
    m_grid->setObjectName(QStringLiteral("TGrid"));
    m_grid->setCols(8);
    m_grid->setRows(2);
    m_grid->setHeaderHeight(520);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_print, m_graph, m_exit})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    m_notes->setObjectName(QStringLiteral("AnnualNotes"));
    m_notes->setWordWrap(true);
    m_notes->hide();
    layout->addWidget(m_notes);
    layout->addLayout(buttons);
    connect(m_print, &QPushButton::clicked, this, &FundTable::print);
    connect(m_graph, &QPushButton::clicked, this, &FundTable::secondButton);
    connect(m_exit, &QPushButton::clicked, this, &FundTable::exitTable);
    setFocusProxy(m_grid);
}

namespace {

// The narrowest a heading can be in the two lines of the heading row.
int HeadingWidth(const QString &heading, const QFontMetrics &metrics)
{
    QStringList words = heading.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return 0;
    // Spaces before the first word push it along its line.
    words.first().prepend(QString(heading.indexOf(words.first()), QLatin1Char(' ')));
    int narrowest = metrics.horizontalAdvance(words.join(QLatin1Char(' ')));
    for (int split = 1; split < words.size(); ++split) {
        const int first = metrics.horizontalAdvance(words.mid(0, split).join(QLatin1Char(' ')));
        const int second = metrics.horizontalAdvance(words.mid(split).join(QLatin1Char(' ')));
        narrowest = std::min(narrowest, std::max(first, second));
    }
    return narrowest;
}

} // namespace

void FitColumnsToGrid(SpreadsheetGrid &grid, const QList<int> &twips)
{
    const int cols = std::min(int(twips.size()), grid.cols());
    const int margin = grid.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &grid) + 1;
    // The vertical scroll bar's room is kept whether it shows or not.
    const int room = grid.maximumViewportSize().width() - grid.verticalScrollBar()->sizeHint().width();
    // Where even the narrowest columns do not fit, the grid's type is made a
    // little smaller, to a point where it is still easily read.
    QFont font = grid.parentWidget() ? grid.parentWidget()->font() : grid.font();
    const qreal smallest = std::min(font.pointSizeF(), qreal(7));
    QList<int> least;
    for (;;) {
        if (grid.font() != font)
            grid.setFont(font);
        const QFontMetrics heading(grid.horizontalHeader()->font());
        least.clear();
        int total = 0;
        for (int c = 0; c < cols; ++c) {
            // The grid widens the column further while one of its texts would not fit.
            grid.setColWidth(c, PixelsToTwips(HeadingWidth(grid.cell(0, c), heading) + 2 * margin));
            least << grid.columnWidth(c);
            total += least.last();
        }
        if (total <= room || font.pointSizeF() - 0.5 < smallest || font.pointSizeF() <= 0)
            break;
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    QList<int> asked;
    int spare = 0;
    int excess = -room;
    for (int c = 0; c < cols; ++c) {
        asked << std::max(TwipsToPixels(twips.at(c)), least.at(c));
        spare += asked.last() - least.at(c);
        excess += asked.last();
    }
    excess = std::clamp(excess, 0, spare);
    for (int c = 0; c < cols; ++c) {
        const int give = spare > 0 ? int((qint64(asked.at(c) - least.at(c)) * excess + spare - 1) / spare) : 0;
        grid.setColWidth(c, PixelsToTwips(asked.at(c) - give));
    }
}

void FundTable::setWidths(std::initializer_list<int> increments)
{
    m_grid->setCols(int(increments.size()));
    m_widths.clear();
    for (const int increment : increments)
        m_widths << m_grid->defaultColWidth() + increment;
    for (int c = 1; c < m_grid->cols(); ++c)
        m_grid->setColAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
}

void FundTable::resizeEvent(QResizeEvent *event)
{
    ToolWindow::resizeEvent(event);
    FitColumnsToGrid(*m_grid, m_widths);
}

void FundTable::showValueTable()
{
    const WaitCursor busy;
    FundDatabase &db = m_session.db();
    m_valueTable = true;
    m_listed = 0;
    ComputeCurrentValues(db);
    const QDate valuationDate = m_session.ValuationDate.isValid() ? m_session.ValuationDate : shell().today;
    const AnnualReturns returns = FundAnnualReturns(db, valuationDate);
    const QList<QStringList> rows = CurrentValueTable(db, shell().state.CurrencySymbol, returns);
    setWidths({1550, 500, 595, 300, 610, 560, 250, 250, 250});
    m_grid->setRows(int(rows.size()));
    m_grid->clearBody();
    for (int c = 0; c < m_grid->cols(); ++c)
        m_grid->setCell(0, c, rows.at(0).at(c));
    m_grid->setRowTexts(1, rows.mid(1));
    FitColumnsToGrid(*m_grid, m_widths);
    QStringList notes{QStringLiteral("Annual returns to ") + Format(valuationDate, QStringLiteral("Short Date")) +
                      QLatin1Char('.')};
    for (const AnnualReturnNote &note : AnnualReturnNotes(db, returns))
        notes << note.sentence();
    m_notes->setText(notes.join(QLatin1Char('\n')));
    m_notes->show();
    m_graph->setText(QStringLiteral("&Show Graph"));
    m_graph->show();
    frame().setCaption(QStringLiteral(" Current Value of all Funds"));
}

void FundTable::showListing(int fund)
{
    const WaitCursor busy;
    m_valueTable = false;
    m_listed = fund;
    m_session.ActiveFund = qint16(fund);
    m_graph->hide();
    m_notes->hide();
    const RecordListing listing = ListRecords(m_session.db(), fund, shell().state.CurrencySymbol);
    setWidths({1400, 380, 450, 600, 400, 400, 400, 600});
    m_grid->setRows(int(listing.rows.size()));
    m_grid->clearBody();
    for (int c = 0; c < m_grid->cols(); ++c)
        m_grid->setCell(0, c, listing.rows.at(0).at(c));
    m_grid->setRowTexts(1, listing.rows.mid(1));
    FitColumnsToGrid(*m_grid, m_widths);
    m_lastListRow = listing.lastListRow;
    frame().setCaption(listing.caption);
    if (fund != AllRecordsSlot) {
        m_graph->setText(QStringLiteral("&Current Value"));
        m_graph->show();
    }
}

void FundTable::print()
{
    AppState &state = shell().state;
    FundsSession &session = m_session;
    const qint16 active = m_session.ActiveFund;
    const bool values = m_valueTable;
    const int listed = m_listed;
    const QDate valuationDate = m_session.ValuationDate.isValid() ? m_session.ValuationDate : shell().today;
    RunPrintout(
        state, shell().dialogs, shell().printer,
        values ? QStringLiteral("Current Value of all Funds") : FundName(session.db(), listed),
        [&state, &session, values, listed, valuationDate](PrintFrame &frame) {
            if (values)
                PrintValueTable(frame, session.db(), state.CurrencySymbol, valuationDate);
            else
                PrintFundListing(frame, session.db(), listed, state.CurrencySymbol, session.ListedValueBlock);
            session.CalcMode = 0;
        });
    m_session.ActiveFund = active;
}

void FundTable::secondButton()
{
    if (m_valueTable) {
        // The graph draws what this window shows: the value table's funds.
        frame().showGraph(FundGraphRequest(m_session.db(), shell().state.CurrencySymbol));
        return;
    }
    currentValue();
}

void FundTable::currentValue()
{
    AppState &state = shell().state;
    m_session.CalcMode = 0;
    const QString typed = FundCurValInput::ask(NumberAsked::Price, 0, state.LayoutClass, frame().window());
    if (typed.isEmpty())
        return;
    m_session.ListedValueBlock.clear();
    ListedValue value;
    try {
        value = ValueOfListedFund(m_session.db(), LeadingMoney(typed));
    } catch (const ArithmeticFault &) {
        value.message = MsgWrongEntry;
    }
    if (value.message != 0) {
        shell().dialogs.message(value.message);
        return;
    }
    const QList<QStringList> rows = ListedValueRows(value, state.CurrencySymbol);
    const int first = m_lastListRow + 2;
    if (m_grid->rows() < first + int(rows.size()))
        m_grid->setRows(first + int(rows.size()));
    m_grid->setRowTexts(first, rows);
    m_session.ListedValueBlock = ListedValueBlock(value, state.CurrencySymbol);
}

void FundTable::exitTable()
{
    m_valueTable = false;
    m_session.CalcMode = 0;
    m_session.ListedValueBlock.clear();
    m_session.ActiveFund = 0;
    frame().setCaption(QStringLiteral(" Investment Management Menu"));
    emit exited();
}

FundChoose::FundChoose(const FundDatabase &db, QWidget *parent) : QDialog(parent), m_funds(new QListWidget(this))
{
    setObjectName(QStringLiteral("FundChoose"));
    setWindowTitle(QStringLiteral("Select Fund to Display"));
    m_funds->setObjectName(QStringLiteral("Fund"));
    for (int fund = 1; fund <= db.fundCount(); ++fund)
        m_funds->addItem(FundName(db, fund));
    if (m_funds->count() > 0)
        m_funds->setCurrentRow(0);
    m_funds->installEventFilter(this);
    auto *label =
        new QLabel(QStringLiteral("Double click a Fund name to show its records or All Records for complete list."), this);
    label->setWordWrap(true);
    auto *all = Button(this, "AllRec", "&All Records");
    auto *cancel = Button(this, "Command2", "&Cancel");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(all);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_funds, 1);
    layout->addWidget(label);
    layout->addLayout(buttons);
    connect(m_funds, &QListWidget::itemDoubleClicked, this, &FundChoose::pick);
    connect(all, &QPushButton::clicked, this, [this] {
        m_chosen = AllRecordsSlot;
        accept();
    });
    // Closing the chooser any other way counts as Cancel.
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool FundChoose::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_funds && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_funds->currentRow() >= 0) {
            pick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FundChoose::pick()
{
    if (m_funds->currentRow() < 0)
        return;
    m_chosen = m_funds->currentRow() + 1;
    accept();
}

int FundChoose::choose(const FundDatabase &db, QWidget *parent)
{
    FundChoose chooser(db, parent);
    chooser.exec();
    return chooser.chosen();
}
