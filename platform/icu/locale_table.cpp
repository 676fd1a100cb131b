#include "platform/icu/locale_table.hpp"

#include <unicode/uversion.h>

#include <algorithm>
#include <bit>

namespace quibor15::icu_backend {
namespace {

std::u16string_view TextOf(const LocaleTable& table, TabledText text) {
    return table.texts.substr(text.offset, text.length);
}

bool RunsOnSameIcu(const LocaleTable& table) {
    UVersionInfo version;
    u_getVersion(version);
    char dotted[U_MAX_VERSION_STRING_LENGTH] = {};
    u_versionToString(version, dotted);
    return table.icu_version == dotted;
}

}  // namespace

const LocaleTable* MatchingBuiltInLocaleTable() {
    static const LocaleTable* const matching = [] {
        const LocaleTable* table = BuiltInLocaleTable();
        return table != nullptr && RunsOnSameIcu(*table) ? table : nullptr;
    }();
    return matching;
}

const TabledLocale* FindTabled(const LocaleTable& table, int32_t lcid) {
    if (!IsTabledIdentifier(lcid)) return nullptr;
    const auto word = static_cast<size_t>(lcid) / 64;
    const uint64_t bit = uint64_t{1} << (lcid % 64);
    const uint64_t bits = table.installed[word];
    if ((bits & bit) == 0) return nullptr;
    return &table.locales[table.ranks[word] + static_cast<size_t>(std::popcount(bits & (bit - 1)))];
}

std::optional<std::u16string> TabledInfoOf(const LocaleTable& table, const TabledLocale& locale, uint32_t lctype,
                                           bool genitive) {
    if (lctype > 0x7FFF) return std::nullopt;
    const uint16_t key = TabledInfoKey(lctype, genitive);
    const auto infos = table.infos.subspan(locale.first_info, locale.info_count);
    auto it = std::lower_bound(infos.begin(), infos.end(), key,
                               [](const TabledInfo& info, uint16_t k) { return info.key < k; });
    if (it == infos.end() || it->key != key) return std::nullopt;
    return std::u16string(table.texts.substr(it->offset, it->length));
}

std::vector<std::u16string> TabledPictures(const LocaleTable& table, const TabledLocale& locale, PictureKind kind) {
    size_t first = locale.first_picture;
    size_t count = locale.short_count;
    if (kind != PictureKind::kShortDates) {
        first += locale.short_count;
        count = locale.long_count;
    }
    if (kind == PictureKind::kTimes) {
        first += locale.long_count;
        count = locale.time_count;
    }
    std::vector<std::u16string> out;
    out.reserve(count);
    for (const TabledText& text : table.pictures.subspan(first, count)) out.emplace_back(TextOf(table, text));
    return out;
}

}  // namespace quibor15::icu_backend
