#include "app/tool_registry.h"

#include "capital/capital_reqd_calc.h"
#include "graph/graphs_all.h"
#include "growth/find_compound_calc.h"
#include "networth/networth_calc.h"
#include "mortgage/mortgage_calc.h"
#include "invest/fund_menu.h"
#include "plan401k/plan401k_calc.h"
#include "retirement/retire_calc.h"
#include "savings/savings_calc.h"
#include "shell/mdi_container.h"
#include "shell/menu_main.h"

void RegisterTools(MdiContainer &frame)
{
    MenuMain *menu = frame.menu();
    menu->setTool(QStringLiteral("Compound"), [](Shell &s, MdiContainer &f) { return new FindCompoundCalc(s, f); });
    for (const char *button : {"Savings", "SavingComp"})
        menu->setTool(QLatin1String(button), [](Shell &s, MdiContainer &f) { return new SavingsCalc(s, f); });
    menu->setTool(QStringLiteral("Plan401K"), [](Shell &s, MdiContainer &f) { return new Plan401KCalc(s, f); });
    menu->setTool(QStringLiteral("HowMuch"), [](Shell &s, MdiContainer &f) { return new CapitalReqdCalc(s, f); });
    menu->setTool(QStringLiteral("Retirement"), [](Shell &s, MdiContainer &f) { return new RetireCalc(s, f); });
    menu->setTool(QStringLiteral("NetWorth"), [](Shell &s, MdiContainer &f) { return new NetWorthCalc(s, f); });
    for (const char *button : {"Canadian", "LoanPmt"})
        menu->setTool(QLatin1String(button), [](Shell &s, MdiContainer &f) { return new MortgageCalc(s, f); });
    menu->setTool(QStringLiteral("Manager"), [](Shell &s, MdiContainer &f) { return new FundMenu(s, f); });
    frame.setGraphFactory([](Shell &s, MdiContainer &f) { return new GraphsAll(s, f); });
}
