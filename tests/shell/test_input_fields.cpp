#include "shell/calculator_parts.h"
#include "shell/input_fields.h"
#include "support/window_driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <limits>

namespace {

// A window with one field of each kind, declared the way the tools declare theirs.
class FieldWindow : public QWidget
{
public:
    explicit FieldWindow(Shell &shell) : m_shell(shell)
    {
        auto *layout = new QVBoxLayout(this);
        for (const char *name : {"InCost", "InTerm", "NamInv", "InRate"}) {
            auto *edit = new QLineEdit(this);
            edit->setObjectName(QLatin1String(name));
            layout->addWidget(edit);
        }
        auto *combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("InAmount"));
        combo->setEditable(true);
        combo->addItems({QStringLiteral("100"), QStringLiteral("250.50")});
        layout->addWidget(combo);
        auto *frequency = new QComboBox(this);
        frequency->setObjectName(QStringLiteral("InFreq"));
        frequency->addItems({QStringLiteral("Annually"), QStringLiteral("Quarterly"), QStringLiteral("Monthly")});
        layout->addWidget(frequency);
        auto *inflation = new QLineEdit(this);
        inflation->setObjectName(QStringLiteral("InInfl"));
        layout->addWidget(inflation);
        auto *calc = new QPushButton(QStringLiteral("&Calculate"), this);
        calc->setObjectName(QStringLiteral("FCalc"));
        layout->addWidget(calc);
        fields = new InputFields(shell, this,
                                 {
                                     {"InCost", 1, FieldKind::Money, 16, "InTerm"},
                                     {"InTerm", 3, FieldKind::Years, 19, "NamInv", 50, 4},
                                     {"NamInv", -1, FieldKind::Text, 0, "FCalc"},
                                     {"InRate", 2, FieldKind::Percent, 14, "InAmount", 0, 0, FocusVariant::B},
                                     {"InAmount", 4, FieldKind::Money, 13, "InFreq"},
                                     {"InFreq", -1, FieldKind::Choice, 0, "InInfl"},
                                     {"InInfl", 5, FieldKind::Percent, 14, "InCost", 0, 0, FocusVariant::A, nullptr,
                                      true},
                                 },
                                 [this] {
                                     ++invalidations;
                                     m_shell.state.FieldEdited = 1;
                                 });
        connect(calc, &QPushButton::clicked, this, [this] {
            fields->finishEdit();
            calculatedWith = m_shell.state.InputValues.value(1);
        });
        fields->setValue("InCost", Money::fromWhole(10000));
        fields->setValue("InTerm", Money::fromWhole(5));
        fields->setValue("InRate", Money::fromWhole(7));
        findChild<QLineEdit *>(QStringLiteral("NamInv"))->setText(QStringLiteral("XYZ mutual fund."));
    }

    InputFields *fields;
    int invalidations = 0;
    Money calculatedWith;

private:
    Shell &m_shell;
};

// Ways text can reach a box without the key filter.
enum class Route { DropOnEdit, DropOnList, MiddleClick, ShiftInsert, CtrlV, SetFromOutside };

} // namespace

Q_DECLARE_METATYPE(Money)
Q_DECLARE_METATYPE(Route)

class TestInputFields : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestShell> t;
    std::unique_ptr<FieldWindow> window;
    std::unique_ptr<WindowDriver> user;

    Money slot(int n) const { return t->state.InputValues.value(n); }
    // What a box shows for the figure stored behind it.
    QString shownFor(FieldKind kind, Money value, int width) const
    {
        return FieldDisplayText(kind, value, width, t->state.CurrencySymbol);
    }

