#pragma once

#include "invest/fund_record.h"
#include "shell/money.h"
#include "shell/tables.h"

#include <QList>
#include <QString>
#include <QStringList>

// The variables the windows share, alive for the whole run. One AppState is
// made in main and handed to every window; tests make their own.
struct AppState
{
    AppState() = default;
    AppState(const AppState &) = delete;
    AppState &operator=(const AppState &) = delete;

    // Personal settings and printing.
    QString CurrencySymbol = QStringLiteral("$");
    qint16 PrinterFontChoice = 0;
    QString UserName;
    qint16 LinesPerPage = 53;
    QString PrintHeader;

    // Frame and modes.
    qint32 LayoutClass = 6810;
    QString TodayText;
    qint16 CalcMode = 0;
    qint16 MortgageMode = 0;

    // Numeric input fields.
    QList<Money> InputValues;
    qint16 FieldEdited = 0;
    qint16 QuickHelpOpen = 0;
    QString TypedText;
    qint16 DecimalsOverride = 0;

    // Results, graph feed and printout text.
    MoneyTable GraphData;
    MoneyTable CompareData;
    StringTable CompareNames;
    qint16 ResultCount = 0;
    qint16 GraphKind = 0;
    QString GraphTitle;
    QStringList PrintBlocks;
    QStringList PrintBlocks2; // the second block array some calculators keep

    // Dialog requests and answers.
    qint16 MsgNumber = 0;
    qint16 YesNoCode = 0;
    qint16 FileDialogKind = 0;
    QString ChosenFileName;
    QString CurrentFileName;
    QString MortgageFileName;
    QString LoanFileName;
    QString RecordNumberText;

    // Investment manager: its fund tables are the comparison tables above.
    StringTable &FundList = CompareNames;
    MoneyTable &FundValues = CompareData;
    qint16 &FundCount = ResultCount;
    QList<FundRecord> RecordTable;
    qint16 RecordCount = 0;
    qint16 DataChanged = 0;
};
