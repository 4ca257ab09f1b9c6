#include "shell/ui/input_fields.h"

#include "shell/ui/calculator_parts.h"
#include "shell/core/message_numbers.h"
#include "shell/core/shell.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QWheelEvent>

#include <optional>

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

// Boxes whose text only the key filter may put there.
bool TakesOnlyKeys(FieldKind kind)
{
    return IsFigureKind(kind) || kind == FieldKind::Date;
}

// The figure a text leads with, or nothing when money cannot hold it.
std::optional<Money> ReadFigure(const QString &text, bool allowMinus)
{
    try {
        return LeadingMoney(text, allowMinus);
    } catch (const ArithmeticFault &) {
        return std::nullopt;
    }
}

// Up and Down (and the page keys) step through a typed list; with Alt or
// Ctrl they open the list or go to the line edit as Qt has them.
int StepOfKey(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
        return 0;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_PageUp: return -1;
    case Qt::Key_Down:
    case Qt::Key_PageDown: return 1;
    default: return 0;
    }
}

} // namespace

InputFields::InputFields(Shell &shell, QWidget *window, FieldTable fields, QList<Money> &values,
                         std::function<void()> invalidate)
    : QObject(window), m_shell(shell), m_window(window), m_values(values), m_invalidate(std::move(invalidate))
{
    m_fields.reserve(fields.size());
    for (const FieldDescription &description : fields) {
        QWidget *widget = window->findChild<QWidget *>(QLatin1String(description.control));
        // A misspelt name must not ship: this stops the program in every build.
        if (!widget)
            qFatal("%s has no control %s", window->metaObject()->className(), description.control);
        if (description.next && !window->findChild<QWidget *>(QLatin1String(description.next)))
            qFatal("%s: %s moves to %s, which does not exist", window->metaObject()->className(),
                   description.control, description.next);
        if (IsFigureKind(description.kind) && description.kind != FieldKind::Years &&
            PatternDecimals(FieldFormat(description)) != description.decimals)
            qFatal("%s: %s shows other decimals than it takes", window->metaObject()->className(),
                   description.control);
        Field field{description, widget, nullptr, true, QString()};
        const std::size_t index = m_fields.size();
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            field.edit = combo->lineEdit();
            connect(combo, &QComboBox::activated, this, [this, index] { listChosen(m_fields[index]); });
        } else {
            field.edit = qobject_cast<QLineEdit *>(widget);
        }
        if (field.edit) {
            field.edit->setContextMenuPolicy(Qt::NoContextMenu);
            field.shown = field.edit->text();
        } else if (description.kind != FieldKind::Choice) {
            qFatal("%s: %s is no box to type in", window->metaObject()->className(), description.control);
        }
        // A combo box holds the focus itself and hands keys to its line edit
        // directly, so the events are watched on the box. Mouse and drop
        // events reach the line edit inside it, so that is watched as well.
        widget->installEventFilter(this);
        if (TakesOnlyKeys(description.kind) && field.edit) {
            widget->setAcceptDrops(false);
            field.edit->setAcceptDrops(false);
            if (field.edit != widget)
                field.edit->installEventFilter(this);
        }
        m_fields.push_back(field);
        layOut(m_fields.back());
    }
}

InputFields::Field *InputFields::fieldOf(QObject *object)
{
    if (!object)
        return nullptr;
    for (Field &field : m_fields)
        if (field.widget == object || (field.edit && field.edit == object))
            return &field;
    return nullptr;
}

InputFields::Field *InputFields::fieldNamed(const char *control)
{
    for (Field &field : m_fields)
        if (qstrcmp(field.description.control, control) == 0)
            return &field;
    return nullptr;
}

// A box is laid out once, for the largest figure its field takes, and keeps
// that width whatever it later shows: a box that grew would cover its
// neighbours. Where the window has no room for that, the box makes do with
// the room for its display width and a longer figure scrolls inside it.
void InputFields::layOut(const Field &field) const
{
    const FieldDescription &description = field.description;
    if (!field.edit || !TakesOnlyKeys(description.kind))
        return;
    QString least(std::max(description.width, 8), u'0');
    QString wanted = least;
    if (description.kind == FieldKind::Date) {
        least = wanted = FieldDateText(QDate(2026, 12, 31));
    } else {
        const Money largest = LargestFigure(description);
        for (const Money value : {largest, description.allowMinus ? -largest : largest}) {
            const QString text = display(field, value);
            if (text.size() > wanted.size())
                wanted = text;
        }
    }
    const QFontMetrics metrics(field.edit->font());
    const QMargins margins = field.edit->textMargins();
    QWidget *widget = field.widget;
    const auto pixels = [&](const QString &text) {
        // QLineEdit keeps 2 pixels clear on either side of its text and 1 for
        // the cursor; a few more keep the last digit off the frame.
        const QSize contents(metrics.horizontalAdvance(text) + margins.left() + margins.right() + 9, metrics.height());
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = true;
            option.frame = combo->hasFrame();
            return combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, combo).width();
        }
        QStyleOptionFrame option;
        option.initFrom(widget);
        option.lineWidth = widget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, widget);
        return widget->style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, widget).width();
    };
    SetFigureWidths(widget, pixels(least), pixels(wanted));
}

