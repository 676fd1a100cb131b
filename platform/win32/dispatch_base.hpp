// What the DLL's IDispatch implementations without type information share:
// the reference count and the type-information answers (UntypedDispatch),
// and for a COM object standing for an Object, late binding over it
// (ObjectDispatch). A COM object derives from one of them with the
// interfaces it has beyond IDispatch, answers QueryInterface itself, and is
// deleted when its count drops to zero.
#pragma once

#include "platform/win32/dispatch_invoke.hpp"

namespace quibor15::win32 {

template <class... More>
class UntypedDispatch : public IDispatch, public More... {
public:
    UntypedDispatch(const UntypedDispatch&) = delete;
    UntypedDispatch& operator=(const UntypedDispatch&) = delete;

    // One count for every interface of the object.
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return DISP_E_BADINDEX;
    }

protected:
    UntypedDispatch() = default;
    virtual ~UntypedDispatch() = default;

private:
    volatile LONG refs_ = 0;
};

template <class... More>
class ObjectDispatch : public UntypedDispatch<More...> {
public:
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return DispatchGetIDsOfNames(*core_, nullptr, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* arg_error) override {
        return DispatchInvoke(*core_, id, flags, params, result, exception, arg_error);
    }

protected:
    explicit ObjectDispatch(ObjectRef core) : core_(std::move(core)) {}

    ObjectRef core_;
};

}  // namespace quibor15::win32
