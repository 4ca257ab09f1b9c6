#pragma once

#include "mortgage/mortgage_schedule.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A date the files and the grid can write with a four-digit year.
bool IsPaymentDate(QDate date);

// A .umd or .uld file holds a MortgageInput: a first line of fifteen
// values, then one line per year offered for additional payments
// (extraYears of them). The term is in years in both kinds of file.
QByteArray MortgageFileText(const MortgageInput &data);
// Reads and checks all of it: the value count and kinds, the list texts,
// the settings' ranges, a term of at most 40 years, a valid date, no
// negative figure, and exactly the year lines stated, each numbered with
// its year (1 to 40, in order), with nothing after them. A days option of
// 4 reads as 0; `months` is the whole months nearest the term. Nothing,
// with *error saying why, when anything is wrong.
std::optional<MortgageInput> ReadMortgageFileText(const QByteArray &text, QString *error = nullptr);
std::optional<MortgageInput> ReadMortgageFile(const QString &path, QString *error = nullptr);
// Saves through a temporary file: a failed save leaves the old file whole.
bool SaveMortgageFile(const QString &path, const MortgageInput &data, QString *why = nullptr);
