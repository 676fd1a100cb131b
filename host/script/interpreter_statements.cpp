// Runs statements: blocks, assignments, calls, loops, ReDim and Erase.

#include <limits>
#include <new>

#include "host/script/interpreter_impl.hpp"

namespace quibor15::script {

void Interpreter::SpendStatement() {
    if (statement_budget_ == 0) return;
    if (statements_run_ < statement_budget_) {
        ++statements_run_;
        return;
    }
    if (!fatal_) {
        fatal_ = std::make_unique<ScriptError>(0, kRuntimeErrorSource, u"Script execution time was exceeded");
        fatal_->SetPos(pos_);
    }
    throw FatalSignal{};
}

Interpreter::Flow Interpreter::ExecBlock(const Block& block, Frame& f) {
    SpendStatement();
    for (const StmtPtr& sp : block) {
        if (quitting_) throw QuitRequest{quit_code_};
        if (fatal_) throw FatalSignal{};
        SpendStatement();
        const Stmt& s = *sp;
        pos_ = s.pos;
        Flow flow = Flow::Normal;
        try {
            flow = Guarded([&] { return Exec(s, f); });
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

// Under On Error Resume Next, a condition that fails goes on with the
// statement after it: the first of the body for If and a loop's test at its
// top, the one after the loop for a test at its bottom.
bool Interpreter::TestCondition(const Expr& e, Frame& f, bool on_error) {
    if (!f.resume_next) return EvalCondition(e, f);
    try {
        return Guarded([&] { return EvalCondition(e, f); });
    } catch (ScriptError& err) {
        NoteError(err);
        if (!f.resume_next) throw;
        SetErr(err.Number(), err.Source(), err.Description());
        return on_error;
    }
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
                if (TestCondition(*b.condition, f, true)) return ExecBlock(b.body, f);
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

// s = s & x with s holding a text appends x to it where it is, sparing the
// copy of s that building a text line by line would otherwise make each time.
bool Interpreter::AppendInPlace(const AssignStmt& s, Frame& f) {
    const Expr& t = *s.target;
    const Expr& v = *s.value;
    if (s.is_set || t.kind != ExprKind::Name || v.kind != ExprKind::Binary || v.op != Op::Concat ||
        v.target->kind != ExprKind::Name || v.target->key != t.key) {
        return false;
    }
    Resolved r = Resolve(t, f);
    if (r.kind != Resolved::Kind::Variable) return false;
    String* text = r.var->Deref().As<String>();
    if (!text || !IsInert(*v.rhs, f)) return false;
    Held held;
    const Variant& b = Operand(*v.rhs, f, held);
    pos_ = v.pos;
    if (b.IsNull()) return true;
    const String* bs = b.As<String>();
    String tail_text;
    const String& tail = bs ? *bs : (tail_text = Text(b));
    CheckTextLength(text->size() + tail.size());
    text->append(tail);
    return true;
}

void Interpreter::ExecAssign(const AssignStmt& s, Frame& f) {
    if (AppendInPlace(s, f)) return;
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
            Resolved r = Resolve(t, f);
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
            Args args(*this);
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
                Resolved r = Resolve(inner, f);
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
    Args args(*this);
    switch (callee.kind) {
        case ExprKind::Name: {
            if (IsOwnName(callee, f)) {
                CallOwnProc(s.args, f);
                return;
            }
            Resolved r = Resolve(callee, f);
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
                    CallBuiltin(*r.builtin, callee, args.values);
                    return;
                case Resolved::Kind::GlobalMember:
                    EvalArgs(s.args, f, args);
                    InvokeObject(*r.owner, callee, kInvokeMethod, args.values);
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

// Adds a whole step to a whole counter where it is, while the sum keeps the
// counter's type (as Arithmetic's sum would); false leaves the rest to it.
static bool StepInPlace(Variant& counter, const Variant& step) {
    const Variant& by = step.Deref();
    if (Long* l = counter.As<Long>()) {
        int64_t s = 0;
        if (const Long* sl = by.As<Long>())
            s = *sl;
        else if (const Integer* si = by.As<Integer>())
            s = *si;
        else
            return false;
        const int64_t r = *l + s;
        if (r < std::numeric_limits<Long>::min() || r > std::numeric_limits<Long>::max()) return false;
        *l = static_cast<Long>(r);
        return true;
    }
    if (Integer* i = counter.As<Integer>()) {
        const Integer* si = by.As<Integer>();
        if (!si) return false;
        const int32_t r = *i + *si;
        if (r < std::numeric_limits<Integer>::min() || r > std::numeric_limits<Integer>::max()) return false;
        *i = static_cast<Integer>(r);
        return true;
    }
    return false;
}

Interpreter::Flow Interpreter::ExecFor(const ForStmt& s, Frame& f) {
    const Expr& var_expr = *s.variable;
    Resolved r = Resolve(var_expr, f);
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
    const NumberFormat fmt = from.IsString() || to.IsString() || step.IsString() ? Format() : kUnreadFormat;
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
        if (!StepInPlace(counter->Deref(), step))
            counter->Assign(Arithmetic(Op::Add, counter->Deref(), step, FormatFor(*counter, step)));
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::ExecForEach(const ForEachStmt& s, Frame& f) {
    const Expr& var_expr = *s.variable;
    Resolved r = Resolve(var_expr, f);
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
        if (s.test == T::PreWhile && !TestCondition(*s.condition, f, true)) break;
        if (s.test == T::PreUntil && TestCondition(*s.condition, f, false)) break;
        const Flow flow = ExecBlock(s.body, f);
        if (flow == Flow::ExitDo) break;
        if (flow != Flow::Normal) return flow;
        pos_ = s.pos;
        if (s.test == T::PostWhile && !TestCondition(*s.condition, f, false)) break;
        if (s.test == T::PostUntil && TestCondition(*s.condition, f, true)) break;
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
            if (Compare(subject, v, FormatFor(subject, v), {IsLiteral(*s.subject), IsLiteral(*value)}).value_or(1) ==
                0) {
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
            if (r.is_fixed_array) RaiseScriptError(se::kArrayFixed);
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
    Resolved r = Resolve(*s.variable, f);
    if (r.kind != Resolved::Kind::Variable) RaiseScriptError(rt::kTypeMismatch, s.variable->name);
    SafeArray* a = r.var->Deref().Array();
    if (!a) RaiseScriptError(rt::kTypeMismatch, s.variable->name);
    // A fixed array keeps its bounds with its elements emptied; a dynamic
    // one is freed until the next ReDim.
    if (r.is_fixed_array) {
        for (Variant& element : a->Data()) element = Variant();
    } else {
        r.var->Assign(Variant(SafeArray(VarType::Variant, {})));
    }
}

}  // namespace quibor15::script
