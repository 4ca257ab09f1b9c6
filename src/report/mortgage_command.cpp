#include "mortgage/mortgage_fields.h"
#include "mortgage/mortgage_file.h"
#include "mortgage/mortgage_session.h"
#include "report/report_command.h"
#include "shell/core/app_state.h"
#include "shell/core/message_numbers.h"
#include "shell/core/record_file.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace {

// The settings the window keeps behind its buttons, as options of their own.
constexpr const char *ViewControl = "MView";
constexpr const char *DaysControl = "MDays";
constexpr const char *FirstDateControl = "MFirstDate";
constexpr const char *ExtraControl = "MExtra";
constexpr const char *FileControl = "MFile";

const FieldDescription CommandSettings[] = {
    {.control = ViewControl,
     .kind = FieldKind::Text,
     .start = "annual",
     .option = "view",
     .help = "all (one row per payment) or annual (one row per year)"},
    {.control = FirstDateControl,
     .kind = FieldKind::Text,
     .start = "",
     .option = "first-date",
     .help = "date of the first payment, YYYY-MM-DD (today when left out)"},
    {.control = DaysControl,
     .kind = FieldKind::Text,
     .start = "365",
     .option = "days",
     .help = "days in year for the 2-week and weekly payments: 365.25, 365, 364 or 363"},
    {.control = ExtraControl,
     .kind = FieldKind::Text,
     .start = "",
     .option = "extra",
     .help = "additional payment YEAR=AMOUNT, added at the start of that year (repeatable)"},
    {.control = FileControl,
     .kind = FieldKind::Text,
     .start = "",
     .option = "file",
     .help = "take every input from a saved .umd or .uld file"},
};

// The window's fields with the lists taken by name in any case ("semiannual",
// "2 weeks"), then the settings.
std::vector<FieldDescription> CommandFields(MortgageKind kind)
{
    std::vector<FieldDescription> fields;
    for (FieldDescription field : MortgageKindFields(kind)) {
        if (!field.items.isEmpty() && field.slot < 0) {
            field.kind = FieldKind::Text;
            field.start = "Monthly";
        }
        fields.push_back(field);
    }
    fields.insert(fields.end(), std::begin(CommandSettings), std::end(CommandSettings));
    return fields;
}

FieldTable MortgageCommandFields()
{
    static const std::vector<FieldDescription> fields = CommandFields(MortgageKind::Mortgage);
    return fields;
}

QString ViewName(MortgageView view)
{
    return view == MortgageAllView ? QStringLiteral("all") : QStringLiteral("annual");
}

// "YEAR=AMOUNT": a year 1 to 45 and an amount that is not negative.
bool ReadExtra(const QString &text, int &year, Money &amount)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('='));
    if (parts.size() != 2)
        return false;
    bool whole = false;
    year = parts.at(0).trimmed().toInt(&whole);
    if (!whole || year < 1 || year > MortgageExtraYears)
        return false;
    try {
        return Money::fromDecimalText(parts.at(1).trimmed(), amount) && amount >= Money();
    } catch (const ArithmeticFault &) {
        return false;
    }
}

std::optional<ExtraPaymentTable> ReadExtras(const QStringList &values)
{
    ExtraPaymentTable extra{};
    for (const QString &value : values) {
        int year = 0;
        Money amount;
        if (!ReadExtra(value, year, amount))
            return std::nullopt;
        extra[year] = amount;
    }
    return extra;
}

// The term of a file as the kind's --term would give it, or what is wrong.
QString TermProblem(const QString &path, const MortgageInput &file, MortgageKind kind)
{
    if (TermInUnit(file.years, kind))
        return QString();
    const QString name = QFileInfo(path).fileName();
    const QString years = QString::fromLatin1(PlainNumber(file.years));
    if (kind == MortgageKind::Mortgage) {
        const std::optional<int> months = TermInUnit(file.years, MortgageKind::Loan);
        return QStringLiteral("%1: the term saved in the file, %2 years, is not a whole number of years%3")
            .arg(name, years,
                 months ? QStringLiteral(" (with --loan it is %1 months)").arg(*months) : QString());
    }
    return QStringLiteral("%1: the term saved in the file, %2 years, is not a whole number of months").arg(name, years);
}

// The mortgage session with the command's own options: the settings the
// window sets through its buttons are texts here, given to the session's
// setters at each press, and a --file's inputs are the openings of the
// options left out.
class MortgageCommandSession : public MortgageSession
{
public:
    MortgageCommandSession(AppState &state, MortgageKind kind)
        : MortgageSession(state, kind), m_fields(CommandFields(kind))
    {
    }

    FieldTable fields() const override { return m_fields; }

    // A command-line option that could not be taken: every press is
    // refused with this message.
    void refuseWith(MessageNumber message) { m_refusal = message; }

    // The file's inputs become the openings of the options left out. A
    // term given as an option replaces the file's, whatever that was.
    bool openFile(const QString &path, bool termGiven)
    {
        std::optional<MortgageInput> data = ReadMortgageFile(path);
        if (data && termGiven)
            data->years = Money();
        if (!data || !takeInputs(*data))
            return false;
        const QList<Money> &figures = m_data.InputValues;
        m_starts.clear();
        m_starts.reserve(m_fields.size());
        for (FieldDescription &field : m_fields) {
            QByteArray start;
            const QString control = QLatin1String(field.control);
            if (field.slot >= 0)
                start = PlainNumber(figures.value(field.slot));
            else if (control == QLatin1String(CompoundingControl))
                start = CompoundingItems().value(data->compounding).trimmed().toLatin1();
            else if (control == QLatin1String(FrequencyControl))
                start = FrequencyItems().value(data->frequency).trimmed().toLatin1();
            else if (control == QLatin1String(ViewControl))
                start = ViewName(data->view).toLatin1();
            else if (control == QLatin1String(FirstDateControl))
                start = data->firstDate.toString(Qt::ISODate).toLatin1();
            else if (control == QLatin1String(DaysControl))
                start = DaysInYearRow(data->daysOption).caption;
            else
                start = field.start;
            m_starts.push_back(start);
            field.start = m_starts.back().constData();
        }
        return true;
    }

