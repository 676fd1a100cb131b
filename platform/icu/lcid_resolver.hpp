// Windows locale identifiers to ICU locales.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quibor15::icu_backend {

// The ICU locale name for an installed identifier, nullopt otherwise. An
// identifier counts as installed when its sort id is 0, ICU maps it to a
// locale with a country and maps that locale back to the same identifier,
// and ICU has data for the locale's language (in the locale's script, when it
// names one). Language-only identifiers (0x0009) are not installed: Windows
// lists only specific locales.
std::optional<std::string> InstalledLocaleName(int32_t lcid);

// The locale name with its likely script added when ICU keeps that script's
// data apart from the language's other scripts (zh_CN becomes zh_Hans_CN), so that names shown
// to a person tell the variants apart.
std::string WithDistinguishingScript(const std::string& locale_name);

}  // namespace quibor15::icu_backend
