// A list box: items, one selected item, and Click when the selection is set.
#pragma once

#include <optional>

#include "platform/headless/control.hpp"
#include "platform/headless/item_list.hpp"

namespace quibor15::headless {

class ListBox final : public ControlOf<ListBox> {
public:
    static constexpr ControlKind kKind = ControlKind::ListBox;
    ListBox(Form& form, String name);
    static const MemberTable<ListBox>& Members();
    void CopyFrom(const Control& other) override;

    void AddItem(String item, std::optional<Long> index = {}) { items_.Add(std::move(item), index); }
    void RemoveItem(Long index) { items_.Remove(index); }
    void Clear() { items_.Clear(); }
    String List(Long index) const { return items_.Item(index); }
    void SetList(Long index, String text) { items_.SetItem(index, std::move(text)); }
    Integer ListCount() const noexcept { return static_cast<Integer>(items_.Count()); }
    Long ItemData(Long index) const { return items_.ItemData(index); }
    void SetItemData(Long index, Long value) { items_.SetItemData(index, value); }
    Long NewIndex() const noexcept { return items_.NewIndex(); }
    // Setting an item raises Click; -1 clears the selection.
    Integer ListIndex() const noexcept { return static_cast<Integer>(items_.Selected()); }
    void SetListIndex(Integer index);
    // The selected item ("" when none). Assigning selects the item equal
    // to the text (ignoring case), or clears the selection when none is.
    String Text() const { return items_.Item(items_.Selected()); }
    void SetText(String text);

    // Up and Down move the selection.
    void DefaultKeyDown(Integer key_code, Integer shift) override;
    // A character selects the next item that begins with it.
    void DefaultKeyPress(Integer key_ascii) override;

private:
    ItemList items_;
};

}  // namespace quibor15::headless
