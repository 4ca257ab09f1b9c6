#pragma once

#include "shell/core/money.h"

#include <QString>

// A figure written as text, 0 where the text is no figure.
inline Money m(const QString &text)
{
    Money value;
    Money::fromDecimalText(text, value);
    return value;
}
