#include "host/script/parser.hpp"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "host/script/text.hpp"

namespace quibor15::script {
namespace {

constexpr int kMaxNesting = 200;

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

    std::unique_ptr<Program> Run() {
        program_ = std::make_unique<Program>();
        SkipBreaks();
        if (IsKw(Peek(), u"option")) {
            Next();
            if (!IsKw(Peek(), u"explicit")) Fail(u"Expected 'Explicit'");
            Next();
            program_->option_explicit = true;
            EndOfStatement();
        }
        program_->body = ParseBlock(0);
        if (Peek().kind != TokenKind::End) FailUnexpectedTerminator();
        return std::move(program_);
    }

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
    unsigned TerminatorAt(const Token& tok) const {
        if (tok.kind != TokenKind::Identifier || tok.bracketed) return 0;
        if (tok.key == u"end") return kTermEnd;
        if (tok.key == u"else") return kTermElse;
        if (tok.key == u"elseif") return kTermElseIf;
        if (tok.key == u"case") return kTermCase;
        if (tok.key == u"next") return kTermNext;
        if (tok.key == u"loop") return kTermLoop;
        if (tok.key == u"wend") return kTermWend;
        return 0;
    }

    // Reads statements until a block terminator (any of `allowed`), which is
    // left for the caller; a terminator that is not allowed is an error.
    // `expected` names what closes the block, for the error when something
    // else does (or the script ends).
    Block ParseBlock(unsigned allowed, const char16_t* expected = nullptr) {
        DepthGuard guard(*this);
        ++open_blocks_;
        Block block;
        for (;;) {
            SkipBreaks();
            if (Peek().kind == TokenKind::End) {
                if (expected) Fail(expected);
                break;
            }
            const unsigned term = TerminatorAt(Peek());
            if (term != 0) {
                if (term & allowed) break;
                if (expected) Fail(expected);
                FailUnexpectedTerminator();
            }
            ParseStatementInto(block);
            EndOfStatement();
        }
        --open_blocks_;
        return block;
    }

    // Procedures and classes are declared at the top level only.
    void CheckDeclarationPlace(const Token& tok) const {
        if (open_blocks_ > 1 && !class_) FailAt(u"'" + tok.text + u"' cannot be declared inside a block", tok.pos);
    }

    [[noreturn]] void FailUnexpectedTerminator() {
        const Token& tok = Peek();
        if (IsKw(tok, u"end")) {
            const Token& what = Peek(1);
            Fail(u"Unexpected 'End " + what.text + u"'");
        }
        Fail(u"Unexpected '" + tok.text + u"'");
    }

    void ParseStatementInto(Block& block) {
        const Token& tok = Peek();
        if (with_depth_ > 0 && IsSym(tok, u".")) {
            block.push_back(ParseAssignOrCall());
            return;
        }
        if (tok.kind != TokenKind::Identifier) Fail(u"Expected statement");
        if (tok.bracketed) {
            block.push_back(ParseAssignOrCall());
            return;
        }
        const String& k = tok.key;
        if (k == u"dim") {
            Next();
            block.push_back(ParseDim(Scope()));
        } else if (k == u"public" || k == u"private") {
            ParseAccessDeclaration(block);
        } else if (k == u"redim") {
            block.push_back(ParseReDim());
        } else if (k == u"const") {
            block.push_back(ParseConst());
        } else if (k == u"sub" || k == u"function") {
            ParseProcedure(true, false);
        } else if (k == u"property") {
            FailAt(u"Property procedures belong in a class", tok.pos);
        } else if (k == u"class") {
            ParseClass();
        } else if (k == u"set" || k == u"let") {
            block.push_back(ParseSet());
        } else if (k == u"call") {
            block.push_back(ParseCall());
        } else if (k == u"if") {
            block.push_back(ParseIf());
        } else if (k == u"select") {
            block.push_back(ParseSelect());
        } else if (k == u"for") {
            block.push_back(ParseFor());
        } else if (k == u"do") {
            block.push_back(ParseDo());
        } else if (k == u"while") {
            block.push_back(ParseWhile());
        } else if (k == u"exit") {
            block.push_back(ParseExit());
        } else if (k == u"on") {
            block.push_back(ParseOnError());
        } else if (k == u"erase") {
            block.push_back(ParseErase());
        } else if (k == u"with") {
            block.push_back(ParseWith());
        } else if (k == u"option") {
            Fail(u"'Option Explicit' must come before any other statement");
        } else if (k == u"me" || !IsReservedWord(k)) {
            block.push_back(ParseAssignOrCall());
        } else {
            Fail(u"Expected statement");
        }
    }

