#include "support/report_program.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

// Runs "tallomar-report funds" on database files as a script would.
class TestFundsCommand : public QObject
{
    Q_OBJECT

    // A copy of the program of the test's own, so a developer's settings file
    // beside the build's program plays no part.
    ReportProgram m_report;
    QString m_file;

    using Run = ReportRun;
    Run run(const QStringList &arguments) const { return m_report.run(arguments); }
    QString write(const QString &name, const QByteArray &text) const
    {
        const QString path = m_report.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_report.setUp());
        // Funds out of name order and records out of date order, as a file
        // written before a sort holds them.
        m_file = write(QStringLiteral("funds.qvs"),
                       "3,2,\"All Records\",\"31\"\r\n"
                       "\"beta\",\" 1\"\r\n"
                       "\"Alpha\",\" 2\"\r\n"
                       "1,10,100,50,0,1050,\"B\",#1998-10-12#\r\n"
                       "2,0,0,0,25.5,-25.5,\"C\",#1997-01-02#\r\n"
                       "1,10.5,-10,0,0,-105,\"S\",#1999-03-01#\r\n");
    }

    void json()
    {
        const Run r = run({"funds", "--file", m_file, "--format", "json"});
        QCOMPARE(r.code, 0);
        const QJsonObject document = r.json();
        QCOMPARE(document.value("status").toString(), QStringLiteral(" funds.qvs    Funds = 2    Records = 3 "));
        const QJsonArray funds = document.value("funds").toArray();
        QCOMPARE(funds.size(), 2);
        QCOMPARE(funds.at(0).toObject().value("name").toString(), QStringLiteral("beta"));
        QCOMPARE(funds.at(1).toObject().value("number").toInt(), 2);
        const QJsonObject first = document.value("records").toArray().at(0).toObject();
        const QJsonObject expected{{"number", 1},          {"fund", 1},           {"type", "B"},
                                   {"date", "1998-10-12"}, {"price", "10.0000"}, {"shares", "100.0000"},
                                   {"fees", "50.0000"},    {"cash_dividend", "0.0000"}, {"book_value", "1050.0000"}};
        QCOMPARE(first, expected);
    }

    void sortedFirst()
    {
        const Run r = run({"funds", "--file", m_file, "--sort", "--format", "json"});
        QCOMPARE(r.code, 0);
        const QJsonObject document = r.json();
        QCOMPARE(document.value("funds").toArray().at(0).toObject().value("name").toString(), QStringLiteral("Alpha"));
        const QJsonArray records = document.value("records").toArray();
        // The dividend (Alpha's, now fund 1) comes first; beta's records follow it as fund 2.
        QCOMPARE(records.at(0).toObject().value("type").toString(), QStringLiteral("C"));
        QCOMPARE(records.at(0).toObject().value("fund").toInt(), 1);
        QCOMPARE(records.at(1).toObject().value("fund").toInt(), 2);
        QCOMPARE(records.at(2).toObject().value("date").toString(), QStringLiteral("1999-03-01"));
    }

    void otherFormats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text") << "text" << "Database in memory: funds.qvs    Funds = 2    Records = 3 ";
        QTest::newRow("csv") << "csv" << "Record,Fund,Fund Name,Type,Date,Price,Shares,Fees,Cash Dividend,Book Value";
        QTest::newRow("csv row") << "csv" << "3,1,beta,S,1999-03-01,10.5000,-10.0000,0.0000,0.0000,-105.0000";
        QTest::newRow("report") << "report" << "Investment Database";
        QTest::newRow("report record") << "report" << "Sold        1999-03-01";
        QTest::newRow("report headings") << "report" << "   Type        Date              Price      Shares      Fees      Div.     Value";
    }
    void otherFormats()
    {
        QFETCH(QString, format);
        QFETCH(QString, expected);
        const Run r = run({"funds", "--file", m_file, "--format", format});
        QCOMPARE(r.code, 0);
        QVERIFY2(QString::fromUtf8(r.out).contains(expected), r.out.constData());
    }

    void pdf()
    {
        const QString out = m_report.filePath(QStringLiteral("funds.pdf"));
        const Run r = run({"funds", "--file", m_file, "--format", "pdf", "--out", out});
        QCOMPARE(r.code, 0);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
    }


    // beta: 90 shares, book cost 945, invested 1050; Alpha: a cash dividend only.
    void currentValues_data()
    {
        QTest::addColumn<QString>("price");
        QTest::newRow("fund by name") << "beta=12";
        QTest::newRow("fund by number") << "1=12";
    }
    void currentValues()
    {
        QFETCH(QString, price);
        const Run r = run({"funds", "--file", m_file, "--price", price, "--values", "--format", "json"});
        QCOMPARE(r.code, 0);
        const QJsonObject document = r.json();
        const QJsonObject beta = document.value("funds").toArray().at(0).toObject();
        QCOMPARE(beta.value("current_total").toString(), QStringLiteral("1080.0000"));
        QCOMPARE(beta.value("gain").toString(), QStringLiteral("135.0000"));
        QCOMPARE(beta.value("gain_percent").toString(), QStringLiteral("14.2857"));
        QCOMPARE(beta.value("share_of_total").toString(), QStringLiteral("100.0000"));
        // No shares and no price: accepted, measured against what was put in.
        const QJsonObject alpha = document.value("funds").toArray().at(1).toObject();
        QCOMPARE(alpha.value("current_total").toString(), QStringLiteral("0.0000"));
        QCOMPARE(alpha.value("gain").toString(), QStringLiteral("25.5000"));
        QCOMPARE(alpha.value("gain_percent").toString(), QStringLiteral("-100.0000"));
        QCOMPARE(alpha.value("share_of_total").toString(), QStringLiteral("0.0000"));
        const QJsonObject total = document.value("total").toObject();
        QCOMPARE(total.value("current_total").toString(), QStringLiteral("1080.0000"));
        QCOMPARE(total.value("gain").toString(), QStringLiteral("160.5000"));
        QCOMPARE(total.value("gain_percent").toString(), QStringLiteral("17.4551"));
    }

    void valuesAndListings_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        const QStringList values{"--price", "beta=12", "--values", "--format"};
        QTest::newRow("values text") << values + QStringList{"text"} << "beta     90.0000  945.00  $12.00  1,080.00  135.00  14.29%  100.00%";
        QTest::newRow("values text total") << values + QStringList{"text"} << "Total:   90.0000  $919.50          $1,080.00  $160.50  17.46%  100.00%";
        QTest::newRow("values csv") << values + QStringList{"csv"} << "1,beta,90.0000,945.0000,12.0000,1080.0000,135.0000,14.2857,100.0000";
        QTest::newRow("values report") << values + QStringList{"report"} << " beta (100%)";
        QTest::newRow("values report, none") << values + QStringList{"report"} << " Alpha (0%)";
        QTest::newRow("listing text") << QStringList{"--listing", "beta", "--price", "beta=12", "--format", "text"}
                                      << "$12.00  $1,080.00  $135.00  14.29%";
        QTest::newRow("listing all text") << QStringList{"--listing", "all", "--format", "text"}
                                          << "Total all Funds:  90.0000  $50.00  $.00  $25.50  $919.50";
        QTest::newRow("listing csv") << QStringList{"--listing", "2", "--format", "csv"}
                                     << "2,Alpha,C,1997-01-02,0.0000,0.0000,0.0000,0.0000,25.5000,-25.5000";
        QTest::newRow("listing report") << QStringList{"--listing", "beta", "--price", "beta=12", "--format", "report"}
                                        << "Gain $            Gain %";
    }
    void valuesAndListings()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const Run r = run(QStringList{"funds", "--file", m_file} + arguments);
        QCOMPARE(r.code, 0);
        // The figures in order on one line, however wide the columns are.
        QStringList pieces = expected.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString &piece : pieces)
            piece = QRegularExpression::escape(piece);
        const QRegularExpression line(pieces.join(QStringLiteral(" +")));
        QVERIFY2(QString::fromUtf8(r.out).contains(line), r.out.constData());
    }

    void listingJson()
    {
        const Run r = run({"funds", "--file", m_file, "--listing", "beta", "--price", "beta=12", "--format", "json"});
        QCOMPARE(r.code, 0);
        const QJsonObject beta = r.json().value("funds").toArray().at(0).toObject();
        QCOMPARE(beta.value("records").toArray().size(), 2);
        QCOMPARE(beta.value("average_cost").toString(), QStringLiteral("10.5000"));
        const QJsonObject current{{"price", "12.0000"}, {"value", "1080.0000"}, {"gain", "135.0000"},
                                  {"gain_percent", "14.2857"}};
        QCOMPARE(beta.value("current_value").toObject(), current);
    }

    void valuesRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("shares held, no price") << QStringList{"--values"} << 3 << "Check, missing entry or 0.";
        QTest::newRow("no such fund") << QStringList{"--price", "gamma=1", "--values"} << 2 << "";
        QTest::newRow("not a price") << QStringList{"--price", "beta=12x", "--values"} << 2 << "";
        QTest::newRow("no such listing") << QStringList{"--listing", "3"} << 2 << "";
        QTest::newRow("both at once") << QStringList{"--listing", "all", "--values"} << 2 << "";
    }
    void valuesRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        const Run r = run(QStringList{"funds", "--file", m_file} + arguments);
        QCOMPARE(r.code, code);
        QVERIFY(r.out.isEmpty());
        if (!message.isEmpty())
            QCOMPARE(r.err.trimmed(), message);
    }

    // Nothing was put in: the gain cannot be measured, nothing is divided.
    void listedValueCannotBeMeasured()
    {
        const QString path = write(QStringLiteral("split.qvs"), "1,1,\"All Records\",\"31\"\r\n\"Split\",\" 1\"\r\n"
                                                                "1,10,10,0,0,0,\"D\",#2000-01-03#\r\n");
        const Run r = run({"funds", "--file", path, "--listing", "Split", "--price", "Split=5"});
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err.trimmed(), QStringLiteral("Cannot calculate."));
        // The listing stays, as in the window; only the value block is refused.
        const QString out = QString::fromUtf8(r.out);
        QVERIFY2(out.contains(QRegularExpression(QStringLiteral("Div\\. Shares +\\S+ +10\\.0000 +10\\.0000"))),
                 r.out.constData());
        QVERIFY2(out.contains(QStringLiteral("Average cost per share =")), r.out.constData());
        QVERIFY2(!out.contains(QStringLiteral("Current")), r.out.constData());
        const Run json = run({"funds", "--file", path, "--listing", "1", "--price", "1=10", "--format", "json"});
        QCOMPARE(json.code, 3);
        const QJsonObject document = json.json();
        QCOMPARE(document.value("message").toObject().value("number").toInt(), 26);
        const QJsonObject split = document.value("funds").toArray().at(0).toObject();
        QCOMPARE(split.value("records").toArray().size(), 1);
        QVERIFY(!split.contains("current_value"));
        const Run printed = run({"funds", "--file", path, "--listing", "1", "--price", "1=10", "--format", "report"});
        QCOMPARE(printed.code, 3);
        QVERIFY2(printed.out.contains("Average Cost per Share  ="), printed.out.constData());
        QVERIFY2(!printed.out.contains("Current Price"), printed.out.constData());
        const Run values = run({"funds", "--file", path, "--price", "1=5", "--values", "--format", "csv"});
        QCOMPARE(values.code, 0);
        QVERIFY2(values.out.contains("1,Split,10.0000,0.0000,5.0000,50.0000,50.0000,100.0000,100.0000"), values.out.constData());
    }

    // A holding valued past what money can hold is refused, never a crash.
    void valueTooLarge_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::newRow("value table") << "--values";
        QTest::newRow("one fund's listing") << "--listing";
    }
    void valueTooLarge()
    {
        QFETCH(QString, asked);
        const QString path = write(QStringLiteral("huge.qvs"), "1,1,\"All Records\",\"31\"\r\n\"Huge\",\" 1\"\r\n"
                                                               "1,90000000,9000000,0,0,810000000000000,\"B\",#2001-01-05#\r\n");
        QStringList arguments{"funds", "--file", path, "--price", "1=1000000000", asked};
        if (asked == QLatin1String("--listing"))
            arguments << "1";
        const Run r = run(arguments);
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err.trimmed(), QStringLiteral("Wrong or missing entry, try again."));
    }

    void valuesPdf()
    {
        const QString out = m_report.filePath(QStringLiteral("values.pdf"));
        const Run r = run({"funds", "--file", m_file, "--price", "beta=12", "--values", "--format", "pdf", "--out", out});
        QCOMPARE(r.code, 0);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::newRow("no such file") << QStringList{"funds", "--file", "/no/such.qvs"} << 3;
        QTest::newRow("no file given") << QStringList{"funds"} << 2;
        QTest::newRow("unknown format") << QStringList{"funds", "--file", "x.qvs", "--format", "xml"} << 2;
    }
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        const Run r = run(arguments);
        QCOMPARE(r.code, code);
        QVERIFY(r.out.isEmpty());
        if (code == 3)
            QCOMPARE(r.err.trimmed(),
                     QStringLiteral("File not found or wrong format. Check Filename and/or Directory."));
    }

    // The command's own options beside the common ones; --input, which
    // only the calculators take, is neither offered nor accepted.
    void help()
    {
        const Run r = run({"funds", "--help"});
        QCOMPARE(r.code, 0);
        for (const char *name : {"--file FILE", "--sort", "--price FUND=PRICE", "--values", "--listing all|FUND",
                                 "--format", "--out", "--currency", "--header"})
            QVERIFY2(r.out.contains(name), name);
        QVERIFY(!r.out.contains("--input"));
        QCOMPARE(run({"funds", "--file", m_file, "--input", "-"}).code, 2);
    }

    // The help of every command, which the manual page is made from: each
    // command under its own line, so that the manual page gives it a section
    // of its own, and no line that would read as the program's own options.
    void helpOfEveryCommand()
    {
        const Run r = run({"--help-all"});
        QCOMPARE(r.code, 0);
        const QString all = QString::fromUtf8(r.out);
        QVERIFY(!all.contains(QStringLiteral("\nOptions:\n")));
        const qsizetype start = all.indexOf(QStringLiteral("\n*tallomar-report funds*\n"));
        QVERIFY(start > 0);
        QVERIFY(all.lastIndexOf(QStringLiteral("\n*tallomar-report mortgage*\n"), start) > 0);
        const QString funds = all.mid(start);
        for (const char *name : {"--file FILE", "--price FUND=PRICE", "--listing all|FUND", "--sort", "--values"})
            QVERIFY2(funds.contains(QLatin1String(name)), name);
        QVERIFY(!funds.contains(QStringLiteral("--input")));
        QVERIFY(!funds.contains(QStringLiteral("Inputs")));
    }

    void wrongFile()
    {
        const QString path = write(QStringLiteral("short.qvs"), "2,1,\"All Records\",\"31\"\r\n\"A\",\" 1\"\r\n");
        const Run r = run({"funds", "--file", path, "--format", "json"});
        QCOMPARE(r.code, 3);
        QVERIFY(r.err.startsWith(QStringLiteral("File not found or wrong format.")));
    }

    // --as-of sets the day the annual returns run to. Growth: 1,000 shares
    // bought at 10 on 2020-01-01, at 12 on 2022-01-01: 1.2^(365/731) - 1 a
    // year. Gone was sold out in 2021: no return, and the reason says so.
    void annualReturn()
    {
        const QString path = write(QStringLiteral("annual.qvs"),
                                   "3,2,\"All Records\",\"31\"\r\n"
                                   "\"Growth\",\" 1\"\r\n"
                                   "\"Gone\",\" 2\"\r\n"
                                   "1,10,1000,0,0,10000,\"B\",#2020-01-01#\r\n"
                                   "2,5,1000,0,0,5000,\"B\",#2020-01-01#\r\n"
                                   "2,6,-1000,0,0,-6000,\"S\",#2021-01-01#\r\n");
        const QStringList values{"funds", "--file", path, "--values", "--price", "Growth=12", "--as-of", "2022-01-01"};
        const Run text = run(values);
        QCOMPARE(text.code, 0);
        const QString out = QString::fromUtf8(text.out);
        QVERIFY2(out.contains(QRegularExpression(QStringLiteral("\nGrowth .* 9\\.53%\n"))), text.out.constData());
        QVERIFY(out.contains(QStringLiteral("\nNo annual return for Gone: sold out before the valuation date.\n")));

        const Run json = run(values + QStringList{"--format", "json"});
        QCOMPARE(json.code, 0);
        const QJsonObject document = json.json();
        QCOMPARE(document.value("valuation_date").toString(), QStringLiteral("2022-01-01"));
        const QJsonArray funds = document.value("funds").toArray();
        QCOMPARE(funds.at(0).toObject().value("annual_return").toString(), QStringLiteral("9.5309"));
        QVERIFY(!funds.at(0).toObject().contains("annual_return_note"));
        QVERIFY(funds.at(1).toObject().value("annual_return").isNull());
        QCOMPARE(funds.at(1).toObject().value("annual_return_note").toString(),
                 QStringLiteral("sold out before the valuation date"));
        // All funds: -15,000 on 2020-01-01, +6,000 on 2021-01-01 and 12,000
        // held on 2022-01-01, worked apart as 11.6310%.
        QCOMPARE(document.value("total").toObject().value("annual_return").toString(), QStringLiteral("11.6310"));

        const Run csv = run(values + QStringList{"--format", "csv"});
        QVERIFY2(csv.out.contains(",Annual Return %\r\n") || csv.out.contains(",Annual Return %\n"), csv.out.constData());
        QVERIFY2(csv.out.contains(",100.0000,9.5309"), csv.out.constData());
        const Run report = run(values + QStringList{"--format", "report"});
        QVERIFY2(report.out.contains("Annual Return %      9.53%"), report.out.constData());

        for (const QStringList &wrong : {QStringList{"--values", "--price", "Growth=12", "--as-of", "2022-02-30"},
                                         QStringList{"--values", "--price", "Growth=12", "--as-of", "1/1/2022"},
                                         QStringList{"--as-of", "2022-01-01"}}) {
            const Run refused = run(QStringList{"funds", "--file", path} + wrong);
            QCOMPARE(refused.code, 2);
            QVERIFY(refused.out.isEmpty());
        }
        const Run help = run({"funds", "--help"});
        QVERIFY(help.out.contains("--as-of YYYY-MM-DD"));
    }
};

QTEST_GUILESS_MAIN(TestFundsCommand)
#include "test_funds_command.moc"
