// The database file reader on any bytes: never a crash; a file it accepts
// stays within the limits, and written back and read again it is the same.
#include "fuzz_check.h"
#include "invest/fund_database.h"
#include "invest/fund_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto read = ReadFundText(bytes);
    FUZZ_CHECK(read.ok() == FundFileError(bytes).isEmpty());
    if (!read.ok()) {
        FUZZ_CHECK(read.message() == 13);
        return 0;
    }
    const FundFileContents &contents = read.value();
    FUZZ_CHECK(contents.names.size() <= MaxFunds);
    FUZZ_CHECK(contents.records.size() <= LastRecordSlot);
    FundDatabase db;
    FUZZ_CHECK(ApplyFundFile(db, contents));
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        const FundRecord &record = db.record(slot);
        FUZZ_CHECK(record.fundNumber >= Money::fromWhole(1) && record.fundNumber <= Money::fromWhole(db.fundCount()));
        FUZZ_CHECK(TypeOfCode(record.typeCode) != nullptr);
        FUZZ_CHECK(record.date.isValid());
    }
    // Sorting never leaves a record without its fund.
    db.SortFundsByName();
    FUZZ_CHECK(db.SortRecordsByDate() == MsgNone);
    const QByteArray written = FundFileText(db);
    const auto again = ReadFundText(written);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again->records.size() == db.recordCount());
    FUZZ_CHECK(FundFileText(db) == written);
    return 0;
}
