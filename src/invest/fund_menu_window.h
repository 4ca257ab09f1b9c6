#pragma once

#include "invest/record_entry_window.h"
#include "invest/fund_table_window.h"
#include "invest/funds_session.h"
#include "shell/ui/tool_window.h"

#include <QPointer>

#include <functional>

class QLabel;
class QPushButton;

// The investment manager's own menu. It holds the database while it is
// open: opens it from a file, saves it, sorts it, opens the record entry
// window, imports and exports records as CSV and, on leaving, offers to go
// back and save unsaved changes.
class FundMenu : public ToolWindow
{
    Q_OBJECT

public:
    FundMenu(Shell &shell, MdiContainer &frame);

    // Unsaved changes: question 3; Yes keeps the program open to save them.
    bool queryClose() override;

    void ShowDatabaseStatus();
    FundRecordEntry *entryWindow() const { return m_entry; }
    FundCurrValue *priceWindow() const { return m_prices; }
    FundTable *tableWindow() const { return m_table; }
    FundsSession &session() { return m_session; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    bool hasRecords();
    // Unsaved records: question 3; true when the user wants to go back.
    bool wantsToSave();
    void openFile();
    void saveFile();
    void sortRecords();
    void displayData();
    void computeCurrentValue();
    void editRecords();
    // Records from a CSV file, after the preview; all or nothing.
    void importRecords();
    void exportRecords();
    void quickHelp();
    void exitManager();
    void entryClosed();
    FundTable *openTable();
    void showOwnControls(bool show);

    // Declared first: the windows opened below work on it.
    FundsSession m_session;
    QLabel *m_infoBox;
    QPointer<FundRecordEntry> m_entry;
    QPointer<FundCurrValue> m_prices;
    QPointer<FundTable> m_table;
};
