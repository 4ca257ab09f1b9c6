#include "networth/networth_file.h"

#include "shell/core/format.h"
#include "shell/core/record_file.h"
#include "shell/core/safe_save.h"

namespace {

bool Fail(QString *why, const QString &text)
{
    if (why)
        *why = text;
    return false;
}

// A name is text or nothing; a number in its place is kept as it was read.
// An amount must read to a figure a cell can take.
bool CheckAmount(const RecordValue &value, int line, int field, QString *why)
{
    if (value.kind == RecordValue::Date)
        return Fail(why, QStringLiteral("line %1, field %2: a date is not an amount").arg(line).arg(field));
    Money amount;
    try {
        amount = AmountOf(value);
    } catch (const ArithmeticFault &) {
        return Fail(why, QStringLiteral("line %1, field %2: amount too large").arg(line).arg(field));
    }
    if (amount > SheetMaxAmount || amount < -SheetMaxAmount)
        return Fail(why, QStringLiteral("line %1, field %2: amount too large").arg(line).arg(field));
    return true;
}

} // namespace

QByteArray NetWorthFileText(const NetWorthStatement &statement)
{
    RecordWriter writer;
    writer.addInteger(statement.counts[0]);
    writer.addInteger(statement.counts[1]);
    writer.endLine();
    for (int r = 1; r <= SheetLastRow; ++r) {
        for (const Sheet &sheet : statement.sheets) {
            writer.addValue(sheet.rows[size_t(r)].name);
            writer.addValue(sheet.rows[size_t(r)].amount);
        }
        writer.endLine();
    }
    return writer.text();
}

bool SaveNetWorthFile(const QString &path, const NetWorthStatement &statement, QString *why)
{
    return SaveFileWhole(path, NetWorthFileText(statement), why);
}

std::optional<NetWorthStatement> ReadNetWorthText(const QByteArray &text, QString *why)
{
    RecordReader reader(text);
    if (!reader.ok()) {
        Fail(why, reader.error());
        return std::nullopt;
    }
    NetWorthStatement statement;
    QString error;
    const auto counts = reader.readLine(&error);
    if (!counts) {
        Fail(why, error);
        return std::nullopt;
    }
    if (counts->size() != 2) {
        Fail(why, QStringLiteral("line 1: two counts were expected"));
        return std::nullopt;
    }
    for (int side = 0; side < 2; ++side) {
        const auto count = reader.integer(*counts, side + 1, &error);
        if (!count) {
            Fail(why, error);
            return std::nullopt;
        }
        if (*count < 0 || *count > SheetTypedRows) {
            Fail(why, QStringLiteral("line 1, field %1: a count from 0 to 30 was expected").arg(side + 1));
            return std::nullopt;
        }
        statement.counts[size_t(side)] = int(*count);
    }
    for (int r = 1; r <= SheetLastRow; ++r) {
        const auto values = reader.readLine(&error);
        if (!values) {
            Fail(why, error);
            return std::nullopt;
        }
        const int line = reader.lineNumber();
        if (values->size() != 4) {
            Fail(why, QStringLiteral("line %1: four values were expected, not %2").arg(line).arg(values->size()));
            return std::nullopt;
        }
        for (int side = 0; side < 2; ++side) {
            const RecordValue &name = values->at(side * 2);
            const RecordValue &amount = values->at(side * 2 + 1);
            if (name.kind == RecordValue::Date) {
                Fail(why, QStringLiteral("line %1, field %2: a date is not a name").arg(line).arg(side * 2 + 1));
                return std::nullopt;
            }
            if (!CheckAmount(amount, line, side * 2 + 2, why))
                return std::nullopt;
            statement.sheets[size_t(side)].rows[size_t(r)] = {name, amount};
        }
    }
    // A last line end is all that may follow; anything else is another line.
    if (!reader.atEnd()) {
        Fail(why, QStringLiteral("more than %1 lines").arg(NetWorthFileLines));
        return std::nullopt;
    }
    return statement;
}

std::optional<NetWorthStatement> ReadNetWorthFile(const QString &path, QString *why)
{
    // One byte past the largest size is enough for the reader to refuse it.
    const std::optional<QByteArray> bytes = ReadDataFile(path, RecordReader::MaxFileSize + 1, why);
    if (!bytes)
        return std::nullopt;
    return ReadNetWorthText(*bytes, why);
}
