#include "host/script/lexer.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "host/script/text.hpp"
#include "quibor15/convert.hpp"

namespace quibor15::script {
namespace {

bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == 0xA0 || c == 0xFEFF; }
bool IsLineBreak(char16_t c) { return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029; }
int HexDigit(char16_t c) {
    if (IsDigit(c)) return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

class Lexer {
public:
    explicit Lexer(std::u16string_view src) : src_(src) {}

    std::vector<Token> Run() {
        while (i_ < src_.size()) {
            const char16_t c = src_[i_];
            if (IsBlank(c)) {
                Advance();
            } else if (IsLineBreak(c)) {
                Newline();
            } else if (c == u'\'') {
                SkipComment();
            } else if (c == u'_' && IsContinuation()) {
                Continue();
            } else if (c == u':') {
                Push(TokenKind::Colon, u":", Here());
                Advance();
            } else if (c == u'"') {
                StringLiteral();
            } else if (c == u'#') {
                DateLiteral();
            } else if (IsDigit(c) || (c == u'.' && i_ + 1 < src_.size() && IsDigit(src_[i_ + 1]) &&
                                      (!AfterOperand() || (i_ > 0 && IsBlank(src_[i_ - 1]))))) {
                NumberLiteral();
            } else if (c == u'&' && i_ + 1 < src_.size() &&
                       (src_[i_ + 1] == u'h' || src_[i_ + 1] == u'H' || src_[i_ + 1] == u'o' || src_[i_ + 1] == u'O')) {
                RadixLiteral();
            } else if (IsLetter(c)) {
                Identifier();
            } else if (c == u'[') {
                BracketIdentifier();
            } else {
                Symbol();
            }
        }
        if (tokens_.empty() || tokens_.back().kind != TokenKind::Newline) Push(TokenKind::Newline, u"", Here());
        Push(TokenKind::End, u"", Here());
        return std::move(tokens_);
    }

private:
    SourcePos Here() const { return SourcePos{line_, col_}; }
    void Advance(size_t n = 1) {
        i_ += n;
        col_ += static_cast<int>(n);
    }
    void Push(TokenKind kind, std::u16string_view text, SourcePos pos) {
        Token t;
        t.kind = kind;
        t.text = String(text);
        t.pos = pos;
        const size_t start = static_cast<size_t>(pos.col - 1);
        t.space_before = start > 0 && line_start_ + start <= src_.size() && IsBlank(src_[line_start_ + start - 1]);
        tokens_.push_back(std::move(t));
    }
    [[noreturn]] void Fail(const char16_t* description, SourcePos pos) const { throw SyntaxError(description, pos); }

    // True when the previous token ends an operand, so a "." that follows
    // is member access rather than the start of a number.
    bool AfterOperand() const {
        if (tokens_.empty()) return false;
        const Token& t = tokens_.back();
        return t.kind == TokenKind::Identifier || t.kind == TokenKind::Literal ||
               (t.kind == TokenKind::Symbol && t.text == u")");
    }

    void Newline() {
        const SourcePos pos = Here();
        if (src_[i_] == u'\r' && i_ + 1 < src_.size() && src_[i_ + 1] == u'\n') ++i_;
        ++i_;
        ++line_;
        col_ = 1;
        line_start_ = i_;
        Push(TokenKind::Newline, u"", pos);
    }

    void SkipComment() {
        while (i_ < src_.size() && !IsLineBreak(src_[i_])) Advance();
    }

    // "_" after a blank (or at a line start) and before the end of the line,
    // blanks allowed in between.
    bool IsContinuation() const {
        if (i_ > 0 && !IsBlank(src_[i_ - 1]) && !IsLineBreak(src_[i_ - 1])) return false;
        size_t j = i_ + 1;
        while (j < src_.size() && IsBlank(src_[j])) ++j;
        return j >= src_.size() || IsLineBreak(src_[j]);
    }

    void Continue() {
        Advance();
        while (i_ < src_.size() && IsBlank(src_[i_])) Advance();
        if (i_ < src_.size()) {
            if (src_[i_] == u'\r' && i_ + 1 < src_.size() && src_[i_ + 1] == u'\n') ++i_;
            ++i_;
            ++line_;
            col_ = 1;
            line_start_ = i_;
        }
    }

    void StringLiteral() {
        const SourcePos pos = Here();
        Advance();
        String value;
        for (;;) {
            if (i_ >= src_.size() || IsLineBreak(src_[i_])) Fail(u"Unterminated string constant", pos);
            const char16_t c = src_[i_];
            if (c == u'"') {
                if (i_ + 1 < src_.size() && src_[i_ + 1] == u'"') {
                    value += u'"';
                    Advance(2);
                    continue;
                }
                Advance();
                break;
            }
            value += c;
            Advance();
        }
        Push(TokenKind::Literal, u"", pos);
        tokens_.back().literal = Literal{Literal::Kind::String, 0, std::move(value)};
    }

    void DateLiteral() {
        const SourcePos pos = Here();
        Advance();
        const size_t start = i_;
        while (i_ < src_.size() && src_[i_] != u'#' && !IsLineBreak(src_[i_])) Advance();
        if (i_ >= src_.size() || src_[i_] != u'#') Fail(u"Unterminated date constant", pos);
        double serial = 0;
        if (!ParseDateLiteral(src_.substr(start, i_ - start), serial)) Fail(u"Invalid date constant", pos);
        Advance();
        Push(TokenKind::Literal, u"", pos);
        tokens_.back().literal = Literal::Number(Literal::Kind::Date, serial);
    }

    void NumberLiteral() {
        const SourcePos pos = Here();
        const size_t start = i_;
        bool is_float = false;
        while (i_ < src_.size() && IsDigit(src_[i_])) Advance();
        if (i_ < src_.size() && src_[i_] == u'.') {
            is_float = true;
            Advance();
            while (i_ < src_.size() && IsDigit(src_[i_])) Advance();
        }
        if (i_ < src_.size() && (src_[i_] == u'e' || src_[i_] == u'E')) {
            size_t j = i_ + 1;
            if (j < src_.size() && (src_[j] == u'+' || src_[j] == u'-')) ++j;
            if (j < src_.size() && IsDigit(src_[j])) {
                is_float = true;
                Advance(j - i_);
                while (i_ < src_.size() && IsDigit(src_[i_])) Advance();
            }
        }
        const std::string ascii = ToUtf8(src_.substr(start, i_ - start));
        const double value = std::strtod(ascii.c_str(), nullptr);
        if (!std::isfinite(value)) Fail(u"Overflow", pos);
        // A type character fixes the subtype: % Integer, & Long, # Double, ! Single (read as Double).
        Literal::Kind kind = Literal::Kind::Double;
        if (!is_float) {
            if (value <= 32767)
                kind = Literal::Kind::Integer;
            else if (value <= 2147483647.0)
                kind = Literal::Kind::Long;
        }
        if (i_ < src_.size() && (src_[i_] == u'%' || src_[i_] == u'&' || src_[i_] == u'#' || src_[i_] == u'!')) {
            const char16_t suffix = src_[i_];
            if (suffix == u'%' && !is_float && value <= 32767)
                kind = Literal::Kind::Integer, Advance();
            else if (suffix == u'&' && !is_float && value <= 2147483647.0)
                kind = Literal::Kind::Long, Advance();
            else if (suffix == u'#' || suffix == u'!')
                kind = Literal::Kind::Double, Advance();
        }
        Push(TokenKind::Literal, src_.substr(start, i_ - start), pos);
        tokens_.back().literal = Literal::Number(kind, value);
        if (i_ < src_.size() && (IsLetter(src_[i_]) || src_[i_] == u'_')) Fail(u"Expected end of statement", Here());
    }

    // &H1F, &O17: 16-bit when the digits fit 16 bits (so &HFFFF is -1),
    // 32-bit otherwise; a trailing & makes it 32-bit.
    void RadixLiteral() {
        const SourcePos pos = Here();
        const bool hex = src_[i_ + 1] == u'h' || src_[i_ + 1] == u'H';
        Advance(2);
        uint64_t value = 0;
        int digits = 0;
        while (i_ < src_.size()) {
            const int d = hex ? HexDigit(src_[i_]) : (src_[i_] >= u'0' && src_[i_] <= u'7' ? src_[i_] - u'0' : -1);
            if (d < 0) break;
            value = value * (hex ? 16 : 8) + static_cast<uint64_t>(d);
            if (value > 0xFFFFFFFFull) Fail(u"Overflow", pos);
            ++digits;
            Advance();
        }
        if (digits == 0) Fail(u"Syntax error", pos);
        bool force_long = false;
        if (i_ < src_.size() && src_[i_] == u'&') {
            force_long = true;
            Advance();
        } else if (i_ < src_.size() && src_[i_] == u'%') {
            Advance();
        }
        Literal lit;
        if (!force_long && value <= 0xFFFF) {
            lit = Literal::Number(Literal::Kind::Integer, static_cast<int16_t>(static_cast<uint16_t>(value)));
        } else {
            lit = Literal::Number(Literal::Kind::Long, static_cast<int32_t>(static_cast<uint32_t>(value)));
        }
        Push(TokenKind::Literal, u"", pos);
        tokens_.back().literal = lit;
    }

    void Identifier() {
        const SourcePos pos = Here();
        const size_t start = i_;
        while (i_ < src_.size() && (IsLetter(src_[i_]) || IsDigit(src_[i_]) || src_[i_] == u'_')) Advance();
        const std::u16string_view name = src_.substr(start, i_ - start);
        String key = NameKey(name);
        // Rem starts a comment where a statement starts.
        if (key == u"rem" &&
            (tokens_.empty() || tokens_.back().kind == TokenKind::Newline || tokens_.back().kind == TokenKind::Colon)) {
            SkipComment();
            return;
        }
        // A type character after a name (Left$, x%) is accepted and ignored.
        if (i_ < src_.size() && src_[i_] == u'$') Advance();
        Push(TokenKind::Identifier, name, pos);
        tokens_.back().key = std::move(key);
    }

    void BracketIdentifier() {
        const SourcePos pos = Here();
        Advance();
        const size_t start = i_;
        while (i_ < src_.size() && src_[i_] != u']' && !IsLineBreak(src_[i_])) Advance();
        if (i_ >= src_.size() || src_[i_] != u']' || i_ == start) Fail(u"Expected identifier", pos);
        const std::u16string_view name = src_.substr(start, i_ - start);
        Advance();
        Push(TokenKind::Identifier, name, pos);
        tokens_.back().key = NameKey(name);
        tokens_.back().bracketed = true;
    }

    void Symbol() {
        const SourcePos pos = Here();
        static constexpr std::u16string_view kTwo[] = {u"<=", u">=", u"<>", u"=<", u"=>", u"><"};
        for (std::u16string_view two : kTwo) {
            if (src_.substr(i_, 2) == two) {
                String text(two);
                if (text == u"=<") text = u"<=";
                if (text == u"=>") text = u">=";
                if (text == u"><") text = u"<>";
                Push(TokenKind::Symbol, text, pos);
                Advance(2);
                return;
            }
        }
        static constexpr std::u16string_view kOne = u"+-*/\\^&=<>(),.";
        if (kOne.find(src_[i_]) == std::u16string_view::npos) Fail(u"Invalid character", pos);
        Push(TokenKind::Symbol, src_.substr(i_, 1), pos);
        Advance();
    }

    std::u16string_view src_;
    size_t i_ = 0;
    size_t line_start_ = 0;  // index of the current line's first character
    int line_ = 1;
    int col_ = 1;
    std::vector<Token> tokens_;
};

int DigitsValue(std::u16string_view text, size_t& i, int max_digits) {
    int value = 0;
    int n = 0;
    while (i < text.size() && IsDigit(text[i]) && n < max_digits) {
        value = value * 10 + (text[i] - u'0');
        ++i;
        ++n;
    }
    return n == 0 ? -1 : value;
}

void SkipBlanks(std::u16string_view text, size_t& i) {
    while (i < text.size() && IsBlank(text[i])) ++i;
}

bool ParseTimePart(std::u16string_view text, size_t& i, double& fraction) {
    const int hour = DigitsValue(text, i, 2);
    if (hour < 0 || i >= text.size() || text[i] != u':') return false;
    ++i;
    const int minute = DigitsValue(text, i, 2);
    if (minute < 0) return false;
    int second = 0;
    if (i < text.size() && text[i] == u':') {
        ++i;
        second = DigitsValue(text, i, 2);
        if (second < 0) return false;
    }
    SkipBlanks(text, i);
    int h = hour;
    if (i < text.size()) {
        const String rest = NameKey(text.substr(i));
        if (rest == u"am" || rest == u"pm" || rest == u"a" || rest == u"p") {
            if (hour < 1 || hour > 12) return false;
            h = hour % 12 + (rest[0] == u'p' ? 12 : 0);
            i = text.size();
        }
    }
    if (h > 23 || minute > 59 || second > 59) return false;
    fraction = (h * 3600 + minute * 60 + second) / 86400.0;
    return true;
}

int FullYear(int year, int digits) {
    if (digits > 2) return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

}  // namespace

double DateSerialOf(int year, int month, int day) {
    // Days from civil (Howard Hinnant's algorithm), shifted to 1899-12-30.
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yoe = year - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long days_since_1970 = static_cast<long>(era) * 146097 + doe - 719468;
    return static_cast<double>(days_since_1970 + 25569);
}

namespace {

// #January 2, 2003#: dates with a month's name read as the conversions read them.
bool ParseNamedDateLiteral(std::u16string_view text, double& serial) {
    size_t letters = 0, run = 0;
    for (char16_t c : text) {
        run = IsLetter(c) ? run + 1 : 0;
        letters = std::max(letters, run);
    }
    if (letters < 3) return false;
    try {
        serial = VariantToDate(Variant(String(text))).serial;
        return true;
    } catch (const AutomationError&) {
        return false;
    }
}

}  // namespace

bool ParseDateLiteral(std::u16string_view text, double& serial) {
    if (ParseNamedDateLiteral(text, serial)) return true;
    size_t i = 0;
    SkipBlanks(text, i);
    const size_t first_start = i;
    const int first = DigitsValue(text, i, 4);
    if (first < 0) return false;
    const int first_digits = static_cast<int>(i - first_start);
    if (i < text.size() && text[i] == u':') {
        // A time alone.
        i = first_start;
        double fraction = 0;
        if (!ParseTimePart(text, i, fraction)) return false;
        SkipBlanks(text, i);
        if (i != text.size()) return false;
        serial = fraction;
        return true;
    }
    if (i >= text.size() || (text[i] != u'-' && text[i] != u'/')) return false;
    const char16_t sep = text[i++];
    const int second = DigitsValue(text, i, 2);
    if (second < 0 || i >= text.size() || text[i] != sep) return false;
    ++i;
    const size_t third_start = i;
    const int third = DigitsValue(text, i, 4);
    if (third < 0) return false;
    const int third_digits = static_cast<int>(i - third_start);
    int year, month, day;
    if (first_digits > 2) {
        year = first, month = second, day = third;
    } else {
        month = first, day = second, year = FullYear(third, third_digits);
    }
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > kDays[month - 1] + (month == 2 && leap ? 1 : 0)) return false;
    double fraction = 0;
    SkipBlanks(text, i);
    if (i < text.size()) {
        if (!ParseTimePart(text, i, fraction)) return false;
        SkipBlanks(text, i);
        if (i != text.size()) return false;
    }
    const double days = DateSerialOf(year, month, day);
    // Before 1899-12-30 the whole part counts back while the time still counts forward.
    serial = days < 0 ? days - fraction : days + fraction;
    return true;
}

std::vector<Token> Tokenize(std::u16string_view source) { return Lexer(source).Run(); }

}  // namespace quibor15::script
