// Windows locale information codes (LOCALE_*) and the flags that travel with
// them. Only the codes this backend answers are listed.
#pragma once

#include <cstdint>

namespace quibor15::icu_backend::lctype {

inline constexpr uint32_t kILanguage = 0x1;
inline constexpr uint32_t kSLanguage = 0x2;
inline constexpr uint32_t kSAbbrevLangName = 0x3;
inline constexpr uint32_t kSNativeLangName = 0x4;
inline constexpr uint32_t kSCountry = 0x6;
inline constexpr uint32_t kSAbbrevCtryName = 0x7;
inline constexpr uint32_t kSNativeCtryName = 0x8;
inline constexpr uint32_t kSList = 0xC;
inline constexpr uint32_t kIMeasure = 0xD;
inline constexpr uint32_t kSDecimal = 0xE;
inline constexpr uint32_t kSThousand = 0xF;
inline constexpr uint32_t kSGrouping = 0x10;
inline constexpr uint32_t kIDigits = 0x11;
inline constexpr uint32_t kILZero = 0x12;
inline constexpr uint32_t kSNativeDigits = 0x13;
inline constexpr uint32_t kSCurrency = 0x14;
inline constexpr uint32_t kSIntlSymbol = 0x15;
inline constexpr uint32_t kSMonDecimalSep = 0x16;
inline constexpr uint32_t kSMonThousandSep = 0x17;
inline constexpr uint32_t kSMonGrouping = 0x18;
inline constexpr uint32_t kICurrDigits = 0x19;
inline constexpr uint32_t kICurrency = 0x1B;
inline constexpr uint32_t kINegCurr = 0x1C;
inline constexpr uint32_t kSDate = 0x1D;
inline constexpr uint32_t kSTime = 0x1E;
inline constexpr uint32_t kSShortDate = 0x1F;
inline constexpr uint32_t kSLongDate = 0x20;
inline constexpr uint32_t kIDate = 0x21;
inline constexpr uint32_t kILDate = 0x22;
inline constexpr uint32_t kITime = 0x23;
inline constexpr uint32_t kS1159 = 0x28;
inline constexpr uint32_t kS2359 = 0x29;
inline constexpr uint32_t kSDayName1 = 0x2A;          // Monday; ..0x30 Sunday
inline constexpr uint32_t kSAbbrevDayName1 = 0x31;    // ..0x37
inline constexpr uint32_t kSMonthName1 = 0x38;        // ..0x43
inline constexpr uint32_t kSAbbrevMonthName1 = 0x44;  // ..0x4F
inline constexpr uint32_t kSPositiveSign = 0x50;
inline constexpr uint32_t kSNegativeSign = 0x51;
inline constexpr uint32_t kSIso639LangName = 0x59;
inline constexpr uint32_t kSIso3166CtryName = 0x5A;
inline constexpr uint32_t kSName = 0x5C;
inline constexpr uint32_t kSEnglishDisplayName = 0x72;
inline constexpr uint32_t kSNativeDisplayName = 0x73;
inline constexpr uint32_t kSEngLanguage = 0x1001;
inline constexpr uint32_t kSEngCountry = 0x1002;
inline constexpr uint32_t kSTimeFormat = 0x1003;
inline constexpr uint32_t kIDefaultAnsiCodePage = 0x1004;
inline constexpr uint32_t kSEngCurrName = 0x1007;
inline constexpr uint32_t kSNativeCurrName = 0x1008;
inline constexpr uint32_t kICalendarType = 0x1009;
inline constexpr uint32_t kIFirstDayOfWeek = 0x100C;
inline constexpr uint32_t kSMonthName13 = 0x100E;
inline constexpr uint32_t kSAbbrevMonthName13 = 0x100F;
inline constexpr uint32_t kINegNumber = 0x1010;

// Every code above lies in one of these ranges, both ends included: the
// codes the build-time table (locale_table.hpp) holds the answers to.
struct CodeRange {
    uint32_t first;
    uint32_t last;
};
inline constexpr CodeRange kCodeRanges[] = {{0x1, 0x7F}, {0x1000, 0x101F}};

// Modifier bits a caller may OR into a code.
inline constexpr uint32_t kNoUserOverride = 0x80000000;
inline constexpr uint32_t kUseCpAcp = 0x40000000;
inline constexpr uint32_t kReturnNumber = 0x20000000;
inline constexpr uint32_t kReturnGenitiveNames = 0x10000000;

}  // namespace quibor15::icu_backend::lctype

namespace quibor15::icu_backend::timeflags {

inline constexpr uint32_t kNoMinutesOrSeconds = 0x1;  // TIME_NOMINUTESORSECONDS
inline constexpr uint32_t kNoSeconds = 0x2;           // TIME_NOSECONDS
inline constexpr uint32_t kNoTimeMarker = 0x4;        // TIME_NOTIMEMARKER
inline constexpr uint32_t kForce24Hour = 0x8;         // TIME_FORCE24HOURFORMAT

}  // namespace quibor15::icu_backend::timeflags

namespace quibor15::icu_backend::compareflags {

inline constexpr uint32_t kIgnoreCase = 0x1;                  // NORM_IGNORECASE
inline constexpr uint32_t kIgnoreNonSpace = 0x2;              // NORM_IGNORENONSPACE
inline constexpr uint32_t kIgnoreSymbols = 0x4;               // NORM_IGNORESYMBOLS
inline constexpr uint32_t kLinguisticIgnoreCase = 0x10;       // LINGUISTIC_IGNORECASE
inline constexpr uint32_t kLinguisticIgnoreDiacritic = 0x20;  // LINGUISTIC_IGNOREDIACRITIC
inline constexpr uint32_t kStringSort = 0x1000;               // SORT_STRINGSORT
// The flags that change how a collator is set up.
inline constexpr uint32_t kStrengthMask =
    kIgnoreCase | kIgnoreNonSpace | kIgnoreSymbols | kLinguisticIgnoreCase | kLinguisticIgnoreDiacritic;

}  // namespace quibor15::icu_backend::compareflags

namespace quibor15::icu_backend::mapflags {

inline constexpr uint32_t kLowerCase = 0x100;              // LCMAP_LOWERCASE
inline constexpr uint32_t kUpperCase = 0x200;              // LCMAP_UPPERCASE
inline constexpr uint32_t kLinguisticCasing = 0x01000000;  // LCMAP_LINGUISTIC_CASING

}  // namespace quibor15::icu_backend::mapflags
