// win32_backend_test DLL_PATH: the Windows backends on their own, without
// COM: the Windows services on the real ANSI entry points, the forms
// runtime's services of a Windows host, and the component's string-table
// reader on the DLL's own resources. One "ok - " or "not ok - " line per
// check, "DONE" at the end.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "language/resource_text.hpp"
#include "platform/win32/dispatch_object.hpp"
#include "platform/win32/win32_runtime.hpp"
#include "platform/win32/win32_text.hpp"
#include "quibor15/context.hpp"
#include "quibor15/convert.hpp"
#include "quibor15/typelib.hpp"
#include "unicode/uchar.h"

namespace {

using namespace quibor15;

std::string Narrow(const String& text) {
    std::string out;
    for (char16_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

void Check(const std::string& name, bool ok, const std::string& detail = "") {
    if (ok) {
        std::printf("ok - %s\n", name.c_str());
    } else {
        std::printf("not ok - %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    }
    std::fflush(stdout);
}

void CheckText(const std::string& name, const String& actual, const String& expected) {
    Check(name, actual == expected, "got [" + Narrow(actual) + "], expected [" + Narrow(expected) + "]");
}

// The error number a statement raises, or 0.
int32_t ErrorOf(const std::function<void()>& statement) {
    try {
        statement();
    } catch (const AutomationError& e) {
        return e.Number();
    }
    return 0;
}

// A host form as the runtime sees it: hWnd, and Hide recorded.
class HostForm final : public Object {
public:
    explicit HostForm(Long hwnd) : hwnd_(hwnd) {}
    String TypeName() const override { return u"Form"; }
    DispId GetIdOfName(std::u16string_view name) override {
        if (NamesEqual(name, u"hWnd")) return 1;
        if (NamesEqual(name, u"Hide")) return 2;
        return kDispIdUnknown;
    }
    Variant Invoke(DispId id, uint16_t, std::span<Variant>) override {
        if (id == 1) return Variant(hwnd_);
        if (id == 2) hidden_ = true;
        return Variant();
    }
    bool hidden_ = false;

private:
    Long hwnd_;
};

void StringTable(Context& context) {
    // The language dialog's captions from the DLL's own string table,
    // through App.Path and App.EXEName, LoadLibraryA and FindResourceExA.
    CheckText("string table: 110", LoadResourceString(context, 110, 1033), u"&OK");
    CheckText("string table: 111", LoadResourceString(context, 111, 1033), u"&Cancel");
    CheckText("string table: 112", LoadResourceString(context, 112, 1033), u"Select Language");
    CheckText("string table: 113", LoadResourceString(context, 113, 1033),
              u"&Select the Present User Interface Language from the choices below.");
}

void Locale(WindowsServices& windows) {
    String out;
    const int32_t got = windows.GetLocaleInfoA(1033, 0x0E, out, 16);  // LOCALE_SDECIMAL
    Check("GetLocaleInfoA gives the length with the NUL", got == 2, std::to_string(got));
    CheckText("GetLocaleInfoA text", out, u".");
    Check("GetLocaleInfoA size query", windows.GetLocaleInfoA(1033, 0x0E, out, 0) == 2);
    String small = u"unchanged";
    Check("GetLocaleInfoA with a buffer too small fails", windows.GetLocaleInfoA(1033, 0x1004, small, 2) == 0);
    CheckText("and leaves the text alone", small, u"unchanged");
    Check("IsValidLocale 1033", windows.IsValidLocale(1033, 1) == 1);
    Check("IsValidLocale of no locale", windows.IsValidLocale(0x7777, 1) == 0);
    int pictures = 0;
    windows.EnumDateFormatsA(
        [&](const String& p) {
            ++pictures;
            return !p.empty();
        },
        1033, 1);
    Check("EnumDateFormatsA calls back per picture", pictures > 0);
    Check("CompareStringA", windows.CompareStringA(1033, 0, u"apple", u"Banana") == 1);
    String upper;
    Check("LCMapStringA gives the length", windows.LCMapStringA(1033, 0x200, u"stra\u00DFe", upper) == 6);
    CheckText("LCMapStringA upper case", upper, u"STRA\u00DFE");
}

void Version(WindowsServices& windows) {
    OsVersionInfo info;
    Check("GetVersionExA with the record's size", windows.GetVersionExA(info) == 1);
    Check("an NT platform", info.platform_id == 2);
    OsVersionInfo wrong;
    wrong.size = 100;
    Check("GetVersionExA refuses another size", windows.GetVersionExA(wrong) == 0);
    Check("MulDiv rounds", windows.MulDiv(7, 1, 2) == 4);
}

void Media(WindowsServices& windows) {
    String reply(32, u' ');
    const uint32_t code = windows.mciSendStringA(u"sysinfo all quantity", &reply, 32, 0);
    Check("mciSendStringA", code == 0, std::to_string(code));
    const size_t nul = reply.find(u'\0');
    Check("the reply ends with a NUL inside the buffer", nul != String::npos && nul > 0 && nul < 32);
    Check("the rest of the buffer stays as it was",
          nul != String::npos && reply.find_first_not_of(u' ', nul + 1) == String::npos);
    String text(128, u' ');
    windows.mciGetErrorStringA(263, text, 128);  // MCIERR_INVALID_DEVICE_NAME
    Check("mciGetErrorStringA gives the system's text", !win32::UpToNul(text).empty() && text[0] != u' ');
    String none;
    Check("an unknown device fails", windows.mciSendStringA(u"open no-such-device alias x", &none, 0, 0) != 0);
}

void Modules(WindowsServices& windows, const String& dll) {
    const Handle module = windows.LoadLibraryA(dll);
    Check("LoadLibraryA gives a 32-bit module number", module != 0);
    const Handle block = windows.FindResourceExA(module, 6, 8, 1033);  // RT_STRING, 112 to 127
    Check("FindResourceExA finds the string block", block != 0);
    const Handle loaded = windows.LoadResource(module, block);
    const std::vector<uint8_t> bytes = windows.LockResource(loaded);
    Check("LockResource gives SizeofResource bytes",
          !bytes.empty() && bytes.size() == windows.SizeofResource(module, block));
    Check("an unknown handle finds nothing", windows.FindResourceExA(0x7FFF0000, 6, 8, 1033) == 0);
    Check("FreeLibrary", windows.FreeLibrary(module) == 1);
}

void Windows(WindowsServices& windows) {
    const Handle hwnd = windows.CreateWindowExA(0, u"STATIC", u"quibor15 test", 0, 0, 0, 100, 50, 0, 0, 0);
    Check("CreateWindowExA gives a window handle", hwnd != 0);
    windows.SetWindowLongA(hwnd, -21, 1234);  // GWL_USERDATA
    Check("SetWindowLongA then GetWindowLongA", windows.GetWindowLongA(hwnd, -21) == 1234);
    const Handle dc = windows.GetDC(hwnd);
    Check("GetDeviceCaps LOGPIXELSY", windows.GetDeviceCaps(dc, 90) > 0);
    windows.ReleaseDC(hwnd, dc);
    LogFont font;
    font.height = -11;
    font.face_name = u"Tahoma";
    const Handle hfont = windows.CreateFontIndirectA(font);
    Check("CreateFontIndirectA", hfont != 0);
    Check("DeleteObject", windows.DeleteObject(hfont) == 1);
    Check("DestroyWindow", windows.DestroyWindow(hwnd) == 1);
    MonitorInfo info;
    const Handle monitor = windows.MonitorFromRect(Rect{0, 0, 10, 10}, 0);
    Check("MonitorFromRect", monitor != 0);
    Check("GetMonitorInfoA", windows.GetMonitorInfoA(monitor, info) == 1 && info.monitor.right == 1024);
    Check("GetSystemMetrics SM_CMONITORS", windows.GetSystemMetrics(80) == 1);
}

void Runtime(win32::Win32Runtime& runtime, const String& folder) {
    const ObjectRef app = runtime.App();
    CheckText("App.EXEName", VariantToString(LateGet(app, u"EXEName")), u"quibor15");
    CheckText("App.Path", VariantToString(LateGet(app, u"Path")), folder);
    Check("App.hInstance", VariantToLong(LateGet(app, u"hInstance")) != 0);
    const ObjectRef screen = runtime.Screen();
    Check("Screen.TwipsPerPixelX", VariantToDouble(LateGet(screen, u"TwipsPerPixelX")) == 15);
    Check("Screen.Width in twips", VariantToDouble(LateGet(screen, u"Width")) == 15360);
    const ObjectRef font = runtime.NewFont();
    Check("a new font of 8.25 points", VariantToCurrency(LateGet(font, u"Size")).scaled == 82500);
    Check("not bold", !VariantToBoolean(LateGet(font, u"Bold")));

    // Text files by number in the ANSI code page, lines ended by CR LF.
    const String base = folder.back() == u'\\' ? folder : folder + u"\\";
    const String path = base + u"backend-test.txt";
    const int32_t n = runtime.FreeFile();
    runtime.OpenFile(n, path, FileMode::Output);
    Check("a number in use", ErrorOf([&] { runtime.OpenFile(n, path, FileMode::Output); }) == rt::kFileAlreadyOpen);
    runtime.FileWriteLine(n, u"a\u20ACb");
    runtime.FileWriteLine(n, u"second");
    runtime.FileClose(n);
    runtime.OpenFile(n, path, FileMode::Input);
    CheckText("ReadLine through the code page", runtime.FileReadLine(n), u"a\u20ACb");
    CheckText("the second line", runtime.FileReadLine(n), u"second");
    Check("Eof", runtime.FileEof(n));
    Check("reading past the end", ErrorOf([&] { runtime.FileReadLine(n); }) == rt::kInputPastEndOfFile);
    Check("writing to an input file", ErrorOf([&] { runtime.FileWriteLine(n, u"x"); }) == rt::kBadFileMode);
    runtime.FileClose(n);
    DeleteFileW(win32::WidePtr(path));
    Check("a missing file",
          ErrorOf([&] { runtime.OpenFile(n, base + u"no such file.txt", FileMode::Input); }) == rt::kFileNotFound);
    Check("a missing folder", ErrorOf([&] {
                                  runtime.OpenFile(n, base + u"no such folder\\x.txt", FileMode::Output);
                              }) == rt::kPathNotFound);

    // Unload closes the form's window; a form without one is hidden.
    HWND window = CreateWindowExW(0, L"STATIC", L"form", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    Check("a window for the form", window != nullptr);
    auto with_window = MakeRef<HostForm>(static_cast<Long>(reinterpret_cast<intptr_t>(window)));
    runtime.Unload(ObjectRef(with_window));
    Check("Unload closes the form's window", !IsWindow(window));
    auto without_window = MakeRef<HostForm>(0);
    runtime.Unload(ObjectRef(without_window));
    Check("Unload hides a form without a window", without_window->hidden_);
    // A form of the component's own is a real window until it unloads.
    const ObjectRef own = runtime.NewForm(u"frmX");
    HWND own_window = reinterpret_cast<HWND>(static_cast<intptr_t>(VariantToLong(LateGet(own, u"hWnd"))));
    Check("a form of the component's own has a window", IsWindow(own_window) != FALSE);
    runtime.Unload(own);
    Check("Unload destroys it", !IsWindow(own_window));
}

void Text() {
    const auto western = MakeAnsiCodePage(1252);
    Check("the euro sign is 128 in 1252", western->Encode(u"\u20AC") == "\x80");
    Check("a character without a form becomes ?", western->Encode(u"\u4E9C") == "?");
    CheckText("Decode", western->Decode("\x80"), u"\u20AC");
    Check("an unknown code page", ErrorOf([] { MakeAnsiCodePage(12345); }) == rt::kInvalidProcedureCall);
    Check("u_toupper", u_toupper(0xE9) == 0xC9);
    Check("u_tolower", u_tolower('A') == 'a');
    Check("u_isalpha", u_isalpha(0x4E9C) && u_isalpha('z') && !u_isalpha('1'));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::printf("usage: win32_backend_test DLL_PATH\n");
        return 2;
    }
    const String dll = win32::FromWide(argv[1]);
    CoInitialize(nullptr);
    HMODULE module = LoadLibraryW(argv[1]);
    Check("the DLL loads", module != nullptr);
    auto windows = std::make_shared<win32::Win32Windows>();
    auto runtime = std::make_shared<win32::Win32Runtime>(windows, module);
    auto context = std::make_shared<Context>(runtime, windows);
    String folder = dll.substr(0, dll.find_last_of(u'\\'));
    if (folder.size() == 2) folder += u'\\';  // a drive's root keeps its separator
    // The reader's module is the component's own file, as the language
    // dialog sets it.
    context->ModuleState<ResourceLoaderState>().module_path = LibraryModulePath(*runtime);
    StringTable(*context);
    Locale(*windows);
    Version(*windows);
    Media(*windows);
    Modules(*windows, dll);
    Windows(*windows);
    Runtime(*runtime, folder);
    Text();
    context.reset();
    runtime.reset();
    windows.reset();
    if (module) FreeLibrary(module);
    CoUninitialize();
    std::printf("DONE\n");
    return 0;
}
