#include "invest/fund_fields.h"
#include "shell/core/tool_fields.h"
#include "shell/ui/calculator_window.h"
#include "shell/ui/input_fields.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/tool_window_test.h"
#include "support/source_dir.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

// What every user does with every figure box and every calculator, run
// over the field tables so that a box added later is walked too.
class TestUserPaths : public ToolWindowTest
{
    Q_OBJECT

    CalculatorWindow *tool = nullptr;
    QWidget *window = nullptr; // the window whose boxes are walked

    InputFields *boxes() const { return window->findChild<InputFields *>(); }
    // The figure a box's or a list item's text shows; -1 when none.
    static Money figureIn(QString text)
    {
        Money figure;
        const QString digits = text.remove(QRegularExpression(QStringLiteral("[^0-9.]")));
        return Money::fromDecimalText(digits, figure) ? figure : Money::fromWhole(-1);
    }
    // With the boxes in step, the figure a box shows is the one its slot holds.
    Money stored(const FieldDescription &field) const { return figureIn(boxes()->editor(field.control)->text()); }

    // A click in the middle of the box, through the window as the pointer's.
    void clickInto(QWidget *box)
    {
        QTest::mouseClick(box->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          PointInWindow(box, box->rect().center()));
    }

    // The largest figure the box takes, as typed: its limit, or the largest
    // money holds, to the decimals the key filter lets through.
    static QString largestTyped(const FieldDescription &field)
    {
        if (field.limit > 0)
            return QString::number(field.limit);
        QString text = Money::fromRaw(std::numeric_limits<qint64>::max()).toDecimalText();
        const qsizetype point = text.indexOf(QLatin1Char('.'));
        const int decimals = std::min(field.decimals, 2);
        return decimals == 0 ? text.left(point) : text.left(point + 1 + decimals);
    }

    // What a window shows: its boxes, labels and grid cells, in order.
    static QStringList shown(const QWidget *window)
    {
        QStringList texts;
        for (const QLineEdit *edit : window->findChildren<QLineEdit *>())
            if (edit->isVisible())
                texts << edit->text();
        for (const QLabel *label : window->findChildren<QLabel *>())
            if (label->isVisible())
                texts << label->text();
        for (const SpreadsheetGrid *grid : window->findChildren<SpreadsheetGrid *>()) {
            const QAbstractItemModel *model = grid->model();
            for (int row = 0; row < model->rowCount(); ++row)
                for (int col = 0; col < model->columnCount(); ++col)
                    texts << model->index(row, col).data().toString();
        }
        return texts;
    }

    // Tells which box of which tool went wrong.
    QString where(const FieldDescription &field, const char *step) const
    {
        return QStringLiteral("%1 %2: shows \"%3\", holds %4, messages %5, out of step %6")
            .arg(QLatin1String(field.control), QLatin1String(step),
                 boxes()->editor(field.control)->text(), stored(field).toDecimalText())
            .arg(QString::number(t->dialogs.messages.value(0)), boxes()->boxesOutOfStep().join(u';'));
    }

private slots:
    void init() { startFrame(); }
    void cleanup()
    {
        tool = nullptr;
        endFrame();
    }

    // Every figure box of every calculator: the largest figure it takes,
    // typed and left by Tab; a figure of 1,500 typed over it, Escape (which
    // keeps the typing and the tool), and Enter; entered and left again
    // without a key; above its limit; the wheel from outside and inside;
    // an item picked from its list with the pointer.
    void everyFigureBox_data() { AddEveryCalculatorRow(); }
    void everyFigureBox()
    {
        QFETCH(QString, button);
        tool = qobject_cast<CalculatorWindow *>(openByAccessKey(button));
        QVERIFY(tool);
        int walked = 0;
        walkBoxes(tool, tool->session().fields(), walked);
        if (!QTest::currentTestFailed())
            QVERIFY(walked >= 2);
    }

    // The record entry window's boxes, for a purchase and for a dividend
    // (each shows its own boxes).
    void everyRecordBox()
    {
        QVERIFY(openByAccessKey(QStringLiteral("Manager")));
        t->dialogs.lines << QStringLiteral("Harbor Index");
        user->accessKey(Qt::Key_A);
        auto *entry = frame->findChild<QWidget *>(QStringLiteral("FundRecordEntry"));
        QVERIFY(entry);
        WindowDriver hands(entry);
        hands.click(QStringLiteral("createfund"));
        for (const auto &[type, shown] : {std::pair{0, 3}, std::pair{2, 1}}) {
            auto *types = hands.find<QComboBox>(QStringLiteral("ETransType"));
            hands.focus(QStringLiteral("ETransType"));
            while (types->currentIndex() != type)
                hands.key(types->currentIndex() < type ? Qt::Key_Down : Qt::Key_Up);
            int walked = 0;
            walkBoxes(entry, RecordEntryFields(), walked);
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(walked, shown);
        }
    }

private:
// A check on the box being walked; a failure says which box, which step,
// and what the box shows and holds.
#define CHECK_BOX(condition, step) QVERIFY2(condition, qPrintable(where(field, step)))

