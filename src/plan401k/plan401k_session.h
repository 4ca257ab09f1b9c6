#pragma once

#include "plan401k/plan401k_plan.h"
#include "shell/core/tool_session.h"

#include <QStringList>

#include <optional>

// The 401(k) planner between opening and exit: each Calculate replaces the
// year table; an edit takes it away.
class Plan401KSession : public ToolSession
{
public:
    // Opening: fresh tables and the starting figures in their slots.
    explicit Plan401KSession(AppState &state);

    FieldTable fields() const override;
    GridLayout gridLayout() const override;
    int keptRows() const override { return 0; }
    bool editClearsResults() const override { return true; }
    Outcome<GridUpdate> calculate(const FieldTexts &texts) override;
    QString printTitle() const override { return QStringLiteral("401(k)"); }
    void print(PrintFrame &frame) override;
    GraphRequest graphRequest() const override;
    QString helpText() const override;
    QJsonValue results() const override;

private:
    struct Done
    {
        Plan401KInput input;
        Plan401KPlan plan;
    };
    std::optional<Done> m_done; // the figures the table and the printout come from
};

inline constexpr int Plan401KGridRows = 25;

// Rows of the grid for a term, heading included.
int Plan401KGridRowsFor(int years);
QStringList Plan401KHeadings();
// The grid body: the balance row when there is a balance above 1, the year
// rows, an empty row and the "Total:" row.
QList<QStringList> Plan401KGridBody(const Plan401KInput &input, const Plan401KPlan &plan,
                                    const QString &currencySymbol);
// The printout's own lines, between the header and the end of the document.
void Print401KPlan(PrintFrame &frame, const Plan401KInput &input,
                   const Plan401KPlan &plan);
QString Plan401KHelpText(const QString &currencySymbol);
