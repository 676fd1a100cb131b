// Late-bound calls chosen by the input: a member of an interface of the
// type library, with arguments of its parameters' types (optional ones
// sometimes left out), through the object's own dispatch. Errors the
// member raises are its documented answer to bad input and end the call.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "fuzz_input.hpp"
#include "quibor15/library.hpp"
#include "quibor15/object.hpp"

namespace quibor15::fuzzing {

// An argument the caller makes for parameters of object type.
using ObjectMaker = std::function<Variant(FuzzedDataProvider&)>;

inline Variant ValueOf(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 6)) {
        case 0:
            return Variant();
        case 1:
            return Variant::Null();
        case 2:
            return Variant(in.ConsumeIntegral<Long>());
        case 3:
            return Variant(in.ConsumeFloatingPoint<double>());
        case 4:
            return Variant(Boolean::From(in.ConsumeBool()));
        case 5:
            return Variant(static_cast<Integer>(in.ConsumeIntegral<int16_t>()));
        default:
            return Variant(TextOf(in, 32));
    }
}

inline Variant ArgumentOf(const ParamDesc& param, FuzzedDataProvider& in, const ObjectMaker& objects) {
    switch (param.type.base) {
        case BaseType::String:
            return Variant(TextOf(in, 64));
        case BaseType::Integer:
            return Variant(static_cast<Integer>(in.ConsumeIntegral<int16_t>()));
        case BaseType::Long:
        case BaseType::Enum:
            return Variant(in.ConsumeIntegral<Long>());
        case BaseType::Single:
            return Variant(static_cast<Single>(in.ConsumeFloatingPoint<float>()));
        case BaseType::Double:
            return Variant(in.ConsumeFloatingPoint<double>());
        case BaseType::Boolean:
            return Variant(Boolean::From(in.ConsumeBool()));
        case BaseType::Date:
            return Variant(Date{in.ConsumeFloatingPointInRange<double>(-657434.0, 2958465.99)});
        case BaseType::Currency:
            return Variant(in.ConsumeFloatingPoint<double>());
        case BaseType::Object:
        case BaseType::Collection:
        case BaseType::Font:
        case BaseType::Picture:
        case BaseType::Class:
            return objects ? objects(in) : Variant::Nothing();
        default:
            return in.ConsumeBool() && objects ? objects(in) : ValueOf(in);
    }
}

// One call of a member of `iface` on `object`; members named in `skip`
// (those that wait on the clock or write files) are not called.
inline void CallSomeMember(Object& object, const InterfaceDesc& iface, FuzzedDataProvider& in,
                           const std::vector<std::u16string_view>& skip = {}, const ObjectMaker& objects = {}) {
    if (iface.members.empty()) return;
    const MemberDesc& member = iface.members[in.ConsumeIntegralInRange<size_t>(0, iface.members.size() - 1)];
    for (std::u16string_view name : skip) {
        if (NamesEqual(name, member.name)) return;
    }
    size_t count = member.params.size();
    // Trailing optional parameters may be left out (a let keeps its value).
    const bool assigns = member.kind == MemberKind::Let || member.kind == MemberKind::Set;
    while (!assigns && count > 0 && member.params[count - 1].optional && in.ConsumeBool()) --count;
    std::vector<Variant> args;
    for (size_t i = 0; i < count; ++i) args.push_back(ArgumentOf(member.params[i], in, objects));
    const uint16_t flags = member.kind == MemberKind::Method ? kInvokeMethod
                           : member.kind == MemberKind::Get  ? kInvokePropertyGet
                           : member.kind == MemberKind::Let  ? kInvokePropertyPut
                                                             : kInvokePropertyPutRef;
    try {
        object.Invoke(member.dispid, flags, args);
    } catch (const AutomationError&) {
    }
}

inline const InterfaceDesc& InterfaceOf(std::u16string_view class_name) {
    return *Library::Types().FindClass(class_name)->default_interface;
}

}  // namespace quibor15::fuzzing
