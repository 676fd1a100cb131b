// Late binding for the headless forms and controls: each kind of object
// declares its members once, in a table of names with a getter, a setter or a
// method body, and the table answers GetIdOfName and Invoke for it.
//
//     static const MemberTable<Label> table{
//         CommonControlMembers<Label>(),
//         {Bind<Label, &Label::Caption, &Label::SetCaption>(u"Caption", kDefault),
//          Get<Label, &Label::AutoSize>(u"AutoSize")}};
//
// A later entry with the name of an earlier one replaces it, so a kind can
// refine a common member. DISPIDs are positions in the table (from 1); the
// entry marked as default answers DISPID 0.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/headless/names.hpp"
#include "quibor15/convert.hpp"
#include "quibor15/object.hpp"

namespace quibor15::headless {

// The arguments of one call, with the conversions the members apply.
class Args {
public:
    explicit Args(std::span<Variant> args) noexcept : args_(args) {}

    size_t Count() const noexcept { return args_.size(); }
    // Present and not left out.
    bool Has(size_t i) const noexcept { return i < args_.size() && !args_[i].IsMissing(); }
    const Variant& At(size_t i) const { return args_[Checked(i)].Deref(); }
    // The caller's variable behind a by-reference argument (or the argument).
    Variant& Slot(size_t i) { return args_[Checked(i)]; }
    std::span<Variant> Span() const noexcept { return args_; }

    Integer Int(size_t i) const { return VariantToInteger(At(i)); }
    Long Lng(size_t i) const { return VariantToLong(At(i)); }
    Single Sng(size_t i) const { return VariantToSingle(At(i)); }
    double Dbl(size_t i) const { return VariantToDouble(At(i)); }
    bool Bool(size_t i) const { return static_cast<bool>(VariantToBoolean(At(i))); }
    String Str(size_t i) const { return VariantToString(At(i)); }
    ObjectRef Obj(size_t i) const { return At(i).ObjectOrThrow(); }

private:
    size_t Checked(size_t i) const {
        if (i >= args_.size() || args_[i].IsMissing()) RaiseRuntimeError(rt::kArgumentNotOptional);
        return i;
    }
    std::span<Variant> args_;
};

// Conversions between member values and Variants.
template <class V>
V FromVariant(const Variant& v) {
    if constexpr (std::is_same_v<V, Integer>) {
        return VariantToInteger(v);
    } else if constexpr (std::is_same_v<V, Long>) {
        return VariantToLong(v);
    } else if constexpr (std::is_same_v<V, Single>) {
        return VariantToSingle(v);
    } else if constexpr (std::is_same_v<V, double>) {
        return VariantToDouble(v);
    } else if constexpr (std::is_same_v<V, bool>) {
        return static_cast<bool>(VariantToBoolean(v));
    } else if constexpr (std::is_same_v<V, String>) {
        return VariantToString(v);
    } else if constexpr (std::is_same_v<V, ObjectRef>) {
        return v.Deref().ObjectOrThrow();
    } else {
        static_assert(std::is_same_v<V, Variant>, "no conversion from Variant");
        return v.Deref();
    }
}

template <class V>
Variant ToVariant(V value) {
    if constexpr (std::is_same_v<V, bool>) {
        return Variant(Boolean::From(value));
    } else {
        return Variant(std::move(value));
    }
}

enum MemberFlags : uint8_t {
    kPlain = 0,
    kDefault = 1,     // answers DISPID 0
    kAcceptsSet = 2,  // an object property that takes Set as well as Let
    kEnumerator = 4,  // answers DISPID -4 (For Each)
};

template <class T>
struct MemberDef {
    using Getter = Variant (*)(T&, Args&);
    using Setter = void (*)(T&, Args&, const Variant&);

    std::u16string_view name;
    Getter get = nullptr;  // property read, or the method's body
    Setter put = nullptr;  // property assignment; nullptr: read-only
    uint8_t min_args = 0;  // arguments of a read or call (a property's index)
    uint8_t max_args = 0;
    bool method = false;
    uint8_t flags = kPlain;

