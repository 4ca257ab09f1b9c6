#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class QPlainTextEdit;
class QPushButton;
class QWidget;

// The Quick Help toggle every calculator has: while it is open the help text
// stands where the grid was, the button reads "Close &Help", the print and
// graph buttons are disabled, and keys typed into the text are refused
// (Enter goes back to the first field).
class QuickHelpPanel : public QObject
{
    Q_OBJECT

public:
    QuickHelpPanel(QPushButton *button, QPlainTextEdit *text, QWidget *grid, std::vector<QWidget *> disabledWhileOpen,
                   QWidget *firstField);

    // The button shows "Close &Help".
    bool isOpen() const;
    void open(const QString &helpText);
    // Puts the grid back; the text box is emptied by the window's invalidate.
    void close();
    void clearText();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *m_button;
    QPlainTextEdit *m_text;
    QWidget *m_grid;
    std::vector<QPointer<QWidget>> m_disabled;
    QPointer<QWidget> m_firstField;
};
