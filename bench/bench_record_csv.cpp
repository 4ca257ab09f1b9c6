// Times an import of 1,000 rows as the import window makes it: reading the
// file, the first guess of the mapping, the checks of every row (the plan
// the preview shows) and adding the records to an empty database.
#include "invest/fund_database.h"
#include "invest/record_csv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A broker's export: semicolons, dd.MM.yyyy dates, decimal commas with
// thousands marks, quoted names, 30 funds and its own type words.
QByteArray BrokerFile()
{
    QByteArray text = "Datum;Wertpapier;Vorgang;St\xC3\xBC" "ck;Kurs;Geb\xC3\xBChr;Ertrag\r\n";
    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int row = 0; row < MaxEnteredRecords; ++row) {
        const QDate date = QDate(1995, 1, 1).addDays(int(next() % 10000));
        const int fund = 1 + int(next() % MaxFunds);
        text += date.toString(QStringLiteral("dd.MM.yyyy")).toLatin1() + ";\"Fonds Nr. " + QByteArray::number(fund) +
                "\";";
        if (row % 10 == 9)
            text += "Dividende;;;;1.234,56\r\n";
        else
            text += QByteArray(row % 7 == 6 ? "Verkauf" : "Kauf") + ";1." + QByteArray::number(100 + next() % 900) +
                    "," + QByteArray::number(next() % 100) + ";" + QByteArray::number(10 + next() % 90) + ",1234;9,90;\r\n";
    }
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray file = BrokerFile();
    std::vector<double> previews;
    std::vector<double> imports;
    for (int run = 0; run < 25; ++run) {
        QElapsedTimer timer;
        timer.start();
        const CsvReadResult read = ReadCsv(file);
        if (!read.table)
            return 1;
        ImportMapping mapping = GuessMapping(*read.table);
        mapping.columns = {0, 1, 2, 3, 4, 5, 6};
        GuessFormats(*read.table, mapping);
        mapping.typeWords = {{"kauf", "B"}, {"verkauf", "S"}, {"dividende", "C"}};
        const ImportPlan plan = PlanImport(FundDatabase(), *read.table, mapping);
        previews.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!plan.ok() || plan.records.size() != MaxEnteredRecords) {
            std::printf("refused: line %d, %s\n", plan.problems.value(0).line,
                        qPrintable(plan.problems.value(0).reason));
            return 1;
        }
        FundDatabase db;
        timer.restart();
        if (!ApplyImport(db, plan))
            return 1;
        imports.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("read, guess and check 1000 rows: median %.2f ms (budget 50 ms)\n", Median(previews));
    std::printf("add them to an empty database and sort: median %.2f ms\n", Median(imports));
    return 0;
}
