#include <fstream>

#include "host/commands.hpp"
#include "quibor15/library.hpp"

namespace quibor15::host {

int RunIdlCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    std::string output_path;
    for (size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size()) {
            output_path = args[++i];
        } else {
            err << "usage: quibor15 idl [-o FILE]\n";
            return 2;
        }
    }
    const std::string idl = TypeLibraryToIdl(Library::Types());
    if (output_path.empty()) {
        out << idl;
        out.flush();
        return out ? 0 : 1;
    }
    std::ofstream file(output_path, std::ios::binary | std::ios::trunc);
    file << idl;
    file.close();
    if (!file) {
        err << "quibor15 idl: cannot write " << output_path << "\n";
        return 1;
    }
    return 0;
}

}  // namespace quibor15::host
