// Facts about Windows locales that no CLDR field carries: the three-letter
// language abbreviations, the ANSI code page a locale maps to and the numbers
// Windows gives its calendars.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quibor15::icu_backend {

// The abbreviation Windows ships for lcid (ENU, DEU, ESN, ...), when it is one
// of the identifiers listed here.
std::optional<std::u16string_view> KnownAbbreviation(int32_t lcid);

// Whether the listed abbreviations hold this one.
bool IsWindowsAbbreviation(std::u16string_view abbreviation);

// The abbreviation for an identifier that is not listed: the upper-cased
// ISO 639-1 code followed by the first letter of the country's English name
// (en + Kenya -> ENK), which is how Windows builds most of its own. Languages
// with only a three-letter code use that code alone (fil -> FIL). When the
// country name does not start with a Latin letter, the region code's first
// character stands in for it. When taken holds that abbreviation, the
// name's later letters, the region code's and then the alphabet are tried
// in turn, so that no two identifiers share one.
std::u16string DeriveAbbreviation(std::string_view language, std::u16string_view english_country,
                                  std::string_view region,
                                  const std::function<bool(std::u16string_view)>& taken = nullptr);

// The Windows ANSI code page for a language written in an ICU script code
// (Latn, Cyrl, ...); 0 for locales Windows serves through Unicode only.
int AnsiCodePage(std::string_view language, std::string_view script);

// The Windows calendar number (CAL_*) for an ICU calendar type, or 0 when
// Windows has no such calendar.
int WindowsCalendarId(std::string_view icu_calendar_type);

// Calendars whose year counts from the start of a recent era (Japanese,
// Taiwan): their full year is written without zero padding.
bool IsEraYearCalendar(int windows_calendar_id);

// The Windows sort name appended to a locale name (es-ES_tradnl) for an ICU
// collation keyword value; empty when Windows has none.
std::string_view WindowsSortSuffix(std::string_view icu_collation);

}  // namespace quibor15::icu_backend
