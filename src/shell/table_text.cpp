#include "shell/table_text.h"

#include <QRegularExpression>

namespace {

QString CsvCell(const QString &cell)
{
    if (cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"')) || cell.contains(QLatin1Char('\n')) ||
        cell.contains(QLatin1Char('\r')))
        return QLatin1Char('"') + QString(cell).replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
               QLatin1Char('"');
    return cell;
}

// A tab or line break inside a cell would move the cells after it.
QString TabCell(const QString &cell)
{
    QString text = cell;
    for (QChar &c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return text;
}

} // namespace

QString PlainFigure(const QString &cell, const QString &currencySymbol)
{
    static const QRegularExpression number(QStringLiteral("^(-?)(\\d*)(\\.\\d+)?$"));
    QString text = cell.trimmed();
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        text.remove(0, 1);
    if (!currencySymbol.isEmpty() && text.startsWith(currencySymbol))
        text.remove(0, currencySymbol.size());
    if (text.endsWith(QLatin1Char('%')))
        text.chop(1);
    text.remove(QLatin1Char(','));
    if (negative)
        text.prepend(QLatin1Char('-'));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch() || (match.captured(2).isEmpty() && match.captured(3).isEmpty()))
        return cell;
    return match.captured(1) + (match.captured(2).isEmpty() ? QStringLiteral("0") : match.captured(2)) +
           match.captured(3);
}

QString TableAsCsv(const TextTable &table, const QString &currencySymbol)
{
    QString text;
    for (qsizetype r = 0; r < table.size(); ++r) {
        QStringList cells;
        for (const QString &cell : table.at(r))
            cells << CsvCell(r == 0 ? cell.simplified() : PlainFigure(cell, currencySymbol));
        text += cells.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text;
}

QString TableAsTabs(const TextTable &table, bool firstRowIsHeading)
{
    QString text;
    for (qsizetype r = 0; r < table.size(); ++r) {
        QStringList cells;
        for (const QString &cell : table.at(r))
            cells << TabCell(r == 0 && firstRowIsHeading ? cell.simplified() : cell);
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}
