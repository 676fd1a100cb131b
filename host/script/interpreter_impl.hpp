// The interpreter's inner parts, shared by the files that run statements,
// expressions, calls and objects (interpreter*.cpp, script_object.cpp).
#pragma once

#include <deque>
#include <list>
#include <new>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "host/script/interpreter.hpp"
#include "host/script/operators.hpp"
#include "host/script/text.hpp"

namespace quibor15::script {

// Deeper recursion is refused with "Out of stack space" long before the
// process stack could run out.
inline constexpr int kMaxCallDepth = 600;

// The most elements a Dim or ReDim makes (each is a Variant).
inline constexpr uint64_t kMaxArrayElements = uint64_t{1} << 24;

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

inline Variant LiteralValue(const Literal& lit) {
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

inline const Variant& LiteralOf(const Expr& e) {
    if (!e.has_value) {
        e.value = LiteralValue(e.literal);
        e.has_value = true;
    }
    return e.value;
}

// A literal as the script wrote it, a negative number included.
inline bool IsLiteral(const Expr& e) {
    return e.kind == ExprKind::Literal || (e.kind == ExprKind::Unary && e.op == Op::Neg && IsLiteral(*e.target));
}

// A plain copy of a value: never a reference to someone's variable.
inline Variant Copy(const Variant& v) { return Variant(v.Deref()); }

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
    bool is_fixed_array = false;
    const Variant* constant = nullptr;
    const ProcInfo* proc = nullptr;
    const MemberInfo* member = nullptr;
    const Builtin* builtin = nullptr;
    const ObjectRef* owner = nullptr;  // GlobalMember: the global class instance (kept in global_members_)
};

inline void Interpreter::CheckStack() const {
    const char probe = 0;
    if (stack_base_ && stack_base_ > &probe && static_cast<size_t>(stack_base_ - &probe) > stack_budget_) {
        RaiseScriptError(se::kOutOfStackSpace);
    }
}

// Where a memo says a name was found.
enum class Where : uint8_t { Nowhere, ProcSlot, Field, Member, GlobalSlot, Proc, Class, Builtin, BuiltinConstant };

// A name in the code, through its memo when that still holds (inline: every
// name the script reads or writes comes here).
[[gnu::always_inline]] inline Interpreter::Resolved Interpreter::Resolve(const Expr& name, Frame& f) {
    const NameMemo& m = name.memo;
    if (m.generation != generation_ || m.proc != f.proc || m.cls != (f.me ? &f.me->Class() : nullptr)) {
        return Resolve(name.key, f, &name.memo);
    }
    Resolved r;
    r.kind = static_cast<Resolved::Kind>(m.result);
    r.is_fixed_array = m.is_fixed_array;
    switch (static_cast<Where>(m.where)) {
        case Where::ProcSlot:
            r.var = &f.slots[m.slot];
            break;
        case Where::Field:
            r.var = &f.me->Field(m.slot);
            break;
        case Where::Member:
            r.member = static_cast<const MemberInfo*>(m.target);
            break;
        case Where::GlobalSlot:
            r.var = static_cast<Variant*>(const_cast<void*>(m.target));
            break;
        case Where::Proc:
            r.proc = static_cast<const ProcInfo*>(m.target);
            break;
        case Where::Builtin:
            r.builtin = static_cast<const Builtin*>(m.target);
            break;
        case Where::BuiltinConstant:
            r.constant = static_cast<const Variant*>(m.target);
            break;
        case Where::Class:
        case Where::Nowhere:
            break;
    }
    return r;
}

// The value a name in the code reads in place: a variable's or constant's
// that holds no object, or a built-in constant's; null when reading it
// takes a call or an object's default member. The memo's answer is read
// directly (every operand comes here), the full lookup only when it is stale.
inline const Variant* Interpreter::PlainValueOf(const Expr& name, Frame& f) {
    const NameMemo& m = name.memo;
    const Variant* v = nullptr;
    if (m.generation == generation_ && m.proc == f.proc && m.cls == (f.me ? &f.me->Class() : nullptr)) {
        switch (static_cast<Where>(m.where)) {
            case Where::ProcSlot:
                v = &f.slots[m.slot];
                break;
            case Where::Field:
                v = &f.me->Field(m.slot);
                break;
            case Where::GlobalSlot:
                v = static_cast<const Variant*>(m.target);
                break;
            case Where::BuiltinConstant:
                return static_cast<const Variant*>(m.target);
            default:
                return nullptr;
        }
    } else {
        const Resolved r = Resolve(name.key, f, &name.memo);
        if (r.kind == Resolved::Kind::BuiltinConstant) return r.constant;
        if (r.kind != Resolved::Kind::Variable && r.kind != Resolved::Kind::Constant) return nullptr;
        v = r.var;
    }
    const Variant& plain = v->Deref();
    return plain.IsObject() ? nullptr : &plain;
}

// A value made for an operation, kept in held as its plain value.
inline const Variant& Interpreter::HoldValue(Variant&& value, Held& held) {
    const Variant::Storage& raw = value.Raw();
    if (std::holds_alternative<VariantRef>(raw) || std::holds_alternative<ObjectRef>(raw)) {
        return held.emplace(Plain(std::move(value)));
    }
    return held.emplace(std::move(value));
}

// Evaluated arguments. A variable goes by reference; an array element goes
// as a copy that is written back after the call, so a callee that resizes
// the array cannot leave a dangling reference behind.
struct Interpreter::Args {
    // The values' storage comes from the interpreter's spares and goes back
    // to them, so a call allocates nothing for its arguments.
    explicit Args(Interpreter& in) : spares(in.spare_args_) {
        if (!spares.empty()) {
            values = std::move(spares.back());
            spares.pop_back();
        }
    }
    ~Args() {
        values.clear();
        if (values.capacity() > 16) return;
        try {
            spares.push_back(std::move(values));
        } catch (const std::bad_alloc&) {
        }
    }
    Args(const Args&) = delete;
    Args& operator=(const Args&) = delete;

    std::vector<std::vector<Variant>>& spares;
    std::vector<Variant> values;
    std::list<Variant> temps;  // stays unallocated for the usual call
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

// What GetRef gives: calling its default member calls the procedure.
class ProcedureObject : public Object {
public:
    ProcedureObject(Interpreter& interp, const ProcInfo& proc)
        : interp_(interp), alive_(interp.AliveToken()), proc_(proc) {}

    String TypeName() const override { return u"Object"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;

private:
    Interpreter& interp_;  // valid while *alive_
    std::shared_ptr<bool> alive_;
    const ProcInfo& proc_;
};

template <class F>
auto Interpreter::Guarded(F fn) {
    auto fail = [this](int32_t number, String description) {
        ScriptError se(number, kRuntimeErrorSource, std::move(description));
        se.SetPos(pos_);
        return se;
    };
    try {
        return fn();
    } catch (ScriptError&) {
        throw;
    } catch (const AutomationError& e) {
        String description = ScriptErrorDescription(e.Number());
        if (description == u"Unknown runtime error") description = e.Description();
        throw fail(e.Number(), std::move(description));
    } catch (const std::bad_alloc&) {
        throw fail(se::kOutOfMemory, ScriptErrorDescription(se::kOutOfMemory));
    } catch (const std::length_error&) {
        throw fail(se::kOutOfMemory, ScriptErrorDescription(se::kOutOfMemory));
    }
}

}  // namespace quibor15::script