    // The repeated --extra YEAR=AMOUNT: they replace a JSON input's.
    bool takeExtraOptions(const QStringList &values)
    {
        const std::optional<ExtraPaymentTable> extra = ReadExtras(values);
        if (!extra)
            return false;
        setExtraPayments(*extra);
        m_extraFromOptions = true;
        return true;
    }

    Outcome<GridUpdate> calculate(const FieldTexts &texts) override
    {
        if (m_refusal != MsgNone) {
            m_data.ResultCount = 0;
            return Outcome<GridUpdate>::refused(m_refusal);
        }
        if (const MessageNumber wrong = takeSettings(texts); wrong != MsgNone) {
            m_data.ResultCount = 0;
            return Outcome<GridUpdate>::refused(wrong);
        }
        return MortgageSession::calculate(texts);
    }

private:
    MessageNumber takeSettings(const FieldTexts &texts)
    {
        const QString view = texts.value(QLatin1String(ViewControl)).trimmed();
        if (view.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0)
            setView(MortgageAllView);
        else if (view.compare(QLatin1String("annual"), Qt::CaseInsensitive) == 0 || view.isEmpty())
            setView(MortgageAnnualView);
        else
            return MsgWrongEntry;

        const QString days = texts.value(QLatin1String(DaysControl));
        if (!days.trimmed().isEmpty()) {
            const int option = DaysOptionFromText(days);
            if (option < 0)
                return MsgWrongEntry;
            setDaysOption(option);
        }

        const QString date = texts.value(QLatin1String(FirstDateControl)).trimmed();
        if (!date.isEmpty()) {
            const QDate first = QDate::fromString(date, Qt::ISODate);
            if (!IsPaymentDate(first))
                return MsgNotAValidDate;
            setFirstDate(first);
        }

        // An input's "extra" lists them as YEAR=AMOUNT,YEAR=AMOUNT.
        const QString extra = texts.value(QLatin1String(ExtraControl)).trimmed();
        if (!m_extraFromOptions && !extra.isEmpty()) {
            const std::optional<ExtraPaymentTable> amounts = ReadExtras(extra.split(QLatin1Char(',')));
            if (!amounts)
                return MsgWrongEntry;
            setExtraPayments(*amounts);
        }
        return MsgNone;
    }

    std::vector<FieldDescription> m_fields;
    std::vector<QByteArray> m_starts;
    MessageNumber m_refusal = MsgNone;
    bool m_extraFromOptions = false;
};

// The kind the run is: a file says which it holds, unless --loan is given.
MortgageKind KindOf(const QCommandLineParser &parser, const std::optional<MortgageInput> &file)
{
    if (parser.isSet(QStringLiteral("loan")))
        return MortgageKind::Loan;
    return file ? file->kind : MortgageKind::Mortgage;
}

} // namespace

const ReportCommand &MortgageCommand()
{
    static const CommandSwitch switches[] = {
        {"loan", "a personal loan: --term is in months (at most 480); the loan's openings"},
        {"dates", "show payment dates instead of numbers (from --first-date)"}};
    static const ReportCommand command{
        .name = "mortgage",
        .summary = "a mortgage or loan repayment schedule, payment by payment or year by year",
        .description =
            "The repayment schedule of a mortgage (--term in years) or, with --loan, a personal loan (--term\n"
            "in months), with the compounding and payment frequency chosen by name (any case), additional\n"
            "payments at the start of a year (--extra YEAR=AMOUNT, repeatable), payment dates and the days\n"
            "in the year of the two-week and weekly payments. --file takes every input from a saved .umd\n"
            "or .uld file; options given as well replace the file's. The defaults shown are the mortgage's; with\n"
            "--loan they are 20,000.00 over 48 months.",
        .fields = MortgageCommandFields,
        .switches = switches,
        .open = [](AppState &state, const QCommandLineParser &parser, bool) -> std::unique_ptr<ToolSession> {
            const QString file = parser.value(QStringLiteral("file"));
            const std::optional<MortgageInput> data =
                file.isEmpty() ? std::nullopt : ReadMortgageFile(file);
            auto session = std::make_unique<MortgageCommandSession>(state, KindOf(parser, data));
            if (!file.isEmpty() && !session->openFile(file, parser.isSet(QStringLiteral("term"))))
                session->refuseWith(MsgFileNotFound);
            if (parser.isSet(QStringLiteral("dates")))
                session->setShowDates(true);
            if (parser.isSet(QStringLiteral("extra")) &&
                !session->takeExtraOptions(parser.values(QStringLiteral("extra"))))
                session->refuseWith(MsgWrongEntry);
            return session;
        },
        .checkOptions = [](const QCommandLineParser &parser) -> QString {
            // A file whose term this kind cannot show, and no --term to
            // replace it: the file's own field is what is wrong.
            const QString file = parser.value(QStringLiteral("file"));
            if (file.isEmpty() || parser.isSet(QStringLiteral("term")))
                return QString();
            const std::optional<MortgageInput> data = ReadMortgageFile(file);
            return data ? TermProblem(file, *data, KindOf(parser, data)) : QString();
        },
    };
    return command;
}
