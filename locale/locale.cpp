#include "locale/locale.hpp"

#include "locale/amount_composer.hpp"
#include "locale/collation.hpp"
#include "locale/currency_parser.hpp"
#include "locale/date_time_format.hpp"
#include "locale/dt_format.hpp"
#include "locale/locale_codes.hpp"
#include "locale/locale_text.hpp"
#include "locale/picture_lists.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace ls = locale_services;
namespace info = locale_services::info;

clsQuiborLocaleA::clsQuiborLocaleA(ContextPtr context) : _clsQuiborLocaleA(std::move(context)) {}

// ---- identity and information ------------------------------------------------

void clsQuiborLocaleA::InitLocale(Long& primary, Long& sub) {
    primary_ = primary;
    sub_ = sub;
    lcid_ = ls::MakeLCID(primary, sub);
    if (Windows().IsValidLocale(lcid_, lcflags::kLcidInstalled) != 1) return;
    BuildPictureLists();
}

void clsQuiborLocaleA::BuildPictureLists() {
    ls::PictureScratch& scratch = GetContext()->ModuleState<ls::PictureScratch>();
    // However the build ends, the scratch lists are released afterwards.
    ls::PictureListsGuard release(scratch);
    ls::LoadPictureLists(*GetContext(), lcid_);

    // The catalogue initialises every installed locale and few of their
    // lists are ever read, so the pictures are kept as enumerated and the
    // picture objects made on the first read; nothing can fail in between.
    const auto taken = [](ls::PictureList& list, Integer count) {
        return count > 0 && list ? std::move(*list) : std::vector<String>();
    };
    EnumeratedPictures pictures;
    pictures.short_dates = taken(scratch.short_dates, scratch.short_count);
    // Long pictures join the list only when there are at least two of them:
    // a locale with a single long picture lists its short pictures alone.
    if (scratch.long_count > 1) pictures.long_dates = taken(scratch.long_dates, scratch.long_count);
    pictures.times = taken(scratch.times, scratch.time_count);
    enumerated_ = std::move(pictures);
}

void clsQuiborLocaleA::MakePictureLists() {
    if (!enumerated_) return;
    const auto add_all = [&](clsQuiborDTFormatsA& list, const std::vector<String>& pictures, DTFormatType type) {
        for (size_t k = 1; k < pictures.size(); ++k) {
            Ref<_clsQuiborDTFormatA> entry = clsQuiborDTFormatA::Make(GetContext(), type, pictures[k]);
            list.Add(entry);
        }
    };
    auto dates = MakeRef<clsQuiborDTFormatsA>(GetContext());
    add_all(*dates, enumerated_->short_dates, dtfShortDate);
    add_all(*dates, enumerated_->long_dates, dtfLongDate);
    auto times = MakeRef<clsQuiborDTFormatsA>(GetContext());
    add_all(*times, enumerated_->times, dtfTime);
    enumerated_.reset();
    date_formats_ = std::move(dates);
    time_formats_ = std::move(times);
}

String clsQuiborLocaleA::GetLocaleString(uint32_t code) { return ls::GetLocaleString(Windows(), lcid_, code); }

String clsQuiborLocaleA::get_AbbrevLangName() { return GetLocaleString(info::kSAbbrevLangName); }
String clsQuiborLocaleA::get_CurrencyString() { return GetLocaleString(info::kSCurrency); }
String clsQuiborLocaleA::get_FullName() { return GetLocaleString(info::kSLanguage); }
String clsQuiborLocaleA::get_GenericLangName() { return GetLocaleString(info::kSEngLanguage); }
String clsQuiborLocaleA::get_IntlCurrencyCode() { return GetLocaleString(info::kSIntlSymbol); }
String clsQuiborLocaleA::get_LongDateFormat() { return GetLocaleString(info::kSLongDate); }
String clsQuiborLocaleA::get_NativeCountryName() { return GetLocaleString(info::kSNativeCtryName); }
String clsQuiborLocaleA::get_NativeLangName() { return GetLocaleString(info::kSNativeLangName); }
String clsQuiborLocaleA::get_ShortDateFormat() { return GetLocaleString(info::kSShortDate); }
String clsQuiborLocaleA::get_DecimalSeparator() { return GetLocaleString(info::kSDecimal); }

Boolean clsQuiborLocaleA::get_isValid() {
    return Boolean::From(Windows().IsValidLocale(lcid_, lcflags::kLcidInstalled) == 1);
}

