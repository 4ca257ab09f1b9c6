#include "invest/record_csv.h"

#include "invest/fund_database.h"
#include "shell/core/data_places.h"
#include "shell/core/format.h"
#include "shell/core/record_file.h"
#include "shell/core/safe_save.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>

namespace {

constexpr const char *FieldNames[RecordFieldCount] = {"date", "fund", "type", "shares", "price", "fees", "dividend"};
constexpr RecordField FigureFields[] = {RecordField::Shares, RecordField::Price, RecordField::Fees,
                                        RecordField::Dividend};
constexpr QChar Separators[] = {u',', u';', u'\t'};

// Headings brokers' and banks' exports commonly give the record's fields, in
// the order of the fields. A heading that is a field's own name wins over these.
struct Heading
{
    RecordField field;
    const char *utf8;
};
constexpr Heading CommonHeadings[] = {
    {RecordField::Date, "trade date"}, {RecordField::Date, "transaction date"}, {RecordField::Date, "datum"},
    {RecordField::Date, "buchungstag"}, {RecordField::Date, "handelstag"}, {RecordField::Fund, "name"},
    {RecordField::Fund, "security"}, {RecordField::Fund, "fund name"}, {RecordField::Fund, "wertpapier"},
    {RecordField::Fund, "fonds"}, {RecordField::Type, "action"}, {RecordField::Type, "transaction"},
    {RecordField::Type, "transaction type"}, {RecordField::Type, "vorgang"}, {RecordField::Type, "art"},
    {RecordField::Shares, "quantity"}, {RecordField::Shares, "units"}, {RecordField::Shares, "st\xc3\xbc" "ck"},
    {RecordField::Shares, "anzahl"}, {RecordField::Price, "kurs"}, {RecordField::Price, "unit price"},
    {RecordField::Price, "price per share"}, {RecordField::Fees, "fee"}, {RecordField::Fees, "commission"},
    {RecordField::Fees, "provision"}, {RecordField::Fees, "geb\xc3\xbchren"},
    {RecordField::Dividend, "cash dividend"}, {RecordField::Dividend, "aussch\xc3\xbc" "ttung"},
    {RecordField::Dividend, "dividende"},
};

// Type words such files commonly use; a word the user mapped wins.
struct TypeWord
{
    const char *utf8;
    const char *code;
};
constexpr TypeWord CommonTypeWords[] = {
    {"buy", "B"}, {"purchase", "B"}, {"kauf", "B"}, {"sell", "S"}, {"sale", "S"}, {"verkauf", "S"},
    {"dividend", "C"}, {"dividende", "C"}, {"aussch\xc3\xbc" "ttung", "C"}, {"reinvested dividend", "D"},
    {"fee", "F"}, {"geb\xc3\xbchr", "F"}, {"depotgeb\xc3\xbchr", "F"},
};

int Index(RecordField field)
{
    return int(field);
}

// ---- The reader ----------------------------------------------------------

struct SplitResult
{
    QList<QStringList> rows;
    QList<int> lines;
    QString error;
};

bool BlankRow(const QStringList &row)
{
    return std::all_of(row.begin(), row.end(), [](const QString &cell) { return cell.trimmed().isEmpty(); });
}

// Cells by the separator; a cell that starts with a quote runs to the closing
// quote, separators and line ends included, "" standing for one quote. Rows
// with nothing in them are left out. `maxRows` above 0 stops early.
SplitResult SplitRows(const QString &text, QChar separator, int maxRows = 0)
{
    SplitResult out;
    QStringList row;
    QString cell;
    bool started = false; // the cell has begun (a quote after that is text)
    bool quoted = false;
    int line = 1;
    int rowLine = 1;
    int quoteLine = 0;
    const qsizetype n = text.size();
    auto endCell = [&] {
        row << cell;
        cell.clear();
        started = false;
    };
    auto endRow = [&] {
        endCell();
        if (!BlankRow(row)) {
            out.rows << row;
            out.lines << rowLine;
        }
        row.clear();
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text.at(i + 1) == u'"') {
                    cell += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else if (c == u'\r' || c == u'\n') {
                // A line end inside a cell is kept as one "\n".
                if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                    ++i;
                cell += u'\n';
                ++line;
            } else {
                cell += c;
            }
            continue;
        }
        if (c == u'"' && !started) {
            quoted = true;
            started = true;
            quoteLine = line;
        } else if (c == separator) {
            endCell();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            endRow();
            ++line;
            rowLine = line;
            if (maxRows > 0 && out.rows.size() >= maxRows)
                return out;
        } else {
            cell += c;
            started = true;
        }
    }
    if (quoted) {
        out.error = QStringLiteral("line %1: a quoted cell is not closed").arg(quoteLine);
        return out;
    }
    if (started || !row.isEmpty())
        endRow();
    return out;
}

