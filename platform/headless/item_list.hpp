// The items of a list box or combo box, their ItemData and the selected
// index.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "quibor15/object.hpp"

namespace quibor15::headless {

class ItemList {
public:
    Long Count() const noexcept { return static_cast<Long>(items_.size()); }
    // Inserts at index (0 to Count; appends when absent); raises 5 outside.
    // The selection follows its item.
    void Add(String item, std::optional<Long> index = {});
    // Raises 5 outside 0 to Count - 1; removing the selected item clears
    // the selection.
    void Remove(Long index);
    void Clear() noexcept;

    // An item by index; "" outside the list (below -1 raises 381).
    String Item(Long index) const;
    // Raises 381 outside the list.
    void SetItem(Long index, String text);
    Long ItemData(Long index) const;
    void SetItemData(Long index, Long value);
    // The index of the item added last (-1 when none).
    Long NewIndex() const noexcept { return new_index_; }

    Long Selected() const noexcept { return selected_; }
    // -1 or an index in the list; raises 380 otherwise.
    void Select(Long index);

    // The first item equal to text, ignoring case; -1 when none.
    Long FindExact(std::u16string_view text) const;
    // The first item after `after` (wrapping round) that begins with
    // prefix, ignoring case; -1 when none.
    Long FindPrefix(std::u16string_view prefix, Long after) const;

private:
    struct Entry {
        String text;
        Long data = 0;
    };
    void CheckIndex(Long index, int32_t error) const;

    std::vector<Entry> items_;
    Long selected_ = -1;
    Long new_index_ = -1;
};

}  // namespace quibor15::headless
