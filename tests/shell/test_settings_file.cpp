#include "shell/core/app_state.h"
#include "shell/ui/settings_window.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/message_texts.h"
#include "shell/core/personal_settings.h"
#include "shell/core/record_file.h"
#include "support/full_disk.h"
#include "support/tool_window_test.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>


namespace {
void writeTo(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}
QByteArray readFrom(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
} // namespace

// The settings file read and written, and the settings window that writes it,
// opened from the menu.
class TestSettingsFile : public ToolWindowTest
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Personal.tlm")); }
    void write(const QByteArray &bytes) { writeTo(path(), bytes); }
    QString programFile() const { return QDir(t->folder.path()).filePath(QLatin1String(PersonalSettingsFile)); }

    // Opens the settings window by the menu's access key; `drive` acts in it
    // while it waits in its own loop.
    void inSettings(const std::function<void(QWidget *, WindowDriver &)> &drive)
    {
        startFrame();
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [poll, drive] {
            if (QWidget *settings = QApplication::activeModalWidget()) {
                poll->stop();
                poll->deleteLater();
                WindowDriver user(settings);
                drive(settings, user);
            }
        });
        poll->start(10);
        QTest::keyClick(frame->windowHandle(), accessKeyOf(QStringLiteral("InitCurrFont")), Qt::AltModifier);
        QVERIFY(WaitForDelayedClicks());
        QVERIFY(WaitFor([] { return !QApplication::activeModalWidget(); }));
    }

