#pragma once

#include "shell/core/tool_fields.h"

// Slots of InputValues the 401(k) fields fill; slot 0 is not used.
enum Plan401KSlot {
    Plan401KBalanceSlot = 1,
    Plan401KSalarySlot = 2,
    Plan401KContributionSlot = 3,
    Plan401KCompanySlot = 4,
    Plan401KRaiseSlot = 5,
    Plan401KReturnSlot = 6,
    Plan401KInflationSlot = 7,
    Plan401KYearsSlot = 8,
    Plan401KLastSlot = 8
};

FieldTable Plan401KFields();
