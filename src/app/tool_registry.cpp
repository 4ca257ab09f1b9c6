#include "app/tool_registry.h"

#include "capital/capital_window.h"
#include "graph/graphs_all.h"
#include "growth/compound_growth_window.h"
#include "networth/networth_window.h"
#include "mortgage/mortgage_window.h"
#include "invest/fund_menu_window.h"
#include "plan401k/plan401k_window.h"
#include "retirement/retirement_window.h"
#include "savings/savings_window.h"
#include "shell/ui/mdi_container.h"
#include "shell/ui/menu_main.h"

#include <memory>

void RegisterTools(MdiContainer &frame)
{
    MenuMain *menu = frame.menu();
    menu->setTool(QStringLiteral("Compound"), [](Shell &s, MdiContainer &f) { return new FindCompoundCalc(s, f); });
    menu->setTool(QStringLiteral("Savings"),
                  [](Shell &s, MdiContainer &f) { return new SavingsCalc(s, f, SavingsMode::Planning); });
    menu->setTool(QStringLiteral("SavingComp"),
                  [](Shell &s, MdiContainer &f) { return new SavingsCalc(s, f, SavingsMode::Comparisons); });
    menu->setTool(QStringLiteral("Plan401K"), [](Shell &s, MdiContainer &f) { return new Plan401KCalc(s, f); });
    menu->setTool(QStringLiteral("HowMuch"), [](Shell &s, MdiContainer &f) { return new CapitalReqdCalc(s, f); });
    menu->setTool(QStringLiteral("Retirement"), [](Shell &s, MdiContainer &f) { return new RetireCalc(s, f); });
    menu->setTool(QStringLiteral("NetWorth"), [](Shell &s, MdiContainer &f) { return new NetWorthCalc(s, f); });
    // Both entries share the files last used, kept for the run.
    auto places = std::make_shared<MortgageFilePlaces>();
    menu->setTool(QStringLiteral("Canadian"), [places](Shell &s, MdiContainer &f) {
        return new MortgageCalc(s, f, MortgageKind::Mortgage, places);
    });
    menu->setTool(QStringLiteral("LoanPmt"), [places](Shell &s, MdiContainer &f) {
        return new MortgageCalc(s, f, MortgageKind::Loan, places);
    });
    menu->setTool(QStringLiteral("Manager"), [](Shell &s, MdiContainer &f) { return new FundMenu(s, f); });
    frame.setGraphFactory(
        [](Shell &s, MdiContainer &f, const GraphRequest &request) { return new GraphsAll(s, f, request); });
}
