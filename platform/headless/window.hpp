// What forms and controls have in common: a name, a window handle, event
// sinks, colours, a font, a tag and the enabled state.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string_view>
#include <utility>

#include "platform/headless/member_table.hpp"
#include "platform/headless/scale.hpp"
#include "quibor15/host_runtime.hpp"
#include "quibor15/windows_services.hpp"

namespace quibor15::headless {

class Desktop;
class Form;

// Event DISPIDs the headless runtime raises beyond the shared ones.
namespace ev_extra {
inline constexpr DispId kLostFocus = 7;
}  // namespace ev_extra

struct EventInfo {
    DispId id;
    std::u16string_view name;
};

// The runtime's font objects (the standard font of the component's frame).
bool IsFontObject(const ObjectRef& object) noexcept;

class Window : public Object {
public:
    ~Window() override;

    const String& Name() const noexcept { return name_; }
    Handle HWnd() const noexcept { return hwnd_; }
    Desktop& Desk() const noexcept { return *desktop_; }
    const std::shared_ptr<Desktop>& DesktopPtr() const noexcept { return desktop_; }

    // --- events
    uint32_t Advise(ObjectRef sink) override;
    void Unadvise(uint32_t cookie) override;
    String EventName(DispId id) const override;
    bool HasEvent(DispId id) const noexcept;
    // Raises event `id` with the given variables as by-reference arguments,
    // so a handler's assignments reach them. Nothing happens for an event
    // this kind of window does not raise. A handler's error propagates.
    template <class... V>
    void Raise(DispId id, V&... values) {
        if (!HasEvent(id)) return;
        std::array<Variant, sizeof...(V)> slots{Variant(values)...};
        RaiseSlots(id, slots, std::index_sequence_for<V...>{});
        // What the handlers assigned, in the variables' own types.
        size_t i = 0;
        ((values = FromVariant<V>(slots[i++])), ...);
    }

    // --- common state
    bool Enabled() const noexcept { return enabled_; }
    virtual void SetEnabled(bool enabled) { enabled_ = enabled; }
    const String& Tag() const noexcept { return tag_; }
    void SetTag(String tag) { tag_ = std::move(tag); }
    Long BackColor() const noexcept { return back_color_; }
    void SetBackColor(Long color) { back_color_ = color; }
    Long ForeColor() const noexcept { return fore_color_; }
    void SetForeColor(Long color) { fore_color_ = color; }
    const String& ToolTipText() const noexcept { return tooltip_; }
    void SetToolTipText(String text) { tooltip_ = std::move(text); }

    // The font object (a standard font from the host runtime, created on
    // first use). Set shares the caller's object, as the runtime does: a
    // change through either reference shows in both.
    ObjectRef Font();
    // Nothing raises 91, an object that is no font 13; the font stays.
    void SetFont(ObjectRef font);
    String FontName();
    void SetFontName(String name);
    Single FontSize();
    void SetFontSize(Single size);
    bool FontBold();
    void SetFontBold(bool bold);
    bool FontItalic();
    void SetFontItalic(bool italic);
    bool FontUnderline();
    void SetFontUnderline(bool underline);
    bool FontStrikethru();
    void SetFontStrikethru(bool strikethru);

    // --- containment
    virtual bool IsContainer() const noexcept { return false; }
    // How this window's children express their positions (twips by default).
    virtual CoordinateSpace ChildSpace() const;
    // The form this window is (a form) or is on; nullptr for a control
    // whose form is gone.
    virtual Form* OwningForm() noexcept = 0;
    // Visible and enabled here and in every container up to the form.
    virtual bool ReachableByUser() const = 0;

protected:
    template <size_t N, size_t... I>
    void RaiseSlots(DispId id, std::array<Variant, N>& slots, std::index_sequence<I...>) {
        std::array<Variant, N> refs{Variant::ByRef(slots[I])...};
        Deliver(id, std::span<Variant>(refs.data(), refs.size()));
    }

    Window(std::shared_ptr<Desktop> desktop, String name, std::span<const EventInfo> events);

    // Hands a raised event to the sinks (controls in an array also to the
    // array's sinks).
    virtual void Deliver(DispId id, std::span<Variant> refs);
    // Called after a font attribute changed through this window.
    virtual void OnFontChanged() {}

    String name_;

private:
    Variant FontGet(std::u16string_view member);
    void FontLet(std::u16string_view member, Variant value);

    std::shared_ptr<Desktop> desktop_;
    Handle hwnd_ = 0;
    std::span<const EventInfo> events_;
    EventSinks sinks_;
    bool enabled_ = true;
    String tag_;
    String tooltip_;
    Long back_color_ = static_cast<Long>(0x8000000F);  // button face
    Long fore_color_ = static_cast<Long>(0x80000012);  // button text
    ObjectRef font_;
};

}  // namespace quibor15::headless
