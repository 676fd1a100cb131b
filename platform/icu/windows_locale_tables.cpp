#include "platform/icu/windows_locale_tables.hpp"

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

namespace quibor15::icu_backend {
namespace {

struct AbbreviationEntry {
    int32_t lcid;
    std::u16string_view abbreviation;
};

// Sorted by identifier so lookups can bisect.
constexpr std::array kAbbreviations = std::to_array<AbbreviationEntry>({
    {0x0401, u"ARA"}, {0x0402, u"BGR"}, {0x0403, u"CAT"}, {0x0404, u"CHT"}, {0x0405, u"CSY"}, {0x0406, u"DAN"},
    {0x0407, u"DEU"}, {0x0408, u"ELL"}, {0x0409, u"ENU"}, {0x040A, u"ESP"}, {0x040B, u"FIN"}, {0x040C, u"FRA"},
    {0x040D, u"HEB"}, {0x040E, u"HUN"}, {0x040F, u"ISL"}, {0x0410, u"ITA"}, {0x0411, u"JPN"}, {0x0412, u"KOR"},
    {0x0413, u"NLD"}, {0x0414, u"NOR"}, {0x0415, u"PLK"}, {0x0416, u"PTB"}, {0x0417, u"RMC"}, {0x0418, u"ROM"},
    {0x0419, u"RUS"}, {0x041A, u"HRV"}, {0x041B, u"SKY"}, {0x041C, u"SQI"}, {0x041D, u"SVE"}, {0x041E, u"THA"},
    {0x041F, u"TRK"}, {0x0420, u"URD"}, {0x0421, u"IND"}, {0x0422, u"UKR"}, {0x0423, u"BEL"}, {0x0424, u"SLV"},
    {0x0425, u"ETI"}, {0x0426, u"LVI"}, {0x0427, u"LTH"}, {0x0428, u"TAJ"}, {0x0429, u"FAR"}, {0x042A, u"VIT"},
    {0x042B, u"HYE"}, {0x042C, u"AZE"}, {0x042D, u"EUQ"}, {0x042E, u"HSB"}, {0x042F, u"MKI"}, {0x0432, u"TSN"},
    {0x0434, u"XHO"}, {0x0435, u"ZUL"}, {0x0436, u"AFK"}, {0x0437, u"KAT"}, {0x0438, u"FOS"}, {0x0439, u"HIN"},
    {0x043A, u"MLT"}, {0x043B, u"SME"}, {0x043E, u"MSL"}, {0x043F, u"KKZ"}, {0x0440, u"KYR"}, {0x0441, u"SWK"},
    {0x0442, u"TUK"}, {0x0443, u"UZB"}, {0x0444, u"TTT"}, {0x0445, u"BNG"}, {0x0446, u"PAN"}, {0x0447, u"GUJ"},
    {0x0448, u"ORI"}, {0x0449, u"TAI"}, {0x044A, u"TEL"}, {0x044B, u"KDI"}, {0x044C, u"MYM"}, {0x044D, u"ASM"},
    {0x044E, u"MAR"}, {0x044F, u"SAN"}, {0x0450, u"MON"}, {0x0451, u"BOB"}, {0x0452, u"CYM"}, {0x0453, u"KHM"},
    {0x0454, u"LAO"}, {0x0455, u"MYA"}, {0x0456, u"GLC"}, {0x0457, u"KNK"}, {0x045A, u"SYR"}, {0x045B, u"SIN"},
    {0x045D, u"IUS"}, {0x045E, u"AMH"}, {0x0461, u"NEP"}, {0x0462, u"FYN"}, {0x0463, u"PAS"}, {0x0464, u"FPO"},
    {0x0465, u"DIV"}, {0x0468, u"HAU"}, {0x046A, u"YOR"}, {0x046B, u"QUB"}, {0x046C, u"NSO"}, {0x046D, u"BAS"},
    {0x046E, u"LBX"}, {0x046F, u"KAL"}, {0x0470, u"IBO"}, {0x0478, u"III"}, {0x047A, u"MPD"}, {0x047C, u"MWK"},
    {0x047E, u"BRE"}, {0x0480, u"UIG"}, {0x0481, u"MRI"}, {0x0482, u"OCI"}, {0x0483, u"COS"}, {0x0484, u"GSW"},
    {0x0485, u"SAH"}, {0x0486, u"QUT"}, {0x0487, u"KIN"}, {0x0488, u"WOL"}, {0x048C, u"PRS"}, {0x0491, u"GLA"},
    {0x0801, u"ARI"}, {0x0804, u"CHS"}, {0x0807, u"DES"}, {0x0809, u"ENG"}, {0x080A, u"ESM"}, {0x080C, u"FRB"},
    {0x0810, u"ITS"}, {0x0813, u"NLB"}, {0x0814, u"NON"}, {0x0816, u"PTG"}, {0x0818, u"ROD"}, {0x081A, u"SRL"},
    {0x081D, u"SVF"}, {0x082C, u"AZC"}, {0x083B, u"SMF"}, {0x083C, u"IRE"}, {0x083E, u"MSB"}, {0x0843, u"UZC"},
    {0x0845, u"BNB"}, {0x0850, u"MNG"}, {0x085D, u"IUK"}, {0x085F, u"TZM"}, {0x086B, u"QUE"}, {0x0C01, u"ARE"},
    {0x0C04, u"ZHH"}, {0x0C07, u"DEA"}, {0x0C09, u"ENA"}, {0x0C0A, u"ESN"}, {0x0C0C, u"FRC"}, {0x0C1A, u"SRB"},
    {0x0C3B, u"SMG"}, {0x0C6B, u"QUP"}, {0x1001, u"ARL"}, {0x1004, u"ZHI"}, {0x1007, u"DEL"}, {0x1009, u"ENC"},
    {0x100A, u"ESG"}, {0x100C, u"FRS"}, {0x101A, u"HRB"}, {0x103B, u"SMJ"}, {0x1401, u"ARG"}, {0x1404, u"ZHM"},
    {0x1407, u"DEC"}, {0x1409, u"ENZ"}, {0x140A, u"ESC"}, {0x140C, u"FRL"}, {0x141A, u"BSB"}, {0x143B, u"SMK"},
    {0x1801, u"ARM"}, {0x1809, u"ENI"}, {0x180A, u"ESA"}, {0x180C, u"FRM"}, {0x181A, u"SRS"}, {0x183B, u"SMA"},
    {0x1C01, u"ART"}, {0x1C09, u"ENS"}, {0x1C0A, u"ESD"}, {0x1C1A, u"SRN"}, {0x1C3B, u"SMB"}, {0x2001, u"ARO"},
    {0x2009, u"ENJ"}, {0x200A, u"ESV"}, {0x200C, u"FRR"}, {0x201A, u"BSC"}, {0x203B, u"SMS"}, {0x2401, u"ARY"},
    {0x2409, u"ENB"}, {0x240A, u"ESO"}, {0x240C, u"FRD"}, {0x241A, u"SRM"}, {0x243B, u"SMN"}, {0x2801, u"ARS"},
    {0x2809, u"ENL"}, {0x280A, u"ESR"}, {0x280C, u"FRN"}, {0x281A, u"SRO"}, {0x2C01, u"ARJ"}, {0x2C09, u"ENT"},
    {0x2C0A, u"ESS"}, {0x2C0C, u"FRE"}, {0x2C1A, u"SRP"}, {0x3001, u"ARB"}, {0x3009, u"ENW"}, {0x300A, u"ESF"},
    {0x300C, u"FRI"}, {0x301A, u"SRQ"}, {0x3401, u"ARK"}, {0x3409, u"ENP"}, {0x340A, u"ESL"}, {0x340C, u"FRF"},
    {0x3801, u"ARU"}, {0x380A, u"ESY"}, {0x380C, u"FRO"}, {0x3C01, u"ARH"}, {0x3C0A, u"ESZ"}, {0x3C0C, u"FRH"},
    {0x4001, u"ARQ"}, {0x4009, u"ENN"}, {0x400A, u"ESB"}, {0x4409, u"ENM"}, {0x440A, u"ESE"}, {0x4809, u"ENE"},
    {0x480A, u"ESH"}, {0x4C0A, u"ESI"}, {0x500A, u"ESU"}, {0x540A, u"EST"},
});

static_assert(std::is_sorted(kAbbreviations.begin(), kAbbreviations.end(),
                             [](const auto& a, const auto& b) { return a.lcid < b.lcid; }));

char16_t UpperAscii(char c) { return static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); }

bool IsOneOf(std::string_view value, std::initializer_list<std::string_view> set) {
    return std::find(set.begin(), set.end(), value) != set.end();
}

}  // namespace

