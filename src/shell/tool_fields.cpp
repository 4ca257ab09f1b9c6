#include "shell/tool_fields.h"

#include <QRegularExpression>

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

QString CheckFieldText(const FieldDescription &field, const QString &text)
{
    switch (field.kind) {
    case FieldKind::Money:
    case FieldKind::Percent: {
        static const QRegularExpression number(QStringLiteral("^-?(\\d+(\\.\\d*)?|\\.\\d+)$"));
        if (!number.match(text).hasMatch())
            return QStringLiteral("not a number: ") + text;
        if (text.startsWith(QLatin1Char('-')) && !field.allowMinus)
            return QStringLiteral("cannot be negative: ") + text;
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
    case FieldKind::Text:
        return QString();
    }
    return QString();
}

bool AboveLimit(const FieldDescription &field, Money value)
{
    return field.limit > 0 && value > Money::fromWhole(field.limit);
}
