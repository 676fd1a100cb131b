// The host runtime's Collection: an ordered list of items, 1-based, each
// with an optional key compared without regard to case.
#pragma once

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "quibor15/object.hpp"

namespace quibor15 {

class Collection : public Object {
public:
    static constexpr DispId kDispIdItem = 0;
    static constexpr DispId kDispIdAdd = 1;
    static constexpr DispId kDispIdCount = 2;
    static constexpr DispId kDispIdRemove = 3;

    static Ref<Collection> Create() { return MakeRef<Collection>(); }

    // Adds an item at the end, or before / after the item named by a
    // position or key. The key is optional (Variant::Missing()); a key that
    // is already present raises 457 and leaves the collection unchanged.
    // Giving both before and after raises 5.
    void Add(Variant item, const Variant& key = Variant::Missing(), const Variant& before = Variant::Missing(),
             const Variant& after = Variant::Missing());
    // The item at a 1-based position (9 when there is none) or under a key
    // (5 when there is none).
    Variant Item(const Variant& index) const;
    Long Count() const noexcept { return static_cast<Long>(entries_.size()); }
    // Removes the item at a position or under a key, with Item's errors.
    void Remove(const Variant& index);
    // An enumerator over the items as they are when it is made: changes to
    // the collection afterwards do not disturb a running enumeration.
    Ref<Enumerator> NewEnum() const;

    // C++ conveniences.
    bool HasKey(std::u16string_view key) const;
    void Clear() noexcept {
        entries_.clear();
        keys_.clear();
    }
    std::vector<Variant> Items() const;

    String TypeName() const override { return u"Collection"; }
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;

private:
    struct Entry {
        Variant item;
        std::optional<String> key;
    };

    // 0-based position of the entry an index names; raises Item's errors.
    size_t Locate(const Variant& index) const;
    std::optional<size_t> FindKey(std::u16string_view key) const;

    std::vector<Entry> entries_;
    // The CaseKey of every key, so that adding under a key does not compare
    // it with every entry's.
    std::unordered_set<std::u32string> keys_;
};

}  // namespace quibor15
