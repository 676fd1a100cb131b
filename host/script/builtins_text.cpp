// Text functions: Len, Mid, InStr, Replace, ...
#include <algorithm>

#include "host/script/builtins_impl.hpp"

namespace quibor15::script::builtins {
namespace {

Variant LenFn(Interpreter& in, Args a) {
    const Variant& v = Arg(a, 0);
    if (v.IsNull()) return Variant::Null();
    if (const String* s = v.As<String>()) return Variant(static_cast<Long>(s->size()));
    return Variant(static_cast<Long>(TextArg(in, a, 0).size()));
}

Variant LeftFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    return Str(LeftText(TextArg(in, a, 0), LongArg(in, a, 1)));
}

Variant RightFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    return Str(RightText(TextArg(in, a, 0), LongArg(in, a, 1)));
}

Variant MidFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    const String text = TextArg(in, a, 0);
    const Long start = LongArg(in, a, 1);
    if (Given(a, 2)) return Str(Mid(text, start, LongArg(in, a, 2)));
    return Str(MidFrom(text, start));
}

Variant InStrFn(Interpreter& in, Args a) {
    // InStr([start,] text, sought[, compare])
    size_t first = 0;
    Long start = 1;
    if (a.size() >= 3) {
        if (Arg(a, 0).IsNull()) InvalidCall();
        start = LongArg(in, a, 0);
        first = 1;
    }
    if (Arg(a, first).IsNull() || Arg(a, first + 1).IsNull()) return Variant::Null();
    const String text = TextArg(in, a, first);
    const String sought = TextArg(in, a, first + 1);
    const bool ignore_case = a.size() == 4 && CompareTextArg(in, a, 3);
    if (start < 1) InvalidCall();
    if (static_cast<size_t>(start) > text.size() + 1) return Variant(Long{0});
    return Variant(FindText(start, text, sought, ignore_case));
}

Variant InStrRevFn(Interpreter& in, Args a) {
    // InStrRev(text, sought[, start[, compare]])
    if (Arg(a, 0).IsNull() || Arg(a, 1).IsNull()) return Variant::Null();
    const String text = TextArg(in, a, 0);
    const String sought = TextArg(in, a, 1);
    Long start = Given(a, 2) ? LongArg(in, a, 2) : -1;
    const bool ignore_case = CompareTextArg(in, a, 3);
    if (start == 0 || start < -1) InvalidCall();
    if (start == -1) start = static_cast<Long>(text.size());
    if (static_cast<size_t>(start) > text.size()) return Variant(Long{0});
    if (sought.empty()) return Variant(start);
    for (Long p = start - static_cast<Long>(sought.size()) + 1; p >= 1; --p) {
        const std::u16string_view here = std::u16string_view(text).substr(static_cast<size_t>(p - 1), sought.size());
        if (ignore_case ? EqualsIgnoreCase(here, sought) : here == sought) return Variant(p);
    }
    return Variant(Long{0});
}

Variant ReplaceFn(Interpreter& in, Args a) {
    // Replace(text, find, with[, start[, count[, compare]]]): the text from
    // start on, with up to count replacements (-1: all). Null raises 94.
    const String text = TextArg(in, a, 0);
    const String find = TextArg(in, a, 1);
    const String with = TextArg(in, a, 2);
    const Long start = Given(a, 3) ? LongArg(in, a, 3) : 1;
    const Long count = Given(a, 4) ? LongArg(in, a, 4) : -1;
    const bool ignore_case = CompareTextArg(in, a, 5);
    if (start < 1 || count < -1) InvalidCall();
    const String rest = MidFrom(text, start);
    if (find.empty() || count == 0) return Str(rest);
    String out;
    size_t pos = 0;
    Long done = 0;
    while (pos <= rest.size() && (count == -1 || done < count)) {
        const Long found = FindText(static_cast<Long>(pos + 1), rest, find, ignore_case);
        if (found == 0) break;
        out.append(rest, pos, static_cast<size_t>(found - 1) - pos);
        CheckTextLength(out.size() + with.size());
        out += with;
        pos = static_cast<size_t>(found - 1) + find.size();
        ++done;
    }
    out.append(rest, std::min(pos, rest.size()), String::npos);
    return Str(std::move(out));
}

Variant LCaseFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    return Str(LowerCase(TextArg(in, a, 0)));
}
Variant UCaseFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    return Str(UpperCase(TextArg(in, a, 0)));
}
Variant TrimFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    return Str(TrimBlanks(TextArg(in, a, 0)));
}
Variant LTrimFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    return Str(TrimLeadingBlanks(TextArg(in, a, 0)));
}
Variant RTrimFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    return Str(TrimTrailingBlanks(TextArg(in, a, 0)));
}

