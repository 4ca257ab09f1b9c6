#pragma once

#include "capital/capital_fields.h"
#include "shell/calculator_window.h"

class QLabel;
class QRadioButton;

// The capital planner: the yearly investment that builds a capital, or the
// capital behind a yearly income, by the end of a term.
class CapitalReqdCalc : public CalculatorWindow
{
    Q_OBJECT

public:
    CapitalReqdCalc(Shell &shell, MdiContainer &frame);

private:
    void chooseOption(CapitalOption option);

    QRadioButton *m_options[2];
    QLabel *m_amountLabel = nullptr;
};
