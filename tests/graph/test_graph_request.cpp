#include "graph/graph_request.h"

#include <QTest>

#include <limits>

namespace {

Money M(double value)
{
    return Money::fromDouble(value);
}

// A request the way the tools leave it, with their usual table sizes.
void Request(GraphRequest &state, int kind, int calcMode, int count)
{
    state.kind = GraphKind(kind);
    // The tools' mode 2: savings comparisons, a schedule of every payment.
    state.comparisons = calcMode == 2;
    state.perPayment = calcMode == 2;
    state.ResultCount = qint16(count);
    state.title = QStringLiteral("Annual compound growth comparisons");
    state.GraphData.recreate(101, 7);
    state.CompareData.recreate(28, 6);
    state.CompareNames.recreate(28, 1);
}

QStringList Numbers(int from, int to)
{
    QStringList list;
    for (int i = from; i <= to; ++i)
        list.append(QString::number(i));
    return list;
}

// Opens the window as it does: preparation, then the first style.
GraphPicture Open(GraphRequest &state)
{
    const int style = PrepareGraph(state);
    return DrawStyle(state, style, GraphPicture());
}

} // namespace

class TestGraphRequest : public QObject
{
    Q_OBJECT

private slots:
    // Comparisons and funds: the first `count` entries are drawn, each
    // labelled once (the entry after them is a leftover of an earlier
    // request), from the column the style draws; "3D" redraws the same data,
    // and "2D" draws the comparisons flat again.
    void comparisons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("calcMode");
        QTest::addColumn<int>("style"); // 0: the one the window opens with
        QTest::addColumn<int>("count");
        QTest::addColumn<ChartType>("chart");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("axis");
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<ChartType>("deep");
        const QString growth = QStringLiteral("Annual compound growth comparisons");
        QTest::newRow("compound growth, 3 entries") << 6 << 1 << 0 << 3 << ChartType::Bars2D << growth << "Gain %"
                                                    << QList<double>{12.5, -3.25, 3.1} << ChartType::Bars3D;
        QTest::newRow("single entry draws one bar, labelled once") << 6 << 1 << 0 << 1 << ChartType::Bars2D << growth
                                                                   << "Gain %" << QList<double>{12.5} << ChartType::Bars3D;
        QTest::newRow("savings comparisons in money") << 1 << 2 << 0 << 3 << ChartType::Bars2D << growth
                                                      << QString::fromUtf8("Value €") << QList<double>{12.5, -3.25, 3.1}
                                                      << ChartType::Bars3D;
        QTest::newRow("funds' gain/loss") << 0 << 0 << 1 << 2 << ChartType::Bars2D << "Current Value " << "Gain %"
                                          << QList<double>{12.5, -3.25} << ChartType::Bars3D;
        QTest::newRow("funds' value pie, 3-D as a pie") << 0 << 0 << 2 << 2 << ChartType::Pie << "Distribution"
                                                        << QString::fromUtf8("Value €") << QList<double>{1500, 800.4}
                                                        << ChartType::Pie3D;
    }
    void comparisons()
    {
        QFETCH(int, kind);
        QFETCH(int, calcMode);
        QFETCH(int, style);
        QFETCH(int, count);
        QFETCH(ChartType, chart);
        QFETCH(QString, title);
        QFETCH(QString, axis);
        QFETCH(QList<double>, values);
        QFETCH(ChartType, deep);
        GraphRequest state;
        Request(state, kind, calcMode, count);
        state.currencySymbol = QString::fromUtf8("€");
        const QStringList names{"Bonds", "Shares", "Bank", "Old entry"};
        const QList<double> rates{12.5, -3.25, 3.1, 99};
        const QList<double> amounts{1500, 800.4, 1000, 1000};
        for (int i = 0; i < names.size(); ++i) {
            state.CompareNames.set(i + 1, 0, names[i]);
            state.CompareData.set(i + 1, 5, M(rates[i]));
            state.CompareData.set(i + 1, 3, M(amounts[i]));
        }

        const GraphPicture opened = Open(state);
        const GraphPicture picture = style ? DrawStyle(state, style, opened) : opened;
        QCOMPARE(picture.chart, chart);
        QCOMPARE(picture.title, title);
        QCOMPARE(picture.axisTitle, axis);
        QCOMPARE(picture.values, values);
        QCOMPARE(picture.labels, names.mid(0, count));
        const GraphPicture threeD = DrawStyle(state, StyleFor3DButton(state), picture);
        QCOMPARE(threeD.chart, deep);
        QCOMPARE(threeD.values, values);
        if (kind != 0) // the funds' graph has no "2D"
            QCOMPARE(DrawStyle(state, StyleFor2DButton(state), threeD).chart, chart);
    }

    // Labelled by year from 1.
    void yearByYear_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<double>>("values");

        // Column 4 of row i holds 100 x i, column 5 holds 7 x i (what the
        // tool itself left to be drawn).
        QTest::newRow("retirement end of year") << 2 << 3 << QList<double>{100, 200, 300};
        QTest::newRow("retirement start of year: starting capital first") << 3 << 4 << QList<double>{5000, 100, 200, 300};
        QTest::newRow("savings draws its own column") << 1 << 3 << QList<double>{7, 14, 21};
    }
    void yearByYear()
    {
        QFETCH(int, kind);
        QFETCH(int, count);
        QFETCH(QList<double>, values);
        GraphRequest state;
        Request(state, kind, 1, count);
        state.startValue = M(5000);
        for (int i = 1; i <= 30; ++i) {
            state.GraphData.set(i, 1, Money::fromWhole(i));
            state.GraphData.set(i, 4, M(100.0 * i));
            state.GraphData.set(i, 5, M(7.0 * i));
        }

        const GraphPicture picture = Open(state);
        QCOMPARE(picture.style, 3);
        QCOMPARE(picture.chart, ChartType::Bars2D);
        QCOMPARE(picture.values, values);
        QCOMPARE(picture.labels, Numbers(1, count));
        QCOMPARE(DrawStyle(state, StyleFor3DButton(state), picture).style, 5);
    }

    void mortgageYears_data()
    {
        QTest::addColumn<double>("yearsToFinal");
        QTest::addColumn<int>("years");
        QTest::newRow("0.02 of a year counts") << 0.02 << 1;
        QTest::newRow("tie goes down to even") << 2.01 << 2;
        // YearsToFinal is single precision: 3.01 is held just below 3.01, so no tie.
        QTest::newRow("single precision just under a tie") << 3.01 << 3;
        QTest::newRow("nothing") << 0.0 << 0;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
        QTest::newRow("huge, capped") << 1e12 << 32767;
    }
    void mortgageYears()
    {
        QFETCH(double, yearsToFinal);
        QFETCH(int, years);
        GraphRequest state;
        Request(state, 4, 1, 99);
        state.PaymentsPerYear = 12;
        state.YearsToFinal = float(yearsToFinal);
        PrepareGraph(state);
        QCOMPARE(int(state.ResultCount), years);
        // The table is only ever written within its rows; drawing stays there too.
        QVERIFY(DrawStyle(state, 3, GraphPicture()).values.size() <= state.CompareData.rowCount());
    }

    void mortgageBalances_data()
    {
        QTest::addColumn<int>("calcMode");
        QTest::addColumn<int>("perYear");
        QTest::addColumn<double>("yearsToFinal");
        QTest::addColumn<QList<double>>("schedule");   // column 4 from row 1
        QTest::addColumn<QList<double>>("points");     // CompareData column 5 from row 1
        QTest::addColumn<int>("drawn");

        QTest::newRow("one row per year, final part year")
            << 1 << 12 << 4.51 << QList<double>{8000, 6000, 4000, 2000, 0}
            << QList<double>{10000, 8000, 6000, 4000, 2000, 0} << 5;
        // Year 2 ends at its last payment though one balance is just above
        // 1.00; year 3 stops at the 1.00 and ignores the rows after it.
        QTest::newRow("one row per payment")
            << 2 << 4 << 2.75
            << QList<double>{9000, 8000, 7000, 6000, 5000, 1.01, 3000, 2000, 1000, 1.00, 555, 444}
            << QList<double>{10000, 6000, 2000, 1.00} << 3;
    }
    void mortgageBalances()
    {
        QFETCH(int, calcMode);
        QFETCH(int, perYear);
        QFETCH(double, yearsToFinal);
        QFETCH(QList<double>, schedule);
        QFETCH(QList<double>, points);
        QFETCH(int, drawn);
        GraphRequest state;
        Request(state, 4, calcMode, 999);
        state.startValue = M(10000);
        for (int k = 0; k < schedule.size(); ++k) {
            state.GraphData.set(k + 1, 1, Money::fromWhole(k + 1));
            state.GraphData.set(k + 1, 4, M(schedule[k]));
        }

        state.PaymentsPerYear = qint16(perYear);
        state.YearsToFinal = float(yearsToFinal);
        const GraphPicture picture = Open(state);
        QCOMPARE(int(state.ResultCount), drawn);
        QList<double> built;
        for (int k = 1; k <= points.size(); ++k)
            built.append(state.CompareData.value(k, 5).toDouble());
        QCOMPARE(built, points);
        QCOMPARE(picture.values, points.mid(0, drawn));
        QCOMPARE(picture.labels, Numbers(1, drawn));
    }

    void staysInsideTheTables_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("points");
        QTest::newRow("start of year, huge count") << 3 << 32767 << 3 << 10;
        QTest::newRow("comparison, huge count") << 6 << 32767 << 6 << 5;
        QTest::newRow("funds, huge count") << 0 << 32767 << 2 << 5;
        QTest::newRow("negative count") << 2 << -4 << 3 << 0;
    }
    void staysInsideTheTables()
    {
        QFETCH(int, kind);
        QFETCH(int, count);
        QFETCH(int, style);
        QFETCH(int, points);
        GraphRequest state;
        state.kind = GraphKind(kind);
        state.ResultCount = qint16(count);
        state.GraphData.recreate(10, 5);
        state.CompareData.recreate(5, 6);
        state.CompareNames.recreate(2, 1);   // fewer names than values: empty labels
        for (int i = 0; i <= 10; ++i)
            state.GraphData.set(i, 4, Money::fromWhole(i));

        PrepareGraph(state);
        const GraphPicture picture = DrawStyle(state, style, GraphPicture());
        QCOMPARE(picture.values.size(), points);
        QCOMPARE(picture.labels.size(), points);
        if (kind == 3)
            QCOMPARE(state.GraphData.value(10, 5), Money::fromWhole(9));
    }
};

QTEST_GUILESS_MAIN(TestGraphRequest)
#include "test_graph_request.moc"
