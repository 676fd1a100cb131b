#include "platform/headless/control_array.hpp"

#include "platform/headless/form.hpp"
#include "platform/headless/list_enumerator.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::headless {

namespace {

Integer ElementIndex(Long index) {
    if (index < -32768 || index > 32767) RaiseRuntimeError(rt::kOverflow);
    return static_cast<Integer>(index);
}

[[noreturn]] void MissingElement(Long index) {
    Fail(err::kControlArrayElementMissing, u"Control array element '" + DecimalText(index) + u"' doesn't exist");
}

const MemberTable<ControlArray>& Members() {
    using M = MemberDef<ControlArray>;
    auto load = [](ControlArray& a, Args& args) -> Variant { return Variant(a.LoadElement(args.Lng(0))); };
    auto unload = [](ControlArray& a, Args& args) -> Variant {
        a.UnloadElement(args.Lng(0));
        return Variant();
    };
    static const MemberTable<ControlArray> table{{
        M::Method(
            u"Item", [](ControlArray& a, Args& args) -> Variant { return Variant(a.Item(args.Lng(0))); }, 1, 1,
            kDefault),
        Get<ControlArray, &ControlArray::UBound>(u"UBound"),
        Get<ControlArray, &ControlArray::LBound>(u"LBound"),
        Get<ControlArray, &ControlArray::Count>(u"Count"),
        M::Method(u"LoadElement", load, 1, 1),
        M::Method(u"Load", load, 1, 1),
        M::Method(u"UnloadElement", unload, 1, 1),
        M::Method(u"Unload", unload, 1, 1),
        M::Method(
            u"_NewEnum",
            [](ControlArray& a, Args&) -> Variant {
                std::vector<Variant> items;
                for (const Ref<Control>& c : a.Elements()) items.emplace_back(c);
                return Variant(MakeRef<ListEnumerator>(std::move(items)));
            },
            0, 0, kEnumerator),
    }};
    return table;
}

}  // namespace

ControlArray::ControlArray(Form& form, ControlKind kind, String name)
    : form_(&form), kind_(kind), name_(std::move(name)) {}

ControlArray::~ControlArray() {
    for (auto& [index, element] : elements_) {
        if (element->array_ == this) element->array_ = nullptr;
    }
}

DispId ControlArray::GetIdOfName(std::u16string_view name) { return Members().IdOf(name); }

Variant ControlArray::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    return Members().Invoke(*this, id, flags, args);
}

String ControlArray::EventName(DispId id) const {
    if (elements_.empty()) return String();
    return elements_.begin()->second->EventName(id);
}

Ref<Control> ControlArray::Item(Long index) const {
    auto it = (index < -32768 || index > 32767) ? elements_.end() : elements_.find(static_cast<Integer>(index));
    if (it == elements_.end()) MissingElement(index);
    return it->second;
}

Integer ControlArray::LBound() const { return elements_.empty() ? 0 : elements_.begin()->first; }
Integer ControlArray::UBound() const { return elements_.empty() ? -1 : elements_.rbegin()->first; }

std::vector<Ref<Control>> ControlArray::Elements() const {
    std::vector<Ref<Control>> out;
    for (const auto& [index, element] : elements_) out.push_back(element);
    return out;
}

void ControlArray::Adopt(Ref<Control> element, Integer index, bool design_time) {
    element->array_ = this;
    element->index_ = index;
    elements_[index] = std::move(element);
    design_time_[index] = design_time;
}

Ref<Control> ControlArray::LoadElement(Long index) {
    SelfRef hold(this);
    Integer i = ElementIndex(index);
    if (i < 0) MissingElement(index);
    if (elements_.count(i)) Fail(err::kObjectAlreadyLoaded, u"Object already loaded");
    if (!form_) RaiseRuntimeError(rt::kObjectNotSet);
    Ref<Control> model = elements_.begin()->second;
    Ref<Control> element = form_->Create(kind_, name_, model->ContainerWindow(), false);
    element->CopyFrom(*model);
    element->SetVisible(false);
    Adopt(element, i, false);
    return element;
}

void ControlArray::UnloadElement(Long index) {
    SelfRef hold(this);
    Integer i = ElementIndex(index);
    auto it = elements_.find(i);
    if (it == elements_.end()) MissingElement(index);
    if (design_time_[i]) Fail(err::kCannotUnloadDesignElement, u"Can't unload controls created at design time");
    Ref<Control> element = it->second;
    elements_.erase(it);
    design_time_.erase(i);
    element->array_ = nullptr;
    if (form_) form_->ForgetControl(*element);
}

void ControlArray::Deliver(Integer index, DispId id, std::span<Variant> refs) {
    SelfRef hold(this);
    Variant index_value(index);
    std::vector<Variant> args;
    args.reserve(refs.size() + 1);
    args.push_back(Variant::ByRef(index_value));
    // Copies of by-reference arguments stay bound to the raiser's variables.
    for (Variant& r : refs) args.push_back(r);
    sinks_.Raise(id, args);
}

}  // namespace quibor15::headless
