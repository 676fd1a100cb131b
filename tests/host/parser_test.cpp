// The parser: operator precedence, statement forms, declarations, and the
// syntax errors it reports before anything runs.
#include "host/script/parser.hpp"

#include <gtest/gtest.h>

namespace quibor15::script {
namespace {

std::string Narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

const char* OpName(Op op) {
    switch (op) {
        case Op::Neg:
            return "neg";
        case Op::Not:
            return "not";
        case Op::Pow:
            return "^";
        case Op::Mul:
            return "*";
        case Op::Div:
            return "/";
        case Op::IntDiv:
            return "\\";
        case Op::Mod:
            return "mod";
        case Op::Add:
            return "+";
        case Op::Sub:
            return "-";
        case Op::Concat:
            return "&";
        case Op::Eq:
            return "=";
        case Op::Ne:
            return "<>";
        case Op::Lt:
            return "<";
        case Op::Gt:
            return ">";
        case Op::Le:
            return "<=";
        case Op::Ge:
            return ">=";
        case Op::Is:
            return "is";
        case Op::And:
            return "and";
        case Op::Or:
            return "or";
        case Op::Xor:
            return "xor";
        case Op::Eqv:
            return "eqv";
        case Op::Imp:
            return "imp";
        default:
            return "?";
    }
}

// The expression as an S-expression: (op a b), names as written,
// literals by value.
std::string Dump(const Expr* e) {
    if (!e) return "_";
    switch (e->kind) {
        case ExprKind::Literal:
            switch (e->literal.kind) {
                case Literal::Kind::String:
                    return "\"" + Narrow(e->literal.text) + "\"";
                case Literal::Kind::Nothing:
                    return "Nothing";
                case Literal::Kind::Empty:
                    return "Empty";
                case Literal::Kind::Null:
                    return "Null";
                case Literal::Kind::Boolean:
                    return e->literal.number ? "True" : "False";
                default: {
                    std::string s = std::to_string(e->literal.number);
                    s.erase(s.find_last_not_of('0') + 1);
                    if (s.back() == '.') s.pop_back();
                    return s;
                }
            }
        case ExprKind::Name:
            return Narrow(e->name);
        case ExprKind::Member:
            return Dump(e->target.get()) + "." + Narrow(e->name);
        case ExprKind::Call: {
            std::string s = Dump(e->target.get()) + "(";
            for (size_t i = 0; i < e->args.size(); ++i) s += (i ? "," : "") + Dump(e->args[i].get());
            return s + ")";
        }
        case ExprKind::Paren:
            return "[" + Dump(e->target.get()) + "]";
        case ExprKind::Unary:
            return std::string("(") + OpName(e->op) + " " + Dump(e->target.get()) + ")";
        case ExprKind::Binary:
            return std::string("(") + OpName(e->op) + " " + Dump(e->target.get()) + " " + Dump(e->rhs.get()) + ")";
        case ExprKind::New:
            return "new " + Narrow(e->name);
        case ExprKind::Me:
            return "Me";
        case ExprKind::With:
            return "<with>";
    }
    return "?";
}

// The value expression of "x = <expression>".
std::string ParseExpression(const char16_t* text) {
    auto program = Parse(u"x = " + String(text));
    const auto& assign = static_cast<const AssignStmt&>(*program->body.at(0));
    return Dump(assign.value.get());
}

struct PrecedenceCase {
    const char16_t* source;
    const char* tree;
};

class Precedence : public ::testing::TestWithParam<PrecedenceCase> {};

TEST_P(Precedence, BindsAsTheLanguageDoes) { EXPECT_EQ(ParseExpression(GetParam().source), GetParam().tree); }

INSTANTIATE_TEST_SUITE_P(
    Parser, Precedence,
    ::testing::Values(
        PrecedenceCase{u"1 + 2 * 3", "(+ 1 (* 2 3))"}, PrecedenceCase{u"2 ^ 3 ^ 2", "(^ (^ 2 3) 2)"},
        PrecedenceCase{u"-2 ^ 2", "(neg (^ 2 2))"}, PrecedenceCase{u"2 ^ -1", "(^ 2 (neg 1))"},
        PrecedenceCase{u"-a * b", "(* (neg a) b)"}, PrecedenceCase{u"a \\ b * c", "(\\ a (* b c))"},
        PrecedenceCase{u"a Mod b \\ c", "(mod a (\\ b c))"}, PrecedenceCase{u"a + b Mod c", "(+ a (mod b c))"},
        PrecedenceCase{u"a & b + c", "(& a (+ b c))"}, PrecedenceCase{u"a = b & c", "(= a (& b c))"},
        PrecedenceCase{u"Not a = b", "(not (= a b))"}, PrecedenceCase{u"Not a And b", "(and (not a) b)"},
        PrecedenceCase{u"a Or b And c", "(or a (and b c))"}, PrecedenceCase{u"a Xor b Or c", "(xor a (or b c))"},
        PrecedenceCase{u"a Eqv b Xor c", "(eqv a (xor b c))"}, PrecedenceCase{u"a Imp b Eqv c", "(imp a (eqv b c))"},
        PrecedenceCase{u"a < b = c", "(= (< a b) c)"}, PrecedenceCase{u"o Is Nothing", "(is o Nothing)"},
        PrecedenceCase{u"a - b - c", "(- (- a b) c)"}, PrecedenceCase{u"(a + b) * c", "(* [(+ a b)] c)"},
        PrecedenceCase{u"o.Items(1).Name", "o.Items(1).Name"}, PrecedenceCase{u"f(1, , 3)", "f(1,_,3)"},
        PrecedenceCase{u"a(1)(2)", "a(1)(2)"}, PrecedenceCase{u"New Thing", "new Thing"},
        PrecedenceCase{u"Me.Value", "Me.Value"}, PrecedenceCase{u"o.End", "o.End"},
        PrecedenceCase{u"\"a\" & Null", "(& \"a\" Null)"}, PrecedenceCase{u"--1", "(neg (neg 1))"}));

const Stmt& Only(const Program& p) {
    EXPECT_EQ(p.body.size(), 1u);
    return *p.body.at(0);
}

TEST(Parser, CallStatementsWithAndWithoutParentheses) {
    {
        auto p = Parse(u"Foo 1, x");
        const auto& s = static_cast<const CallStmt&>(Only(*p));
        EXPECT_EQ(Dump(s.callee.get()), "Foo");
        ASSERT_EQ(s.args.size(), 2u);
        EXPECT_EQ(Dump(s.args[1].get()), "x");
    }
    {
        // One argument in parentheses is passed as a value.
        auto p = Parse(u"Foo(x)");
        const auto& s = static_cast<const CallStmt&>(Only(*p));
        ASSERT_EQ(s.args.size(), 1u);
        EXPECT_EQ(Dump(s.args[0].get()), "[x]");
    }
    {
        auto p = Parse(u"Call Foo(x, y)");
        const auto& s = static_cast<const CallStmt&>(Only(*p));
        EXPECT_EQ(Dump(s.args[0].get()), "x");
        EXPECT_EQ(s.args.size(), 2u);
    }
    {
        // The parenthesis opens the first argument, not an argument list.
        auto p = Parse(u"Foo (1) + 2, 3");
        const auto& s = static_cast<const CallStmt&>(Only(*p));
        ASSERT_EQ(s.args.size(), 2u);
        EXPECT_EQ(Dump(s.args[0].get()), "(+ [1] 2)");
    }
    {
        auto p = Parse(u"obj.Method , 2");
        const auto& s = static_cast<const CallStmt&>(Only(*p));
        EXPECT_EQ(Dump(s.callee.get()), "obj.Method");
        ASSERT_EQ(s.args.size(), 2u);
        EXPECT_EQ(s.args[0], nullptr);
    }
}

TEST(Parser, AssignmentsToNamesMembersAndElements) {
    auto p = Parse(u"a = 1\nSet o.Child = Nothing\nm(1, 2) = 3\no.Items(\"k\") = 4\nLet b = 5");
    ASSERT_EQ(p->body.size(), 5u);
    const auto& set = static_cast<const AssignStmt&>(*p->body[1]);
    EXPECT_TRUE(set.is_set);
    EXPECT_EQ(Dump(set.target.get()), "o.Child");
    EXPECT_EQ(Dump(static_cast<const AssignStmt&>(*p->body[2]).target.get()), "m(1,2)");
    EXPECT_EQ(Dump(static_cast<const AssignStmt&>(*p->body[3]).target.get()), "o.Items(\"k\")");
    EXPECT_FALSE(static_cast<const AssignStmt&>(*p->body[4]).is_set);
}

TEST(Parser, SingleLineIfWithElse) {
    auto p = Parse(u"If a Then b = 1 : c = 2 Else d = 3");
    const auto& s = static_cast<const IfStmt&>(Only(*p));
    ASSERT_EQ(s.branches.size(), 1u);
    EXPECT_EQ(s.branches[0].body.size(), 2u);
    EXPECT_EQ(s.else_body.size(), 1u);
}

TEST(Parser, DeclarationsAreCollectedForTheirScope) {
    auto p = Parse(
        u"Option Explicit\nDim a, b(3), c()\nConst K = 5\n"
        u"Function F(ByVal x, y)\n Dim local(2)\n Const L = 1\n F = x\nEnd Function\n"
        u"Class Thing\n Public Name\n Private mValue(4)\n Public Default Property Get Value() : End Property\n"
        u" Property Let Value(v) : End Property\nEnd Class\n");
    EXPECT_TRUE(p->option_explicit);
    ASSERT_EQ(p->globals.size(), 3u);
    EXPECT_TRUE(p->globals[1]->is_array);
    EXPECT_EQ(p->globals[1]->bounds.size(), 1u);
    EXPECT_TRUE(p->globals[2]->is_array);
    EXPECT_TRUE(p->globals[2]->bounds.empty());
    ASSERT_EQ(p->constants.size(), 1u);
    ASSERT_EQ(p->procs.size(), 1u);
    const ProcDecl& f = *p->procs[0];
    EXPECT_EQ(f.kind, ProcKind::Function);
    ASSERT_EQ(f.params.size(), 2u);
    EXPECT_TRUE(f.params[0].by_val);
    EXPECT_FALSE(f.params[1].by_val);
    EXPECT_EQ(f.locals.size(), 1u);
    EXPECT_EQ(f.constants.size(), 1u);
    ASSERT_EQ(p->classes.size(), 1u);
    const ClassDecl& c = *p->classes[0];
    EXPECT_EQ(c.fields.size(), 2u);
    EXPECT_FALSE(c.fields[1].is_public);
    ASSERT_EQ(c.procs.size(), 2u);
    EXPECT_TRUE(c.procs[0]->is_default);
    EXPECT_EQ(c.procs[1]->kind, ProcKind::PropertyLet);
    // Only the top-level statements remain in the body.
    EXPECT_EQ(p->body.size(), 2u);
}

TEST(Parser, LoopsAndTheirExits) {
    auto p = Parse(
        u"For i = 1 To 10 Step 2 : If i > 5 Then Exit For\nNext i\n"
        u"For Each x In xs : Next\nDo While a : Exit Do : Loop\nDo : Loop Until b\nWhile c : Wend\n");
    ASSERT_EQ(p->body.size(), 5u);
    EXPECT_EQ(p->body[0]->kind, StmtKind::For);
    EXPECT_NE(static_cast<const ForStmt&>(*p->body[0]).step, nullptr);
    EXPECT_EQ(p->body[1]->kind, StmtKind::ForEach);
    EXPECT_EQ(static_cast<const DoStmt&>(*p->body[2]).test, DoStmt::Test::PreWhile);
    EXPECT_EQ(static_cast<const DoStmt&>(*p->body[3]).test, DoStmt::Test::PostUntil);
    EXPECT_EQ(static_cast<const DoStmt&>(*p->body[4]).test, DoStmt::Test::PreWhile);
}

TEST(Parser, WithBlocksLendTheirObjectToLeadingDots) {
    auto p = Parse(u"With frm\n .Caption = \"x\"\n .Move 0, 0\n y = .Width + .Controls(\"a\").Left\nEnd With");
    const auto& w = static_cast<const WithStmt&>(Only(*p));
    EXPECT_EQ(Dump(w.object.get()), "frm");
    ASSERT_EQ(w.body.size(), 3u);
    EXPECT_EQ(Dump(static_cast<const AssignStmt&>(*w.body[0]).target.get()), "<with>.Caption");
    EXPECT_EQ(Dump(static_cast<const CallStmt&>(*w.body[1]).callee.get()), "<with>.Move");
    EXPECT_EQ(Dump(static_cast<const AssignStmt&>(*w.body[2]).value.get()),
              "(+ <with>.Width <with>.Controls(\"a\").Left)");
    // After a blank, a dot inside With starts a new reference.
    auto args = Parse(u"With frm\n WScript.Echo .Caption, .Width\nEnd With");
    const auto& echo = static_cast<const CallStmt&>(*static_cast<const WithStmt&>(Only(*args)).body.at(0));
    EXPECT_EQ(Dump(echo.callee.get()), "WScript.Echo");
    ASSERT_EQ(echo.args.size(), 2u);
    EXPECT_EQ(Dump(echo.args[0].get()), "<with>.Caption");
    EXPECT_THROW(Parse(u"x = .Width"), SyntaxError);
    EXPECT_THROW(Parse(u"With frm\n.Caption = 1\n"), SyntaxError);
}

TEST(Parser, OneLineProcedures) {
    auto p = Parse(u"Sub w_BeforeFrameShow(Index, Cancel): Cancel = True: End Sub");
    ASSERT_EQ(p->procs.size(), 1u);
    EXPECT_EQ(p->procs[0]->body.size(), 1u);
    EXPECT_TRUE(p->body.empty());
}

struct SyntaxCase {
    const char16_t* source;
    const char16_t* description;
    SourcePos pos;
};

class SyntaxErrors : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(SyntaxErrors, NameTheFaultAndItsPlace) {
    try {
        Parse(GetParam().source);
        FAIL() << "no error for " << Narrow(GetParam().source);
    } catch (const SyntaxError& e) {
        EXPECT_EQ(Narrow(e.Description()), Narrow(GetParam().description)) << Narrow(GetParam().source);
        EXPECT_EQ(e.Pos(), GetParam().pos) << Narrow(GetParam().source);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Parser, SyntaxErrors,
    ::testing::Values(
        SyntaxCase{u"If a Then\nx = 1\n", u"Expected 'End If'", {3, 1}},
        SyntaxCase{u"If a\nEnd If", u"Expected 'Then'", {1, 5}},
        SyntaxCase{u"For i = 1 To 3\nLoop", u"Expected 'Next'", {2, 1}},
        SyntaxCase{u"For i = 1 3\nNext", u"Expected 'To'", {1, 11}},
        SyntaxCase{u"Do\nNext", u"Expected 'Loop'", {2, 1}}, SyntaxCase{u"While x\nLoop", u"Expected 'Wend'", {2, 1}},
        SyntaxCase{u"Sub S()\nx = 1\n", u"Expected 'End Sub'", {3, 1}},
        SyntaxCase{u"Function F()\nEnd Sub", u"Expected 'Function'", {2, 5}},
        SyntaxCase{u"Select Case x\nCase 1\n", u"Expected 'End Select'", {3, 1}},
        SyntaxCase{u"Foo(1, 2)", u"Cannot use parentheses when calling a Sub", {1, 4}},
        SyntaxCase{u"x = (1 + 2", u"Expected ')'", {1, 11}}, SyntaxCase{u"x = 1 +", u"Expected expression", {1, 8}},
        SyntaxCase{u"x = 1 2", u"Expected end of statement", {1, 7}},
        SyntaxCase{u"Dim a, a", u"Name redefined", {1, 8}},
        SyntaxCase{u"Dim x\nSub X() : End Sub", u"Name redefined", {2, 5}},
        SyntaxCase{u"Exit For", u"Invalid 'exit' statement", {1, 1}},
        SyntaxCase{u"Sub S() : Exit Function : End Sub", u"Invalid 'exit' statement", {1, 11}},
        SyntaxCase{u"If x Then\nSub S() : End Sub\nEnd If", u"'Sub' cannot be declared inside a block", {2, 1}},
        SyntaxCase{u"Sub A()\nSub B()\nEnd Sub\nEnd Sub", u"Procedures cannot be nested", {2, 1}},
        SyntaxCase{u"Dim If", u"Expected identifier", {1, 5}},
        SyntaxCase{u"x = 1\nOption Explicit", u"'Option Explicit' must come before any other statement", {2, 1}},
        SyntaxCase{u"End If", u"Unexpected 'End If'", {1, 1}}, SyntaxCase{u"Next", u"Unexpected 'Next'", {1, 1}},
        SyntaxCase{u"Class C\nx = 1\nEnd Class", u"Expected a declaration, a procedure or 'End Class'", {2, 1}},
        SyntaxCase{u"Property Get P : End Property", u"Property procedures belong in a class", {1, 1}},
        SyntaxCase{u"On Error GoTo Handler", u"Only 'On Error GoTo 0' is supported", {1, 15}},
        SyntaxCase{u"ReDim a", u"Expected '('", {1, 7}}, SyntaxCase{u"For Each x xs\nNext", u"Expected 'In'", {1, 12}},
        SyntaxCase{u"For i = 1 To 2\nNext j", u"'Next' names another variable than its 'For'", {2, 6}},
        SyntaxCase{u"Class C\nPublic Default Sub A() : End Sub\nPublic Default Sub B() : End Sub\nEnd Class",
                   u"A class can have only one default member",
                   {1, 1}}));

TEST(Parser, DeepNestingIsRefusedRatherThanOverflowingTheStack) {
    String deep = u"x = ";
    for (int i = 0; i < 5000; ++i) deep += u"(";
    deep += u"1";
    for (int i = 0; i < 5000; ++i) deep += u")";
    EXPECT_THROW(Parse(deep), SyntaxError);
    String blocks;
    for (int i = 0; i < 5000; ++i) blocks += u"If x Then\n";
    EXPECT_THROW(Parse(blocks), SyntaxError);
}

}  // namespace
}  // namespace quibor15::script
