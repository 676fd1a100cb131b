// Late binding: names to DISPIDs and Invoke with VARIANTs, by-reference
// arguments of several types, named and left-out arguments, and errors as
// EXCEPINFO.
#include <string>
#include <vector>

#include "client/checks.hpp"

namespace client {

namespace {

VARIANT Text(const wchar_t* text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
}

VARIANT Long4(LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT Ref(VARIANT* target) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_VARIANT | VT_BYREF;
    v.pvarVal = target;
    return v;
}

std::wstring TextOf(const VARIANT& v) { return v.vt == VT_BSTR && v.bstrVal ? v.bstrVal : L"<not text>"; }

void Names() {
    IDispatch* movie = Create(L"quibor15.clsQuiborWUIMMMovieA");
    Check("late: create clsQuiborWUIMMMovieA by ProgID", movie != nullptr);
    if (!movie) return;
    Check("late: names in any case", IdOf(movie, L"SHOWMOVIE") == 0x60030007, Hex(IdOf(movie, L"SHOWMOVIE")));
    Check("late: names in any case (lower)", IdOf(movie, L"getvolume") == 0x60030029);
    DISPID id = 0;
    LPOLESTR names[1] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    CheckHr("late: an unknown name", movie->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
            DISP_E_UNKNOWNNAME);

    // A Long variable passed by reference is the caller's variable.
    VARIANT seconds = Long4(5);
    VARIANT arg = Ref(&seconds);
    VARIANT result;
    VariantInit(&result);
    Call(movie, L"setPositionTo", DISPATCH_METHOD, &arg, 1, &result);
    VariantClear(&result);
    Check("late: a Long variable is assigned", seconds.vt == VT_I4 && seconds.lVal == 5000,
          std::to_string(seconds.lVal));
    // A typed reference of the exact type too.
    LONG raw = 7;
    VARIANT typed;
    VariantInit(&typed);
    typed.vt = VT_I4 | VT_BYREF;
    typed.plVal = &raw;
    Call(movie, L"setPositionTo", DISPATCH_METHOD, &typed, 1, &result);
    VariantClear(&result);
    Check("late: a VT_I4 reference is assigned", raw == 7000, std::to_string(raw));
    // An Integer variable is a converted temporary: unchanged.
    VARIANT small;
    VariantInit(&small);
    small.vt = VT_I2;
    small.iVal = 5;
    arg = Ref(&small);
    Call(movie, L"setPositionTo", DISPATCH_METHOD, &arg, 1, &result);
    VariantClear(&result);
    Check("late: an Integer variable for a Long parameter is left alone", small.vt == VT_I2 && small.iVal == 5);
    movie->Release();
}

void Locale() {
    IDispatch* intl = Create(L"quibor15.clsQuiborInternationalA");
    Check("late: create clsQuiborInternationalA", intl != nullptr);
    if (!intl) return;
    VARIANT us_v;
    VariantInit(&us_v);
    CheckHr("late: SystemDefault", Call(intl, L"SystemDefault", DISPATCH_PROPERTYGET, nullptr, 0, &us_v));
    IDispatch* us = us_v.vt == VT_DISPATCH ? us_v.pdispVal : nullptr;
    if (!us) {
        intl->Release();
        return;
    }
    VARIANT result;
    VariantInit(&result);

    // Left-out optional arguments: the marker and the model's defaults.
    VARIANT args[3];
    VariantInit(&args[0]);
    args[0].vt = VT_R8;
    args[0].dblVal = 1234.5;
    VariantInit(&args[1]);
    args[1].vt = VT_ERROR;
    args[1].scode = DISP_E_PARAMNOTFOUND;
    CheckHr("late: FormatNumber with a left-out argument",
            Call(us, L"FormatNumber", DISPATCH_METHOD, args, 2, &result));
    CheckText("late: two places by default", TextOf(result), L"1,234.50");
    VariantClear(&result);

    // A named argument.
    DISPID ids[2] = {};
    LPOLESTR names[2] = {const_cast<LPOLESTR>(L"formatnumber"), const_cast<LPOLESTR>(L"UseGrouping")};
    CheckHr("late: parameter names", us->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids));
    Check("late: UseGrouping is the third parameter", ids[1] == 2, std::to_string(ids[1]));
    VARIANT named[2];
    VariantInit(&named[0]);
    named[0].vt = VT_BOOL;
    named[0].boolVal = VARIANT_FALSE;  // UseGrouping
    VariantInit(&named[1]);
    named[1].vt = VT_R8;
    named[1].dblVal = 1234.5;  // FNumber, positional
    DISPID named_ids[1] = {2};
    DISPPARAMS params = {named, named_ids, 2, 1};
    EXCEPINFO info = {};
    CheckHr("late: a named argument",
            us->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &params, &result, &info, nullptr));
    CheckText("late: UseGrouping False by name", TextOf(result), L"1234.50");
    VariantClear(&result);
    // A parameter position no member has: refused before any argument is made.
    named_ids[0] = 0x7FFFFFFF;
    CheckHr("late: a named argument far beyond any parameter",
            us->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &params, &result, &info, nullptr), DISP_E_PARAMNOTFOUND);

    // VT_VARIANT | VT_BYREF to a ByRef String: the caller's variable.
    VARIANT text = Text(L"x\x4E9C");
    VARIANT arg = Ref(&text);
    CheckHr("late: LocaleUCase", Call(us, L"LocaleUCase", DISPATCH_METHOD, &arg, 1, &result));
    CheckText("late: LocaleUCase result", TextOf(result), L"X?");
    CheckText("late: a String variable by reference is assigned", TextOf(text), L"x?");
    VariantClear(&result);
    VariantClear(&text);
    // The same with a number in the variable: a converted temporary.
    VARIANT number = Long4(5);
    arg = Ref(&number);
    Call(us, L"LocaleUCase", DISPATCH_METHOD, &arg, 1, &result);
    CheckText("late: LocaleUCase of a number", TextOf(result), L"5");
    Check("late: the number variable keeps its type and value", number.vt == VT_I4 && number.lVal == 5);
    VariantClear(&result);
    // VT_BSTR | VT_BYREF.
    BSTR raw = SysAllocString(L"a\x4E9C");
    VARIANT typed;
    VariantInit(&typed);
    typed.vt = VT_BSTR | VT_BYREF;
    typed.pbstrVal = &raw;
    Call(us, L"LocaleUCase", DISPATCH_METHOD, &typed, 1, &result);
    CheckText("late: a VT_BSTR reference is assigned", raw ? raw : L"", L"a?");
    SysFreeString(raw);
    VariantClear(&result);

    // A Variant array with a lower bound of 5, by reference.
    SAFEARRAYBOUND bound = {3, 5};
    SAFEARRAY* list = SafeArrayCreate(VT_VARIANT, 1, &bound);
    const wchar_t* words[] = {L"pear", L"Apple", L"banana"};
    for (LONG i = 0; i < 3; ++i) {
        LONG index = 5 + i;
        VARIANT w = Text(words[i]);
        SafeArrayPutElement(list, &index, &w);
        VariantClear(&w);
    }
    VARIANT array;
    VariantInit(&array);
    array.vt = VT_ARRAY | VT_VARIANT;
    array.parray = list;
    arg = Ref(&array);
    CheckHr("late: ListSort of an array from 5", Call(us, L"ListSort", DISPATCH_METHOD, &arg, 1, &result));
    std::wstring joined;
    if (result.vt & VT_ARRAY) {
        LONG lower = 0, upper = -1;
        SafeArrayGetLBound(result.parray, 1, &lower);
        SafeArrayGetUBound(result.parray, 1, &upper);
        for (LONG i = lower; i <= upper; ++i) {
            if ((result.vt & VT_TYPEMASK) == VT_BSTR) {
                BSTR w = nullptr;
                SafeArrayGetElement(result.parray, &i, &w);
                joined += (i > lower ? L"," : L"") + std::wstring(w ? w : L"");
                SysFreeString(w);
            }
        }
    }
    CheckText("late: ListSort result", joined, L"Apple,banana,pear");
    VariantClear(&result);
    VariantClear(&array);

    // Errors as EXCEPINFO.
    VARIANT day = Long4(0);
    EXCEPINFO error = {};
    HRESULT hr = Call(us, L"GetDayName", DISPATCH_METHOD, &day, 1, &result, &error);
    CheckHr("late: GetDayName 0 raises", hr, DISP_E_EXCEPTION);
    Check("late: EXCEPINFO number", error.scode == static_cast<SCODE>(0x80040000), Hex(error.scode));
    CheckText("late: EXCEPINFO source", error.bstrSource ? error.bstrSource : L"", L"Locale");
    CheckText("late: EXCEPINFO description", error.bstrDescription ? error.bstrDescription : L"",
              L"Day index out of range (1-7 only)");
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    error = {};
    day = Long4(70000);
    hr = Call(us, L"GetDayName", DISPATCH_METHOD, &day, 1, &result, &error);
    Check("late: a run-time error is 0x800A0000 + its number", error.scode == static_cast<SCODE>(0x800A0006),
          Hex(error.scode));
    CheckText("late: Overflow", error.bstrDescription ? error.bstrDescription : L"", L"Overflow");
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    error = {};
    // The "parameter not found" marker where no optional parameter is.
    VARIANT missing;
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    Call(us, L"GetDayName", DISPATCH_METHOD, &missing, 1, &result, &error);
    Check("late: a left-out argument that is not optional is error 449", error.scode == static_cast<SCODE>(0x800A01C1),
          Hex(error.scode));
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    error = {};
    // Too many arguments: as few as a call keeps on the stack, and more.
    // The texts by reference go through the conversions and back.
    for (const UINT count : {3u, 12u}) {
        const std::string what = " (" + std::to_string(count) + " arguments)";
        std::vector<BSTR> texts(count);
        std::vector<VARIANT> many(count);
        many[0] = Long4(1);
        for (UINT i = 1; i < count; ++i) {
            texts[i] = SysAllocString(L"a text longer than any short string");
            VariantInit(&many[i]);
            many[i].vt = VT_BSTR | VT_BYREF;
            many[i].pbstrVal = &texts[i];
        }
        Call(us, L"GetDayName", DISPATCH_METHOD, many.data(), count, &result, &error);
        Check("late: too many arguments is error 450" + what, error.scode == static_cast<SCODE>(0x800A01C2),
              Hex(error.scode));
        bool kept = true;
        for (UINT i = 1; i < count; ++i) {
            kept = kept && texts[i] && std::wstring(texts[i]) == L"a text longer than any short string";
            SysFreeString(texts[i]);
        }
        Check("late: the variables by reference keep their texts" + what, kept);
        SysFreeString(error.bstrSource);
        SysFreeString(error.bstrDescription);
        error = {};
    }

    us->Release();
    intl->Release();
}

void Properties() {
    IDispatch* play = Create(L"quibor15.clsQuiborInterplayA");
    if (!play) return;
    VARIANT value = Long4(-42);
    CheckHr("late: property put", Call(play, L"PlayMethod", DISPATCH_PROPERTYPUT, &value, 1, nullptr));
    VARIANT result;
    VariantInit(&result);
    Call(play, L"PlayMethod", DISPATCH_PROPERTYGET, nullptr, 0, &result);
    Check("late: property get", result.vt == VT_I4 && result.lVal == -42);
    play->Release();
}

}  // namespace

void LateBoundTests() {
    Names();
    Locale();
    Properties();
}

}  // namespace client
