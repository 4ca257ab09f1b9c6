#include "mortgage/mortgage_session.h"
#include "shell/message_numbers.h"

#include "mortgage/mortgage_printout.h"
#include "shell/app_state.h"
#include "shell/format.h"
#include "shell/record_file.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

constexpr int OpeningGridRows = 26;

Money MonthsToYears(qint64 months)
{
    return Money::fromDouble(double(months) / 12);
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

QString ViewName(MortgageView view)
{
    return view == MortgageAllView ? QStringLiteral("all") : QStringLiteral("annual");
}

} // namespace

MortgageSession::MortgageSession(AppState &state, MortgageKind kind, bool commandLine)
    : ToolSession(state, MortgageLastSlot), m_kind(kind), m_commandLine(commandLine)
{
    m_data.GraphData.recreate(MortgageMaxRows, 7);
    m_data.CompareData.recreate(MortgageExtraYears, 6);
    m_data.PrintBlocks = QStringList(4);
    m_data.PrintBlocks2 = QStringList(3);
    m_data.ResultCount = 0;
    StoreStartValues(m_data.InputValues, fields());
    if (kind == MortgageKind::Loan)
        m_data.InputValues[MortgageYearsSlot] = MonthsToYears(m_data.InputValues[MortgageMonthsSlot].floorUnits());
    m_firstDate = ParseShortDate(state.TodayText);
    if (!m_firstDate.isValid())
        m_firstDate = QDate::currentDate();
    m_data.GraphTitle = kind == MortgageKind::Loan ? QStringLiteral("Personal Loan balance at start of each Year")
                                                  : QStringLiteral("Mortgage balance at start of each Year");
}

FieldTable MortgageSession::fields() const
{
    if (!m_fileFields.empty())
        return m_fileFields;
    return m_commandLine ? MortgageCommandKindFields(m_kind) : MortgageKindFields(m_kind);
}

GridLayout MortgageSession::gridLayout() const
{
    const QString first =
        m_kind == MortgageKind::Loan ? QStringLiteral(" Year Number") : QStringLiteral("  Payment   No.  Year");
    return {OpeningGridRows,
            500,
            {{first, 520, true},
             {QStringLiteral("Interest Payment"), 550, false},
             {QStringLiteral("Principal Payment"), 650, false},
             {QStringLiteral("Remaining Balance"), 700, false},
             {QStringLiteral("Cumulative Interest"), 700, false},
             {QStringLiteral("Cumulative Principal"), 700, false}}};
}

void MortgageSession::setView(MortgageView view)
{
    m_view = view;
}

void MortgageSession::setFirstDate(QDate date)
{
    if (!IsPaymentDate(date))
        return;
    m_firstDate = date;
    m_state.TodayText = Format(date, QStringLiteral("Short Date"));
}

void MortgageSession::setDaysOption(int option)
{
    if (option >= 0 && option < DaysOptionCount)
        m_daysOption = option;
}

Money MortgageSession::extraPayment(int year) const
{
    return year >= 1 && year <= MortgageExtraYears ? m_extra[year] : Money();
}

void MortgageSession::setExtraPayment(int year, Money amount)
{
    if (year >= 1 && year <= MortgageExtraYears && amount >= Money())
        m_extra[year] = amount;
}

void MortgageSession::eraseExtraPayments()
{
    for (int y = 1; y <= m_extraYears && y <= MortgageExtraYears; ++y)
        m_extra[y] = Money();
    m_extraPaymentCount = 0;
}

void MortgageSession::termChanged()
{
    m_extra.fill(Money());
    m_extraPaymentCount = 0;
    syncLoanYears();
}

void MortgageSession::syncLoanYears()
{
    if (m_kind == MortgageKind::Loan && m_data.InputValues.size() > MortgageYearsSlot)
        m_data.InputValues[MortgageYearsSlot] = termYears();
}

Money MortgageSession::termYears() const
{
    if (m_kind == MortgageKind::Loan)
        return MonthsToYears(m_data.InputValues.value(MortgageMonthsSlot).floorUnits());
    return m_data.InputValues.value(MortgageYearsSlot);
}

int MortgageSession::offerExtraYears()
{
    const double years = std::nearbyint(termYears().toDouble());
    m_extraYears = int(std::clamp(years, 0.0, double(MortgageExtraYears)));
    return m_extraYears;
}

void MortgageSession::countExtraPayments()
{
    m_extraPaymentCount = 0;
    for (int y = 1; y <= m_extraYears && y <= MortgageExtraYears; ++y)
        if (m_extra[y] > Money())
            ++m_extraPaymentCount;
}

