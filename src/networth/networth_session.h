#pragma once

#include "networth/networth_sheet.h"
#include "shell/tool_session.h"

class PrintFrame;

// The command-line inputs: a file to read and the two sheets as JSON.
FieldTable NetWorthFields();

// What a key typed into a sheet's cell does.
struct SheetKeyResult
{
    enum Action {
        Ignored,  // swallowed silently
        Beep,     // swallowed with a beep
        RowLimit, // message 22
        MoveDown, // swallowed; the grid moves one row down
        Edited    // the cell shows `cellText`; the statement is changed
    };
    Action action = Ignored;
    QString cellText;
};

// The net worth statement between opening and exit: the two sheets typed
// cell by cell, Calculate, blank lines, the file, the printout. The window
// and the command line both drive it.
class NetWorthSession : public ToolSession
{
public:
    using Side = NetWorthStatement::Side;

    explicit NetWorthSession(AppState &state);

    NetWorthStatement &statement() { return m_statement; }
    const NetWorthStatement &statement() const { return m_statement; }
    // Whether leaving would lose work: something changed since the last
    // save that worked, and the sheets hold something.
    bool unsavedWork() const { return m_unsaved && m_statement.holdsAnything(); }
    bool unsaved() const { return m_unsaved; }
    void markUnsaved() { m_unsaved = true; }
    void markSaved() { m_unsaved = false; }

    // Cell editing. The buffer is shared by both sheets and starts empty each
    // time another cell is chosen, so typing replaces what a cell held.
    void cellChosen() { m_buffer.clear(); }
    // A character typed at (row, col) of a sheet. Backspace shortens the
    // name the row holds.
    SheetKeyResult typeKey(Side side, int row, int col, int code);
    // The Delete key: the cell is emptied.
    SheetKeyResult deleteKey(Side side, int row, int col);

    // Calculate as the window runs it (without marking the work unsaved).
    void recalculate() { CalculateNetWorth(m_statement); }
    bool insertBlankLine(Side side, int line);
    // A read statement replaces the one in memory, calculated.
    void replace(const NetWorthStatement &statement);
    // Both sheets empty, as on opening.
    void erase();

    FieldTable fields() const override { return NetWorthFields(); }
    GridLayout gridLayout() const override;
    int keptRows() const override { return 0; }
    // The command line: the file first, then the sheets given as JSON.
    Outcome<GridUpdate> calculate(const FieldTexts &texts) override;
    QString printTitle() const override { return QStringLiteral("Net Worth Statement"); }
    void print(PrintFrame &frame) override;
    bool printNeedsResult() const override { return false; }
    GraphRequest graphRequest() const override { return {}; }
    QString helpText() const override;
    QJsonValue results() const override;

private:
    NetWorthStatement m_statement;
    QString m_buffer;
    bool m_unsaved = false;
};

// The printout: both sheets side by side, as typed, with the totals of the
// last Calculate.
void PrintNetWorth(PrintFrame &frame, const NetWorthStatement &statement, const QString &currencySymbol);
// Reads one sheet given as JSON: an array of [name] or [name, amount]
// rows, amounts as numbers or their exact decimal text. Returns 0 or the
// message number of a refusal.
MessageNumber ReadSheetJson(const QString &json, Sheet &sheet);
