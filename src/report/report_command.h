#pragma once

#include "shell/core/table_text.h"
#include "shell/core/tool_fields.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <span>

class PrintFrame;
class QCommandLineParser;
class QTextStream;
class ToolSession;
struct AppState;

// An option of a command beyond its tool's fields (a switch such as
// --compare).
struct CommandSwitch
{
    const char *name;
    const char *help;
};

// An option of a command that is not a calculator, taking a value
// (--file FILE).
struct CommandOption
{
    const char *name;
    const char *valueName;
    const char *help;
};

// What a command that is not a calculator gives the shared output, one
// member for each format: text, the table for csv, the document for json,
// and the printout for report and pdf.
struct ReportOutput
{
    QString text;
    TextTable table;
    QByteArray json;
    // Written as they are for csv instead of the table, when not empty: a
    // file format of its own (the records export) rather than a table.
    QByteArray csv;
    QString printTitle;
    std::function<void(PrintFrame &)> print;
};

// How such a command ends: ReportOk with the output filled, ReportUsage with
// the problem with its arguments, or ReportRefused with the message told.
// A refusal that came after part of the output was made (as the window
// still shows what it had) keeps that part: it is written, and the run
// still ends as refused.
struct CommandRun
{
    int exit = 0;
    QString problem;
    bool keepsOutput = false;
};

// One command of the report program: a tool, driven through its session
// exactly as its window drives it. Adding a tool means adding one of these.
struct ReportCommand
{
    const char *name;
    const char *summary;     // one line, for the program's --help
    const char *description; // a paragraph, for the command's --help
    FieldTable (*fields)();
    std::span<const CommandSwitch> switches;
    // Opens the tool's session; `list` tells whether the input was a list
    // of presses.
    std::unique_ptr<ToolSession> (*open)(AppState &state, const QCommandLineParser &parser, bool list);
    // A command that is not a calculator: its options with values beyond
    // the common ones, and what makes its output from the parsed options
    // (the format chosen, settings and --currency already in `state`).
    std::span<const CommandOption> options = {};
    CommandRun (*report)(AppState &state, const QCommandLineParser &parser, const QString &format, ReportOutput &output,
                        QTextStream &err) = nullptr;
    // What is wrong with options that are each well formed but cannot be
    // used together (a file whose figures the tool cannot take as they
    // stand); empty when nothing is. Told as a wrong argument.
    QString (*checkOptions)(const QCommandLineParser &parser) = nullptr;
};

// Every command, in the order --help lists them.
std::span<const ReportCommand *const> ReportCommands();

const ReportCommand &GrowthCommand();
const ReportCommand &SavingsCommand();
const ReportCommand &Plan401KCommand();
const ReportCommand &CapitalCommand();
const ReportCommand &RetirementCommand();
const ReportCommand &NetWorthCommand();
const ReportCommand &MortgageCommand();
const ReportCommand &FundsCommand();
