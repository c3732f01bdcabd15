#pragma once

#include <QString>
#include <QStringList>

#include <span>

// The commands of trainbook-cli, one function each: the arguments after the command's name
// in, the exit code out (see CliSupport.h for errors). main.cpp lists them in its table.
namespace Cli {

// One row of the command table: everything the usage, the help, the manual page and the shell
// completion say about a command comes from its row.
struct Command {
    const char* name;
    int (*run)(const QStringList& args);
    const char* usage;             // usage lines, each after "trainbook-cli [--db PATH] "
    const char* summary = nullptr; // what the command does, for its help and the manual page
};

// The bash completion script for `commands` (Completion.cpp): command names, each command's
// options, the choices written in its usage ("--format full|summary|weekly") and the words
// that follow the command's name ("calc minutes ..."); anything else completes file names.
QString bashCompletion(std::span<const Command> commands);

int init(const QStringList& args);
int sql(const QStringList& args);
int calc(const QStringList& args);
int report(const QStringList& args);
int backup(const QStringList& args);
int import(const QStringList& args);
int bests(const QStringList& args);
int chart(const QStringList& args);
int calendar(const QStringList& args);
int goals(const QStringList& args);
int goal(const QStringList& args);
int track(const QStringList& args);
int hr(const QStringList& args);
int zones(const QStringList& args);
int load(const QStringList& args);

} // namespace Cli
