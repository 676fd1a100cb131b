#include "quibor15/component.hpp"

#include <algorithm>

#include "frame/dispatch.hpp"

namespace quibor15 {

namespace {

constexpr char16_t FoldAscii(char16_t c) noexcept { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

// Orders a folded table name and a caller's name as the name tables are
// sorted, folding the latter: by length first, so most steps of a search
// compare no text at all, then by code unit.
int CompareFolded(std::u16string_view folded, std::u16string_view name) noexcept {
    if (folded.size() != name.size()) return folded.size() < name.size() ? -1 : 1;
    for (size_t i = 0; i < folded.size(); ++i) {
        char16_t a = folded[i];
        char16_t b = FoldAscii(name[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    return 0;
}

bool ReturnsObject(const MemberDesc& m) noexcept {
    switch (m.result.base) {
        case BaseType::Object:
        case BaseType::Collection:
        case BaseType::Font:
        case BaseType::Picture:
        case BaseType::Class:
            return true;
        default:
            return false;
    }
}

}  // namespace

const DispatchSlot* ClassBinding::FindSlot(DispId id) const noexcept {
    auto it = std::lower_bound(by_id.begin(), by_id.end(), id,
                               [](const DispatchSlot& s, DispId wanted) { return s.id < wanted; });
    return it != by_id.end() && it->id == id ? &*it : nullptr;
}

DispId ClassBinding::FindName(std::u16string_view name) const noexcept {
    // A search that stops at the name it finds: comparing a name letter by
    // letter is most of a lookup's cost, so it is done once.
    size_t low = 0;
    size_t high = by_name.size();
    while (low < high) {
        const size_t mid = low + (high - low) / 2;
        const int order = CompareFolded(by_name[mid].folded_name, name);
        if (order == 0) return by_name[mid].id;
        if (order < 0) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    return kDispIdUnknown;
}

ComponentObject::ComponentObject(ContextPtr context, const ClassBinding& binding) noexcept
    : context_(std::move(context)),
      binding_(binding),
      members_(binding.Class().default_interface ? binding.Class().default_interface->members.data() : nullptr) {}

String ComponentObject::TypeName() const { return String(Class().name); }

DispId ComponentObject::GetIdOfName(std::u16string_view name) { return binding_.FindName(name); }

NumberFormat ComponentObject::ArgumentNumberFormat() const {
    return context_ ? context_->SystemNumberFormat() : NumberFormat{};
}

Variant ComponentObject::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    const DispatchSlot* slot = binding_.FindSlot(id);
    if (!slot) RaiseRuntimeError(rt::kMemberNotSupported);

    int index = -1;
    bool assigning = (flags & (kInvokePropertyPut | kInvokePropertyPutRef)) != 0;
    if (assigning) {
        bool value_is_object = !args.empty() && args.back().IsObject();
        bool by_reference = (flags & kInvokePropertyPutRef) && (value_is_object || !(flags & kInvokePropertyPut));
        if (by_reference) {
            // Set; a property that only has a let takes the value as a let.
            index = slot->set >= 0 ? slot->set : slot->let;
        } else {
            // Let; a property that only has a set accepts an object this way,
            // as the forms runtime does.
            index = slot->let >= 0 ? slot->let : (value_is_object ? slot->set : -1);
        }
    } else {
        // Method | PropertyGet (a script's o.P and o.P(1)): the DISPID names
        // either a property or a method, never both.
        index = slot->get >= 0 ? slot->get : slot->method;
    }
    if (index < 0) RaiseRuntimeError(rt::kMemberNotSupported);

    const MemberDesc& member = members_[index];
    if (!assigning && !args.empty() && member.params.empty() && ReturnsObject(member)) {
        // o.Locales("ENU"): the arguments belong to the default member of
        // the object the member returns.
        std::span<Variant> none;
        DispatchCall call(*this, member, none, false);
        Variant result = binding_.thunks[index](*this, call);
        return LateDefault(result.ObjectOrThrow(), args);
    }
    DispatchCall call(*this, member, args, assigning);
    return binding_.thunks[index](*this, call);
}

}  // namespace quibor15
