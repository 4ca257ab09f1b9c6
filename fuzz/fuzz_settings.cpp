// The settings file on any bytes: the state it leaves is always one the
// program can use, and a complete file is written back and read the same.
#include "fuzz_check.h"
#include "shell/core/app_state.h"
#include "shell/core/personal_settings.h"
#include "shell/core/record_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    AppState state;
    const bool complete = LoadPersonalSettingsFrom(state, bytes);
    FUZZ_CHECK(!state.CurrencySymbol.isEmpty() && state.CurrencySymbol.size() <= 2);
    FUZZ_CHECK(state.PrinterFontChoice >= 0 && state.PrinterFontChoice <= 3);
    FUZZ_CHECK(state.UserName.size() <= MaxUserNameLength);
    FUZZ_CHECK(state.UserName.isEmpty() || !state.UserName.back().isHighSurrogate());
    if (!complete)
        return 0;

    // What SavePersonalSettings writes, without the disk.
    RecordWriter writer;
    writer.addString(state.CurrencySymbol);
    writer.addInteger(state.PrinterFontChoice);
    writer.addString(state.UserName);
    writer.endLine();
    AppState again;
    FUZZ_CHECK(LoadPersonalSettingsFrom(again, writer.text()));
    FUZZ_CHECK(again.CurrencySymbol == state.CurrencySymbol);
    FUZZ_CHECK(again.PrinterFontChoice == state.PrinterFontChoice);
    FUZZ_CHECK(again.UserName == state.UserName);
    return 0;
}
