#include "shell/ui/number_input_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The one-line input dialog in both its modes: a line number for the net
// worth sheets, a share price for the investment manager.
class TestFundCurValInput : public QObject
{
    Q_OBJECT

private slots:
    void modes_data()
    {
        QTest::addColumn<NumberAsked>("asked");
        QTest::addColumn<int>("defaultLine");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("answer");
        QTest::newRow("line, digits only")
            << NumberAsked::LineNumber << 7 << "Insert a blank line at line number " << "7" << "1a2.-3" << "123";
        QTest::newRow("line, no default") << NumberAsked::LineNumber << 0 << "Insert a blank line at line number " << "" << "4"
                                                   << "4";
        QTest::newRow("a price, two decimals")
            << NumberAsked::Price << 7 << "Current Price per Share" << "" << "12.345x" << "12.34";
    }
    void modes()
    {
        QFETCH(NumberAsked, asked);
        QFETCH(int, defaultLine);
        QFETCH(QString, label);
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QString, answer);
        FundCurValInput dialog(asked, defaultLine);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("Label1"))->text(), label);
        auto *box = dialog.findChild<QLineEdit *>(QStringLiteral("CurVal"));
        QCOMPARE(box->text(), start);
        QCOMPARE(QApplication::focusWidget(), box);
        QTRY_COMPARE(box->selectedText(), start); // typing replaces the default
        QTest::keyClicks(box, keys);
        QTest::keyClick(box, Qt::Key_Return); // Enter goes to OK...
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Accept"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // ...which Enter presses
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.answer(), answer);
    }

    // The clipboard is the user's: entering and leaving the box keep it,
    // and nothing on it gets past the key filter. Cancel answers nothing,
    // whatever was typed.
    void noPastingPastTheFilter()
    {
        const QString copied = QStringLiteral("abc 1,000.00");
        QApplication::clipboard()->setText(copied);
        if (QApplication::clipboard()->supportsSelection())
            QApplication::clipboard()->setText(copied, QClipboard::Selection);
        FundCurValInput dialog(NumberAsked::Price, 0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *box = dialog.findChild<QLineEdit *>(QStringLiteral("CurVal"));
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        QTest::mouseClick(box, Qt::MiddleButton, {}, box->rect().center());
        QCOMPARE(box->text(), QString());
        QTest::keyClicks(box, QStringLiteral("1000.5"));
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(box->text(), QStringLiteral("1000.5"));
        QCOMPARE(QApplication::clipboard()->text(), copied);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("NoAccept")), Qt::LeftButton);
        QCOMPARE(dialog.answer(), QString());
    }
};

QTEST_MAIN(TestFundCurValInput)
#include "test_number_input_dialog.moc"
