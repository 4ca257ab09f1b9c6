#pragma once

#include "shell/core/tool_fields.h"

// Slots of InputValues the record entry row fills.
enum RecordEntrySlot {
    RecordPriceSlot = 1,
    RecordSharesSlot = 2,
    RecordFeesSlot = 3,
    RecordCashDividendSlot = 4,
    RecordLastSlot = 5
};

// The record entry window's fund and type lists and its entry row: the date
// and the four amounts, which take four decimals. The number of shares is a
// count and shows no currency symbol.
FieldTable RecordEntryFields();

// The price window's valuation date: the day the annual returns run to.
FieldTable ValuationDateFields();
