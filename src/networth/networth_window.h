#pragma once

#include "networth/networth_session.h"
#include "shell/core/safe_save.h"
#include "shell/ui/tool_window.h"

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QuickHelpPanel;
class SpreadsheetGrid;

// The net worth statement: assets on the left grid, liabilities on the right,
// typed straight into the cells. Nothing typed is ever lost without a
// question: every change marks the statement unsaved, and leaving, closing
// or opening another file asks first.
class NetWorthCalc : public ToolWindow
{
    Q_OBJECT

public:
    NetWorthCalc(Shell &shell, MdiContainer &frame);

    NetWorthSession &session() { return m_session; }
    SpreadsheetGrid *grid(NetWorthStatement::Side side) const { return m_grids[side]; }
    bool queryClose() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct EditCell
    {
        int row = 0;
        int col = 0;
    };

    // Shows what a key typed into the edit cell of one sheet did.
    void sheetEdited(NetWorthStatement::Side side, const SheetKeyResult &result);
    void edited();
    void calculate();
    void insertBlankLine(NetWorthStatement::Side side);
    void openFile();
    void saveFile();
    void toggleHelp();
    void print();
    void exitNetWorth();
    // The bare name of the statement's file, as the question about unsaved work names it.
    QString fileName() const;
    // Asks question 3 when leaving would lose work; true when the user wants to go back.
    bool goBackToSave();
    // Everything the statement held is let go, as leaving does.
    void eraseStatement();
    void showSheets();

    NetWorthSession m_session;
    SpreadsheetGrid *m_grids[2];
    EditCell m_edit[2];
    QWidget *m_sheets;
    QPlainTextEdit *m_text;
    QPushButton *m_help;
    QuickHelpPanel *m_panel;
    QLabel *m_info;
    QLabel *m_net;
    bool m_erased = false;
    // The help was just closed by the focus leaving it: the click on its
    // button that took the focus does not open it again.
    bool m_helpJustClosed = false;
    // The statement's file with its folder: where the file boxes start.
    // Empty while the statement has no file.
    QString m_filePath;
    // What the file last opened or saved held, checked before saving over it.
    FileStamp m_fileStamp;
};