// Whether a row has the header's cells: as many, or more that are all empty.
bool RowFits(const QStringList &row, qsizetype headerCells)
{
    if (row.size() < headerCells)
        return false;
    for (qsizetype c = headerCells; c < row.size(); ++c)
        if (!row.at(c).trimmed().isEmpty())
            return false;
    return true;
}

// The separator that splits the header into the most cells with every row
// alike; the header's count alone when no separator gives alike rows.
QChar DetectSeparator(const QString &text)
{
    constexpr int SampleRows = 50;
    QChar best = Separators[0];
    int bestScore = -1;
    for (const QChar separator : Separators) {
        const SplitResult split = SplitRows(text, separator, SampleRows + 1);
        if (split.rows.isEmpty())
            continue;
        const qsizetype cells = split.rows.first().size();
        const bool alike = std::all_of(split.rows.begin() + 1, split.rows.end(),
                                       [cells](const QStringList &row) { return RowFits(row, cells); });
        // Alike rows of two or more cells come first, then the most cells.
        const int score = int(std::min<qsizetype>(cells, 100000)) + (alike && cells > 1 ? 1000000 : 0);
        if (score > bestScore) {
            best = separator;
            bestScore = score;
        }
    }
    return best;
}

// Control characters other than tab, line ends and form feed: a text file
// has none, or next to none.
bool LooksBinary(const QByteArray &bytes)
{
    qsizetype control = 0;
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == 0)
            return true;
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            ++control;
    }
    return control > bytes.size() / 100;
}

// ---- Cells -----------------------------------------------------------------

bool AllDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool IsGroupMark(QChar c, QChar group)
{
    return c == group || c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F) || c == u'\'' || c == QChar(0x2019);
}

// A one- or two-digit number written with a leading zero, without it: how a
// date's day and month compare whether padded or not.
QString WithoutPadding(const QString &text)
{
    static const QRegularExpression padded(QStringLiteral("(?<!\\d)0(\\d)(?!\\d)"));
    QString plain = text;
    return plain.replace(padded, QStringLiteral("\\1"));
}

// A date in a form of day, month and four-digit year numbers between marks
// ("dd.MM.yyyy", "M/d/yyyy"), read directly: a preview checks thousands of
// them. Nothing when the form has anything else, for Qt to read.
std::optional<QDate> ReadNumericDate(QStringView text, QStringView format)
{
    int parts[3] = {0, 0, 0}; // year, month, day
    qsizetype at = 0;
    auto number = [&](int minDigits, int maxDigits) -> std::optional<int> {
        int value = 0;
        int digits = 0;
        while (at < text.size() && digits < maxDigits && text.at(at).isDigit() && text.at(at).unicode() < 128) {
            value = value * 10 + (text.at(at).unicode() - '0');
            ++at;
            ++digits;
        }
        if (digits < minDigits || (at < text.size() && text.at(at).isDigit()))
            return std::nullopt;
        return value;
    };
    for (qsizetype f = 0; f < format.size();) {
        const QChar c = format.at(f);
        qsizetype run = 1;
        while (f + run < format.size() && format.at(f + run) == c)
            ++run;
        if (c.isLetter()) {
            int slot = -1;
            if (c == u'y' && run == 4)
                slot = 0;
            else if (c == u'M' && run <= 2)
                slot = 1;
            else if (c == u'd' && run <= 2)
                slot = 2;
            if (slot < 0)
                return std::nullopt;
            const std::optional<int> value = slot == 0 ? number(4, 4) : number(1, 2);
            if (!value)
                return QDate();
            parts[slot] = *value;
        } else {
            for (qsizetype i = 0; i < run; ++i, ++at)
                if (at >= text.size() || text.at(at) != c)
                    return QDate();
        }
        f += run;
    }
    if (at != text.size())
        return QDate();
    const QDate date(parts[0], parts[1], parts[2]);
    return StorableDate(date) ? date : QDate();
}