    enum class ScopeKind { Global, Procedure, Class };
    ScopeKind Scope() const {
        if (proc_) return ScopeKind::Procedure;
        if (class_) return ScopeKind::Class;
        return ScopeKind::Global;
    }

    void Declare(const Token& name_tok) {
        auto& names = proc_ ? proc_names_ : (class_ ? class_names_ : global_names_);
        if (!names.insert(name_tok.key).second) FailAt(u"Name redefined", name_tok.pos);
    }

    VarDecl ParseVarDecl(bool declare) {
        const Token& name_tok = ExpectName();
        if (declare) Declare(name_tok);
        VarDecl v;
        v.name = name_tok.text;
        v.key = name_tok.key;
        v.pos = name_tok.pos;
        if (AcceptSym(u"(")) {
            v.is_array = true;
            if (!AcceptSym(u")")) {
                do {
                    v.bounds.push_back(ParseExpr());
                } while (AcceptSym(u","));
                ExpectSym(u")", u"Expected ')'");
            }
        }
        return v;
    }

    StmtPtr ParseDim(ScopeKind scope, bool is_public = true) {
        auto stmt = std::make_unique<DimStmt>();
        stmt->pos = Peek().pos;
        do {
            VarDecl v = ParseVarDecl(true);
            if (scope == ScopeKind::Class) {
                class_->fields.push_back(FieldDecl{std::move(v), is_public});
            } else {
                stmt->vars.push_back(std::move(v));
            }
        } while (AcceptSym(u","));
        if (scope == ScopeKind::Class) return nullptr;
        for (const VarDecl& v : stmt->vars) {
            if (scope == ScopeKind::Procedure)
                proc_->locals.push_back(&v);
            else
                program_->globals.push_back(&v);
        }
        // Declarations take effect when the scope starts; the statement
        // itself does nothing when it is reached.
        return stmt;
    }

    // Public/Private at the top level or in a class: variables, constants,
    // procedures.
    void ParseAccessDeclaration(Block& block) {
        const Token& access = Next();
        const bool is_public = access.key == u"public";
        if (proc_) FailAt(u"'" + access.text + u"' is not allowed inside a procedure", access.pos);
        bool is_default = false;
        if (IsKw(Peek(), u"default")) {
            if (!is_public || !class_) Fail(u"'Default' is only allowed on a public procedure of a class");
            Next();
            is_default = true;
        }
        if (IsKw(Peek(), u"sub") || IsKw(Peek(), u"function") || IsKw(Peek(), u"property")) {
            ParseProcedure(is_public, is_default);
            return;
        }
        if (is_default) Fail(u"Expected 'Function', 'Sub' or 'Property'");
        if (IsKw(Peek(), u"const")) {
            StmtPtr c = ParseConst();
            if (c) block.push_back(std::move(c));
            return;
        }
        StmtPtr dim = ParseDim(Scope(), is_public);
        if (dim) block.push_back(std::move(dim));
    }

    StmtPtr ParseReDim() {
        auto stmt = std::make_unique<ReDimStmt>();
        stmt->pos = Next().pos;
        stmt->preserve = AcceptKw(u"preserve");
        do {
            VarDecl v = ParseVarDecl(false);
            if (!v.is_array || v.bounds.empty()) FailAt(u"Expected '('", v.pos);
            stmt->vars.push_back(std::move(v));
        } while (AcceptSym(u","));
        return stmt;
    }

    StmtPtr ParseConst() {
        auto stmt = std::make_unique<ConstStmt>();
        stmt->pos = Next().pos;
        do {
            const Token& name_tok = ExpectName();
            Declare(name_tok);
            ConstDecl c;
            c.name = name_tok.text;
            c.key = name_tok.key;
            c.pos = name_tok.pos;
            ExpectSym(u"=", u"Expected '='");
            c.value = ParseExpr();
            stmt->consts.push_back(std::move(c));
        } while (AcceptSym(u","));
        for (const ConstDecl& c : stmt->consts) {
            if (proc_)
                proc_->constants.push_back(&c);
            else if (!class_)
                program_->constants.push_back(&c);
        }
        if (class_ && !proc_) {
            class_->constants.push_back(std::move(stmt));
            return nullptr;
        }
        return stmt;
    }

