#pragma once

#include <QString>

// Shown when the settings file could not be written.
inline constexpr int SettingsNotSavedMessage = 52;
// A printout that was started but could not be finished (printer or file).
inline constexpr int PrintoutNotWrittenMessage = 53;

// Text of numbered message `number`; an unknown number gives an empty text.
// Message 30 quotes today's date in the short date form.
QString MessageText(int number, const QString &todayShortDate);

// Text of numbered question `number` (1 to 5), as the question box shows it.
QString QuestionText(int number, const QString &currentFileName, const QString &recordNumberText);

// What the file dialog of a kind (1 to 8) shows: open or save, the initial
// name and the one filter ("description|pattern").
struct FileDialogRequest
{
    bool valid = false;
    bool save = false;
    QString initialName;
    QString filter;
    QString description() const { return filter.section(QLatin1Char('|'), 0, 0); }
    QString pattern() const { return filter.section(QLatin1Char('|'), 1, 1); }
};

FileDialogRequest FileDialogFor(int kind, const QString &currentFileName, const QString &mortgageFileName,
                                const QString &loanFileName);
