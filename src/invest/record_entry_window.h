#pragma once

#include "shell/core/money.h"
#include "shell/ui/tool_window.h"

#include <functional>

class FundsSession;
class InputFields;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QuickHelpPanel;
class SpreadsheetGrid;

// The window in which funds are created and deleted and their records
// added, corrected and deleted. It works on the database the fund menu
// holds and shows one fund's records at a time.
class FundRecordEntry : public ToolWindow
{
    Q_OBJECT

public:
    FundRecordEntry(Shell &shell, MdiContainer &frame, FundsSession &session);
    ~FundRecordEntry() override;

    SpreadsheetGrid *grid() const { return m_grid; }

signals:
    // The window was left; the fund menu shows itself again.
    void exited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The steps of opening the window.
    void nameWidgets();
    void layOut();
    void connectCommands();
    void startEmpty();
    void setTabOrders();
    // False when the date box refused its date during this command.
    bool finishEdit();
    bool fundShown() const;
    void MakeEGrid();
    void ShowRecords();
    void TypeSel();
    void ClearEntryRow();
    void EnableEntryFields();
    void DisableEntryFields();
    void ShowAllEntryFields();
    void endCorrection();
    void refillFunds();
    void showCounts();
    void fundChosen(int index);
    void typeChosen(int index);
    void addRecord();
    void correctRecord();
    void deleteRecord();
    void addFund();
    void gridClicked();
    void toggleHelp();
    void exitEntry();
    void moveFromDate();
    void showAmount(int slot, Money value);
    void clearEntryBoxes();

    FundsSession &m_session;
    QComboBox *m_funds;
    QComboBox *m_type;
    QLineEdit *m_date;
    QLineEdit *m_price;
    QLineEdit *m_number;
    QLineEdit *m_comm;
    QLineEdit *m_cashDiv;
    QPushButton *m_add;
    QPushButton *m_correct;
    QPushButton *m_delete;
    QPushButton *m_createFund;
    QPushButton *m_help;
    QPushButton *m_exit;
    SpreadsheetGrid *m_grid;
    QPlainTextEdit *m_text;
    QLabel *m_numFunds;
    QLabel *m_numRec;
    QLabel *m_done;
    // The amounts typed, by slot.
    QList<Money> m_figures;
    InputFields *m_fields = nullptr;
    QuickHelpPanel *m_helpPanel = nullptr;
    // The record a correction stores over, fixed when Correct was pressed.
    int m_correctedRecord = 0;
    // The grid's widths as asked for, in twips.
    QList<int> m_widths;
};
