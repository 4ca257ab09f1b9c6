#pragma once

#include "retirement/retirement_fields.h"
#include "shell/calculator_window.h"

class QRadioButton;
class QStackedWidget;
class RetirementSession;

// The retirement planner: a capital drawn down by a percentage of its value
// each year, or by a fixed amount each month. The two choices give the last
// two fields other labels, lists and key filters; each choice has its own
// pair of those fields, and only the chosen pair is shown and carries the
// controls' names.
class RetireCalc : public CalculatorWindow
{
    Q_OBJECT

public:
    RetireCalc(Shell &shell, MdiContainer &frame);

    // What choosing an option button does.
    void choose(RetirementOption option);

private:
    RetirementSession &retirement() const;
    // The window's invalidate, for the Fixed Amount pair's own fields.
    void clearResults();
    // Gives the chosen pair the controls' names and shows it.
    void showPair(RetirementOption option);

    QRadioButton *m_percentage = nullptr;
    QRadioButton *m_fixed = nullptr;
    QStackedWidget *m_pairs = nullptr;
    QWidget *m_drawn[2] = {};
    QWidget *m_term[2] = {};
    // The Fixed Amount pair's fields (the window's own serve the others).
    InputFields *m_fixedFields = nullptr;
};
