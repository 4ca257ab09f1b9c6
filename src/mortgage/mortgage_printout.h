#pragma once

#include "mortgage/mortgage_schedule.h"

class PrintFrame;

// The printout's own lines: inputs, results, the whole schedule as it was
// calculated (every row, whatever the graph did since) and the additional
// payments applied.
void PrintMortgage(PrintFrame &frame, const MortgageInput &input, const MortgageSchedule &schedule,
                   const QString &extraBlock);
