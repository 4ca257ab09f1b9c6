#include "shell/personal_settings.h"

#include "shell/app_state.h"
#include "shell/record_file.h"

namespace {
// The settings window lets a user type two characters for the symbol; a
// longer name is kept to what fits a menu label.
constexpr int MaxSymbolLength = 2;
constexpr int MaxNameLength = 80;
} // namespace

bool LoadPersonalSettings(AppState &state, const QString &path)
{
    bool complete = false;
    RecordReader reader = RecordReader::fromFile(path);
    if (reader.ok()) {
        if (const auto symbol = reader.readString(); symbol && symbol->size() <= MaxSymbolLength) {
            state.CurrencySymbol = symbol->trimmed();
            if (const auto font = reader.readInteger(); font && *font >= 0 && *font <= 3) {
                state.PrinterFontChoice = qint16(*font);
                if (const auto name = reader.readString()) {
                    state.UserName = name->left(MaxNameLength);
                    complete = true;
                }
            }
        }
    }
    if (!complete)
        state.LinesPerPage = 53;
    if (state.CurrencySymbol.isEmpty())
        state.CurrencySymbol = QStringLiteral("$");
    return complete;
}

bool SavePersonalSettings(const AppState &state, const QString &path)
{
    RecordWriter writer;
    writer.addString(state.CurrencySymbol);
    writer.addInteger(state.PrinterFontChoice);
    writer.addString(state.UserName);
    writer.endLine();
    return writer.save(path);
}
