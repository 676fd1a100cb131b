// A combo box: a list of items and, for styles 0 and 1, an editable text.
// Style 2 (drop-down list) shows only list items: its Text must name one.
#pragma once

#include <optional>

#include "platform/headless/control.hpp"
#include "platform/headless/item_list.hpp"
#include "platform/headless/text_edit.hpp"

namespace quibor15::headless {

class ComboBox final : public ControlOf<ComboBox> {
public:
    static constexpr ControlKind kKind = ControlKind::ComboBox;
    // The height of a drop-down combo box, which follows its font rather
    // than assignments (twips).
    static constexpr double kDropDownHeight = 315;

    ComboBox(Form& form, String name);
    static const MemberTable<ComboBox>& Members();
    void CopyFrom(const Control& other) override;

    // 0 drop-down combo, 1 simple combo, 2 drop-down list.
    Integer Style() const noexcept { return style_; }
    void SetStyle(Integer style);

    // The list.
    void AddItem(String item, std::optional<Long> index = {}) { items_.Add(std::move(item), index); }
    void RemoveItem(Long index);
    void Clear();
    String List(Long index) const { return items_.Item(index); }
    void SetList(Long index, String text) { items_.SetItem(index, std::move(text)); }
    Integer ListCount() const noexcept { return static_cast<Integer>(items_.Count()); }
    Long ItemData(Long index) const { return items_.ItemData(index); }
    void SetItemData(Long index, Long value) { items_.SetItemData(index, value); }
    Long NewIndex() const noexcept { return items_.NewIndex(); }
    // Selecting an item puts it into the text (all of it selected) and
    // raises Click; -1 clears the selection and the text.
    Integer ListIndex() const noexcept { return static_cast<Integer>(items_.Selected()); }
    void SetListIndex(Integer index);

    // The text. Styles 0 and 1: any text (raises Change; the list index
    // follows an item equal to it, ignoring case). Style 2: must equal an
    // item, which is selected; anything else raises 383.
    String Text() const { return edit_.Text(); }
    void SetText(String text);
    Long SelStart() const noexcept { return edit_.SelStart(); }
    void SetSelStart(Long start) { edit_.SetSelStart(start); }
    Long SelLength() const noexcept { return edit_.SelLength(); }
    void SetSelLength(Long length) { edit_.SetSelLength(length); }
    String SelText() const { return edit_.SelText(); }
    void SetSelText(String text);
    bool Locked() const noexcept { return locked_; }
    void SetLocked(bool on) { locked_ = on; }

    // Up and Down move the selection; Delete and the caret keys edit.
    void DefaultKeyDown(Integer key_code, Integer shift) override;
    // Styles 0 and 1: the character replaces the selection in the text.
    // Style 2: selects the next item that begins with the character.
    void DefaultKeyPress(Integer key_ascii) override;

protected:
    double AdjustHeight(double height) const override { return style_ == 1 ? height : kDropDownHeight; }

private:
    void TextEdited();

    Integer style_ = 0;
    ItemList items_;
    TextEdit edit_;
    bool locked_ = false;
};

}  // namespace quibor15::headless
