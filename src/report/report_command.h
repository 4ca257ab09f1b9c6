#pragma once

#include "shell/tool_fields.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <span>

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
    // A command that is not a calculator runs itself on its arguments
    // (without the command's name) and returns the exit status.
    int (*run)(const QStringList &arguments, const QString &programDir, QTextStream &out, QTextStream &err) = nullptr;
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
