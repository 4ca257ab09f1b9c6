#pragma once

#include "shell/input_fields.h"
#include "shell/tool_window.h"

#include <functional>
#include <vector>

class PrintFrame;
class QPlainTextEdit;
class QPushButton;
class QuickHelpPanel;
class SpreadsheetGrid;

// What every calculator window shares: its fields, its result grid, the
// Quick Help panel in the grid's place, and the buttons' common work (the
// invalidate on an edit, graph, printer and exit).
class CalculatorWindow : public ToolWindow
{
    Q_OBJECT

public:
    SpreadsheetGrid *grid() const { return m_grid; }

protected:
    CalculatorWindow(Shell &shell, MdiContainer &frame, const QString &title, const char *gridName,
                     const char *helpBoxName);

    // Called once the window's widgets exist: the field table, and the help
    // button with what it disables while the help is open.
    void setUpCalculator(std::vector<FieldRow> table, QPushButton *helpButton, QWidget *firstField,
                         std::vector<QWidget *> disabledWhileHelp);

    // Rows already calculated that an edit leaves in place; with none, an
    // edit empties the grid body.
    virtual int keptRows() const = 0;
    virtual QString helpText() const = 0;

    // The window's invalidate: an edit closes the help and takes away the
    // results that no longer match the figures. Where editClearsResults is
    // set it also clears the result count, so nothing stale is printed or
    // drawn before the next Calculate.
    void invalidate();
    // Calculate's first steps: the focused field's edit finished, the help closed.
    void startCalculate();
    void toggleHelp();
    // Message 2 when there is nothing to draw; else the graph of `kind`.
    void showGraph(qint16 kind);
    void print(const QString &title, const std::function<void(PrintFrame &)> &body);
    // Empties the shared tables, resets the shared results and goes back to the menu.
    void exitCalculator();

    InputFields *fields() const { return m_fields; }
    QPlainTextEdit *helpBox() const { return m_text; }

    bool m_editClearsResults = false;

private:
    SpreadsheetGrid *m_grid;
    QPlainTextEdit *m_text;
    InputFields *m_fields = nullptr;
    QuickHelpPanel *m_help = nullptr;
};
