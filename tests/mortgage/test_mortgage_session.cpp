#include "graph/graph_request.h"
#include "mortgage/mortgage_file.h"
#include "mortgage/mortgage_session.h"
#include "shell/core/app_state.h"
#include "shell/print/print_frame.h"
#include "shell/core/record_file.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

FieldTexts Lists(const char *compounding = "      Monthly", const char *frequency = "      Monthly")
{
    return {{QLatin1String(CompoundingControl), QLatin1String(compounding)},
            {QLatin1String(FrequencyControl), QLatin1String(frequency)}};
}

// The largest principal the box takes, at 35% over 40 years.
void TypeLargest(MortgageSession &session)
{
    QVERIFY(Money::fromDecimalText(QStringLiteral("999999999.99"), session.data().InputValues[MortgagePrincipalSlot]));
    session.data().InputValues[MortgageRateSlot] = Money::fromWhole(35);
    session.data().InputValues[MortgageYearsSlot] = Money::fromWhole(40);
}

QList<QStringList> Print(AppState &state, MortgageSession &session)
{
    ScriptedDialogs dialogs;
    dialogs.lines << QStringLiteral("Test printout");
    RecordingPrinter printer;
    if (!PrintSession(state, dialogs, printer, session))
        return {};
    return printer.jobs.value(0).pages();
}

// The first line of a file, as the writer makes it.
QByteArray FirstLine(const char *days = "1", const char *extraYears = "0")
{
    return QByteArray("100000,10.125,25,\"      Monthly\",\"      Monthly\",\"2027-01-31\",0,") + days + ",1," +
           extraYears + ",0,1,365,\"O\",0\r\n";
}

// That first line with one part of it changed.
QByteArray Changed(const char *from, const char *to)
{
    return FirstLine().replace(from, to);
}

} // namespace

