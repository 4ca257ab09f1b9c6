#include "mortgage/mortgage_window.h"
#include "shell/core/message_numbers.h"

#include "mortgage/days_in_year_dialog.h"
#include "mortgage/additional_payments_dialog.h"
#include "mortgage/mortgage_session.h"
#include "shell/ui/calculator_parts.h"
#include "shell/core/dialogs.h"
#include "shell/core/record_file.h"
#include "shell/core/shell.h"
#include "shell/ui/spreadsheet_grid.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

struct ResultLabel
{
    const char *name;
    const char *mortgageCaption;
    const char *loanCaption;
};

const ResultLabel ResultLabels[] = {
    {"InMonthPI", "Principal + Interest payment.", "Principal + Interest payment."},
    {"AllPayments", "Total paid over life of mortgage", " Total paid over life     of the loan."},
    {"TotSavd", "Total interest savings.", "Total interest savings."},
    {"NumPmtsYear", "No. of payments each year.", "No. of payments each year."},
    {"EndMortYear", "No. of years to final payment.", " No. months to        final payment."},
    {"PeriodicR", "Interest rate factor.", "Interest rate factor."},
    {"InDays", "Days in year.", "Days in year."},
};

} // namespace

MortgageCalc::MortgageCalc(Shell &shell, MdiContainer &frame, MortgageKind kind,
                           std::shared_ptr<MortgageFilePlaces> places)
    : CalculatorWindow(shell, frame,
                       kind == MortgageKind::Loan ? QStringLiteral(" Personal Loan Tables")
                                                  : QStringLiteral(" Mortgage Tables"),
                       "M", std::make_unique<MortgageSession>(shell.state, kind)),
      m_places(places ? std::move(places) : std::make_shared<MortgageFilePlaces>())
{
    setObjectName(QStringLiteral("MortgageCalc"));
    const bool loan = mortgage().kind() == MortgageKind::Loan;

    auto *form = new QGridLayout;
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(3);
    int row = 0;
    for (const char *control : {"InPrincipal", "InRate", "InTerm", CompoundingControl, FrequencyControl}) {
        QWidget *box = field(control);
        box->setMinimumWidth(150);
        auto *text = static_cast<QLabel *>(label(control));
        text->setWordWrap(true);
        form->addWidget(text, row, 0);
        form->addWidget(box, row, 1);
        ++row;
    }
    form->setColumnStretch(0, 1);

    auto *views = new QGroupBox(QStringLiteral("Show payments."), this);
    views->setObjectName(QStringLiteral("Label12"));
    m_all = new QRadioButton(QStringLiteral("All"), views);
    m_all->setObjectName(QStringLiteral("Option1"));
    m_annual = new QRadioButton(QStringLiteral("Annual"), views);
    m_annual->setObjectName(QStringLiteral("Option2"));
    auto *viewLayout = new QHBoxLayout(views);
    viewLayout->setContentsMargins(6, 2, 6, 2);
    viewLayout->addWidget(m_all);
    viewLayout->addWidget(m_annual);
    auto *viewGroup = new QButtonGroup(this);
    viewGroup->addButton(m_all);
    viewGroup->addButton(m_annual);
    m_annual->setChecked(true);

    // The seven results in two columns of captions and figures.
    auto *results = new QGridLayout;
    results->setHorizontalSpacing(6);
    results->setVerticalSpacing(2);
    int r = 0;
    for (const ResultLabel &result : ResultLabels) {
        auto *caption = new QLabel(QString::fromLatin1(loan ? result.loanCaption : result.mortgageCaption).simplified(),
                                   this);
        auto *value = new QLabel(this);
        value->setObjectName(QLatin1String(result.name));
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(125);
        value->setFont(QFont(QStringLiteral("Courier New")));
        value->setFixedHeight(value->fontMetrics().height() + 6);
        caption->setWordWrap(true);
        results->addWidget(caption, r % 4, r / 4 * 2);
        results->addWidget(value, r % 4, r / 4 * 2 + 1);
        ++r;
    }
    results->addWidget(views, 3, 2, 1, 2, Qt::AlignVCenter);
    results->setColumnStretch(0, 1);
    results->setColumnStretch(2, 1);

    auto button = [this](const char *name, const char *caption) { return MakeCommandButton(name, caption, this); };
    QPushButton *extra = button("MAddPrePay", "&Additional payments");
    QPushButton *days = button("MShowIRF", "&Days in year");
    m_dateNumber = button("MDateNumber", "&View payment date");
    QPushButton *load = button("MLoadFile", "&Open File");
    // "&Additional payments" has the A.
    QPushButton *save = button("MSaveFile", "Sav&e File");
    auto *commands = new QGridLayout;
    commands->setSpacing(3);
    int c = 0;
    for (QPushButton *b : {calculateButton(), helpButton(), extra, days, m_dateNumber, load, save, graphButton(),
                           printerButton(), exitButton()}) {
        commands->addWidget(b, c % 5, c / 5);
        ++c;
    }

    auto *top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addLayout(commands);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(5);
    layout->addLayout(top);
    layout->addLayout(results);
    layout->addWidget(grid(), 1);
    layout->addWidget(helpBox(), 1);

    setUpCalculator();

    connect(m_all, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([this] { chooseView(MortgageAllView); });
    });
    connect(m_annual, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([this] { chooseView(MortgageAnnualView); });
    });
    connect(extra, &QPushButton::clicked, this, [this] { guarded([this] { openAdditionalPayments(); }); });
    connect(days, &QPushButton::clicked, this, [this] { guarded([this] { openDaysInYear(); }); });
    connect(m_dateNumber, &QPushButton::clicked, this, [this] { guarded([this] { toggleDates(); }); });
    connect(load, &QPushButton::clicked, this, [this] { guarded([this] { openFile(); }); });
    connect(save, &QPushButton::clicked, this, [this] { guarded([this] { saveFile(); }); });

    for (const char *control : {"InPrincipal", "InRate", "InTerm"})
        if (QLineEdit *edit = fields()->editor(control))
            connect(edit, &QLineEdit::textChanged, this, [this] { showResults(); });
    for (const char *control : {CompoundingControl, FrequencyControl})
        if (auto *list = findChild<QComboBox *>(QLatin1String(control)))
            connect(list, &QComboBox::activated, this, [this] { showResults(); });
    // The term: a choice from its list, or an edit once it is left, empties
    // the additional payments.
    auto *term = findChild<QComboBox *>(QStringLiteral("InTerm"));
    connect(term, &QComboBox::activated, this, [this] {
        mortgage().termChanged();
        m_termEdited = false;
    });
    connect(term->lineEdit(), &QLineEdit::textEdited, this, [this] { m_termEdited = true; });
    // The field shows a new figure once it has stored it.
    connect(term->lineEdit(), &QLineEdit::textChanged, this, [this] { mortgage().syncLoanYears(); });
    term->installEventFilter(this);
}

