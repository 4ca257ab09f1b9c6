#include "mortgage/mortgage_fields.h"
#include "mortgage/mortgage_file.h"
#include "mortgage/mortgage_session.h"
#include "report/report_command.h"
#include "shell/app_state.h"
#include "shell/message_numbers.h"

#include <QCommandLineParser>

const ReportCommand &MortgageCommand()
{
    static const CommandSwitch switches[] = {
        {"loan", "a personal loan: --term is in months (at most 480); the loan's openings"},
        {"dates", "show payment dates instead of numbers (from --first-date)"}};
    static const ReportCommand command{
        .name = "mortgage",
        .summary = "a mortgage or loan repayment schedule, payment by payment or year by year",
        .description =
            "The repayment schedule of a mortgage (--term in years) or, with --loan, a personal loan (--term\n"
            "in months), with the compounding and payment frequency chosen by name (any case), additional\n"
            "payments at the start of a year (--extra YEAR=AMOUNT, repeatable), payment dates and the days\n"
            "in the year of the two-week and weekly payments. --file takes every input from a saved .umd\n"
            "or .uld file; options given as well replace the file's. The defaults shown are the mortgage's; with\n"
            "--loan they are 20,000.00 over 48 months.",
        .fields = MortgageCommandFields,
        .switches = switches,
        .open = [](AppState &state, const QCommandLineParser &parser, bool) -> std::unique_ptr<ToolSession> {
            MortgageKind kind = parser.isSet(QStringLiteral("loan")) ? MortgageKind::Loan : MortgageKind::Mortgage;
            const QString file = parser.value(QStringLiteral("file"));
            std::optional<MortgageFileData> data;
            if (!file.isEmpty()) {
                data = ReadMortgageFile(file);
                // A file says which kind it holds, unless --loan is given.
                if (data && !parser.isSet(QStringLiteral("loan")))
                    kind = data->kind;
            }
            auto session = std::make_unique<MortgageSession>(state, kind, true);
            if (!file.isEmpty() && !session->openFileForCommand(file, nullptr))
                session->refuseWith(MsgFileNotFound);
            if (parser.isSet(QStringLiteral("dates")))
                session->setShowDates(true);
            if (parser.isSet(QStringLiteral("extra")) &&
                !session->takeExtraOptions(parser.values(QStringLiteral("extra")), nullptr))
                session->refuseWith(MsgWrongEntry);
            return session;
        },
    };
    return command;
}
