#include "graph/bar_chart_3d.h"
#include "graph/graph_look.h"
#include "graph/graphs_all.h"
#include "graph/pie_chart.h"
#include "shell/ui/mdi_container.h"
#include "support/tool_window_test.h"

#include <QImage>
#include <QSet>
#include <QTest>

namespace {

// Keeps the pictures it is given to print.
class PictureKeepingPrinter : public RecordingPrinter
{
public:
    PrintOutcome printImage(const QString &title, const QImage &image, bool colour) override
    {
        images.append(image);
        return RecordingPrinter::printImage(title, image, colour);
    }
    QList<QImage> images;
};

} // namespace

// Renders the graph window without a display and checks what it draws.
// The window is shown over the frame with the request a tool would hand it,
// so that any table a tool could leave can be drawn.
class TestGraphsAll : public ToolWindowTest
{
    Q_OBJECT

    GraphRequest request;

    GraphsAll *showGraph(Shell *shell = nullptr)
    {
        auto *graph = new GraphsAll(shell ? *shell : t->shell, *frame, request);
        frame->showOverTool(graph);
        user = std::make_unique<WindowDriver>(graph);
        return graph;
    }

    // n years of a savings plan, growing to about 150 million.
    void planYears(int n)
    {
        request.GraphData.recreate(n + 2, 6);
        for (int i = 1; i <= n; ++i) {
            request.GraphData.set(i, 1, Money::fromWhole(i));
            request.GraphData.set(i, 5, Money::fromWhole(qint64(150000000.0 * i / n)));
        }
        request.ResultCount = qint16(n);
        request.kind = GraphKind::Savings;
        request.title = QStringLiteral("Investment growth year by year");
    }

    // n compared investments with long names.
    void compareMany(int n)
    {
        request.CompareData.recreate(n + 2, 6);
        request.CompareNames.recreate(n + 2, 1);
        for (int i = 1; i <= n; ++i) {
            request.CompareData.set(i, 5, Money::fromDouble(2.5 * i - 20));
            request.CompareNames.set(i, 0, QStringLiteral("Mutual fund %1").arg(i));
        }
        request.ResultCount = qint16(n);
        request.kind = GraphKind::CompoundGrowth;
        request.title = QStringLiteral("Annual compound growth comparisons");
    }

    // n funds of a growing value and long names, as the investment manager
    // hands them over.
    void funds(int n)
    {
        request.CompareData.recreate(31, 6);
        request.CompareNames.recreate(31, 1);
        for (int i = 1; i <= n; ++i) {
            request.CompareNames.set(i, 0, QStringLiteral("Fund number %1 with a rather long name").arg(i));
            request.CompareData.set(i, 3, Money::fromWhole(1000 + 250 * i));
            request.CompareData.set(i, 5, Money::fromDouble(1.5 * i - 10));
        }
        request.ResultCount = qint16(n);
        request.kind = GraphKind::Funds;
    }

    static int pixelsOf(const QImage &image, QColor colour)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == colour.rgb();
        return count;
    }
    // The graph's picture drawn on a page of its own, as it is printed.
    template <typename Chart>
    static QImage printedOn(Chart &page, const GraphsAll *graph)
    {
        page.resize(GraphsAll::printSize());
        page.setPicture(graph->picture(), true);
        return page.grab().toImage();
    }

