#include "client/checks.hpp"

#include <cstdio>
#include <vector>

namespace client {

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::string Hex(long value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(value));
    return buffer;
}

void Check(const std::string& name, bool ok, const std::string& detail) {
    if (ok) {
        std::printf("ok - %s\n", name.c_str());
    } else {
        std::printf("not ok - %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    }
    std::fflush(stdout);
}

void CheckHr(const std::string& name, HRESULT hr, HRESULT expected) {
    Check(name, hr == expected, "HRESULT " + Hex(hr) + ", expected " + Hex(expected));
}

void CheckText(const std::string& name, const std::wstring& actual, const std::wstring& expected) {
    Check(name, actual == expected, "got [" + Narrow(actual) + "], expected [" + Narrow(expected) + "]");
}

ErrorText LastErrorInfo() {
    ErrorText out;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info) return out;
    Bstr source, description;
    info->GetSource(&source);
    info->GetDescription(&description);
    out.source = source.text();
    out.description = description.text();
    info->Release();
    return out;
}

IDispatch* Create(const wchar_t* progid) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progid, &clsid))) return nullptr;
    IDispatch* object = nullptr;
    if (FAILED(
            CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object)))) {
        return nullptr;
    }
    return object;
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

HRESULT Call(IDispatch* object, const wchar_t* name, WORD flags, VARIANT* args, UINT count, VARIANT* result,
             EXCEPINFO* info) {
    const DISPID id = IdOf(object, name);
    std::vector<VARIANT> reversed(args, args + count);
    for (UINT i = 0; i < count; ++i) reversed[i] = args[count - 1 - i];
    DISPID put = DISPID_PROPERTYPUT;
    const bool assigning = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    DISPPARAMS params = {reversed.data(), assigning ? &put : nullptr, count, assigning ? 1u : 0u};
    EXCEPINFO local = {};
    UINT arg_error = 0;
    const HRESULT hr =
        object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, info ? info : &local, &arg_error);
    if (!info) {
        SysFreeString(local.bstrSource);
        SysFreeString(local.bstrDescription);
        SysFreeString(local.bstrHelpFile);
    }
    return hr;
}

}  // namespace client
