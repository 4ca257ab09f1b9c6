#include "shell/core/personal_settings.h"

#include "shell/core/app_state.h"
#include "shell/core/record_file.h"

#include <QTextBoundaryFinder>

namespace {
bool load(AppState &state, RecordReader &reader)
{
    bool complete = false;
    // Anything after the third value is ignored, whatever it holds.
    if (const auto line = reader.readLine(nullptr, 3)) {
        // A longer symbol (written by hand, or by another program) is cut
        // as the settings window would cut it; the fields after it still count.
        if (const auto symbol = reader.text(*line, 1)) {
            state.CurrencySymbol = CutSymbol(*symbol);
            if (const auto font = reader.integer(*line, 2); font && *font >= 0 && *font <= 3) {
                state.PrinterFontChoice = qint16(*font);
                if (const auto name = reader.text(*line, 3)) {
                    state.UserName = CutUserName(*name);
                    complete = true;
                }
            }
        }
    }
    if (state.CurrencySymbol.isEmpty())
        state.CurrencySymbol = QStringLiteral("$");
    return complete;
}
} // namespace

bool LoadPersonalSettings(AppState &state, const QString &path)
{
    RecordReader reader = RecordReader::fromFile(path);
    return load(state, reader);
}

bool LoadPersonalSettingsFrom(AppState &state, const QByteArray &bytes)
{
    RecordReader reader(bytes);
    return load(state, reader);
}

bool SavePersonalSettings(const AppState &state, const QString &path, QString *why)
{
    RecordWriter writer;
    writer.addString(state.CurrencySymbol);
    writer.addInteger(state.PrinterFontChoice);
    writer.addString(state.UserName);
    writer.endLine();
    return writer.save(path, why);
}

QString CutUserName(const QString &name)
{
    QString cut = name;
    if (cut.size() > MaxUserNameLength) {
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, name);
        characters.setPosition(MaxUserNameLength);
        if (!characters.isAtBoundary())
            characters.toPreviousBoundary();
        cut = name.left(std::max<qsizetype>(characters.position(), 0));
    }
    // Half a character left at the end by a box that counts units.
    if (!cut.isEmpty() && cut.back().isHighSurrogate())
        cut.chop(1);
    return cut;
}

QString CutSymbol(const QString &symbol)
{
    QString cut = symbol.trimmed().left(MaxSymbolLength);
    if (!cut.isEmpty() && cut.back().isHighSurrogate())
        cut.chop(1);
    return cut.trimmed();
}
