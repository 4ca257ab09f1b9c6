#pragma once

#include "shell/ui/calculator_window.h"

// Compares the annual compound growth of up to 22 investments, one grid row
// per Calculate.
class FindCompoundCalc : public CalculatorWindow
{
    Q_OBJECT

public:
    FindCompoundCalc(Shell &shell, MdiContainer &frame);
};
