// The database's Windows-style answers for every installed identifier,
// worked out from ICU when the project is built (gen/main.cpp dumps the live
// database) and compiled in as constant data, so that identifiers,
// information values and picture lists need no ICU data at run time.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quibor15::icu_backend {

// A text of the table: a stretch of LocaleTable::texts.
struct TabledText {
    uint32_t offset;
    uint32_t length;
};

// One information answer: key is the code shifted left by one, its low bit
// set for the genitive form; the text is a stretch of LocaleTable::texts.
struct TabledInfo {
    uint16_t key;
    uint16_t length;
    uint32_t offset;
};

struct TabledLocale {
    int32_t lcid;
    uint32_t first_info;  // into LocaleTable::infos, sorted by key
    uint16_t info_count;
    uint16_t short_count;  // pictures from first_picture on: short, long, time
    uint16_t long_count;
    uint16_t time_count;
    uint32_t first_picture;  // into LocaleTable::pictures
};

// Identifiers 0 to 0xFFFF, one bit each, set for the installed ones.
inline constexpr size_t kInstalledWords = 0x10000 / 64;

struct LocaleTable {
    // u_getVersion of the ICU the answers came from, as dotted text.
    std::string_view icu_version;
    std::span<const TabledLocale> locales;  // the installed ones, sorted by identifier
    // Bit lcid % 64 of word lcid / 64 is set when lcid is installed; ranks
    // counts the bits of the words before each, which makes the bit's rank
    // the locale's position in locales.
    std::span<const uint64_t, kInstalledWords> installed;
    std::span<const uint16_t, kInstalledWords> ranks;
    std::span<const TabledInfo> infos;
    std::span<const TabledText> pictures;
    std::u16string_view texts;
};

// The table compiled in, or nullptr in a program built without one (the
// generator itself).
const LocaleTable* BuiltInLocaleTable();

// The compiled-in table when it was made from the ICU this process runs on;
// nullptr otherwise, and the database then asks ICU.
const LocaleTable* MatchingBuiltInLocaleTable();

// The identifiers the table answers for: 0 to 0xFFFF, which holds every one
// that can be installed; the table then says whether it is.
constexpr bool IsTabledIdentifier(int32_t lcid) { return lcid >= 0 && lcid <= 0xFFFF; }

enum class PictureKind { kShortDates, kLongDates, kTimes };

const TabledLocale* FindTabled(const LocaleTable& table, int32_t lcid);
std::optional<std::u16string> TabledInfoOf(const LocaleTable& table, const TabledLocale& locale, uint32_t lctype,
                                           bool genitive);
std::vector<std::u16string> TabledPictures(const LocaleTable& table, const TabledLocale& locale, PictureKind kind);

constexpr uint16_t TabledInfoKey(uint32_t lctype, bool genitive) {
    return static_cast<uint16_t>(lctype << 1 | (genitive ? 1 : 0));
}

}  // namespace quibor15::icu_backend