// Text reaches a figure or date box only through the key filter. A paste (the
// selection by the middle button, Ctrl+V, Shift+Insert) or a drop would put
// there text that no key filter saw and that Calculate would never read.
bool InputFields::refusesForeignText(const Field &field, QObject *watched, QEvent *event) const
{
    if (!TakesOnlyKeys(field.description.kind))
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

QLineEdit *InputFields::editor(const char *control) const
{
    for (const Field &field : m_fields)
        if (qstrcmp(field.description.control, control) == 0)
            return field.edit;
    return nullptr;
}

QStringList InputFields::boxesOutOfStep() const
{
    QStringList found;
    for (const Field &field : m_fields) {
        const FieldDescription &description = field.description;
        if (!field.widget || !field.edit || !IsFigureKind(description.kind) || description.slot < 0)
            continue;
        const QWidget *typing = field.widget->window()->focusWidget();
        if (!field.pristine && (typing == field.widget || typing == field.edit))
            continue;
        const Money held = m_values.value(description.slot);
        const QString text = field.edit->text();
        // An emptied box holds nothing; a figure may be shown at another width.
        if (text.trimmed() == display(field, held).trimmed() || (text.trimmed().isEmpty() && held == Money()))
            continue;
        if (const std::optional<Money> read = ReadFigure(text, description.allowMinus); read && *read == held)
            continue;
        found << QStringLiteral("%1 shows \"%2\" and holds \"%3\"")
                     .arg(QLatin1String(description.control), text, display(field, held));
    }
    return found;
}

QString InputFields::display(const Field &field, Money value, int width) const
{
    const FieldDescription &description = field.description;
    return FieldDisplayText(description.kind, value, width > 0 ? width : description.width,
                            m_shell.state.CurrencySymbol, FieldFormat(description));
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
        if (field->description.focus == FieldFocus::SelectAll && field->edit)
            field->edit->selectAll();
        return false;
    case QEvent::Wheel: {
        // A wheel turned over a box the user is not in changes nothing: the
        // pointer merely rests there. In the box, it steps as Up and Down do.
        if (!field->widget->hasFocus() && !(field->edit && field->edit->hasFocus())) {
            event->ignore();
            return true;
        }
        const int delta = static_cast<QWheelEvent *>(event)->angleDelta().y();
        if (field->edit && field->edit != field->widget && delta != 0)
            return stepList(*field, delta > 0 ? -1 : 1);
        return false;
    }
    case QEvent::KeyPress:
        return keyPress(*field, static_cast<QKeyEvent *>(event));
    case QEvent::FocusOut:
        if (!leave(*field)) {
            m_refused = true;
            // Stops the command whose click took the focus away, and no later one.
            QTimer::singleShot(0, this, [this] { m_refused = false; });
        }
        return false;
    default:
        return false;
    }
}

// The first key typed into a field shows anew: the figure it showed is gone.
void InputFields::startTyping(Field &field)
{
    if (field.pristine) {
        field.edit->clear();
        m_invalidate();
    }
    field.pristine = false;
}

bool InputFields::keyPress(Field &field, QKeyEvent *event)
{
    const FieldDescription &description = field.description;
    // A list-only box takes Enter and the keys that move through its list;
    // a key that would type or delete is refused.
    if (description.kind == FieldKind::Choice && !IsEnterKey(event) &&
        (event->key() == Qt::Key_Delete || typedCode(event) != 0)) {
        QApplication::beep();
        return true;
    }
    if (field.edit && field.edit != field.widget && IsFigureKind(description.kind))
        if (const int step = StepOfKey(event))
            return stepList(field, step);
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

    switch (description.kind) {
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
    case FieldKind::Date:
        startTyping(field);
        if (DateKeyFilter(code) == 0) {
            QApplication::beep();
            return true;
        }
        return false;
    case FieldKind::Money:
    case FieldKind::Number:
    case FieldKind::Percent:
        if (code == '-' && description.allowMinus) {
            startTyping(field);
            field.edit->setText(QStringLiteral("-"));
            return true;
        }
        startTyping(field);
        if (DecimalKeyFilter(code, field.edit->text(), description.decimals) == 0) {
            QApplication::beep();
            return true;
        }
        return false;
    }
    return false;
}

