// The mortgage and loan windows as a user drives them. The schedules' figures
// are worked in test_mortgage_schedule; here one cell proves the wiring.

#include "mortgage/additional_payments_dialog.h"
#include "mortgage/days_in_year_dialog.h"
#include "mortgage/mortgage_session.h"
#include "mortgage/mortgage_window.h"
#include "shell/core/format.h"
#include "shell/core/message_numbers.h"
#include "shell/ui/mdi_container.h"
#include "support/full_disk.h"
#include "support/tool_window_test.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

class TestMortgageCalc : public ToolWindowTest
{
    Q_OBJECT

    MortgageCalc *window = nullptr;

    QStringList row(int r) const { return user->row(QStringLiteral("MGrid"), r); }
    QString result(const char *name) const { return window->resultLabel(name)->text(); }
    bool open(const char *button)
    {
        window = qobject_cast<MortgageCalc *>(openByAccessKey(QLatin1String(button)));
        return window != nullptr;
    }
    // Runs `act` on the modal dialog a click opens, once it is shown.
    template <typename Dialog>
    void onDialog(const std::function<void(Dialog &)> &act)
    {
        QTimer::singleShot(0, this, [act] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            act(*dialog);
        });
    }
    void calculate() { user->click(QStringLiteral("MCalc")); }
    // Types an amount into a year's row of the additional payments, Enter
    // moving down from the row chosen.
    static void typeYear(MortPrePay &dialog, int year, const QString &keys)
    {
        QTableWidget *grid = dialog.grid();
        while (grid->currentRow() + 1 < year)
            QTest::keyClick(grid, Qt::Key_Return);
        QTest::keyClicks(grid, keys);
    }
    // Picks a list's item by the arrow keys, from the first.
    void choose(const char *list, int downs)
    {
        user->focus(QLatin1String(list));
        for (int i = 0; i < downs; ++i)
            user->key(Qt::Key_Down);
        user->leave();
    }
    // The window's figures and settings as the user sees them.
    QStringList shown() const
    {
        QStringList texts;
        for (const char *name : {"InPrincipal", "InRate", "InTerm", "Comperiod", "FreqPmt"})
            texts << user->text(QLatin1String(name));
        texts << QString::number(user->find<QRadioButton>(QStringLiteral("Option1"))->isChecked())
              << user->text(QStringLiteral("MDateNumber"));
        return texts;
    }