    void ParseProcedure(bool is_public, bool is_default) {
        const Token& kw = Next();
        if (proc_) FailAt(u"Procedures cannot be nested", kw.pos);
        CheckDeclarationPlace(kw);
        auto proc = std::make_unique<ProcDecl>();
        proc->pos = kw.pos;
        proc->is_public = is_public;
        proc->is_default = is_default;
        ExitKind exit_kind = ExitKind::Sub;
        String end_word = u"sub";
        if (kw.key == u"sub") {
            proc->kind = ProcKind::Sub;
        } else if (kw.key == u"function") {
            proc->kind = ProcKind::Function;
            exit_kind = ExitKind::Function;
            end_word = u"function";
        } else {
            if (!class_) FailAt(u"Property procedures belong in a class", kw.pos);
            exit_kind = ExitKind::Property;
            end_word = u"property";
            if (AcceptKw(u"get"))
                proc->kind = ProcKind::PropertyGet;
            else if (AcceptKw(u"let"))
                proc->kind = ProcKind::PropertyLet;
            else if (AcceptKw(u"set"))
                proc->kind = ProcKind::PropertySet;
            else
                Fail(u"Expected 'Get', 'Let' or 'Set'");
        }
        const Token& name_tok = ExpectName();
        proc->name = name_tok.text;
        proc->key = name_tok.key;
        if (proc->kind == ProcKind::Sub || proc->kind == ProcKind::Function)
            Declare(name_tok);
        else
            DeclareProperty(name_tok, proc->kind);

        proc_names_.clear();
        if (proc->kind == ProcKind::Function || proc->kind == ProcKind::PropertyGet) proc_names_.insert(proc->key);
        if (AcceptSym(u"(")) {
            if (!AcceptSym(u")")) {
                do {
                    Param param;
                    if (AcceptKw(u"byval"))
                        param.by_val = true;
                    else
                        AcceptKw(u"byref");
                    const Token& p = ExpectName();
                    if (!proc_names_.insert(p.key).second) FailAt(u"Name redefined", p.pos);
                    param.name = p.text;
                    param.key = p.key;
                    if (AcceptSym(u"(")) {
                        ExpectSym(u")", u"Expected ')'");
                        param.is_array = true;
                    }
                    proc->params.push_back(std::move(param));
                } while (AcceptSym(u","));
                ExpectSym(u")", u"Expected ')'");
            }
        }
        if ((proc->kind == ProcKind::PropertyLet || proc->kind == ProcKind::PropertySet) && proc->params.empty()) {
            FailAt(u"Property Let and Set need a parameter for the assigned value", kw.pos);
        }
        if (!AtStatementEnd()) Fail(u"Expected end of statement");

        proc_ = proc.get();
        exit_kind_ = exit_kind;
        std::vector<ExitKind> outer_loops = std::move(loops_);
        loops_.clear();
        proc->body = ParseBlock(kTermEnd, proc->kind == ProcKind::Sub        ? u"Expected 'End Sub'"
                                          : proc->kind == ProcKind::Function ? u"Expected 'End Function'"
                                                                             : u"Expected 'End Property'");
        loops_ = std::move(outer_loops);
        proc_ = nullptr;
        proc_names_.clear();
        ExpectEnd(end_word);
        if (class_)
            class_->procs.push_back(std::move(proc));
        else
            program_->procs.push_back(std::move(proc));
    }

    // A property may have a Get, a Let and a Set of the same name.
    void DeclareProperty(const Token& name_tok, ProcKind kind) {
        const String key = name_tok.key + u"\x01" + static_cast<char16_t>(u'0' + static_cast<int>(kind));
        if (class_names_.count(name_tok.key) && !property_names_.count(name_tok.key)) {
            FailAt(u"Name redefined", name_tok.pos);
        }
        if (!property_names_.insert(key).second) FailAt(u"Name redefined", name_tok.pos);
        property_names_.insert(name_tok.key);
        class_names_.insert(name_tok.key);
    }

    void ExpectEnd(std::u16string_view word) {
        if (!IsKw(Peek(), u"end")) Fail(u"Expected 'End'");
        Next();
        if (!IsKw(Peek(), word)) {
            String w(word);
            w[0] = static_cast<char16_t>(w[0] - 32);
            Fail(u"Expected '" + w + u"'");
        }
        Next();
    }

    void ParseClass() {
        const Token& kw = Next();
        if (class_ || proc_) FailAt(u"Classes cannot be nested", kw.pos);
        CheckDeclarationPlace(kw);
        const Token& name_tok = ExpectName();
        Declare(name_tok);
        auto cls = std::make_unique<ClassDecl>();
        cls->name = name_tok.text;
        cls->key = name_tok.key;
        cls->pos = kw.pos;
        EndOfStatement();
        class_ = cls.get();
        class_names_.clear();
        property_names_.clear();
        for (;;) {
            SkipBreaks();
            const Token& tok = Peek();
            if (tok.kind == TokenKind::End) Fail(u"Expected 'End Class'");
            if (IsKw(tok, u"end")) break;
            if (IsKw(tok, u"public") || IsKw(tok, u"private")) {
                Block unused;
                ParseAccessDeclaration(unused);
            } else if (IsKw(tok, u"dim")) {
                Next();
                ParseDim(ScopeKind::Class);
            } else if (IsKw(tok, u"sub") || IsKw(tok, u"function") || IsKw(tok, u"property")) {
                ParseProcedure(true, false);
            } else if (IsKw(tok, u"const")) {
                ParseConst();
            } else {
                Fail(u"Expected a declaration, a procedure or 'End Class'");
            }
            EndOfStatement();
        }
        ExpectEnd(u"class");
        int defaults = 0;
        for (const auto& p : cls->procs) defaults += p->is_default ? 1 : 0;
        if (defaults > 1) FailAt(u"A class can have only one default member", cls->pos);
        class_ = nullptr;
        class_names_.clear();
        property_names_.clear();
        program_->classes.push_back(std::move(cls));
    }

