#pragma once

#include "shell/core/dialogs.h"

#include <QString>

// Text of numbered message `number`; an unknown number gives an empty text.
// Message 30 quotes today's date in the short date form; message 28 names
// the fund in `detail`.
QString MessageText(int number, const QString &todayShortDate, const QString &detail = QString());

// Text of numbered question `number` (1 to 5), as the question box shows it;
// `detail` is the file name of question 3 and the record number of question 4.
QString QuestionText(QuestionNumber number, const QString &detail);

// What the file box of a kind of file offers: the filter's description and
// its one pattern ("*.qvs").
struct FileFilter
{
    QString description;
    QString pattern;
};
FileFilter FileFilterOf(FileKind kind);
