#include "savings/savings_window.h"
#include "shell/core/message_numbers.h"

#include "savings/savings_session.h"
#include "shell/core/shell.h"
#include "shell/ui/spreadsheet_grid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

SavingsCalc::SavingsCalc(Shell &shell, MdiContainer &frame, SavingsMode mode)
    : CalculatorWindow(shell, frame,
                       mode == SavingsMode::Comparisons ? QStringLiteral(" Investment Growth Comparisons")
                                                        : QStringLiteral(" Investment Growth Calculations"),
                       "S", std::make_unique<SavingsSession>(shell.state, mode))
{
    setObjectName(QStringLiteral("SavingsCalc"));

    // Two columns of fields, four rows each; the last place holds Calculate and Quick Help.
    auto *form = new QGridLayout;
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(3);
    int index = 0;
    for (const char *control : {"InLumpInv", "InInvest", "InMonthsYrs", "InRate", "InIncrRate", "inInflatRate",
                                "InTerm"}) {
        const int row = index % 4;
        const int column = index / 4 * 2;
        QWidget *box = field(control);
        form->addWidget(label(control), row, column);
        form->addWidget(box, row, column + 1);
        ++index;
    }
    // The labels take the room the boxes leave, so they wrap as little as they can.
    form->setColumnStretch(0, 1);
    form->setColumnStretch(2, 1);
    form->addWidget(calculateButton(), 3, 2);
    form->addWidget(helpButton(), 3, 3);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {graphButton(), printerButton(), exitButton()})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(6);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(grid(), 1);
    layout->addWidget(helpBox(), 1);

    setUpCalculator();
}
