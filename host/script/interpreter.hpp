// Runs a parsed script: variables are Variants, procedures take their
// arguments by reference unless declared ByVal, classes make late-bound
// objects the component can call, and WScript.CreateObject connects the
// component's events to the script's Subs.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "host/script/ast.hpp"
#include "host/script/builtins.hpp"
#include "host/script/script_error.hpp"
#include "host/script/script_host.hpp"

namespace quibor15::script {

class Interpreter;
class ScriptObject;
struct ClassInfo;

// A procedure prepared for calls: the slot of every parameter and local.
struct ProcInfo {
    const ProcDecl* decl = nullptr;
    const ClassInfo* owner = nullptr;  // the class of a method, else null
    std::unordered_map<String, uint32_t> slot_of;
    uint32_t slot_count = 0;
    int result_slot = -1;  // Function and Property Get: the procedure's own name
    std::vector<std::pair<uint32_t, const VarDecl*>> arrays;
    std::vector<std::pair<uint32_t, const ConstDecl*>> constants;
    std::vector<bool> is_constant;     // by slot
    std::vector<bool> is_fixed_array;  // by slot: Dim'd with bounds, so ReDim refuses it
};

// A member of a class as late binding sees it: a field or a procedure
// group (Sub/Function, or the Get/Let/Set of a property).
struct MemberInfo {
    String name;
    bool is_public = true;
    int field = -1;
    bool is_constant = false;
    bool is_fixed_array = false;
    const ProcInfo* method = nullptr;
    const ProcInfo* get = nullptr;
    const ProcInfo* let = nullptr;
    const ProcInfo* set = nullptr;
};

struct ClassInfo {
    const ClassDecl* decl = nullptr;
    // Per instance: fields that start as arrays, and class constants.
    std::vector<std::pair<uint32_t, const VarDecl*>> field_arrays;
    std::vector<std::pair<uint32_t, const ConstDecl*>> field_constants;
    std::vector<MemberInfo> members;  // DISPID = index + 1
    std::unordered_map<String, uint32_t> member_of;
    int default_member = -1;
    uint32_t field_count = 0;
    std::vector<std::unique_ptr<ProcInfo>> procs;
    const ProcInfo* initialize = nullptr;
    const ProcInfo* terminate = nullptr;

    static DispId IdOf(uint32_t member) { return static_cast<DispId>(member + 1); }
};

// How a script run ended.
struct RunOutcome {
    enum class Kind { Completed, Quit, Failed };
    Kind kind = Kind::Completed;
    int32_t exit_code = 0;
    // Failed: the uncaught error and where it arose.
    int32_t number = 0;
    String source;
    String description;
    SourcePos pos;
};

class Interpreter {
public:
    Interpreter(std::shared_ptr<const Program> program, ScriptHost& host);
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // A read-only global name for an object of the world (WScript, Forms).
    void AddNamedObject(std::u16string_view name, ObjectRef object);

    // Bounds a run to this many statements (each block entered counts as
    // one, so an empty loop is bounded too); past it the run fails with
    // "Script execution time was exceeded", which On Error Resume Next does
    // not catch. 0, the default, is no bound.
    void SetStatementBudget(uint64_t statements) noexcept { statement_budget_ = statements; }

    // Runs the top-level code, then releases the script's variables (so
    // Class_Terminate runs while the world is still there).
    RunOutcome Run();

    // ---- used by the script's objects, the built-in functions and WScript
    ScriptHost& Host() noexcept { return host_; }
    const NumberFormat& Format() {
        if (!fmt_valid_) {
            fmt_ = host_.SystemNumberFormat();
            fmt_.grouped = true;  // CDbl("1,234.5") reads as a script expects
            fmt_valid_ = true;
        }
        return fmt_;
    }
    // Calls into the world may change the system locale.
    void ForgetFormat() noexcept { fmt_valid_ = false; }
    // The format an operation on these values reads: only a text read as a
    // number needs the system's, so a script that reads none never opens
    // the locale database for it.
    const NumberFormat& FormatFor(const Variant& a) { return a.IsString() ? Format() : kUnreadFormat; }
    const NumberFormat& FormatFor(const Variant& a, const Variant& b) {
        return a.IsString() || b.IsString() ? Format() : kUnreadFormat;
    }
    // A value as text the way CStr writes it; objects give their default
    // member. Null raises 94.
    String Text(const Variant& value);
    // The same appended to out.
    void AppendText(String& out, const Variant& value);
    // An object's default member read without arguments.
    Variant DefaultValue(const ObjectRef& object);
    // Objects read through their default member; other values unchanged.
    Variant Plain(Variant value);
    // A connection object that calls the script's Sub prefix + EventName for
    // each event `source` raises.
    ObjectRef MakeEventSink(const ObjectRef& source, std::u16string_view prefix);
    // The Err object.
    const ObjectRef& ErrObject() const noexcept { return err_; }
    void SetErr(int32_t number, String source, String description);
    int32_t ErrNumber() const noexcept { return err_number_; }
    const String& ErrSource() const noexcept { return err_source_; }
    const String& ErrDescription() const noexcept { return err_description_; }
    void ClearErr() { SetErr(0, String(), String()); }

