// Which COM object stands for which component object, so that an object
// crossing the boundary twice is the same COM object both times; and the
// exporter that turns component objects into COM objects.
#pragma once

#include <mutex>
#include <unordered_map>

#include "com/com_object.hpp"

namespace quibor15::com {

class ObjectRegistry final : public win32::ObjectExporter {
public:
    static ObjectRegistry& Get() noexcept;

    // A new reference to the COM object of `object`: the one it already
    // has, or a new one (the class's dual interface for a class of the
    // library, a plain IDispatch otherwise).
    IDispatch* Export(const ObjectRef& object) override;
    ObjectRef Unwrap(IUnknown* unknown) override;

    // A new COM object of a class for a new component object, as a class
    // factory makes it.
    IDispatch* ExportNew(int class_index, const ObjectRef& object);

    // Called by a COM object as it goes.
    void Forget(Object* object) noexcept;

private:
    std::mutex mutex_;
    std::unordered_map<Object*, IDispatch*> objects_;  // not counted: each COM object removes itself
};

}  // namespace quibor15::com
