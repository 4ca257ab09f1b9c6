// Times Calculate of the longest retirement table, grid included: a fixed
// amount that lasts the whole 50 years (600 monthly steps).
#include "calc_bench.h"

#include "retirement/retirement_window.h"
#include "retirement/retirement_fields.h"

#include <QRadioButton>

int main(int argc, char *argv[])
{
    return RunCalculateBench(
        argc, argv, "retirement Calculate, fixed amount 50 years",
        [](Shell &shell, MdiContainer &frame) { return new RetireCalc(shell, frame); },
        [](AppState &, CalculatorWindow &window) {
            window.findChild<QRadioButton *>(QStringLiteral("Option2"))->click();
            window.session().data().InputValues[RetirementDrawnSlot] = Money::fromWhole(500);
            window.session().data().InputValues[RetirementTermSlot] = Money::fromWhole(2);
        },
        50);
}
