// Times Calculate of the longest capital table, grid included: 50 years.
#include "calc_bench.h"

#include "capital/capital_window.h"

int main(int argc, char *argv[])
{
    return RunCalculateBench(
        argc, argv, "capital Calculate, 50 years",
        [](Shell &shell, MdiContainer &frame) { return new CapitalReqdCalc(shell, frame); },
        [](AppState &, CalculatorWindow &window) {
            window.session().data().InputValues[1] = Money::fromWhole(600000);
            window.session().data().InputValues[2] = Money::fromWhole(20);
            window.session().data().InputValues[3] = Money::fromWhole(50);
        },
        50);
}
