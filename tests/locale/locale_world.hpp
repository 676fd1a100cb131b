// Test worlds for the locale classes: a simulated Windows whose locale
// calls reach either the real database on ICU or a staged fixture database,
// a context on it, and helpers to reach the catalogue and its locales.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "locale/dt_format.hpp"
#include "locale/international.hpp"
#include "locale/locale.hpp"
#include "platform/icu/icu_locale_database.hpp"
#include "platform/sim/fixture_locale_database.hpp"
#include "platform/sim/sim_windows.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::locale_testing {

// The identifiers of the locales the tests use.
inline constexpr Long kEnUs = 0x0409;
inline constexpr Long kEnGb = 0x0809;
inline constexpr Long kDeDe = 0x0407;
inline constexpr Long kFrFr = 0x040C;
inline constexpr Long kRuRu = 0x0419;
inline constexpr Long kJaJp = 0x0411;

struct LocaleWorld {
    std::shared_ptr<sim::SimWindows> windows;
    ContextPtr context;

    // A locale object for one identifier, initialised as the catalogue
    // initialises each of its locales.
    Ref<clsQuiborLocaleA> Locale(Long lcid) const {
        auto locale = MakeRef<clsQuiborLocaleA>(context);
        Long primary = lcid & 0x3FF;
        Long sub = lcid >> 10;
        locale->InitLocale(primary, sub);
        return locale;
    }
    Ref<clsQuiborInternationalA> Catalogue() const { return MakeRef<clsQuiborInternationalA>(context); }
};

inline LocaleWorld WorldOn(std::shared_ptr<LocaleDatabase> database, int code_page = 1252) {
    LocaleWorld world;
    world.windows = std::make_shared<sim::SimWindows>();
    world.windows->SetLocaleDatabase(std::move(database));
    world.windows->SetCodePage(code_page);
    world.context = std::make_shared<Context>(nullptr, world.windows);
    return world;
}

// The real database, system default English (United States) unless given.
inline LocaleWorld IcuWorld(int code_page = 1252, Long system_default = kEnUs) {
    return WorldOn(std::make_shared<icu_backend::IcuLocaleDatabase>(system_default), code_page);
}

inline LocaleWorld FixtureWorld(std::shared_ptr<sim::FixtureLocaleDatabase> database, int code_page = 1252) {
    return WorldOn(std::move(database), code_page);
}

// The catalogue of the real database, built once for the tests that only
// read it.
inline const Ref<clsQuiborInternationalA>& SharedIcuCatalogue() {
    static const LocaleWorld world = IcuWorld();
    static const Ref<clsQuiborInternationalA> catalogue = world.Catalogue();
    return catalogue;
}

// A locale of a catalogue by key or position.
inline Ref<_clsQuiborLocaleA> Item(const Ref<_clsQuiborLocalesA>& locales, Variant index) {
    return locales->get_Item(index);
}

// The calls' own results, with Boolean and Integer arguments given plainly.
inline String MonthName(_clsQuiborLocaleA& locale, Integer month, bool abbreviate = false) {
    Boolean a = Boolean::From(abbreviate);
    return locale.GetMonthName(month, a);
}
inline String UsedMonthName(_clsQuiborLocaleA& locale, Integer month, bool abbreviate = false) {
    Boolean a = Boolean::From(abbreviate);
    return locale.pfGetUsedMN(month, a);
}
inline String DayName(_clsQuiborLocaleA& locale, Integer day, bool abbreviate = false) {
    Boolean a = Boolean::From(abbreviate);
    return locale.GetDayName(day, a);
}

// The error a call raises: number, source and description.
struct RaisedError {
    bool raised = false;
    int32_t number = 0;
    String source;
    String description;
};

template <class F>
RaisedError ErrorOf(F&& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        return {true, e.Number(), e.Source(), e.Description()};
    }
    return {};
}

}  // namespace quibor15::locale_testing

// Expects the call to raise an automation error with this number (no error
// reads as number 0).
#define EXPECT_RAISES(error_number, ...) \
    EXPECT_EQ(::quibor15::locale_testing::ErrorOf([&] { __VA_ARGS__; }).number, (error_number))
