// Times Calculate of the largest savings plan, grid included: 40 years of
// monthly contributions (480 periods, a 484-row grid).
#include "calc_bench.h"

#include "savings/savings_calc.h"

#include <QComboBox>

int main(int argc, char *argv[])
{
    return RunCalculateBench(
        argc, argv, "savings Calculate, 40 years monthly",
        [](Shell &shell, MdiContainer &frame) { return new SavingsCalc(shell, frame, SavingsMode::Planning); },
        [](AppState &state, CalculatorWindow &window) {
            window.findChild<QComboBox *>(QStringLiteral("InMonthsYrs"))->setCurrentText(QStringLiteral("Monthly"));
            state.InputValues[2] = Money::fromWhole(100);
            state.InputValues[5] = Money::fromWhole(3);
            state.InputValues[7] = Money::fromWhole(40);
        },
        40);
}