    StmtPtr ParseSet() {
        const Token& kw = Next();
        auto stmt = std::make_unique<AssignStmt>();
        stmt->pos = kw.pos;
        stmt->is_set = kw.key == u"set";
        size_t unused = 0;
        stmt->target = ParseReference(unused);
        ExpectSym(u"=", u"Expected '='");
        stmt->value = ParseExpr();
        return stmt;
    }

    StmtPtr ParseCall() {
        auto stmt = std::make_unique<CallStmt>();
        stmt->pos = Next().pos;
        size_t unused = 0;
        ExprPtr ref = ParseReference(unused);
        if (ref->kind == ExprKind::Call) {
            stmt->callee = std::move(ref->target);
            stmt->args = std::move(ref->args);
        } else {
            stmt->callee = std::move(ref);
        }
        return stmt;
    }

    // name, Me, followed by any number of .member and (arguments).
    // last_paren receives the token index of the final "(" when the
    // reference ends with an argument list.
    ExprPtr ParseReference(size_t& last_paren) {
        const Token& tok = Peek();
        ExprPtr e = std::make_unique<Expr>();
        e->pos = tok.pos;
        if (IsKw(tok, u"me")) {
            Next();
            e->kind = ExprKind::Me;
        } else if (with_depth_ > 0 && IsSym(tok, u".")) {
            Next();
            e->kind = ExprKind::With;
            e = MemberOf(std::move(e));
        } else {
            const Token& name_tok = ExpectName();
            e->kind = ExprKind::Name;
            e->name = name_tok.text;
            e->key = name_tok.key;
        }
        last_paren = 0;
        for (;;) {
            if (IsMemberDot()) {
                Next();
                e = MemberOf(std::move(e));
                last_paren = 0;
            } else if (IsSym(Peek(), u"(")) {
                last_paren = p_;
                e = CallOf(std::move(e));
            } else {
                return e;
            }
        }
    }

    // A "." that continues a reference; inside With, " .Name" after a blank
    // starts a new one (WScript.Echo .Caption).
    bool IsMemberDot() const {
        const Token& tok = Peek();
        return IsSym(tok, u".") && !(with_depth_ > 0 && tok.space_before);
    }

    ExprPtr MemberOf(ExprPtr target) {
        const Token& tok = Peek();
        if (tok.kind != TokenKind::Identifier) Fail(u"Expected identifier");
        Next();
        auto m = std::make_unique<Expr>();
        m->kind = ExprKind::Member;
        m->pos = tok.pos;
        m->name = tok.text;
        m->key = tok.key;
        m->target = std::move(target);
        return m;
    }

    ExprPtr CallOf(ExprPtr target) {
        auto c = std::make_unique<Expr>();
        c->kind = ExprKind::Call;
        c->pos = Peek().pos;
        Next();  // (
        c->target = std::move(target);
        if (!AcceptSym(u")")) {
            for (;;) {
                if (IsSym(Peek(), u",") || IsSym(Peek(), u")"))
                    c->args.push_back(nullptr);
                else
                    c->args.push_back(ParseExpr());
                if (AcceptSym(u",")) continue;
                ExpectSym(u")", u"Expected ')'");
                break;
            }
        }
        return c;
    }

