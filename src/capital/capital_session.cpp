#include "capital/capital_session.h"
#include "shell/core/message_numbers.h"

#include "shell/core/app_state.h"

#include <QJsonArray>
#include <QJsonObject>

CapitalSession::CapitalSession(AppState &state) : ToolSession(state)
{
    m_data = CapitalData();
    chooseOption(CapitalOption::Capital);
}

void CapitalSession::chooseOption(CapitalOption option)
{
    m_option = option;
    StoreStartValues(m_data.InputValues, CapitalFields(option));
    m_data.ResultCount = 0;
    m_done.reset();
}

bool CapitalSession::chooseOption(const QString &word)
{
    CapitalOption option = CapitalOption::Capital;
    if (!CapitalOptionFromWord(word, option))
        return false;
    chooseOption(option);
    return true;
}

FieldTable CapitalSession::fields() const
{
    return CapitalFields(option());
}

GridLayout CapitalSession::gridLayout() const
{
    const QStringList h = CapitalHeadings();
    return {CapitalGridRows, 500, {{h.at(0), 365, true}, {h.at(1), 1400, false}, {h.at(2), 1400, false},
                                   {h.at(3), 1450, false}}};
}

Outcome<GridUpdate> CapitalSession::calculate(const FieldTexts &texts)
{
    // Nothing of an earlier result outlives a press: a refused one leaves
    // nothing to print or draw.
    m_data.ResultCount = 0;
    m_done.reset();
    CapitalOption chosen = option();
    const QString word = texts.value(QStringLiteral("CRCapitalChoices"));
    if (!word.isEmpty()) {
        if (!CapitalOptionFromWord(word, chosen))
            return Outcome<GridUpdate>::refused(MsgWrongEntry);
        m_option = chosen;
    }

    const QList<Money> &inputs = m_data.InputValues;
    const CapitalInput input{chosen, inputs.value(CapitalAmountSlot), inputs.value(CapitalRateSlot),
                             inputs.value(CapitalTermSlot)};
    const auto plan = CalculateCapital(input);
    if (!plan.ok())
        return Outcome<GridUpdate>::refused(plan.message());

    GridUpdate update;
    update.rowCount = CapitalGridRowsFor(plan->years);
    update.clearBody = true;
    update.rows = StoreCapitalPlan(m_data, plan.value(), m_state.CurrencySymbol);
    update.selectRow = 1;
    m_done = Done{input, plan.value()};
    return update;
}

void CapitalSession::print(PrintFrame &frame)
{
    if (m_done)
        PrintCapitalPlan(frame, m_data, m_done->input, m_done->plan);
}

GraphRequest CapitalSession::graphRequest() const
{
    GraphRequest request = tableGraph(GraphKind::CapitalRequired);
    request.title = QStringLiteral("Investment value at end of each Year");
    return request;
}

QString CapitalSession::helpText() const
{
    return CapitalHelpText(option(), m_state.CurrencySymbol);
}

QJsonValue CapitalSession::results() const
{
    if (!m_done)
        return QJsonValue();
    const CapitalInput &input = m_done->input;
    const CapitalPlan &plan = m_done->plan;
    QJsonArray years;
    for (int k = 0; k < plan.rows.size(); ++k) {
        const CapitalYear &row = plan.rows.at(k);
        years.append(QJsonObject{{QStringLiteral("year"), k + 1},
                                 {QStringLiteral("invested"), row.invested.toDecimalText()},
                                 {QStringLiteral("interest"), row.interest.toDecimalText()},
                                 {QStringLiteral("value"), row.value.toDecimalText()}});
    }
    return QJsonObject{{QStringLiteral("option"), CapitalOptionWord(input.option)},
                       {QStringLiteral("amount"), input.amount.toDecimalText()},
                       {QStringLiteral("rate"), input.rate.toDecimalText()},
                       {QStringLiteral("term"), plan.years},
                       {QStringLiteral("capital"), plan.capital.toDecimalText()},
                       {QStringLiteral("annual_investment"), plan.payment.toDecimalText()},
                       {QStringLiteral("years"), years},
                       {QStringLiteral("total_invested"), plan.totalInvested.toDecimalText()},
                       {QStringLiteral("total_interest"), plan.totalInterest.toDecimalText()},
                       {QStringLiteral("final_value"), plan.finalValue.toDecimalText()}};
}
