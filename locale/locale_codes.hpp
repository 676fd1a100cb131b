// The Windows locale information codes and flags the locale classes pass to
// the platform, and the identifier arithmetic they share.
#pragma once

#include <cstdint>

#include "quibor15/object.hpp"

namespace quibor15::locale_services {

namespace info {
inline constexpr uint32_t kSLanguage = 0x2;           // LOCALE_SLANGUAGE
inline constexpr uint32_t kSAbbrevLangName = 0x3;     // LOCALE_SABBREVLANGNAME
inline constexpr uint32_t kSNativeLangName = 0x4;     // LOCALE_SNATIVELANGNAME
inline constexpr uint32_t kSNativeCtryName = 0x8;     // LOCALE_SNATIVECTRYNAME
inline constexpr uint32_t kSDecimal = 0xE;            // LOCALE_SDECIMAL
inline constexpr uint32_t kSThousand = 0xF;           // LOCALE_STHOUSAND
inline constexpr uint32_t kSGrouping = 0x10;          // LOCALE_SGROUPING
inline constexpr uint32_t kIDigits = 0x11;            // LOCALE_IDIGITS
inline constexpr uint32_t kSCurrency = 0x14;          // LOCALE_SCURRENCY
inline constexpr uint32_t kSIntlSymbol = 0x15;        // LOCALE_SINTLSYMBOL
inline constexpr uint32_t kICurrency = 0x1B;          // LOCALE_ICURRENCY
inline constexpr uint32_t kINegCurr = 0x1C;           // LOCALE_INEGCURR
inline constexpr uint32_t kSShortDate = 0x1F;         // LOCALE_SSHORTDATE
inline constexpr uint32_t kSLongDate = 0x20;          // LOCALE_SLONGDATE
inline constexpr uint32_t kSDayName1 = 0x2A;          // LOCALE_SDAYNAME1 (Monday)
inline constexpr uint32_t kSAbbrevDayName1 = 0x31;    // LOCALE_SABBREVDAYNAME1
inline constexpr uint32_t kSMonthName1 = 0x38;        // LOCALE_SMONTHNAME1
inline constexpr uint32_t kSAbbrevMonthName1 = 0x44;  // LOCALE_SABBREVMONTHNAME1
inline constexpr uint32_t kSEngLanguage = 0x1001;     // LOCALE_SENGLANGUAGE
inline constexpr uint32_t kICalendarType = 0x1009;    // LOCALE_ICALENDARTYPE
}  // namespace info

// Every text the locale functions hand back lands in a buffer of this many
// characters.
inline constexpr int32_t kLocaleBufferChars = 255;

// The identifiers the catalogue never lists, whatever the platform reports.
inline constexpr Long kExcludedLcids[] = {0x0404, 0x0405, 0x0804, 0x042A};

// sub-language x 1024 OR primary language, sort identifier 0.
constexpr Long MakeLCID(Long primary, Long sub) noexcept { return (sub << 10) | primary; }

}  // namespace quibor15::locale_services
