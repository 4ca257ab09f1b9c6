#include "growth/compound_growth_fields.h"
#include "shell/core/message_numbers.h"

#include "growth/compound_growth.h"

FieldTable CompoundGrowthFields()
{
    static const FieldDescription fields[] = {
        {.control = "InCost",
         .slot = GrowthCostSlot,
         .kind = FieldKind::Money,
         .width = 16,
         .next = "InValNow",
         .start = "10000",
         .label = "Purchase cost of your investment.",
         .option = "cost",
         .help = "purchase cost of the investment"},
        {.control = "InValNow",
         .slot = GrowthValueSlot,
         .kind = FieldKind::Money,
         .width = 16,
         .next = "InTerm",
         .start = "20000",
         .label = "Present or future value.",
         .option = "value",
         .help = "present or future value"},
        {.control = "InTerm",
         .slot = GrowthTermSlot,
         .kind = FieldKind::Years,
         .width = 19,
         .next = "NamInv",
         .limit = CompoundGrowthMaxYears,
         .limitMessage = Msg50YearsLimit,
         .start = "5",
         .label = "Term in years.",
         .option = "years",
         .help = "term in years, 1 to 50"},
        {.control = "NamInv",
         .kind = FieldKind::Text,
         .next = "FCalc",
         .start = "XYZ mutual fund.",
         .label = "Optional: Name of your investment.",
         .option = "name",
         .help = "name of the investment (may be empty)"},
    };
    return fields;
}
