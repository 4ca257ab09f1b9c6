#pragma once

class PrintFrame;
class FundDatabase;
class QDate;
class QString;

// The fund table window's printouts, run inside RunPrintout (which prints
// the header line). Both break pages by counting lines and, on a new page,
// go on without repeating the column headings.

// The record listing of one fund (1 to 30) or of all funds (31), ending with
// the current value block when one was computed for the fund.
void PrintFundListing(PrintFrame &frame, const FundDatabase &db, int fund, const QString &currencySymbol,
                      const QString &valueBlock);
// The current value table as ComputeCurrentValues left it, with each fund's
// annual return to `valuationDate` on its name line and, after the total,
// why a fund has none.
void PrintValueTable(PrintFrame &frame, const FundDatabase &db, const QString &currencySymbol,
                     const QDate &valuationDate);
