#include "shell/ui/settings_window.h"

#include "shell/core/data_places.h"
#include "shell/core/format.h"
#include "shell/ui/help_viewer.h"
#include "shell/ui/input_fields.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/message_texts.h"
#include "shell/core/personal_settings.h"
#include "shell/core/shell.h"
#include "shell/ui/window_placement.h"

#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ChangeFnt::ChangeFnt(Shell &shell, MdiContainer &frame)
    : QDialog(&frame), m_shell(shell), m_frame(frame), m_currency(new QLineEdit(this)), m_name(new QLineEdit(this))
{
    setObjectName(QStringLiteral("ChangeFnt"));
    setWindowTitle(QStringLiteral("Personalize"));
    setModal(true);
    setProperty(HelpChapterProperty, QStringLiteral("Personalize Settings"));
    AppState &state = m_shell.state;

    m_currency->setObjectName(QStringLiteral("InCurrency"));
    m_currency->setStyleSheet(QStringLiteral("background: #ffff80;"));
    m_currency->setContextMenuPolicy(Qt::NoContextMenu);
    m_currency->setMaximumWidth(60);
    // Typing is held to two characters below, with a beep; this holds a paste.
    m_currency->setMaxLength(MaxSymbolLength);
    m_name->setObjectName(QStringLiteral("InMyName"));
    m_name->setMaxLength(MaxUserNameLength);
    m_name->setContextMenuPolicy(Qt::NoContextMenu);
    m_currency->installEventFilter(this);
    m_name->installEventFilter(this);
    // A paste is an edit like a typed key.
    connect(m_currency, &QLineEdit::textEdited, this, [this] { m_currencyEdited = true; });

    auto *fonts = new QGroupBox(QStringLiteral("Change Printer Font"), this);
    auto *fontLayout = new QVBoxLayout(fonts);
    // Each box and font has its own access key; Exit keeps Alt+X.
    const char *captions[4] = {"S&tandard Printer Font", "Courier New 1&0 point font", "Courier New 1&1 point font",
                               "Courier New 1&2 point font"};
    for (int i = 0; i < 4; ++i) {
        m_fonts[i] = new QRadioButton(QLatin1String(captions[i]), fonts);
        m_fonts[i]->setObjectName(QStringLiteral("PtrFt%1").arg(i));
        fontLayout->addWidget(m_fonts[i]);
        connect(m_fonts[i], &QRadioButton::clicked, this, [this, i] { m_shell.state.PrinterFontChoice = qint16(i); });
    }

    auto *exit = new QPushButton(QStringLiteral("E&xit to Menu"), this);
    exit->setObjectName(QStringLiteral("ExitFonts"));
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, &ChangeFnt::exitFonts);

    auto *form = new QFormLayout;
    auto *currencyLabel = new QLabel(QStringLiteral("Change &Currency Symbol."), this);
    currencyLabel->setBuddy(m_currency);
    auto *nameLabel = new QLabel(QStringLiteral("Type in your &name"), this);
    nameLabel->setBuddy(m_name);
    form->addRow(currencyLabel, m_currency);
    form->addRow(nameLabel, m_name);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(fonts);
    layout->addWidget(exit, 0, Qt::AlignRight);
    resize(380, 260);

    // Opening: caption, font option, the two boxes.
    m_frame.setCaption(QStringLiteral(" Personalize"));
    const int choice = std::clamp<int>(state.PrinterFontChoice, 0, 3);
    m_fonts[choice]->setChecked(true);
    m_currency->setText(state.CurrencySymbol);
    m_name->setText(state.UserName);
    PlaceOnFrame(this, PlacedWindow::ChangeFnt, state.LayoutClass, &frame);
    m_currency->setFocus();
}

bool ChangeFnt::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_currency) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            // A click only places the cursor: the symbol changes when a key is typed.
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->text() == QLatin1String("\""))
                return true;
            if (IsEnterKey(key)) {
                m_name->setFocus(Qt::TabFocusReason);
                return true;
            }
            const QString typed = key->text();
            // A symbol stands before every figure: a digit there would read
            // as part of it ("25" before 2,100.00 shows 252,100.00).
            if (!typed.isEmpty() && typed.front().isDigit()) {
                QApplication::beep();
                return true;
            }
            if (!typed.isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab &&
                !m_currencyEdited) {
                m_currency->clear();
                m_currencyEdited = true;
            }
            // A third character is refused as every other limit is, with a beep.
            if (!typed.isEmpty() && typed.front().category() != QChar::Other_Control &&
                m_currency->text().size() - m_currency->selectedText().size() + typed.size() > MaxSymbolLength) {
                QApplication::beep();
                return true;
            }
            break;
        }
        case QEvent::FocusOut:
            leaveCurrency();
            break;
        default:
            break;
        }
    } else if (watched == m_name) {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->text() == QLatin1String("\""))
                return true;
            if (IsEnterKey(key)) {
                if (auto *exit = findChild<QPushButton *>(QStringLiteral("ExitFonts")))
                    exit->setFocus(Qt::TabFocusReason);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            leaveName();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ChangeFnt::leaveCurrency()
{
    if (m_currencyEdited) {
        m_currency->setText(RightAlign(m_currency->text(), 2));
        m_currencyEdited = false;
    }
}

void ChangeFnt::leaveName()
{
    // The box counts units, so a two-unit character typed at its end can be
    // half taken; the name keeps whole characters only.
    const QString name = CutUserName(m_name->text());
    if (name != m_name->text())
        m_name->setText(name);
    m_shell.state.UserName = name;
}

void ChangeFnt::exitFonts()
{
    if (m_closing)
        return;
    m_closing = true;
    // Exit by its access key leaves the focus where it was: finish that box first.
    if (m_currency->hasFocus())
        leaveCurrency();
    if (m_name->hasFocus())
        leaveName();
    AppState &state = m_shell.state;
    state.CurrencySymbol = m_currency->text().trimmed();
    // An empty symbol would become "$" at the next start; use it now too.
    if (state.CurrencySymbol.isEmpty())
        state.CurrencySymbol = QStringLiteral("$");
    // The new settings hold for this run either way; a user whose settings
    // were not kept must hear it, or the next start surprises them.
    if (!SavePersonalSettings(state, SettingsFileToWrite(m_shell.folder())))
        m_shell.dialogs.message(MsgSettingsNotSaved);
    m_frame.setCaption(QStringLiteral(" Tallomar Menu"));
    QDialog::accept();
}

void ChangeFnt::reject()
{
    // Closing the window any other way leaves it as its exit button does.
    exitFonts();
}
