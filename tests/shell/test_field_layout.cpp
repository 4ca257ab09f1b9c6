#include "invest/fund_database.h"
#include "invest/fund_fields.h"
#include "invest/fund_menu_window.h"
#include "invest/record_entry_window.h"
#include "shell/ui/calculator_window.h"
#include "shell/ui/mdi_container.h"
#include "support/tool_window_test.h"

#include <QLabel>
#include <QTest>

// Every window's boxes, with the largest figure each takes typed in: none
// covers a label or another box, and none grew. That a click in a box lands
// in it is test_user_paths', which enters every box so.
class TestFieldLayout : public ToolWindowTest
{
    Q_OBJECT

    // The largest figure a field takes, as a user types it.
    static QString largestTyped(const FieldDescription &field)
    {
        if (field.limit > 0)
            return QString::number(field.limit);
        QString text = QStringLiteral("922337203685477");
        if (field.kind != FieldKind::Years && field.decimals > 0)
            text += QLatin1Char('.') + QStringLiteral("5807").left(field.decimals).leftJustified(field.decimals, u'0');
        return field.allowMinus ? QLatin1Char('-') + text : text;
    }

    static QRect placeIn(QWidget *window, QWidget *widget)
    {
        return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
    }

    // Types the largest figure into each box of the table that the window
    // shows, and checks the layout before and after.
    static void typeLargestAndCheck(QWidget *window, FieldTable fields, const QString &name)
    {
        WindowDriver user(window);
        QList<QWidget *> boxes;
        QList<QRect> before;
        for (const FieldDescription &field : fields) {
            QWidget *box = window->findChild<QWidget *>(QLatin1String(field.control));
            if (box && box->isVisible()) {
                boxes << box;
                before << placeIn(window, box);
            }
        }
        QVERIFY(!boxes.isEmpty());
        for (const FieldDescription &field : fields) {
            QWidget *box = window->findChild<QWidget *>(QLatin1String(field.control));
            if (!box->isVisible() || !box->isEnabled())
                continue;
            if (IsFigureKind(field.kind) && field.slot >= 0)
                user.fill(QLatin1String(field.control), largestTyped(field));
            else if (field.kind == FieldKind::Date)
                user.fill(QLatin1String(field.control), QStringLiteral("12/31/2026"));
        }
        QApplication::processEvents();

        const QList<QLabel *> labels = window->findChildren<QLabel *>();
        for (int i = 0; i < boxes.size(); ++i) {
            const QRect box = placeIn(window, boxes[i]);
            const QString what = name + QLatin1Char(' ') + boxes[i]->objectName();
            QVERIFY2(box == before[i], qPrintable(what + QStringLiteral(" grew")));
            QVERIFY2(window->rect().contains(box), qPrintable(what + QStringLiteral(" leaves the window")));
            for (int j = i + 1; j < boxes.size(); ++j)
                QVERIFY2(!box.intersects(placeIn(window, boxes[j])),
                         qPrintable(what + QStringLiteral(" covers ") + boxes[j]->objectName()));
            for (QLabel *label : labels)
                QVERIFY2(!label->isVisible() || label->text().isEmpty() || !box.intersects(placeIn(window, label)),
                         qPrintable(what + QStringLiteral(" covers the label ") + label->text()));
        }
    }

private slots:
    void init() { startFrame(); }
    void cleanup() { endFrame(); }

    void calculators_data() { AddEveryCalculatorRow(); }
    void calculators()
    {
        QFETCH(QString, button);
        auto *tool = qobject_cast<CalculatorWindow *>(openByAccessKey(button));
        QVERIFY(tool);
        typeLargestAndCheck(tool, tool->session().fields(), button);
        QCOMPARE(t->dialogs.messages, QList<int>{});
    }

    void recordEntry()
    {
        auto *menu = qobject_cast<FundMenu *>(openByAccessKey(QStringLiteral("Manager")));
        QVERIFY(menu);
        user->click(QStringLiteral("Editrec"));
        QWidget *entry = menu->entryWindow();
        QVERIFY(entry);
        WindowDriver inEntry(entry);
        t->dialogs.lines << QStringLiteral("A fund with a name as long as a name can be");
        inEntry.click(QStringLiteral("createfund"));
        inEntry.focus(QStringLiteral("ETransType"));
        inEntry.key(Qt::Key_Down);
        QCOMPARE(menu->session().EntryType, QStringLiteral("B"));
        typeLargestAndCheck(entry, RecordEntryFields(), QStringLiteral("RecordEntry"));
        QCOMPARE(t->dialogs.messages, QList<int>{});
    }
};

QTEST_MAIN(TestFieldLayout)
#include "test_field_layout.moc"
