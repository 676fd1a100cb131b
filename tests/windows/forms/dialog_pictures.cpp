// dialog_pictures OUT_DIR: shows the language dialog and the monitor
// chooser on real windows and saves what the screen shows of each as a
// 24-bit BMP in OUT_DIR (language.bmp, monitors.bmp), then closes them.
// Meant for a display (scripts/screenshots.sh runs it under Xvfb with
// Wine's X11 driver).
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "client/checks.hpp"
#include "forms/screen_capture.hpp"

namespace {

DWORD g_main_thread = 0;

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM data) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (std::wstring(name) == L"Quibor15FormWindow" && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(data) = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForDialog() {
    for (int i = 0; i < 200; ++i) {
        HWND found = nullptr;
        EnumThreadWindows(g_main_thread, &FindDialog, reinterpret_cast<LPARAM>(&found));
        if (found) return found;
        Sleep(50);
    }
    return nullptr;
}

// Calls `method` on a new object of `progid` while another thread waits for
// the dialog, lets `prepare` act on it, saves it and presses Esc / closes it.
void SavePicture(const wchar_t* progid, const wchar_t* method, std::vector<VARIANT> args, void (*prepare)(HWND),
                 const std::wstring& path) {
    IDispatch* object = client::Create(progid);
    if (!object) {
        std::printf("not ok - create %s\n", client::Narrow(progid).c_str());
        return;
    }
    bool saved = false;
    std::thread driver([&] {
        HWND dialog = WaitForDialog();
        if (!dialog) return;
        if (prepare) prepare(dialog);
        Sleep(700);  // painted
        saved = SaveWindowPicture(dialog, path);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    VARIANT result;
    VariantInit(&result);
    client::Call(object, method, DISPATCH_METHOD, args.data(), static_cast<UINT>(args.size()), &result);
    driver.join();
    VariantClear(&result);
    for (VARIANT& v : args) VariantClear(&v);
    object->Release();
    client::Check("picture " + client::Narrow(path), saved);
}

VARIANT Text(const wchar_t* text) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::printf("usage: dialog_pictures OUT_DIR\n");
        return 2;
    }
    g_main_thread = GetCurrentThreadId();
    CoInitialize(nullptr);
    const std::wstring dir = argv[1];
    SavePicture(L"quibor15.clsQuiborWUillsA", L"UIShowLLS", {}, nullptr, dir + L"\\language.bmp");
    SavePicture(
        L"quibor15.clsQuiborMonitorsA", L"ShowMonitorDialog",
        {Text(L"Choose the monitor for the main window."), Text(L"Select Monitor")},
        [](HWND dialog) {
            // Monitor 1 picked: OK enabled, the monitor's caption bold.
            if (HWND monitor = FindWindowExW(GetWindow(dialog, GW_CHILD), nullptr, L"Button", L"Monitor 1")) {
                SendMessageTimeoutW(monitor, BM_CLICK, 0, 0, SMTO_BLOCK, 5000, nullptr);
            }
        },
        dir + L"\\monitors.bmp");
    CoUninitialize();
    std::printf("DONE\n");
    return 0;
}