    // Calls a procedure of the script from outside (the component, an event).
    Variant CallFromOutside(const ProcInfo& proc, std::span<Variant> args, ScriptObject* me);
    const ProcInfo* FindGlobalProc(std::u16string_view name) const;
    // Releases the fields of a script object that is going, without
    // nesting releases (see interpreter.cpp).
    void Bury(std::deque<Variant>&& fields);
    // The token that tells objects of the script whether this interpreter
    // still runs: false once it is destroyed.
    const std::shared_ptr<bool>& AliveToken() const noexcept { return alive_; }
    // Stops the script (WScript.Quit).
    [[noreturn]] void Quit(int32_t exit_code);
    // The state of Rnd's generator (Randomize sets it).
    uint32_t& RandomSeed() noexcept { return random_seed_; }

    // Code the script makes as it runs (interpreter_dynamic.cpp). Eval
    // evaluates an expression and Execute runs statements in the scope of
    // the running procedure; ExecuteGlobal runs them at the top level, so
    // what they declare is global. A syntax error in the text raises it as a
    // run-time error.
    Variant EvalText(std::u16string_view expression);
    void ExecuteText(std::u16string_view statements, bool global);
    // GetRef: an object whose default member calls the global procedure.
    ObjectRef ProcedureRef(std::u16string_view name);

private:
    struct Frame;
    enum class Flow { Normal, ExitDo, ExitFor, ExitProc };
    struct Resolved;
    struct Args;
    enum class GlobalKind { Variable, Constant, Proc, Class };
    struct GlobalEntry {
        GlobalKind kind = GlobalKind::Variable;
        uint32_t slot = 0;
        bool is_fixed_array = false;
        const ProcInfo* proc = nullptr;
        std::shared_ptr<const ClassInfo> cls;
    };

    // Unwinds the script after fatal_ is set; On Error Resume Next does not
    // stop it.
    struct FatalSignal {};
    template <class F>
    Variant FromOutside(F call);
    void Fail(RunOutcome& outcome, const ScriptError& e) const;
    void CheckStack() const;
    void SpendStatement();

    void Prepare();
    std::unique_ptr<ProcInfo> PrepareProc(const ProcDecl& decl, const ClassInfo* owner);
    void PrepareClass(const ClassDecl& decl);
    void DeclareGlobals();

    // statements
    Flow ExecBlock(const Block& block, Frame& f);
    Flow Exec(const Stmt& s, Frame& f);
    void ExecAssign(const AssignStmt& s, Frame& f);
    bool AppendInPlace(const AssignStmt& s, Frame& f);
    void ExecCall(const CallStmt& s, Frame& f);
    Flow ExecFor(const ForStmt& s, Frame& f);
    Flow ExecForEach(const ForEachStmt& s, Frame& f);
    Flow ExecDo(const DoStmt& s, Frame& f);
    Flow ExecSelect(const SelectStmt& s, Frame& f);
    void ExecReDim(const ReDimStmt& s, Frame& f);
    void ExecErase(const EraseStmt& s, Frame& f);
    void NoteError(ScriptError& e);

    // expressions
    Variant Eval(const Expr& e, Frame& f);
    Variant EvalLet(const Expr& e, Frame& f);  // objects read through their default member
    Variant EvalName(const Expr& e, Frame& f);
    Variant EvalCall(const Expr& e, Frame& f);
    Variant EvalMember(const Expr& e, Frame& f);
    bool IsOwnName(const Expr& name, const Frame& f) const;
    Variant CallOwnProc(const std::vector<ExprPtr>& arg_exprs, Frame& f);
    Variant EvalBinary(const Expr& e, Frame& f);
    // An operand's value when it had to be made (not read in place).
    using Held = std::optional<Variant>;
    const Variant& LeftOperand(const Expr& e, Frame& f, Held& held);
    const Variant& Operand(const Expr& e, Frame& f, Held& held);
    const Variant& HoldValue(Variant&& value, Held& held);
    bool IsInert(const Expr& e, Frame& f);
    const Variant* PlainValueOf(const Expr& name, Frame& f);
    Variant EvalNew(const Expr& e, Frame& f);
    ObjectRef EvalObject(const Expr& e, Frame& f);
    bool EvalCondition(const Expr& e, Frame& f);
    bool TestCondition(const Expr& e, Frame& f, bool on_error);
    // Runs fn, turning the engine's own failures (conversions, array access,
    // memory) into script errors at the current position.
    template <class F>
    auto Guarded(F fn);
    void EvalArgs(const std::vector<ExprPtr>& exprs, Frame& f, Args& args);
    std::vector<int32_t> EvalIndices(const std::vector<ExprPtr>& exprs, Frame& f);
    SafeArray NewArray(const std::vector<ExprPtr>& bounds, Frame& f);

