#include "language/language_module.hpp"

#include <string>

#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

constexpr uint32_t kCbFindString = 0x14C;
constexpr int32_t kCbErr = -1;
constexpr Long kStyleDropDownList = 2;

double ReadNumber(const ObjectRef& object, std::u16string_view name) { return VariantToDouble(LateGet(object, name)); }

// The runtime's `\ 2` after a conversion to Long.
Long HalfOf(double value) { return IntegerQuotient(ToLong(value), 2); }

bool IsKind(const ObjectRef& object, std::u16string_view type_name) {
    return object && EqualsIgnoreCase(object->TypeName(), type_name);
}

Long Length(const String& text) { return static_cast<Long>(text.size()); }

// The character a KeyAscii value stands for in the ANSI code page: one
// byte, or a double-byte pair (lead * 256 + trail, negative as an Integer).
String CharacterOf(Integer key_ascii, const AnsiCodePage& code_page) {
    std::string bytes;
    if (key_ascii >= 0) {
        if (key_ascii > 0xFF) RaiseRuntimeError(rt::kInvalidProcedureCall);
        bytes.push_back(static_cast<char>(key_ascii));
    } else {
        const auto pair = static_cast<uint16_t>(key_ascii);
        bytes.push_back(static_cast<char>(pair >> 8));
        bytes.push_back(static_cast<char>(pair & 0xFF));
    }
    return code_page.Decode(bytes);
}

}  // namespace

void CenterFormHigh(HostRuntime& host, const ObjectRef& form) {
    const ObjectRef screen = host.Screen();
    const Long top = CheckedSub(HalfOf(ReadNumber(screen, u"Height") * 0.85), HalfOf(ReadNumber(form, u"Height")));
    const Long left = CheckedSub(HalfOf(ReadNumber(screen, u"Width")), HalfOf(ReadNumber(form, u"Width")));
    LateLet(form, u"Top", Variant(top));
    LateLet(form, u"Left", Variant(left));
}

void ComboAutoComplete(WindowsServices& windows, const ObjectRef& control, Integer& key_ascii) {
    if (!IsKind(control, u"ComboBox") || VariantToLong(LateGet(control, u"Style")) >= kStyleDropDownList) return;
    // A key already consumed types nothing.
    if (key_ascii == 0) return;
    const String text = VariantToString(LateGet(control, u"Text"));
    const String typed =
        LeftText(text, VariantToLong(LateGet(control, u"SelStart"))) + CharacterOf(key_ascii, windows.CodePage());
    const Handle hwnd = VariantToLong(LateGet(control, u"hWnd"));
    const Long found = windows.SendMessageTextA(hwnd, kCbFindString, -1, typed);
    if (found == kCbErr) return;

    LateLet(control, u"ListIndex", Variant(found));
    Variant index[] = {Variant(found)};
    LateLet(control, u"Text", LateGet(control, u"List", index));
    LateLet(control, u"SelStart", Variant(Length(typed)));
    LateLet(control, u"SelLength", Variant(Length(VariantToString(LateGet(control, u"Text")))));
    key_ascii = 0;
}

void SelectAllText(const ObjectRef& control) {
    if (!IsKind(control, u"ComboBox") && !IsKind(control, u"TextBox")) return;
    LateLet(control, u"SelStart", Variant(Long{0}));
    LateLet(control, u"SelLength", Variant(Length(VariantToString(LateGet(control, u"Text")))));
}

}  // namespace quibor15
