// Assignments, calls and the control statements.
#include "host/script/parser_impl.hpp"
#include "host/script/text.hpp"

namespace quibor15::script {

StmtPtr Parser::ParseSet() {
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

StmtPtr Parser::ParseCall() {
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
ExprPtr Parser::ParseReference(size_t& last_paren) {
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
bool Parser::IsMemberDot() const {
    const Token& tok = Peek();
    return IsSym(tok, u".") && !(with_depth_ > 0 && tok.space_before);
}

ExprPtr Parser::MemberOf(ExprPtr target) {
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

ExprPtr Parser::CallOf(ExprPtr target) {
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

StmtPtr Parser::ParseAssignOrCall() {
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

StmtPtr Parser::ParseIf() {
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
StmtPtr Parser::ParseSingleLineIf(std::unique_ptr<IfStmt> stmt, ExprPtr cond) {
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

Block Parser::ParseLineStatements() {
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

StmtPtr Parser::ParseSelect() {
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

ExprPtr Parser::ParseLoopVariable() {
    const Token& tok = ExpectName();
    auto v = std::make_unique<Expr>();
    v->kind = ExprKind::Name;
    v->pos = tok.pos;
    v->name = tok.text;
    v->key = tok.key;
    return v;
}

void Parser::ExpectNext(const Expr& variable) {
    if (Peek().kind == TokenKind::End) Fail(u"Expected 'Next'");
    if (!AcceptKw(u"next")) Fail(u"Expected 'Next'");
    if (Peek().kind == TokenKind::Identifier && !AtStatementEnd()) {
        const Token& name = Next();
        if (name.key != variable.key) FailAt(u"'Next' names another variable than its 'For'", name.pos);
    }
}

StmtPtr Parser::ParseFor() {
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

StmtPtr Parser::ParseDo() {
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
StmtPtr Parser::ParseWhile() {
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

StmtPtr Parser::ParseExit() {
    auto stmt = std::make_unique<ExitStmt>();
    stmt->pos = Next().pos;
    const Token& what = Peek();
    bool valid = false;
    if (IsKw(what, u"do") || IsKw(what, u"for")) {
        stmt->what = IsKw(what, u"do") ? ExitKind::Do : ExitKind::For;
        valid = std::find(loops_.begin(), loops_.end(), stmt->what) != loops_.end();
    } else if (IsKw(what, u"sub") || IsKw(what, u"function") || IsKw(what, u"property")) {
        stmt->what =
            IsKw(what, u"sub") ? ExitKind::Sub : (IsKw(what, u"function") ? ExitKind::Function : ExitKind::Property);
        valid = proc_ != nullptr && exit_kind_ == stmt->what;
    } else {
        Fail(u"Expected 'Do', 'For', 'Sub', 'Function' or 'Property'");
    }
    if (!valid) FailAt(u"Invalid 'exit' statement", stmt->pos);
    Next();
    return stmt;
}

StmtPtr Parser::ParseOnError() {
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
StmtPtr Parser::ParseWith() {
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

StmtPtr Parser::ParseErase() {
    auto stmt = std::make_unique<EraseStmt>();
    stmt->pos = Next().pos;
    stmt->variable = ParseLoopVariable();
    return stmt;
}

}  // namespace quibor15::script
