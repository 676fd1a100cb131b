// The parser's state and steps, shared by the files that read each part of
// the language (parser*.cpp).
#pragma once

#include <algorithm>
#include <unordered_set>

#include "host/script/parser.hpp"
#include "host/script/syntax_error.hpp"

namespace quibor15::script {

inline constexpr int kMaxNesting = 200;

// Statement-starting words that close the block being read.
enum Terminator : unsigned {
    kTermEnd = 1,
    kTermElse = 2,
    kTermElseIf = 4,
    kTermCase = 8,
    kTermNext = 16,
    kTermLoop = 32,
    kTermWend = 64,
};

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : t_(std::move(tokens)) {}

    std::unique_ptr<Program> Run();
    ExprPtr RunExpression();

private:
    // ---- tokens
    const Token& Peek(size_t ahead = 0) const { return t_[std::min(p_ + ahead, t_.size() - 1)]; }
    const Token& Next() {
        const Token& tok = t_[p_];
        if (p_ + 1 < t_.size()) ++p_;
        return tok;
    }
    static bool IsKw(const Token& tok, std::u16string_view key) {
        return tok.kind == TokenKind::Identifier && !tok.bracketed && tok.key == key;
    }
    static bool IsSym(const Token& tok, std::u16string_view sym) {
        return tok.kind == TokenKind::Symbol && tok.text == sym;
    }
    bool AcceptKw(std::u16string_view key) {
        if (!IsKw(Peek(), key)) return false;
        Next();
        return true;
    }
    bool AcceptSym(std::u16string_view sym) {
        if (!IsSym(Peek(), sym)) return false;
        Next();
        return true;
    }
    [[noreturn]] void Fail(const String& description) const { throw SyntaxError(description, Peek().pos); }
    [[noreturn]] void FailAt(const String& description, SourcePos pos) const { throw SyntaxError(description, pos); }
    void ExpectKw(std::u16string_view key, const char16_t* description) {
        if (!AcceptKw(key)) Fail(description);
    }
    void ExpectSym(std::u16string_view sym, const char16_t* description) {
        if (!AcceptSym(sym)) Fail(description);
    }
    bool AtLineEnd() const {
        const TokenKind k = Peek().kind;
        return k == TokenKind::Newline || k == TokenKind::End;
    }
    bool AtStatementEnd() const {
        const TokenKind k = Peek().kind;
        return k == TokenKind::Newline || k == TokenKind::Colon || k == TokenKind::End ||
               (single_line_if_ > 0 && IsKw(Peek(), u"else"));
    }
    void EndOfStatement() {
        if (!AtStatementEnd()) Fail(u"Expected end of statement");
    }
    void SkipBreaks() {
        while (Peek().kind == TokenKind::Newline || Peek().kind == TokenKind::Colon) Next();
    }
    // A name that can be declared or called: an identifier that is not a
    // reserved word.
    const Token& ExpectName() {
        const Token& tok = Peek();
        if (tok.kind != TokenKind::Identifier || (!tok.bracketed && IsReservedWord(tok.key))) {
            Fail(u"Expected identifier");
        }
        return Next();
    }

    struct DepthGuard {
        explicit DepthGuard(Parser& p) : p_(p) {
            if (++p_.depth_ > kMaxNesting) p_.Fail(u"Expression or block nested too deeply");
        }
        ~DepthGuard() { --p_.depth_; }
        Parser& p_;
    };

    // ---- blocks and statements
    unsigned TerminatorAt(const Token& tok) const;

    // Reads statements until a block terminator (any of `allowed`), which is
    // left for the caller; a terminator that is not allowed is an error.
    // `expected` names what closes the block, for the error when something
    // else does (or the script ends).
    Block ParseBlock(unsigned allowed, const char16_t* expected = nullptr);

    // Procedures and classes are declared at the top level only.
    void CheckDeclarationPlace(const Token& tok) const;

    [[noreturn]] void FailUnexpectedTerminator();

    void ParseStatementInto(Block& block);

    enum class ScopeKind { Global, Procedure, Class };
    ScopeKind Scope() const;

    void Declare(const Token& name_tok);

    VarDecl ParseVarDecl(bool declare);

    StmtPtr ParseDim(ScopeKind scope, bool is_public = true);

    // Public/Private at the top level or in a class: variables, constants,
    // procedures.
    void ParseAccessDeclaration(Block& block);

    StmtPtr ParseReDim();

    StmtPtr ParseConst();

    void ParseProcedure(bool is_public, bool is_default);

    // A property may have a Get, a Let and a Set of the same name.
    void DeclareProperty(const Token& name_tok, ProcKind kind);

    void ExpectEnd(std::u16string_view word);

