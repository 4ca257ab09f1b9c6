#pragma once

#include "graph/graph_request.h"
#include "shell/core/outcome.h"
#include "shell/core/tool_data.h"
#include "shell/core/tool_fields.h"

#include <QHash>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

struct AppState;
class PrintFrame;

// One column of a result grid as a tool lays it out.
struct GridColumnSpec
{
    QString heading;
    int widthChange; // twips added to the grid's default width
    bool centred;    // otherwise right-aligned
};

struct GridLayout
{
    int rows = 0; // heading row included
    int headingHeight = 500;
    QList<GridColumnSpec> columns;
};

// What one Calculate does to the result grid.
struct GridUpdate
{
    int rowCount = 0;        // rows of the grid, heading included; 0 keeps the count
    bool clearBody = false;  // every cell below the heading row emptied first
    QStringList headingCells; // the first heading cells replaced (those given)
    int firstRow = 1;
    QList<QStringList> rows; // cells from firstRow on
    int selectRow = 0;       // row to put the selection on afterwards; 0 leaves it
};

// A grid as plain texts, row 0 the headings: what the command line shows.
QList<QStringList> GridTexts(const GridLayout &layout);
void ApplyGridUpdate(QList<QStringList> &grid, const GridUpdate &update);

// Texts of the fields that are not figures (names, lists), by control name.
using FieldTexts = QHash<QString, QString>;

// Everything a tool does between opening and exit, without any window: the
// window and the command line both drive it, so neither repeats a step.
// Figures are read from their InputValues slots, where the fields (or the
// command line, as the fields would) have stored them. The session owns its
// figures and results; the program-wide state gives only the settings.
class ToolSession
{
public:
    explicit ToolSession(AppState &state, int lastSlot = 0) : m_data(lastSlot), m_state(state) {}
    virtual ~ToolSession() = default;
    ToolSession(const ToolSession &) = delete;
    ToolSession &operator=(const ToolSession &) = delete;

    // The fields as the chosen option describes them.
    virtual FieldTable fields() const = 0;
    // A tool with options names the field that holds the choice; choosing
    // by its word sets the option and its opening figures. Returns false
    // for a word that names no option.
    virtual const char *optionControl() const { return nullptr; }
    virtual bool chooseOption(const QString &word) { return word.isEmpty(); }
    virtual GridLayout gridLayout() const = 0;
    // Rows already calculated that an edit leaves in place.
    virtual int keptRows() const = 0;
    // Whether an edit takes away the results (nothing stale printed or drawn).
    virtual bool editClearsResults() const { return false; }

    // One press of Calculate. A refusal changes nothing but what the window
    // itself changes on that refusal; an arithmetic fault is a refusal with
    // message 3.
    virtual Outcome<GridUpdate> calculate(const FieldTexts &texts) = 0;
    // Calculate as the buttons and the command line run it: an arithmetic
    // fault that escaped the calculation is message 3.
    Outcome<GridUpdate> press(const FieldTexts &texts);

    // The printout: its title for the print job and its own lines.
    virtual QString printTitle() const = 0;
    virtual void print(PrintFrame &frame) = 0;
    // Whether the printout needs a calculated result (message 1 otherwise).
    virtual bool printNeedsResult() const { return true; }

    // What the graph window draws of the results so far.
    virtual GraphRequest graphRequest() const = 0;
    virtual QString helpText() const = 0;

    // The results so far for the command line's JSON (money as exact decimal text).
    virtual QJsonValue results() const = 0;

    // The figures typed so far and the last result.
    ToolData &data() { return m_data; }
    const ToolData &data() const { return m_data; }

protected:
    // A graph of this kind over the tables as Calculate left them.
    GraphRequest tableGraph(GraphKind kind) const;

    ToolData m_data;
    AppState &m_state;
};

// Stores the opening figures of the parsed fields in their slots.
void StoreStartValues(QList<Money> &values, FieldTable fields);

class Dialogs;
class Printer;
// Prints the session's printout; one that needs a result and has none is
// refused with message 1. Returns whether anything was printed.
bool PrintSession(AppState &state, Dialogs &dialogs, Printer &printer, ToolSession &session);
