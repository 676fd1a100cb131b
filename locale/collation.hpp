// Sorting texts by a locale's collation and mapping them to lower or upper
// case by its casing rules, through the platform's string functions.
#pragma once

#include "quibor15/object.hpp"
#include "quibor15/windows_services.hpp"

namespace quibor15::locale_services {

// The non-empty texts of a one-dimensional array, sorted by a selection
// sort that keeps equal texts in their input order, in a new array with
// lower bound 0. `ignore_case` adds NORM_IGNORECASE. Texts that took part in
// a comparison come back as the 8-bit conversion left them. Error 9 for an
// array that is not one-dimensional; error 1 (source "Locale.ListSort") when
// the platform cannot compare two texts.
SafeArray SortTexts(WindowsServices& windows, Long lcid, const SafeArray& list, bool ascending, bool ignore_case);

// LCMapStringA with LCMAP_LOWERCASE or LCMAP_UPPERCASE; the empty text when
// the platform cannot map the text.
String MapTextCase(WindowsServices& windows, Long lcid, uint32_t map_flag, const String& text);

}  // namespace quibor15::locale_services
