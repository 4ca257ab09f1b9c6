#pragma once

#include "retirement/retirement_plan.h"
#include "shell/core/tool_session.h"

// The retirement planner between opening and exit. The withdrawal choice
// (Percentage or Fixed Amount) decides what slots 3 and 4 mean,
// the fields' labels and lists, the help text and the graph.
class RetirementSession : public ToolSession
{
public:
    // Opening: fresh tables, the Percentage choice and its opening figures.
    explicit RetirementSession(AppState &state);

    RetirementOption option() const { return m_option; }
    // Choosing an option: the option, and the opening figures of its two own
    // fields (Fixed Amount also puts its opening figure in the capital).
    void choose(RetirementOption option);
    const char *optionControl() const override { return RetirementOptionControl; }
    bool chooseOption(const QString &word) override;

    FieldTable fields() const override;
    GridLayout gridLayout() const override;
    int keptRows() const override { return 0; }
    bool editClearsResults() const override { return true; }
    // Refused with message 3 when the press names the other choice: its
    // figures were stored for this one's fields.
    Outcome<GridUpdate> calculate(const FieldTexts &texts) override;
    QString printTitle() const override { return QStringLiteral("Retirement"); }
    void print(PrintFrame &frame) override;
    GraphRequest graphRequest() const override;
    QString helpText() const override;
    QJsonValue results() const override;

private:
    RetirementOption m_option = RetirementOption::Percentage;
    // The latest table and the figures it was calculated from.
    RetirementInput m_input;
    RetirementPlan m_plan;
    bool m_calculated = false;
};
