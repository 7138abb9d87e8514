#pragma once
// Command registry of cfgtool: each command file registers its commands with
// a static CfgCommand object, so commands can be added without touching main.
#include <QStringList>

#include <functional>
#include <map>

namespace cfgtool {

using CommandFn = std::function<int(const QStringList& args)>;

std::map<QString, CommandFn>& Registry();

struct CfgCommand {
    CfgCommand(const char* name, CommandFn fn) { Registry()[QString::fromLatin1(name)] = std::move(fn); }
};

// Writes a line to standard output / standard error in UTF-8.
void Out(const QString& line);
void Err(const QString& line);

} // namespace cfgtool
