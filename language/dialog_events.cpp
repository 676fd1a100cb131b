#include "language/dialog_events.hpp"

#include <utility>

namespace quibor15 {

class DialogEvents::Sink final : public Object {
public:
    explicit Sink(Handler handler) : handler_(std::move(handler)) {}

    void Detach() noexcept { handler_ = nullptr; }

    String TypeName() const override { return u"EventSink"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    // A handler's error goes back to the control that raised the event.
    Variant Invoke(DispId id, uint16_t, std::span<Variant> args) override {
        if (!handler_) return Variant();
        SelfRef hold(this);
        Handler handler = handler_;  // the handler may disconnect this sink
        handler(id, args);
        return Variant();
    }

private:
    Handler handler_;
};

DialogEvents::DialogEvents() = default;

DialogEvents::~DialogEvents() { DisconnectAll(); }

void DialogEvents::Connect(const ObjectRef& source, Handler handler) {
    if (!source) RaiseRuntimeError(rt::kObjectNotSet);
    auto sink = MakeRef<Sink>(std::move(handler));
    const uint32_t cookie = source->Advise(ObjectRef(sink));
    links_.push_back(Link{source, cookie, std::move(sink)});
}

void DialogEvents::DisconnectAll() noexcept {
    std::vector<Link> links = std::exchange(links_, {});
    for (Link& link : links) {
        link.sink->Detach();
        try {
            if (link.cookie != 0) link.source->Unadvise(link.cookie);
        } catch (...) {
            // A source that fails to disconnect can no longer reach us anyway.
        }
    }
}

}  // namespace quibor15
