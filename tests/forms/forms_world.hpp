// A staged world for the form utilities: a headless forms runtime (forms,
// controls, Screen, event loop, scripted user) and a simulated Windows that
// resolves the forms' window handles.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "forms/wui_runtime.hpp"
#include "frame/core/expect_error.hpp"
#include "platform/headless/headless_runtime.hpp"
#include "platform/sim/sim_windows.hpp"
#include "quibor15/context.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::testing {

// An event sink that hands every event to a function.
class EventHandler : public Object {
public:
    using Handler = std::function<void(DispId id, std::span<Variant> args)>;
    explicit EventHandler(Handler handler) : handler_(std::move(handler)) {}

    String TypeName() const override { return u"EventHandler"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    Variant Invoke(DispId id, uint16_t, std::span<Variant> args) override {
        handler_(id, args);
        return Variant();
    }

private:
    Handler handler_;
};

class FormsWorld : public ::testing::Test {
protected:
    FormsWorld() {
        windows->SetWindowResolver(runtime->WindowResolver());
        windows->SetTwipsPerPixel(15);
        runtime->SetScreen(1024, 768);
    }
    // A handler may hold its source (a control it works on): disconnecting
    // breaks that cycle, as a client of the runtime must.
    ~FormsWorld() override {
        for (auto& [source, cookie] : connections_) source->Unadvise(cookie);
    }

    // A form of the host at a position and size in twips.
    Ref<headless::Form> NewForm(double left = 0, double top = 0, double width = 4800, double height = 3600) {
        Ref<headless::Form> form = runtime->AddForm(u"frmHost" + DecimalText(static_cast<Long>(++form_count_)));
        form->Move(left, top, width, height);
        return form;
    }

    // Connects a handler to an object's events; it stays connected for the
    // test.
    void OnEvent(const ObjectRef& source, EventHandler::Handler handler) {
        const uint32_t cookie = source->Advise(ObjectRef(MakeRef<EventHandler>(std::move(handler))));
        connections_.emplace_back(source, cookie);
    }

    std::shared_ptr<headless::HeadlessRuntime> runtime = std::make_shared<headless::HeadlessRuntime>();
    std::shared_ptr<sim::SimWindows> windows = std::make_shared<sim::SimWindows>();
    ContextPtr context = std::make_shared<Context>(runtime, windows);
    Ref<clsQuiborWUIRunTimeA> wui = MakeRef<clsQuiborWUIRunTimeA>(context);

private:
    int form_count_ = 0;
    std::vector<std::pair<ObjectRef, uint32_t>> connections_;
};

}  // namespace quibor15::testing
