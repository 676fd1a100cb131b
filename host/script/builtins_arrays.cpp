// Array functions: Array, UBound, Join, Split, ...

#include "host/script/builtins_impl.hpp"

namespace quibor15::script::builtins {
namespace {

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
        CheckTextLength(out.size());
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

const Builtin kTable[] = {
    {u"Array", 0, kMany, ArrayFn}, {u"Join", 1, 2, JoinFn},     {u"LBound", 1, 2, LBoundFn},
    {u"Split", 1, 4, SplitFn},     {u"UBound", 1, 2, UBoundFn},
};

}  // namespace

std::span<const Builtin> ArrayBuiltins() { return kTable; }

}  // namespace quibor15::script::builtins
