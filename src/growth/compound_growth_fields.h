#pragma once

#include "shell/core/tool_fields.h"

// Slots of InputValues the compound growth fields fill.
enum CompoundGrowthSlot { GrowthCostSlot = 1, GrowthValueSlot = 2, GrowthTermSlot = 3, GrowthLastSlot = 3 };

FieldTable CompoundGrowthFields();
