#include "invest/fund_graph.h"

#include "shell/app_state.h"

GraphRequest FundGraphRequest(const AppState &state)
{
    GraphRequest request;
    request.kind = GraphKind::Funds;
    request.currencySymbol = state.CurrencySymbol;
    request.CompareNames = state.FundList;
    request.CompareData = state.FundValues;
    request.ResultCount = state.FundCount;
    return request;
}
