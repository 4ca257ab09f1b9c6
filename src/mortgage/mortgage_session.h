#pragma once

#include "mortgage/mortgage_file.h"
#include "mortgage/mortgage_schedule.h"
#include "shell/tool_session.h"

#include <QByteArray>

#include <vector>

// The mortgage and loan calculator between opening and exit: the figures in
// their slots, the two lists, and the settings behind the window's buttons
// (view, dates, days in year, additional payments). The window and the
// command line both drive it.
class MortgageSession : public ToolSession
{
public:
    // Opening in the kind the menu entry chose: fresh tables, the mode's opening
    // figures, the Annual view, numbers, 365 days, no additional payments.
    // The command line's fields take the lists by name and the settings as
    // texts.
    MortgageSession(AppState &state, MortgageKind kind, bool commandLine = false);

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

    // Files: what would be saved, and taking a file's inputs. Taking them
    // changes nothing but the inputs; the term is kept in years and shown
    // in this session's unit.
    MortgageFileData fileData(const QString &compounding, const QString &frequency) const;
    void takeFileData(const MortgageFileData &data);
    // The command line's --file: the file's inputs become the openings of
    // the options left out. False, with *error, when the file is refused.
    bool openFileForCommand(const QString &path, QString *error);
    // The command line's repeated --extra YEAR=AMOUNT: false for a wrong one.
    bool takeExtraOptions(const QStringList &values, QString *error);

    // A command-line option that could not be taken: every press is
    // refused with this message.
    void refuseWith(MessageNumber message) { m_refusal = message; }

    bool calculated() const { return m_calculated; }
    const MortgageSchedule &schedule() const { return m_schedule; }
    const MortgageInput &input() const { return m_input; }
    MortgageResultTexts resultTexts() const;

    // How the last schedule's payments group into years, for its graph.
    qint16 PaymentsPerYear = 0;
    float YearsToFinal = 0;

private:
    Outcome<GridUpdate> readCommandTexts(const FieldTexts &texts);
    void storeSchedule();

    MortgageKind m_kind;
    bool m_commandLine;
    MortgageView m_view = MortgageAnnualView;
    bool m_showDates = false;
    QDate m_firstDate;
    int m_daysOption = 1;
    ExtraPaymentTable m_extra{};
    int m_extraYears = 0;
    int m_extraPaymentCount = 0;
    bool m_extraFromOptions = false;
    MessageNumber m_refusal = MsgNone;

    // A file's inputs as the command line's openings.
    std::vector<FieldDescription> m_fileFields;
    std::vector<QByteArray> m_fileStarts;

    MortgageInput m_input;
    MortgageSchedule m_schedule;
    QString m_extraBlock;
    bool m_calculated = false;
};
