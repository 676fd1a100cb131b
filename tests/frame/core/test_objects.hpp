// Small objects for exercising late binding: a property bag with a default
// value, a method with a by-reference argument and events.
#pragma once

#include <map>
#include <vector>

#include "quibor15/object.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::testing {

// Members: Value (DISPID 0, get/let), Target (1, set/get), Double (2,
// method: doubles its by-reference argument and returns the old value),
// Fire (3, raises event 7 with one by-reference argument), Items (-4:
// returns the enumerator given to it).
class PropertyBag : public Object {
public:
    Variant value;
    ObjectRef target;
    Ref<Enumerator> enumerator;
    std::vector<uint16_t> flags_seen;
    EventSinks sinks;

    String TypeName() const override { return u"PropertyBag"; }
    DispId GetIdOfName(std::u16string_view name) override {
        if (EqualsIgnoreCase(name, u"Value")) return 0;
        if (EqualsIgnoreCase(name, u"Target")) return 1;
        if (EqualsIgnoreCase(name, u"Double")) return 2;
        if (EqualsIgnoreCase(name, u"Fire")) return 3;
        return kDispIdUnknown;
    }
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        flags_seen.push_back(flags);
        switch (id) {
            case 0:
                if (flags & kInvokePropertyPut) {
                    value = args.back();
                    return Variant();
                }
                return value;
            case 1:
                if (flags & kInvokePropertyPutRef) {
                    target = args[0].ObjectOrThrow();
                    return Variant();
                }
                return Variant(target);
            case 2: {
                if (args.size() != 1) RaiseRuntimeError(rt::kWrongArgumentCount);
                Variant old = args[0].Deref();
                args[0].Assign(Variant(static_cast<Double>(2 * std::get<Long>(old.Raw()))));
                return old;
            }
            case 3: {
                Variant arg = Variant(Long{1});
                Variant a[1] = {Variant::ByRef(arg)};
                sinks.Raise(7, a);
                return arg;
            }
            case kDispIdNewEnum:
                if (!enumerator) RaiseRuntimeError(rt::kMemberNotSupported);
                return Variant(enumerator);
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }
    uint32_t Advise(ObjectRef sink) override { return sinks.Add(std::move(sink)); }
    void Unadvise(uint32_t cookie) override { sinks.Remove(cookie); }
};

// A sink that records events and adds 10 to the first argument.
class RecordingSink : public Object {
public:
    std::vector<DispId> events;
    std::function<void()> on_event;

    String TypeName() const override { return u"RecordingSink"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    Variant Invoke(DispId id, uint16_t, std::span<Variant> args) override {
        events.push_back(id);
        if (!args.empty()) args[0].Assign(Variant(static_cast<Long>(std::get<Long>(args[0].Deref().Raw()) + 10)));
        if (on_event) on_event();
        return Variant();
    }
};

// Counts its own destruction.
class Tracked : public Object {
public:
    explicit Tracked(int* destroyed) : destroyed_(destroyed) {}
    ~Tracked() override { ++*destroyed_; }
    String TypeName() const override { return u"Tracked"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    Variant Invoke(DispId, uint16_t, std::span<Variant>) override { RaiseRuntimeError(rt::kMemberNotSupported); }

private:
    int* destroyed_;
};

}  // namespace quibor15::testing
