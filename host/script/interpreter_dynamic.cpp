// Code a script makes while it runs: Eval, Execute, ExecuteGlobal, and the
// procedure objects of GetRef.

#include "host/script/interpreter_impl.hpp"
#include "host/script/parser.hpp"

namespace quibor15::script {

namespace {

// A syntax error in code made at run time is a run-time error of the
// statement that runs it.
[[noreturn]] void RaiseSyntaxError(const SyntaxError& e) {
    throw ScriptError(e.Number(), kCompileErrorSource, e.Description());
}

}  // namespace

Variant Interpreter::EvalText(std::u16string_view expression) {
    if (!frame_) RaiseScriptError(rt::kInvalidProcedureCall);
    ExprPtr e;
    try {
        e = ParseExpression(expression);
    } catch (const SyntaxError& err) {
        RaiseSyntaxError(err);
    }
    const SourcePos saved = pos_;
    Variant result = Eval(*e, *frame_);
    pos_ = saved;
    return result;
}

// The declarations of executed code: its procedures and classes are global
// (a later definition replaces an earlier one); its variables and constants
// belong to the scope it runs in.
void Interpreter::DeclareCode(const Program& code, Frame& f) {
    for (const auto& cls : code.classes) PrepareClass(*cls);
    for (const auto& proc : code.procs) {
        procs_.push_back(PrepareProc(*proc, nullptr));
        GlobalEntry entry;
        entry.kind = GlobalKind::Proc;
        entry.proc = procs_.back().get();
        globals_[proc->key] = entry;
        NewGeneration();
    }
    for (const VarDecl* v : code.globals) {
        Expr name;
        name.kind = ExprKind::Name;
        name.name = v->name;
        name.key = v->key;
        Resolved r = Resolve(v->key, f);
        Variant* var = r.kind == Resolved::Kind::Variable ? r.var : DeclareVariable(name, f);
        if (v->is_array) {
            pos_ = v->pos;
            var->Assign(Variant(NewArray(v->bounds, f)));
        }
    }
    for (const ConstDecl* c : code.constants) {
        Expr name;
        name.kind = ExprKind::Name;
        name.name = c->name;
        name.key = c->key;
        pos_ = c->pos;
        Variant value = EvalLet(*c->value, f);
        DeclareVariable(name, f)->Assign(std::move(value));
    }
}

void Interpreter::ExecuteText(std::u16string_view statements, bool global) {
    if (!frame_) RaiseScriptError(rt::kInvalidProcedureCall);
    std::shared_ptr<const Program> code;
    try {
        code = Parse(statements);
    } catch (const SyntaxError& err) {
        RaiseSyntaxError(err);
    }
    executed_.push_back(code);
    const SourcePos saved = pos_;
    Frame top;
    Frame& f = global ? top : *frame_;
    struct Restore {
        Frame*& frame;
        Frame* saved;
        ~Restore() { frame = saved; }
    } restore{frame_, frame_};
    frame_ = &f;
    DeclareCode(*code, f);
    ExecBlock(code->body, f);
    pos_ = saved;
}

Variant ProcedureObject::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    if (!*alive_) throw AutomationError(rt::kActionNotSupported, kRuntimeErrorSource, u"The script has ended");
    if (id != kDispIdValue || (flags & (kInvokePropertyPut | kInvokePropertyPutRef))) {
        RaiseScriptError(rt::kMemberNotSupported);
    }
    SelfRef hold(this);
    if (std::exchange(interp_.calling_script_object_, false)) return interp_.CallProc(proc_, args, nullptr);
    return interp_.CallFromOutside(proc_, args, nullptr);
}

ObjectRef Interpreter::ProcedureRef(std::u16string_view name) {
    const ProcInfo* proc = FindGlobalProc(name);
    if (!proc) RaiseScriptError(rt::kInvalidProcedureCall);
    return ObjectRef(MakeRef<ProcedureObject>(*this, *proc));
}

}  // namespace quibor15::script
