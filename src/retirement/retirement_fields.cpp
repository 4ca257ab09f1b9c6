#include "retirement/retirement_fields.h"
#include "shell/core/message_numbers.h"

namespace {

const QStringList CapitalItems = FieldItems({"500000", "600000", "700000", "800000", "900000", "1000000"});

const FieldDescription PercentageCapital{
    .control = "InInvest",
    .slot = RetirementCapitalSlot,
    .kind = FieldKind::Money,
    .width = 13,
    .format = "####,,###.00",
    .next = "InRate",
    .focus = FieldFocus::NoSelection,
    .start = "500000",
    .items = CapitalItems,
    .label = " Current value of your             investment on retirement",
    .option = "capital",
    .help = "current value of the investment on retirement"};

// Choosing Fixed Amount puts 100000 in the capital.
FieldDescription FixedCapitalField()
{
    FieldDescription field = PercentageCapital;
    field.start = "100000";
    return field;
}
const FieldDescription FixedCapital = FixedCapitalField();

const FieldDescription Rate{
    .control = "InRate",
    .slot = RetirementRateSlot,
    .kind = FieldKind::Percent,
    .width = 14,
    .format = "###.00",
    .next = "InRateDrawn",
    .focus = FieldFocus::NoSelection,
    .start = "10",
    .items = FieldItems({"10", "12.5 ", "15", "17.5 ", "20"}),
    .label = " Annual interest/growth          rate (%).",
    .option = "rate",
    .help = "annual interest/growth rate, percent"};

// The choice itself: option buttons in the window, --option on the command line.
const FieldDescription Choice{
    .control = RetirementOptionControl,
    .kind = FieldKind::Choice,
    .next = "InRateDrawn",
    .start = "percentage",
    .items = FieldItems({"percentage", "fixed"}),
    .buttons = FieldItems({"Percentage", "Fixed Amount"}),
    .buttonNames = FieldItems({"Option1", "Option2"}),
    .label = " Withdrawal choices:",
    .option = "option",
    .help = "percentage (a share of the value each year) or fixed (an amount each month)"};

const FieldDescription PercentageDrawn{
    .control = "InRateDrawn",
    .slot = RetirementDrawnSlot,
    .kind = FieldKind::Percent,
    .width = 14,
    .format = "###.00",
    .next = "InTerm",
    .focus = FieldFocus::NoSelection,
    .start = "8",
    .items = FieldItems({"10", "12.5", "15", "17.5", "20"}),
    .label = " Annual Income Withdrawn    as a (%) of Current Value.",
    .option = "withdrawal",
    .help = "percentage: percent of the value withdrawn a year; fixed: amount withdrawn a month"};

const FieldDescription PercentageYears{
    .control = "InTerm",
    .slot = RetirementTermSlot,
    .kind = FieldKind::Years,
    .width = 17,
    .format = "###",
    .next = "RCalc",
    .limit = 50,
    .limitMessage = Msg50YearsLimit,
    .focus = FieldFocus::NoSelection,
    .start = "20",
    .items = FieldItems({"10", "15", "20", "25", "30"}),
    .label = " Time in years",
    .option = "years",
    .help = "percentage: number of years, at most 50"};

const FieldDescription FixedDrawn{
    .control = "InRateDrawn",
    .slot = RetirementDrawnSlot,
    .kind = FieldKind::Money,
    .width = 13,
    .format = "####,,###.00",
    .next = "InTerm",
    .focus = FieldFocus::NoSelection,
    .start = "1000",
    .items = FieldItems({"1000", "2000", "3000", "4000"}),
    .label = " Monthly Amount of Cash        Withdrawn.",
    .option = "withdrawal",
    .help = "amount withdrawn a month"};

const FieldDescription FixedIncrease{
    .control = "InTerm",
    .slot = RetirementTermSlot,
    .kind = FieldKind::Percent,
    .width = 15,
    .format = "###.00",
    .next = "RCalc",
    .focus = FieldFocus::NoSelection,
    .start = "0",
    .startWidth = 17,
    .items = FieldItems({"2", "2.5", "3", "3.5"}),
    .label = " Increase Annual Amount       Withdrawn by %.",
    .option = "increase",
    .help = "fixed: yearly increase of the monthly amount, percent"};

} // namespace

QString RetirementOptionName(RetirementOption option)
{
    return option == RetirementOption::FixedAmount ? QStringLiteral("fixed") : QStringLiteral("percentage");
}

bool RetirementOptionFromName(const QString &name, RetirementOption &option)
{
    if (name == QLatin1String("percentage"))
        option = RetirementOption::Percentage;
    else if (name == QLatin1String("fixed"))
        option = RetirementOption::FixedAmount;
    else
        return false;
    return true;
}

FieldTable RetirementPercentageFields()
{
    static const FieldDescription fields[] = {PercentageCapital, Rate, Choice, PercentageDrawn, PercentageYears};
    return fields;
}

FieldTable RetirementFixedAmountFields()
{
    static const FieldDescription fields[] = {FixedCapital, Rate, Choice, FixedDrawn, FixedIncrease};
    return fields;
}

FieldTable RetirementFields(RetirementOption option)
{
    return option == RetirementOption::FixedAmount ? RetirementFixedAmountFields() : RetirementPercentageFields();
}

FieldTable RetirementCommandFields()
{
    // The command line's defaults are those of the Percentage choice.
    static const FieldDescription fields[] = {Choice,          PercentageCapital, Rate,
                                              PercentageDrawn, PercentageYears,   FixedIncrease};
    return fields;
}
