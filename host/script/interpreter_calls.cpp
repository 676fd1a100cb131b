// Calls into procedures, script objects, the world's objects and built-ins.

#include "host/script/interpreter_impl.hpp"

namespace quibor15::script {

// ---------------------------------------------------------------- calls

Variant Interpreter::CallProc(const ProcInfo& proc, std::span<Variant> args, ScriptObject* me) {
    DepthGuard depth(depth_);
    CheckStack();
    const ProcDecl& decl = *proc.decl;
    if (args.size() != decl.params.size()) RaiseScriptError(rt::kWrongArgumentCount, decl.name);
    ObjectRef keep;
    if (me && !me->Terminating()) keep = ObjectRef(me);
    Frame fr;
    struct Current {
        Frame*& frame;
        Frame* saved;
        ~Current() { frame = saved; }
    } current{frame_, frame_};
    frame_ = &fr;
    fr.proc = &proc;
    fr.me = me;
    fr.slots.resize(proc.slot_count);
    for (size_t i = 0; i < decl.params.size(); ++i) {
        Variant& a = args[i];
        if (decl.params[i].by_val)
            fr.slots[i] = Copy(a);
        else
            fr.slots[i] = Variant::ByRef(a);
    }
    const SourcePos saved = pos_;
    for (const auto& [slot, c] : proc.constants) {
        pos_ = c->pos;
        fr.slots[slot] = EvalLet(*c->value, fr);
    }
    for (const auto& [slot, v] : proc.arrays) {
        pos_ = v->pos;
        fr.slots[slot] = Variant(NewArray(v->bounds, fr));
    }
    ExecBlock(decl.body, fr);
    pos_ = saved;
    if (proc.result_slot < 0) return Variant();
    return Copy(fr.slots[static_cast<size_t>(proc.result_slot)]);
}

Variant Interpreter::CallFromOutside(const ProcInfo& proc, std::span<Variant> args, ScriptObject* me) {
    return FromOutside([&] { return CallProc(proc, args, me); });
}

Variant Interpreter::InvokeObject(const ObjectRef& obj, const Expr& member, uint16_t flags, std::span<Variant> args) {
    pos_ = member.pos;
    if (!obj) RaiseScriptError(rt::kObjectNotSet);
    DispId id = kDispIdUnknown;
    try {
        id = obj->GetIdOfName(member.name);
    } catch (ScriptError&) {
        throw;
    } catch (const AutomationError& e) {
        throw ScriptError(e.Number(), e.Source(), e.Description());
    }
    if (id == kDispIdUnknown) {
        std::optional<Variant> extra;
        try {
            extra = host_.ExtraMember(obj, member.name, flags, args);
        } catch (ScriptError&) {
            throw;
        } catch (const AutomationError& e) {
            ScriptError se(e.Number(), e.Source(), e.Description());
            se.SetPos(member.pos);
            throw se;
        }
        ForgetFormat();
        if (extra) return std::move(*extra);
        RaiseScriptError(rt::kMemberNotSupported, member.name);
    }
    if (args.empty() || (flags & kInvokePropertyPut && args.size() == 1) ||
        (flags & kInvokePropertyPutRef && args.size() == 1)) {
        return InvokeDispatch(obj, id, flags, args);
    }
    // obj.Items(1) where Items takes no arguments means obj.Items()(1): the
    // arguments go to the default member of what the property returns.
    const uint16_t get = kInvokeMethod | kInvokePropertyGet;
    if (auto* script_obj = dynamic_cast<ScriptObject*>(obj.Get())) {
        if (TakesNoArguments(*script_obj, id, flags)) {
            return ApplyToDefault(InvokeDispatch(obj, id, get, {}), member, flags, args);
        }
        return InvokeDispatch(obj, id, flags, args);
    }
    std::unique_ptr<ScriptError> refused;
    try {
        return InvokeDispatch(obj, id, flags, args);
    } catch (ScriptError& e) {
        if (e.Number() != rt::kWrongArgumentCount || e.Source() == kRuntimeErrorSource) throw;
        refused = std::make_unique<ScriptError>(e);
    }
    // Only a member that reads without arguments, giving an object or an
    // array, takes them this way; otherwise the first refusal stands.
    Variant value;
    try {
        value = InvokeDispatch(obj, id, get, {});
    } catch (const ScriptError&) {
        if (fatal_) throw FatalSignal{};
        throw *refused;
    }
    if (!value.IsArray() && !(value.IsObject() && value.As<ObjectRef>()->Get())) throw *refused;
    return ApplyToDefault(value, member, flags, args);
}

bool Interpreter::TakesNoArguments(const ScriptObject& obj, DispId id, uint16_t flags) const {
    const ClassInfo& cls = obj.Class();
    const int index = id == kDispIdValue ? cls.default_member : id - 1;
    if (index < 0 || index >= static_cast<int>(cls.members.size())) return false;
    const MemberInfo& m = cls.members[index];
    if (m.field >= 0) return false;  // a field indexes or calls its value itself
    // Only a Property Get without parameters passes arguments on; a Sub or
    // Function given too many is refused before it runs.
    if (!m.get || !m.get->decl->params.empty()) return false;
    if (flags & (kInvokePropertyPut | kInvokePropertyPutRef)) {
        const ProcInfo* setter = (flags & kInvokePropertyPutRef) ? (m.set ? m.set : m.let) : (m.let ? m.let : m.set);
        return !setter || setter->decl->params.size() == 1;
    }
    return true;
}

Variant Interpreter::ApplyToDefault(const Variant& value, const Expr& member, uint16_t flags, std::span<Variant> args) {
    pos_ = member.pos;
    if (const SafeArray* a = value.Array(); a && !(flags & (kInvokePropertyPut | kInvokePropertyPutRef))) {
        return IndexValue(value, args, member);
    }
    const ObjectRef* obj = value.As<ObjectRef>();
    if (!obj) RaiseScriptError(rt::kWrongArgumentCount, member.name);
    if (!*obj) RaiseScriptError(rt::kObjectNotSet);
    ObjectRef hold = *obj;
    return InvokeDispatch(hold, kDispIdValue, flags, args);
}

Variant Interpreter::InvokeDispatch(const ObjectRef& obj, DispId id, uint16_t flags, std::span<Variant> args) {
    const SourcePos saved = pos_;
    ObjectRef hold = obj;
    Variant result;
    try {
        calling_script_object_ = dynamic_cast<ScriptObject*>(hold.Get()) || dynamic_cast<ProcedureObject*>(hold.Get());
        result = hold->Invoke(id, flags, args);
        calling_script_object_ = false;
    } catch (ScriptError&) {
        calling_script_object_ = false;
        ForgetFormat();
        if (fatal_) throw FatalSignal{};
        throw;
    } catch (const AutomationError& e) {
        calling_script_object_ = false;
        ForgetFormat();
        if (fatal_) throw FatalSignal{};
        ScriptError se(e.Number(), e.Source(), e.Description());
        se.SetPos(saved);
        throw se;
    }
    ForgetFormat();
    pos_ = saved;
    if (quitting_) throw QuitRequest{quit_code_};
    if (fatal_) throw FatalSignal{};
    if (result.IsByRef()) return Copy(result);
    return result;
}

Variant Interpreter::InvokeMember(ScriptObject& me, const MemberInfo& m, uint16_t flags, std::span<Variant> args) {
    if (m.field >= 0) {
        Variant& field = me.Field(static_cast<uint32_t>(m.field));
        if (flags & (kInvokePropertyPut | kInvokePropertyPutRef)) {
            if (m.is_constant) RaiseScriptError(se::kIllegalAssignment, m.name);
            if (args.empty()) RaiseScriptError(rt::kWrongArgumentCount, m.name);
            Variant value = Copy(args.back());
            const bool is_set = (flags & kInvokePropertyPutRef) != 0;
            if (args.size() == 1) {
                AssignTo(field, std::move(value), is_set);
                return Variant();
            }
            std::span<Variant> index = args.first(args.size() - 1);
            if (SafeArray* a = field.Deref().Array()) {
                std::vector<int32_t> indices;
                for (Variant& i : index) indices.push_back(VariantToLong(Plain(Copy(i)), Format()));
                AssignTo(a->At(indices), std::move(value), is_set);
                return Variant();
            }
            if (const ObjectRef* obj = field.Deref().As<ObjectRef>(); obj && *obj) {
                ObjectRef hold = *obj;
                return InvokeDispatch(hold, kDispIdValue, flags, args);
            }
            RaiseScriptError(rt::kTypeMismatch, m.name);
        }
        if (args.empty()) return Copy(field);
        Expr where;
        where.kind = ExprKind::Name;
        where.name = m.name;
        where.pos = pos_;
        return IndexValue(field, args, where);
    }
    const ProcInfo* proc = nullptr;
    if (flags & kInvokePropertyPutRef)
        proc = m.set ? m.set : m.let;
    else if (flags & kInvokePropertyPut)
        proc = m.let ? m.let : m.set;
    else
        proc = m.get ? m.get : m.method;
    if (!proc) RaiseScriptError(rt::kMemberNotSupported, m.name);
    return CallProc(*proc, args, &me);
}

Variant Interpreter::CallBuiltin(const Builtin& builtin, const Expr& name, std::span<Variant> args) {
    const Builtin* b = &builtin;
    pos_ = name.pos;
    const int n = static_cast<int>(args.size());
    if (n < b->min_args || n > b->max_args) RaiseScriptError(rt::kWrongArgumentCount, b->name);
    const SourcePos saved = pos_;
    Variant result = b->call(*this, args);
    pos_ = saved;
    return result;
}

}  // namespace quibor15::script