std::optional<std::u16string_view> KnownAbbreviation(int32_t lcid) {
    auto it = std::lower_bound(kAbbreviations.begin(), kAbbreviations.end(), lcid,
                               [](const AbbreviationEntry& e, int32_t id) { return e.lcid < id; });
    if (it == kAbbreviations.end() || it->lcid != lcid) return std::nullopt;
    return it->abbreviation;
}

bool IsWindowsAbbreviation(std::u16string_view abbreviation) {
    return std::any_of(kAbbreviations.begin(), kAbbreviations.end(),
                       [&](const AbbreviationEntry& e) { return e.abbreviation == abbreviation; });
}

std::u16string DeriveAbbreviation(std::string_view language, std::u16string_view english_country,
                                  std::string_view region, const std::function<bool(std::u16string_view)>& taken) {
    std::u16string code;
    for (char c : language) code.push_back(UpperAscii(c));
    auto is_free = [&](const std::u16string& candidate) { return !taken || !taken(candidate); };
    if (language.size() == 3 && is_free(code)) return code;
    if (language.size() != 2 && language.size() != 3) return code;

    // The letters to end the language code with, the likeliest first: the
    // country's initial (the region code's when the name does not start
    // with a Latin letter), the name's other letters, the region code's,
    // then the alphabet.
    std::u16string letters;
    auto add = [&letters](char16_t c) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        if (c >= u'A' && c <= u'Z' && letters.find(c) == std::u16string::npos) letters.push_back(c);
    };
    const char16_t initial = english_country.empty() ? u'\0' : english_country.front();
    const bool latin_initial = (initial >= u'a' && initial <= u'z') || (initial >= u'A' && initial <= u'Z');
    if (!latin_initial) add(region.empty() ? u'X' : UpperAscii(region.front()));
    for (char16_t c : english_country) add(c);
    for (char c : region) add(UpperAscii(c));
    for (char16_t c = u'A'; c <= u'Z'; ++c) add(c);

    const std::u16string stem = code.substr(0, 2);
    for (char16_t letter : letters) {
        std::u16string candidate = stem + letter;
        if (is_free(candidate)) return candidate;
    }
    return stem + letters.front();
}

