#include "shell/core/message_numbers.h"
#include "shell/ui/calculator_parts.h"
#include "shell/ui/input_fields.h"
#include "shell/ui/mdi_container.h"
#include "support/tool_window_test.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

// The one field class on a window of one box of each kind: its key filter,
// its limits and the ways text could reach a box past the filter. What every
// box of every tool does with its largest figure, its limit, Tab, Enter,
// Escape, the wheel and re-entering is walked in test_user_paths.
namespace {

// One field of each kind, described the way the tools describe theirs.
const FieldDescription Fields[] = {
    {.control = "InCost", .slot = 1, .kind = FieldKind::Money, .width = 16, .next = "InTerm"},
    {.control = "InTerm", .slot = 3, .kind = FieldKind::Years, .width = 19, .next = "InAmount", .limit = 50},
    {.control = "InAmount",
     .slot = 4,
     .kind = FieldKind::Money,
     .width = 13,
     .next = "InFreq",
     .focus = FieldFocus::NoSelection,
     .items = FieldItems({"1000", "2500", "5000", "10000"})},
    {.control = "InFreq",
     .kind = FieldKind::Choice,
     .next = "InDay",
     .focus = FieldFocus::NoSelection,
     .items = FieldItems({"Annually", "Quarterly", "Monthly"})},
    {.control = "InDay", .kind = FieldKind::Date, .next = "FCalc", .limitMessage = MsgNotAValidDate},
};

// A tool holding those fields, made the way the tools make theirs.
class FieldWindow : public QWidget
{
public:
    explicit FieldWindow(Shell &shell)
    {
        setObjectName(QStringLiteral("FieldWindow"));
        auto *layout = new QVBoxLayout(this);
        for (const FieldDescription &field : Fields) {
            if (field.items.isEmpty())
                layout->addWidget(MakeYellowBox(field.control, this));
            else
                layout->addWidget(MakeYellowList(field.control, field.items, field.kind != FieldKind::Choice, this));
        }
        auto *calc = new QPushButton(QStringLiteral("&Calculate"), this);
        calc->setObjectName(QStringLiteral("FCalc"));
        layout->addWidget(calc);
        fields = new InputFields(shell, this, Fields, values, [this] { ++invalidations; });
        connect(calc, &QPushButton::clicked, this, [this] {
            if (fields->finishEdit())
                calculatedWith = values.value(1);
        });
        fields->setValue("InCost", Money::fromWhole(10000));
        fields->setValue("InTerm", Money::fromWhole(5));
        fields->setValue("InAmount", Money::fromWhole(1000));
        fields->setText("InDay", QStringLiteral("12/7/2026"));
    }

    ~FieldWindow() override { delete fields; }

    QList<Money> values;
    InputFields *fields;
    int invalidations = 0;
    Money calculatedWith;
};

// Ways a user could bring text to a box past the key filter. Ctrl+V, a key
// like any other, is sent to every box by test_monkey.
enum class Route { Drop, MiddleClick, ShiftInsert };

} // namespace

Q_DECLARE_METATYPE(Route)

class TestInputFields : public ToolWindowTest
{
    Q_OBJECT

    FieldWindow *window = nullptr;

    Money slot(int n) const { return window->values.value(n); }

private slots:
    void init()
    {
        startFrame();
        window = new FieldWindow(t->shell);
        frame->openTool(window);
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        user = std::make_unique<WindowDriver>(window);
    }
    void cleanup()
    {
        window = nullptr;
        endFrame();
    }

