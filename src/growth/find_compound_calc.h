#pragma once

#include "shell/calculator_window.h"

class QLineEdit;

// Compares the annual compound growth of up to 22 investments, one grid row
// per Calculate.
class FindCompoundCalc : public CalculatorWindow
{
    Q_OBJECT

public:
    FindCompoundCalc(Shell &shell, MdiContainer &frame);

protected:
    int keptRows() const override { return m_rows; }
    QString helpText() const override;

private:
    void calculate();

    QLineEdit *m_name;
    int m_rows = 0;
};
