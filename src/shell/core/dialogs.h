#pragma once

#include "shell/core/message_numbers.h"

#include <QString>

#include <optional>

// The kinds of data file a tool opens and saves; each has its own filter and
// remembers its own folder.
// Csv is the investment manager's records to and from spreadsheets.
enum class FileKind { Funds, NetWorth, Mortgage, Loan, Csv };
enum class FileAction { Open, Save };

// How a question was answered. Closed is the box shut by Escape or its title
// bar: the caller treats it as "go back", never as permission to discard.
enum class Answer { Yes, No, Closed };

// The modal boxes every window talks to the user through. Each is a call that
// returns its answer; nothing travels through shared variables. The program
// uses the real windows; tests and the command line use a script.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // `detail` is what the message names: the empty fund of message 28.
    virtual void message(MessageNumber number, const QString &detail = QString()) = 0;
    // `detail` is what the question names: the file of question 3, the
    // record number of question 4.
    virtual Answer ask(QuestionNumber question, const QString &detail = QString()) = 0;
    // Asks for a one-line text; nothing when cancelled. Whatever was typed,
    // "1" included, is an answer.
    virtual std::optional<QString> inputLine(const QString &acceptCaption, const QString &label) = 0;
    std::optional<QString> printHeader()
    {
        return inputLine(QStringLiteral("Continue &Printout"), QStringLiteral("Type in one line header information."));
    }
    // The open or save box for a kind of file. `suggested` is the file the
    // tool last opened or saved (a full path), or empty. Returns the chosen
    // file's full path, or nothing when cancelled.
    virtual std::optional<QString> chooseFile(FileKind kind, FileAction action, const QString &suggested) = 0;
};

// Whether the answer lets the caller go on and throw away unsaved work.
inline bool MayDiscard(Answer answer)
{
    return answer == Answer::No;
}
