#pragma once

class PrintFrame;
struct AppState;

// The fund table window's printouts, run inside RunPrintout (which prints
// the header line). Both break pages by counting lines and, on a new page,
// go on without repeating the column headings.

// The record listing of one fund (1 to 30) or of all funds (31), ending with
// PrintBlocks(1) when a current value was computed for the fund.
void PrintFundListing(PrintFrame &frame, AppState &state, int fund);
// The current value table as ComputeCurrentValues left it.
void PrintValueTable(PrintFrame &frame, AppState &state);
