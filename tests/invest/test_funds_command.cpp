#include "support/report_program.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

    void wrongFile()
    {
        const QString path = write(QStringLiteral("short.qvs"), "2,1,\"All Records\",\"31\"\r\n\"A\",\" 1\"\r\n");
        const Run r = run({"funds", "--file", path, "--format", "json"});
        QCOMPARE(r.code, 3);
        QVERIFY(r.err.startsWith(QStringLiteral("File not found or wrong format.")));
    }
};

QTEST_GUILESS_MAIN(TestFundsCommand)
#include "test_funds_command.moc"
