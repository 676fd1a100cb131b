// Dim, ReDim, Const, procedures and classes.
#include "host/script/parser_impl.hpp"
#include "host/script/text.hpp"

namespace quibor15::script {

VarDecl Parser::ParseVarDecl(bool declare) {
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

StmtPtr Parser::ParseDim(ScopeKind scope, bool is_public) {
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
void Parser::ParseAccessDeclaration(Block& block) {
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

StmtPtr Parser::ParseReDim() {
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

StmtPtr Parser::ParseConst() {
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

void Parser::ParseProcedure(bool is_public, bool is_default) {
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
void Parser::DeclareProperty(const Token& name_tok, ProcKind kind) {
    const String key = name_tok.key + u"\x01" + static_cast<char16_t>(u'0' + static_cast<int>(kind));
    if (class_names_.count(name_tok.key) && !property_names_.count(name_tok.key)) {
        FailAt(u"Name redefined", name_tok.pos);
    }
    if (!property_names_.insert(key).second) FailAt(u"Name redefined", name_tok.pos);
    property_names_.insert(name_tok.key);
    class_names_.insert(name_tok.key);
}

void Parser::ExpectEnd(std::u16string_view word) {
    if (!IsKw(Peek(), u"end")) Fail(u"Expected 'End'");
    Next();
    if (!IsKw(Peek(), word)) {
        String w(word);
        w[0] = static_cast<char16_t>(w[0] - 32);
        Fail(u"Expected '" + w + u"'");
    }
    Next();
}

void Parser::ParseClass() {
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

}  // namespace quibor15::script
