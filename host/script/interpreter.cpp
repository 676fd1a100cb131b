#include "host/script/interpreter.hpp"

#include <sys/resource.h>

#include <algorithm>
#include <new>

#include "host/script/operators.hpp"
#include "host/script/text.hpp"
#include "host/script/wscript.hpp"

namespace quibor15::script {

namespace {

// Deeper recursion is refused with "Out of stack space" long before the
// process stack could run out.
constexpr int kMaxCallDepth = 600;

// The most elements a Dim or ReDim makes (each is a Variant).
constexpr uint64_t kMaxArrayElements = uint64_t{1} << 24;

class DepthGuard {
public:
    explicit DepthGuard(int& depth) : depth_(depth) {
        if (++depth_ > kMaxCallDepth) {
            --depth_;
            RaiseScriptError(se::kOutOfStackSpace);
        }
    }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& depth_;
};

Variant LiteralValue(const Literal& lit) {
    using K = Literal::Kind;
    switch (lit.kind) {
        case K::Empty:
            return Variant();
        case K::Null:
            return Variant::Null();
        case K::Nothing:
            return Variant::Nothing();
        case K::Boolean:
            return Variant(Boolean::From(lit.number != 0));
        case K::Integer:
            return Variant(static_cast<Integer>(lit.number));
        case K::Long:
            return Variant(static_cast<Long>(lit.number));
        case K::Double:
            return Variant(static_cast<Double>(lit.number));
        case K::String:
            return Variant(lit.text);
        case K::Date:
            return Variant(Date{lit.number});
    }
    return Variant();
}

// A plain copy of a value: never a reference to someone's variable.
Variant Copy(const Variant& v) { return Variant(v.Deref()); }

}  // namespace

struct Interpreter::Frame {
    const ProcInfo* proc = nullptr;  // null: the top level
    ScriptObject* me = nullptr;
    std::deque<Variant> slots;
    std::unordered_map<String, uint32_t> implicit;
    std::vector<ObjectRef> with_objects;  // the objects of the open With blocks
    bool resume_next = false;
};

struct Interpreter::Resolved {
    enum class Kind { None, Variable, Constant, Proc, Member, Builtin, BuiltinConstant, Class, GlobalMember };
    Kind kind = Kind::None;
    Variant* var = nullptr;
    const Variant* constant = nullptr;
    const ProcInfo* proc = nullptr;
    const MemberInfo* member = nullptr;
    const Builtin* builtin = nullptr;
    ObjectRef owner;  // GlobalMember: the global class instance
};

// Evaluated arguments. A variable goes by reference; an array element goes
// as a copy that is written back after the call, so a callee that resizes
// the array cannot leave a dangling reference behind.
struct Interpreter::Args {
    std::vector<Variant> values;
    std::deque<Variant> temps;
    struct WriteBack {
        Variant* array = nullptr;
        std::vector<int32_t> indices;
        Variant* temp = nullptr;
    };
    std::vector<WriteBack> writebacks;