QString FieldNoun(RecordField field)
{
    switch (field) {
    case RecordField::Shares: return QStringLiteral("a number of shares");
    case RecordField::Price: return QStringLiteral("a price");
    case RecordField::Fees: return QStringLiteral("fees");
    case RecordField::Dividend: return QStringLiteral("a cash dividend");
    default: return RecordFieldName(field);
    }
}

// Why figures do not fit their type, for the preview: the first figure the
// type does not take, else the first it needs that is 0. FiguresFitType
// alone decides; this only names the cell.
ImportProblem MisfitProblem(int line, const TransactionType &type, const Money (&figures)[4])
{
    const bool used[4] = {type.number, type.price, type.fees, type.cashDividend};
    const QString name = QLatin1String(type.entryName);
    for (int k = 0; k < 4; ++k)
        if (!used[k] && !figures[k].isZero())
            return {line, FigureFields[k],
                    QStringLiteral("a %1 record takes no %2").arg(name, RecordFieldName(FigureFields[k]))};
    // Bought and Sold may have no fees; every other figure a type uses is needed.
    const bool feesOptional = type.code[0] == 'B' || type.code[0] == 'S';
    for (int k = 0; k < 4; ++k)
        if (used[k] && figures[k].isZero() && !(FigureFields[k] == RecordField::Fees && feesOptional))
            return {line, FigureFields[k],
                    QStringLiteral("a %1 record needs %2 above 0").arg(name, FieldNoun(FigureFields[k]))};
    return {line, RecordField::Type, QStringLiteral("the figures do not fit a %1 record").arg(name)};
}

QString MappingKey(const QStringList &header, QChar separator)
{
    QStringList cells;
    for (const QString &cell : header)
        cells << cell.trimmed();
    return QString(separator) + QChar(0x1F) + cells.join(QChar(0x1E));
}

} // namespace

QString RecordFieldName(RecordField field)
{
    const int i = Index(field);
    return i >= 0 && i < RecordFieldCount ? QLatin1String(FieldNames[i]) : QString();
}

std::optional<RecordField> RecordFieldOfName(const QString &name)
{
    const QString folded = name.trimmed().toCaseFolded();
    for (int i = 0; i < RecordFieldCount; ++i)
        if (folded == QLatin1String(FieldNames[i]))
            return RecordField(i);
    return std::nullopt;
}

CsvReadResult ReadCsv(const QByteArray &bytes, std::optional<QChar> separator)
{
    auto refused = [](const QString &why) { return CsvReadResult{std::nullopt, why}; };
    if (bytes.size() > MaxImportBytes)
        return refused(QStringLiteral("the file is larger than %1 MB").arg(MaxImportBytes / (1024 * 1024)));
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    // Old DOS programs end a text file with Ctrl+Z.
    while (body.endsWith('\x1A'))
        body.chop(1);
    if (body.startsWith("\xFF\xFE") || body.startsWith("\xFE\xFF"))
        return refused(QStringLiteral("the file is UTF-16 text; save it as UTF-8 or Latin-1"));
    if (LooksBinary(body))
        return refused(QStringLiteral("the file holds binary data, not text"));

    CsvTable table;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(body);
    if (utf8.hasError()) {
        text = QString::fromLatin1(body);
        table.latin1 = true;
    }
    if (text.trimmed().isEmpty())
        return refused(QStringLiteral("the file is empty"));
    if (separator && !std::count(std::begin(Separators), std::end(Separators), *separator))
        return refused(QStringLiteral("the separator must be a comma, a semicolon or a tab"));
    table.separator = separator ? *separator : DetectSeparator(text);

    SplitResult split = SplitRows(text, table.separator);
    if (!split.error.isEmpty())
        return refused(split.error);
    if (split.rows.isEmpty())
        return refused(QStringLiteral("the file has no header row"));
    for (const QString &cell : split.rows.first())
        table.header << cell.trimmed();
    table.headerLine = split.lines.first();
    split.rows.removeFirst();
    split.lines.removeFirst();
    table.rows = std::move(split.rows);
    table.lineNumbers = std::move(split.lines);
    return {std::move(table), QString()};
}

