// The server's registration, its resources and its four entry points.
#include "client/checks.hpp"

namespace client {

namespace {

std::wstring RegistryText(const std::wstring& key, const wchar_t* name) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return buffer;
}

std::wstring GuidText(const GUID& guid) {
    wchar_t text[64] = {};
    StringFromGUID2(guid, text, 64);
    return text;
}

void Registration(const wchar_t* dll_path) {
    CLSID clsid;
    CheckHr("server: the ProgID is registered", CLSIDFromProgID(L"quibor15.clsQuiborWizardA", &clsid));
    Check("server: the ProgID names the class's CLSID", clsid == CLSID_clsQuiborWizardA);
    const std::wstring key = L"CLSID\\" + GuidText(CLSID_clsQuiborWizardA);
    CheckText("server: ThreadingModel", RegistryText(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    CheckText("server: InprocServer32 is the DLL", RegistryText(key + L"\\InprocServer32", nullptr), dll_path);
    CheckText("server: the class names its ProgID", RegistryText(key + L"\\ProgID", nullptr),
              L"quibor15.clsQuiborWizardA");
    CheckText("server: the class names the type library", RegistryText(key + L"\\TypeLib", nullptr),
              GuidText(LIBID_quibor15));
    CheckHr("server: a class callers cannot create has no ProgID",
            CLSIDFromProgID(L"quibor15.clsQuiborLocaleA", &clsid), CO_E_CLASSSTRING);
    CheckText("server: the global classes are registered",
              RegistryText(L"quibor15.clsQuiborWUIRunTimeA\\CLSID", nullptr), GuidText(CLSID_clsQuiborWUIRunTimeA));

    ITypeLib* library = nullptr;
    CheckHr("server: the type library is registered", LoadRegTypeLib(LIBID_quibor15, 2, 2, 0x409, &library));
    if (library) {
        BSTR name = nullptr;
        library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
        CheckText("server: the type library's name", name ? name : L"", L"quibor15");
        SysFreeString(name);
        ITypeInfo* info = nullptr;
        CheckHr("server: the dual interface of the locale", library->GetTypeInfoOfGuid(IID__clsQuiborLocaleA, &info));
        if (info) {
            TYPEATTR* attr = nullptr;
            info->GetTypeAttr(&attr);
            Check("server: it is dual", attr && (attr->wTypeFlags & TYPEFLAG_FDUAL));
            if (attr) info->ReleaseTypeAttr(attr);
            info->Release();
        }
        library->Release();
    }
}

// Entry n of a string table block (entries are counted UTF-16 texts).
std::wstring BlockEntry(const WORD* block, DWORD size, int n) {
    const WORD* p = block;
    const WORD* end = block + size / 2;
    for (int i = 0; i < 16 && p < end; ++i) {
        const WORD length = *p++;
        if (i == n) return std::wstring(reinterpret_cast<const wchar_t*>(p), length);
        p += length;
    }
    return L"<missing>";
}

void StringTable(HMODULE module) {
    // Entries 110 and 111 are in block 7 (identifiers 96 to 111), 112 and
    // 113 in block 8.
    const WORD language = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    HRSRC block7 = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(7), language);
    HRSRC block8 = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(8), language);
    Check("server: the string table is a resource in language 1033", block7 && block8);
    if (!block7 || !block8) return;
    auto* b7 = static_cast<const WORD*>(LockResource(LoadResource(module, block7)));
    auto* b8 = static_cast<const WORD*>(LockResource(LoadResource(module, block8)));
    CheckText("server: string 110", BlockEntry(b7, SizeofResource(module, block7), 110 - 96), L"&OK");
    CheckText("server: string 111", BlockEntry(b7, SizeofResource(module, block7), 111 - 96), L"&Cancel");
    CheckText("server: string 112", BlockEntry(b8, SizeofResource(module, block8), 112 - 112), L"Select Language");
    CheckText("server: string 113", BlockEntry(b8, SizeofResource(module, block8), 113 - 112),
              L"&Select the Present User Interface Language from the choices below.");
    Check("server: the type library is a TYPELIB resource",
          FindResourceW(module, MAKEINTRESOURCEW(1), L"TYPELIB") != nullptr);
}

void EntryPoints(HMODULE module) {
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    auto can_unload =
        reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    Check("server: the four entry points", get && can_unload && GetProcAddress(module, "DllRegisterServer") &&
                                               GetProcAddress(module, "DllUnregisterServer"));
    if (!get || !can_unload) return;
    CheckHr("server: nothing alive, the DLL may go", can_unload(), S_OK);

    IClassFactory* factory = nullptr;
    CheckHr("server: a factory of a creatable class",
            get(CLSID_clsQuiborWUIBCAT175A, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
    IClassFactory* global = nullptr;
    CheckHr("server: a factory of a global class",
            get(CLSID_clsQuiborWUIRunTimeA, IID_IClassFactory, reinterpret_cast<void**>(&global)));
    if (global) global->Release();
    IClassFactory* none = nullptr;
    CheckHr("server: no factory for a class callers cannot create",
            get(CLSID_clsQuiborLocaleA, IID_IClassFactory, reinterpret_cast<void**>(&none)), CLASS_E_CLASSNOTAVAILABLE);
    if (!factory) return;
    CheckHr("server: a live factory keeps the DLL", can_unload(), S_FALSE);
    IDispatch* object = nullptr;
    CheckHr("server: CreateInstance",
            factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)));
    IUnknown* outer = reinterpret_cast<IUnknown*>(factory);
    IUnknown* aggregated = nullptr;
    CheckHr("server: no aggregation",
            factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&aggregated)), CLASS_E_NOAGGREGATION);
    factory->LockServer(TRUE);
    factory->Release();
    CheckHr("server: a live object keeps the DLL", can_unload(), S_FALSE);
    if (object) object->Release();
    CheckHr("server: a factory lock keeps the DLL", can_unload(), S_FALSE);
    IClassFactory* again = nullptr;
    get(CLSID_clsQuiborWUIBCAT175A, IID_IClassFactory, reinterpret_cast<void**>(&again));
    if (again) {
        again->LockServer(FALSE);
        again->Release();
    }
    CheckHr("server: no object and no lock, the DLL may go", can_unload(), S_OK);
}

}  // namespace

void ServerTests(const wchar_t* dll_path) {
    Registration(dll_path);
    HMODULE module = LoadLibraryW(dll_path);
    Check("server: LoadLibrary", module != nullptr);
    if (!module) return;
    StringTable(module);
    EntryPoints(module);
    FreeLibrary(module);
}

}  // namespace client
