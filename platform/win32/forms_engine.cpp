#include "platform/win32/forms_engine.hpp"

#include <cmath>

#include "quibor15/primitives.hpp"

namespace quibor15::win32::forms {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr wchar_t kContainerClass[] = L"Quibor15FormWindow";
// The window property that keeps a subclassed control's own procedure.
constexpr wchar_t kBaseProcProperty[] = L"Quibor15BaseProc";

// The keys' Shift argument: 1 Shift, 2 Ctrl, 4 Alt.
Integer ShiftState() {
    Integer shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

// KeyAscii: the character's code in the ANSI code page (a double-byte
// character as lead * 256 + trail).
Integer KeyAsciiOf(wchar_t c) {
    char bytes[4] = {};
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, 0, &c, 1, bytes, sizeof bytes, nullptr, &lossy);
    if (n == 1) return static_cast<Integer>(static_cast<unsigned char>(bytes[0]));
    if (n == 2) {
        return static_cast<Integer>(
            static_cast<int16_t>((static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1])));
    }
    return 0;
}

wchar_t CharOfKeyAscii(Integer key_ascii) {
    char bytes[2];
    int n = 1;
    if (key_ascii >= 0) {
        bytes[0] = static_cast<char>(key_ascii & 0xFF);
    } else {
        const auto pair = static_cast<uint16_t>(key_ascii);
        bytes[0] = static_cast<char>(pair >> 8);
        bytes[1] = static_cast<char>(pair & 0xFF);
        n = 2;
    }
    wchar_t c = 0;
    MultiByteToWideChar(CP_ACP, 0, bytes, n, &c, 1);
    return c;
}

}  // namespace

double TwipsPerPixel(bool vertical) {
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, vertical ? LOGPIXELSY : LOGPIXELSX) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return std::floor(kTwipsPerInch / (dpi > 0 ? dpi : 96));
}

const wchar_t* Engine::ContainerClass() noexcept { return kContainerClass; }

Engine::Engine(HINSTANCE module) : module_(module) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(module, kContainerClass, &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Engine::ContainerProc;
        wc.hInstance = module;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kContainerClass;
        if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            throw AutomationError(rt::kActionNotSupported, kComponentSource,
                                  u"The forms engine cannot register its window class");
        }
    }
}

Engine::~Engine() {
    for (auto& [color, brush] : brushes_) DeleteObject(brush);
    live_gdi_ -= static_cast<int>(brushes_.size());
}

Ref<Form> Engine::NewForm(std::u16string_view name) { return MakeRef<Form>(*this, String(name)); }

HWND Engine::CreateTopLevel(DWORD style, DWORD ex_style, Window& window) {
    HWND hwnd = CreateWindowExW(ex_style, kContainerClass, L"", style, CW_USEDEFAULT, CW_USEDEFAULT, 320, 240, nullptr,
                                nullptr, module_, &window);
    if (!hwnd) {
        throw AutomationError(rt::kActionNotSupported, kComponentSource,
                              u"The form's window cannot be created (system error " +
                                  DecimalText(static_cast<Long>(GetLastError())) + u")");
    }
    windows_[hwnd] = &window;
    return hwnd;
}

HWND Engine::CreateChild(const wchar_t* window_class, DWORD style, DWORD ex_style, HWND parent, Window& window) {
    HWND hwnd = CreateWindowExW(ex_style, window_class, L"", style | WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 10, 10, parent,
                                nullptr, module_, &window);
    if (!hwnd) {
        throw AutomationError(rt::kActionNotSupported, kComponentSource,
                              u"The control's window cannot be created (system error " +
                                  DecimalText(static_cast<Long>(GetLastError())) + u")");
    }
    windows_[hwnd] = &window;
    return hwnd;
}

Window* Engine::Find(HWND hwnd) const {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second;
}

void Engine::Forget(HWND hwnd) noexcept { windows_.erase(hwnd); }

HFONT Engine::MakeFont(const FontAttributes& font) {
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    LOGFONTW lf = {};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.size * dpi / 72.0));
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikethru;
    lf.lfCharSet = DEFAULT_CHARSET;
    const size_t n = std::min<size_t>(font.name.size(), LF_FACESIZE - 1);
    for (size_t i = 0; i < n; ++i) lf.lfFaceName[i] = static_cast<wchar_t>(font.name[i]);
    HFONT handle = CreateFontIndirectW(&lf);
    if (handle) ++live_gdi_;
    return handle;
}

