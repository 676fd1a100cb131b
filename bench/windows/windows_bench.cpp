// The same work done by Windows' own code and by quibor15.dll, in one
// program, so that the two can be compared as ratios of one run:
//   - the catalogue probe: IsValidLocale over the 2,121 candidate
//     identifiers and, for each installed one, the information values and
//     the picture enumerations the catalogue reads; against creating
//     clsQuiborInternationalA, which does that and builds its objects;
//   - the selection sort of 100 texts over CompareStringA; against the
//     locale's ListSort;
//   - a member call through an object whose IDispatch is oleaut32's
//     (DispGetIDsOfNames and DispInvoke over a type library) by DISPID and
//     by name; against clsQuiborInterplayA's PlayMethod of the same
//     signature.
// Usage: windows_bench.exe PATH\quibor15.dll. Prints one line per figure:
// "name<TAB>nanoseconds per run", the best of several batches.
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "quibor15_h.h"
#include "std_object_h.h"

namespace {

constexpr LCID kEnglish = 0x0409;
constexpr DISPID kPlayMethod = 0x68030000;

[[noreturn]] void Fail(const char* what, HRESULT hr = E_FAIL) {
    std::fprintf(stderr, "windows_bench: %s (0x%08lX)\n", what, static_cast<unsigned long>(hr));
    std::exit(1);
}

void Check(HRESULT hr, const char* what) {
    if (FAILED(hr)) Fail(what, hr);
}

double Now() {
    static const double ns_per_tick = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return 1e9 / static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * ns_per_tick;
}

// Nanoseconds per run of work: batches of about 50 ms each, the best of
// seven (the machine is shared; the best batch is the least disturbed).
template <class Work>
double NsPer(Work work) {
    double start = Now();
    work();
    const double once = std::max(Now() - start, 1.0);
    const long runs = std::max(1L, static_cast<long>(50e6 / once));
    double best = 1e300;
    for (int batch = 0; batch < 7; ++batch) {
        start = Now();
        for (long k = 0; k < runs; ++k) work();
        best = std::min(best, (Now() - start) / static_cast<double>(runs));
    }
    return best;
}

void Report(const char* name, double ns) {
    std::printf("%s\t%.1f\n", name, ns);
    std::fflush(stdout);
}

// ---- the catalogue probe

long g_pictures = 0;
BOOL CALLBACK CountPicture(LPSTR) {
    ++g_pictures;
    return TRUE;
}

int CatalogueProbe() {
    char text[256];
    int installed = 0;
    for (int primary = 0; primary <= 100; ++primary) {
        for (int sub = 0; sub <= 20; ++sub) {
            const LCID lcid = static_cast<LCID>(sub << 10 | primary);
            if (!IsValidLocale(lcid, LCID_INSTALLED)) continue;
            ++installed;
            for (LCTYPE code : {LOCALE_SABBREVLANGNAME, LOCALE_SLANGUAGE, LOCALE_SENGLANGUAGE, LOCALE_SNATIVELANGNAME,
                                LOCALE_ICALENDARTYPE})
                GetLocaleInfoA(lcid, code, text, sizeof text);
            EnumDateFormatsA(CountPicture, lcid, DATE_SHORTDATE);
            EnumDateFormatsA(CountPicture, lcid, DATE_LONGDATE);
            EnumTimeFormatsA(CountPicture, lcid, 0);
        }
    }
    return installed;
}

// ---- the sort

// The texts of the Linux benchmark's ListSort100.
std::vector<std::string> HundredTexts() {
    const char* words[] = {"pear", "Apple", "banana", "cherry", "date", "Elder", "fig", "grape", "kiwi", "Lemon"};
    std::vector<std::string> texts;
    for (int k = 0; k < 100; ++k) {
        texts.push_back(std::string(words[(k * 7) % 10]) + " " + static_cast<char>('a' + k % 26) +
                        static_cast<char>('0' + k / 26));
    }
    return texts;
}

// The component's selection sort: each pass takes the first of the least
// remaining texts, comparing ignoring case.
std::vector<std::string> SelectionSort(std::vector<std::string> work) {
    std::vector<std::string> sorted;
    for (size_t pass = 0; pass < work.size(); ++pass) {
        long best = -1;
        for (size_t j = 0; j < work.size(); ++j) {
            if (work[j].empty()) continue;
            if (best < 0) {
                best = static_cast<long>(j);
                continue;
            }
            const int r = CompareStringA(kEnglish, NORM_IGNORECASE, work[j].c_str(), -1, work[best].c_str(), -1);
            if (r == 0) Fail("CompareStringA failed");
            if (r == CSTR_LESS_THAN) best = static_cast<long>(j);
        }
        if (best < 0) continue;
        sorted.push_back(std::move(work[best]));
        work[best].clear();
    }
    return sorted;
}

// ---- the baseline object: its IDispatch is oleaut32's over the type
// library in this program's resources

class StdInterplay final : public IStdInterplay {
public:
    explicit StdInterplay(ITypeInfo* info) : info_(info) { info_->AddRef(); }
    ~StdInterplay() { info_->Release(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IStdInterplay) {
            *out = static_cast<IStdInterplay*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        info_->AddRef();
        *info = info_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return DispGetIDsOfNames(info_, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* arg_error) override {
        return DispInvoke(static_cast<IStdInterplay*>(this), info_, id, flags, params, result, exception, arg_error);
    }
    HRESULT STDMETHODCALLTYPE get_PlayMethod(LONG* value) override {
        *value = value_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_PlayMethod(LONG value) override {
        value_ = value;
        return S_OK;
    }

private:
    ULONG refs_ = 1;
    ITypeInfo* info_;
    LONG value_ = 7;
};

ITypeInfo* StdInterplayTypeInfo() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    ITypeLib* library = nullptr;
    Check(LoadTypeLibEx(self, REGKIND_NONE, &library), "LoadTypeLibEx of the program's type library");
    ITypeInfo* info = nullptr;
    Check(library->GetTypeInfoOfGuid(IID_IStdInterplay, &info), "GetTypeInfoOfGuid(IStdInterplay)");
    library->Release();
    return info;
}

// ---- quibor15.dll, loaded from its path (no registration needed)

class Server {
public:
    explicit Server(const wchar_t* path) {
        module_ = LoadLibraryW(path);
        if (!module_) Fail("LoadLibrary of quibor15.dll", HRESULT_FROM_WIN32(GetLastError()));
        get_class_ =
            reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
        if (!get_class_) Fail("DllGetClassObject not exported");
    }
    IClassFactory* Factory(REFCLSID clsid) const {
        IClassFactory* factory = nullptr;
        Check(get_class_(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), "DllGetClassObject");
        return factory;
    }

private:
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    HMODULE module_ = nullptr;
    GetClassObject get_class_ = nullptr;
};

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    Check(object->GetIDsOfNames(IID_NULL, names, 1, kEnglish, &id), "GetIDsOfNames");
    return id;
}

VARIANT Get(IDispatch* object, DISPID id, DISPPARAMS* params = nullptr) {
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    Check(object->Invoke(id, IID_NULL, kEnglish, DISPATCH_METHOD | DISPATCH_PROPERTYGET, params ? params : &none,
                         &result, nullptr, nullptr),
          "Invoke");
    return result;
}

// The four calls of one object: early-bound, late-bound by DISPID, by name.
template <class Early>
void MeasureCalls(const char* who, IDispatch* object, Early early) {
    volatile LONG sink = 0;
    Report((std::string(who) + ".early_bound_get").c_str(), NsPer([&] {
               LONG v = 0;
               early(&v);
               sink = sink + v;
           }));
    Report((std::string(who) + ".invoke_by_dispid").c_str(), NsPer([&] {
               VARIANT v = Get(object, kPlayMethod);
               sink = sink + v.lVal;
           }));
    Report((std::string(who) + ".invoke_by_name").c_str(), NsPer([&] {
               VARIANT v = Get(object, IdOf(object, L"playmethod"));
               sink = sink + v.lVal;
           }));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: windows_bench PATH\\quibor15.dll\n");
        return 2;
    }
    Check(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), "CoInitializeEx");
    const Server server(argv[1]);

