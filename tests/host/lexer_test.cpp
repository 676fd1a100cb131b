// The lexer: literals and their subtypes, comments, continuation, positions
// and the errors it reports.
#include "host/script/lexer.hpp"

#include <gtest/gtest.h>

namespace quibor15::script {
namespace {

using K = Literal::Kind;

std::vector<Token> Significant(std::u16string_view source) {
    std::vector<Token> out;
    for (Token& t : Tokenize(source)) {
        if (t.kind != TokenKind::Newline && t.kind != TokenKind::End) out.push_back(std::move(t));
    }
    return out;
}

struct NumberCase {
    const char16_t* source;
    K kind;
    double value;
};

class NumberLiterals : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberLiterals, HaveTheirSubtypeAndValue) {
    const NumberCase& c = GetParam();
    std::vector<Token> tokens = Significant(c.source);
    ASSERT_EQ(tokens.size(), 1u);
    ASSERT_EQ(tokens[0].kind, TokenKind::Literal);
    EXPECT_EQ(tokens[0].literal.kind, c.kind);
    EXPECT_DOUBLE_EQ(tokens[0].literal.number, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Lexer, NumberLiterals,
    ::testing::Values(NumberCase{u"0", K::Integer, 0}, NumberCase{u"32767", K::Integer, 32767},
                      NumberCase{u"32768", K::Long, 32768}, NumberCase{u"2147483647", K::Long, 2147483647.0},
                      NumberCase{u"2147483648", K::Double, 2147483648.0}, NumberCase{u"1.5", K::Double, 1.5},
                      NumberCase{u".25", K::Double, 0.25}, NumberCase{u"1E3", K::Double, 1000},
                      NumberCase{u"2.5e-3", K::Double, 0.0025}, NumberCase{u"&HFF", K::Integer, 255},
                      NumberCase{u"&HFFFF", K::Integer, -1}, NumberCase{u"&H8000", K::Integer, -32768},
                      NumberCase{u"&HFFFF&", K::Long, 65535}, NumberCase{u"&H10000", K::Long, 65536},
                      NumberCase{u"&HFFFFFFFF", K::Long, -1}, NumberCase{u"&O17", K::Integer, 15},
                      NumberCase{u"5&", K::Long, 5}, NumberCase{u"5#", K::Double, 5}));

TEST(Lexer, StringsDoubleTheirQuotes) {
    std::vector<Token> tokens = Significant(u"\"say \"\"hi\"\"\" \"\"");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].literal.kind, K::String);
    EXPECT_EQ(tokens[0].literal.text, u"say \"hi\"");
    EXPECT_EQ(tokens[1].literal.text, u"");
}

struct DateCase {
    const char16_t* text;
    double serial;
};

class DateLiterals : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateLiterals, ReadAsSerials) {
    double serial = 0;
    ASSERT_TRUE(ParseDateLiteral(GetParam().text, serial)) << std::string(GetParam().text, GetParam().text + 1);
    EXPECT_NEAR(serial, GetParam().serial, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Lexer, DateLiterals,
                         ::testing::Values(DateCase{u"2010-11-26", 40508}, DateCase{u"11/26/2010", 40508},
                                           DateCase{u"11/26/10", 40508}, DateCase{u"1/1/30", 10959},
                                           DateCase{u"1899-12-30", 0}, DateCase{u"1899-12-29 6:00", -1.25},
                                           DateCase{u"2010-11-26 12:00", 40508.5}, DateCase{u"6:00 PM", 0.75},
                                           DateCase{u"12:00 AM", 0}, DateCase{u"  2000-02-29  ", 36585}));

TEST(Lexer, RejectsImpossibleDates) {
    double serial = 0;
    for (const char16_t* text : {u"2010-02-30", u"2001-02-29", u"13/1/2010", u"25:00", u"2010-11", u"", u"abc",
                                 u"13:00 PM", u"2010-11-26 10:61"}) {
        EXPECT_FALSE(ParseDateLiteral(text, serial));
    }
}

TEST(Lexer, CommentsContinuationsAndSeparators) {
    std::vector<Token> tokens = Tokenize(u"a = 1 ' comment\nRem whole line\nb = 2 + _\n  3 : c\n");
    std::vector<String> texts;
    for (const Token& t : tokens) {
        switch (t.kind) {
            case TokenKind::Newline:
                texts.push_back(u"NL");
                break;
            case TokenKind::Colon:
                texts.push_back(u":");
                break;
            case TokenKind::End:
                texts.push_back(u"END");
                break;
            case TokenKind::Literal:
                texts.push_back(u"#");
                break;
            default:
                texts.push_back(t.text);
        }
    }
    const std::vector<String> expected = {u"a", u"=", u"#", u"NL", u"NL", u"b",  u"=",
                                          u"#", u"+", u"#", u":",  u"c",  u"NL", u"END"};
    EXPECT_EQ(texts, expected);
}

TEST(Lexer, RemIsACommentOnlyWhereAStatementStarts) {
    std::vector<Token> tokens = Significant(u"x.Rem 1");
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[2].key, u"rem");
}

