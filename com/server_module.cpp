#include "com/server_module.hpp"

#include <vector>

#include "platform/win32/win32_runtime.hpp"
#include "platform/win32/win32_text.hpp"

namespace quibor15::com {

GUID ToGuid(const Guid& guid) noexcept {
    GUID g;
    g.Data1 = guid.data1;
    g.Data2 = guid.data2;
    g.Data3 = guid.data3;
    for (int i = 0; i < 8; ++i) g.Data4[i] = guid.data4[i];
    return g;
}

ServerModule& ServerModule::Get() noexcept {
    static ServerModule module;
    return module;
}

String ServerModule::Path() const {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(instance_, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return String();
        if (n < buffer.size()) return win32::FromWide(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

ContextPtr ServerModule::Context() {
    std::lock_guard<std::mutex> lock(mutex_);
    ContextPtr& context = contexts_[GetCurrentThreadId()];
    if (!context) {
        auto windows = std::make_shared<win32::Win32Windows>();
        auto runtime = std::make_shared<win32::Win32Runtime>(windows, instance_);
        context = std::make_shared<quibor15::Context>(std::move(runtime), std::move(windows));
    }
    return context;
}

HRESULT ServerModule::TypeLibrary(ITypeLib** library) {
    if (!library) return E_POINTER;
    *library = nullptr;
    if (!type_library_) {
        const String path = Path();
        const HRESULT hr = LoadTypeLibEx(win32::WidePtr(path), REGKIND_NONE, &type_library_);
        if (FAILED(hr)) return hr;
    }
    type_library_->AddRef();
    *library = type_library_;
    return S_OK;
}

HRESULT ServerModule::TypeInfo(const GUID& guid, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    ITypeLib* library = nullptr;
    HRESULT hr = TypeLibrary(&library);
    if (FAILED(hr)) return hr;
    hr = library->GetTypeInfoOfGuid(guid, info);
    library->Release();
    return hr;
}

}  // namespace quibor15::com
