// The component's class catalogue for one host: creating classes by ProgID,
// the implicit instances of the global classes, and the type library.
#pragma once

#include <string_view>
#include <vector>

#include "quibor15/context.hpp"
#include "quibor15/interfaces.hpp"
#include "quibor15/object.hpp"
#include "quibor15/typelib.hpp"

namespace quibor15 {

class Library {
public:
    explicit Library(ContextPtr context);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // A new object of a creatable or global class by ProgID ("quibor15." +
    // class name, letters in any case). Error 429 for an unknown ProgID and
    // for the classes that callers cannot create.
    ObjectRef CreateObject(std::u16string_view progid);

    // The implicit instance of a global class (clsQuiborWUIRunTimeA,
    // clsQuiborWUIRunTimeB), created on first use and kept for the life of
    // this Library; instances made by CreateObject are independent of it.
    // Error 429 for a class that is not global.
    ObjectRef GlobalInstance(std::u16string_view class_name);

    const ContextPtr& GetContext() const noexcept { return context_; }

    static const TypeLibrary& Types() noexcept { return Quibor15TypeLibrary(); }

    // A new object of any class of the library, whatever its instancing:
    // how the library's own objects obtain the classes that callers cannot
    // create (a locale catalogue makes its clsQuiborLocaleA objects this
    // way). Error 429 for a name that is not a class of the library.
    static ObjectRef CreateInstance(std::u16string_view class_name, const ContextPtr& context);

    // The same through a class interface:
    // Library::CreateInstance<_clsQuiborLocaleA>(context).
    template <class Interface>
    static Ref<Interface> CreateInstance(const ContextPtr& context) {
        return RefCast<Interface>(CreateInstance(Interface::kClassName, context));
    }

private:
    ContextPtr context_;
    std::vector<ObjectRef> globals_;  // by class index; empty until first use
};

}  // namespace quibor15
