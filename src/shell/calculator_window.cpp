#include "shell/calculator_window.h"

#include "graph/graphs_all.h"
#include "shell/mdi_container.h"
#include "shell/print_frame.h"
#include "shell/quick_help_panel.h"
#include "shell/shell.h"
#include "shell/spreadsheet_grid.h"

#include <QPlainTextEdit>
#include <QPushButton>

CalculatorWindow::CalculatorWindow(Shell &shell, MdiContainer &frame, const QString &title, const char *gridName,
                                   const char *helpBoxName)
    : ToolWindow(shell, frame, title), m_grid(new SpreadsheetGrid(this)), m_text(new QPlainTextEdit(this))
{
    m_grid->setObjectName(QLatin1String(gridName));
    m_text->setObjectName(QLatin1String(helpBoxName));
}

void CalculatorWindow::setUpCalculator(std::vector<FieldRow> table, QPushButton *helpButton, QWidget *firstField,
                                       std::vector<QWidget *> disabledWhileHelp)
{
    m_help = new QuickHelpPanel(helpButton, m_text, m_grid, std::move(disabledWhileHelp), firstField);
    m_fields = new InputFields(shell(), this, std::move(table), [this] { invalidate(); });
    connect(helpButton, &QPushButton::clicked, this, &CalculatorWindow::toggleHelp);
    setFocusProxy(firstField);
}

void CalculatorWindow::invalidate()
{
    AppState &state = shell().state;
    state.FieldEdited = 1;
    if (state.QuickHelpOpen == 1)
        return;
    m_help->clearText();
    if (keptRows() == 0)
        m_grid->clearBody();
    if (m_help->isOpen()) {
        m_help->close();
        state.FieldEdited = 0;
    }
    state.QuickHelpOpen = 0;
    if (m_editClearsResults)
        state.ResultCount = 0;
}

void CalculatorWindow::startCalculate()
{
    m_fields->finishEdit();
    AppState &state = shell().state;
    state.QuickHelpOpen = 0;
    invalidate();
    state.FieldEdited = 0;
}

void CalculatorWindow::toggleHelp()
{
    AppState &state = shell().state;
    state.QuickHelpOpen = state.QuickHelpOpen == 1 ? 0 : 1;
    if (!m_help->isOpen())
        m_help->open(helpText());
    else
        invalidate();
}

void CalculatorWindow::showGraph(qint16 kind)
{
    m_fields->finishEdit();
    AppState &state = shell().state;
    if (state.ResultCount == 0) {
        shell().dialogs.message(2);
        return;
    }
    state.GraphKind = kind;
    frame().showOverTool(new GraphsAll(shell(), frame()));
}

void CalculatorWindow::print(const QString &title, const std::function<void(PrintFrame &)> &body)
{
    m_fields->finishEdit();
    RunPrintout(shell().state, shell().dialogs, shell().printer, title, body);
}

void CalculatorWindow::exitCalculator()
{
    AppState &state = shell().state;
    state.InputValues.clear();
    state.GraphData.clear();
    state.CompareData.clear();
    state.CompareNames.clear();
    state.PrintBlocks.clear();
    state.PrintBlocks2.clear();
    state.CalcMode = 0;
    state.ResultCount = 0;
    state.GraphKind = 0;
    exitToMenu();
}
