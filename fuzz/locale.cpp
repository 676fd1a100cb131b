// LocaleCDate, LocaleDTime and LocaleCCur of a locale on the ICU database,
// the locale and the member picked by the first byte.
#include "locale/locale.hpp"

#include <map>

#include "fuzz_input.hpp"
#include "platform/icu/icu_locale_database.hpp"
#include "platform/sim/sim_windows.hpp"

namespace {

using namespace quibor15;

// Latin, Cyrillic, Greek, CJK, right-to-left, Thai and Indic scripts, and
// locales whose dates put the year first or use other separators.
constexpr Long kLocales[] = {0x0409, 0x0809, 0x0407, 0x040C, 0x0419, 0x0408, 0x0411, 0x0804, 0x0412, 0x0401,
                             0x040D, 0x041E, 0x0439, 0x041F, 0x0416, 0x0415, 0x041D, 0x0405, 0x0C0A, 0x0413};

Ref<clsQuiborLocaleA>& LocaleFor(Long lcid) {
    static const auto windows = [] {
        auto w = std::make_shared<sim::SimWindows>();
        w->SetLocaleDatabase(std::make_shared<icu_backend::IcuLocaleDatabase>(0x0409));
        return w;
    }();
    static const ContextPtr context = std::make_shared<Context>(nullptr, windows);
    static std::map<Long, Ref<clsQuiborLocaleA>> locales;
    Ref<clsQuiborLocaleA>& locale = locales[lcid];
    if (!locale) {
        locale = MakeRef<clsQuiborLocaleA>(context);
        Long primary = lcid & 0x3FF;
        Long sub = lcid >> 10;
        locale->InitLocale(primary, sub);
    }
    return locale;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const Long lcid = in.PickValueInArray(kLocales);
    const int member = in.ConsumeIntegralInRange(0, 2);
    String text = fuzzing::TextOf(in.ConsumeRemainingBytesAsString());
    clsQuiborLocaleA& locale = *LocaleFor(lcid);
    try {
        switch (member) {
            case 0:
                locale.LocaleCDate(text);
                break;
            case 1:
                locale.LocaleDTime(text);
                break;
            default:
                locale.LocaleCCur(text);
                break;
        }
    } catch (const AutomationError&) {
    }
    return 0;
}
