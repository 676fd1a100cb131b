#include "quibor15/context.hpp"

namespace quibor15 {

namespace {

constexpr uint32_t kLocaleDecimalSeparator = 0x0E;   // LOCALE_SDECIMAL
constexpr uint32_t kLocaleThousandSeparator = 0x0F;  // LOCALE_STHOUSAND
constexpr int32_t kSeparatorBufferChars = 16;

// The first character of a locale text, or `fallback` when the platform
// gives none.
char16_t SeparatorOf(WindowsServices& windows, int32_t lcid, uint32_t lctype, char16_t fallback) {
    String text;
    if (windows.GetLocaleInfoA(lcid, lctype, text, kSeparatorBufferChars) <= 0 || text.empty()) return fallback;
    return text.front();
}

}  // namespace

Context::Context(std::shared_ptr<HostRuntime> host, std::shared_ptr<WindowsServices> windows)
    : host_(std::move(host)), windows_(std::move(windows)) {}

NumberFormat Context::SystemNumberFormat() const {
    NumberFormat fmt;
    if (!windows_) return fmt;
    int32_t lcid = windows_->GetSystemDefaultLCID();
    fmt.decimal = SeparatorOf(*windows_, lcid, kLocaleDecimalSeparator, u'.');
    fmt.thousands = SeparatorOf(*windows_, lcid, kLocaleThousandSeparator, u',');
    return fmt;
}

}  // namespace quibor15
