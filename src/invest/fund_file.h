#pragma once

#include "invest/fund_record.h"
#include "shell/core/outcome.h"
#include "shell/core/safe_save.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class FundDatabase;

// The investment manager's database file (.qvs): a first line with the
// record and fund counts and the "All Records" slot, one line per fund
// (name, number text), then one line per record (fund number, price,
// shares, fees, cash dividend, book value, type code, date).

// A database read and checked whole, not yet in memory.
struct FundFileContents
{
    QString allRecordsName;
    QString allRecordsNumber;
    QStringList names;         // funds 1 to n
    QList<FundRecord> records; // records 1 to n, numbered by their line
};

// Reads and checks everything: counts (0 to 1002 records, 0 to 30 funds),
// kinds, type codes, fund numbers, dates. Refused with message 13.
Outcome<FundFileContents> ReadFundText(const QByteArray &text);
Outcome<FundFileContents> ReadFundFile(const QString &path, FileStamp *stamp = nullptr);
// The refusal's reason of the last read (Outcome holds only the message).
QString FundFileError(const QByteArray &text);

// Replaces the database in memory with a checked file's contents; false,
// and nothing changed, for contents no reader would have accepted.
bool ApplyFundFile(FundDatabase &db, const FundFileContents &contents);

QByteArray FundFileText(const FundDatabase &db);
// Through a temporary file renamed over the target: false (with *why) when
// anything failed, and the old file is untouched.
bool SaveFundFile(const FundDatabase &db, const QString &path, QString *why = nullptr);
// The same with the reason as a kind; *stamp records what a save wrote.
bool SaveFundFile(const FundDatabase &db, const QString &path, SaveFailure *failure, FileStamp *stamp = nullptr);
