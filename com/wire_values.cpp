// Early-bound Variant and String-array arguments.
#include "com/com_object.hpp"
#include "quibor15/convert.hpp"

namespace quibor15::com {

namespace {

// A String array: the value as a one-or-more-dimensional array of String,
// converting Variant elements; error 13 for a value that is no array.
SafeArray StringArrayOf(const Variant& v) {
    const SafeArray* array = v.Deref().Array();
    if (!array) RaiseRuntimeError(rt::kTypeMismatch);
    if (array->ElementType() == VarType::String) return *array;
    std::vector<SafeArray::Bound> bounds;
    for (int32_t d = 1; d <= array->Rank(); ++d) {
        bounds.push_back({array->LowerBound(d), array->UpperBound(d) - array->LowerBound(d) + 1});
    }
    SafeArray out(VarType::String, bounds);
    for (size_t i = 0; i < array->ElementCount(); ++i) out.Data()[i] = Variant(VariantToString(array->Data()[i]));
    return out;
}

}  // namespace

Variant WireValue<Variant>::In(SAFEARRAY* v) {
    if (!v) return Variant(SafeArray(VarType::String, {}));
    VARTYPE element = VT_BSTR;
    if (FAILED(SafeArrayGetVartype(v, &element))) element = VT_BSTR;
    return Variant(win32::FromSafeArray(v, element));
}

void WireValue<Variant>::Out(SAFEARRAY** p, const Variant& v) { *p = win32::ToSafeArray(StringArrayOf(v)); }

void WireValue<Variant>::Update(SAFEARRAY** p, const Variant& v) {
    SAFEARRAY* fresh = win32::ToSafeArray(StringArrayOf(v));
    if (*p) SafeArrayDestroy(*p);
    *p = fresh;
}

void WireValue<Variant>::Update(VARIANT* p, const Variant& v) {
    if (p->vt & VT_BYREF) {
        win32::StoreThroughReference(v, *p);
        return;
    }
    VARIANT fresh;
    win32::ToVariant(v, &fresh);
    VariantClear(p);
    *p = fresh;
}

}  // namespace quibor15::com