    // Walks every figure box shown; how many.
    void walkBoxes(QWidget *walked_window, FieldTable table, int &walked)
    {
        window = walked_window;
        WindowDriver hands(window);
        QWidget *const open = frame->activeTool();
        walked = 0;
        for (const FieldDescription &field : table) {
            QLineEdit *edit = boxes()->editor(field.control);
            if (field.slot < 0 || !IsFigureKind(field.kind) || !edit || !edit->isVisible() || !edit->isEnabled())
                continue;
            ++walked;
            auto *list = qobject_cast<QComboBox *>(edit->parentWidget());
            const auto inStep = [this] { return boxes()->boxesOutOfStep().isEmpty(); };
            t->dialogs.messages.clear();

            const QString largest = largestTyped(field);
            Money expected;
            QVERIFY(Money::fromDecimalText(largest, expected));
            clickInto(edit);
            hands.type(largest);
            hands.tab();
            CHECK_BOX(stored(field) == expected && t->dialogs.messages.isEmpty() && inStep(), "largest");
            CHECK_BOX(QApplication::focusWidget() != edit && (!list || QApplication::focusWidget() != list), "Tab");

            const qint64 some = field.limit > 0 ? std::min<qint64>(1500, field.limit) : 1500;
            clickInto(edit);
            hands.type(QString::number(some));
            hands.escape();
            const QWidget *in = QApplication::focusWidget();
            CHECK_BOX(frame->activeTool() == open && in && (in == edit || in == list), "Escape");
            hands.enter();
            CHECK_BOX(stored(field) == Money::fromWhole(some) && inStep(), "Enter");
            if (field.next) {
                QWidget *next = window->findChild<QWidget *>(QLatin1String(field.next));
                QVERIFY(next);
                const QWidget *focused = QApplication::focusWidget();
                CHECK_BOX(focused == next || next->isAncestorOf(focused) || focused == next->focusProxy(), "Enter on");
            }

            const QString shown = edit->text();
            clickInto(edit);
            hands.tab();
            CHECK_BOX(stored(field) == Money::fromWhole(some) && edit->text() == shown, "re-entered");

            if (field.limit > 0) {
                clickInto(edit);
                hands.type(QString::number(field.limit + 1));
                hands.tab();
                CHECK_BOX(stored(field) == Money::fromWhole(field.limit) && inStep() &&
                              (field.limitMessage == MsgNone || t->dialogs.messages == QList<int>{field.limitMessage}),
                          "above its limit");
                t->dialogs.messages.clear();
            }

            // The wheel over a box not in use changes nothing; in a box with
            // a list it steps through the list, towards an item on the side
            // that has one.
            const Money before = stored(field);
            hands.wheel(QString::fromLatin1(field.control), -1);
            CHECK_BOX(stored(field) == before, "wheel from outside");
            bool smallerItem = false;
            for (int i = 0; list && i < list->count(); ++i)
                smallerItem = smallerItem || figureIn(list->itemText(i)) < before;
            clickInto(edit);
            hands.wheel(QString::fromLatin1(field.control), smallerItem ? 1 : -1);
            hands.tab();
            CHECK_BOX((list ? stored(field) != before : stored(field) == before) && t->dialogs.messages.isEmpty() &&
                          inStep(),
                      "wheel inside");

            if (list) {
                // The arrow at the list's right end, then the last item.
                QTest::mouseClick(list->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                                  PointInWindow(list, QPoint(list->width() - 4, list->height() / 2)));
                CHECK_BOX(WaitFor([list] { return list->view()->isVisible(); }), "list");
                QAbstractItemView *view = list->view();
                const QModelIndex last = view->model()->index(list->count() - 1, 0);
                view->scrollTo(last);
                // A release within a double-click's time of the opening
                // click counts as part of it, and the list would stay open.
                QTest::mouseClick(view->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                                  PointInWindow(view->viewport(), view->visualRect(last).center()),
                                  QApplication::doubleClickInterval() + 20);
                CHECK_BOX(WaitFor([list] { return !list->view()->isVisible(); }), "list");
                hands.tab();
                CHECK_BOX(stored(field) == figureIn(list->itemText(list->count() - 1)) && inStep(), "picked");
            }
        }
    }
#undef CHECK_BOX

private slots:

