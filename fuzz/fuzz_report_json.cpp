// The report program's JSON input: any bytes as the --input file of a growth
// report in JSON. It must end with one of its exit codes and never crash.
#include "fuzz_check.h"
#include "report/report_cli.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_report_json";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    static const QString input = dir.filePath(QStringLiteral("input.json"));
    static const bool pinned = [] {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        return true;
    }();
    (void)pinned;

    QFile file(input);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    file.close();

    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    const int code = RunReport(QStringList{QStringLiteral("growth"), QStringLiteral("--input"), input,
                                           QStringLiteral("--format"), QStringLiteral("json")},
                               dir.path(), out, err);
    out.flush();
    err.flush();
    FUZZ_CHECK(code == ReportOk || code == ReportUsage || code == ReportRefused);
    if (code == ReportUsage)
        FUZZ_CHECK(outText.isEmpty() && !errText.isEmpty());
    else
        FUZZ_CHECK(outText.startsWith(QLatin1Char('{')));
    return 0;
}
