// Argument binding of late-bound calls, used by the generated member thunks.
//
// A thunk builds one binder per parameter, in parameter order, then calls the
// member's virtual function with the binders' values:
//   - a by-value parameter gets the argument converted to its type;
//   - a by-reference parameter works on a value of its own type; when the
//     caller passed its variable (Variant::ByRef) and that variable already
//     holds exactly the parameter's type, a value the member assigned is
//     stored back into the variable when the member returns or fails, so
//     the member's assignments reach the caller and nothing else does (an
//     event handler may have changed the variable meanwhile); otherwise the
//     value is a converted temporary and its changes are lost. A Variant
//     parameter binds to the caller's variable itself whenever one is
//     passed;
//   - an object parameter typed as a Collection, Font or Picture takes
//     Nothing or an object the host runtime says is of that kind, one typed
//     as a class of the component only an object of that class; anything
//     else raises 13 before the member runs;
//   - a left-out optional parameter takes its default from the type library
//     (a Variant without default gets the "parameter not found" marker); a
//     left-out parameter that is not optional raises 449.
#pragma once

#include <cstring>
#include <optional>
#include <type_traits>
#include <utility>

#include "quibor15/component.hpp"
#include "quibor15/convert.hpp"

namespace quibor15 {

class DispatchCall {
public:
    // Checks the argument count against the member's parameters: 450 for too
    // many arguments or too few to reach every parameter that is not
    // optional. For a let or set (`assigning`), the last argument is the
    // assigned value and the others are the property's index arguments.
    // Inline: every late-bound call makes one.
    DispatchCall(ComponentObject& self, const MemberDesc& member, std::span<Variant> args, bool assigning)
        : self_(self), member_(member), index_args_(args) {
        size_t index_params = member.params.size();
        if (assigning) {
            // A let or set always has its value parameter; the value is the
            // last argument whatever the number of index arguments before it.
            if (args.empty() || index_params == 0) RaiseRuntimeError(rt::kWrongArgumentCount);
            value_ = &args.back();
            index_args_ = args.first(args.size() - 1);
            --index_params;
        }
        if (index_args_.size() > index_params) RaiseRuntimeError(rt::kWrongArgumentCount);
        if (index_args_.size() < index_params) CheckOptionalParams(index_args_.size(), index_params);
    }

    const MemberDesc& Member() const noexcept { return member_; }
    const ParamDesc& Param(size_t i) const noexcept { return member_.params[i]; }
    // The caller's argument for parameter i, or nullptr when it is left out
    // (not passed, or passed as the "parameter not found" marker).
    Variant* Arg(size_t i) noexcept;
    // Like Arg, but a left-out parameter that is not optional raises 449.
    Variant* ArgOrDefault(size_t i);
    // The value parameter i takes when it is left out, as a Variant.
    Variant DefaultOf(size_t i) const;
    const NumberFormat& Format();

private:
    // Raises 450 unless parameters [from, to) are all optional.
    void CheckOptionalParams(size_t from, size_t to) const;

