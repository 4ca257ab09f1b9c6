#pragma once

#include "graph/graph_request.h"

class FundDatabase;

// The graph of the funds the value table shows: their gain or loss and
// their share of the whole.
GraphRequest FundGraphRequest(const FundDatabase &db, const QString &currencySymbol);
