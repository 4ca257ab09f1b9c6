#pragma once

#include "shell/core/dialogs.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <functional>

class QWidget;
struct AppState;

// The real message, question, input and file boxes, placed on the frame.
class WidgetDialogs : public Dialogs
{
public:
    WidgetDialogs(AppState &state, std::function<QDate()> today);
    void setFrame(QWidget *frame) { m_frame = frame; }
    // Offered in the file boxes' side bar.
    void setSampleFolder(const QString &folder) { m_sampleFolder = folder; }

    void message(MessageNumber number, const QString &detail = QString()) override;
    Answer ask(QuestionNumber question, const QString &detail = QString()) override;
    std::optional<QString> inputLine(const QString &acceptCaption, const QString &label) override;
    std::optional<QString> chooseFile(FileKind kind, FileAction action, const QString &suggested) override;

private:
    AppState &m_state;
    std::function<QDate()> m_today;
    QWidget *m_frame = nullptr;
    QString m_sampleFolder;
    QHash<FileKind, QString> m_lastFolder;
};
