#include "platform/win32/win32_runtime.hpp"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// These build on the declarations of <windows.h>.
#include <olectl.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <iterator>
#include <vector>

#include "platform/win32/dispatch_object.hpp"
#include "platform/win32/forms_engine.hpp"
#include "platform/win32/win32_text.hpp"
#include "quibor15/collection.hpp"
#include "quibor15/convert.hpp"
#include "quibor15/font.hpp"
#include "quibor15/primitives.hpp"
#include "quibor15/typelib.hpp"

namespace quibor15::win32 {

namespace {

constexpr int32_t kHighestFileNumber = 511;
constexpr int32_t kHighestFreeFile = 255;

// A read-only object whose members are computed on each read: App and
// Screen. Each member answers a property read or a call without arguments.
class ReadOnlyObject final : public Object {
public:
    struct Member {
        String name;
        std::function<Variant()> read;
    };

    ReadOnlyObject(String type_name, std::vector<Member> members)
        : type_name_(std::move(type_name)), members_(std::move(members)) {}

    String TypeName() const override { return type_name_; }

    DispId GetIdOfName(std::u16string_view name) override {
        for (size_t i = 0; i < members_.size(); ++i) {
            if (NamesEqual(members_[i].name, name)) return static_cast<DispId>(i + 1);
        }
        return kDispIdUnknown;
    }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (id < 1 || static_cast<size_t>(id) > members_.size()) RaiseRuntimeError(rt::kMemberNotSupported);
        if (flags & (kInvokePropertyPut | kInvokePropertyPutRef)) RaiseRuntimeError(rt::kMemberNotSupported);
        if (!args.empty()) RaiseRuntimeError(rt::kWrongArgumentCount);
        return members_[static_cast<size_t>(id - 1)].read();
    }

private:
    String type_name_;
    std::vector<Member> members_;
};

String ModuleFileName(void* module) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(static_cast<HMODULE>(module), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return String();
        if (n < buffer.size()) return FromWide(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

// App.Path: the folder without a trailing separator, except at a root.
String FolderOf(const String& file) {
    const size_t slash = file.find_last_of(u"\\/");
    if (slash == String::npos) return String();
    String folder = file.substr(0, slash);
    if (folder.size() == 2 && folder[1] == u':') folder += u'\\';
    return folder;
}

// App.EXEName: the file name without its extension.
String BaseNameOf(const String& file) {
    const size_t slash = file.find_last_of(u"\\/");
    String name = slash == String::npos ? file : file.substr(slash + 1);
    const size_t dot = name.find_last_of(u'.');
    if (dot != String::npos) name.resize(dot);
    return name;
}

// Twips per pixel as the forms runtime gives it: whole twips.
Single TwipsPerPixel(int index) { return static_cast<Single>(forms::TwipsPerPixel(index == LOGPIXELSY)); }

[[noreturn]] void DeviceError() { throw AutomationError(57, kComponentSource, u"Device I/O error"); }

}  // namespace

Win32Runtime::Win32Runtime(std::shared_ptr<Win32Windows> windows, void* module)
    : windows_(std::move(windows)), module_(module) {}

Win32Runtime::~Win32Runtime() {
    for (auto& [number, file] : files_) {
        if (file.out) std::fclose(file.out);
    }
}

forms::Engine& Win32Runtime::Engine() {
    if (!engine_) engine_ = std::make_unique<forms::Engine>(static_cast<HINSTANCE>(module_));
    return *engine_;
}

ObjectRef Win32Runtime::NewForm(std::u16string_view name) { return ObjectRef(Engine().NewForm(name)); }

void Win32Runtime::ShowModal(const ObjectRef& form) {
    auto* own = dynamic_cast<forms::Form*>(form.Get());
    if (!own) {
        throw AutomationError(rt::kActionNotSupported, kComponentSource,
                              u"Only forms of the component's own forms engine are shown modally by it");
    }
    Engine().RunModal(*own);
}

void Win32Runtime::Unload(const ObjectRef& form) {
    if (!form) return;
    if (auto* own = dynamic_cast<forms::Form*>(form.Get())) {
        Ref<forms::Form> hold(own);
        own->Unload(forms::kUnloadFromCode);
        return;
    }
    // The forms runtime's Unload statement belongs to the host. Closing the
    // form's window does the same from outside: the form hears QueryUnload
    // and Unload, either of which may cancel. A form without a window is
    // hidden.
    const Long hwnd = VariantToLong(LateGet(form, u"hWnd"));
    if (hwnd != 0) {
        SendMessageW(reinterpret_cast<HWND>(static_cast<intptr_t>(hwnd)), WM_CLOSE, 0, 0);
    } else {
        LateCall(form, u"Hide", {});
    }
}

ObjectRef Win32Runtime::App() {
    if (!app_) {
        const String file = ModuleFileName(module_);
        std::vector<ReadOnlyObject::Member> members = {
            {u"Title", [file] { return Variant(BaseNameOf(file)); }},
            {u"Path", [file] { return Variant(FolderOf(file)); }},
            {u"EXEName", [file] { return Variant(BaseNameOf(file)); }},
            {u"hInstance", [this] { return Variant(Long(windows_->ModuleNumber(module_))); }},
        };
        app_ = ObjectRef(new ReadOnlyObject(u"App", std::move(members)));
    }
    return app_;
}

ObjectRef Win32Runtime::Screen() {
    if (!screen_) {
        std::vector<ReadOnlyObject::Member> members = {
            {u"Width", [] { return Variant(Single(GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixel(LOGPIXELSX))); }},
            {u"Height", [] { return Variant(Single(GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixel(LOGPIXELSY))); }},
            {u"TwipsPerPixelX", [] { return Variant(TwipsPerPixel(LOGPIXELSX)); }},
            {u"TwipsPerPixelY", [] { return Variant(TwipsPerPixel(LOGPIXELSY)); }},
        };
        screen_ = ObjectRef(new ReadOnlyObject(u"Screen", std::move(members)));
    }
    return screen_;
}

ObjectRef Win32Runtime::NewFont() {
    // The standard font object with the forms runtime's default face.
    wchar_t face[std::size(forms::kDefaultFontName)];
    std::copy(std::begin(forms::kDefaultFontName), std::end(forms::kDefaultFontName), face);
    FONTDESC desc = {};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = face;
    desc.cySize.int64 = static_cast<LONGLONG>(forms::kDefaultFontSize * 10000);
    desc.sWeight = FW_NORMAL;
    desc.sCharset = ANSI_CHARSET;
    IDispatch* font = nullptr;
    const HRESULT hr = OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(&font));
    if (FAILED(hr) || !font) throw ErrorFromHresult(hr);
    ObjectRef object(new DispatchObject(font));
    font->Release();
    return object;
}

bool Win32Runtime::IsObjectOfKind(const ObjectRef& object, ObjectKind kind) {
    Object* o = object.Get();
    if (!o) return false;
    // The component's own collections and fonts, passed back to it.
    if (kind == ObjectKind::Collection && dynamic_cast<Collection*>(o)) return true;
    if (kind == ObjectKind::Font && dynamic_cast<StdFont*>(o)) return true;
    auto* host = dynamic_cast<DispatchObject*>(o);
    if (!host) return false;
    switch (kind) {
        case ObjectKind::Collection:
            return EqualsIgnoreCase(host->TypeName(), u"Collection");
        case ObjectKind::Font:
            return host->Implements(IID_IFontDisp) || host->Implements(IID_IFont);
        case ObjectKind::Picture:
            return host->Implements(IID_IPictureDisp) || host->Implements(IID_IPicture);
        case ObjectKind::Form:
            // A form's type information names the form's own class, so a
            // form is known by the members only forms have; a script's
            // object with such members is not one.
            return !host->IsScriptObject() && host->GetIdOfName(u"KeyPreview") != kDispIdUnknown &&
                   host->GetIdOfName(u"WindowState") != kDispIdUnknown &&
                   host->GetIdOfName(u"Controls") != kDispIdUnknown;
        case ObjectKind::ComboBox:
            return EqualsIgnoreCase(host->TypeName(), u"ComboBox");
        case ObjectKind::TextBox:
            return EqualsIgnoreCase(host->TypeName(), u"TextBox");
    }
    return false;
}

int32_t Win32Runtime::MsgBox(const String& prompt, int32_t flags, const String& title) {
    return MessageBoxW(GetActiveWindow(), WidePtr(prompt), WidePtr(title), static_cast<UINT>(flags));
}

int32_t Win32Runtime::FreeFile() {
    for (int32_t n = 1; n <= kHighestFreeFile; ++n) {
        if (!files_.count(n)) return n;
    }
    throw AutomationError(67, kComponentSource, u"Too many files");
}

void Win32Runtime::OpenFile(int32_t number, const String& path, FileMode mode) {
    if (number < 1 || number > kHighestFileNumber) RaiseRuntimeError(rt::kBadFileNameOrNumber);
    if (files_.count(number)) RaiseRuntimeError(rt::kFileAlreadyOpen);
    if (path.empty()) RaiseRuntimeError(rt::kPathFileAccessError);
    const DWORD attributes = GetFileAttributesW(WidePtr(path));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        RaiseRuntimeError(rt::kPathFileAccessError);
    }
    OpenFileRecord file{mode, {}, 0, nullptr};
    if (mode == FileMode::Input) {
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD error = GetLastError();
            RaiseRuntimeError(error == ERROR_PATH_NOT_FOUND ? rt::kPathNotFound : rt::kFileNotFound);
        }
        std::FILE* in = _wfopen(WidePtr(path), L"rb");
        if (!in) RaiseRuntimeError(rt::kPathFileAccessError);
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) file.data.append(buffer, n);
        const bool failed = std::ferror(in) != 0;
        std::fclose(in);
        if (failed) RaiseRuntimeError(rt::kPathFileAccessError);
    } else {
        file.out = _wfopen(WidePtr(path), L"wb");
        if (!file.out) {
            RaiseRuntimeError(GetLastError() == ERROR_PATH_NOT_FOUND || errno == ENOENT ? rt::kPathNotFound
                                                                                        : rt::kPathFileAccessError);
        }
    }
    files_.emplace(number, std::move(file));
}

