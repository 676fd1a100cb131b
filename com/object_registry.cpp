#include "com/object_registry.hpp"

#include "com/server_module.hpp"
#include "platform/win32/dispatch_base.hpp"

namespace quibor15::com {

namespace {

// The COM object of a component object that is not one of the library's
// classes: a Collection, the enumerator behind For Each, a font of the
// component. Late-bound only; an enumerator also answers IEnumVARIANT.
class PlainObject final : public win32::ObjectDispatch<IEnumVARIANT, IComponentObject> {
public:
    explicit PlainObject(ObjectRef core) : ObjectDispatch(std::move(core)) {
        enumerator_ = dynamic_cast<Enumerator*>(core_.Get());
        ServerModule::Get().ObjectCreated();
    }
    ~PlainObject() override {
        ObjectRegistry::Get().Forget(core_.Get());
        core_.Reset();
        ServerModule::Get().ObjectDestroyed();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
        } else if (iid == IID_IEnumVARIANT && enumerator_) {
            *out = static_cast<IEnumVARIANT*>(this);
        } else if (iid == kIidComponentObject) {
            *out = static_cast<IComponentObject*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG got = 0;
        try {
            SelfRef hold(core_.Get());
            Variant item;
            while (got < count && enumerator_->Next(item)) {
                win32::ToVariant(item, &out[got]);
                ++got;
            }
        } catch (const AutomationError& e) {
            if (fetched) *fetched = got;
            return win32::ReportError(e, IID_IEnumVARIANT);
        } catch (...) {
            if (fetched) *fetched = got;
            return E_OUTOFMEMORY;
        }
        if (fetched) *fetched = got;
        return got == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        try {
            Variant item;
            for (ULONG i = 0; i < count; ++i) {
                if (!enumerator_->Next(item)) return S_FALSE;
            }
            return S_OK;
        } catch (...) {
            return E_FAIL;
        }
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        try {
            enumerator_->Reset();
            return S_OK;
        } catch (...) {
            return E_FAIL;
        }
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }

    Object* STDMETHODCALLTYPE Component() override { return core_.Get(); }

private:
    Enumerator* enumerator_ = nullptr;
};

}  // namespace

ObjectRegistry& ObjectRegistry::Get() noexcept {
    static ObjectRegistry registry;
    return registry;
}

IDispatch* ObjectRegistry::Export(const ObjectRef& object) {
    if (!object) return nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = objects_.find(object.Get());
        if (it != objects_.end()) {
            it->second->AddRef();
            return it->second;
        }
    }
    if (auto* component = dynamic_cast<ComponentObject*>(object.Get())) {
        const int index = Quibor15TypeLibrary().ClassIndex(component->Class().name);
        if (index >= 0) return ExportNew(index, object);
    }
    auto* plain = new PlainObject(object);
    IDispatch* dispatch = static_cast<IDispatch*>(plain);
    dispatch->AddRef();
    std::lock_guard<std::mutex> lock(mutex_);
    objects_[object.Get()] = dispatch;
    return dispatch;
}

IDispatch* ObjectRegistry::ExportNew(int class_index, const ObjectRef& object) {
    ComObjectBase* com_object = NewClassObject(class_index, object);
    IDispatch* dispatch = com_object->Dual();
    dispatch->AddRef();
    std::lock_guard<std::mutex> lock(mutex_);
    objects_[object.Get()] = dispatch;
    return dispatch;
}

ObjectRef ObjectRegistry::Unwrap(IUnknown* unknown) {
    if (!unknown) return ObjectRef();
    IComponentObject* own = nullptr;
    if (FAILED(unknown->QueryInterface(kIidComponentObject, reinterpret_cast<void**>(&own))) || !own) {
        return ObjectRef();
    }
    ObjectRef object(own->Component());
    own->Release();
    return object;
}

void ObjectRegistry::Forget(Object* object) noexcept {
    std::lock_guard<std::mutex> lock(mutex_);
    objects_.erase(object);
}

IDispatch* ExportClassObject(const ObjectRef& object) { return ObjectRegistry::Get().Export(object); }

}  // namespace quibor15::com
