#include "shell/unattended_dialogs.h"

#include "shell/app_state.h"

void UnattendedDialogs::message(int number)
{
    m_state.MsgNumber = qint16(number);
    messages.append(number);
}

bool UnattendedDialogs::ask(int question)
{
    questions.append(question);
    const bool yes = !answers.isEmpty() && answers.takeFirst();
    m_state.YesNoCode = yes ? 6 : 0;
    return yes;
}

QString UnattendedDialogs::inputLine(const QString &, const QString &)
{
    m_state.PrintHeader = lines.isEmpty() ? QStringLiteral("1") : lines.takeFirst();
    return m_state.PrintHeader;
}

void UnattendedDialogs::fileDirectory()
{
    if (m_state.FileDialogKind < 1 || m_state.FileDialogKind > 8)
        return;
    fileKinds.append(m_state.FileDialogKind);
    if (fileNames.isEmpty()) {
        m_state.FileDialogKind = 9;
        m_state.ChosenFileName.clear();
        return;
    }
    m_state.ChosenFileName = fileNames.takeFirst();
}
