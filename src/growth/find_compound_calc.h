#pragma once

#include "shell/tool_window.h"

class InputFields;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QuickHelpPanel;
class SpreadsheetGrid;

// Compares the annual compound growth of up to 22 investments, one grid row
// per Calculate.
class FindCompoundCalc : public ToolWindow
{
    Q_OBJECT

public:
    FindCompoundCalc(Shell &shell, MdiContainer &frame);

    SpreadsheetGrid *grid() const { return m_grid; }

private:
    void invalidate();
    void calculate();
    void toggleHelp();
    void showGraph();
    void toPrinter();
    void exit();
    void setUpGrid();

    InputFields *m_fields;
    SpreadsheetGrid *m_grid;
    QPlainTextEdit *m_text;
    QLineEdit *m_name;
    QuickHelpPanel *m_help;
    int m_rows = 0;
};
