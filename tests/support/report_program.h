#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// What one run of tallomar-report gave: its exit status (-1 when it
// crashed), standard output and standard error.
struct ReportRun
{
    int code = -1;
    QByteArray out;
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
    // The "grid" of the JSON output, row by row.
    QList<QStringList> grid() const
    {
        QList<QStringList> rows;
        for (const QJsonValue &row : json().value(QStringLiteral("grid")).toArray()) {
            QStringList cells;
            for (const QJsonValue &cell : row.toArray())
                cells << cell.toString();
            rows << cells;
        }
        return rows;
    }
};

// tallomar-report (the build's TALLOMAR_REPORT) run as a script would: a copy
// of the program in bin/ of a folder of the test's own, so that the settings
// file beside it is the test's and not a developer's. Runs start in that
// folder; files the test writes there are found by their names alone.
class ReportProgram
{
public:
    // False when the copy could not be made.
    bool setUp()
    {
        if (!m_dir.isValid() || !QDir(m_dir.path()).mkdir(QStringLiteral("bin")))
            return false;
        m_program = m_dir.filePath(QStringLiteral("bin/tallomar-report"));
        return QFile::copy(QStringLiteral(TALLOMAR_REPORT), m_program) &&
               QFile::setPermissions(m_program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString program() const { return m_program; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString folder() const { return m_dir.path(); }

    ReportRun run(const QStringList &arguments, const QByteArray &input = {}) const
    {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(m_program, arguments);
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished(60000);
        ReportRun result;
        result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }
    // The words of a command line, split at the spaces.
    ReportRun cmd(const char *words, const QByteArray &input = {}) const
    {
        return run(QString::fromUtf8(words).split(QLatin1Char(' ')), input);
    }

private:
    QTemporaryDir m_dir;
    QString m_program;
};
