#include "invest/fund_graph.h"

#include "invest/fund_database.h"

GraphRequest FundGraphRequest(const FundDatabase &db, const QString &currencySymbol)
{
    GraphRequest request;
    request.kind = GraphKind::Funds;
    request.currencySymbol = currencySymbol;
    request.CompareNames = db.fundNames();
    request.CompareData = db.valueTable();
    request.ResultCount = qint16(db.fundCount());
    return request;
}
