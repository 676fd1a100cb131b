#include "platform/win32/dispatch_object.hpp"

#include <dispex.h>

#include <vector>

namespace quibor15::win32 {

namespace {

// IID_IDispatchEx, which the import libraries do not carry.
constexpr GUID kIidDispatchEx = {0xa6ef9860, 0xc720, 0x11d0, {0x93, 0x37, 0x00, 0xa0, 0xc9, 0x0d, 0xca, 0xa9}};

}  // namespace

DispatchObject::DispatchObject(IDispatch* dispatch) noexcept : dispatch_(dispatch) {
    if (dispatch_) dispatch_->AddRef();
}

DispatchObject::~DispatchObject() {
    if (dispatch_) dispatch_->Release();
}

String DispatchObject::TypeName() const {
    ITypeInfo* info = nullptr;
    String name = u"Object";
    if (SUCCEEDED(dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) && info) {
        BSTR text = nullptr;
        if (SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, &text, nullptr, nullptr, nullptr)) && text) {
            name = FromBstr(text);
            SysFreeString(text);
        }
        info->Release();
    }
    return name;
}

DispId DispatchObject::GetIdOfName(std::u16string_view name) {
    const String text(name);
    LPOLESTR names[1] = {const_cast<LPOLESTR>(reinterpret_cast<const wchar_t*>(text.c_str()))};
    DISPID id = DISPID_UNKNOWN;
    if (SUCCEEDED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return id;
    // Objects of script engines (a script's class instance) answer names
    // through IDispatchEx, and some only there.
    IDispatchEx* ex = nullptr;
    if (FAILED(dispatch_->QueryInterface(kIidDispatchEx, reinterpret_cast<void**>(&ex))) || !ex) {
        return kDispIdUnknown;
    }
    BSTR bstr = SysAllocStringLen(names[0], static_cast<UINT>(text.size()));
    HRESULT hr = bstr ? ex->GetDispID(bstr, fdexNameCaseInsensitive, &id) : E_OUTOFMEMORY;
    SysFreeString(bstr);
    ex->Release();
    return SUCCEEDED(hr) ? id : kDispIdUnknown;
}

namespace {

// The VARIANTs of one call, cleared when it ends.
class CallArguments {
public:
    explicit CallArguments(size_t count) : values_(count), references_(count) {
        for (auto& v : values_) VariantInit(&v);
        for (auto& v : references_) VariantInit(&v);
    }
    ~CallArguments() {
        for (auto& v : values_) VariantClear(&v);
    }
    CallArguments(const CallArguments&) = delete;
    CallArguments& operator=(const CallArguments&) = delete;

    // Argument i of n in natural order sits at n - 1 - i.
    VARIANT& Slot(size_t i) { return references_[references_.size() - 1 - i]; }
    VARIANT& Value(size_t i) { return values_[i]; }
    VARIANT* Data() { return references_.data(); }

private:
    std::vector<VARIANT> values_;      // owned values, natural order
    std::vector<VARIANT> references_;  // what the callee sees, reverse order
};

}  // namespace

Variant DispatchObject::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    const size_t n = args.size();
    CallArguments call(n);
    for (size_t i = 0; i < n; ++i) {
        Variant& arg = args[i];
        VARIANT& value = call.Value(i);
        ToVariant(arg.Deref(), &value);
        VARIANT& slot = call.Slot(i);
        if (arg.IsByRef()) {
            slot.vt = VT_VARIANT | VT_BYREF;
            slot.pvarVal = &value;
        } else {
            slot = value;  // a shallow copy: the value stays owned by `call`
        }
    }
    WORD wflags = 0;
    if (flags & kInvokeMethod) wflags |= DISPATCH_METHOD;
    if (flags & kInvokePropertyGet) wflags |= DISPATCH_PROPERTYGET;
    const bool assigning = (flags & (kInvokePropertyPut | kInvokePropertyPutRef)) != 0;
    if (assigning) {
        // An object assigned through a property that allows both takes the
        // reference form.
        const bool by_reference = (flags & kInvokePropertyPutRef) &&
                                  (!(flags & kInvokePropertyPut) || (n > 0 && args[n - 1].IsObject()));
        wflags = by_reference ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    }
    DISPID put_id = DISPID_PROPERTYPUT;
    DISPPARAMS params = {call.Data(), assigning ? &put_id : nullptr, static_cast<UINT>(n), assigning ? 1u : 0u};
    ScopedVariant result;
    EXCEPINFO info = {};
    UINT arg_error = 0;
    const HRESULT hr =
        dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, wflags, &params, result.get(), &info, &arg_error);
    // What the callee left in by-reference arguments reaches the caller's
    // variables, whether or not the call succeeded.
    for (size_t i = 0; i < n; ++i) {
        if (args[i].IsByRef()) {
            try {
                args[i].Deref() = FromVariant(call.Value(i));
            } catch (const AutomationError&) {
                // A value the component has no form for leaves the variable as it was.
            }
        }
    }
    if (FAILED(hr)) throw ErrorFromHresult(hr, &info);
    return FromVariant(*result);
}

}  // namespace quibor15::win32
