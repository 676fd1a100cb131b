// Evaluates expressions: names, calls and indexing, operators, New.

#include "host/script/interpreter_impl.hpp"
#include "host/script/objects/runtime_object.hpp"

namespace quibor15::script {

// ---------------------------------------------------------------- expressions

Variant Interpreter::Eval(const Expr& e, Frame& f) {
    switch (e.kind) {
        case ExprKind::Literal:
            return LiteralOf(e);
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
            return e.op == Op::Neg ? Negate(v, FormatFor(v)) : LogicalNot(v, FormatFor(v));
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
    Variant v = Eval(e, f);
    if (v.IsByRef() || v.IsObject()) v = Plain(std::move(v));
    pos_ = e.pos;
    return Truth(v, FormatFor(v));
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
    Resolved r = Resolve(e, f);
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
            return CallBuiltin(*r.builtin, e, {});
        case Resolved::Kind::GlobalMember:
            return InvokeObject(*r.owner, e, kInvokeMethod | kInvokePropertyGet, {});
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
            Resolved r = Resolve(*x, f);
            if (r.kind == Resolved::Kind::Variable) {
                args.values.push_back(Variant::ByRef(*r.var));
                continue;
            }
        } else if (x->kind == ExprKind::Call && x->target->kind == ExprKind::Name) {
            Resolved r = Resolve(*x->target, f);
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
    Args args(*this);
    if (t.kind == ExprKind::Name) {
        Resolved r = Resolve(t, f);
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
                return CallBuiltin(*r.builtin, t, args.values);
            }
            case Resolved::Kind::GlobalMember: {
                EvalArgs(e.args, f, args);
                Variant result = InvokeObject(*r.owner, t, kInvokeMethod | kInvokePropertyGet, args.values);
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
    Args args(*this);
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
    Held held_a, held_b;
    const Variant& a = LeftOperand(e, f, held_a);
    const Variant& b = Operand(*e.rhs, f, held_b);
    pos_ = e.pos;
    const NumberFormat& fmt = FormatFor(a, b);
    switch (e.op) {
        case Op::Concat: {
            if (a.IsNull() && b.IsNull()) return Variant::Null();
            // A left operand made for this operation (the usual a & b & c)
            // grows in place.
            String* owned = held_a && &a == &*held_a ? held_a->As<String>() : nullptr;
            const String* as = a.As<String>();
            const String* bs = b.As<String>();
            if (owned || (as && !bs)) {
                String text;
                if (!owned) text = *as;
                String& head = owned ? *owned : text;
                if (bs) {
                    CheckTextLength(head.size() + bs->size());
                    head.append(*bs);
                } else if (!b.IsNull()) {
                    AppendText(head, b);
                }
                return owned ? std::move(*held_a) : Variant(std::move(text));
            }
            String tail_text;
            const String& tail = b.IsNull() ? tail_text : (bs ? *bs : (tail_text = Text(b)));
            String head_text;
            const String& head = a.IsNull() ? head_text : (as ? *as : (head_text = Text(a)));
            CheckTextLength(head.size() + tail.size());
            String text;
            text.reserve(head.size() + tail.size());
            text += head;
            text += tail;
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
            return Comparison(e.op, a, b, fmt, {IsLiteral(*e.target), IsLiteral(*e.rhs)});
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

// The left operand of e. A variable's value is read in place when the
// right operand cannot change it, else copied; anything else is evaluated
// into held.
const Variant& Interpreter::LeftOperand(const Expr& e, Frame& f, Held& held) {
    const Expr& x = *e.target;
    if (x.kind == ExprKind::Literal) return LiteralOf(x);
    if (x.kind == ExprKind::Name) {
        if (const Variant* v = PlainValueOf(x, f)) {
            if (IsInert(*e.rhs, f)) return *v;
            return held.emplace(*v);
        }
    }
    return HoldValue(Eval(x, f), held);
}

// An operand's plain value: a variable's or a literal's read in place,
// anything else evaluated into held.
const Variant& Interpreter::Operand(const Expr& e, Frame& f, Held& held) {
    if (e.kind == ExprKind::Literal) return LiteralOf(e);
    if (e.kind == ExprKind::Name) {
        if (const Variant* v = PlainValueOf(e, f)) return *v;
    }
    return HoldValue(Eval(e, f), held);
}

// True when evaluating e runs no script code, so cannot change a variable:
// literals, variables that hold no object, operators and built-in
// functions (other than those that may run script code) on such.
bool Interpreter::IsInert(const Expr& e, Frame& f) {
    switch (e.kind) {
        case ExprKind::Literal:
            return true;
        case ExprKind::Name:
            return PlainValueOf(e, f) != nullptr;
        case ExprKind::Paren:
        case ExprKind::Unary:
            return IsInert(*e.target, f);
        case ExprKind::Binary:
            return IsInert(*e.target, f) && IsInert(*e.rhs, f);
        case ExprKind::Call: {
            if (e.target->kind != ExprKind::Name) return false;
            Resolved r = Resolve(*e.target, f);
            if (r.kind != Resolved::Kind::Builtin || r.builtin->may_run_script) return false;
            for (const ExprPtr& arg : e.args) {
                if (arg && !IsInert(*arg, f)) return false;
            }
            return true;
        }
        default:
            return false;
    }
}

Variant Interpreter::EvalNew(const Expr& e, Frame& f) {
    (void)f;
    pos_ = e.pos;
    auto it = globals_.find(e.key);
    if (it == globals_.end() || it->second.kind != GlobalKind::Class) {
        if (e.key == u"regexp") return Variant(MakeRegExp(*this));
        RaiseScriptError(se::kClassNotDefined, e.name);
    }
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

}  // namespace quibor15::script
