// For Each over a snapshot of items (the controls of a form, the elements of
// a control array).
#pragma once

#include <vector>

#include "quibor15/object.hpp"

namespace quibor15::headless {

class ListEnumerator final : public Enumerator {
public:
    explicit ListEnumerator(std::vector<Variant> items) : items_(std::move(items)) {}

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

}  // namespace quibor15::headless
