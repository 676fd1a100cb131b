// Test helpers: a sink that writes every event it receives into a shared
// log ("cmdNext.Click(0)") and may act on the event's arguments, and a way
// to expect an automation error by number.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_runtime.hpp"
#include "quibor15/convert.hpp"

namespace quibor15::headless::testing {

inline std::string Narrow(const String& s) {
    std::string out;
    for (char16_t c : s) out.push_back(c < 128 ? static_cast<char>(c) : '?');
    return out;
}

using Log = std::vector<std::string>;

class LogSink final : public Object {
public:
    using Handler = std::function<void(const std::string& event, std::span<Variant> args)>;

    // The source is not held: it holds the sink, and only it calls the sink.
    LogSink(std::shared_ptr<Log> log, std::string label, Object* source, Handler handler = {})
        : log_(std::move(log)), label_(std::move(label)), source_(source), handler_(std::move(handler)) {}

    String TypeName() const override { return u"LogSink"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    Variant Invoke(DispId id, uint16_t, std::span<Variant> args) override {
        std::string event = Narrow(source_->EventName(id));
        std::string entry = label_ + "." + event;
        if (!args.empty()) {
            entry += "(";
            for (size_t i = 0; i < args.size(); ++i) {
                if (i) entry += ",";
                entry += Narrow(VariantToString(args[i].Deref()));
            }
            entry += ")";
        }
        log_->push_back(entry);
        if (handler_) handler_(event, args);
        return Variant();
    }

private:
    std::shared_ptr<Log> log_;
    std::string label_;
    Object* source_;
    Handler handler_;
};

// Connects a logging sink to `source`; the sink stays connected for the
// source's lifetime.
inline void Listen(const ObjectRef& source, std::shared_ptr<Log> log, std::string label,
                   LogSink::Handler handler = {}) {
    source->Advise(MakeRef<LogSink>(std::move(log), std::move(label), source.Get(), std::move(handler)));
}

// Runs f and answers the number of the automation error it raised (0 when
// it raised none).
template <class F>
int32_t ErrorNumberOf(F&& f) {
    try {
        f();
    } catch (const AutomationError& e) {
        return e.Number();
    }
    return 0;
}

template <class F>
String ErrorDescriptionOf(F&& f) {
    try {
        f();
    } catch (const AutomationError& e) {
        return e.Description();
    }
    return String();
}

}  // namespace quibor15::headless::testing