    StmtPtr ParseAssignOrCall() {
        const SourcePos pos = Peek().pos;
        size_t last_paren = 0;
        ExprPtr ref = ParseReference(last_paren);
        if (AcceptSym(u"=")) {
            if (ref->kind == ExprKind::Me) FailAt(u"Cannot assign to 'Me'", pos);
            auto stmt = std::make_unique<AssignStmt>();
            stmt->pos = pos;
            stmt->target = std::move(ref);
            stmt->value = ParseExpr();
            return stmt;
        }
        auto stmt = std::make_unique<CallStmt>();
        stmt->pos = pos;
        if (AtStatementEnd()) {
            if (ref->kind == ExprKind::Call) {
                // name(x) alone: x in parentheses, passed as a value.
                if (ref->args.size() > 1) FailAt(u"Cannot use parentheses when calling a Sub", ref->pos);
                stmt->callee = std::move(ref->target);
                if (ref->args.size() == 1 && ref->args[0]) {
                    auto paren = std::make_unique<Expr>();
                    paren->kind = ExprKind::Paren;
                    paren->pos = ref->args[0]->pos;
                    paren->target = std::move(ref->args[0]);
                    stmt->args.push_back(std::move(paren));
                } else if (ref->args.size() == 1) {
                    stmt->args.push_back(nullptr);
                }
            } else {
                stmt->callee = std::move(ref);
            }
            return stmt;
        }
        if (ref->kind == ExprKind::Call && last_paren != 0) {
            // name (a) + 1, b: the parenthesis opened the first argument.
            p_ = last_paren;
            stmt->callee = std::move(ref->target);
        } else {
            stmt->callee = std::move(ref);
        }
        if (stmt->callee->kind == ExprKind::Me) FailAt(u"Expected statement", pos);
        for (;;) {
            if (IsSym(Peek(), u","))
                stmt->args.push_back(nullptr);
            else
                stmt->args.push_back(ParseExpr());
            if (!AcceptSym(u",")) break;
            if (AtStatementEnd()) stmt->args.push_back(nullptr);
        }
        return stmt;
    }

    StmtPtr ParseIf() {
        auto stmt = std::make_unique<IfStmt>();
        stmt->pos = Next().pos;
        ExprPtr cond = ParseExpr();
        ExpectKw(u"then", u"Expected 'Then'");
        if (Peek().kind != TokenKind::Newline && Peek().kind != TokenKind::Colon && Peek().kind != TokenKind::End) {
            return ParseSingleLineIf(std::move(stmt), std::move(cond));
        }
        IfStmt::Branch first;
        first.condition = std::move(cond);
        first.body = ParseBlock(kTermEnd | kTermElse | kTermElseIf, u"Expected 'End If'");
        stmt->branches.push_back(std::move(first));
        for (;;) {
            if (AcceptKw(u"elseif")) {
                IfStmt::Branch b;
                b.condition = ParseExpr();
                ExpectKw(u"then", u"Expected 'Then'");
                b.body = ParseBlock(kTermEnd | kTermElse | kTermElseIf, u"Expected 'End If'");
                stmt->branches.push_back(std::move(b));
            } else if (AcceptKw(u"else")) {
                stmt->else_body = ParseBlock(kTermEnd, u"Expected 'End If'");
                break;
            } else {
                break;
            }
        }
        if (Peek().kind == TokenKind::End) Fail(u"Expected 'End If'");
        ExpectEnd(u"if");
        return stmt;
    }

    // If c Then s1 : s2 Else s3 : s4, all on one line.
    StmtPtr ParseSingleLineIf(std::unique_ptr<IfStmt> stmt, ExprPtr cond) {
        ++single_line_if_;
        IfStmt::Branch branch;
        branch.condition = std::move(cond);
        branch.body = ParseLineStatements();
        stmt->branches.push_back(std::move(branch));
        if (AcceptKw(u"else")) {
            stmt->else_body = ParseLineStatements();
        }
        --single_line_if_;
        // An End If after a one-line If closes nothing.
        if (IsKw(Peek(), u"end") && IsKw(Peek(1), u"if")) Fail(u"Unexpected 'End If'");
        return stmt;
    }

    Block ParseLineStatements() {
        DepthGuard guard(*this);
        Block block;
        for (;;) {
            if (AtLineEnd() || IsKw(Peek(), u"else")) break;
            if (Peek().kind == TokenKind::Colon) {
                Next();
                continue;
            }
            const Token& tok = Peek();
            static constexpr std::u16string_view kBlockWords[] = {u"select",  u"for",      u"do",     u"while",
                                                                  u"sub",     u"function", u"class",  u"public",
                                                                  u"private", u"property", u"elseif", u"end"};
            for (std::u16string_view w : kBlockWords) {
                if (IsKw(tok, w)) Fail(u"'" + tok.text + u"' cannot be used in a one-line If");
            }
            ParseStatementInto(block);
            EndOfStatement();
        }
        return block;
    }

