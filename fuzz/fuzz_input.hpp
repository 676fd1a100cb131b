// What the fuzz targets share: the input read as texts, numbers and
// choices, and the code pages and locales a first byte picks.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <string>

#include "quibor15/error.hpp"

namespace quibor15::fuzzing {

// Bytes as UTF-16: well-formed UTF-8 sequences (surrogates included, so
// unpaired ones are reachable) give their code units, any other byte
// stands for itself.
inline String TextOf(std::string_view bytes) {
    String out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<uint8_t>(bytes[i]);
        auto cont = [&](size_t k) { return i + k < bytes.size() && (uint8_t(bytes[i + k]) & 0xC0) == 0x80; };
        auto bits = [&](size_t k) { return uint32_t(uint8_t(bytes[i + k]) & 0x3F); };
        if (b >= 0xC2 && b < 0xE0 && cont(1)) {
            out += static_cast<char16_t>(((b & 0x1F) << 6) | bits(1));
            i += 2;
        } else if (b >= 0xE0 && b < 0xF0 && cont(1) && cont(2)) {
            out += static_cast<char16_t>(((b & 0x0F) << 12) | (bits(1) << 6) | bits(2));
            i += 3;
        } else if (b >= 0xF0 && b < 0xF5 && cont(1) && cont(2) && cont(3)) {
            const uint32_t cp = ((b & 0x07) << 18) | (bits(1) << 12) | (bits(2) << 6) | bits(3);
            if (cp > 0xFFFF && cp <= 0x10FFFF) {
                out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
                out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            } else {
                out += static_cast<char16_t>(cp & 0xFFFF);
            }
            i += 4;
        } else {
            out += static_cast<char16_t>(b);
            ++i;
        }
    }
    return out;
}

inline String TextOf(FuzzedDataProvider& in, size_t max_bytes = 256) {
    return TextOf(in.ConsumeRandomLengthString(max_bytes));
}

// The code pages of the systems the component meets: single-byte Western,
// Central European and Cyrillic ones, and the double-byte Asian ones.
inline constexpr std::array<int, 8> kCodePages = {1252, 1250, 1251, 1253, 932, 936, 949, 950};

inline int PickCodePage(FuzzedDataProvider& in) { return in.PickValueInArray(kCodePages); }

}  // namespace quibor15::fuzzing
