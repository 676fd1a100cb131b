// Conversions (CInt, CStr, ...) and type tests (TypeName, IsNumeric, ...).
#include <cfloat>
#include <cmath>

#include "host/script/builtins_impl.hpp"

namespace quibor15::script::builtins {
namespace {

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

Integer VarTypeCode(const Variant& v) {
    if (const SafeArray* arr = v.Array()) {
        return static_cast<Integer>(static_cast<int>(VarType::Array) | static_cast<int>(arr->ElementType()));
    }
    return static_cast<Integer>(v.Type());
}

Variant VarTypeFn(Interpreter& in, Args a) {
    const Variant& v = Arg(a, 0);
    // An object with a default property gives the type of that property's value.
    if (const ObjectRef* obj = v.As<ObjectRef>(); obj && *obj) {
        try {
            return Variant(VarTypeCode(in.DefaultValue(*obj)));
        } catch (const AutomationError& e) {
            if (e.Number() != rt::kMemberNotSupported) throw;
        }
    }
    return Variant(VarTypeCode(v));
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

const Builtin kTable[] = {
    {u"CBool", 1, 1, CBoolFn},       {u"CByte", 1, 1, CByteFn},         {u"CCur", 1, 1, CCurFn},
    {u"CDate", 1, 1, CDateFn},       {u"CDbl", 1, 1, CDblFn},           {u"CInt", 1, 1, CIntFn},
    {u"CLng", 1, 1, CLngFn},         {u"CSng", 1, 1, CSngFn},           {u"CStr", 1, 1, CStrFn},
    {u"IsArray", 1, 1, IsArrayFn},   {u"IsDate", 1, 1, IsDateFn},       {u"IsEmpty", 1, 1, IsEmptyFn},
    {u"IsNull", 1, 1, IsNullFn},     {u"IsNumeric", 1, 1, IsNumericFn}, {u"IsObject", 1, 1, IsObjectFn},
    {u"TypeName", 1, 1, TypeNameFn}, {u"VarType", 1, 1, VarTypeFn},
};

}  // namespace

std::span<const Builtin> ConversionBuiltins() { return kTable; }

}  // namespace quibor15::script::builtins
