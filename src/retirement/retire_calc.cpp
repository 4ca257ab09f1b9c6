#include "retirement/retire_calc.h"
#include "shell/message_numbers.h"

#include "retirement/retirement_session.h"
#include "shell/calculator_parts.h"
#include "shell/shell.h"
#include "shell/spreadsheet_grid.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr int LabelWidth = 215;
constexpr int FieldWidth = 140;

// The names a pair's fields carry while the other choice is shown.
QString HiddenName(const char *control, RetirementOption option)
{
    return QLatin1String(control) + (option == RetirementOption::FixedAmount ? QStringLiteral("_fixed")
                                                                               : QStringLiteral("_percentage"));
}

int PairIndex(RetirementOption option)
{
    return option == RetirementOption::FixedAmount ? 1 : 0;
}

} // namespace

RetireCalc::RetireCalc(Shell &shell, MdiContainer &frame)
    : CalculatorWindow(shell, frame, QStringLiteral(" Retirement Calculations"), "R",
                       std::make_unique<RetirementSession>(shell.state))
{
    setObjectName(QStringLiteral("RetireCalc"));

    auto *form = new QGridLayout;
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(3);
    int row = 0;
    for (const char *control : {"InInvest", "InRate"}) {
        QWidget *box = field(control);
        box->setMinimumWidth(FieldWidth);
        QWidget *text = label(control);
        text->setMinimumWidth(LabelWidth);
        form->addWidget(text, row, 0);
        form->addWidget(box, row, 1);
        ++row;
    }

    // The option buttons, in a frame that stands for the choice.
    auto *choices = new QGroupBox(QStringLiteral(" Withdrawal choices:"), this);
    choices->setObjectName(QLatin1String(RetirementOptionControl));
    m_percentage = new QRadioButton(QStringLiteral("Percentage"), choices);
    m_percentage->setObjectName(QStringLiteral("Option1"));
    m_fixed = new QRadioButton(QStringLiteral("Fixed Amount"), choices);
    m_fixed->setObjectName(QStringLiteral("Option2"));
    auto *choiceLayout = new QVBoxLayout(choices);
    choiceLayout->addWidget(m_percentage);
    choiceLayout->addWidget(m_fixed);
    auto *group = new QButtonGroup(this);
    group->addButton(m_percentage);
    group->addButton(m_fixed);
    m_percentage->setChecked(true);

    // Both pairs of the last two fields: Percentage from the window's own
    // description, Fixed Amount made from its table the same way.
    m_pairs = new QStackedWidget(this);
    for (RetirementOption option : {RetirementOption::Percentage, RetirementOption::FixedAmount}) {
        auto *page = new QWidget(m_pairs);
        auto *pageLayout = new QGridLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        pageLayout->setHorizontalSpacing(6);
        pageLayout->setVerticalSpacing(3);
        const int i = PairIndex(option);
        const FieldTable table = RetirementFields(option);
        int pageRow = 0;
        for (const char *control : {"InRateDrawn", "InTerm"}) {
            QWidget *box = nullptr;
            QWidget *text = nullptr;
            if (option == RetirementOption::Percentage) {
                box = field(control);
                text = label(control);
            } else {
                const FieldDescription *description = FindField(table, control);
                box = MakeYellowList(qPrintable(HiddenName(control, option)), description->items, true, this);
                text = MakeFieldLabel(QString::fromLatin1(description->label), box, this);
            }
            box->setParent(page);
            text->setParent(page);
            box->setMinimumWidth(FieldWidth);
            text->setMinimumWidth(LabelWidth);
            pageLayout->addWidget(text, pageRow, 0);
            pageLayout->addWidget(box, pageRow, 1);
            (pageRow == 0 ? m_drawn : m_term)[i] = box;
            ++pageRow;
        }
        m_pairs->addWidget(page);
    }
    form->addWidget(m_pairs, 2, 0, 2, 2);

    auto *commands = new QVBoxLayout;
    commands->addWidget(calculateButton());
    commands->addWidget(helpButton());
    commands->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addLayout(form);
    top->addWidget(choices, 0, Qt::AlignTop);
    top->addLayout(commands);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {graphButton(), printerButton(), exitButton()})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(6);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addWidget(grid(), 1);
    layout->addWidget(helpBox(), 1);

    // A command button pressed by its access key does not take the focus:
    // the Fixed Amount fields finish their edit first, as the window's own
    // fields do. Connected before the window's handlers, so run before them.
    for (QPushButton *b : {calculateButton(), graphButton(), printerButton()})
        connect(b, &QPushButton::clicked, this, [this] {
            if (m_fixedFields)
                m_fixedFields->finishEdit();
        });

    setUpCalculator();

    // The Fixed Amount pair's fields, found under the controls' names.
    const int fixed = PairIndex(RetirementOption::FixedAmount);
    showPair(RetirementOption::FixedAmount);
    std::vector<FieldRow> rows;
    for (const FieldDescription &d : RetirementFixedAmountFields())
        if (d.slot == RetirementDrawnSlot || d.slot == RetirementTermSlot)
            rows.push_back({d.control, d.slot, d.kind, d.width, d.next, d.limit, d.limitMessage, FocusVariant::B,
                            d.format, d.allowMinus});
    m_fixedFields = new InputFields(shell, this, std::move(rows), [this] { clearResults(); });
    setTabOrder(m_term[0], m_drawn[fixed]);
    setTabOrder(m_drawn[fixed], m_term[fixed]);
    setTabOrder(m_term[fixed], calculateButton());
    showPair(RetirementOption::Percentage);

    connect(m_percentage, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([this] { choose(RetirementOption::Percentage); });
    });
    connect(m_fixed, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([this] { choose(RetirementOption::FixedAmount); });
    });
}