TEST(Lexer, PositionsAreLinesAndColumns) {
    std::vector<Token> tokens = Significant(u"a = 1\n  bb = \"x\"\r\n\tc");
    ASSERT_EQ(tokens.size(), 7u);
    EXPECT_EQ(tokens[0].pos, (SourcePos{1, 1}));
    EXPECT_EQ(tokens[3].pos, (SourcePos{2, 3}));
    EXPECT_EQ(tokens[5].pos, (SourcePos{2, 8}));
    EXPECT_EQ(tokens[6].pos, (SourcePos{3, 2}));
}

TEST(Lexer, NamesKeepTheirSpellingAndGetALowerCaseKey) {
    std::vector<Token> tokens = Significant(u"WScript.Echo [My Name] Left$");
    ASSERT_EQ(tokens.size(), 5u);
    EXPECT_EQ(tokens[0].text, u"WScript");
    EXPECT_EQ(tokens[0].key, u"wscript");
    EXPECT_TRUE(tokens[3].bracketed);
    EXPECT_EQ(tokens[3].key, u"my name");
    EXPECT_EQ(tokens[4].key, u"left");
}

TEST(Lexer, OperatorsOfTwoCharacters) {
    std::vector<Token> tokens = Significant(u"a<=b>=c<>d=<e");
    std::vector<String> ops;
    for (const Token& t : tokens) {
        if (t.kind == TokenKind::Symbol) ops.push_back(t.text);
    }
    EXPECT_EQ(ops, (std::vector<String>{u"<=", u">=", u"<>", u"<="}));
}

struct ErrorCase {
    const char16_t* source;
    const char16_t* description;
    SourcePos pos;
};

class LexerErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(LexerErrors, NameTheFaultAndItsPlace) {
    try {
        Tokenize(GetParam().source);
        FAIL() << "no error";
    } catch (const SyntaxError& e) {
        EXPECT_EQ(e.Description(), GetParam().description);
        EXPECT_EQ(e.Pos(), GetParam().pos);
    }
}

INSTANTIATE_TEST_SUITE_P(Lexer, LexerErrors,
                         ::testing::Values(ErrorCase{u"x = \"open", u"Unterminated string constant", {1, 5}},
                                           ErrorCase{u"x = \"a\nb\"", u"Unterminated string constant", {1, 5}},
                                           ErrorCase{u"x = 1\ny = 2 @ 3", u"Invalid character", {2, 7}},
                                           ErrorCase{u"x = #2010-13-01#", u"Invalid date constant", {1, 5}},
                                           ErrorCase{u"x = #2010-11-26", u"Unterminated date constant", {1, 5}},
                                           ErrorCase{u"x = &H", u"Syntax error", {1, 5}},
                                           ErrorCase{u"x = &H1FFFFFFFF", u"Overflow", {1, 5}},
                                           ErrorCase{u"x = 12abc", u"Expected end of statement", {1, 7}},
                                           ErrorCase{u"x = 1e999", u"Overflow", {1, 5}}));

}  // namespace
}  // namespace quibor15::script
