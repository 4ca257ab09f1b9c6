#include "capital/capital_fields.h"
#include "capital/capital_session.h"
#include "report/report_command.h"

const ReportCommand &CapitalCommand()
{
    static const ReportCommand command{
        .name = "capital",
        .summary = "the yearly investment that builds a capital, or a yearly income",
        .description = "The investment to make at the start of every year to have a capital by the end of a term,\n"
                       "year by year with its totals. With --option income the amount is a yearly income, and the\n"
                       "capital built is the one whose yearly interest at the same rate gives it.",
        .fields = CapitalCommandFields,
        .switches = {},
        .open = [](AppState &state, const QCommandLineParser &, bool) -> std::unique_ptr<ToolSession> {
            return std::make_unique<CapitalSession>(state);
        },
    };
    return command;
}
