#pragma once

#include "graph/graph_request.h"

struct AppState;

// The graph of the funds the value table shows: their gain or loss and
// their share of the whole.
GraphRequest FundGraphRequest(const AppState &state);
