#include "platform/icu/icu_locale_database.hpp"

#include <unicode/coll.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

#include <cstring>

#include "platform/icu/icu_locale.hpp"
#include "platform/icu/info_codes.hpp"
#include "platform/icu/lcid_resolver.hpp"
#include "platform/icu/locale_table.hpp"
#include "platform/icu/picture_formatter.hpp"
#include "platform/icu/windows_locale_tables.hpp"

namespace quibor15::icu_backend {
namespace {

constexpr int32_t kLocaleNeutral = 0x0000;
constexpr int32_t kLocaleUserDefault = 0x0400;
constexpr int32_t kLocaleSystemDefault = 0x0800;

constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

constexpr uint32_t kDateKindMask = lcflags::kDateShortDate | lcflags::kDateLongDate;
constexpr uint32_t kTimeFlagMask =
    timeflags::kNoMinutesOrSeconds | timeflags::kNoSeconds | timeflags::kNoTimeMarker | timeflags::kForce24Hour;

bool IsDefaultAlias(int32_t lcid) {
    return lcid == kLocaleNeutral || lcid == kLocaleUserDefault || lcid == kLocaleSystemDefault;
}

// Windows' case mapping: each character to its one simple mapping, the
// same in every locale. Only the linguistic flag brings in the Turkic
// dotted and dotless i.
std::u16string MapEachCharacter(std::u16string_view text, bool upper, bool turkic) {
    std::u16string out;
    out.reserve(text.size());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U16_NEXT(text.data(), i, length, c);
        UChar32 mapped;
        if (turkic && upper && c == u'i') {
            mapped = 0x0130;
        } else if (turkic && !upper && c == u'I') {
            mapped = 0x0131;
        } else {
            mapped = upper ? u_toupper(c) : u_tolower(c);
        }
        if (U_IS_BMP(mapped)) {
            out.push_back(static_cast<char16_t>(mapped));
        } else {
            out.push_back(U16_LEAD(mapped));
            out.push_back(U16_TRAIL(mapped));
        }
    }
    return out;
}

}  // namespace

IcuLocaleDatabase::IcuLocaleDatabase(int32_t system_default_lcid, Answers answers)
    : system_default_lcid_(system_default_lcid),
      table_(answers == Answers::kTabled ? MatchingBuiltInLocaleTable() : nullptr) {}

IcuLocaleDatabase::~IcuLocaleDatabase() = default;

IcuLocale* IcuLocaleDatabase::FindExact(int32_t lcid) const {
    auto found = locales_.find(lcid);
    if (found != locales_.end()) return found->second.get();
    std::unique_ptr<IcuLocale> locale;
    if (auto name = InstalledLocaleName(lcid)) locale = std::make_unique<IcuLocale>(lcid, *name);
    IcuLocale* result = locale.get();
    locales_.emplace(lcid, std::move(locale));
    return result;
}

int32_t IcuLocaleDatabase::Resolved(int32_t lcid) const {
    if (!IsDefaultAlias(lcid)) return lcid;
    return IsDefaultAlias(system_default_lcid_) ? kLocaleNeutral : system_default_lcid_;
}

IcuLocale* IcuLocaleDatabase::Find(int32_t lcid) const {
    lcid = Resolved(lcid);
    return lcid == kLocaleNeutral ? nullptr : FindExact(lcid);
}

bool IcuLocaleDatabase::TableAnswers(int32_t lcid) const { return table_ != nullptr && IsTabledIdentifier(lcid); }

const TabledLocale* IcuLocaleDatabase::Tabled(int32_t lcid) const {
    return TableAnswers(lcid) ? FindTabled(*table_, lcid) : nullptr;
}

bool IcuLocaleDatabase::IsInstalled(int32_t lcid) const {
    if (IsDefaultAlias(lcid)) return false;
    if (TableAnswers(lcid)) return Tabled(lcid) != nullptr;
    return FindExact(lcid) != nullptr;
}

