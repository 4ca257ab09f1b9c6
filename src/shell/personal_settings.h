#pragma once

#include <QString>

struct AppState;

// The settings file's name, kept in the program's directory.
inline constexpr char PersonalSettingsFile[] = "Personal.tlm";

// Reads the settings file into the state: symbol, printer font choice and
// name, in that order, keeping whatever was read before a failure. A missing
// or unreadable file leaves the defaults and sets 53 lines per page.
// Returns whether the whole line was read.
bool LoadPersonalSettings(AppState &state, const QString &path);
// Writes the one-line file. Returns false when it could not be written; the
// old file is then left as it was.
bool SavePersonalSettings(const AppState &state, const QString &path);
