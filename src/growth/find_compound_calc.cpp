#include "growth/find_compound_calc.h"

#include "growth/compound_growth.h"
#include "shell/calculator_parts.h"
#include "shell/print_frame.h"
#include "shell/shell.h"
#include "shell/spreadsheet_grid.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

FindCompoundCalc::FindCompoundCalc(Shell &shell, MdiContainer &frame)
    : CalculatorWindow(shell, frame, QStringLiteral(" Find Annual Compound Growth"), "FGrid", "FTextBox"),
      m_name(MakeYellowBox("NamInv", this))
{
    setObjectName(QStringLiteral("FindCompoundCalc"));
    AppState &state = shell.state;

    QLineEdit *cost = MakeYellowBox("InCost", this);
    QLineEdit *value = MakeYellowBox("InValNow", this);
    QLineEdit *term = MakeYellowBox("InTerm", this);
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("Purchase cost of your investment."), cost);
    form->addRow(QStringLiteral("Present or future value."), value);
    form->addRow(QStringLiteral("Term in years."), term);
    form->addRow(QStringLiteral("Optional: Name of your investment."), m_name);

    QPushButton *calc = MakeCommandButton("FCalc", "&Calculate", this);
    QPushButton *graphs = MakeCommandButton("FGraphs", "&Show Graph", this);
    QPushButton *help = MakeCommandButton("FHelp", "Quick &Help", this);
    QPushButton *printer = MakeCommandButton("FPrinter", "To &Printer", this);
    QPushButton *exitButton = MakeCommandButton("FExit", "E&xit to Menu", this);
    auto *buttons = new QGridLayout;
    buttons->addWidget(calc, 0, 0);
    buttons->addWidget(graphs, 0, 1);
    buttons->addWidget(help, 1, 0);
    buttons->addWidget(printer, 1, 1);
    buttons->addWidget(exitButton, 2, 0, 1, 2);

    auto *top = new QHBoxLayout;
    top->addLayout(form, 3);
    top->addSpacing(12);
    top->addLayout(buttons, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addLayout(top);
    layout->addWidget(grid(), 1);
    layout->addWidget(helpBox(), 1);

    setUpCalculator(
        {
            {"InCost", 1, FieldKind::Money, 16, "InValNow"},
            {"InValNow", 2, FieldKind::Money, 16, "InTerm"},
            {"InTerm", 3, FieldKind::Years, 19, "NamInv", CompoundGrowthMaxYears, 4},
            {"NamInv", -1, FieldKind::Text, 0, "FCalc"},
        },
        help, cost, {printer, graphs});

    connect(calc, &QPushButton::clicked, this, &FindCompoundCalc::calculate);
    connect(graphs, &QPushButton::clicked, this, [this] {
        this->shell().state.GraphTitle = QStringLiteral("Annual compound growth comparisons");
        showGraph(6);
    });
    connect(printer, &QPushButton::clicked, this, [this] {
        AppState &s = this->shell().state;
        print(QStringLiteral("Annual Compound Growth"), [&s](PrintFrame &f) { PrintCompoundGrowth(f, s); });
    });
    connect(exitButton, &QPushButton::clicked, this, &FindCompoundCalc::exitCalculator);

    // Opening: fresh tables, the grid, and the example figures.
    ResetCompoundGrowthTables(state);
    const QStringList h = CompoundGrowthHeadings();
    SetUpGrid(grid(), CompoundGrowthGridRows, 500,
              {{h.at(0), 1570, true},
               {h.at(1), 200, true},
               {h.at(2), 750, false},
               {h.at(3), 750, false},
               {h.at(4), 400, false},
               {h.at(5), 400, false}});
    fields()->setValue("InCost", Money::fromWhole(10000));
    fields()->setValue("InValNow", Money::fromWhole(20000));
    fields()->setValue("InTerm", Money::fromWhole(5));
    m_name->setText(QStringLiteral("XYZ mutual fund."));
    setTabOrder(cost, value);
    setTabOrder(value, term);
    setTabOrder(term, m_name);
    setTabOrder(m_name, calc);
}

QString FindCompoundCalc::helpText() const
{
    return CompoundGrowthHelpText(shell().state.CurrencySymbol);
}

void FindCompoundCalc::calculate()
{
    startCalculate();
    AppState &state = shell().state;
    const auto result = CalculateCompoundGrowth(state.InputValues.value(1), state.InputValues.value(2),
                                                state.InputValues.value(3), state.ResultCount);
    if (!result.ok()) {
        shell().dialogs.message(result.message());
        return;
    }
    const QStringList cells = AddCompoundGrowthResult(state, result.value(), m_name->text());
    if (m_rows == 0) {
        grid()->setRows(CompoundGrowthGridRows);
        grid()->clearBody();
    }
    ++m_rows;
    for (int c = 0; c < cells.size(); ++c)
        grid()->setCell(m_rows, c, cells.at(c));
    grid()->setSelection(1, 0, 1, 0);
}
