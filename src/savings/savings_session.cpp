#include "savings/savings_session.h"
#include "shell/core/message_numbers.h"

#include "savings/savings_fields.h"
#include "shell/core/app_state.h"

#include <QJsonArray>
#include <QJsonObject>

SavingsSession::SavingsSession(AppState &state, SavingsMode mode)
    : ToolSession(state), m_comparing(mode == SavingsMode::Comparisons)
{
    m_data = SavingsData();
    StoreStartValues(m_data.InputValues, fields());
}

FieldTable SavingsSession::fields() const
{
    return SavingsFields();
}

GridLayout SavingsSession::gridLayout() const
{
    if (m_comparing) {
        const QStringList h = SavingsComparisonHeadings();
        return {SavingsMaxEntries + 1,
                510,
                {{h.at(0), -50, true},
                 {h.at(1), 430, false},
                 {h.at(2), 420, false},
                 {h.at(3), 225, false},
                 {h.at(4), 225, false},
                 {h.at(5), 225, false},
                 {h.at(6), 550, false},
                 {h.at(7), 670, false}}};
    }
    const QStringList h = SavingsPlanningHeadings();
    return {SavingsGridRows,
            500,
            {{h.at(0), 300, true}, {h.at(1), 1450, false}, {h.at(2), 1450, false}, {h.at(3), 1510, false}}};
}

Outcome<GridUpdate> SavingsSession::calculate(const FieldTexts &texts)
{
    // Comparison lines shown stay whatever this press gives (planning has none).
    m_data.ResultCount = qint16(m_entries);
    if (m_entries >= SavingsMaxEntries)
        return Outcome<GridUpdate>::refused(Msg22Entries);
    const QList<Money> &inputs = m_data.InputValues;
    SavingsInput input;
    input.lumpSum = inputs.value(SavingsLumpSumSlot);
    input.amount = inputs.value(SavingsAmountSlot);
    input.frequency = texts.value(QStringLiteral("InMonthsYrs"), input.frequency);
    input.rate = inputs.value(SavingsRateSlot);
    input.increase = inputs.value(SavingsIncreaseSlot);
    input.inflation = inputs.value(SavingsInflationSlot);
    input.years = inputs.value(SavingsYearsSlot);

    const auto plan = CalculateSavings(input);
    if (!plan.ok())
        return Outcome<GridUpdate>::refused(plan.message());

    GridUpdate update;
    if (m_entries == 0) {
        if (!m_comparing) {
            update.rowCount = SavingsGridRowsFor(input.frequency, int(input.years.floorUnits()));
            update.headingCells = SavingsFrequencyHeadings(input.frequency);
        }
        update.clearBody = true;
    }
    if (m_comparing) {
        ++m_entries;
        update.firstRow = m_entries;
        update.rows = {StoreSavingsComparison(m_data, input, plan.value(), m_entries)};
    } else {
        update.rows = StoreSavingsPlan(m_data, plan.value(), m_state.CurrencySymbol);
        m_done.clear();
    }
    update.selectRow = 1;
    m_done.append({input, plan.value()});
    return update;
}

void SavingsSession::print(PrintFrame &frame)
{
    if (m_comparing) {
        PrintSavingsComparisons(frame, m_data);
        return;
    }
    const Entry latest = m_done.value(m_done.size() - 1);
    PrintSavingsPlan(frame, m_data, latest.input, latest.plan.periods);
}

GraphRequest SavingsSession::graphRequest() const
{
    GraphRequest request = tableGraph(GraphKind::Savings);
    request.comparisons = m_comparing;
    return request;
}

QString SavingsSession::helpText() const
{
    return SavingsHelpText(m_state.CurrencySymbol);
}

QJsonValue SavingsSession::results() const
{
    auto totals = [](const SavingsPlan &plan) {
        return QJsonObject{{QStringLiteral("periods"), plan.periods},
                           {QStringLiteral("total_invested"), plan.totalInvested.toDecimalText()},
                           {QStringLiteral("total_interest"), plan.totalInterest.toDecimalText()},
                           {QStringLiteral("final_value"), plan.finalValue.toDecimalText()}};
    };
    if (m_comparing) {
        QJsonArray entries;
        for (const Entry &entry : m_done) {
            QJsonObject object = totals(entry.plan);
            object.insert(QStringLiteral("lump_sum"), entry.input.lumpSum.toDecimalText());
            object.insert(QStringLiteral("amount"), entry.input.amount.toDecimalText());
            object.insert(QStringLiteral("frequency"), entry.input.frequency);
            object.insert(QStringLiteral("rate"), entry.input.rate.toDecimalText());
            object.insert(QStringLiteral("increase"), entry.input.increase.toDecimalText());
            object.insert(QStringLiteral("inflation"), entry.input.inflation.toDecimalText());
            object.insert(QStringLiteral("years"), entry.input.years.toDecimalText());
            entries.append(object);
        }
        return entries;
    }
    if (m_done.isEmpty())
        return QJsonValue();
    const Entry &entry = m_done.last();
    QJsonArray periods;
    for (int k = 0; k < entry.plan.rows.size(); ++k) {
        const SavingsPeriod &row = entry.plan.rows.at(k);
        periods.append(QJsonObject{{QStringLiteral("period"), k + 1},
                                   {QStringLiteral("invested"), row.invested.toDecimalText()},
                                   {QStringLiteral("interest"), row.interest.toDecimalText()},
                                   {QStringLiteral("value"), row.value.toDecimalText()}});
    }
    QJsonObject object = totals(entry.plan);
    object.insert(QStringLiteral("frequency"), entry.input.frequency);
    object.insert(QStringLiteral("periods_per_year"), entry.plan.periodsPerYear);
    object.insert(QStringLiteral("periods"), periods);
    return object;
}
