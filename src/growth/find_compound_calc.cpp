#include "growth/find_compound_calc.h"

#include "graph/graphs_all.h"
#include "growth/compound_growth.h"
#include "shell/calculator_parts.h"
#include "shell/input_fields.h"
#include "shell/mdi_container.h"
#include "shell/print_frame.h"
#include "shell/quick_help_panel.h"
#include "shell/shell.h"
#include "shell/spreadsheet_grid.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

FindCompoundCalc::FindCompoundCalc(Shell &shell, MdiContainer &frame)
    : ToolWindow(shell, frame, QStringLiteral(" Find Annual Compound Growth")), m_grid(new SpreadsheetGrid(this)),
      m_text(new QPlainTextEdit(this)), m_name(MakeYellowBox("NamInv", this))
{
    setObjectName(QStringLiteral("FindCompoundCalc"));
    setAutoFillBackground(true);
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

    m_text->setObjectName(QStringLiteral("FTextBox"));
    m_grid->setObjectName(QStringLiteral("FGrid"));
    auto *top = new QHBoxLayout;
    top->addLayout(form, 3);
    top->addSpacing(12);
    top->addLayout(buttons, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_text, 1);

    m_help = new QuickHelpPanel(help, m_text, m_grid, {printer, graphs}, cost);
    m_fields = new InputFields(shell, this,
                               {
                                   {"InCost", 1, FieldKind::Money, 16, "InValNow"},
                                   {"InValNow", 2, FieldKind::Money, 16, "InTerm"},
                                   {"InTerm", 3, FieldKind::Years, 19, "NamInv", CompoundGrowthMaxYears, 4},
                                   {"NamInv", -1, FieldKind::Text, 0, "FCalc"},
                               },
                               [this] { invalidate(); });

    connect(calc, &QPushButton::clicked, this, &FindCompoundCalc::calculate);
    connect(graphs, &QPushButton::clicked, this, &FindCompoundCalc::showGraph);
    connect(help, &QPushButton::clicked, this, &FindCompoundCalc::toggleHelp);
    connect(printer, &QPushButton::clicked, this, &FindCompoundCalc::toPrinter);
    connect(exitButton, &QPushButton::clicked, this, &FindCompoundCalc::exit);

    // Opening: fresh tables, the grid, and the example figures.
    ResetCompoundGrowthTables(state);
    setUpGrid();
    m_fields->setValue("InCost", Money::fromWhole(10000));
    m_fields->setValue("InValNow", Money::fromWhole(20000));
    m_fields->setValue("InTerm", Money::fromWhole(5));
    m_name->setText(QStringLiteral("XYZ mutual fund."));
    setTabOrder(cost, value);
    setTabOrder(value, term);
    setTabOrder(term, m_name);
    setTabOrder(m_name, calc);
    setFocusProxy(cost);
}

void FindCompoundCalc::setUpGrid()
{
    const QStringList h = CompoundGrowthHeadings();
    SetUpGrid(m_grid, CompoundGrowthGridRows, 500,
              {{h.at(0), 1570, true},
               {h.at(1), 200, true},
               {h.at(2), 750, false},
               {h.at(3), 750, false},
               {h.at(4), 400, false},
               {h.at(5), 400, false}});
}

void FindCompoundCalc::invalidate()
{
    AppState &state = shell().state;
    state.FieldEdited = 1;
    if (state.QuickHelpOpen == 1)
        return;
    m_help->clearText();
    if (m_rows == 0)
        m_grid->clearBody();
    if (m_help->isOpen()) {
        m_help->close();
        state.FieldEdited = 0;
    }
    state.QuickHelpOpen = 0;
}

void FindCompoundCalc::calculate()
{
    m_fields->finishEdit();
    AppState &state = shell().state;
    state.QuickHelpOpen = 0;
    invalidate();
    state.FieldEdited = 0;

    const auto result = CalculateCompoundGrowth(state.InputValues.value(1), state.InputValues.value(2),
                                                state.InputValues.value(3), state.ResultCount);
    if (!result.ok()) {
        shell().dialogs.message(result.message());
        return;
    }
    const QStringList cells = AddCompoundGrowthResult(state, result.value(), m_name->text());
    if (m_rows == 0) {
        m_grid->setRows(CompoundGrowthGridRows);
        m_grid->clearBody();
    }
    ++m_rows;
    for (int c = 0; c < cells.size(); ++c)
        m_grid->setCell(m_rows, c, cells.at(c));
    m_grid->setSelection(1, 0, 1, 0);
}

void FindCompoundCalc::toggleHelp()
{
    AppState &state = shell().state;
    state.QuickHelpOpen = state.QuickHelpOpen == 1 ? 0 : 1;
    if (!m_help->isOpen())
        m_help->open(CompoundGrowthHelpText(state.CurrencySymbol));
    else
        invalidate();
}

void FindCompoundCalc::showGraph()
{
    m_fields->finishEdit();
    AppState &state = shell().state;
    if (state.ResultCount == 0) {
        shell().dialogs.message(2);
        return;
    }
    state.GraphTitle = QStringLiteral("Annual compound growth comparisons");
    state.GraphKind = 6;
    frame().showOverTool(new GraphsAll(shell(), frame()));
}

void FindCompoundCalc::toPrinter()
{
    m_fields->finishEdit();
    AppState &state = shell().state;
    RunPrintout(state, shell().dialogs, shell().printer, QStringLiteral("Annual Compound Growth"),
                [&state](PrintFrame &frame) { PrintCompoundGrowth(frame, state); });
}

void FindCompoundCalc::exit()
{
    AppState &state = shell().state;
    state.InputValues.clear();
    state.PrintBlocks.clear();
    state.PrintBlocks2.clear();
    state.GraphData.clear();
    state.CalcMode = 0;
    state.ResultCount = 0;
    state.GraphKind = 0;
    exitToMenu();
}
