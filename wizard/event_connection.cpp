#include "wizard/event_connection.hpp"

#include <utility>

namespace quibor15 {

Variant ForwardingSink::Invoke(DispId id, uint16_t, std::span<Variant> args) {
    if (!handler_) return Variant();
    // The handler may detach this sink (its owner released from inside the
    // event); keep both alive for the call.
    SelfRef hold(this);
    Handler handler = handler_;
    handler(id, args);
    return Variant();
}

void EventConnection::Hold(ObjectRef target, const Ref<ForwardingSink>& sink) {
    uint32_t cookie = target ? target->Advise(ObjectRef(sink)) : 0;
    Disconnect();
    target_ = std::move(target);
    cookie_ = cookie;
}

void EventConnection::Disconnect() noexcept {
    ObjectRef old = std::exchange(target_, ObjectRef());
    uint32_t cookie = std::exchange(cookie_, 0);
    if (old && cookie != 0) {
        try {
            old->Unadvise(cookie);
        } catch (...) {
            // An object that fails to disconnect is released all the same.
        }
    }
}

}  // namespace quibor15
