#include "codes/string_code.hpp"

#include <cmath>

#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

constexpr int kPartWidth = 3;  // each half of Code1
constexpr int kCode2Width = 6;
constexpr int kGuessWidth = 13;  // the width of a whole code

// A character code that the code can carry: one byte of the code page,
// written with at most three digits. A double-byte character's code is
// negative and never fits.
bool FitsThreeDigits(Integer code) { return code >= 0 && code <= 999; }

// text is an optional "-" or "+" followed by ASCII digits only.
bool IsSignedDigitRun(std::u16string_view text, bool& negative, std::u16string_view& digits) {
    negative = false;
    if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return false;
    }
    digits = text;
    return true;
}

// Digits padded with zeros in front to at least `width`, the way PadDigits
// writes a whole number, but on the text itself: exact for any number of
// digits.
String PadDigitText(std::u16string_view digits, int width) {
    while (!digits.empty() && digits.front() == u'0') digits.remove_prefix(1);
    String out(digits);
    if (out.size() < static_cast<size_t>(width)) out.insert(0, static_cast<size_t>(width) - out.size(), u'0');
    return out;
}

}  // namespace

Integer clsQuiborWUIBCAT175A::CharacterCode(std::u16string_view character) const {
    return AnsiCode(character, Windows().CodePage());
}

String clsQuiborWUIBCAT175A::get_InputString() { return input_string_; }

void clsQuiborWUIBCAT175A::let_InputString(String value) {
    input_string_ = std::move(value);
    const std::u16string_view text = input_string_;

    // Length counts UTF-16 code units in a 16-bit Integer.
    if (text.size() > 32767) RaiseRuntimeError(rt::kOverflow);
    length_ = static_cast<Integer>(text.size());

    // An empty text stands for a blank at both ends.
    first_character_ = text.empty() ? String(u" ") : String(text.substr(0, 1));
    last_character_ = text.empty() ? String(u" ") : String(text.substr(text.size() - 1));
    const Integer last_code = CharacterCode(last_character_);
    const Integer first_code = CharacterCode(first_character_);

    if (!FitsThreeDigits(last_code) || !FitsThreeDigits(first_code) || text.size() > kMaxInputLength) {
        Refuse();
        return;
    }

    code1_ = Variant(u"1" + PadDigits(CheckedAdd(first_code, length_), kPartWidth) +
                     PadDigits(CheckedAdd(last_code, length_), kPartWidth));
    const double sum = WeightedSum(text);
    code2_ = Variant(PadDigits(sum + length_, kCode2Width));
    output_code_ = Variant(*code1_.As<String>() + *code2_.As<String>());
}

double clsQuiborWUIBCAT175A::WeightedSum(std::u16string_view text) const {
    double sum = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const Integer code = CharacterCode(text.substr(i, 1));
        // A double-byte character inside the text has a negative code. Most
        // of them overflow the 16-bit product anyway; the others would drive
        // the sum below zero and give a code with a minus sign, so every one
        // of them is refused with the same overflow error.
        if (code < 0) RaiseRuntimeError(rt::kOverflow);
        sum += CheckedMul(static_cast<Integer>(i + 1), code);
    }
    return sum;
}

void clsQuiborWUIBCAT175A::Refuse() {
    // The object is cleared however the box ends, even if the host cannot
    // show it.
    struct ClearOnExit {
        clsQuiborWUIBCAT175A* self;
        ~ClearOnExit() { self->ClearAll(); }
    } clear{this};
    Host().MsgBox(kRefusalPrompt, mb::kIconCritical | mb::kOk, kRefusalTitle);
}

void clsQuiborWUIBCAT175A::ClearAll() {
    first_character_.clear();
    last_character_.clear();
    code1_ = Variant();
    code2_ = Variant();
    code3_ = Variant();
    length_ = 0;
    output_code_ = Variant();
}

// The properties store and return whatever the caller gives them.
String clsQuiborWUIBCAT175A::get_FirstCharacter() { return first_character_; }
void clsQuiborWUIBCAT175A::let_FirstCharacter(String value) { first_character_ = std::move(value); }
String clsQuiborWUIBCAT175A::get_LastCharacter() { return last_character_; }
void clsQuiborWUIBCAT175A::let_LastCharacter(String value) { last_character_ = std::move(value); }
Integer clsQuiborWUIBCAT175A::get_Length() { return length_; }
void clsQuiborWUIBCAT175A::let_Length(Integer value) { length_ = value; }
Variant clsQuiborWUIBCAT175A::get_Code1() { return code1_; }
void clsQuiborWUIBCAT175A::let_Code1(Variant value) { code1_ = std::move(value); }
Variant clsQuiborWUIBCAT175A::get_Code2() { return code2_; }
void clsQuiborWUIBCAT175A::let_Code2(Variant value) { code2_ = std::move(value); }
Variant clsQuiborWUIBCAT175A::get_Code3() { return code3_; }
void clsQuiborWUIBCAT175A::let_Code3(Variant value) { code3_ = std::move(value); }
Variant clsQuiborWUIBCAT175A::get_OutputCode() { return output_code_; }
void clsQuiborWUIBCAT175A::let_OutputCode(Variant value) { output_code_ = std::move(value); }

// j = FirstCharacter + "12...Length" + LastCharacter, written as a number of
// at least thirteen digits:
// - j made of ASCII digits, with an optional sign in front: the digits
//   themselves are padded with zeros, so the result is exact however many
//   digits there are (a double would round beyond 15 or 16 of them);
// - any other text that reads as a number in the system format (blanks
//   around, a decimal separator, "&H"): that number, rounded half away from
//   zero, padded to thirteen digits;
// - a text that does not read as a number (a letter at either end, for
//   example; a blank at either end does not stop it reading as one): j
//   itself, unchanged.
// The counter is a 16-bit Integer, so Length 32767 overflows (error 6).
String clsQuiborWUIBCAT175A::GuessInputString() {
    String digits_of_counter;
    for (Integer i = 1; i <= length_; i = CheckedAdd(i, Integer{1})) digits_of_counter += DecimalText(Long{i});
    const String joined = first_character_ + digits_of_counter + last_character_;

    bool negative = false;
    std::u16string_view digits;
    if (IsSignedDigitRun(joined, negative, digits)) {
        String padded = PadDigitText(digits, kGuessWidth);
        const bool zero = padded.find_first_not_of(u'0') == String::npos;
        return negative && !zero ? u"-" + padded : padded;
    }
    double value = 0;
    try {
        value = StrictNumber(joined, GetContext()->SystemNumberFormat());
    } catch (const AutomationError& e) {
        if (e.Number() != rt::kTypeMismatch) throw;
        return joined;
    }
    if (!std::isfinite(value)) return joined;
    return PadDigits(value, kGuessWidth);
}

}  // namespace quibor15
