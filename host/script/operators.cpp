#include "host/script/operators.hpp"

#include <cfloat>
#include <cmath>
#include <limits>

#include "host/script/script_error.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::script {
namespace {

// The numeric subtypes in widening order for integers.
enum class Kind { Byte, Integer, Long, Single, Double, Currency, Date };

struct Num {
    Kind kind = Kind::Integer;
    int64_t i = 0;    // Byte, Integer, Long
    double d = 0;     // Single, Double, Date
    int64_t cur = 0;  // Currency, scaled by 10000

    double AsDouble() const {
        switch (kind) {
            case Kind::Byte:
            case Kind::Integer:
            case Kind::Long:
                return static_cast<double>(i);
            case Kind::Currency:
                return static_cast<double>(cur) / 10000.0;
            default:
                return d;
        }
    }
    long double AsLongDouble() const {
        if (kind == Kind::Currency) return static_cast<long double>(cur) / 10000.0L;
        if (kind == Kind::Byte || kind == Kind::Integer || kind == Kind::Long) return static_cast<long double>(i);
        return d;
    }
    bool IsIntegral() const { return kind == Kind::Byte || kind == Kind::Integer || kind == Kind::Long; }
};

[[noreturn]] void TypeMismatch() { RaiseScriptError(rt::kTypeMismatch); }
[[noreturn]] void Overflow() { RaiseScriptError(rt::kOverflow); }

Num ToNum(const Variant& v, const NumberFormat& fmt) {
    Num n;
    const Variant& x = v.Deref();
    switch (x.Type()) {
        case VarType::Empty:
            n.kind = Kind::Integer;
            return n;
        case VarType::Boolean:
            n.kind = Kind::Integer;
            n.i = x.As<Boolean>()->raw;
            return n;
        case VarType::Byte:
            n.kind = Kind::Byte;
            n.i = *x.As<Byte>();
            return n;
        case VarType::Integer:
            n.kind = Kind::Integer;
            n.i = *x.As<Integer>();
            return n;
        case VarType::Long:
            n.kind = Kind::Long;
            n.i = *x.As<Long>();
            return n;
        case VarType::Single:
            n.kind = Kind::Single;
            n.d = *x.As<Single>();
            return n;
        case VarType::Double:
            n.kind = Kind::Double;
            n.d = *x.As<Double>();
            return n;
        case VarType::Currency:
            n.kind = Kind::Currency;
            n.cur = x.As<Currency>()->scaled;
            return n;
        case VarType::Date:
            n.kind = Kind::Date;
            n.d = x.As<Date>()->serial;
            return n;
        case VarType::String: {
            double d = 0;
            if (!ParseNumber(*x.As<String>(), fmt, d)) TypeMismatch();
            n.kind = Kind::Double;
            n.d = d;
            return n;
        }
        default:
            TypeMismatch();
    }
}

Variant FromIntegral(int64_t r, Kind kind) {
    if (kind == Kind::Byte && r >= 0 && r <= 255) return Variant(static_cast<Byte>(r));
    if ((kind == Kind::Byte || kind == Kind::Integer) && r >= -32768 && r <= 32767) {
        return Variant(static_cast<Integer>(r));
    }
    if (r >= std::numeric_limits<Long>::min() && r <= std::numeric_limits<Long>::max()) {
        return Variant(static_cast<Long>(r));
    }
    return Variant(static_cast<Double>(r));
}

Variant CheckedDouble(double r) {
    if (!std::isfinite(r)) Overflow();
    return Variant(r);
}

Variant CurrencyFromScaled(__int128 scaled) {
    if (scaled > std::numeric_limits<int64_t>::max() || scaled < std::numeric_limits<int64_t>::min()) Overflow();
    return Variant(Currency{static_cast<int64_t>(scaled)});
}

__int128 ScaledOf(const Num& n) {
    if (n.kind == Kind::Currency) return n.cur;
    return static_cast<__int128>(n.i) * 10000;
}

// Divides and rounds half to even (currency products).
__int128 DivideRoundEven(__int128 value, __int128 divisor) {
    __int128 q = value / divisor;
    __int128 r = value % divisor;
    __int128 twice = (r < 0 ? -r : r) * 2;
    if (twice > divisor || (twice == divisor && (q % 2) != 0)) q += value < 0 ? -1 : 1;
    return q;
}

Kind IntegerKindOf(const Variant& v) {
    switch (v.Deref().Type()) {
        case VarType::Byte:
            return Kind::Byte;
        case VarType::Integer:
        case VarType::Boolean:
        case VarType::Empty:
            return Kind::Integer;
        default:
            return Kind::Long;
    }
}

// An operand of \, Mod and the bitwise operators as a whole number.
int64_t WholeOperand(const Variant& v, const NumberFormat& fmt) {
    Num n = ToNum(v, fmt);
    if (n.IsIntegral()) return n.i;
    double r = RoundHalfEven(n.AsDouble());
    if (!(r >= std::numeric_limits<Long>::min() && r <= std::numeric_limits<Long>::max())) Overflow();
    return static_cast<int64_t>(r);
}

Variant AddSubMul(Op op, const Num& x, const Num& y) {
    const bool date = x.kind == Kind::Date || y.kind == Kind::Date;
    const bool floating =
        x.kind == Kind::Double || y.kind == Kind::Double || x.kind == Kind::Single || y.kind == Kind::Single;
    const bool currency = x.kind == Kind::Currency || y.kind == Kind::Currency;
    if (date) {
        const double r = op == Op::Add   ? x.AsDouble() + y.AsDouble()
                         : op == Op::Sub ? x.AsDouble() - y.AsDouble()
                                         : x.AsDouble() * y.AsDouble();
        if (!std::isfinite(r)) Overflow();
        if (op == Op::Mul || (op == Op::Sub && x.kind == Kind::Date && y.kind == Kind::Date)) return Variant(r);
        return Variant(Date{r});
    }
    if (currency && !floating) {
        const __int128 a = ScaledOf(x), b = ScaledOf(y);
        if (op == Op::Add) return CurrencyFromScaled(a + b);
        if (op == Op::Sub) return CurrencyFromScaled(a - b);
        return CurrencyFromScaled(DivideRoundEven(a * b, 10000));
    }
    if (currency) {
        // Currency with a Single or Double stays Currency: sums exactly, with
        // the other operand as an amount; products rounded once.
        auto scaled_of = [](const Num& n) -> __int128 {
            return n.kind == Kind::Currency ? n.cur : CurrencyFromDouble(n.AsDouble()).scaled;
        };
        if (op == Op::Add) return CurrencyFromScaled(scaled_of(x) + scaled_of(y));
        if (op == Op::Sub) return CurrencyFromScaled(scaled_of(x) - scaled_of(y));
        const long double scaled = x.AsLongDouble() * y.AsLongDouble() * 10000.0L;
        if (!(scaled > -9223372036854775808.0L && scaled < 9223372036854775808.0L)) Overflow();
        return Variant(Currency{static_cast<int64_t>(std::nearbyint(scaled))});
    }
    if (floating) {
        const double a = x.AsDouble(), b = y.AsDouble();
        const double r = op == Op::Add ? a + b : op == Op::Sub ? a - b : a * b;
        // Single stays Single with Byte or Integer; with Long, Currency or
        // Double the result is Double.
        const bool single = (x.kind == Kind::Single || y.kind == Kind::Single) && x.kind != Kind::Double &&
                            y.kind != Kind::Double && x.kind != Kind::Long && y.kind != Kind::Long;
        if (single && std::isfinite(r) && std::fabs(r) <= FLT_MAX) return Variant(static_cast<Single>(r));
        return CheckedDouble(r);
    }
    const Kind kind = x.kind > y.kind ? x.kind : y.kind;
    const int64_t r = op == Op::Add ? x.i + y.i : op == Op::Sub ? x.i - y.i : x.i * y.i;
    return FromIntegral(r, kind);
}

}  // namespace

