#pragma once

#include "shell/calculator_window.h"

// The savings planner: a period-by-period plan (CalcMode 1) or a comparison
// of up to 22 plans, one row each (CalcMode 2).
class SavingsCalc : public CalculatorWindow
{
    Q_OBJECT

public:
    SavingsCalc(Shell &shell, MdiContainer &frame);
};
