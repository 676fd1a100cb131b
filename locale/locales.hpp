// clsQuiborLocalesA: the catalogue's collection of locale objects, keyed by
// each locale's three-letter language abbreviation (case-insensitive).
#pragma once

#include "quibor15/collection.hpp"
#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborLocalesA : public _clsQuiborLocalesA {
public:
    explicit clsQuiborLocalesA(ContextPtr context);

    void AddObj(Ref<_clsQuiborLocaleA>& nLocale) override;
    Ref<_clsQuiborLocaleA> get_Item(Variant& vntIndexKey) override;
    Long get_Count() override;
    void Remove(Variant& vntIndexKey) override;
    ObjectRef get_NewEnum() override;

private:
    Ref<Collection> collection_;
};

}  // namespace quibor15