    // Quick Help open, then closed by pressing Calculate: the help goes, the
    // same results come back, and Show Graph and To Printer work on them.
    // Opened by its button and closed by its access key, the results stay
    // where they were.
    void quickHelpClosedByAnotherButton_data() { AddEveryCalculatorRow(); }
    void quickHelpClosedByAnotherButton()
    {
        QFETCH(QString, button);
        tool = qobject_cast<CalculatorWindow *>(openByAccessKey(button));
        QVERIFY(tool);
        const QString letter = tool->grid()->objectName().left(1);
        const QString grid = letter + QStringLiteral("Grid");
        user->focus(QLatin1String(tool->session().fields().front().control));
        user->accessKey(Qt::Key_C);
        const QStringList first = user->row(grid, 1);
        QVERIFY(!first.join(QString()).trimmed().isEmpty());

        user->accessKey(Qt::Key_H);
        QCOMPARE(user->text(letter + "Help"), QStringLiteral("Close &Help"));
        QVERIFY(!user->find<QPushButton>(letter + "Printer")->isEnabled());
        user->click(letter + "Calc");
        QCOMPARE(user->text(letter + "Help"), QStringLiteral("Quick &Help"));
        QCOMPARE(user->row(grid, 1), first);

        user->click(letter + "Help");
        user->accessKey(Qt::Key_H);
        QTRY_COMPARE(user->text(letter + "Help"), QStringLiteral("Quick &Help"));
        QCOMPARE(user->row(grid, 1), first);

        t->dialogs.lines << QStringLiteral("After the help");
        user->click(letter + "Printer");
        QCOMPARE(t->printer.jobs.size(), 1);
        user->click(letter + "Graphs");
        QVERIFY(WaitFor([this] { return frame->overTool() != nullptr; }));
        QVERIFY2(t->dialogs.messages.isEmpty(), qPrintable(QString::number(t->dialogs.messages.value(0))));
    }

    // Every file a tool keeps: a sample opened, saved, opened again, saved
    // again in another folder and opened from there. The two saves are the
    // same bytes, and the window shows the same each time it opens one.
    void everyFileTravels_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("save");
        QTest::addColumn<QString>("sample");
        QTest::newRow("mortgage") << "Canadian" << "MLoadFile" << "MSaveFile" << "Sample_mortgage.umd";
        QTest::newRow("loan") << "LoanPmt" << "MLoadFile" << "MSaveFile" << "Sample_loan.uld";
        QTest::newRow("net worth") << "NetWorth" << "Loadnet" << "SaveNet" << "NetSampl.QVW";
        QTest::newRow("investments") << "Manager" << "Loadfile" << "SaveFile" << "DtaSampl.QVS";
    }
    void everyFileTravels()
    {
        QFETCH(QString, button);
        QFETCH(QString, open);
        QFETCH(QString, save);
        QFETCH(QString, sample);
        const QDir home(t->folder.path());
        QVERIFY(home.mkpath(QStringLiteral("first")) && home.mkpath(QStringLiteral("second folder")));
        const QString original = home.filePath(sample);
        QVERIFY(QFile::copy(SourceDir() + QStringLiteral("/resources/samples/") + sample, original));
        const QString first = home.filePath(QStringLiteral("first/") + sample);
        const QString second = home.filePath(QStringLiteral("second folder/") + sample);
        QVERIFY(openByAccessKey(button));
        QWidget *window = frame->activeTool();

        const auto openFile = [&](const QString &path) {
            t->dialogs.fileNames << path;
            user->click(open);
            // Results are what a mortgage file saves: the user calculates.
            const QString calculate = QStringLiteral("MCalc");
            if (window->findChild<QWidget *>(calculate))
                user->click(calculate);
            Settle();
            return shown(window);
        };
        const auto saveFile = [&](const QString &path) {
            t->dialogs.fileNames << path;
            user->click(save);
            Settle();
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QStringList opened = openFile(original);
        QVERIFY(opened.join(QString()).contains(QRegularExpression(QStringLiteral("[1-9]"))));
        const QByteArray saved = saveFile(first);
        QVERIFY(!saved.isEmpty());
        QCOMPARE(openFile(first), opened);
        QCOMPARE(saveFile(second), saved);
        QCOMPARE(openFile(second), opened);
        QCOMPARE(t->dialogs.fileRequests.size(), 5);
        QVERIFY2(t->dialogs.messages.isEmpty(), qPrintable(QString::number(t->dialogs.messages.value(0))));
    }
};

QTEST_MAIN(TestUserPaths)
#include "test_user_paths.moc"
