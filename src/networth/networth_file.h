#pragma once

#include "networth/networth_sheet.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The net worth file: 32 lines of comma-separated values. Line 1 holds the
// two counts; lines 2 to 32 hold rows 1 to 31 of both sheets: asset name,
// asset amount, liability name, liability amount, each in its stored form
// (text quoted, a number plain, an empty cell as nothing).
inline constexpr int NetWorthFileLines = 32;

QByteArray NetWorthFileText(const NetWorthStatement &statement);
// Writes through the checked writer: a failed save leaves the old file whole.
bool SaveNetWorthFile(const QString &path, const NetWorthStatement &statement, QString *why = nullptr);

// Reads and checks a whole file into a new statement (counts and sheets; the
// totals are left for Calculate). Nothing, with *why naming the line and
// value, when the file is missing, not 32 lines, has a wrong count, a value
// of the wrong kind or an amount beyond what a cell takes.
std::optional<NetWorthStatement> ReadNetWorthText(const QByteArray &text, QString *why = nullptr);
std::optional<NetWorthStatement> ReadNetWorthFile(const QString &path, QString *why = nullptr);
