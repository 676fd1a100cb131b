// clsQuiborLocaleA: one installed locale. Its information properties ask
// the platform's locale database on every read; its formatting, parsing,
// sorting and case mapping members compose their results from that
// database; its two picture lists are enumerated once, when the catalogue
// initialises it, and their objects made when a list is first read.
#pragma once

#include <optional>
#include <vector>

#include "locale/date_parser.hpp"
#include "locale/dt_formats.hpp"
#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborLocaleA : public _clsQuiborLocaleA {
public:
    explicit clsQuiborLocaleA(ContextPtr context);

    // Library-internal: fixes the identifier and, for an installed locale,
    // builds the date and time picture lists. The catalogue calls it once,
    // right after creating the object.
    void InitLocale(Long& primary, Long& sub);

    String get_AbbrevLangName() override;
    String get_CurrencyString() override;
    Ref<_clsQuiborDTFormatsA> get_DateFormats() override;
    String FormatCurrency(Double& CurVal, Boolean& UseGrouping, Boolean& ShowCSymbol) override;
    String FormatNumber(Double& FNumber, Integer& NumDecimalPlaces, Boolean& UseGrouping) override;
    String FormatDate(Date& DateVar, Variant& DateFormat) override;
    String FormatTime(Date& TimeVar, String& TimeFormat) override;
    String get_FullName() override;
    String get_GenericLangName() override;
    String GetDayName(Integer& DayIndex, Boolean& Abbreviate) override;
    String GetMonthName(Integer& MonthIndex, Boolean& Abbreviate) override;
    String get_IntlCurrencyCode() override;
    Boolean get_isValid() override;
    Long get_LCID() override;
    Variant ListSort(Variant& List, Boolean& Ascending, Boolean& CaseSensitive) override;
    Currency LocaleCCur(String& CurrencyString) override;
    Date LocaleCDate(String& DateExpression) override;
    Date LocaleDTime(String& TimeExpression) override;
    String LocaleLCase(String& InputString) override;
    String LocaleUCase(String& InputString) override;
    String get_LongDateFormat() override;
    String get_NativeCountryName() override;
    String get_NativeLangName() override;
    String pfGetUsedMN(Integer& MonthIndex, Boolean& Abbreviate) override;
    String get_ShortDateFormat() override;
    String get_DecimalSeparator() override;
    Ref<_clsQuiborDTFormatsA> get_TimeFormats() override;

private:
    String GetLocaleString(uint32_t code);
    void BuildPictureLists();
    // Makes the list objects of the pictures BuildPictureLists kept, once.
    void MakePictureLists();
    // The month a text names (1 to 12), or 0 when it names none.
    Integer FindMonthName(const String& text);
    // The parts a picture gives for the numbers of a text, when they form a
    // real date; a month found by name replaces the picture's month.
    bool TryPicture(const std::vector<Integer>& numbers, const String& picture, Integer name_month,
                    locale_services::DateParts& parts);
    String MapCase(uint32_t map_flag, String& input);

    Long primary_ = 0;
    Long sub_ = 0;
    Long lcid_ = 0;
    // The pictures enumerated for the lists, as the scratch lists held them
    // (first slot empty), until the list objects are made.
    struct EnumeratedPictures {
        std::vector<String> short_dates, long_dates, times;
    };
    std::optional<EnumeratedPictures> enumerated_;
    Ref<clsQuiborDTFormatsA> date_formats_;
    Ref<clsQuiborDTFormatsA> time_formats_;
};

}  // namespace quibor15
