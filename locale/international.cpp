#include "locale/international.hpp"

#include <algorithm>

#include "locale/locale_codes.hpp"
#include "locale/locale_text.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace ls = locale_services;

namespace {

// The candidate range: every primary language 0 to 100 with every
// sub-language 0 to 20, primary-language order first.
constexpr Long kLastPrimary = 100;
constexpr Long kLastSub = 20;

bool IsExcluded(Long lcid) {
    return std::find(std::begin(ls::kExcludedLcids), std::end(ls::kExcludedLcids), lcid) !=
           std::end(ls::kExcludedLcids);
}

// Only the two Gregorian calendars (types 1 and 2) are catalogued; a locale
// whose calendar type cannot be read is not excluded for it. The type is
// read as a leading number, so an unreadable text counts as unknown rather
// than stopping the whole catalogue.
bool HasGregorianCalendar(WindowsServices& windows, Long lcid) {
    const String calendar = ls::GetLocaleString(windows, lcid, ls::info::kICalendarType);
    return calendar.empty() || LeadingNumber(calendar) <= 2;
}

}  // namespace

clsQuiborInternationalA::clsQuiborInternationalA(ContextPtr context)
    : _clsQuiborInternationalA(std::move(context)), locales_(MakeRef<clsQuiborLocalesA>(GetContext())) {
    system_lcid_ = Windows().GetSystemDefaultLCID();
    for (Long primary = 0; primary <= kLastPrimary; ++primary) {
        for (Long sub = 0; sub <= kLastSub; ++sub) AddLocale(primary, sub);
    }
}

void clsQuiborInternationalA::AddLocale(Long primary, Long sub) {
    // Primary language 0 names no language and sub-language 0 a language
    // without its country: a system that answers such an identifier as
    // valid gives it the data and the abbreviation of a real locale, which
    // would then be catalogued under the wrong identifier.
    if (primary == 0 || sub == 0) return;
    const Long lcid = ls::MakeLCID(primary, sub);
    if (IsExcluded(lcid)) return;
    if (Windows().IsValidLocale(lcid, lcflags::kLcidInstalled) != 1) return;
    if (!HasGregorianCalendar(Windows(), lcid)) return;

    // From here on a failing step is passed over and the next one runs: a
    // locale whose picture lists could not be built is still catalogued
    // with what was built.
    auto locale = MakeRef<clsQuiborLocaleA>(GetContext());
    try {
        locale->InitLocale(primary, sub);
    } catch (const AutomationError&) {
    }
    String abbreviation;
    try {
        abbreviation = locale->get_AbbrevLangName();
    } catch (const AutomationError&) {
    }
    if (abbreviation.empty()) return;
    Ref<_clsQuiborLocaleA> entry = locale;
    locales_->AddObj(entry);
    // Compared even when the abbreviation was already taken: such a locale
    // is missing from Locales but can still be the system default.
    if (locale->get_LCID() == system_lcid_) system_default_ = entry;
}

Ref<_clsQuiborLocalesA> clsQuiborInternationalA::get_Locales() { return locales_; }

Ref<_clsQuiborLocaleA> clsQuiborInternationalA::get_SystemDefault() { return system_default_; }

}  // namespace quibor15
