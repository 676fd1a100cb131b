// The object model shared by the component, the host runtime and the script
// host: counted references, late binding by name and DISPID with
// by-reference arguments, and events raised to connected sinks.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "quibor15/variant.hpp"

namespace quibor15 {

using DispId = int32_t;
inline constexpr DispId kDispIdValue = 0;     // the default member
inline constexpr DispId kDispIdNewEnum = -4;  // the enumerator
inline constexpr DispId kDispIdUnknown = -1;  // no such name

// Invoke flags, combinable as in IDispatch::Invoke: a script's `x = o.P(1)`
// arrives as Method | PropertyGet.
enum InvokeFlags : uint16_t {
    kInvokeMethod = 1,
    kInvokePropertyGet = 2,
    kInvokePropertyPut = 4,
    kInvokePropertyPutRef = 8,
};

// An object reached by member name at run time. Arguments travel in natural
// order (first parameter first); an argument that is a by-reference Variant
// (Variant::ByRef) lets the member assign to the caller's variable. A
// left-out optional argument is Variant::Missing().
//
// Objects follow the apartment rule: an object belongs to the thread that
// created it and is referenced and called only on that thread (each
// apartment of the in-process server has its own context and objects). So
// the reference count is a plain integer: counting costs no more than the
// early-bound call it protects, which matters for the hold every call takes.
class Object {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    void AddRef() noexcept { ++refs_; }
    void Release() noexcept {
        if (--refs_ == 0) delete this;
    }
    uint32_t RefCount() const noexcept { return refs_; }

    // The type name a host's TypeName() shows ("clsQuiborWizardA", "Form",
    // "CommandButton", "Collection", ...).
    virtual String TypeName() const = 0;

    // The DISPID of a member name, compared without regard to case;
    // kDispIdUnknown when the object has no such member.
    virtual DispId GetIdOfName(std::u16string_view name) = 0;

    // Calls a member. Raises AutomationError: 438 for an unknown DISPID or a
    // kind the member lacks, 450 for a wrong argument count, 13 for an
    // argument that does not convert, and whatever the member itself raises.
    virtual Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) = 0;

    // Event connection: the object calls sink->Invoke(eventDispId,
    // kInvokeMethod, args) for each event it raises, by-reference arguments
    // flowing back. Objects without events answer 0 and ignore Unadvise.
    virtual uint32_t Advise(ObjectRef sink);
    virtual void Unadvise(uint32_t cookie);
    // Name of an event DISPID this object raises ("" when unknown), so a
    // sink that dispatches by name can map it.
    virtual String EventName(DispId id) const;

private:
    uint32_t refs_ = 0;
};

// Keeps an object alive for the length of a member call, so a release by
// the caller from inside an event the call raised cannot destroy it.
class SelfRef {
public:
    explicit SelfRef(Object* self) noexcept : self_(self) { self_->AddRef(); }
    ~SelfRef() { self_->Release(); }
    SelfRef(const SelfRef&) = delete;
    SelfRef& operator=(const SelfRef&) = delete;

private:
    Object* self_;
};

// A list of connected event sinks, for objects that raise events.
class EventSinks {
public:
    uint32_t Add(ObjectRef sink);
    void Remove(uint32_t cookie);
    bool Empty() const noexcept { return sinks_.empty(); }
    // Raises event `id` on every sink connected now, synchronously and in
    // connection order; a sink may change by-reference arguments.
    void Raise(DispId id, std::span<Variant> args);

private:
    struct Entry {
        uint32_t cookie;
        ObjectRef sink;
    };
    std::vector<Entry> sinks_;
    uint32_t next_cookie_ = 1;
};

// Late-bound access by name. Each raises 438 when the object lacks the
// member, 91 when obj is Nothing.
Variant LateGet(const ObjectRef& obj, std::u16string_view name, std::span<Variant> args = {});
void LateLet(const ObjectRef& obj, std::u16string_view name, Variant value, std::span<Variant> index = {});
void LateSet(const ObjectRef& obj, std::u16string_view name, ObjectRef value);
Variant LateCall(const ObjectRef& obj, std::u16string_view name, std::span<Variant> args = {});
Variant LateCall(const ObjectRef& obj, std::u16string_view name, std::initializer_list<Variant> args);
// The default member (DISPID 0) read with arguments, as obj(args).
Variant LateDefault(const ObjectRef& obj, std::span<Variant> args);

// The enumerator behind NewEnum (DISPID -4): an object with Next.
class Enumerator : public Object {
public:
    // The next item, or false at the end.
    virtual bool Next(Variant& item) = 0;
    virtual void Reset() = 0;

    String TypeName() const override { return u"Enumerator"; }
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;
};

// Enumerates an object the way For Each does: its NewEnum member.
Ref<Enumerator> EnumerateObject(const ObjectRef& obj);

}  // namespace quibor15