Win32Runtime::OpenFileRecord& Win32Runtime::Get(int32_t number, FileMode mode) {
    if (number < 1 || number > kHighestFileNumber) RaiseRuntimeError(rt::kBadFileNameOrNumber);
    auto it = files_.find(number);
    if (it == files_.end()) RaiseRuntimeError(rt::kBadFileNameOrNumber);
    if (it->second.mode != mode) RaiseRuntimeError(rt::kBadFileMode);
    return it->second;
}

bool Win32Runtime::FileEof(int32_t number) {
    OpenFileRecord& file = Get(number, FileMode::Input);
    return file.position >= file.data.size();
}

String Win32Runtime::FileReadLine(int32_t number) {
    OpenFileRecord& file = Get(number, FileMode::Input);
    if (file.position >= file.data.size()) RaiseRuntimeError(rt::kInputPastEndOfFile);
    size_t end = file.data.find('\r', file.position);
    if (end == std::string::npos) end = file.data.size();
    const std::string_view line(file.data.data() + file.position, end - file.position);
    file.position = end;
    if (file.position < file.data.size()) {
        ++file.position;  // the CR
        if (file.position < file.data.size() && file.data[file.position] == '\n') ++file.position;
    }
    return windows_->Text(line);
}

void Win32Runtime::FileWriteLine(int32_t number, const String& text) {
    OpenFileRecord& file = Get(number, FileMode::Output);
    std::string bytes = windows_->Ansi(text);
    bytes += "\r\n";
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.out) != bytes.size()) DeviceError();
}

void Win32Runtime::FileClose(int32_t number) {
    if (number < 1 || number > kHighestFileNumber) RaiseRuntimeError(rt::kBadFileNameOrNumber);
    auto it = files_.find(number);
    if (it == files_.end()) return;
    std::FILE* out = it->second.out;
    files_.erase(it);
    if (out && std::fclose(out) != 0) DeviceError();
}

double Win32Runtime::SecondsSinceMidnight() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

void Win32Runtime::PumpEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The quit request belongs to the host's own loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (engine_ && engine_->PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace quibor15::win32