void Engine::DeleteFontObject(HFONT font) noexcept {
    if (font && DeleteObject(font)) --live_gdi_;
}

HBRUSH Engine::BrushFor(COLORREF color) {
    auto it = brushes_.find(color);
    if (it != brushes_.end()) return it->second;
    HBRUSH brush = CreateSolidBrush(color);
    if (brush) {
        ++live_gdi_;
        brushes_[color] = brush;
    }
    return brush;
}

// --- the modal loop

namespace {

struct ThreadWindows {
    HWND except;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectEnabled(HWND hwnd, LPARAM data) {
    auto& list = *reinterpret_cast<ThreadWindows*>(data);
    if (hwnd != list.except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) list.found.push_back(hwnd);
    return TRUE;
}

}  // namespace

void Engine::RunModal(Form& form) {
    SelfRef hold(&form);
    form.Show(false);
    if (!form.IsLoaded() || !form.Visible()) return;
    // The thread's other windows (the owner among them) wait for the dialog.
    ThreadWindows others{form.Hwnd(), {}};
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&others));
    for (HWND hwnd : others.found) EnableWindow(hwnd, FALSE);
    ++modal_depth_;
    struct Restore {
        Engine& engine;
        std::vector<HWND>& windows;
        ~Restore() {
            --engine.modal_depth_;
            for (HWND hwnd : windows) {
                if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
            }
        }
    } restore{*this, others.found};
    MSG msg;
    while (form.IsLoaded() && form.Visible()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The quit request belongs to the host's own loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            form.Unload(kUnloadFromCode);
            break;
        }
        if (got < 0) break;
        if (PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Engine::FormClosed() noexcept {
    if (modal_depth_ > 0) PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

// --- keys

bool Engine::PreTranslate(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR && msg.message != WM_KEYUP &&
        msg.message != WM_SYSKEYDOWN) {
        return false;
    }
    // The control the key is for: the focused window or the control it
    // belongs to (a combo box's edit).
    Window* window = nullptr;
    for (HWND hwnd = msg.hwnd; hwnd && !window; hwnd = GetParent(hwnd)) window = Find(hwnd);
    if (!window) return false;
    Form* form = window->OwningForm();
    if (!form || !form->IsLoaded()) return false;
    Ref<Form> hold_form(form);
    Ref<Control> control(dynamic_cast<Control*>(window));
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) return KeyDown(control.Get(), *form, msg);
    if (msg.message == WM_CHAR) return KeyChar(control.Get(), *form, msg);
    Variant code(static_cast<Integer>(msg.wParam));
    Variant shift(ShiftState());
    if (form->KeyPreview()) form->Raise(ev::kKeyUp, {&code, &shift});
    if (control && VariantToInteger(code) != 0) control->Raise(ev::kKeyUp, {&code, &shift});
    return VariantToInteger(code) == 0;
}

bool Engine::KeyDown(Control* control, Form& form, MSG& msg) {
    Variant code(static_cast<Integer>(msg.wParam));
    Variant shift(ShiftState());
    if (form.KeyPreview()) form.Raise(ev::kKeyDown, {&code, &shift});
    if (VariantToInteger(code) != 0 && control && form.IsLoaded()) control->Raise(ev::kKeyDown, {&code, &shift});
    const Integer key = VariantToInteger(code);
    if (key == 0 || !form.IsLoaded()) return true;
    // What the forms runtime does with a key its handlers let through.
    if (key == VK_TAB && (VariantToInteger(shift) & 6) == 0) {
        if (Control* next = form.NextInTabOrder(control, (VariantToInteger(shift) & 1) != 0)) next->SetFocus();
        return true;
    }
    if (key == VK_RETURN && !(control && control->KindOf() == Kind::CommandButton)) {
        if (Control* button = form.DefaultButton()) {
            Ref<Control>(button)->Click();
            return true;
        }
    }
    if (key == VK_ESCAPE) {
        if (Control* button = form.CancelButton()) {
            Ref<Control>(button)->Click();
            return true;
        }
    }
    return false;
}

