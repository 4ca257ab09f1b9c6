#pragma once

#include "growth/compound_growth.h"
#include "shell/core/tool_session.h"

#include <QList>

// The compound growth tool between opening and exit: each Calculate adds
// one compared investment, up to 22.
class CompoundGrowthSession : public ToolSession
{
public:
    // Opening: fresh tables and the starting figures in their slots.
    explicit CompoundGrowthSession(AppState &state);

    FieldTable fields() const override;
    GridLayout gridLayout() const override;
    int keptRows() const override { return int(m_results.size()); }
    Outcome<GridUpdate> calculate(const FieldTexts &texts) override;
    QString printTitle() const override { return QStringLiteral("Annual Compound Growth"); }
    void print(PrintFrame &frame) override;
    GraphRequest graphRequest() const override;
    QString helpText() const override;
    QJsonValue results() const override;

private:
    struct Named
    {
        QString name;
        CompoundGrowth growth;
    };
    QList<Named> m_results;
};