Long clsQuiborLocaleA::get_LCID() { return lcid_; }

Ref<_clsQuiborDTFormatsA> clsQuiborLocaleA::get_DateFormats() {
    MakePictureLists();
    return date_formats_;
}

Ref<_clsQuiborDTFormatsA> clsQuiborLocaleA::get_TimeFormats() {
    MakePictureLists();
    return time_formats_;
}

// ---- numbers and amounts -----------------------------------------------------

String clsQuiborLocaleA::FormatCurrency(Double& CurVal, Boolean& UseGrouping, Boolean& ShowCSymbol) {
    const Integer digits = ToInteger(ls::LocaleTextToLong(GetLocaleString(info::kIDigits)));
    const ls::AmountConventions conventions = ls::ReadAmountConventions(Windows(), lcid_);
    const String symbol = ShowCSymbol ? GetLocaleString(info::kSCurrency) : String();
    return ls::ComposeAmount(CurVal, digits, static_cast<bool>(UseGrouping), symbol, conventions);
}

String clsQuiborLocaleA::FormatNumber(Double& FNumber, Integer& NumDecimalPlaces, Boolean& UseGrouping) {
    const ls::AmountConventions conventions = ls::ReadAmountConventions(Windows(), lcid_);
    return ls::ComposeAmount(FNumber, NumDecimalPlaces, static_cast<bool>(UseGrouping), String(), conventions);
}

// ---- dates, times and names ------------------------------------------------------

String clsQuiborLocaleA::FormatDate(Date& DateVar, Variant& DateFormat) {
    return ls::FormatDateText(Windows(), lcid_, DateVar, DateFormat);
}

String clsQuiborLocaleA::FormatTime(Date& TimeVar, String& TimeFormat) {
    if (TimeFormat.empty()) return ls::FormatTimeText(Windows(), lcid_, TimeVar, TimeFormat);
    String text = ls::FormatTimeText(Windows(), lcid_, TimeVar, TimeFormat);
    // The picture crossed the 8-bit entry point in the caller's variable and
    // comes back as the conversion left it.
    TimeFormat = Windows().LocaleText(TimeFormat);
    return text;
}

String clsQuiborLocaleA::GetDayName(Integer& DayIndex, Boolean& Abbreviate) {
    return ls::DayName(Windows(), lcid_, DayIndex, static_cast<bool>(Abbreviate));
}

String clsQuiborLocaleA::GetMonthName(Integer& MonthIndex, Boolean& Abbreviate) {
    return ls::MonthName(Windows(), lcid_, MonthIndex, static_cast<bool>(Abbreviate));
}

String clsQuiborLocaleA::pfGetUsedMN(Integer& MonthIndex, Boolean& Abbreviate) {
    return ls::UsedMonthName(Windows(), lcid_, MonthIndex, static_cast<bool>(Abbreviate));
}

// ---- parsing -----------------------------------------------------------------------

Currency clsQuiborLocaleA::LocaleCCur(String& CurrencyString) {
    const String separator = get_DecimalSeparator();
    Currency value = ls::CurrencyDigitsValue(CurrencyString, separator);
    const Long negative_pattern = ls::LocaleTextToLong(GetLocaleString(info::kINegCurr));
    if (FindText(1, CurrencyString, ls::NegativeMark(negative_pattern), true) > 0) value.scaled = -value.scaled;
    return value;
}

namespace {

constexpr bool IsDigit(char16_t c) noexcept { return c >= u'0' && c <= u'9'; }

// True when text holds name (without regard to case) as a name of its own.
// A name that begins or ends with a digit, as the numbered month names of
// Japanese, Chinese or Korean do (1月, 11月), does not count where it is
// only part of a longer number: 1月 is not found in 11月.
bool HoldsName(const String& text, const String& name) {
    for (Long start = 1;;) {
        const Long p = FindText(start, text, name, true);
        if (p == 0) return false;
        const size_t begin = static_cast<size_t>(p - 1);
        const size_t end = begin + name.size();
        const bool glued_before = IsDigit(name.front()) && begin > 0 && IsDigit(text[begin - 1]);
        const bool glued_after = IsDigit(name.back()) && end < text.size() && IsDigit(text[end]);
        if (!glued_before && !glued_after) return true;
        start = p + 1;
    }
}

}  // namespace

