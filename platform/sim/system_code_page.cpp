#include "platform/sim/system_code_page.hpp"

namespace quibor15::sim {
namespace {

constexpr uint32_t kLocaleIDefaultAnsiCodePage = 0x1004;
constexpr int kWestern = 1252;

}  // namespace

int SystemCodePageNumber(const LocaleDatabase& locales, int32_t system_lcid) {
    const std::optional<String> text = locales.GetInfo(system_lcid, kLocaleIDefaultAnsiCodePage);
    int number = 0;
    for (char16_t c : text.value_or(String())) {
        if (c < u'0' || c > u'9' || number > 99999) return kWestern;
        number = number * 10 + (c - u'0');
    }
    // Locales written only in Unicode (Hindi, Armenian, ...) have no ANSI
    // page of their own.
    return number == 0 ? kWestern : number;
}

SystemCodePage::SystemCodePage(std::shared_ptr<const LocaleDatabase> locales) : locales_(std::move(locales)) {}

void SystemCodePage::SetLocales(std::shared_ptr<const LocaleDatabase> locales) {
    std::lock_guard<std::mutex> lock(mutex_);
    locales_ = std::move(locales);
    followed_lcid_ = -1;
}

void SystemCodePage::Pin(std::shared_ptr<const AnsiCodePage> page) {
    std::lock_guard<std::mutex> lock(mutex_);
    pinned_ = std::move(page);
}

const AnsiCodePage& SystemCodePage::Current() const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (pinned_) return *pinned_;
    const int32_t lcid = locales_ ? locales_->SystemDefaultLcid() : 0;
    if (!followed_ || lcid != followed_lcid_) {
        const int number = locales_ ? SystemCodePageNumber(*locales_, lcid) : kWestern;
        if (!followed_ || followed_->Number() != number) {
            try {
                followed_ = MakeAnsiCodePage(number);
            } catch (const AutomationError&) {
                followed_ = MakeAnsiCodePage(kWestern);
            }
        }
        followed_lcid_ = lcid;
    }
    return *followed_;
}

}  // namespace quibor15::sim
