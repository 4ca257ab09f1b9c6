// Times Calculate of the largest savings plan, grid included: 40 years of
// monthly contributions (480 periods, a 484-row grid).
#include "calc_bench.h"

#include "savings/savings_window.h"

#include <QComboBox>

int main(int argc, char *argv[])
{
    return RunCalculateBench(
        argc, argv, "savings Calculate, 40 years monthly",
        [](Shell &shell, MdiContainer &frame) { return new SavingsCalc(shell, frame, SavingsMode::Planning); },
        [](AppState &, CalculatorWindow &window) {
            window.findChild<QComboBox *>(QStringLiteral("InMonthsYrs"))->setCurrentText(QStringLiteral("Monthly"));
            window.session().data().InputValues[2] = Money::fromWhole(100);
            window.session().data().InputValues[5] = Money::fromWhole(3);
            window.session().data().InputValues[7] = Money::fromWhole(40);
        },
        40);
}
