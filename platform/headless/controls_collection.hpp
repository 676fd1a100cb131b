// A form's Controls: every control on the form in creation order (nested
// ones included), by 0-based position or by name, and Add / Remove.
#pragma once

#include "platform/headless/member_table.hpp"

namespace quibor15::headless {

class Form;

class ControlsCollection final : public Object {
public:
    explicit ControlsCollection(Form& form) : form_(&form) {}

    String TypeName() const override { return u"Object"; }
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;

    Long Count() const;
    // A number is a position (9 outside); a text a name (730 when no
    // control or control array has it).
    ObjectRef Item(const Variant& key) const;
    ObjectRef Add(const String& prog_id, const String& name, ObjectRef container);
    void Remove(const Variant& key);

private:
    friend class Form;
    Form& Owner() const;

    Form* form_;
};

}  // namespace quibor15::headless