RetirementSession &RetireCalc::retirement() const
{
    return static_cast<RetirementSession &>(session());
}

void RetireCalc::showPair(RetirementOption option)
{
    for (RetirementOption pair : {RetirementOption::Percentage, RetirementOption::FixedAmount}) {
        const int i = PairIndex(pair);
        const bool shown = pair == option;
        m_drawn[i]->setObjectName(shown ? QStringLiteral("InRateDrawn") : HiddenName("InRateDrawn", pair));
        m_term[i]->setObjectName(shown ? QStringLiteral("InTerm") : HiddenName("InTerm", pair));
    }
    m_pairs->setCurrentIndex(PairIndex(option));
}

void RetireCalc::clearResults()
{
    AppState &state = shell().state;
    state.FieldEdited = 1;
    if (state.QuickHelpOpen == 1)
        return;
    helpBox()->clear();
    grid()->clearBody();
    state.QuickHelpOpen = 0;
    state.ResultCount = 0;
}

void RetireCalc::choose(RetirementOption option)
{
    // Chosen from here rather than by a click: the button's signal comes back here.
    QRadioButton *button = option == RetirementOption::FixedAmount ? m_fixed : m_percentage;
    if (!button->isChecked()) {
        button->setChecked(true);
        return;
    }
    AppState &state = shell().state;
    RetirementSession &session = retirement();
    const bool helpShown = helpButton()->text() == QLatin1String("Close &Help");
    if (!helpShown)
        clearResults();
    session.choose(option);
    // The help text follows the choice and the panel stays open.
    if (helpShown)
        helpBox()->setPlainText(session.helpText());

    const QList<Money> &values = state.InputValues;
    if (option == RetirementOption::FixedAmount) {
        fields()->setValue("InInvest", values.value(RetirementCapitalSlot));
        const FieldDescription *term = FindField(session.fields(), "InTerm");
        m_fixedFields->setValue("InRateDrawn", values.value(RetirementDrawnSlot));
        m_fixedFields->setValue("InTerm", values.value(RetirementTermSlot), term->startWidth);
    } else {
        fields()->setValue("InRateDrawn", values.value(RetirementDrawnSlot));
        fields()->setValue("InTerm", values.value(RetirementTermSlot));
    }
    showPair(option);
    state.FieldEdited = 0;
}