namespace {

// Both Integer or Long: the values loops count with, which need no
// conversion; kind is the wider of the two.
bool SmallWholes(const Variant& a, const Variant& b, int64_t& x, int64_t& y, Kind& kind) {
    // a and b are plain values already: their storage is read directly.
    auto whole = [](const Variant& v, int64_t& value, Kind& k) {
        if (const Long* l = std::get_if<Long>(&v.Raw())) {
            value = *l;
            k = Kind::Long;
            return true;
        }
        if (const Integer* i = std::get_if<Integer>(&v.Raw())) {
            value = *i;
            k = Kind::Integer;
            return true;
        }
        return false;
    };
    Kind ka{}, kb{};
    if (!whole(a, x, ka) || !whole(b, y, kb)) return false;
    kind = ka > kb ? ka : kb;
    return true;
}

}  // namespace

Variant detail::ArithmeticRules(Op op, const Variant& av, const Variant& bv, const NumberFormat& fmt) {
    const Variant& a = av.Deref();
    const Variant& b = bv.Deref();
    if (a.IsNull() || b.IsNull()) return Variant::Null();
    switch (op) {
        case Op::Add:
            if (a.IsString() && (b.IsString() || b.IsEmpty()))
                return Variant(*a.As<String>() + (b.IsString() ? *b.As<String>() : String()));
            if (a.IsEmpty() && b.IsString()) return Variant(*b.As<String>());
            [[fallthrough]];
        case Op::Sub:
        case Op::Mul:
            return AddSubMul(op, ToNum(a, fmt), ToNum(b, fmt));
        case Op::Div: {
            const Num nx = ToNum(a, fmt);
            const Num ny = ToNum(b, fmt);
            const double x = nx.AsDouble();
            const double y = ny.AsDouble();
            if (y == 0) RaiseScriptError(x == 0 ? rt::kOverflow : rt::kDivisionByZero);
            // A Single divided by a Single or a small integer stays Single.
            auto narrow = [](Kind k) { return k == Kind::Single || k == Kind::Integer || k == Kind::Byte; };
            const bool single =
                (nx.kind == Kind::Single || ny.kind == Kind::Single) && narrow(nx.kind) && narrow(ny.kind);
            const double r = x / y;
            if (single && std::isfinite(r) && std::fabs(r) <= FLT_MAX) return Variant(static_cast<Single>(r));
            return CheckedDouble(r);
        }
        case Op::IntDiv:
        case Op::Mod: {
            const int64_t x = WholeOperand(a, fmt);
            const int64_t y = WholeOperand(b, fmt);
            if (y == 0) RaiseScriptError(rt::kDivisionByZero);
            Kind kind = IntegerKindOf(a);
            const Kind kb = IntegerKindOf(b);
            if (kb > kind) kind = kb;
            return FromIntegral(op == Op::IntDiv ? x / y : x % y, kind);
        }
        case Op::Pow: {
            const double x = ToNum(a, fmt).AsDouble();
            const double y = ToNum(b, fmt).AsDouble();
            const double r = std::pow(x, y);
            if (std::isnan(r)) RaiseScriptError(rt::kInvalidProcedureCall);
            if (!std::isfinite(r)) RaiseScriptError(x == 0 ? rt::kDivisionByZero : rt::kOverflow);
            return Variant(r);
        }
        default:
            RaiseScriptError(se::kInternalError);
    }
}

