#include "report/report_command.h"
#include "retirement/retirement_fields.h"
#include "retirement/retirement_session.h"
#include "shell/core/app_state.h"

#include <QCommandLineParser>

const ReportCommand &RetirementCommand()
{
    static const ReportCommand command{
        .name = "retirement",
        .summary = "income drawn from a capital on retirement, year by year",
        .description =
            "How a capital develops while an income is drawn from it. --option percentage withdraws\n"
            "--withdrawal percent of the value each year for --years years (at most 50); --option fixed\n"
            "withdraws --withdrawal each month, raised by --increase percent each year, until the capital\n"
            "is gone or for 50 years. The defaults shown are those of the percentage option: with fixed,\n"
            "give --capital and --withdrawal. An input's \"option\" must agree with --option.",
        .fields = RetirementCommandFields,
        .switches = {},
        .open = [](AppState &state, const QCommandLineParser &parser, bool) -> std::unique_ptr<ToolSession> {
            auto session = std::make_unique<RetirementSession>(state);
            RetirementOption option = RetirementOption::Percentage;
            // Checked against the choice's list before the session opens.
            RetirementOptionFromName(parser.value(QStringLiteral("option")), option);
            session->choose(option);
            return session;
        },
    };
    return command;
}
