// The objects a script's classes make, and the sinks for the world's events.

#include "host/script/interpreter_impl.hpp"

namespace quibor15::script {

// ---------------------------------------------------------------- objects

ScriptObject::ScriptObject(Interpreter& interp, std::shared_ptr<const ClassInfo> cls,
                           std::shared_ptr<const Program> program)
    : interp_(interp), alive_(interp.AliveToken()), program_(std::move(program)), cls_(std::move(cls)) {
    fields_.resize(cls_->field_count);
}

ScriptObject::~ScriptObject() {
    if (!*alive_) return;
    if (cls_->terminate) {
        terminating_ = true;
        try {
            interp_.CallProc(*cls_->terminate, {}, this);
        } catch (...) {
            // Class_Terminate cannot report a failure: the object is going.
        }
    }
    interp_.Bury(std::move(fields_));
}

// Releasing a long chain of objects (a linked list of ten thousand nodes)
// would nest one destructor inside the next; the fields go into a queue
// that the outermost release empties instead.
void Interpreter::Bury(std::deque<Variant>&& fields) {
    buried_.push_back(std::move(fields));
    if (burying_) return;
    burying_ = true;
    while (!buried_.empty()) {
        std::deque<Variant> next = std::move(buried_.back());
        buried_.pop_back();
        next.clear();
    }
    burying_ = false;
}

String ScriptObject::TypeName() const { return cls_->decl->name; }

DispId ScriptObject::GetIdOfName(std::u16string_view name) {
    auto it = cls_->member_of.find(NameKey(name));
    if (it == cls_->member_of.end() || !cls_->members[it->second].is_public) return kDispIdUnknown;
    return ClassInfo::IdOf(it->second);
}

Variant ScriptObject::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    if (!*alive_) throw AutomationError(rt::kActionNotSupported, kRuntimeErrorSource, u"The script has ended");
    int index = id == kDispIdValue ? cls_->default_member : id - 1;
    if (index < 0 || index >= static_cast<int>(cls_->members.size()) || !cls_->members[index].is_public) {
        RaiseScriptError(rt::kMemberNotSupported);
    }
    SelfRef hold(this);
    const MemberInfo& member = cls_->members[index];
    if (std::exchange(interp_.calling_script_object_, false)) return interp_.InvokeMember(*this, member, flags, args);
    return interp_.FromOutside([&] { return interp_.InvokeMember(*this, member, flags, args); });
}

// Calls the script's Sub prefix + EventName for each event of its source.
class EventSink : public Object {
public:
    EventSink(Interpreter& interp, Object* source, String prefix)
        : interp_(interp), alive_(interp.AliveToken()), source_(source), prefix_(std::move(prefix)) {}

    String TypeName() const override { return u"EventSink"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    Variant Invoke(DispId id, uint16_t, std::span<Variant> args) override {
        if (!*alive_) return Variant();
        const String name = source_->EventName(id);
        if (name.empty()) return Variant();
        const ProcInfo* proc = interp_.FindGlobalProc(prefix_ + name);
        if (!proc) return Variant();
        return interp_.CallFromOutside(*proc, args, nullptr);
    }

private:
    Interpreter& interp_;
    std::shared_ptr<bool> alive_;
    // The object whose events arrive here; it holds this sink, so it lives
    // as long as it can call.
    Object* source_;
    String prefix_;
};

ObjectRef Interpreter::MakeEventSink(const ObjectRef& source, std::u16string_view prefix) {
    return ObjectRef(MakeRef<EventSink>(*this, source.Get(), String(prefix)));
}

}  // namespace quibor15::script
