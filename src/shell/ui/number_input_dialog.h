#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The one-line input dialog ("Input"): a line number for the net worth
// sheets' blank lines, or a share price for the investment manager. The mode
// is CalcMode's: 1 and 2 ask for a line number (digits only, starting with the
// caller's line), anything else for a price (figures with two decimals,
// starting empty). answer() is the typed text, or empty when cancelled or
// closed without a button.
// What the dialog asks for: a share price (two decimals) or a line number.
enum class NumberAsked { Price, LineNumber };

class FundCurValInput : public QDialog
{
    Q_OBJECT

public:
    FundCurValInput(NumberAsked asked, int defaultLine, QWidget *parent = nullptr);

    QString answer() const { return m_answer; }
    bool asksForLine() const { return m_lineMode; }

    // Shows the dialog modally, placed on the frame, and returns its answer.
    static QString ask(NumberAsked asked, int defaultLine, int layoutClass, QWidget *frame);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_lineMode;
    QLabel *m_label;
    QLineEdit *m_box;
    QPushButton *m_accept;
    QString m_answer;
};
