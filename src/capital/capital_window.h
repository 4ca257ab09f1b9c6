#pragma once

#include "capital/capital_fields.h"
#include "shell/ui/calculator_window.h"

class QLabel;

// The capital planner: the yearly investment that builds a capital, or the
// capital behind a yearly income, by the end of a term.
class CapitalReqdCalc : public CalculatorWindow
{
    Q_OBJECT

public:
    CapitalReqdCalc(Shell &shell, MdiContainer &frame);

private:
    QLabel *m_amountLabel = nullptr;
};
