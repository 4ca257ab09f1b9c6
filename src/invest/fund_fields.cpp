#include "invest/fund_fields.h"

#include "invest/fund_database.h"
#include "shell/core/message_numbers.h"

namespace {

// Four decimals, and one digit before the point: 0.5 shows as 0.5000.
constexpr const char *AmountFormat = "####,,##0.0000";

} // namespace

FieldTable RecordEntryFields()
{
    static const FieldDescription fields[] = {
        {.control = "Funds", .kind = FieldKind::Choice, .next = "ETransType", .label = "Name of active Fund."},
        {.control = "ETransType",
         .kind = FieldKind::Choice,
         .next = "InDate",
         .items = EntryTypeNames(),
         .label = "Select Transaction Type from list."},
        // Enter moves on by the transaction type; the price box is the usual next one.
        {.control = "InDate",
         .kind = FieldKind::Date,
         .next = "InPrice",
         .limitMessage = MsgDateFormat,
         .mayBeEmpty = true,
         .label = "Transaction Date."},
        {.control = "InPrice",
         .slot = RecordPriceSlot,
         .kind = FieldKind::Money,
         .width = 1,
         .decimals = 4,
         .format = AmountFormat,
         .next = "InNumber",
         .label = "Price of each Share."},
        {.control = "InNumber",
         .slot = RecordSharesSlot,
         .kind = FieldKind::Number,
         .width = 1,
         .decimals = 4,
         .format = AmountFormat,
         .next = "InComm",
         .label = "Number of Shares."},
        {.control = "InComm",
         .slot = RecordFeesSlot,
         .kind = FieldKind::Money,
         .width = 1,
         .decimals = 4,
         .format = AmountFormat,
         .next = "AddaRec",
         .label = "Total Fees or Commission."},
        {.control = "InCashDiv",
         .slot = RecordCashDividendSlot,
         .kind = FieldKind::Money,
         .width = 1,
         .decimals = 4,
         .format = AmountFormat,
         .next = "AddaRec",
         .label = "Total of Cash Dividends."},
    };
    return fields;
}

FieldTable ValuationDateFields()
{
    static const FieldDescription fields[] = {{.control = "ValDate",
                                               .kind = FieldKind::Date,
                                               .next = "CurValOK",
                                               .limitMessage = MsgDateFormat,
                                               .focus = FieldFocus::NoSelection,
                                               .label = "Annual returns to"}};
    return fields;
}
