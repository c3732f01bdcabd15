#pragma once

#include <QStringList>

// The commands of trainbook-cli, one function each: the arguments after the command's name
// in, the exit code out (see CliSupport.h for errors). main.cpp lists them in its table.
namespace Cli {

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

} // namespace Cli
