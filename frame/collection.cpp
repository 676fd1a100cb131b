#include "quibor15/collection.hpp"

#include <cmath>

#include "quibor15/convert.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

// Walks a copy of the items, so that adding to or removing from the
// collection during an enumeration cannot invalidate it.
class SnapshotEnumerator final : public Enumerator {
public:
    explicit SnapshotEnumerator(std::vector<Variant> items) : items_(std::move(items)) {}

    bool Next(Variant& item) override {
        if (position_ >= items_.size()) return false;
        item = items_[position_++];
        return true;
    }
    void Reset() override { position_ = 0; }

private:
    std::vector<Variant> items_;
    size_t position_ = 0;
};

bool Callable(uint16_t flags) { return (flags & (kInvokeMethod | kInvokePropertyGet)) != 0; }

void RequireArgs(std::span<Variant> args, size_t min, size_t max) {
    if (args.size() < min) RaiseRuntimeError(rt::kArgumentNotOptional);
    if (args.size() > max) RaiseRuntimeError(rt::kWrongArgumentCount);
    for (size_t i = 0; i < min; ++i) {
        if (args[i].IsMissing()) RaiseRuntimeError(rt::kArgumentNotOptional);
    }
}

const Variant& ArgOrMissing(std::span<Variant> args, size_t i) {
    static const Variant kMissing = Variant::Missing();
    return i < args.size() ? args[i] : kMissing;
}

}  // namespace

std::optional<size_t> Collection::FindKey(std::u16string_view key) const {
    if (!keys_.contains(CaseKey(key))) return std::nullopt;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].key && EqualsIgnoreCase(*entries_[i].key, key)) return i;
    }
    return std::nullopt;
}

size_t Collection::Locate(const Variant& index) const {
    const Variant& x = index.Deref();
    switch (x.Type()) {
        case VarType::String: {
            std::optional<size_t> at = FindKey(*x.As<String>());
            if (!at) RaiseRuntimeError(rt::kInvalidProcedureCall);
            return *at;
        }
        case VarType::Null:
            RaiseRuntimeError(rt::kInvalidUseOfNull);
        case VarType::Error:
            if (x.IsMissing()) RaiseRuntimeError(rt::kArgumentNotOptional);
            RaiseRuntimeError(rt::kTypeMismatch);
        case VarType::Object:
        case VarType::Array:
            RaiseRuntimeError(rt::kTypeMismatch);
        default:
            break;
    }
    double position = RoundHalfEven(VariantToDouble(x));
    if (!(position >= 1 && position <= static_cast<double>(entries_.size()))) {
        RaiseRuntimeError(rt::kSubscriptOutOfRange);
    }
    return static_cast<size_t>(position) - 1;
}

void Collection::Add(Variant item, const Variant& key, const Variant& before, const Variant& after) {
    // Everything is checked before the collection changes.
    std::optional<String> new_key;
    const Variant& k = key.Deref();
    switch (k.Type()) {
        case VarType::String:
            new_key = *k.As<String>();
            break;
        case VarType::Empty:
            break;
        case VarType::Null:
            RaiseRuntimeError(rt::kInvalidUseOfNull);
        default:
            if (!k.IsMissing()) RaiseRuntimeError(rt::kTypeMismatch);
    }
    std::u32string case_key;
    if (new_key) {
        case_key = CaseKey(*new_key);
        if (keys_.contains(case_key)) RaiseRuntimeError(rt::kDuplicateKey);
    }
    bool has_before = !before.IsMissing();
    bool has_after = !after.IsMissing();
    if (has_before && has_after) RaiseRuntimeError(rt::kInvalidProcedureCall);
    size_t at = entries_.size();
    if (has_before) at = Locate(before);
    if (has_after) at = Locate(after) + 1;
    Variant value = item.IsByRef() ? Variant(item.Deref()) : std::move(item);
    const bool keyed = new_key.has_value();
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), Entry{std::move(value), std::move(new_key)});
    if (keyed) keys_.insert(std::move(case_key));
}

Variant Collection::Item(const Variant& index) const { return entries_[Locate(index)].item; }

void Collection::Remove(const Variant& index) {
    size_t at = Locate(index);
    // The item may be the last reference to an object whose termination
    // reads this collection: take it out first, release it afterwards.
    Entry removed = std::move(entries_[at]);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
    if (removed.key) keys_.erase(CaseKey(*removed.key));
}

Ref<Enumerator> Collection::NewEnum() const { return MakeRef<SnapshotEnumerator>(Items()); }

bool Collection::HasKey(std::u16string_view key) const { return FindKey(key).has_value(); }

std::vector<Variant> Collection::Items() const {
    std::vector<Variant> items;
    items.reserve(entries_.size());
    for (const Entry& e : entries_) items.push_back(e.item);
    return items;
}

DispId Collection::GetIdOfName(std::u16string_view name) {
    if (EqualsIgnoreCase(name, u"Item")) return kDispIdItem;
    if (EqualsIgnoreCase(name, u"Add")) return kDispIdAdd;
    if (EqualsIgnoreCase(name, u"Count")) return kDispIdCount;
    if (EqualsIgnoreCase(name, u"Remove")) return kDispIdRemove;
    if (EqualsIgnoreCase(name, u"_NewEnum") || EqualsIgnoreCase(name, u"NewEnum")) return kDispIdNewEnum;
    return kDispIdUnknown;
}

Variant Collection::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    if (!Callable(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
    switch (id) {
        case kDispIdItem:
            RequireArgs(args, 1, 1);
            return Item(args[0]);
        case kDispIdAdd:
            RequireArgs(args, 1, 4);
            Add(args[0], ArgOrMissing(args, 1), ArgOrMissing(args, 2), ArgOrMissing(args, 3));
            return Variant();
        case kDispIdCount:
            RequireArgs(args, 0, 0);
            return Variant(Count());
        case kDispIdRemove:
            RequireArgs(args, 1, 1);
            Remove(args[0]);
            return Variant();
        case kDispIdNewEnum:
            RequireArgs(args, 0, 0);
            return Variant(NewEnum());
        default:
            RaiseRuntimeError(rt::kMemberNotSupported);
    }
}

}  // namespace quibor15
