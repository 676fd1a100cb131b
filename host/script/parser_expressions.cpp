// Expressions, by operator precedence.
#include "host/script/parser_impl.hpp"
#include "host/script/text.hpp"

namespace quibor15::script {

ExprPtr Parser::ParseExpr() {
    DepthGuard guard(*this);
    return ParseImp();
}

ExprPtr Parser::Binary(Op op, ExprPtr lhs, ExprPtr rhs, SourcePos pos) {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::Binary;
    e->op = op;
    e->pos = pos;
    e->target = std::move(lhs);
    e->rhs = std::move(rhs);
    return e;
}

ExprPtr Parser::Unary(Op op, ExprPtr operand, SourcePos pos) {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::Unary;
    e->op = op;
    e->pos = pos;
    e->target = std::move(operand);
    return e;
}

ExprPtr Parser::ParseNot() {
    if (IsKw(Peek(), u"not")) {
        const SourcePos pos = Next().pos;
        DepthGuard guard(*this);
        return Unary(Op::Not, ParseNot(), pos);
    }
    return ParseCompare();
}

ExprPtr Parser::ParseCompare() {
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

ExprPtr Parser::ParseUnary() {
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
ExprPtr Parser::ParsePower() {
    ExprPtr lhs = ParsePostfix();
    while (IsSym(Peek(), u"^")) {
        const SourcePos pos = Next().pos;
        DepthGuard guard(*this);
        lhs = Binary(Op::Pow, std::move(lhs), ParsePowerOperand(), pos);
    }
    return lhs;
}

ExprPtr Parser::ParsePowerOperand() {
    if (IsSym(Peek(), u"-") || IsSym(Peek(), u"+")) {
        const Token& tok = Next();
        DepthGuard guard(*this);
        ExprPtr operand = ParsePowerOperand();
        return tok.text == u"-" ? Unary(Op::Neg, std::move(operand), tok.pos) : std::move(operand);
    }
    return ParsePostfix();
}

ExprPtr Parser::ParsePostfix() {
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

ExprPtr Parser::ParsePrimary() {
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

}  // namespace quibor15::script
