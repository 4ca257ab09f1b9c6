#include "retirement/retirement_session.h"
#include "shell/core/message_numbers.h"

#include "shell/core/app_state.h"

#include <QJsonArray>
#include <QJsonObject>

RetirementSession::RetirementSession(AppState &state) : ToolSession(state)
{
    m_data = RetirementData();
    StoreStartValues(m_data.InputValues, fields());
    choose(RetirementOption::Percentage);
}

void RetirementSession::choose(RetirementOption option)
{
    m_option = option;
    for (const FieldDescription &field : fields()) {
        // Percentage leaves the capital as it is.
        if (field.slot == RetirementDrawnSlot || field.slot == RetirementTermSlot ||
            (field.slot == RetirementCapitalSlot && option == RetirementOption::FixedAmount))
            m_data.InputValues[field.slot] = StartValue(field);
    }
}

bool RetirementSession::chooseOption(const QString &word)
{
    RetirementOption option = m_option;
    if (!RetirementOptionFromName(word, option))
        return false;
    choose(option);
    return true;
}

FieldTable RetirementSession::fields() const
{
    return RetirementFields(m_option);
}

GridLayout RetirementSession::gridLayout() const
{
    const QStringList h = RetirementHeadings();
    return {RetirementGridRows,
            500,
            {{h.at(0), 450, true}, {h.at(1), 1400, false}, {h.at(2), 1410, false}, {h.at(3), 1450, false}}};
}

Outcome<GridUpdate> RetirementSession::calculate(const FieldTexts &texts)
{
    m_data.ResultCount = 0;
    m_calculated = false;
    const QString named = texts.value(QLatin1String(RetirementOptionControl));
    RetirementOption option = m_option;
    if (!named.isEmpty() && (!RetirementOptionFromName(named, option) || option != m_option))
        return Outcome<GridUpdate>::refused(MsgWrongEntry);

    const QList<Money> &inputs = m_data.InputValues;
    RetirementInput input;
    input.option = m_option;
    input.capital = inputs.value(RetirementCapitalSlot);
    input.rate = inputs.value(RetirementRateSlot);
    input.drawn = inputs.value(RetirementDrawnSlot);
    input.term = inputs.value(RetirementTermSlot);

    // Nothing shared is written until the whole table is calculated, so a
    // refusal leaves no part of a table behind.
    const Outcome<RetirementPlan> plan = CalculateRetirement(input);
    if (!plan.ok())
        return Outcome<GridUpdate>::refused(plan.message());

    GridUpdate update;
    update.rowCount = RetirementGridRowsFor(plan->years());
    update.clearBody = true;
    update.rows = StoreRetirementPlan(m_data, plan.value(), m_option, m_state.CurrencySymbol);
    update.selectRow = 1;
    m_input = input;
    m_plan = plan.value();
    m_calculated = true;
    return update;
}

void RetirementSession::print(PrintFrame &frame)
{
    PrintRetirement(frame, m_data, m_input, m_plan.years());
}

GraphRequest RetirementSession::graphRequest() const
{
    return tableGraph(m_input.option == RetirementOption::FixedAmount ? GraphKind::RetirementStart
                                                                      : GraphKind::RetirementEnd);
}

QString RetirementSession::helpText() const
{
    return RetirementHelpText(m_option, m_state.CurrencySymbol);
}

QJsonValue RetirementSession::results() const
{
    if (!m_calculated)
        return QJsonValue();
    QJsonArray years;
    for (int y = 0; y < m_plan.rows.size(); ++y) {
        const RetirementYear &row = m_plan.rows.at(y);
        years.append(QJsonObject{{QStringLiteral("year"), y + 1},
                                 {QStringLiteral("interest"), row.interest.toDecimalText()},
                                 {QStringLiteral("income"), row.income.toDecimalText()},
                                 {QStringLiteral("value"), row.value.toDecimalText()}});
    }
    return QJsonObject{{QStringLiteral("option"), RetirementOptionName(m_input.option)},
                       {QStringLiteral("years"), years},
                       {QStringLiteral("total_interest"), m_plan.totalInterest.toDecimalText()},
                       {QStringLiteral("total_income"), m_plan.totalIncome.toDecimalText()},
                       {QStringLiteral("final_value"), m_plan.finalValue.toDecimalText()}};
}
