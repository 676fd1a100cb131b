// A host program for the wizard tests: a headless runtime with a form that
// holds a control array of frames, a wizard on it, and a log that records
// the wizard's events and the calls its buddy object receives, in order.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "frame/core/expect_error.hpp"
#include "platform/headless/headless_runtime.hpp"
#include "quibor15/collection.hpp"
#include "wizard/wizard.hpp"

namespace quibor15::wizard_test {

using headless::ControlArray;
using headless::ControlKind;
using headless::Form;
using headless::HeadlessRuntime;

// The wizard's events by DISPID, written out here so the tests check the
// numbers the wizard raises.
inline std::string EventNameOf(DispId id) {
    static const char* const kNames[] = {
        "?",
        "FirstFrameButtonClick",
        "PreviousFrameButtonClick",
        "NextFrameButtonClick",
        "LastFrameButtonClick",
        "CancelFrameButtonClick",
        "BeforeFrameShow",
        "AfterFrameShow",
        "TopPaneTitleClick",
        "TopPaneTitleDoubleClick",
        "TopPaneTitleMouseDown",
        "TopPaneTitleMouseMove",
        "TopPaneTitleMouseUp",
        "TopPaneMessageClick",
        "TopPaneMessageDoubleClick",
        "TopPaneMessageMouseDown",
        "TopPaneMessageMouseMove",
        "TopPaneMessageMouseUp",
        "TopPanePictureClick",
        "TopPanePictureDoubleClick",
        "TopPanePictureMouseDown",
        "TopPanePictureMouseMove",
        "TopPanePictureMouseUp",
        "TopPaneClick",
        "TopPaneDoubleClick",
        "TopPaneMouseDown",
        "TopPaneMouseMove",
        "TopPaneMouseUp",
        "BottomPaneClick",
        "BottomPaneDoubleClick",
        "BottomPaneMouseDown",
        "BottomPaneMouseMove",
        "BottomPaneMouseUp",
        "FinishFrameButtonClick",
    };
    if (id < 1 || id > 33) return "Unknown" + std::to_string(id);
    return kNames[id];
}

inline std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

// "Name(a,b)" with the arguments as the host sees them.
inline std::string Describe(const std::string& name, std::span<Variant> args) {
    std::string out = name + "(";
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) out += ",";
        out += Narrow(VariantToString(args[i].Deref()));
    }
    return out + ")";
}

using Log = std::vector<std::string>;
// What a handler does with an event or relay call (it may change the
// by-reference arguments); `name` is the event name without prefix.
using Reaction = std::function<void(const std::string& name, std::span<Variant> args)>;

// The host's event handler for the wizard's events.
class EventRecorder final : public Object {
public:
    EventRecorder(std::shared_ptr<Log> log, Reaction reaction) : log_(std::move(log)), reaction_(std::move(reaction)) {}

    String TypeName() const override { return u"EventRecorder"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    Variant Invoke(DispId id, uint16_t, std::span<Variant> args) override {
        std::string name = EventNameOf(id);
        if (reaction_) reaction_(name, args);
        log_->push_back(Describe(name, args));
        return Variant();
    }

private:
    std::shared_ptr<Log> log_;
    Reaction reaction_;
};

// A buddy object with relay methods, late bound by name. It logs
// "clsQuiborWizardA_Name(args)".
class Buddy final : public Object {
public:
    Buddy(std::shared_ptr<Log> log, Reaction reaction, std::set<std::string> missing = {})
        : log_(std::move(log)), reaction_(std::move(reaction)), missing_(std::move(missing)) {}

