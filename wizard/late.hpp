// Short forms of the late-bound calls the wizard makes on the host's form,
// controls, control array, collections and fonts. Everything the wizard
// touches on the host side goes through these, by member name, so the same
// code drives any host runtime that answers to the names.
#pragma once

#include <initializer_list>
#include <string_view>

#include "quibor15/convert.hpp"
#include "quibor15/error.hpp"
#include "quibor15/object.hpp"

namespace quibor15::late {

inline Variant Get(const ObjectRef& obj, std::u16string_view name) { return LateGet(obj, name); }
inline Single GetSingle(const ObjectRef& obj, std::u16string_view name) { return VariantToSingle(LateGet(obj, name)); }
inline Integer GetInteger(const ObjectRef& obj, std::u16string_view name) {
    return VariantToInteger(LateGet(obj, name));
}
inline Boolean GetBoolean(const ObjectRef& obj, std::u16string_view name) {
    return VariantToBoolean(LateGet(obj, name));
}
inline ObjectRef GetObject(const ObjectRef& obj, std::u16string_view name) {
    return LateGet(obj, name).ObjectOrThrow();
}

inline void Let(const ObjectRef& obj, std::u16string_view name, Variant value) { LateLet(obj, name, std::move(value)); }
inline void Set(const ObjectRef& obj, std::u16string_view name, ObjectRef value) {
    LateSet(obj, name, std::move(value));
}

// Move left, top, width, height (twips as Single).
inline void Move(const ObjectRef& obj, double left, double top, double width, double height) {
    LateCall(obj, u"Move",
             {Variant(static_cast<Single>(left)), Variant(static_cast<Single>(top)),
              Variant(static_cast<Single>(width)), Variant(static_cast<Single>(height))});
}

// Element `index` of a control array, through its default member.
inline ObjectRef Element(const ObjectRef& control_array, Integer index) {
    Variant args[1] = {Variant(index)};
    return LateDefault(control_array, args).ObjectOrThrow();
}

// Item `position` (1-based) of a collection.
inline Variant Item(const ObjectRef& collection, Long position) {
    Variant args[1] = {Variant(position)};
    return LateCall(collection, u"Item", args);
}

}  // namespace quibor15::late
