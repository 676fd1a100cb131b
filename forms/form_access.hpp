// Small late-bound helpers shared by the form utilities.
#pragma once

#include <string_view>

#include "quibor15/convert.hpp"
#include "quibor15/object.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::forms {

// A numeric property of a form, control or the Screen.
inline double ReadNumber(const ObjectRef& object, std::u16string_view name) {
    return VariantToDouble(LateGet(object, name));
}

inline Single ReadSingle(const ObjectRef& object, std::u16string_view name) {
    return VariantToSingle(LateGet(object, name));
}

// The forms runtime's `\ 2`: the value rounded to a whole Long (halves to
// even), halved toward zero.
inline Long HalfOf(double value) { return IntegerQuotient(ToLong(value), 2); }

// The host's type tests, which go by the control's type name.
inline bool IsKind(const ObjectRef& object, std::u16string_view type_name) {
    return object && EqualsIgnoreCase(object->TypeName(), type_name);
}
inline bool IsComboBox(const ObjectRef& object) { return IsKind(object, u"ComboBox"); }
inline bool IsTextBox(const ObjectRef& object) { return IsKind(object, u"TextBox"); }

}  // namespace quibor15::forms
