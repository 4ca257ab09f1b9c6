#include "mortgage/mortgage_fields.h"
#include "shell/core/message_numbers.h"

namespace {

int ItemIndex(const QStringList &items, const QString &text)
{
    const int exact = int(items.indexOf(text));
    if (exact >= 0)
        return exact;
    const QString name = text.trimmed();
    if (name.isEmpty())
        return -1;
    for (int i = 0; i < items.size(); ++i)
        if (items.at(i).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const DaysRow DaysRows[DaysOptionCount] = {
    {"365.25", 26.08928571, 52.17857143, 365.25f},
    {"365", 26.07142857, 52.14285714, 365.0f},
    {"364", 26.0, 52.0, 364.0f},
    {"363", 25.92857143, 51.85714286, 363.0f},
};

FieldDescription Principal(MortgageKind kind)
{
    const bool loan = kind == MortgageKind::Loan;
    return {.control = "InPrincipal",
            .slot = MortgagePrincipalSlot,
            .kind = FieldKind::Money,
            .width = 16,
            .format = "####,,###.00",
            .next = "InRate",
            .start = loan ? "20000" : "100000",
            .label = loan ? " Principal amount of the      loan." : " Principal amount of            mortgage.",
            .option = "principal",
            .help = "principal amount"};
}

FieldDescription Rate(MortgageKind kind)
{
    return {.control = "InRate",
            .slot = MortgageRateSlot,
            .kind = FieldKind::Percent,
            .width = kind == MortgageKind::Loan ? 15 : 14,
            .decimals = 3,
            .format = "###.000",
            .next = "InTerm",
            .focus = FieldFocus::NoSelection,
            .start = "10.125",
            .items = FieldItems({"6 ", "7 ", "8 ", "9 ", "10 "}),
            .label = kind == MortgageKind::Loan ? " Annual interest rate%." : " Annual interest rate %",
            .option = "rate",
            .help = "annual interest rate, percent (three decimals)"};
}

FieldDescription Term(MortgageKind kind)
{
    if (kind == MortgageKind::Loan)
        return {.control = "InTerm",
                .slot = MortgageMonthsSlot,
                .kind = FieldKind::Years,
                .width = 16,
                .format = "###",
                .next = CompoundingControl,
                .limit = LoanMaxMonths,
                .limitMessage = Msg40YearsLimit,
                .focus = FieldFocus::NoSelection,
                .start = "48",
                .items = FieldItems({"24", "36", "48", "60"}),
                .label = " Payback period of the       loan in months.",
                .option = "term",
                .help = "term: years (at most 40), or months with --loan (at most 480)"};
    return {.control = "InTerm",
            .slot = MortgageYearsSlot,
            .kind = FieldKind::Years,
            .width = 16,
            .format = "###",
            .next = CompoundingControl,
            .limit = MortgageMaxYears,
            .limitMessage = Msg40YearsLimit,
            .focus = FieldFocus::NoSelection,
            .start = "25",
            .items = FieldItems({"25", "30", "40"}),
            .label = " Amortization period in        years.",
            .option = "term",
            .help = "term: years (at most 40), or months with --loan (at most 480)"};
}

FieldDescription Compounding(FieldKind kind)
{
    return {.control = CompoundingControl,
            .kind = kind,
            .next = FrequencyControl,
            .start = kind == FieldKind::Choice ? "      Monthly" : "Monthly",
            .items = CompoundingItems(),
            .label = "Interest compound periods per year.",
            .option = "compounding",
            .help = "Monthly, Bimonthly, Quarterly, Semiannual or Annual"};
}

FieldDescription Frequency(FieldKind kind)
{
    return {.control = FrequencyControl,
            .kind = kind,
            .next = "MCalc",
            .start = kind == FieldKind::Choice ? "      Monthly" : "Monthly",
            .items = FrequencyItems(),
            .label = "Frequency and type of each payment.",
            .option = "frequency",
            .help = "Monthly, Semimonthly, \"2 Weeks\", \"1 Week\", \"Biweekly(Acc)\" or \"Weekly(Acc)\""};
}

} // namespace

QStringList CompoundingItems()
{
    return FieldItems({"      Monthly", "    Bimonthly", "    Quarterly", "   Semiannual", "       Annual"});
}

QStringList FrequencyItems()
{
    return FieldItems(
        {"      Monthly", "  Semimonthly", "      2 Weeks", "      1 Week", " Biweekly(Acc)", "   Weekly(Acc)"});
}

int CompoundingIndex(const QString &text)
{
    return ItemIndex(CompoundingItems(), text);
}

int FrequencyIndex(const QString &text)
{
    return ItemIndex(FrequencyItems(), text);
}

const DaysRow &DaysInYearRow(int option)
{
    return DaysRows[option >= 0 && option < DaysOptionCount ? option : 1];
}

int DaysOptionFromText(const QString &text)
{
    for (int i = 0; i < DaysOptionCount; ++i)
        if (text.trimmed() == QLatin1String(DaysRows[i].caption))
            return i;
    return -1;
}

FieldTable MortgageFields()
{
    static const FieldDescription fields[] = {Principal(MortgageKind::Mortgage), Rate(MortgageKind::Mortgage),
                                              Term(MortgageKind::Mortgage), Compounding(FieldKind::Choice),
                                              Frequency(FieldKind::Choice)};
    return fields;
}

FieldTable LoanFields()
{
    static const FieldDescription fields[] = {Principal(MortgageKind::Loan), Rate(MortgageKind::Loan),
                                              Term(MortgageKind::Loan), Compounding(FieldKind::Choice),
                                              Frequency(FieldKind::Choice)};
    return fields;
}

FieldTable MortgageKindFields(MortgageKind kind)
{
    return kind == MortgageKind::Loan ? LoanFields() : MortgageFields();
}

FieldTable FirstDateFields()
{
    static const FieldDescription fields[] = {{.control = "InDate",
                                               .kind = FieldKind::Date,
                                               .next = "OkExit",
                                               .limitMessage = MsgNotAValidDate,
                                               .focus = FieldFocus::NoSelection,
                                               .label = " Type in the date of the first payment"}};
    return fields;
}
