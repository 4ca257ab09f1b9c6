#include "invest/record_entry_window.h"

#include "invest/fund_database.h"
#include "invest/fund_fields.h"
#include "invest/fund_table_window.h"
#include "invest/funds_session.h"
#include "shell/ui/calculator_parts.h"
#include "shell/core/format.h"
#include "shell/ui/input_fields.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/message_numbers.h"
#include "shell/ui/quick_help_panel.h"
#include "shell/core/shell.h"
#include "shell/ui/spreadsheet_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <exception>

namespace {

constexpr int PriceSlot = RecordPriceSlot;
constexpr int NumberSlot = RecordSharesSlot;
constexpr int FeesSlot = RecordFeesSlot;
constexpr int CashDividendSlot = RecordCashDividendSlot;
const char *const AmountBoxes[] = {nullptr, "InPrice", "InNumber", "InComm", "InCashDiv"};

QLabel *Caption(const char *text, QWidget *parent)
{
    auto *label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    return label;
}

const char *LabelOf(const char *control)
{
    const FieldDescription *field = FindField(RecordEntryFields(), control);
    return field ? field->label : "";
}

} // namespace

FundRecordEntry::FundRecordEntry(Shell &shell, MdiContainer &frame, FundsSession &session)
    : ToolWindow(shell, frame, QStringLiteral(" Add and Edit Records")), m_session(session),
      m_funds(MakeYellowList("Funds", {}, false, this)),
      m_type(MakeYellowList("ETransType", EntryTypeNames(), false, this)), m_date(MakeYellowBox("InDate", this)),
      m_price(MakeYellowBox("InPrice", this)), m_number(MakeYellowBox("InNumber", this)),
      m_comm(MakeYellowBox("InComm", this)), m_cashDiv(MakeYellowBox("InCashDiv", this)),
      m_add(MakeCommandButton("AddaRec", "&Add Record", this)),
      m_correct(MakeCommandButton("Correctrec", "&Correct Record", this)),
      m_delete(MakeCommandButton("DelRec", "&Delete Record", this)),
      m_createFund(MakeCommandButton("createfund", "Add &Fund", this)),
      m_help(MakeCommandButton("EHelp", "Quick &Help", this)), m_exit(MakeCommandButton("ExBut", "E&xit to Menu", this)),
      m_grid(new SpreadsheetGrid(this)), m_text(new QPlainTextEdit(this)), m_numFunds(new QLabel(this)),
      m_numRec(new QLabel(this)), m_done(new QLabel(this))
{
    nameWidgets();
    layOut();
    m_fields = new InputFields(shell, this, RecordEntryFields(), m_figures, [] {});
    // Installed after the shared handling, so these see each key first.
    for (QWidget *widget : std::initializer_list<QWidget *>{m_number, m_date, m_funds, m_type})
        widget->installEventFilter(this);
    m_helpPanel = new QuickHelpPanel(m_help, m_text, m_grid, {}, m_funds);
    connectCommands();
    startEmpty();
    setTabOrders();
}

void FundRecordEntry::nameWidgets()
{
    setObjectName(QStringLiteral("FundRecordEntry"));
    m_grid->setObjectName(QStringLiteral("EGrid"));
    m_text->setObjectName(QStringLiteral("TxtBox"));
    m_numFunds->setObjectName(QStringLiteral("NumFunds"));
    m_numRec->setObjectName(QStringLiteral("NumRec"));
    m_done->setObjectName(QStringLiteral("Done"));
    m_funds->setPlaceholderText(QStringLiteral("Click Dn/Arrow for Funds List"));
    m_funds->setMinimumContentsLength(28);
    m_type->setMinimumContentsLength(15);
    m_type->setCurrentIndex(-1);
    m_date->setMaxLength(20);
}

