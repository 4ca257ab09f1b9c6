// The mortgage file reader on any bytes: never a crash; a file it takes holds
// only what the window can show, and written back it reads the same.
#include "fuzz_check.h"
#include "mortgage/mortgage_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const std::optional<MortgageInput> file = ReadMortgageFileText(bytes, &error);
    if (!file) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(file->principal >= Money() && file->rate >= Money() && file->years >= Money());
    FUZZ_CHECK(file->years <= Money::fromWhole(MortgageMaxYears));
    FUZZ_CHECK(file->daysOption >= 0 && file->daysOption < DaysOptionCount);
    FUZZ_CHECK(file->compounding >= 0 && file->compounding < CompoundingItems().size() && file->frequency >= 0 &&
               file->frequency < FrequencyItems().size());
    FUZZ_CHECK(file->firstDate.isValid());
    FUZZ_CHECK(file->extraYears >= 0 && file->extraYears <= MortgageMaxYears);
    FUZZ_CHECK(file->extraPaymentCount <= file->extraYears);
    for (int y = 1; y <= MortgageExtraYears; ++y)
        FUZZ_CHECK(file->extra[y] >= Money() && (y <= file->extraYears || file->extra[y].isZero()));

    const std::optional<MortgageInput> again = ReadMortgageFileText(MortgageFileText(*file), &error);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(MortgageFileText(*again) == MortgageFileText(*file));
    return 0;
}
