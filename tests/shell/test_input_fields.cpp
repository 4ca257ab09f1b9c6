#include "shell/input_fields.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

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

} // namespace

class TestInputFields : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestShell> t;
    std::unique_ptr<FieldWindow> window;
    std::unique_ptr<WindowDriver> user;

    Money slot(int n) const { return t->state.InputValues.value(n); }

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

    void listOnlyField()
    {
        auto *frequency = user->find<QComboBox>("InFreq");
        user->focus("InFreq");
        user->type("M");
        QCOMPARE(frequency->currentText(), QStringLiteral("Annually")); // typing picks nothing
        user->key(Qt::Key_Down);
        QCOMPARE(frequency->currentText(), QStringLiteral("Quarterly"));
        QCOMPARE(t->state.FieldEdited, qint16(1));
        user->enter();
        QCOMPARE(user->focusedName(), QStringLiteral("InInfl"));
        QCOMPARE(t->state.FieldEdited, qint16(0));
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
        user->key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(user->text("InCost"), QString()); // Ctrl+V is refused like any other control key
    }

    void figureTooLargeForMoneyIsRefused()
    {
        user->fill("InCost", "99999999999999999999");
        QCOMPARE(t->dialogs.messages, QList<int>{3});
        QCOMPARE(slot(1), Money());
    }
};

QTEST_MAIN(TestInputFields)
#include "test_input_fields.moc"
