#pragma once

#include "shell/dialogs.h"

#include <QList>
#include <QStringList>

struct AppState;

// Dialogs answered without a person: every message and question is
// recorded; questions, header lines and file names are answered from
// queues. An empty queue answers No, "1" (cancel) and a cancelled file
// dialog. Used where nobody is at the screen: reports made from the command
// line, and tests.
class UnattendedDialogs : public Dialogs
{
public:
    explicit UnattendedDialogs(AppState &state) : m_state(state) {}

    void message(int number) override;
    bool ask(int question) override;
    QString inputLine(const QString &acceptCaption, const QString &label) override;
    void fileDirectory() override;

    QList<int> messages;
    QList<int> questions;
    QList<bool> answers;
    QStringList lines;
    QStringList fileNames;
    QList<int> fileKinds;

private:
    AppState &m_state;
};
