#include "shell/ui/calculator_window.h"
#include "shell/core/message_numbers.h"

#include "shell/ui/calculator_parts.h"
#include "shell/ui/mdi_container.h"
#include "shell/print/print_frame.h"
#include "shell/ui/quick_help_panel.h"
#include "shell/core/shell.h"
#include "shell/ui/spreadsheet_grid.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QPushButton>

#include <exception>

namespace {

QByteArray Named(const char *letter, const char *name)
{
    return QByteArray(letter) + name;
}

} // namespace

CalculatorWindow::CalculatorWindow(Shell &shell, MdiContainer &frame, const QString &title, const char *letter,
                                   std::unique_ptr<ToolSession> session)
    : ToolWindow(shell, frame, title), m_session(std::move(session)), m_grid(new SpreadsheetGrid(this)),
      m_text(new QPlainTextEdit(this))
{
    m_grid->setObjectName(QLatin1String(Named(letter, "Grid")));
    m_text->setObjectName(QLatin1String(Named(letter, "TextBox")));
    static const char *const names[] = {"Calc", "Graphs", "Help", "Printer", "Exit"};
    static const char *const captions[] = {"&Calculate", "&Show Graph", "Quick &Help", "To &Printer",
                                           "E&xit to Menu"};
    for (int i = 0; i < 5; ++i)
        m_buttons[i] = MakeCommandButton(Named(letter, names[i]).constData(), captions[i], this);
}

QWidget *CalculatorWindow::field(const char *control)
{
    const FieldDescription *description = FindField(m_session->fields(), control);
    if (!description)
        qFatal("%s has no field %s", metaObject()->className(), control);
    if (description->kind == FieldKind::Choice && !description->buttons.isEmpty())
        return optionButtons(*description);
    if (description->items.isEmpty())
        return MakeYellowBox(control, this);
    return MakeYellowList(control, description->items, description->kind != FieldKind::Choice, this);
}

QWidget *CalculatorWindow::optionButtons(const FieldDescription &description)
{
    auto *frame = new QGroupBox(QString::fromLatin1(description.label), this);
    frame->setObjectName(QLatin1String(description.control));
    auto *column = new QVBoxLayout(frame);
    auto *group = new QButtonGroup(frame);
    for (int i = 0; i < int(description.buttons.size()); ++i) {
        auto *button = new QRadioButton(description.buttons.at(i), frame);
        button->setObjectName(i < description.buttonNames.size()
                                  ? description.buttonNames.at(i)
                                  : QLatin1String(description.control) + QString::number(i));
        button->setChecked(description.items.value(i) == QLatin1String(description.start));
        group->addButton(button, i);
        column->addWidget(button);
    }
    // Only a change of option counts: choosing the option already chosen
    // keeps the figures typed for it.
    const QByteArray control(description.control);
    connect(group, &QButtonGroup::idToggled, this, [this, control](int index, bool checked) {
        if (checked)
            guarded([this, &control, index] { chooseOptionButton(control, index); });
    });
    return frame;
}

void CalculatorWindow::chooseOptionButton(const QByteArray &control, int index)
{
    const FieldDescription *description = FindField(m_session->fields(), control.constData());
    if (!description || !m_session->chooseOption(description->items.value(index)))
        return;
    optionChanged();
}

namespace {

// Runs of spaces ask for a label on two lines; a label without them stays on one.
void ShowLabel(QLabel *label, const char *text)
{
    const QString words = QString::fromLatin1(text);
    const bool wrapped = words.trimmed().contains(QStringLiteral("  "));
    label->setWordWrap(wrapped);
    label->setText(wrapped ? words.simplified() : words);
}

} // namespace

QWidget *CalculatorWindow::label(const char *control)
{
    const FieldDescription *description = FindField(m_session->fields(), control);
    QWidget *buddy = findChild<QWidget *>(QLatin1String(control));
    if (!description || !buddy)
        qFatal("%s has no field %s to label", metaObject()->className(), control);
    auto *text = new QLabel(this);
    text->setBuddy(buddy);
    ShowLabel(text, description->label);
    m_labels.emplace_back(control, text);
    return text;
}

