#include "platform/win32/dispatch_object.hpp"

#include <dispex.h>

#include <vector>

#include "platform/win32/dispatch_base.hpp"

namespace quibor15::win32 {

namespace {

// IID_IDispatchEx, which the import libraries do not carry.
constexpr GUID kIidDispatchEx = {0xa6ef9860, 0xc720, 0x11d0, {0x93, 0x37, 0x00, 0xa0, 0xc9, 0x0d, 0xca, 0xa9}};

}  // namespace

DispatchObject::DispatchObject(IDispatch* dispatch) noexcept : dispatch_(dispatch) {
    if (dispatch_) dispatch_->AddRef();
}

DispatchObject::~DispatchObject() {
    for (Connection& c : connections_) {
        c.point->Unadvise(c.cookie);
        c.point->Release();
    }
    if (dispatch_) dispatch_->Release();
}

bool DispatchObject::Implements(REFIID iid) const noexcept {
    IUnknown* found = nullptr;
    if (FAILED(dispatch_->QueryInterface(iid, reinterpret_cast<void**>(&found))) || !found) return false;
    found->Release();
    return true;
}

bool DispatchObject::IsScriptObject() const noexcept { return Implements(kIidDispatchEx); }

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
        const bool by_reference =
            (flags & kInvokePropertyPutRef) && (!(flags & kInvokePropertyPut) || (n > 0 && args[n - 1].IsObject()));
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

namespace quibor15::win32 {

namespace {

// The sink the component's object connects to a host object's events: each
// event the host raises reaches the component's sink as a call by DISPID,
// with by-reference arguments flowing back to the host.
class EventForwarder final : public UntypedDispatch<> {
public:
    EventForwarder(ObjectRef sink, const GUID& events) : sink_(std::move(sink)), events_(events) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == events_) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override {
        try {
            const UINT n = params ? params->cArgs : 0;
            std::vector<Variant> locals(n);
            std::vector<Variant> args(n);
            for (UINT i = 0; i < n; ++i) {
                const VARIANT& source = params->rgvarg[n - 1 - i];
                locals[i] = FromVariant(source);
                args[i] = (source.vt & VT_BYREF) ? Variant::ByRef(locals[i]) : locals[i];
            }
            Variant value;
            try {
                value = sink_->Invoke(id, kInvokeMethod, args);
            } catch (...) {
                StoreBack(params, locals);
                throw;
            }
            StoreBack(params, locals);
            if (result) ToVariant(value, result);
            return S_OK;
        } catch (const AutomationError& e) {
            if (!exception) return ErrorHresult(e.Number());
            FillExcepInfo(e, exception);
            return DISP_E_EXCEPTION;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

private:
    static void StoreBack(DISPPARAMS* params, const std::vector<Variant>& locals) {
        const UINT n = static_cast<UINT>(locals.size());
        for (UINT i = 0; i < n; ++i) {
            const VARIANT& target = params->rgvarg[n - 1 - i];
            if (!(target.vt & VT_BYREF)) continue;
            try {
                StoreThroughReference(locals[i], target);
            } catch (...) {
            }
        }
    }

    ObjectRef sink_;
    GUID events_;
};

// The default source interface of an object, or GUID_NULL.
GUID DefaultSource(IDispatch* object) {
    GUID iid = GUID_NULL;
    IProvideClassInfo2* provide2 = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&provide2))) && provide2) {
        const HRESULT hr = provide2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &iid);
        provide2->Release();
        if (SUCCEEDED(hr)) return iid;
        iid = GUID_NULL;
    }
    IProvideClassInfo* provide = nullptr;
    if (FAILED(object->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&provide))) || !provide) {
        return GUID_NULL;
    }
    ITypeInfo* coclass = nullptr;
    provide->GetClassInfo(&coclass);
    provide->Release();
    if (!coclass) return GUID_NULL;
    TYPEATTR* attr = nullptr;
    if (SUCCEEDED(coclass->GetTypeAttr(&attr)) && attr) {
        for (UINT i = 0; i < attr->cImplTypes && iid == GUID_NULL; ++i) {
            INT flags = 0;
            coclass->GetImplTypeFlags(i, &flags);
            if (!(flags & IMPLTYPEFLAG_FDEFAULT) || !(flags & IMPLTYPEFLAG_FSOURCE)) continue;
            HREFTYPE ref = 0;
            ITypeInfo* events = nullptr;
            if (SUCCEEDED(coclass->GetRefTypeOfImplType(i, &ref)) && SUCCEEDED(coclass->GetRefTypeInfo(ref, &events)) &&
                events) {
                TYPEATTR* events_attr = nullptr;
                if (SUCCEEDED(events->GetTypeAttr(&events_attr)) && events_attr) {
                    iid = events_attr->guid;
                    events->ReleaseTypeAttr(events_attr);
                }
                events->Release();
            }
        }
        coclass->ReleaseTypeAttr(attr);
    }
    coclass->Release();
    return iid;
}

}  // namespace

uint32_t DispatchObject::Advise(ObjectRef sink) {
    if (!sink) return 0;
    const GUID events = DefaultSource(dispatch_);
    if (events == GUID_NULL) return 0;
    IConnectionPointContainer* container = nullptr;
    if (FAILED(dispatch_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))) ||
        !container) {
        return 0;
    }
    IConnectionPoint* point = nullptr;
    container->FindConnectionPoint(events, &point);
    container->Release();
    if (!point) return 0;
    auto* forwarder = new EventForwarder(std::move(sink), events);
    forwarder->AddRef();
    DWORD cookie = 0;
    const HRESULT hr = point->Advise(forwarder, &cookie);
    forwarder->Release();
    if (FAILED(hr) || cookie == 0) {
        point->Release();
        return 0;
    }
    connections_.push_back({cookie, point});
    return cookie;
}

void DispatchObject::Unadvise(uint32_t cookie) {
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        if (it->cookie != cookie) continue;
        IConnectionPoint* point = it->point;
        connections_.erase(it);
        point->Unadvise(cookie);
        point->Release();
        return;
    }
}

}  // namespace quibor15::win32