int AnsiCodePage(std::string_view language, std::string_view script) {
    if (script == "Latn") {
        if (IsOneOf(language, {"cs", "pl", "hu", "sk", "sl", "hr", "ro", "sq", "bs", "sr", "tk"})) return 1250;
        if (IsOneOf(language, {"tr", "az", "uz"})) return 1254;
        if (IsOneOf(language, {"lt", "lv", "et"})) return 1257;
        if (language == "vi") return 1258;
        return 1252;
    }
    if (script == "Cyrl") return 1251;
    if (script == "Grek") return 1253;
    if (script == "Hebr") return 1255;
    if (script == "Arab") return 1256;
    if (script == "Thai") return 874;
    if (script == "Jpan") return 932;
    if (script == "Hans") return 936;
    if (script == "Kore") return 949;
    if (script == "Hant") return 950;
    return 0;
}

int WindowsCalendarId(std::string_view icu_calendar_type) {
    static constexpr std::pair<std::string_view, int> kCalendars[] = {
        {"gregorian", 1},         {"japanese", 3},     {"roc", 4},      {"islamic", 6}, {"islamic-civil", 6},
        {"islamic-tbla", 6},      {"islamic-rgsa", 6}, {"buddhist", 7}, {"hebrew", 8},  {"persian", 22},
        {"islamic-umalqura", 23},
    };
    for (const auto& [type, id] : kCalendars) {
        if (type == icu_calendar_type) return id;
    }
    return 0;
}

bool IsEraYearCalendar(int windows_calendar_id) { return windows_calendar_id == 3 || windows_calendar_id == 4; }

std::string_view WindowsSortSuffix(std::string_view icu_collation) {
    if (icu_collation == "traditional") return "tradnl";
    if (icu_collation == "phonebook") return "phoneb";
    if (icu_collation == "stroke") return "stroke";
    if (icu_collation == "pinyin") return "pinyin";
    if (icu_collation == "unihan") return "radstr";
    return {};
}

}  // namespace quibor15::icu_backend
