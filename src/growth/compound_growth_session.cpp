#include "growth/compound_growth_session.h"
#include "shell/core/message_numbers.h"

#include "growth/compound_growth_fields.h"
#include "shell/core/app_state.h"

#include <QJsonArray>
#include <QJsonObject>

CompoundGrowthSession::CompoundGrowthSession(AppState &state) : ToolSession(state)
{
    m_data = CompoundGrowthData();
    StoreStartValues(m_data.InputValues, fields());
}

FieldTable CompoundGrowthSession::fields() const
{
    return CompoundGrowthFields();
}

GridLayout CompoundGrowthSession::gridLayout() const
{
    const QStringList h = CompoundGrowthHeadings();
    return {CompoundGrowthGridRows,
            500,
            {{h.at(0), 1570, true},
             {h.at(1), 200, true},
             {h.at(2), 750, false},
             {h.at(3), 750, false},
             {h.at(4), 400, false},
             {h.at(5), 400, false}}};
}

Outcome<GridUpdate> CompoundGrowthSession::calculate(const FieldTexts &texts)
{
    const QList<Money> &inputs = m_data.InputValues;
    const auto growth = CalculateCompoundGrowth(inputs.value(GrowthCostSlot), inputs.value(GrowthValueSlot),
                                                inputs.value(GrowthTermSlot), m_data.ResultCount);
    if (!growth.ok())
        return Outcome<GridUpdate>::refused(growth.message());

    const QString name = texts.value(QStringLiteral("NamInv"));
    GridUpdate update;
    if (m_results.isEmpty()) {
        update.rowCount = CompoundGrowthGridRows;
        update.clearBody = true;
    }
    update.firstRow = int(m_results.size()) + 1;
    update.rows = {AddCompoundGrowthResult(m_data, growth.value(), name, m_state.CurrencySymbol)};
    update.selectRow = 1;
    m_results.append({name, growth.value()});
    return update;
}

void CompoundGrowthSession::print(PrintFrame &frame)
{
    PrintCompoundGrowth(frame, m_data);
}

GraphRequest CompoundGrowthSession::graphRequest() const
{
    GraphRequest request = tableGraph(GraphKind::CompoundGrowth);
    request.title = QStringLiteral("Annual compound growth comparisons");
    return request;
}

QString CompoundGrowthSession::helpText() const
{
    return CompoundGrowthHelpText(m_state.CurrencySymbol);
}

QJsonValue CompoundGrowthSession::results() const
{
    QJsonArray results;
    for (const Named &result : m_results)
        results.append(QJsonObject{{QStringLiteral("name"), result.name},
                                   {QStringLiteral("years"), result.growth.years},
                                   {QStringLiteral("cost"), result.growth.cost.toDecimalText()},
                                   {QStringLiteral("value"), result.growth.value.toDecimalText()},
                                   {QStringLiteral("annual_rate"), result.growth.rate},
                                   {QStringLiteral("total_gain"), result.growth.gain}});
    return results;
}
