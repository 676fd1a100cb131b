#include "host/script/builtins.hpp"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <unordered_map>

#include "host/script/interpreter.hpp"
#include "host/script/lexer.hpp"
#include "host/script/text.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::script {
namespace {

using Args = std::span<Variant>;

const Variant& Arg(Args args, size_t i) { return args[i].Deref(); }
bool Given(Args args, size_t i) { return i < args.size() && !Arg(args, i).IsMissing(); }

// An argument read through an object's default member.
Variant Value(Interpreter& in, Args args, size_t i) { return in.Plain(Variant(Arg(args, i))); }

String TextArg(Interpreter& in, Args args, size_t i) { return in.Text(Value(in, args, i)); }
Long LongArg(Interpreter& in, Args args, size_t i) { return VariantToLong(Value(in, args, i), in.Format()); }
double DoubleArg(Interpreter& in, Args args, size_t i) { return VariantToDouble(Value(in, args, i), in.Format()); }
bool CompareTextArg(Interpreter& in, Args args, size_t i) { return Given(args, i) && LongArg(in, args, i) == 1; }

Variant Bool(bool b) { return Variant(Boolean::From(b)); }
Variant Str(String s) { return Variant(std::move(s)); }

[[noreturn]] void InvalidCall() { RaiseScriptError(rt::kInvalidProcedureCall); }

// ---- conversions
Variant CStrFn(Interpreter& in, Args a) { return Str(TextArg(in, a, 0)); }
Variant CIntFn(Interpreter& in, Args a) { return Variant(VariantToInteger(Value(in, a, 0), in.Format())); }
Variant CLngFn(Interpreter& in, Args a) { return Variant(VariantToLong(Value(in, a, 0), in.Format())); }
Variant CDblFn(Interpreter& in, Args a) { return Variant(VariantToDouble(Value(in, a, 0), in.Format())); }
Variant CSngFn(Interpreter& in, Args a) { return Variant(VariantToSingle(Value(in, a, 0), in.Format())); }
Variant CBoolFn(Interpreter& in, Args a) { return Variant(VariantToBoolean(Value(in, a, 0), in.Format())); }
Variant CCurFn(Interpreter& in, Args a) { return Variant(VariantToCurrency(Value(in, a, 0), in.Format())); }
Variant CDateFn(Interpreter& in, Args a) { return Variant(VariantToDate(Value(in, a, 0), in.Format())); }
Variant CByteFn(Interpreter& in, Args a) { return Variant(VariantToByte(Value(in, a, 0), in.Format())); }

// ---- types
String TypeNameOf(VarType t) {
    switch (t) {
        case VarType::Empty:
            return u"Empty";
        case VarType::Null:
            return u"Null";
        case VarType::Integer:
            return u"Integer";
        case VarType::Long:
            return u"Long";
        case VarType::Single:
            return u"Single";
        case VarType::Double:
            return u"Double";
        case VarType::Currency:
            return u"Currency";
        case VarType::Date:
            return u"Date";
        case VarType::String:
            return u"String";
        case VarType::Object:
            return u"Object";
        case VarType::Error:
            return u"Error";
        case VarType::Boolean:
            return u"Boolean";
        case VarType::Variant:
            return u"Variant";
        case VarType::Byte:
            return u"Byte";
        default:
            return u"Unknown";
    }
}

Variant TypeNameFn(Interpreter&, Args a) {
    const Variant& v = Arg(a, 0);
    if (const SafeArray* arr = v.Array()) return Str(TypeNameOf(arr->ElementType()) + u"()");
    if (const ObjectRef* obj = v.As<ObjectRef>()) return Str(*obj ? (*obj)->TypeName() : String(u"Nothing"));
    return Str(TypeNameOf(v.Type()));
}

Variant VarTypeFn(Interpreter&, Args a) {
    const Variant& v = Arg(a, 0);
    if (const SafeArray* arr = v.Array()) {
        return Variant(static_cast<Integer>(static_cast<int>(VarType::Array) | static_cast<int>(arr->ElementType())));
    }
    return Variant(static_cast<Integer>(v.Type()));
}

Variant IsObjectFn(Interpreter&, Args a) { return Bool(Arg(a, 0).IsObject()); }
Variant IsEmptyFn(Interpreter&, Args a) { return Bool(Arg(a, 0).IsEmpty()); }
Variant IsNullFn(Interpreter&, Args a) { return Bool(Arg(a, 0).IsNull()); }
Variant IsArrayFn(Interpreter&, Args a) { return Bool(Arg(a, 0).IsArray()); }

Variant IsNumericFn(Interpreter& in, Args a) {
    const Variant& raw = Arg(a, 0);
    if (raw.IsArray()) return Bool(false);
    Variant v = raw;
    if (const ObjectRef* obj = raw.As<ObjectRef>()) {
        // An object is numeric when its default member is; Nothing is not.
        if (!*obj) return Bool(false);
        try {
            v = in.DefaultValue(*obj);
        } catch (const AutomationError&) {
            return Bool(false);
        }
    }
    switch (v.Type()) {
        case VarType::Empty:
        case VarType::Boolean:
        case VarType::Integer:
        case VarType::Long:
        case VarType::Single:
        case VarType::Double:
        case VarType::Currency:
        case VarType::Byte:
            return Bool(true);
        case VarType::String: {
            double unused = 0;
            return Bool(ParseNumber(*v.As<String>(), in.Format(), unused));
        }
        default:
            return Bool(false);
    }
}

Variant IsDateFn(Interpreter& in, Args a) {
    const Variant& v = Arg(a, 0);
    if (v.Type() == VarType::Date) return Bool(true);
    if (!v.IsString()) return Bool(false);
    double unused = 0;
    if (ParseNumber(*v.As<String>(), in.Format(), unused)) return Bool(false);
    try {
        VariantToDate(v, in.Format());
        return Bool(true);
    } catch (const AutomationError&) {
        return Bool(false);
    }
}

// ---- text
Variant LenFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
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
    // start on, with up to count replacements (-1: all).
    for (size_t i = 0; i < 3; ++i) {
        if (Arg(a, i).IsNull()) return Variant::Null();
    }
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

// Texts longer than this are refused with "Out of string space" rather
// than attempted.
constexpr Long kMaxRepeat = 1 << 26;

Variant SpaceFn(Interpreter& in, Args a) {
    const Long n = LongArg(in, a, 0);
    if (n < 0) InvalidCall();
    if (n > kMaxRepeat) RaiseScriptError(14);
    return Str(String(static_cast<size_t>(n), u' '));
}

char16_t AnsiChar(Interpreter& in, Long code) {
    if (code < 0 || code > 255) InvalidCall();
    const String s = in.Host().CodePage().Decode(std::string(1, static_cast<char>(code)));
    return s.empty() ? u'?' : s[0];
}

Variant StringFn(Interpreter& in, Args a) {
    const Long n = LongArg(in, a, 0);
    if (Arg(a, 1).IsNull()) return Variant::Null();
    if (n < 0) InvalidCall();
    if (n > kMaxRepeat) RaiseScriptError(14);
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

// ---- arrays
const SafeArray& ArrayArg(Args a, size_t i) {
    const SafeArray* arr = Arg(a, i).Array();
    if (!arr) RaiseScriptError(rt::kTypeMismatch);
    return *arr;
}

Variant ArrayFn(Interpreter&, Args a) {
    SafeArray arr = SafeArray::OneDim(VarType::Variant, 0, static_cast<int32_t>(a.size()) - 1);
    for (size_t i = 0; i < a.size(); ++i) arr.At(static_cast<int32_t>(i)) = Variant(Arg(a, i));
    return Variant(std::move(arr));
}

Variant UBoundFn(Interpreter& in, Args a) {
    const SafeArray& arr = ArrayArg(a, 0);
    return Variant(static_cast<Long>(arr.UpperBound(Given(a, 1) ? LongArg(in, a, 1) : 1)));
}

Variant LBoundFn(Interpreter& in, Args a) {
    const SafeArray& arr = ArrayArg(a, 0);
    return Variant(static_cast<Long>(arr.LowerBound(Given(a, 1) ? LongArg(in, a, 1) : 1)));
}

Variant JoinFn(Interpreter& in, Args a) {
    const SafeArray& arr = ArrayArg(a, 0);
    if (arr.Rank() > 1) InvalidCall();
    const String delimiter = Given(a, 1) ? TextArg(in, a, 1) : String(u" ");
    String out;
    bool first = true;
    for (const Variant& element : arr.Data()) {
        if (!first) out += delimiter;
        first = false;
        if (!element.IsNull()) out += in.Text(element);
    }
    return Str(std::move(out));
}

Variant SplitFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    const String text = TextArg(in, a, 0);
    const String delimiter = Given(a, 1) ? TextArg(in, a, 1) : String(u" ");
    const Long limit = Given(a, 2) ? LongArg(in, a, 2) : -1;
    const bool ignore_case = CompareTextArg(in, a, 3);
    if (limit < -1) InvalidCall();
    std::vector<String> parts;
    if (!text.empty() && limit != 0) {
        if (delimiter.empty()) {
            parts.push_back(text);
        } else {
            size_t pos = 0;
            for (;;) {
                if (limit != -1 && static_cast<Long>(parts.size()) == limit - 1) break;
                const Long found = FindText(static_cast<Long>(pos + 1), text, delimiter, ignore_case);
                if (found == 0) break;
                parts.push_back(text.substr(pos, static_cast<size_t>(found - 1) - pos));
                pos = static_cast<size_t>(found - 1) + delimiter.size();
            }
            parts.push_back(text.substr(std::min(pos, text.size())));
        }
    }
    SafeArray arr = SafeArray::OneDim(VarType::Variant, 0, static_cast<int32_t>(parts.size()) - 1);
    for (size_t i = 0; i < parts.size(); ++i) arr.At(static_cast<int32_t>(i)) = Str(std::move(parts[i]));
    return Variant(std::move(arr));
}

// ---- numbers
Variant NumericArg(Interpreter& in, Args a) {
    Variant v = Value(in, a, 0);
    if (v.IsString()) return Variant(VariantToDouble(v, in.Format()));
    if (v.IsEmpty()) return Variant(Integer{0});
    if (v.Type() == VarType::Boolean) return Variant(static_cast<Integer>(v.As<Boolean>()->raw));
    if (!v.IsNumber() && v.Type() != VarType::Date && !v.IsNull()) RaiseScriptError(rt::kTypeMismatch);
    return v;
}

// Applies f to the value, keeping its subtype.
template <class F>
Variant MapNumber(const Variant& v, F f) {
    switch (v.Type()) {
        case VarType::Null:
            return Variant::Null();
        case VarType::Double:
            return Variant(f(*v.As<Double>()));
        case VarType::Single:
            return Variant(static_cast<Single>(f(*v.As<Single>())));
        case VarType::Date:
            return Variant(Date{f(v.As<Date>()->serial)});
        case VarType::Currency:
            return Variant(CurrencyFromDouble(f(CurrencyToDouble(*v.As<Currency>()))));
        default:
            return v;  // whole numbers are already whole
    }
}

Variant AbsFn(Interpreter& in, Args a) {
    const Variant v = NumericArg(in, a);
    switch (v.Type()) {
        case VarType::Integer: {
            const int32_t x = std::abs(static_cast<int32_t>(*v.As<Integer>()));
            return x > 32767 ? Variant(static_cast<Long>(x)) : Variant(static_cast<Integer>(x));
        }
        case VarType::Long: {
            const int64_t x = std::abs(static_cast<int64_t>(*v.As<Long>()));
            return x > 2147483647 ? Variant(static_cast<Double>(x)) : Variant(static_cast<Long>(x));
        }
        case VarType::Currency: {
            const int64_t s = v.As<Currency>()->scaled;
            if (s == INT64_MIN) RaiseScriptError(rt::kOverflow);
            return Variant(Currency{s < 0 ? -s : s});
        }
        default:
            return MapNumber(v, [](double x) { return std::fabs(x); });
    }
}

Variant IntFn(Interpreter& in, Args a) {
    return MapNumber(NumericArg(in, a), [](double x) { return std::floor(x); });
}
Variant FixFn(Interpreter& in, Args a) {
    return MapNumber(NumericArg(in, a), [](double x) { return std::trunc(x); });
}

Variant RoundFn(Interpreter& in, Args a) {
    const Variant v = NumericArg(in, a);
    const Long places = Given(a, 1) ? LongArg(in, a, 1) : 0;
    if (places < 0) InvalidCall();
    if (places > 15) return v;
    const double scale = std::pow(10.0, places);
    return MapNumber(v, [scale](double x) {
        // A product like 2.675 * 100 lands a hair off the half in binary;
        // what is a half within rounding noise is treated as one.
        const double scaled = x * scale;
        const double whole = std::trunc(scaled);
        const double fraction = std::fabs(scaled - whole);
        const double r = std::fabs(fraction - 0.5) < 4 * DBL_EPSILON * std::max(1.0, std::fabs(scaled))
                             ? RoundHalfEven(whole + (scaled < 0 ? -0.5 : 0.5))
                             : std::round(scaled);
        return r / scale;
    });
}

Variant SgnFn(Interpreter& in, Args a) {
    const Variant v = NumericArg(in, a);
    if (v.IsNull()) return Variant::Null();
    const double x = VariantToDouble(v, in.Format());
    return Variant(static_cast<Integer>(x > 0 ? 1 : (x < 0 ? -1 : 0)));
}

Variant SqrFn(Interpreter& in, Args a) {
    const double x = DoubleArg(in, a, 0);
    if (x < 0) InvalidCall();
    return Variant(std::sqrt(x));
}
Variant ExpFn(Interpreter& in, Args a) {
    const double r = std::exp(DoubleArg(in, a, 0));
    if (!std::isfinite(r)) RaiseScriptError(rt::kOverflow);
    return Variant(r);
}
Variant LogFn(Interpreter& in, Args a) {
    const double x = DoubleArg(in, a, 0);
    if (x <= 0) InvalidCall();
    return Variant(std::log(x));
}
Variant SinFn(Interpreter& in, Args a) { return Variant(std::sin(DoubleArg(in, a, 0))); }
Variant CosFn(Interpreter& in, Args a) { return Variant(std::cos(DoubleArg(in, a, 0))); }
Variant TanFn(Interpreter& in, Args a) { return Variant(std::tan(DoubleArg(in, a, 0))); }
Variant AtnFn(Interpreter& in, Args a) { return Variant(std::atan(DoubleArg(in, a, 0))); }

Variant RgbFn(Interpreter& in, Args a) {
    Long c[3];
    for (size_t i = 0; i < 3; ++i) c[i] = std::clamp<Long>(LongArg(in, a, i), 0, 255);
    return Variant(static_cast<Long>(c[0] | (c[1] << 8) | (c[2] << 16)));
}

// ---- dates
constexpr double kMinSerial = -657434;  // 100-01-01
constexpr double kMaxSerial = 2958465;  // 9999-12-31

int WindowYear(Long year) {
    if (year >= 0 && year < 30) return 2000 + year;
    if (year >= 30 && year < 100) return 1900 + year;
    return year;
}

Variant DateSerialFn(Interpreter& in, Args a) {
    for (size_t i = 0; i < 3; ++i) {
        if (Arg(a, i).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
    }
    const Long y = LongArg(in, a, 0);
    const Long m = LongArg(in, a, 1);
    const Long d = LongArg(in, a, 2);
    // Months and days beyond their range carry into the year and month.
    int64_t year = WindowYear(y);
    int64_t month0 = static_cast<int64_t>(m) - 1;
    year += month0 >= 0 ? month0 / 12 : -((11 - month0) / 12);
    month0 = ((month0 % 12) + 12) % 12;
    if (year < 100 || year > 9999) InvalidCall();
    const double serial = DateSerialOf(static_cast<int>(year), static_cast<int>(month0) + 1, 1) + (d - 1.0);
    if (serial < kMinSerial || serial > kMaxSerial) InvalidCall();
    return Variant(Date{serial});
}

Date SerialFromSeconds(double total) {
    const double days = std::floor(total / 86400.0);
    const double fraction = (total - days * 86400.0) / 86400.0;
    return Date{days >= 0 ? days + fraction : days - fraction};
}

Variant TimeSerialFn(Interpreter& in, Args a) {
    for (size_t i = 0; i < 3; ++i) {
        if (Arg(a, i).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
    }
    const double total = LongArg(in, a, 0) * 3600.0 + LongArg(in, a, 1) * 60.0 + LongArg(in, a, 2);
    return Variant(SerialFromSeconds(total));
}

template <int DateParts::*Field>
Variant DatePartFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    const DateParts parts = DateToParts(VariantToDate(Value(in, a, 0), in.Format()));
    return Variant(static_cast<Integer>(parts.*Field));
}

Variant WeekdayFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    const DateParts parts = DateToParts(VariantToDate(Value(in, a, 0), in.Format()));
    const Long first = Given(a, 1) ? LongArg(in, a, 1) : 1;
    if (first < 0 || first > 7) InvalidCall();
    const int start = first == 0 ? 1 : first;
    return Variant(static_cast<Integer>((parts.day_of_week - start + 7) % 7 + 1));
}

Variant NowFn(Interpreter& in, Args) { return Variant(in.Host().Now()); }
Variant DateFn(Interpreter& in, Args) { return Variant(Date{std::floor(in.Host().Now().serial)}); }
Variant TimeFn(Interpreter& in, Args) {
    const double serial = in.Host().Now().serial;
    return Variant(Date{serial - std::floor(serial)});
}
Variant TimerFn(Interpreter& in, Args) {
    const double serial = in.Host().Now().serial;
    return Variant(static_cast<Single>((serial - std::floor(serial)) * 86400.0));
}

// ---- objects and the rest
Variant CreateObjectFn(Interpreter& in, Args a) {
    const String progid = TextArg(in, a, 0);
    ObjectRef obj = in.Host().CreateObject(progid);
    in.ForgetFormat();
    return Variant(std::move(obj));
}

Variant MsgBoxFn(Interpreter& in, Args a) {
    const String prompt = Arg(a, 0).IsNull() ? String(u"Null") : TextArg(in, a, 0);
    const Long flags = Given(a, 1) ? LongArg(in, a, 1) : 0;
    const String title = Given(a, 2) ? TextArg(in, a, 2) : String(u"quibor15");
    const int32_t pressed = in.Host().MessageBox(prompt, flags, title);
    in.ForgetFormat();
    return Variant(static_cast<Integer>(pressed));
}

Variant ErrFn(Interpreter& in, Args) { return Variant(in.ErrObject()); }

constexpr int kMany = 1 << 20;

const Builtin kBuiltins[] = {
    {u"Abs", 1, 1, AbsFn},
    {u"Array", 0, kMany, ArrayFn},
    {u"Asc", 1, 1, AscFn},
    {u"AscW", 1, 1, AscWFn},
    {u"Atn", 1, 1, AtnFn},
    {u"CBool", 1, 1, CBoolFn},
    {u"CByte", 1, 1, CByteFn},
    {u"CCur", 1, 1, CCurFn},
    {u"CDate", 1, 1, CDateFn},
    {u"CDbl", 1, 1, CDblFn},
    {u"Chr", 1, 1, ChrFn},
    {u"ChrW", 1, 1, ChrWFn},
    {u"CInt", 1, 1, CIntFn},
    {u"CLng", 1, 1, CLngFn},
    {u"Cos", 1, 1, CosFn},
    {u"CreateObject", 1, 2, CreateObjectFn},
    {u"CSng", 1, 1, CSngFn},
    {u"CStr", 1, 1, CStrFn},
    {u"Date", 0, 0, DateFn},
    {u"DateSerial", 3, 3, DateSerialFn},
    {u"Day", 1, 1, DatePartFn<&DateParts::day>},
    {u"Err", 0, 0, ErrFn},
    {u"Exp", 1, 1, ExpFn},
    {u"Fix", 1, 1, FixFn},
    {u"Hex", 1, 1, HexFn},
    {u"Hour", 1, 1, DatePartFn<&DateParts::hour>},
    {u"InStr", 2, 4, InStrFn},
    {u"InStrRev", 2, 4, InStrRevFn},
    {u"Int", 1, 1, IntFn},
    {u"IsArray", 1, 1, IsArrayFn},
    {u"IsDate", 1, 1, IsDateFn},
    {u"IsEmpty", 1, 1, IsEmptyFn},
    {u"IsNull", 1, 1, IsNullFn},
    {u"IsNumeric", 1, 1, IsNumericFn},
    {u"IsObject", 1, 1, IsObjectFn},
    {u"Join", 1, 2, JoinFn},
    {u"LBound", 1, 2, LBoundFn},
    {u"LCase", 1, 1, LCaseFn},
    {u"Left", 2, 2, LeftFn},
    {u"Len", 1, 1, LenFn},
    {u"Log", 1, 1, LogFn},
    {u"LTrim", 1, 1, LTrimFn},
    {u"Mid", 2, 3, MidFn},
    {u"Minute", 1, 1, DatePartFn<&DateParts::minute>},
    {u"Month", 1, 1, DatePartFn<&DateParts::month>},
    {u"MsgBox", 1, 5, MsgBoxFn},
    {u"Now", 0, 0, NowFn},
    {u"Oct", 1, 1, OctFn},
    {u"Replace", 3, 6, ReplaceFn},
    {u"RGB", 3, 3, RgbFn},
    {u"Right", 2, 2, RightFn},
    {u"Round", 1, 2, RoundFn},
    {u"RTrim", 1, 1, RTrimFn},
    {u"Second", 1, 1, DatePartFn<&DateParts::second>},
    {u"Sgn", 1, 1, SgnFn},
    {u"Sin", 1, 1, SinFn},
    {u"Space", 1, 1, SpaceFn},
    {u"Split", 1, 4, SplitFn},
    {u"Sqr", 1, 1, SqrFn},
    {u"StrComp", 2, 3, StrCompFn},
    {u"String", 2, 2, StringFn},
    {u"StrReverse", 1, 1, StrReverseFn},
    {u"Tan", 1, 1, TanFn},
    {u"Time", 0, 0, TimeFn},
    {u"Timer", 0, 0, TimerFn},
    {u"TimeSerial", 3, 3, TimeSerialFn},
    {u"Trim", 1, 1, TrimFn},
    {u"TypeName", 1, 1, TypeNameFn},
    {u"UBound", 1, 2, UBoundFn},
    {u"UCase", 1, 1, UCaseFn},
    {u"VarType", 1, 1, VarTypeFn},
    {u"Weekday", 1, 2, WeekdayFn},
    {u"Year", 1, 1, DatePartFn<&DateParts::year>},
};

}  // namespace