    Resolved Resolve(const String& key, Frame& f, NameMemo* memo = nullptr);
    // The same for a name in the code, through its memo.
    Resolved Resolve(const Expr& name, Frame& f);
    Variant* DeclareImplicit(const Expr& name, Frame& f);  // refused under Option Explicit
    Variant* DeclareVariable(const Expr& name, Frame& f);
    void AssignTo(Variant& target, Variant&& value, bool is_set);

    // calls
    Variant CallProc(const ProcInfo& proc, std::span<Variant> args, ScriptObject* me);
    Variant InvokeObject(const ObjectRef& obj, const Expr& member, uint16_t flags, std::span<Variant> args);
    Variant InvokeDispatch(const ObjectRef& obj, DispId id, uint16_t flags, std::span<Variant> args);
    bool TakesNoArguments(const ScriptObject& obj, DispId id, uint16_t flags) const;
    Variant ApplyToDefault(const Variant& value, const Expr& member, uint16_t flags, std::span<Variant> args);
    Variant InvokeMember(ScriptObject& me, const MemberInfo& member, uint16_t flags, std::span<Variant> args);
    Variant CallBuiltin(const Builtin& b, const Expr& name, std::span<Variant> args);
    Variant IndexValue(const Variant& container, std::span<Variant> args, const Expr& where);

    void DeclareCode(const Program& code, Frame& f);

    friend class ScriptObject;
    friend class ProcedureObject;

    std::shared_ptr<const Program> program_;
    ScriptHost& host_;
    std::shared_ptr<bool> alive_;
    std::vector<std::unique_ptr<ProcInfo>> procs_;
    std::vector<std::shared_ptr<ClassInfo>> classes_;
    std::unordered_map<String, GlobalEntry> globals_;
    // Changes whenever a name is declared anywhere, which may change what
    // another resolves to; name memos of an older generation are stale.
    // Generations are unique across interpreters, so that a memo another
    // interpreter left in a shared program never matches this one.
    uint64_t generation_ = 0;
    void NewGeneration() noexcept;
    std::deque<Variant> global_slots_;
    ObjectRef err_;
    int32_t err_number_ = 0;
    String err_source_;
    String err_description_;
    NumberFormat fmt_;
    bool fmt_valid_ = false;
    static inline const NumberFormat kUnreadFormat{};
    SourcePos pos_;
    int depth_ = 0;
    bool quitting_ = false;
    int32_t quit_code_ = 0;
    // The error that ended script code called from the world; the script
    // stops at its next step.
    std::unique_ptr<ScriptError> fatal_;
    // Set for the length of the interpreter's own call into a script
    // object, so the object knows the call did not come from the world.
    bool calling_script_object_ = false;
    std::vector<std::deque<Variant>> buried_;
    // Where Run started on the stack, and how far below it script code may go.
    const char* stack_base_ = nullptr;
    size_t stack_budget_ = 0;
    // The global classes' members by name, once looked up (Nothing: none).
    std::unordered_map<String, ObjectRef> global_members_;
    bool burying_ = false;
    uint64_t statement_budget_ = 0;
    uint64_t statements_run_ = 0;
    uint32_t random_seed_ = 0x50000;
    // The frame of the code that runs now (Eval and Execute work in it).
    Frame* frame_ = nullptr;
    // Code made by Execute and ExecuteGlobal, kept while its procedures may run.
    std::vector<std::shared_ptr<const Program>> executed_;
    // Argument lists no call is using, kept for the next (see Args).
    std::vector<std::vector<Variant>> spare_args_;
};

// An instance of a script class: a late-bound object whose public members
// anyone holding it can call, the component included.
class ScriptObject : public Object {
public:
    ScriptObject(Interpreter& interp, std::shared_ptr<const ClassInfo> cls, std::shared_ptr<const Program> program);
    ~ScriptObject() override;

    String TypeName() const override;
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;

    const ClassInfo& Class() const noexcept { return *cls_; }
    Variant& Field(uint32_t index) { return fields_[index]; }
    bool Terminating() const noexcept { return terminating_; }

private:
    Interpreter& interp_;  // valid while *alive_
    std::shared_ptr<bool> alive_;
    std::shared_ptr<const Program> program_;  // keeps the class's code
    std::shared_ptr<const ClassInfo> cls_;
    std::deque<Variant> fields_;
    bool terminating_ = false;
    friend class Interpreter;
};

}  // namespace quibor15::script
