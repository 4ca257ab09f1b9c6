#include "report/report_command.h"
#include "savings/savings_fields.h"
#include "savings/savings_session.h"
#include "shell/core/app_state.h"

#include <QCommandLineParser>

const ReportCommand &SavingsCommand()
{
    static const CommandSwitch switches[] = {{"compare", "compare plans, one line each"}};
    static const ReportCommand command{
        .name = "savings",
        .summary = "a savings plan, or a comparison of savings plans",
        .description = "A savings plan, period by period, with its totals. With --compare, or with a JSON array as\n"
                       "input, each element becomes one line of a comparison of up to 22 plans.",
        .fields = SavingsFields,
        .switches = switches,
        .open = [](AppState &state, const QCommandLineParser &parser, bool list) -> std::unique_ptr<ToolSession> {
            // The menu's two entries: planning, or comparisons.
            const bool comparing = list || parser.isSet(QStringLiteral("compare"));
            return std::make_unique<SavingsSession>(state, comparing ? SavingsMode::Comparisons : SavingsMode::Planning);
        },
    };
    return command;
}
