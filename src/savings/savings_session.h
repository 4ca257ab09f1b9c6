#pragma once

#include "savings/savings_plan.h"
#include "shell/core/tool_session.h"

// The menu's two entries of the savings planner.
enum class SavingsMode { Planning, Comparisons };

// The savings planner between opening and exit. Planning replaces the table
// at each Calculate; comparisons add one line each, up to 22.
class SavingsSession : public ToolSession
{
public:
    // Opening in the mode the menu entry chose: fresh tables and the
    // starting figures in their slots.
    SavingsSession(AppState &state, SavingsMode mode);

    bool comparing() const { return m_comparing; }

    FieldTable fields() const override;
    GridLayout gridLayout() const override;
    int keptRows() const override { return m_entries; }
    // A plan goes with an edit; comparison lines stay graphable and
    // printable as long as they are shown.
    bool editClearsResults() const override { return !m_comparing; }
    Outcome<GridUpdate> calculate(const FieldTexts &texts) override;
    QString printTitle() const override { return QStringLiteral("Savings"); }
    void print(PrintFrame &frame) override;
    GraphRequest graphRequest() const override;
    QString helpText() const override;
    QJsonValue results() const override;

private:
    struct Entry
    {
        SavingsInput input;
        SavingsPlan plan;
    };
    bool m_comparing;
    int m_entries = 0; // comparison lines shown
    QList<Entry> m_done; // planning keeps only the latest
};
