// dialogs_test: the component's own dialogs on real windows, driven the way
// a person would from another thread (keys, list choices, clicks as window
// messages) while the test's main thread sits in UIShowLLS or
// ShowMonitorDialog. Checks what the objects report afterwards and that the
// dialogs' windows and fonts are gone. One "ok - " / "not ok - " line per
// check, "DONE" at the end.
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "client/checks.hpp"
#include "forms/window_driver.hpp"

using client::Bstr;
using client::Call;
using client::Check;
using client::CheckText;
using client::Create;
using client::Narrow;
using driver::Children;
using driver::ClassOf;
using driver::Send;
using driver::TextOf;
using driver::ThreadWindows;

namespace {

DWORD g_main_thread = 0;

// The visible forms-engine window of the main thread, waited for.
HWND WaitForDialog() {
    for (int i = 0; i < 200; ++i) {
        for (HWND hwnd : ThreadWindows(g_main_thread)) {
            if (ClassOf(hwnd) == L"Quibor15FormWindow" && IsWindowVisible(hwnd)) return hwnd;
        }
        Sleep(50);
    }
    return nullptr;
}

HWND ChildBy(HWND dialog, const std::wstring& window_class, const std::wstring& text = L"") {
    for (HWND child : Children(dialog)) {
        if (_wcsicmp(ClassOf(child).c_str(), window_class.c_str()) == 0 && (text.empty() || TextOf(child) == text)) {
            return child;
        }
    }
    return nullptr;
}

// What the driver saw of one dialog while it was up.
struct Seen {
    HWND dialog = nullptr;
    std::wstring caption;
    std::vector<HWND> windows;
    std::vector<HFONT> fonts;
    bool owner_disabled = false;
    std::wstring notes;
};

void Record(Seen& seen, HWND owner) {
    seen.caption = TextOf(seen.dialog);
    seen.windows = Children(seen.dialog);
    seen.windows.push_back(seen.dialog);
    for (HWND hwnd : seen.windows) {
        DWORD_PTR font = 0;
        SendMessageTimeoutW(hwnd, WM_GETFONT, 0, 0, SMTO_BLOCK, 5000, &font);
        if (font) seen.fonts.push_back(reinterpret_cast<HFONT>(font));
    }
    seen.owner_disabled = owner && !IsWindowEnabled(owner);
}

// Runs `call` on this thread while `drive` acts on the dialog from another.
void WithDriver(const std::function<void()>& call, const std::function<void(HWND)>& drive, Seen& seen, HWND owner) {
    std::thread driver([&] {
        seen.dialog = WaitForDialog();
        if (!seen.dialog) {
            // Ends whatever the test thread shows, so the test goes on.
            for (HWND hwnd : ThreadWindows(g_main_thread)) {
                std::printf("# window %s [%s] visible %d\n", Narrow(ClassOf(hwnd)).c_str(),
                            Narrow(TextOf(hwnd)).c_str(), IsWindowVisible(hwnd) ? 1 : 0);
                std::fflush(stdout);
                if (ClassOf(hwnd) == L"Quibor15FormWindow") PostMessageW(hwnd, WM_CLOSE, 0, 0);
            }
            return;
        }
        Record(seen, owner);
        drive(seen.dialog);
        // A dialog the actions did not close is closed, so the test goes on.
        for (int i = 0; i < 40 && IsWindow(seen.dialog) && IsWindowVisible(seen.dialog); ++i) Sleep(50);
        if (IsWindow(seen.dialog) && IsWindowVisible(seen.dialog)) {
            std::printf("# still open: [%s]\n", Narrow(TextOf(seen.dialog)).c_str());
            for (HWND child : Children(seen.dialog)) {
                std::printf("#   %s [%s]\n", Narrow(ClassOf(child)).c_str(), Narrow(TextOf(child)).c_str());
            }
            std::fflush(stdout);
            PostMessageW(seen.dialog, WM_CLOSE, 0, 0);
        }
    });
    call();
    driver.join();
}

void CheckGone(const std::string& name, const Seen& seen, size_t windows_before) {
    Check(name + ": the dialog was shown", seen.dialog != nullptr);
    bool windows_gone = true;
    for (HWND hwnd : seen.windows) windows_gone = windows_gone && !IsWindow(hwnd);
    Check(name + ": its windows are destroyed", windows_gone);
    Check(name + ": the thread has the windows it had before", ThreadWindows(g_main_thread).size() == windows_before,
          std::to_string(ThreadWindows(g_main_thread).size()) + " vs " + std::to_string(windows_before));
    bool fonts_gone = !seen.fonts.empty();
    for (HFONT font : seen.fonts) fonts_gone = fonts_gone && GetObjectType(font) == 0;
    Check(name + ": its fonts are deleted", fonts_gone, std::to_string(seen.fonts.size()) + " fonts");
}

std::wstring GetText(IDispatch* object, const wchar_t* name) {
    VARIANT result;
    VariantInit(&result);
    Call(object, name, DISPATCH_PROPERTYGET, nullptr, 0, &result);
    std::wstring text = result.vt == VT_BSTR && result.bstrVal ? result.bstrVal : L"";
    VariantClear(&result);
    return text;
}

long GetLong(IDispatch* object, const wchar_t* name) {
    VARIANT result;
    VariantInit(&result);
    Call(object, name, DISPATCH_PROPERTYGET, nullptr, 0, &result);
    VariantChangeType(&result, &result, 0, VT_I4);
    const long value = result.vt == VT_I4 ? result.lVal : -1;
    VariantClear(&result);
    return value;
}

HRESULT CallMethod(IDispatch* object, const wchar_t* name, VARIANT* args = nullptr, UINT count = 0,
                   VARIANT* result = nullptr) {
    VARIANT local;
    VariantInit(&local);
    EXCEPINFO error = {};
    const HRESULT hr = Call(object, name, DISPATCH_METHOD, args, count, result ? result : &local, &error);
    if (hr == DISP_E_EXCEPTION) {
        std::printf("# %s: %s\n", Narrow(name).c_str(),
                    Narrow(error.bstrDescription ? error.bstrDescription : L"").c_str());
    }
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrHelpFile);
    VariantClear(&local);
    return hr;
}