CsvReadResult ReadCsvFile(const QString &path, std::optional<QChar> separator)
{
    QString why;
    // One byte more than the reader takes is enough for it to refuse the file.
    const std::optional<QByteArray> bytes = ReadDataFile(path, MaxImportBytes + 1, &why);
    if (!bytes)
        return {std::nullopt, why.isEmpty() ? QStringLiteral("the file cannot be read") : why};
    return ReadCsv(*bytes, separator);
}

QStringList ImportDateFormats()
{
    QStringList formats{QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd/MM/yyyy"), QStringLiteral("MM/dd/yyyy"),
                        QStringLiteral("dd.MM.yyyy")};
    const QString own = ShortDateFormat();
    if (!formats.contains(own))
        formats << own;
    return formats;
}

QDate ReadImportDate(const QString &cell, const QString &format)
{
    const QString text = cell.trimmed();
    // Qt reads "yy" as 19yy and a short "yyyy" as a year of the first
    // centuries: only a four-digit year is taken.
    if (text.isEmpty() || !format.contains(QLatin1String("yyyy")))
        return {};
    if (const std::optional<QDate> numeric = ReadNumericDate(text, format))
        return *numeric;
    QString loose = format;
    static const QRegularExpression day(QStringLiteral("(?<!d)dd(?!d)"));
    static const QRegularExpression month(QStringLiteral("(?<!M)MM(?!M)"));
    loose.replace(day, QStringLiteral("d")).replace(month, QStringLiteral("M"));
    for (const QString &form : {format, loose}) {
        const QDate date = QDate::fromString(text, form);
        // Written back, the date must give the cell again (padding aside):
        // nothing was skipped or read in another way.
        if (StorableDate(date) && WithoutPadding(date.toString(form)) == WithoutPadding(text))
            return date;
    }
    return {};
}

std::optional<Money> ReadImportFigure(const QString &cell, DecimalSeparator decimal, QString *reason)
{
    QString text = cell.trimmed();
    if (text.isEmpty())
        return Money();
    const QChar point = decimal == DecimalSeparator::Point ? u'.' : u',';
    const QChar group = decimal == DecimalSeparator::Point ? u',' : u'.';
    auto refuse = [&]() -> std::optional<Money> {
        if (reason)
            *reason = QStringLiteral("\"%1\" is not a number with \"%2\" as its decimal separator").arg(cell.trimmed(), point);
        return std::nullopt;
    };
    QString sign;
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        if (text.startsWith(u'-'))
            sign = QStringLiteral("-");
        text = text.mid(1).trimmed();
    }
    if (text.count(point) > 1)
        return refuse();
    const qsizetype at = text.indexOf(point);
    const QString whole = at < 0 ? text : text.left(at);
    const QString fraction = at < 0 ? QString() : text.mid(at + 1);
    if (!AllDigits(fraction) || (whole.isEmpty() && fraction.isEmpty()))
        return refuse();
    // Thousands marks only between groups of three digits: "1,5" with a
    // decimal point is refused rather than read as 15.
    QString digits;
    QStringList groups{QString()};
    for (const QChar c : whole) {
        if (IsGroupMark(c, group))
            groups << QString();
        else
            groups.last() += c;
    }
    for (int g = 0; g < groups.size(); ++g) {
        const QString &part = groups.at(g);
        if (!AllDigits(part))
            return refuse();
        if (groups.size() > 1 && (g == 0 ? part.isEmpty() || part.size() > 3 : part.size() != 3))
            return refuse();
        digits += part;
    }
    if (!fraction.isEmpty())
        digits += u'.' + fraction;
    Money value;
    try {
        if (!Money::fromDecimalText(QString(sign + digits), value))
            return refuse();
    } catch (const ArithmeticFault &) {
        if (reason)
            *reason = QStringLiteral("\"%1\" is larger than any figure a record holds").arg(cell.trimmed());
        return std::nullopt;
    }
    return value;
}

QString TypeCodeOfWord(const ImportMapping &mapping, const QString &word)
{
    const QString folded = word.trimmed().toCaseFolded();
    if (folded.isEmpty())
        return QString();
    for (auto it = mapping.typeWords.begin(); it != mapping.typeWords.end(); ++it)
        if (it.key().trimmed().toCaseFolded() == folded && TypeOfCode(it.value()))
            return it.value();
    for (const TransactionType &type : TransactionTypes()) {
        for (const char *name : {type.code, type.entryName, type.listingName})
            if (QString::fromLatin1(name).trimmed().toCaseFolded() == folded)
                return QLatin1String(type.code);
    }
    for (const TypeWord &common : CommonTypeWords)
        if (QString::fromUtf8(common.utf8) == folded)
            return QLatin1String(common.code);
    return QString();
}

