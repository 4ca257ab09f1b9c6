#include "capital/capital_fields.h"
#include "shell/core/message_numbers.h"

namespace {

// Everything but the amount is the same in both options.
FieldDescription Rate()
{
    return {.control = "InRate",
            .slot = CapitalRateSlot,
            .kind = FieldKind::Percent,
            .width = 14,
            .format = "###.00",
            .next = "InTerm",
            .focus = FieldFocus::NoSelection,
            .start = "15",
            .items = FieldItems({"10", "12.5", "15", "17.5", "20"}),
            .label = " Annual interest/growth rate (%).",
            .option = "rate",
            .help = "annual interest/growth rate, percent"};
}

FieldDescription Term()
{
    return {.control = "InTerm",
            .slot = CapitalTermSlot,
            .kind = FieldKind::Years,
            .width = 17,
            .format = "###",
            .next = "CCalc",
            .limit = CapitalMaxYears,
            .limitMessage = Msg50YearsLimit,
            .focus = FieldFocus::NoSelection,
            .start = "25",
            .items = FieldItems({"5", "10", "15", "20", "25", "30"}),
            .label = " At the end of how many years.",
            .option = "term",
            .help = "at the end of how many years, 1 to 50"};
}

FieldDescription Choice(const char *start)
{
    return {.control = "CRCapitalChoices",
            .kind = FieldKind::Choice,
            .next = "InLumpInv",
            .start = start,
            .items = FieldItems({"capital", "income"}),
            .buttons = CapitalOptionCaptions(),
            .label = "Select Option",
            .option = "option",
            .help = "capital: the capital wanted; income: the yearly income wanted"};
}

} // namespace

FieldTable CapitalFields(CapitalOption option)
{
    static const FieldDescription capital[] = {
        {.control = "InLumpInv",
         .slot = CapitalAmountSlot,
         .kind = FieldKind::Money,
         .width = 13,
         .format = "####,,###.00",
         .next = "InRate",
         .focus = FieldFocus::NoSelection,
         .start = "100000",
         .items = FieldItems({"100000", "200000", "300000", "400000", "500000", "600000"}),
         .label = " Amount of capital required at     retirement",
         .option = "amount",
         .help = "the capital wanted (the yearly income with --option income)"},
        Rate(),
        Term(),
        Choice("capital"),
    };
    static const FieldDescription income[] = {
        {.control = "InLumpInv",
         .slot = CapitalAmountSlot,
         .kind = FieldKind::Money,
         .width = 13,
         .format = "####,,###.00",
         .next = "InRate",
         .focus = FieldFocus::NoSelection,
         .start = "40000",
         .items = FieldItems({"25000", "30000", "35000", "40000", "45000", "50000"}),
         .label = " Annual income required at         retirement",
         .option = "amount",
         .help = "the yearly income wanted"},
        capital[1],
        capital[2],
        Choice("income"),
    };
    if (option == CapitalOption::Income)
        return income;
    return capital;
}

FieldTable CapitalCommandFields()
{
    return CapitalFields(CapitalOption::Capital);
}

QString CapitalOptionWord(CapitalOption option)
{
    return option == CapitalOption::Income ? QStringLiteral("income") : QStringLiteral("capital");
}

bool CapitalOptionFromWord(const QString &word, CapitalOption &option)
{
    if (word == QLatin1String("capital"))
        option = CapitalOption::Capital;
    else if (word == QLatin1String("income"))
        option = CapitalOption::Income;
    else
        return false;
    return true;
}

QStringList CapitalOptionCaptions()
{
    return {QStringLiteral("Amount of capital required at retirement"),
            QStringLiteral("Annual income required at retirement")};
}
