#pragma once

#include "invest/fund_record.h"

#include <QByteArray>
#include <QChar>
#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class FundDatabase;

// Records in and out of the investment manager as CSV: the reader behind
// "Import Records..." and `tallomar-report funds --import`, and the writer
// behind "Export Records..." and `--records --format csv`. A file is read
// whole, checked row by row with the record entry window's rules, and only
// then, all or nothing, added to the database.

// The record's fields as columns. Their names are the export's header, the
// command line's --map names and the import preview's choices.
enum class RecordField { Date, Fund, Type, Shares, Price, Fees, Dividend };
inline constexpr int RecordFieldCount = 7;
// "date", "fund", "type", "shares", "price", "fees", "dividend".
QString RecordFieldName(RecordField field);
std::optional<RecordField> RecordFieldOfName(const QString &name);

// A file is refused before any row is looked at when it is larger than this.
inline constexpr qint64 MaxImportBytes = 8 * 1024 * 1024;

// The cells of a delimited file: the header row, then every non-empty row with
// the line it starts on (quoted cells may span lines).
struct CsvTable
{
    QChar separator;            // ',', ';' or '\t'
    bool latin1 = false;        // read as Latin-1 because it was not UTF-8
    QStringList header;         // cells trimmed
    int headerLine = 1;         // line of the header row in the file
    QList<QStringList> rows;
    QList<int> lineNumbers;     // line of each row in the file, 1-based
};

struct CsvReadResult
{
    std::optional<CsvTable> table;
    QString error;              // one line, when table is empty
};

// Reads a file's bytes. Without a separator the one that splits the header row
// into the most cells (and every row alike) is taken. UTF-8 (with or without a
// byte order mark) is taken when the bytes are valid UTF-8, else Latin-1.
// Refuses an empty file, a file without a header row, binary data, a quoted
// cell left open and a file larger than MaxImportBytes.
CsvReadResult ReadCsv(const QByteArray &bytes, std::optional<QChar> separator = std::nullopt);
// Reads a file (a regular file only) and then its bytes as above.
CsvReadResult ReadCsvFile(const QString &path, std::optional<QChar> separator = std::nullopt);

enum class DecimalSeparator { Point, Comma };

// How a table's columns become records.
struct ImportMapping
{
    std::array<int, RecordFieldCount> columns; // column of each field, -1 for none
    QString dateFormat;                        // a QDate format, e.g. "dd.MM.yyyy"
    DecimalSeparator decimal = DecimalSeparator::Point;
    // The file's type words, case-folded, to the six type codes (B, S, C, D,
    // F, U). The codes themselves and the entry and listing names of the
    // types are always understood.
    QMap<QString, QString> typeWords;

    ImportMapping() { columns.fill(-1); }
    bool operator==(const ImportMapping &) const = default;
};

// The date formats offered: "yyyy-MM-dd", "dd/MM/yyyy", "MM/dd/yyyy",
// "dd.MM.yyyy" and the user's short date format.
QStringList ImportDateFormats();

// A first guess: columns whose header is a field's name (case-folded) map to
// it; the date format is the first offered one that reads every date cell;
// the decimal separator is "," when a figure column only reads that way.
ImportMapping GuessMapping(const CsvTable &table);
// The date format and decimal separator of that guess, for the columns the
// mapping has: to guess again after a column was chosen by hand.
void GuessFormats(const CsvTable &table, ImportMapping &mapping);

// The type code a cell of the type column stands for under the mapping (its
// type words first, then the codes and the type names), empty for none.
QString TypeCodeOfWord(const ImportMapping &mapping, const QString &word);
// The different words of the mapped type column, trimmed, in file order.
QStringList TypeWordsOf(const CsvTable &table, const ImportMapping &mapping);
// A cell of a figure column as the import reads it: empty is 0; "." or ","
// decimals as the mapping says, thousands separators (the other mark, spaces,
// apostrophes) only between groups of three digits; rounded half to even to
// four decimals. Nothing, with *reason, for anything else.
std::optional<Money> ReadImportFigure(const QString &cell, DecimalSeparator decimal, QString *reason = nullptr);
// A cell of the date column in the given format; day and month may also have
// one digit. Invalid for anything else or a year outside 1 to 9999.
QDate ReadImportDate(const QString &cell, const QString &format);

// One refused cell.
struct ImportProblem
{
    int line = 0;               // line in the file
    RecordField field = RecordField::Date;
    QString reason;             // one line, for the preview and the command line

    bool operator==(const ImportProblem &) const = default;
};

// What an import would add, found without changing the database.
struct ImportPlan
{
    QList<FundRecord> records;  // in file order, fund numbers as they will be
    QStringList newFunds;       // names of the funds the import adds, in order
    QList<ImportProblem> problems;
    // Problems beyond the first MaxListedProblems are only counted.
    int unlistedProblems = 0;
    // The funds and the number of records the plan was made against: a plan
    // for a database that changed since is not applied.
    QStringList fundsBefore;
    int recordsBefore = 0;

    bool ok() const { return problems.isEmpty(); }
};
inline constexpr int MaxListedProblems = 200;

// Checks every row with the record entry window's rules: the type and the
// figures it needs, a valid date, figures rounded to four decimals, and the
// 30-fund and 1,000-record limits counted with what the database holds.
ImportPlan PlanImport(const FundDatabase &db, const CsvTable &table, const ImportMapping &mapping);

// Adds a plan without problems: new funds, then the records, then sorts by
// date. False, and nothing changed, when the plan has problems or no longer
// fits the database.
bool ApplyImport(FundDatabase &db, const ImportPlan &plan);

// Every record as CSV: header "date,fund,type,shares,price,fees,dividend",
// ISO dates, type codes, plain numbers with "." and shares as typed (positive),
// so that importing the export into an empty database gives the same records.
QByteArray ExportRecordsCsv(const FundDatabase &db);

// The mappings a user chose, remembered per file layout (the header row) in a
// file of their own in the settings folder.
class ImportMappingStore
{
public:
    // Reads the file; a missing, unreadable or damaged file gives an empty store.
    static ImportMappingStore load(const QString &path);
    // Writes the whole store through the shared safe writer; false on failure.
    bool save(const QString &path) const;

    std::optional<ImportMapping> find(const QStringList &header, QChar separator) const;
    void remember(const QStringList &header, QChar separator, const ImportMapping &mapping);

private:
    QMap<QString, ImportMapping> m_mappings; // key: separator and header row
};

// Where the store lives: "ImportMappings.tlm" in the folder the settings file
// is written to (see SettingsFileToWrite).
QString ImportMappingsPath(const QString &programDir);
