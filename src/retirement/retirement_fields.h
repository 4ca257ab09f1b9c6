#pragma once

#include "shell/core/tool_fields.h"

// Slots of InputValues the retirement fields fill; 0 and 5 are not used.
// Slots 3 and 4 mean different things under the two withdrawal choices.
enum RetirementSlot {
    RetirementCapitalSlot = 1,
    RetirementRateSlot = 2,
    RetirementDrawnSlot = 3, // percent a year, or the amount a month
    RetirementTermSlot = 4,  // years, or the yearly increase in percent
    RetirementLastSlot = 5
};

// The withdrawal choices.
enum class RetirementOption : qint16 { Percentage = 0, FixedAmount = 2 };

// The control of the withdrawal choice, and its texts on the command line.
inline constexpr const char *RetirementOptionControl = "ROptions";
QString RetirementOptionName(RetirementOption option);
// Percentage or FixedAmount for "percentage" or "fixed"; false for anything else.
bool RetirementOptionFromName(const QString &name, RetirementOption &option);

// The fields under each choice: the same controls, with the labels, lists,
// openings and key filters of that choice.
FieldTable RetirementPercentageFields();
FieldTable RetirementFixedAmountFields();
FieldTable RetirementFields(RetirementOption option);
// Every option the command line takes: the choice, and the fields of both.
FieldTable RetirementCommandFields();
