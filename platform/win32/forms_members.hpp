// Member groups forms and controls share, for their member tables.
#pragma once

#include <optional>
#include <vector>

#include "platform/win32/forms_engine.hpp"

namespace quibor15::win32::forms {

inline std::optional<double> OptionalNumber(headless::Args& a, size_t i) {
    return a.Has(i) ? std::optional<double>(a.Dbl(i)) : std::nullopt;
}

// One font attribute as a property of the window.
template <class T, class V, V FontAttributes::*Field>
headless::MemberDef<T> FontField(std::u16string_view name) {
    return headless::MemberDef<T>::Property(
        name, [](T& w, headless::Args&) -> Variant { return headless::ToVariant<V>(w.FontOf().*Field); },
        [](T& w, headless::Args&, const Variant& v) {
            FontAttributes font = w.FontOf();
            font.*Field = headless::FromVariant<V>(v);
            if constexpr (std::is_same_v<V, double>) {
                if (font.size <= 0 || font.size > 2160) headless::Fail(380, u"Invalid property value");
            }
            w.SetFontAttributes(std::move(font));
        });
}

template <class T>
std::vector<headless::MemberDef<T>> WindowMembers() {
    using M = headless::MemberDef<T>;
    using headless::Bind;
    using headless::Get;
    return {
        Bind<T, &Window::Enabled, &Window::SetEnabled>(u"Enabled"),
        Bind<T, &Window::BackColor, &Window::SetBackColor>(u"BackColor"),
        Bind<T, &Window::ForeColor, &Window::SetForeColor>(u"ForeColor"),
        Bind<T, &Window::Tag, &Window::SetTag>(u"Tag"),
        Get<T, &Window::HWnd>(u"hWnd"),
        M::Property(
            u"Font", [](T& w, headless::Args&) -> Variant { return Variant(w.FontObject()); },
            [](T& w, headless::Args&, const Variant& v) {
                FontAttributes font = w.FontOf();
                if (v.IsObject()) {
                    // Set copies the other font's attributes.
                    const ObjectRef other = v.ObjectOrThrow();
                    font.name = VariantToString(LateGet(other, u"Name"));
                    font.size = VariantToDouble(LateGet(other, u"Size"));
                    font.bold = static_cast<bool>(VariantToBoolean(LateGet(other, u"Bold")));
                    font.italic = static_cast<bool>(VariantToBoolean(LateGet(other, u"Italic")));
                    font.underline = static_cast<bool>(VariantToBoolean(LateGet(other, u"Underline")));
                    font.strikethru = static_cast<bool>(VariantToBoolean(LateGet(other, u"Strikethrough")));
                } else {
                    font.name = VariantToString(v);
                }
                w.SetFontAttributes(std::move(font));
            },
            headless::kAcceptsSet),
        FontField<T, String, &FontAttributes::name>(u"FontName"),
        FontField<T, double, &FontAttributes::size>(u"FontSize"),
        FontField<T, bool, &FontAttributes::bold>(u"FontBold"),
        FontField<T, bool, &FontAttributes::italic>(u"FontItalic"),
        FontField<T, bool, &FontAttributes::underline>(u"FontUnderline"),
        FontField<T, bool, &FontAttributes::strikethru>(u"FontStrikethru"),
    };
}

}  // namespace quibor15::win32::forms
