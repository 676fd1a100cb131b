// The record of every call the simulated Windows receives: the function's
// name and its arguments as texts, in call order, so that tests can assert
// exact command strings, message orders and flags.
//
// Argument texts follow one convention throughout:
// - handles, message numbers, flags, style bits, locale identifiers and
//   information codes: "0x" and upper-case hexadecimal digits without
//   leading zeros, of the 32-bit value ("0x700002", "0x418", "0xFFFFFFFF"
//   for HWND_TOPMOST);
// - coordinates, message parameters, sizes, counts, codes: signed decimal;
// - texts: as the system received them, after the ANSI code page (so a
//   character the code page lacks shows as its default character); a null
//   text pointer is logged as "NULL";
// - records: one argument per field, "name=value" (TOOLINFO, LOGFONT,
//   MONITORINFO sizes and the like).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <string_view>
#include <vector>

#include "quibor15/windows_services.hpp"

namespace quibor15::sim {

struct CallRecord {
    String function;
    std::vector<String> args;
    friend bool operator==(const CallRecord&, const CallRecord&) = default;
};

// Readable output for test failure messages (UTF-8).
std::ostream& operator<<(std::ostream& os, const CallRecord& record);

// The log keeps the most recent calls, at least kKeptCalls of them: a long
// run (a script's loop) drops the oldest so its memory stays bounded.
class CallLog {
public:
    static constexpr size_t kKeptCalls = 100000;

    void Add(String function, std::vector<String> args);
    // How many of the oldest calls were dropped.
    size_t Dropped() const noexcept { return dropped_; }

    const std::vector<CallRecord>& All() const noexcept { return records_; }
    // The calls of one function, in order.
    std::vector<CallRecord> To(std::u16string_view function) const;
    size_t Count(std::u16string_view function) const;
    // The function names of all calls, in order.
    std::vector<String> Functions() const;
    // The calls of any of the given functions, in order (for asserting the
    // interleaving of a few functions while ignoring the rest).
    std::vector<CallRecord> Among(std::initializer_list<std::u16string_view> functions) const;
    void Clear() noexcept {
        records_.clear();
        dropped_ = 0;
    }

private:
    std::vector<CallRecord> records_;
    size_t dropped_ = 0;
};

// Argument texts.
String HexArg(uint32_t value);
inline String HandleArg(Handle handle) { return HexArg(static_cast<uint32_t>(handle)); }
String DecArg(int64_t value);
String TextArg(const String* text);
String RectArg(const Rect& rect);  // "left,top,right,bottom"
String FieldArg(std::u16string_view name, const String& value);

}  // namespace quibor15::sim
