#include "platform/icu/locale_overrides.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/icu/info_codes.hpp"

namespace quibor15::icu_backend {

extern const char kLocaleOverrideTable[];

namespace {

enum class Column { kLcid, kInfo, kShortDates, kLongDates, kTimes, kGenitive };

struct ColumnName {
    std::string_view name;
    Column column;
    uint32_t lctype;
};

constexpr ColumnName kColumns[] = {
    {"lcid", Column::kLcid, 0},
    {"SLANGUAGE", Column::kInfo, lctype::kSLanguage},
    {"SENGLISHDISPLAYNAME", Column::kInfo, lctype::kSEnglishDisplayName},
    {"SNATIVEDISPLAYNAME", Column::kInfo, lctype::kSNativeDisplayName},
    {"SNATIVELANGNAME", Column::kInfo, lctype::kSNativeLangName},
    {"SNATIVECTRYNAME", Column::kInfo, lctype::kSNativeCtryName},
    {"SDECIMAL", Column::kInfo, lctype::kSDecimal},
    {"STHOUSAND", Column::kInfo, lctype::kSThousand},
    {"SGROUPING", Column::kInfo, lctype::kSGrouping},
    {"SMONDECIMALSEP", Column::kInfo, lctype::kSMonDecimalSep},
    {"SMONTHOUSANDSEP", Column::kInfo, lctype::kSMonThousandSep},
    {"SMONGROUPING", Column::kInfo, lctype::kSMonGrouping},
    {"SCURRENCY", Column::kInfo, lctype::kSCurrency},
    {"ICURRENCY", Column::kInfo, lctype::kICurrency},
    {"INEGCURR", Column::kInfo, lctype::kINegCurr},
    {"IDIGITS", Column::kInfo, lctype::kIDigits},
    {"ICURRDIGITS", Column::kInfo, lctype::kICurrDigits},
    {"SNATIVEDIGITS", Column::kInfo, lctype::kSNativeDigits},
    {"S1159", Column::kInfo, lctype::kS1159},
    {"S2359", Column::kInfo, lctype::kS2359},
    {"SSHORTDATE", Column::kShortDates, 0},
    {"SLONGDATE", Column::kLongDates, 0},
    {"STIMEFORMAT", Column::kTimes, 0},
    {"SMONTHNAME_GENITIVE", Column::kGenitive, 0},
};

[[noreturn]] void Malformed(std::string_view what, std::string_view line) {
    throw std::runtime_error("locale override table: " + std::string(what) + ": " + std::string(line));
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void AppendCodePoint(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

// UTF-8 with \uXXXX escapes to UTF-16; "" is the empty text.
std::u16string Text(std::string_view cell, std::string_view line) {
    std::u16string out;
    if (cell == "\"\"") return out;
    for (size_t i = 0; i < cell.size();) {
        const auto byte = static_cast<unsigned char>(cell[i]);
        if (byte == '\\' && i + 5 < cell.size() && cell[i + 1] == 'u') {
            char32_t c = 0;
            for (size_t k = 2; k < 6; ++k) {
                const int digit = HexDigit(cell[i + k]);
                if (digit < 0) Malformed("bad escape", line);
                c = c * 16 + static_cast<char32_t>(digit);
            }
            out.push_back(static_cast<char16_t>(c));
            i += 6;
            continue;
        }
        const int length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 0;
        if (length == 0 || i + static_cast<size_t>(length) > cell.size()) Malformed("bad UTF-8", line);
        char32_t c = length == 1 ? byte : byte & (0x7F >> length);
        for (int k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(cell[i + k]) & 0x3F);
        AppendCodePoint(out, c);
        i += static_cast<size_t>(length);
    }
    return out;
}

std::vector<std::u16string> Pictures(std::string_view cell, std::string_view line) {
    std::vector<std::u16string> list;
    if (cell.empty()) return list;
    for (std::string_view part : Split(cell, '|')) {
        if (part.empty()) Malformed("empty picture", line);
        list.push_back(Text(part, line));
    }
    return list;
}

void Trim(std::u16string& text) {
    while (!text.empty() && text.back() == u' ') text.pop_back();
    while (!text.empty() && text.front() == u' ') text.erase(0, 1);
}

// Windows writes a locale's own name as "language (country[, sort])"; the
// language and country names are the two parts.
void AddNativeParts(LocaleOverride& row) {
    const std::u16string* display = row.Info(lctype::kSNativeDisplayName);
    if (display == nullptr) return;
    const size_t open = display->find(u'(');
    const size_t close = display->rfind(u')');
    if (open == std::u16string::npos || close == std::u16string::npos || close < open) return;
    std::u16string language = display->substr(0, open);
    std::u16string country = display->substr(open + 1, close - open - 1);
    country = country.substr(0, country.find(u", "));
    Trim(language);
    Trim(country);
    row.info.try_emplace(lctype::kSNativeLangName, std::move(language));
    row.info.try_emplace(lctype::kSNativeCtryName, std::move(country));
}

}  // namespace

std::vector<LocaleOverride> ParseLocaleOverrides(std::string_view table) {
    std::vector<LocaleOverride> rows;
    std::vector<const ColumnName*> header;
    for (std::string_view line : Split(table, '\n')) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        const std::vector<std::string_view> cells = Split(line, '\t');
        if (header.empty()) {
            for (std::string_view name : cells) {
                auto found = std::find_if(std::begin(kColumns), std::end(kColumns),
                                          [&](const ColumnName& c) { return c.name == name; });
                if (found == std::end(kColumns)) Malformed("unknown column", name);
                header.push_back(found);
            }
            if (header.front()->column != Column::kLcid) Malformed("the first column is not lcid", line);
            continue;
        }
        if (cells.size() != header.size()) Malformed("wrong number of cells", line);
        LocaleOverride row;
        for (size_t i = 0; i < cells.size(); ++i) {
            const std::string_view cell = cells[i];
            switch (header[i]->column) {
                case Column::kLcid:
                    row.lcid = static_cast<int32_t>(std::stol(std::string(cell), nullptr, 0));
                    break;
                case Column::kInfo:
                    if (!cell.empty()) row.info[header[i]->lctype] = Text(cell, line);
                    break;
                case Column::kShortDates:
                    row.short_dates = Pictures(cell, line);
                    break;
                case Column::kLongDates:
                    row.long_dates = Pictures(cell, line);
                    break;
                case Column::kTimes:
                    row.times = Pictures(cell, line);
                    break;
                case Column::kGenitive:
                    if (cell == "\"\"") {
                        row.genitive_months = false;
                    } else if (!cell.empty()) {
                        Malformed("genitive month names are the empty text or left to CLDR", line);
                    }
                    break;
            }
        }
        if (const std::u16string* name = row.Info(lctype::kSLanguage)) {
            row.info.try_emplace(lctype::kSEnglishDisplayName, *name);
        }
        AddNativeParts(row);
        rows.push_back(std::move(row));
    }
    return rows;
}

const std::vector<LocaleOverride>& LocaleOverrides() {
    static const std::vector<LocaleOverride> rows = ParseLocaleOverrides(kLocaleOverrideTable);
    return rows;
}

const LocaleOverride* FindLocaleOverride(int32_t lcid) {
    for (const LocaleOverride& row : LocaleOverrides()) {
        if (row.lcid == lcid) return &row;
    }
    return nullptr;
}

}  // namespace quibor15::icu_backend
