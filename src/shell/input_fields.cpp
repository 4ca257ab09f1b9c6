#include "shell/input_fields.h"

#include "shell/shell.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>

#include <limits>

void EmptyClipboard()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

bool IsEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

namespace {

// The character code a key press types, or 0 for keys that type nothing
// (arrows, function keys, Tab: those move or do nothing and are left alone).
int typedCode(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab || event->key() == Qt::Key_Delete)
        return 0;
    if (event->key() == Qt::Key_Backspace)
        return 8;
    const QString text = event->text();
    if (text.isEmpty())
        return 0;
    return text.at(0).unicode();
}

bool IsParsed(FieldKind kind)
{
    return kind != FieldKind::Text && kind != FieldKind::Choice;
}

} // namespace

InputFields::InputFields(Shell &shell, QWidget *window, std::vector<FieldRow> table,
                         std::function<void()> invalidate)
    : QObject(window), m_shell(shell), m_window(window), m_invalidate(std::move(invalidate))
{
    for (const FieldRow &row : table) {
        QWidget *widget = window->findChild<QWidget *>(QLatin1String(row.name));
        Q_ASSERT_X(widget, "InputFields", row.name);
        if (!widget)
            continue;
        Field field{row, widget, nullptr, true, QString()};
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            field.edit = combo->lineEdit();
            // Picking a figure from the list is an edit like typing one.
            const QString name = QLatin1String(row.name);
            connect(combo, &QComboBox::activated, this, [this, name] {
                for (Field &f : m_fields)
                    if (QLatin1String(f.row.name) == name)
                        f.pristine = false;
                m_invalidate();
                m_shell.state.FieldEdited = 1;
            });
        } else {
            field.edit = qobject_cast<QLineEdit *>(widget);
        }
        if (field.edit) {
            field.edit->setContextMenuPolicy(Qt::NoContextMenu);
            field.shown = field.edit->text();
        } else {
            Q_ASSERT(row.kind == FieldKind::Choice);
        }
        // A combo box holds the focus itself and hands keys to its line edit
        // directly, so the events are watched on the box. Mouse and drop
        // events reach the line edit inside it, so that is watched as well.
        widget->installEventFilter(this);
        if (IsParsed(row.kind) && field.edit) {
            widget->setAcceptDrops(false);
            field.edit->setAcceptDrops(false);
            if (field.edit != widget)
                field.edit->installEventFilter(this);
        }
        setFigureWidth(field, QString());
        m_fields.push_back(field);
    }
}

InputFields::Field *InputFields::fieldOf(QObject *object)
{
    for (Field &field : m_fields)
        if (field.widget == object || (field.edit && field.edit == object))
            return &field;
    return nullptr;
}

// A figure box is as wide as its display width and grows to show whole any
// longer figure it is given: a figure cut at the edge of its box reads as a
// different figure. Sizing every box for the largest figure money holds
// would push the windows' labels and boxes over each other.
void InputFields::setFigureWidth(const Field &field, const QString &shown) const
{
    const FieldRow &row = field.row;
    if (!field.edit || !IsParsed(row.kind))
        return;
    const QString widest = shown.size() > row.width ? shown : QString(std::max(row.width, 4), u'0');
    const QFontMetrics metrics(field.edit->font());
    const QMargins margins = field.edit->textMargins();
    // QLineEdit keeps 2 pixels clear on either side of its text and 1 for the
    // cursor; a few more keep the last digit off the frame.
    const QSize text(metrics.horizontalAdvance(widest) + margins.left() + margins.right() + 9, metrics.height());
    QWidget *widget = field.widget;
    int needed = 0;
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = true;
        option.frame = combo->hasFrame();
        needed = combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, combo).width();
    } else {
        QStyleOptionFrame option;
        option.initFrom(widget);
        option.lineWidth = widget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, widget);
        needed = widget->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, widget).width();
    }
    widget->setMinimumWidth(std::max(widget->minimumWidth(), needed));
}

// Text reaches a figure box only through the key filter. A paste (the
// selection by the middle button, Ctrl+V, Shift+Insert) or a drop would put
// there text that no key filter saw and that Calculate would never read.
bool InputFields::refusesForeignText(const Field &field, QObject *watched, QEvent *event) const
{
    if (!IsParsed(field.row.kind))
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        event->ignore();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton;
    case QEvent::ContextMenu:
        return true;
    case QEvent::KeyPress:
        // Ctrl+V types a control character, which the key filter refuses;
        // Shift+Insert and the Paste key type nothing and would paste.
        if (watched == field.widget && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste) &&
            typedCode(static_cast<QKeyEvent *>(event)) == 0) {
            QApplication::beep();
            return true;
        }
        return false;
    default:
        return false;
    }
}

QLineEdit *InputFields::editor(const char *name) const
{
    for (const Field &field : m_fields)
        if (qstrcmp(field.row.name, name) == 0)
            return field.edit;
    return nullptr;
}

QString InputFields::display(const Field &field, Money value, int width) const
{
    return FieldDisplayText(field.row.kind, value, width > 0 ? width : field.row.width, m_shell.state.CurrencySymbol,
                            field.row.format ? QLatin1String(field.row.format) : QString());
}

