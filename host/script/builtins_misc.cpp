// Filter, Rnd and Randomize, Escape and Unescape, and the engine's name and
// version.
#include <bit>
#include <chrono>
#include <cmath>

#include "host/script/builtins_impl.hpp"
#include "host/script/script_error.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::script::builtins {
namespace {

// Filter(strings, value[, include[, compare]]): the elements that contain
// value (or, include False, those that do not), as a new array.
Variant FilterFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
    const SafeArray* arr = Arg(a, 0).Array();
    if (!arr) RaiseScriptError(rt::kTypeMismatch);
    if (arr->Rank() != 1) InvalidCall();
    if (Arg(a, 1).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
    const String sought = TextArg(in, a, 1);
    const bool include = !Given(a, 2) || BoolArg(in, a, 2);
    const bool ignore_case = Given(a, 3) && LongArg(in, a, 3) == 1;
    std::vector<String> kept;
    for (const Variant& element : arr->Data()) {
        if (element.IsNull()) RaiseScriptError(rt::kTypeMismatch);
        String text = in.Text(element);
        const bool found = FindText(1, text, sought, ignore_case) != 0;
        if (found == include) kept.push_back(std::move(text));
    }
    SafeArray out = SafeArray::OneDim(VarType::Variant, 0, static_cast<int32_t>(kept.size()) - 1);
    for (size_t i = 0; i < kept.size(); ++i) out.At(static_cast<int32_t>(i)) = Variant(std::move(kept[i]));
    return Variant(std::move(out));
}

// The generator is the 24-bit linear congruential one of the language:
// x = (x * 0x43FD43FD + 0xC39EC3) mod 2^24, Rnd = x / 2^24.
constexpr uint32_t kModulusMask = 0xFFFFFF;

uint32_t NextSeed(uint32_t x) { return (x * 0x43FD43FDu + 0xC39EC3u) & kModulusMask; }

// Rnd[(n)]: n < 0 seeds from n and gives the number that seed leads to
// (the same for the same n), n = 0 repeats the last number, n > 0 or none
// gives the next.
Variant RndFn(Interpreter& in, Args a) {
    uint32_t& seed = in.RandomSeed();
    if (Given(a, 0)) {
        if (Arg(a, 0).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
        const float n = static_cast<float>(DoubleArg(in, a, 0));
        if (n < 0) {
            const uint32_t bits = std::bit_cast<uint32_t>(n);
            seed = (bits + (bits >> 24)) & kModulusMask;
        }
        if (n != 0) seed = NextSeed(seed);
    } else {
        seed = NextSeed(seed);
    }
    return Variant(static_cast<Single>(static_cast<float>(seed) / 16777216.0f));
}

// Randomize[ n]: mixes n (or, left out, the time) into the seed's upper
// two bytes, keeping its lowest, so the same n need not repeat a sequence.
Variant RandomizeFn(Interpreter& in, Args a) {
    double n = 0;
    if (Given(a, 0)) {
        if (Arg(a, 0).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
        n = DoubleArg(in, a, 0);
    } else {
        const double serial = in.Host().Now().serial;
        n = static_cast<float>((serial - std::floor(serial)) * 86400.0);
    }
    const uint64_t bits = std::bit_cast<uint64_t>(n);
    uint32_t high = static_cast<uint32_t>(bits >> 32);
    high = ((high & 0xFFFF) ^ (high >> 16)) << 8;
    uint32_t& seed = in.RandomSeed();
    seed = (seed & 0xFF) | (high & 0xFFFF00);
    return Variant();
}

bool Unreserved(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           String(u"@*_+-./").find(c) != String::npos;
}

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

// Escape: %XX for other characters up to 255, %uXXXX above.
Variant EscapeFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    const String text = TextArg(in, a, 0);
    String out;
    for (char16_t c : text) {
        if (Unreserved(c)) {
            out += c;
        } else if (c < 256) {
            out += u'%';
            out += kHexDigits[c >> 4];
            out += kHexDigits[c & 15];
        } else {
            out += u"%u";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(c >> shift) & 15];
        }
    }
    return Variant(std::move(out));
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// Unescape: %XX and %uXXXX back to characters; anything else stays.
Variant UnescapeFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    const String text = TextArg(in, a, 0);
    String out;
    auto hex_run = [&text](size_t from, size_t n, int& value) {
        if (from + n > text.size()) return false;
        value = 0;
        for (size_t i = from; i < from + n; ++i) {
            const int h = HexValue(text[i]);
            if (h < 0) return false;
            value = value * 16 + h;
        }
        return true;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        int value = 0;
        if (text[i] == u'%' && i + 1 < text.size() && text[i + 1] == u'u' && hex_run(i + 2, 4, value)) {
            out += static_cast<char16_t>(value);
            i += 5;
        } else if (text[i] == u'%' && hex_run(i + 1, 2, value)) {
            out += static_cast<char16_t>(value);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return Variant(std::move(out));
}

Variant ScriptEngineFn(Interpreter&, Args) { return Variant(String(u"VBScript")); }
Variant MajorVersionFn(Interpreter&, Args) { return Variant(Long{5}); }
Variant MinorVersionFn(Interpreter&, Args) { return Variant(Long{8}); }
Variant BuildVersionFn(Interpreter&, Args) { return Variant(Long{16384}); }

constexpr Builtin kMiscBuiltins[] = {
    {u"Escape", 1, 1, EscapeFn},
    {u"Filter", 2, 4, FilterFn},
    {u"Randomize", 0, 1, RandomizeFn},
    {u"Rnd", 0, 1, RndFn},
    {u"ScriptEngine", 0, 0, ScriptEngineFn},
    {u"ScriptEngineBuildVersion", 0, 0, BuildVersionFn},
    {u"ScriptEngineMajorVersion", 0, 0, MajorVersionFn},
    {u"ScriptEngineMinorVersion", 0, 0, MinorVersionFn},
    {u"Unescape", 1, 1, UnescapeFn},
};

}  // namespace

std::span<const Builtin> MiscBuiltins() { return kMiscBuiltins; }

}  // namespace quibor15::script::builtins
