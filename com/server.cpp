// The four entry points of the in-process server, and the class factories
// of the creatable and global classes.
#include "com/com_object.hpp"
#include "com/object_registry.hpp"
#include "com/registration.hpp"
#include "com/server_module.hpp"
#include "library/classes.hpp"

namespace quibor15::com {

namespace {

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(int class_index) : class_index_(class_index) { ServerModule::Get().ObjectCreated(); }
    ~ClassFactory() { ServerModule::Get().ObjectDestroyed(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        try {
            const ClassDesc& cls = Quibor15TypeLibrary().classes[class_index_];
            quibor15::ClassFactory create = FindClassFactory(cls.name);
            if (!create) return CLASS_E_CLASSNOTAVAILABLE;
            // The object's initialisation runs here; an error it raises
            // reaches the caller with its description.
            ObjectRef object = create(ServerModule::Get().Context());
            IDispatch* dispatch = ObjectRegistry::Get().ExportNew(class_index_, object);
            const HRESULT hr = dispatch->QueryInterface(iid, out);
            dispatch->Release();
            return hr;
        } catch (const AutomationError& e) {
            return win32::ReportError(e, IID_IClassFactory);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            ServerModule::Get().Lock();
        } else {
            ServerModule::Get().Unlock();
        }
        return S_OK;
    }

private:
    int class_index_;
    volatile LONG refs_ = 0;
};

}  // namespace

}  // namespace quibor15::com

using quibor15::com::ServerModule;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        ServerModule::Get().SetInstance(instance);
        quibor15::win32::InstallObjectExporter(&quibor15::com::ObjectRegistry::Get());
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    const auto& classes = quibor15::Quibor15TypeLibrary().classes;
    for (size_t i = 0; i < classes.size(); ++i) {
        // The factories of the classes callers may create: the creatable
        // and the global ones.
        if (!classes[i].IsCreatable() || clsid != quibor15::com::ToGuid(classes[i].clsid)) continue;
        auto* factory = new (std::nothrow) quibor15::com::ClassFactory(static_cast<int>(i));
        if (!factory) return E_OUTOFMEMORY;
        factory->AddRef();
        const HRESULT hr = factory->QueryInterface(iid, out);
        factory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return ServerModule::Get().CanUnload() ? S_OK : S_FALSE; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return quibor15::com::RegisterServer(); }

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return quibor15::com::UnregisterServer(); }
