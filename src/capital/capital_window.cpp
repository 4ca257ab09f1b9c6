#include "capital/capital_window.h"

#include "capital/capital_session.h"
#include "shell/core/shell.h"
#include "shell/ui/spreadsheet_grid.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CapitalReqdCalc::CapitalReqdCalc(Shell &shell, MdiContainer &frame)
    : CalculatorWindow(shell, frame, QStringLiteral(" Capital Required"), "C",
                       std::make_unique<CapitalSession>(shell.state))
{
    setObjectName(QStringLiteral("CapitalReqdCalc"));

    // The option field of the field table is the frame of the two buttons.
    QWidget *choices = field("CRCapitalChoices");

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    for (const char *control : {"InLumpInv", "InRate", "InTerm"}) {
        QWidget *box = field(control);
        box->setMinimumWidth(150);
        QWidget *caption = label(control);
        if (qstrcmp(control, "InLumpInv") == 0) {
            m_amountLabel = qobject_cast<QLabel *>(caption);
            // As wide as the capital label needs, so that the income label
            // wraps onto two lines as well rather than three.
            if (m_amountLabel)
                m_amountLabel->setMinimumWidth(m_amountLabel->sizeHint().width());
        }
        form->addRow(caption, box);
    }

    auto *buttons = new QGridLayout;
    buttons->addWidget(calculateButton(), 0, 0);
    buttons->addWidget(graphButton(), 0, 1);
    buttons->addWidget(helpButton(), 1, 0);
    buttons->addWidget(printerButton(), 1, 1);
    buttons->addWidget(exitButton(), 2, 0, 1, 2);

    auto *left = new QVBoxLayout;
    left->addWidget(choices);
    left->addLayout(form);
    auto *top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addSpacing(12);
    top->addLayout(buttons, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addLayout(top);
    layout->addWidget(grid(), 1);
    layout->addWidget(helpBox(), 1);

    setUpCalculator();
}