Outcome<GridUpdate> MortgageSession::readCommandTexts(const FieldTexts &texts)
{
    const QString view = texts.value(QLatin1String(ViewControl)).trimmed();
    if (view.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0)
        setView(MortgageAllView);
    else if (view.compare(QLatin1String("annual"), Qt::CaseInsensitive) == 0 || view.isEmpty())
        setView(MortgageAnnualView);
    else
        return Outcome<GridUpdate>::refused(MsgWrongEntry);

    const QString days = texts.value(QLatin1String(DaysControl));
    if (!days.trimmed().isEmpty()) {
        const int option = DaysOptionFromText(days);
        if (option < 0)
            return Outcome<GridUpdate>::refused(MsgWrongEntry);
        m_daysOption = option;
    }

    const QString date = texts.value(QLatin1String(FirstDateControl)).trimmed();
    if (!date.isEmpty()) {
        const QDate first = QDate::fromString(date, Qt::ISODate);
        if (!IsPaymentDate(first))
            return Outcome<GridUpdate>::refused(MsgNotAValidDate);
        setFirstDate(first);
    }

    // Repeated --extra options were taken when the command opened; an
    // input's "extra" lists them as YEAR=AMOUNT,YEAR=AMOUNT.
    const QString extra = texts.value(QLatin1String(ExtraControl)).trimmed();
    if (!m_extraFromOptions && !extra.isEmpty()) {
        QString error;
        if (!takeExtraOptions(extra.split(QLatin1Char(',')), &error))
            return Outcome<GridUpdate>::refused(MsgWrongEntry);
        m_extraFromOptions = false;
    }
    return GridUpdate{};
}

bool MortgageSession::takeExtraOptions(const QStringList &values, QString *error)
{
    ExtraPaymentTable extra{};
    int lastYear = 0;
    for (const QString &value : values) {
        int year = 0;
        Money amount;
        if (!ReadExtra(value, year, amount)) {
            if (error)
                *error = QStringLiteral("--extra: not YEAR=AMOUNT with a year from 1 to 45: ") + value;
            return false;
        }
        extra[year] = amount;
        lastYear = std::max(lastYear, year);
    }
    m_extra = extra;
    m_extraYears = std::max(offerExtraYears(), lastYear);
    countExtraPayments();
    m_extraFromOptions = true;
    return true;
}

Outcome<GridUpdate> MortgageSession::calculate(const FieldTexts &texts)
{
    m_data.ResultCount = 0;
    m_data.PrintBlocks = QStringList(4);
    m_calculated = false;
    if (m_refusal != 0)
        return Outcome<GridUpdate>::refused(m_refusal);

    const int compounding = texts.contains(QLatin1String(CompoundingControl))
                                ? CompoundingIndex(texts.value(QLatin1String(CompoundingControl)))
                                : 0;
    const int frequency = texts.contains(QLatin1String(FrequencyControl))
                              ? FrequencyIndex(texts.value(QLatin1String(FrequencyControl)))
                              : 0;
    if (compounding < 0 || frequency < 0)
        return Outcome<GridUpdate>::refused(MsgWrongEntry);
    if (m_commandLine) {
        const Outcome<GridUpdate> settings = readCommandTexts(texts);
        if (!settings.ok())
            return settings;
    }

    MortgageInput input;
    input.kind = m_kind;
    input.principal = m_data.InputValues.value(MortgagePrincipalSlot);
    input.rate = m_data.InputValues.value(MortgageRateSlot);
    if (m_kind == MortgageKind::Loan) {
        const qint64 months = m_data.InputValues.value(MortgageMonthsSlot).floorUnits();
        input.months = int(std::clamp<qint64>(months, 0, LoanMaxMonths));
        input.years = MonthsToYears(input.months);
        m_data.InputValues[MortgageYearsSlot] = input.years;
    } else {
        input.years = m_data.InputValues.value(MortgageYearsSlot);
    }
    input.compounding = compounding;
    input.frequency = frequency;
    input.view = m_view;
    input.showDates = m_showDates;
    input.firstDate = m_firstDate;
    input.daysOption = m_daysOption;
    input.extra = m_extra;

    const Outcome<MortgageSchedule> schedule = CalculateMortgage(input);
    if (!schedule.ok())
        return Outcome<GridUpdate>::refused(schedule.message());

    m_input = input;
    m_schedule = schedule.value();
    m_extraBlock = ExtraPaymentsBlock(m_schedule, m_input, m_extraPaymentCount);
    m_calculated = true;
    storeSchedule();

    GridUpdate update;
    update.rowCount = ScheduleGridRowCount(m_schedule, m_extraPaymentCount);
    update.clearBody = true;
    update.headingCells = {FirstColumnHeading(m_input)};
    update.rows = ScheduleGridRows(m_schedule, m_input, m_state.CurrencySymbol, m_extraPaymentCount);
    update.selectRow = 1;
    return update;
}

