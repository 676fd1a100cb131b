#include "forms/window_driver.hpp"

namespace driver {

namespace {

BOOL CALLBACK Collect(HWND hwnd, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
    return TRUE;
}

}  // namespace

LRESULT Send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, message, wparam, lparam, SMTO_BLOCK, 5000, &result);
    return static_cast<LRESULT>(result);
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[512] = {};
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 5000, nullptr);
    return buffer;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t buffer[128] = {};
    GetClassNameW(hwnd, buffer, 128);
    return buffer;
}

std::vector<HWND> ThreadWindows(DWORD thread) {
    std::vector<HWND> found;
    EnumThreadWindows(thread, &Collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace driver
