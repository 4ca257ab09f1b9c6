#include "invest/funds_session.h"

#include "invest/record_csv.h"

#include <QFileInfo>

bool FundsSession::takeFile(const FundFileContents &contents, const QString &path, const FileStamp &stamp)
{
    if (!ApplyFundFile(m_db, contents))
        return false;
    forgetSelection();
    FilePath = QFileInfo(path).absoluteFilePath();
    m_stamp = stamp;
    return true;
}

MessageNumber FundsSession::openFile(const QString &path)
{
    FileStamp stamp;
    const Outcome<FundFileContents> read = ReadFundFile(path, &stamp);
    if (!read.ok())
        return read.message();
    return takeFile(read.value(), path, stamp) ? MsgNone : MsgFileNotFound;
}

bool FundsSession::saveFile(const QString &path, SaveFailure *failure)
{
    if (!SaveFundFile(m_db, path, failure, &m_stamp))
        return false;
    FilePath = QFileInfo(path).absoluteFilePath();
    DataChanged = 0;
    return true;
}

MessageNumber FundsSession::sortAll()
{
    // A refused sort leaves the funds in their order and the file unchanged.
    if (!m_db.datesSortable())
        return MsgCannotSort;
    DataChanged = 1;
    m_db.resetValues();
    m_db.SortFundsByName();
    return m_db.SortRecordsByDate();
}

int FundsSession::addFund(const QString &name)
{
    const int fund = m_db.addFund(name);
    if (fund != 0)
        DataChanged = 1;
    return fund;
}

bool FundsSession::deleteFund(int fund)
{
    if (!m_db.deleteFund(fund))
        return false;
    DataChanged = 1;
    return true;
}

bool FundsSession::importRecords(const ImportPlan &plan)
{
    if (!ApplyImport(m_db, plan))
        return false;
    if (!plan.records.isEmpty() || !plan.newFunds.isEmpty())
        DataChanged = 1;
    return true;
}

void FundsSession::release()
{
    m_db.release();
    forgetSelection();
    FilePath.clear();
    m_stamp = FileStamp();
}

void FundsSession::forgetSelection()
{
    DataChanged = 0;
    ActiveFund = 0;
    ShownFund = 0;
    SelectedRecord = 0;
    ListedValueBlock.clear();
}

QString FundsSession::fileName() const
{
    return FilePath.isEmpty() ? QString() : QFileInfo(FilePath).fileName();
}
