#pragma once

#include "shell/core/tool_fields.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QKeyEvent;
class QLineEdit;
class QWidget;
struct Shell;

bool IsEnterKey(const QKeyEvent *event);

// Runs the shared event sequence of a window's input fields, as their
// descriptions say: first key clears, key filters, Enter to the next control,
// parse and reformat on leaving, paste and drop refused, list steps, and the
// widths the boxes ask of the layout. The window builds the widgets; this
// class finds them by name.
class InputFields : public QObject
{
    Q_OBJECT

public:
    // The figures go to `values` by slot; the window's session owns them.
    // They must outlive this object: a window deletes it in its destructor,
    // before its members go, since a box losing the focus as the window is
    // torn down is left like any other.
    InputFields(Shell &shell, QWidget *window, FieldTable fields, QList<Money> &values,
                std::function<void()> invalidate);

    // Finishes the edit of the focused field as leaving it would. Every
    // command button calls it first: a button pressed by its access key or by
    // Enter does not take the focus, so the field would not be left. False
    // when the field refused what it held, now or as the click that called
    // this took the focus from it: the command then does nothing.
    bool finishEdit();
    // Shows a value in a field as its kind displays it and stores it; a
    // width other than the field's own may be given.
    void setValue(const char *control, Money value, int width = 0);
    // Shows a text (a date, a name) as the field's own, not typed.
    void setText(const char *control, const QString &text);
    // Empties a box and the slot behind it.
    void clear(const char *control);
    QLineEdit *editor(const char *control) const;
    // The figure boxes whose text is not the figure their slot holds, as
    // "control shows ... holds ..."; the box being typed in does not count.
    // Empty when every box agrees with what it stores.
    QStringList boxesOutOfStep() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Field
    {
        FieldDescription description;
        QPointer<QWidget> widget; // the line edit or the combo box
        QLineEdit *edit = nullptr;
        // Showing a text this class put there, which the next typed key
        // replaces; false once the user typed or deleted in it.
        bool pristine = true;
        // The text this class last put in the box; anything else got there
        // by a route other than the key filter and is read afresh on leaving.
        QString shown;
    };
    Field *fieldOf(QObject *object);
    Field *fieldNamed(const char *control);
    bool keyPress(Field &field, QKeyEvent *event);
    bool stepList(Field &field, int direction);
    void listChosen(Field &field);
    bool leave(Field &field);
    bool leaveFigure(Field &field);
    bool leaveDate(Field &field);
    void startTyping(Field &field);
    QString display(const Field &field, Money value, int width = 0) const;
    void moveToNext(const Field &field);
    void storeSlot(int slot, Money value);
    void show(Field &field, const QString &text);
    bool refusesForeignText(const Field &field, QObject *watched, QEvent *event) const;
    void layOut(const Field &field) const;

    Shell &m_shell;
    QWidget *m_window;
    QList<Money> &m_values;
    std::vector<Field> m_fields;
    std::function<void()> m_invalidate;
    bool m_leaving = false;
    // A field refused its text as the focus left it while the current event
    // was handled: the click that took the focus does nothing.
    bool m_refused = false;
};
