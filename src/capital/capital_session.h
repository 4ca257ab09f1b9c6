#pragma once

#include "capital/capital_plan.h"
#include "shell/core/tool_session.h"

#include <optional>

// The capital planner between opening and exit: one table at a time, built
// anew at each Calculate; an edit or a change of option takes it away.
class CapitalSession : public ToolSession
{
public:
    // Opening: fresh tables and the capital option with its figures.
    explicit CapitalSession(AppState &state);

    CapitalOption option() const { return m_option; }
    // A change of option: the option, and the option's opening figures in
    // their slots. The result goes.
    void chooseOption(CapitalOption option);
    const char *optionControl() const override { return "CRCapitalChoices"; }
    bool chooseOption(const QString &word) override;

    FieldTable fields() const override;
    GridLayout gridLayout() const override;
    int keptRows() const override { return 0; }
    bool editClearsResults() const override { return true; }
    // The option field's text, when given (the command line), chooses the
    // option without touching the figures; an empty one keeps it.
    Outcome<GridUpdate> calculate(const FieldTexts &texts) override;
    QString printTitle() const override { return QStringLiteral("Capital Required"); }
    void print(PrintFrame &frame) override;
    GraphRequest graphRequest() const override;
    QString helpText() const override;
    QJsonValue results() const override;

private:
    struct Done
    {
        CapitalInput input;
        CapitalPlan plan;
    };
    CapitalOption m_option = CapitalOption::Capital;
    std::optional<Done> m_done;
};
