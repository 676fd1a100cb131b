// Forms, User and Sim: the headless world as scripts see it.
#include <memory>

#include "host/script/host_object.hpp"
#include "host/script/text.hpp"
#include "host/world.hpp"
#include "platform/headless/picture_writer.hpp"

namespace quibor15::host {

namespace {

using script::HostObject;

Variant TextArray(const std::vector<String>& texts) {
    SafeArray a = SafeArray::OneDim(VarType::Variant, 0, static_cast<int32_t>(texts.size()) - 1);
    for (size_t i = 0; i < texts.size(); ++i) a.At(static_cast<int32_t>(i)) = Variant(texts[i]);
    return Variant(std::move(a));
}

String Join(const std::vector<String>& parts, char16_t separator) {
    String out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += separator;
        out += parts[i];
    }
    return out;
}

const Variant& Arg(std::span<Variant> args, size_t i) { return args[i].Deref(); }

ObjectRef ObjectArg(std::span<Variant> args, size_t i) {
    const Variant& v = Arg(args, i);
    if (!v.IsObject()) RaiseRuntimeError(rt::kObjectRequired);
    ObjectRef obj = *v.As<ObjectRef>();
    if (!obj) RaiseRuntimeError(rt::kObjectNotSet);
    return obj;
}

class FormEnumerator : public Enumerator {
public:
    explicit FormEnumerator(std::vector<Ref<headless::Form>> forms) : forms_(std::move(forms)) {}
    bool Next(Variant& item) override {
        if (next_ >= forms_.size()) return false;
        item = Variant(ObjectRef(forms_[next_++]));
        return true;
    }
    void Reset() override { next_ = 0; }

private:
    std::vector<Ref<headless::Form>> forms_;
    size_t next_ = 0;
};

// Forms.Add(name), Forms.Count, Forms(i): the host program's forms.
class FormsObject : public HostObject {
public:
    explicit FormsObject(World& world) : runtime_(world.RuntimePtr()), host_forms_(world.HostForms()) {}

    String TypeName() const override { return u"Forms"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (!IsGet(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
        switch (id) {
            case kItem: {
                ExpectArgs(args, 1, 1);
                const Long i = VariantToLong(Arg(args, 0));
                const std::vector<Ref<headless::Form>> forms = runtime_->Forms();
                if (i < 0 || static_cast<size_t>(i) >= forms.size()) RaiseRuntimeError(rt::kSubscriptOutOfRange);
                return Variant(ObjectRef(forms[static_cast<size_t>(i)]));
            }
            case kCount:
                ExpectArgs(args, 0, 0);
                return Variant(static_cast<Long>(runtime_->Forms().size()));
            case kAdd: {
                // A loaded form of the host program, as a form with that name
                // would be after Load.
                ExpectArgs(args, 1, 1);
                Ref<headless::Form> form = runtime_->AddForm(VariantToString(Arg(args, 0)));
                host_forms_->push_back(form);
                form->Load();
                return Variant(ObjectRef(form));
            }
            case kDispIdNewEnum:
                return Variant(ObjectRef(MakeRef<FormEnumerator>(runtime_->Forms())));
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId { kItem = kDispIdValue, kCount = 1, kAdd = 2 };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"Item", kItem}, {u"Count", kCount}, {u"Add", kAdd}, {u"_NewEnum", kDispIdNewEnum}};
        return kMembers;
    }

    std::shared_ptr<headless::HeadlessRuntime> runtime_;
    std::shared_ptr<World::FormList> host_forms_;
};

// User: the person at the screen.
class UserObject : public HostObject {
public:
    // Without an interpreter (a C++ program), OnModal has no Subs to name.
    UserObject(World& world, script::Interpreter* interp)
        : runtime_(world.RuntimePtr()), interp_(interp), alive_(interp ? interp->AliveToken() : nullptr) {}

    ~UserObject() override {
        if (hooked_) {
            runtime_->ScriptedUser().OnModal(nullptr);
            runtime_->ScriptedUser().OnMessageBox(nullptr);
        }
    }