QStringList TypeWordsOf(const CsvTable &table, const ImportMapping &mapping)
{
    QStringList words;
    QSet<QString> seen;
    const int column = mapping.columns[Index(RecordField::Type)];
    if (column < 0)
        return words;
    for (const QStringList &row : table.rows) {
        const QString word = row.value(column).trimmed();
        if (!word.isEmpty() && !seen.contains(word.toCaseFolded())) {
            seen.insert(word.toCaseFolded());
            words << word;
        }
    }
    return words;
}

ImportMapping GuessMapping(const CsvTable &table)
{
    ImportMapping mapping;
    for (int c = 0; c < table.header.size(); ++c)
        if (const std::optional<RecordField> field = RecordFieldOfName(table.header.at(c)))
            if (mapping.columns[Index(*field)] < 0)
                mapping.columns[Index(*field)] = c;
    for (const Heading &common : CommonHeadings) {
        int &column = mapping.columns[Index(common.field)];
        if (column >= 0)
            continue;
        for (int c = 0; c < table.header.size(); ++c)
            if (table.header.at(c).trimmed().toCaseFolded() == QString::fromUtf8(common.utf8) &&
                !std::ranges::count(mapping.columns, c)) {
                column = c;
                break;
            }
    }
    GuessFormats(table, mapping);
    return mapping;
}

void GuessFormats(const CsvTable &table, ImportMapping &mapping)
{
    auto cellsOf = [&table](int column) {
        QStringList cells;
        if (column >= 0)
            for (const QStringList &row : table.rows)
                if (const QString cell = row.value(column).trimmed(); !cell.isEmpty())
                    cells << cell;
        return cells;
    };

    const QStringList formats = ImportDateFormats();
    mapping.dateFormat = formats.first();
    const QStringList dates = cellsOf(mapping.columns[Index(RecordField::Date)]);
    if (!dates.isEmpty()) {
        for (const QString &format : formats) {
            if (std::all_of(dates.begin(), dates.end(),
                            [&format](const QString &cell) { return ReadImportDate(cell, format).isValid(); })) {
                mapping.dateFormat = format;
                break;
            }
        }
    }

    bool commaOnly = false;
    bool pointOnly = false;
    for (const RecordField field : FigureFields) {
        const QStringList cells = cellsOf(mapping.columns[Index(field)]);
        auto readsAll = [&cells](DecimalSeparator decimal) {
            return std::all_of(cells.begin(), cells.end(),
                               [decimal](const QString &cell) { return ReadImportFigure(cell, decimal).has_value(); });
        };
        const bool point = readsAll(DecimalSeparator::Point);
        const bool comma = readsAll(DecimalSeparator::Comma);
        commaOnly = commaOnly || (comma && !point);
        pointOnly = pointOnly || (point && !comma);
    }
    mapping.decimal = commaOnly && !pointOnly ? DecimalSeparator::Comma : DecimalSeparator::Point;
}

