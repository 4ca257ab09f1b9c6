#include "shell/core/unattended_dialogs.h"

void UnattendedDialogs::message(MessageNumber number, const QString &detail)
{
    messages.append(number);
    messageDetails.append(detail);
}

Answer UnattendedDialogs::ask(QuestionNumber question, const QString &detail)
{
    questions.append(question);
    questionDetails.append(detail);
    return answers.isEmpty() ? Answer::No : answers.takeFirst();
}

std::optional<QString> UnattendedDialogs::inputLine(const QString &, const QString &)
{
    return lines.isEmpty() ? std::nullopt : lines.takeFirst();
}

std::optional<QString> UnattendedDialogs::chooseFile(FileKind kind, FileAction action, const QString &suggested)
{
    fileRequests.append({kind, action, suggested});
    return fileNames.isEmpty() ? std::nullopt : fileNames.takeFirst();
}