private slots:
    void init() { startFrame(); }
    void cleanup() { endFrame(); }

    // Alt+E with the focus in a box saves, here nothing yet; an edit takes
    // the results away. (Alt+C from a box is every tool's test.)
    void saveByKeyAndEditClearsResults()
    {
        QVERIFY(open("Canadian"));
        user->focus(QStringLiteral("InRate"));
        user->key(Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(t->dialogs.messages, QList<int>{MsgNoRecords});
        calculate();
        QCOMPARE(result("InMonthPI"), QStringLiteral("     $917.53"));
        // The rate takes a third decimal (the walk of every box types two).
        user->fill(QStringLiteral("InRate"), QStringLiteral("6.1256"));
        QCOMPARE(user->text(QStringLiteral("InRate")), QStringLiteral("         6.125%"));
        QCOMPARE(result("InMonthPI"), QString());
        QCOMPARE(window->session().data().ResultCount, qint16(0));
    }

    // No principal, left by emptying the box, is a wrong entry like a zero
    // rate: no schedule of empty payments (a zero typed is refused in
    // test_mortgage_schedule).
    void noPrincipalIsRefused()
    {
        QVERIFY(open("Canadian"));
        calculate();
        // Focusing selects the whole figure; Delete empties the box.
        user->focus(QStringLiteral("InPrincipal"));
        user->key(Qt::Key_Delete);
        user->leave();
        calculate();
        QCOMPARE(t->dialogs.messages, QList<int>{MsgWrongEntry});
        QCOMPARE(row(1), QStringList(6));
        QCOMPARE(result("InMonthPI"), QString());
        user->click(QStringLiteral("MPrinter"));
        QCOMPARE(t->dialogs.messages.last(), int(MsgNoDataToPrint));
    }

    // However the additional payments close, the count follows the amounts;
    // Erase All takes them all back.
    void additionalPayments_data()
    {
        QTest::addColumn<QString>("close");
        QTest::newRow("OK") << "UsePrePay";
        QTest::newRow("closed by its title bar") << "";
        QTest::newRow("Erase All") << "DoNotUse";
    }

    void additionalPayments()
    {
        QFETCH(QString, close);
        QVERIFY(open("Canadian"));
        onDialog<MortPrePay>([close](MortPrePay &dialog) {
            typeYear(dialog, 3, QStringLiteral("1500.456x"));
            QCOMPARE(dialog.grid()->item(2, 1)->text(), QStringLiteral("1,500.45"));
            typeYear(dialog, 7, QStringLiteral("7"));
            if (close.isEmpty())
                QVERIFY(CloseByTitleBar(&dialog));
            else
                QTest::mouseClick(dialog.findChild<QPushButton *>(close), Qt::LeftButton);
        });
        user->click(QStringLiteral("MAddPrePay"));
        const bool erased = close == QLatin1String("DoNotUse");
        QCOMPARE(window->mortgage().extraPaymentCount(), erased ? 0 : 2);
        if (!erased) {
            calculate();
            QCOMPARE(row(31).mid(0, 3), (QStringList{"Year    7", "", "7.00"}));
            // A new term empties them.
            user->fill(QStringLiteral("InTerm"), QStringLiteral("30"));
            QCOMPARE(window->mortgage().extraPaymentCount(), 0);
        }
        QCOMPARE(window->mortgage().extraPayment(3), Money());
    }

    // Chosen is taken, before anything loses the focus.
    void daysInYearTakeEffectWhenChosen()
    {
        QVERIFY(open("Canadian"));
        onDialog<MortIRFTable>([this](MortIRFTable &dialog) {
            QVERIFY(dialog.findChild<QRadioButton *>(QStringLiteral("IRFactor1"))->isChecked());
            WindowDriver(&dialog).click(QStringLiteral("IRFactor2"));
            QCOMPARE(window->mortgage().daysOption(), 2);
            dialog.accept();
        });
        user->click(QStringLiteral("MShowIRF"));
        choose("FreqPmt", 2); // 2 Weeks
        calculate();
        QCOMPARE(result("InDays"), QStringLiteral("364"));
    }

    // The date box's first key replaces the date shown; a text that is no
    // date is told (message 10) and the date before comes back, to be typed
    // over in turn.
    void paymentDates()
    {
        QVERIFY(open("Canadian"));
        const QString first = Format(QDate(2025, 3, 15), QStringLiteral("Short Date"));
        QString typedOver;
        onDialog<MortDateInput>([&](MortDateInput &dialog) {
            QLineEdit *date = dialog.dateField();
            QCOMPARE(date->text(), Format(t->shell.today, QStringLiteral("Short Date")));
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QTRY_COMPARE(QApplication::focusWidget(), date);
            QTest::keyClicks(date, QStringLiteral("2/30/2025"));
            QTest::keyClick(date, Qt::Key_Return);
            QCOMPARE(t->dialogs.messages, QList<int>{MsgNotAValidDate});
            QCOMPARE(date->text(), Format(t->shell.today, QStringLiteral("Short Date")));
            QCOMPARE(QApplication::focusWidget(), date);
            Settle(); // the user reads the message
            QTest::keyClicks(date, first);
            typedOver = date->text();
            QTest::keyClick(date, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("OkExit"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        user->click(QStringLiteral("MDateNumber"));
        QCOMPARE(typedOver, first);
        QCOMPARE(user->text(QStringLiteral("MDateNumber")), QStringLiteral("&View payment No."));
        user->click(QStringLiteral("Option1"));
        calculate();
        QCOMPARE(row(2).at(0), Format(QDate(2025, 4, 15), QStringLiteral("Short Date")));
    }

    // A file that fails any check changes nothing in the window, a reader's
    // refusal as this one, whose term the term box cannot show (25.5 years
    // would show one term and run another).
    void openingARefusedFileChangesNothing()
    {
        const QByteArray text("150000,8,25.5,\"      Monthly\",\"      Monthly\",\"2027-05-01\",0,1,1,0,0,1,365,\"O\",0\r\n");
        QVERIFY(open("Canadian"));
        calculate();
        const QStringList before = shown();
        QFile file(t->folder.filePath(QStringLiteral("bad.umd")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        t->dialogs.fileNames << file.fileName();
        user->click(QStringLiteral("MLoadFile"));
        QCOMPARE(t->dialogs.messages, QList<int>{MsgFileNotFound});
        QCOMPARE(shown(), before);
        QCOMPARE(result("InMonthPI"), QStringLiteral("     $917.53"));
    }

    // Save, open in a fresh window of the other kind: the term in that
    // window's unit. A failed save keeps the old file and the remembered
    // name.
    void saveAndOpen()
    {
        QVERIFY(open("Canadian"));
        const QString path = t->folder.filePath(QStringLiteral("home.umd"));
        choose("Comperiod", 3); // Semiannual
        user->click(QStringLiteral("Option1"));
        calculate();
        t->dialogs.fileNames << path;
        user->click(QStringLiteral("MSaveFile"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        file.close();
        user->fill(QStringLiteral("InPrincipal"), QStringLiteral("90000"));
        calculate();
        {
            const FullDisk full(16);
            t->dialogs.fileNames << path;
            user->click(QStringLiteral("MSaveFile"));
        }
        QCOMPARE(t->dialogs.messages, QList<int>{MsgSaveDiskFull});
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), saved);
        user->click(QStringLiteral("MLoadFile"));
        QCOMPARE(t->dialogs.fileRequests.last().suggested, path);
        user->fill(QStringLiteral("InPrincipal"), QStringLiteral("100000"));

        user->click(QStringLiteral("MExit"));
        QVERIFY(open("LoanPmt"));
        t->dialogs.fileNames << path;
        user->click(QStringLiteral("MLoadFile"));
        QVERIFY(t->dialogs.fileRequests.last().kind == FileKind::Loan);
        QCOMPARE(shown(), (QStringList{"     $100,000.00", "         10.125%", "             300", "   Semiannual",
                                       "      Monthly", "1", "&View payment date"}));

        // A Mortgages window opened again in the run starts at the last mortgage file.
        user->click(QStringLiteral("MExit"));
        QVERIFY(open("Canadian"));
        user->click(QStringLiteral("MLoadFile"));
        QVERIFY(t->dialogs.fileRequests.last().kind == FileKind::Mortgage);
        QCOMPARE(t->dialogs.fileRequests.last().suggested, path);
    }

    // Work not saved is asked about however the tool is left (question 3);
    // Yes, or closing the question by Escape or its title bar, goes back
    // to it.
    void leavingAsksAboutUnsavedWork_data()
    {
        QTest::addColumn<bool>("program"); // the frame's close box, or "E&xit to Menu"
        QTest::newRow("closing the program") << true;
        QTest::newRow("exit button") << false;
    }

    void leavingAsksAboutUnsavedWork()
    {
        QFETCH(bool, program);
        QVERIFY(open("Canadian"));
        auto leave = [&] {
            if (program)
                return CloseByTitleBar(frame.get());
            user->click(QStringLiteral("MExit"));
            return frame->activeTool() == nullptr;
        };
        // Typed key by key and never left: the figure is work all the same.
        user->focus(QStringLiteral("InPrincipal"));
        user->type(QStringLiteral("1250000"));
        t->dialogs.answers << Answer::Yes;
        QVERIFY(!leave());
        QCOMPARE(t->dialogs.questions, QList<int>{QuestionUnsavedFile});
        QCOMPARE(t->dialogs.questionDetails, QStringList{QString()});
        QVERIFY(frame->activeTool() == window);
        QCOMPARE(user->text(QStringLiteral("InPrincipal")), QStringLiteral("   $1,250,000.00"));
        t->dialogs.answers << Answer::Closed;
        QVERIFY(!leave());
        QVERIFY(frame->activeTool() == window);
        t->dialogs.answers << Answer::No;
        QVERIFY(leave());
        QCOMPARE(t->dialogs.questions.size(), 3);
    }

    // Saved work, or work opened and left as it was, goes without a question;
    // additional payments typed after the save are work again, named by
    // the file they would be saved to. A window only calculated has nothing
    // to lose.
    void savedWorkLeavesWithoutAQuestion()
    {
        QVERIFY(open("LoanPmt"));
        calculate();
        user->click(QStringLiteral("MExit"));
        QVERIFY(frame->activeTool() == nullptr);
        QVERIFY(t->dialogs.questions.isEmpty());

        QVERIFY(open("Canadian"));
        user->fill(QStringLiteral("InPrincipal"), QStringLiteral("90000"));
        calculate();
        const QString path = t->folder.filePath(QStringLiteral("cottage.umd"));
        t->dialogs.fileNames << path;
        user->click(QStringLiteral("MSaveFile"));
        onDialog<MortPrePay>([](MortPrePay &dialog) {
            typeYear(dialog, 25, QStringLiteral("25000"));
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("UsePrePay")), Qt::LeftButton);
        });
        user->click(QStringLiteral("MAddPrePay"));
        t->dialogs.answers << Answer::Yes;
        user->click(QStringLiteral("MExit"));
        QCOMPARE(t->dialogs.questions, QList<int>{QuestionUnsavedFile});
        QCOMPARE(t->dialogs.questionDetails, QStringList{QStringLiteral("cottage.umd")});
        QVERIFY(frame->activeTool() == window);

        // Opened again: nothing to lose.
        t->dialogs.fileNames << path;
        user->click(QStringLiteral("MLoadFile"));
        QCOMPARE(user->text(QStringLiteral("InPrincipal")), QStringLiteral("      $90,000.00"));
        QCOMPARE(window->mortgage().extraPayment(25), Money());
        QVERIFY(CloseByTitleBar(frame.get()));
        QCOMPARE(t->dialogs.questions.size(), 1);
    }
};

QTEST_MAIN(TestMortgageCalc)
#include "test_mortgage_window.moc"
