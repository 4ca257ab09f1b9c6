#pragma once

#include "shell/ui/input_fields.h"
#include "shell/core/tool_session.h"
#include "shell/ui/tool_window.h"

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QuickHelpPanel;
class SpreadsheetGrid;

// What every calculator window shares: its fields built from the tool's
// description, its result grid, the Quick Help panel in the grid's place,
// and the five command buttons, all driving the tool's session. A window
// made on it is widgets and layout only.
class CalculatorWindow : public ToolWindow
{
    Q_OBJECT

public:
    ~CalculatorWindow() override;
    SpreadsheetGrid *grid() const { return m_grid; }
    ToolSession &session() const { return *m_session; }

protected:
    // `letter` names the window's controls: FGrid, FTextBox, FCalc ... for "F".
    CalculatorWindow(Shell &shell, MdiContainer &frame, const QString &title, const char *letter,
                     std::unique_ptr<ToolSession> session);

    // The field of the tool's field table with this control name, made as
    // its field table says (a yellow box, a list with its items), and the
    // label that goes beside it.
    // A Choice field with buttons is a frame of option buttons, one per
    // item; choosing another asks the session for that option.
    QWidget *field(const char *control);
    QWidget *label(const char *control);
    // The five command buttons, made with their names from the letter.
    QPushButton *calculateButton() const { return m_buttons[0]; }
    QPushButton *graphButton() const { return m_buttons[1]; }
    QPushButton *helpButton() const { return m_buttons[2]; }
    QPushButton *printerButton() const { return m_buttons[3]; }
    QPushButton *exitButton() const { return m_buttons[4]; }

    // Called once the layout holds every field: checks that each control
    // the field table names exists (a missing one stops the program in any
    // build, so a misspelt name cannot ship), wires the fields and buttons,
    // lays out the grid and shows the opening figures.
    void setUpCalculator();

    // The session chose another option and describes its fields anew: the
    // same widgets take the new kinds, formats, limits, labels and lists and
    // show the figures in their slots. The results shown no longer match
    // and go; an open help panel shows the option's own text instead.
    void optionChanged();

    // The window's invalidate: an edit closes the help and takes away the
    // results that no longer match the figures.
    void invalidate();

    // Hooks for windows that show more than the grid: before the session's
    // Calculate (the focused box already finished), after a Calculate that
    // gave results, after the results were cleared by an edit or a refusal,
    // and after an option change gave the fields their new descriptions.
    virtual void beforeCalculate() {}
    virtual void afterCalculate(const GridUpdate &) {}
    virtual void afterResultsCleared() {}
    virtual void afterOptionChanged() {}

    InputFields *fields() const { return m_fields; }
    QPlainTextEdit *helpBox() const { return m_text; }

private:
    QWidget *optionButtons(const FieldDescription &description);
    void chooseOptionButton(const QByteArray &control, int index);
    void makeInputFields();
    void calculate();
    void toggleHelp();
    void showGraph();
    void print();
    void exitCalculator();
    void applyGridUpdate(const GridUpdate &update);
    QString fieldText(const FieldDescription &field) const;

    std::unique_ptr<ToolSession> m_session;
    SpreadsheetGrid *m_grid;
    QPlainTextEdit *m_text;
    QPushButton *m_buttons[5];
    InputFields *m_fields = nullptr;
    QuickHelpPanel *m_help = nullptr;
    // Edits made while the help is up leave the results alone.
    bool m_quickHelpOpen = false;
    std::vector<std::pair<QByteArray, QLabel *>> m_labels;
};
