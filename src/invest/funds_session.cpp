#include "invest/funds_session.h"

#include <QFileInfo>

bool FundsSession::takeFile(const FundFileContents &contents, const QString &path)
{
    if (!ApplyFundFile(m_db, contents))
        return false;
    forgetSelection();
    FilePath = QFileInfo(path).absoluteFilePath();
    return true;
}

MessageNumber FundsSession::openFile(const QString &path)
{
    const Outcome<FundFileContents> read = ReadFundFile(path);
    if (!read.ok())
        return read.message();
    return takeFile(read.value(), path) ? MsgNone : MsgFileNotFound;
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
