#include "shell/ui/calculator_window.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/tool_window_test.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QTest>
#include <QTimer>

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
    GraphRequest graphRequest() const override { return {}; }
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

// Right-clicks the middle of a grid, as a user does, and picks the item of
// its menu with this access key.
void ChooseFromGridMenu(SpreadsheetGrid *grid, Qt::Key accessKey)
{
    auto *wait = new QTimer(grid);
    QObject::connect(wait, &QTimer::timeout, grid, [wait, accessKey] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            wait->stop();
            wait->deleteLater();
            QTest::keyClick(menu, accessKey);
        }
    });
    wait->start(10);
    QWidget *window = grid->window();
    const QPoint at = grid->viewport()->mapTo(window, grid->viewport()->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, at);
    QTRY_VERIFY(!QApplication::activePopupWidget());
}

} // namespace

class TestCalculatorWindow : public ToolWindowTest
{
    Q_OBJECT

    CalculatorWindow *open(const QString &button)
    {
        return qobject_cast<CalculatorWindow *>(openByAccessKey(button));
    }

private slots:
    void init() { startFrame(); }
    void cleanup() { endFrame(); }

    // Every tool opens: each control its field table names exists (a missing
    // one would stop the program here), Enter's next control too, and the
    // opening figures are in their slots. Opening it, clicking a yellow box,
    // typing, deleting and leaving keep what the user put on the clipboard,
    // in this program or another.
    void everyToolOpensWithItsControls_data() { AddEveryCalculatorRow(); }
    void everyToolOpensWithItsControls()
    {
        QFETCH(QString, button);
        const QString copied = QStringLiteral("IBAN DE00 1234");
        QGuiApplication::clipboard()->setText(copied);
        CalculatorWindow *tool = open(button);
        QVERIFY(tool);
        const char *firstFigure = nullptr;
        for (const FieldDescription &field : tool->session().fields()) {
            if (!firstFigure && IsFigureKind(field.kind))
                firstFigure = field.control;
            QWidget *widget = tool->findChild<QWidget *>(QLatin1String(field.control));
            QVERIFY2(widget, field.control);
            QVERIFY2(!field.next || tool->findChild<QWidget *>(QLatin1String(field.next)), field.next);
            QVERIFY2(QByteArray(field.label).size() > 0, field.control);
            if (field.slot >= 0)
                QCOMPARE(tool->session().data().InputValues.value(field.slot), StartValue(field));
            if (auto *list = qobject_cast<QComboBox *>(widget))
                QCOMPARE(list->count(), field.items.size());
        }
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);

        QVERIFY(firstFigure);
        QWidget *box = user->control(QLatin1String(firstFigure));
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        user->type("1000");
        user->key(Qt::Key_Tab);
        user->focus(QLatin1String(firstFigure));
        user->key(Qt::Key_Delete);
        user->leave();
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    // Alt and a letter presses one control: no two controls of a window
    // share an access key.
    void everyToolHasItsOwnAccessKeys_data()
    {
        AddEveryCalculatorRow();
        QTest::newRow("net worth") << QStringLiteral("NetWorth");
        QTest::newRow("investment manager") << QStringLiteral("Manager");
    }
    void everyToolHasItsOwnAccessKeys()
    {
        QFETCH(QString, button);
        QWidget *tool = openByAccessKey(button);
        QVERIFY(tool);
        QMap<QChar, QString> owners;
        auto note = [&](const QString &text, const QString &name) {
            const qsizetype amp = text.indexOf(u'&');
            if (amp < 0 || amp + 1 >= text.size() || text.at(amp + 1) == u'&')
                return;
            const QChar key = text.at(amp + 1).toLower();
            QVERIFY2(!owners.contains(key), qPrintable(QStringLiteral("Alt+%1: %2 and %3")
                                                          .arg(key, owners.value(key), name)));
            owners.insert(key, name);
        };
        for (QAbstractButton *b : tool->findChildren<QAbstractButton *>())
            if (b->isVisibleTo(tool))
                note(b->text(), b->objectName());
        for (QLabel *label : tool->findChildren<QLabel *>())
            if (label->buddy() && label->isVisibleTo(tool))
                note(label->text(), label->objectName());
        for (QGroupBox *group : tool->findChildren<QGroupBox *>())
            if (group->isVisibleTo(tool))
                note(group->title(), group->objectName());
        QVERIFY(!owners.isEmpty());
    }

