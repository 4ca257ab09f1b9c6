#include "app/tool_registry.h"
#include "shell/calculator_window.h"
#include "shell/mdi_container.h"
#include "shell/menu_main.h"
#include "shell/spreadsheet_grid.h"
#include "support/window_driver.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <stdexcept>

namespace {

// A tool whose Calculate fails in ways no calculation should: the guard
// around every button must turn each into message 3.
class FaultySession : public ToolSession
{
public:
    explicit FaultySession(AppState &state) : ToolSession(state) {}
    enum class Fault { None, Arithmetic, Other } fault = Fault::None;

    FieldTable fields() const override
    {
        static const FieldDescription table[] = {
            {.control = "InFigure", .slot = 1, .kind = FieldKind::Money, .width = 12, .next = "TCalc", .start = "7"}};
        return table;
    }
    GridLayout gridLayout() const override { return {3, 500, {{QStringLiteral("Figure"), 0, false}}}; }
    int keptRows() const override { return 0; }
    Outcome<GridUpdate> calculate(const FieldTexts &) override
    {
        if (fault == Fault::Arithmetic)
            throw ArithmeticFault("overflow");
        if (fault == Fault::Other)
            throw std::runtime_error("unexpected");
        GridUpdate update;
        update.rows = {{QStringLiteral("done")}};
        return update;
    }
    QString printTitle() const override { return QStringLiteral("Faulty"); }
    void print(PrintFrame &) override { throw std::runtime_error("printer fault"); }
    void prepareGraph() override {}
    QString helpText() const override { return QStringLiteral("Help"); }
    QJsonValue results() const override { return QJsonValue(); }
};

class FaultyCalc : public CalculatorWindow
{
public:
    FaultyCalc(Shell &shell, MdiContainer &frame)
        : CalculatorWindow(shell, frame, QStringLiteral(" Faulty"), "T", std::make_unique<FaultySession>(shell.state))
    {
        field("InFigure");
        setUpCalculator();
    }
    FaultySession &faulty() { return static_cast<FaultySession &>(session()); }
};

// A tool holding unsaved work that the user chooses to keep.
class KeepingTool : public ToolWindow
{
public:
    using ToolWindow::ToolWindow;
    bool keep = true;
    int asked = 0;
    bool queryClose() override
    {
        ++asked;
        return !keep;
    }
};

} // namespace

