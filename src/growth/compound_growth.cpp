#include "growth/compound_growth.h"
#include "shell/core/message_numbers.h"

#include "shell/core/tool_data.h"
#include "shell/core/format.h"
#include "shell/print/print_frame.h"

#include <cmath>
#include <limits>

namespace {
const QString MoneyPattern = QStringLiteral("####,,###.00");
const QString CrLf = QStringLiteral("\r\n");
} // namespace

Outcome<CompoundGrowth> CalculateCompoundGrowth(Money cost, Money value, Money years, int resultCount)
{
    if (years >= Money::fromWhole(CompoundGrowthMaxYears + 1))
        return Outcome<CompoundGrowth>::refused(Msg50YearsLimit);
    if (cost.isZero() || value.isZero() || years.isZero())
        return Outcome<CompoundGrowth>::refused(MsgWrongEntry);
    if (resultCount >= CompoundGrowthMaxResults)
        return Outcome<CompoundGrowth>::refused(Msg22Entries);

    CompoundGrowth result;
    result.cost = cost;
    result.value = value;
    // The years field takes whole numbers only; a stored fraction is dropped.
    result.years = int(years.floorUnits());
    if (result.years <= 0)
        return Outcome<CompoundGrowth>::refused(MsgWrongEntry);
    const double c = cost.toDouble();
    const double v = value.toDouble();
    result.rate = std::exp(std::log(v / c) / result.years) - 1;
    try {
        // The difference is taken exactly, as money, before dividing.
        result.gain = (value - cost).toDouble() / c;
    } catch (const ArithmeticFault &) {
        return Outcome<CompoundGrowth>::refused(MsgWrongEntry);
    }
    try {
        // The year table is drawn by no graph (the comparison graph reads
        // the rates). Near the largest value money holds, rounding can carry
        // its last years a few units past it: such a year holds the largest
        // whole amount instead of refusing a result whose figures all fit.
        constexpr qint64 MostWholeUnits = std::numeric_limits<qint64>::max() / Money::Scale;
        double x = c;
        for (int k = 1; k <= result.years; ++k) {
            x = x + x * result.rate;
            const double whole = std::floor(x);
            if (!std::isfinite(whole))
                throw ArithmeticFault("year end out of range");
            result.yearEnds.append(whole >= double(MostWholeUnits) ? MostWholeUnits : qint64(whole));
        }
        // The rate is kept as money for the graph; it must fit too.
        Money::fromDouble(100 * result.rate);
    } catch (const ArithmeticFault &) {
        return Outcome<CompoundGrowth>::refused(MsgWrongEntry);
    }
    return result;
}

ToolData CompoundGrowthData()
{
    ToolData data(3);
    data.GraphData.recreate(101, 5);
    data.CompareData.recreate(28, 6);
    data.CompareNames.recreate(28, 1);
    data.PrintBlocks = QStringList(4);
    data.PrintBlocks2 = QStringList(4);
    return data;
}

QStringList AddCompoundGrowthResult(ToolData &data, const CompoundGrowth &result, const QString &name,
                                    const QString &symbol)
{
    const int n = ++data.ResultCount;
    for (int k = 1; k <= result.years; ++k) {
        data.GraphData.set(k, 1, Money::fromWhole(k));
        data.GraphData.set(k, 4, Money::fromWhole(result.yearEnds.at(k - 1)));
    }
    data.CompareNames.set(n, 0, name);
    data.CompareData.set(n, 5, Money::fromDouble(100 * result.rate));

    const QString cost = symbol + Format(result.cost, MoneyPattern);
    const QString value = symbol + Format(result.value, MoneyPattern);
    QString block;
    if (!name.isEmpty())
        block += CrLf + QLatin1Char(' ') + name;
    block += CrLf + RightAlignFigure(Format(result.years, QStringLiteral("###")), 5) + QString(6, u' ') +
             RightAlignFigure(cost, 14) + QString(5, u' ') + RightAlignFigure(value, 14) + QString(7, u' ') +
             RightAlignFigure(Format(result.rate, QStringLiteral("#,,###.0000%")), 12) + QString(4, u' ') +
             RightAlignFigure(Format(result.gain, QStringLiteral("#,,###.0000%")), 12) + CrLf;
    block += QLatin1Char(' ') + QString(78, u'_') + QLatin1Char(' ') + CrLf;
    const int index = n <= 12 ? 1 : 2;
    if (data.PrintBlocks.size() <= index)
        data.PrintBlocks.resize(4);
    data.PrintBlocks[index] += block;

    return {name,
            QString::number(result.years),
            cost,
            value,
            Format(result.rate, QStringLiteral("#,,###.000%")),
            Format(result.gain, QStringLiteral("#,,###.00%"))};
}

