#pragma once

#include <QString>

// The modal boxes every window talks to the user through. Each call works on
// the shared variables as the boxes always have (MsgNumber, YesNoCode,
// PrintHeader, FileDialogKind and ChosenFileName), and returns the answer too
// for convenience. The program uses the real windows; tests use a script.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // Shows numbered message `number`.
    virtual void message(int number) = 0;
    // Asks numbered question `number`; true when answered Yes.
    virtual bool ask(int question) = 0;
    // Asks for a one-line text. Returns the text, or "1" when cancelled.
    virtual QString inputLine(const QString &acceptCaption, const QString &label) = 0;
    QString printHeader()
    {
        return inputLine(QStringLiteral("Continue &Printout"), QStringLiteral("Type in one line header information."));
    }
    // Shows the open or save dialog of the current FileDialogKind.
    virtual void fileDirectory() = 0;
};