const Builtin* FindBuiltin(std::u16string_view key) {
    static const std::unordered_map<String, const Builtin*> table = [] {
        std::unordered_map<String, const Builtin*> t;
        for (const Builtin& b : kBuiltins) t[NameKey(b.name)] = &b;
        return t;
    }();
    auto it = table.find(String(key));
    return it == table.end() ? nullptr : it->second;
}

const Variant* FindBuiltinConstant(std::u16string_view key) {
    static const std::unordered_map<String, Variant> table = [] {
        std::unordered_map<String, Variant> t;
        auto i = [&t](const char16_t* name, int value) { t[NameKey(name)] = Variant(static_cast<Integer>(value)); };
        auto l = [&t](const char16_t* name, int64_t value) {
            t[NameKey(name)] = Variant(static_cast<Long>(static_cast<int32_t>(value)));
        };
        auto s = [&t](const char16_t* name, String value) { t[NameKey(name)] = Variant(std::move(value)); };
        s(u"vbCrLf", u"\r\n");
        s(u"vbNewLine", u"\r\n");
        s(u"vbCr", u"\r");
        s(u"vbLf", u"\n");
        s(u"vbTab", u"\t");
        s(u"vbBack", u"\b");
        s(u"vbFormFeed", u"\f");
        s(u"vbVerticalTab", u"\v");
        s(u"vbNullChar", String(1, u'\0'));
        s(u"vbNullString", u"");
        i(u"vbEmpty", 0);
        i(u"vbNull", 1);
        i(u"vbInteger", 2);
        i(u"vbLong", 3);
        i(u"vbSingle", 4);
        i(u"vbDouble", 5);
        i(u"vbCurrency", 6);
        i(u"vbDate", 7);
        i(u"vbString", 8);
        i(u"vbObject", 9);
        i(u"vbError", 10);
        i(u"vbBoolean", 11);
        i(u"vbVariant", 12);
        i(u"vbDataObject", 13);
        i(u"vbDecimal", 14);
        i(u"vbByte", 17);
        i(u"vbArray", 8192);
        i(u"vbOKOnly", 0);
        i(u"vbOKCancel", 1);
        i(u"vbAbortRetryIgnore", 2);
        i(u"vbYesNoCancel", 3);
        i(u"vbYesNo", 4);
        i(u"vbRetryCancel", 5);
        i(u"vbCritical", 16);
        i(u"vbQuestion", 32);
        i(u"vbExclamation", 48);
        i(u"vbInformation", 64);
        i(u"vbDefaultButton1", 0);
        i(u"vbDefaultButton2", 256);
        i(u"vbDefaultButton3", 512);
        i(u"vbDefaultButton4", 768);
        i(u"vbApplicationModal", 0);
        i(u"vbSystemModal", 4096);
        i(u"vbOK", 1);
        i(u"vbCancel", 2);
        i(u"vbAbort", 3);
        i(u"vbRetry", 4);
        i(u"vbIgnore", 5);
        i(u"vbYes", 6);
        i(u"vbNo", 7);
        i(u"vbTrue", -1);
        i(u"vbFalse", 0);
        i(u"vbUseDefault", -2);
        i(u"vbBinaryCompare", 0);
        i(u"vbTextCompare", 1);
        i(u"vbSunday", 1);
        i(u"vbMonday", 2);
        i(u"vbTuesday", 3);
        i(u"vbWednesday", 4);
        i(u"vbThursday", 5);
        i(u"vbFriday", 6);
        i(u"vbSaturday", 7);
        i(u"vbUseSystemDayOfWeek", 0);
        i(u"vbGeneralDate", 0);
        i(u"vbLongDate", 1);
        i(u"vbShortDate", 2);
        i(u"vbLongTime", 3);
        i(u"vbShortTime", 4);
        l(u"vbObjectError", 0x80040000LL);
        l(u"vbBlack", 0x0);
        l(u"vbRed", 0xFF);
        l(u"vbGreen", 0xFF00);
        l(u"vbYellow", 0xFFFF);
        l(u"vbBlue", 0xFF0000);
        l(u"vbMagenta", 0xFF00FF);
        l(u"vbCyan", 0xFFFF00);
        l(u"vbWhite", 0xFFFFFF);
        return t;
    }();
    auto it = table.find(String(key));
    return it == table.end() ? nullptr : &it->second;
}

}  // namespace quibor15::script
