// The value types every member exchanges: String, Integer, Long, Single,
// Double, Boolean, Date, Currency, Byte, error values, object references,
// arrays, and the Variant that holds any of them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "quibor15/error.hpp"
#include "quibor15/ref.hpp"

namespace quibor15 {

class Object;
class Variant;
using ObjectRef = Ref<Object>;

using Integer = int16_t;  // 16-bit signed
using Long = int32_t;     // 32-bit signed
using Single = float;
using Double = double;
using Byte = uint8_t;

// 16-bit truth value: True is -1, False is 0. Any other raw value can be
// stored and read back; a test for true either compares with -1 (IsTrue) or
// accepts any non-zero value (operator bool), as each caller needs.
struct Boolean {
    int16_t raw = 0;

    static constexpr Boolean From(bool b) noexcept { return Boolean{static_cast<int16_t>(b ? -1 : 0)}; }
    constexpr bool IsTrue() const noexcept { return raw == -1; }
    constexpr explicit operator bool() const noexcept { return raw != 0; }
    friend constexpr bool operator==(Boolean a, Boolean b) noexcept { return a.raw == b.raw; }
};
inline constexpr Boolean kTrue{-1};
inline constexpr Boolean kFalse{0};

// Days since 1899-12-30 00:00; the fraction is the time of day. Before that
// day the whole part counts back while the fraction still counts forward
// (-1.25 is 1899-12-29 06:00).
struct Date {
    double serial = 0.0;
    friend constexpr bool operator==(Date a, Date b) noexcept { return a.serial == b.serial; }
};

// The value times 10000 in a signed 64-bit integer.
struct Currency {
    int64_t scaled = 0;
    friend constexpr bool operator==(Currency a, Currency b) noexcept { return a.scaled == b.scaled; }
};

// An error value (VT_ERROR), for example the marker of a left-out optional
// argument.
struct ErrorValue {
    int32_t scode = 0;
    friend constexpr bool operator==(ErrorValue a, ErrorValue b) noexcept { return a.scode == b.scode; }
};
inline constexpr int32_t kDispParamNotFound = static_cast<int32_t>(0x80020004u);

// VarType codes.
enum class VarType : uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Boolean = 11,
    Variant = 12,
    Byte = 17,
    Array = 8192,
};

struct NullValue {
    friend constexpr bool operator==(NullValue, NullValue) noexcept { return true; }
};

// A multi-dimensional array with any lower bound per dimension. Elements are
// Variants; element_type records the declared element type (Variant for
// script arrays, String for a String array) and each element holds a value
// of that type unless the type is Variant.
class SafeArray {
public:
    struct Bound {
        int32_t lower = 0;
        int32_t count = 0;
    };

    SafeArray(VarType element_type, std::vector<Bound> bounds);
    // A one-dimensional array with bounds lower to upper (upper < lower is an
    // empty array).
    static SafeArray OneDim(VarType element_type, int32_t lower, int32_t upper);

    VarType ElementType() const noexcept { return element_type_; }
    int32_t Rank() const noexcept { return static_cast<int32_t>(bounds_.size()); }
    // Bounds of dimension dim (1-based); error 9 outside 1 to Rank.
    int32_t LowerBound(int32_t dim = 1) const;
    int32_t UpperBound(int32_t dim = 1) const;
    size_t ElementCount() const noexcept;

    // Element by one index per dimension; error 9 outside the bounds.
    Variant& At(const std::vector<int32_t>& indices);
    const Variant& At(const std::vector<int32_t>& indices) const;
    // Element of a one-dimensional array.
    Variant& At(int32_t index);
    const Variant& At(int32_t index) const;
    // Elements in storage order (first index varies fastest).
    std::vector<Variant>& Data() noexcept { return data_; }
    const std::vector<Variant>& Data() const noexcept { return data_; }

    // ReDim: new bounds; with preserve only the last dimension may change and
    // the elements that still fit are kept (error 9 otherwise).
    void Redim(std::vector<Bound> bounds, bool preserve);

private:
    size_t Offset(const std::vector<int32_t>& indices) const;

    VarType element_type_;
    std::vector<Bound> bounds_;
    std::vector<Variant> data_;
};

// An array held by a Variant: copied with the Variant, as arrays are values.
class ArrayValue {
public:
    explicit ArrayValue(SafeArray array);
    ArrayValue(const ArrayValue& other);
    ArrayValue(ArrayValue&&) noexcept = default;
    ArrayValue& operator=(const ArrayValue& other);
    ArrayValue& operator=(ArrayValue&&) noexcept = default;
    ~ArrayValue();

    SafeArray& Get() noexcept { return *array_; }
    const SafeArray& Get() const noexcept { return *array_; }
    friend bool operator==(const ArrayValue& a, const ArrayValue& b) noexcept { return a.array_ == b.array_; }

private:
    std::unique_ptr<SafeArray> array_;
};

