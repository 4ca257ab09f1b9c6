#include "savings/savings_fields.h"
#include "shell/message_numbers.h"

#include "savings/savings_plan.h"

namespace {
QStringList Items(std::initializer_list<const char *> texts)
{
    QStringList items;
    for (const char *text : texts)
        items << QLatin1String(text);
    return items;
}
} // namespace

FieldTable SavingsFields()
{
    static const FieldDescription fields[] = {
        {.control = "InLumpInv",
         .slot = SavingsLumpSumSlot,
         .kind = FieldKind::Money,
         .width = 13,
         .format = "###,,###.00",
         .next = "InInvest",
         .focus = FieldFocus::ClickInvalidates,
         .start = "0",
         .startWidth = 15,
         .items = Items({"10000", "15000", "20000", "25000", "30000", "35000"}),
         .label = " Amount of  lump sum             invested at start.",
         .option = "lump-sum",
         .help = "lump sum invested at start"},
        {.control = "InInvest",
         .slot = SavingsAmountSlot,
         .kind = FieldKind::Money,
         .width = 13,
         .next = "InMonthsYrs",
         .focus = FieldFocus::ClickInvalidates,
         .start = "1200",
         .items = Items({"100", "300", "1200"}),
         .label = " Amount invested at each       contribution period.",
         .option = "amount",
         .help = "amount invested at each contribution period"},
        {.control = "InMonthsYrs",
         .kind = FieldKind::Choice,
         .next = "InRate",
         .focus = FieldFocus::ClickInvalidates,
         .start = "Annually",
         .items = Items({"Annually", "Quarterly", "Monthly"}),
         .label = " Frequency of each                contribution period.",
         .option = "frequency",
         .help = "Annually, Quarterly or Monthly"},
        {.control = "InRate",
         .slot = SavingsRateSlot,
         .kind = FieldKind::Percent,
         .width = 14,
         .next = "InIncrRate",
         .focus = FieldFocus::ClickInvalidates,
         .start = "20",
         .items = Items({"10", "12.5", "15", "17.5", "20"}),
         .label = " Annual interest/growth          rate (%).",
         .option = "rate",
         .help = "annual interest/growth rate, percent"},
        {.control = "InIncrRate",
         .slot = SavingsIncreaseSlot,
         .kind = FieldKind::Percent,
         .width = 14,
         .next = "inInflatRate",
         .allowMinus = true,
         .focus = FieldFocus::ClickInvalidates,
         .start = "0",
         .items = Items({"3", "4", "5", "6", "7"}),
         .label = " Increase the annual               investment rate(%) by",
         .option = "increase",
         .help = "yearly increase of the amount, percent (may be negative)"},
        {.control = "inInflatRate",
         .slot = SavingsInflationSlot,
         .kind = FieldKind::Percent,
         .width = 14,
         .next = "InTerm",
         .allowMinus = true,
         .focus = FieldFocus::ClickInvalidates,
         .start = "0",
         .items = Items({"3", "4", "5", "6", "7"}),
         .label = " Adjust current value for          annual inflation rate(%).     ",
         .option = "inflation",
         .help = "annual inflation rate, percent (may be negative)"},
        {.control = "InTerm",
         .slot = SavingsYearsSlot,
         .kind = FieldKind::Years,
         .width = 17,
         .format = "###",
         .next = "SCalc",
         .limit = SavingsMaxYears,
         .limitMessage = Msg40YearsLimit,
         .focus = FieldFocus::ClickInvalidates,
         .start = "25",
         .items = Items({"5", "10", "15", "20", "25", "30"}),
         .label = " Number of years invested.",
         .option = "years",
         .help = "number of years invested, 1 to 40"},
    };
    return fields;
}
