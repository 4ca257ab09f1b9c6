#include "invest/fund_file.h"

#include "invest/fund_database.h"
#include "shell/core/format.h"
#include "shell/core/message_numbers.h"
#include "shell/core/record_file.h"
#include "shell/core/safe_save.h"

namespace {

constexpr int RecordFields = 8;

// Reads everything into `contents`; an empty return means it is whole.
QString Read(RecordReader &reader, FundFileContents &contents)
{
    if (!reader.ok())
        return reader.error();
    QString error;
    auto line = [&](int fields) -> std::optional<QList<RecordValue>> {
        auto values = reader.readLine(&error);
        if (!values)
            return std::nullopt;
        if (values->size() != fields) {
            error = QStringLiteral("line %1: %2 values where %3 belong")
                        .arg(reader.lineNumber())
                        .arg(values->size())
                        .arg(fields);
            return std::nullopt;
        }
        return values;
    };

    const auto head = line(4);
    if (!head)
        return error;
    const auto recordCount = reader.integer(*head, 1, &error);
    const auto fundCount = reader.integer(*head, 2, &error);
    const auto allName = reader.text(*head, 3, &error);
    const auto allNumber = reader.text(*head, 4, &error);
    if (!recordCount || !fundCount || !allName || !allNumber)
        return error;
    if (*recordCount < 0 || *recordCount > LastRecordSlot)
        return QStringLiteral("line 1: %1 records; a file holds 0 to %2").arg(*recordCount).arg(LastRecordSlot);
    if (*fundCount < 0 || *fundCount > MaxFunds)
        return QStringLiteral("line 1: %1 funds; a file holds 0 to %2").arg(*fundCount).arg(MaxFunds);
    contents.allRecordsName = *allName;
    contents.allRecordsNumber = *allNumber;

    for (int fund = 1; fund <= *fundCount; ++fund) {
        const auto values = line(2);
        if (!values)
            return error;
        const auto name = reader.text(*values, 1, &error);
        const auto number = reader.text(*values, 2, &error);
        if (!name || !number)
            return error;
        // The records point at funds by these numbers, which are the slots.
        if (number->trimmed() != QString::number(fund))
            return QStringLiteral("line %1: fund number \"%2\" in slot %3").arg(reader.lineNumber()).arg(*number).arg(fund);
        contents.names << *name;
    }

    for (int slot = 1; slot <= *recordCount; ++slot) {
        const auto values = line(RecordFields);
        if (!values)
            return error;
        FundRecord record;
        const auto fund = reader.integer(*values, 1, &error);
        if (!fund)
            return error;
        if (*fund < 1 || *fund > *fundCount)
            return QStringLiteral("line %1: fund %2 is not in the file").arg(reader.lineNumber()).arg(*fund);
        Money *amounts[] = {&record.price, &record.shares, &record.fees, &record.cashDividend, &record.bookValue};
        for (int i = 0; i < 5; ++i) {
            const auto amount = reader.number(*values, i + 2, &error);
            if (!amount)
                return error;
            *amounts[i] = *amount;
        }
        const auto code = reader.text(*values, 7, &error);
        if (!code)
            return error;
        if (!TypeOfCode(*code))
            return QStringLiteral("line %1: \"%2\" is not a transaction type").arg(reader.lineNumber()).arg(*code);
        const auto date = reader.date(*values, 8, &error);
        if (!date)
            return error;
        record.fundNumber = Money::fromWhole(*fund);
        record.typeCode = *code;
        record.date = *date;
        record.recordNumber = qint16(slot);
        contents.records << record;
    }

    // Only empty lines may follow: anything else means the counts are wrong.
    while (!reader.atEnd()) {
        const auto values = reader.readLine(&error);
        if (!values)
            return error;
        if (values->size() != 1 || values->first().kind != RecordValue::Empty)
            return QStringLiteral("line %1: more lines than the first line announces").arg(reader.lineNumber());
    }
    return QString();
}

Outcome<FundFileContents> ReadWith(RecordReader reader)
{
    FundFileContents contents;
    const QString error = Read(reader, contents);
    if (!error.isEmpty())
        return Outcome<FundFileContents>::refused(MsgFileNotFound);
    return contents;
}

} // namespace

Outcome<FundFileContents> ReadFundText(const QByteArray &text)
{
    return ReadWith(RecordReader(text));
}

Outcome<FundFileContents> ReadFundFile(const QString &path, FileStamp *stamp)
{
    if (!stamp)
        return ReadWith(RecordReader::fromFile(path));
    // One byte past the largest size is enough for the reader to refuse it.
    const std::optional<QByteArray> bytes = ReadDataFile(path, RecordReader::MaxFileSize + 1, nullptr, stamp);
    if (!bytes)
        return Outcome<FundFileContents>::refused(MsgFileNotFound);
    return ReadFundText(*bytes);
}

QString FundFileError(const QByteArray &text)
{
    RecordReader reader(text);
    FundFileContents contents;
    return Read(reader, contents);
}

bool ApplyFundFile(FundDatabase &db, const FundFileContents &contents)
{
    return db.replaceAll(contents.allRecordsName, contents.allRecordsNumber, contents.names, contents.records);
}

QByteArray FundFileText(const FundDatabase &db)
{
    RecordWriter writer;
    writer.addInteger(db.recordCount());
    writer.addInteger(db.fundCount());
    writer.addString(db.fundName(AllRecordsSlot));
    writer.addString(db.fundNumberText(AllRecordsSlot));
    writer.endLine();
    for (int fund = 1; fund <= db.fundCount(); ++fund) {
        writer.addString(db.fundName(fund));
        writer.addString(db.fundNumberText(fund));
        writer.endLine();
    }
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        const FundRecord &record = db.record(slot);
        writer.addNumber(record.fundNumber);
        writer.addNumber(record.price);
        writer.addNumber(record.shares);
        writer.addNumber(record.fees);
        writer.addNumber(record.cashDividend);
        writer.addNumber(record.bookValue);
        writer.addString(record.typeCode);
        writer.addDate(record.date);
        writer.endLine();
    }
    return writer.text();
}

bool SaveFundFile(const FundDatabase &db, const QString &path, QString *why)
{
    return SaveFileWhole(path, FundFileText(db), why);
}

bool SaveFundFile(const FundDatabase &db, const QString &path, SaveFailure *failure, FileStamp *stamp)
{
    const QByteArray text = FundFileText(db);
    if (!SaveFileWhole(path, text, failure))
        return false;
    if (stamp)
        *stamp = FileStamp::of(path, text);
    return true;
}
