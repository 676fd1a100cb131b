#include "frame/dispatch.hpp"

namespace quibor15 {

void DispatchCall::CheckOptionalParams(size_t from, size_t to) const {
    for (size_t i = from; i < to; ++i) {
        if (!member_.params[i].optional) RaiseRuntimeError(rt::kWrongArgumentCount);
    }
}

Variant* DispatchCall::Arg(size_t i) noexcept {
    Variant* arg = nullptr;
    if (value_ && i + 1 == member_.params.size()) {
        arg = value_;
    } else if (i < index_args_.size()) {
        arg = &index_args_[i];
    }
    if (arg && arg->IsMissing()) return nullptr;
    return arg;
}

Variant* DispatchCall::ArgOrDefault(size_t i) {
    Variant* arg = Arg(i);
    if (!arg && !member_.params[i].optional) RaiseRuntimeError(rt::kArgumentNotOptional);
    return arg;
}

Variant DispatchCall::DefaultOf(size_t i) const {
    const DefaultValue& d = member_.params[i].default_value;
    switch (d.kind) {
        case DefaultKind::None:
            return member_.params[i].type.base == BaseType::Variant ? Variant::Missing() : Variant();
        case DefaultKind::Number:
            // A literal default is an Integer when it fits, as the forms
            // runtime types its constants.
            if (d.number >= -32768 && d.number <= 32767) return Variant(static_cast<Integer>(d.number));
            return Variant(static_cast<Long>(d.number));
        case DefaultKind::Boolean:
            return Variant(Boolean{static_cast<int16_t>(d.number)});
        case DefaultKind::Text:
            return Variant(String(d.text));
    }
    return Variant();
}

const NumberFormat& DispatchCall::Format() {
    if (!format_) format_ = self_.ArgumentNumberFormat();
    return *format_;
}

void RequireArrayArgument(const Variant& v) {
    if (!v.IsArray()) RaiseRuntimeError(rt::kTypeMismatch);
}

void RequireObjectKind(const ComponentObject& self, const ObjectRef& object, ObjectKind kind) {
    if (object && !self.Host().IsObjectOfKind(object, kind)) RaiseRuntimeError(rt::kTypeMismatch);
}

}  // namespace quibor15
