#pragma once

#include <QDialog>

class MdiContainer;
class QLineEdit;
class QRadioButton;
struct Shell;

// The settings window: currency symbol, the user's name and the printer font.
// Leaving it saves the settings file.
class ChangeFnt : public QDialog
{
    Q_OBJECT

public:
    ChangeFnt(Shell &shell, MdiContainer &frame);

    // "E&xit to Menu": takes the symbol, writes the file and closes.
    void exitFonts();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void reject() override;

private:
    void leaveCurrency();
    void leaveName();

    Shell &m_shell;
    MdiContainer &m_frame;
    QLineEdit *m_currency;
    QLineEdit *m_name;
    QRadioButton *m_fonts[4];
    bool m_closing = false;
    // The symbol box was typed in since it was last left.
    bool m_currencyEdited = false;
};
