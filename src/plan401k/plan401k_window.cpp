#include "plan401k/plan401k_window.h"

#include "plan401k/plan401k_session.h"
#include "shell/core/shell.h"
#include "shell/ui/spreadsheet_grid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

Plan401KCalc::Plan401KCalc(Shell &shell, MdiContainer &frame)
    : CalculatorWindow(shell, frame, QStringLiteral(" 401(k) Investment Growth Calculations"), "K",
                       std::make_unique<Plan401KSession>(shell.state))
{
    setObjectName(QStringLiteral("Plan401KCalc"));

    // Two columns of four fields, the five buttons in a row below them.
    auto *form = new QGridLayout;
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(3);
    int index = 0;
    for (const char *control : {"InCurrBal", "InCurrSal", "InCntrbRate", "InCompRate", "InAnnSalRaise",
                                "InRetnRate", "InInflRate", "InNumYears"}) {
        const int row = index % 4;
        const int column = index / 4 * 2;
        QWidget *box = field(control);
        form->addWidget(label(control), row, column);
        form->addWidget(box, row, column + 1);
        ++index;
    }
    form->setColumnStretch(0, 1);
    form->setColumnStretch(2, 1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {calculateButton(), helpButton(), graphButton(), printerButton(), exitButton()})
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
