#pragma once

#include "mortgage/mortgage_fields.h"
#include "shell/ui/calculator_window.h"
#include "shell/core/safe_save.h"

#include <memory>

class MortgageSession;
struct MortgageInput;
class QLabel;
class QRadioButton;

// The mortgage and loan files last opened or saved in the run (full
// paths), where the next file box starts. The menu keeps one for both of
// its entries, so that a window opened again starts where the last one left.
struct MortgageFilePlaces
{
    QString mortgage;
    QString loan;
};

// Mortgages (the term in years) and personal loans (the
// term in months): the schedule in the grid, its seven result labels, and
// the buttons for additional payments, days in year, payment dates and the
// files.
class MortgageCalc : public CalculatorWindow
{
    Q_OBJECT

public:
    // Without places of its own to remember, the window remembers its files
    // for as long as it is open.
    MortgageCalc(Shell &shell, MdiContainer &frame, MortgageKind kind, std::shared_ptr<MortgageFilePlaces> places);

    MortgageSession &mortgage() const;
    QLabel *resultLabel(const char *name) const;

    // What the buttons do, callable from the tests as from a click.
    void chooseView(MortgageView view);
    void toggleDates();
    void openAdditionalPayments();
    void openDaysInYear();
    void saveFile();
    void openFile();

    // Inputs or additional payments changed since the last save or open:
    // question 3, and Yes or closing the question goes back to them.
    bool queryClose() override;

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
    MortgageInput currentInputs() const;
    QString &rememberedFile() const;

    QRadioButton *m_all = nullptr;
    QRadioButton *m_annual = nullptr;
    QPushButton *m_dateNumber = nullptr;
    bool m_termEdited = false;
    std::shared_ptr<MortgageFilePlaces> m_places;
    // The file this window's inputs were last opened from or saved to.
    QString m_filePath;
    // What that file held then, checked before saving over it.
    FileStamp m_fileStamp;
};
