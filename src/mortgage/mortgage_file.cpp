#include "mortgage/mortgage_file.h"

#include "shell/core/format.h"
#include "shell/core/record_file.h"

#include <cmath>

namespace {

constexpr int FirstLineValues = 15;

// The date is kept as ISO text, which reads back the same in every locale;
// a date in the short form of this system is taken too.
QDate ReadDateText(const QString &text)
{
    const QDate iso = QDate::fromString(text.trimmed(), Qt::ISODate);
    const QDate date = iso.isValid() ? iso : ParseShortDate(text);
    return IsPaymentDate(date) ? date : QDate();
}

bool Fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

void WriteMortgage(RecordWriter &writer, const MortgageInput &data)
{
    writer.addNumber(data.principal);
    writer.addNumber(data.rate);
    writer.addNumber(data.years);
    writer.addString(CompoundingItems().value(data.compounding));
    writer.addString(FrequencyItems().value(data.frequency));
    writer.addString(data.firstDate.toString(Qt::ISODate));
    writer.addInteger(data.showDates ? 1 : 0);
    writer.addInteger(data.daysOption);
    writer.addInteger(qint16(data.view));
    writer.addInteger(data.extraYears);
    writer.addInteger(data.extraPaymentCount);
    writer.addInteger(qint16(data.kind));
    writer.addNumber(Money::fromDouble(double(DaysInYearRow(data.daysOption).days)));
    writer.addString(QStringLiteral("O"));
    writer.addInteger(0);
    writer.endLine();
    for (int y = 1; y <= data.extraYears && y <= MortgageExtraYears; ++y) {
        writer.addInteger(y);
        writer.addNumber(data.extra[y]);
        writer.endLine();
    }
}

std::optional<MortgageInput> ReadMortgage(RecordReader &reader, QString *error)
{
    if (!reader.ok()) {
        Fail(error, reader.error());
        return std::nullopt;
    }
    const std::optional<QList<RecordValue>> first = reader.readLine(error);
    if (!first)
        return std::nullopt;
    if (first->size() != FirstLineValues) {
        Fail(error, QStringLiteral("line 1: %1 values instead of %2").arg(first->size()).arg(FirstLineValues));
        return std::nullopt;
    }
    const QList<RecordValue> &line = *first;
    MortgageInput data;
    const auto principal = reader.number(line, 1, error);
    const auto rate = reader.number(line, 2, error);
    const auto years = reader.number(line, 3, error);
    const auto compounding = reader.text(line, 4, error);
    const auto frequency = reader.text(line, 5, error);
    const auto date = reader.text(line, 6, error);
    const auto showDates = reader.integer(line, 7, error);
    const auto days = reader.integer(line, 8, error);
    const auto view = reader.integer(line, 9, error);
    const auto extraYears = reader.integer(line, 10, error);
    const auto extraCount = reader.integer(line, 11, error);
    const auto kind = reader.integer(line, 12, error);
    const auto daysInYear = reader.number(line, 13, error);
    const auto marker = reader.text(line, 14, error);
    if (!principal || !rate || !years || !compounding || !frequency || !date || !showDates || !days || !view ||
        !extraYears || !extraCount || !kind || !daysInYear || !marker || !reader.number(line, 15, error))
        return std::nullopt;

    auto refuse = [error](const QString &why) {
        Fail(error, QStringLiteral("line 1: ") + why);
        return std::nullopt;
    };
    if (*principal < Money() || *rate < Money() || *years < Money())
        return refuse(QStringLiteral("a negative figure"));
    if (*years > Money::fromWhole(MortgageMaxYears))
        return refuse(QStringLiteral("a term above 40 years"));
    const int compoundingIndex = CompoundingIndex(*compounding);
    const int frequencyIndex = FrequencyIndex(*frequency);
    if (compoundingIndex < 0 || frequencyIndex < 0)
        return refuse(QStringLiteral("a list text that is not one of the list's items"));
    data.firstDate = ReadDateText(*date);
    if (!data.firstDate.isValid())
        return refuse(QStringLiteral("not a date: ") + *date);
    if (*showDates < 0 || *showDates > 1 || *days < 0 || *days > 4 || *view < 1 || *view > 2 || *kind < 1 ||
        *kind > 2)
        return refuse(QStringLiteral("a setting out of its range"));
    if (*extraYears < 0 || *extraYears > MortgageMaxYears || *extraCount < 0 || *extraCount > *extraYears)
        return refuse(QStringLiteral("a count of years out of its range"));

    data.principal = *principal;
    data.rate = *rate;
    data.years = *years;
    data.months = int(std::llround(years->toDouble() * 12));
    data.compounding = compoundingIndex;
    data.frequency = frequencyIndex;
    data.showDates = *showDates == 1;
    data.daysOption = *days == 4 ? 0 : int(*days);
    data.view = *view == 1 ? MortgageAnnualView : MortgageAllView;
    data.extraYears = int(*extraYears);
    data.kind = *kind == 2 ? MortgageKind::Loan : MortgageKind::Mortgage;

    for (int y = 1; y <= data.extraYears; ++y) {
        const std::optional<QList<RecordValue>> record = reader.readLine(error);
        if (!record)
            return std::nullopt;
        if (record->size() != 2) {
            Fail(error, QStringLiteral("line %1: 2 values expected").arg(reader.lineNumber()));
            return std::nullopt;
        }
        const auto number = reader.number(*record, 1, error);
        const auto amount = reader.number(*record, 2, error);
        if (!number || !amount)
            return std::nullopt;
        // The lines are the years in order: a line of another year is a
        // damaged file, not an amount to give to some year.
        if (*number != Money::fromWhole(y)) {
            Fail(error, QStringLiteral("line %1: year %2 expected, not %3")
                            .arg(reader.lineNumber())
                            .arg(y)
                            .arg(number->toDecimalText()));
            return std::nullopt;
        }
        if (*amount < Money()) {
            Fail(error, QStringLiteral("line %1: a negative amount").arg(reader.lineNumber()));
            return std::nullopt;
        }
        data.extra[y] = *amount;
    }
    // A last line end is all that may follow; anything else is a file this
    // program did not write.
    if (!reader.atEnd()) {
        Fail(error, QStringLiteral("line %1: more lines than the %2 years stated")
                        .arg(reader.lineNumber() + 1)
                        .arg(data.extraYears));
        return std::nullopt;
    }
    // The count is what the amounts say, whatever the file claims.
    for (int y = 1; y <= data.extraYears; ++y)
        if (data.extra[y] > Money())
            ++data.extraPaymentCount;
    return data;
}

} // namespace

bool IsPaymentDate(QDate date)
{
    return date.isValid() && date.year() >= 1 && date.year() <= 9999;
}

QByteArray MortgageFileText(const MortgageInput &data)
{
    RecordWriter writer;
    WriteMortgage(writer, data);
    return writer.text();
}

std::optional<MortgageInput> ReadMortgageFileText(const QByteArray &text, QString *error)
{
    RecordReader reader(text);
    return ReadMortgage(reader, error);
}

std::optional<MortgageInput> ReadMortgageFile(const QString &path, QString *error)
{
    RecordReader reader = RecordReader::fromFile(path);
    return ReadMortgage(reader, error);
}

bool SaveMortgageFile(const QString &path, const MortgageInput &data, QString *why)
{
    RecordWriter writer;
    WriteMortgage(writer, data);
    return writer.save(path, why);
}
