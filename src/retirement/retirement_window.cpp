#include "retirement/retirement_window.h"
#include "shell/core/message_numbers.h"

#include "retirement/retirement_session.h"
#include "shell/core/shell.h"
#include "shell/ui/spreadsheet_grid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
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
        // The term's label takes two lines in the fixed-amount option: it
        // keeps their height in both, so that nothing moves on a change.
        if (qstrcmp(control, "InTerm") == 0)
            text->setMinimumHeight(2 * text->fontMetrics().lineSpacing());
        form->addWidget(text, row, 0);
        form->addWidget(box, row, 1);
        ++row;
    }

    // The option buttons, in a frame that stands for the choice.
    QWidget *choices = field(RetirementOptionControl);

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
}