    // Every result grid hands its figures to other programs: Ctrl+C copies
    // the selection as shown, tab-separated; the export writes the headings
    // and plain numbers.
    void everyToolGridCopiesAndExports_data() { AddEveryCalculatorRow(); }
    void everyToolGridCopiesAndExports()
    {
        QFETCH(QString, button);
        t->state.CurrencySymbol = QStringLiteral("kr");
        CalculatorWindow *tool = open(button);
        QVERIFY(tool);
        for (QPushButton *calculate : tool->findChildren<QPushButton *>())
            if (calculate->objectName().endsWith(QLatin1String("Calc")) && calculate->isVisible())
                user->click(calculate->objectName());
        SpreadsheetGrid *grid = tool->grid();
        int col = 1; // the first figure of the first row
        while (col < grid->cols() && grid->cell(1, col).isEmpty())
            ++col;
        QVERIFY(col < grid->cols());

        grid->setSelection(1, col - 1, 1, col);
        grid->setFocus();
        QGuiApplication::clipboard()->clear();
        user->key(Qt::Key_C, Qt::ControlModifier);
        const QString copied = grid->cell(1, col - 1) + '\t' + grid->cell(1, col) + '\n';
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        QVERIFY(t->dialogs.messages.isEmpty()); // the key did not reach the window

        const QString path = t->folder.filePath(QStringLiteral("table.csv"));
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

    // Export as CSV… offers a file named after the window in a folder that
    // exists: the one last exported to in this run (whichever window it was
    // from), else the documents folder, else the home folder.
    void exportProposesAFolderThatExists()
    {
        QTemporaryDir temporary;
        const QDir home(temporary.path());
        // The home folder (and with it the documents folder) is elsewhere for this test.
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", oldHome);
            qputenv("XDG_CONFIG_HOME", oldConfig);
        });
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        auto *growth = qobject_cast<CalculatorWindow *>(openByAccessKey(QStringLiteral("Compound")));
        QVERIFY(growth);
        user->fill("InCost", "250000");
        user->click("FCalc");
        QStringList proposed;
        QString answer;
        const auto chooser = [&](QWidget *, const QString &path) {
            proposed << path;
            return answer;
        };
        growth->grid()->setCsvFileChooser(chooser);
        const QString growthFile = QStringLiteral("Find Annual Compound Growth.csv");

        // No documents folder: never a file named after it, but the home folder.
        ChooseFromGridMenu(growth->grid(), Qt::Key_E);
        QCOMPARE(proposed, QStringList{home.filePath(growthFile)});
        QVERIFY(home.mkdir(QStringLiteral("Documents")));
        ChooseFromGridMenu(growth->grid(), Qt::Key_E);
        QCOMPARE(proposed.last(), home.filePath(QStringLiteral("Documents/") + growthFile));

        // The user picks a folder of their own; the table is written there.
        QVERIFY(home.mkpath(QStringLiteral("exports/2026")));
        answer = home.filePath(QStringLiteral("exports/2026/growth.csv"));
        ChooseFromGridMenu(growth->grid(), Qt::Key_E);
        QVERIFY(QFile::exists(answer));

        // The next export, from another window, starts in that folder.
        answer.clear();
        user->click("FExit");
        QTRY_VERIFY(!frame->activeTool());
        auto *capital = qobject_cast<CalculatorWindow *>(openByAccessKey(QStringLiteral("HowMuch")));
        QVERIFY(capital);
        user->click("CCalc");
        capital->grid()->setCsvFileChooser(chooser);
        ChooseFromGridMenu(capital->grid(), Qt::Key_E);
        QCOMPARE(proposed.last(), home.filePath(QStringLiteral("exports/2026/Capital Required.csv")));

        // A remembered folder that has gone since is passed over.
        QVERIFY(QDir(home.filePath(QStringLiteral("exports"))).removeRecursively());
        ChooseFromGridMenu(capital->grid(), Qt::Key_E);
        QCOMPARE(proposed.last(), home.filePath(QStringLiteral("Documents/Capital Required.csv")));
        QCOMPARE(proposed.size(), 5);
        QVERIFY(t->dialogs.messages.isEmpty());
    }

    void guardTurnsFailuresIntoMessageThree()
    {
        auto *tool = new FaultyCalc(t->shell, *frame);
        frame->openTool(tool);
        user = std::make_unique<WindowDriver>(tool);

        tool->faulty().fault = FaultySession::Fault::Arithmetic;
        user->click(QStringLiteral("TCalc"));
        tool->faulty().fault = FaultySession::Fault::Other;
        user->click(QStringLiteral("TCalc"));
        QCOMPARE(t->dialogs.messages, (QList<int>{3, 3}));
        QCOMPARE(user->cell(QStringLiteral("TGrid"), 1, 0), QString()); // nothing half-filled

        tool->faulty().fault = FaultySession::Fault::None;
        user->click(QStringLiteral("TCalc"));
        QCOMPARE(user->cell(QStringLiteral("TGrid"), 1, 0), QStringLiteral("done"));
        tool->session().data().ResultCount = 1;
        t->dialogs.lines << QStringLiteral("header");
        user->click(QStringLiteral("TPrinter"));
        QCOMPARE(t->dialogs.messages, (QList<int>{3, 3, 3}));
    }

    // Closing the program by its title bar asks the open tool first.
    void aToolMayRefuseTheClosingOfTheProgram()
    {
        auto *tool = new KeepingTool(t->shell, *frame, QStringLiteral(" Keeping"));
        frame->openTool(tool);
        QVERIFY(!CloseByTitleBar(frame.get()));
        QVERIFY(frame->isVisible());
        QCOMPARE(tool->asked, 1);
        tool->keep = false;
        QVERIFY(CloseByTitleBar(frame.get()));
        QCOMPARE(tool->asked, 2);
    }
};

QTEST_MAIN(TestCalculatorWindow)
#include "test_calculator_window.moc"
