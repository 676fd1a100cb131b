// The script operators on plain values (objects already read through their
// default member): VBScript's result subtypes, where an Integer or Long sum
// that leaves its range moves up to the next wider type, Null propagation,
// and the comparison rules between numbers, texts and Empty.
#pragma once

#include <limits>
#include <optional>

#include "host/script/ast.hpp"
#include "quibor15/convert.hpp"
#include "quibor15/object.hpp"
#include "quibor15/variant.hpp"

namespace quibor15::script {

// Arithmetic: + - * / \ Mod ^ and negation. Texts read as numbers in the
// given format; "+" of two texts joins them. Errors: 13 for a value that is
// not a number, 11 for division by zero, 6 for overflow.
inline Variant Arithmetic(Op op, const Variant& a, const Variant& b, const NumberFormat& fmt);
Variant Negate(const Variant& a, const NumberFormat& fmt);

// Which operands the script wrote as literals: a number and a text compare
// as numbers when the text is a literal, as texts when the number is one,
// and otherwise the number is the lesser.
struct Literals {
    bool a = false;
    bool b = false;
};

// -1, 0 or 1; nullopt when either side is Null.
std::optional<int> Compare(const Variant& a, const Variant& b, const NumberFormat& fmt, Literals literals = {});
// = <> < > <= >= as a Boolean, or Null.
Variant Comparison(Op op, const Variant& a, const Variant& b, const NumberFormat& fmt, Literals literals = {});

// And Or Xor Eqv Imp: Boolean on Booleans, bitwise on numbers, with the
// three-valued rules for Null.
Variant Logical(Op op, const Variant& a, const Variant& b, const NumberFormat& fmt);
Variant LogicalNot(const Variant& a, const NumberFormat& fmt);

// A value as an If or loop condition: Null counts as False.
bool Truth(const Variant& v, const NumberFormat& fmt);

namespace detail {

Variant ArithmeticRules(Op op, const Variant& a, const Variant& b, const NumberFormat& fmt);

// An Integer's or a Long's value; false for any other type.
inline bool SmallWhole(const Variant& v, int64_t& value, bool& is_long) {
    if (const Long* l = std::get_if<Long>(&v.Raw())) {
        value = *l;
        is_long = true;
        return true;
    }
    if (const Integer* i = std::get_if<Integer>(&v.Raw())) {
        value = *i;
        is_long = false;
        return true;
    }
    return false;
}

}  // namespace detail

// + - * \ Mod of Integers and Longs, the values loops count with, are worked
// out here (inline: most of a script's arithmetic is this); an Integer result
// that leaves its range is a Long, a Long one a Double, as the general rules say.
inline Variant Arithmetic(Op op, const Variant& av, const Variant& bv, const NumberFormat& fmt) {
    const Variant& a = av.Deref();
    const Variant& b = bv.Deref();
    int64_t x = 0, y = 0, r = 0;
    bool x_long = false, y_long = false;
    if (detail::SmallWhole(a, x, x_long) && detail::SmallWhole(b, y, y_long)) {
        bool done = true;
        switch (op) {
            case Op::Add:
                r = x + y;
                break;
            case Op::Sub:
                r = x - y;
                break;
            case Op::Mul:
                r = x * y;
                break;
            case Op::IntDiv:
                done = y != 0;
                if (done) r = x / y;
                break;
            case Op::Mod:
                done = y != 0;
                if (done) r = x % y;
                break;
            default:
                done = false;
        }
        if (done) {
            if (!x_long && !y_long && r >= std::numeric_limits<Integer>::min() &&
                r <= std::numeric_limits<Integer>::max()) {
                return Variant(static_cast<Integer>(r));
            }
            if (r >= std::numeric_limits<Long>::min() && r <= std::numeric_limits<Long>::max()) {
                return Variant(static_cast<Long>(r));
            }
            return Variant(static_cast<Double>(r));
        }
    }
    return detail::ArithmeticRules(op, a, b, fmt);
}

}  // namespace quibor15::script
