// A Windows-style locale database: answers locale identifiers (LCIDs) and
// locale information codes (LOCALE_*) the way the Windows kernel's locale
// functions do. The Windows services interface forwards its locale calls to
// one of these; a real one sits on ICU, a fixture one serves tests.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quibor15 {

// The Windows SYSTEMTIME layout: eight 16-bit fields in this order.
struct SystemTime {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

namespace lcflags {
inline constexpr uint32_t kDateShortDate = 0x1;   // DATE_SHORTDATE
inline constexpr uint32_t kDateLongDate = 0x2;    // DATE_LONGDATE
inline constexpr uint32_t kNormIgnoreCase = 0x1;  // NORM_IGNORECASE
inline constexpr uint32_t kMapLowerCase = 0x100;  // LCMAP_LOWERCASE
inline constexpr uint32_t kMapUpperCase = 0x200;  // LCMAP_UPPERCASE
inline constexpr uint32_t kLcidInstalled = 0x1;   // LCID_INSTALLED
}  // namespace lcflags

// The comparisons of one sort: the texts of a list compared pairwise, many
// times, with one locale and one set of CompareString flags.
class ListComparison {
public:
    virtual ~ListComparison() = default;
    // CompareString of texts a and b of the list: 1 less, 2 equal, 3
    // greater; 0 on failure.
    virtual int32_t Compare(size_t a, size_t b) = 0;
};

class LocaleDatabase {
public:
    virtual ~LocaleDatabase() = default;

    // True when the texts are not Windows' own, so that the 8-bit entry
    // points standing in for the database may pass them as UTF-16 without
    // loss; a database that stands for a Windows system says false.
    virtual bool KeepsUnicodeTexts() const { return false; }

    // GetSystemDefaultLCID.
    virtual int32_t SystemDefaultLcid() const = 0;
    // IsValidLocale(lcid, LCID_INSTALLED) == 1.
    virtual bool IsInstalled(int32_t lcid) const = 0;
    // GetLocaleInfo: the text for an information code, nullopt on failure
    // (unknown identifier or code).
    virtual std::optional<std::u16string> GetInfo(int32_t lcid, uint32_t lctype) const = 0;
    // GetDateFormat / GetTimeFormat: picture == nullptr means the locale's
    // default picture selected by flags (DATE_SHORTDATE / DATE_LONGDATE for
    // dates, the default time picture for times). nullopt on failure.
    virtual std::optional<std::u16string> FormatDate(int32_t lcid, uint32_t flags, const SystemTime& time,
                                                     const std::u16string* picture) const = 0;
    virtual std::optional<std::u16string> FormatTime(int32_t lcid, uint32_t flags, const SystemTime& time,
                                                     const std::u16string* picture) const = 0;
    // EnumDateFormats (flags DATE_SHORTDATE or DATE_LONGDATE) and
    // EnumTimeFormats: every picture of the locale, in a stable order, the
    // default picture first. Empty for an identifier that is not installed.
    virtual std::vector<std::u16string> DatePictures(int32_t lcid, uint32_t flags) const = 0;
    virtual std::vector<std::u16string> TimePictures(int32_t lcid) const = 0;
    // CompareString: 1 less, 2 equal, 3 greater; 0 on failure.
    virtual int32_t Compare(int32_t lcid, uint32_t flags, std::u16string_view a, std::u16string_view b) const = 0;
    // The same answers for every pair of a list, each as Compare gives it.
    // This one asks Compare each time; a database may prepare each text
    // once (a sort key) and answer from that.
    virtual std::unique_ptr<ListComparison> CompareList(int32_t lcid, uint32_t flags,
                                                        std::vector<std::u16string> texts) const;
    // LCMapString with LCMAP_LOWERCASE or LCMAP_UPPERCASE; nullopt on failure.
    virtual std::optional<std::u16string> MapCase(int32_t lcid, uint32_t flags, std::u16string_view text) const = 0;
};

inline std::unique_ptr<ListComparison> LocaleDatabase::CompareList(int32_t lcid, uint32_t flags,
                                                                   std::vector<std::u16string> texts) const {
    class EachPair final : public ListComparison {
    public:
        EachPair(const LocaleDatabase& db, int32_t lcid, uint32_t flags, std::vector<std::u16string> texts)
            : db_(db), lcid_(lcid), flags_(flags), texts_(std::move(texts)) {}
        int32_t Compare(size_t a, size_t b) override { return db_.Compare(lcid_, flags_, texts_[a], texts_[b]); }

    private:
        const LocaleDatabase& db_;
        int32_t lcid_;
        uint32_t flags_;
        std::vector<std::u16string> texts_;
    };
    return std::make_unique<EachPair>(*this, lcid, flags, std::move(texts));
}

}  // namespace quibor15