    ComponentObject& self_;
    const MemberDesc& member_;
    std::span<Variant> index_args_;
    Variant* value_ = nullptr;  // the assigned value of a let or set
    std::optional<NumberFormat> format_;
};

// Conversions of arguments to each parameter type and of results back.
template <class T>
struct ArgType;

#define QUIBOR15_SCALAR_ARG(T, CONVERT)                                               \
    template <>                                                                       \
    struct ArgType<T> {                                                               \
        static bool Holds(const Variant& v) noexcept { return v.As<T>() != nullptr; } \
        static T From(const Variant& v, DispatchCall& c) {                            \
            if (const T* exact = v.As<T>()) return *exact;                            \
            return CONVERT(v, c.Format());                                            \
        }                                                                             \
        static T From(const Variant& v, const ComponentObject& self) {                \
            if (const T* exact = v.As<T>()) return *exact;                            \
            return CONVERT(v, self.ArgumentNumberFormat());                           \
        }                                                                             \
        static Variant ToVariant(T value) { return Variant(std::move(value)); }       \
    };

QUIBOR15_SCALAR_ARG(String, VariantToString)
QUIBOR15_SCALAR_ARG(Integer, VariantToInteger)
QUIBOR15_SCALAR_ARG(Long, VariantToLong)
QUIBOR15_SCALAR_ARG(Single, VariantToSingle)
QUIBOR15_SCALAR_ARG(Double, VariantToDouble)
QUIBOR15_SCALAR_ARG(Boolean, VariantToBoolean)
QUIBOR15_SCALAR_ARG(Date, VariantToDate)
QUIBOR15_SCALAR_ARG(Currency, VariantToCurrency)
#undef QUIBOR15_SCALAR_ARG

// Any object (Object, Collection, Font, Picture): Nothing is allowed, a value
// that is not an object raises 13.
template <>
struct ArgType<ObjectRef> {
    static bool Holds(const Variant& v) noexcept { return v.As<ObjectRef>() != nullptr; }
    static ObjectRef From(const Variant& v, DispatchCall&) { return v.ObjectOrThrow(); }
    static Variant ToVariant(ObjectRef value) { return Variant(std::move(value)); }
};

// One of the library's classes: Nothing is allowed, an object of another
// class raises 13.
template <class C>
struct ArgType<Ref<C>> {
    static bool Holds(const Variant& v) noexcept {
        const ObjectRef* held = v.As<ObjectRef>();
        return held && (!*held || dynamic_cast<C*>(held->Get()) != nullptr);
    }
    static Ref<C> From(const Variant& v, DispatchCall&) {
        ObjectRef obj = v.ObjectOrThrow();
        if (!obj) return {};
        C* typed = dynamic_cast<C*>(obj.Get());
        if (!typed) RaiseRuntimeError(rt::kTypeMismatch);
        return Ref<C>(typed);
    }
    static Variant ToVariant(Ref<C> value) { return Variant(ObjectRef(std::move(value))); }
};

template <>
struct ArgType<Variant> {
    static Variant From(const Variant& v, DispatchCall&) { return v.Deref(); }
    static Variant ToVariant(Variant value) { return value; }
};

// Raises 13 unless the argument holds an array (String array parameters).
void RequireArrayArgument(const Variant& v);

// Raises 13 unless `object` is Nothing or of `kind`, as the host runtime of
// `self` tells (typed object parameters).
void RequireObjectKind(const ComponentObject& self, const ObjectRef& object, ObjectKind kind);

// Whether a by-reference value is still the one copied in: floating-point
// values compare by their bits, so a NaN left alone counts as unchanged.
template <class T>
bool SameValue(const T& a, const T& b) noexcept {
    if constexpr (std::is_floating_point_v<T>) {
        return std::memcmp(&a, &b, sizeof(T)) == 0;
    } else if constexpr (std::is_same_v<T, Date>) {
        return std::memcmp(&a.serial, &b.serial, sizeof(a.serial)) == 0;
    } else {
        return a == b;
    }
}

template <class T>
class ByValArg {
public:
    ByValArg(DispatchCall& call, size_t i) {
        if (Variant* arg = call.ArgOrDefault(i)) {
            value_ = ArgType<T>::From(*arg, call);
        } else {
            value_ = DefaultValueOf(call, i);
        }
    }
    T& Get() noexcept { return value_; }

private:
    static T DefaultValueOf(DispatchCall& call, size_t i) {
        const ParamDesc& p = call.Param(i);
        if constexpr (!std::is_same_v<T, Variant>) {
            if (p.default_value.kind == DefaultKind::None) return T{};
        }
        return ArgType<T>::From(call.DefaultOf(i), call);
    }

    T value_{};
};

template <class T>
class ByRefArg {
public:
    ByRefArg(DispatchCall& call, size_t i) {
        Variant* arg = call.ArgOrDefault(i);
        if (!arg) {
            const ParamDesc& p = call.Param(i);
            if (p.default_value.kind != DefaultKind::None) value_ = ArgType<T>::From(call.DefaultOf(i), call);
            return;
        }
        value_ = ArgType<T>::From(*arg, call);
        if (arg->IsByRef() && ArgType<T>::Holds(arg->Deref())) {
            target_ = &arg->Deref();
            copied_in_ = value_;
        }
    }
    ~ByRefArg() {
        if (!target_ || SameValue(copied_in_, value_)) return;
        try {
            *target_ = ArgType<T>::ToVariant(std::move(value_));
        } catch (...) {
            // Only allocation can fail here; the caller keeps its old value.
        }
    }
    ByRefArg(const ByRefArg&) = delete;
    ByRefArg& operator=(const ByRefArg&) = delete;

    T& Get() noexcept { return value_; }

private:
    T value_{};
    T copied_in_{};  // what the caller's variable held, when bound to one
    Variant* target_ = nullptr;
};

// A by-reference Variant parameter: the caller's variable itself when one is
// passed, else a copy of the argument.
template <>
class ByRefArg<Variant> {
public:
    ByRefArg(DispatchCall& call, size_t i, bool require_array = false) {
        Variant* arg = call.ArgOrDefault(i);
        if (!arg) {
            local_ = call.DefaultOf(i);
        } else if (arg->IsByRef()) {
            bound_ = &arg->Deref();
        } else {
            local_ = *arg;
        }
        if (require_array) RequireArrayArgument(Get());
    }
    ByRefArg(const ByRefArg&) = delete;
    ByRefArg& operator=(const ByRefArg&) = delete;

    Variant& Get() noexcept { return bound_ ? *bound_ : local_; }

private:
    Variant local_;
    Variant* bound_ = nullptr;
};

// The value an event handler left in a by-reference argument, converted
// back to the event parameter's type.
template <class T>
T EventArgumentBack(const Variant& v, const ComponentObject& self) {
    return ArgType<T>::From(v, self);
}

template <class T>
Variant ResultVariant(T&& value) {
    return ArgType<std::decay_t<T>>::ToVariant(std::forward<T>(value));
}

}  // namespace quibor15
