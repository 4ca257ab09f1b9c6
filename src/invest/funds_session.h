#pragma once

#include "invest/fund_database.h"
#include "invest/fund_file.h"
#include "shell/core/message_numbers.h"

#include <QDate>
#include <QString>

struct ImportPlan;

// One open investment manager: the database and what its windows share
// about it. The fund menu makes one and hands it to the windows it opens;
// tallomar-report opens one on a file.
class FundsSession
{
public:
    FundDatabase &db() { return m_db; }
    const FundDatabase &db() const { return m_db; }

    // Replaces the database with a checked file's contents, read from `path`;
    // nothing is shown or selected and nothing is unsaved. False, and
    // nothing changed, for contents beyond the database's limits.
    // `stamp` is what was read, for the check before saving over the file.
    bool takeFile(const FundFileContents &contents, const QString &path, const FileStamp &stamp = FileStamp());
    // Reads and takes the file: message 13 when it is refused, and the
    // database in memory stays as it was.
    MessageNumber openFile(const QString &path);
    // Saves whole (false, with *failure saying why, when anything failed); a
    // saved file becomes the file in memory.
    bool saveFile(const QString &path, SaveFailure *failure = nullptr);
    // What the file opened or last saved held, to tell before a save whether
    // something else wrote it since.
    const FileStamp &fileStamp() const { return m_stamp; }
    // Sort Records: funds by name, then records by date. Message 23, and
    // nothing sorted or changed, when a date cannot be compared.
    MessageNumber sortAll();
    // A new fund at the end of the list: its slot, or 0 when the list is
    // full. The database then differs from its file.
    int addFund(const QString &name);
    // Removes a fund without records (the others in name order); the
    // database then differs from its file.
    bool deleteFund(int fund);
    // Adds an import plan without problems (see ApplyImport); the database
    // then differs from its file. False, and nothing changed, otherwise.
    bool importRecords(const ImportPlan &plan);
    // The menu's "Database in memory" line.
    QString status() const { return DatabaseStatus(m_db, fileName()); }
    // Leaving the manager.
    void release();

    // 1 when funds or records changed since the file was opened or saved.
    qint16 DataChanged = 0;
    // What the manager's windows are doing: 1 correcting a record, 2 listing
    // a fund, 10 refused for an empty fund, 0 nothing.
    qint16 CalcMode = 0;
    qint16 ActiveFund = 0;
    qint16 ShownFund = 0;
    qint16 SelectedRecord = 0;
    // The type code chosen in the entry row.
    QString EntryType;
    // The record a delete asks about, as question 4 names it.
    QString RecordNumberText;
    // The file in memory, with its folder: where the file boxes start.
    QString FilePath;
    // Its bare name, as the status line and question 3 show it; empty for none.
    QString fileName() const;
    // The current value block a fund listing's printout ends with.
    QString ListedValueBlock;
    // The day the value table's annual returns run to; today when not set.
    QDate ValuationDate;

private:
    // Nothing shown, selected or listed: what opening a file and releasing
    // the database both start from.
    void forgetSelection();
    FundDatabase m_db;
    FileStamp m_stamp;
};