    static MemberDef Property(std::u16string_view name, Getter get, Setter put, uint8_t flags = kPlain,
                              uint8_t min_args = 0, uint8_t max_args = 0) {
        return MemberDef{name, get, put, min_args, max_args, false, flags};
    }
    static MemberDef Method(std::u16string_view name, Getter body, uint8_t min_args, uint8_t max_args,
                            uint8_t flags = kPlain) {
        return MemberDef{name, body, nullptr, min_args, max_args, true, flags};
    }
};

// The parameter type of a setter, for Bind.
template <class C, class P>
P FirstParam(void (C::*)(P));
template <class C, class P>
P FirstParam(void (C::*)(P) noexcept);

// A read-write property bound to a typed getter and setter.
template <class T, auto Getter, auto Setter>
MemberDef<T> Bind(std::u16string_view name, uint8_t flags = kPlain) {
    return MemberDef<T>::Property(
        name, [](T& self, Args&) -> Variant { return ToVariant((self.*Getter)()); },
        [](T& self, Args&, const Variant& value) {
            using P = std::remove_cvref_t<decltype(FirstParam(Setter))>;
            (self.*Setter)(FromVariant<P>(value));
        },
        flags);
}

// A read-only property bound to a typed getter.
template <class T, auto Getter>
MemberDef<T> Get(std::u16string_view name, uint8_t flags = kPlain) {
    return MemberDef<T>::Property(
        name, [](T& self, Args&) -> Variant { return ToVariant((self.*Getter)()); }, nullptr, flags);
}

// A method without arguments bound to a typed member function.
template <class T, auto Fn>
MemberDef<T> Action(std::u16string_view name) {
    return MemberDef<T>::Method(
        name,
        [](T& self, Args&) -> Variant {
            (self.*Fn)();
            return Variant();
        },
        0, 0);
}

template <class T>
class MemberTable {
public:
    MemberTable(std::initializer_list<std::vector<MemberDef<T>>> groups) {
        for (const auto& group : groups) {
            for (const MemberDef<T>& m : group) Add(m);
        }
    }

    DispId IdOf(std::u16string_view name) const noexcept {
        for (size_t i = 0; i < members_.size(); ++i) {
            if (NamesEqual(members_[i].name, name)) return (members_[i].flags & kEnumerator) ? kDispIdNewEnum : IdAt(i);
        }
        return kDispIdUnknown;
    }

    const MemberDef<T>* Find(DispId id) const noexcept {
        if (id == kDispIdValue || id == kDispIdNewEnum) {
            uint8_t wanted = id == kDispIdValue ? kDefault : kEnumerator;
            for (const MemberDef<T>& m : members_) {
                if (m.flags & wanted) return &m;
            }
            return nullptr;
        }
        if (id < 1 || static_cast<size_t>(id) > members_.size()) return nullptr;
        return &members_[static_cast<size_t>(id) - 1];
    }

    // Calls a member: a read with arguments beyond a property's own goes on
    // to the default member of the object it returns (form.Controls(3)).
    Variant Invoke(T& self, DispId id, uint16_t flags, std::span<Variant> args) const {
        const MemberDef<T>* m = Find(id);
        if (!m) RaiseRuntimeError(rt::kMemberNotSupported);
        if (flags & (kInvokePropertyPut | kInvokePropertyPutRef)) return Assign(self, *m, flags, args);
        if (!(flags & (kInvokeMethod | kInvokePropertyGet))) RaiseRuntimeError(rt::kMemberNotSupported);
        if (!m->get) Fail(err::kPropertyWriteOnly, u"Property is write-only");
        if (args.size() < m->min_args) RaiseRuntimeError(rt::kArgumentNotOptional);
        if (args.size() > m->max_args) {
            if (m->method || m->max_args != 0) RaiseRuntimeError(rt::kWrongArgumentCount);
            Args none(args.first(0));
            Variant result = m->get(self, none);
            if (!result.IsObject()) RaiseRuntimeError(rt::kWrongArgumentCount);
            return LateDefault(result.ObjectOrThrow(), args);
        }
        Args a(args);
        return m->get(self, a);
    }

private:
    static DispId IdAt(size_t i) noexcept { return static_cast<DispId>(i + 1); }

    void Add(const MemberDef<T>& m) {
        for (MemberDef<T>& existing : members_) {
            if (NamesEqual(existing.name, m.name)) {
                existing = m;
                return;
            }
        }
        members_.push_back(m);
    }

    static Variant Assign(T& self, const MemberDef<T>& m, uint16_t flags, std::span<Variant> args) {
        if (m.method) RaiseRuntimeError(rt::kMemberNotSupported);
        if (!m.put) Fail(err::kPropertyReadOnly, u"'" + String(m.name) + u"' property is read-only");
        if (args.empty()) RaiseRuntimeError(rt::kArgumentNotOptional);
        const Variant& value = args.back().Deref();
        if ((flags & kInvokePropertyPutRef) && !(flags & kInvokePropertyPut) && !(m.flags & kAcceptsSet) &&
            !value.IsObject()) {
            RaiseRuntimeError(rt::kObjectRequired);
        }
        size_t index_count = args.size() - 1;
        if (index_count < m.min_args) RaiseRuntimeError(rt::kArgumentNotOptional);
        if (index_count > m.max_args) RaiseRuntimeError(rt::kWrongArgumentCount);
        Args index(args.first(index_count));
        m.put(self, index, value);
        return Variant();
    }

    std::vector<MemberDef<T>> members_;
};

}  // namespace quibor15::headless
