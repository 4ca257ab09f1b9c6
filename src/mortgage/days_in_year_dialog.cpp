#include "mortgage/days_in_year_dialog.h"
#include "shell/core/message_numbers.h"

#include "mortgage/mortgage_file.h"
#include "mortgage/mortgage_session.h"
#include "shell/core/dialogs.h"
#include "shell/core/format.h"
#include "shell/ui/input_fields.h"
#include "shell/core/shell.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

MortIRFTable::MortIRFTable(MortgageSession &session, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MortIRFTable"));
    setWindowTitle(QStringLiteral("Accelerated payments"));
    auto *frame = new QGroupBox(QStringLiteral(" Change interest rate factor - days "), this);
    auto *options = new QVBoxLayout(frame);
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < DaysOptionCount; ++i) {
        auto *option = new QRadioButton(QLatin1String(DaysInYearRow(i).caption), frame);
        option->setObjectName(QStringLiteral("IRFactor%1").arg(i));
        option->setChecked(i == session.daysOption());
        group->addButton(option, i);
        options->addWidget(option);
    }
    // Chosen is taken: nothing waits for the focus to leave the options.
    connect(group, &QButtonGroup::idToggled, this, [&session](int id, bool on) {
        if (on)
            session.setDaysOption(id);
    });
    auto *exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setObjectName(QStringLiteral("ExitMort"));
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(new QLabel(QStringLiteral("Most Financial Institutions use 365 days."), this));
    layout->addWidget(exit);
}

MortDateInput::MortDateInput(Shell &shell, MortgageSession &session, QWidget *parent)
    : QDialog(parent), m_shell(shell), m_session(session), m_date(new QLineEdit(this))
{
    setObjectName(QStringLiteral("MortDateInput"));
    setWindowTitle(QStringLiteral("Date Input"));
    m_date->setObjectName(QStringLiteral("InDate"));
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OkExit"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QLatin1String(FirstDateFields().front().label), this));
    layout->addWidget(m_date);
    layout->addWidget(ok);
    m_fields = new InputFields(shell, this, FirstDateFields(), m_figures, [] {});
    m_fields->setText("InDate", FieldDateText(session.firstDate()));
}

MortDateInput::~MortDateInput()
{
    delete m_fields;
}

bool MortDateInput::takeDate()
{
    if (!m_fields->finishEdit())
        return false;
    m_session.setFirstDate(ParseShortDate(m_date->text()));
    return true;
}

void MortDateInput::done(int result)
{
    // A date that is not valid keeps the dialog open with the date before.
    if (!takeDate())
        return;
    QDialog::done(result);
}
