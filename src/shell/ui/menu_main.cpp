#include "shell/ui/menu_main.h"

#include "shell/ui/about_box.h"
#include "shell/ui/settings_window.h"
#include "shell/core/data_places.h"
#include "shell/core/format.h"
#include "shell/ui/mdi_container.h"
#include "shell/core/personal_settings.h"
#include "shell/core/shell.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct MenuButton
{
    const char *name;
    const char *caption;
};

// In the order they stand on the menu: the tools down the left, the rest on the right.
constexpr MenuButton MenuButtons[] = {
    {"Savings", "Planning your &Savings"},
    {"SavingComp", "Sa&vings Comparisons"},
    {"Retirement", "Planning your &Retirement"},
    {"Canadian", "&Mortgages"},
    {"LoanPmt", "&Payment on a Loan"},
    {"Plan401K", "Planning your &401(k)"},
    {"Compound", "&Find Annual Compound Growth"},
    {"HowMuch", "Amount of &Capital Required"},
    {"NetWorth", "&Net Worth"},
    {"Manager", "&Investment Manager"},
    {"InitCurrFont", "Persona&lize Settings"},
    {"HowTo", "&How to Use the Program"},
    {"Getrich", "How to &Get Rich and Stay Rich"},
    {"About", "&About..."},
    {"ExitButten", "E&xit Tallomar"},
};

constexpr int ToolButtons = 10;

} // namespace

MenuMain::MenuMain(Shell &shell, MdiContainer &frame, QWidget *parent)
    : QWidget(parent), m_shell(shell), m_frame(frame), m_myName(new QLabel(this))
{
    setObjectName(QStringLiteral("MenuMain"));
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
    setAutoFillBackground(true);

    auto *title = new QLabel(QStringLiteral("Tallomar"), this);
    title->setObjectName(QStringLiteral("Title"));
    QFont titleFont(QStringLiteral("MS Serif"), 26, QFont::Bold);
    titleFont.setStyleHint(QFont::Serif);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    m_myName->setObjectName(QStringLiteral("MyName"));
    m_myName->setAlignment(Qt::AlignCenter);
    // A long name takes two lines rather than running off both sides.
    m_myName->setWordWrap(true);
    QFont nameFont = m_myName->font();
    nameFont.setItalic(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.2);
    m_myName->setFont(nameFont);

    // Every menu button does nothing once the menu is not what the user sees.
    const auto onClick = [this](const QString &name, std::function<void()> handler) {
        connect(button(name), &QPushButton::clicked, this, [this, handler = std::move(handler)] {
            if (mayAct())
                handler();
        });
    };
    auto *buttons = new QGridLayout;
    buttons->setHorizontalSpacing(16);
    buttons->setVerticalSpacing(6);
    int index = 0;
    for (const MenuButton &entry : MenuButtons) {
        const QString name = QLatin1String(entry.name);
        auto *button = new QPushButton(QString::fromLatin1(entry.caption), this);
        button->setObjectName(name);
        button->setAutoDefault(true);
        button->setMinimumHeight(26);
        m_buttons.insert(name, button);
        if (index < ToolButtons) {
            button->setEnabled(false);
            onClick(name, [this, name] { openTool(name); });
        }
        buttons->addWidget(button, index < 8 ? index : index - 8, index < 8 ? 0 : 1);
        ++index;
    }
    onClick(QStringLiteral("InitCurrFont"), [this] { personalize(); });
    onClick(QStringLiteral("About"), [this] { about(); });
    onClick(QStringLiteral("HowTo"), [this] { openHelp(QStringLiteral("Tlmuse33.hlp"), QStringLiteral("How to Use the Program")); });
    onClick(QStringLiteral("Getrich"),
            [this] { openHelp(QStringLiteral("tlmdat33.grs"), QStringLiteral("How to Get Rich and Stay Rich")); });
    onClick(QStringLiteral("ExitButten"), [] { QCoreApplication::quit(); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 14, 40, 14);
    layout->addWidget(title);
    layout->addWidget(m_myName);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->addStretch();

    // Loading the menu, in this order: caption, program folder, settings, today.
    m_frame.setCaption(QStringLiteral(" Tallomar Menu"));
    if (!m_shell.programDir.isEmpty())
        QDir::setCurrent(m_shell.programDir); // a failure leaves the current folder, as before
    LoadFnt();
    m_shell.state.TodayText = Format(m_shell.today, QStringLiteral("Short Date"));
}

QPushButton *MenuMain::button(const QString &name) const
{
    return m_buttons.value(name);
}

void MenuMain::setTool(const QString &name, ToolFactory factory)
{
    QPushButton *target = button(name);
    Q_ASSERT(target);
    if (!target)
        return;
    m_tools.insert(name, std::move(factory));
    target->setEnabled(true);
}

// A button pressed by its access key clicks a moment later. By then a tool
// may have opened, or a box be waiting for the user (a tool must not be
// closed from under its own dialog): the menu is not what
// the user sees any more, and its click must do nothing.
bool MenuMain::mayAct() const
{
    return !isHidden() && !m_frame.activeTool() && !QApplication::activeModalWidget();
}

void MenuMain::openTool(const QString &name)
{
    const ToolFactory factory = m_tools.value(name);
    if (!factory)
        return;
    hide();
    // The guide has a chapter for each tool under its button's caption.
    m_frame.openTool(factory(m_shell, m_frame), button(name)->text().remove(QLatin1Char('&')));
}

void MenuMain::LoadFnt()
{
    LoadPersonalSettings(m_shell.state, SettingsFileToRead(m_shell.folder()));
    updateMyName();
}

void MenuMain::updateMyName()
{
    m_myName->setText(m_shell.state.UserName);
    m_myName->setVisible(!m_shell.state.UserName.isEmpty());
}

void MenuMain::personalize()
{
    hide();
    ChangeFnt settings(m_shell, m_frame);
    settings.exec();
    updateMyName();
    // A tool whose button was pressed by its access key just before may
    // have opened meanwhile (the click lands a moment after the key): the
    // menu then stays behind it.
    if (m_frame.activeTool())
        return;
    show();
    setFocus();
}

void MenuMain::about()
{
    hide();
    AboutBox box(m_shell.state.LayoutClass, &m_frame);
    box.exec();
    if (m_frame.activeTool())
        return;
    show();
    setFocus();
}

void MenuMain::openHelp(const QString &fileName, const QString &title)
{
    m_frame.showHelp(fileName, title);
}
