// clsQuiborWUIBCAT175A: a thirteen-digit numeric code derived from a text of
// up to 75 characters. Assigning InputString computes everything; the
// intermediate values stay readable and writable as properties.
#pragma once

#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborWUIBCAT175A final : public _clsQuiborWUIBCAT175A {
public:
    using _clsQuiborWUIBCAT175A::_clsQuiborWUIBCAT175A;

    // The longest text the code can represent.
    static constexpr size_t kMaxInputLength = 75;
    // What the user is told when a text is refused.
    static constexpr char16_t kRefusalPrompt[] =
        u"Invalid string or characters entered are not allowed, it may be some special characters, please try "
        u"again with different characters.";
    static constexpr char16_t kRefusalTitle[] = u"Invalid Characters...";

    String get_InputString() override;
    // Records the text and derives Length, FirstCharacter, LastCharacter,
    // Code1, Code2 and OutputCode from it. A text the code cannot represent
    // (more than 75 characters, or a first or last character outside the
    // single-byte codes) is refused with a message box and the object is
    // cleared; the text stays in InputString. Error 6 for a text of more
    // than 32767 characters, or one with a double-byte character inside it.
    void let_InputString(String value) override;
    void ClearAll() override;
    String get_FirstCharacter() override;
    void let_FirstCharacter(String value) override;
    String get_LastCharacter() override;
    void let_LastCharacter(String value) override;
    Integer get_Length() override;
    void let_Length(Integer value) override;
    Variant get_Code1() override;
    void let_Code1(Variant value) override;
    Variant get_Code2() override;
    void let_Code2(Variant value) override;
    Variant get_Code3() override;
    void let_Code3(Variant value) override;
    // FirstCharacter, the numbers 1 to Length and LastCharacter joined, as a
    // number of at least thirteen digits (see the definition for texts that
    // are not numbers).
    String GuessInputString() override;
    Variant get_OutputCode() override;
    void let_OutputCode(Variant value) override;

private:
    // The ANSI code of one character of the system's code page.
    Integer CharacterCode(std::u16string_view character) const;
    // Shows the refusal and clears the object.
    void Refuse();
    // Sum over the text of position x character code, each product checked
    // as a 16-bit Integer.
    double WeightedSum(std::u16string_view text) const;

    String input_string_;
    Variant output_code_;
    Integer length_ = 0;
    Variant code1_;
    Variant code2_;
    Variant code3_;
    String first_character_;
    String last_character_;
};

}  // namespace quibor15
