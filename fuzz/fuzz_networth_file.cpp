// The net worth file reader on any bytes: never a crash or a read out of
// bounds; a file it accepts calculates without a fault, is written back the
// same, and takes a blank line anywhere without losing a row.
#include "fuzz_check.h"
#include "networth/networth_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString why;
    const auto read = ReadNetWorthText(bytes, &why);
    if (!read) {
        FUZZ_CHECK(!why.isEmpty());
        return 0;
    }
    for (int side = 0; side < 2; ++side)
        FUZZ_CHECK(read->counts[size_t(side)] >= 0 && read->counts[size_t(side)] <= SheetTypedRows);

    const QByteArray written = NetWorthFileText(*read);
    const auto again = ReadNetWorthText(written, &why);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->sheets == read->sheets && again->counts == read->counts);
    FUZZ_CHECK(written.count("\r\n") == NetWorthFileLines);

    // Amounts are bounded on reading, so no total can overflow.
    NetWorthStatement statement = *read;
    CalculateNetWorth(statement);
    for (int side = 0; side < 2; ++side) {
        const Sheet &sheet = statement.sheets[size_t(side)];
        FUZZ_CHECK(sheet.lastFilledRow() == statement.counts[size_t(side)]);
        const int rows = sheet.lastFilledRow();
        NetWorthStatement inserted = statement;
        const bool done = InsertBlankLine(inserted, NetWorthStatement::Side(side), 1);
        FUZZ_CHECK(done == (rows < SheetTypedRows));
        if (done)
            FUZZ_CHECK(inserted.counts[size_t(side)] == rows + 1);
    }
    return 0;
}
