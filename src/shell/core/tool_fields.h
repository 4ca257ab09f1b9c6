#pragma once

#include "shell/core/format.h"
#include "shell/core/message_numbers.h"
#include "shell/core/money.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <span>

// How a field behaves when it gains the focus: SelectAll selects the whole
// text; NoSelection leaves the cursor where the click put it. Either way the
// first key typed replaces the figure, and a click alone changes nothing.
enum class FieldFocus { SelectAll, NoSelection };

// Everything one input field of a tool is, written once: the window builds
// its widgets from it, the printout reads its figures through the slots, and
// the command line makes its options and help from it.
struct FieldDescription
{
    const char *control;          // object name of the line edit or list box
    int slot = -1;                // slot of InputValues; -1 for names and lists
    FieldKind kind = FieldKind::Money;
    int width = 0;                // display width in characters
    int decimals = 2;             // digits the key filter lets through after the point
    const char *format = nullptr; // number pattern, showing `decimals` decimals; the kind's own when not given
    const char *next = nullptr;   // object name of the control Enter moves to
    int limit = 0;                // above it: limitMessage, and the figure becomes the limit
    MessageNumber limitMessage = MsgNone; // for a date: the message for a text that is no date
    bool allowMinus = false;      // "-" starts the figure afresh as a negative one
    bool mayBeEmpty = false;      // a date box may be left empty (what stores it says so)
    FieldFocus focus = FieldFocus::SelectAll;
    const char *start = "";       // the figure or text shown on opening
    int startWidth = 0;           // width of the opening figure when not the field's own
    QStringList items = {};       // drop-down list; a Choice field takes only these
    QStringList buttons = {};     // a Choice drawn as option buttons: one caption per item, framed by the label
    QStringList buttonNames = {}; // the buttons' object names; the control's name and index when not given
    const char *label = "";       // the label beside the field, spaces as shown
    const char *option = nullptr; // command-line option (and JSON key); none when not offered
    const char *help = "";        // what the option means, for --help
};

using FieldTable = std::span<const FieldDescription>;

// A field's list items, written as plain texts.
QStringList FieldItems(std::initializer_list<const char *> texts);

// The field with this control name, or nothing.
const FieldDescription *FindField(FieldTable fields, const char *control);
// The field with this command-line option name, or nothing.
const FieldDescription *FindOption(FieldTable fields, const QString &option);

// The opening figure of a parsed field, read exactly.
Money StartValue(const FieldDescription &field);
// The number pattern the field shows its figure in.
QString FieldFormat(const FieldDescription &field);
// The largest figure the field takes: its limit, or the largest money holds.
Money LargestFigure(const FieldDescription &field);
// A date as a date field shows it, and whether a text is a date it takes.
QString FieldDateText(QDate date);
bool IsFieldDate(const FieldDescription &field, const QString &text);

// A figure given to a field from outside the window (the command line, a
// JSON input): checked the way the field's key filter would take it when
// typed. Returns an empty text when it is fine, else what is wrong.
QString CheckFieldText(const FieldDescription &field, const QString &text);
// Whether a checked figure is above the field's limit.
bool AboveLimit(const FieldDescription &field, Money value);
