#pragma once

#include <QString>

struct AppState;

// The settings file's name, kept in the program's directory.
inline constexpr char PersonalSettingsFile[] = "Personal.tlm";

// The longest name kept, in UTF-16 units (what the name box holds).
inline constexpr int MaxUserNameLength = 80;
// The symbol box takes two characters.
inline constexpr int MaxSymbolLength = 2;

// Reads the settings file into the state: symbol (its first two characters,
// as the settings window keeps them), printer font choice and name, in that
// order, keeping whatever was read before a failure. A missing
// or unreadable file leaves the defaults and sets 53 lines per page.
// Returns whether the whole line was read.
bool LoadPersonalSettings(AppState &state, const QString &path);
// The same from the file's bytes.
bool LoadPersonalSettingsFrom(AppState &state, const QByteArray &bytes);
// Writes the one-line file. Returns false, with *why, when it could not be
// written; the old file is then left as it was.
bool SavePersonalSettings(const AppState &state, const QString &path, QString *why = nullptr);

// The name cut to at most MaxUserNameLength units, on a character boundary:
// a character of two units (an emoji) or with combining marks is never split,
// and half a character at the end is dropped.
QString CutUserName(const QString &name);
// A symbol cut to its first MaxSymbolLength units, never half a character,
// without the spaces around it.
QString CutSymbol(const QString &symbol);
