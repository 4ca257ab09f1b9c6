#pragma once

#include "retirement/retirement_fields.h"
#include "shell/ui/calculator_window.h"

// The retirement planner: a capital drawn down by a percentage of its value
// each year, or by a fixed amount each month. The two choices give the last
// two fields other labels, lists and key filters.
class RetireCalc : public CalculatorWindow
{
    Q_OBJECT

public:
    RetireCalc(Shell &shell, MdiContainer &frame);
};
