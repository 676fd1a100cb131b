#include "platform/headless/controls_collection.hpp"

#include "platform/headless/form.hpp"
#include "platform/headless/list_enumerator.hpp"

namespace quibor15::headless {

namespace {

const MemberTable<ControlsCollection>& Members() {
    using M = MemberDef<ControlsCollection>;
    static const MemberTable<ControlsCollection> table{{
        Get<ControlsCollection, &ControlsCollection::Count>(u"Count"),
        M::Method(
            u"Item", [](ControlsCollection& c, Args& a) -> Variant { return Variant(c.Item(a.At(0))); }, 1, 1,
            kDefault),
        M::Method(
            u"Add",
            [](ControlsCollection& c, Args& a) -> Variant {
                return Variant(c.Add(a.Str(0), a.Str(1), a.Has(2) ? a.Obj(2) : ObjectRef()));
            },
            2, 3),
        M::Method(
            u"Remove",
            [](ControlsCollection& c, Args& a) -> Variant {
                c.Remove(a.At(0));
                return Variant();
            },
            1, 1),
        M::Method(
            u"_NewEnum",
            [](ControlsCollection& c, Args&) -> Variant {
                std::vector<Variant> items;
                for (Long i = 0; i < c.Count(); ++i) items.emplace_back(c.Item(Variant(i)));
                return Variant(MakeRef<ListEnumerator>(std::move(items)));
            },
            0, 0, kEnumerator),
    }};
    return table;
}

}  // namespace

DispId ControlsCollection::GetIdOfName(std::u16string_view name) { return Members().IdOf(name); }

Variant ControlsCollection::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    return Members().Invoke(*this, id, flags, args);
}

Form& ControlsCollection::Owner() const {
    if (!form_) RaiseRuntimeError(rt::kObjectNotSet);
    return *form_;
}

Long ControlsCollection::Count() const { return form_ ? static_cast<Long>(form_->ControlCount()) : 0; }

ObjectRef ControlsCollection::Item(const Variant& key) const {
    const Variant& k = key.Deref();
    if (k.IsString()) {
        ObjectRef found = Owner().FindControl(*k.As<String>());
        if (!found) Fail(err::kControlNotFound, u"Control '" + *k.As<String>() + u"' not found");
        return found;
    }
    return ObjectRef(Owner().ControlAt(VariantToLong(k)));
}

ObjectRef ControlsCollection::Add(const String& prog_id, const String& name, ObjectRef container) {
    return ObjectRef(Owner().AddByProgId(prog_id, name, std::move(container)));
}

void ControlsCollection::Remove(const Variant& key) {
    const Variant& k = key.Deref();
    if (k.IsString()) {
        Owner().RemoveControl(*k.As<String>());
    } else {
        Owner().RemoveControl(Owner().ControlAt(VariantToLong(k))->Name());
    }
}

}  // namespace quibor15::headless
