#include "graph/graph_request.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int DrawnColumn = 5;
constexpr int ValueColumn = 4;   // GraphData: value at the end of the year
constexpr int LabelColumn = 1;   // year number (GraphData, CompareData of kind 4)
constexpr int MoneyColumn = 3;   // CompareData: money value of each fund
constexpr int NameColumn = 0;    // CompareNames

bool IsComparison(const GraphRequest &request)
{
    return request.kind == GraphKind::CompoundGrowth || (request.kind == GraphKind::Savings && request.comparisons);
}

// Last row a loop from row 1 may touch; row 0 is never drawn.
int LastRow(const MoneyTable &table)
{
    return table.rowCount() - 1;
}

// Kinds 2, 5 and 7 draw the end-of-year values as they stand.
void CopyEndOfYear(MoneyTable &data, int count)
{
    const int last = std::min(count, LastRow(data));
    for (int i = 1; i <= last; ++i)
        data.set(i, DrawnColumn, data.value(i, ValueColumn));
}

// Kind 3 draws values at the start of each year: the starting capital, then
// the end of each year one row down.
void ShiftToStartOfYear(MoneyTable &data, int count, Money start)
{
    const int last = std::min(count, LastRow(data) - 1);
    for (int i = 1; i <= last; ++i)
        data.set(i + 1, DrawnColumn, data.value(i, ValueColumn));
    data.set(1, DrawnColumn, start);
}

// Whole years the schedule covers: a part year above 0.01 counts as a year.
// Halves go to the even number, as the schedule's own year count does.
int ScheduleYears(double yearsToFinal)
{
    const double sum = yearsToFinal + 0.49;
    if (!(sum > 0))   // also NaN
        return 0;
    constexpr double top = std::numeric_limits<qint16>::max();
    if (sum >= top)
        return static_cast<int>(top);
    const double whole = std::floor(sum);
    const double part = sum - whole;
    int years = static_cast<int>(whole);
    if (part > 0.5 || (part == 0.5 && years % 2 != 0))
        ++years;
    return years;
}

// Balance at the end of year j of a one-row-per-payment schedule: the year's
// last payment, or the payment that paid the loan off if that came earlier.
// Rows past the table read as an empty balance, which ends the year.
Money BalanceAtYearEnd(const MoneyTable &data, int year, int paymentsPerYear)
{
    const Money paidOff = Money::fromWhole(1);
    const qint64 first = qint64(year - 1) * paymentsPerYear + 1;
    const qint64 last = qint64(year) * paymentsPerYear;
    Money balance;
    for (qint64 row = first; row <= last; ++row) {
        if (row > LastRow(data))
            return Money();
        balance = data.value(int(row), ValueColumn);
        if (balance <= paidOff)
            break;
    }
    return balance;
}

// Kind 4: one point per year in CompareData, the balance at the start of
// each year labelled with the year number.
void PrepareMortgage(GraphRequest &request)
{
    const int years = ScheduleYears(request.YearsToFinal);
    // A schedule without a frequency is taken as one payment per row-year.
    const int perYear = std::max(1, int(request.PaymentsPerYear));
    const int last = std::min(years, LastRow(request.CompareData) - 1);
    for (int j = 1; j <= last; ++j) {
        const Money balance = request.perPayment ? BalanceAtYearEnd(request.GraphData, j, perYear)
                                                 : request.GraphData.value(j, ValueColumn);
        request.CompareData.set(j + 1, DrawnColumn, balance);
        request.CompareData.set(j + 1, LabelColumn, Money::fromWhole(j + 1));
    }
    request.CompareData.set(1, DrawnColumn, request.startValue);
    request.CompareData.set(1, LabelColumn, Money::fromWhole(1));
    request.ResultCount = qint16(years);
}

QString WholeNumber(Money value)
{
    return QString::number(std::llround(value.toDouble()));
}

// Points to draw: ResultCount, but never past the rows the data table holds.
// A single result is a single bar, labelled once: an empty second bar would
// read as a second result of nothing.
int PointCount(const GraphRequest &request, const MoneyTable &data)
{
    return std::clamp(int(request.ResultCount), 0, std::max(0, LastRow(data)));
}

// Loads one data set.
void LoadPoints(GraphPicture &picture, const GraphRequest &request, const MoneyTable &data, int column,
                const auto &labelAt)
{
    const int count = PointCount(request, data);
    for (int i = 1; i <= count; ++i) {
        picture.values.append(data.value(i, column).toDouble());
        picture.labels.append(labelAt(i));
    }
}

QString ValueAxis(const GraphRequest &request)
{
    return QStringLiteral("Value ") + request.currencySymbol;
}

} // namespace