    StmtPtr ParseSelect() {
        auto stmt = std::make_unique<SelectStmt>();
        stmt->pos = Next().pos;
        ExpectKw(u"case", u"Expected 'Case'");
        stmt->subject = ParseExpr();
        EndOfStatement();
        SkipBreaks();
        bool seen_else = false;
        while (IsKw(Peek(), u"case")) {
            SelectStmt::Case c;
            c.pos = Next().pos;
            if (seen_else) FailAt(u"'Case Else' must be the last case", c.pos);
            if (AcceptKw(u"else")) {
                seen_else = true;
            } else {
                do {
                    c.values.push_back(ParseExpr());
                } while (AcceptSym(u","));
            }
            c.body = ParseBlock(kTermEnd | kTermCase, u"Expected 'End Select'");
            stmt->cases.push_back(std::move(c));
        }
        if (Peek().kind == TokenKind::End) Fail(u"Expected 'End Select'");
        ExpectEnd(u"select");
        return stmt;
    }

    ExprPtr ParseLoopVariable() {
        const Token& tok = ExpectName();
        auto v = std::make_unique<Expr>();
        v->kind = ExprKind::Name;
        v->pos = tok.pos;
        v->name = tok.text;
        v->key = tok.key;
        return v;
    }

    void ExpectNext(const Expr& variable) {
        if (Peek().kind == TokenKind::End) Fail(u"Expected 'Next'");
        if (!AcceptKw(u"next")) Fail(u"Expected 'Next'");
        if (Peek().kind == TokenKind::Identifier && !AtStatementEnd()) {
            const Token& name = Next();
            if (name.key != variable.key) FailAt(u"'Next' names another variable than its 'For'", name.pos);
        }
    }

    StmtPtr ParseFor() {
        const SourcePos pos = Next().pos;
        if (AcceptKw(u"each")) {
            auto stmt = std::make_unique<ForEachStmt>();
            stmt->pos = pos;
            stmt->variable = ParseLoopVariable();
            ExpectKw(u"in", u"Expected 'In'");
            stmt->group = ParseExpr();
            EndOfStatement();
            loops_.push_back(ExitKind::For);
            stmt->body = ParseBlock(kTermNext, u"Expected 'Next'");
            loops_.pop_back();
            ExpectNext(*stmt->variable);
            return stmt;
        }
        auto stmt = std::make_unique<ForStmt>();
        stmt->pos = pos;
        stmt->variable = ParseLoopVariable();
        ExpectSym(u"=", u"Expected '='");
        stmt->from = ParseExpr();
        ExpectKw(u"to", u"Expected 'To'");
        stmt->to = ParseExpr();
        if (AcceptKw(u"step")) stmt->step = ParseExpr();
        EndOfStatement();
        loops_.push_back(ExitKind::For);
        stmt->body = ParseBlock(kTermNext, u"Expected 'Next'");
        loops_.pop_back();
        ExpectNext(*stmt->variable);
        return stmt;
    }

    StmtPtr ParseDo() {
        auto stmt = std::make_unique<DoStmt>();
        stmt->pos = Next().pos;
        if (AcceptKw(u"while")) {
            stmt->test = DoStmt::Test::PreWhile;
            stmt->condition = ParseExpr();
        } else if (AcceptKw(u"until")) {
            stmt->test = DoStmt::Test::PreUntil;
            stmt->condition = ParseExpr();
        }
        EndOfStatement();
        loops_.push_back(ExitKind::Do);
        stmt->body = ParseBlock(kTermLoop, u"Expected 'Loop'");
        loops_.pop_back();
        if (!AcceptKw(u"loop")) Fail(u"Expected 'Loop'");
        if (AcceptKw(u"while")) {
            if (stmt->test != DoStmt::Test::None) Fail(u"A loop can test its condition only once");
            stmt->test = DoStmt::Test::PostWhile;
            stmt->condition = ParseExpr();
        } else if (AcceptKw(u"until")) {
            if (stmt->test != DoStmt::Test::None) Fail(u"A loop can test its condition only once");
            stmt->test = DoStmt::Test::PostUntil;
            stmt->condition = ParseExpr();
        }
        return stmt;
    }

    // While ... Wend: a Do While loop that Exit Do cannot leave.
    StmtPtr ParseWhile() {
        auto stmt = std::make_unique<DoStmt>();
        stmt->pos = Next().pos;
        stmt->test = DoStmt::Test::PreWhile;
        stmt->condition = ParseExpr();
        EndOfStatement();
        loops_.push_back(ExitKind::Property);  // a marker no Exit matches
        stmt->body = ParseBlock(kTermWend, u"Expected 'Wend'");
        loops_.pop_back();
        if (!AcceptKw(u"wend")) Fail(u"Expected 'Wend'");
        return stmt;
    }