// A plain top-level window of the test standing for the caller's window.
HWND MakeOwner() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"DialogsTestOwner";
    RegisterClassW(&wc);
    HWND owner = CreateWindowExW(0, wc.lpszClassName, L"Owner", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    ShowWindow(owner, SW_SHOWNORMAL);
    return owner;
}

void PostChar(HWND hwnd, wchar_t c) { PostMessageW(hwnd, WM_CHAR, c, 1); }
void PostKey(HWND hwnd, UINT key) {
    PostMessageW(hwnd, WM_KEYDOWN, key, 1);
    PostMessageW(hwnd, WM_KEYUP, key, 0xC0000001);
}

void LanguageDialog(HWND owner) {
    IDispatch* language = Create(L"quibor15.clsQuiborWUillsA");
    Check("language: the class is created", language != nullptr);
    if (!language) return;
    const size_t before = ThreadWindows(g_main_thread).size();

    // Typing "Fr" into the list's box completes it to the first French
    // entry (CB_FINDSTRING on the real combo box); Enter confirms with OK.
    Seen typed;
    std::wstring typed_text, typed_lcid, typed_hex;
    HRESULT hr = S_OK;
    WithDriver([&] { hr = CallMethod(language, L"UIShowLLS"); },
               [&](HWND dialog) {
                   HWND combo = ChildBy(dialog, L"ComboBox");
                   HWND edit = combo ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
                   if (!edit) return;
                   Send(edit, EM_SETSEL, 0, 0);
                   PostChar(edit, L'F');
                   PostChar(edit, L'r');
                   Sleep(300);
                   typed_text = TextOf(combo);
                   std::vector<HWND> boxes;
                   for (HWND child : Children(dialog)) {
                       if (_wcsicmp(ClassOf(child).c_str(), L"Edit") == 0 && GetParent(child) == dialog) {
                           boxes.push_back(child);
                       }
                   }
                   if (boxes.size() == 2) {
                       typed_lcid = TextOf(boxes[0]);
                       typed_hex = TextOf(boxes[1]);
                   }
                   typed.caption = TextOf(dialog);
                   PostKey(edit, VK_RETURN);
               },
               typed, owner);
    Check("language: UIShowLLS returns once the dialog closed", SUCCEEDED(hr), client::Hex(hr));
    Check("language: typing completes to a French entry", typed_text.rfind(L"French", 0) == 0, Narrow(typed_text));
    Check("language: the caption names the language picked", typed.caption.rfind(L"Select Language : French", 0) == 0,
          Narrow(typed.caption));
    Check("language: the owner was disabled while the dialog was up", typed.owner_disabled);
    Check("language: the owner is enabled again", IsWindowEnabled(owner) != FALSE);
    CheckText("language: Enter presses OK", GetText(language, L"CommandButtonPress"), L"ok");
    const long picked = GetLong(language, L"LCIDSelected");
    Check("language: LCIDSelected is the identifier the dialog showed",
          picked != 0 && std::to_wstring(picked) == typed_lcid, std::to_string(picked) + " vs " + Narrow(typed_lcid));
    Check("language: the box beside it shows it in hexadecimal",
          typed_hex.rfind(L"&H", 0) == 0 && wcstol(typed_hex.c_str() + 2, nullptr, 16) == picked, Narrow(typed_hex));
    CheckGone("language (typed)", typed, before);

    // A choice from the list (what the list tells its parent when a person
    // picks an item), then a click on Cancel.
    Seen listed;
    std::wstring listed_caption;
    WithDriver(
        [&] { hr = CallMethod(language, L"UIShowLLS"); },
        [&](HWND dialog) {
            HWND combo = ChildBy(dialog, L"ComboBox");
            HWND cancel = ChildBy(dialog, L"Button", L"&Cancel");
            if (!combo || !cancel) return;
            const LRESULT at =
                Send(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"German (Germany)"));
            Send(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
            Send(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
            listed_caption = TextOf(dialog);
            Send(cancel, BM_CLICK);
        },
        listed, owner);
    CheckText("language: a list choice shows in the caption", listed_caption, L"Select Language : German");
    CheckText("language: a click on Cancel", GetText(language, L"CommandButtonPress"), L"cancel");
    Check("language: Cancel leaves LCIDSelected", GetLong(language, L"LCIDSelected") == picked);
    CheckGone("language (Cancel)", listed, before);

    // The close box asks the form to unload; the last command stays.
    Seen closed;
    WithDriver([&] { hr = CallMethod(language, L"UIShowLLS"); },
               [&](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, closed, owner);
    Check("language: the close box ends the dialog", SUCCEEDED(hr) && closed.dialog != nullptr);
    CheckText("language: and leaves the last command", GetText(language, L"CommandButtonPress"), L"cancel");
    CheckGone("language (close box)", closed, before);

    // Esc from the list's box is Cancel, through the form's key preview.
    VARIANT blank;
    blank.vt = VT_BSTR;
    blank.bstrVal = SysAllocString(L"none");
    VARIANT ignored;
    VariantInit(&ignored);
    Call(language, L"CommandButtonPress", DISPATCH_PROPERTYPUT, &blank, 1, &ignored);
    VariantClear(&blank);
    Seen escaped;
    WithDriver([&] { hr = CallMethod(language, L"UIShowLLS"); },
               [&](HWND dialog) {
                   HWND combo = ChildBy(dialog, L"ComboBox");
                   HWND edit = combo ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
                   if (edit) PostKey(edit, VK_ESCAPE);
                   Sleep(300);
                   if (IsWindow(dialog)) PostMessageW(dialog, WM_CLOSE, 0, 0);
               },
               escaped, owner);
    CheckText("language: Esc presses Cancel", GetText(language, L"CommandButtonPress"), L"cancel");
    CheckGone("language (Esc)", escaped, before);
    language->Release();
}

void MonitorDialog(HWND owner) {
    IDispatch* monitors = Create(L"quibor15.clsQuiborMonitorsA");
    Check("monitors: the class is created", monitors != nullptr);
    if (!monitors) return;
    const size_t before = ThreadWindows(g_main_thread).size();

    struct Case {
        const char* name;
        bool pick_monitor;
        const wchar_t* button;  // pressed at the end
        long expected;
    };
    const Case cases[] = {
        {"monitor 1 and OK", true, L"OK", 1},
        {"monitor 1 and Cancel", true, L"Cancel", 0},
        {"Esc", false, nullptr, 0},
    };
    for (const Case& c : cases) {
        Seen seen;
        bool ok_was_disabled = false, ok_enabled_after_pick = false;
        VARIANT args[2];
        args[0].vt = VT_BSTR;
        args[0].bstrVal = SysAllocString(L"Pick a monitor");
        args[1].vt = VT_BSTR;
        args[1].bstrVal = SysAllocString(L"Monitors");
        VARIANT result;
        VariantInit(&result);
        HRESULT hr = S_OK;
        WithDriver([&] { hr = CallMethod(monitors, L"ShowMonitorDialog", args, 2, &result); },
                   [&](HWND dialog) {
                       HWND ok = ChildBy(dialog, L"Button", L"OK");
                       ok_was_disabled = ok && !IsWindowEnabled(ok);
                       if (c.pick_monitor) {
                           if (HWND monitor = ChildBy(dialog, L"Button", L"Monitor 1")) {
                               Send(monitor, BM_CLICK);
                           }
                           ok_enabled_after_pick = ok && IsWindowEnabled(ok);
                       }
                       if (c.button) {
                           if (HWND button = ChildBy(dialog, L"Button", c.button)) Send(button, BM_CLICK);
                       } else {
                           PostKey(GetWindow(dialog, GW_CHILD), VK_ESCAPE);
                       }
                       Sleep(200);
                       // A dialog that did not close is closed, so the test goes on.
                       if (IsWindow(dialog) && IsWindowVisible(dialog)) PostMessageW(dialog, WM_CLOSE, 0, 0);
                   },
                   seen, owner);
        VariantChangeType(&result, &result, 0, VT_I4);
        const std::string name = std::string("monitors: ") + c.name;
        Check(name + ": ShowMonitorDialog returns", SUCCEEDED(hr), client::Hex(hr));
        CheckText(name + ": the caption", seen.caption, L"Monitors");
        Check(name + ": OK waits for a monitor", ok_was_disabled);
        if (c.pick_monitor) Check(name + ": a monitor's button enables OK", ok_enabled_after_pick);
        Check(name + ": the result", result.vt == VT_I4 && result.lVal == c.expected,
              std::to_string(result.vt == VT_I4 ? result.lVal : -1));
        Check(name + ": the owner was disabled meanwhile", seen.owner_disabled);
        CheckGone(name, seen, before);
        VariantClear(&result);
        VariantClear(&args[0]);
        VariantClear(&args[1]);
    }
    monitors->Release();
}

}  // namespace

BOOL CALLBACK FindAnyDialog(HWND hwnd, LPARAM data) {
    if (ClassOf(hwnd) == L"Quibor15FormWindow" && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(data) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// "press BUTTON": a script's helper in a process of its own, as a person at
// the screen: waits for a dialog of the forms engine in any process and
// clicks its button of that caption.
int Press(const std::wstring& caption) {
    for (int i = 0; i < 200; ++i) {
        HWND dialog = nullptr;
        EnumWindows(&FindAnyDialog, reinterpret_cast<LPARAM>(&dialog));
        if (dialog) {
            if (HWND button = ChildBy(dialog, L"Button", caption)) {
                Send(button, BM_CLICK);
                return 0;
            }
        }
        Sleep(50);
    }
    return 1;
}

int wmain(int argc, wchar_t** argv) {
    const std::wstring only = argc > 1 ? argv[1] : L"";
    if (only == L"press" && argc == 3) return Press(argv[2]);
    g_main_thread = GetCurrentThreadId();
    if (FAILED(CoInitialize(nullptr))) {
        std::printf("not ok - CoInitialize\n");
        return 1;
    }
    HWND owner = MakeOwner();
    if (only.empty() || only == L"language") LanguageDialog(owner);
    if (only.empty() || only == L"monitors") MonitorDialog(owner);
    DestroyWindow(owner);
    CoUninitialize();
    std::printf("DONE\n");
    return 0;
}
