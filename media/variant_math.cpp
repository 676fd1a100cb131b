#include "media/variant_math.hpp"

#include <cfloat>
#include <cmath>
#include <limits>

#include "quibor15/object.hpp"

namespace quibor15::media {

namespace {

constexpr int64_t kFactor = 1000;

// An integer product in the narrowest of Integer, Long that holds it, or a
// Double beyond; `at_least_long` starts the ladder at Long.
Variant WidenedProduct(int64_t operand, bool at_least_long) {
    const int64_t product = operand * kFactor;  // |operand| < 2^32: no 64-bit overflow
    if (!at_least_long && product >= std::numeric_limits<Integer>::min() &&
        product <= std::numeric_limits<Integer>::max()) {
        return Variant(static_cast<Integer>(product));
    }
    if (product >= std::numeric_limits<Long>::min() && product <= std::numeric_limits<Long>::max()) {
        return Variant(static_cast<Long>(product));
    }
    return Variant(static_cast<Double>(product));
}

Variant DoubleProduct(double operand) {
    const double product = operand * kFactor;
    if (std::isinf(product)) RaiseRuntimeError(rt::kOverflow);
    return Variant(product);
}

}  // namespace

Variant TimesThousand(const Variant& value, const NumberFormat& fmt) {
    const Variant& v = value.Deref();
    switch (v.Type()) {
        case VarType::Null:
            return Variant::Null();
        case VarType::Empty:
            return Variant(Integer{0});
        case VarType::Boolean:
            return WidenedProduct(v.As<Boolean>()->raw, false);
        case VarType::Byte:
            return WidenedProduct(*v.As<Byte>(), false);
        case VarType::Integer:
            return WidenedProduct(*v.As<Integer>(), false);
        case VarType::Long:
            return WidenedProduct(*v.As<Long>(), true);
        case VarType::Single: {
            const double product = static_cast<double>(*v.As<Single>()) * kFactor;
            if (std::fabs(product) <= FLT_MAX) return Variant(static_cast<Single>(product));
            return DoubleProduct(*v.As<Single>());
        }
        case VarType::Double:
            return DoubleProduct(*v.As<Double>());
        case VarType::Date:
            return DoubleProduct(v.As<Date>()->serial);
        case VarType::Currency: {
            const int64_t scaled = v.As<Currency>()->scaled;
            if (scaled > std::numeric_limits<int64_t>::max() / kFactor ||
                scaled < std::numeric_limits<int64_t>::min() / kFactor) {
                RaiseRuntimeError(rt::kOverflow);
            }
            return Variant(Currency{scaled * kFactor});
        }
        case VarType::String: {
            double number = 0;
            if (!ParseNumber(*v.As<String>(), fmt, number)) RaiseRuntimeError(rt::kTypeMismatch);
            return DoubleProduct(number);
        }
        case VarType::Object: {
            const Variant inner = LateDefault(v.ObjectOrThrow(), {});
            if (inner.Deref().IsObject()) RaiseRuntimeError(rt::kTypeMismatch);
            return TimesThousand(inner, fmt);
        }
        default:
            RaiseRuntimeError(rt::kTypeMismatch);
    }
}

String ConcatenationText(const Variant& value, const NumberFormat& fmt) {
    if (value.Deref().IsNull()) return String();
    return VariantToString(value, fmt);
}

}  // namespace quibor15::media
