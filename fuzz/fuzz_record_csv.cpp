// The CSV records reader on any bytes, with the first guess and the checked
// plan: never a crash; a plan without problems fits the database, applies
// whole, and its records exported and imported again are the same records.
#include "fuzz_check.h"
#include "invest/fund_database.h"
#include "invest/fund_file.h"
#include "invest/record_csv.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const CsvReadResult read = ReadCsv(bytes);
    FUZZ_CHECK(read.table.has_value() == read.error.isEmpty());
    if (!read.table)
        return 0;
    const CsvTable &table = *read.table;
    FUZZ_CHECK(table.rows.size() == table.lineNumbers.size());
    ImportMapping mapping = GuessMapping(table);
    // The type words of the file as Bought, so that more rows get past the type.
    for (const QString &word : TypeWordsOf(table, mapping))
        mapping.typeWords.insert(word.toCaseFolded(), QStringLiteral("B"));
    FundDatabase db;
    db.addFund(QStringLiteral("Held"));
    const ImportPlan plan = PlanImport(db, table, mapping);
    FUZZ_CHECK(plan.problems.size() <= MaxListedProblems);
    if (!plan.ok()) {
        const QByteArray before = FundFileText(db);
        FUZZ_CHECK(!ApplyImport(db, plan));
        FUZZ_CHECK(FundFileText(db) == before);
        return 0;
    }
    FUZZ_CHECK(plan.records.size() <= MaxEnteredRecords);
    FUZZ_CHECK(1 + plan.newFunds.size() <= MaxFunds);
    FUZZ_CHECK(ApplyImport(db, plan));
    FUZZ_CHECK(db.recordCount() == plan.records.size());
    for (int slot = 1; slot <= db.recordCount(); ++slot) {
        const FundRecord &record = db.record(slot);
        FUZZ_CHECK(StorableDate(record.date));
        FUZZ_CHECK(record.fundNumber >= Money::fromWhole(1) && record.fundNumber <= Money::fromWhole(db.fundCount()));
    }
    // What the database holds is written and read back alike.
    FUZZ_CHECK(ReadFundText(FundFileText(db)).ok());
    const QByteArray exported = ExportRecordsCsv(db);
    const CsvReadResult again = ReadCsv(exported);
    FUZZ_CHECK(again.table.has_value());
    FundDatabase copy;
    const ImportPlan replan = PlanImport(copy, *again.table, GuessMapping(*again.table));
    FUZZ_CHECK(replan.ok());
    FUZZ_CHECK(ApplyImport(copy, replan));
    FUZZ_CHECK(ExportRecordsCsv(copy) == exported);
    return 0;
}
