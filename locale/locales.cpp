#include "locale/locales.hpp"

namespace quibor15 {

clsQuiborLocalesA::clsQuiborLocalesA(ContextPtr context)
    : _clsQuiborLocalesA(std::move(context)), collection_(Collection::Create()) {}

void clsQuiborLocalesA::AddObj(Ref<_clsQuiborLocaleA>& nLocale) {
    // A locale that cannot be added (its abbreviation is already a key, or
    // there is no locale) is left out without an error.
    try {
        if (!nLocale) RaiseRuntimeError(rt::kObjectNotSet);
        const String key = nLocale->get_AbbrevLangName();
        collection_->Add(Variant(ObjectRef(nLocale)), Variant(key));
    } catch (const AutomationError&) {
    }
}

Ref<_clsQuiborLocaleA> clsQuiborLocalesA::get_Item(Variant& vntIndexKey) {
    return RefCast<_clsQuiborLocaleA>(collection_->Item(vntIndexKey).ObjectOrThrow());
}

Long clsQuiborLocalesA::get_Count() { return collection_->Count(); }

void clsQuiborLocalesA::Remove(Variant& vntIndexKey) { collection_->Remove(vntIndexKey); }

ObjectRef clsQuiborLocalesA::get_NewEnum() { return ObjectRef(collection_->NewEnum()); }

}  // namespace quibor15
