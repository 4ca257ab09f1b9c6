#pragma once

#include <QDate>
#include <QDialog>

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
    QLineEdit *dateField() const { return m_date; }
    // Reads the field as the leaving of it does: a date that is not valid
    // shows message 10 and brings the previous one back.
    bool takeDate();

    void done(int result) override;

private:
    Shell &m_shell;
    MortgageSession &m_session;
    QLineEdit *m_date;
};
