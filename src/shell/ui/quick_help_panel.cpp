#include "shell/ui/quick_help_panel.h"

#include "shell/ui/input_fields.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
const QString OpenCaption = QStringLiteral("Quick &Help");
const QString CloseCaption = QStringLiteral("Close &Help");
} // namespace

QuickHelpPanel::QuickHelpPanel(QPushButton *button, QPlainTextEdit *text, QWidget *grid,
                               std::vector<QWidget *> disabledWhileOpen, QWidget *firstField)
    : QObject(button), m_button(button), m_text(text), m_grid(grid), m_firstField(firstField)
{
    for (QWidget *widget : disabledWhileOpen)
        m_disabled.emplace_back(widget);
    m_button->setText(OpenCaption);
    m_text->setReadOnly(true);
    // The help texts line their worked examples up in columns with spaces.
    QFont fixed(QStringLiteral("Liberation Mono"), m_text->font().pointSize());
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    m_text->setFont(fixed);
    m_text->hide();
    m_text->installEventFilter(this);
}

bool QuickHelpPanel::isOpen() const
{
    return m_button->text() == CloseCaption;
}

void QuickHelpPanel::open(const QString &helpText)
{
    m_button->setText(CloseCaption);
    for (const auto &widget : m_disabled)
        if (widget)
            widget->setEnabled(false);
    m_grid->hide();
    m_text->setPlainText(helpText);
    m_text->show();
    m_text->setFocus();
}

void QuickHelpPanel::close()
{
    m_button->setText(OpenCaption);
    for (const auto &widget : m_disabled)
        if (widget)
            widget->setEnabled(true);
    m_text->hide();
    m_grid->show();
}

void QuickHelpPanel::clearText()
{
    m_text->clear();
}

bool QuickHelpPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_text || event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (IsEnterKey(key)) {
        if (m_firstField)
            m_firstField->setFocus(Qt::TabFocusReason);
        return true;
    }
    // Moving through the text is fine; typing into it is not.
    if (key->text().isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;
    QApplication::beep();
    return true;
}
