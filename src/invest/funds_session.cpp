#include "invest/funds_session.h"

#include <QFileInfo>

void FundsSession::takeFile(const FundFileContents &contents, const QString &path)
{
    ApplyFundFile(m_db, contents);
    m_db.resetValues();
    forgetSelection();
    FilePath = QFileInfo(path).absoluteFilePath();
}

MessageNumber FundsSession::openFile(const QString &path)
{
    const Outcome<FundFileContents> read = ReadFundFile(path);
    if (!read.ok())
        return read.message();
    takeFile(read.value(), path);
    return MsgNone;
}

bool FundsSession::saveFile(const QString &path, QString *why)
{
    if (!SaveFundFile(m_db, path, why))
        return false;
    FilePath = QFileInfo(path).absoluteFilePath();
    DataChanged = 0;
    return true;
}

MessageNumber FundsSession::sortAll()
{
    DataChanged = 1;
    m_db.resetValues();
    SortFundsByName(m_db);
    return SortRecordsByDate(m_db);
}

void FundsSession::release()
{
    m_db.release();
    forgetSelection();
    FilePath.clear();
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
