#include "graph/bar_chart_3d.h"
#include "graph/graphs_all.h"
#include "shell/mdi_container.h"
#include "support/window_driver.h"

#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTest>

// Renders the graph window without a display and checks what it draws.
class TestGraphsAll : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestShell> t;
    std::unique_ptr<MdiContainer> frame;

    // Three compared entries, as the compound growth window leaves them.
    void compareThree()
    {
        AppState &s = t->state;
        s.CompareData.recreate(28, 6);
        s.CompareNames.recreate(28, 1);
        const double rates[] = {14.8698, 10.9569, -12.9449};
        const char *names[] = {"Fund A", "House", "Bond"};
        for (int i = 1; i <= 3; ++i) {
            s.CompareData.set(i, 5, Money::fromDouble(rates[i - 1]));
            s.CompareNames.set(i, 0, QLatin1String(names[i - 1]));
        }
        s.ResultCount = 3;
        s.GraphKind = 6;
        s.GraphTitle = QStringLiteral("Annual compound growth comparisons");
    }

    static int pixelsOf(const QImage &image, QColor colour)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == colour.rgb();
        return count;
    }

    static void keep(const QImage &image, const QString &name)
    {
        const QString folder = qEnvironmentVariable("TALLOMAR_KEEP_PNG");
        if (!folder.isEmpty())
            image.save(QDir(folder).filePath(name));
    }

private slots:
    void init()
    {
        t = std::make_unique<TestShell>();
        frame = std::make_unique<MdiContainer>(t->shell);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    void cleanup()
    {
        frame.reset();
        t.reset();
    }

    void comparisonIn2DAnd3D()
    {
        compareThree();
        auto *graph = new GraphsAll(t->shell, *frame);
        frame->showOverTool(graph);
        QCOMPARE(graph->style(), 6);
        const QImage flat = graph->render(MdiContainer::fullSize());
        keep(flat, QStringLiteral("compare-2d.png"));
        QVERIFY(pixelsOf(flat, SeriesColour(0, true)) > 2000); // the bars are there

        WindowDriver(graph).click("ThreeDee");
        QCOMPARE(graph->picture().chart, ChartType::Bars3D);
        const QImage deep = graph->render(MdiContainer::fullSize());
        keep(deep, QStringLiteral("compare-3d.png"));
        QVERIFY(pixelsOf(deep, SeriesColour(0, true)) > 2000);
        QVERIFY(pixelsOf(deep, SeriesColour(0, true).lighter(130)) > 50); // the tops of the bars
        QVERIFY(deep != flat);
    }

    void greyTonesForPrinting()
    {
        BarChart3D bars;
        bars.resize(400, 300);
        GraphPicture picture;
        picture.values = {1, 2, 3};
        picture.labels = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
        bars.setPicture(picture, false);
        const QImage image = bars.grab().toImage();
        QCOMPARE(pixelsOf(image, SeriesColour(0, true)), 0);
        QVERIFY(pixelsOf(image, SeriesColour(2, false)) > 500);
    }

    void fundsOfferTheirOwnStyles()
    {
        AppState &s = t->state;
        s.CompareData.recreate(31, 6);
        s.CompareNames.recreate(31, 1);
        for (int i = 1; i <= 4; ++i) {
            s.CompareNames.set(i, 0, QStringLiteral("Fund %1").arg(i));
            s.CompareData.set(i, 3, Money::fromWhole(1000 * i));
            s.CompareData.set(i, 5, Money::fromWhole(i * 3 - 5));
        }
        s.ResultCount = 4;
        s.GraphKind = 0;
        auto *graph = new GraphsAll(t->shell, *frame);
        frame->showOverTool(graph);
        WindowDriver user(graph);
        QCOMPARE(graph->style(), 1);
        QVERIFY(user.control("Oned")->isVisible());
        QVERIFY(user.control("Pie2d")->isVisible());
        QVERIFY(user.control("Sav2D")->isHidden());
        user.click("Pie2d");
        QCOMPARE(graph->picture().chart, ChartType::Pie);
        QCOMPARE(graph->picture().axisTitle, QStringLiteral("Value $"));
        keep(graph->render(MdiContainer::fullSize()), QStringLiteral("funds-pie.png"));
        user.click("ThreeDee");
        QCOMPARE(graph->style(), 4);
        QCOMPARE(user.focusedName(), QStringLiteral("Pie2d"));
    }
};

QTEST_MAIN(TestGraphsAll)
#include "test_graphs_all.moc"
