// What a test's driver thread uses to work another thread's windows: bounded
// messages (a window that stopped answering fails the test instead of
// hanging it), texts, classes and the windows of a thread or a parent.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>
#include <vector>

namespace driver {

LRESULT Send(HWND hwnd, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
std::wstring TextOf(HWND hwnd);
std::wstring ClassOf(HWND hwnd);
std::vector<HWND> ThreadWindows(DWORD thread);
std::vector<HWND> Children(HWND parent);

}  // namespace driver