ImportPlan PlanImport(const FundDatabase &db, const CsvTable &table, const ImportMapping &mapping)
{
    ImportPlan plan;
    for (int fund = 1; fund <= db.fundCount(); ++fund)
        plan.fundsBefore << db.fundName(fund);
    plan.recordsBefore = db.recordCount();
    auto add = [&plan](const ImportProblem &problem) {
        if (plan.problems.size() < MaxListedProblems)
            plan.problems << problem;
        else
            ++plan.unlistedProblems;
    };
    auto tell = [&add](int line, RecordField field, const QString &reason) { add({line, field, reason}); };
    auto columnOf = [&mapping](RecordField field) { return mapping.columns[Index(field)]; };

    // The mapping itself, told once against the header row.
    for (const RecordField field : {RecordField::Date, RecordField::Fund, RecordField::Type})
        if (columnOf(field) < 0)
            tell(table.headerLine, field, QStringLiteral("no column is chosen for it"));
    for (int i = 0; i < RecordFieldCount; ++i)
        if (mapping.columns[i] >= table.header.size() || mapping.columns[i] < -1)
            tell(table.headerLine, RecordField(i),
                 QStringLiteral("column %1 is not in the file, which has %2").arg(mapping.columns[i] + 1).arg(table.header.size()));
    if (!plan.problems.isEmpty())
        return plan;

    // Funds by name as stored; the first of two alike names is the one found.
    QHash<QString, int> funds;
    for (int fund = db.fundCount(); fund >= 1; --fund)
        funds.insert(db.fundName(fund), fund);
    int fundCount = db.fundCount();
    QSet<QString> beyondFundLimit;
    const qsizetype room = qsizetype(MaxEnteredRecords) - db.recordCount();
    const qsizetype headerCells = table.header.size();
    // Empty cells past the header are a trailing separator only when every
    // row has them: one row longer than the others is more likely a figure
    // split at an unquoted separator ("1,500"), whose cells would be shifted.
    const qsizetype width = table.rows.isEmpty() ? headerCells : table.rows.first().size();
    const bool trailingSeparators =
        width > headerCells && std::all_of(table.rows.begin(), table.rows.end(), [&](const QStringList &row) {
            return row.size() == width && RowFits(row, headerCells);
        });

    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        const QStringList &row = table.rows.at(r);
        const int line = table.lineNumbers.value(r);
        if (r >= room) {
            // Entry stops at the limit; told once, at the first row past it.
            if (r == std::max<qsizetype>(room, 0))
                tell(line, RecordField::Date,
                     QStringLiteral("record %1 of the file would go past %2 records in the database, which holds %3")
                         .arg(r + 1)
                         .arg(MaxEnteredRecords)
                         .arg(db.recordCount()));
            continue;
        }
        if (row.size() > headerCells && !trailingSeparators) {
            tell(line, RecordField::Date,
                 QStringLiteral("the row has %1 cells where the header has %2").arg(row.size()).arg(headerCells));
            continue;
        }
        bool shortRow = false;
        for (int i = 0; i < RecordFieldCount && !shortRow; ++i) {
            if (mapping.columns[i] >= row.size()) {
                tell(line, RecordField(i),
                     QStringLiteral("the row ends before column %1 (it has %2 cells)").arg(mapping.columns[i] + 1).arg(row.size()));
                shortRow = true;
            }
        }
        if (shortRow)
            continue;
        auto cell = [&](RecordField field) {
            const int column = columnOf(field);
            return column < 0 ? QString() : row.at(column).trimmed();
        };

        const QString word = cell(RecordField::Type);
        const QString code = TypeCodeOfWord(mapping, word);
        if (word.isEmpty()) {
            tell(line, RecordField::Type, QStringLiteral("no transaction type"));
            continue;
        }
        if (code.isEmpty()) {
            tell(line, RecordField::Type,
                 QStringLiteral("\"%1\" is not a transaction type; map it to B, S, C, D, F or U").arg(word));
            continue;
        }
        const QString dateText = cell(RecordField::Date);
        if (dateText.isEmpty()) {
            tell(line, RecordField::Date, QStringLiteral("no date"));
            continue;
        }
        const QDate date = ReadImportDate(dateText, mapping.dateFormat);
        if (!date.isValid()) {
            tell(line, RecordField::Date, QStringLiteral("\"%1\" is not a date in the form %2").arg(dateText, mapping.dateFormat));
            continue;
        }
        const QString name = FundNameToStore(cell(RecordField::Fund));
        if (name.isEmpty()) {
            tell(line, RecordField::Fund, QStringLiteral("no fund name"));
            continue;
        }
        if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.category() == QChar::Other_Control; })) {
            tell(line, RecordField::Fund, QStringLiteral("a fund name on more than one line or with control characters"));
            continue;
        }

        Money figures[4];
        bool figuresRead = true;
        for (int k = 0; k < 4 && figuresRead; ++k) {
            QString why;
            const std::optional<Money> value = ReadImportFigure(cell(FigureFields[k]), mapping.decimal, &why);
            if (!value) {
                tell(line, FigureFields[k], why);
                figuresRead = false;
            } else if (*value < Money()) {
                // The entry boxes take no minus: the type gives a figure its sign.
                tell(line, FigureFields[k],
                     QStringLiteral("\"%1\" is negative; figures are entered as positive amounts and the type "
                                    "gives the sign")
                         .arg(cell(FigureFields[k])));
                figuresRead = false;
            } else {
                figures[k] = *value;
            }
        }
        if (!figuresRead)
            continue;
        const EntryFigures entry{figures[1], figures[0], figures[2], figures[3]};
        if (!FiguresFitType(code, entry)) {
            add(MisfitProblem(line, *TypeOfCode(code), figures));
            continue;
        }

        FundRecord record;
        try {
            record = MakeRecord(0, code, date, entry, db.recordCount() + int(plan.records.size()) + 1);
        } catch (const ArithmeticFault &) {
            tell(line, RecordField::Shares, QStringLiteral("price x shares + fees is larger than a record holds"));
            continue;
        }

        int fund = funds.value(name);
        if (fund == 0) {
            if (fundCount >= MaxFunds) {
                if (!beyondFundLimit.contains(name))
                    tell(line, RecordField::Fund,
                         QStringLiteral("a new fund \"%1\" would be one more than the %2 funds a database holds")
                             .arg(name)
                             .arg(MaxFunds));
                beyondFundLimit.insert(name);
                continue;
            }
            fund = ++fundCount;
            funds.insert(name, fund);
            plan.newFunds << name;
        }
        record.fundNumber = Money::fromWhole(fund);
        plan.records << record;
    }
    return plan;
}