// The fund line, the entry row with its labels, the buttons, the grid.
void FundRecordEntry::layOut()
{
    auto *fundLine = new QGridLayout;
    fundLine->addWidget(Caption(LabelOf("Funds"), this), 0, 0);
    fundLine->addWidget(m_funds, 1, 0);
    fundLine->addWidget(Caption("Add a new fund to database.", this), 0, 1);
    fundLine->addWidget(m_createFund, 1, 1);
    fundLine->addWidget(new QLabel(QStringLiteral("Funds ="), this), 0, 2, Qt::AlignRight);
    fundLine->addWidget(new QLabel(QStringLiteral("Records ="), this), 1, 2, Qt::AlignRight);
    fundLine->addWidget(m_numFunds, 0, 3);
    fundLine->addWidget(m_numRec, 1, 3);
    fundLine->addWidget(m_done, 0, 4, 2, 1, Qt::AlignCenter);
    fundLine->setColumnStretch(4, 1);

    auto *entry = new QGridLayout;
    QWidget *const row[] = {m_type, m_date, m_price, m_number, m_comm, m_cashDiv};
    for (int c = 0; c < 6; ++c) {
        entry->addWidget(Caption(LabelOf(row[c]->objectName().toLatin1().constData()), this), 0, c, Qt::AlignBottom);
        entry->addWidget(row[c], 1, c);
        QSizePolicy policy = row[c]->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        row[c]->setSizePolicy(policy);
        entry->setColumnStretch(c, 1);
    }

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_add, m_correct, m_delete, m_help, m_exit})
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->addLayout(fundLine);
    layout->addLayout(entry);
    layout->addLayout(buttons);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_text, 1);
}

void FundRecordEntry::connectCommands()
{
    connect(m_funds, &QComboBox::activated, this, [this](int index) { guarded([this, index] { fundChosen(index); }); });
    connect(m_type, &QComboBox::activated, this, [this](int index) { guarded([this, index] { typeChosen(index); }); });
    connect(m_add, &QPushButton::clicked, this, [this] { guarded([this] { addRecord(); }); });
    connect(m_correct, &QPushButton::clicked, this, [this] { guarded([this] { correctRecord(); }); });
    connect(m_delete, &QPushButton::clicked, this, [this] { guarded([this] { deleteRecord(); }); });
    connect(m_createFund, &QPushButton::clicked, this, [this] { guarded([this] { addFund(); }); });
    connect(m_help, &QPushButton::clicked, this, [this] { guarded([this] { toggleHelp(); }); });
    connect(m_exit, &QPushButton::clicked, this, [this] { guarded([this] { exitEntry(); }); });
    connect(m_grid, &SpreadsheetGrid::gridClicked, this, [this] { guarded([this] { gridClicked(); }); });
}

// Opening: the amounts in their slots, the funds in slot order, nothing
// shown or selected, and no correction left over from elsewhere.
// The fields write to m_figures, which goes with the members.
FundRecordEntry::~FundRecordEntry()
{
    delete m_fields;
}

void FundRecordEntry::startEmpty()
{
    m_figures = QList<Money>(RecordLastSlot + 1);
    m_session.CalcMode = 0;
    m_session.ShownFund = 0;
    m_session.SelectedRecord = 0;
    m_session.ActiveFund = 0;
    refillFunds();
    showCounts();
    MakeEGrid();
    ShowAllEntryFields();
    DisableEntryFields();
}

void FundRecordEntry::setTabOrders()
{
    setFocusProxy(m_funds);
    setTabOrder(m_funds, m_type);
    setTabOrder(m_type, m_date);
    setTabOrder(m_date, m_price);
    setTabOrder(m_price, m_number);
    setTabOrder(m_number, m_comm);
    setTabOrder(m_comm, m_cashDiv);
    setTabOrder(m_cashDiv, m_add);
}

// A button pressed by its access key leaves the focus where it was: the
// focused box is finished as leaving it would.
bool FundRecordEntry::finishEdit()
{
    return m_fields->finishEdit();
}

bool FundRecordEntry::fundShown() const
{
    // Funds are told apart by their place in the list, so two funds of the
    // same name are both reachable.
    return m_funds->currentIndex() >= 0 && m_funds->currentIndex() + 1 == m_session.ActiveFund &&
           m_funds->currentText() == FundName(m_session.db(), m_session.ActiveFund);
}