class TestCalculatorWindow : public QObject
{
    Q_OBJECT

private slots:
    // Every tool opens: each control its field table names exists (a missing
    // one would stop the program here), Enter's next control too, and the
    // opening figures are in their slots.
    void everyToolOpensWithItsControls_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("compound growth") << "Compound";
        QTest::newRow("savings planner") << "Savings";
        QTest::newRow("savings comparisons") << "SavingComp";
        QTest::newRow("retirement") << "Retirement";
        QTest::newRow("401(k)") << "Plan401K";
        QTest::newRow("capital required") << "HowMuch";
        QTest::newRow("mortgages") << "Canadian";
        QTest::newRow("payment on a loan") << "LoanPmt";
    }
    void everyToolOpensWithItsControls()
    {
        QFETCH(QString, button);
        TestShell t;
        MdiContainer frame(t.shell);
        RegisterTools(frame);
        auto *tool = qobject_cast<CalculatorWindow *>(OpenFromMenu(frame, button));
        QVERIFY(tool);
        for (const FieldDescription &field : tool->session().fields()) {
            QWidget *widget = tool->findChild<QWidget *>(QLatin1String(field.control));
            QVERIFY2(widget, field.control);
            QVERIFY2(!field.next || tool->findChild<QWidget *>(QLatin1String(field.next)), field.next);
            QVERIFY2(QByteArray(field.label).size() > 0, field.control);
            if (field.slot >= 0)
                QCOMPARE(t.state.InputValues.value(field.slot), StartValue(field));
            if (auto *list = qobject_cast<QComboBox *>(widget))
                QCOMPARE(list->count(), field.items.size());
        }
        QCOMPARE(frame.caption().isEmpty(), false);
    }

    // Every result grid hands its figures to other programs: Ctrl+C copies
    // the selection as shown, tab-separated; the export writes the headings
    // and plain numbers.
    void everyToolGridCopiesAndExports_data() { everyToolOpensWithItsControls_data(); }
    void everyToolGridCopiesAndExports()
    {
        QFETCH(QString, button);
        TestShell t;
        t.state.CurrencySymbol = QStringLiteral("kr");
        MdiContainer frame(t.shell);
        RegisterTools(frame);
        auto *tool = qobject_cast<CalculatorWindow *>(OpenFromMenu(frame, button));
        QVERIFY(tool);
        for (QPushButton *button : tool->findChildren<QPushButton *>())
            if (button->objectName().endsWith(QLatin1String("Calc")))
                button->click();
        SpreadsheetGrid *grid = tool->grid();
        int col = 1; // the first figure of the first row
        while (col < grid->cols() && grid->cell(1, col).isEmpty())
            ++col;
        QVERIFY(col < grid->cols());

        grid->setSelection(1, col - 1, 1, col);
        grid->setFocus();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        const QString copied = grid->cell(1, col - 1) + '\t' + grid->cell(1, col) + '\n';
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        QVERIFY(t.dialogs.messages.isEmpty()); // the key did not reach the window

        const QString path = t.folder.filePath(QStringLiteral("table.csv"));
        QVERIFY(grid->exportCsv(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.first().split(',').size(), grid->cols());
        QCOMPARE(lines.first().split(',').first(), grid->cell(0, 0).simplified());
        // A figure shown as "kr1,234.56" is exported as 1234.56.
        const QString shown = grid->cell(1, col);
        const QString plain = lines.at(1).split(',').at(col);
        bool number = false;
        plain.toDouble(&number);
        QVERIFY2(number && !plain.contains(','), qPrintable(shown + " exported as " + plain));
    }

    // Quick Help only stands in for the grid: opened and closed, by its access
    // key or by a click, the results are still there to print and graph.
    void quickHelpKeepsTheResults_data() { everyToolOpensWithItsControls_data(); }
    void quickHelpKeepsTheResults()
    {
        QFETCH(QString, button);
        TestShell t;
        MdiContainer frame(t.shell);
        RegisterTools(frame);
        auto *tool = qobject_cast<CalculatorWindow *>(OpenFromMenu(frame, button));
        QVERIFY(tool);
        WindowDriver user(tool);
        const QString letter = tool->grid()->objectName().left(1);
        user.focus(QLatin1String(tool->session().fields().front().control));
        // An access key clicks its button after a short delay.
        user.key(Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!user.row(letter + "Grid", 1).join(QString()).trimmed().isEmpty());
        const QStringList first = user.row(letter + "Grid", 1);

        user.key(Qt::Key_H, Qt::AltModifier);
        QTRY_COMPARE(user.text(letter + "Help"), QStringLiteral("Close &Help"));
        user.key(Qt::Key_H, Qt::AltModifier);
        QTRY_COMPARE(user.text(letter + "Help"), QStringLiteral("Quick &Help"));
        user.click(letter + "Help");
        user.click(letter + "Help");
        QCOMPARE(user.row(letter + "Grid", 1), first);

        t.dialogs.lines << QStringLiteral("After the help");
        user.click(letter + "Printer");
        QCOMPARE(t.printer.jobs.size(), 1);
        user.click(letter + "Graphs");
        QVERIFY2(t.dialogs.messages.isEmpty(), qPrintable(QString::number(t.dialogs.messages.value(0))));
    }

    void guardTurnsFailuresIntoMessageThree()
    {
        TestShell t;
        MdiContainer frame(t.shell);
        auto *tool = new FaultyCalc(t.shell, frame);
        frame.openTool(tool);
        WindowDriver user(tool);

        tool->faulty().fault = FaultySession::Fault::Arithmetic;
        user.click(QStringLiteral("TCalc"));
        tool->faulty().fault = FaultySession::Fault::Other;
        user.click(QStringLiteral("TCalc"));
        QCOMPARE(t.dialogs.messages, (QList<int>{3, 3}));
        QCOMPARE(user.cell(QStringLiteral("TGrid"), 1, 0), QString()); // nothing half-filled

        tool->faulty().fault = FaultySession::Fault::None;
        user.click(QStringLiteral("TCalc"));
        QCOMPARE(user.cell(QStringLiteral("TGrid"), 1, 0), QStringLiteral("done"));
        t.state.ResultCount = 1;
        t.dialogs.lines << QStringLiteral("header");
        user.click(QStringLiteral("TPrinter"));
        QCOMPARE(t.dialogs.messages, (QList<int>{3, 3, 3}));
    }

    void aToolMayRefuseTheClosingOfTheProgram()
    {
        TestShell t;
        MdiContainer frame(t.shell);
        frame.show();
        auto *tool = new KeepingTool(t.shell, frame, QStringLiteral(" Keeping"));
        frame.openTool(tool);
        QVERIFY(!frame.close());
        QVERIFY(frame.isVisible());
        QCOMPARE(tool->asked, 1);
        tool->keep = false;
        QVERIFY(frame.close());
        QCOMPARE(tool->asked, 2);
    }
};

QTEST_MAIN(TestCalculatorWindow)
#include "test_calculator_window.moc"