MortgageSession &MortgageCalc::mortgage() const
{
    return static_cast<MortgageSession &>(session());
}

QLabel *MortgageCalc::resultLabel(const char *name) const
{
    return findChild<QLabel *>(QLatin1String(name));
}

bool MortgageCalc::eventFilter(QObject *watched, QEvent *event)
{
    const QString name = watched->objectName();
    if (event->type() == QEvent::FocusOut && name == QLatin1String("InTerm") && m_termEdited) {
        mortgage().termChanged();
        m_termEdited = false;
    }
    return CalculatorWindow::eventFilter(watched, event);
}

QString MortgageCalc::listText(const char *control) const
{
    auto *list = findChild<QComboBox *>(QLatin1String(control));
    return list ? list->currentText() : QString();
}

void MortgageCalc::beforeCalculate()
{
    if (m_termEdited)
        mortgage().termChanged();
    m_termEdited = false;
}

// The result labels follow the grid: filled by a Calculate, emptied with it.
void MortgageCalc::afterCalculate(const GridUpdate &)
{
    showResults();
}

void MortgageCalc::afterResultsCleared()
{
    showResults();
}

void MortgageCalc::clearResults()
{
    fields()->finishEdit();
    invalidate();
    grid()->clearBody();
    mortgage().data().ResultCount = 0;
    showResults();
}

void MortgageCalc::showResults()
{
    const bool shown = mortgage().calculated() && mortgage().data().ResultCount != 0;
    const MortgageResultTexts texts = shown ? mortgage().resultTexts() : MortgageResultTexts();
    resultLabel("InMonthPI")->setText(texts.payment);
    resultLabel("AllPayments")->setText(texts.totalPaid);
    resultLabel("TotSavd")->setText(texts.savings);
    resultLabel("NumPmtsYear")->setText(texts.paymentsPerYear);
    resultLabel("EndMortYear")->setText(texts.timeToFinal);
    resultLabel("PeriodicR")->setText(texts.rateFactor);
    resultLabel("InDays")->setText(texts.daysInYear);
}

void MortgageCalc::chooseView(MortgageView view)
{
    QRadioButton *button = view == MortgageAllView ? m_all : m_annual;
    if (!button->isChecked()) {
        button->setChecked(true);
        return;
    }
    mortgage().setView(view);
    clearResults();
}

void MortgageCalc::toggleDates()
{
    clearResults();
    if (!mortgage().showDates()) {
        m_dateNumber->setText(QStringLiteral("&View payment No."));
        mortgage().setShowDates(true);
        MortDateInput dialog(shell(), mortgage(), this);
        dialog.exec();
    } else {
        m_dateNumber->setText(QStringLiteral("&View payment date"));
        mortgage().setShowDates(false);
    }
}

