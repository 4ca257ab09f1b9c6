#pragma once

#include "shell/core/money.h"

inline Money m(const QString &text) // a figure written as text, 0 where the text is no figure
{
    Money value;
    return Money::fromDecimalText(text, value) ? value : Money();
}