// A by-reference argument: the caller's variable.
struct VariantRef {
    Variant* target = nullptr;
    friend constexpr bool operator==(VariantRef a, VariantRef b) noexcept { return a.target == b.target; }
};

class Variant {
public:
    using Storage = std::variant<std::monostate, NullValue, Integer, Long, Single, Double, Currency, Date, String,
                                 ObjectRef, ErrorValue, Boolean, Byte, ArrayValue, VariantRef>;

    Variant() noexcept = default;
    Variant(Integer v) : v_(v) {}
    Variant(Long v) : v_(v) {}
    Variant(Single v) : v_(v) {}
    Variant(Double v) : v_(v) {}
    Variant(Currency v) : v_(v) {}
    Variant(Date v) : v_(v) {}
    Variant(String v) : v_(std::move(v)) {}
    Variant(const char16_t* v) : v_(String(v)) {}
    Variant(ObjectRef v) : v_(std::move(v)) {}
    template <class T>
    Variant(Ref<T> v) : v_(ObjectRef(std::move(v))) {}
    Variant(ErrorValue v) : v_(v) {}
    Variant(Boolean v) : v_(v) {}
    Variant(Byte v) : v_(v) {}
    Variant(SafeArray v) : v_(ArrayValue(std::move(v))) {}
    Variant(NullValue v) : v_(v) {}

    static Variant Null() { return Variant(NullValue{}); }
    static Variant Missing() { return Variant(ErrorValue{kDispParamNotFound}); }
    static Variant Nothing() { return Variant(ObjectRef()); }
    // A by-reference argument naming the caller's variable.
    static Variant ByRef(Variant& target);

    // The value itself (a by-reference Variant answers for its target).
    // Inline, with Type: every operation on a value starts with them.
    const Variant& Deref() const noexcept {
        const Variant* v = this;
        while (const VariantRef* r = std::get_if<VariantRef>(&v->v_)) {
            if (!r->target) break;
            v = r->target;
        }
        return *v;
    }
    Variant& Deref() noexcept { return const_cast<Variant&>(static_cast<const Variant*>(this)->Deref()); }
    bool IsByRef() const noexcept { return std::holds_alternative<VariantRef>(v_); }

    // Of the dereferenced value; arrays give Array.
    VarType Type() const noexcept {
        const size_t i = Deref().v_.index();
        return i < std::size(kTypeOfIndex) ? kTypeOfIndex[i] : VarType::Empty;  // valueless: Empty
    }
    bool IsEmpty() const noexcept { return Type() == VarType::Empty; }
    bool IsNull() const noexcept { return Type() == VarType::Null; }
    bool IsMissing() const noexcept;
    bool IsObject() const noexcept { return Type() == VarType::Object; }
    bool IsArray() const noexcept { return Type() == VarType::Array; }
    bool IsString() const noexcept { return Type() == VarType::String; }
    // Integer, Long, Single, Double, Currency, Byte (not Boolean, Date or
    // String).
    bool IsNumber() const noexcept;

    // Typed access to the dereferenced value; nullptr when it holds another
    // type.
    template <class T>
    const T* As() const noexcept {
        return std::get_if<T>(&Deref().v_);
    }
    template <class T>
    T* As() noexcept {
        return std::get_if<T>(&Deref().v_);
    }
    const SafeArray* Array() const noexcept;
    SafeArray* Array() noexcept;
    // The object reference (Nothing when it holds Nothing); error 13 when the
    // value is not an object.
    ObjectRef ObjectOrThrow() const;

    // Assigns through a by-reference Variant to the caller's variable.
    void Assign(Variant value);

    const Storage& Raw() const noexcept { return v_; }
    Storage& Raw() noexcept { return v_; }

    // Same type and same value (objects by identity).
    friend bool operator==(const Variant& a, const Variant& b) noexcept;

private:
    // The VarType of each alternative of Storage, in order; a reference
    // without a target reads as Empty.
    static constexpr VarType kTypeOfIndex[] = {
        VarType::Empty,  VarType::Null,     VarType::Integer, VarType::Long,   VarType::Single,
        VarType::Double, VarType::Currency, VarType::Date,    VarType::String, VarType::Object,
        VarType::Error,  VarType::Boolean,  VarType::Byte,    VarType::Array,  VarType::Empty,
    };
    static_assert(std::size(kTypeOfIndex) == std::variant_size_v<Storage>);

    Storage v_;
};

// Defined here, where Variant is complete.
inline size_t SafeArray::ElementCount() const noexcept { return data_.size(); }

}  // namespace quibor15

// Variant holds counted object references, whose copies and destruction
// need the complete Object; this makes the header usable on its own.
#include "quibor15/object.hpp"
