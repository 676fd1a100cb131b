#include "platform/sim/fixture_locale_database.hpp"

#include <stdexcept>

#include "platform/sim/sim_text.hpp"

namespace quibor15::sim {

namespace {

constexpr int32_t kLocaleUserDefault = 0x0400;
constexpr int32_t kLocaleSystemDefault = 0x0800;
constexpr uint32_t kModifierBits = lc::kNoUserOverride | lc::kUseCpAcp | lc::kReturnNumber;
constexpr uint32_t kDateKinds = lcflags::kDateShortDate | lcflags::kDateLongDate;
constexpr uint32_t kCaseKinds = lcflags::kMapLowerCase | lcflags::kMapUpperCase;

}  // namespace

// --- builder

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::Info(uint32_t lctype, std::u16string text) {
    locale_->info[lctype & ~kModifierBits] = std::move(text);
    locale_->failing_info.erase(lctype & ~kModifierBits);
    return *this;
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::NoInfo(uint32_t lctype) {
    locale_->info.erase(lctype & ~kModifierBits);
    return *this;
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::Installed(bool installed) {
    locale_->installed = installed;
    return *this;
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::ShortDates(
    std::vector<std::u16string> pictures) {
    locale_->short_dates = std::move(pictures);
    return *this;
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::LongDates(
    std::vector<std::u16string> pictures) {
    locale_->long_dates = std::move(pictures);
    return *this;
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::Times(
    std::vector<std::u16string> pictures) {
    locale_->times = std::move(pictures);
    return *this;
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::Names(uint32_t first_code,
                                                                                  const std::u16string* names,
                                                                                  size_t count) {
    for (size_t i = 0; i < count; ++i) Info(first_code + static_cast<uint32_t>(i), names[i]);
    return *this;
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::MonthNames(
    const std::array<std::u16string, 12>& names) {
    return Names(lc::kSMonthName1, names.data(), names.size());
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::AbbrevMonthNames(
    const std::array<std::u16string, 12>& names) {
    return Names(lc::kSAbbrevMonthName1, names.data(), names.size());
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::DayNames(
    const std::array<std::u16string, 7>& names) {
    return Names(lc::kSDayName1, names.data(), names.size());
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::AbbrevDayNames(
    const std::array<std::u16string, 7>& names) {
    return Names(lc::kSAbbrevDayName1, names.data(), names.size());
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::TimeMarkers(std::u16string am,
                                                                                        std::u16string pm) {
    Info(lc::kS1159, std::move(am));
    return Info(lc::kS2359, std::move(pm));
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::FailInfo(uint32_t lctype) {
    locale_->failing_info.insert(lctype & ~kModifierBits);
    return *this;
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::FailDateFormat(bool fail) {
    locale_->fail_date = fail;
    return *this;
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::FailTimeFormat(bool fail) {
    locale_->fail_time = fail;
    return *this;
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::FailCompare(bool fail) {
    locale_->fail_compare = fail;
    return *this;
}

FixtureLocaleDatabase::LocaleBuilder& FixtureLocaleDatabase::LocaleBuilder::FailMapCase(bool fail) {
    locale_->fail_map_case = fail;
    return *this;
}

// --- staging

FixtureLocaleDatabase::LocaleBuilder FixtureLocaleDatabase::Locale(int32_t lcid) {
    if (lcid == 0 || lcid == kLocaleUserDefault || lcid == kLocaleSystemDefault) {
        // These stand for the default locale in every lookup; a locale
        // staged under them could never be reached.
        throw std::invalid_argument("FixtureLocaleDatabase: a default-locale alias cannot be staged");
    }
    return LocaleBuilder(locales_[lcid], lcid);
}

FixtureLocaleDatabase& FixtureLocaleDatabase::RemoveLocale(int32_t lcid) {
    locales_.erase(lcid);
    return *this;
}

FixtureLocaleDatabase& FixtureLocaleDatabase::SetSystemDefault(int32_t lcid) {
    system_default_ = lcid;
    return *this;
}

std::shared_ptr<FixtureLocaleDatabase> FixtureLocaleDatabase::Standard() {
    auto db = std::make_shared<FixtureLocaleDatabase>();
    db->AddEnglishUnitedStates();
    db->AddGermanGermany();
    db->AddFrenchFrance();
    db->AddJapaneseJapan();
    db->SetSystemDefault(0x0409);
    return db;
}

// --- lookups

int32_t FixtureLocaleDatabase::Resolve(int32_t lcid) const noexcept {
    return lcid == 0 || lcid == kLocaleUserDefault || lcid == kLocaleSystemDefault ? system_default_ : lcid;
}

const FixtureLocaleDatabase::StagedLocale* FixtureLocaleDatabase::Find(int32_t lcid) const {
    auto it = locales_.find(Resolve(lcid));
    return it == locales_.end() ? nullptr : &it->second;
}

std::optional<std::u16string> FixtureLocaleDatabase::InfoOf(const StagedLocale& locale, uint32_t lctype) {
    if (locale.failing_info.count(lctype)) return std::nullopt;
    if (auto it = locale.info.find(lctype); it != locale.info.end()) return it->second;
    // The default pictures follow the first staged picture of their kind.
    const std::vector<std::u16string>* list = nullptr;
    if (lctype == lc::kSShortDate) list = &locale.short_dates;
    if (lctype == lc::kSLongDate) list = &locale.long_dates;
    if (lctype == lc::kSTimeFormat) list = &locale.times;
    if (list && !list->empty()) return list->front();
    return std::nullopt;
}

CalendarNames FixtureLocaleDatabase::NamesOf(const StagedLocale& locale) {
    CalendarNames names;
    auto text = [&](uint32_t code) { return InfoOf(locale, code).value_or(std::u16string()); };
    for (uint32_t i = 0; i < 12; ++i) {
        names.months[i] = text(lc::kSMonthName1 + i);
        names.abbrev_months[i] = text(lc::kSAbbrevMonthName1 + i);
    }
    for (uint32_t i = 0; i < 7; ++i) {
        names.days[i] = text(lc::kSDayName1 + i);
        names.abbrev_days[i] = text(lc::kSAbbrevDayName1 + i);
    }
    names.am = text(lc::kS1159);
    names.pm = text(lc::kS2359);
    return names;
}

bool FixtureLocaleDatabase::IsInstalled(int32_t lcid) const {
    // The neutral identifiers stand for the system default in the other
    // calls, but like on Windows they are not installed locales themselves.
    if (lcid == 0 || lcid == 0x400 || lcid == 0x800) return false;
    const StagedLocale* locale = Find(lcid);
    return locale && locale->installed;
}

std::optional<std::u16string> FixtureLocaleDatabase::GetInfo(int32_t lcid, uint32_t lctype) const {
    const StagedLocale* locale = Find(lcid);
    if (!locale) return std::nullopt;
    return InfoOf(*locale, lctype & ~kModifierBits);
}

std::optional<std::u16string> FixtureLocaleDatabase::FormatDate(int32_t lcid, uint32_t flags, const SystemTime& time,
                                                                const std::u16string* picture) const {
    const StagedLocale* locale = Find(lcid);
    if (!locale || locale->fail_date || !IsValidDate(time)) return std::nullopt;
    const uint32_t kind = flags & kDateKinds;
    std::optional<std::u16string> pict;
    if (picture) {
        // As Windows: a picture of the caller's excludes the default kinds.
        if (kind != 0) return std::nullopt;
        pict = *picture;
    } else {
        if (kind == kDateKinds) return std::nullopt;
        pict = InfoOf(*locale, kind == lcflags::kDateLongDate ? lc::kSLongDate : lc::kSShortDate);
    }
    if (!pict) return std::nullopt;
    return FormatDatePicture(*pict, time, NamesOf(*locale));
}

std::optional<std::u16string> FixtureLocaleDatabase::FormatTime(int32_t lcid, uint32_t /*flags*/,
                                                                const SystemTime& time,
                                                                const std::u16string* picture) const {
    const StagedLocale* locale = Find(lcid);
    // Only the time fields count: callers pass records with the date zeroed.
    if (!locale || locale->fail_time || !IsValidTime(time)) return std::nullopt;
    std::optional<std::u16string> pict = picture ? std::optional(*picture) : InfoOf(*locale, lc::kSTimeFormat);
    if (!pict) return std::nullopt;
    return FormatTimePicture(*pict, time, NamesOf(*locale));
}

std::vector<std::u16string> FixtureLocaleDatabase::DatePictures(int32_t lcid, uint32_t flags) const {
    const StagedLocale* locale = Find(lcid);
    if (!locale || !locale->installed) return {};
    const uint32_t kind = flags & kDateKinds;
    if (kind != lcflags::kDateShortDate && kind != lcflags::kDateLongDate) return {};
    const bool long_kind = kind == lcflags::kDateLongDate;
    const std::vector<std::u16string>& list = long_kind ? locale->long_dates : locale->short_dates;
    if (!list.empty()) return list;
    // A locale staged by information alone still has its default picture.
    if (auto pict = InfoOf(*locale, long_kind ? lc::kSLongDate : lc::kSShortDate)) return {*pict};
    return {};
}

std::vector<std::u16string> FixtureLocaleDatabase::TimePictures(int32_t lcid) const {
    const StagedLocale* locale = Find(lcid);
    if (!locale || !locale->installed) return {};
    if (!locale->times.empty()) return locale->times;
    if (auto pict = InfoOf(*locale, lc::kSTimeFormat)) return {*pict};
    return {};
}

int32_t FixtureLocaleDatabase::Compare(int32_t lcid, uint32_t flags, std::u16string_view a,
                                       std::u16string_view b) const {
    const StagedLocale* locale = Find(lcid);
    if (!locale || locale->fail_compare) return 0;
    const bool ignore_case = (flags & lcflags::kNormIgnoreCase) != 0;
    const std::u16string left = ignore_case ? UpperText(a) : std::u16string(a);
    const std::u16string right = ignore_case ? UpperText(b) : std::u16string(b);
    const int order = left.compare(right);
    return order < 0 ? 1 : order == 0 ? 2 : 3;
}

std::optional<std::u16string> FixtureLocaleDatabase::MapCase(int32_t lcid, uint32_t flags,
                                                             std::u16string_view text) const {
    const StagedLocale* locale = Find(lcid);
    if (!locale || locale->fail_map_case) return std::nullopt;
    switch (flags & kCaseKinds) {
        case lcflags::kMapLowerCase:
            return LowerText(text);
        case lcflags::kMapUpperCase:
            return UpperText(text);
        default:  // neither or both: not a case mapping
            return std::nullopt;
    }
}

}  // namespace quibor15::sim
