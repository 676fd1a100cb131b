#include "com/registration.hpp"

#include <oleauto.h>
#include <olectl.h>

#include <string>

#include "com/server_module.hpp"
#include "platform/win32/win32_text.hpp"

namespace quibor15::com {

namespace {

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::wstring BracedGuid(const Guid& guid) {
    const std::string text = guid.ToString();
    return L"{" + std::wstring(text.begin(), text.end()) + L"}";
}

LONG SetValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY h = nullptr;
    LONG rc =
        RegCreateKeyExW(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &h, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    rc = RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
    return rc;
}

// Deletes a key and everything below it; a key that is not there is fine.
void DeleteTree(HKEY root, const std::wstring& key) {
    const LONG rc = RegDeleteTreeW(root, key.c_str());
    if (rc == ERROR_SUCCESS) RegDeleteKeyW(root, key.c_str());
}

std::wstring ProgIdOf(const ClassDesc& c) { return Wide(c.ProgId()); }

HRESULT RegisterClasses(const std::wstring& path) {
    const TypeLibrary& lib = Quibor15TypeLibrary();
    const std::wstring libid = BracedGuid(lib.libid);
    const std::wstring version = std::to_wstring(lib.major_version) + L"." + std::to_wstring(lib.minor_version);
    for (const ClassDesc& c : lib.classes) {
        if (!c.IsCreatable()) continue;
        const std::wstring clsid_key = L"CLSID\\" + BracedGuid(c.clsid);
        const std::wstring progid = ProgIdOf(c);
        LONG rc = SetValue(HKEY_CLASSES_ROOT, clsid_key, nullptr, progid);
        if (rc == ERROR_SUCCESS) rc = SetValue(HKEY_CLASSES_ROOT, clsid_key + L"\\InprocServer32", nullptr, path);
        if (rc == ERROR_SUCCESS) {
            rc = SetValue(HKEY_CLASSES_ROOT, clsid_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
        }
        if (rc == ERROR_SUCCESS) rc = SetValue(HKEY_CLASSES_ROOT, clsid_key + L"\\ProgID", nullptr, progid);
        if (rc == ERROR_SUCCESS) rc = SetValue(HKEY_CLASSES_ROOT, clsid_key + L"\\TypeLib", nullptr, libid);
        if (rc == ERROR_SUCCESS) rc = SetValue(HKEY_CLASSES_ROOT, clsid_key + L"\\Version", nullptr, version);
        if (rc == ERROR_SUCCESS) rc = SetValue(HKEY_CLASSES_ROOT, progid, nullptr, progid);
        if (rc == ERROR_SUCCESS) rc = SetValue(HKEY_CLASSES_ROOT, progid + L"\\CLSID", nullptr, BracedGuid(c.clsid));
        if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    }
    return S_OK;
}

// Whether the DLL of the other bitness has the class registered. The
// CLSID keys live apart in the 32-bit and the 64-bit registry view; the
// ProgID keys are one for both. On 32-bit Windows the one view answers.
bool OtherBitnessHasClass(const std::wstring& clsid_key) {
    constexpr REGSAM kOtherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    HKEY h = nullptr;
    const std::wstring key = clsid_key + L"\\InprocServer32";
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE | kOtherView, &h) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(h);
    return true;
}

void UnregisterClasses() {
    for (const ClassDesc& c : Quibor15TypeLibrary().classes) {
        if (!c.IsCreatable()) continue;
        const std::wstring clsid_key = L"CLSID\\" + BracedGuid(c.clsid);
        DeleteTree(HKEY_CLASSES_ROOT, clsid_key);
        // The ProgID stays while the other DLL still serves the class.
        if (!OtherBitnessHasClass(clsid_key)) DeleteTree(HKEY_CLASSES_ROOT, ProgIdOf(c));
    }
}

}  // namespace

HRESULT RegisterServer() {
    try {
        const String path = ServerModule::Get().Path();
        HRESULT hr = RegisterClasses(Wide(path));
        if (FAILED(hr)) return SELFREG_E_CLASS;
        // The type library, and with it the dual interfaces and the event
        // interface (marshalled by the system's type library marshaller).
        ITypeLib* library = nullptr;
        hr = LoadTypeLibEx(win32::WidePtr(path), REGKIND_NONE, &library);
        if (FAILED(hr)) return SELFREG_E_TYPELIB;
        std::wstring file = Wide(path);
        hr = RegisterTypeLib(library, file.data(), nullptr);
        library->Release();
        return FAILED(hr) ? SELFREG_E_TYPELIB : S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UnregisterServer() {
    try {
        UnregisterClasses();
        const TypeLibrary& lib = Quibor15TypeLibrary();
        const GUID libid = ToGuid(lib.libid);
        // The registration of this build's own bitness; the other one's
        // stays for the other DLL.
        constexpr SYSKIND kOwnKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
        const HRESULT hr = UnRegisterTypeLib(libid, lib.major_version, lib.minor_version, lib.lcid, kOwnKind);
        // A library that was never registered is unregistered already.
        if (FAILED(hr) && hr != TYPE_E_REGISTRYACCESS && hr != TYPE_E_LIBNOTREGISTERED) return SELFREG_E_TYPELIB;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace quibor15::com
