#include "support/report_program.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

// Runs "tallomar-report funds" on database files as a script would: its
// options, formats, exit codes and files. The figures themselves are worked
// in the core tests; each format here shows one of them to prove it is the
// session's.
class TestFundsCommand : public QObject
{
    Q_OBJECT

    // A copy of the program of the test's own, so a developer's settings file
    // beside the build's program plays no part.
    ReportProgram m_report;
    QString m_file;
    QString m_huge; // a holding valued past what money can hold

    using Run = ReportRun;
    Run run(const QStringList &arguments) const { return m_report.run(arguments); }
    Run funds(const QStringList &arguments) const { return run(QStringList{"funds", "--file", m_file} + arguments); }
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
        // written before a sort holds them. beta: 90 shares, book cost 945;
        // Alpha: a cash dividend only.
        m_file = write(QStringLiteral("funds.qvs"),
                       "3,2,\"All Records\",\"31\"\r\n\"beta\",\" 1\"\r\n\"Alpha\",\" 2\"\r\n"
                       "1,10,100,50,0,1050,\"B\",#1998-10-12#\r\n"
                       "2,0,0,0,25.5,-25.5,\"C\",#1997-01-02#\r\n"
                       "1,10.5,-10,0,0,-105,\"S\",#1999-03-01#\r\n");
        m_huge = write(QStringLiteral("huge.qvs"), "1,1,\"All Records\",\"31\"\r\n\"Huge\",\" 1\"\r\n"
                                                   "1,90000000,9000000,0,0,810000000000000,\"B\",#2001-01-05#\r\n");
    }

    // The JSON form's fields for the records, the values' total and a
    // listing's value, and --sort applied before anything is shown. (A fund
    // with no shares and no price, Alpha, is accepted in every values form.)
    void json()
    {
        const QJsonObject document = funds({"--format", "json"}).json();
        QCOMPARE(document.value("status").toString(), QStringLiteral(" funds.qvs    Funds = 2    Records = 3 "));
        QCOMPARE(document.value("funds").toArray().at(1).toObject(), (QJsonObject{{"name", "Alpha"}, {"number", 2}}));
        const QJsonObject expected{{"number", 1},          {"fund", 1},           {"type", "B"},
                                   {"date", "1998-10-12"}, {"price", "10.0000"}, {"shares", "100.0000"},
                                   {"fees", "50.0000"},    {"cash_dividend", "0.0000"}, {"book_value", "1050.0000"}};
        QCOMPARE(document.value("records").toArray().at(0).toObject(), expected);

        const QJsonObject sorted = funds({"--sort", "--format", "json"}).json();
        QCOMPARE(sorted.value("funds").toArray().at(0).toObject().value("name").toString(), QStringLiteral("Alpha"));
        // The dividend, Alpha's, now of fund 1, comes first.
        QCOMPARE(sorted.value("records").toArray().at(0).toObject().value("fund").toInt(), 1);

        const Run values = funds({"--price", "beta=12", "--values", "--format", "json"});
        QCOMPARE(values.json().value("total").toObject().value("current_total").toString(), QStringLiteral("1080.0000"));
        const QJsonObject beta = funds({"--listing", "beta", "--price", "beta=12", "--format", "json"})
                                     .json().value("funds").toArray().at(0).toObject();
        QCOMPARE(beta.value("current_value").toObject().keys(), (QStringList{"gain", "gain_percent", "price", "value"}));
    }

    // Each form of each question, found as one line whatever the widths.
    void formats_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        const QStringList values{"--price", "beta=12", "--values", "--format"};
        QTest::newRow("records text") << QStringList{} << "Database in memory: funds.qvs Funds = 2 Records = 3";
        QTest::newRow("records csv") << QStringList{"--format", "csv"}
                                     << "Record,Fund,Fund Name,Type,Date,Price,Shares,Fees,Cash Dividend,Book Value";
        QTest::newRow("records report") << QStringList{"--format", "report"} << "Investment Database";
        QTest::newRow("values text") << values + QStringList{"text"} << "beta 90.0000 945.00 $12.00 1,080.00 135.00 14.29% 100.00%";
        QTest::newRow("values csv") << values + QStringList{"csv"} << "1,beta,90.0000,945.0000,12.0000,1080.0000,135.0000,14.2857,100.0000";
        QTest::newRow("values report") << values + QStringList{"report"} << " beta (100%)";
        QTest::newRow("listing text") << QStringList{"--listing", "beta", "--price", "beta=12"} << "$12.00 $1,080.00 $135.00 14.29%";
        QTest::newRow("listing csv") << QStringList{"--listing", "2", "--format", "csv"}
                                     << "2,Alpha,C,1997-01-02,0.0000,0.0000,0.0000,0.0000,25.5000,-25.5000";
        QTest::newRow("listing report") << QStringList{"--listing", "beta", "--price", "beta=12", "--format", "report"}
                                        << "Gain $ Gain %";
    }
    void formats()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const Run r = funds(arguments);
        QCOMPARE(r.code, 0);
        QStringList pieces = expected.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString &piece : pieces)
            piece = QRegularExpression::escape(piece);
        QVERIFY2(QString::fromUtf8(r.out).contains(QRegularExpression(pieces.join(" +"))), r.out.constData());
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("shares held, no price") << QStringList{"--values"} << 3 << "Check, missing entry or 0.";
        QTest::newRow("no such fund") << QStringList{"--price", "gamma=1", "--values"} << 2 << "";
        QTest::newRow("not a price") << QStringList{"--price", "beta=12x", "--values"} << 2 << "";
        QTest::newRow("no such listing") << QStringList{"--listing", "3"} << 2 << "";
        QTest::newRow("both at once") << QStringList{"--listing", "all", "--values"} << 2 << "";
        QTest::newRow("--input is the calculators'") << QStringList{"--input", "-"} << 2 << "";
        QTest::newRow("no such file") << QStringList{"--file", "/no/such.qvs"} << 3 << "File not found or wrong format.";
        QTest::newRow("value past money") << QStringList{"--file", m_huge, "--price", "1=1000000000", "--values"} << 3
                                          << "Wrong or missing entry, try again.";
        QTest::newRow("no file given") << QStringList{} << 2 << "";
        QTest::newRow("no such day") << QStringList{"--values", "--price", "beta=12", "--as-of", "2022-02-30"} << 2 << "";
        QTest::newRow("--as-of without the values") << QStringList{"--as-of", "2022-01-01"} << 2 << "";
    }
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        const bool ownFile = arguments.contains(QLatin1String("--file")) || QTest::currentDataTag() == QLatin1String("no file given");
        const Run r = ownFile ? run(QStringList{"funds"} + arguments) : funds(arguments);
        QCOMPARE(r.code, code);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.trimmed().startsWith(message), qPrintable(r.err));
    }

    // Nothing was put in: the gain cannot be measured; or the value is past
    // what money can hold. The listing stays, as in the window; only the
    // value block is refused, with exit 3.
    void listedValueCannotBeMeasured()
    {
        const QString path = write(QStringLiteral("split.qvs"), "1,1,\"All Records\",\"31\"\r\n\"Split\",\" 1\"\r\n"
                                                                "1,10,10,0,0,0,\"D\",#2000-01-03#\r\n");
        const Run r = run({"funds", "--file", path, "--listing", "Split", "--price", "Split=5"});
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err.trimmed(), QStringLiteral("Cannot calculate."));
        QVERIFY(r.out.contains("Average cost per share =") && !r.out.contains("Current"));
        const Run huge = run({"funds", "--file", m_huge, "--price", "1=1000000000", "--listing", "1"});
        QCOMPARE(huge.code, 3);
        QCOMPARE(huge.err.trimmed(), QStringLiteral("Wrong or missing entry, try again."));
        const Run json = run({"funds", "--file", path, "--listing", "1", "--price", "1=10", "--format", "json"});
        QCOMPARE(json.code, 3);
        QCOMPARE(json.json().value("message").toObject().value("number").toInt(), 26);
        QVERIFY(!json.json().value("funds").toArray().at(0).toObject().contains("current_value"));
    }

    // --as-of sets the day the annual returns run to (a wrong one is
    // refused's); a fund without a return gets its reason instead.
    // Growth: 1,000 shares bought at 10 on 2020-01-01, at 12 on 2022-01-01.
    void annualReturn()
    {
        const QString path = write(QStringLiteral("annual.qvs"),
                                   "3,2,\"All Records\",\"31\"\r\n\"Growth\",\" 1\"\r\n\"Gone\",\" 2\"\r\n"
                                   "1,10,1000,0,0,10000,\"B\",#2020-01-01#\r\n"
                                   "2,5,1000,0,0,5000,\"B\",#2020-01-01#\r\n"
                                   "2,6,-1000,0,0,-6000,\"S\",#2021-01-01#\r\n");
        const QStringList values{"funds", "--file", path, "--values", "--price", "Growth=12", "--as-of", "2022-01-01"};
        QVERIFY(run(values).out.contains("\nNo annual return for Gone: sold out before the valuation date.\n"));

        const QJsonObject document = run(values + QStringList{"--format", "json"}).json();
        QCOMPARE(document.value("valuation_date").toString(), QStringLiteral("2022-01-01"));
        const QJsonArray list = document.value("funds").toArray();
        QCOMPARE(list.at(0).toObject().value("annual_return").toString(), QStringLiteral("9.5309"));
        QCOMPARE(list.at(1).toObject().value("annual_return_note").toString(),
                 QStringLiteral("sold out before the valuation date"));
    }

    // The help of every command, which the manual page is made from: each
    // command under its own line, so that it gets a section of its own, and
    // no line that would read as the program's own options. --input, which
    // only the calculators take, is not offered. (A command's own --help is
    // test_tallomar_report's.)
    void help()
    {
        const Run r = run({"--help-all"});
        QCOMPARE(r.code, 0);
        const QString all = QString::fromUtf8(r.out);
        QVERIFY(!all.contains(QStringLiteral("\nOptions:\n")));
        const qsizetype start = all.indexOf(QStringLiteral("\n*tallomar-report funds*\n"));
        QVERIFY(start > 0);
        QVERIFY(all.lastIndexOf(QStringLiteral("\n*tallomar-report mortgage*\n"), start) > 0);
        const QString section = all.mid(start);
        QVERIFY(section.contains(QStringLiteral("--as-of YYYY-MM-DD")));
        QVERIFY(!section.contains(QStringLiteral("--input")) && !section.contains(QStringLiteral("Inputs")));
    }
};

QTEST_GUILESS_MAIN(TestFundsCommand)
#include "test_funds_command.moc"
