#include "quibor15/codepage.hpp"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <array>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace quibor15 {

namespace {

constexpr char kDefaultChar = '?';

// ICU's names for a Windows code page, the preferred first.
std::vector<std::string> ConverterNames(int number) {
    switch (number) {
        case 932:
            return {"windows-932", "ibm-943_P15A-2003", "Shift_JIS"};
        case 936:
            return {"windows-936", "GBK"};
        case 437:
            return {"ibm-437"};
        case 850:
            return {"ibm-850"};
        case 65001:
            return {"UTF-8"};
        default:
            break;
    }
    std::string n = std::to_string(number);
    return {"windows-" + n, "cp" + n, "ibm-" + n};
}

struct ConverterCloser {
    void operator()(UConverter* c) const noexcept { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr OpenConverter(int number) {
    if (number <= 0) return nullptr;
    for (const std::string& name : ConverterNames(number)) {
        UErrorCode status = U_ZERO_ERROR;
        ConverterPtr conv(ucnv_open(name.c_str(), &status));
        if (U_FAILURE(status) || !conv) continue;
        // An ANSI code page writes ASCII as single bytes; UTF-16 and UTF-32
        // converters do not qualify.
        if (ucnv_getMinCharSize(conv.get()) != 1) return nullptr;
        return conv;
    }
    return nullptr;
}

// A single-byte code page: two tables built once from the converter, so
// that every byte decodes and every character encodes without touching
// shared converter state.
class SingleByteCodePage final : public AnsiCodePage {
public:
    SingleByteCodePage(int number, UConverter* conv) : number_(number) {
        UErrorCode status = U_ZERO_ERROR;
        ucnv_setToUCallBack(conv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        for (int b = 0; b < 256; ++b) {
            char byte = static_cast<char>(b);
            UChar out[4];
            status = U_ZERO_ERROR;
            int32_t n = ucnv_toUChars(conv, out, 4, &byte, 1, &status);
            char16_t c;
            if (U_SUCCESS(status) && n == 1) {
                c = out[0];
            } else if (number == 1252 && b >= 0x80 && b <= 0x9F) {
                // The five holes of the Western page read as the C1 control
                // of the same value, as the system's converter reads them.
                c = static_cast<char16_t>(b);
            } else {
                c = u'\uFFFD';
                decode_[b] = c;
                continue;
            }
            decode_[b] = c;
            encode_.try_emplace(c, static_cast<uint8_t>(b));
        }
    }

    int Number() const override { return number_; }

    std::string Encode(std::u16string_view text) const override {
        std::string out;
        out.reserve(text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            char16_t c = text[i];
            // A surrogate pair is one character without a single-byte form.
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
                ++i;
                out += kDefaultChar;
                continue;
            }
            auto it = encode_.find(c);
            out += it == encode_.end() ? kDefaultChar : static_cast<char>(it->second);
        }
        return out;
    }

    String Decode(std::string_view bytes) const override {
        String out;
        out.reserve(bytes.size());
        for (char b : bytes) out += decode_[static_cast<uint8_t>(b)];
        return out;
    }

private:
    int number_;
    std::array<char16_t, 256> decode_{};
    std::unordered_map<char16_t, uint8_t> encode_;
};

// A multi-byte code page on an ICU converter, used by one call at a time.
class MultiByteCodePage final : public AnsiCodePage {
public:
    MultiByteCodePage(int number, ConverterPtr conv) : number_(number), conv_(std::move(conv)) {
        UErrorCode status = U_ZERO_ERROR;
        ucnv_setSubstChars(conv_.get(), &kDefaultChar, 1, &status);
        ucnv_setFallback(conv_.get(), false);
    }

    int Number() const override { return number_; }

    std::string Encode(std::u16string_view text) const override {
        if (text.empty()) return std::string();
        std::lock_guard<std::mutex> lock(mutex_);
        const auto* src = reinterpret_cast<const UChar*>(text.data());
        auto length = static_cast<int32_t>(text.size());
        UErrorCode status = U_ZERO_ERROR;
        int32_t needed = ucnv_fromUChars(conv_.get(), nullptr, 0, src, length, &status);
        if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return std::string(text.size(), kDefaultChar);
        std::string out(static_cast<size_t>(needed), '\0');
        status = U_ZERO_ERROR;
        ucnv_fromUChars(conv_.get(), out.data(), needed, src, length, &status);
        if (U_FAILURE(status)) return std::string(text.size(), kDefaultChar);
        return out;
    }

    String Decode(std::string_view bytes) const override {
        if (bytes.empty()) return String();
        std::lock_guard<std::mutex> lock(mutex_);
        auto length = static_cast<int32_t>(bytes.size());
        UErrorCode status = U_ZERO_ERROR;
        int32_t needed = ucnv_toUChars(conv_.get(), nullptr, 0, bytes.data(), length, &status);
        if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return String(bytes.size(), u'\uFFFD');
        String out(static_cast<size_t>(needed), u'\0');
        status = U_ZERO_ERROR;
        ucnv_toUChars(conv_.get(), reinterpret_cast<UChar*>(out.data()), needed, bytes.data(), length, &status);
        if (U_FAILURE(status)) return String(bytes.size(), u'\uFFFD');
        return out;
    }

private:
    int number_;
    mutable std::mutex mutex_;
    ConverterPtr conv_;
};

}  // namespace

std::unique_ptr<AnsiCodePage> MakeAnsiCodePage(int number) {
    ConverterPtr conv = OpenConverter(number);
    if (!conv) {
        std::string n = std::to_string(number);
        throw AutomationError(rt::kInvalidProcedureCall, kComponentSource,
                              u"Code page " + String(n.begin(), n.end()) + u" is not available");
    }
    if (ucnv_getMaxCharSize(conv.get()) == 1) return std::make_unique<SingleByteCodePage>(number, conv.get());
    return std::make_unique<MultiByteCodePage>(number, std::move(conv));
}

}  // namespace quibor15
