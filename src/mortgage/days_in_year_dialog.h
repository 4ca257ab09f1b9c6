#pragma once

#include "shell/core/money.h"

#include <QDate>
#include <QDialog>
#include <QList>

class InputFields;
class MortgageSession;
class QLineEdit;
struct Shell;

// Days in year for the two-week and weekly payments: the choice takes
// effect as soon as it is chosen.
class MortIRFTable : public QDialog
{
    Q_OBJECT

public:
    MortIRFTable(MortgageSession &session, QWidget *parent);
};

// The date of the first payment, from which the payment dates count.
class MortDateInput : public QDialog
{
    Q_OBJECT

public:
    MortDateInput(Shell &shell, MortgageSession &session, QWidget *parent);
    ~MortDateInput() override;
    QLineEdit *dateField() const { return m_date; }
    // Finishes the box as leaving it does (a text that is no date shows
    // message 10 and brings the previous date back) and takes its date.
    bool takeDate();

    void done(int result) override;

private:
    Shell &m_shell;
    MortgageSession &m_session;
    QLineEdit *m_date;
    QList<Money> m_figures; // none: the date is its only field
    InputFields *m_fields;
};
