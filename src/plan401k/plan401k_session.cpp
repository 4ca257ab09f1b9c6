#include "plan401k/plan401k_session.h"
#include "shell/core/message_numbers.h"

#include "plan401k/plan401k_fields.h"
#include "shell/core/app_state.h"
#include "shell/core/format.h"
#include "shell/print/print_frame.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace {

const QString MoneyPattern = QStringLiteral("####,,###.00");
const QString TotalPattern = QStringLiteral("####,,##0.00");

ToolData Plan401KData()
{
    ToolData data(Plan401KLastSlot);
    data.GraphData.recreate(101, 5);
    data.PrintBlocks = QStringList(4);
    data.PrintBlocks2 = QStringList(3);
    return data;
}

void StorePlan(ToolData &results, const Plan401KInput &input, const Plan401KPlan &plan)
{
    MoneyTable &data = results.GraphData;
    data.recreate(101, 5);
    data.set(0, 4, input.balance);
    const int n = plan.years;
    for (int y = 1; y <= n; ++y) {
        const Plan401KYear &row = plan.rows.at(y - 1);
        data.set(y, 0, row.salary);
        data.set(y, 1, Money::fromWhole(y));
        data.set(y, 2, row.contribution);
        data.set(y, 3, row.interest);
        data.set(y, 4, row.value);
    }
    data.set(n + 1, 1, Money::fromWhole(n));
    data.set(n + 1, 2, plan.totalInvested);
    data.set(n + 1, 3, plan.totalInterest);
    data.set(n + 1, 4, plan.finalValue);
    results.ResultCount = qint16(n);
    results.GraphTitle = QStringLiteral("Investment value at end of each Year");
}

} // namespace

Plan401KSession::Plan401KSession(AppState &state) : ToolSession(state)
{
    m_data = Plan401KData();
    StoreStartValues(m_data.InputValues, fields());
}

FieldTable Plan401KSession::fields() const
{
    return Plan401KFields();
}

GridLayout Plan401KSession::gridLayout() const
{
    const QStringList h = Plan401KHeadings();
    return {Plan401KGridRows,
            500,
            {{h.at(0), 250, true}, {h.at(1), 850, false}, {h.at(2), 900, false}, {h.at(3), 1050, false},
             {h.at(4), 1050, false}}};
}

Outcome<GridUpdate> Plan401KSession::calculate(const FieldTexts &)
{
    // Whatever happens below, no earlier table stays printable or drawable.
    m_data.ResultCount = 0;
    m_done.reset();

    const QList<Money> &inputs = m_data.InputValues;
    Plan401KInput input;
    input.balance = inputs.value(Plan401KBalanceSlot);
    input.salary = inputs.value(Plan401KSalarySlot);
    input.contribution = inputs.value(Plan401KContributionSlot);
    input.company = inputs.value(Plan401KCompanySlot);
    input.raise = inputs.value(Plan401KRaiseSlot);
    input.rateOfReturn = inputs.value(Plan401KReturnSlot);
    input.inflation = inputs.value(Plan401KInflationSlot);
    input.years = inputs.value(Plan401KYearsSlot);

    const auto plan = Calculate401K(input);
    if (!plan.ok())
        return Outcome<GridUpdate>::refused(plan.message());

    // Built before anything shared is written, so a fault leaves nothing half done.
    GridUpdate update;
    update.rowCount = Plan401KGridRowsFor(plan->years);
    update.clearBody = true;
    update.rows = Plan401KGridBody(input, plan.value(), m_state.CurrencySymbol);

    StorePlan(m_data, input, plan.value());
    m_data.PrintBlocks2 = QStringList(3);
    m_done = Done{input, plan.value()};
    return update;
}

void Plan401KSession::print(PrintFrame &frame)
{
    if (m_done)
        Print401KPlan(frame, m_done->input, m_done->plan);
}

GraphRequest Plan401KSession::graphRequest() const
{
    GraphRequest request = tableGraph(GraphKind::Plan401K);
    request.title = QStringLiteral("Investment value at end of each Year");
    return request;
}

QString Plan401KSession::helpText() const
{
    return Plan401KHelpText(m_state.CurrencySymbol);
}

QJsonValue Plan401KSession::results() const
{
    if (!m_done)
        return QJsonValue();
    const Plan401KPlan &plan = m_done->plan;
    QJsonArray years;
    for (int y = 1; y <= plan.years; ++y) {
        const Plan401KYear &row = plan.rows.at(y - 1);
        years.append(QJsonObject{{QStringLiteral("year"), y},
                                 {QStringLiteral("salary"), row.salary.toDecimalText()},
                                 {QStringLiteral("contribution"), row.contribution.toDecimalText()},
                                 {QStringLiteral("interest"), row.interest.toDecimalText()},
                                 {QStringLiteral("value"), row.value.toDecimalText()}});
    }
    return QJsonObject{{QStringLiteral("balance"), m_done->input.balance.toDecimalText()},
                       {QStringLiteral("years"), years},
                       {QStringLiteral("total_invested"), plan.totalInvested.toDecimalText()},
                       {QStringLiteral("total_interest"), plan.totalInterest.toDecimalText()},
                       {QStringLiteral("final_value"), plan.finalValue.toDecimalText()}};
}

int Plan401KGridRowsFor(int years)
{
    return std::max(years + 5, Plan401KGridRows);
}