    StmtPtr ParseExit() {
        auto stmt = std::make_unique<ExitStmt>();
        stmt->pos = Next().pos;
        const Token& what = Peek();
        bool valid = false;
        if (IsKw(what, u"do") || IsKw(what, u"for")) {
            stmt->what = IsKw(what, u"do") ? ExitKind::Do : ExitKind::For;
            valid = std::find(loops_.begin(), loops_.end(), stmt->what) != loops_.end();
        } else if (IsKw(what, u"sub") || IsKw(what, u"function") || IsKw(what, u"property")) {
            stmt->what = IsKw(what, u"sub") ? ExitKind::Sub
                                            : (IsKw(what, u"function") ? ExitKind::Function : ExitKind::Property);
            valid = proc_ != nullptr && exit_kind_ == stmt->what;
        } else {
            Fail(u"Expected 'Do', 'For', 'Sub', 'Function' or 'Property'");
        }
        if (!valid) FailAt(u"Invalid 'exit' statement", stmt->pos);
        Next();
        return stmt;
    }

    StmtPtr ParseOnError() {
        auto stmt = std::make_unique<OnErrorStmt>();
        stmt->pos = Next().pos;
        ExpectKw(u"error", u"Expected 'Error'");
        if (AcceptKw(u"resume")) {
            ExpectKw(u"next", u"Expected 'Next'");
            stmt->resume_next = true;
        } else if (AcceptKw(u"goto")) {
            const Token& zero = Peek();
            if (zero.kind != TokenKind::Literal || zero.literal.kind != Literal::Kind::Integer ||
                zero.literal.number != 0) {
                Fail(u"Only 'On Error GoTo 0' is supported");
            }
            Next();
        } else {
            Fail(u"Expected 'Resume' or 'GoTo'");
        }
        return stmt;
    }

    // With object ... End With: .name inside means object.name.
    StmtPtr ParseWith() {
        auto stmt = std::make_unique<WithStmt>();
        stmt->pos = Next().pos;
        stmt->object = ParseExpr();
        EndOfStatement();
        ++with_depth_;
        stmt->body = ParseBlock(kTermEnd, u"Expected 'End With'");
        --with_depth_;
        ExpectEnd(u"with");
        return stmt;
    }

    StmtPtr ParseErase() {
        auto stmt = std::make_unique<EraseStmt>();
        stmt->pos = Next().pos;
        stmt->variable = ParseLoopVariable();
        return stmt;
    }

    // ---- expressions, loosest binding first
    ExprPtr ParseExpr() {
        DepthGuard guard(*this);
        return ParseImp();
    }

    ExprPtr Binary(Op op, ExprPtr lhs, ExprPtr rhs, SourcePos pos) {
        auto e = std::make_unique<Expr>();
        e->kind = ExprKind::Binary;
        e->op = op;
        e->pos = pos;
        e->target = std::move(lhs);
        e->rhs = std::move(rhs);
        return e;
    }
    ExprPtr Unary(Op op, ExprPtr operand, SourcePos pos) {
        auto e = std::make_unique<Expr>();
        e->kind = ExprKind::Unary;
        e->op = op;
        e->pos = pos;
        e->target = std::move(operand);
        return e;
    }

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
    ExprPtr ParseNot() {
        if (IsKw(Peek(), u"not")) {
            const SourcePos pos = Next().pos;
            DepthGuard guard(*this);
            return Unary(Op::Not, ParseNot(), pos);
        }
        return ParseCompare();
    }
    ExprPtr ParseCompare() {
        ExprPtr lhs = ParseConcat();
        for (;;) {
            const Token& tok = Peek();
            Op op = Op::None;
            if (IsSym(tok, u"="))
                op = Op::Eq;
            else if (IsSym(tok, u"<>"))
                op = Op::Ne;
            else if (IsSym(tok, u"<"))
                op = Op::Lt;
            else if (IsSym(tok, u">"))
                op = Op::Gt;
            else if (IsSym(tok, u"<="))
                op = Op::Le;
            else if (IsSym(tok, u">="))
                op = Op::Ge;
            else if (IsKw(tok, u"is"))
                op = Op::Is;
            if (op == Op::None) return lhs;
            const SourcePos pos = Next().pos;
            DepthGuard guard(*this);
            lhs = Binary(op, std::move(lhs), ParseConcat(), pos);
        }
    }
    ExprPtr ParseConcat() { return LeftAssoc(&Parser::ParseAdd, {{u"&", Op::Concat}}, false); }
    ExprPtr ParseAdd() { return LeftAssoc(&Parser::ParseMod, {{u"+", Op::Add}, {u"-", Op::Sub}}, false); }
    ExprPtr ParseMod() { return LeftAssoc(&Parser::ParseIntDiv, {{u"mod", Op::Mod}}, true); }
    ExprPtr ParseIntDiv() { return LeftAssoc(&Parser::ParseMul, {{u"\\", Op::IntDiv}}, false); }
    ExprPtr ParseMul() { return LeftAssoc(&Parser::ParseUnary, {{u"*", Op::Mul}, {u"/", Op::Div}}, false); }
    ExprPtr ParseUnary() {
        if (IsSym(Peek(), u"-") || IsSym(Peek(), u"+")) {
            const Token& tok = Next();
            DepthGuard guard(*this);
            ExprPtr operand = ParseUnary();
            return tok.text == u"-" ? Unary(Op::Neg, std::move(operand), tok.pos) : std::move(operand);
        }
        return ParsePower();
    }
    // ^ binds tighter than a leading minus (-2 ^ 2 is -4) but takes one on
    // its right (2 ^ -1).
    ExprPtr ParsePower() {
        ExprPtr lhs = ParsePostfix();
        while (IsSym(Peek(), u"^")) {
            const SourcePos pos = Next().pos;
            DepthGuard guard(*this);
            lhs = Binary(Op::Pow, std::move(lhs), ParsePowerOperand(), pos);
        }
        return lhs;
    }
    ExprPtr ParsePowerOperand() {
        if (IsSym(Peek(), u"-") || IsSym(Peek(), u"+")) {
            const Token& tok = Next();
            DepthGuard guard(*this);
            ExprPtr operand = ParsePowerOperand();
            return tok.text == u"-" ? Unary(Op::Neg, std::move(operand), tok.pos) : std::move(operand);
        }
        return ParsePostfix();
    }