private slots:
    // The reader's refusals are test_record_file's; a binary file stands for
    // the whole-file ones. No file at all is the first start of test_frame_and_menu.
    // What the settings window writes is settingsWindowBoxes'.
    void readsWhatItTakes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<int>("font");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("complete");
        QTest::newRow("complete") << QByteArray("\"\xE2\x82\xAC\",2,\"Ada Lovelace\"\r\n") << "\u20ac" << 2
                                    << "Ada Lovelace" << true;
        QTest::newRow("empty file") << QByteArray() << "$" << 0 << "" << false;
        QTest::newRow("empty symbol") << QByteArray("\"\",1,\"Jo\"\r\n") << "$" << 1 << "Jo" << true;
        QTest::newRow("short line keeps what was read") << QByteArray("\"£\",3") << "£" << 3 << "" << false;
        QTest::newRow("font out of range") << QByteArray("\"$\",9,\"Jo\"\r\n") << "$" << 0 << "" << false;
        QTest::newRow("binary") << QByteArray("\"$\"\0\xff\xfe,1,\"Jo\"", 13) << "$" << 0 << "" << false;
        // A symbol is two characters, as the settings window takes it; the
        // fields after a longer one are read all the same.
        QTest::newRow("long symbol, no half character")
            << QByteArray("\"\xE2\x82\xAC\xF0\x9F\x92\xB6\",1,\"Jo\"\r\n") << "\u20ac" << 1 << "Jo" << true;
        QTest::newRow("extra fields ignored") << QByteArray("\"kr\",1,\"Jo\",\"more\",7\r\n") << "kr" << 1 << "Jo"
                                              << true;
        // A name is 80 units, as the settings window takes it, cut before a
        // character it would halve.
        const auto named = [](const QString &name) -> QByteArray {
            return "\"$\",0,\"" + name.toUtf8() + "\"\r\n";
        };
        const QString a79(79, QLatin1Char('a'));
        const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // two units
        QTest::newRow("name of 80 units kept") << named(a79 + u'a') << "$" << 0 << a79 + u'a' << true;
        QTest::newRow("name of 81 units cut") << named(a79 + "aa") << "$" << 0 << a79 + u'a' << true;
        QTest::newRow("emoji across the cut") << named(a79 + smile + u'b') << "$" << 0 << a79 << true;
        QTest::newRow("emoji ending at the cut")
            << named(a79.left(78) + smile + u'b') << "$" << 0 << a79.left(78) + smile << true;
        QTest::newRow("accent across the cut") << named(a79 + "e\u0301z") << "$" << 0 << a79 << true;
    }
    void readsWhatItTakes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, symbol);
        QFETCH(int, font);
        QFETCH(QString, name);
        QFETCH(bool, complete);
        write(bytes);
        AppState state;
        QCOMPARE(LoadPersonalSettings(state, path()), complete);
        QCOMPARE(state.CurrencySymbol, symbol);
        QCOMPARE(state.PrinterFontChoice, qint16(font));
        QCOMPARE(state.UserName, name);
    }

    void cleanup()
    {
        if (frame)
            endFrame();
    }

    // A save that failed at the settings window's exit is told, the old file
    // stays as it was, and the new settings hold for this run. Every fault
    // takes this one way to the message; test_safe_save meets each. The exit that
    // saves is settingsWindowBoxes'.
    void settingsWindowTellsAFailedSave()
    {
        const QByteArray old("\"$\",0,\"Ada\"\r\n");
        QStringList before;
        const auto listing = [this] {
            return QDir(t->folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        };
        inSettings([&](QWidget *, WindowDriver &user) {
            writeTo(programFile(), old);
            before = listing();
            user.focus("InMyName");
            user.type(QStringLiteral("Ada Byron"));
            user.leave();
            FullDisk full(4);
            user.click("ExitFonts");
        });
        QCOMPARE(t->state.UserName, QStringLiteral("Ada Byron"));
        QCOMPARE(t->dialogs.messages, QList<int>{MsgSettingsNotSaved});
        QCOMPARE(readFrom(programFile()), old);
        QCOMPARE(listing(), before); // nothing half-written left beside it
    }

    // The symbol box takes two characters: a third is refused as it is
    // typed, not dropped unseen when the box is left. A click into it only
    // looks: leaving it, by Tab or by the exit button, keeps the symbol, and
    // what the user copied stays on the clipboard. The name box counts
    // units: a two-unit character typed as the 80th unit goes in half;
    // leaving the box keeps whole characters only.
    void settingsWindowBoxes()
    {
        const QString copied = QStringLiteral("IBAN DE00 1234");
        QGuiApplication::clipboard()->setText(copied);
        const QString a79(79, QLatin1Char('a'));
        inSettings([&](QWidget *settings, WindowDriver &user) {
            user.focus("InCurrency");
            // A digit would run into every figure: refused, the symbol kept.
            user.type("25");
            QCOMPARE(user.text("InCurrency"), QStringLiteral("$"));
            user.type("EUR");
            QCOMPARE(user.text("InCurrency"), QStringLiteral("EU"));
            // Typing over a selection keeps within two.
            user.key(Qt::Key_Left, Qt::ShiftModifier);
            user.type("$");
            QCOMPARE(user.text("InCurrency"), QStringLiteral("E$"));
            user.leave();
            auto *box = settings->findChild<QLineEdit *>(QStringLiteral("InCurrency"));
            QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
            QCOMPARE(box->text(), QStringLiteral("E$"));
            user.key(Qt::Key_Tab);
            QCOMPARE(box->text(), QStringLiteral("E$"));

            user.focus("InMyName");
            user.type(a79);
            QKeyEvent smile(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("\xF0\x9F\x98\x80"));
            QApplication::sendEvent(QApplication::focusWidget(), &smile);
            user.leave();
            QCOMPARE(user.text("InMyName"), a79);
            QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
            user.click("ExitFonts");
        });
        QCOMPARE(t->state.CurrencySymbol, QStringLiteral("E$"));
        QCOMPARE(t->state.UserName, a79);
        QCOMPARE(readFrom(programFile()), QByteArray("\"E$\",0,\"") + a79.toLatin1() + "\"\r\n");
        QVERIFY(t->dialogs.messages.isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }
};

QTEST_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