void CalculatorWindow::setUpCalculator()
{
    QWidget *first = nullptr;
    for (const FieldDescription &description : m_session->fields()) {
        QWidget *widget = findChild<QWidget *>(QLatin1String(description.control));
        if (!widget)
            qFatal("%s: no control %s", metaObject()->className(), description.control);
        if (!first)
            first = widget;
    }
    if (!first)
        qFatal("%s has no fields", metaObject()->className());

    m_help = new QuickHelpPanel(helpButton(), m_text, m_grid, {printerButton(), graphButton()}, first);
    makeInputFields();
    setFocusProxy(first);

    connect(calculateButton(), &QPushButton::clicked, this, [this] { guarded([this] { calculate(); }); });
    connect(graphButton(), &QPushButton::clicked, this, [this] { guarded([this] { showGraph(); }); });
    connect(helpButton(), &QPushButton::clicked, this, [this] { guarded([this] { toggleHelp(); }); });
    connect(printerButton(), &QPushButton::clicked, this, [this] { guarded([this] { print(); }); });
    connect(exitButton(), &QPushButton::clicked, this, [this] { guarded([this] { exitCalculator(); }); });

    const GridLayout layout = m_session->gridLayout();
    m_grid->setCols(int(layout.columns.size()));
    m_grid->setRows(layout.rows);
    m_grid->setHeaderHeight(layout.headingHeight);
    for (int c = 0; c < layout.columns.size(); ++c) {
        const GridColumnSpec &column = layout.columns.at(c);
        m_grid->setColWidth(c, m_grid->defaultColWidth() + column.widthChange);
        m_grid->setColAlignment(c, column.centred ? Qt::AlignHCenter : Qt::AlignRight);
        m_grid->setHeaderAlignment(c, Qt::AlignHCenter);
        m_grid->setCell(0, c, column.heading);
    }

    // The opening figures, and the tab order of the field table.
    QWidget *previous = nullptr;
    for (const FieldDescription &description : m_session->fields()) {
        QWidget *widget = findChild<QWidget *>(QLatin1String(description.control));
        if (description.slot >= 0)
            m_fields->setValue(description.control, StartValue(description), description.startWidth);
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            combo->setCurrentText(QString::fromLatin1(description.start));
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            edit->setText(QString::fromLatin1(description.start));
        // A frame of option buttons is passed through button by button.
        QList<QWidget *> stops{widget};
        if (const auto *group = widget->findChild<QButtonGroup *>()) {
            stops.clear();
            for (QAbstractButton *button : group->buttons())
                stops.append(button);
        }
        for (QWidget *stop : stops) {
            if (previous)
                setTabOrder(previous, stop);
            previous = stop;
        }
    }
    // Then the command buttons, each reachable by Tab.
    for (QPushButton *button : m_buttons) {
        setTabOrder(previous, button);
        previous = button;
    }
}

// The fields write to the session's slots, which go with the members.
CalculatorWindow::~CalculatorWindow()
{
    delete m_fields;
}

void CalculatorWindow::makeInputFields()
{
    // The fields' event handling is rebuilt whole: the old one lets go of the widgets.
    delete m_fields;
    m_fields = new InputFields(shell(), this, m_session->fields(), m_session->data().InputValues,
                               [this] { invalidate(); });
}