    ExprPtr ParsePostfix() {
        ExprPtr e = ParsePrimary();
        for (;;) {
            if (IsMemberDot()) {
                Next();
                e = MemberOf(std::move(e));
            } else if (IsSym(Peek(), u"(") && e->kind != ExprKind::Literal) {
                e = CallOf(std::move(e));
            } else {
                return e;
            }
        }
    }

    ExprPtr ParsePrimary() {
        const Token& tok = Peek();
        auto e = std::make_unique<Expr>();
        e->pos = tok.pos;
        if (tok.kind == TokenKind::Literal) {
            Next();
            e->kind = ExprKind::Literal;
            e->literal = tok.literal;
            return e;
        }
        if (with_depth_ > 0 && IsSym(tok, u".")) {
            Next();
            e->kind = ExprKind::With;
            return MemberOf(std::move(e));
        }
        if (IsSym(tok, u"(")) {
            Next();
            e->kind = ExprKind::Paren;
            e->target = ParseExpr();
            ExpectSym(u")", u"Expected ')'");
            return e;
        }
        if (tok.kind != TokenKind::Identifier) Fail(u"Expected expression");
        if (!tok.bracketed) {
            const String& k = tok.key;
            using K = Literal::Kind;
            if (k == u"true" || k == u"false") {
                Next();
                e->literal = Literal::Number(K::Boolean, k == u"true" ? -1 : 0);
                return e;
            }
            if (k == u"nothing" || k == u"empty" || k == u"null") {
                Next();
                e->literal.kind = k == u"nothing" ? K::Nothing : (k == u"empty" ? K::Empty : K::Null);
                return e;
            }
            if (k == u"me") {
                Next();
                e->kind = ExprKind::Me;
                return e;
            }
            if (k == u"new") {
                Next();
                const Token& cls = ExpectName();
                e->kind = ExprKind::New;
                e->name = cls.text;
                e->key = cls.key;
                return e;
            }
            if (IsReservedWord(k)) Fail(u"Expected expression");
        }
        Next();
        e->kind = ExprKind::Name;
        e->name = tok.text;
        e->key = tok.key;
        return e;
    }

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

}  // namespace

bool IsReservedWord(std::u16string_view key) {
    static const std::unordered_set<std::u16string_view> kWords = {
        u"and",    u"byref",  u"byval", u"call",    u"case",   u"class", u"const",  u"dim",   u"do",       u"each",
        u"else",   u"elseif", u"empty", u"end",     u"eqv",    u"erase", u"exit",   u"false", u"for",      u"function",
        u"get",    u"goto",   u"if",    u"imp",     u"in",     u"is",    u"let",    u"loop",  u"me",       u"mod",
        u"new",    u"next",   u"not",   u"nothing", u"null",   u"on",    u"option", u"or",    u"preserve", u"private",
        u"public", u"redim",  u"rem",   u"resume",  u"select", u"set",   u"sub",    u"then",  u"to",       u"true",
        u"until",  u"wend",   u"while", u"with",    u"xor"};
    return kWords.count(key) != 0;
}

std::unique_ptr<Program> Parse(std::u16string_view source) { return Parser(Tokenize(source)).Run(); }

}  // namespace quibor15::script
