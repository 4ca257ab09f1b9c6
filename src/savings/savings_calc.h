#pragma once

#include "shell/tool_window.h"

class InputFields;
class QComboBox;
class QPlainTextEdit;
class QuickHelpPanel;
class SpreadsheetGrid;

// The savings planner: a period-by-period plan (CalcMode 1) or a comparison
// of up to 22 plans, one row each (CalcMode 2).
class SavingsCalc : public ToolWindow
{
    Q_OBJECT

public:
    SavingsCalc(Shell &shell, MdiContainer &frame);

    SpreadsheetGrid *grid() const { return m_grid; }

private:
    bool comparing() const;
    void invalidate();
    void calculate();
    void toggleHelp();
    void showGraph();
    void toPrinter();
    void exit();

    InputFields *m_fields;
    SpreadsheetGrid *m_grid;
    QPlainTextEdit *m_text;
    QComboBox *m_frequency;
    QuickHelpPanel *m_help;
    int m_entries = 0;
    int m_periods = 0;
};
