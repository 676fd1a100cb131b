// The script operators on plain values (objects already read through their
// default member): VBScript's result subtypes, where an Integer or Long sum
// that leaves its range moves up to the next wider type, Null propagation,
// and the comparison rules between numbers, texts and Empty.
#pragma once

#include <optional>

#include "host/script/ast.hpp"
#include "quibor15/convert.hpp"
#include "quibor15/object.hpp"
#include "quibor15/variant.hpp"

namespace quibor15::script {

// Arithmetic: + - * / \ Mod ^ and negation. Texts read as numbers in the
// given format; "+" of two texts joins them. Errors: 13 for a value that is
// not a number, 11 for division by zero, 6 for overflow.
Variant Arithmetic(Op op, const Variant& a, const Variant& b, const NumberFormat& fmt);
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

}  // namespace quibor15::script
