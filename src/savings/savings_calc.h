#pragma once

#include "shell/calculator_window.h"

class QComboBox;

// The savings planner: a period-by-period plan (CalcMode 1) or a comparison
// of up to 22 plans, one row each (CalcMode 2).
class SavingsCalc : public CalculatorWindow
{
    Q_OBJECT

public:
    SavingsCalc(Shell &shell, MdiContainer &frame);

protected:
    int keptRows() const override { return m_entries; }
    QString helpText() const override;

private:
    bool comparing() const;
    void calculate();

    QComboBox *m_frequency;
    int m_entries = 0;
    int m_periods = 0;
};
