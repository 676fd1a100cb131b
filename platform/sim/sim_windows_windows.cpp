// The simulated Windows: monitors, windows, messages and graphics.
#include <cmath>

#include "platform/sim/sim_text.hpp"
#include "platform/sim/sim_windows.hpp"
#include "quibor15/convert.hpp"

namespace quibor15::sim {

namespace {

constexpr uint32_t kMonitorInfoSize = 40;
constexpr size_t kFaceNameBytes = 31;  // LF_FACESIZE less the NUL

int32_t ClampToInt32(double value) {
    if (!(value > INT32_MIN)) return INT32_MIN;
    if (!(value < INT32_MAX)) return INT32_MAX;
    return static_cast<int32_t>(std::lround(value));
}

std::vector<String> ToolArgs(Handle hwnd, uint32_t msg, int32_t wparam, const ToolInfo& t) {
    return {HandleArg(hwnd),
            HexArg(msg),
            DecArg(wparam),
            FieldArg(u"cbSize", DecArg(t.cb_size)),
            FieldArg(u"uFlags", HexArg(t.flags)),
            FieldArg(u"hwnd", HandleArg(t.hwnd)),
            FieldArg(u"uId", DecArg(t.id)),
            FieldArg(u"rect", RectArg(t.rect)),
            FieldArg(u"hinst", HandleArg(t.hinst)),
            FieldArg(u"lpszText", TextArg(t.text ? &*t.text : nullptr))};
}

std::vector<String> FontArgs(const LogFont& f, const String& face) {
    return {FieldArg(u"lfHeight", DecArg(f.height)),
            FieldArg(u"lfWidth", DecArg(f.width)),
            FieldArg(u"lfEscapement", DecArg(f.escapement)),
            FieldArg(u"lfOrientation", DecArg(f.orientation)),
            FieldArg(u"lfWeight", DecArg(f.weight)),
            FieldArg(u"lfItalic", DecArg(f.italic)),
            FieldArg(u"lfUnderline", DecArg(f.underline)),
            FieldArg(u"lfStrikeOut", DecArg(f.strike_out)),
            FieldArg(u"lfCharSet", DecArg(f.char_set)),
            FieldArg(u"lfOutPrecision", DecArg(f.out_precision)),
            FieldArg(u"lfClipPrecision", DecArg(f.clip_precision)),
            FieldArg(u"lfQuality", DecArg(f.quality)),
            FieldArg(u"lfPitchAndFamily", DecArg(f.pitch_and_family)),
            FieldArg(u"lfFaceName", face)};
}

}  // namespace

// --- monitors

Handle SimWindows::AddMonitor(const Rect& rect, const Rect& work) { return desktop_.AddMonitor(rect, work); }

int32_t SimWindows::GetSystemMetrics(int32_t index) {
    log_.Add(u"GetSystemMetrics", {DecArg(index)});
    if (auto it = metric_overrides_.find(index); it != metric_overrides_.end()) return it->second;
    const Desktop::Monitor* primary = desktop_.Primary();
    const Rect box = desktop_.VirtualScreen();
    switch (index) {
        case sm::kCxScreen:
            return primary ? primary->rect.right - primary->rect.left : 0;
        case sm::kCyScreen:
            return primary ? primary->rect.bottom - primary->rect.top : 0;
        case sm::kCMonitors:
            return monitor_count_zero_ ? 0 : static_cast<int32_t>(desktop_.Monitors().size());
        case sm::kXVirtualScreen:
            return monitor_count_zero_ ? 0 : box.left;
        case sm::kYVirtualScreen:
            return monitor_count_zero_ ? 0 : box.top;
        case sm::kCxVirtualScreen:
            return monitor_count_zero_ ? 0 : box.right - box.left;
        case sm::kCyVirtualScreen:
            return monitor_count_zero_ ? 0 : box.bottom - box.top;
        default:
            return 0;
    }
}

Handle SimWindows::MonitorFromRect(const Rect& rect, uint32_t flags) {
    log_.Add(u"MonitorFromRect", {RectArg(rect), HexArg(flags)});
    if (monitor_entry_points_missing_) RaiseRuntimeError(rt::kDllEntryPointNotFound);
    return desktop_.FromRect(rect, flags);
}

Handle SimWindows::MonitorFromWindow(Handle hwnd, uint32_t flags) {
    log_.Add(u"MonitorFromWindow", {HandleArg(hwnd), HexArg(flags)});
    if (monitor_entry_points_missing_) RaiseRuntimeError(rt::kDllEntryPointNotFound);
    if (flags > kMonitorDefaultToNearest) return 0;
    const std::optional<Rect> rect = WindowRect(hwnd);
    return rect ? desktop_.FromRect(*rect, flags) : desktop_.FromNothing(flags);
}

int32_t SimWindows::GetMonitorInfoA(Handle monitor, MonitorInfo& info) {
    log_.Add(u"GetMonitorInfoA", {HandleArg(monitor), FieldArg(u"cbSize", DecArg(info.cb_size))});
    if (monitor_entry_points_missing_) RaiseRuntimeError(rt::kDllEntryPointNotFound);
    const Desktop::Monitor* m = desktop_.Find(monitor);
    if (!m || info.cb_size < kMonitorInfoSize) return 0;
    info.monitor = m->rect;
    info.work = m->work;
    info.flags = m == desktop_.Primary() ? kMonitorInfoPrimary : 0;
    return 1;
}

// --- windows

void SimWindows::AddWindow(Handle hwnd, std::optional<Rect> rect) {
    Window& w = windows_[hwnd];
    w.rect = rect;
    w.created = false;
}

bool SimWindows::IsWindow(Handle hwnd) const {
    if (hwnd == 0) return false;
    if (windows_.count(hwnd)) return true;
    return resolver_ && static_cast<bool>(resolver_(hwnd));
}

std::optional<Rect> SimWindows::ResolvedWindowRect(Handle hwnd) const {
    if (!resolver_) return std::nullopt;
    const ObjectRef object = resolver_(hwnd);
    if (!object) return std::nullopt;
    // The forms runtime keeps geometry in twips; the screen counts pixels.
    const double left = VariantToDouble(LateGet(object, u"Left"));
    const double top = VariantToDouble(LateGet(object, u"Top"));
    const double width = VariantToDouble(LateGet(object, u"Width"));
    const double height = VariantToDouble(LateGet(object, u"Height"));
    const double tpp = twips_per_pixel_ > 0 ? twips_per_pixel_ : 15.0;
    return Rect{ClampToInt32(left / tpp), ClampToInt32(top / tpp), ClampToInt32((left + width) / tpp),
                ClampToInt32((top + height) / tpp)};
}

std::optional<Rect> SimWindows::WindowRect(Handle hwnd) const {
    if (hwnd == 0) return std::nullopt;
    if (auto it = windows_.find(hwnd); it != windows_.end()) return it->second.rect;
    return ResolvedWindowRect(hwnd);
}

std::vector<Handle> SimWindows::LiveWindows() const {
    std::vector<Handle> out;
    for (const auto& [hwnd, w] : windows_) {
        if (w.created) out.push_back(hwnd);
    }
    return out;
}

String SimWindows::WindowClass(Handle hwnd) const {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? String() : it->second.class_name;
}

const TooltipControl* SimWindows::Tooltip(Handle hwnd) const {
    auto it = tooltips_.find(hwnd);
    return it == tooltips_.end() ? nullptr : &it->second;
}

int32_t SimWindows::SetWindowPos(Handle hwnd, Handle insert_after, int32_t x, int32_t y, int32_t cx, int32_t cy,
                                 uint32_t flags) {
    log_.Add(u"SetWindowPos",
             {HandleArg(hwnd), HandleArg(insert_after), DecArg(x), DecArg(y), DecArg(cx), DecArg(cy), HexArg(flags)});
    if (!IsWindow(hwnd)) return 0;
    if (!(flags & swp::kNoZOrder)) {
        if (insert_after == swp::kTopmost) {
            topmost_.insert(hwnd);
        } else if (insert_after == swp::kNoTopmost || insert_after == swp::kBottom) {
            topmost_.erase(hwnd);
        }
    }
    if (auto it = windows_.find(hwnd); it != windows_.end()) {
        Rect r = it->second.rect.value_or(Rect{});
        if (!(flags & swp::kNoMove)) {
            r = Rect{x, y, x + (r.right - r.left), y + (r.bottom - r.top)};
        }
        if (!(flags & swp::kNoSize)) {
            r.right = r.left + cx;
            r.bottom = r.top + cy;
        }
        if (!(flags & swp::kNoMove) || !(flags & swp::kNoSize)) it->second.rect = r;
    }
    return 1;
}

int32_t SimWindows::SetForegroundWindow(Handle hwnd) {
    log_.Add(u"SetForegroundWindow", {HandleArg(hwnd)});
    if (!IsWindow(hwnd)) return 0;
    foreground_ = hwnd;
    return 1;
}

int32_t SimWindows::SendMessageA(Handle hwnd, uint32_t msg, int32_t wparam, int32_t lparam) {
    log_.Add(u"SendMessageA", {HandleArg(hwnd), HexArg(msg), DecArg(wparam), DecArg(lparam)});
    int32_t result = 0;
    if (IsWindow(hwnd)) {
        if (auto it = tooltips_.find(hwnd); it != tooltips_.end()) result = it->second.Message(msg, wparam, lparam);
    }
    RecordMessage(MessageRecord{hwnd, msg, wparam, lparam, std::nullopt, std::nullopt, result});
    return result;
}

int32_t SimWindows::SendMessageTextA(Handle hwnd, uint32_t msg, int32_t wparam, const String& lparam) {
    const String text = Ansi(lparam);
    log_.Add(u"SendMessageTextA", {HandleArg(hwnd), HexArg(msg), DecArg(wparam), text});
    int32_t result = 0;
    if (IsWindow(hwnd)) {
        switch (msg) {
            case cb::kFindString:
            case cb::kFindStringExact:
            case lb::kFindString:
            case lb::kFindStringExact:
                result = FindListString(hwnd, msg, wparam, text);
                break;
            default:
                break;
        }
    }
    RecordMessage(MessageRecord{hwnd, msg, wparam, 0, text, std::nullopt, result});
    return result;
}

int32_t SimWindows::FindListString(Handle hwnd, uint32_t msg, int32_t start, const String& text) const {
    const ObjectRef list = resolver_ ? resolver_(hwnd) : ObjectRef();
    if (!list) return 0;
    const bool exact = msg == cb::kFindStringExact || msg == lb::kFindStringExact;
    int32_t count = 0;
    std::vector<String> items;
    try {
        count = VariantToLong(LateGet(list, u"ListCount"));
        for (int32_t i = 0; i < count; ++i) {
            Variant index[] = {Variant(static_cast<Long>(i))};
            items.push_back(Ansi(VariantToString(LateGet(list, u"List", index))));
        }
    } catch (const AutomationError&) {
        return 0;  // not a list: the window ignores the message
    }
    if (count <= 0) return cb::kErr;
    // The search begins after `start` and wraps round to it; -1 (or an
    // index outside the list) searches the whole list from the top.
    const int32_t first = start < -1 || start >= count ? 0 : start + 1;
    for (int32_t n = 0; n < count; ++n) {
        const int32_t i = (first + n) % count;
        const String& item = items[static_cast<size_t>(i)];
        if (exact ? EqualsIgnoreCase(item, text) : StartsWithIgnoreCase(item, text)) return i;
    }
    return cb::kErr;
}

int32_t SimWindows::SendMessageToolA(Handle hwnd, uint32_t msg, int32_t wparam, ToolInfo& lparam) {
    ToolInfo sent = lparam;
    if (sent.text) sent.text = Ansi(*sent.text);
    log_.Add(u"SendMessageToolA", ToolArgs(hwnd, msg, wparam, sent));
    int32_t result = 0;
    if (IsWindow(hwnd)) {
        if (auto it = tooltips_.find(hwnd); it != tooltips_.end()) {
            ToolInfo work = sent;
            result = it->second.ToolMessage(msg, wparam, work);
            // Only the reading messages write into the caller's record.
            if ((msg == ttm::kGetToolInfoA || msg == ttm::kEnumToolsA) && result != 0) lparam = work;
        }
    }
    RecordMessage(MessageRecord{hwnd, msg, wparam, 0, std::nullopt, sent, result});
    return result;
}

Handle SimWindows::CreateWindowExA(uint32_t ex_style, const String& class_name, const String& window_name,
                                   uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height, Handle parent,
                                   Handle menu, Handle instance) {
    const String cls = Ansi(class_name);
    const String title = Ansi(window_name);
    log_.Add(u"CreateWindowExA", {HexArg(ex_style), cls, title, HexArg(style), DecArg(x), DecArg(y), DecArg(width),
                                  DecArg(height), HandleArg(parent), HandleArg(menu), HandleArg(instance)});
    if (create_window_fails_) return 0;
    const bool tooltip = EqualsIgnoreCase(cls, kTooltipClass);
    Handle hwnd = 0;
    if (tooltip) {
        hwnd = next_tooltip_;
        next_tooltip_ += 2;
        // A tooltip is a pop-up tool window whatever its creator asks.
        style |= kWsPopup;
        ex_style |= kWsExToolWindow;
        tooltips_[hwnd] = TooltipControl();
    } else {
        hwnd = next_plain_window_;
        next_plain_window_ += 2;
    }
    Window& w = windows_[hwnd];
    w.class_name = cls;
    w.title = title;
    w.parent = parent;
    w.created = true;
    const bool default_geometry =
        x == kCwUseDefault || y == kCwUseDefault || width == kCwUseDefault || height == kCwUseDefault;
    if (!default_geometry) w.rect = Rect{x, y, x + width, y + height};
    window_longs_[hwnd][kGwlStyle] = static_cast<int32_t>(style);
    window_longs_[hwnd][kGwlExStyle] = static_cast<int32_t>(ex_style);
    if (ex_style & kWsExTopmost) topmost_.insert(hwnd);
    return hwnd;
}

int32_t SimWindows::DestroyWindow(Handle hwnd) {
    log_.Add(u"DestroyWindow", {HandleArg(hwnd)});
    if (hwnd == 0 || !windows_.count(hwnd)) return 0;
    windows_.erase(hwnd);
    tooltips_.erase(hwnd);  // its tools go with it
    window_longs_.erase(hwnd);
    topmost_.erase(hwnd);
    if (foreground_ == hwnd) foreground_ = 0;
    return 1;
}

int32_t SimWindows::GetWindowLongA(Handle hwnd, int32_t index) {
    log_.Add(u"GetWindowLongA", {HandleArg(hwnd), DecArg(index)});
    if (!IsWindow(hwnd)) return 0;
    return StoredWindowLong(hwnd, index);
}

int32_t SimWindows::StoredWindowLong(Handle hwnd, int32_t index) const {
    int32_t value = 0;
    if (auto w = window_longs_.find(hwnd); w != window_longs_.end()) {
        if (auto it = w->second.find(index); it != w->second.end()) value = it->second;
    }
    if (index == kGwlExStyle) {
        // The topmost bit shows the window's place in the z-order, which
        // SetWindowPos changes; it is not stored with the other bits.
        value = (value & ~static_cast<int32_t>(kWsExTopmost)) | (IsTopmost(hwnd) ? kWsExTopmost : 0);
    }
    return value;
}

int32_t SimWindows::SetWindowLongA(Handle hwnd, int32_t index, int32_t value) {
    log_.Add(u"SetWindowLongA", {HandleArg(hwnd), DecArg(index), HexArg(static_cast<uint32_t>(value))});
    if (!IsWindow(hwnd)) return 0;
    const int32_t previous = StoredWindowLong(hwnd, index);
    // Setting the extended style cannot move a window in or out of the
    // topmost band; only SetWindowPos does.
    window_longs_[hwnd][index] = index == kGwlExStyle ? value & ~static_cast<int32_t>(kWsExTopmost) : value;
    return previous;
}

Handle SimWindows::GetDC(Handle hwnd) {
    log_.Add(u"GetDC", {HandleArg(hwnd)});
    if (hwnd != 0 && !IsWindow(hwnd)) return 0;
    const Handle dc = next_dc_++;
    dcs_[dc] = hwnd;
    return dc;
}

int32_t SimWindows::ReleaseDC(Handle hwnd, Handle dc) {
    log_.Add(u"ReleaseDC", {HandleArg(hwnd), HandleArg(dc)});
    auto it = dcs_.find(dc);
    if (it == dcs_.end() || it->second != hwnd) return 0;
    dcs_.erase(it);
    return 1;
}

// --- graphics

int32_t SimWindows::GetDeviceCaps(Handle dc, int32_t index) {
    log_.Add(u"GetDeviceCaps", {HandleArg(dc), DecArg(index)});
    if (!dcs_.count(dc)) return 0;
    const Desktop::Monitor* primary = desktop_.Primary();
    switch (index) {
        case caps::kLogPixelsX:
            return log_pixels_x_;
        case caps::kLogPixelsY:
            return log_pixels_y_;
        case caps::kHorzRes:
            return primary ? primary->rect.right - primary->rect.left : 0;
        case caps::kVertRes:
            return primary ? primary->rect.bottom - primary->rect.top : 0;
        case caps::kBitsPixel:
            return 32;
        case caps::kPlanes:
            return 1;
        default:
            return 0;
    }
}

Handle SimWindows::CreateFontIndirectA(const LogFont& font) {
    // The face-name field holds 32 bytes; GDI reads at most 31 of them.
    const String face = AnsiPrefix(font.face_name, kFaceNameBytes);
    log_.Add(u"CreateFontIndirectA", FontArgs(font, face));
    const Handle handle = next_font_++;
    LogFont stored = font;
    stored.face_name = face;
    fonts_[handle] = stored;
    return handle;
}

int32_t SimWindows::DeleteObject(Handle object) {
    log_.Add(u"DeleteObject", {HandleArg(object)});
    return fonts_.erase(object) ? 1 : 0;
}

const LogFont* SimWindows::FontObject(Handle font) const {
    auto it = fonts_.find(font);
    return it == fonts_.end() ? nullptr : &it->second;
}

}  // namespace quibor15::sim