bool InputFields::eventFilter(QObject *watched, QEvent *event)
{
    Field *field = fieldOf(watched);
    if (!field)
        return false;
    if (refusesForeignText(*field, watched, event))
        return true;
    if (watched != field->widget)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (field->row.focus == FocusVariant::A && field->edit)
            field->edit->selectAll();
        EmptyClipboard();
        return false;
    case QEvent::MouseButtonPress:
        if (field->row.focus == FocusVariant::B)
            m_invalidate();
        return false;
    case QEvent::KeyPress:
        return keyPress(*field, static_cast<QKeyEvent *>(event));
    case QEvent::FocusOut:
        leave(*field);
        return false;
    default:
        return false;
    }
}

// The first key typed into a field shows anew: the figure it showed is gone.
// A figure still showing as formatted is replaced too, when a click (or a
// list) started the edit: typing after it would otherwise read as nonsense
// such as "$1,200.005".
void InputFields::startTyping(Field &field)
{
    if (m_shell.state.FieldEdited == 0 || field.pristine) {
        field.edit->clear();
        m_invalidate();
    }
    field.pristine = false;
}

bool InputFields::keyPress(Field &field, QKeyEvent *event)
{
    AppState &state = m_shell.state;
    // A list-only box takes Enter and the keys that move through its list;
    // a key that would type or delete is refused.
    if (field.row.kind == FieldKind::Choice && !IsEnterKey(event) &&
        (event->key() == Qt::Key_Delete || typedCode(event) != 0)) {
        QApplication::beep();
        return true;
    }
    if (event->key() == Qt::Key_Delete) {
        field.pristine = false;
        m_invalidate();
        return false;
    }
    if (IsEnterKey(event)) {
        moveToNext(field);
        return true;
    }
    const int code = typedCode(event);
    if (code == 0)
        return false;

    switch (field.row.kind) {
    case FieldKind::Choice:
        // Chosen from the list only.
        QApplication::beep();
        return true;
    case FieldKind::Text:
        m_invalidate();
        return false;
    case FieldKind::Years: {
        const int accepted = DigitKeyFilter(code);
        startTyping(field);
        if (accepted == 0) {
            QApplication::beep();
            return true;
        }
        return false;
    }
    case FieldKind::Money:
    case FieldKind::Percent:
        if (code == '-' && field.row.allowMinus) {
            startTyping(field);
            field.edit->setText(QStringLiteral("-"));
            return true;
        }
        startTyping(field);
        state.TypedText = field.edit->text();
        if (DecimalKeyFilter(code, state.TypedText, state.DecimalsOverride) == 0) {
            QApplication::beep();
            return true;
        }
        return false;
    }
    return false;
}

void InputFields::moveToNext(const Field &field)
{
    if (QWidget *next = m_window->findChild<QWidget *>(QLatin1String(field.row.next)))
        next->setFocus(Qt::TabFocusReason);
}

void InputFields::storeSlot(int slot, Money value)
{
    QList<Money> &values = m_shell.state.InputValues;
    if (slot < 0)
        return;
    if (values.size() <= slot)
        values.resize(slot + 1);
    values[slot] = value;
}

void InputFields::show(Field &field, const QString &text)
{
    setFigureWidth(field, text);
    field.edit->setText(text);
    field.shown = text;
}

void InputFields::leave(Field &field)
{
    // A message shown here moves the focus again; that second leave must not
    // run the steps a second time.
    if (m_leaving)
        return;
    m_leaving = true;
    AppState &state = m_shell.state;
    const FieldRow &row = field.row;
    const bool parsed = IsParsed(row.kind) && field.edit;
    // Text this class did not put there and no key typed: read it all the
    // same, so that the box never shows one figure while another is stored.
    const bool foreign = parsed && state.FieldEdited != 1 && field.edit->text() != field.shown;
    if (foreign)
        m_invalidate();

    bool limited = false;
    if (parsed && row.limit > 0) {
        bool above = true; // a figure money cannot hold is above any limit
        try {
            above = LeadingMoney(field.edit->text(), row.allowMinus) > Money::fromWhole(row.limit);
        } catch (const ArithmeticFault &) {
        }
        if (above) {
            m_shell.dialogs.message(MessageNumber(row.limitMessage));
            field.edit->setText(QString::number(row.limit));
            limited = true;
        }
    }
    if (parsed && (state.FieldEdited == 1 || foreign || limited)) {
        Money value;
        try {
            value = LeadingMoney(field.edit->text(), row.allowMinus);
        } catch (const ArithmeticFault &) {
            // More digits than any figure can hold: refuse it rather than keep a wrong one.
            m_shell.dialogs.message(MsgWrongEntry);
        }
        storeSlot(row.slot, value);
        show(field, display(field, value));
        field.pristine = true;
    }
    state.FieldEdited = 0;
    EmptyClipboard();
    m_leaving = false;
}

void InputFields::finishEdit()
{
    QWidget *focused = QApplication::focusWidget();
    if (Field *field = fieldOf(focused))
        leave(*field);
}

void InputFields::setValue(const char *name, Money value, int width)
{
    for (Field &field : m_fields) {
        if (qstrcmp(field.row.name, name) != 0 || !field.edit)
            continue;
        storeSlot(field.row.slot, value);
        show(field, display(field, value, width));
        field.pristine = true;
    }
}
