// quibor15 COMMAND [ARGS...]: the component's command-line host. Each
// subcommand is a function of its own file (host/commands.hpp).
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "host/commands.hpp"

namespace {

struct Command {
    std::string_view name;
    std::string_view summary;
    quibor15::host::CommandFunction run;
};

constexpr Command kCommands[] = {
    {"run", "run a script: quibor15 run [--snapshots DIR] FILE.vbs [ARGS...]", &quibor15::host::RunScriptCommand},
    {"idl", "print the type library as MIDL source", &quibor15::host::RunIdlCommand},
};

int Usage(std::ostream& err) {
    err << "usage: quibor15 COMMAND [ARGS...]\n\ncommands:\n";
    for (const Command& c : kCommands) err << "  " << c.name << "\t" << c.summary << "\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage(std::cerr);
    const std::string_view name = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : kCommands) {
        if (c.name == name) return c.run(args, std::cout, std::cerr);
    }
    if (name == "-h" || name == "--help" || name == "help") {
        Usage(std::cout);
        return 0;
    }
    std::cerr << "quibor15: unknown command '" << name << "'\n";
    return Usage(std::cerr);
}
