#include "networth/networth_session.h"
#include "report/report_command.h"

const ReportCommand &NetWorthCommand()
{
    static const ReportCommand command{
        .name = "networth",
        .summary = "the net worth statement of a .qvw file or of sheets given as JSON",
        .description =
            "Both sheets calculated as the window's Calculate does: rows without a name left out, \"Sub Total\"\n"
            "rows summing their group, the totals and the net worth. --file reads a net worth file; --input\n"
            "takes {\"assets\": [[\"House\", 150000], [\"Sub Total\"]], \"liabilities\": [...]}, and a sheet\n"
            "given there replaces the file's. A file that cannot be read is refused (exit 3).",
        .fields = NetWorthFields,
        .switches = {},
        .open = [](AppState &state, const QCommandLineParser &, bool) -> std::unique_ptr<ToolSession> {
            return std::make_unique<NetWorthSession>(state);
        },
    };
    return command;
}
