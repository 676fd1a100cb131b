// The base of every class of the component. A class implements the C++
// interface generated for it (quibor15/interfaces.hpp: one pure virtual per
// entry of its interface, in function-table order), and ComponentObject gives
// it late binding over the same virtual functions: GetIdOfName over the
// class's member names, Invoke by DISPID with the component's argument
// conventions, and TypeName. Each object holds the Context of the host that
// created it and reads the world only through it.
//
// Objects live on the heap behind counted references (MakeRef / Ref); a call
// through Invoke holds a reference to its object for the length of the call.
//
// A class of the component, for example:
//
//   class clsQuiborWUIBCAT175A final : public _clsQuiborWUIBCAT175A {
//   public:
//       using _clsQuiborWUIBCAT175A::_clsQuiborWUIBCAT175A;  // (ContextPtr)
//       String get_InputString() override;
//       void let_InputString(String value) override;
//       ...                                                  // every entry
//   };
//
// and its line in the class catalogue (library/classes.cpp):
//
//   {u"clsQuiborWUIBCAT175A", &NewObject<clsQuiborWUIBCAT175A>},
//
// A class whose members arrive one by one can derive from its
// Pending_<class> (quibor15/pending_classes.hpp) instead, whose members raise
// error 445 until overridden. A class with events raises them through the
// Raise<Event> functions of its interface.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "quibor15/context.hpp"
#include "quibor15/object.hpp"
#include "quibor15/typelib.hpp"

namespace quibor15 {

class ComponentObject;
class DispatchCall;

// The late-bound entry of one interface entry: converts the arguments,
// calls the virtual function and converts its result. Generated per entry.
using MemberThunk = Variant (*)(ComponentObject& self, DispatchCall& call);

// The entries sharing one DISPID: the index in the interface of its get, let,
// set and method entry, or -1.
struct DispatchSlot {
    DispId id = 0;
    int16_t get = -1;
    int16_t let = -1;
    int16_t set = -1;
    int16_t method = -1;
};

// A member name in lower case (A-Z folded) and its DISPID.
struct NameSlot {
    std::u16string_view folded_name;
    DispId id = 0;
};

// What late binding needs of one class; generated from the type library.
struct ClassBinding {
    int class_index = 0;                  // in Quibor15TypeLibrary().classes
    std::span<const MemberThunk> thunks;  // parallel to the interface's members
    std::span<const DispatchSlot> by_id;  // sorted by DISPID
    std::span<const NameSlot> by_name;    // sorted by length, then folded name

    const ClassDesc& Class() const noexcept { return Quibor15TypeLibrary().classes[class_index]; }
    const DispatchSlot* FindSlot(DispId id) const noexcept;
    DispId FindName(std::u16string_view name) const noexcept;
};

class ComponentObject : public Object {
public:
    const ContextPtr& GetContext() const noexcept { return context_; }
    HostRuntime& Host() const noexcept { return context_->Host(); }
    WindowsServices& Windows() const noexcept { return context_->Windows(); }

    // The class in the type library.
    const ClassDesc& Class() const noexcept { return binding_.Class(); }

    // The class name ("clsQuiborWizardA").
    String TypeName() const override;
    DispId GetIdOfName(std::u16string_view name) override;
    // Reaches the entry of `id` that the flags ask for (a get is preferred
    // for Method | PropertyGet; PropertyPut reaches a let, PropertyPutRef a
    // set, each falling back on the other kind when the property has only
    // one), checks and converts the arguments and calls the entry's virtual
    // function while holding a reference to this object. Errors: 438 for an
    // unknown DISPID or a kind the member lacks, 450 for a wrong number of
    // arguments, 449 for a left-out argument that is not optional, 13 for an
    // argument that does not convert; anything the member raises passes
    // through unchanged. Arguments given to a member without parameters
    // that returns an object go to that object's default member
    // (o.Locales("ENU") reads o.Locales.Item("ENU")).
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;

    // The number format in which arguments passed as text are read: the
    // system's separators when the object has a context.
    NumberFormat ArgumentNumberFormat() const;

protected:
    ComponentObject(ContextPtr context, const ClassBinding& binding) noexcept;

private:
    ContextPtr context_;
    const ClassBinding& binding_;
    // The entries of the class interface, parallel to binding_.thunks: read
    // on every call, so kept one load away.
    const MemberDesc* members_;
};

}  // namespace quibor15
