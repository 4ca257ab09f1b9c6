// Times Calculate of the longest mortgage schedule, grid included: weekly
// payments over 40 years at 363 days a year, every payment with its date.
#include "calc_bench.h"

#include "mortgage/mortgage_window.h"
#include "mortgage/mortgage_fields.h"
#include "mortgage/mortgage_file.h"
#include "mortgage/mortgage_session.h"
#include "shell/print/page_print_job.h"
#include "shell/print/print_frame.h"
#include "shell/core/unattended_dialogs.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

// Opening and saving a mortgage file with 45 years of additional payments.
void BenchFiles(MortgageSession &session)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.umd"));
    for (int y = 1; y <= MortgageExtraYears; ++y)
        session.setExtraPayment(y, Money::fromWhole(100 * y));
    std::vector<double> save;
    std::vector<double> open;
    for (int run = 0; run < 30; ++run) {
        QElapsedTimer timer;
        timer.start();
        SaveMortgageFile(path, session.inputs(0, FrequencyIndex(QStringLiteral("      1 Week"))));
        save.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.restart();
        if (const auto data = ReadMortgageFile(path))
            session.takeInputs(*data);
        open.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(save.begin(), save.end());
    std::sort(open.begin(), open.end());
    std::printf("mortgage file save: median %.2f ms; open: median %.2f ms\n", save[15], open[15]);
}

// The schedule printed to PDF, made in memory and saved whole.
void BenchPdf(MortgageSession &session, AppState &state)
{
    QTemporaryDir dir;
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        UnattendedDialogs dialogs;
        dialogs.lines << QStringLiteral("Bench");
        PdfPrinter printer(dir.filePath(QStringLiteral("schedule.pdf")));
        QElapsedTimer timer;
        timer.start();
        PrintSession(state, dialogs, printer, session);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("mortgage printout to PDF (%d rows): median %.0f ms\n", int(session.schedule().rows.size()),
                times[times.size() / 2]);
}

} // namespace

int main(int argc, char *argv[])
{
    const int code = RunCalculateBench(
        argc, argv, "mortgage Calculate, weekly 40 years with dates, all payments",
        [](Shell &shell, MdiContainer &frame) { return new MortgageCalc(shell, frame, MortgageKind::Mortgage, nullptr); },
        [](AppState &, CalculatorWindow &window) {
            auto &calc = static_cast<MortgageCalc &>(window);
            MortgageSession &mortgage = calc.mortgage();
            window.session().data().InputValues[MortgageYearsSlot] = Money::fromWhole(40);
            window.session().data().InputValues[MortgageRateSlot] = Money::fromDouble(0.5);
            calc.findChild<QComboBox *>(QLatin1String(FrequencyControl))->setCurrentIndex(3);
            mortgage.setDaysOption(3);
            mortgage.setShowDates(true);
            mortgage.setFirstDate(QDate(2027, 1, 31));
            calc.chooseView(MortgageAllView);
        },
        2082);
    if (code != 0)
        return code;

    QGuiApplication app(argc, argv);
    AppState state;
    MortgageSession session(state, MortgageKind::Mortgage);
    session.data().InputValues[MortgageYearsSlot] = Money::fromWhole(40);
    session.data().InputValues[MortgageRateSlot] = Money::fromDouble(0.5);
    session.setDaysOption(3);
    session.setShowDates(true);
    session.setView(MortgageAllView);
    session.press({{QLatin1String(CompoundingControl), QStringLiteral("      Monthly")},
                   {QLatin1String(FrequencyControl), QStringLiteral("      1 Week")}});
    BenchPdf(session, state);
    session.offerExtraYears();
    BenchFiles(session);
    return 0;
}