QStringList CompoundGrowthHeadings()
{
    return {QStringLiteral("         Name of         Investment"), QStringLiteral("Term in Years"),
            QStringLiteral("   Cost of     Investment"),           QStringLiteral("  Current or    Future Value"),
            QStringLiteral("Annual Compound"),                     QStringLiteral("Total Gain/Loss")};
}

void PrintCompoundGrowth(PrintFrame &frame, const ToolData &data)
{
    frame.line(27, QStringLiteral("Annual Compounding Comparisons"));
    frame.emptyLines(2);
    frame.line(2, QStringLiteral("Term in          Cost of         Current or      Compounded at   Total Rate(%)"));
    frame.line(2, QStringLiteral(" Years        Investment       Future Value     Annual Rate(%)     over Period"));
    frame.line(2, QString(78, u'_'));
    frame.block(data.PrintBlocks.value(1));
    if (!data.PrintBlocks.value(2).isEmpty()) {
        // This printout counts no lines, so its pages carry no number.
        frame.breakPage(3, {}, PrintFrame::PageFoot::Plain);
        frame.block(data.PrintBlocks.value(2));
    }
}

QString CompoundGrowthHelpText(const QString &currencySymbol)
{
    // Every amount carries the user's currency symbol.
    const QString text = QStringLiteral(
        "FIND ANNUAL COMPOUND GROWTH\n"
        "\n"
        "Click any yellow box and type in numbers, deletes previous ones, then 'Calculate'.\n"
        "\n"
        "What it answers: you know what an investment cost, what it is worth now (or will be worth) and how "
        "many years lie between. At what steady yearly rate did it grow? Each 'Calculate' adds one line to "
        "the table, so up to 22 investments can be compared side by side, printed together and drawn as one "
        "bar graph.\n"
        "\n"
        "The boxes:\n"
        "  Purchase cost of your investment - what you paid.\n"
        "  Present or future value - what it is worth now, or what you expect to get back.\n"
        "  Term in years - whole years between the two, 1 to 50.\n"
        "  Name of your investment - optional; it labels the line, the printout and the graph.\n"
        "Enter moves from box to box. Changing a figure keeps the lines already calculated.\n"
        "\n"
        "The table shows the annual compound rate (the rate that, earned every year and left to grow, turns "
        "the cost into the value) and the total gain or loss over the whole term, both in percent. A value "
        "below the cost gives negative figures.\n"
        "\n"
        "EXAMPLES\n"
        "\n"
        "1. A fund bought for @1,000.00 is worth @2,000.00 after 5 years: it grew 14.8698% a year (100% in "
        "all).\n"
        "2. A house bought for @25,000.00 is worth @200,000.00 after 20 years: 10.9569% a year.\n"
        "3. A stripped (zero coupon) bond bought for @500.00 is redeemed at @1,000.00 in 6 years: it yields "
        "12.2462% a year.\n"
        "4. Earnings per share of @2.38 grew to @5.14 in 5 years: 16.648% a year. Any figure that grows, "
        "not only money, can be measured this way.\n"
        "\n"
        "'Show Graph' draws the rates as bars; 'To Printer' prints every line calculated since the window "
        "was opened. 'Exit to Menu' clears the table.");
    return HelpPanelText(text, currencySymbol) + QStringLiteral("\r\n\r\n\r\n") + QString(50, u' ') +
           QStringLiteral("End");
}
