#pragma once

#include "shell/core/dialogs.h"

#include <QDialog>

#include <optional>

class QPlainTextEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// AMsgbox: shows one numbered message; closed by its "E&xit" button.
class MessageBox : public QDialog
{
    Q_OBJECT
public:
    MessageBox(int number, const QString &todayShortDate, QWidget *parent = nullptr,
               const QString &detail = QString());
    QString message() const;

private:
    QPlainTextEdit *m_text;
};

// AllYesNo: asks one numbered question. answer() is Closed when the box was
// shut by Escape or its title bar.
class QuestionBox : public QDialog
{
    Q_OBJECT
public:
    explicit QuestionBox(const QString &question, QWidget *parent = nullptr);
    Answer answer() const { return m_answer; }

private:
    Answer m_answer = Answer::Closed;
};

// PrinterHeaderInput: one line of text; nothing when cancelled.
class HeaderInputDialog : public QDialog
{
    Q_OBJECT
public:
    HeaderInputDialog(const QString &acceptCaption, const QString &label, QWidget *parent = nullptr);
    std::optional<QString> result() const { return m_result; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_input;
    QPushButton *m_accept;
    std::optional<QString> m_result;
};
