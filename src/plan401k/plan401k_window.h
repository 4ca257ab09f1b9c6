#pragma once

#include "shell/ui/calculator_window.h"

// The 401(k) planner: the account year by year from salary, contribution
// rates, raises, the rate of return and inflation.
class Plan401KCalc : public CalculatorWindow
{
    Q_OBJECT

public:
    Plan401KCalc(Shell &shell, MdiContainer &frame);
};