    String TypeName() const override { return u"Buddy"; }
    DispId GetIdOfName(std::u16string_view name) override {
        std::string wanted = Narrow(name);
        for (DispId id = 1; id <= 33; ++id) {
            std::string method = "clsQuiborWizardA_" + EventNameOf(id);
            if (missing_.count(EventNameOf(id))) continue;
            if (EqualsIgnoringCase(method, wanted)) return 100 + id;
        }
        return kDispIdUnknown;
    }
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (id <= 100 || !(flags & kInvokeMethod)) RaiseRuntimeError(rt::kMemberNotSupported);
        std::string name = EventNameOf(id - 100);
        if (reaction_) reaction_(name, args);
        log_->push_back(Describe("clsQuiborWizardA_" + name, args));
        return Variant();
    }

private:
    static bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    }

    std::shared_ptr<Log> log_;
    Reaction reaction_;
    std::set<std::string> missing_;
};

inline Variant Get(const ObjectRef& obj, std::u16string_view name) { return LateGet(obj, name); }
inline double GetNumber(const ObjectRef& obj, std::u16string_view name) { return VariantToDouble(LateGet(obj, name)); }
inline std::string GetText(const ObjectRef& obj, std::u16string_view name) {
    return Narrow(VariantToString(LateGet(obj, name)));
}
inline bool GetFlag(const ObjectRef& obj, std::u16string_view name) {
    return static_cast<bool>(VariantToBoolean(LateGet(obj, name)));
}

inline Ref<Collection> TextCollection(std::initializer_list<std::u16string_view> texts) {
    Ref<Collection> c = Collection::Create();
    for (auto t : texts) c->Add(Variant(String(t)));
    return c;
}

// A shown host form "frmSetup" with `frame_count` frames in the control
// array "fraStep", and a wizard holding both; the event recorder is
// connected.
class WizardWorld {
public:
    explicit WizardWorld(Integer frame_count = 6) {
        runtime = std::make_shared<HeadlessRuntime>();
        context = std::make_shared<Context>(runtime, nullptr);
        form = runtime->AddForm(u"frmSetup");
        frames = form->AddControlArray(ControlKind::Frame, u"fraStep", frame_count);
        form->Show();
        wizard = MakeRef<clsQuiborWizardA>(context);
        wizard->set_WindowObject(form);
        wizard->set_FrameObject(frames);
        wizard->let_MaxFrameIndex(static_cast<Integer>(frame_count - 1));
        recorder = MakeRef<EventRecorder>(log, [this](const std::string& name, std::span<Variant> args) {
            if (on_event) on_event(name, args);
        });
        cookie = wizard->Advise(recorder);
    }

    ~WizardWorld() {
        if (wizard) wizard->Unadvise(cookie);
    }

    headless::User& User() { return runtime->ScriptedUser(); }

    // A control the wizard added, by the name it gave it.
    ObjectRef Control(std::u16string_view name) const { return form->FindControl(name); }
    ObjectRef First() const { return Control(u"moFirstFrameButton"); }
    ObjectRef Previous() const { return Control(u"moPreviousFrameButton"); }
    ObjectRef Next() const { return Control(u"moNextFrameButton"); }
    ObjectRef Last() const { return Control(u"moLastFrameButton"); }
    ObjectRef Cancel() const { return Control(u"moCancelButton"); }

    ObjectRef Frame(Integer index) const { return ObjectRef(frames->Item(index)); }
    // The indexes of the frames on view.
    std::vector<int> VisibleFrames() const {
        std::vector<int> shown;
        for (const auto& element : frames->Elements())
            if (GetFlag(ObjectRef(element), u"Visible")) shown.push_back(element->Index());
        return shown;
    }

    Log TakeLog() { return std::exchange(*log, Log{}); }

    std::shared_ptr<HeadlessRuntime> runtime;
    ContextPtr context;
    Ref<Form> form;
    Ref<ControlArray> frames;
    Ref<clsQuiborWizardA> wizard;
    std::shared_ptr<Log> log = std::make_shared<Log>();
    Reaction on_event;
    Ref<EventRecorder> recorder;
    uint32_t cookie = 0;
};

}  // namespace quibor15::wizard_test