std::optional<std::u16string> IcuLocaleDatabase::GetInfo(int32_t lcid, uint32_t lctype) const {
    // No user overrides exist here, and texts are not converted to a code
    // page, so these two modifiers change nothing.
    lctype &= ~(lctype::kNoUserOverride | lctype::kUseCpAcp);
    // Numbers come back as text only; the binary form has no place in the
    // interface.
    if ((lctype & lctype::kReturnNumber) != 0) return std::nullopt;
    const bool genitive = (lctype & lctype::kReturnGenitiveNames) != 0;
    lctype &= ~lctype::kReturnGenitiveNames;
    lcid = Resolved(lcid);
    if (TableAnswers(lcid)) {
        const TabledLocale* tabled = Tabled(lcid);
        if (tabled == nullptr) return std::nullopt;
        return TabledInfoOf(*table_, *tabled, lctype, genitive);
    }
    IcuLocale* locale = Find(lcid);
    if (locale == nullptr) return std::nullopt;
    if (lctype == lctype::kSAbbrevLangName && !genitive) return AbbreviationOf(*locale);
    return locale->Info(lctype, genitive);
}

std::u16string IcuLocaleDatabase::AbbreviationOf(IcuLocale& locale) const {
    // A derived abbreviation avoids Windows' own and those of the installed
    // identifiers before it. Only identifiers of the same primary language
    // derive from the same language code, so those are the ones to ask.
    const int32_t primary = locale.Lcid() & 0x3FF;
    const int32_t sub = locale.Lcid() >> 10;
    auto taken = [this, primary, sub](std::u16string_view candidate) {
        if (IsWindowsAbbreviation(candidate)) return true;
        for (int32_t earlier = 1; earlier < sub; ++earlier) {
            IcuLocale* sibling = FindExact(earlier << 10 | primary);
            if (sibling != nullptr && AbbreviationOf(*sibling) == candidate) return true;
        }
        return false;
    };
    return locale.Abbreviation(taken);
}

std::optional<std::u16string> IcuLocaleDatabase::FormatDate(int32_t lcid, uint32_t flags, const SystemTime& time,
                                                            const std::u16string* picture) const {
    IcuLocale* locale = Find(lcid);
    if (locale == nullptr) return std::nullopt;
    flags &= ~lctype::kNoUserOverride;
    if ((flags & ~kDateKindMask) != 0 || flags == kDateKindMask) return std::nullopt;
    // As on Windows, a picture of the caller's excludes the default-picture
    // flags.
    if (picture != nullptr && flags != 0) return std::nullopt;
    if (time.year < kMinYear || time.year > kMaxYear || !IsValidGregorianDate(time.year, time.month, time.day)) {
        return std::nullopt;
    }
    std::u16string_view chosen;
    if (picture != nullptr) {
        chosen = *picture;
    } else {
        const PictureLists& pictures = locale->Pictures();
        const auto& list = flags == lcflags::kDateLongDate ? pictures.long_dates : pictures.short_dates;
        if (list.empty()) return std::nullopt;
        chosen = list.front();
    }
    const DateFields fields = locale->ToLocalCalendar(time.year, time.month, time.day);
    return FormatDatePicture(chosen, fields, locale->Names());
}

std::optional<std::u16string> IcuLocaleDatabase::FormatTime(int32_t lcid, uint32_t flags, const SystemTime& time,
                                                            const std::u16string* picture) const {
    IcuLocale* locale = Find(lcid);
    if (locale == nullptr) return std::nullopt;
    flags &= ~lctype::kNoUserOverride;
    if ((flags & ~kTimeFlagMask) != 0) return std::nullopt;
    if (time.hour > 23 || time.minute > 59 || time.second > 59 || time.milliseconds > 999) return std::nullopt;
    std::u16string_view chosen;
    if (picture != nullptr) {
        chosen = *picture;
    } else {
        const auto& list = locale->Pictures().times;
        if (list.empty()) return std::nullopt;
        chosen = list.front();
    }
    return FormatTimePicture(chosen, TimeFields{time.hour, time.minute, time.second}, locale->Names(), flags);
}

std::vector<std::u16string> IcuLocaleDatabase::DatePictures(int32_t lcid, uint32_t flags) const {
    flags &= ~lctype::kUseCpAcp;
    if (flags != lcflags::kDateShortDate && flags != lcflags::kDateLongDate) return {};
    const bool long_dates = flags == lcflags::kDateLongDate;
    if (TableAnswers(lcid)) {
        const TabledLocale* tabled = Tabled(lcid);
        if (tabled == nullptr) return {};
        return TabledPictures(*table_, *tabled, long_dates ? PictureKind::kLongDates : PictureKind::kShortDates);
    }
    IcuLocale* locale = FindExact(lcid);
    if (locale == nullptr) return {};
    return long_dates ? locale->Pictures().long_dates : locale->Pictures().short_dates;
}

