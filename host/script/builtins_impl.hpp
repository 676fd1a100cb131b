// What the built-in function families (builtins_*.cpp) share: reading
// arguments, and each family's table.
#pragma once

#include <span>

#include "host/script/builtins.hpp"
#include "host/script/interpreter.hpp"
#include "host/script/lexer.hpp"
#include "host/script/text.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::script::builtins {

using Args = std::span<Variant>;

inline const Variant& Arg(Args args, size_t i) { return args[i].Deref(); }
inline bool Given(Args args, size_t i) { return i < args.size() && !Arg(args, i).IsMissing(); }

// An argument read through an object's default member.
inline Variant Value(Interpreter& in, Args args, size_t i) { return in.Plain(Variant(Arg(args, i))); }

// These read a text or number argument in place, copying only objects'
// default values.
inline String TextArg(Interpreter& in, Args args, size_t i) {
    const Variant& v = Arg(args, i);
    if (const String* s = v.As<String>()) return *s;
    return v.IsObject() ? in.Text(Value(in, args, i)) : in.Text(v);
}
inline Long LongArg(Interpreter& in, Args args, size_t i) {
    const Variant& v = Arg(args, i);
    return VariantToLong(v.IsObject() ? Value(in, args, i) : v, in.Format());
}
inline double DoubleArg(Interpreter& in, Args args, size_t i) {
    const Variant& v = Arg(args, i);
    return VariantToDouble(v.IsObject() ? Value(in, args, i) : v, in.Format());
}
inline Long LongOr(Interpreter& in, Args args, size_t i, Long fallback) {
    return Given(args, i) ? LongArg(in, args, i) : fallback;
}
inline bool BoolArg(Interpreter& in, Args args, size_t i) {
    return VariantToBoolean(Value(in, args, i), in.Format()).raw != 0;
}
inline Date DateArg(Interpreter& in, Args args, size_t i) { return VariantToDate(Value(in, args, i), in.Format()); }
inline bool CompareTextArg(Interpreter& in, Args args, size_t i) { return Given(args, i) && LongArg(in, args, i) == 1; }

inline Variant Bool(bool b) { return Variant(Boolean::From(b)); }
inline Variant Str(String s) { return Variant(std::move(s)); }

[[noreturn]] inline void InvalidCall() { RaiseScriptError(rt::kInvalidProcedureCall); }

// max_args of a function that takes any number.
inline constexpr int kMany = 1 << 20;

std::span<const Builtin> ConversionBuiltins();
std::span<const Builtin> TextBuiltins();
std::span<const Builtin> ArrayBuiltins();
std::span<const Builtin> NumberBuiltins();
std::span<const Builtin> DateBuiltins();
std::span<const Builtin> DateMathBuiltins();  // builtins_date_math.cpp
std::span<const Builtin> FormatBuiltins();    // builtins_format.cpp
std::span<const Builtin> MiscBuiltins();      // builtins_misc.cpp

}  // namespace quibor15::script::builtins
