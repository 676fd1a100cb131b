// The system's ANSI code page: every text that crosses an 8-bit Windows
// entry point, a text file or a media command goes through it, and the
// characters it lacks come back as its default character.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "quibor15/error.hpp"

namespace quibor15 {

class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    // The Windows code page number (1252, 932, ...).
    virtual int Number() const = 0;
    // UTF-16 to bytes; characters without a form become the default
    // character.
    virtual std::string Encode(std::u16string_view text) const = 0;
    // Bytes to UTF-16.
    virtual String Decode(std::string_view bytes) const = 0;
    // The text after a round trip through the code page.
    String RoundTrip(std::u16string_view text) const { return Decode(Encode(text)); }
};

// A code page by Windows number, on ICU's converters (1252 Western, 932
// Japanese double-byte, 1251 Cyrillic, ...). Error 5 for a number ICU does
// not know.
std::unique_ptr<AnsiCodePage> MakeAnsiCodePage(int number);

}  // namespace quibor15
