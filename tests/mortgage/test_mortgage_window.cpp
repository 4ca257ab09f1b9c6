#include "app/tool_registry.h"
#include "mortgage/days_in_year_dialog.h"
#include "mortgage/additional_payments_dialog.h"
#include "mortgage/mortgage_window.h"
#include "mortgage/mortgage_file.h"
#include "mortgage/mortgage_session.h"
#include "shell/core/data_places.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"
#include "shell/core/format.h"
#include "shell/core/message_numbers.h"
#include "shell/ui/spreadsheet_grid.h"
#include "support/full_disk.h"
#include "support/window_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

class TestMortgageCalc : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestShell> t;
    std::unique_ptr<MdiContainer> frame;
    MortgageCalc *window = nullptr;
    std::unique_ptr<WindowDriver> user;

    QStringList row(int r) const { return user->row(QStringLiteral("MGrid"), r); }
    QString result(const char *name) const { return window->resultLabel(name)->text(); }
    void open(const char *button)
    {
        window = qobject_cast<MortgageCalc *>(OpenFromMenu(*frame, QLatin1String(button)));
        QVERIFY(window);
        user = std::make_unique<WindowDriver>(window);
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
    void init()
    {
        t = std::make_unique<TestShell>();
        frame = std::make_unique<MdiContainer>(t->shell);
        RegisterTools(*frame);
    }
    void cleanup()
    {
        user.reset();
        frame.reset();
        t.reset();
    }

    // From the menu by its access key, Calculate by its access key.
    void mortgageByKeyboard()
    {
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame->menu()->button(QStringLiteral("Canadian")), Qt::Key_M, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<MortgageCalc *>(frame->activeTool()));
        window = qobject_cast<MortgageCalc *>(frame->activeTool());
        user = std::make_unique<WindowDriver>(window);
        QCOMPARE(frame->caption(), QStringLiteral(" Mortgage Tables"));
        QCOMPARE(window->mortgage().kind(), MortgageKind::Mortgage);
        QCOMPARE(shown(), (QStringList{"     $100,000.00", "        10.125%", "              25", "      Monthly",
                                       "      Monthly", "0", "&View payment date"}));
        QCOMPARE(window->grid()->rows(), 26);
        user->key(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(row(1).at(0), QStringLiteral("   1"));
        QCOMPARE(row(1).mid(1), (QStringList{"10,082.74", "927.59", "99,072.41", "10,082.74", "927.59"}));
        QCOMPARE(row(27), (QStringList{"Total:", "", "", "$.00", "$175,258.20", "$100,000.00"}));
        QCOMPARE((QStringList{result("InMonthPI"), result("AllPayments"), result("TotSavd"), result("NumPmtsYear"),
                              result("EndMortYear"), result("PeriodicR"), result("InDays")}),
                 (QStringList{"     $917.53", " $275,258.20", "        $.00", "          12", "       25.00",
                              "0.0084375", "Normal"}));
        // An edit takes the results away.
        user->fill(QStringLiteral("InPrincipal"), QStringLiteral("50000"));
        QCOMPARE(result("InMonthPI"), QString());
        QCOMPARE(window->session().data().ResultCount, qint16(0));
    }

    void loanMode()
    {
        open("LoanPmt");
        QCOMPARE(frame->caption(), QStringLiteral(" Personal Loan Tables"));
        QCOMPARE(shown().mid(0, 3), (QStringList{"      $20,000.00", "         10.125%", "              48"}));
        user->fill(QStringLiteral("InTerm"), QStringLiteral("500"));
        QCOMPARE(t->dialogs.messages, QList<int>{Msg40YearsLimit});
        QCOMPARE(user->text(QStringLiteral("InTerm")), QStringLiteral("             480"));
        QCOMPARE(window->mortgage().termYears(), Money::fromWhole(40));
        QCOMPARE(window->session().data().InputValues.value(MortgageYearsSlot), Money::fromWhole(40));
        // The rate takes a third decimal.
        user->fill(QStringLiteral("InRate"), QStringLiteral("6.1256"));
        QCOMPARE(user->text(QStringLiteral("InRate")), QStringLiteral("          6.125%"));
        user->fill(QStringLiteral("InRate"), QStringLiteral("10.125"));
        user->fill(QStringLiteral("InTerm"), QStringLiteral("7"));
        user->find<QRadioButton>(QStringLiteral("Option1"))->click();
        calculate();
        QCOMPARE(result("InMonthPI"), QStringLiteral("   $2,954.38"));
        QCOMPARE(result("EndMortYear"), QStringLiteral("        7.00"));
        QCOMPARE(row(7).at(3), QStringLiteral(".00"));
        QCOMPARE(window->session().data().InputValues.value(MortgageYearsSlot).toDecimalText(), QStringLiteral("0.5833"));
    }

    // No principal, typed or left by emptying the box, is a wrong entry like
    // a zero rate: no schedule of empty payments.
    void noPrincipalIsRefused()
    {
        open("Canadian");
        calculate();
        QCOMPARE(window->session().data().ResultCount, qint16(25));
        user->fill(QStringLiteral("InPrincipal"), QStringLiteral("0"));
        calculate();
        QCOMPARE(t->dialogs.messages, QList<int>{MsgWrongEntry});
        QCOMPARE(row(1), QStringList(6));
        QCOMPARE(result("InMonthPI"), QString());
        QCOMPARE(result("AllPayments"), QString());
        QCOMPARE(window->session().data().ResultCount, qint16(0));

        user->fill(QStringLiteral("InPrincipal"), QStringLiteral("250000"));
        calculate();
        QCOMPARE(result("InMonthPI"), QStringLiteral("   $2,293.82"));
        // Focusing selects the whole figure; Delete empties the box.
        user->focus(QStringLiteral("InPrincipal"));
        user->key(Qt::Key_Delete);
        user->leave();
        calculate();
        QCOMPARE(t->dialogs.messages, (QList<int>{MsgWrongEntry, MsgWrongEntry}));
        QCOMPARE(row(1), QStringList(6));
        QCOMPARE(window->session().data().ResultCount, qint16(0));
        user->click(QStringLiteral("MPrinter"));
        QCOMPARE(t->dialogs.messages.last(), int(MsgNoDataToPrint));
    }

    // However the additional payments close, the count follows the amounts.
    void additionalPaymentsCountedHoweverClosed_data()
    {
        QTest::addColumn<int>("close"); // 0 OK, 1 the window's own close
        QTest::newRow("OK") << 0;
        QTest::newRow("closed by the frame") << 1;
    }

    void additionalPaymentsCountedHoweverClosed()
    {
        QFETCH(int, close);
        open("Canadian");
        onDialog<MortPrePay>([close](MortPrePay &dialog) {
            QCOMPARE(dialog.grid()->rowCount(), 25);
            dialog.grid()->setCurrentCell(2, 1);
            for (QChar c : QStringLiteral("1500.456"))
                QVERIFY(dialog.typeKey(c));
            QCOMPARE(dialog.grid()->item(2, 1)->text(), QStringLiteral("1,500.45"));
            QVERIFY(!dialog.typeKey(u'x'));
            dialog.grid()->setCurrentCell(6, 1);
            dialog.typeKey(u'7');
            if (close == 0)
                dialog.findChild<QPushButton *>(QStringLiteral("UsePrePay"))->click();
            else
                dialog.reject();
        });
        user->click(QStringLiteral("MAddPrePay"));
        QCOMPARE(window->mortgage().extraPaymentCount(), 2);
        calculate();
        // 24 year rows (23.75 years), the totals, then the list.
        QCOMPARE(row(24).at(0), QStringLiteral("  24"));
        QCOMPARE(row(26).at(0), QStringLiteral("Total:"));
        QCOMPARE(row(28).mid(0, 3), (QStringList{"Additional ", "Payments  ", "Applied  "}));
        QCOMPARE(row(30).mid(0, 3), (QStringList{"Year    3", "", "1,500.45"}));
        QCOMPARE(row(31).mid(0, 3), (QStringList{"Year    7", "", "7.00"}));

        // A new term empties them.
        user->fill(QStringLiteral("InTerm"), QStringLiteral("30"));
        QCOMPARE(window->mortgage().extraPaymentCount(), 0);
        QCOMPARE(window->mortgage().extraPayment(3), Money());
    }

    void eraseAll()
    {
        open("Canadian");
        onDialog<MortPrePay>([](MortPrePay &dialog) {
            dialog.grid()->setCurrentCell(0, 1);
            dialog.typeKey(u'5');
            dialog.findChild<QPushButton *>(QStringLiteral("DoNotUse"))->click();
        });
        user->click(QStringLiteral("MAddPrePay"));
        QCOMPARE(window->mortgage().extraPayment(1), Money());
        QCOMPARE(window->mortgage().extraPaymentCount(), 0);
    }

    // Chosen is taken, before anything loses the focus.
    void daysInYearTakeEffectWhenChosen()
    {
        open("Canadian");
        onDialog<MortIRFTable>([this](MortIRFTable &dialog) {
            QVERIFY(dialog.findChild<QRadioButton *>(QStringLiteral("IRFactor1"))->isChecked());
            dialog.findChild<QRadioButton *>(QStringLiteral("IRFactor2"))->click();
            QCOMPARE(window->mortgage().daysOption(), 2);
            dialog.accept();
        });
        user->click(QStringLiteral("MShowIRF"));
        auto *frequency = user->find<QComboBox>(QStringLiteral("FreqPmt"));
        frequency->setCurrentIndex(2);
        calculate();
        QCOMPARE(result("InDays"), QStringLiteral("364"));
        QCOMPARE(result("PeriodicR"), QStringLiteral("0.00388542"));
    }

    // The date box's first key replaces the date shown; a text that is no
    // date is told (message 10) and the date before comes back, to be typed
    // over in turn.
    void paymentDates()
    {
        open("Canadian");
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
        QCOMPARE(t->dialogs.messages, QList<int>{MsgNotAValidDate});
        QCOMPARE(window->mortgage().firstDate(), QDate(2025, 3, 15));
        QCOMPARE(user->text(QStringLiteral("MDateNumber")), QStringLiteral("&View payment No."));
        user->find<QRadioButton>(QStringLiteral("Option1"))->click();
        calculate();
        QCOMPARE(window->grid()->cell(0, 0), QStringLiteral(" Payment  Date"));
        QCOMPARE(row(2).at(0), Format(QDate(2025, 4, 15), QStringLiteral("Short Date")));
        QCOMPARE(row(3).at(0), Format(QDate(2025, 5, 15), QStringLiteral("Short Date")));
    }

    // A file that fails any check changes nothing in the window.
    void openingARefusedFileChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("truncated") << QByteArray("50000,7.5,20,\"    Quarterly\",\"   Week");
        QTest::newRow("days option 7")
            << QByteArray("50000,7.5,20,\"    Quarterly\",\"      1 Week\",\"2027-05-01\",1,7,2,0,0,1,365,\"O\",0\r\n");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR", 16);
        QTest::newRow("year lines out of order")
            << QByteArray("50000,7.5,20,\"    Quarterly\",\"      1 Week\",\"2027-05-01\",1,1,2,2,1,1,365,\"O\",0\r\n"
                          "2,5000\r\n1,0\r\n");
        QTest::newRow("a year line more than stated")
            << QByteArray("50000,7.5,20,\"    Quarterly\",\"      1 Week\",\"2027-05-01\",1,1,2,1,0,1,365,\"O\",0\r\n"
                          "1,0\r\n2,5000\r\n");
        // The term box holds whole years: a loan of 50 months, or 25.5
        // years, would show one term and run another.
        QTest::newRow("a 50-month loan")
            << QByteArray("20000,10.125,4.1667,\"      Monthly\",\"      Monthly\",\"2027-05-01\",0,1,1,0,0,2,365,"
                          "\"O\",0\r\n");
        QTest::newRow("25.5 years")
            << QByteArray("150000,8,25.5,\"      Monthly\",\"      Monthly\",\"2027-05-01\",0,1,1,0,0,1,365,\"O\",0\r\n");
    }

    void openingARefusedFileChangesNothing()
    {
        QFETCH(QByteArray, text);
        open("Canadian");
        calculate();
        const QString path = t->folder.filePath(QStringLiteral("bad.umd"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        const QStringList before = shown();
        const QList<Money> figures = window->session().data().InputValues;
        t->dialogs.fileNames << path;
        user->click(QStringLiteral("MLoadFile"));
        QCOMPARE(t->dialogs.messages, QList<int>{MsgFileNotFound});
        QCOMPARE(t->dialogs.fileRequests.size(), 1);
        QVERIFY(t->dialogs.fileRequests[0].kind == FileKind::Mortgage && t->dialogs.fileRequests[0].action == FileAction::Open);
        QCOMPARE(shown(), before);
        QCOMPARE(window->session().data().InputValues, figures);
        QCOMPARE(window->mortgage().daysOption(), 1);
        QCOMPARE(result("InMonthPI"), QStringLiteral("     $917.53"));
    }

    // Save, open in a fresh window of the other kind, calculate: the same
    // schedule, the term in that window's unit.
    void saveAndOpen()
    {
        open("Canadian");
        const QString path = t->folder.filePath(QStringLiteral("home.umd"));
        user->click(QStringLiteral("MSaveFile"));
        QCOMPARE(t->dialogs.messages, QList<int>{MsgNoRecords});
        user->find<QComboBox>(QStringLiteral("Comperiod"))->setCurrentIndex(3);
        user->find<QRadioButton>(QStringLiteral("Option1"))->click();
        calculate();
        const QStringList last = row(302);
        t->dialogs.fileNames << path;
        user->click(QStringLiteral("MSaveFile"));
        QCOMPARE(t->dialogs.fileRequests.size(), 1);
        QVERIFY(t->dialogs.fileRequests[0].kind == FileKind::Mortgage && t->dialogs.fileRequests[0].action == FileAction::Save);
        // The next box starts at the saved file, in its own folder.
        user->click(QStringLiteral("MLoadFile"));
        QCOMPARE(t->dialogs.fileRequests.last().suggested, path);
        QCOMPARE(StartOfFileBox(path, false, {}, QDir::homePath()).folder, t->folder.path());

        // A failed save keeps the old file and the remembered name.
        const QByteArray saved = [&] {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QVERIFY(!saved.isEmpty());
        t->dialogs.fileNames << t->folder.filePath(QStringLiteral("missing/other.umd"));
        user->click(QStringLiteral("MSaveFile"));
        QCOMPARE(t->dialogs.messages.last(), int(MsgSaveNoFolder));
        user->click(QStringLiteral("MLoadFile"));
        QCOMPARE(t->dialogs.fileRequests.last().suggested, path);
        user->fill(QStringLiteral("InPrincipal"), QStringLiteral("90000"));
        calculate();
        {
            const FullDisk full(16);
            t->dialogs.fileNames << path;
            user->click(QStringLiteral("MSaveFile"));
        }
        QCOMPARE(t->dialogs.messages.size(), 3);
        QCOMPARE(t->dialogs.messages.last(), int(MsgSaveDiskFull));
        QFile again(path);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), saved);
        user->fill(QStringLiteral("InPrincipal"), QStringLiteral("100000"));

        user->click(QStringLiteral("MExit"));
        open("LoanPmt");
        t->dialogs.fileNames << path;
        user->click(QStringLiteral("MLoadFile"));
        QVERIFY(t->dialogs.fileRequests.last().kind == FileKind::Loan && t->dialogs.fileRequests.last().action == FileAction::Open);
        QCOMPARE(shown(), (QStringList{"     $100,000.00", "         10.125%", "             300", "   Semiannual",
                                       "      Monthly", "1", "&View payment date"}));
        QCOMPARE(window->mortgage().kind(), MortgageKind::Loan);
        QCOMPARE(row(1).at(1), QString());
        calculate();
        QCOMPARE(row(302).mid(1), last.mid(1));
        QCOMPARE(result("EndMortYear"), QStringLiteral("      300.00"));

        // A Mortgages window opened again in the run starts at the last mortgage file.
        user->click(QStringLiteral("MExit"));
        open("Canadian");
        user->click(QStringLiteral("MLoadFile"));
        QVERIFY(t->dialogs.fileRequests.last().kind == FileKind::Mortgage);
        QCOMPARE(t->dialogs.fileRequests.last().suggested, path);
    }

    void quickHelp()
    {
        open("LoanPmt");
        user->click(QStringLiteral("MHelp"));
        QVERIFY(user->find<QPlainTextEdit>(QStringLiteral("MTextBox"))->toPlainText().contains(
            QStringLiteral("Almost all Loans are based on monthly compounding.")));
        QVERIFY(!user->find<QPushButton>(QStringLiteral("MPrinter"))->isEnabled());
        user->click(QStringLiteral("MHelp"));
        QVERIFY(user->find<QPushButton>(QStringLiteral("MPrinter"))->isEnabled());
    }
    // Work not saved is asked about however the tool is left (question 3);
    // Yes, or closing the question by Escape or its title bar, goes back
    // to it.
    void leavingAsksAboutUnsavedWork_data()
    {
        QTest::addColumn<int>("how"); // 0 the frame's close box, 1 "E&xit to Menu", 2 its access key
        QTest::newRow("closing the program") << 0;
        QTest::newRow("exit button") << 1;
        QTest::newRow("Alt+X") << 2;
    }

    void leavingAsksAboutUnsavedWork()
    {
        QFETCH(int, how);
        open("Canadian");
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        auto leave = [&] {
            if (how == 0)
                return frame->close();
            const qsizetype asked = t->dialogs.questions.size();
            if (how == 1) {
                user->click(QStringLiteral("MExit"));
            } else {
                user->key(Qt::Key_X, Qt::AltModifier);
                if (!QTest::qWaitFor([&] { return t->dialogs.questions.size() > asked; }))
                    return false;
            }
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
    // the file they would be saved to.
    void savedWorkLeavesWithoutAQuestion()
    {
        open("Canadian");
        user->fill(QStringLiteral("InPrincipal"), QStringLiteral("999999999.99"));
        user->fill(QStringLiteral("InTerm"), QStringLiteral("40"));
        calculate();
        const QString path = t->folder.filePath(QStringLiteral("cottage.umd"));
        t->dialogs.fileNames << path;
        user->click(QStringLiteral("MSaveFile"));
        QVERIFY(QFile::exists(path));
        onDialog<MortPrePay>([](MortPrePay &dialog) {
            dialog.grid()->setCurrentCell(39, 1);
            for (QChar c : QStringLiteral("25000"))
                QVERIFY(dialog.typeKey(c));
            dialog.findChild<QPushButton *>(QStringLiteral("UsePrePay"))->click();
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
        QCOMPARE(user->text(QStringLiteral("InPrincipal")), QStringLiteral(" $999,999,999.99"));
        QCOMPARE(window->mortgage().extraPayment(40), Money());
        QVERIFY(frame->close());
        QCOMPARE(t->dialogs.questions.size(), 1);
    }

    void untouchedWindowLeavesWithoutAQuestion()
    {
        open("LoanPmt");
        calculate();
        user->click(QStringLiteral("MExit"));
        QVERIFY(frame->activeTool() == nullptr);
        QVERIFY(t->dialogs.questions.isEmpty());
    }

    // Every button has a key of its own, and the keys that two shared act.
    void everyButtonHasItsOwnAccessKey()
    {
        open("Canadian");
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        auto keysOf = [](QWidget *widget) {
            QStringList keys;
            for (QAbstractButton *button : widget->findChildren<QAbstractButton *>()) {
                const QString text = button->text();
                const qsizetype amp = text.indexOf(QLatin1Char('&'));
                if (amp >= 0 && amp + 1 < text.size())
                    keys << text.at(amp + 1).toLower();
            }
            return keys;
        };
        const QStringList keys = keysOf(window);
        QCOMPARE(keys.size(), 10);
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
        QCOMPARE(user->text(QStringLiteral("MSaveFile")).remove(QLatin1Char('&')), QStringLiteral("Save File"));

        // A button pressed by its key clicks a moment later, as it shows
        // itself pressed: the dialog is looked for until it is there.
        bool opened = false;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<MortPrePay *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll.stop();
            opened = true;
            const QStringList own = keysOf(dialog);
            QCOMPARE(QSet<QString>(own.begin(), own.end()).size(), own.size());
            dialog->findChild<QPushButton *>(QStringLiteral("UsePrePay"))->click();
        });
        poll.start();
        user->key(Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(opened);
        user->focus(QStringLiteral("InRate"));
        user->key(Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(t->dialogs.messages, QList<int>{MsgNoRecords});
    }
};

QTEST_MAIN(TestMortgageCalc)
#include "test_mortgage_window.moc"