void MortgageCalc::openAdditionalPayments()
{
    clearResults();
    if (m_termEdited)
        mortgage().termChanged();
    m_termEdited = false;
    MortPrePay dialog(mortgage(), this);
    dialog.exec();
    // However the window was closed, the count is what the amounts say.
    mortgage().countExtraPayments();
}

void MortgageCalc::openDaysInYear()
{
    fields()->finishEdit();
    MortIRFTable dialog(mortgage(), this);
    dialog.exec();
    clearResults();
}

MortgageInput MortgageCalc::currentInputs() const
{
    return mortgage().inputs(CompoundingIndex(listText(CompoundingControl)), FrequencyIndex(listText(FrequencyControl)));
}

QString &MortgageCalc::rememberedFile() const
{
    return mortgage().kind() == MortgageKind::Loan ? m_places->loan : m_places->mortgage;
}

bool MortgageCalc::queryClose()
{
    // What is typed in a box but not yet left is work too.
    fields()->finishEdit();
    if (!mortgage().unsaved(currentInputs()))
        return true;
    // Closing the question without an answer keeps the work too.
    return MayDiscard(shell().dialogs.ask(QuestionUnsavedFile, QFileInfo(m_filePath).fileName()));
}

void MortgageCalc::saveFile()
{
    fields()->finishEdit();
    const bool loan = mortgage().kind() == MortgageKind::Loan;
    if (mortgage().data().ResultCount == 0) {
        shell().dialogs.message(MsgNoRecords);
        return;
    }
    // The file last opened or saved, with its folder, so that the next box
    // starts where it is.
    QString &remembered = rememberedFile();
    const std::optional<QString> chosen =
        shell().dialogs.chooseFile(loan ? FileKind::Loan : FileKind::Mortgage, FileAction::Save, remembered);
    if (!chosen || chosen->isEmpty())
        return;
    if (!MaySaveOver(shell().dialogs, m_fileStamp, *chosen))
        return;
    const MortgageInput data = currentInputs();
    const QByteArray text = MortgageFileText(data);
    bool saved = false;
    SaveFailure failure;
    {
        const WaitCursor busy;
        saved = SaveFileWhole(*chosen, text, &failure);
    }
    if (!saved) {
        TellSaveFailed(shell().dialogs, failure, loan ? MsgBadLoanFileName : MsgBadMortgageFileName);
        return;
    }
    remembered = QFileInfo(*chosen).absoluteFilePath();
    m_filePath = remembered;
    m_fileStamp = FileStamp::of(*chosen, text);
    mortgage().markSaved(data);
}

void MortgageCalc::openFile()
{
    fields()->finishEdit();
    const bool loan = mortgage().kind() == MortgageKind::Loan;
    QString &remembered = rememberedFile();
    const std::optional<QString> chosen =
        shell().dialogs.chooseFile(loan ? FileKind::Loan : FileKind::Mortgage, FileAction::Open, remembered);
    if (!chosen || chosen->isEmpty())
        return;
    // Read and checked whole before anything in the window changes. A term
    // this window's box cannot show (a 50-month loan in years) is refused
    // too: the window, the schedule and the printout must agree on it.
    std::optional<MortgageInput> data;
    FileStamp stamp;
    {
        const WaitCursor busy;
        // One byte past the largest size is enough for the reader to refuse it.
        if (const auto bytes = ReadDataFile(*chosen, RecordReader::MaxFileSize + 1, nullptr, &stamp))
            data = ReadMortgageFileText(*bytes);
    }
    if (!data || !mortgage().takeInputs(*data)) {
        shell().dialogs.message(MsgFileNotFound);
        return;
    }
    findChild<QComboBox *>(QLatin1String(CompoundingControl))->setCurrentIndex(data->compounding);
    findChild<QComboBox *>(QLatin1String(FrequencyControl))->setCurrentIndex(data->frequency);
    showInputs();
    remembered = QFileInfo(*chosen).absoluteFilePath();
    m_filePath = remembered;
    m_fileStamp = stamp;
}

void MortgageCalc::showInputs()
{
    const QList<Money> &figures = mortgage().data().InputValues;
    for (const FieldDescription &description : session().fields())
        if (description.slot >= 0)
            fields()->setValue(description.control, figures.value(description.slot));
    m_dateNumber->setText(mortgage().showDates() ? QStringLiteral("&View payment No.")
                                                 : QStringLiteral("&View payment date"));
    const MortgageView view = mortgage().view();
    QRadioButton *button = view == MortgageAllView ? m_all : m_annual;
    {
        const QSignalBlocker quietAll(m_all);
        const QSignalBlocker quietAnnual(m_annual);
        button->setChecked(true);
    }
    m_termEdited = false;
    clearResults();
}
