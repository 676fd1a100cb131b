// com_client DLL_PATH: tests the registered quibor15.dll as a COM client
// does, early-bound and late-bound, printing one line per check and
// "DONE" at the end.
#include <cstdio>

#include "client/checks.hpp"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::printf("usage: com_client DLL_PATH\n");
        return 2;
    }
    if (FAILED(CoInitialize(nullptr))) {
        std::printf("not ok - CoInitialize\n");
        return 1;
    }
    client::EarlyBoundTests();
    client::LateBoundTests();
    client::EventTests();
    CoUninitialize();
    // The server's own entry points, on the DLL loaded apart from COM.
    CoInitialize(nullptr);
    client::ServerTests(argv[1]);
    CoUninitialize();
    std::printf("DONE\n");
    return 0;
}
