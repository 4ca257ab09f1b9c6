#pragma once

#include "mortgage/mortgage_file.h"
#include "mortgage/mortgage_schedule.h"
#include "shell/core/tool_session.h"

// The mortgage and loan calculator between opening and exit: the figures in
// their slots, the two lists, and the settings behind the window's buttons
// (view, dates, days in year, additional payments), which the window and the
// command line both set through the setters below.
class MortgageSession : public ToolSession
{
public:
    // Opening in the kind the menu entry chose: fresh tables, the mode's opening
    // figures, the Annual view, numbers, 365 days, no additional payments.
    MortgageSession(AppState &state, MortgageKind kind);

    MortgageKind kind() const { return m_kind; }
    FieldTable fields() const override;
    GridLayout gridLayout() const override;
    int keptRows() const override { return 0; }
    bool editClearsResults() const override { return true; }
    Outcome<GridUpdate> calculate(const FieldTexts &texts) override;
    QString printTitle() const override;
    void print(PrintFrame &frame) override;
    GraphRequest graphRequest() const override;
    QString helpText() const override;
    QJsonValue results() const override;

    // The settings behind the buttons.
    MortgageView view() const { return m_view; }
    void setView(MortgageView view);
    bool showDates() const { return m_showDates; }
    void setShowDates(bool on) { m_showDates = on; }
    QDate firstDate() const { return m_firstDate; }
    void setFirstDate(QDate date);
    int daysOption() const { return m_daysOption; }
    // Takes effect at once: the next Calculate uses it.
    void setDaysOption(int option);

    // Additional payments: the amount of each year, the years offered (the
    // term in years, rounded) and the count of years with an amount.
    const ExtraPaymentTable &extraPayments() const { return m_extra; }
    Money extraPayment(int year) const;
    void setExtraPayment(int year, Money amount);
    void eraseExtraPayments();
    // Replaces every amount (years 1 to 45); the years offered reach the
    // last year given an amount.
    void setExtraPayments(const ExtraPaymentTable &amounts);
    // A changed term empties them.
    void termChanged();
    int extraYears() const { return m_extraYears; }
    // The years offered when the additional payments are opened.
    int offerExtraYears();
    int extraPaymentCount() const { return m_extraPaymentCount; }
    // Counts the years with an amount again; run however the additional
    // payments window closes.
    void countExtraPayments();

    // The term in years as slot 3 holds it (a loan's months / 12).
    Money termYears() const;
    // A loan's slot 3 follows the months its term field stored in slot 4.
    void syncLoanYears();

    // Everything the user entered, as a save writes it, with the two lists'
    // choices (their indexes), which the fields hold.
    MortgageInput inputs(int compounding, int frequency) const;
    // Takes a file's inputs, all or nothing: false, with nothing changed,
    // when this kind's term field cannot show the file's term (whole years,
    // or whole months for a loan). The inputs taken count as saved.
    bool takeInputs(const MortgageInput &data);
    // Whether `now` (inputs()) holds work a save would keep that the last
    // save or open (or the opening figures) did not: a figure, a choice, a
    // setting or an additional payment.
    bool unsaved(const MortgageInput &now) const;
    void markSaved(const MortgageInput &saved) { m_saved = saved; }

    bool calculated() const { return m_calculated; }
    const MortgageSchedule &schedule() const { return m_schedule; }
    const MortgageInput &input() const { return m_input; }
    MortgageResultTexts resultTexts() const;

    // How the last schedule's payments group into years, for its graph.
    qint16 PaymentsPerYear = 0;
    float YearsToFinal = 0;

private:
    void storeSchedule();

    MortgageKind m_kind;
    MortgageView m_view = MortgageAnnualView;
    bool m_showDates = false;
    QDate m_firstDate;
    int m_daysOption = 1;
    ExtraPaymentTable m_extra{};
    int m_extraYears = 0;
    int m_extraPaymentCount = 0;
    MortgageInput m_saved;

    MortgageInput m_input;
    MortgageSchedule m_schedule;
    QString m_extraBlock;
    bool m_calculated = false;
};
