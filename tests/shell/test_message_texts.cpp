#include "shell/core/message_texts.h"
#include "shell/core/placement.h"

#include <QTest>

class TestMessageTexts : public QObject
{
    Q_OBJECT

private slots:
    void messages()
    {
        QCOMPARE(MessageText(1, {}), QStringLiteral("No data to print. Calculate."));
        QCOMPARE(MessageText(6, {}), QStringLiteral("Limit is 22 entries."));
        QCOMPARE(MessageText(28, {}),
                 QStringLiteral("You have Added a Fund Name but have not entered a record in it. Either delete the "
                                "Fund name or add a record. I cannot work with an empty Fund."));
        QCOMPARE(MessageText(30, QStringLiteral("12/6/2026")), QStringLiteral("Correct date format is 12/6/2026"));
        QVERIFY(MessageText(8, {}).isEmpty());
        QVERIFY(MessageText(0, {}).isEmpty());
        // Every listed number has a text.
        for (int n : std::initializer_list<int>{1, 2, 3, 4, 5, 6, 7, 10, 13, 14, 15, 16, 17, 19, 20, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 35,
                      36, 37, 38, 51, MsgSettingsNotSaved, MsgPrintoutNotWritten, MsgBlankLineNumber,
                      MsgSaveDiskFull, MsgSaveNoFolder, MsgSaveNotAllowed, MsgRecordsImported, MsgImportUnreadable,
                      MsgExportNotWritten})
            QVERIFY2(!MessageText(n, QStringLiteral("x")).isEmpty(), qPrintable(QString::number(n)));
    }

    void questions()
    {
        // With no file in memory the question starts with the text's own space.
        QCOMPARE(QuestionText(QuestionUnsavedFile, QString()),
                 QStringLiteral(" file in memory will be erased. Do you wish to go back and save it to Disk?."));
        QCOMPARE(QuestionText(QuestionUnsavedFile, QStringLiteral("FUNDS.QVS")).left(10), QStringLiteral("FUNDS.QVS "));
        QCOMPARE(QuestionText(QuestionDeleteRecord, QStringLiteral("12")),
                 QStringLiteral("Are you sure you wish to delete record number: 12"));
    }

    void layoutClassBoundary()
    {
        QCOMPARE(LayoutClassForHeight(6810), SmallLayout);
        QCOMPARE(LayoutClassForHeight(8500), SmallLayout);
        QCOMPARE(LayoutClassForHeight(8501), LargeLayout);
        QVERIFY(IsSmallLayout(8500));
        QVERIFY(!IsSmallLayout(8670));
    }

    void placementTable_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QPoint>("small");
        QTest::addColumn<QPoint>("large");
        QTest::addColumn<bool>("inside");
        const QPoint frame(1000, 2000);
        auto row = [&](const char *name, PlacedWindow w, QPoint s, QPoint l, bool inside) {
            QTest::newRow(name) << int(w) << (inside ? s : frame + s) << (inside ? l : frame + l) << inside;
        };
        row("menu", PlacedWindow::MenuMain, {-25, -15}, {1200, 1000}, true);
        row("full size", PlacedWindow::FullSize, {-60, -30}, {1200, 1000}, true);
        row("settings", PlacedWindow::ChangeFnt, {3060, 700}, {4000, 2000}, false);
        row("message", PlacedWindow::MessageBox, {3550, 2500}, {4800, 3550}, false);
        row("about", PlacedWindow::AboutBox, {2400, 1100}, {3200, 2200}, false);
        row("header", PlacedWindow::PrinterHeaderInput, {3400, 3000}, {4500, 4000}, false);
        row("price input", PlacedWindow::FundCurValInput, {3340, 3450}, {4400, 4490}, false);
        row("fund chooser", PlacedWindow::FundChoose, {3200, 1250}, {4450, 2300}, false);
        row("rate table", PlacedWindow::MortIRFTable, {3200, 1700}, {4300, 2700}, false);
        row("prepayments", PlacedWindow::MortPrePay, {4300, 630}, {5300, 1650}, false);
        row("date input", PlacedWindow::MortDateInput, {4000, 2400}, {5000, 3400}, false);
    }
    void placementTable()
    {
        QFETCH(int, window);
        QFETCH(QPoint, small);
        QFETCH(QPoint, large);
        QFETCH(bool, inside);
        const QPoint frame(1000, 2000);
        const auto w = PlacedWindow(window);
        QCOMPARE(PlaceWindow(w, SmallLayout, frame).position, small);
        QCOMPARE(PlaceWindow(w, 8500, frame).position, small);
        QCOMPARE(PlaceWindow(w, LargeLayout, frame).position, large);
        QCOMPARE(PlaceWindow(w, LargeLayout, frame).insideFrame, inside);
    }
};

QTEST_GUILESS_MAIN(TestMessageTexts)
#include "test_message_texts.moc"