bool Engine::KeyChar(Control* control, Form& form, MSG& msg) {
    Variant key_ascii(KeyAsciiOf(static_cast<wchar_t>(msg.wParam)));
    if (form.KeyPreview()) form.Raise(ev::kKeyPress, {&key_ascii});
    if (VariantToInteger(key_ascii) != 0 && control && form.IsLoaded()) control->Raise(ev::kKeyPress, {&key_ascii});
    const Integer after = VariantToInteger(key_ascii);
    if (after == 0 || !form.IsLoaded()) return true;
    // Tab, Enter and Esc were the runtime's when they went down.
    if (after == 9 || after == 13 || after == 27) return true;
    msg.wParam = CharOfKeyAscii(after);
    return false;
}

// --- the engine's window class: forms, picture boxes, frames

LRESULT CALLBACK Engine::ContainerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window || window->Hwnd() != hwnd) {
        // Before Attach: the messages of CreateWindowEx itself.
        if (message == WM_ERASEBKGND) return 1;
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    // An error cannot travel through the window procedure; a handler's
    // failure stops at the event.
    try {
        switch (message) {
            case WM_COMMAND:
                if (lparam) {
                    if (Window* child = window->Eng().Find(reinterpret_cast<HWND>(lparam))) {
                        Ref<Window> hold(child);
                        child->OnCommand(HIWORD(wparam));
                    }
                }
                return 0;
            case WM_ERASEBKGND: {
                RECT r;
                GetClientRect(hwnd, &r);
                FillRect(reinterpret_cast<HDC>(wparam), &r, window->Eng().BrushFor(window->BackColorRef()));
                return 1;
            }
            case WM_PAINT: {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(hwnd, &ps);
                window->Paint(dc);
                EndPaint(hwnd, &ps);
                return 0;
            }
            case WM_CLOSE:
                if (auto* form = dynamic_cast<Form*>(window)) {
                    Ref<Form> hold(form);
                    form->OnClose();
                    return 0;
                }
                break;
            case WM_SIZE:
                if (auto* form = dynamic_cast<Form*>(window)) {
                    Ref<Form> hold(form);
                    form->OnSized();
                }
                break;
            case WM_CTLCOLORSTATIC:
                return ColorOfChild(*window, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
            default:
                if (IsMouseMessage(message)) {
                    if (auto* control = dynamic_cast<Control*>(window)) {
                        Ref<Control> hold(control);
                        control->OnMouse(message, wparam, lparam);
                        return 0;
                    }
                }
                break;
        }
    } catch (...) {
        // Nothing may unwind through the system's frames.
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

bool Engine::IsMouseMessage(UINT message) noexcept {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MOUSEMOVE:
            return true;
        default:
            return false;
    }
}

// A label's colours: its ForeColor, and its BackColor when opaque; a
// transparent one shows its container's colour.
LRESULT Engine::ColorOfChild(Window& parent, HDC dc, HWND child) {
    auto* control = dynamic_cast<Control*>(parent.Eng().Find(child));
    if (!control) return reinterpret_cast<LRESULT>(parent.Eng().BrushFor(parent.BackColorRef()));
    SetTextColor(dc, control->ForeColorRef());
    if (control->KindOf() == Kind::Label && control->BackStyle() == 0) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(parent.Eng().BrushFor(parent.BackColorRef()));
    }
    SetBkColor(dc, control->BackColorRef());
    return reinterpret_cast<LRESULT>(parent.Eng().BrushFor(control->BackColorRef()));
}

void Engine::Subclass(HWND hwnd, Window& window) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&window));
    const LONG_PTR base = SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Engine::StandardProc));
    SetPropW(hwnd, kBaseProcProperty, reinterpret_cast<HANDLE>(base));
}

LRESULT CALLBACK Engine::StandardProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto base = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kBaseProcProperty));
    if (message == WM_NCDESTROY) {
        RemovePropW(hwnd, kBaseProcProperty);
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window && window->Hwnd() == hwnd && IsMouseMessage(message)) {
        try {
            Ref<Window> hold(window);
            window->OnMouse(message, wparam, lparam);
        } catch (...) {
            // Nothing may unwind through the system's frames.
        }
        // A handler may have unloaded the form, and the window with it. The
        // class itself never sees a double click, so none of its
        // notifications doubles the events.
        if (!IsWindow(hwnd) || message == WM_LBUTTONDBLCLK) return 0;
    }
    return base ? CallWindowProcW(base, hwnd, message, wparam, lparam) : DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace quibor15::win32::forms
