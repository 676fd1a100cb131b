// Combo-box type-ahead, select-all and the shell's recent-documents list.
#include "forms/form_access.hpp"
#include "forms/wui_runtime.hpp"

namespace quibor15 {

using forms::IsComboBox;
using forms::IsTextBox;

namespace {

constexpr uint32_t kCbFindString = 0x14C;
constexpr int32_t kCbErr = -1;
constexpr Long kStyleDropDownList = 2;
constexpr uint32_t kShardPathA = 2;

Long Length(const String& text) { return static_cast<Long>(text.size()); }

// The character of a key code in the ANSI code page; 5 for a code that is
// no character.
String CharacterOf(Long code, const AnsiCodePage& code_page) {
    if (code < 0 || code > 255) RaiseRuntimeError(rt::kInvalidProcedureCall);
    return code_page.Decode(std::string(1, static_cast<char>(static_cast<unsigned char>(code))));
}

}  // namespace

Variant clsQuiborWUIRunTimeA::ComboBoxIncLookup(ObjectRef& ControlName, Variant& acKeyCode) {
    const ObjectRef box = ControlName;
    // A drop-down list has no text to complete.
    if (!IsComboBox(Host(), box) || VariantToLong(LateGet(box, u"Style")) >= kStyleDropDownList) return Variant();

    // The text the box would hold if the key replaced the selection.
    const String typed = LeftText(VariantToString(LateGet(box, u"Text")), VariantToLong(LateGet(box, u"SelStart")));
    const String search = typed + CharacterOf(VariantToLong(acKeyCode), Windows().CodePage());
    const Handle hwnd = VariantToLong(LateGet(box, u"hWnd"));
    const Long found = Windows().SendMessageTextA(hwnd, kCbFindString, -1, search);
    if (found == kCbErr) return Variant();

    // The whole item, with the characters not typed yet selected so that the
    // next key replaces them; the key itself is used up.
    LateLet(box, u"ListIndex", Variant(found));
    Variant index[] = {Variant(found)};
    LateLet(box, u"Text", LateGet(box, u"List", index));
    LateLet(box, u"SelStart", Variant(Length(search)));
    LateLet(box, u"SelLength", Variant(Length(VariantToString(LateGet(box, u"Text")))));
    acKeyCode.Assign(Variant(Integer{0}));
    return Variant();
}

void clsQuiborWUIRunTimeA::ObjectSelectedAll(ObjectRef& Objectname) {
    const ObjectRef object = Objectname;
    const bool is_combo_box = IsComboBox(Host(), object);
    const bool is_text_box = IsTextBox(Host(), object);
    if (!is_combo_box && !is_text_box) return;
    LateLet(object, u"SelStart", Variant(Long{0}));
    LateLet(object, u"SelLength", Variant(Length(VariantToString(LateGet(object, u"Text")))));
}

Boolean clsQuiborWUIRunTimeA::AddToDocumentsList(String Filename) {
    if (Filename.empty()) return kFalse;
    // The shell call returns nothing; its outcome is the last error code.
    Windows().SHAddToRecentDocs(kShardPathA, Filename);
    return Boolean::From(Windows().GetLastError() == 0);
}

}  // namespace quibor15
