// The record reader on any bytes: never a crash or a read out of bounds; every
// line it accepts is written back by the writer and read again the same.
#include "fuzz_check.h"
#include "shell/core/record_file.h"

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <charconv>
#include <iterator>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    RecordReader reader(bytes);
    if (!reader.ok()) {
        FUZZ_CHECK(!reader.readLine());
        return 0;
    }
    // Every line ends the loop a little nearer the end: at most one line per byte and one more.
    for (qsizetype lines = 0; !reader.atEnd(); ++lines) {
        FUZZ_CHECK(lines <= bytes.size());
        QString error;
        const auto values = reader.readLine(&error);
        if (!values) {
            char prefix[40] = "line ";
            char *end = std::to_chars(prefix + 5, std::end(prefix), reader.lineNumber()).ptr;
            end = std::copy_n(", field ", 8, end);
            FUZZ_CHECK(error.startsWith(QLatin1StringView(prefix, end - prefix)));
            continue;
        }
        FUZZ_CHECK(!values->isEmpty());
        for (int field = 1; field <= values->size(); ++field) {
            const RecordValue &value = values->at(field - 1);
            FUZZ_CHECK(reader.text(*values, field).has_value() == (value.kind == RecordValue::Text));
            FUZZ_CHECK(reader.number(*values, field).has_value() == (value.kind == RecordValue::Number));
            FUZZ_CHECK(reader.date(*values, field).has_value() == (value.kind == RecordValue::Date));
            if (reader.integer(*values, field))
                FUZZ_CHECK(value.number.raw() % Money::Scale == 0);
            if (value.kind == RecordValue::Text)
                FUZZ_CHECK(!value.text.contains(QLatin1Char('"')) && !value.text.contains(QLatin1Char('\n')) &&
                           !value.text.contains(QLatin1Char('\r')));
        }
        FUZZ_CHECK(!reader.text(*values, int(values->size()) + 1));

        RecordWriter writer;
        writer.addLine(*values);
        RecordReader again(writer.text());
        const auto reread = again.readLine(&error);
        FUZZ_CHECK(reread.has_value());
        FUZZ_CHECK(*reread == *values);
        FUZZ_CHECK(again.atEnd());
    }
    return 0;
}
