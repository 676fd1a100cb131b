// Values and errors across the automation boundary: the component's Variant
// and the system's VARIANT, String and BSTR, SafeArray and SAFEARRAY, the
// component's AutomationError and HRESULT / EXCEPINFO / IErrorInfo.
//
// Objects cross both ways: a foreign IDispatch becomes a DispatchObject
// (reached late-bound through IDispatch); a component object becomes the
// COM object the server gives it, through the ObjectExporter the server
// installs. A COM object of the server brings back the component object it
// stands for, so identities survive the round trip.
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

#include "quibor15/object.hpp"

namespace quibor15::win32 {

// Texts.
BSTR ToBstr(std::u16string_view text);  // std::bad_alloc when out of memory
String FromBstr(BSTR text);

// How component objects become COM objects: the in-process server's part.
class ObjectExporter {
public:
    virtual ~ObjectExporter() = default;
    // A new reference to the COM object for `object` (never Nothing).
    virtual IDispatch* Export(const ObjectRef& object) = 0;
    // The component object behind a COM object of the server, or Nothing
    // when the COM object is not one of the server's.
    virtual ObjectRef Unwrap(IUnknown* unknown) = 0;
};
void InstallObjectExporter(ObjectExporter* exporter) noexcept;

// A new reference to the IDispatch of an object (nullptr for Nothing).
IDispatch* ExportObject(const ObjectRef& object);
// The object behind an interface pointer (Nothing for nullptr). Error 13
// for an object without IDispatch.
ObjectRef ImportObject(IUnknown* unknown);

// VARIANT to Variant: by-reference VARIANTs are read through, integer types
// the component has no type of its own for take the nearest (VT_I1 and
// VT_UI1 as Integer / Byte, VT_UI2 as Long, VT_I8 and wider as Double).
// Error 13 for types with no Variant form (records, pointers).
Variant FromVariant(const VARIANT& v);
// Variant to a VARIANT the caller owns (its old content is not freed).
void ToVariant(const Variant& value, VARIANT* out);
// Stores a value into the caller's variable behind a by-reference VARIANT:
// a VT_VARIANT reference takes it as it is; a typed reference takes it
// converted to its type (unchanged when it does not convert).
void StoreThroughReference(const Variant& value, const VARIANT& reference);

// SAFEARRAY to a SafeArray of the same bounds (any lower bound, any rank)
// and back.
SafeArray FromSafeArray(const SAFEARRAY* array, VARTYPE element_type);
SAFEARRAY* ToSafeArray(const SafeArray& array);  // a new array the caller owns

// Error numbers and HRESULTs: a run-time error number n below 65536 is the
// HRESULT 0x800A0000 | n; an object error (0x8004xxxx) or any other
// failure code is its own HRESULT.
HRESULT ErrorHresult(int32_t number) noexcept;
int32_t ErrorNumber(HRESULT hr) noexcept;

// Fills an EXCEPINFO with the error's number, source and description.
void FillExcepInfo(const AutomationError& error, EXCEPINFO* info);
// Sets the thread's IErrorInfo for an early-bound caller and returns the
// error's HRESULT.
HRESULT ReportError(const AutomationError& error, REFIID iid) noexcept;

// The AutomationError of a failed call: from the EXCEPINFO of a
// DISP_E_EXCEPTION, from the thread's IErrorInfo, or from the HRESULT alone
// (the dispatch errors map to the run-time errors they stand for).
AutomationError ErrorFromHresult(HRESULT hr, EXCEPINFO* info = nullptr, IUnknown* object = nullptr,
                                 REFIID iid = IID_NULL);

// Owns a VARIANT and clears it when it goes.
class ScopedVariant {
public:
    ScopedVariant() noexcept { VariantInit(&v_); }
    ~ScopedVariant() { VariantClear(&v_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT* get() noexcept { return &v_; }
    const VARIANT& operator*() const noexcept { return v_; }

private:
    VARIANT v_;
};

}  // namespace quibor15::win32
