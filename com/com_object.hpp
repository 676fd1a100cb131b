// The COM objects of the in-process server. Each object of the component
// that crosses the boundary gets one COM object (the same one every time,
// so identity holds):
//   - a class of the type library gets ComObject<interface, class>: the
//     dual interface widl generated, in table order, whose entries are
//     adapters (generated from the model, com_adapters.cpp) calling the
//     class's C++ interface; IDispatch over the component's own member
//     tables; IProvideClassInfo2, ISupportErrorInfo, and for a class with
//     events IConnectionPointContainer;
//   - any other object (a Collection, an enumerator) gets a plain
//     IDispatch, and IEnumVARIANT when it is an enumerator.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// These build on the declarations of <windows.h>.
#include <ocidl.h>
#include <olectl.h>

#include <new>
#include <utility>

#include "frame/dispatch.hpp"
#include "platform/win32/dispatch_invoke.hpp"
#include "platform/win32/ole_bridge.hpp"
#include "quibor15/component.hpp"

namespace quibor15::com {

// The server's own interface on each of its COM objects: the component
// object behind it. Private to this DLL (in-process only, never marshalled).
// {8E3D53B4-5C0A-4F43-9E0B-5B3E2C7A1D15}
inline constexpr GUID kIidComponentObject = {
    0x8e3d53b4, 0x5c0a, 0x4f43, {0x9e, 0x0b, 0x5b, 0x3e, 0x2c, 0x7a, 0x1d, 0x15}};

struct IComponentObject : public IUnknown {
    virtual Object* STDMETHODCALLTYPE Component() = 0;
};

// A failure that is no automation error: a null pointer from an
// early-bound caller and the like. Carries the HRESULT to return.
struct ComFailure {
    HRESULT hr;
};

using win32::DispatchGetIDsOfNames;
using win32::DispatchInvoke;

// What every COM object of a class has beside its dual interface.
class ComObjectBase : public IProvideClassInfo2,
                      public ISupportErrorInfo,
                      public IConnectionPointContainer,
                      public IComponentObject {
public:
    ComObjectBase(const ComObjectBase&) = delete;
    ComObjectBase& operator=(const ComObjectBase&) = delete;

    // The dual interface, as IDispatch.
    virtual IDispatch* Dual() noexcept = 0;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;
    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;
    // IConnectionPointContainer (only answered by a class with events)
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
    // IComponentObject
    Object* STDMETHODCALLTYPE Component() override { return core_.Get(); }

    const ClassDesc& Class() const noexcept { return Quibor15TypeLibrary().classes[class_index_]; }
    const GUID& InterfaceId() const noexcept { return iid_; }

protected:
    ComObjectBase(ObjectRef core, int class_index);
    virtual ~ComObjectBase();

    HRESULT QueryInterfaceImpl(REFIID iid, void** out);
    ULONG AddRefImpl() noexcept { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG ReleaseImpl() noexcept;

    // IDispatch of the dual interface.
    HRESULT GetTypeInfoImpl(UINT index, ITypeInfo** info);
    HRESULT GetIDsOfNamesImpl(LPOLESTR* names, UINT count, DISPID* ids);
    HRESULT InvokeImpl(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                       UINT* arg_error) {
        return DispatchInvoke(*core_, id, flags, params, result, exception, arg_error);
    }

    // Runs one early-bound entry: errors become the HRESULT of the error
    // with the thread's error information set.
    template <class F>
    HRESULT Call(F&& body) noexcept {
        SelfRef hold(core_.Get());
        try {
            body();
            return S_OK;
        } catch (const AutomationError& e) {
            return win32::ReportError(e, iid_);
        } catch (const ComFailure& f) {
            return f.hr;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

    ObjectRef core_;

private:
    class Connections;
    int class_index_;
    GUID iid_;
    volatile LONG refs_ = 0;
    Connections* connections_ = nullptr;  // the event connection point, made on first use
};

// The COM object of one class: Wire is the widl-generated interface, Core
// the component's C++ interface of the class.
template <class Wire, class Core>
class ComObject : public Wire, public ComObjectBase {
public:
    ComObject(ObjectRef core, int class_index) : ComObjectBase(std::move(core), class_index) {}

    IDispatch* Dual() noexcept override { return static_cast<Wire*>(this); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return QueryInterfaceImpl(iid, out); }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        return GetTypeInfoImpl(index, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return GetIDsOfNamesImpl(names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* arg_error) override {
        return InvokeImpl(id, flags, params, result, exception, arg_error);
    }

protected:
    Core& Self() const noexcept { return static_cast<Core&>(*core_); }
};

// Creates the COM object of a class of the library for its component
// object (com_adapters.cpp, generated).
ComObjectBase* NewClassObject(int class_index, ObjectRef core);

// ---- early-bound argument conversions, used by the generated adapters ----

// The dual interface of a component object of the library (a new
// reference), nullptr for Nothing.
IDispatch* ExportClassObject(const ObjectRef& object);

template <class T>
struct WireValue;

template <>
struct WireValue<String> {
    static String In(BSTR v) { return win32::FromBstr(v); }
    static void Out(BSTR* p, const String& v) { *p = win32::ToBstr(v); }
    static void Update(BSTR* p, const String& v) {
        BSTR fresh = win32::ToBstr(v);
        SysFreeString(*p);
        *p = fresh;
    }
};

template <class T, class W>
struct PlainWireValue {
    template <class X>
    static T In(X v) {
        return static_cast<T>(v);
    }
    template <class X>
    static void Out(X* p, T v) {
        *p = static_cast<X>(v);
    }
    template <class X>
    static void Update(X* p, T v) {
        *p = static_cast<X>(v);
    }
};

template <>
struct WireValue<Integer> : PlainWireValue<Integer, short> {};
template <>
struct WireValue<Long> : PlainWireValue<Long, LONG> {};  // LONG or an enumeration
template <>
struct WireValue<Single> : PlainWireValue<Single, float> {};
template <>
struct WireValue<Double> : PlainWireValue<Double, double> {};

template <>
struct WireValue<Boolean> {
    static Boolean In(VARIANT_BOOL v) { return Boolean{v}; }
    static void Out(VARIANT_BOOL* p, Boolean v) { *p = v.raw; }
    static void Update(VARIANT_BOOL* p, Boolean v) { *p = v.raw; }
};

template <>
struct WireValue<Date> {
    static Date In(DATE v) { return Date{v}; }
    static void Out(DATE* p, Date v) { *p = v.serial; }
    static void Update(DATE* p, Date v) { *p = v.serial; }
};

template <>
struct WireValue<Currency> {
    static Currency In(CY v) { return Currency{v.int64}; }
    static void Out(CY* p, Currency v) { p->int64 = v.scaled; }
    static void Update(CY* p, Currency v) { p->int64 = v.scaled; }
};

// Variant, and String arrays, which the component holds as Variants.
template <>
struct WireValue<Variant> {
    static Variant In(const VARIANT& v) { return win32::FromVariant(v); }
    static Variant In(SAFEARRAY* v);
    static void Out(VARIANT* p, const Variant& v) { win32::ToVariant(v, p); }
    static void Out(SAFEARRAY** p, const Variant& v);
    static void Update(VARIANT* p, const Variant& v);
    static void Update(SAFEARRAY** p, const Variant& v);
};

// Any object (IDispatch, Font, Picture, an enumerator's IUnknown).
template <>
struct WireValue<ObjectRef> {
    template <class X>
    static ObjectRef In(X* v) {
        return win32::ImportObject(v);
    }
    template <class X>
    static void Out(X** p, const ObjectRef& v) {
        // Font and Picture are dispatch interfaces without members of
        // their own: an IDispatch serves for each.
        *p = reinterpret_cast<X*>(win32::ExportObject(v));
    }
    template <class X>
    static void Update(X** p, const ObjectRef& v) {
        X* fresh = reinterpret_cast<X*>(win32::ExportObject(v));
        if (*p) (*p)->Release();
        *p = fresh;
    }
};

// One of the library's classes: a COM object of the same class.
template <class C>
struct WireValue<Ref<C>> {
    template <class X>
    static Ref<C> In(X* v) {
        ObjectRef object = win32::ImportObject(v);
        if (!object) return Ref<C>();
        Ref<C> typed = RefCast<C>(object);
        if (!typed) RaiseRuntimeError(rt::kTypeMismatch);
        return typed;
    }
    template <class X>
    static void Out(X** p, const Ref<C>& v) {
        *p = reinterpret_cast<X*>(ExportClassObject(ObjectRef(v)));
    }
    template <class X>
    static void Update(X** p, const Ref<C>& v) {
        X* fresh = reinterpret_cast<X*>(ExportClassObject(ObjectRef(v)));
        if (*p) (*p)->Release();
        *p = fresh;
    }
};

template <class T, class W>
T In(W&& v) {
    return WireValue<T>::In(std::forward<W>(v));
}

// A by-reference parameter: the component works on a value of its own
// type, which goes back into the caller's variable when the member
// returns or fails, if the member assigned it.
template <class T, class W>
class InOut {
public:
    explicit InOut(W* p) : p_(p) {
        if (!p_) throw ComFailure{E_POINTER};
        value_ = WireValue<T>::In(*p_);
        copied_in_ = value_;
    }
    ~InOut() {
        if (SameValue(copied_in_, value_)) return;
        try {
            WireValue<T>::Update(p_, value_);
        } catch (...) {
            // Only allocation fails here; the caller's variable keeps its value.
        }
    }
    InOut(const InOut&) = delete;
    InOut& operator=(const InOut&) = delete;
    T& Get() noexcept { return value_; }

private:
    W* p_;
    T value_{};
    T copied_in_{};
};

// An early-bound caller must give somewhere to put the result.
template <class W>
void RequirePointer(W* p) {
    if (!p) throw ComFailure{E_POINTER};
}

template <class T, class W, class V>
void SetResult(W* p, V&& value) {
    if (!p) throw ComFailure{E_POINTER};
    WireValue<T>::Out(p, std::forward<V>(value));
}

}  // namespace quibor15::com