private slots:
    void init()
    {
        t = std::make_unique<TestShell>();
        window = std::make_unique<FieldWindow>(t->shell);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        user = std::make_unique<WindowDriver>(window.get());
    }
    void cleanup()
    {
        user.reset();
        window.reset();
        t.reset();
    }

    void firstKeyReplacesTheFigure()
    {
        QCOMPARE(user->text("InCost"), QStringLiteral("      $10,000.00"));
        user->focus("InCost");
        user->type("2");
        QCOMPARE(user->text("InCost"), QStringLiteral("2"));
        QCOMPARE(t->state.FieldEdited, qint16(1));
        QCOMPARE(window->invalidations, 1);
        user->leave();
        QCOMPARE(user->text("InCost"), QString(11, u' ') + QStringLiteral("$2.00"));
        QCOMPARE(slot(1), Money::fromWhole(2));
        QCOMPARE(t->state.FieldEdited, qint16(0));
    }

    void keyFilterRefusesWhatIsNotAFigure()
    {
        user->focus("InCost");
        user->type("12.345");
        QCOMPARE(user->text("InCost"), QStringLiteral("12.34"));
        user->type("$-a,");
        QCOMPARE(user->text("InCost"), QStringLiteral("12.34"));
        user->leave();
        QCOMPARE(slot(1), Money::fromDouble(12.34));

        user->focus("InCost");
        user->type("1.2.");
        user->leave();
        QCOMPARE(slot(1), Money::fromDouble(1.2));
        QCOMPARE(user->text("InCost"), QString(11, u' ') + QStringLiteral("$1.20"));
    }

    void yearsFieldEmptiesEvenOnARefusedKey()
    {
        user->focus("InTerm");
        user->type("x");
        QCOMPARE(user->text("InTerm"), QString());
        user->type("2.5");
        QCOMPARE(user->text("InTerm"), QStringLiteral("25"));
        user->leave();
        QCOMPARE(slot(3), Money::fromWhole(25));
        QCOMPARE(user->text("InTerm"), QString(17, u' ') + QStringLiteral("25"));
    }

    void yearsLimitOnLeaving()
    {
        user->fill("InTerm", "51");
        QCOMPARE(t->dialogs.messages, QList<int>{4});
        QCOMPARE(slot(3), Money::fromWhole(50));
        QCOMPARE(user->text("InTerm"), QString(17, u' ') + QStringLiteral("50"));
        user->fill("InTerm", "50");
        QCOMPARE(t->dialogs.messages, QList<int>{4});
    }

    void deleteThenLeaveStoresZero()
    {
        user->focus("InCost");
        user->key(Qt::Key_Delete);
        QCOMPARE(t->state.FieldEdited, qint16(1));
        user->leave();
        QCOMPARE(slot(1), Money());
        QCOMPARE(user->text("InCost"), QString(12, u' ') + QStringLiteral("$.00"));
    }

    void enterMovesThroughTheTable()
    {
        user->focus("InCost");
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InTerm"));
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("NamInv"));
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("FCalc"));
        QCOMPARE(user->text("NamInv"), QStringLiteral("XYZ mutual fund."));
        QCOMPARE(slot(1), Money::fromWhole(10000)); // passing through changes nothing
    }

    void nameFieldIsTypedAsIs()
    {
        user->focus("NamInv");
        user->key(Qt::Key_End);
        user->type(" 2");
        QCOMPARE(user->text("NamInv"), QStringLiteral("XYZ mutual fund. 2"));
        QVERIFY(window->invalidations >= 2);
        user->leave();
        QCOMPARE(t->state.FieldEdited, qint16(0));
        // The next field still starts afresh with its first key.
        user->focus("InCost");
        user->type("7");
        QCOMPARE(user->text("InCost"), QStringLiteral("7"));
    }

    void accessKeyFinishesTheEdit()
    {
        user->focus("InCost");
        user->type("2500");
        user->key(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(window->calculatedWith, Money::fromWhole(2500)); // access keys click after a short delay
        QCOMPARE(user->text("InCost"), QStringLiteral("       $2,500.00"));
    }

    void percentAndVariantB()
    {
        QCOMPARE(user->text("InRate"), QString(10, u' ') + QStringLiteral("7.00%"));
        const int before = window->invalidations;
        QTest::mouseClick(user->control("InRate"), Qt::LeftButton);
        QCOMPARE(window->invalidations, before + 1);
        // The figure still showing is replaced by what is typed after the click.
        user->type("6.5");
        QCOMPARE(user->text("InRate").trimmed(), QStringLiteral("6.5"));
        user->leave();
        QCOMPARE(slot(2), Money::fromDouble(6.5));
        QCOMPARE(user->text("InRate"), QString(10, u' ') + QStringLiteral("6.50%"));
    }

    void choosingFromTheListIsAnEdit()
    {
        auto *combo = user->find<QComboBox>("InAmount");
        user->focus("InAmount");
        user->key(Qt::Key_Down);
        QCOMPARE(t->state.FieldEdited, qint16(1));
        QCOMPARE(combo->currentText(), QStringLiteral("250.50"));
        user->leave();
        QCOMPARE(slot(4), Money::fromDouble(250.50));
        QCOMPARE(combo->currentText(), QStringLiteral("      $250.50"));
    }

    void listOnlyFieldEnterMovesOn()
    {
        user->focus("InFreq");
        user->key(Qt::Key_Down);
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InInfl"));
        QCOMPARE(t->state.FieldEdited, qint16(0));
    }

    void listOnlyFieldKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("edited");
        QTest::newRow("down chooses") << int(Qt::Key_Down) << "Quarterly" << true;
        QTest::newRow("end chooses") << int(Qt::Key_End) << "Monthly" << true;
        QTest::newRow("a letter does not") << int(Qt::Key_M) << "Annually" << false;
        QTest::newRow("space does not") << int(Qt::Key_Space) << "Annually" << false;
        QTest::newRow("backspace does not") << int(Qt::Key_Backspace) << "Annually" << false;
        QTest::newRow("delete does not") << int(Qt::Key_Delete) << "Annually" << false;
    }
    void listOnlyFieldKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, chosen);
        QFETCH(bool, edited);
        auto *frequency = user->find<QComboBox>("InFreq");
        user->focus("InFreq");
        const int before = window->invalidations;
        user->key(Qt::Key(key));
        QCOMPARE(frequency->currentText(), chosen);
        QVERIFY(!frequency->view()->isVisible());
        // Only a choice is an edit; a refused key leaves the results standing.
        QCOMPARE(window->invalidations > before, edited);
        QCOMPARE(t->state.FieldEdited, qint16(edited ? 1 : 0));
    }

    void minusStartsANegativeFigure()
    {
        user->focus("InInfl");
        user->type("5-3.5");
        QCOMPARE(user->text("InInfl"), QStringLiteral("-3.5"));
        user->leave();
        QCOMPARE(slot(5), Money::fromDouble(-3.5));
        QCOMPARE(user->text("InInfl"), QString(9, u' ') + QStringLiteral("-3.50%"));
        // Elsewhere a minus is refused.
        user->focus("InCost");
        user->type("-4");
        QCOMPARE(user->text("InCost"), QStringLiteral("4"));
    }

    void focusEmptiesTheClipboard()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("99999"));
        user->focus("InCost");
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    }

    void typedFiguresAreReadExactly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("fifth decimal, half to even") << "0.00015" << qint64(2) << "$.00" << QList<int>{};
        QTest::newRow("fifteen whole digits and cents")
            << "123456789012345.67" << qint64(1234567890123456700) << "$123,456,789,012,345.67" << QList<int>{};
        QTest::newRow("largest figure money holds")
            << "922337203685477.58" << qint64(9223372036854775800) << "$922,337,203,685,477.58" << QList<int>{};
        QTest::newRow("one cent more is refused") << "922337203685477.59" << qint64(0) << "$.00" << QList<int>{3};
        QTest::newRow("twenty digits are refused") << "99999999999999999999" << qint64(0) << "$.00" << QList<int>{3};
    }
    void typedFiguresAreReadExactly()
    {
        QFETCH(QString, typed);
        QFETCH(qint64, raw);
        QFETCH(QString, shown);
        QFETCH(QList<int>, messages);
        user->focus("InCost");
        user->type("1");
        // The key filter keeps two decimals; more come only for special entries,
        // so the text is put in as those would leave it.
        user->find<QLineEdit>("InCost")->setText(typed);
        user->leave();
        QCOMPARE(slot(1), Money::fromRaw(raw));
        QCOMPARE(user->text("InCost").trimmed(), shown);
        QCOMPARE(t->dialogs.messages, messages);
    }

    void limitIsComparedAsMoney()
    {
        // Above the limit as a double, but the limit itself once read as money.
        user->focus("InTerm");
        user->type("1");
        user->find<QLineEdit>("InTerm")->setText(QStringLiteral("50.00004"));
        user->leave();
        QCOMPARE(t->dialogs.messages, QList<int>{});
        QCOMPARE(slot(3), Money::fromWhole(50));
    }

    void figureBoxesOnlyTakeTypedText_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("slotNumber");
        QTest::newRow("drop on a box") << Route::DropOnEdit << "InCost" << 1;
        QTest::newRow("drop on a typed list") << Route::DropOnList << "InAmount" << 4;
        QTest::newRow("middle button paste") << Route::MiddleClick << "InCost" << 1;
        QTest::newRow("Shift+Insert") << Route::ShiftInsert << "InCost" << 1;
        QTest::newRow("Ctrl+V") << Route::CtrlV << "InCost" << 1;
        QTest::newRow("text set from outside") << Route::SetFromOutside << "InCost" << 1;
    }
    void figureBoxesOnlyTakeTypedText()
    {
        QFETCH(Route, route);
        QFETCH(QString, box);
        QFETCH(int, slotNumber);
        const QString pasted = QStringLiteral("\u20ac2XYZ mutual fund.,500.00");
        window->fields->setValue("InAmount", Money::fromWhole(250));
        QLineEdit *edit = window->fields->editor(box.toLatin1().constData());
        QVERIFY(edit);
        const QString before = edit->text();
        user->focus(box);
        // Whatever reaches the clipboard after the box was entered.
        QGuiApplication::clipboard()->setText(pasted);
        if (QGuiApplication::clipboard()->supportsSelection())
            QGuiApplication::clipboard()->setText(pasted, QClipboard::Selection);
        switch (route) {
        case Route::DropOnEdit:
        case Route::DropOnList: {
            QMimeData data;
            data.setText(pasted);
            const QPoint at = edit->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edit, &enter);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edit, &drop);
            QVERIFY(!edit->acceptDrops());
            break;
        }
        case Route::MiddleClick:
            QTest::mouseClick(edit, Qt::MiddleButton, {}, edit->rect().center());
            break;
        case Route::ShiftInsert:
            user->key(Qt::Key_Insert, Qt::ShiftModifier);
            break;
        case Route::CtrlV:
            // Refused like any key that types no figure, after emptying the box as a first key does.
            user->key(Qt::Key_V, Qt::ControlModifier);
            break;
        case Route::SetFromOutside:
            edit->setText(pasted);
            break;
        }
        if (route != Route::SetFromOutside)
            QVERIFY(!edit->text().contains(QLatin1String("XYZ")));
        user->click("FCalc");
        QTRY_VERIFY(!edit->hasFocus());
        // What the box shows is the figure stored, and that is what Calculate used.
        const int width = slotNumber == 1 ? 16 : 13;
        QCOMPARE(edit->text(), shownFor(FieldKind::Money, slot(slotNumber), width));
        if (route == Route::SetFromOutside || route == Route::CtrlV)
            QCOMPARE(slot(1), Money()); // no leading figure in what arrived
        else
            QCOMPARE(edit->text(), before);
        if (slotNumber == 1)
            QCOMPARE(window->calculatedWith, slot(1));
    }

    void figureBoxesHoldTheLargestFigure_data()
    {
        const Money largest = Money::fromRaw(std::numeric_limits<qint64>::max());
        QTest::addColumn<QString>("box");
        QTest::addColumn<Money>("value");
        QTest::newRow("money box") << "InCost" << largest;
        QTest::newRow("money list") << "InAmount" << largest;
        QTest::newRow("percent with a minus") << "InInfl" << -largest;
        QTest::newRow("years up to the limit") << "InTerm" << Money::fromWhole(50);
    }
    void figureBoxesHoldTheLargestFigure()
    {
        QFETCH(QString, box);
        QFETCH(Money, value);
        window->fields->setValue(box.toLatin1().constData(), value);
        // As narrow as the window can be: each box keeps its least width.
        window->resize(10, window->height());
        QApplication::processEvents();
        QLineEdit *edit = window->fields->editor(box.toLatin1().constData());
        const QString text = edit->text();
        QVERIFY(text.contains(QLatin1Char('9')) || box == QLatin1String("InTerm"));
        // With the cursor at the end, a figure wider than its box is scrolled
        // to the left and its start is cut off.
        edit->setCursorPosition(int(text.size()));
        const QRect cursor = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        QVERIFY2(edit->cursorPositionAt(QPoint(1, edit->height() / 2)) == 0,
                 qPrintable(QStringLiteral("%1 in %2 px").arg(text).arg(edit->width())));
        QVERIFY(cursor.right() < edit->width());
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
        if (const QString folder = qEnvironmentVariable("TALLOMAR_KEEP_PNG"); !folder.isEmpty())
            image.save(QDir(folder).filePath(typed ? QStringLiteral("list-typed.png") : QStringLiteral("list.png")));
        // The entry's background is what most of its pixels show; its text is
        // the colour furthest from that. Readable means well apart in lightness.
        const QRect row = view->visualRect(chosen).intersected(image.rect()).adjusted(1, 1, -1, -1);
        QVERIFY(!row.isEmpty());
        QHash<QRgb, int> counts;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x)
                ++counts[image.pixel(x, y)];
        QRgb background = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() > counts.value(background))
                background = it.key();
        int furthest = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            furthest = std::max(furthest, std::abs(qGray(it.key()) - qGray(background)));
        QVERIFY2(furthest >= 120, qPrintable(QStringLiteral("background %1, text differs by %2")
                                                 .arg(QColor(background).name())
                                                 .arg(furthest)));
        list->hidePopup();
    }
};

QTEST_MAIN(TestInputFields)
#include "test_input_fields.moc"