void FundRecordEntry::MakeEGrid()
{
    static const char *const headings[] = {"Record Number",        "Type of Transaction", "Date of Transaction",
                                           "Price of Each Share",  "Number of Shares",    "Commission   or Fees",
                                           "Div. Shares Value",    "Cash   Dividend",     "      Book       Value"};
    m_grid->setCols(9);
    m_grid->setRows(13);
    m_grid->setHeaderHeight(520);
    for (int c = 0; c < 9; ++c) {
        const int wider = c == 0 ? 80 : c == 1 ? 400 : 500;
        m_widths << m_grid->defaultColWidth() + wider;
        m_grid->setColAlignment(c, c == 0 ? Qt::AlignHCenter : c == 1 ? Qt::AlignLeft : Qt::AlignRight);
        m_grid->setHeaderAlignment(c, Qt::AlignHCenter);
        m_grid->setCell(0, c, QLatin1String(headings[c]));
    }
    FitColumnsToGrid(*m_grid, m_widths);
}

void FundRecordEntry::resizeEvent(QResizeEvent *event)
{
    ToolWindow::resizeEvent(event);
    FitColumnsToGrid(*m_grid, m_widths);
}

void FundRecordEntry::ShowRecords()
{
    AppState &state = shell().state;
    const EntryGrid grid = ::ShowRecords(m_session.db(), m_session.ShownFund, state.CurrencySymbol);
    m_grid->setRows(grid.rows);
    m_grid->clearBody();
    m_grid->setRowTexts(1, grid.body);
    FitColumnsToGrid(*m_grid, m_widths);
}

void FundRecordEntry::TypeSel()
{
    const TransactionType *type = TypeOfCode(m_session.EntryType);
    m_price->setVisible(type && type->price);
    m_number->setVisible(type && type->number);
    m_comm->setVisible(type && type->fees);
    m_cashDiv->setVisible(type && type->cashDividend);
}

void FundRecordEntry::ClearEntryRow()
{
    m_type->setEnabled(true);
    m_type->setCurrentIndex(-1);
    clearEntryBoxes();
    m_session.EntryType.clear();
}

void FundRecordEntry::EnableEntryFields()
{
    const TransactionType *type = TypeOfCode(m_session.EntryType);
    m_date->setEnabled(true);
    m_price->setEnabled(type && type->price);
    m_number->setEnabled(type && type->number);
    m_comm->setEnabled(type && type->fees);
    m_cashDiv->setEnabled(type && type->cashDividend);
}

void FundRecordEntry::DisableEntryFields()
{
    for (QLineEdit *box : {m_date, m_price, m_number, m_comm, m_cashDiv})
        box->setEnabled(false);
}

void FundRecordEntry::ShowAllEntryFields()
{
    for (QLineEdit *box : {m_price, m_number, m_comm, m_cashDiv})
        box->setVisible(true);
}

// Back to the idle entry row: no correction, no type, boxes empty and off.
void FundRecordEntry::endCorrection()
{
    ShowAllEntryFields();
    ClearEntryRow();
    DisableEntryFields();
    m_session.SelectedRecord = 0;
    m_session.CalcMode = 0;
    m_correctedRecord = 0;
}

void FundRecordEntry::refillFunds()
{
    const QSignalBlocker quiet(m_funds);
    m_funds->clear();
    for (int fund = 1; fund <= m_session.db().fundCount(); ++fund)
        m_funds->addItem(FundName(m_session.db(), fund));
    m_funds->setCurrentIndex(-1);
}

void FundRecordEntry::showCounts()
{
    m_numFunds->setText(NumberText(m_session.db().fundCount()));
    m_numRec->setText(NumberText(m_session.db().recordCount()));
    m_done->setText(QLatin1Char(' ') + m_session.fileName() + QLatin1Char(' '));
}

void FundRecordEntry::fundChosen(int index)
{
    if (index < 0)
        return;
    m_session.ActiveFund = qint16(index + 1);
    m_session.ShownFund = m_session.ActiveFund;
    endCorrection();
    ShowRecords();
}

void FundRecordEntry::typeChosen(int index)
{
    if (m_session.ShownFund == 0) {
        shell().dialogs.message(MsgSelectFund);
        m_type->setCurrentIndex(-1);
        m_funds->setFocus();
        return;
    }
    const TransactionType *type = index >= 0 ? &TransactionTypes()[index] : nullptr;
    m_session.SelectedRecord = 0;
    m_session.CalcMode = 0;
    m_correctedRecord = 0;
    clearEntryBoxes();
    m_session.EntryType = type ? QLatin1String(type->code) : QString();
    EnableEntryFields();
    TypeSel();
}