Variant Negate(const Variant& av, const NumberFormat& fmt) {
    const Variant& a = av.Deref();
    if (a.IsNull()) return Variant::Null();
    const Num n = ToNum(a, fmt);
    switch (n.kind) {
        case Kind::Byte:
        case Kind::Integer:
            return FromIntegral(-n.i, Kind::Integer);
        case Kind::Long:
            return FromIntegral(-n.i, Kind::Long);
        case Kind::Single:
            return Variant(static_cast<Single>(-n.d));
        case Kind::Double:
            return Variant(-n.d);
        case Kind::Currency:
            return CurrencyFromScaled(-static_cast<__int128>(n.cur));
        case Kind::Date:
            return Variant(Date{-n.d});
    }
    return Variant();
}

std::optional<int> Compare(const Variant& av, const Variant& bv, const NumberFormat& fmt, Literals literals) {
    const Variant& a = av.Deref();
    const Variant& b = bv.Deref();
    auto three_way = [](auto x, auto y) { return x < y ? -1 : (x > y ? 1 : 0); };
    int64_t wa = 0, wb = 0;
    Kind wider{};
    if (SmallWholes(a, b, wa, wb, wider)) return three_way(wa, wb);
    if (a.IsNull() || b.IsNull()) return std::nullopt;
    const bool a_text = a.IsString(), b_text = b.IsString();
    if (a_text || b_text) {
        if (a_text && b_text) {
            const int c = a.As<String>()->compare(*b.As<String>());
            return c < 0 ? -1 : (c > 0 ? 1 : 0);
        }
        const Variant& other = a_text ? b : a;
        const String& text = *(a_text ? a : b).As<String>();
        if (other.IsEmpty()) {
            const int c = a_text ? (text.empty() ? 0 : 1) : (text.empty() ? 0 : -1);
            return c;
        }
        const bool text_literal = a_text ? literals.a : literals.b;
        const bool number_literal = a_text ? literals.b : literals.a;
        if (number_literal && !text_literal) {
            // The literal number takes the text's type.
            const int c = VariantToString(other, fmt).compare(text);
            const int sign = c < 0 ? -1 : (c > 0 ? 1 : 0);
            return a_text ? -sign : sign;
        }
        // A literal text takes the number's type when it reads as one; a
        // number held in a variable is less than any text.
        double parsed = 0;
        if (text_literal && ParseNumber(text, fmt, parsed)) {
            const Num n = ToNum(other, fmt);
            const int c = three_way(n.AsLongDouble(), static_cast<long double>(parsed));
            return a_text ? -c : c;
        }
        return a_text ? 1 : -1;
    }
    const Num x = ToNum(a, fmt);
    const Num y = ToNum(b, fmt);
    if (x.IsIntegral() && y.IsIntegral()) return three_way(x.i, y.i);
    return three_way(x.AsLongDouble(), y.AsLongDouble());
}