    void Finish() {
        for (WriteBack& wb : writebacks) {
            SafeArray* a = wb.array->Deref().Array();
            if (!a) continue;
            try {
                a->At(wb.indices) = Copy(*wb.temp);
            } catch (const AutomationError&) {
                // The element is gone: the callee resized the array.
            }
        }
    }
};

// ---------------------------------------------------------------- setup

Interpreter::Interpreter(std::shared_ptr<const Program> program, ScriptHost& host)
    : program_(std::move(program)), host_(host), alive_(std::make_shared<bool>(true)) {
    Prepare();
    err_ = MakeErrObject(*this);
}

Interpreter::~Interpreter() {
    *alive_ = false;
    // Objects of the script still held by the world keep their fields but
    // can no longer run code.
    global_slots_.clear();
}

void Interpreter::Prepare() {
    for (const auto& cls : program_->classes) PrepareClass(*cls);
    for (const auto& proc : program_->procs) {
        procs_.push_back(PrepareProc(*proc, nullptr));
        GlobalEntry entry;
        entry.kind = GlobalKind::Proc;
        entry.proc = procs_.back().get();
        globals_[proc->key] = entry;
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
    for (const VarDecl* v : decl.locals) {
        info->slot_of[v->key] = next;
        if (v->is_array) info->arrays.emplace_back(next, v);
        ++next;
    }
    info->is_constant.assign(next, false);
    for (const ConstDecl* c : decl.constants) {
        info->slot_of[c->key] = next;
        info->constants.emplace_back(next, c);
        info->is_constant.push_back(true);
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
    classes_.push_back(std::move(cls));
}

void Interpreter::DeclareGlobals() {
    for (const VarDecl* v : program_->globals) {
        GlobalEntry entry;
        entry.kind = GlobalKind::Variable;
        entry.slot = static_cast<uint32_t>(global_slots_.size());
        global_slots_.emplace_back();
        globals_[v->key] = entry;
    }
    for (const ConstDecl* c : program_->constants) {
        GlobalEntry entry;
        entry.kind = GlobalKind::Constant;
        entry.slot = static_cast<uint32_t>(global_slots_.size());
        global_slots_.emplace_back();
        globals_[c->key] = entry;
    }
}

void Interpreter::AddNamedObject(std::u16string_view name, ObjectRef object) {
    GlobalEntry entry;
    entry.kind = GlobalKind::Constant;
    entry.slot = static_cast<uint32_t>(global_slots_.size());
    global_slots_.emplace_back(std::move(object));
    globals_[NameKey(name)] = entry;
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
void Interpreter::CheckStack() const {
    const char probe = 0;
    if (stack_base_ && stack_base_ > &probe && static_cast<size_t>(stack_base_ - &probe) > stack_budget_) {
        RaiseScriptError(se::kOutOfStackSpace);
    }
}

RunOutcome Interpreter::Run() {
    RunOutcome outcome;
    const char base = 0;
    stack_base_ = &base;
    stack_budget_ = StackBudget();
    Frame top;
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
    return outcome;
}

void Interpreter::Fail(RunOutcome& outcome, const ScriptError& e) const {
    outcome.kind = RunOutcome::Kind::Failed;
    outcome.number = e.Number();
    outcome.source = e.Source().empty() ? String(kRuntimeErrorSource) : e.Source();
    outcome.description = e.Description();
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

Interpreter::Flow Interpreter::ExecBlock(const Block& block, Frame& f) {
    for (const StmtPtr& sp : block) {
        if (quitting_) throw QuitRequest{quit_code_};
        if (fatal_) throw FatalSignal{};
        const Stmt& s = *sp;
        pos_ = s.pos;
        Flow flow = Flow::Normal;
        try {
            try {
                flow = Exec(s, f);
            } catch (ScriptError&) {
                throw;
            } catch (const AutomationError& e) {
                // Raised by a conversion or array access of the engine itself.
                String description = ScriptErrorDescription(e.Number());
                if (description == u"Unknown runtime error") description = e.Description();
                ScriptError se(e.Number(), kRuntimeErrorSource, description);
                se.SetPos(pos_);
                throw se;
            } catch (const std::bad_alloc&) {
                ScriptError se(se::kOutOfMemory, kRuntimeErrorSource, ScriptErrorDescription(se::kOutOfMemory));
                se.SetPos(pos_);
                throw se;
            } catch (const std::length_error&) {
                ScriptError se(se::kOutOfMemory, kRuntimeErrorSource, ScriptErrorDescription(se::kOutOfMemory));
                se.SetPos(pos_);
                throw se;
            }
        } catch (ScriptError& e) {
            NoteError(e);
            if (!f.resume_next) throw;
            SetErr(e.Number(), e.Source(), e.Description());
            continue;
        }
        if (flow != Flow::Normal) return flow;
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::Exec(const Stmt& s, Frame& f) {
    switch (s.kind) {
        case StmtKind::Dim:
        case StmtKind::Const:
            // Declared when the scope started.
            return Flow::Normal;
        case StmtKind::ReDim:
            ExecReDim(static_cast<const ReDimStmt&>(s), f);
            return Flow::Normal;
        case StmtKind::Assign:
            ExecAssign(static_cast<const AssignStmt&>(s), f);
            return Flow::Normal;
        case StmtKind::Call:
            ExecCall(static_cast<const CallStmt&>(s), f);
            return Flow::Normal;
        case StmtKind::If: {
            const auto& st = static_cast<const IfStmt&>(s);
            for (const IfStmt::Branch& b : st.branches) {
                if (EvalCondition(*b.condition, f)) return ExecBlock(b.body, f);
            }
            return ExecBlock(st.else_body, f);
        }
        case StmtKind::Select:
            return ExecSelect(static_cast<const SelectStmt&>(s), f);
        case StmtKind::For:
            return ExecFor(static_cast<const ForStmt&>(s), f);
        case StmtKind::ForEach:
            return ExecForEach(static_cast<const ForEachStmt&>(s), f);
        case StmtKind::Do:
            return ExecDo(static_cast<const DoStmt&>(s), f);
        case StmtKind::Exit:
            switch (static_cast<const ExitStmt&>(s).what) {
                case ExitKind::Do:
                    return Flow::ExitDo;
                case ExitKind::For:
                    return Flow::ExitFor;
                default:
                    return Flow::ExitProc;
            }
        case StmtKind::OnError:
            f.resume_next = static_cast<const OnErrorStmt&>(s).resume_next;
            ClearErr();
            return Flow::Normal;
        case StmtKind::Erase:
            ExecErase(static_cast<const EraseStmt&>(s), f);
            return Flow::Normal;
        case StmtKind::With: {
            const auto& st = static_cast<const WithStmt&>(s);
            f.with_objects.push_back(EvalObject(*st.object, f));
            struct Pop {
                std::vector<ObjectRef>& stack;
                ~Pop() { stack.pop_back(); }
            } pop{f.with_objects};
            return ExecBlock(st.body, f);
        }
    }
    return Flow::Normal;
}

void Interpreter::AssignTo(Variant& target, Variant value, bool is_set) {
    if (is_set && !value.IsObject()) RaiseScriptError(rt::kObjectRequired);
    target.Assign(std::move(value));
}

Variant* Interpreter::DeclareImplicit(const Expr& name, Frame& f) {
    if (program_->option_explicit) RaiseScriptError(se::kVariableUndefined, name.name);
    return DeclareVariable(name, f);
}

Variant* Interpreter::DeclareVariable(const Expr& name, Frame& f) {
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
    return &global_slots_.back();
}

void Interpreter::ExecAssign(const AssignStmt& s, Frame& f) {
    Variant value = s.is_set ? Eval(*s.value, f) : EvalLet(*s.value, f);
    if (s.is_set && !value.IsObject()) {
        pos_ = s.value->pos;
        RaiseScriptError(rt::kObjectRequired);
    }
    const uint16_t put = s.is_set ? kInvokePropertyPutRef : kInvokePropertyPut;
    const Expr& t = *s.target;
    pos_ = t.pos;
    switch (t.kind) {
        case ExprKind::Name: {
            Resolved r = Resolve(t.key, f);
            switch (r.kind) {
                case Resolved::Kind::Variable:
                    AssignTo(*r.var, std::move(value), s.is_set);
                    return;
                case Resolved::Kind::Member: {
                    Variant args[1] = {std::move(value)};
                    InvokeMember(*f.me, *r.member, put, args);
                    return;
                }
                case Resolved::Kind::Builtin:
                case Resolved::Kind::GlobalMember:
                case Resolved::Kind::None:
                    AssignTo(*DeclareImplicit(t, f), std::move(value), s.is_set);
                    return;
                default:
                    RaiseScriptError(se::kIllegalAssignment, t.name);
            }
        }
        case ExprKind::Member: {
            ObjectRef obj = EvalObject(*t.target, f);
            Variant args[1] = {std::move(value)};
            InvokeObject(obj, t, put, args);
            return;
        }
        case ExprKind::Call: {
            const Expr& inner = *t.target;
            Args args;
            if (inner.kind == ExprKind::Member) {
                ObjectRef obj = EvalObject(*inner.target, f);
                EvalArgs(t.args, f, args);
                args.values.push_back(std::move(value));
                InvokeObject(obj, inner, put, args.values);
                args.Finish();
                return;
            }
            Variant* container = nullptr;
            Variant evaluated;
            if (inner.kind == ExprKind::Name) {
                Resolved r = Resolve(inner.key, f);
                if (r.kind == Resolved::Kind::Member) {
                    EvalArgs(t.args, f, args);
                    args.values.push_back(std::move(value));
                    InvokeMember(*f.me, *r.member, put, args.values);
                    args.Finish();
                    return;
                }
                if (r.kind == Resolved::Kind::Constant || r.kind == Resolved::Kind::BuiltinConstant) {
                    RaiseScriptError(se::kIllegalAssignment, inner.name);
                }
                if (r.kind != Resolved::Kind::Variable) RaiseScriptError(rt::kTypeMismatch, inner.name);
                container = r.var;
            } else {
                evaluated = Eval(inner, f);
                container = &evaluated;
            }
            if (container->Deref().IsArray()) {
                std::vector<int32_t> indices = EvalIndices(t.args, f);
                pos_ = t.pos;
                SafeArray* a = container->Deref().Array();
                if (!a) RaiseScriptError(rt::kTypeMismatch);
                if (s.is_set)
                    AssignTo(a->At(indices), std::move(value), true);
                else
                    a->At(indices) = std::move(value);
                return;
            }
            if (container->Deref().IsObject()) {
                ObjectRef obj = container->Deref().ObjectOrThrow();
                EvalArgs(t.args, f, args);
                args.values.push_back(std::move(value));
                if (!obj) RaiseScriptError(rt::kObjectNotSet);
                InvokeDispatch(obj, kDispIdValue, put, args.values);
                args.Finish();
                return;
            }
            RaiseScriptError(rt::kTypeMismatch, inner.kind == ExprKind::Name ? inner.name : String());
        }
        default:
            RaiseScriptError(se::kIllegalAssignment);
    }
}

void Interpreter::ExecCall(const CallStmt& s, Frame& f) {
    const Expr& callee = *s.callee;
    Args args;
    switch (callee.kind) {
        case ExprKind::Name: {
            if (IsOwnName(callee, f)) {
                CallOwnProc(s.args, f);
                return;
            }
            Resolved r = Resolve(callee.key, f);
            switch (r.kind) {
                case Resolved::Kind::Proc:
                    EvalArgs(s.args, f, args);
                    pos_ = callee.pos;
                    CallProc(*r.proc, args.values, nullptr);
                    args.Finish();
                    return;
                case Resolved::Kind::Member:
                    EvalArgs(s.args, f, args);
                    pos_ = callee.pos;
                    InvokeMember(*f.me, *r.member, kInvokeMethod, args.values);
                    args.Finish();
                    return;
                case Resolved::Kind::Builtin:
                    EvalArgs(s.args, f, args);
                    CallBuiltin(callee, args.values);
                    return;
                case Resolved::Kind::GlobalMember:
                    EvalArgs(s.args, f, args);
                    InvokeObject(r.owner, callee, kInvokeMethod, args.values);
                    args.Finish();
                    return;
                case Resolved::Kind::Variable:
                case Resolved::Kind::Constant: {
                    // An object variable called as a statement: its default member.
                    const Variant& v = r.var->Deref();
                    if (v.IsObject() && v.As<ObjectRef>()->Get()) {
                        ObjectRef obj = *v.As<ObjectRef>();
                        EvalArgs(s.args, f, args);
                        InvokeDispatch(obj, kDispIdValue, kInvokeMethod, args.values);
                        args.Finish();
                        return;
                    }
                    RaiseScriptError(rt::kTypeMismatch, callee.name);
                }
                default:
                    RaiseScriptError(rt::kTypeMismatch, callee.name);
            }
        }
        case ExprKind::Member: {
            ObjectRef obj = EvalObject(*callee.target, f);
            EvalArgs(s.args, f, args);
            InvokeObject(obj, callee, kInvokeMethod, args.values);
            args.Finish();
            return;
        }
        default: {
            ObjectRef obj = EvalObject(callee, f);
            EvalArgs(s.args, f, args);
            InvokeDispatch(obj, kDispIdValue, kInvokeMethod, args.values);
            args.Finish();
            return;
        }
    }
}

Interpreter::Flow Interpreter::ExecFor(const ForStmt& s, Frame& f) {
    const Expr& var_expr = *s.variable;
    Resolved r = Resolve(var_expr.key, f);
    Variant* counter = nullptr;
    if (r.kind == Resolved::Kind::Variable)
        counter = r.var;
    else if (r.kind == Resolved::Kind::None || r.kind == Resolved::Kind::Builtin ||
             r.kind == Resolved::Kind::GlobalMember)
        counter = DeclareImplicit(var_expr, f);
    else
        RaiseScriptError(se::kIllegalAssignment, var_expr.name);

    const Variant from = EvalLet(*s.from, f);
    const Variant to = EvalLet(*s.to, f);
    const Variant step = s.step ? EvalLet(*s.step, f) : Variant(Integer{1});
    pos_ = s.pos;
    const NumberFormat fmt = Format();
    for (const Variant* v : {&from, &to, &step}) {
        if (v->IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
        if (v->IsString()) {
            double unused = 0;
            if (!ParseNumber(*v->As<String>(), fmt, unused)) RaiseScriptError(rt::kTypeMismatch);
        } else if (!v->IsNumber() && !v->IsEmpty() && v->Type() != VarType::Boolean && v->Type() != VarType::Date) {
            RaiseScriptError(rt::kTypeMismatch);
        }
    }
    const bool upward = Compare(step, Variant(Integer{0}), fmt).value_or(0) >= 0;
    counter->Assign(from);
    for (;;) {
        const std::optional<int> c = Compare(counter->Deref(), to, fmt);
        if (!c) RaiseScriptError(rt::kInvalidUseOfNull);
        if (upward ? *c > 0 : *c < 0) break;
        const Flow flow = ExecBlock(s.body, f);
        if (flow == Flow::ExitFor) break;
        if (flow != Flow::Normal) return flow;
        pos_ = s.pos;
        counter->Assign(Arithmetic(Op::Add, counter->Deref(), step, Format()));
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::ExecForEach(const ForEachStmt& s, Frame& f) {
    const Expr& var_expr = *s.variable;
    Resolved r = Resolve(var_expr.key, f);
    Variant* item = nullptr;
    if (r.kind == Resolved::Kind::Variable)
        item = r.var;
    else if (r.kind == Resolved::Kind::None || r.kind == Resolved::Kind::Builtin ||
             r.kind == Resolved::Kind::GlobalMember)
        item = DeclareImplicit(var_expr, f);
    else
        RaiseScriptError(se::kIllegalAssignment, var_expr.name);

    Variant group = Eval(*s.group, f);
    pos_ = s.pos;
    if (const SafeArray* a = group.Array()) {
        // The elements as they were when the loop started.
        const std::vector<Variant> elements = a->Data();
        for (const Variant& element : elements) {
            item->Assign(element);
            const Flow flow = ExecBlock(s.body, f);
            if (flow == Flow::ExitFor) break;
            if (flow != Flow::Normal) return flow;
        }
        return Flow::Normal;
    }
    if (!group.IsObject()) RaiseScriptError(se::kObjectNotACollection);
    ObjectRef obj = *group.As<ObjectRef>();
    if (!obj) RaiseScriptError(rt::kObjectRequired);
    Variant enum_value = InvokeDispatch(obj, kDispIdNewEnum, kInvokeMethod | kInvokePropertyGet, {});
    Ref<Enumerator> e;
    if (const ObjectRef* eo = enum_value.As<ObjectRef>()) e = RefCast<Enumerator>(*eo);
    if (!e) RaiseScriptError(se::kObjectNotACollection);
    for (;;) {
        Variant next;
        bool more = false;
        try {
            more = e->Next(next);
        } catch (ScriptError&) {
            throw;
        } catch (const AutomationError& err) {
            ScriptError se(err.Number(), err.Source(), err.Description());
            se.SetPos(s.pos);
            throw se;
        }
        if (!more) break;
        item->Assign(std::move(next));
        const Flow flow = ExecBlock(s.body, f);
        if (flow == Flow::ExitFor) break;
        if (flow != Flow::Normal) return flow;
        pos_ = s.pos;
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::ExecDo(const DoStmt& s, Frame& f) {
    using T = DoStmt::Test;
    for (;;) {
        if (s.test == T::PreWhile && !EvalCondition(*s.condition, f)) break;
        if (s.test == T::PreUntil && EvalCondition(*s.condition, f)) break;
        const Flow flow = ExecBlock(s.body, f);
        if (flow == Flow::ExitDo) break;
        if (flow != Flow::Normal) return flow;
        pos_ = s.pos;
        if (s.test == T::PostWhile && !EvalCondition(*s.condition, f)) break;
        if (s.test == T::PostUntil && EvalCondition(*s.condition, f)) break;
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::ExecSelect(const SelectStmt& s, Frame& f) {
    const Variant subject = EvalLet(*s.subject, f);
    for (const SelectStmt::Case& c : s.cases) {
        bool match = c.values.empty();
        for (const ExprPtr& value : c.values) {
            const Variant v = EvalLet(*value, f);
            pos_ = c.pos;
            if (Compare(subject, v, Format()).value_or(1) == 0) {
                match = true;
                break;
            }
        }
        if (match) return ExecBlock(c.body, f);
    }
    return Flow::Normal;
}

SafeArray Interpreter::NewArray(const std::vector<ExprPtr>& bounds, Frame& f) {
    std::vector<SafeArray::Bound> dims;
    uint64_t elements = 1;
    for (const ExprPtr& b : bounds) {
        const Long upper = VariantToLong(EvalLet(*b, f), Format());
        if (upper < -1) RaiseScriptError(rt::kSubscriptOutOfRange);
        dims.push_back(SafeArray::Bound{0, upper + 1});
        elements *= static_cast<uint64_t>(upper + 1);
        // A script array is refused before it could exhaust the machine.
        if (elements > kMaxArrayElements) RaiseScriptError(se::kOutOfMemory);
    }
    return SafeArray(VarType::Variant, std::move(dims));
}

void Interpreter::ExecReDim(const ReDimStmt& s, Frame& f) {
    for (const VarDecl& v : s.vars) {
        Expr name;
        name.kind = ExprKind::Name;
        name.name = v.name;
        name.key = v.key;
        name.pos = v.pos;
        Resolved r = Resolve(v.key, f);
        Variant* target = nullptr;
        if (r.kind == Resolved::Kind::Variable) {
            target = r.var;
        } else if (r.kind == Resolved::Kind::None || r.kind == Resolved::Kind::Builtin ||
                   r.kind == Resolved::Kind::GlobalMember) {
            // ReDim declares the array when nothing of that name exists.
            target = DeclareVariable(name, f);
        } else {
            RaiseScriptError(se::kIllegalAssignment, v.name);
        }
        SafeArray fresh = NewArray(v.bounds, f);
        pos_ = v.pos;
        SafeArray* existing = target->Deref().Array();
        if (s.preserve && existing && existing->Rank() > 0) {
            std::vector<SafeArray::Bound> dims;
            for (int32_t d = 1; d <= fresh.Rank(); ++d) {
                dims.push_back(SafeArray::Bound{fresh.LowerBound(d), fresh.UpperBound(d) - fresh.LowerBound(d) + 1});
            }
            existing->Redim(std::move(dims), true);
        } else {
            target->Assign(Variant(std::move(fresh)));
        }
    }
}

void Interpreter::ExecErase(const EraseStmt& s, Frame& f) {
    Resolved r = Resolve(s.variable->key, f);
    if (r.kind != Resolved::Kind::Variable) RaiseScriptError(rt::kTypeMismatch, s.variable->name);
    SafeArray* a = r.var->Deref().Array();
    if (!a) RaiseScriptError(rt::kTypeMismatch, s.variable->name);
    for (Variant& element : a->Data()) element = Variant();
}

// ---------------------------------------------------------------- names

Interpreter::Resolved Interpreter::Resolve(const String& key, Frame& f) {
    Resolved r;
    if (f.proc) {
        auto it = f.proc->slot_of.find(key);
        if (it != f.proc->slot_of.end()) {
            r.kind = f.proc->is_constant[it->second] ? Resolved::Kind::Constant : Resolved::Kind::Variable;
            r.var = &f.slots[it->second];
            return r;
        }
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
            } else {
                r.kind = Resolved::Kind::Member;
                r.member = &m;
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
                return r;
            case GlobalKind::Constant:
                r.kind = Resolved::Kind::Constant;
                r.var = &global_slots_[g.slot];
                return r;
            case GlobalKind::Proc:
                r.kind = Resolved::Kind::Proc;
                r.proc = g.proc;
                return r;
            case GlobalKind::Class:
                r.kind = Resolved::Kind::Class;
                return r;
        }
    }
    if (const Builtin* b = FindBuiltin(key)) {
        r.kind = Resolved::Kind::Builtin;
        r.builtin = b;
        return r;
    }
    if (const Variant* c = FindBuiltinConstant(key)) {
        r.kind = Resolved::Kind::BuiltinConstant;
        r.constant = c;
        return r;
    }
    auto g = global_members_.find(key);
    if (g == global_members_.end()) g = global_members_.emplace(key, host_.GlobalMemberOwner(key)).first;
    if (g->second) {
        r.kind = Resolved::Kind::GlobalMember;
        r.owner = g->second;
    }
    return r;
}

// ---------------------------------------------------------------- expressions

Variant Interpreter::Eval(const Expr& e, Frame& f) {
    switch (e.kind) {
        case ExprKind::Literal:
            return LiteralValue(e.literal);
        case ExprKind::Name:
            return EvalName(e, f);
        case ExprKind::Member:
            return EvalMember(e, f);
        case ExprKind::Call:
            return EvalCall(e, f);
        case ExprKind::Paren:
            return Eval(*e.target, f);
        case ExprKind::Unary: {
            Variant v = Plain(Eval(*e.target, f));
            pos_ = e.pos;
            return e.op == Op::Neg ? Negate(v, Format()) : LogicalNot(v, Format());
        }
        case ExprKind::Binary:
            return EvalBinary(e, f);
        case ExprKind::New:
            return EvalNew(e, f);
        case ExprKind::With:
            if (f.with_objects.empty()) RaiseScriptError(rt::kObjectRequired);
            return Variant(f.with_objects.back());
        case ExprKind::Me:
            if (!f.me) {
                pos_ = e.pos;
                RaiseScriptError(rt::kObjectRequired, u"Me");
            }
            if (f.me->Terminating()) {
                // The object is being destroyed: no new references to it.
                pos_ = e.pos;
                RaiseScriptError(rt::kObjectNotSet);
            }
            return Variant(ObjectRef(f.me));
    }
    return Variant();
}

Variant Interpreter::EvalLet(const Expr& e, Frame& f) {
    Variant v = Eval(e, f);
    if (v.IsObject()) {
        pos_ = e.pos;
        return Plain(std::move(v));
    }
    return v;
}

bool Interpreter::EvalCondition(const Expr& e, Frame& f) {
    Variant v = Plain(Eval(e, f));
    pos_ = e.pos;
    return Truth(v, Format());
}

ObjectRef Interpreter::EvalObject(const Expr& e, Frame& f) {
    Variant v = Eval(e, f);
    pos_ = e.pos;
    // Nothing is no more an object to call than a number is.
    const ObjectRef* obj = v.As<ObjectRef>();
    if (!obj || !*obj) {
        if (e.kind == ExprKind::Name) RaiseScriptError(rt::kObjectRequired, e.name);
        RaiseScriptError(rt::kObjectRequired);
    }
    return *obj;
}

Variant Interpreter::EvalName(const Expr& e, Frame& f) {
    Resolved r = Resolve(e.key, f);
    pos_ = e.pos;
    switch (r.kind) {
        case Resolved::Kind::Variable:
        case Resolved::Kind::Constant:
            return Copy(*r.var);
        case Resolved::Kind::BuiltinConstant:
            return *r.constant;
        case Resolved::Kind::Proc:
            return CallProc(*r.proc, {}, nullptr);
        case Resolved::Kind::Member:
            return InvokeMember(*f.me, *r.member, kInvokeMethod | kInvokePropertyGet, {});
        case Resolved::Kind::Builtin:
            return CallBuiltin(e, {});
        case Resolved::Kind::GlobalMember:
            return InvokeObject(r.owner, e, kInvokeMethod | kInvokePropertyGet, {});
        case Resolved::Kind::Class:
            RaiseScriptError(rt::kTypeMismatch, e.name);
        case Resolved::Kind::None:
            if (program_->option_explicit) RaiseScriptError(se::kVariableUndefined, e.name);
            return Variant();
    }
    return Variant();
}

std::vector<int32_t> Interpreter::EvalIndices(const std::vector<ExprPtr>& exprs, Frame& f) {
    std::vector<int32_t> indices;
    indices.reserve(exprs.size());
    for (const ExprPtr& x : exprs) {
        if (!x) RaiseScriptError(rt::kSubscriptOutOfRange);
        indices.push_back(VariantToLong(EvalLet(*x, f), Format()));
    }
    return indices;
}

Variant Interpreter::IndexValue(const Variant& container, std::span<Variant> args, const Expr& where) {
    const Variant& c = container.Deref();
    pos_ = where.pos;
    if (const SafeArray* a = c.Array()) {
        std::vector<int32_t> indices;
        for (Variant& arg : args) {
            if (arg.IsMissing()) RaiseScriptError(rt::kSubscriptOutOfRange);
            indices.push_back(VariantToLong(Plain(Copy(arg)), Format()));
        }
        return Copy(a->At(indices));
    }
    if (const ObjectRef* obj = c.As<ObjectRef>()) {
        if (!*obj) RaiseScriptError(rt::kObjectNotSet);
        ObjectRef hold = *obj;
        return InvokeDispatch(hold, kDispIdValue, kInvokeMethod | kInvokePropertyGet, args);
    }
    RaiseScriptError(rt::kTypeMismatch, where.kind == ExprKind::Name ? where.name : String());
}

void Interpreter::EvalArgs(const std::vector<ExprPtr>& exprs, Frame& f, Args& args) {
    args.values.reserve(exprs.size() + 1);
    for (const ExprPtr& x : exprs) {
        if (!x) {
            args.values.push_back(Variant::Missing());
            continue;
        }
        if (x->kind == ExprKind::Name) {
            Resolved r = Resolve(x->key, f);
            if (r.kind == Resolved::Kind::Variable) {
                args.values.push_back(Variant::ByRef(*r.var));
                continue;
            }
        } else if (x->kind == ExprKind::Call && x->target->kind == ExprKind::Name) {
            Resolved r = Resolve(x->target->key, f);
            if (r.kind == Resolved::Kind::Variable && r.var->Deref().IsArray()) {
                std::vector<int32_t> indices = EvalIndices(x->args, f);
                pos_ = x->pos;
                const SafeArray* a = r.var->Deref().Array();
                if (!a) RaiseScriptError(rt::kTypeMismatch);
                args.temps.push_back(Copy(a->At(indices)));
                args.values.push_back(Variant::ByRef(args.temps.back()));
                args.writebacks.push_back(Args::WriteBack{r.var, std::move(indices), &args.temps.back()});
                continue;
            }
        }
        args.values.push_back(Eval(*x, f));
    }
}

Variant Interpreter::EvalCall(const Expr& e, Frame& f) {
    CheckStack();
    const Expr& t = *e.target;
    Args args;
    if (t.kind == ExprKind::Name) {
        Resolved r = Resolve(t.key, f);
        if (IsOwnName(t, f)) return CallOwnProc(e.args, f);
        switch (r.kind) {
            case Resolved::Kind::Variable:
            case Resolved::Kind::Constant: {
                if (r.var->Deref().IsArray()) {
                    std::vector<int32_t> indices = EvalIndices(e.args, f);
                    pos_ = e.pos;
                    const SafeArray* a = r.var->Deref().Array();
                    if (!a) RaiseScriptError(rt::kTypeMismatch, t.name);
                    return Copy(a->At(indices));
                }
                Variant container = Copy(*r.var);
                EvalArgs(e.args, f, args);
                Variant result = IndexValue(container, args.values, t);
                args.Finish();
                return result;
            }
            case Resolved::Kind::BuiltinConstant:
                RaiseScriptError(rt::kTypeMismatch, t.name);
            case Resolved::Kind::Proc: {
                EvalArgs(e.args, f, args);
                pos_ = e.pos;
                Variant result = CallProc(*r.proc, args.values, nullptr);
                args.Finish();
                return result;
            }
            case Resolved::Kind::Member: {
                EvalArgs(e.args, f, args);
                pos_ = e.pos;
                Variant result = InvokeMember(*f.me, *r.member, kInvokeMethod | kInvokePropertyGet, args.values);
                args.Finish();
                return result;
            }
            case Resolved::Kind::Builtin: {
                EvalArgs(e.args, f, args);
                return CallBuiltin(t, args.values);
            }
            case Resolved::Kind::GlobalMember: {
                EvalArgs(e.args, f, args);
                Variant result = InvokeObject(r.owner, t, kInvokeMethod | kInvokePropertyGet, args.values);
                args.Finish();
                return result;
            }
            default:
                pos_ = t.pos;
                RaiseScriptError(rt::kTypeMismatch, t.name);
        }
    }
    if (t.kind == ExprKind::Member) {
        ObjectRef obj = EvalObject(*t.target, f);
        EvalArgs(e.args, f, args);
        Variant result = InvokeObject(obj, t, kInvokeMethod | kInvokePropertyGet, args.values);
        args.Finish();
        return result;
    }
    Variant container = Eval(t, f);
    EvalArgs(e.args, f, args);
    Variant result = IndexValue(container, args.values, e);
    args.Finish();
    return result;
}

// Inside a Function or Property Get its own name is the result variable;
// with arguments in parentheses, or as a statement, it is a recursive call.
bool Interpreter::IsOwnName(const Expr& name, const Frame& f) const {
    return f.proc && f.proc->result_slot >= 0 && name.key == f.proc->decl->key;
}

Variant Interpreter::CallOwnProc(const std::vector<ExprPtr>& arg_exprs, Frame& f) {
    Args args;
    EvalArgs(arg_exprs, f, args);
    Variant result;
    if (f.proc->owner && f.me) {
        const ClassInfo& cls = *f.proc->owner;
        const MemberInfo& m = cls.members[cls.member_of.at(f.proc->decl->key)];
        result = InvokeMember(*f.me, m, kInvokeMethod | kInvokePropertyGet, args.values);
    } else {
        result = CallProc(*f.proc, args.values, nullptr);
    }
    args.Finish();
    return result;
}

Variant Interpreter::EvalMember(const Expr& e, Frame& f) {
    ObjectRef obj = EvalObject(*e.target, f);
    return InvokeObject(obj, e, kInvokeMethod | kInvokePropertyGet, {});
}

Variant Interpreter::EvalBinary(const Expr& e, Frame& f) {
    CheckStack();
    if (e.op == Op::Is) {
        const Variant a = Eval(*e.target, f);
        const Variant b = Eval(*e.rhs, f);
        pos_ = e.pos;
        const ObjectRef* x = a.As<ObjectRef>();
        const ObjectRef* y = b.As<ObjectRef>();
        if (!x || !y) RaiseScriptError(rt::kObjectRequired);
        return Variant(Boolean::From(x->Get() == y->Get()));
    }
    const Variant a = Plain(Eval(*e.target, f));
    const Variant b = Plain(Eval(*e.rhs, f));
    pos_ = e.pos;
    const NumberFormat& fmt = Format();
    switch (e.op) {
        case Op::Concat: {
            if (a.IsNull() && b.IsNull()) return Variant::Null();
            String text = a.IsNull() ? String() : Text(a);
            text += b.IsNull() ? String() : Text(b);
            return Variant(std::move(text));
        }
        case Op::Add:
        case Op::Sub:
        case Op::Mul:
        case Op::Div:
        case Op::IntDiv:
        case Op::Mod:
        case Op::Pow:
            return Arithmetic(e.op, a, b, fmt);
        case Op::Eq:
        case Op::Ne:
        case Op::Lt:
        case Op::Gt:
        case Op::Le:
        case Op::Ge:
            return Comparison(e.op, a, b, fmt);
        case Op::And:
        case Op::Or:
        case Op::Xor:
        case Op::Eqv:
        case Op::Imp:
            return Logical(e.op, a, b, fmt);
        default:
            RaiseScriptError(se::kInternalError);
    }
}

Variant Interpreter::EvalNew(const Expr& e, Frame& f) {
    (void)f;
    pos_ = e.pos;
    auto it = globals_.find(e.key);
    if (it == globals_.end() || it->second.kind != GlobalKind::Class) RaiseScriptError(se::kClassNotDefined, e.name);
    std::shared_ptr<const ClassInfo> cls = it->second.cls;
    Ref<ScriptObject> obj = MakeRef<ScriptObject>(*this, cls, program_);
    Frame init;
    init.me = obj.Get();
    for (const auto& [slot, c] : cls->field_constants) obj->Field(slot) = EvalLet(*c->value, init);
    for (const auto& [slot, v] : cls->field_arrays) obj->Field(slot) = Variant(NewArray(v->bounds, init));
    if (cls->initialize) {
        CallProc(*cls->initialize, {}, obj.Get());
        pos_ = e.pos;
    }
    return Variant(ObjectRef(std::move(obj)));
}

// ---------------------------------------------------------------- calls

Variant Interpreter::CallProc(const ProcInfo& proc, std::span<Variant> args, ScriptObject* me) {
    DepthGuard depth(depth_);
    CheckStack();
    const ProcDecl& decl = *proc.decl;
    if (args.size() != decl.params.size()) RaiseScriptError(rt::kWrongArgumentCount, decl.name);
    ObjectRef keep;
    if (me && !me->Terminating()) keep = ObjectRef(me);
    Frame fr;
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

// Script code that the world calls (an event, a buddy call, a modal
// handler) and that fails without handling the error ends the script, as
// the error is the script's own: the caller in the world still sees the
// error, but whatever it does with it, the script stops with this report
// at its next step.
template <class F>
Variant Interpreter::FromOutside(F call) {
    if (quitting_ || fatal_) return Variant();
    try {
        return call();
    } catch (ScriptError& e) {
        NoteError(e);
        if (!fatal_) fatal_ = std::make_unique<ScriptError>(e);
        throw;
    }
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
        calling_script_object_ = dynamic_cast<ScriptObject*>(hold.Get()) != nullptr;
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

Variant Interpreter::CallBuiltin(const Expr& name, std::span<Variant> args) {
    const Builtin* b = FindBuiltin(name.key);
    pos_ = name.pos;
    if (!b) RaiseScriptError(rt::kTypeMismatch, name.name);
    const int n = static_cast<int>(args.size());
    if (n < b->min_args || n > b->max_args) RaiseScriptError(rt::kWrongArgumentCount, b->name);
    const SourcePos saved = pos_;
    Variant result = b->call(*this, args);
    pos_ = saved;
    return result;
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
        default:
            return VariantToString(v, Format());
    }
}

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