private slots:
    void init()
    {
        request = GraphRequest();
        startFrame();
    }
    void cleanup() { endFrame(); }

    // Every bar's label is whole, never cut: up to the 22 entries a
    // comparison holds each bar has its own, beyond that they thin out at an
    // even step from the first; a word longer than a label's room is broken,
    // every second bar named. Long names leave the bars two thirds of the
    // height, on screen and on the printed page, with the axis numbers
    // apart. 3-D draws anew, the bars' tops shown where they are wide enough.
    void barLabels_data()
    {
        QTest::addColumn<int>("bars");
        QTest::addColumn<QString>("name"); // empty: the years of a plan
        QTest::addColumn<bool>("print");
        QTest::newRow("1 year") << 1 << QString() << false;
        QTest::newRow("480 years") << 480 << QString() << false;
        QTest::newRow("40 names") << 40 << "Mutual fund %1" << false;
        for (bool print : {false, true}) {
            const char *where = print ? "printed" : "on screen";
            QTest::addRow("22 long names, %s", where) << 22 << "Fund number %1 with a rather long name" << print;
            QTest::addRow("22 names without spaces, %s", where)
                << 22 << "Fundnumber%1witharatherlongnamewithoutanyspaces" << print;
        }
    }
    void barLabels()
    {
        QFETCH(int, bars);
        QFETCH(QString, name);
        QFETCH(bool, print);
        if (name.isEmpty())
            planYears(bars);
        else
            compareMany(bars);
        for (int i = 1; !name.isEmpty() && i <= bars; ++i)
            request.CompareNames.set(i, 0, name.arg(i));
        GraphsAll *graph = showGraph();
        auto *drawing = graph->findChild<BarChart3D *>();
        QVERIFY(drawing);
        QImage flat;
        for (const char *button : {"", "ThreeDee"}) {
            if (*button)
                user->click(QLatin1String(button));
            BarChart3D page;
            const QImage image = print ? printedOn(page, graph) : graph->render(MdiContainer::fullSize());
            const BarChart3D *shown = print ? &page : drawing;
            QVERIFY(pixelsOf(image, SeriesColour(0, true)) > 100);
            if (*button)
                QVERIFY(image != flat && (bars > 22 || pixelsOf(image, SeriesColour(0, true).lighter(130)) > 10));
            flat = image;
            QVERIFY(shown->plotRect().height() >= std::max(2 * shown->labelBand(), shown->height() / 2));
            QVERIFY(shown->tickSpacing() >= QFontMetrics(shown->font()).height());

            const QStringList &all = graph->picture().labels;
            const QStringList labels = shown->shownLabels();
            QVERIFY(!labels.isEmpty());
            for (const QString &label : labels)
                QVERIFY2(all.contains(label), qPrintable(label));
            if (name.contains(QLatin1String("without"))) {
                QVERIFY(labels.size() * 2 >= bars);
            } else if (bars <= 22) {
                QCOMPARE(labels, all);
            } else {
                QCOMPARE(labels.first(), all.first());
                const int step = int(all.indexOf(labels.value(1)));
                QVERIFY(step >= 1);
                QCOMPARE(labels.size(), (bars + step - 1) / step);
            }
        }
    }

    // The value pie of 30 funds: 30 colours, every fund named in full in the
    // legend, in 2-D and 3-D, on screen and printed.
    void pieOfThirtyFunds()
    {
        QSet<QRgb> colours;
        for (int i = 0; i < 30; ++i)
            colours.insert(SeriesColour(i, true).rgb());
        QCOMPARE(colours.size(), 30);

        funds(30);
        GraphsAll *graph = showGraph();
        auto *pie = graph->findChild<PieChart *>();
        QVERIFY(pie);
        for (const char *button : {"Pie2d", "ThreeDee"}) {
            user->click(QLatin1String(button));
            const bool deep = QLatin1String(button) == QLatin1String("ThreeDee");
            QCOMPARE(graph->picture().chart, deep ? ChartType::Pie3D : ChartType::Pie);
            QCOMPARE(graph->picture().values.size(), 30);
            for (bool print : {false, true}) {
                PieChart page;
                const QImage image = print ? printedOn(page, graph) : graph->render(MdiContainer::fullSize());
                const PieChart *shown = print ? &page : pie;
                QCOMPARE(shown->legendNames(), graph->picture().labels); // all 30, whole
                for (int i = 0; i < 30; ++i)
                    QVERIFY2(pixelsOf(image, SeriesColour(i, true)) > 20, qPrintable(QString::number(i)));
                QVERIFY(shown->pieRect().height() * 5 >= shown->height()); // a fair part of the height
                if (deep) { // the rim under the slices at the front
                    int rim = 0;
                    for (int i = 0; i < 30; ++i)
                        rim += pixelsOf(image, SeriesColour(i, true).darker(150));
                    QVERIFY(rim > 500);
                }
            }
        }
    }

    // To Printer prints the graph alone, without the window's buttons (the
    // pie is drawn on its page in pieOfThirtyFunds).
    void printsTheGraphAlone()
    {
        PictureKeepingPrinter printer;
        Shell shell{t->state, t->dialogs, printer, t->shell.today, t->shell.programDir};
        compareMany(30);
        GraphsAll *graph = showGraph(&shell);
        t->dialogs.answers << Answer::Yes << Answer::No;
        user->click("Ptr");
        QCOMPARE(printer.images.size(), 1);
        const QImage printed = printer.images.first();
        QCOMPARE(printed.size(), GraphsAll::printSize());
        // The graph as it is drawn alone, with nothing of the window under it.
        QCOMPARE(printed, graph->chartImage(GraphsAll::printSize(), false));
        const QImage bottom = printed.copy(0, printed.height() - 8, printed.width(), 8);
        QCOMPARE(pixelsOf(bottom, Qt::white), bottom.width() * bottom.height());
        // Printed in grey, while the window stays in colour.
        QCOMPARE(pixelsOf(printed, SeriesColour(0, true)), 0);
        QVERIFY(pixelsOf(printed, SeriesColour(0, false)) > 100);
        QVERIFY(pixelsOf(graph->render(MdiContainer::fullSize()), SeriesColour(0, true)) > 100);
        QCOMPARE(graph->size(), MdiContainer::fullSize());
    }

    // The value axis groups thousands; a tick a hair below zero is no "-0.0".
    void valueAxisNumbers()
    {
        QCOMPARE(AxisNumber(-25000.0, AxisDecimals(-25000.0, 1000.0)), QStringLiteral("-25,000"));
        QCOMPARE(AxisNumber(-0.00001, AxisDecimals(-10.0, 10.0)), QStringLiteral("0.0"));
    }
};

QTEST_MAIN(TestGraphsAll)
#include "test_graphs_all.moc"
