#include "host/script/parser.hpp"

#include "host/script/parser_impl.hpp"
#include "host/script/text.hpp"

namespace quibor15::script {

std::unique_ptr<Program> Parser::Run() {
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

ExprPtr Parser::RunExpression() {
    program_ = std::make_unique<Program>();
    ExprPtr e = ParseExpr();
    SkipBreaks();
    if (Peek().kind != TokenKind::End) Fail(u"Expected end of statement");
    return e;
}

unsigned Parser::TerminatorAt(const Token& tok) const {
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
Block Parser::ParseBlock(unsigned allowed, const char16_t* expected) {
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
void Parser::CheckDeclarationPlace(const Token& tok) const {
    if (open_blocks_ > 1 && !class_) FailAt(u"'" + tok.text + u"' cannot be declared inside a block", tok.pos);
}

void Parser::FailUnexpectedTerminator() {
    const Token& tok = Peek();
    if (IsKw(tok, u"end")) {
        const Token& what = Peek(1);
        Fail(u"Unexpected 'End " + what.text + u"'");
    }
    Fail(u"Unexpected '" + tok.text + u"'");
}

void Parser::ParseStatementInto(Block& block) {
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

Parser::ScopeKind Parser::Scope() const {
    if (proc_) return ScopeKind::Procedure;
    if (class_) return ScopeKind::Class;
    return ScopeKind::Global;
}

void Parser::Declare(const Token& name_tok) {
    auto& names = proc_ ? proc_names_ : (class_ ? class_names_ : global_names_);
    if (!names.insert(name_tok.key).second) FailAt(u"Name redefined", name_tok.pos);
}

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

ExprPtr ParseExpression(std::u16string_view source) { return Parser(Tokenize(source)).RunExpression(); }

}  // namespace quibor15::script
