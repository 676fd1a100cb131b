#include "quibor15/variant.hpp"

#include <limits>

#include "quibor15/object.hpp"

namespace quibor15 {

namespace {

// Arrays larger than this are refused with "Out of memory" rather than
// attempted: the element count of a 32-bit index space.
constexpr uint64_t kMaxArrayElements = 0x7FFFFFFFull;
constexpr int32_t kOutOfMemory = 7;

// The value a fresh element of a typed array holds.
Variant DefaultElement(VarType type) {
    switch (type) {
        case VarType::Integer:
            return Variant(Integer{0});
        case VarType::Long:
            return Variant(Long{0});
        case VarType::Single:
            return Variant(Single{0});
        case VarType::Double:
            return Variant(Double{0});
        case VarType::Currency:
            return Variant(Currency{});
        case VarType::Date:
            return Variant(Date{});
        case VarType::String:
            return Variant(String());
        case VarType::Object:
            return Variant::Nothing();
        case VarType::Error:
            return Variant(ErrorValue{});
        case VarType::Boolean:
            return Variant(kFalse);
        case VarType::Byte:
            return Variant(Byte{0});
        default:
            return Variant();
    }
}

// Element count of a set of bounds; error 9 for a negative count or an
// upper bound beyond the Long range, 7 for an impossible size.
size_t CheckedElementCount(const std::vector<SafeArray::Bound>& bounds) {
    if (bounds.empty()) return 0;
    uint64_t total = 1;
    for (const SafeArray::Bound& b : bounds) {
        if (b.count < 0) RaiseRuntimeError(rt::kSubscriptOutOfRange);
        if (static_cast<int64_t>(b.lower) + b.count - 1 > std::numeric_limits<int32_t>::max()) {
            RaiseRuntimeError(rt::kSubscriptOutOfRange);
        }
        if (b.count == 0) {
            total = 0;
            continue;
        }
        if (total != 0 && static_cast<uint64_t>(b.count) > kMaxArrayElements / total) RaiseRuntimeError(kOutOfMemory);
        total *= static_cast<uint64_t>(b.count);
    }
    return static_cast<size_t>(total);
}

bool ArraysEqual(const SafeArray& a, const SafeArray& b) noexcept {
    if (a.ElementType() != b.ElementType() || a.Rank() != b.Rank()) return false;
    for (int32_t d = 1; d <= a.Rank(); ++d) {
        if (a.LowerBound(d) != b.LowerBound(d) || a.UpperBound(d) != b.UpperBound(d)) return false;
    }
    return a.Data() == b.Data();
}

}  // namespace

// --- SafeArray

SafeArray::SafeArray(VarType element_type, std::vector<Bound> bounds)
    : element_type_(element_type), bounds_(std::move(bounds)) {
    data_.assign(CheckedElementCount(bounds_), DefaultElement(element_type_));
}

SafeArray SafeArray::OneDim(VarType element_type, int32_t lower, int32_t upper) {
    int64_t count = static_cast<int64_t>(upper) - lower + 1;
    if (count < 0) count = 0;
    if (count > std::numeric_limits<int32_t>::max()) RaiseRuntimeError(kOutOfMemory);
    return SafeArray(element_type, {Bound{lower, static_cast<int32_t>(count)}});
}

int32_t SafeArray::LowerBound(int32_t dim) const {
    if (dim < 1 || dim > Rank()) RaiseRuntimeError(rt::kSubscriptOutOfRange);
    return bounds_[dim - 1].lower;
}

int32_t SafeArray::UpperBound(int32_t dim) const {
    if (dim < 1 || dim > Rank()) RaiseRuntimeError(rt::kSubscriptOutOfRange);
    const Bound& b = bounds_[dim - 1];
    return static_cast<int32_t>(static_cast<int64_t>(b.lower) + b.count - 1);
}

size_t SafeArray::Offset(const std::vector<int32_t>& indices) const {
    if (indices.size() != bounds_.size() || bounds_.empty()) RaiseRuntimeError(rt::kSubscriptOutOfRange);
    size_t offset = 0;
    size_t stride = 1;
    for (size_t d = 0; d < bounds_.size(); ++d) {
        int64_t rel = static_cast<int64_t>(indices[d]) - bounds_[d].lower;
        if (rel < 0 || rel >= bounds_[d].count) RaiseRuntimeError(rt::kSubscriptOutOfRange);
        offset += static_cast<size_t>(rel) * stride;
        stride *= static_cast<size_t>(bounds_[d].count);
    }
    return offset;
}

Variant& SafeArray::At(const std::vector<int32_t>& indices) { return data_[Offset(indices)]; }
const Variant& SafeArray::At(const std::vector<int32_t>& indices) const { return data_[Offset(indices)]; }
Variant& SafeArray::At(int32_t index) { return data_[Offset({index})]; }
const Variant& SafeArray::At(int32_t index) const { return data_[Offset({index})]; }

void SafeArray::Redim(std::vector<Bound> bounds, bool preserve) {
    size_t count = CheckedElementCount(bounds);
    if (preserve && !bounds_.empty()) {
        // Only the upper bound of the last dimension may move; the storage
        // order (first index fastest) keeps every surviving element in place.
        if (bounds.size() != bounds_.size()) RaiseRuntimeError(rt::kSubscriptOutOfRange);
        for (size_t d = 0; d + 1 < bounds.size(); ++d) {
            if (bounds[d].lower != bounds_[d].lower || bounds[d].count != bounds_[d].count) {
                RaiseRuntimeError(rt::kSubscriptOutOfRange);
            }
        }
        if (bounds.back().lower != bounds_.back().lower) RaiseRuntimeError(rt::kSubscriptOutOfRange);
        std::vector<Variant> data = data_;
        data.resize(count, DefaultElement(element_type_));
        data_ = std::move(data);
        bounds_ = std::move(bounds);
        return;
    }
    std::vector<Variant> data(count, DefaultElement(element_type_));
    data_ = std::move(data);
    bounds_ = std::move(bounds);
}

// --- ArrayValue

ArrayValue::ArrayValue(SafeArray array) : array_(std::make_unique<SafeArray>(std::move(array))) {}

ArrayValue::ArrayValue(const ArrayValue& other)
    : array_(other.array_ ? std::make_unique<SafeArray>(*other.array_) : nullptr) {}

ArrayValue& ArrayValue::operator=(const ArrayValue& other) {
    if (this != &other) {
        array_ = other.array_ ? std::make_unique<SafeArray>(*other.array_) : nullptr;
    }
    return *this;
}

ArrayValue::~ArrayValue() = default;

// --- Variant

Variant Variant::ByRef(Variant& target) {
    Variant v;
    v.v_ = VariantRef{&target.Deref()};
    return v;
}

bool Variant::IsMissing() const noexcept {
    const ErrorValue* e = As<ErrorValue>();
    return e && e->scode == kDispParamNotFound;
}

bool Variant::IsNumber() const noexcept {
    switch (Type()) {
        case VarType::Integer:
        case VarType::Long:
        case VarType::Single:
        case VarType::Double:
        case VarType::Currency:
        case VarType::Byte:
            return true;
        default:
            return false;
    }
}

const SafeArray* Variant::Array() const noexcept {
    const ArrayValue* a = As<ArrayValue>();
    return a ? &a->Get() : nullptr;
}

SafeArray* Variant::Array() noexcept {
    ArrayValue* a = As<ArrayValue>();
    return a ? &a->Get() : nullptr;
}

ObjectRef Variant::ObjectOrThrow() const {
    const ObjectRef* o = As<ObjectRef>();
    if (!o) RaiseRuntimeError(rt::kTypeMismatch);
    return *o;
}

void Variant::Assign(Variant value) {
    if (!value.IsByRef()) {
        Deref().v_ = std::move(value.v_);
        return;
    }
    // The caller's variable receives the value itself, never a reference to
    // a third variable.
    Variant plain = value.IsByRef() ? Variant(value.Deref()) : std::move(value);
    if (plain.IsByRef()) plain.v_ = std::monostate{};  // a reference without a target
    Deref().v_ = std::move(plain.v_);
}

bool operator==(const Variant& a, const Variant& b) noexcept {
    const Variant::Storage& x = a.Deref().Raw();
    const Variant::Storage& y = b.Deref().Raw();
    if (x.index() != y.index()) return false;
    if (const ArrayValue* xa = std::get_if<ArrayValue>(&x)) {
        return ArraysEqual(xa->Get(), std::get<ArrayValue>(y).Get());
    }
    return x == y;
}

}  // namespace quibor15
