// The list members that list boxes and combo boxes share.
#pragma once

#include <optional>
#include <vector>

#include "platform/headless/member_table.hpp"

namespace quibor15::headless {

template <class T>
std::vector<MemberDef<T>> ListMembers() {
    using M = MemberDef<T>;
    return {
        M::Method(
            u"AddItem",
            [](T& c, Args& a) -> Variant {
                c.AddItem(a.Str(0), a.Has(1) ? std::optional<Long>(a.Lng(1)) : std::nullopt);
                return Variant();
            },
            1, 2),
        M::Method(
            u"RemoveItem",
            [](T& c, Args& a) -> Variant {
                c.RemoveItem(a.Lng(0));
                return Variant();
            },
            1, 1),
        Action<T, &T::Clear>(u"Clear"),
        M::Property(
            u"List", [](T& c, Args& a) -> Variant { return Variant(c.List(a.Lng(0))); },
            [](T& c, Args& a, const Variant& v) { c.SetList(a.Lng(0), VariantToString(v)); }, kPlain, 1, 1),
        M::Property(
            u"ItemData", [](T& c, Args& a) -> Variant { return Variant(c.ItemData(a.Lng(0))); },
            [](T& c, Args& a, const Variant& v) { c.SetItemData(a.Lng(0), VariantToLong(v)); }, kPlain, 1, 1),
        Get<T, &T::ListCount>(u"ListCount"),
        Bind<T, &T::ListIndex, &T::SetListIndex>(u"ListIndex"),
        Get<T, &T::NewIndex>(u"NewIndex"),
    };
}

}  // namespace quibor15::headless
