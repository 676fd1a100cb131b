#include "platform/headless/item_list.hpp"

#include "platform/headless/names.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::headless {

void ItemList::CheckIndex(Long index, int32_t error) const {
    if (index < 0 || index >= Count()) {
        if (error == err::kInvalidPropertyArrayIndex) Fail(error, u"Invalid property array index");
        RaiseRuntimeError(error);
    }
}

void ItemList::Add(String item, std::optional<Long> index) {
    Long at = index.value_or(Count());
    if (at < 0 || at > Count()) RaiseRuntimeError(rt::kInvalidProcedureCall);
    if (Count() >= 32767) RaiseRuntimeError(rt::kInvalidProcedureCall);  // an Integer ListCount
    items_.insert(items_.begin() + at, Entry{std::move(item), 0});
    if (selected_ >= at) ++selected_;
    new_index_ = at;
}

void ItemList::Remove(Long index) {
    CheckIndex(index, rt::kInvalidProcedureCall);
    items_.erase(items_.begin() + index);
    if (selected_ == index) {
        selected_ = -1;
    } else if (selected_ > index) {
        --selected_;
    }
    if (new_index_ >= Count()) new_index_ = -1;
}

void ItemList::Clear() noexcept {
    items_.clear();
    selected_ = -1;
    new_index_ = -1;
}

String ItemList::Item(Long index) const {
    if (index < -1) Fail(err::kInvalidPropertyArrayIndex, u"Invalid property array index");
    if (index == -1 || index >= Count()) return String();
    return items_[static_cast<size_t>(index)].text;
}

void ItemList::SetItem(Long index, String text) {
    CheckIndex(index, err::kInvalidPropertyArrayIndex);
    items_[static_cast<size_t>(index)].text = std::move(text);
}

Long ItemList::ItemData(Long index) const {
    CheckIndex(index, err::kInvalidPropertyArrayIndex);
    return items_[static_cast<size_t>(index)].data;
}

void ItemList::SetItemData(Long index, Long value) {
    CheckIndex(index, err::kInvalidPropertyArrayIndex);
    items_[static_cast<size_t>(index)].data = value;
}

void ItemList::Select(Long index) {
    if (index < -1 || index >= Count()) Fail(err::kInvalidPropertyValue, u"Invalid property value");
    selected_ = index;
}

Long ItemList::FindExact(std::u16string_view text) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (EqualsIgnoreCase(items_[i].text, text)) return static_cast<Long>(i);
    }
    return -1;
}

Long ItemList::FindPrefix(std::u16string_view prefix, Long after) const {
    Long n = Count();
    for (Long step = 1; step <= n; ++step) {
        Long i = ((after < -1 ? -1 : after) + step) % n;
        const String& item = items_[static_cast<size_t>(i)].text;
        if (item.size() >= prefix.size() &&
            EqualsIgnoreCase(std::u16string_view(item).substr(0, prefix.size()), prefix)) {
            return i;
        }
    }
    return -1;
}

}  // namespace quibor15::headless
