// Small late-bound helpers shared by the form utilities.
#pragma once

#include <string_view>

#include "quibor15/convert.hpp"
#include "quibor15/host_runtime.hpp"
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

// The host's type tests.
inline bool IsComboBox(HostRuntime& host, const ObjectRef& object) {
    return host.IsObjectOfKind(object, ObjectKind::ComboBox);
}
inline bool IsTextBox(HostRuntime& host, const ObjectRef& object) {
    return host.IsObjectOfKind(object, ObjectKind::TextBox);
}

}  // namespace quibor15::forms