void FundRecordEntry::addRecord()
{
    // The date typed was refused and replaced by today's: the record is
    // not stored under a date the user did not give.
    if (!finishEdit())
        return;
    const bool correcting = m_session.CalcMode == 1;
    if (!fundShown()) {
        shell().dialogs.message(correcting ? MsgNoRecordSelected : MsgSelectFund);
        m_session.CalcMode = 0;
        return;
    }
    const QList<Money> &values = m_figures;
    const EntryRow row{m_type->currentIndex() >= 0 ? m_session.EntryType : QString(), m_date->text(),
                       {values.value(PriceSlot), values.value(NumberSlot), values.value(FeesSlot),
                        values.value(CashDividendSlot)}};
    const StoreResult result =
        StoreRecord(m_session.db(), m_session.ActiveFund, row, correcting ? m_correctedRecord : 0);
    if (result.written)
        m_session.DataChanged = 1;
    if (result.message != 0)
        shell().dialogs.message(result.message);
    if (result.refusedByCheck) {
        m_session.SelectedRecord = 0;
        // A new record keeps its row for repair; a correction ends.
        if (!correcting)
            return;
    }
    if (result.message == 0 || result.message == MsgCannotSort) {
        showCounts();
        ShowRecords();
    }
    endCorrection();
}

// A zero amount shows as an empty box.
void FundRecordEntry::showAmount(int slot, Money value)
{
    if (value.isZero())
        m_fields->clear(AmountBoxes[slot]);
    else
        m_fields->setValue(AmountBoxes[slot], value);
}

// The five boxes empty, and the slots behind them.
void FundRecordEntry::clearEntryBoxes()
{
    m_figures = QList<Money>(RecordLastSlot + 1);
    m_fields->clear("InDate");
    for (int slot = PriceSlot; slot <= CashDividendSlot; ++slot)
        m_fields->clear(AmountBoxes[slot]);
}

void FundRecordEntry::correctRecord()
{
    finishEdit();
    if (!fundShown()) {
        shell().dialogs.message(m_session.CalcMode == 1 ? MsgNoRecordSelected : MsgSelectFund);
        return;
    }
    if (m_session.SelectedRecord < 1 || m_session.SelectedRecord > m_session.db().recordCount()) {
        shell().dialogs.message(MsgNoRecordSelected);
        return;
    }
    m_session.CalcMode = 1;
    m_correctedRecord = m_session.SelectedRecord;
    const FundRecord &record = m_session.db().record(m_correctedRecord);
    m_session.EntryType = record.typeCode;
    const TransactionType *type = TypeOfCode(m_session.EntryType);
    {
        const QSignalBlocker quiet(m_type);
        m_type->setCurrentText(type ? QLatin1String(type->entryName) : QString());
    }
    m_type->setEnabled(false);
    EnableEntryFields();
    m_figures = QList<Money>(RecordLastSlot + 1);
    m_fields->setText("InDate", FieldDateText(record.date));
    showAmount(PriceSlot, record.price);
    showAmount(NumberSlot, record.shares < Money() ? -record.shares : record.shares);
    showAmount(FeesSlot, record.fees);
    showAmount(CashDividendSlot, record.cashDividend);
    TypeSel();
}

