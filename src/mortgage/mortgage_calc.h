#pragma once

#include "mortgage/mortgage_fields.h"
#include "shell/calculator_window.h"

class MortgageSession;
class QLabel;
class QRadioButton;

// Mortgages (the term in years) and personal loans (the
// term in months): the schedule in the grid, its seven result labels, and
// the buttons for additional payments, days in year, payment dates and the
// files.
class MortgageCalc : public CalculatorWindow
{
    Q_OBJECT

public:
    MortgageCalc(Shell &shell, MdiContainer &frame, MortgageKind kind);

    MortgageSession &mortgage() const;
    QLabel *resultLabel(const char *name) const;

    // What the buttons do, callable from the tests as from a click.
    void chooseView(MortgageView view);
    void toggleDates();
    void openAdditionalPayments();
    void openDaysInYear();
    void saveFile();
    void openFile();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void beforeCalculate() override;
    void afterCalculate(const GridUpdate &update) override;
    void afterResultsCleared() override;

private:
    void clearResults();
    void showResults();
    void showInputs();
    QString listText(const char *control) const;

    QRadioButton *m_all = nullptr;
    QRadioButton *m_annual = nullptr;
    QPushButton *m_dateNumber = nullptr;
    bool m_termEdited = false;
};
