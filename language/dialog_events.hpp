// The language dialog's connections to the events of its form and
// controls, as the form's WithEvents controls would have them.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "quibor15/object.hpp"

namespace quibor15 {

class DialogEvents {
public:
    using Handler = std::function<void(DispId id, std::span<Variant> args)>;

    DialogEvents();
    DialogEvents(const DialogEvents&) = delete;
    DialogEvents& operator=(const DialogEvents&) = delete;
    ~DialogEvents();

    // Passes every event `source` raises to `handler`, by-reference
    // arguments flowing back, until DisconnectAll.
    void Connect(const ObjectRef& source, Handler handler);
    // Disconnects every source; a source that still holds its sink can no
    // longer reach the handler. Never fails.
    void DisconnectAll() noexcept;

private:
    class Sink;
    struct Link {
        ObjectRef source;
        uint32_t cookie = 0;
        Ref<Sink> sink;
    };
    std::vector<Link> links_;
};

}  // namespace quibor15
