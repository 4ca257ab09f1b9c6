#include "growth/compound_growth_fields.h"
#include "growth/compound_growth_session.h"
#include "report/report_command.h"

const ReportCommand &GrowthCommand()
{
    static const ReportCommand command{
        .name = "growth",
        .summary = "annual compound growth of one or more investments",
        .description = "The annual compound growth rate and total gain of an investment. With --input, a JSON array\n"
                       "of objects compares up to 22 investments, one per element.",
        .fields = CompoundGrowthFields,
        .switches = {},
        .open = [](AppState &state, const QCommandLineParser &, bool) -> std::unique_ptr<ToolSession> {
            return std::make_unique<CompoundGrowthSession>(state);
        },
    };
    return command;
}