Variant Comparison(Op op, const Variant& a, const Variant& b, const NumberFormat& fmt, Literals literals) {
    const std::optional<int> c = Compare(a, b, fmt, literals);
    if (!c) return Variant::Null();
    bool r = false;
    switch (op) {
        case Op::Eq:
            r = *c == 0;
            break;
        case Op::Ne:
            r = *c != 0;
            break;
        case Op::Lt:
            r = *c < 0;
            break;
        case Op::Gt:
            r = *c > 0;
            break;
        case Op::Le:
            r = *c <= 0;
            break;
        case Op::Ge:
            r = *c >= 0;
            break;
        default:
            RaiseScriptError(se::kInternalError);
    }
    return Variant(Boolean::From(r));
}

namespace {

int64_t Bitwise(Op op, int64_t x, int64_t y) {
    switch (op) {
        case Op::And:
            return x & y;
        case Op::Or:
            return x | y;
        case Op::Xor:
            return x ^ y;
        case Op::Eqv:
            return ~(x ^ y);
        case Op::Imp:
            return ~x | y;
        default:
            return 0;
    }
}

Variant WithKind(int64_t r, Kind kind) {
    if (kind == Kind::Byte) return Variant(static_cast<Byte>(r & 0xFF));
    if (kind == Kind::Integer) return Variant(static_cast<Integer>(r));
    return Variant(static_cast<Long>(r));
}

}  // namespace

Variant Logical(Op op, const Variant& av, const Variant& bv, const NumberFormat& fmt) {
    const Variant& a = av.Deref();
    const Variant& b = bv.Deref();
    if (a.IsNull() || b.IsNull()) {
        if (a.IsNull() && b.IsNull()) return Variant::Null();
        const bool a_null = a.IsNull();
        const Variant& other = a_null ? b : a;
        const int64_t value = WholeOperand(other, fmt);
        const bool other_bool = other.Type() == VarType::Boolean;
        switch (op) {
            case Op::And:  // Null And False is False
                if (value == 0) return other_bool ? Variant(kFalse) : WithKind(0, IntegerKindOf(other));
                return Variant::Null();
            case Op::Or:  // Null Or True is True
                if (other_bool && value != 0) return Variant(kTrue);
                return Variant::Null();
            case Op::Imp:  // Null Imp True is True; False Imp Null is True
                if (a_null && other_bool && value != 0) return Variant(kTrue);
                if (!a_null && other_bool && value == 0) return Variant(kTrue);
                return Variant::Null();
            default:
                return Variant::Null();
        }
    }
    if (a.Type() == VarType::Boolean && b.Type() == VarType::Boolean) {
        const int64_t r = Bitwise(op, a.As<Boolean>()->raw, b.As<Boolean>()->raw);
        return Variant(Boolean{static_cast<int16_t>(r)});
    }
    const int64_t x = WholeOperand(a, fmt);
    const int64_t y = WholeOperand(b, fmt);
    Kind kind = IntegerKindOf(a);
    const Kind kb = IntegerKindOf(b);
    if (kb > kind) kind = kb;
    if (kind == Kind::Byte && !(a.Type() == VarType::Byte && b.Type() == VarType::Byte)) kind = Kind::Integer;
    return WithKind(Bitwise(op, x, y), kind);
}

Variant LogicalNot(const Variant& av, const NumberFormat& fmt) {
    const Variant& a = av.Deref();
    if (a.IsNull()) return Variant::Null();
    if (const Boolean* b = a.As<Boolean>()) return Variant(Boolean{static_cast<int16_t>(~b->raw)});
    return WithKind(~WholeOperand(a, fmt), IntegerKindOf(a));
}

bool Truth(const Variant& v, const NumberFormat& fmt) {
    const Variant& x = v.Deref();
    if (x.IsNull() || x.IsEmpty()) return false;
    if (const Boolean* b = x.As<Boolean>()) return b->raw != 0;
    return VariantToBoolean(x, fmt).raw != 0;
}

}  // namespace quibor15::script