bool ApplyImport(FundDatabase &db, const ImportPlan &plan)
{
    if (!plan.ok() || db.recordCount() != plan.recordsBefore || db.fundCount() != plan.fundsBefore.size())
        return false;
    for (int fund = 1; fund <= db.fundCount(); ++fund)
        if (db.fundName(fund) != plan.fundsBefore.at(fund - 1))
            return false;
    if (plan.records.isEmpty() && plan.newFunds.isEmpty())
        return true;
    if (db.fundCount() + plan.newFunds.size() > MaxFunds ||
        db.recordCount() + plan.records.size() > MaxEnteredRecords)
        return false;
    // Made whole on a copy, so a refusal half way leaves nothing behind.
    FundDatabase merged = db;
    for (const QString &name : plan.newFunds)
        if (merged.addFund(name) == 0)
            return false;
    for (const FundRecord &record : plan.records) {
        const qint64 fund = record.fundNumber.floorUnits();
        if (fund < 1 || fund > merged.fundCount() || !StorableDate(record.date) || merged.appendRecord(record) == 0)
            return false;
    }
    merged.SortRecordsByDate();
    db = std::move(merged);
    return true;
}

namespace {

QByteArray CsvCell(const QString &text)
{
    static const QRegularExpression special(QStringLiteral("[,;\\t\"\\r\\n]|^\\s|\\s$"));
    if (!special.match(text).hasMatch())
        return text.toUtf8();
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

} // namespace

QByteArray ExportRecordsCsv(const FundDatabase &db)
{
    QByteArray out;
    QStringList header;
    for (const char *name : FieldNames)
        header << QLatin1String(name);
    out += header.join(QLatin1Char(',')).toLatin1() + "\r\n";
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        const FundRecord &record = db.record(slot);
        // A sale or unit fee keeps its shares negative; they were typed positive.
        QByteArray shares = PlainNumber(record.shares);
        if (shares.startsWith('-'))
            shares.remove(0, 1);
        out += record.date.toString(Qt::ISODate).toLatin1() + ',' +
               CsvCell(db.fundName(int(record.fundNumber.floorUnits()))) + ',' + CsvCell(record.typeCode) + ',' +
               shares + ',' + PlainNumber(record.price) + ',' + PlainNumber(record.fees) + ',' +
               PlainNumber(record.cashDividend) + "\r\n";
    }
    return out;
}

// ---- Remembered mappings ---------------------------------------------------