Variant SpaceFn(Interpreter& in, Args a) {
    const Long n = LongArg(in, a, 0);
    if (n < 0) InvalidCall();
    CheckTextLength(static_cast<size_t>(n));
    return Str(String(static_cast<size_t>(n), u' '));
}

char16_t AnsiChar(Interpreter& in, Long code) {
    if (code < 0 || code > 255) InvalidCall();
    if (code < 0x80) return static_cast<char16_t>(code);  // ASCII in every ANSI code page
    const String s = in.Host().CodePage().Decode(std::string(1, static_cast<char>(code)));
    return s.empty() ? u'?' : s[0];
}

Variant StringFn(Interpreter& in, Args a) {
    const Long n = LongArg(in, a, 0);
    if (Arg(a, 1).IsNull()) return Variant::Null();
    if (n < 0) InvalidCall();
    CheckTextLength(static_cast<size_t>(n));
    const Variant c = Value(in, a, 1);
    char16_t ch = 0;
    if (c.IsString()) {
        if (c.As<String>()->empty()) InvalidCall();
        ch = (*c.As<String>())[0];
    } else {
        ch = AnsiChar(in, VariantToLong(c, in.Format()) & 0xFF);
    }
    return Str(String(static_cast<size_t>(n), ch));
}

Variant ChrFn(Interpreter& in, Args a) { return Str(String(1, AnsiChar(in, LongArg(in, a, 0)))); }

Variant ChrWFn(Interpreter& in, Args a) {
    const Long code = LongArg(in, a, 0);
    if (code < -32768 || code > 65535) InvalidCall();
    return Str(String(1, static_cast<char16_t>(code & 0xFFFF)));
}

Variant AscFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
    return Variant(AnsiCode(TextArg(in, a, 0), in.Host().CodePage()));
}

Variant AscWFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
    const String text = TextArg(in, a, 0);
    if (text.empty()) InvalidCall();
    return Variant(static_cast<Integer>(static_cast<int16_t>(text[0])));
}

// Hex and Oct write a negative Integer as 16 bits, other values as 32.
Long RadixValue(Interpreter& in, Args a, bool& sixteen) {
    const Variant v = Value(in, a, 0);
    const VarType t = v.Type();
    sixteen = t == VarType::Integer || t == VarType::Byte || t == VarType::Boolean || t == VarType::Empty;
    return VariantToLong(v, in.Format());
}

Variant HexFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    bool sixteen = false;
    Long value = RadixValue(in, a, sixteen);
    if (sixteen && value < 0) value &= 0xFFFF;
    return Str(HexText(value));
}

Variant OctFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    bool sixteen = false;
    Long value = RadixValue(in, a, sixteen);
    uint32_t u = static_cast<uint32_t>(value);
    if (sixteen && value < 0) u &= 0xFFFF;
    String out;
    do {
        out.insert(out.begin(), static_cast<char16_t>(u'0' + (u & 7)));
        u >>= 3;
    } while (u != 0);
    return Str(std::move(out));
}

Variant StrCompFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull() || Arg(a, 1).IsNull()) return Variant::Null();
    String x = TextArg(in, a, 0);
    String y = TextArg(in, a, 1);
    if (CompareTextArg(in, a, 2)) {
        x = LowerCase(x);
        y = LowerCase(y);
    }
    const int c = x.compare(y);
    return Variant(static_cast<Integer>(c < 0 ? -1 : (c > 0 ? 1 : 0)));
}

Variant StrReverseFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
    String text = TextArg(in, a, 0);
    std::reverse(text.begin(), text.end());
    return Str(std::move(text));
}

const Builtin kTable[] = {
    {u"Asc", 1, 1, AscFn},           {u"AscW", 1, 1, AscWFn},
    {u"Chr", 1, 1, ChrFn},           {u"ChrW", 1, 1, ChrWFn},
    {u"Hex", 1, 1, HexFn},           {u"InStr", 2, 4, InStrFn},
    {u"InStrRev", 2, 4, InStrRevFn}, {u"LCase", 1, 1, LCaseFn},
    {u"Left", 2, 2, LeftFn},         {u"Len", 1, 1, LenFn},
    {u"LTrim", 1, 1, LTrimFn},       {u"Mid", 2, 3, MidFn},
    {u"Oct", 1, 1, OctFn},           {u"Replace", 3, 6, ReplaceFn},
    {u"Right", 2, 2, RightFn},       {u"RTrim", 1, 1, RTrimFn},
    {u"Space", 1, 1, SpaceFn},       {u"StrComp", 2, 3, StrCompFn},
    {u"String", 2, 2, StringFn},     {u"StrReverse", 1, 1, StrReverseFn},
    {u"Trim", 1, 1, TrimFn},         {u"UCase", 1, 1, UCaseFn},
};

}  // namespace

std::span<const Builtin> TextBuiltins() { return kTable; }

}  // namespace quibor15::script::builtins
