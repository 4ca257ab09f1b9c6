#pragma once

#include "shell/core/money.h"

// A figure written as text, 0 where the text is no figure.
inline Money m(const QString &text)
{
    Money value;
    return Money::fromDecimalText(text, value) ? value : Money();
}
