#pragma once

#include "shell/core/money.h"
#include "shell/core/tables.h"

#include <QList>
#include <QString>
#include <QStringList>

// The graph window's logic without the window: turning the request a tool
// hands over into the picture to draw, and the button states that go with
// each drawing style. The window only hands the result to its chart and its
// buttons.

// Which tool asked for the graph.
enum class GraphKind : qint16 {
    Funds = 0,
    Savings = 1,
    RetirementEnd = 2,
    RetirementStart = 3,
    Mortgage = 4,
    CapitalRequired = 5,
    CompoundGrowth = 6,
    Plan401K = 7,
};

// What a tool asks the graph window to draw: a copy of its tables as they
// stand, so that drawing changes nothing the tool keeps. GraphData holds the
// year-by-year rows (label in column 1, value in column 4), CompareData and
// CompareNames the compared entries (drawn value in column 5, money in 3).
struct GraphRequest
{
    GraphKind kind = GraphKind::Funds;
    QString title;
    // Savings comparisons rather than a plan.
    bool comparisons = false;
    // A schedule of one row per payment rather than one per year.
    bool perPayment = false;
    QString currencySymbol = QStringLiteral("$");
    MoneyTable GraphData;
    MoneyTable CompareData;
    StringTable CompareNames;
    qint16 ResultCount = 0;
    // The starting figure (capital or principal) the first year begins with.
    Money startValue;
    // How a schedule's payments group into years.
    qint16 PaymentsPerYear = 0;
    float YearsToFinal = 0;
};

enum class ChartType { Bars2D, Bars3D, Pie, Pie3D };

// Drawing styles of the graph window.
namespace GraphStyle {
inline constexpr int GainLoss = 1;      // funds' gain/loss bars
inline constexpr int FundPie = 2;       // funds' value pie
inline constexpr int YearBars = 3;      // year-by-year bars
inline constexpr int Fund3D = 4;        // funds, current data as 3-D bars
inline constexpr int Year3D = 5;        // year-by-year, current data as 3-D bars
inline constexpr int CompareBars = 6;   // comparison bars
inline constexpr int Compare3D = 7;     // comparison, current data as 3-D bars
} // namespace GraphStyle

// Fills the drawn column of the graph window's own copy of the request for
// its kind and returns the style to draw first. Only touches rows the tables
// hold. The graph of a schedule groups its payments into years by
// PaymentsPerYear and YearsToFinal.
int PrepareGraph(GraphRequest &request);

// One data set as the chart control receives it.
struct GraphPicture
{
    int style = 0;
    ChartType chart = ChartType::Bars2D;
    QString title;
    QString axisTitle;
    QStringList labels;
    QList<double> values;
};

// The picture for a style, 1 to 7. Styles 4, 5 and 7 only redraw the current
// picture in 3-D (bars as 3-D bars, the pie as a 3-D pie); the others load
// the data afresh from the request. An unknown style leaves the current
// picture as it is.
GraphPicture DrawStyle(const GraphRequest &request, int style, const GraphPicture &current);

// Styles the "Show Graph in 2D" and "Show Graph in 3D" buttons draw.
int StyleFor2DButton(const GraphRequest &request);
int StyleFor3DButton(const GraphRequest &request);

// State of the buttons a style changes. The defaults are the window as it
// opens: "2D" hidden until a year-by-year or comparison style shows it.
// focus is the object name of the button to focus; empty leaves the focus
// where it is.
struct GraphButtons
{
    bool sav2dEnabled = false;
    bool sav2dVisible = false;
    bool threeDeeEnabled = true;
    bool onedVisible = true;
    bool pie2dVisible = true;
    QString focus;
};

// The buttons after drawing a style. shownTitle is the title of the picture
// showing when the style is drawn: style 4 focuses the pie button when it
// redraws the pie ("Distribution").
GraphButtons ButtonsAfterStyle(const GraphButtons &current, int style, const QString &shownTitle);

// Object name of the window the exit shows again; empty for an unknown kind.
QString RequestingWindow(GraphKind kind);
