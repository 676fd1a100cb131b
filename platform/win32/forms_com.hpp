// The engine's forms and controls as COM objects, the way a forms program
// hands its forms to the components it loads: IDispatch over their late
// binding, class information that names their event interface, and a
// connection point for it, so a component holding a form or a control
// receives its events. A host program on the engine installs one exporter;
// from then on each of its objects that crosses to a component becomes
// such a COM object (the same one each time) and comes back as itself.
//
//     forms::ComExporter exporter;  // installed while it lives
//     IDispatch* form_object = ExportObject(ObjectRef(form));
#pragma once

#include <unordered_map>

#include "platform/win32/ole_bridge.hpp"

namespace quibor15::win32::forms {

// The event interfaces: dispinterfaces whose DISPIDs are the engine's event
// identifiers (ev:: in host_runtime.hpp); a control array's events carry
// the element's Index first.
extern const GUID kFormEventsIid;
extern const GUID kControlEventsIid;
extern const GUID kControlArrayEventsIid;

class ComExporter final : public ObjectExporter {
public:
    ComExporter();
    ~ComExporter() override;
    ComExporter(const ComExporter&) = delete;
    ComExporter& operator=(const ComExporter&) = delete;

    IDispatch* Export(const ObjectRef& object) override;
    ObjectRef Unwrap(IUnknown* unknown) override;

    // Called by a COM object as it goes.
    void Forget(Object* object) noexcept;
    // COM objects alive now (none once every component let go).
    size_t LiveObjects() const noexcept { return objects_.size(); }

private:
    std::unordered_map<Object*, IDispatch*> objects_;  // not counted: each COM object removes itself
};

}  // namespace quibor15::win32::forms
