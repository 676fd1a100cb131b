#include "host/script/interpreter.hpp"

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <new>

#include "host/script/interpreter_impl.hpp"
#include "host/script/wscript.hpp"

namespace quibor15::script {

// ---------------------------------------------------------------- setup

Interpreter::Interpreter(std::shared_ptr<const Program> program, ScriptHost& host)
    : program_(std::move(program)), host_(host), alive_(std::make_shared<bool>(true)) {
    NewGeneration();
    Prepare();
    err_ = MakeErrObject(*this);
}

Interpreter::~Interpreter() {
    *alive_ = false;
    // Objects of the script still held by the world keep their fields but
    // can no longer run code.
    global_slots_.clear();
}

void Interpreter::NewGeneration() noexcept {
    static std::atomic<uint64_t> last{0};
    generation_ = last.fetch_add(1, std::memory_order_relaxed) + 1;
}

void Interpreter::Prepare() {
    for (const auto& cls : program_->classes) PrepareClass(*cls);
    for (const auto& proc : program_->procs) {
        procs_.push_back(PrepareProc(*proc, nullptr));
        GlobalEntry entry;
        entry.kind = GlobalKind::Proc;
        entry.proc = procs_.back().get();
        globals_[proc->key] = entry;
        NewGeneration();
    }
    DeclareGlobals();
}

std::unique_ptr<ProcInfo> Interpreter::PrepareProc(const ProcDecl& decl, const ClassInfo* owner) {
    auto info = std::make_unique<ProcInfo>();
    info->decl = &decl;
    info->owner = owner;
    uint32_t next = 0;
    for (const Param& p : decl.params) info->slot_of[p.key] = next++;
    if (decl.kind == ProcKind::Function || decl.kind == ProcKind::PropertyGet) {
        info->result_slot = static_cast<int>(next);
        info->slot_of[decl.key] = next++;
    }
    info->is_fixed_array.assign(next, false);
    for (const VarDecl* v : decl.locals) {
        info->slot_of[v->key] = next;
        if (v->is_array) info->arrays.emplace_back(next, v);
        info->is_fixed_array.push_back(v->is_array && !v->bounds.empty());
        ++next;
    }
    info->is_constant.assign(next, false);
    for (const ConstDecl* c : decl.constants) {
        info->slot_of[c->key] = next;
        info->constants.emplace_back(next, c);
        info->is_constant.push_back(true);
        info->is_fixed_array.push_back(false);
        ++next;
    }
    info->slot_count = next;
    return info;
}

void Interpreter::PrepareClass(const ClassDecl& decl) {
    auto cls = std::make_shared<ClassInfo>();
    cls->decl = &decl;
    auto add_member = [&cls](const String& key, const String& name, bool is_public) -> MemberInfo& {
        auto [it, inserted] = cls->member_of.try_emplace(key, static_cast<uint32_t>(cls->members.size()));
        if (inserted) {
            MemberInfo m;
            m.name = name;
            m.is_public = is_public;
            cls->members.push_back(std::move(m));
        }
        return cls->members[it->second];
    };
    for (const FieldDecl& f : decl.fields) {
        MemberInfo& m = add_member(f.var.key, f.var.name, f.is_public);
        m.field = static_cast<int>(cls->field_count);
        m.is_fixed_array = f.var.is_array && !f.var.bounds.empty();
        if (f.var.is_array) cls->field_arrays.emplace_back(cls->field_count, &f.var);
        ++cls->field_count;
    }
    for (const auto& stmt : decl.constants) {
        for (const ConstDecl& c : stmt->consts) {
            MemberInfo& m = add_member(c.key, c.name, false);
            m.field = static_cast<int>(cls->field_count);
            m.is_constant = true;
            cls->field_constants.emplace_back(cls->field_count, &c);
            ++cls->field_count;
        }
    }
    for (const auto& proc : decl.procs) {
        cls->procs.push_back(PrepareProc(*proc, cls.get()));
        const ProcInfo* info = cls->procs.back().get();
        MemberInfo& m = add_member(proc->key, proc->name, proc->is_public);
        m.is_public = m.is_public || proc->is_public;
        switch (proc->kind) {
            case ProcKind::Sub:
            case ProcKind::Function:
                m.method = info;
                break;
            case ProcKind::PropertyGet:
                m.get = info;
                break;
            case ProcKind::PropertyLet:
                m.let = info;
                break;
            case ProcKind::PropertySet:
                m.set = info;
                break;
        }
        if (proc->is_default) cls->default_member = static_cast<int>(cls->member_of[proc->key]);
        if (proc->kind == ProcKind::Sub && proc->params.empty()) {
            if (proc->key == u"class_initialize") cls->initialize = info;
            if (proc->key == u"class_terminate") cls->terminate = info;
        }
    }
    GlobalEntry entry;
    entry.kind = GlobalKind::Class;
    entry.cls = cls;
    globals_[decl.key] = entry;
    NewGeneration();
    classes_.push_back(std::move(cls));
}

void Interpreter::DeclareGlobals() {
    for (const VarDecl* v : program_->globals) {
        GlobalEntry entry;
        entry.kind = GlobalKind::Variable;
        entry.slot = static_cast<uint32_t>(global_slots_.size());
        entry.is_fixed_array = v->is_array && !v->bounds.empty();
        global_slots_.emplace_back();
        globals_[v->key] = entry;
        NewGeneration();
    }
    for (const ConstDecl* c : program_->constants) {
        GlobalEntry entry;
        entry.kind = GlobalKind::Constant;
        entry.slot = static_cast<uint32_t>(global_slots_.size());
        global_slots_.emplace_back();
        globals_[c->key] = entry;
        NewGeneration();
    }
}

void Interpreter::AddNamedObject(std::u16string_view name, ObjectRef object) {
    GlobalEntry entry;
    entry.kind = GlobalKind::Constant;
    entry.slot = static_cast<uint32_t>(global_slots_.size());
    global_slots_.emplace_back(std::move(object));
    globals_[NameKey(name)] = entry;
    NewGeneration();
}

const ProcInfo* Interpreter::FindGlobalProc(std::u16string_view name) const {
    auto it = globals_.find(NameKey(name));
    if (it == globals_.end() || it->second.kind != GlobalKind::Proc) return nullptr;
    return it->second.proc;
}

// ---------------------------------------------------------------- running

// The stack this thread may use: half its limit (at most 32 MB), so that
// the component's own frames below a script call still have room.
static size_t StackBudget() {
    size_t bytes = size_t{8} << 20;
    rlimit limit{};
    if (getrlimit(RLIMIT_STACK, &limit) == 0) {
        bytes = limit.rlim_cur == RLIM_INFINITY ? size_t{64} << 20 : static_cast<size_t>(limit.rlim_cur);
    }
    return std::min(bytes, size_t{64} << 20) / 2;
}

// Deep recursion through script calls, nested expressions and the
// component's own calls back into the script ends with "Out of stack space"
// before the process stack could overflow.
RunOutcome Interpreter::Run() {
    RunOutcome outcome;
    const char base = 0;
    stack_base_ = &base;
    stack_budget_ = StackBudget();
    Frame top;
    frame_ = &top;
    try {
        try {
            for (const ConstDecl* c : program_->constants) {
                pos_ = c->pos;
                global_slots_[globals_[c->key].slot] = EvalLet(*c->value, top);
            }
            for (const VarDecl* v : program_->globals) {
                if (!v->is_array) continue;
                pos_ = v->pos;
                global_slots_[globals_[v->key].slot] = Variant(NewArray(v->bounds, top));
            }
            ExecBlock(program_->body, top);
        } catch (ScriptError&) {
            throw;
        } catch (const AutomationError& e) {
            ScriptError se(e.Number(), kRuntimeErrorSource, e.Description());
            se.SetPos(pos_);
            throw se;
        }
    } catch (const QuitRequest& q) {
        outcome.kind = RunOutcome::Kind::Quit;
        outcome.exit_code = q.exit_code;
    } catch (const ScriptError& e) {
        Fail(outcome, fatal_ ? *fatal_ : e);
    } catch (const FatalSignal&) {
        Fail(outcome, *fatal_);
    }
    quitting_ = false;
    fatal_.reset();
    // Release the script's variables while the world still stands (so
    // Class_Terminate runs, even after a quit or an error); a
    // Class_Terminate that fails or quits ends quietly.
    for (Variant& v : global_slots_) {
        try {
            // Take the value out first: a Class_Terminate that reads the
            // variable finds it already empty.
            Variant old;
            std::swap(old, v);
        } catch (...) {
        }
    }
    stack_base_ = nullptr;
    frame_ = nullptr;
    return outcome;
}

void Interpreter::Fail(RunOutcome& outcome, const ScriptError& e) const {
    outcome.kind = RunOutcome::Kind::Failed;
    outcome.number = e.Number();
    outcome.source = e.Source().empty() ? String(kRuntimeErrorSource) : e.Source();
    outcome.description = e.Report();
    outcome.pos = e.HasPos() ? e.Pos() : pos_;
}

void Interpreter::Quit(int32_t exit_code) {
    quitting_ = true;
    quit_code_ = exit_code;
    throw QuitRequest{exit_code};
}

void Interpreter::SetErr(int32_t number, String source, String description) {
    err_number_ = number;
    err_source_ = std::move(source);
    err_description_ = std::move(description);
}

void Interpreter::NoteError(ScriptError& e) {
    if (!e.HasPos()) e.SetPos(pos_);
}

void Interpreter::AssignTo(Variant& target, Variant&& value, bool is_set) {
    if (is_set && !value.IsObject()) RaiseScriptError(rt::kObjectRequired);
    if (value.IsByRef())
        target.Assign(std::move(value));
    else
        target.Deref().Raw() = std::move(value.Raw());
}

Variant* Interpreter::DeclareImplicit(const Expr& name, Frame& f) {
    if (program_->option_explicit) RaiseScriptError(se::kVariableUndefined, name.name);
    return DeclareVariable(name, f);
}

Variant* Interpreter::DeclareVariable(const Expr& name, Frame& f) {
    NewGeneration();
    if (f.proc) {
        f.slots.emplace_back();
        f.implicit[name.key] = static_cast<uint32_t>(f.slots.size() - 1);
        return &f.slots.back();
    }
    GlobalEntry entry;
    entry.kind = GlobalKind::Variable;
    entry.slot = static_cast<uint32_t>(global_slots_.size());
    global_slots_.emplace_back();
    globals_[name.key] = entry;
    NewGeneration();
    return &global_slots_.back();
}

// ---------------------------------------------------------------- names

Interpreter::Resolved Interpreter::Resolve(const String& key, Frame& f, NameMemo* memo) {
    Resolved r;
    auto keep = [&](Where where, uint32_t slot, const void* target) {
        if (!memo) return;
        memo->proc = f.proc;
        memo->cls = f.me ? &f.me->Class() : nullptr;
        memo->generation = generation_;
        memo->where = static_cast<uint8_t>(where);
        memo->result = static_cast<uint8_t>(r.kind);
        memo->is_fixed_array = r.is_fixed_array;
        memo->slot = slot;
        memo->target = target;
    };
    if (f.proc) {
        auto it = f.proc->slot_of.find(key);
        if (it != f.proc->slot_of.end()) {
            r.kind = f.proc->is_constant[it->second] ? Resolved::Kind::Constant : Resolved::Kind::Variable;
            r.var = &f.slots[it->second];
            r.is_fixed_array = f.proc->is_fixed_array[it->second];
            keep(Where::ProcSlot, it->second, nullptr);
            return r;
        }
        // Implicit locals differ from call to call: never kept.
        auto im = f.implicit.find(key);
        if (im != f.implicit.end()) {
            r.kind = Resolved::Kind::Variable;
            r.var = &f.slots[im->second];
            return r;
        }
    }
    if (f.me) {
        const ClassInfo& cls = f.me->Class();
        auto it = cls.member_of.find(key);
        if (it != cls.member_of.end()) {
            const MemberInfo& m = cls.members[it->second];
            if (m.field >= 0) {
                r.kind = m.is_constant ? Resolved::Kind::Constant : Resolved::Kind::Variable;
                r.var = &f.me->Field(static_cast<uint32_t>(m.field));
                r.is_fixed_array = m.is_fixed_array;
                keep(Where::Field, static_cast<uint32_t>(m.field), nullptr);
            } else {
                r.kind = Resolved::Kind::Member;
                r.member = &m;
                keep(Where::Member, 0, &m);
            }
            return r;
        }
    }
    auto it = globals_.find(key);
    if (it != globals_.end()) {
        const GlobalEntry& g = it->second;
        switch (g.kind) {
            case GlobalKind::Variable:
                r.kind = Resolved::Kind::Variable;
                r.var = &global_slots_[g.slot];
                r.is_fixed_array = g.is_fixed_array;
                keep(Where::GlobalSlot, g.slot, r.var);
                return r;
            case GlobalKind::Constant:
                r.kind = Resolved::Kind::Constant;
                r.var = &global_slots_[g.slot];
                keep(Where::GlobalSlot, g.slot, r.var);
                return r;
            case GlobalKind::Proc:
                r.kind = Resolved::Kind::Proc;
                r.proc = g.proc;
                keep(Where::Proc, 0, g.proc);
                return r;
            case GlobalKind::Class:
                r.kind = Resolved::Kind::Class;
                keep(Where::Class, 0, nullptr);
                return r;
        }
    }
    if (const Builtin* b = FindBuiltin(key)) {
        r.kind = Resolved::Kind::Builtin;
        r.builtin = b;
        keep(Where::Builtin, 0, b);
        return r;
    }
    if (const Variant* c = FindBuiltinConstant(key)) {
        r.kind = Resolved::Kind::BuiltinConstant;
        r.constant = c;
        keep(Where::BuiltinConstant, 0, c);
        return r;
    }
    auto g = global_members_.find(key);
    if (g == global_members_.end()) g = global_members_.emplace(key, host_.GlobalMemberOwner(key)).first;
    if (g->second) {
        r.kind = Resolved::Kind::GlobalMember;
        r.owner = &g->second;
    }
    return r;
}

// ---------------------------------------------------------------- values

Variant Interpreter::DefaultValue(const ObjectRef& object) {
    ObjectRef current = object;
    for (int hops = 0; hops < 8; ++hops) {
        if (!current) RaiseScriptError(rt::kObjectNotSet);
        Variant v = InvokeDispatch(current, kDispIdValue, kInvokeMethod | kInvokePropertyGet, {});
        const ObjectRef* next = v.As<ObjectRef>();
        if (!next) return v;
        current = *next;
    }
    RaiseScriptError(rt::kMemberNotSupported);
}

Variant Interpreter::Plain(Variant value) {
    if (value.IsByRef()) value = Copy(value);
    if (const ObjectRef* obj = value.As<ObjectRef>()) {
        ObjectRef hold = *obj;
        return DefaultValue(hold);
    }
    return value;
}

void Interpreter::AppendText(String& out, const Variant& value) {
    const Variant& v = value.Deref();
    int64_t whole = 0;
    if (const Long* l = std::get_if<Long>(&v.Raw()))
        whole = *l;
    else if (const Integer* i = std::get_if<Integer>(&v.Raw()))
        whole = *i;
    else {
        const String text = Text(v);
        CheckTextLength(out.size() + text.size());
        out += text;
        return;
    }
    // The digits of a whole number go straight in (the usual "item " & i).
    char16_t digits[24];
    char16_t* end = digits + std::size(digits);
    char16_t* p = end;
    uint64_t magnitude = whole < 0 ? 0 - static_cast<uint64_t>(whole) : static_cast<uint64_t>(whole);
    do {
        *--p = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (whole < 0) *--p = u'-';
    CheckTextLength(out.size() + static_cast<size_t>(end - p));
    out.append(p, end);
}

String Interpreter::Text(const Variant& value) {
    const Variant& v = value.Deref();
    switch (v.Type()) {
        case VarType::Date:
            return host_.DateText(*v.As<Date>());
        case VarType::Object:
            return Text(DefaultValue(*v.As<ObjectRef>()));
        case VarType::Null:
            RaiseScriptError(rt::kInvalidUseOfNull);
        case VarType::Array:
        case VarType::Error:
            RaiseScriptError(rt::kTypeMismatch);
        case VarType::Single:
        case VarType::Double:
        case VarType::Currency:
            return VariantToString(v, Format());
        default:
            return VariantToString(v, kUnreadFormat);
    }
}

}  // namespace quibor15::script
