#include "quibor15/library.hpp"

#include "library/classes.hpp"

namespace quibor15 {

namespace {

[[noreturn]] void RaiseCannotCreate() {
    RaiseRuntimeError(rt::kCannotCreateObject, u"ActiveX component can't create object");
}

ObjectRef Create(const ClassDesc& c, const ContextPtr& context) {
    ClassFactory factory = FindClassFactory(c.name);
    if (!factory) RaiseCannotCreate();
    return factory(context);
}

}  // namespace

Library::Library(ContextPtr context) : context_(std::move(context)), globals_(Types().classes.size()) {}

Library::~Library() {
    // The implicit instances go in reverse order of the catalogue, each
    // running its termination while the context is still held.
    for (auto it = globals_.rbegin(); it != globals_.rend(); ++it) it->Reset();
}

ObjectRef Library::CreateObject(std::u16string_view progid) {
    const ClassDesc* c = Types().FindClassByProgId(progid);
    if (!c) RaiseCannotCreate();
    return Create(*c, context_);
}

ObjectRef Library::GlobalInstance(std::u16string_view class_name) {
    int index = Types().ClassIndex(class_name);
    if (index < 0 || !Types().classes[index].IsGlobal()) RaiseCannotCreate();
    ObjectRef& instance = globals_[index];
    if (!instance) instance = Create(Types().classes[index], context_);
    return instance;
}

ObjectRef Library::CreateInstance(std::u16string_view class_name, const ContextPtr& context) {
    const ClassDesc* c = Types().FindClass(class_name);
    if (!c) RaiseCannotCreate();
    return Create(*c, context);
}

}  // namespace quibor15
