#pragma once

#include "shell/core/message_numbers.h"

#include <optional>
#include <utility>

// What a calculation gives back: its result, or the number of the message
// the window shows instead.
template <typename T>
class Outcome
{
public:
    Outcome(T value) : m_value(std::move(value)) {}
    static Outcome refused(MessageNumber message)
    {
        Outcome outcome;
        outcome.m_message = message;
        return outcome;
    }

    bool ok() const { return m_value.has_value(); }
    MessageNumber message() const { return m_message; }
    const T &value() const { return *m_value; }
    const T *operator->() const { return &*m_value; }

private:
    Outcome() = default;
    std::optional<T> m_value;
    MessageNumber m_message = MsgNone;
};