// Steps a typed list from the figure it shows to the next item above or
// below it: the list's own place would be wherever the last choice left it.
bool InputFields::stepList(Field &field, int direction)
{
    auto *combo = qobject_cast<QComboBox *>(field.widget);
    if (!combo)
        return false;
    const FieldDescription &description = field.description;
    std::optional<Money> shown = m_values.value(description.slot);
    if (!field.pristine || field.edit->text() != field.shown)
        shown = ReadFigure(field.edit->text(), description.allowMinus);
    int chosen = -1;
    std::optional<Money> best;
    for (int i = 0; i < combo->count(); ++i) {
        const std::optional<Money> item = ReadFigure(combo->itemText(i), description.allowMinus);
        if (!item)
            continue;
        // Past every item when the figure shown is too large to read.
        const bool beyond = direction > 0 ? shown && *item > *shown : !shown || *item < *shown;
        const bool closer = !best || (direction > 0 ? *item < *best : *item > *best);
        if (beyond && closer) {
            best = item;
            chosen = i;
        }
    }
    if (chosen < 0) {
        QApplication::beep();
        return true;
    }
    combo->setCurrentIndex(chosen);
    // As a choice from the list, which the window may follow as well.
    emit combo->activated(chosen);
    return true;
}

// A figure chosen from a list is the field's figure at once: stored and
// shown as the field shows it, as if it had been typed and left.
void InputFields::listChosen(Field &field)
{
    m_invalidate();
    if (!field.edit || !IsFigureKind(field.description.kind))
        return;
    const std::optional<Money> value = ReadFigure(field.edit->text(), field.description.allowMinus);
    if (!value)
        return;
    Money figure = *value;
    if (AboveLimit(field.description, figure))
        figure = LargestFigure(field.description);
    storeSlot(field.description.slot, figure);
    show(field, display(field, figure));
    field.pristine = true;
}

void InputFields::moveToNext(const Field &field)
{
    if (!field.description.next)
        return;
    if (QWidget *next = m_window->findChild<QWidget *>(QLatin1String(field.description.next)))
        next->setFocus(Qt::TabFocusReason);
}

void InputFields::storeSlot(int slot, Money value)
{
    if (slot < 0)
        return;
    if (m_values.size() <= slot)
        m_values.resize(slot + 1);
    m_values[slot] = value;
}

void InputFields::show(Field &field, const QString &text)
{
    field.edit->setText(text);
    field.shown = text;
}

// Returns false when the field refused what it held.
bool InputFields::leave(Field &field)
{
    // A message shown here moves the focus again; that second leave must not
    // run the steps a second time.
    if (m_leaving)
        return true;
    m_leaving = true;
    bool taken = true;
    if (field.edit && IsFigureKind(field.description.kind))
        taken = leaveFigure(field);
    else if (field.edit && field.description.kind == FieldKind::Date)
        taken = leaveDate(field);
    m_leaving = false;
    return taken;
}

bool InputFields::leaveFigure(Field &field)
{
    const FieldDescription &description = field.description;
    const QString text = field.edit->text();
    // Text this class did not put there and no key typed: read it all the
    // same, so that the box never shows one figure while another is stored.
    // A box left as it was shown keeps its figure: its text is a display,
    // not a figure to read again.
    const bool foreign = text != field.shown;
    if (field.pristine && !foreign)
        return true;
    if (field.pristine)
        m_invalidate();
    const std::optional<Money> read = ReadFigure(text, description.allowMinus);
    if (!read) {
        // More digits than any figure can hold: refused, and the figure
        // before it stays in the box and in its slot.
        m_shell.dialogs.message(description.limit > 0 ? description.limitMessage : MsgWrongEntry);
        show(field, field.shown);
        field.pristine = true;
        return false;
    }
    Money value = *read;
    if (AboveLimit(description, value)) {
        m_shell.dialogs.message(description.limitMessage);
        value = LargestFigure(description);
    }
    storeSlot(description.slot, value);
    show(field, display(field, value));
    field.pristine = true;
    return true;
}

// A date box takes a date the short date form reads; anything else is told,
// and the date it showed before (today's when it had none) comes back for
// the user to type over.
bool InputFields::leaveDate(Field &field)
{
    const FieldDescription &description = field.description;
    const QString text = field.edit->text();
    if (field.pristine && text == field.shown)
        return true;
    if (IsFieldDate(description, text)) {
        show(field, text.trimmed().isEmpty() ? QString() : FieldDateText(ParseShortDate(text)));
        field.pristine = true;
        return true;
    }
    m_shell.dialogs.message(description.limitMessage);
    show(field, field.shown.trimmed().isEmpty() ? FieldDateText(m_shell.today) : field.shown);
    field.pristine = true;
    field.edit->setFocus();
    field.edit->selectAll();
    return false;
}

bool InputFields::finishEdit()
{
    bool taken = true;
    if (Field *field = fieldOf(QApplication::focusWidget()))
        taken = leave(*field);
    return taken && !m_refused;
}

void InputFields::setValue(const char *control, Money value, int width)
{
    Field *field = fieldNamed(control);
    if (!field || !field->edit)
        return;
    storeSlot(field->description.slot, value);
    show(*field, display(*field, value, width));
    field->pristine = true;
}

void InputFields::setText(const char *control, const QString &text)
{
    Field *field = fieldNamed(control);
    if (!field || !field->edit)
        return;
    show(*field, text);
    field->pristine = true;
}

void InputFields::clear(const char *control)
{
    Field *field = fieldNamed(control);
    if (!field || !field->edit)
        return;
    storeSlot(field->description.slot, Money());
    show(*field, QString());
    field->pristine = true;
}