class TestMortgageSession : public QObject
{
    Q_OBJECT

private slots:
    // What Calculate leaves for the graph, the printout and the grid.
    void calculateLeavesTheSharedTables_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("resultCount");
        QTest::addColumn<int>("gridRows");
        QTest::newRow("annual") << int(MortgageAnnualView) << 25 << 29;
        QTest::newRow("all") << int(MortgageAllView) << 301 << 304;
    }

    void calculateLeavesTheSharedTables()
    {
        QFETCH(int, view);
        QFETCH(int, resultCount);
        QFETCH(int, gridRows);
        AppState state;
        MortgageSession session(state, MortgageKind::Mortgage);
        session.setView(MortgageView(view));
        const Outcome<GridUpdate> update = session.press(Lists());
        QVERIFY(update.ok());
        QCOMPARE(update->rowCount, gridRows);
        QCOMPARE(session.data().ResultCount, qint16(resultCount));
        QCOMPARE(session.PaymentsPerYear, qint16(12));
        QCOMPARE(session.YearsToFinal, 25.0f);
        QCOMPARE(session.data().GraphData.value(1, 2).toDecimalText(),
                 view == MortgageAllView ? QStringLiteral("843.7500") : QStringLiteral("10082.7376"));
        QCOMPARE(session.data().GraphData.value(resultCount - (view == MortgageAllView ? 1 : 0), 4), Money());
        const GraphRequest request = session.graphRequest();
        QCOMPARE(request.kind, GraphKind::Mortgage);
        QCOMPARE(request.perPayment, view == MortgageAllView);
    }

    // The whole All view of the defaults: 29 rows on the first page, 46 on
    // each page after it, the totals on the last. The graph, drawn first,
    // regroups the rows of its own copy: the printout still has every row.
    void allViewPrintout()
    {
        AppState state;
        state.CurrencySymbol = QStringLiteral("$");
        MortgageSession session(state, MortgageKind::Mortgage);
        session.setView(MortgageAllView);
        QVERIFY(session.press(Lists()).ok());
        GraphRequest request = session.graphRequest();
        PrepareGraph(request);
        QCOMPARE(request.ResultCount, qint16(25));
        QCOMPARE(session.data().ResultCount, qint16(301));
        const QList<QStringList> pages = Print(state, session);
        const QString S = QLatin1Char(' ') + QString(75, u'_');
        const QStringList &first = pages.value(0);
        QCOMPARE(first.value(16), QStringLiteral(" Normal  0.0084375  12.00      25.00      $917.53    $275,258.20        $.00"));
        const QStringList headings = first.mid(19, 2);
        QCOMPARE(headings.value(1), QStringLiteral(" No. Year     Payment     Payment       Balance      Interest      Principal"));
        QCOMPARE(first.value(23), QStringLiteral("    1  1       843.75       73.78     99,926.22        843.75          73.78"));
        // 29 + 46 × 5 = 259 rows on six pages, the other 41 on the seventh.
        QCOMPARE(int(pages.size()), 7);
        for (int p = 1; p < pages.size(); ++p) {
            const QStringList &page = pages.at(p);
            QCOMPARE(page.mid(0, 6), (QStringList{"", "", headings.at(0), headings.at(1), S, ""}));
            const int firstRow = 29 + 46 * (p - 1) + 1;
            QCOMPARE(page.at(6).left(5), QStringLiteral("%1").arg(firstRow, 5));
        }
        const QStringList last = pages.last();
        QCOMPARE(last.at(6 + 40), QStringLiteral("  300 25         7.68      909.85           .00    175,258.20     100,000.00"));
        QCOMPARE(last.mid(6 + 41), (QStringList{S, "", " Total:" + QString(28, u' ') +
                                                      "         .00    175,258.20     100,000.00"}));
    }

    void printoutListsTheAppliedPayments()
    {
        AppState state;
        MortgageSession session(state, MortgageKind::Mortgage);
        session.offerExtraYears();
        session.setExtraPayment(2, Money::fromWhole(1000000));
        session.setExtraPayment(5, Money::fromWhole(1000));
        session.countExtraPayments();
        QVERIFY(session.press(Lists()).ok());
        const QStringList page = Print(state, session).value(0);
        const qsizetype total = page.indexOf(QRegularExpression(QStringLiteral("^ Total:.*")));
        QVERIFY(total > 0);
        QCOMPARE(page.mid(total + 1, 4), (QStringList{"", " Additional  Payments     Applied", "",
                                                       " Year     5              1,000.00"}));
    }

    // Save, open in a fresh session, calculate: the same schedule.
    void fileRoundTrip_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("mortgage") << 1;
        QTest::newRow("loan") << 2;
    }

    void fileRoundTrip()
    {
        QFETCH(int, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("plan.umd"));
        AppState state;
        MortgageSession session(state, MortgageKind(kind));
        session.setView(MortgageAllView);
        session.setShowDates(true);
        session.setFirstDate(QDate(2027, 1, 31));
        session.setDaysOption(0);
        session.offerExtraYears();
        session.setExtraPayment(3, Money::fromWhole(2500));
        session.countExtraPayments();
        const FieldTexts lists = Lists("   Semiannual", " Biweekly(Acc)");
        QVERIFY(session.press(lists).ok());
        QVERIFY(SaveMortgageFile(path, session.inputs(CompoundingIndex(lists.value(CompoundingControl)),
                                                      FrequencyIndex(lists.value(FrequencyControl)))));

        AppState other;
        MortgageSession opened(other, MortgageKind(kind));
        const std::optional<MortgageInput> data = ReadMortgageFile(path);
        QVERIFY(data);
        QCOMPARE(CompoundingItems().value(data->compounding), QStringLiteral("   Semiannual"));
        QCOMPARE(FrequencyItems().value(data->frequency), QStringLiteral(" Biweekly(Acc)"));
        QVERIFY(opened.takeInputs(*data));
        QCOMPARE(opened.extraPaymentCount(), 1);
        QVERIFY(opened.press(lists).ok());
        QCOMPARE(opened.schedule().rows.size(), session.schedule().rows.size());
        QCOMPARE(opened.schedule().totalPaid, session.schedule().totalPaid);
        QCOMPARE(opened.schedule().rows.last().date, session.schedule().rows.last().date);
        QCOMPARE(opened.resultTexts().daysInYear, QStringLiteral("365.25"));
        QCOMPARE(opened.schedule().appliedYears, QList<int>{3});
    }

    void fileText()
    {
        AppState state;
        MortgageSession session(state, MortgageKind::Mortgage);
        session.setFirstDate(QDate(2027, 1, 31));
        QCOMPARE(MortgageFileText(session.inputs(0, 0)), FirstLine());
        session.offerExtraYears();
        const QByteArray text = MortgageFileText(session.inputs(0, 0));
        QVERIFY(text.startsWith(FirstLine("1", "25")));
        QVERIFY(text.endsWith("\r\n24,0\r\n25,0\r\n"));
        QCOMPARE(text.count("\r\n"), 26);
        // A days option of 4 reads as 0.
        const std::optional<MortgageInput> four = ReadMortgageFileText(FirstLine("4"));
        QVERIFY(four && four->daysOption == 0);
    }

    // Everything is checked before anything is taken.
    void fileRefusals_data()
    {
        QTest::addColumn<QByteArray>("text");
        const QByteArray good = FirstLine("1", "2") + "1,0\r\n2,500\r\n";
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("year lines missing") << good.left(good.indexOf("2,500"));
        QTest::newRow("days option 7") << FirstLine("7");
        QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff" "100000,1", 12);
        QTest::newRow("too many values") << Changed("\"O\",0", "\"O\",0,0");
        QTest::newRow("a negative amount") << FirstLine("1", "1") + "1,-5\r\n";
        QTest::newRow("a term of 41 years") << Changed("10.125,25,", "10.125,41,");
        QTest::newRow("a negative principal") << Changed("100000,", "-100000,");
        QTest::newRow("compounding not in the list") << Changed("\"      Monthly\",\"", "\"Daily\",\"");
        QTest::newRow("not a date") << Changed("2027-01-31", "2027-02-31");
        QTest::newRow("a year before 1") << Changed("2027-01-31", "-2027-01-31");
        QTest::newRow("text where a number goes") << Changed("100000,", "\"100000\",");
        QTest::newRow("oversized") << QByteArray(RecordReader::MaxFileSize + 1, '1');
        // The year lines are the years in order, exactly as many as stated,
        // and nothing follows them.
        QTest::newRow("years out of order") << FirstLine("1", "2") + "2,500\r\n1,0\r\n";
        QTest::newRow("an empty line after the years") << good + "\r\n";
        QByteArray years41 = FirstLine("1", "41");
        for (int y = 1; y <= 41; ++y)
            years41 += QByteArray::number(y) + ",0\r\n";
        QTest::newRow("41 years stated") << years41;
    }

    void fileRefusals()
    {
        QFETCH(QByteArray, text);
        QString error;
        QVERIFY(!ReadMortgageFileText(text, &error));
        QVERIFY(!error.isEmpty());
    }

    // The term is kept in years in both kinds of file; a file's term is
    // taken only in a unit the session's term box can show: whole years for
    // a mortgage, whole months for a loan.
    void fileTermInTheSessionsUnit_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("years");
        QTest::addColumn<int>("shown"); // the term box's figure; 0 when the file is refused
        QTest::addColumn<int>("payments");
        QTest::newRow("mortgage, 25 years") << 1 << QByteArray("25") << 25 << 300;
        QTest::newRow("mortgage, a 50-month loan") << 1 << QByteArray("4.1667") << 0 << 0;
        QTest::newRow("loan, 50 months") << 2 << QByteArray("4.1667") << 50 << 50;
        QTest::newRow("loan, 4.17 years is no whole month") << 2 << QByteArray("4.17") << 0 << 0;
    }

    void fileTermInTheSessionsUnit()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, years);
        QFETCH(int, shown);
        QFETCH(int, payments);
        AppState state;
        MortgageSession session(state, MortgageKind(kind));
        const QList<Money> before = session.data().InputValues;
        const std::optional<MortgageInput> data =
            ReadMortgageFileText(Changed("10.125,25,", QByteArray("10.125," + years + ',').constData()));
        QVERIFY(data);
        QCOMPARE(session.takeInputs(*data), shown > 0);
        if (shown == 0) {
            QCOMPARE(session.data().InputValues, before);
            return;
        }
        const int slot = kind == 2 ? MortgageMonthsSlot : MortgageYearsSlot;
        QCOMPARE(session.data().InputValues.value(slot), Money::fromWhole(shown));
        QVERIFY(session.press(Lists()).ok());
        QCOMPARE(session.schedule().lastPayment(), payments);
    }

    // Unsaved work is what a save would keep that the last save or open
    // did not; offering the years of additional payments is none.
    void unsavedWork()
    {
        AppState state;
        MortgageSession session(state, MortgageKind::Mortgage);
        QVERIFY(!session.unsaved(session.inputs(0, 0)));
        session.offerExtraYears();
        QVERIFY(!session.unsaved(session.inputs(0, 0)));
        QVERIFY(session.unsaved(session.inputs(3, 0)));
        session.data().InputValues[MortgagePrincipalSlot] = Money::fromWhole(250000);
        QVERIFY(session.unsaved(session.inputs(0, 0)));
        session.markSaved(session.inputs(0, 0));
        QVERIFY(!session.unsaved(session.inputs(0, 0)));
        session.setExtraPayment(40, Money::fromWhole(1000));
        QVERIFY(session.unsaved(session.inputs(0, 0)));
        session.termChanged();
        QVERIFY(!session.unsaved(session.inputs(0, 0)));
        session.setView(MortgageAllView);
        QVERIFY(session.unsaved(session.inputs(0, 0)));

        // What a file brings in is saved work.
        AppState other;
        MortgageSession opened(other, MortgageKind::Loan);
        QVERIFY(opened.takeInputs(*ReadMortgageFileText(FirstLine("1", "2") + "1,0\r\n2,500\r\n")));
        QVERIFY(!opened.unsaved(opened.inputs(0, 0)));
        opened.data().InputValues[MortgageMonthsSlot] = Money::fromWhole(301);
        QVERIFY(opened.unsaved(opened.inputs(0, 0)));
    }

    // Figures of a million and more keep their columns: the results stay
    // on the line under their headings, and a row's figures, the totals'
    // too, end where the headings above them end.
    void printoutOfLargeFigures()
    {
        AppState state;
        MortgageSession session(state, MortgageKind::Mortgage);
        TypeLargest(session);
        QVERIFY(session.press(Lists()).ok());
        const QList<QStringList> pages = Print(state, session);
        QCOMPARE(pages.size(), 2);
        const QStringList &first = pages.first();
        const QStringList &last = pages.last();
        // Where the last n figures of a line end.
        const auto figureEnds = [](const QString &line, int n) {
            const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QList<qsizetype> ends;
            qsizetype from = -1;
            for (qsizetype p = parts.size() - 1; p >= parts.size() - n; --p) {
                from = line.lastIndexOf(parts.at(p), from);
                ends.prepend(from + parts.at(p).size());
                --from;
            }
            return ends;
        };

        const QString results = first.value(16);
        const MortgageResultTexts texts = session.resultTexts();
        QCOMPARE(results.split(QLatin1Char(' '), Qt::SkipEmptyParts).mid(4),
                 (QStringList{texts.payment.trimmed(), texts.totalPaid.trimmed(), texts.savings.trimmed()}));
        QVERIFY(figureEnds(results, 1).at(0) >= first.value(13).indexOf(QStringLiteral("Total of")) + 8);
        QVERIFY(first.value(17).startsWith(QStringLiteral(" ___")));
        QCOMPARE(first.value(10).split(QLatin1Char(' '), Qt::SkipEmptyParts).size(), 5); // the inputs

        const QString &headings = first.value(19);
        QList<qsizetype> ends;
        for (const char *word : {"Interest", "Principal", "Remaining", "Cumulative"})
            ends << headings.indexOf(QLatin1String(word)) + qstrlen(word);
        ends << headings.size();
        // The first year holds the largest balance, the last the largest sums.
        QCOMPARE(figureEnds(first.value(23), 5), ends);
        QCOMPARE(figureEnds(last.value(last.size() - 4), 5), ends);
        QVERIFY(last.last().startsWith(QStringLiteral(" Total:")));
        QCOMPARE(figureEnds(last.last(), 3), ends.mid(2));
    }

    // Total paid and the savings beside it, both past a billion, once ran
    // together on one line with nothing between them.
    void largeTotalsStayApart()
    {
        AppState state;
        MortgageSession session(state, MortgageKind::Mortgage);
        TypeLargest(session);
        QVERIFY(session.press(Lists("      Monthly", " Biweekly(Acc)")).ok());
        const QStringList first = Print(state, session).first();
        const MortgageResultTexts texts = session.resultTexts();
        QCOMPARE(first.value(16).split(QLatin1Char(' '), Qt::SkipEmptyParts).mid(4),
                 (QStringList{texts.payment.trimmed(), texts.totalPaid.trimmed(), texts.savings.trimmed()}));
        QVERIFY(texts.savings.trimmed().size() > 12);
        // The savings' heading moves with its figure, clear of the total paid.
        const QString &line = first.value(16);
        const qsizetype heading = first.value(13).indexOf(QStringLiteral("Total of"));
        QVERIFY(heading > line.indexOf(texts.totalPaid.trimmed()) + texts.totalPaid.trimmed().size());
        QVERIFY(line.size() >= heading + 8);
        QCOMPARE(first.value(17).trimmed().size(), line.size() - 1); // the rule below reaches as far
    }
};

QTEST_GUILESS_MAIN(TestMortgageSession)
#include "test_mortgage_session.moc"
