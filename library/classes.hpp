// The factory of every class of the component, by class name.
#pragma once

#include <span>
#include <string_view>

#include "quibor15/context.hpp"
#include "quibor15/object.hpp"
#include "quibor15/ref.hpp"

namespace quibor15 {

using ClassFactory = ObjectRef (*)(const ContextPtr& context);

struct ClassFactoryEntry {
    std::u16string_view class_name;
    ClassFactory create = nullptr;
};

template <class T>
ObjectRef NewObject(const ContextPtr& context) {
    return ObjectRef(MakeRef<T>(context));
}

// One entry per class of the type library, in catalogue order.
std::span<const ClassFactoryEntry> ClassFactories() noexcept;

// The factory of a class (name compared without regard to case), or nullptr.
ClassFactory FindClassFactory(std::u16string_view class_name) noexcept;

}  // namespace quibor15
