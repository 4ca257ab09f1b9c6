#pragma once

#include "shell/core/money.h"
#include "shell/core/tables.h"

#include <QList>
#include <QString>
#include <QStringList>

// What one calculator keeps between presses of Calculate: its figures by
// input slot, and its last result as the grid, the graph and the printout
// read it. Each tool's session owns one, so a tool opened again starts
// empty and no tool sees another's results.
struct ToolData
{
    QList<Money> InputValues;
    MoneyTable GraphData;
    MoneyTable CompareData;
    StringTable CompareNames;
    qint16 ResultCount = 0;
    QString GraphTitle;
    QStringList PrintBlocks;
    QStringList PrintBlocks2; // the second block array some calculators keep

    // Slots 0 to lastSlot, empty.
    explicit ToolData(int lastSlot = 0) : InputValues(lastSlot + 1) {}
};
