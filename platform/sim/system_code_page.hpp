// The simulated system's ANSI code page. As on Windows it follows the system
// locale: the locale database's default ANSI code page for its system
// default identifier (1251 for Russian, 1250 for Polish, 932 for Japanese,
// ...), Windows-1252 when the locale names none. A test or host may pin one
// page instead.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>

#include "quibor15/codepage.hpp"
#include "quibor15/locale_database.hpp"

namespace quibor15::sim {

class SystemCodePage final : public AnsiCodePage {
public:
    explicit SystemCodePage(std::shared_ptr<const LocaleDatabase> locales);

    void SetLocales(std::shared_ptr<const LocaleDatabase> locales);
    // Holds this page whatever the system locale; nullptr follows it again.
    void Pin(std::shared_ptr<const AnsiCodePage> page);

    // The page the system locale asks for, the pinned one if any.
    const AnsiCodePage& Current() const;

    int Number() const override { return Current().Number(); }
    std::string Encode(std::u16string_view text) const override { return Current().Encode(text); }
    String Decode(std::string_view bytes) const override { return Current().Decode(bytes); }

private:
    std::shared_ptr<const LocaleDatabase> locales_;
    std::shared_ptr<const AnsiCodePage> pinned_;
    mutable std::mutex mutex_;
    mutable int32_t followed_lcid_ = -1;
    mutable std::shared_ptr<const AnsiCodePage> followed_;
};

// The ANSI code page a system with the given system locale runs on.
int SystemCodePageNumber(const LocaleDatabase& locales, int32_t system_lcid);

}  // namespace quibor15::sim
