#pragma once

#include <QDialog>

class MortgageSession;
class QTableWidget;
class QPushButton;

// Additional payments: one amount per year of the term, typed into the
// amount column (digits and one point, two decimals at most; Backspace or
// Delete clears the year's amount, Enter moves to the next year). "&OK"
// keeps the amounts, "&Erase all" sets them all to 0. However it closes,
// the window owner counts the years with an amount again.
class MortPrePay : public QDialog
{
    Q_OBJECT

public:
    MortPrePay(MortgageSession &session, QWidget *parent);

    QTableWidget *grid() const { return m_grid; }
    // What one key typed into the current cell does, as the grid's key
    // handling runs it; returns false when the key is refused (a beep).
    bool typeKey(QChar key);
    void clearCurrent();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showAmount(int year);
    MortgageSession &m_session;
    QTableWidget *m_grid;
    QString m_buffer;
    int m_editRow = -1;
    int m_editColumn = -1;
};
