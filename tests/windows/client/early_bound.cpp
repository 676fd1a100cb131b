// Early binding: calls through the function tables of the interfaces widl
// generated from the type library.
#include "client/checks.hpp"

namespace client {

namespace {

template <class I>
I* CreateAs(const CLSID& clsid, const IID& iid) {
    I* object = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, reinterpret_cast<void**>(&object)))) {
        return nullptr;
    }
    return object;
}

void StringCode() {
    auto* code = CreateAs<_clsQuiborWUIBCAT175A>(CLSID_clsQuiborWUIBCAT175A, IID__clsQuiborWUIBCAT175A);
    Check("early: create clsQuiborWUIBCAT175A through its interface", code != nullptr);
    if (!code) return;
    Bstr input(L"abc");
    CheckHr("early: put_InputString", code->put_InputString(input.get()));
    VARIANT out;
    VariantInit(&out);
    CheckHr("early: get_OutputCode", code->get_OutputCode(&out));
    Check("early: the code of abc", out.vt == VT_BSTR && std::wstring(out.bstrVal) == L"1100102000593");
    VariantClear(&out);
    CheckHr("early: a null result pointer", code->get_OutputCode(nullptr), E_POINTER);
    code->Release();
}

void Locale() {
    auto* intl = CreateAs<_clsQuiborInternationalA>(CLSID_clsQuiborInternationalA, IID__clsQuiborInternationalA);
    Check("early: create clsQuiborInternationalA", intl != nullptr);
    if (!intl) return;
    _clsQuiborLocaleA* us = nullptr;
    CheckHr("early: get_SystemDefault", intl->get_SystemDefault(&us));
    if (!us) {
        intl->Release();
        return;
    }
    LONG lcid = 0;
    us->get_LCID(&lcid);
    Check("early: LCID", lcid == 1033, std::to_string(lcid));

    double number = 1234.5;
    short places = 2;
    VARIANT_BOOL grouping = VARIANT_TRUE;
    Bstr text;
    CheckHr("early: FormatNumber", us->FormatNumber(&number, &places, &grouping, &text));
    CheckText("early: FormatNumber text", text.text(), L"1,234.50");

    short day = 1;
    VARIANT_BOOL abbreviate = VARIANT_FALSE;
    Bstr name;
    CheckHr("early: GetDayName", us->GetDayName(&day, &abbreviate, &name));
    CheckText("early: GetDayName text", name.text(), L"Monday");

    // An error of the component: its HRESULT, and IErrorInfo with the
    // source and description.
    day = 0;
    Bstr none;
    const HRESULT hr = us->GetDayName(&day, &abbreviate, &none);
    CheckHr("early: GetDayName 0 fails with the object error", hr, static_cast<HRESULT>(0x80040000));
    ISupportErrorInfo* support = nullptr;
    us->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support));
    Check("early: the interface gives error information",
          support && support->InterfaceSupportsErrorInfo(IID__clsQuiborLocaleA) == S_OK);
    if (support) support->Release();
    const ErrorText error = LastErrorInfo();
    CheckText("early: error source", error.source, L"Locale");
    CheckText("early: error description", error.description, L"Day index out of range (1-7 only)");

    // A run-time error's HRESULT is 0x800A0000 + its number.
    BSTR bad = SysAllocString(L"2/30/2010");
    DATE date = 0;
    CheckHr("early: LocaleCDate error", us->LocaleCDate(&bad, &date), static_cast<HRESULT>(0x80040001));
    CheckText("early: LocaleCDate error source", LastErrorInfo().source, L"Locale ENU");
    SysFreeString(bad);

    // A by-reference String the member assigns to.
    BSTR inout = SysAllocString(L"x\x4E9C");
    Bstr upper;
    CheckHr("early: LocaleUCase", us->LocaleUCase(&inout, &upper));
    CheckText("early: LocaleUCase result", upper.text(), L"X?");
    CheckText("early: LocaleUCase writes back its argument", inout ? inout : L"", L"x?");
    SysFreeString(inout);

    // A String array with a lower bound of 1.
    SAFEARRAYBOUND bound = {3, 1};
    SAFEARRAY* list = SafeArrayCreate(VT_BSTR, 1, &bound);
    const wchar_t* words[] = {L"pear", L"Apple", L"banana"};
    for (LONG i = 0; i < 3; ++i) {
        LONG index = i + 1;
        BSTR w = SysAllocString(words[i]);
        SafeArrayPutElement(list, &index, w);
        SysFreeString(w);
    }
    VARIANT_BOOL ascending = VARIANT_TRUE, case_sensitive = VARIANT_TRUE;
    SAFEARRAY* sorted = nullptr;
    CheckHr("early: ListSort", us->ListSort(&list, &ascending, &case_sensitive, &sorted));
    if (sorted) {
        LONG lower = 0, upper_bound = 0;
        SafeArrayGetLBound(sorted, 1, &lower);
        SafeArrayGetUBound(sorted, 1, &upper_bound);
        std::wstring joined;
        for (LONG i = lower; i <= upper_bound; ++i) {
            BSTR w = nullptr;
            SafeArrayGetElement(sorted, &i, &w);
            joined += (i > lower ? L"," : L"") + std::wstring(w ? w : L"");
            SysFreeString(w);
        }
        CheckText("early: ListSort order", joined, L"Apple,banana,pear");
        VARTYPE vt = VT_EMPTY;
        SafeArrayGetVartype(sorted, &vt);
        Check("early: ListSort gives a String array", vt == VT_BSTR);
        SafeArrayDestroy(sorted);
    }
    if (list) SafeArrayDestroy(list);

    // The catalogue: Count, Item and the enumerator.
    _clsQuiborLocalesA* locales = nullptr;
    intl->get_Locales(&locales);
    if (locales) {
        LONG count = 0;
        locales->get_Count(&count);
        Check("early: the catalogue has locales", count > 100, std::to_string(count));
        IUnknown* unknown = nullptr;
        CheckHr("early: get_NewEnum", locales->get_NewEnum(&unknown));
        IEnumVARIANT* items = nullptr;
        if (unknown) unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items));
        Check("early: the enumerator is an IEnumVARIANT", items != nullptr);
        LONG seen = 0;
        if (items) {
            VARIANT item;
            VariantInit(&item);
            ULONG fetched = 0;
            while (items->Next(1, &item, &fetched) == S_OK && fetched == 1) {
                if (item.vt == VT_DISPATCH) ++seen;
                VariantClear(&item);
            }
            items->Release();
        }
        if (unknown) unknown->Release();
        Check("early: the enumerator reaches every locale", seen == count,
              std::to_string(seen) + " of " + std::to_string(count));
        VARIANT key;
        VariantInit(&key);
        key.vt = VT_I4;
        key.lVal = 1;
        _clsQuiborLocaleA* first = nullptr;
        CheckHr("early: get_Item", locales->get_Item(&key, &first));
        Check("early: Item gives a locale", first != nullptr);
        if (first) first->Release();
        locales->Release();
    }
    us->Release();
    intl->Release();
}

void ByReference() {
    auto* movie = CreateAs<_clsQuiborWUIMMMovieA>(CLSID_clsQuiborWUIMMMovieA, IID__clsQuiborWUIMMMovieA);
    Check("early: create clsQuiborWUIMMMovieA", movie != nullptr);
    if (!movie) return;
    LONG seconds = 5;
    VARIANT result;
    VariantInit(&result);
    movie->setPositionTo(&seconds, &result);
    VariantClear(&result);
    Check("early: setPositionTo writes back its Long", seconds == 5000, std::to_string(seconds));
    movie->Release();

    auto* play = CreateAs<_clsQuiborInterplayA>(CLSID_clsQuiborInterplayA, IID__clsQuiborInterplayA);
    if (!play) return;
    LONG value = 1;
    play->get_PlayMethod(&value);
    Check("early: PlayMethod starts at 0", value == 0);
    play->put_PlayMethod(-7);
    play->get_PlayMethod(&value);
    Check("early: PlayMethod keeps what it is given", value == -7);
    play->Release();
}

}  // namespace

void EarlyBoundTests() {
    StringCode();
    Locale();
    ByReference();
}

}  // namespace client
