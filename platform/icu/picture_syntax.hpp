// Windows date/time pictures (d dd ddd dddd M .. MMMM y yy yyyy g gg h hh H HH
// m mm s ss t tt, 'quoted text'): splitting them into fields and literal
// text, writing them back, converting CLDR patterns into them and deriving
// the variants a locale lists besides its default.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quibor15::icu_backend {

inline constexpr std::u16string_view kDateFieldLetters = u"dMyg";
inline constexpr std::u16string_view kTimeFieldLetters = u"hHmst";
inline constexpr std::u16string_view kAllFieldLetters = u"dMyghHmst";

struct PictureToken {
    bool is_field = false;
    char16_t letter = 0;  // fields only
    int count = 0;        // fields only: length of the letter run
    std::u16string text;  // literals only: the text as it is output, quotes removed

    static PictureToken Field(char16_t letter, int count) { return {true, letter, count, {}}; }
    static PictureToken Literal(std::u16string text) { return {false, 0, 0, std::move(text)}; }
    bool operator==(const PictureToken&) const = default;
};

using PictureTokens = std::vector<PictureToken>;

// Splits a picture. A run of one of field_letters is a field; everything
// else, including any letter not in field_letters and text between single
// quotes, is literal. Two single quotes stand for one quote character, inside
// or outside quoted text; an unterminated quote runs to the end.
PictureTokens TokenizePicture(std::u16string_view picture, std::u16string_view field_letters = kAllFieldLetters);

// Writes tokens back as a picture, quoting the literal text that could
// otherwise be read as fields.
std::u16string RenderPicture(const PictureTokens& tokens);

// Converts a CLDR date or time pattern into a Windows picture. Fields Windows
// has no picture for (time zones, fractions of a second, week numbers, ...)
// are dropped together with the spacing in front of them.
std::u16string CldrPatternToPicture(std::u16string_view pattern);

// Every year field written with four digits (yyyy), or with two (yy).
std::u16string WithFullYear(std::u16string_view picture);
std::u16string WithShortYear(std::u16string_view picture);

// The numeric day and month fields padded to two digits (dd, MM) when any of
// them is unpadded, otherwise all of them unpadded.
std::u16string WithToggledPadding(std::u16string_view picture);

// The hour field written with two digits when it has one and vice versa.
std::u16string WithToggledHourPadding(std::u16string_view picture);

// A 12-hour time picture turned into its 24-hour form: h becomes H and the
// AM/PM marker goes, with the space beside it.
std::u16string WithTwentyFourHours(std::u16string_view picture);

// True when the picture has a 12-hour field.
bool UsesTwelveHours(std::u16string_view picture);

// The order of the day, month and year fields: 0 month-day-year, 1
// day-month-year, 2 year-month-day (the Windows IDATE/ILDATE numbers).
int FieldOrder(std::u16string_view date_picture);

// The literal text between the first two numeric fields of the given letters
// ("/" for M/d/yyyy), or fallback when there is none.
std::u16string FirstSeparator(std::u16string_view picture, std::u16string_view letters, std::u16string_view fallback);

}  // namespace quibor15::icu_backend
