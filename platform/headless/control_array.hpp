// A control array: elements of one kind under one name, reached by Index.
// Its events carry the element's Index as the first argument.
#pragma once

#include <map>
#include <vector>

#include "platform/headless/control.hpp"

namespace quibor15::headless {

class ControlArray final : public Object {
public:
    ControlArray(Form& form, ControlKind kind, String name);
    ~ControlArray() override;

    // TypeName of a control array, as the runtime reports it.
    String TypeName() const override { return u"Object"; }
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;
    uint32_t Advise(ObjectRef sink) override { return sinks_.Add(std::move(sink)); }
    void Unadvise(uint32_t cookie) override { sinks_.Remove(cookie); }
    String EventName(DispId id) const override;

    const String& Name() const noexcept { return name_; }
    ControlKind Kind() const noexcept { return kind_; }
    Form* OwningForm() const noexcept { return form_; }

    // The element at index; 340 when there is none.
    Ref<Control> Item(Long index) const;
    bool Contains(Long index) const {
        return elements_.count(static_cast<Integer>(index)) != 0 && index >= -32768 && index <= 32767;
    }
    Integer LBound() const;
    Integer UBound() const;
    Integer Count() const noexcept { return static_cast<Integer>(elements_.size()); }
    std::vector<Ref<Control>> Elements() const;

    // Loads a new element: invisible, in the container and at the place of
    // the lowest element, with its settings. 360 when index is taken.
    Ref<Control> LoadElement(Long index);
    // Unloads an element loaded at run time (362 for a design-time one).
    void UnloadElement(Long index);

    // Passes an element's event on with its Index in front.
    void Deliver(Integer index, DispId id, std::span<Variant> refs);

private:
    friend class Form;
    void Adopt(Ref<Control> element, Integer index, bool design_time);

    Form* form_;
    ControlKind kind_;
    String name_;
    std::map<Integer, Ref<Control>> elements_;
    std::map<Integer, bool> design_time_;
    EventSinks sinks_;
};

}  // namespace quibor15::headless
