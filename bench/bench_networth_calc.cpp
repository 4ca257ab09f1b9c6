// Times Calculate of the net worth statement with both sheets full (30 rows
// each, a sub total after every fifth row), both grids redrawn.
#include "calc_bench.h"
#include "networth/networth_window.h"

int main(int argc, char *argv[])
{
    return RunCalculateBench<NetWorthCalc>(
        argc, argv, "net worth Calculate, both sheets full",
        [](Shell &shell, MdiContainer &frame) { return new NetWorthCalc(shell, frame); },
        [](AppState &, NetWorthCalc &window) {
            for (Sheet &sheet : window.session().statement().sheets)
                for (int r = 1; r <= SheetTypedRows; ++r)
                    sheet.rows[size_t(r)] =
                        r % 6 == 0 ? SheetRow{RecordValue::fromText(QStringLiteral("Sub Total")), {}}
                                   : SheetRow{RecordValue::fromText(QStringLiteral("Row %1").arg(r)),
                                              RecordValue::fromNumber(Money::fromDouble(1234.56 * r))};
        },
        0,
        [](NetWorthCalc &window) {
            const bool full = window.session().statement().counts == std::array<int, 2>{30, 30};
            window.session().markSaved(); // leaving asks nothing of a benchmark
            return full;
        });
}
