#include "support/report_program.h"
#include "support/source_dir.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

// "tallomar-report funds --import" and "--records" as a script runs them.
class TestFundsImportCommand : public QObject
{
    Q_OBJECT

    ReportProgram m_report;
    QString m_broker;
    QString m_records;

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
    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The options the broker's file needs: its headings and its words.
    QStringList brokerImport() const
    {
        return {"funds", "--import", m_broker, "--map", "date=Buchungstag", "--map", "fund=Wertpapier", "--map",
                "type=Vorgang", "--map", QString::fromUtf8("shares=Stück"), "--map", "price=Kurs", "--map",
                "fees=Provision", "--map", QString::fromUtf8("dividend=Ausschüttung"), "--types", "Kauf=B", "--types",
                "Verkauf=S", "--types", "Dividende=C", "--types", QString::fromUtf8("Depotgebühr=f")};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_report.setUp());
        m_broker = SourceDir() + QStringLiteral("/resources/samples/Sample_broker.csv");
        m_records = SourceDir() + QStringLiteral("/resources/samples/Sample_records.csv");
        QDir(m_report.folder()).mkdir(QStringLiteral("guessed"));
    }

    // The broker's rows mapped by the options, saved and told; its headings
    // and words are common ones, so no options give the same database. (The
    // reading of each figure is test_record_csv's.)
    void brokerSample()
    {
        const QString saved = m_report.filePath(QStringLiteral("broker.qvs"));
        const Run imported = run(brokerImport() + QStringList{"--save", saved});
        QVERIFY2(imported.code == 0, qPrintable(imported.err));
        QVERIFY(imported.err.contains(QLatin1String("imported 12 records and 4 new funds")));
        const QString guessed = m_report.filePath(QStringLiteral("guessed/broker.qvs"));
        run({"funds", "--import", m_broker, "--save", guessed});
        QCOMPARE(run({"funds", "--file", guessed, "--format", "json"}).out,
                 run({"funds", "--file", saved, "--format", "json"}).out);
    }

    // Our own export form needs no options and comes back byte for byte.
    void recordsSample()
    {
        QCOMPARE(run({"funds", "--import", m_records, "--records", "--format", "csv"}).out, read(m_records));
    }

    // One bad row: exit 3, its line and field told, nothing written. (Each
    // reason a row is refused for is the core's: test_record_csv.)
    void refusedRow()
    {
        const QString csv = write(QStringLiteral("bad.csv"), "date,fund,type,shares,price,fees,dividend\r\n"
                                                             "2021-01-04,Alpha,B,2500,10,9.9,\r\n"
                                                             "2021-02-01,Alpha,Tausch,1000,12,,\r\n");
        const QString kept = write(QStringLiteral("kept.qvs"), "0,0,\"All Records\",\"31\"\r\n");
        const QString fresh = m_report.filePath(QStringLiteral("fresh.qvs"));
        QFile::remove(fresh);
        for (const QString &target : {kept, fresh}) {
            const Run r = run({"funds", "--import", csv, "--save", target});
            QCOMPARE(r.code, 3);
            QVERIFY2(r.err.startsWith(QLatin1String("line 3, type: ")), qPrintable(r.err));
            QVERIFY(r.err.contains(QLatin1String("nothing was imported")));
            QVERIFY(r.out.isEmpty());
        }
        QCOMPARE(read(kept), QByteArray("0,0,\"All Records\",\"31\"\r\n"));
        QVERIFY(!QFile::exists(fresh));
    }

    void wrongArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::newRow("no field of that name") << QStringList{"--map", "amount=Kurs"} << 2;
        QTest::newRow("no column of that heading") << QStringList{"--map", "price=Preis"} << 2;
        QTest::newRow("type code unknown") << QStringList{"--types", "Kauf=K"} << 2;
        QTest::newRow("two-digit years") << QStringList{"--date-format", "dd.MM.yy"} << 2;
        QTest::newRow("decimal") << QStringList{"--decimal", ";"} << 2;
        QTest::newRow("records as text") << QStringList{"--records"} << 2;
        QTest::newRow("no such file") << QStringList{"funds", "--import", "missing.csv"} << 3;
        const QString file = write(QStringLiteral("one.qvs"), "0,1,\"All Records\",\"31\"\r\n\"Alpha\",\" 1\"\r\n");
        QTest::newRow("save without an import") << QStringList{"funds", "--file", file, "--save", m_report.filePath("copy.qvs")} << 2;
    }
    void wrongArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        const Run r = run(arguments.first() == QLatin1String("funds") ? arguments : brokerImport() + arguments);
        QCOMPARE(r.code, code);
        QVERIFY(r.out.isEmpty());
    }

    // The other options work on the merged records: a file's fund gains
    // records and a new fund comes in behind it.
    void combined()
    {
        const QString file = write(QStringLiteral("held.qvs"), "1,1,\"All Records\",\"31\"\r\n\"Zeta\",\" 1\"\r\n"
                                                               "1,10,1000,0,0,10000,\"B\",#2020-01-02#\r\n");
        const QString csv = write(QStringLiteral("more.csv"), "date;fund;type;shares;price;fees;dividend\r\n"
                                                              "03.02.2020;Alpha;Kauf;2.000;12,5;;\r\n"
                                                              "01.01.2020;Zeta;Kauf;1.000;9,75;10;\r\n");
        const Run values = run({"funds", "--file", file, "--import", csv, "--types", "kauf=B", "--sort", "--values",
                                "--price", "Zeta=11", "--price", "Alpha=13", "--format", "json"});
        QVERIFY2(values.code == 0, qPrintable(values.err));
        const QJsonArray funds = values.json().value("funds").toArray();
        // Sorted: Alpha first. Zeta holds 2,000 shares at 11, Alpha 2,000 at 13.
        QCOMPARE(funds.at(0).toObject().value("name").toString(), QStringLiteral("Alpha"));
        QCOMPARE(values.json().value("total").toObject().value("current_total").toString(),
                 QStringLiteral("48000.0000"));
    }
};

QTEST_GUILESS_MAIN(TestFundsImportCommand)
#include "test_funds_import_command.moc"
