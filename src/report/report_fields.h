#pragma once

#include "shell/format.h"

#include <QString>
#include <QStringList>

#include <vector>

// One input of a calculator as the report program takes it: an option
// --key on the command line, or "key" in a JSON object.
struct ReportField
{
    const char *key;
    FieldKind kind;
    const char *defaultText; // the window's starting figure
    int slot;                // InputValues slot; -1 for names and lists
    const char *help;
    bool allowMinus = false;
    QStringList choices = {};
};

// A value as typed: checked the way the window's field would take it.
// Returns an empty string when it is fine, else what is wrong with it.
QString CheckFieldValue(const ReportField &field, const QString &text);

const std::vector<ReportField> &GrowthFields();
const std::vector<ReportField> &SavingsFields();
