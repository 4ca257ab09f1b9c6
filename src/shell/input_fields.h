#pragma once

#include "shell/format.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QKeyEvent;
class QLineEdit;
class QWidget;
struct Shell;

// The clipboard is emptied whenever a field is entered or left, so that
// nothing unchecked can be pasted into a figure.
void EmptyClipboard();
bool IsEnterKey(const QKeyEvent *event);

// Which way a field behaves when it gains the focus: A selects the whole text,
// B only empties the clipboard but runs the window's invalidate on a click.
enum class FocusVariant { A, B };

// One row of a window's field table.
struct FieldRow
{
    const char *name;         // object name of the line edit or combo box
    int slot;                 // slot of InputValues; -1 for a field that is not parsed
    FieldKind kind;
    int width;                // display width in characters
    const char *next;         // object name of the control Enter moves to
    int limit = 0;            // above it, message limitMessage and the text becomes the limit
    int limitMessage = 0;
    FocusVariant focus = FocusVariant::A;
    const char *format = nullptr; // number pattern; the kind's own when not given
    bool allowMinus = false;      // "-" starts the figure afresh as a negative one
};

// Runs the shared event sequence of a window's numeric fields: first key
// clears, key filters, Enter to the next control, parse and reformat on
// leaving, clipboard emptied. The window builds the widgets and gives their
// table; this class finds them by name.
class InputFields : public QObject
{
    Q_OBJECT

public:
    InputFields(Shell &shell, QWidget *window, std::vector<FieldRow> table, std::function<void()> invalidate);

    // Finishes the edit of the focused field as leaving it would. Every
    // command button calls it first: a button pressed by its access key or by
    // Enter does not take the focus, so the field would not be left.
    void finishEdit();
    // Shows a value in a field as its kind displays it and stores it; a
    // width other than the field's own may be given.
    void setValue(const char *name, Money value, int width = 0);
    QLineEdit *editor(const char *name) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Field
    {
        FieldRow row;
        QPointer<QWidget> widget; // the line edit or the combo box
        QLineEdit *edit = nullptr;
        // Showing a formatted figure that the next typed key replaces.
        bool pristine = true;
        // The text this class last put in the box; anything else got there
        // by a route other than the key filter and is read afresh on leaving.
        QString shown;
    };
    Field *fieldOf(QObject *object);
    bool keyPress(Field &field, QKeyEvent *event);
    void leave(Field &field);
    void startTyping(Field &field);
    QString display(const Field &field, Money value, int width = 0) const;
    void moveToNext(const Field &field);
    void storeSlot(int slot, Money value);
    void show(Field &field, const QString &text);
    bool refusesForeignText(const Field &field, QObject *watched, QEvent *event) const;
    void setFigureWidth(const Field &field, const QString &shown) const;

    Shell &m_shell;
    QWidget *m_window;
    std::vector<Field> m_fields;
    std::function<void()> m_invalidate;
    bool m_leaving = false;
};
