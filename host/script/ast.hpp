// The parsed form of a script: expressions, statements, procedures and
// classes. The parser builds it once; the interpreter walks it.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "host/script/lexer.hpp"
#include "quibor15/variant.hpp"

namespace quibor15::script {

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

enum class ExprKind {
    Literal,  // literal
    Name,     // name
    Member,   // target.name
    Call,     // target(args): a call, an array element or a default member
    Paren,    // (target): passes a value where a variable would pass a reference
    Unary,    // op target
    Binary,   // target op rhs
    New,      // New name
    Me,
    With,  // the object of the innermost With block (.name inside it)
};

enum class Op {
    None,
    Neg,
    Not,
    Pow,
    Mul,
    Div,
    IntDiv,
    Mod,
    Add,
    Sub,
    Concat,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Is,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
};

// What a name resolved to where it was last run, so the next run of the
// same code need not look it up again (the interpreter fills and checks it).
struct NameMemo {
    const void* proc = nullptr;  // the procedure it ran in
    const void* cls = nullptr;   // the class of Me
    uint64_t generation = 0;     // of the global names; 0: nothing kept
    uint8_t where = 0;           // where it was found
    uint8_t result = 0;          // what it is
    bool is_fixed_array = false;
    uint32_t slot = 0;
    const void* target = nullptr;
};

struct Expr {
    ExprKind kind = ExprKind::Literal;
    SourcePos pos;
    Literal literal;
    String name;  // Name, Member, New: as written
    String key;   // its lookup key
    ExprPtr target;
    ExprPtr rhs;
    std::vector<ExprPtr> args;  // Call; a null entry is a left-out argument
    Op op = Op::None;
    mutable NameMemo memo;  // Name
    // Literal: its value, made when first needed.
    mutable Variant value;
    mutable bool has_value = false;
};

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

enum class StmtKind {
    Dim,
    ReDim,
    Const,
    Assign,
    Call,
    If,
    Select,
    For,
    ForEach,
    Do,
    Exit,
    OnError,
    Erase,
    With,
};

struct Stmt {
    explicit Stmt(StmtKind k) : kind(k) {}
    virtual ~Stmt() = default;
    StmtKind kind;
    SourcePos pos;
};

// A declared variable: a scalar, a fixed array (bounds given) or a dynamic
// array (empty parentheses).
struct VarDecl {
    String name;
    String key;
    SourcePos pos;
    bool is_array = false;
    std::vector<ExprPtr> bounds;  // upper bounds, one per dimension
};

struct DimStmt : Stmt {
    DimStmt() : Stmt(StmtKind::Dim) {}
    std::vector<VarDecl> vars;
};

struct ReDimStmt : Stmt {
    ReDimStmt() : Stmt(StmtKind::ReDim) {}
    bool preserve = false;
    std::vector<VarDecl> vars;
};

struct ConstDecl {
    String name;
    String key;
    SourcePos pos;
    ExprPtr value;
};

struct ConstStmt : Stmt {
    ConstStmt() : Stmt(StmtKind::Const) {}
    std::vector<ConstDecl> consts;
};

struct AssignStmt : Stmt {
    AssignStmt() : Stmt(StmtKind::Assign) {}
    bool is_set = false;
    ExprPtr target;  // Name, Member or Call
    ExprPtr value;
};

struct CallStmt : Stmt {
    CallStmt() : Stmt(StmtKind::Call) {}
    ExprPtr callee;  // Name or Member (or any expression whose default member is called)
    std::vector<ExprPtr> args;
};

struct IfStmt : Stmt {
    IfStmt() : Stmt(StmtKind::If) {}
    struct Branch {
        ExprPtr condition;
        Block body;
    };
    std::vector<Branch> branches;
    Block else_body;
};

struct SelectStmt : Stmt {
    SelectStmt() : Stmt(StmtKind::Select) {}
    struct Case {
        std::vector<ExprPtr> values;  // empty: Case Else
        Block body;
        SourcePos pos;
    };
    ExprPtr subject;
    std::vector<Case> cases;
};

struct ForStmt : Stmt {
    ForStmt() : Stmt(StmtKind::For) {}
    ExprPtr variable;  // a Name
    ExprPtr from, to, step;
    Block body;
};

struct ForEachStmt : Stmt {
    ForEachStmt() : Stmt(StmtKind::ForEach) {}
    ExprPtr variable;  // a Name
    ExprPtr group;
    Block body;
};

struct DoStmt : Stmt {
    DoStmt() : Stmt(StmtKind::Do) {}
    enum class Test { None, PreWhile, PreUntil, PostWhile, PostUntil };
    Test test = Test::None;
    ExprPtr condition;
    Block body;
};

enum class ExitKind { Do, For, Sub, Function, Property };

struct ExitStmt : Stmt {
    ExitStmt() : Stmt(StmtKind::Exit) {}
    ExitKind what = ExitKind::Sub;
};

struct OnErrorStmt : Stmt {
    OnErrorStmt() : Stmt(StmtKind::OnError) {}
    bool resume_next = false;
};

struct EraseStmt : Stmt {
    EraseStmt() : Stmt(StmtKind::Erase) {}
    ExprPtr variable;
};

struct WithStmt : Stmt {
    WithStmt() : Stmt(StmtKind::With) {}
    ExprPtr object;
    Block body;
};

enum class ProcKind { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct Param {
    String name;
    String key;
    bool by_val = false;
    bool is_array = false;  // written name()
};

// Sub, Function or Property procedure. Every name it declares (Dim, Const,
// ReDim of an undeclared name) is a local known from its first line on.
struct ProcDecl {
    ProcKind kind = ProcKind::Sub;
    String name;
    String key;
    SourcePos pos;
    bool is_public = true;
    bool is_default = false;
    std::vector<Param> params;
    Block body;
    std::vector<const VarDecl*> locals;       // Dim'd variables in order
    std::vector<const ConstDecl*> constants;  // Consts in order
};

struct FieldDecl {
    VarDecl var;
    bool is_public = true;
};

struct ClassDecl {
    String name;
    String key;
    SourcePos pos;
    std::vector<FieldDecl> fields;
    std::vector<std::unique_ptr<ProcDecl>> procs;
    std::vector<std::unique_ptr<ConstStmt>> constants;
};

struct Program {
    bool option_explicit = false;
    Block body;  // the top-level statements in order
    std::vector<std::unique_ptr<ProcDecl>> procs;
    std::vector<std::unique_ptr<ClassDecl>> classes;
    std::vector<const VarDecl*> globals;      // Dim'd at top level, in order
    std::vector<const ConstDecl*> constants;  // top-level Consts in order
};

}  // namespace quibor15::script
