#pragma once

#include "mortgage/mortgage_schedule.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Everything a .umd or .uld file holds: the inputs, never the results.
struct MortgageFileData
{
    Money principal;
    Money rate;
    Money years; // the term in years in both kinds of file
    QString compounding; // the list texts, leading spaces included
    QString frequency;
    QDate firstDate;
    bool showDates = false;
    int daysOption = 1;
    MortgageView view = MortgageAnnualView;
    int extraYears = 0; // year records that follow
    int extraPaymentCount = 0;
    MortgageKind kind = MortgageKind::Mortgage;
    ExtraPaymentTable extra{};
};

// A date the files and the grid can write with a four-digit year.
bool IsPaymentDate(QDate date);

// The file's text: a first line of fifteen values, then one line per year.
QByteArray MortgageFileText(const MortgageFileData &data);
// Reads and checks all of it: the value count and kinds, the list texts,
// the settings' ranges, the year records, a term of at most 40 years, a
// valid date and no negative figure. A days option of 4 reads as 0.
// Nothing, with *error saying why, when anything is wrong.
std::optional<MortgageFileData> ReadMortgageFileText(const QByteArray &text, QString *error = nullptr);
std::optional<MortgageFileData> ReadMortgageFile(const QString &path, QString *error = nullptr);
// Saves through a temporary file: a failed save leaves the old file whole.
bool SaveMortgageFile(const QString &path, const MortgageFileData &data, QString *why = nullptr);
