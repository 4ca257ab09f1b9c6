#pragma once

#include "shell/core/money.h"
#include "shell/ui/tool_window.h"

#include <QDialog>
#include <QList>

#include <initializer_list>

class InputFields;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class SpreadsheetGrid;
class FundDatabase;
class FundsSession;

// Gives a grid's columns the widths asked for (twips) where the grid has room
// for all of them. In a narrower grid each column gives up, in proportion,
// what it can spare above the widest word of its heading and the widest of
// its texts, so that every column is read without scrolling sideways.
void FitColumnsToGrid(SpreadsheetGrid &grid, const QList<int> &twips);

// The current price window: today's price of each fund, typed into a grid,
// then Calculate values them all.
class FundCurrValue : public ToolWindow
{
    Q_OBJECT

public:
    FundCurrValue(Shell &shell, MdiContainer &frame, FundsSession &session);
    ~FundCurrValue() override;

    SpreadsheetGrid *grid() const { return m_grid; }

signals:
    // Every fund holding shares has a price: the value table can be shown.
    void calculated();
    void exited();

private:
    void keyTyped(int &code);
    void applyKey(int key);
    void calculate();
    void toggleHelp();

    FundsSession &m_session;
    SpreadsheetGrid *m_grid;
    QPlainTextEdit *m_text;
    QPushButton *m_help;
    // The valuation date box: the day the annual returns run to.
    QLineEdit *m_date;
    InputFields *m_fields = nullptr;
    QList<Money> m_figures;
    // The cell typing goes to and what was typed into it since it was chosen.
    int m_row = 1;
    int m_col = 1;
    QString m_priceBuffer;
};

// The fund table window: the current value table of all funds, or the record
// listing of one fund or of all funds.
class FundTable : public ToolWindow
{
    Q_OBJECT

public:
    FundTable(Shell &shell, MdiContainer &frame, FundsSession &session, QWidget *parent);

    // Values every fund at the prices in the fund values and shows the table.
    void showValueTable();
    // Lists the records of a fund (1 to 30) or of all funds (31).
    void showListing(int fund);

    bool valueTableShown() const { return m_valueTable; }
    int lastListRow() const { return m_lastListRow; }
    SpreadsheetGrid *grid() const { return m_grid; }

signals:
    void exited();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void print();
    void secondButton();
    void currentValue();
    void exitTable();
    void setWidths(std::initializer_list<int> increments);

    FundsSession &m_session;
    SpreadsheetGrid *m_grid;
    QPushButton *m_print;
    QPushButton *m_graph;
    QPushButton *m_exit;
    // Under the value table: the valuation date and why a fund has no
    // annual return.
    QLabel *m_notes;
    bool m_valueTable = false;
    int m_listed = 0;
    int m_lastListRow = 0;
    // The widths the table asks for, in twips.
    QList<int> m_widths;
};

// Chooses the fund whose records are listed.
class FundChoose : public QDialog
{
    Q_OBJECT

public:
    FundChoose(const FundDatabase &db, QWidget *parent = nullptr);

    // 1 to 30 for a fund, 31 for all records, 0 when cancelled.
    int chosen() const { return m_chosen; }
    static int choose(const FundDatabase &db, QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pick();

    QListWidget *m_funds;
    int m_chosen = 0;
};
