#pragma once

#include "shell/core/money.h"

#include <QDate>
#include <QLocale>
#include <QString>

// Turns a figure into text by a pattern such as "####,,###.00" or "#,,###.000%":
// "#" a digit shown only when significant, "0" a digit always shown, "." the
// decimal point, "," thousands grouping, a trailing "%" multiplies by 100.
// Rounds half away from zero to the decimals the pattern shows. A double is
// first taken to 15 significant digits, so 2.675 rounds to 2.68.
QString Format(double value, const QString &pattern);
QString Format(Money value, const QString &pattern);
// Integers (counters, years) go through the exact money path.
QString Format(int value, const QString &pattern);
// The only date pattern is "Short Date".
QString Format(QDate date, const QString &pattern);

// The numeric short date of the locale with a four-digit year; "yyyy-MM-dd"
// when the locale's short form is not all numbers.
QString ShortDateFormat(const QLocale &locale = QLocale());
QDate ParseShortDate(const QString &text, const QLocale &locale = QLocale());

// The text at the right end of width spaces; a longer text keeps its first
// width characters.
QString RightAlign(const QString &text, int width);
// Like RightAlign, but a figure longer than the width is shown whole: a cut
// figure would be a wrong figure.
QString RightAlignFigure(const QString &text, int width);

// Leading spaces skipped, then the longest prefix of digits with at most one
// "." (after a "-" where a sign is allowed); anything else gives 0.
// "12.5.3" gives 12.5.
double LeadingNumber(const QString &text, bool allowSign = false);
// The same prefix read exactly into money, the fifth decimal rounded half to
// even. Faults (ArithmeticFault) on a figure money cannot hold.
Money LeadingMoney(const QString &text, bool allowSign = false);

// Key filters of the input fields. They return the key when it is accepted
// and 0 when it is refused (the caller beeps). typedText is the field's text
// before the key goes in; decimals is how many digits may follow its point.
int DecimalKeyFilter(int key, const QString &typedText, int decimals);
// Whether a figure's text has at most `decimals` characters after its first
// point: what DecimalKeyFilter lets a field hold, key by key.
bool WithinDecimals(const QString &text, int decimals);
int DigitKeyFilter(int key);
// Digits, the separators of a numeric date ("/", ".", "-", space) and backspace.
int DateKeyFilter(int key);

// How an input field shows its value when it is not being edited. Money
// carries the currency symbol, Number is the same figure without it (counts
// of shares), Years a whole number. Choice is a list to pick from, without
// typing; Date is a short date; Text is typed as it is.
enum class FieldKind { Money, Number, Percent, Years, Date, Text, Choice };
// Whether the kind is a figure read into an InputValues slot.
bool IsFigureKind(FieldKind kind);
// The number pattern a kind uses unless its field names another.
QString DefaultFieldFormat(FieldKind kind, int decimals = 2);
// How many decimals a number pattern shows.
int PatternDecimals(const QString &pattern);
QString FieldDisplayText(FieldKind kind, Money value, int width, const QString &currencySymbol,
                         const QString &format = QString());

// A Quick Help text as the panel shows it: "@" stands for the currency
// symbol, and lines end with CR LF.
QString HelpPanelText(QString text, const QString &currencySymbol);
