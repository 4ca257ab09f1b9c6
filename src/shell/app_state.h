#pragma once

#include "shell/money.h"
#include "shell/tables.h"

#include <QList>
#include <QString>
#include <QStringList>

// The variables the windows share, alive for the whole run, grouped by
// concern so that core code can take only the part it works on. The names
// are the program's own; every member is reached as state.Name.

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

// Numeric input fields.
struct FieldState
{
    QList<Money> InputValues;
    qint16 FieldEdited = 0;
    qint16 QuickHelpOpen = 0;

    // A calculator opens with slots 0 to lastSlot empty and no edit going on.
    void resetFields(int lastSlot)
    {
        InputValues = QList<Money>(lastSlot + 1);
        FieldEdited = 0;
        QuickHelpOpen = 0;
    }
};

// Results, graph feed and printout text.
struct ResultState
{
    MoneyTable GraphData;
    MoneyTable CompareData;
    StringTable CompareNames;
    qint16 ResultCount = 0;
    qint16 GraphKind = 0;
    QString GraphTitle;
    QStringList PrintBlocks;
    QStringList PrintBlocks2; // the second block array some calculators keep

    // What leaving a calculator empties.
    void clearResults()
    {
        GraphData.clear();
        CompareData.clear();
        CompareNames.clear();
        PrintBlocks.clear();
        PrintBlocks2.clear();
        ResultCount = 0;
        GraphKind = 0;
    }
};

// The data files in use: the bare name of the net worth file in memory.
struct DialogState
{
    QString CurrentFileName;
    // Where the last table was exported as CSV during this run.
    QString CsvExportFolder;
};

// One AppState is made in main and handed to every window; tests make their own.
struct AppState : SettingsState, FrameState, FieldState, ResultState, DialogState
{
    AppState() = default;
    AppState(const AppState &) = delete;
    AppState &operator=(const AppState &) = delete;
};