    String TypeName() const override { return u"User"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (!IsGet(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
        headless::User& user = runtime_->ScriptedUser();
        switch (id) {
            case kClick:
                ExpectArgs(args, 1, 1);
                return Done(user.Click(ObjectArg(args, 0)));
            case kDblClick:
                ExpectArgs(args, 1, 1);
                return Done(user.DblClick(ObjectArg(args, 0)));
            case kMouseDown:
            case kMouseMove:
            case kMouseUp: {
                ExpectArgs(args, 1, 5);
                ObjectRef target = ObjectArg(args, 0);
                const Integer button = Given(args, 1) ? VariantToInteger(Arg(args, 1)) : Integer{1};
                const Integer shift = Given(args, 2) ? VariantToInteger(Arg(args, 2)) : Integer{0};
                const Single x = Given(args, 3) ? VariantToSingle(Arg(args, 3)) : Single{0};
                const Single y = Given(args, 4) ? VariantToSingle(Arg(args, 4)) : Single{0};
                if (id == kMouseDown) return Done(user.MouseDown(target, button, shift, x, y));
                if (id == kMouseMove) return Done(user.MouseMove(target, button, shift, x, y));
                return Done(user.MouseUp(target, button, shift, x, y));
            }
            case kKeyDown:
            case kKeyUp:
            case kPress: {
                ExpectArgs(args, 2, 3);
                ObjectRef target = ObjectArg(args, 0);
                const Integer key = VariantToInteger(Arg(args, 1));
                const Integer shift = Given(args, 2) ? VariantToInteger(Arg(args, 2)) : Integer{0};
                if (id == kKeyDown) return Done(user.KeyDown(target, key, shift));
                if (id == kKeyUp) return Done(user.KeyUp(target, key, shift));
                return Done(user.Press(target, key, shift));
            }
            case kKeyPress:
                ExpectArgs(args, 2, 2);
                return Done(user.KeyPress(ObjectArg(args, 0), VariantToInteger(Arg(args, 1))));
            case kType:
                ExpectArgs(args, 2, 2);
                return Done(user.Type(ObjectArg(args, 0), VariantToString(Arg(args, 1))));
            case kSelect:
                ExpectArgs(args, 2, 2);
                return Done(user.Select(ObjectArg(args, 0), VariantToInteger(Arg(args, 1))));
            case kFocus:
                ExpectArgs(args, 1, 1);
                return Done(user.Focus(ObjectArg(args, 0)));
            case kClose:
                ExpectArgs(args, 1, 1);
                return Done(user.Close(ObjectArg(args, 0)));
            case kOnModal:
                ExpectArgs(args, 1, 1);
                OnModal(VariantToString(Arg(args, 0)));
                return Variant();
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId {
        kClick = 1,
        kDblClick,
        kMouseDown,
        kMouseMove,
        kMouseUp,
        kKeyDown,
        kKeyUp,
        kKeyPress,
        kType,
        kPress,
        kSelect,
        kFocus,
        kClose,
        kOnModal,
    };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"Click", kClick},     {u"DblClick", kDblClick}, {u"MouseDown", kMouseDown}, {u"MouseMove", kMouseMove},
            {u"MouseUp", kMouseUp}, {u"KeyDown", kKeyDown},   {u"KeyUp", kKeyUp},         {u"KeyPress", kKeyPress},
            {u"Type", kType},       {u"Press", kPress},       {u"Select", kSelect},       {u"Focus", kFocus},
            {u"Close", kClose},     {u"OnModal", kOnModal},
        };
        return kMembers;
    }

    static Variant Done(bool reached) { return Variant(Boolean::From(reached)); }

    // While a modal dialog or message box is open the Sub gets the dialog's
    // form or the box's prompt; a Function's numeric result answers the box
    // (OK otherwise). An empty name removes the handler.
    void OnModal(const String& name) {
        headless::User& user = runtime_->ScriptedUser();
        if (!interp_) {
            RaiseRuntimeError(rt::kInvalidProcedureCall,
                              u"User.OnModal names a Sub of a script; a program passes a function to OnModal");
        }
        if (name.empty()) {
            user.OnModal(nullptr);
            user.OnMessageBox(nullptr);
            return;
        }
        const script::ProcInfo* proc = interp_->FindGlobalProc(name);
        if (!proc) RaiseRuntimeError(rt::kInvalidProcedureCall, u"There is no Sub named '" + name + u"'");
        script::Interpreter* interp = interp_;
        std::shared_ptr<bool> alive = alive_;
        user.OnModal([interp, alive, proc](const Ref<headless::Form>& form) {
            if (!*alive) return;
            Variant args[1] = {Variant(ObjectRef(form))};
            interp->CallFromOutside(*proc, args, nullptr);
        });
        user.OnMessageBox([interp, alive, proc](const headless::MessageBoxCall& box) -> int32_t {
            if (!*alive) return 1;
            Variant args[1] = {Variant(box.prompt)};
            const Variant answer = interp->CallFromOutside(*proc, args, nullptr);
            if (answer.IsNumber()) return VariantToLong(answer);
            return 1;
        });
        hooked_ = true;
    }

    std::shared_ptr<headless::HeadlessRuntime> runtime_;
    script::Interpreter* interp_;
    std::shared_ptr<bool> alive_;
    bool hooked_ = false;
};

// Sim: sets up and reads the simulated Windows.
class SimObject : public HostObject {
public:
    explicit SimObject(World& world)
        : runtime_(world.RuntimePtr()), windows_(world.WindowsPtr()), locales_(world.LocalesPtr()) {}

