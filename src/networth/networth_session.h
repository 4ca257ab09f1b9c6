#pragma once

#include "networth/networth_sheet.h"
#include "shell/core/message_numbers.h"

#include <QString>

struct AppState;
class PrintFrame;

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
// cell by cell, Calculate, blank lines, the printout and its help. The
// window and the command line both drive it.
class NetWorthSession
{
public:
    using Side = NetWorthStatement::Side;

    explicit NetWorthSession(AppState &state);
    NetWorthSession(const NetWorthSession &) = delete;
    NetWorthSession &operator=(const NetWorthSession &) = delete;

    NetWorthStatement &statement() { return m_statement; }
    const NetWorthStatement &statement() const { return m_statement; }
    // Whether leaving would lose work: something changed since the last
    // save that worked, and the sheets hold something.
    bool unsavedWork() const { return m_unsaved && m_statement.holdsAnything(); }
    bool unsaved() const { return m_unsaved; }
    void markUnsaved() { m_unsaved = true; }
    void markSaved() { m_unsaved = false; }

    // Cell editing. What is typed builds up in a buffer that belongs to one
    // cell: a cell chosen or clicked, or a key typed into another cell,
    // starts an empty one, so the first key replaces what a cell held.
    void cellChosen();
    // A character typed at (row, col) of a sheet. Backspace shortens the
    // name the row holds.
    SheetKeyResult typeKey(Side side, int row, int col, int code);
    // The Delete key: the cell is emptied.
    SheetKeyResult deleteKey(Side side, int row, int col);

    // Calculate as the window runs it (without marking the work unsaved).
    void recalculate();
    // A "BlankLine" row at the line answered in the insert box (read by the
    // leading-number rule): message 54 for a line outside 1 to 28, 22 for a
    // sheet with no room left, otherwise none, and the sheets calculated.
    MessageNumber insertBlankLine(Side side, const QString &answer);
    // A read statement replaces the one in memory, calculated.
    void replace(const NetWorthStatement &statement);
    // Both sheets empty, as on opening.
    void erase();

    QString printTitle() const { return QStringLiteral("Net Worth Statement"); }
    void print(PrintFrame &frame) const;
    QString helpText() const;

private:
    struct BufferCell
    {
        int side = -1;
        int row = 0;
        int col = 0;
        bool operator==(const BufferCell &) const = default;
    };
    // The buffer goes on for the cell it belongs to and starts empty for any other.
    void bufferFor(Side side, int row, int col);

    AppState &m_state;
    NetWorthStatement m_statement;
    QString m_buffer;
    BufferCell m_bufferCell;
    bool m_unsaved = false;
};

// The printout: both sheets side by side, as typed, with the totals of the
// last Calculate.
void PrintNetWorth(PrintFrame &frame, const NetWorthStatement &statement, const QString &currencySymbol);
