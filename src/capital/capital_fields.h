#pragma once

#include "shell/core/tool_fields.h"

// Slots of InputValues the capital fields fill; 0 is not used.
enum CapitalSlot {
    CapitalAmountSlot = 1, // the capital wanted, or the yearly income wanted
    CapitalRateSlot = 2,   // yearly interest/growth, percent
    CapitalTermSlot = 3,   // years
    CapitalLastSlot = 3
};

// The two targets: a capital, or the yearly income a capital gives.
enum class CapitalOption { Capital, Income };

inline constexpr int CapitalMaxYears = 50;

// The fields of one option: the amount (its label, list and opening figure
// are the option's own), the rate, the term, and the option itself, which
// the window shows as a pair of option buttons and the command line takes
// as --option capital|income.
FieldTable CapitalFields(CapitalOption option);
// The command line's table: the capital option's.
FieldTable CapitalCommandFields();

// "capital" or "income", as the command line and the option field name them.
QString CapitalOptionWord(CapitalOption option);
// The option a word names; false for any other text.
bool CapitalOptionFromWord(const QString &word, CapitalOption &option);
// Captions of the two option buttons, in their order.
QStringList CapitalOptionCaptions();
