#include "report/report_command.h"
#include "plan401k/plan401k_fields.h"
#include "plan401k/plan401k_session.h"

const ReportCommand &Plan401KCommand()
{
    static const ReportCommand command{
        .name = "401k",
        .summary = "a 401(k) account, year by year to retirement",
        .description = "A 401(k) account year by year: the salary with its raises, the combined contributions of\n"
                       "employee and company, the interest/growth and the value, with the totals. A JSON list\n"
                       "input calculates each element in turn; the last one is shown.",
        .fields = Plan401KFields,
        .switches = {},
        .open = [](AppState &state, const QCommandLineParser &, bool) -> std::unique_ptr<ToolSession> {
            return std::make_unique<Plan401KSession>(state);
        },
    };
    return command;
}
