// Times Calculate of the longest capital table, grid included: 50 years.
#include "calc_bench.h"

#include "capital/capital_reqd_calc.h"

int main(int argc, char *argv[])
{
    return RunCalculateBench(
        argc, argv, "capital Calculate, 50 years",
        [](Shell &shell, MdiContainer &frame) { return new CapitalReqdCalc(shell, frame); },
        [](AppState &state, CalculatorWindow &) {
            state.InputValues[1] = Money::fromWhole(600000);
            state.InputValues[2] = Money::fromWhole(20);
            state.InputValues[3] = Money::fromWhole(50);
        },
        50);
}