Integer clsQuiborLocaleA::FindMonthName(const String& text) {
    // Full names, abbreviated names, then the forms used after a day number,
    // full and abbreviated; within a set the lower month wins. A name the
    // platform could not give (empty) names no month.
    using NameReader = String (clsQuiborLocaleA::*)(Integer&, Boolean&);
    const struct {
        NameReader read;
        Boolean abbreviate;
    } kSets[] = {{&clsQuiborLocaleA::GetMonthName, kFalse},
                 {&clsQuiborLocaleA::GetMonthName, kTrue},
                 {&clsQuiborLocaleA::pfGetUsedMN, kFalse},
                 {&clsQuiborLocaleA::pfGetUsedMN, kTrue}};
    for (const auto& set : kSets) {
        for (Integer month = 1; month <= 12; ++month) {
            Integer index = month;
            Boolean abbreviate = set.abbreviate;
            const String name = (this->*set.read)(index, abbreviate);
            if (!name.empty() && HoldsName(text, name)) return month;
        }
    }
    return 0;
}

bool clsQuiborLocaleA::TryPicture(const std::vector<Integer>& numbers, const String& picture, Integer name_month,
                                  ls::DateParts& parts) {
    ls::DateParts candidate = ls::FillDateParts(numbers, ls::FieldOrder(picture));
    if (name_month != 0) candidate.month = name_month;
    if (!ls::CheckDateParts(candidate)) return false;
    parts = candidate;
    return true;
}

Date clsQuiborLocaleA::LocaleCDate(String& DateExpression) {
    const String long_picture = get_LongDateFormat();
    const String short_picture = get_ShortDateFormat();
    const Integer name_month = FindMonthName(DateExpression);
    const std::vector<Integer> numbers = ls::NumberList(DateExpression);

    // A month written as a name points to the long pictures, numbers only to
    // the short ones; the default picture of that kind is tried first.
    const bool by_name = name_month != 0;
    const Long kind = by_name ? dtfLongDate : dtfShortDate;
    ls::DateParts parts;
    bool found = TryPicture(numbers, by_name ? long_picture : short_picture, name_month, parts);
    if (!found) MakePictureLists();
    if (!found && date_formats_) {
        for (const Variant& item : date_formats_->Entries()) {
            const ObjectRef object = item.ObjectOrThrow();
            if (!object) RaiseRuntimeError(rt::kObjectNotSet);
            auto entry = RefCast<_clsQuiborDTFormatA>(object);
            if (!entry) RaiseRuntimeError(rt::kTypeMismatch);
            if (entry->get_DTFType() != kind) continue;
            if (TryPicture(numbers, entry->get_DTFormat(), name_month, parts)) {
                found = true;
                break;
            }
        }
    }
    if (!found) {
        throw AutomationError(kObjectErrorBase + 1, u"Locale " + get_AbbrevLangName(), u"Unable to parse date");
    }
    return DateFromParts(parts.year, parts.month, parts.day);
}

// No time parser: every text gives the zero Date (30 December 1899,
// midnight) and the argument is not looked at.
Date clsQuiborLocaleA::LocaleDTime(String& /*TimeExpression*/) { return Date{0.0}; }

// ---- collation and case mapping ------------------------------------------------------

Variant clsQuiborLocaleA::ListSort(Variant& List, Boolean& Ascending, Boolean& CaseSensitive) {
    const SafeArray* list = List.Array();
    if (!list) RaiseRuntimeError(rt::kTypeMismatch);
    // CaseSensitive true asks for NORM_IGNORECASE: the default sorts without
    // regard to case.
    return Variant(
        ls::SortTexts(Windows(), lcid_, *list, static_cast<bool>(Ascending), static_cast<bool>(CaseSensitive)));
}

String clsQuiborLocaleA::MapCase(uint32_t map_flag, String& input) {
    String mapped = ls::MapTextCase(Windows(), lcid_, map_flag, input);
    // The caller's text crossed the 8-bit entry point and comes back as the
    // conversion left it.
    input = Windows().LocaleText(input);
    return mapped;
}

String clsQuiborLocaleA::LocaleLCase(String& InputString) { return MapCase(lcflags::kMapLowerCase, InputString); }
String clsQuiborLocaleA::LocaleUCase(String& InputString) { return MapCase(lcflags::kMapUpperCase, InputString); }

}  // namespace quibor15