void CalculatorWindow::optionChanged()
{
    m_fields->finishEdit();
    ToolData &data = m_session->data();
    if (m_help->isOpen()) {
        m_text->setPlainText(m_session->helpText());
    } else {
        invalidate();
        m_grid->clearBody();
        data.ResultCount = 0;
    }

    makeInputFields();
    for (const FieldDescription &description : m_session->fields()) {
        QWidget *widget = findChild<QWidget *>(QLatin1String(description.control));
        for (const auto &[control, text] : m_labels)
            if (control == description.control)
                ShowLabel(text, description.label);
        auto *list = qobject_cast<QComboBox *>(widget);
        if (list && description.kind != FieldKind::Choice) {
            const QSignalBlocker quiet(list);
            list->clear();
            list->addItems(description.items);
        }
        if (description.slot >= 0)
            m_fields->setValue(description.control, data.InputValues.value(description.slot), description.startWidth);
    }
    afterOptionChanged();
}

void CalculatorWindow::invalidate()
{
    if (m_quickHelpOpen)
        return;
    m_help->clearText();
    if (m_session->keptRows() == 0)
        m_grid->clearBody();
    if (m_help->isOpen())
        m_help->close();
    if (m_session->editClearsResults())
        m_session->data().ResultCount = 0;
    afterResultsCleared();
}

QString CalculatorWindow::fieldText(const FieldDescription &field) const
{
    QWidget *widget = findChild<QWidget *>(QLatin1String(field.control));
    // Option buttons give the word of the one chosen.
    if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
        const auto *group = frame->findChild<QButtonGroup *>();
        return group ? field.items.value(group->checkedId()) : QString();
    }
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->currentText();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    return QString();
}

void CalculatorWindow::calculate()
{
    // A figure refused as its box was left leaves the results as they were.
    if (!m_fields->finishEdit())
        return;
    beforeCalculate();
    m_quickHelpOpen = false;
    invalidate();

    FieldTexts texts;
    for (const FieldDescription &field : m_session->fields())
        if (field.slot < 0)
            texts.insert(QLatin1String(field.control), fieldText(field));
    const Outcome<GridUpdate> outcome = m_session->press(texts);
    if (!outcome.ok()) {
        shell().dialogs.message(outcome.message());
        return;
    }
    applyGridUpdate(outcome.value());
    afterCalculate(outcome.value());
}

void CalculatorWindow::applyGridUpdate(const GridUpdate &update)
{
    if (update.rowCount > 0)
        m_grid->setRows(update.rowCount);
    if (update.clearBody)
        m_grid->clearBody();
    for (int c = 0; c < update.headingCells.size(); ++c)
        m_grid->setCell(0, c, update.headingCells.at(c));
    // One change notice for the whole block, however long the schedule.
    if (!update.rows.isEmpty())
        m_grid->setRowTexts(update.firstRow, update.rows);
    if (update.selectRow > 0)
        m_grid->setSelection(update.selectRow, 0, update.selectRow, 0);
    // A table that grows by a row per Calculate shows the row just added; a
    // refilled table shows its first row.
    const bool grows = !update.clearBody && update.firstRow > 1 && !update.rows.isEmpty();
    if (grows)
        m_grid->showRow(update.firstRow + int(update.rows.size()) - 1);
    else
        m_grid->scrollToTop();
}

// Opening and closing the help only swaps it with the grid: the results
// stay, printable and graphable, as they were.
void CalculatorWindow::toggleHelp()
{
    if (!m_help->isOpen()) {
        m_quickHelpOpen = true;
        m_help->open(m_session->helpText());
    } else {
        m_quickHelpOpen = false;
        m_help->close();
        m_help->clearText();
    }
}

void CalculatorWindow::showGraph()
{
    m_fields->finishEdit();
    if (m_session->data().ResultCount == 0) {
        shell().dialogs.message(MsgNoDataToGraph);
        return;
    }
    frame().showGraph(m_session->graphRequest());
}

void CalculatorWindow::print()
{
    m_fields->finishEdit();
    PrintSession(shell().state, shell().dialogs, shell().printer, *m_session);
}

void CalculatorWindow::exitCalculator()
{
    // A tool holding unsaved work asks first, as closing the frame does.
    if (!queryClose())
        return;
    exitToMenu();
}
