#include "report/report_fields.h"

#include <QRegularExpression>

QString CheckFieldValue(const ReportField &field, const QString &text)
{
    switch (field.kind) {
    case FieldKind::Money:
    case FieldKind::Percent: {
        static const QRegularExpression number(QStringLiteral("^-?(\\d+(\\.\\d*)?|\\.\\d+)$"));
        if (!number.match(text).hasMatch())
            return QStringLiteral("not a number: ") + text;
        if (text.startsWith(QLatin1Char('-')) && !field.allowMinus)
            return QStringLiteral("cannot be negative: ") + text;
        if (text.size() > 20)
            return QStringLiteral("too many digits: ") + text;
        return QString();
    }
    case FieldKind::Years: {
        static const QRegularExpression whole(QStringLiteral("^\\d{1,6}$"));
        if (!whole.match(text).hasMatch())
            return QStringLiteral("not a whole number of years: ") + text;
        return QString();
    }
    case FieldKind::Choice:
        if (!field.choices.contains(text))
            return QStringLiteral("must be one of ") + field.choices.join(QStringLiteral(", ")) +
                   QStringLiteral(": ") + text;
        return QString();
    case FieldKind::Text:
        return QString();
    }
    return QString();
}

const std::vector<ReportField> &GrowthFields()
{
    static const std::vector<ReportField> fields = {
        {"cost", FieldKind::Money, "10000", 1, "purchase cost of the investment"},
        {"value", FieldKind::Money, "20000", 2, "present or future value"},
        {"years", FieldKind::Years, "5", 3, "term in years, 1 to 50"},
        {"name", FieldKind::Text, "XYZ mutual fund.", -1, "name of the investment (may be empty)"},
    };
    return fields;
}

const std::vector<ReportField> &SavingsFields()
{
    static const std::vector<ReportField> fields = {
        {"lump-sum", FieldKind::Money, "0", 1, "lump sum invested at start"},
        {"amount", FieldKind::Money, "1200", 2, "amount invested at each contribution period"},
        {"frequency", FieldKind::Choice, "Annually", -1, "Annually, Quarterly or Monthly", false,
         {QStringLiteral("Annually"), QStringLiteral("Quarterly"), QStringLiteral("Monthly")}},
        {"rate", FieldKind::Percent, "20", 4, "annual interest/growth rate, percent"},
        {"increase", FieldKind::Percent, "0", 5, "yearly increase of the amount, percent (may be negative)", true},
        {"inflation", FieldKind::Percent, "0", 6, "annual inflation rate, percent (may be negative)", true},
        {"years", FieldKind::Years, "25", 7, "number of years invested, 1 to 40"},
    };
    return fields;
}
