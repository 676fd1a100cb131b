#include "locale/dt_formats.hpp"

namespace quibor15 {

clsQuiborDTFormatsA::clsQuiborDTFormatsA(ContextPtr context)
    : _clsQuiborDTFormatsA(std::move(context)), collection_(Collection::Create()) {}

// Errors of the collection reach the caller unchanged.
Ref<_clsQuiborDTFormatA> clsQuiborDTFormatsA::Add(Ref<_clsQuiborDTFormatA>& NewFormat) {
    collection_->Add(Variant(ObjectRef(NewFormat)));
    return NewFormat;
}

Ref<_clsQuiborDTFormatA> clsQuiborDTFormatsA::get_Item(Variant& vntIndexKey) {
    return RefCast<_clsQuiborDTFormatA>(collection_->Item(vntIndexKey).ObjectOrThrow());
}

Long clsQuiborDTFormatsA::get_Count() { return collection_->Count(); }

void clsQuiborDTFormatsA::Remove(Variant& vntIndexKey) { collection_->Remove(vntIndexKey); }

ObjectRef clsQuiborDTFormatsA::get_NewEnum() { return ObjectRef(collection_->NewEnum()); }

std::vector<Variant> clsQuiborDTFormatsA::Entries() const { return collection_->Items(); }

}  // namespace quibor15
