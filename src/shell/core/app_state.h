#pragma once

#include <QString>

// What is the program's as a whole, alive for the whole run: the personal
// settings, the frame, and the files in use. What a tool calculates is its
// session's (ToolData); every member is reached as state.Name.

// Personal settings and printing.
struct SettingsState
{
    QString CurrencySymbol = QStringLiteral("$");
    qint16 PrinterFontChoice = 0;
    QString UserName;
};

// The frame.
struct FrameState
{
    qint32 LayoutClass = 6810;
    QString TodayText;
};

// Folders remembered for the run.
struct DialogState
{
    // Where the last table was exported as CSV during this run.
    QString CsvExportFolder;
};

// One AppState is made in main and handed to every window; tests make their own.
struct AppState : SettingsState, FrameState, DialogState
{
    AppState() = default;
    AppState(const AppState &) = delete;
    AppState &operator=(const AppState &) = delete;
};