void MortgageSession::storeSchedule()
{
    ToolData &data = m_data;
    data.GraphData.recreate(MortgageMaxRows, 7);
    for (const MortgageRow &row : m_schedule.rows) {
        const int k = row.number;
        data.GraphData.set(k, 1, Money::fromWhole(row.number));
        if (m_input.view == MortgageAllView && !m_input.showDates)
            data.GraphData.set(k, 0, Money::fromWhole(row.year));
        data.GraphData.set(k, 2, row.interest);
        data.GraphData.set(k, 3, row.principal);
        data.GraphData.set(k, 4, row.balance);
        data.GraphData.set(k, 5, row.cumulativeInterest);
        data.GraphData.set(k, 6, row.cumulativePrincipal);
        if (row.date.isValid())
            data.GraphData.set(k, 7, Money::fromWhole(DateSerial(row.date)));
    }
    data.CompareData.recreate(MortgageExtraYears, 6);
    const int rows = int(m_schedule.rows.size());
    data.ResultCount = qint16(m_input.view == MortgageAllView ? rows + 1 : rows);
    PaymentsPerYear = qint16(m_schedule.paymentsPerYear);
    YearsToFinal = m_schedule.yearsToFinal;
    data.GraphTitle = m_kind == MortgageKind::Loan ? QStringLiteral("Personal Loan balance at start of each Year")
                                                    : QStringLiteral("Mortgage balance at start of each Year");
    data.PrintBlocks[1] = m_extraBlock;
}

MortgageResultTexts MortgageSession::resultTexts() const
{
    return ResultTexts(m_schedule, m_input, m_state.CurrencySymbol);
}

QString MortgageSession::printTitle() const
{
    return m_kind == MortgageKind::Loan ? QStringLiteral("Personal Loan Table") : QStringLiteral("Mortgage Table");
}

void MortgageSession::print(PrintFrame &frame)
{
    // The rows of the last Calculate.
    if (m_calculated)
        PrintMortgage(frame, m_input, m_schedule, m_extraBlock);
}

GraphRequest MortgageSession::graphRequest() const
{
    GraphRequest request = tableGraph(GraphKind::Mortgage);
    request.perPayment = m_input.view == MortgageAllView;
    request.PaymentsPerYear = PaymentsPerYear;
    request.YearsToFinal = YearsToFinal;
    return request;
}

QString MortgageSession::helpText() const
{
    if (m_kind == MortgageKind::Loan)
        return HelpPanelText(
            QStringLiteral(
                "Click any yellow box and type in numbers, deletes previous ones.  For results click Calculate.\n"
                "                             Press F1 key for more detailed information.\n"
                "\n"
                "Principal amount of the loan:            10,000.00\n"
                "Annual interest rate %:                      6.125\n"
                "Payback period of the loan in months:          60\n"
                "\n"
                "Monthly.   Almost all Loans are based on monthly compounding.\n"
                "Monthly.   All Loans are based on one payment each month, 12 payments each\n"
                "               year during the payback period. Same as a Normal mortgage.\n"
                "Click 'View Payment Dates' to show dates, toggles to 'View Payment No.' for\n"
                "        numbers.\n"
                "Normally financial institutions do not allow Additional Payments. Use if allowed.\n"
                "When using accelerated payments, change the Days in Year. Use if allowed.\n"
                "Show Payments. Click option to show All payments or just the Annual totals."),
            m_state.CurrencySymbol);
    return HelpPanelText(
        QStringLiteral(
            "Click any yellow box and type in numbers, deletes previous ones.  For results click Calculate.\n"
            "                             Press F1 key for more detailed information.\n"
            "\n"
            "Principal amount of mortgage:           100,000.00\n"
            "Annual interest rate %:                      6.125\n"
            "Amortization period in years:                   25\n"
            "\n"
            "Click down arrow to select different compound interest periods.\n"
            "American = Monthly.  Canadian = Semi-Annual.\n"
            "Click down arrow to select different payment frequencies.\n"
            "Accelerated payments. 26 instead of 12 annual payments at half the monthly principal + Interest. "
            "Mortgage retired earlier.\n"
            "Click 'View Payment Date' to show dates, toggles to 'View Payment No.' for numbers.\n"
            "Click 'Additional Payments'. Type the amount of payment. 'OK' accepts all changes, 'Erase all' sets "
            "all cells to 0. Effects all calculations unless Amortization changed or 'Erase all'. Amounts added at "
            "start of that year to Principal Payment.\n"
            "Click 'Days in Year' to change the way interest is computed when used with all 'Frequency and type of "
            "each payment' except Monthly and Semimonthly payments. Read 'How to use Program' for explanation.\n"
            "Show payments. Click option to show All payments or just the Annual totals."),
        m_state.CurrencySymbol);
}

