#pragma once

#include <QDialog>

class QPlainTextEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// AMsgbox: shows one numbered message; closed by its "E&xit" button.
class MessageBox : public QDialog
{
    Q_OBJECT
public:
    MessageBox(int number, const QString &todayShortDate, QWidget *parent = nullptr);
    QString message() const;

private:
    QPlainTextEdit *m_text;
};

// AllYesNo: asks one numbered question. answer() is 6 for Yes, 0 for No, and
// the question number when the box was closed without an answer.
class QuestionBox : public QDialog
{
    Q_OBJECT
public:
    QuestionBox(int number, const QString &question, QWidget *parent = nullptr);
    int answer() const { return m_answer; }

private:
    int m_answer;
};

// PrinterHeaderInput: one line of text. text() is "1" when cancelled.
class HeaderInputDialog : public QDialog
{
    Q_OBJECT
public:
    HeaderInputDialog(const QString &acceptCaption, const QString &label, QWidget *parent = nullptr);
    QString result() const { return m_result; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_input;
    QPushButton *m_accept;
    QString m_result = QStringLiteral("1");
};
