// The client's test output: one "ok - name" or "not ok - name: detail" line
// per check, as the Windows test runner counts them.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// These build on the declarations of <windows.h>.
#include <oleauto.h>
#include <olectl.h>

#include <string>

#include "quibor15_h.h"

namespace client {

void Check(const std::string& name, bool ok, const std::string& detail = "");
void CheckHr(const std::string& name, HRESULT hr, HRESULT expected = S_OK);
void CheckText(const std::string& name, const std::wstring& actual, const std::wstring& expected);

std::string Narrow(const std::wstring& text);
std::string Hex(long value);

// A BSTR owned for one scope.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : b_(SysAllocString(text)) {}
    ~Bstr() { SysFreeString(b_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR* operator&() {
        SysFreeString(b_);
        b_ = nullptr;
        return &b_;
    }
    BSTR get() const { return b_; }
    std::wstring text() const { return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring(); }

private:
    BSTR b_ = nullptr;
};

// The error information the last failing call left for this thread.
struct ErrorText {
    std::wstring source;
    std::wstring description;
};
ErrorText LastErrorInfo();

// A new object of a class by ProgID, as IDispatch (nullptr on failure).
IDispatch* Create(const wchar_t* progid);

// Late binding: the DISPID of a name, and a call with arguments given in
// natural order (converted to reverse order here).
DISPID IdOf(IDispatch* object, const wchar_t* name);
HRESULT Call(IDispatch* object, const wchar_t* name, WORD flags, VARIANT* args, UINT count, VARIANT* result,
             EXCEPINFO* info = nullptr);

void EarlyBoundTests();
void LateBoundTests();
void EventTests();
void ServerTests(const wchar_t* dll_path);

}  // namespace client
