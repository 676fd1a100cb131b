#include "platform/sim/call_log.hpp"

#include <algorithm>
#include <ostream>

#include "platform/sim/sim_text.hpp"

namespace quibor15::sim {

std::ostream& operator<<(std::ostream& os, const CallRecord& record) {
    os << ToUtf8(record.function) << '(';
    for (size_t i = 0; i < record.args.size(); ++i) {
        if (i > 0) os << ", ";
        os << '"' << ToUtf8(record.args[i]) << '"';
    }
    return os << ')';
}

void CallLog::Add(String function, std::vector<String> args) {
    // Dropping a whole batch at once keeps each call's cost constant.
    if (records_.size() >= 2 * kKeptCalls) {
        records_.erase(records_.begin(), records_.begin() + static_cast<std::ptrdiff_t>(kKeptCalls));
        dropped_ += kKeptCalls;
    }
    records_.push_back(CallRecord{std::move(function), std::move(args)});
}

std::vector<CallRecord> CallLog::To(std::u16string_view function) const {
    std::vector<CallRecord> out;
    for (const CallRecord& r : records_) {
        if (r.function == function) out.push_back(r);
    }
    return out;
}

size_t CallLog::Count(std::u16string_view function) const {
    return static_cast<size_t>(
        std::count_if(records_.begin(), records_.end(), [&](const CallRecord& r) { return r.function == function; }));
}

std::vector<String> CallLog::Functions() const {
    std::vector<String> out;
    out.reserve(records_.size());
    for (const CallRecord& r : records_) out.push_back(r.function);
    return out;
}

std::vector<CallRecord> CallLog::Among(std::initializer_list<std::u16string_view> functions) const {
    std::vector<CallRecord> out;
    for (const CallRecord& r : records_) {
        if (std::find(functions.begin(), functions.end(), std::u16string_view(r.function)) != functions.end()) {
            out.push_back(r);
        }
    }
    return out;
}

String HexArg(uint32_t value) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    String digits;
    do {
        digits.insert(digits.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return u"0x" + digits;
}

String DecArg(int64_t value) {
    const bool negative = value < 0;
    // Work in unsigned so that the most negative value has a magnitude.
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    String digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return negative ? u"-" + digits : digits;
}

String TextArg(const String* text) { return text ? *text : String(u"NULL"); }

String RectArg(const Rect& rect) {
    return DecArg(rect.left) + u"," + DecArg(rect.top) + u"," + DecArg(rect.right) + u"," + DecArg(rect.bottom);
}

String FieldArg(std::u16string_view name, const String& value) { return String(name) + u"=" + value; }

}  // namespace quibor15::sim
