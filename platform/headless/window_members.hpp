// Member groups that several kinds of window share, for their member
// tables: colours and font for forms and controls; placement and focus for
// controls.
#pragma once

#include <optional>
#include <vector>

#include "platform/headless/control.hpp"
#include "platform/headless/member_table.hpp"

namespace quibor15::headless {

// An optional numeric argument.
inline std::optional<double> OptionalDouble(Args& a, size_t i) {
    return a.Has(i) ? std::optional<double>(a.Dbl(i)) : std::nullopt;
}

template <class T>
std::vector<MemberDef<T>> ColorMembers() {
    return {
        Bind<T, &Window::BackColor, &Window::SetBackColor>(u"BackColor"),
        Bind<T, &Window::ForeColor, &Window::SetForeColor>(u"ForeColor"),
    };
}

template <class T>
std::vector<MemberDef<T>> FontMembers() {
    using M = MemberDef<T>;
    return {
        M::Property(
            u"Font", [](T& w, Args&) -> Variant { return Variant(w.Font()); },
            [](T& w, Args&, const Variant& v) {
                // Let with a text names the face, as the font's default member.
                if (v.IsObject()) {
                    w.SetFont(v.ObjectOrThrow());
                } else {
                    w.SetFontName(VariantToString(v));
                }
            },
            kAcceptsSet),
        Bind<T, &Window::FontName, &Window::SetFontName>(u"FontName"),
        Bind<T, &Window::FontSize, &Window::SetFontSize>(u"FontSize"),
        Bind<T, &Window::FontBold, &Window::SetFontBold>(u"FontBold"),
        Bind<T, &Window::FontItalic, &Window::SetFontItalic>(u"FontItalic"),
        Bind<T, &Window::FontUnderline, &Window::SetFontUnderline>(u"FontUnderline"),
        Bind<T, &Window::FontStrikethru, &Window::SetFontStrikethru>(u"FontStrikethru"),
    };
}

// What every control has: name, index, geometry, visibility, container,
// tag, handle, tooltip.
template <class T>
std::vector<MemberDef<T>> PlacementMembers() {
    using M = MemberDef<T>;
    return {
        Get<T, &Window::Name>(u"Name"),
        Get<T, &Control::Index>(u"Index"),
        Bind<T, &Control::Left, &Control::SetLeft>(u"Left"),
        Bind<T, &Control::Top, &Control::SetTop>(u"Top"),
        Bind<T, &Control::Width, &Control::SetWidth>(u"Width"),
        Bind<T, &Control::Height, &Control::SetHeight>(u"Height"),
        M::Method(
            u"Move",
            [](T& c, Args& a) -> Variant {
                c.Move(a.Dbl(0), OptionalDouble(a, 1), OptionalDouble(a, 2), OptionalDouble(a, 3));
                return Variant();
            },
            1, 4),
        Bind<T, &Control::Visible, &Control::SetVisible>(u"Visible"),
        Bind<T, &Window::Enabled, &Window::SetEnabled>(u"Enabled"),
        M::Property(
            u"Container", [](T& c, Args&) -> Variant { return Variant(c.Container()); },
            [](T& c, Args&, const Variant& v) { c.SetContainer(v.ObjectOrThrow()); }, kAcceptsSet),
        Get<T, &Control::Parent>(u"Parent"),
        Bind<T, &Window::Tag, &Window::SetTag>(u"Tag"),
        Get<T, &Window::HWnd>(u"hWnd"),
        Bind<T, &Window::ToolTipText, &Window::SetToolTipText>(u"ToolTipText"),
        Action<T, &Control::Refresh>(u"Refresh"),
    };
}

// Controls in the tab order that can hold the focus.
template <class T>
std::vector<MemberDef<T>> FocusMembers() {
    return {
        Bind<T, &Control::TabIndex, &Control::SetTabIndex>(u"TabIndex"),
        Bind<T, &Control::TabStop, &Control::SetTabStop>(u"TabStop"),
        Action<T, &Control::SetFocus>(u"SetFocus"),
    };
}

}  // namespace quibor15::headless
