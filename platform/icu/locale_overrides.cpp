#include "platform/icu/locale_overrides.hpp"

#include <array>

#include "platform/icu/info_codes.hpp"

namespace quibor15::icu_backend {
namespace {

// English (United States)
constexpr std::u16string_view kEnUsShort[] = {u"M/d/yyyy", u"M/d/yy",     u"MM/dd/yy", u"MM/dd/yyyy",
                                              u"yy/MM/dd", u"yyyy-MM-dd", u"dd-MMM-yy"};
constexpr std::u16string_view kEnUsLong[] = {u"dddd, MMMM dd, yyyy", u"MMMM dd, yyyy", u"dddd, dd MMMM, yyyy",
                                             u"dd MMMM, yyyy"};
constexpr std::u16string_view kEnUsTime[] = {u"h:mm:ss tt", u"hh:mm:ss tt", u"H:mm:ss", u"HH:mm:ss"};
// Windows shows negative dollar amounts in parentheses; CLDR's standard
// pattern uses a minus.
constexpr InfoOverride kEnUsInfo[] = {{lctype::kINegCurr, u"0"}};

// English (United Kingdom)
constexpr std::u16string_view kEnGbShort[] = {u"dd/MM/yyyy", u"dd/MM/yy", u"d/M/yy", u"d.M.yy", u"yyyy-MM-dd"};
constexpr std::u16string_view kEnGbLong[] = {u"dd MMMM yyyy", u"d MMMM yyyy", u"dddd, d MMMM yyyy",
                                             u"dddd, dd MMMM yyyy"};
constexpr std::u16string_view kEnGbTime[] = {u"HH:mm:ss", u"H:mm:ss", u"hh:mm:ss tt", u"h:mm:ss tt"};
constexpr InfoOverride kEnGbInfo[] = {{lctype::kS1159, u"AM"}, {lctype::kS2359, u"PM"}};

// German (Germany)
constexpr std::u16string_view kDeDeShort[] = {u"dd.MM.yyyy", u"dd.MM.yy", u"d.M.yy", u"d.M.yyyy", u"yyyy-MM-dd"};
constexpr std::u16string_view kDeDeLong[] = {u"dddd, d. MMMM yyyy", u"d. MMMM yyyy", u"dddd, dd. MMMM yyyy",
                                             u"dd. MMMM yyyy"};
constexpr std::u16string_view kDeDeTime[] = {u"HH:mm:ss", u"H:mm:ss"};

// French (France)
constexpr std::u16string_view kFrFrShort[] = {u"dd/MM/yyyy", u"dd/MM/yy", u"dd.MM.yy", u"dd-MM-yy", u"yyyy-MM-dd"};
constexpr std::u16string_view kFrFrLong[] = {u"dddd d MMMM yyyy", u"d MMM yy", u"d MMMM yyyy"};
constexpr std::u16string_view kFrFrTime[] = {u"HH:mm:ss", u"H:mm:ss"};

// Russian (Russia)
constexpr std::u16string_view kRuRuShort[] = {u"dd.MM.yyyy", u"dd.MM.yy", u"d.M.yy", u"d.M.yyyy", u"yyyy-MM-dd"};
constexpr std::u16string_view kRuRuLong[] = {u"d MMMM yyyy 'г.'", u"dd MMMM yyyy 'г.'", u"dddd, d MMMM yyyy 'г.'"};
constexpr std::u16string_view kRuRuTime[] = {u"H:mm:ss", u"HH:mm:ss"};

// Japanese (Japan)
constexpr std::u16string_view kJaJpShort[] = {u"yyyy/MM/dd", u"yy/MM/dd", u"yyyy/M/d", u"yy/M/d", u"yyyy-MM-dd"};
constexpr std::u16string_view kJaJpLong[] = {u"yyyy'年'M'月'd'日'", u"yyyy'年'MM'月'dd'日'",
                                             u"yyyy'年'M'月'd'日' dddd"};
constexpr std::u16string_view kJaJpTime[] = {u"H:mm:ss", u"HH:mm:ss", u"tt h:mm:ss", u"tt hh:mm:ss"};
// CLDR writes the yen with the full-width sign; Windows uses the Latin-1 one.
constexpr InfoOverride kJaJpInfo[] = {{lctype::kSCurrency, u"\u00A5"}};

// CLDR groups French digits with a narrow no-break space, which the Western
// code page lacks; Windows uses the no-break space.
constexpr InfoOverride kFrFrInfo[] = {{lctype::kSThousand, u"\u00A0"}, {lctype::kSMonThousandSep, u"\u00A0"}};

constexpr std::array kOverrides = {
    LocaleOverride{0x0409, kEnUsShort, kEnUsLong, kEnUsTime, kEnUsInfo},
    LocaleOverride{0x0809, kEnGbShort, kEnGbLong, kEnGbTime, kEnGbInfo},
    LocaleOverride{0x0407, kDeDeShort, kDeDeLong, kDeDeTime, {}},
    LocaleOverride{0x040C, kFrFrShort, kFrFrLong, kFrFrTime, kFrFrInfo},
    LocaleOverride{0x0419, kRuRuShort, kRuRuLong, kRuRuTime, {}},
    LocaleOverride{0x0411, kJaJpShort, kJaJpLong, kJaJpTime, kJaJpInfo},
};

}  // namespace

const LocaleOverride* FindLocaleOverride(int32_t lcid) {
    for (const LocaleOverride& entry : kOverrides) {
        if (entry.lcid == lcid) return &entry;
    }
    return nullptr;
}

}  // namespace quibor15::icu_backend
