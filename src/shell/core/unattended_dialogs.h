#pragma once

#include "shell/core/dialogs.h"

#include <QList>
#include <QStringList>

// Dialogs answered without a person: every message and question is
// recorded; questions, input lines and file names are answered from queues.
// An empty queue answers No, cancels the input line and cancels the file box.
// Used where nobody is at the screen: reports made from the command line,
// and tests.
class UnattendedDialogs : public Dialogs
{
public:
    void message(MessageNumber number, const QString &detail = QString()) override;
    Answer ask(QuestionNumber question, const QString &detail = QString()) override;
    std::optional<QString> inputLine(const QString &acceptCaption, const QString &label) override;
    std::optional<QString> chooseFile(FileKind kind, FileAction action, const QString &suggested) override;

    // What was shown and asked, in order.
    QList<int> messages;
    QStringList messageDetails;
    QList<int> questions;
    QStringList questionDetails;
    struct FileRequest
    {
        FileKind kind;
        FileAction action;
        QString suggested;
    };
    QList<FileRequest> fileRequests;

    // The answers, taken from the front.
    QList<Answer> answers;
    // A missing entry cancels.
    QList<std::optional<QString>> lines;
    QList<std::optional<QString>> fileNames;
};