std::vector<std::u16string> IcuLocaleDatabase::TimePictures(int32_t lcid) const {
    if (TableAnswers(lcid)) {
        const TabledLocale* tabled = Tabled(lcid);
        if (tabled == nullptr) return {};
        return TabledPictures(*table_, *tabled, PictureKind::kTimes);
    }
    IcuLocale* locale = FindExact(lcid);
    if (locale == nullptr) return {};
    return locale->Pictures().times;
}

const icu::Collator* IcuLocaleDatabase::CollatorFor(int32_t lcid, uint32_t flags) const {
    IcuLocale* locale = Find(lcid);
    if (locale == nullptr) return nullptr;
    if ((flags & ~(compareflags::kStrengthMask | compareflags::kStringSort)) != 0) return nullptr;
    return locale->CollatorFor(flags & compareflags::kStrengthMask);
}

int32_t IcuLocaleDatabase::Compare(int32_t lcid, uint32_t flags, std::u16string_view a, std::u16string_view b) const {
    const icu::Collator* collator = CollatorFor(lcid, flags);
    if (collator == nullptr) return 0;
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result =
        collator->compare(a.data(), static_cast<int32_t>(a.size()), b.data(), static_cast<int32_t>(b.size()), status);
    if (U_FAILURE(status)) return 0;
    return result == UCOL_LESS ? 1 : result == UCOL_EQUAL ? 2 : 3;
}

namespace {

// The sort keys of a list, end to end in one buffer; each ends in a zero
// byte, the only one it holds.
class SortKeyComparison final : public ListComparison {
public:
    SortKeyComparison(const icu::Collator* collator, const std::vector<std::u16string>& texts) {
        if (collator == nullptr) return;
        starts_.reserve(texts.size());
        for (const std::u16string& text : texts) {
            const auto length = static_cast<int32_t>(text.size());
            const size_t start = keys_.size();
            keys_.resize(start + 4 * text.size() + 16);
            int32_t room = static_cast<int32_t>(keys_.size() - start);
            int32_t needed = collator->getSortKey(text.data(), length, keys_.data() + start, room);
            if (needed > room) {
                keys_.resize(start + needed);
                collator->getSortKey(text.data(), length, keys_.data() + start, needed);
            }
            if (needed == 0) {  // ICU could not make the key
                starts_.clear();
                return;
            }
            keys_.resize(start + needed);
            starts_.push_back(start);
        }
    }

    int32_t Compare(size_t a, size_t b) override {
        if (starts_.empty()) return 0;
        const int r = std::strcmp(Key(a), Key(b));
        return r < 0 ? 1 : r == 0 ? 2 : 3;
    }

private:
    const char* Key(size_t k) const { return reinterpret_cast<const char*>(keys_.data() + starts_[k]); }

    std::vector<uint8_t> keys_;
    std::vector<size_t> starts_;
};

}  // namespace

std::unique_ptr<ListComparison> IcuLocaleDatabase::CompareList(int32_t lcid, uint32_t flags,
                                                               std::vector<std::u16string> texts) const {
    return std::make_unique<SortKeyComparison>(CollatorFor(lcid, flags), texts);
}

std::optional<std::u16string> IcuLocaleDatabase::MapCase(int32_t lcid, uint32_t flags, std::u16string_view text) const {
    IcuLocale* locale = Find(lcid);
    if (locale == nullptr) return std::nullopt;
    const uint32_t kind = flags & ~mapflags::kLinguisticCasing;
    if (kind != mapflags::kLowerCase && kind != mapflags::kUpperCase) return std::nullopt;
    const std::string_view language = locale->Locale().getLanguage();
    const bool turkic = (flags & mapflags::kLinguisticCasing) != 0 && (language == "tr" || language == "az");
    return MapEachCharacter(text, kind == mapflags::kUpperCase, turkic);
}

}  // namespace quibor15::icu_backend
