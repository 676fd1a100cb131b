// The Windows-style locale database on ICU: Windows locale identifiers and
// information codes answered from ICU's CLDR data, with the Windows-specific
// values (abbreviations, calendar numbers, pictures) mapped on top. Which
// identifiers are installed, their information values and their picture
// lists come from the table the build made of these same answers
// (locale_table.hpp); ICU is opened for the rest (formatting, comparing, case
// mapping).
#pragma once

#include <unicode/uversion.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "quibor15/locale_database.hpp"

U_NAMESPACE_BEGIN
class Collator;
U_NAMESPACE_END

namespace quibor15::icu_backend {

class IcuLocale;
struct LocaleTable;
struct TabledLocale;

class IcuLocaleDatabase final : public LocaleDatabase {
public:
    static constexpr int32_t kEnglishUnitedStates = 0x0409;

    // kLive works everything out from ICU, as the build does to make the
    // table; kTabled answers from the table where it can (the same answers,
    // without opening ICU).
    enum class Answers { kTabled, kLive };

    explicit IcuLocaleDatabase(int32_t system_default_lcid = kEnglishUnitedStates, Answers answers = Answers::kTabled);
    ~IcuLocaleDatabase() override;
    IcuLocaleDatabase(const IcuLocaleDatabase&) = delete;
    IcuLocaleDatabase& operator=(const IcuLocaleDatabase&) = delete;

    void SetSystemDefaultLcid(int32_t lcid) { system_default_lcid_ = lcid; }

    int32_t SystemDefaultLcid() const override { return system_default_lcid_; }
    // Texts come from CLDR, not from a Windows system: nothing ties them to
    // an ANSI code page.
    bool KeepsUnicodeTexts() const override { return true; }
    bool IsInstalled(int32_t lcid) const override;
    std::optional<std::u16string> GetInfo(int32_t lcid, uint32_t lctype) const override;
    // Dates from 1 January 1 to 31 December 9999 of the proleptic Gregorian
    // calendar are accepted: wider than Windows (from 1601) so that callers
    // can write any year from 100 on.
    std::optional<std::u16string> FormatDate(int32_t lcid, uint32_t flags, const SystemTime& time,
                                             const std::u16string* picture) const override;
    // flags are the TIME_* flags; the date fields of time are not looked at.
    std::optional<std::u16string> FormatTime(int32_t lcid, uint32_t flags, const SystemTime& time,
                                             const std::u16string* picture) const override;
    std::vector<std::u16string> DatePictures(int32_t lcid, uint32_t flags) const override;
    std::vector<std::u16string> TimePictures(int32_t lcid) const override;
    int32_t Compare(int32_t lcid, uint32_t flags, std::u16string_view a, std::u16string_view b) const override;
    // From one sort key per text: comparing two keys gives the collator's
    // answer for the two texts.
    std::unique_ptr<ListComparison> CompareList(int32_t lcid, uint32_t flags,
                                                std::vector<std::u16string> texts) const override;
    std::optional<std::u16string> MapCase(int32_t lcid, uint32_t flags, std::u16string_view text) const override;

private:
    // The identifier a default identifier (LOCALE_USER_DEFAULT,
    // LOCALE_SYSTEM_DEFAULT, LOCALE_NEUTRAL) stands for: the system default;
    // 0, which names no locale, when that is a default identifier too.
    int32_t Resolved(int32_t lcid) const;
    // Whether the answers for lcid come from the table.
    bool TableAnswers(int32_t lcid) const;
    // The table's entry for lcid; nullptr when the table does not answer
    // for it or says it is not installed.
    const TabledLocale* Tabled(int32_t lcid) const;
    // The cached locale for an identifier, the default identifiers
    // (LOCALE_USER_DEFAULT, LOCALE_SYSTEM_DEFAULT, LOCALE_NEUTRAL) standing
    // for the system default; nullptr when it is not installed.
    IcuLocale* Find(int32_t lcid) const;
    IcuLocale* FindExact(int32_t lcid) const;
    std::u16string AbbreviationOf(IcuLocale& locale) const;
    // The collator CompareString uses for these flags; nullptr when the
    // identifier or the flags cannot be compared by.
    const icu::Collator* CollatorFor(int32_t lcid, uint32_t flags) const;

    int32_t system_default_lcid_;
    const LocaleTable* table_;  // nullptr: every answer from ICU
    // Filled on first use of each identifier; a null entry remembers that
    // the identifier is not installed.
    mutable std::unordered_map<int32_t, std::unique_ptr<IcuLocale>> locales_;
};

}  // namespace quibor15::icu_backend
