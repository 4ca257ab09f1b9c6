#include "savings/savings_calc.h"

#include "savings/savings_plan.h"
#include "shell/calculator_parts.h"
#include "shell/input_fields.h"
#include "shell/print_frame.h"
#include "shell/shell.h"
#include "shell/spreadsheet_grid.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList Percentages = {QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                                 QStringLiteral("7")};

} // namespace

SavingsCalc::SavingsCalc(Shell &shell, MdiContainer &frame)
    : CalculatorWindow(shell, frame,
                       shell.state.CalcMode == 2 ? QStringLiteral(" Investment Growth Comparisons")
                                                 : QStringLiteral(" Investment Growth Calculations"),
                       "SGrid", "STextBox")
{
    // An edited figure makes the shown results stale: nothing is printed or
    // drawn until the next Calculate.
    m_editClearsResults = true;
    setObjectName(QStringLiteral("SavingsCalc"));
    AppState &state = shell.state;

    QComboBox *lumpSum = MakeYellowList("InLumpInv",
                                        {QStringLiteral("10000"), QStringLiteral("15000"), QStringLiteral("20000"),
                                         QStringLiteral("25000"), QStringLiteral("30000"), QStringLiteral("35000")},
                                        true, this);
    QComboBox *amount =
        MakeYellowList("InInvest", {QStringLiteral("100"), QStringLiteral("300"), QStringLiteral("1200")}, true, this);
    m_frequency = MakeYellowList(
        "InMonthsYrs", {QStringLiteral("Annually"), QStringLiteral("Quarterly"), QStringLiteral("Monthly")}, false, this);
    QComboBox *rate = MakeYellowList("InRate",
                                     {QStringLiteral("10"), QStringLiteral("12.5"), QStringLiteral("15"),
                                      QStringLiteral("17.5"), QStringLiteral("20")},
                                     true, this);
    QComboBox *increase = MakeYellowList("InIncrRate", Percentages, true, this);
    QComboBox *inflation = MakeYellowList("inInflatRate", Percentages, true, this);
    QComboBox *term = MakeYellowList("InTerm",
                                     {QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("15"),
                                      QStringLiteral("20"), QStringLiteral("25"), QStringLiteral("30")},
                                     true, this);

    const std::pair<QWidget *, const char *> labelled[] = {
        {lumpSum, " Amount of  lump sum             invested at start."},
        {amount, " Amount invested at each       contribution period."},
        {m_frequency, " Frequency of each                contribution period."},
        {rate, " Annual interest/growth          rate (%)."},
        {increase, " Increase the annual               investment rate(%) by"},
        {inflation, " Adjust current value for          annual inflation rate(%).     "},
        {term, " Number of years invested."},
    };
    auto *form = new QGridLayout;
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(3);
    int index = 0;
    for (const auto &[field, label] : labelled) {
        const int row = index % 4;
        const int column = index / 4 * 2;
        form->addWidget(MakeFieldLabel(QLatin1String(label), field, this), row, column);
        field->setMinimumWidth(130);
        form->addWidget(field, row, column + 1);
        ++index;
    }

    QPushButton *calc = MakeCommandButton("SCalc", "&Calculate", this);
    QPushButton *help = MakeCommandButton("SHelp", "Quick &Help", this);
    QPushButton *graphs = MakeCommandButton("SGraphs", "&Show Graph", this);
    QPushButton *printer = MakeCommandButton("SPrinter", "To &Printer", this);
    QPushButton *exitButton = MakeCommandButton("SExit", "E&xit to Menu", this);
    form->addWidget(calc, 3, 2);
    form->addWidget(help, 3, 3);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {graphs, printer, exitButton})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(6);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(grid(), 1);
    layout->addWidget(helpBox(), 1);

    setUpCalculator(
        {
            {"InLumpInv", 1, FieldKind::Money, 13, "InInvest", 0, 0, FocusVariant::B, "###,,###.00"},
            {"InInvest", 2, FieldKind::Money, 13, "InMonthsYrs", 0, 0, FocusVariant::B},
            {"InMonthsYrs", -1, FieldKind::Choice, 0, "InRate", 0, 0, FocusVariant::B},
            {"InRate", 4, FieldKind::Percent, 14, "InIncrRate", 0, 0, FocusVariant::B},
            {"InIncrRate", 5, FieldKind::Percent, 14, "inInflatRate", 0, 0, FocusVariant::B, nullptr, true},
            {"inInflatRate", 6, FieldKind::Percent, 14, "InTerm", 0, 0, FocusVariant::B, nullptr, true},
            {"InTerm", 7, FieldKind::Years, 17, "SCalc", SavingsMaxYears, 5, FocusVariant::B, "###"},
        },
        help, lumpSum, {printer, graphs});

    connect(calc, &QPushButton::clicked, this, &SavingsCalc::calculate);
    connect(graphs, &QPushButton::clicked, this, [this] { showGraph(1); });
    connect(printer, &QPushButton::clicked, this, [this] {
        AppState &s = this->shell().state;
        const QString frequency = m_frequency->currentText();
        const int periods = m_periods;
        const bool comparisons = comparing();
        print(QStringLiteral("Savings"), [&s, frequency, periods, comparisons](PrintFrame &f) {
            if (comparisons)
                PrintSavingsComparisons(f, s);
            else
                PrintSavingsPlan(f, s, frequency, periods);
        });
    });
    connect(exitButton, &QPushButton::clicked, this, &SavingsCalc::exitCalculator);

    // Opening: fresh tables, the grid of the mode, and the starting figures.
    ResetSavingsTables(state);
    if (comparing()) {
        const QStringList h = SavingsComparisonHeadings();
        SetUpGrid(grid(), SavingsMaxEntries + 1, 510,
                  {{h.at(0), -50, true},
                   {h.at(1), 430, false},
                   {h.at(2), 420, false},
                   {h.at(3), 225, false},
                   {h.at(4), 225, false},
                   {h.at(5), 225, false},
                   {h.at(6), 550, false},
                   {h.at(7), 670, false}});
    } else {
        const QStringList h = SavingsPlanningHeadings();
        SetUpGrid(grid(), SavingsGridRows, 500,
                  {{h.at(0), 300, true}, {h.at(1), 1450, false}, {h.at(2), 1450, false}, {h.at(3), 1510, false}});
    }
    fields()->setValue("InLumpInv", Money(), 15);
    fields()->setValue("InInvest", Money::fromWhole(1200));
    fields()->setValue("InRate", Money::fromWhole(20));
    fields()->setValue("InIncrRate", Money());
    fields()->setValue("inInflatRate", Money());
    fields()->setValue("InTerm", Money::fromWhole(25));
    QWidget *order[] = {lumpSum, amount, m_frequency, rate, increase, inflation, term, calc};
    for (int i = 0; i + 1 < int(std::size(order)); ++i)
        setTabOrder(order[i], order[i + 1]);
}

