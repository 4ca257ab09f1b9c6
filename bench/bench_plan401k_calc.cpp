// Times Calculate of the longest 401(k) table, grid included: 50 years with
// a balance and inflation (a 55-row grid).
#include "calc_bench.h"

#include "plan401k/plan401k_window.h"
#include "plan401k/plan401k_fields.h"

int main(int argc, char *argv[])
{
    return RunCalculateBench(
        argc, argv, "401(k) Calculate, 50 years",
        [](Shell &shell, MdiContainer &frame) { return new Plan401KCalc(shell, frame); },
        [](AppState &, CalculatorWindow &window) {
            window.session().data().InputValues[Plan401KInflationSlot] = Money::fromWhole(3);
            window.session().data().InputValues[Plan401KYearsSlot] = Money::fromWhole(50);
        },
        50);
}
