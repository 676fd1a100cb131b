// The in-process server's module state: the DLL's instance handle, the
// count of live COM objects and class-factory locks (DllCanUnloadNow), the
// component's context for this process (the Windows services and the forms
// runtime on Windows), and the type library embedded in the DLL.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// These build on the declarations of <windows.h>.
#include <oaidl.h>

#include <map>
#include <mutex>

#include "quibor15/context.hpp"
#include "quibor15/typelib.hpp"

namespace quibor15::com {

GUID ToGuid(const Guid& guid) noexcept;

class ServerModule {
public:
    static ServerModule& Get() noexcept;

    void SetInstance(HINSTANCE instance) noexcept { instance_ = instance; }
    HINSTANCE Instance() const noexcept { return instance_; }
    // The DLL's full path.
    String Path() const;

    void ObjectCreated() noexcept { InterlockedIncrement(&objects_); }
    void ObjectDestroyed() noexcept { InterlockedDecrement(&objects_); }
    void Lock() noexcept { InterlockedIncrement(&locks_); }
    void Unlock() noexcept { InterlockedDecrement(&locks_); }
    bool CanUnload() const noexcept { return objects_ == 0 && locks_ == 0; }

    // The context the objects of the calling thread are created in, made on
    // first use. Each apartment (a thread of the host) has its own, as each
    // host program has its own: the component's objects of one apartment are
    // only ever called on its thread.
    ContextPtr Context();

    // The type library resource of the DLL, loaded on first use (not
    // registered); the caller gets a new reference.
    HRESULT TypeLibrary(ITypeLib** library);
    // The type information of an interface or class of the library.
    HRESULT TypeInfo(const GUID& guid, ITypeInfo** info);

private:
    HINSTANCE instance_ = nullptr;
    volatile LONG objects_ = 0;
    volatile LONG locks_ = 0;
    std::mutex mutex_;
    std::map<DWORD, ContextPtr> contexts_;  // by thread
    ITypeLib* type_library_ = nullptr;
};

}  // namespace quibor15::com
