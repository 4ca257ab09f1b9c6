#include "growth/compound_growth_window.h"

#include "growth/compound_growth_session.h"
#include "shell/core/shell.h"
#include "shell/ui/spreadsheet_grid.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

FindCompoundCalc::FindCompoundCalc(Shell &shell, MdiContainer &frame)
    : CalculatorWindow(shell, frame, QStringLiteral(" Find Annual Compound Growth"), "F",
                       std::make_unique<CompoundGrowthSession>(shell.state))
{
    setObjectName(QStringLiteral("FindCompoundCalc"));

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    for (const char *control : {"InCost", "InValNow", "InTerm", "NamInv"}) {
        QWidget *box = field(control);
        form->addRow(label(control), box);
    }

    auto *buttons = new QGridLayout;
    buttons->addWidget(calculateButton(), 0, 0);
    buttons->addWidget(graphButton(), 0, 1);
    buttons->addWidget(helpButton(), 1, 0);
    buttons->addWidget(printerButton(), 1, 1);
    buttons->addWidget(exitButton(), 2, 0, 1, 2);

    auto *top = new QHBoxLayout;
    top->addLayout(form, 3);
    top->addSpacing(12);
    top->addLayout(buttons, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addLayout(top);
    layout->addWidget(grid(), 1);
    layout->addWidget(helpBox(), 1);

    setUpCalculator();
}
