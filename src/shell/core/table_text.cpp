#include "shell/core/table_text.h"

#include <QRegularExpression>

#include <optional>

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

// The figure as a spreadsheet reads it, or nothing when the text is not a
// figure as the program writes one.
std::optional<QString> FigureAsNumber(const QString &cell, const QString &currencySymbol)
{
    // Grouping only in threes before the point, as Format writes it: "1,2"
    // or "12,34" is a name, not a figure.
    static const QRegularExpression figure(QStringLiteral("^(\\d{1,3}(?:,\\d{3})+|\\d*)(\\.\\d+)?$"));
    QString text = cell.trimmed();
    QString sign;
    if (text.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("-");
        text.remove(0, 1);
    }
    if (!currencySymbol.isEmpty() && text.startsWith(currencySymbol)) {
        text.remove(0, currencySymbol.size());
        // A symbol before the sign: the symbol joined to a formatted negative.
        if (sign.isEmpty() && text.startsWith(QLatin1Char('-'))) {
            sign = QStringLiteral("-");
            text.remove(0, 1);
        }
    }
    if (text.endsWith(QLatin1Char('%')))
        text.chop(1);
    const QRegularExpressionMatch match = figure.match(text);
    if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(2).isEmpty()))
        return std::nullopt;
    const QString whole = match.captured(1).isEmpty() ? QStringLiteral("0") : match.captured(1);
    return sign + QString(whole).remove(QLatin1Char(',')) + match.captured(2);
}

} // namespace

QString PlainFigure(const QString &cell, const QString &currencySymbol)
{
    return FigureAsNumber(cell, currencySymbol).value_or(cell);
}

QString TableAsCsv(const TextTable &table, const QString &currencySymbol)
{
    // A column is figures when every body cell that holds anything is one;
    // a single name among them keeps the whole column as text, so that a
    // name which happens to look like a figure is never changed.
    QList<bool> figures;
    for (qsizetype r = 1; r < table.size(); ++r) {
        const QStringList &row = table.at(r);
        if (figures.size() < row.size())
            figures.resize(row.size(), true);
        for (qsizetype c = 0; c < row.size(); ++c)
            if (!row.at(c).trimmed().isEmpty() && !FigureAsNumber(row.at(c), currencySymbol))
                figures[c] = false;
    }
    QString text;
    for (qsizetype r = 0; r < table.size(); ++r) {
        QStringList cells;
        for (qsizetype c = 0; c < table.at(r).size(); ++c) {
            const QString &cell = table.at(r).at(c);
            if (r == 0)
                cells << CsvCell(cell.simplified());
            else if (figures.value(c) && !cell.trimmed().isEmpty())
                cells << *FigureAsNumber(cell, currencySymbol);
            else
                cells << (figures.value(c) ? QString() : CsvCell(cell));
        }
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
