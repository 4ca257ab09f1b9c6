#pragma once

#include "shell/dialogs.h"

#include <QList>
#include <QStringList>

struct AppState;

// Stands in for the message and question boxes: records every message and
// question, answers questions, header lines and file names from queues.
// An empty queue answers No, "1" (cancel) and a cancelled file dialog.
class ScriptedDialogs : public Dialogs
{
public:
    explicit ScriptedDialogs(AppState &state) : m_state(state) {}

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
