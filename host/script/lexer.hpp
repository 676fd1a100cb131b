// Splits a script into tokens: names, literals, operators, and the line and
// colon breaks that end statements. Comments and line continuations do not
// reach the parser.
#pragma once

#include <string_view>
#include <vector>

#include "host/script/syntax_error.hpp"

namespace quibor15::script {

// A constant written in the source. Numbers keep the subtype VBScript gives
// them: Integer up to 32767, Long up to 2147483647, Double beyond.
struct Literal {
    enum class Kind { Empty, Null, Nothing, Boolean, Integer, Long, Double, String, Date };
    Kind kind = Kind::Empty;
    double number = 0;  // the value of numbers and Booleans; the serial of dates
    String text;        // the value of strings

    static Literal Number(Kind kind, double value) { return Literal{kind, value, {}}; }
};

enum class TokenKind { Identifier, Literal, Symbol, Newline, Colon, End };

struct Token {
    TokenKind kind = TokenKind::End;
    String text;  // as written (symbols: the operator, identifiers: the name)
    String key;   // identifiers: the lower-case lookup key
    Literal literal;
    SourcePos pos;
    bool bracketed = false;     // [name]: never a keyword
    bool space_before = false;  // a blank right before it (" .Name" inside With)
};

// Throws SyntaxError for a character that cannot start a token, an
// unterminated string or date, or a number out of range.
std::vector<Token> Tokenize(std::u16string_view source);

// Serial of a calendar date (days since 1899-12-30), proleptic Gregorian.
double DateSerialOf(int year, int month, int day);

// Reads the text of a date literal (between the # signs): yyyy-mm-dd,
// m/d/yyyy, an optional or lone time h:mm[:ss] [AM|PM]. False when the text
// is not such a date.
bool ParseDateLiteral(std::u16string_view text, double& serial);

}  // namespace quibor15::script
