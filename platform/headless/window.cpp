#include "platform/headless/window.hpp"

#include "platform/headless/desktop.hpp"
#include "platform/headless/names.hpp"
#include "quibor15/convert.hpp"
#include "quibor15/font.hpp"

namespace quibor15::headless {

Window::Window(std::shared_ptr<Desktop> desktop, String name, std::span<const EventInfo> events)
    : name_(std::move(name)), desktop_(std::move(desktop)), events_(events) {
    hwnd_ = desktop_->NewHandle(this);
}

Window::~Window() { desktop_->DropHandle(hwnd_); }

uint32_t Window::Advise(ObjectRef sink) { return sinks_.Add(std::move(sink)); }

void Window::Unadvise(uint32_t cookie) { sinks_.Remove(cookie); }

String Window::EventName(DispId id) const {
    for (const EventInfo& e : events_) {
        if (e.id == id) return String(e.name);
    }
    return String();
}

bool Window::HasEvent(DispId id) const noexcept {
    for (const EventInfo& e : events_) {
        if (e.id == id) return true;
    }
    return false;
}

void Window::Deliver(DispId id, std::span<Variant> refs) {
    SelfRef hold(this);
    sinks_.Raise(id, refs);
}

CoordinateSpace Window::ChildSpace() const { return CoordinateSpace{}; }

// --- font

ObjectRef Window::Font() {
    if (!font_) font_ = desktop_->NewFont();
    return font_;
}

bool IsFontObject(const ObjectRef& object) noexcept { return dynamic_cast<StdFont*>(object.Get()) != nullptr; }

void Window::SetFont(ObjectRef font) {
    if (!font) RaiseRuntimeError(rt::kObjectNotSet);
    if (!IsFontObject(font)) RaiseRuntimeError(rt::kTypeMismatch);
    font_ = std::move(font);
    OnFontChanged();
}

Variant Window::FontGet(std::u16string_view member) { return LateGet(Font(), member); }

void Window::FontLet(std::u16string_view member, Variant value) {
    LateLet(Font(), member, std::move(value));
    OnFontChanged();
}

String Window::FontName() { return VariantToString(FontGet(u"Name")); }
void Window::SetFontName(String name) { FontLet(u"Name", Variant(std::move(name))); }
Single Window::FontSize() { return VariantToSingle(FontGet(u"Size")); }
void Window::SetFontSize(Single size) {
    if (!(size > 0) || size > 2160) Fail(err::kInvalidPropertyValue, u"Invalid property value");
    FontLet(u"Size", Variant(CurrencyFromDouble(size)));
}
bool Window::FontBold() { return static_cast<bool>(VariantToBoolean(FontGet(u"Bold"))); }
void Window::SetFontBold(bool bold) { FontLet(u"Bold", Variant(Boolean::From(bold))); }
bool Window::FontItalic() { return static_cast<bool>(VariantToBoolean(FontGet(u"Italic"))); }
void Window::SetFontItalic(bool italic) { FontLet(u"Italic", Variant(Boolean::From(italic))); }
bool Window::FontUnderline() { return static_cast<bool>(VariantToBoolean(FontGet(u"Underline"))); }
void Window::SetFontUnderline(bool underline) { FontLet(u"Underline", Variant(Boolean::From(underline))); }
bool Window::FontStrikethru() { return static_cast<bool>(VariantToBoolean(FontGet(u"Strikethrough"))); }
void Window::SetFontStrikethru(bool strikethru) { FontLet(u"Strikethrough", Variant(Boolean::From(strikethru))); }

}  // namespace quibor15::headless