int PrepareGraph(GraphRequest &request)
{
    switch (request.kind) {
    case GraphKind::Funds:
        return GraphStyle::GainLoss;
    case GraphKind::Savings:
        return request.comparisons ? GraphStyle::CompareBars : GraphStyle::YearBars;
    case GraphKind::RetirementEnd:
    case GraphKind::CapitalRequired:
    case GraphKind::Plan401K:
        CopyEndOfYear(request.GraphData, request.ResultCount);
        return GraphStyle::YearBars;
    case GraphKind::RetirementStart:
        ShiftToStartOfYear(request.GraphData, request.ResultCount, request.startValue);
        return GraphStyle::YearBars;
    case GraphKind::Mortgage:
        PrepareMortgage(request);
        return GraphStyle::YearBars;
    case GraphKind::CompoundGrowth:
        return GraphStyle::CompareBars;
    default:
        return GraphStyle::YearBars;
    }
}

GraphPicture DrawStyle(const GraphRequest &request, int style, const GraphPicture &current)
{
    if (style == GraphStyle::Fund3D || style == GraphStyle::Year3D || style == GraphStyle::Compare3D) {
        GraphPicture picture = current;
        picture.style = style;
        const bool pie = current.chart == ChartType::Pie || current.chart == ChartType::Pie3D;
        picture.chart = pie ? ChartType::Pie3D : ChartType::Bars3D;
        return picture;
    }

    GraphPicture picture;
    picture.style = style;
    const auto nameLabel = [&request](int i) { return request.CompareNames.value(i, NameColumn); };
    switch (style) {
    case GraphStyle::GainLoss:
        picture.chart = ChartType::Bars2D;
        picture.title = QStringLiteral("Current Value ");
        picture.axisTitle = QStringLiteral("Gain %");
        LoadPoints(picture, request, request.CompareData, DrawnColumn, nameLabel);
        break;
    case GraphStyle::FundPie:
        picture.chart = ChartType::Pie;
        picture.title = QStringLiteral("Distribution");
        picture.axisTitle = ValueAxis(request);
        LoadPoints(picture, request, request.CompareData, MoneyColumn, nameLabel);
        break;
    case GraphStyle::YearBars: {
        // This style sets no axis title: the one showing stays.
        picture.chart = ChartType::Bars2D;
        picture.title = request.title;
        picture.axisTitle = current.axisTitle;
        const MoneyTable &data = request.kind == GraphKind::Mortgage ? request.CompareData : request.GraphData;
        LoadPoints(picture, request, data, DrawnColumn,
                   [&data](int i) { return WholeNumber(data.value(i, LabelColumn)); });
        break;
    }
    case GraphStyle::CompareBars:
        picture.chart = ChartType::Bars2D;
        picture.title = request.title;
        picture.axisTitle = request.comparisons ? ValueAxis(request) : QStringLiteral("Gain %");
        LoadPoints(picture, request, request.CompareData, DrawnColumn, nameLabel);
        break;
    default:
        return current;
    }
    return picture;
}

int StyleFor2DButton(const GraphRequest &request)
{
    return IsComparison(request) ? GraphStyle::CompareBars : GraphStyle::YearBars;
}

int StyleFor3DButton(const GraphRequest &request)
{
    if (IsComparison(request))
        return GraphStyle::Compare3D;
    return request.kind == GraphKind::Funds ? GraphStyle::Fund3D : GraphStyle::Year3D;
}

GraphButtons ButtonsAfterStyle(const GraphButtons &current, int style, const QString &shownTitle)
{
    GraphButtons buttons = current;
    buttons.focus.clear();
    switch (style) {
    case GraphStyle::YearBars:
    case GraphStyle::CompareBars:
        buttons.sav2dVisible = true;
        buttons.sav2dEnabled = false;
        buttons.threeDeeEnabled = true;
        buttons.onedVisible = false;
        buttons.pie2dVisible = false;
        buttons.focus = QStringLiteral("ThreeDee");
        break;
    case GraphStyle::Year3D:
    case GraphStyle::Compare3D:
        buttons.sav2dVisible = true;
        buttons.sav2dEnabled = true;
        buttons.threeDeeEnabled = false;
        buttons.onedVisible = false;
        buttons.focus = QStringLiteral("Sav2D");
        break;
    case GraphStyle::GainLoss:
    case GraphStyle::FundPie:
        buttons.threeDeeEnabled = true;
        break;
    case GraphStyle::Fund3D:
        buttons.threeDeeEnabled = false;
        if (shownTitle == QLatin1String("Distribution"))
            buttons.focus = QStringLiteral("Pie2d");
        break;
    default:
        break;
    }
    return buttons;
}

QString RequestingWindow(GraphKind kind)
{
    switch (kind) {
    case GraphKind::Funds:
        return QStringLiteral("FundTable");
    case GraphKind::Savings:
        return QStringLiteral("SavingsCalc");
    case GraphKind::RetirementEnd:
    case GraphKind::RetirementStart:
        return QStringLiteral("RetireCalc");
    case GraphKind::Mortgage:
        return QStringLiteral("MortgageCalc");
    case GraphKind::CapitalRequired:
        return QStringLiteral("CapitalReqdCalc");
    case GraphKind::CompoundGrowth:
        return QStringLiteral("FindCompoundCalc");
    case GraphKind::Plan401K:
        return QStringLiteral("Plan401KCalc");
    default:
        return QString();
    }
}