    // Typed key by key: the first key replaces the figure, the filter keeps
    // what is no figure out, and leaving stores the figure and shows it
    // formatted; past the limit, or past what money holds, the message is
    // told and the figure before is kept.
    void keyFilter_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("whileTyping");
        QTest::addColumn<int>("slotNumber");
        QTest::addColumn<qint64>("raw"); // the money stored, in ten-thousandths
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("symbols, letters, minus refused") << "InCost" << "$-a,1500" << "1500" << 1 << qint64(15000000)
                                                         << "$1,500.00" << QList<int>{};
        QTest::newRow("one cent more is refused") << "InCost" << "922337203685477.59" << "922337203685477.59" << 1
                                                  << qint64(100000000) << "$10,000.00" << QList<int>{3};
        // A refused first key still empties the box: the 5 shown is not kept in front.
        QTest::newRow("years, a refused key first") << "InTerm" << "x2.5" << "25" << 3 << qint64(250000)
                                                    << "25" << QList<int>{};
    }
    void keyFilter()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, whileTyping);
        QFETCH(int, slotNumber);
        QFETCH(qint64, raw);
        QFETCH(QString, shown);
        QFETCH(QList<int>, messages);
        user->focus(box);
        user->type(typed);
        QCOMPARE(user->text(box), whileTyping);
        QVERIFY(window->invalidations >= 1);
        user->leave();
        QCOMPARE(slot(slotNumber), Money::fromRaw(raw));
        QCOMPARE(user->text(box).trimmed(), shown);
        QCOMPARE(t->dialogs.messages, messages);
    }

    // One rule for every box: a click only looks; what changes a figure
    // (a typed key, a key or a choice in a list) clears the results.
    void clicksClearNothing_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("figure box") << "InCost";
        QTest::newRow("typed list") << "InAmount";
        QTest::newRow("list only") << "InFreq";
    }
    void clicksClearNothing()
    {
        QFETCH(QString, box);
        QWidget *control = user->control(box);
        auto *list = qobject_cast<QComboBox *>(control);
        // Where the pointer lands: the line edit inside a typed list.
        QWidget *target = list && list->lineEdit() ? list->lineEdit() : control;
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
        if (list)
            list->hidePopup();
        user->leave();
        QCOMPARE(window->invalidations, 0);
        if (box == QLatin1String("InFreq")) {
            user->focus(box);
            // A list-only box is chosen from: a letter is refused, not a search.
            user->key(Qt::Key_M);
            QCOMPARE(list->currentText(), QStringLiteral("Annually"));
            QCOMPARE(window->invalidations, 0);
            user->key(Qt::Key_Down);
            QCOMPARE(list->currentText(), QStringLiteral("Quarterly"));
        } else if (list) {
            // An item chosen from the open list is stored at once.
            list->showPopup();
            QTRY_VERIFY(list->view()->isVisible());
            QTest::keyClick(list->view(), Qt::Key_Down);
            QTest::keyClick(list->view(), Qt::Key_Return);
            QCOMPARE(slot(4), Money::fromWhole(2500));
        } else {
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
            user->type("1500");
        }
        QCOMPARE(window->invalidations, 1);
    }

    // A step through a typed list goes from the figure shown to the item
    // above or below it, and what it shows is stored at once.
    void listStepsFromTheFigureShown_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<qint64>("stored");
        QTest::newRow("up from a typed figure") << "3000" << int(Qt::Key_Up) << "    $2,500.00" << qint64(2500);
        QTest::newRow("down from an item") << "2500" << int(Qt::Key_Down) << "    $5,000.00" << qint64(5000);
        QTest::newRow("up from past the largest")
            << "9999999999999999" << int(Qt::Key_Up) << "   $10,000.00" << qint64(10000);
    }
    void listStepsFromTheFigureShown()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, shown);
        QFETCH(qint64, stored);
        auto *combo = user->find<QComboBox>("InAmount");
        // The list's own place is the first item; the figure typed is elsewhere.
        user->focus("InAmount");
        user->type(typed);
        user->key(Qt::Key(key));
        QCOMPARE(combo->currentText(), shown);
        QCOMPARE(slot(4), Money::fromWhole(stored));
        QCOMPARE(t->dialogs.messages, QList<int>{});
        // Leaving keeps what is shown.
        user->leave();
        QCOMPARE(combo->currentText(), shown);
        QCOMPARE(slot(4), Money::fromWhole(stored));
    }

    void figureBoxesOnlyTakeKeys_data()
    {
        QTest::addColumn<Route>("route");
        QTest::newRow("drop") << Route::Drop;
        QTest::newRow("middle button paste") << Route::MiddleClick;
        QTest::newRow("Shift+Insert") << Route::ShiftInsert;
    }
    void figureBoxesOnlyTakeKeys()
    {
        QFETCH(Route, route);
        const QString pasted = QStringLiteral("\u20ac2XYZ mutual fund.,500.00");
        QLineEdit *edit = window->fields->editor("InCost");
        QVERIFY(edit);
        const QString before = edit->text();
        user->focus("InCost");
        // Whatever reaches the clipboard after the box was entered.
        QGuiApplication::clipboard()->setText(pasted);
        if (QGuiApplication::clipboard()->supportsSelection())
            QGuiApplication::clipboard()->setText(pasted, QClipboard::Selection);
        if (route == Route::Drop) {
            QMimeData data;
            data.setText(pasted);
            const QPoint at = edit->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edit, &enter);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edit, &drop);
            QVERIFY(!edit->acceptDrops());
        } else if (route == Route::MiddleClick) {
            QTest::mouseClick(edit, Qt::MiddleButton, {}, edit->rect().center());
        } else {
            user->key(Qt::Key_Insert, Qt::ShiftModifier);
        }
        user->click("FCalc");
        QTRY_VERIFY(!edit->hasFocus());
        // What the box shows is the figure stored, and that is what Calculate used.
        QCOMPARE(edit->text(), FieldDisplayText(FieldKind::Money, slot(1), 16, t->state.CurrencySymbol));
        QCOMPARE(edit->text(), before);
        QCOMPARE(window->calculatedWith, slot(1));
    }

    // The date box follows the rules of every box: the first key replaces
    // the date, only date keys get in, Enter moves on, and a text that is
    // no date is told and gives the date before back.
    void dateBox()
    {
        user->fill("InDay", "3/15/2025");
        QCOMPARE(user->text("InDay"), QStringLiteral("3/15/2025"));

        user->focus("InDay");
        user->type("2/30a/2025");
        QCOMPARE(user->text("InDay"), QStringLiteral("2/30/2025"));
        user->enter();
        QCOMPARE(t->dialogs.messages, QList<int>{10});
        QCOMPARE(user->text("InDay"), QStringLiteral("3/15/2025"));
        QCOMPARE(user->focusedName(), QStringLiteral("InDay"));
        // Typed over, not after, the date brought back.
        user->type("4/1/2025");
        QCOMPARE(user->text("InDay"), QStringLiteral("4/1/2025"));
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("FCalc"));
        QCOMPARE(t->dialogs.messages, QList<int>{10});
    }

    void highlightedListEntryIsReadable_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::newRow("list only") << false;
        QTest::newRow("typed list") << true;
    }
    void highlightedListEntryIsReadable()
    {
        QFETCH(bool, typed);
        QWidget host;
        QComboBox *list = MakeYellowList(
            "InMonthsYrs", {QStringLiteral("Annually"), QStringLiteral("Quarterly"), QStringLiteral("Monthly")}, typed,
            &host);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        list->showPopup();
        QAbstractItemView *view = list->view();
        QTRY_VERIFY(view->isVisible());
        const QModelIndex chosen = view->model()->index(1, 0);
        view->setCurrentIndex(chosen);
        QApplication::processEvents();
        const QImage image = view->grab().toImage();
        // The entry's background is what most of its pixels show; its text is
        // the colour furthest from that. Readable means well apart in lightness.
        const QRect row = view->visualRect(chosen).intersected(image.rect()).adjusted(1, 1, -1, -1);
        QVERIFY(!row.isEmpty());
        QHash<QRgb, int> counts;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x)
                ++counts[image.pixel(x, y)];
        const QRgb background = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
                                    return a.second < b.second;
                                })->first;
        int furthest = 0;
        for (QRgb colour : counts.keys())
            furthest = std::max(furthest, std::abs(qGray(colour) - qGray(background)));
        QVERIFY2(furthest >= 120, qPrintable(QColor(background).name()));
        list->hidePopup();
    }
};

QTEST_MAIN(TestInputFields)
#include "test_input_fields.moc"
