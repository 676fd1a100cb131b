// clsQuiborDTFormatsA: an ordered list of pictures (clsQuiborDTFormatA),
// added without keys.
#pragma once

#include <vector>

#include "quibor15/collection.hpp"
#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborDTFormatsA : public _clsQuiborDTFormatsA {
public:
    explicit clsQuiborDTFormatsA(ContextPtr context);

    Ref<_clsQuiborDTFormatA> Add(Ref<_clsQuiborDTFormatA>& NewFormat) override;
    Ref<_clsQuiborDTFormatA> get_Item(Variant& vntIndexKey) override;
    Long get_Count() override;
    void Remove(Variant& vntIndexKey) override;
    ObjectRef get_NewEnum() override;

    // The entries in list order, as the collection holds them now.
    std::vector<Variant> Entries() const;

private:
    Ref<Collection> collection_;
};

}  // namespace quibor15