QString SavingsCalc::helpText() const
{
    return SavingsHelpText(shell().state.CurrencySymbol);
}

bool SavingsCalc::comparing() const
{
    return shell().state.CalcMode == 2;
}

void SavingsCalc::calculate()
{
    startCalculate();
    AppState &state = shell().state;
    state.ResultCount = 0;

    if (m_entries >= SavingsMaxEntries) {
        shell().dialogs.message(6);
        state.ResultCount = qint16(m_entries);
        return;
    }
    SavingsInput input;
    input.lumpSum = state.InputValues.value(1);
    input.amount = state.InputValues.value(2);
    input.frequency = m_frequency->currentText();
    input.rate = state.InputValues.value(4);
    input.increase = state.InputValues.value(5);
    input.inflation = state.InputValues.value(6);
    input.years = state.InputValues.value(7);

    if (m_entries == 0) {
        if (!comparing()) {
            const QStringList headings = SavingsFrequencyHeadings(input.frequency);
            grid()->setRows(SavingsGridRowsFor(input.frequency, int(input.years.floorUnits())));
            grid()->setCell(0, 0, headings.at(0));
            grid()->setCell(0, 1, headings.at(1));
        }
        grid()->clearBody();
    }

    const auto plan = CalculateSavings(input);
    if (!plan.ok()) {
        shell().dialogs.message(plan.message());
        return;
    }
    if (comparing()) {
        ++m_entries;
        const QStringList cells = StoreSavingsComparison(state, input, plan.value(), m_entries);
        for (int c = 0; c < cells.size(); ++c)
            grid()->setCell(m_entries, c, cells.at(c));
    } else {
        const QList<QStringList> rows = StoreSavingsPlan(state, plan.value());
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows.at(r).size(); ++c)
                grid()->setCell(r + 1, c, rows.at(r).at(c));
    }
    m_periods = plan->periods;
}

