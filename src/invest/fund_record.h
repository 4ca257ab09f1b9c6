#pragma once

#include "shell/core/money.h"

#include <QDate>
#include <QString>

// One transaction of the investment manager, fields in their file order.
struct FundRecord
{
    Money fundNumber;
    Money price;
    Money shares;
    Money fees;
    Money cashDividend;
    Money bookValue;
    QString typeCode;
    QDate date;
    qint16 recordNumber = 0;
};