namespace {

constexpr qint64 MaxMappingFileBytes = 1024 * 1024;
const char MappingFileKind[] = "Tallomar import mappings";

std::optional<ImportMapping> MappingOfJson(const QJsonObject &object, qsizetype headerCells)
{
    ImportMapping mapping;
    const QJsonObject columns = object.value(QLatin1String("columns")).toObject();
    for (auto it = columns.begin(); it != columns.end(); ++it) {
        const std::optional<RecordField> field = RecordFieldOfName(it.key());
        const int column = it.value().toInt(-2);
        if (!field || !it.value().isDouble() || column < -1 || column >= headerCells)
            return std::nullopt;
        mapping.columns[Index(*field)] = column;
    }
    mapping.dateFormat = object.value(QLatin1String("date_format")).toString();
    const QString decimal = object.value(QLatin1String("decimal")).toString();
    if (mapping.dateFormat.isEmpty() || (decimal != QLatin1String(".") && decimal != QLatin1String(",")))
        return std::nullopt;
    mapping.decimal = decimal == QLatin1String(",") ? DecimalSeparator::Comma : DecimalSeparator::Point;
    const QJsonObject words = object.value(QLatin1String("types")).toObject();
    for (auto it = words.begin(); it != words.end(); ++it) {
        if (!TypeOfCode(it.value().toString()))
            return std::nullopt;
        mapping.typeWords.insert(it.key(), it.value().toString());
    }
    return mapping;
}

QJsonObject JsonOfMapping(const ImportMapping &mapping)
{
    QJsonObject columns;
    for (int i = 0; i < RecordFieldCount; ++i)
        columns.insert(QLatin1String(FieldNames[i]), mapping.columns[i]);
    QJsonObject words;
    for (auto it = mapping.typeWords.begin(); it != mapping.typeWords.end(); ++it)
        words.insert(it.key(), it.value());
    return {{QStringLiteral("columns"), columns},
            {QStringLiteral("date_format"), mapping.dateFormat},
            {QStringLiteral("decimal"), mapping.decimal == DecimalSeparator::Comma ? QStringLiteral(",")
                                                                                   : QStringLiteral(".")},
            {QStringLiteral("types"), words}};
}

} // namespace

ImportMappingStore ImportMappingStore::load(const QString &path)
{
    ImportMappingStore store;
    const std::optional<QByteArray> bytes = ReadDataFile(path, MaxMappingFileBytes + 1);
    if (!bytes || bytes->size() > MaxMappingFileBytes)
        return store;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(*bytes, &error);
    const QJsonObject top = document.object();
    if (error.error != QJsonParseError::NoError || top.value(QLatin1String("kind")).toString() != QLatin1String(MappingFileKind))
        return store;
    ImportMappingStore read;
    for (const QJsonValue &value : top.value(QLatin1String("layouts")).toArray()) {
        const QJsonObject layout = value.toObject();
        const QString separator = layout.value(QLatin1String("separator")).toString();
        QStringList header;
        for (const QJsonValue &cell : layout.value(QLatin1String("header")).toArray()) {
            if (!cell.isString())
                return store;
            header << cell.toString();
        }
        const std::optional<ImportMapping> mapping = MappingOfJson(layout.value(QLatin1String("mapping")).toObject(),
                                                                   header.size());
        if (separator.size() != 1 || !std::count(std::begin(Separators), std::end(Separators), separator.at(0)) ||
            header.isEmpty() || !mapping)
            return store;
        read.remember(header, separator.at(0), *mapping);
    }
    return read;
}

bool ImportMappingStore::save(const QString &path) const
{
    QJsonArray layouts;
    for (auto it = m_mappings.begin(); it != m_mappings.end(); ++it) {
        const QString &key = it.key();
        const qsizetype mark = key.indexOf(QChar(0x1F));
        layouts.append(QJsonObject{{QStringLiteral("separator"), key.left(mark)},
                                   {QStringLiteral("header"), QJsonArray::fromStringList(key.mid(mark + 1).split(QChar(0x1E)))},
                                   {QStringLiteral("mapping"), JsonOfMapping(it.value())}});
    }
    const QJsonObject top{{QStringLiteral("kind"), QLatin1String(MappingFileKind)},
                          {QStringLiteral("version"), 1},
                          {QStringLiteral("layouts"), layouts}};
    return SaveFileWhole(path, QJsonDocument(top).toJson(QJsonDocument::Indented), static_cast<QString *>(nullptr));
}

std::optional<ImportMapping> ImportMappingStore::find(const QStringList &header, QChar separator) const
{
    const auto it = m_mappings.constFind(MappingKey(header, separator));
    if (it == m_mappings.constEnd())
        return std::nullopt;
    return *it;
}

void ImportMappingStore::remember(const QStringList &header, QChar separator, const ImportMapping &mapping)
{
    m_mappings.insert(MappingKey(header, separator), mapping);
}

QString ImportMappingsPath(const QString &programDir)
{
    return QFileInfo(SettingsFileToWrite(programDir)).dir().filePath(QStringLiteral("ImportMappings.tlm"));
}
