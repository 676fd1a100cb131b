#include "platform/icu/lcid_resolver.hpp"

#include <unicode/uloc.h>

#include <string_view>
#include <unordered_set>

namespace quibor15::icu_backend {
namespace {

constexpr int32_t kNameCapacity = ULOC_FULLNAME_CAPACITY;

// The languages ICU ships data for, as "xx", and the language-script pairs
// it keeps apart, as "xx_Scrp".
struct AvailableLanguages {
    std::unordered_set<std::string> languages;
    std::unordered_set<std::string> language_scripts;

    AvailableLanguages() {
        const int32_t count = uloc_countAvailable();
        for (int32_t i = 0; i < count; ++i) {
            const char* name = uloc_getAvailable(i);
            UErrorCode status = U_ZERO_ERROR;
            char language[ULOC_LANG_CAPACITY] = {};
            char script[ULOC_SCRIPT_CAPACITY] = {};
            uloc_getLanguage(name, language, ULOC_LANG_CAPACITY, &status);
            uloc_getScript(name, script, ULOC_SCRIPT_CAPACITY, &status);
            if (U_FAILURE(status) || language[0] == '\0') continue;
            languages.insert(language);
            if (script[0] != '\0') {
                language_scripts.insert(std::string(language) + "_" + script);
            }
        }
    }
};

const AvailableLanguages& Available() {
    static const AvailableLanguages available;
    return available;
}

std::string Part(const char* name, int32_t (*getter)(const char*, char*, int32_t, UErrorCode*)) {
    char buffer[kNameCapacity] = {};
    UErrorCode status = U_ZERO_ERROR;
    getter(name, buffer, kNameCapacity, &status);
    return U_SUCCESS(status) ? std::string(buffer) : std::string();
}

std::string LikelyScript(const std::string& language) {
    char maximized[kNameCapacity] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_addLikelySubtags(language.c_str(), maximized, kNameCapacity, &status);
    return U_SUCCESS(status) ? Part(maximized, uloc_getScript) : std::string();
}

// Identifiers ICU maps that Windows does not have: 0x0812, Korean with the
// Johab code page, is no locale of its own (ICU reads it as North Korea).
constexpr int32_t kNotWindowsLocales[] = {0x0812};

}  // namespace

std::optional<std::string> InstalledLocaleName(int32_t lcid) {
    if (lcid <= 0 || lcid > 0xFFFF) return std::nullopt;
    for (int32_t excluded : kNotWindowsLocales) {
        if (lcid == excluded) return std::nullopt;
    }
    char name[kNameCapacity] = {};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getLocaleForLCID(static_cast<uint32_t>(lcid), name, kNameCapacity, &status);
    if (U_FAILURE(status) || length <= 0 || status == U_STRING_NOT_TERMINATED_WARNING) return std::nullopt;
    // Unknown sub-languages fall back to the primary language or to root;
    // only an exact round trip names a real Windows locale.
    if (uloc_getLCID(name) != static_cast<uint32_t>(lcid)) return std::nullopt;
    if (Part(name, uloc_getCountry).empty()) return std::nullopt;

    const std::string language = Part(name, uloc_getLanguage);
    const std::string script = Part(name, uloc_getScript);
    const AvailableLanguages& available = Available();
    if (available.languages.count(language) == 0) return std::nullopt;
    // ICU would serve mn_Mong from the Cyrillic Mongolian data: a script the
    // language has no data for is not installed.
    if (!script.empty() && available.language_scripts.count(language + "_" + script) == 0 &&
        LikelyScript(language) != script) {
        return std::nullopt;
    }
    return std::string(name);
}

std::string WithDistinguishingScript(const std::string& locale_name) {
    const std::string language = Part(locale_name.c_str(), uloc_getLanguage);
    if (!Part(locale_name.c_str(), uloc_getScript).empty()) return locale_name;
    const std::string script = LikelyScript(language);
    if (script.empty() || Available().language_scripts.count(language + "_" + script) == 0) return locale_name;
    char maximized[kNameCapacity] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_addLikelySubtags(locale_name.c_str(), maximized, kNameCapacity, &status);
    return U_SUCCESS(status) ? std::string(maximized) : locale_name;
}

}  // namespace quibor15::icu_backend
