#include "platform/win32/forms_com.hpp"

#include <ocidl.h>
#include <olectl.h>

#include "platform/win32/dispatch_base.hpp"
#include "platform/win32/dispatch_object.hpp"
#include "platform/win32/forms_engine.hpp"

namespace quibor15::win32::forms {

// {3C6E2A71-9B0D-4F58-8E27-1A4D5C6B7E01}
const GUID kFormEventsIid = {0x3c6e2a71, 0x9b0d, 0x4f58, {0x8e, 0x27, 0x1a, 0x4d, 0x5c, 0x6b, 0x7e, 0x01}};
// {3C6E2A71-9B0D-4F58-8E27-1A4D5C6B7E02}
const GUID kControlEventsIid = {0x3c6e2a71, 0x9b0d, 0x4f58, {0x8e, 0x27, 0x1a, 0x4d, 0x5c, 0x6b, 0x7e, 0x02}};
// {3C6E2A71-9B0D-4F58-8E27-1A4D5C6B7E03}
const GUID kControlArrayEventsIid = {0x3c6e2a71, 0x9b0d, 0x4f58, {0x8e, 0x27, 0x1a, 0x4d, 0x5c, 0x6b, 0x7e, 0x03}};

namespace {

// The exporter's own interface on its COM objects: the object behind one.
// In-process only, never marshalled.
// {3C6E2A71-9B0D-4F58-8E27-1A4D5C6B7E10}
constexpr GUID kIidEngineObject = {0x3c6e2a71, 0x9b0d, 0x4f58, {0x8e, 0x27, 0x1a, 0x4d, 0x5c, 0x6b, 0x7e, 0x10}};
struct IEngineObject : public IUnknown {
    virtual Object* STDMETHODCALLTYPE Core() = 0;
};

GUID EventsOf(Object* object) {
    if (dynamic_cast<Form*>(object)) return kFormEventsIid;
    if (dynamic_cast<Control*>(object)) return kControlEventsIid;
    if (dynamic_cast<ControlArray*>(object)) return kControlArrayEventsIid;
    return GUID_NULL;
}

class EngineComObject final
    : public ObjectDispatch<IProvideClassInfo2, IConnectionPointContainer, IConnectionPoint, IEngineObject> {
public:
    EngineComObject(ComExporter& exporter, ObjectRef core)
        : ObjectDispatch(std::move(core)), exporter_(&exporter), events_(EventsOf(core_.Get())) {}
    ~EngineComObject() override {
        if (exporter_) exporter_->Forget(core_.Get());
    }

    void Orphan() noexcept { exporter_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        const bool has_events = events_ != GUID_NULL;
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
        } else if (iid == kIidEngineObject) {
            *out = static_cast<IEngineObject*>(this);
        } else if (has_events && (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)) {
            *out = static_cast<IProvideClassInfo2*>(this);
        } else if (has_events && iid == IID_IConnectionPointContainer) {
            *out = static_cast<IConnectionPointContainer*>(this);
        } else if (has_events && iid == IID_IConnectionPoint) {
            *out = static_cast<IConnectionPoint*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    // IProvideClassInfo2: no type information of its own; the default
    // source interface is all a component needs to connect.
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override {
        if (!guid) return E_POINTER;
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
        *guid = events_;
        return S_OK;
    }

    // IConnectionPointContainer: the one connection point is the object.
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override {
        if (points) *points = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
        if (!point) return E_POINTER;
        *point = nullptr;
        if (iid != events_) return CONNECT_E_NOCONNECTION;
        *point = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }

    // IConnectionPoint: a sink is the object's event sink, reached through
    // its IDispatch with by-reference arguments flowing back.
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
        if (!iid) return E_POINTER;
        *iid = events_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override {
        if (!container) return E_POINTER;
        *container = static_cast<IConnectionPointContainer*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        if (!cookie) return E_POINTER;
        *cookie = 0;
        if (!sink) return E_POINTER;
        IDispatch* dispatch = nullptr;
        if (FAILED(sink->QueryInterface(events_, reinterpret_cast<void**>(&dispatch))) || !dispatch) {
            if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch) {
                return CONNECT_E_CANNOTCONNECT;
            }
        }
        try {
            ObjectRef forwarder(new DispatchObject(dispatch));
            dispatch->Release();
            *cookie = core_->Advise(std::move(forwarder));
        } catch (...) {
            return E_OUTOFMEMORY;
        }
        return *cookie ? S_OK : CONNECT_E_CANNOTCONNECT;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        if (cookie == 0) return CONNECT_E_NOCONNECTION;
        try {
            core_->Unadvise(cookie);
        } catch (...) {
            return E_UNEXPECTED;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override {
        if (connections) *connections = nullptr;
        return E_NOTIMPL;
    }

    // IEngineObject
    Object* STDMETHODCALLTYPE Core() override { return core_.Get(); }

private:
    ComExporter* exporter_;
    GUID events_;
};

}  // namespace

ComExporter::ComExporter() { InstallObjectExporter(this); }

ComExporter::~ComExporter() {
    InstallObjectExporter(nullptr);
    // COM objects a component still holds outlive the exporter.
    for (auto& [object, dispatch] : objects_) static_cast<EngineComObject*>(dispatch)->Orphan();
}

IDispatch* ComExporter::Export(const ObjectRef& object) {
    if (!object) return nullptr;
    auto it = objects_.find(object.Get());
    if (it != objects_.end()) {
        it->second->AddRef();
        return it->second;
    }
    auto* com_object = new EngineComObject(*this, object);
    IDispatch* dispatch = static_cast<IDispatch*>(com_object);
    dispatch->AddRef();
    objects_[object.Get()] = dispatch;
    return dispatch;
}

ObjectRef ComExporter::Unwrap(IUnknown* unknown) {
    if (!unknown) return ObjectRef();
    IEngineObject* own = nullptr;
    if (FAILED(unknown->QueryInterface(kIidEngineObject, reinterpret_cast<void**>(&own))) || !own) {
        return ObjectRef();
    }
    ObjectRef object(own->Core());
    own->Release();
    return object;
}

void ComExporter::Forget(Object* object) noexcept { objects_.erase(object); }

}  // namespace quibor15::win32::forms