QStringList Plan401KHeadings()
{
    return {QStringLiteral("Year Number"), QStringLiteral("       Annual       Salary"),
            QStringLiteral(" Combined Contributions"), QStringLiteral(" Interest/Growth Compounded"),
            QStringLiteral("        Current         Value")};
}

QList<QStringList> Plan401KGridBody(const Plan401KInput &input, const Plan401KPlan &plan,
                                    const QString &currencySymbol)
{
    QList<QStringList> body;
    body.reserve(plan.years + 3);
    if (input.balance > Money::fromWhole(1))
        body.append({QString(), QString(), QString(), QString(), Format(input.balance, MoneyPattern)});
    for (int y = 1; y <= plan.years; ++y) {
        const Plan401KYear &row = plan.rows.at(y - 1);
        body.append({QString::number(y), Format(row.salary, MoneyPattern), Format(row.contribution, MoneyPattern),
                     Format(row.interest, MoneyPattern), Format(row.value, MoneyPattern)});
    }
    body.append(QStringList(5));
    body.append({QStringLiteral("Total:"), QString(), currencySymbol + Format(plan.totalInvested, TotalPattern),
                 currencySymbol + Format(plan.totalInterest, TotalPattern),
                 currencySymbol + Format(plan.finalValue, TotalPattern)});
    return body;
}

void Print401KPlan(PrintFrame &frame, const Plan401KInput &input, const Plan401KPlan &plan)
{
    const QString &symbol = frame.currencySymbol();
    frame.line(25, QStringLiteral("Investment Growth - 401K Plan"));
    frame.emptyLines(2);

    auto figure = [&frame](const char *label, int column, const QString &value) {
        frame.line({{2, QLatin1String(label)}, {column, value}});
        frame.emptyLines(1);
    };
    const QString amount = QStringLiteral("##,,###.00");
    auto percent = [](Money rate) { return RightAlignFigure(Format(rate, QStringLiteral("###.00")) + u'%', 14); };
    figure("Current balance in your 401K account", 52, RightAlignFigure(symbol + Format(input.balance, amount), 14));
    figure("Your current annual salary", 52, RightAlignFigure(symbol + Format(input.salary, amount), 14));
    figure("Your annual 401K rate of contribution", 53, percent(input.contribution));
    figure("The company contribution rate", 53, percent(input.company));
    figure("Estimated rate of annual salary raises", 53, percent(input.raise));
    figure("Annual rate of return on your 401K", 53, percent(input.rateOfReturn));
    figure("Estimated rate of annual inflation", 53, percent(input.inflation));
    figure("The number of years to retirement", 52,
           RightAlignFigure(Format(input.years, QStringLiteral("###")), 14));
    frame.emptyLines(1);

    const QString separator = QLatin1Char(' ') + QString(71, u'_');
    auto headings = [&frame, &separator] {
        frame.line(2, QStringLiteral(" Year   Annual Salary   Contributions   Interest/Growth    Current Value"));
        frame.line(2, separator);
        frame.emptyLines(1);
    };
    headings();

    int lines = 26;
    if (input.balance > Money::fromWhole(1)) {
        frame.line(61, RightAlignFigure(Format(input.balance, MoneyPattern), 13));
        ++lines;
    }
    for (int y = 1; y <= plan.years; ++y) {
        const Plan401KYear &row = plan.rows.at(y - 1);
        frame.line({{2, RightAlignFigure(Format(y, QStringLiteral("###")), 3)},
                    {11, RightAlignFigure(Format(row.salary, MoneyPattern), 12)},
                    {24, RightAlignFigure(Format(row.contribution, MoneyPattern), 14)},
                    {44, RightAlignFigure(Format(row.interest, MoneyPattern), 13)},
                    {61, RightAlignFigure(Format(row.value, MoneyPattern), 13)}});
        if (frame.pageFull(++lines)) {
            frame.breakPage(3, headings);
            lines = 6;
        }
    }
    frame.line(2, separator);
    frame.emptyLines(1);
    frame.line({{2, QStringLiteral("Total:")},
                {24, RightAlignFigure(symbol + Format(plan.totalInvested, MoneyPattern), 14)},
                {44, RightAlignFigure(symbol + Format(plan.totalInterest, MoneyPattern), 13)},
                {61, RightAlignFigure(symbol + Format(plan.finalValue, MoneyPattern), 13)}});
}

QString Plan401KHelpText(const QString &currencySymbol)
{
    const QString text = QStringLiteral(
        " For results click Calculate.\n"
        "\n"
        " Click any yellow box and type in your figures.\n"
        "\n"
        " If you already have a plan, type the current balance. If none type 0.\n"
        "\n"
        " Type in your current annual salary.\n"
        "\n"
        " Type in your annual contribution rate.\n"
        "\n"
        " Your company contribution rate. If none type 0.\n"
        "\n"
        " Type in the estimated percentage of annual salary increase.\n"
        "\n"
        " Type in the estimated annual income/growth rate of your plan.\n"
        "\n"
        " Leave at 0 unless you want to see the purchasing power in today's dollars.\n"
        " Type in inflation rate. Current Value each year will be reduced at this rate.\n"
        "\n"
        " Type in the estimated number of years to retirement.");
    return HelpPanelText(text, currencySymbol);
}
