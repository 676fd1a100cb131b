// A reference the wizard holds to a form or control together with its
// connection to that object's events, as a WithEvents variable does:
// holding the object connects, replacing or releasing it disconnects.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "quibor15/object.hpp"

namespace quibor15 {

// The receiving end of one held object's events. It forwards each event to
// its owner while attached; the owner detaches it before it goes away, so
// a control that still holds the sink can never call into a dead owner.
class ForwardingSink final : public Object {
public:
    using Handler = std::function<void(DispId id, std::span<Variant> args)>;

    explicit ForwardingSink(Handler handler) : handler_(std::move(handler)) {}

    void Detach() noexcept { handler_ = nullptr; }

    String TypeName() const override { return u"EventSink"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    // Errors of the handler go back to the object that raised the event: for
    // a control, that is the failure of its event handler.
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;

private:
    Handler handler_;
};

class EventConnection {
public:
    EventConnection() = default;
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;
    ~EventConnection() { Disconnect(); }

    // Holds `target` and connects `sink` to its events, then lets go of the
    // object held before. When connecting fails the held object stays as it
    // was and the error goes to the caller.
    void Hold(ObjectRef target, const Ref<ForwardingSink>& sink);
    // Disconnects and releases the held object; never fails.
    void Disconnect() noexcept;

    const ObjectRef& Target() const noexcept { return target_; }

private:
    ObjectRef target_;
    uint32_t cookie_ = 0;
};

}  // namespace quibor15
