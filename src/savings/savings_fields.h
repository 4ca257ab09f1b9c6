#pragma once

#include "shell/core/tool_fields.h"

// Slots of InputValues the savings fields fill; 0, 3 and 8 are not used.
enum SavingsSlot {
    SavingsLumpSumSlot = 1,
    SavingsAmountSlot = 2,
    SavingsRateSlot = 4,
    SavingsIncreaseSlot = 5,
    SavingsInflationSlot = 6,
    SavingsYearsSlot = 7,
    SavingsLastSlot = 8
};

FieldTable SavingsFields();