    void ParseClass();

    StmtPtr ParseSet();

    StmtPtr ParseCall();

    // name, Me, followed by any number of .member and (arguments).
    // last_paren receives the token index of the final "(" when the
    // reference ends with an argument list.
    ExprPtr ParseReference(size_t& last_paren);

    // A "." that continues a reference; inside With, " .Name" after a blank
    // starts a new one (WScript.Echo .Caption).
    bool IsMemberDot() const;

    ExprPtr MemberOf(ExprPtr target);

    ExprPtr CallOf(ExprPtr target);

    StmtPtr ParseAssignOrCall();

    StmtPtr ParseIf();

    // If c Then s1 : s2 Else s3 : s4, all on one line.
    StmtPtr ParseSingleLineIf(std::unique_ptr<IfStmt> stmt, ExprPtr cond);

    Block ParseLineStatements();

    StmtPtr ParseSelect();

    ExprPtr ParseLoopVariable();

    void ExpectNext(const Expr& variable);

    StmtPtr ParseFor();

    StmtPtr ParseDo();

    // While ... Wend: a Do While loop that Exit Do cannot leave.
    StmtPtr ParseWhile();

    StmtPtr ParseExit();

    StmtPtr ParseOnError();

    // With object ... End With: .name inside means object.name.
    StmtPtr ParseWith();

    StmtPtr ParseErase();

    // ---- expressions, loosest binding first
    ExprPtr ParseExpr();

    ExprPtr Binary(Op op, ExprPtr lhs, ExprPtr rhs, SourcePos pos);
    ExprPtr Unary(Op op, ExprPtr operand, SourcePos pos);

    template <class Operand>
    ExprPtr LeftAssoc(Operand next, std::initializer_list<std::pair<std::u16string_view, Op>> ops, bool keywords) {
        ExprPtr lhs = (this->*next)();
        for (;;) {
            const Token& tok = Peek();
            Op found = Op::None;
            for (const auto& [text, op] : ops) {
                if (keywords ? IsKw(tok, text) : IsSym(tok, text)) found = op;
            }
            if (found == Op::None) return lhs;
            const SourcePos pos = Next().pos;
            DepthGuard guard(*this);
            lhs = Binary(found, std::move(lhs), (this->*next)(), pos);
        }
    }

    ExprPtr ParseImp() { return LeftAssoc(&Parser::ParseEqv, {{u"imp", Op::Imp}}, true); }
    ExprPtr ParseEqv() { return LeftAssoc(&Parser::ParseXor, {{u"eqv", Op::Eqv}}, true); }
    ExprPtr ParseXor() { return LeftAssoc(&Parser::ParseOr, {{u"xor", Op::Xor}}, true); }
    ExprPtr ParseOr() { return LeftAssoc(&Parser::ParseAnd, {{u"or", Op::Or}}, true); }
    ExprPtr ParseAnd() { return LeftAssoc(&Parser::ParseNot, {{u"and", Op::And}}, true); }
    ExprPtr ParseNot();
    ExprPtr ParseCompare();
    ExprPtr ParseConcat() { return LeftAssoc(&Parser::ParseAdd, {{u"&", Op::Concat}}, false); }
    ExprPtr ParseAdd() { return LeftAssoc(&Parser::ParseMod, {{u"+", Op::Add}, {u"-", Op::Sub}}, false); }
    ExprPtr ParseMod() { return LeftAssoc(&Parser::ParseIntDiv, {{u"mod", Op::Mod}}, true); }
    ExprPtr ParseIntDiv() { return LeftAssoc(&Parser::ParseMul, {{u"\\", Op::IntDiv}}, false); }
    ExprPtr ParseMul() { return LeftAssoc(&Parser::ParseUnary, {{u"*", Op::Mul}, {u"/", Op::Div}}, false); }
    ExprPtr ParseUnary();
    // ^ binds tighter than a leading minus (-2 ^ 2 is -4) but takes one on
    // its right (2 ^ -1).
    ExprPtr ParsePower();
    ExprPtr ParsePowerOperand();

    ExprPtr ParsePostfix();

    ExprPtr ParsePrimary();

    std::vector<Token> t_;
    size_t p_ = 0;
    int depth_ = 0;
    int open_blocks_ = 0;
    int with_depth_ = 0;
    int single_line_if_ = 0;
    std::unique_ptr<Program> program_;
    ProcDecl* proc_ = nullptr;
    ClassDecl* class_ = nullptr;
    ExitKind exit_kind_ = ExitKind::Sub;
    std::vector<ExitKind> loops_;
    std::unordered_set<String> global_names_, class_names_, proc_names_, property_names_;
};

}  // namespace quibor15::script