    // The catalogue.
    const int installed = CatalogueProbe();
    std::printf("# the probe: %d installed locales, %ld pictures\n", installed, g_pictures);
    Report("windows.catalogue_probe", NsPer([] { CatalogueProbe(); }));
    IClassFactory* international = server.Factory(CLSID_clsQuiborInternationalA);
    Report("quibor15.catalogue_creation", NsPer([&] {
               IDispatch* catalogue = nullptr;
               Check(international->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&catalogue)),
                     "create clsQuiborInternationalA");
               catalogue->Release();
           }));

    // The sort.
    const std::vector<std::string> texts = HundredTexts();
    Report("windows.comparestringa_sort100", NsPer([&] {
               if (SelectionSort(texts).size() != texts.size()) Fail("the sort lost texts");
           }));
    IDispatch* catalogue = nullptr;
    Check(international->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&catalogue)),
          "create clsQuiborInternationalA");
    VARIANT locale = Get(catalogue, IdOf(catalogue, L"SystemDefault"));
    if (locale.vt != VT_DISPATCH || !locale.pdispVal) Fail("SystemDefault is no object");
    SAFEARRAY* list = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(texts.size()));
    for (LONG k = 0; k < static_cast<LONG>(texts.size()); ++k) {
        std::wstring wide(texts[k].begin(), texts[k].end());
        BSTR text = SysAllocString(wide.c_str());
        SafeArrayPutElement(list, &k, text);
        SysFreeString(text);
    }
    VARIANT args[3];  // in reverse: CaseSensitive, Ascending, List
    for (VARIANT& a : args) VariantInit(&a);
    args[0].vt = args[1].vt = VT_BOOL;
    args[0].boolVal = args[1].boolVal = VARIANT_TRUE;
    args[2].vt = VT_ARRAY | VT_BSTR;
    args[2].parray = list;
    DISPPARAMS sort_params = {args, nullptr, 3, 0};
    const DISPID list_sort = IdOf(locale.pdispVal, L"ListSort");
    Report("quibor15.listsort100", NsPer([&] {
               VARIANT sorted = Get(locale.pdispVal, list_sort, &sort_params);
               VariantClear(&sorted);
           }));
    SafeArrayDestroy(list);
    VariantClear(&locale);
    catalogue->Release();
    international->Release();

    // The member calls.
    ITypeInfo* info = StdInterplayTypeInfo();
    StdInterplay* baseline = new StdInterplay(info);
    // Through the interface, as a caller that only has the pointer calls.
    IStdInterplay* volatile as_interface = baseline;
    MeasureCalls("windows", baseline, [&](LONG* v) { as_interface->get_PlayMethod(v); });
    baseline->Release();
    info->Release();

    IClassFactory* interplay_class = server.Factory(CLSID_clsQuiborInterplayA);
    _clsQuiborInterplayA* interplay = nullptr;
    Check(interplay_class->CreateInstance(nullptr, IID__clsQuiborInterplayA, reinterpret_cast<void**>(&interplay)),
          "create clsQuiborInterplayA");
    MeasureCalls("quibor15", interplay, [&](LONG* v) { interplay->get_PlayMethod(v); });
    interplay->Release();
    interplay_class->Release();

    CoUninitialize();
    std::printf("DONE\n");
    return 0;
}
