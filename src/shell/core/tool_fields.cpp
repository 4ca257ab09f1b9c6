#include "shell/core/tool_fields.h"

#include <QRegularExpression>

#include <limits>

QStringList FieldItems(std::initializer_list<const char *> texts)
{
    QStringList items;
    for (const char *text : texts)
        items << QLatin1String(text);
    return items;
}

const FieldDescription *FindField(FieldTable fields, const char *control)
{
    for (const FieldDescription &field : fields)
        if (qstrcmp(field.control, control) == 0)
            return &field;
    return nullptr;
}

const FieldDescription *FindOption(FieldTable fields, const QString &option)
{
    for (const FieldDescription &field : fields)
        if (field.option && option == QLatin1String(field.option))
            return &field;
    return nullptr;
}

Money StartValue(const FieldDescription &field)
{
    return LeadingMoney(QString::fromLatin1(field.start), field.allowMinus);
}

QString FieldFormat(const FieldDescription &field)
{
    return field.format ? QLatin1String(field.format) : DefaultFieldFormat(field.kind, field.decimals);
}

Money LargestFigure(const FieldDescription &field)
{
    if (field.limit > 0)
        return Money::fromWhole(field.limit);
    return Money::fromRaw(std::numeric_limits<qint64>::max());
}

QString FieldDateText(QDate date)
{
    return Format(date, QStringLiteral("Short Date"));
}

bool IsFieldDate(const FieldDescription &field, const QString &text)
{
    if (text.trimmed().isEmpty())
        return field.mayBeEmpty;
    // Four-digit years only: the files keep no other.
    const QDate date = ParseShortDate(text);
    return date.isValid() && date.year() >= 1 && date.year() <= 9999;
}

QString CheckFieldText(const FieldDescription &field, const QString &text)
{
    switch (field.kind) {
    case FieldKind::Money:
    case FieldKind::Number:
    case FieldKind::Percent: {
        static const QRegularExpression number(QStringLiteral("^-?(\\d+(\\.\\d*)?|\\.\\d+)$"));
        if (!number.match(text).hasMatch())
            return QStringLiteral("not a number: ") + text;
        if (text.startsWith(QLatin1Char('-')) && !field.allowMinus)
            return QStringLiteral("cannot be negative: ") + text;
        // The window's box would refuse the key of a further decimal, so the
        // figure it stands for could never be typed there.
        if (!WithinDecimals(text, field.decimals))
            return (field.decimals == 0 ? QStringLiteral("takes no decimals: ")
                    : field.decimals == 1   ? QStringLiteral("takes at most 1 decimal: ")
                                            : QStringLiteral("takes at most %1 decimals: ").arg(field.decimals)) +
                   text;
        return QString();
    }
    case FieldKind::Years: {
        static const QRegularExpression whole(QStringLiteral("^\\d+$"));
        if (!whole.match(text).hasMatch())
            return QStringLiteral("not a whole number of years: ") + text;
        return QString();
    }
    case FieldKind::Choice:
        if (!field.items.contains(text))
            return QStringLiteral("must be one of ") + field.items.join(QStringLiteral(", ")) + QStringLiteral(": ") +
                   text;
        return QString();
    case FieldKind::Date:
        if (!IsFieldDate(field, text))
            return QStringLiteral("not a date: ") + text;
        return QString();
    case FieldKind::Text:
        return QString();
    }
    return QString();
}

bool AboveLimit(const FieldDescription &field, Money value)
{
    return field.limit > 0 && value > Money::fromWhole(field.limit);
}