void FundRecordEntry::deleteRecord()
{
    finishEdit();
    Dialogs &dialogs = shell().dialogs;
    if (!fundShown()) {
        dialogs.message(MsgSelectFund);
        return;
    }
    // Deleting ends any correction: the record it pointed at may move.
    if (m_session.CalcMode == 1 || m_correctedRecord != 0) {
        const qint16 selected = m_session.SelectedRecord;
        endCorrection();
        m_session.SelectedRecord = selected;
    }
    m_session.CalcMode = 0;
    const bool fundEmpty = m_grid->cell(1, 0).isEmpty();
    bool yes = false;
    if (fundEmpty) {
        yes = dialogs.ask(QuestionDeleteFund) == Answer::Yes;
    } else {
        if (m_session.SelectedRecord < 1 || m_session.SelectedRecord > m_session.db().recordCount()) {
            dialogs.message(MsgNoRecordSelected);
            m_session.RecordNumberText.clear();
            m_session.SelectedRecord = 0;
            return;
        }
        yes = dialogs.ask(QuestionDeleteRecord, m_session.RecordNumberText) == Answer::Yes;
    }
    if (!yes) {
        m_session.RecordNumberText.clear();
        m_session.SelectedRecord = 0;
        return;
    }
    if (RecordsOfFund(m_session.db(), m_session.ActiveFund) > 0) {
        // Only a record of the fund shown is ever deleted from here.
        const int slot = m_session.SelectedRecord;
        if (int(m_session.db().record(slot).fundNumber.floorUnits()) == m_session.ActiveFund)
            if (m_session.db().deleteRecord(slot))
                m_session.DataChanged = 1;
        m_session.RecordNumberText.clear();
        m_session.SelectedRecord = 0;
        showCounts();
        ShowRecords();
        return;
    }
    m_session.deleteFund(m_session.ActiveFund);
    refillFunds();
    showCounts();
    m_session.ShownFund = 0;
    m_session.SelectedRecord = 0;
    m_session.ActiveFund = 0;
    ShowRecords();
}

void FundRecordEntry::addFund()
{
    finishEdit();
    m_session.CalcMode = 0;
    // A full list is told before anything is typed that could not be kept.
    if (m_session.db().fundListFull()) {
        shell().dialogs.message(Msg30Funds);
        return;
    }
    const std::optional<QString> typed = shell().dialogs.inputLine(
        QStringLiteral("&Add Fund Name"), QStringLiteral(" Type in the name of the fund or               company."));
    if (!typed || typed->isEmpty())
        return;
    const QString name = FundNameToStore(*typed);
    const int fund = m_session.addFund(name);
    if (fund == 0) {
        shell().dialogs.message(Msg30Funds);
        return;
    }
    endCorrection();
    m_funds->addItem(name);
    m_funds->setCurrentIndex(fund - 1);
    m_session.ActiveFund = qint16(fund);
    m_session.ShownFund = qint16(fund);
    showCounts();
    ShowRecords();
}

void FundRecordEntry::gridClicked()
{
    const int row = m_grid->row();
    m_session.RecordNumberText = QString::number(row);
    m_grid->setCol(0);
    const QString shown = m_grid->cell(row, 0).trimmed();
    bool number = false;
    const int k = row > 0 ? shown.toInt(&number) : 0;
    // While a record is corrected the correction stays on it; the click
    // only chooses what Delete would remove.
    m_session.SelectedRecord = qint16(number ? RecordOfPosition(m_session.db(), m_session.ShownFund, k) : 0);
}

void FundRecordEntry::toggleHelp()
{
    if (m_helpPanel->isOpen()) {
        m_helpPanel->close();
        return;
    }
    m_helpPanel->open(RecordEntryHelpText(Format(shell().today, QStringLiteral("Short Date"))));
}

void FundRecordEntry::exitEntry()
{
    m_session.CalcMode = 0;
    m_session.SelectedRecord = 0;
    m_figures.clear();
    frame().setCaption(QStringLiteral(" Investment Management Menu"));
    emit exited();
}

void FundRecordEntry::moveFromDate()
{
    const QString type = m_session.EntryType;
    if (type == QLatin1String("C"))
        m_cashDiv->setFocus(Qt::TabFocusReason);
    else if (type == QLatin1String("F"))
        m_comm->setFocus(Qt::TabFocusReason);
    else
        m_price->setFocus(Qt::TabFocusReason);
}

// What the entry row does beyond the shared field handling: Enter leaves
// the date and the number of shares for the boxes the transaction type uses,
// and Delete in the type list clears the row.
bool FundRecordEntry::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = IsEnterKey(key);
    const QString type = m_session.EntryType;
    if ((watched == m_funds || watched == m_type) && key->key() == Qt::Key_Delete) {
        // Delete in the type list clears the entry row; in the fund list it does nothing.
        if (watched == m_type)
            guarded([this] { endCorrection(); });
        return true;
    }
    if (watched == m_date && enter) {
        moveFromDate();
        return true;
    }
    if (watched == m_number && enter && (type == QLatin1String("U") || type == QLatin1String("D"))) {
        m_add->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}
