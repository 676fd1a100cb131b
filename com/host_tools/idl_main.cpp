// q15_idl FILE: writes the type library as MIDL source to FILE, the same
// text as `quibor15 idl`, for the build machine of a cross build.
#include <fstream>
#include <iostream>

#include "quibor15/typelib.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: q15_idl FILE\n";
        return 2;
    }
    const std::string idl = quibor15::TypeLibraryToIdl(quibor15::Quibor15TypeLibrary());
    std::ifstream old_file(argv[1], std::ios::binary);
    if (old_file) {
        // Unchanged text keeps its timestamp, so the type library is not rebuilt.
        std::string old((std::istreambuf_iterator<char>(old_file)), std::istreambuf_iterator<char>());
        if (old == idl) return 0;
    }
    old_file.close();
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << idl;
    file.close();
    if (!file) {
        std::cerr << "q15_idl: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
