#include "retirement/retire_calc.h"
#include "shell/message_numbers.h"

#include "retirement/retirement_session.h"
#include "shell/shell.h"
#include "shell/spreadsheet_grid.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int LabelWidth = 215;
constexpr int FieldWidth = 140;

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
    for (const char *control : {"InInvest", "InRate", "InRateDrawn", "InTerm"}) {
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

    setUpCalculator();

    connect(m_percentage, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([this] { choose(RetirementOption::Percentage); });
    });
    connect(m_fixed, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([this] { choose(RetirementOption::FixedAmount); });
    });
}

void RetireCalc::choose(RetirementOption option)
{
    // Chosen from here rather than by a click: the button's signal comes back here.
    QRadioButton *button = option == RetirementOption::FixedAmount ? m_fixed : m_percentage;
    if (!button->isChecked()) {
        button->setChecked(true);
        return;
    }
    static_cast<RetirementSession &>(session()).choose(option);
    optionChanged();
}
