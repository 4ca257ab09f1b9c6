// The report program's JSON input: any bytes as the --input of a growth
// report in JSON, given from memory as the program's own reading would give
// them. It must end with one of its exit codes and never crash. The command
// line is parsed once, as one run of the program parses it once.
#include "fuzz_check.h"
#include "report/report_cli.h"

#include <QCoreApplication>
#include <QLocale>
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
    // An empty folder for the program: no settings file in it.
    static QTemporaryDir dir;
    static const bool pinned = [] {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        return true;
    }();
    (void)pinned;
    static ReportLine line({QStringLiteral("growth"), QStringLiteral("--input"), QStringLiteral("-"),
                            QStringLiteral("--format"), QStringLiteral("json")},
                           dir.path());

    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const int code = line.run(out, err, &input);
    out.flush();
    err.flush();
    FUZZ_CHECK(code == ReportOk || code == ReportUsage || code == ReportRefused);
    if (code == ReportUsage)
        FUZZ_CHECK(outText.isEmpty() && !errText.isEmpty());
    else
        FUZZ_CHECK(outText.startsWith(QLatin1Char('{')));
    return 0;
}