    String TypeName() const override { return u"Sim"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (IsPut(flags)) return Put(id, args);
        if (!IsGet(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
        sim::SimWindows& win = *windows_;
        switch (id) {
            case kSystemLcid:
                ExpectArgs(args, 0, 0);
                return Variant(static_cast<Long>(locales_->SystemDefaultLcid()));
            case kVersionFails:
                ExpectArgs(args, 0, 0);
                return Variant(Boolean::From(version_fails_));
            case kClock:
                ExpectArgs(args, 0, 0);
                return Variant(runtime_->SecondsSinceMidnight());
            case kSetVersion: {
                ExpectArgs(args, 3, 5);
                win.SetVersion(Unsigned(args, 0), Unsigned(args, 1), Unsigned(args, 2),
                               Given(args, 3) ? Unsigned(args, 3) : 0,
                               Given(args, 4) ? VariantToString(Arg(args, 4)) : String());
                return Variant();
            }
            case kSetScreen: {
                ExpectArgs(args, 2, 4);
                const double width = VariantToDouble(Arg(args, 0));
                const double height = VariantToDouble(Arg(args, 1));
                const double tx = Given(args, 2) ? VariantToDouble(Arg(args, 2)) : 15.0;
                const double ty = Given(args, 3) ? VariantToDouble(Arg(args, 3)) : tx;
                if (!(tx > 0) || !(ty > 0) || !(width > 0) || !(height > 0)) {
                    RaiseRuntimeError(rt::kInvalidProcedureCall);
                }
                runtime_->SetScreen(ToLong(width / tx), ToLong(height / ty), tx, ty);
                win.SetTwipsPerPixel(tx);
                // The monitor follows the screen until the script lays out
                // monitors of its own.
                if (!monitors_staged_) MatchPrimaryMonitor(win, *runtime_);
                return Variant();
            }
            case kClearMonitors:
                ExpectArgs(args, 0, 0);
                win.ClearMonitors();
                monitors_staged_ = true;
                return Variant();
            case kAddMonitor: {
                if (args.size() != 4 && args.size() != 8) RaiseRuntimeError(rt::kWrongArgumentCount);
                const Rect rect = RectArg(args, 0);
                const Rect work = args.size() == 8 ? RectArg(args, 4) : rect;
                monitors_staged_ = true;
                return Variant(static_cast<Long>(win.AddMonitor(rect, work)));
            }
            case kMciReply: {
                ExpectArgs(args, 2, 3);
                win.SetMciReply(VariantToString(Arg(args, 0)), VariantToString(Arg(args, 1)),
                                Given(args, 2) ? Unsigned(args, 2) : 0);
                return Variant();
            }
            case kMciLog:
                ExpectArgs(args, 0, 0);
                return TextArray(win.MciCommands());
            case kMessageBoxes: {
                ExpectArgs(args, 0, 0);
                std::vector<String> boxes;
                for (const headless::MessageBoxCall& box : runtime_->ScriptedUser().MessageBoxes()) {
                    boxes.push_back(box.title + u"|" + box.prompt + u"|" + DecimalText(static_cast<Long>(box.flags)));
                }
                return TextArray(boxes);
            }
            case kRecentDocuments:
                ExpectArgs(args, 0, 0);
                return TextArray(win.RecentDocuments());
            case kShellLog: {
                ExpectArgs(args, 0, 0);
                std::vector<String> calls;
                for (const sim::CallRecord& call : win.Calls(u"ShellExecuteA")) calls.push_back(Join(call.args, u'|'));
                return TextArray(calls);
            }
            case kClearLogs:
                ExpectArgs(args, 0, 0);
                win.ClearLog();
                runtime_->Desk().ClearMessageBoxes();
                return Variant();
            case kSnapshot: {
                // Sim.Snapshot form, "file.png": the form as the screen shows it.
                ExpectArgs(args, 2, 2);
                const ObjectRef target = ObjectArg(args, 0);
                auto* form = dynamic_cast<headless::Form*>(target.Get());
                if (!form) RaiseRuntimeError(rt::kTypeMismatch);
                headless::WriteFormPicture(*form, script::ToUtf8(VariantToString(Arg(args, 1))));
                return Variant();
            }
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId {
        kSystemLcid = 1,
        kSetVersion,
        kVersionFails,
        kSetScreen,
        kClearMonitors,
        kAddMonitor,
        kMciReply,
        kMciLog,
        kMessageBoxes,
        kRecentDocuments,
        kShellLog,
        kClearLogs,
        kClock,
        kSnapshot,
    };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"SystemLCID", kSystemLcid},
            {u"SetVersion", kSetVersion},
            {u"VersionFails", kVersionFails},
            {u"SetScreen", kSetScreen},
            {u"ClearMonitors", kClearMonitors},
            {u"AddMonitor", kAddMonitor},
            {u"MciReply", kMciReply},
            {u"MciLog", kMciLog},
            {u"MessageBoxes", kMessageBoxes},
            {u"RecentDocuments", kRecentDocuments},
            {u"ShellLog", kShellLog},
            {u"ClearLogs", kClearLogs},
            {u"Clock", kClock},
            {u"Snapshot", kSnapshot},
        };
        return kMembers;
    }

    Variant Put(DispId id, std::span<Variant> args) {
        ExpectArgs(args, 1, 1);
        switch (id) {
            case kSystemLcid: {
                const Long lcid = VariantToLong(Arg(args, 0));
                if (!locales_->IsInstalled(lcid)) RaiseRuntimeError(rt::kInvalidProcedureCall);
                locales_->SetSystemDefaultLcid(lcid);
                return Variant();
            }
            case kVersionFails:
                version_fails_ = VariantToBoolean(Arg(args, 0)).raw != 0;
                windows_->SetVersionFails(version_fails_);
                return Variant();
            case kClock:
                runtime_->SetClock(VariantToDouble(Arg(args, 0)));
                return Variant();
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

    static uint32_t Unsigned(std::span<Variant> args, size_t i) {
        const Long v = VariantToLong(Arg(args, i));
        if (v < 0) RaiseRuntimeError(rt::kInvalidProcedureCall);
        return static_cast<uint32_t>(v);
    }
    static Rect RectArg(std::span<Variant> args, size_t first) {
        return Rect{VariantToLong(Arg(args, first)), VariantToLong(Arg(args, first + 1)),
                    VariantToLong(Arg(args, first + 2)), VariantToLong(Arg(args, first + 3))};
    }

    std::shared_ptr<headless::HeadlessRuntime> runtime_;
    std::shared_ptr<sim::SimWindows> windows_;
    std::shared_ptr<icu_backend::IcuLocaleDatabase> locales_;
    bool version_fails_ = false;
    bool monitors_staged_ = false;  // ClearMonitors or AddMonitor was called
};

}  // namespace

ObjectRef MakeFormsObject(World& world) { return ObjectRef(MakeRef<FormsObject>(world)); }
ObjectRef MakeUserObject(World& world, script::Interpreter& interp) {
    return ObjectRef(MakeRef<UserObject>(world, &interp));
}
ObjectRef MakeUserObject(World& world) { return ObjectRef(MakeRef<UserObject>(world, nullptr)); }
ObjectRef MakeSimObject(World& world) { return ObjectRef(MakeRef<SimObject>(world)); }

}  // namespace quibor15::host
