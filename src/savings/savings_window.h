#pragma once

#include "savings/savings_session.h"
#include "shell/ui/calculator_window.h"

// The savings planner: a period-by-period plan or a comparison of up to 22
// plans, one row each.
class SavingsCalc : public CalculatorWindow
{
    Q_OBJECT

public:
    SavingsCalc(Shell &shell, MdiContainer &frame, SavingsMode mode);
};
