#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QTextStream;

// Exit codes of the report program.
enum ReportExit { ReportOk = 0, ReportFailed = 1, ReportUsage = 2, ReportRefused = 3 };

// Runs the report program on its arguments (without the program's name).
// Standard input is read only for --input -.
int RunReport(const QStringList &arguments, const QString &programDir, QTextStream &out, QTextStream &err);
// The same with the bytes of --input given from memory: they are taken as
// the file or standard input that --input names would have given.
int RunReport(const QStringList &arguments, const QString &programDir, QTextStream &out, QTextStream &err,
              const QByteArray &input);

// A command line parsed, and the personal settings read, once, to be run on
// any number of inputs; RunReport makes one and runs it once.
class ReportLine
{
public:
    ReportLine(const QStringList &arguments, const QString &programDir);
    ~ReportLine();
    ReportLine(const ReportLine &) = delete;
    ReportLine &operator=(const ReportLine &) = delete;

    // Runs the command line: its output to `out`, its messages to `err`, its
    // exit code returned. `input`, when given, holds the bytes of --input.
    int run(QTextStream &out, QTextStream &err, const QByteArray *input = nullptr);

private:
    struct Parsed;
    std::unique_ptr<Parsed> m_parsed;
};

// Whether the arguments ask for a PDF file (which needs the GUI library).
bool WantsPdf(const QStringList &arguments);

// A table as aligned text: each column as wide as its widest cell, the
// columns marked in `leftColumns` to the left and the others to the right,
// two spaces between columns, no spaces at the end of a line.
QString AlignedText(const QList<QStringList> &rows, const QList<bool> &leftColumns);
