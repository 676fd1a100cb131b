// The subcommands of the quibor15 command. Each lives in a file of its own
// and has one line in the table of main.cpp.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace quibor15::host {

// Arguments after the subcommand name. Returns the process exit code.
using CommandFunction = int (*)(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// quibor15 run FILE.vbs [ARGS...]: runs a script in the headless world.
int RunScriptCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// quibor15 idl [-o FILE]: the type library as MIDL source.
int RunIdlCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace quibor15::host