QJsonValue MortgageSession::results() const
{
    if (!m_calculated)
        return QJsonValue();
    const MortgageResultTexts texts = resultTexts();
    QJsonArray rows;
    for (const MortgageRow &row : m_schedule.rows) {
        QJsonObject object{{QStringLiteral("number"), row.number},
                           {QStringLiteral("interest"), row.interest.toDecimalText()},
                           {QStringLiteral("principal"), row.principal.toDecimalText()},
                           {QStringLiteral("balance"), row.balance.toDecimalText()},
                           {QStringLiteral("cumulative_interest"), row.cumulativeInterest.toDecimalText()},
                           {QStringLiteral("cumulative_principal"), row.cumulativePrincipal.toDecimalText()}};
        if (m_input.view == MortgageAllView)
            object.insert(QStringLiteral("year"), row.year);
        if (row.date.isValid())
            object.insert(QStringLiteral("date"), row.date.toString(Qt::ISODate));
        rows.append(object);
    }
    QJsonArray applied;
    for (int y : m_schedule.appliedYears)
        applied.append(QJsonObject{{QStringLiteral("year"), y},
                                   {QStringLiteral("amount"), m_input.extra[y].toDecimalText()}});
    return QJsonObject{{QStringLiteral("payment"), texts.payment.trimmed()},
                       {QStringLiteral("total_paid"), texts.totalPaid.trimmed()},
                       {QStringLiteral("interest_savings"), texts.savings.trimmed()},
                       {QStringLiteral("payments_per_year"), texts.paymentsPerYear.trimmed()},
                       {QStringLiteral("time_to_final_payment"), texts.timeToFinal.trimmed()},
                       {QStringLiteral("interest_rate_factor"), texts.rateFactor},
                       {QStringLiteral("days_in_year"), texts.daysInYear},
                       {QStringLiteral("view"), ViewName(m_input.view)},
                       {QStringLiteral("rows"), rows},
                       {QStringLiteral("additional_payments_applied"), applied}};
}

MortgageFileData MortgageSession::fileData(const QString &compounding, const QString &frequency) const
{
    MortgageFileData data;
    data.principal = m_data.InputValues.value(MortgagePrincipalSlot);
    data.rate = m_data.InputValues.value(MortgageRateSlot);
    data.years = termYears();
    data.compounding = compounding;
    data.frequency = frequency;
    data.firstDate = m_firstDate;
    data.showDates = m_showDates;
    data.daysOption = m_daysOption;
    data.view = m_view;
    data.extraYears = m_extraYears;
    data.extraPaymentCount = m_extraPaymentCount;
    data.kind = m_kind;
    data.extra = m_extra;
    return data;
}

void MortgageSession::takeFileData(const MortgageFileData &data)
{
    QList<Money> &figures = m_data.InputValues;
    if (figures.size() <= MortgageLastSlot)
        figures.resize(MortgageLastSlot + 1);
    figures[MortgagePrincipalSlot] = data.principal;
    figures[MortgageRateSlot] = data.rate;
    figures[MortgageYearsSlot] = data.years;
    // The term in this session's unit: a loan shows whole months.
    figures[MortgageMonthsSlot] = Money::fromWhole(std::llround(data.years.toDouble() * 12));
    setView(data.view);
    m_showDates = data.showDates;
    setFirstDate(data.firstDate);
    m_daysOption = data.daysOption;
    m_extra = data.extra;
    m_extraYears = data.extraYears;
    m_extraPaymentCount = data.extraPaymentCount;
    m_data.ResultCount = 0;
    m_calculated = false;
}

bool MortgageSession::openFileForCommand(const QString &path, QString *error)
{
    const std::optional<MortgageFileData> data = ReadMortgageFile(path, error);
    if (!data)
        return false;
    takeFileData(*data);
    const FieldTable base = MortgageCommandKindFields(m_kind);
    m_fileFields.assign(base.begin(), base.end());
    m_fileStarts.clear();
    m_fileStarts.reserve(m_fileFields.size());
    const QList<Money> &figures = m_data.InputValues;
    for (FieldDescription &field : m_fileFields) {
        QByteArray start;
        const QString control = QLatin1String(field.control);
        if (field.slot >= 0)
            start = PlainNumber(figures.value(field.slot));
        else if (control == QLatin1String(CompoundingControl))
            start = data->compounding.trimmed().toLatin1();
        else if (control == QLatin1String(FrequencyControl))
            start = data->frequency.trimmed().toLatin1();
        else if (control == QLatin1String(ViewControl))
            start = ViewName(data->view).toLatin1();
        else if (control == QLatin1String(FirstDateControl))
            start = data->firstDate.toString(Qt::ISODate).toLatin1();
        else if (control == QLatin1String(DaysControl))
            start = DaysInYearRow(data->daysOption).caption;
        else
            start = field.start;
        m_fileStarts.push_back(start);
        field.start = m_fileStarts.back().constData();
    }
    return true;
}
