#include "quibor15/object.hpp"

#include <algorithm>

#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

constexpr DispId kDispIdEnumNext = 1;
constexpr DispId kDispIdEnumReset = 2;

// The object a late-bound call goes to, held for the length of the call.
ObjectRef Target(const ObjectRef& obj) {
    if (!obj) RaiseRuntimeError(rt::kObjectNotSet);
    return obj;
}

DispId IdOrThrow(Object& obj, std::u16string_view name) {
    DispId id = obj.GetIdOfName(name);
    if (id == kDispIdUnknown) RaiseRuntimeError(rt::kMemberNotSupported);
    return id;
}

}  // namespace

// --- Object defaults

uint32_t Object::Advise(ObjectRef) { return 0; }
void Object::Unadvise(uint32_t) {}
String Object::EventName(DispId) const { return String(); }

// --- EventSinks

uint32_t EventSinks::Add(ObjectRef sink) {
    if (!sink) return 0;
    uint32_t cookie = next_cookie_++;
    if (next_cookie_ == 0) next_cookie_ = 1;  // 0 means "not connected"
    sinks_.push_back(Entry{cookie, std::move(sink)});
    return cookie;
}

void EventSinks::Remove(uint32_t cookie) {
    auto it = std::find_if(sinks_.begin(), sinks_.end(), [cookie](const Entry& e) { return e.cookie == cookie; });
    if (it != sinks_.end()) sinks_.erase(it);
}

void EventSinks::Raise(DispId id, std::span<Variant> args) {
    // A handler may connect or disconnect sinks while the event runs: the
    // sinks connected at the start are called, minus any disconnected since,
    // and each is held alive for its own call.
    std::vector<Entry> snapshot = sinks_;
    for (Entry& entry : snapshot) {
        bool still_connected =
            std::any_of(sinks_.begin(), sinks_.end(), [&entry](const Entry& e) { return e.cookie == entry.cookie; });
        if (!still_connected) continue;
        entry.sink->Invoke(id, kInvokeMethod, args);
    }
}

// --- late binding

Variant LateGet(const ObjectRef& obj, std::u16string_view name, std::span<Variant> args) {
    ObjectRef target = Target(obj);
    DispId id = IdOrThrow(*target, name);
    return target->Invoke(id, kInvokeMethod | kInvokePropertyGet, args);
}

void LateLet(const ObjectRef& obj, std::u16string_view name, Variant value, std::span<Variant> index) {
    ObjectRef target = Target(obj);
    DispId id = IdOrThrow(*target, name);
    // Natural order: the index arguments first, the assigned value last.
    std::vector<Variant> args(index.begin(), index.end());
    args.push_back(std::move(value));
    target->Invoke(id, kInvokePropertyPut, args);
}

void LateSet(const ObjectRef& obj, std::u16string_view name, ObjectRef value) {
    ObjectRef target = Target(obj);
    DispId id = IdOrThrow(*target, name);
    Variant args[1] = {Variant(std::move(value))};
    target->Invoke(id, kInvokePropertyPutRef, args);
}

Variant LateCall(const ObjectRef& obj, std::u16string_view name, std::span<Variant> args) {
    ObjectRef target = Target(obj);
    DispId id = IdOrThrow(*target, name);
    return target->Invoke(id, kInvokeMethod | kInvokePropertyGet, args);
}

Variant LateCall(const ObjectRef& obj, std::u16string_view name, std::initializer_list<Variant> args) {
    std::vector<Variant> list(args);
    return LateCall(obj, name, std::span<Variant>(list));
}

Variant LateDefault(const ObjectRef& obj, std::span<Variant> args) {
    ObjectRef target = Target(obj);
    return target->Invoke(kDispIdValue, kInvokeMethod | kInvokePropertyGet, args);
}

// --- Enumerator

DispId Enumerator::GetIdOfName(std::u16string_view name) {
    if (EqualsIgnoreCase(name, u"Next")) return kDispIdEnumNext;
    if (EqualsIgnoreCase(name, u"Reset")) return kDispIdEnumReset;
    return kDispIdUnknown;
}

Variant Enumerator::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    if (!(flags & (kInvokeMethod | kInvokePropertyGet))) RaiseRuntimeError(rt::kMemberNotSupported);
    switch (id) {
        case kDispIdEnumNext: {
            // Next(item): assigns the next item to the argument and answers
            // whether there was one.
            if (args.size() != 1) RaiseRuntimeError(rt::kWrongArgumentCount);
            Variant item;
            bool found = Next(item);
            args[0].Assign(found ? std::move(item) : Variant());
            return Variant(Boolean::From(found));
        }
        case kDispIdEnumReset:
            if (!args.empty()) RaiseRuntimeError(rt::kWrongArgumentCount);
            Reset();
            return Variant();
        default:
            RaiseRuntimeError(rt::kMemberNotSupported);
    }
}

Ref<Enumerator> EnumerateObject(const ObjectRef& obj) {
    ObjectRef target = Target(obj);
    Variant result = target->Invoke(kDispIdNewEnum, kInvokePropertyGet | kInvokeMethod, {});
    const ObjectRef* o = result.As<ObjectRef>();
    Ref<Enumerator> e = o ? RefCast<Enumerator>(*o) : Ref<Enumerator>();
    if (!e) RaiseRuntimeError(rt::kMemberNotSupported);
    return e;
}

}  // namespace quibor15
