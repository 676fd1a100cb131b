// The wizard's events through its connection point, connected the way a
// script host connects WScript.CreateObject(progid, "prefix_"): the class
// information names the default source interface, the container gives its
// connection point, and a sink receives each event by DISPID, mapping it
// to the event's name through the type information.
#include <vector>

#include "client/checks.hpp"

namespace client {

namespace {

class Sink final : public IDispatch {
public:
    explicit Sink(ITypeInfo* events) : events_(events) { events_->AddRef(); }
    ~Sink() { events_->Release(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID___clsQuiborWizardA) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the stack
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        BSTR name = nullptr;
        UINT count = 0;
        events_->GetNames(id, &name, 1, &count);
        std::wstring handler = L"prefix_" + std::wstring(name ? name : L"?");
        SysFreeString(name);
        // Arguments arrive in reverse order, by reference.
        for (UINT i = params->cArgs; i-- > 0;) {
            const VARIANT& a = params->rgvarg[i];
            handler += L" ";
            if (a.vt == (VT_I2 | VT_BYREF)) {
                handler += std::to_wstring(*a.piVal);
            } else {
                handler += L"vt" + std::to_wstring(a.vt);
            }
        }
        log_ += handler + L";";
        // The handler of BeforeFrameShow cancels frame 4: Cancel = True.
        if (id == 6 && params->cArgs == 2 && params->rgvarg[1].vt == (VT_I2 | VT_BYREF) &&
            *params->rgvarg[1].piVal == 4 && params->rgvarg[0].vt == (VT_I2 | VT_BYREF)) {
            *params->rgvarg[0].piVal = VARIANT_TRUE;
        }
        return S_OK;
    }

    std::wstring log_;

private:
    ITypeInfo* events_;
    ULONG refs_ = 1;
};

// A host form as the wizard sees it: the members that make it a form, and
// events (KeyDown) through a connection point of its own.
// {5B1F0C2E-7D44-4E1A-9A51-3C0F6B2D8E71}
constexpr GUID kFormEvents = {0x5b1f0c2e, 0x7d44, 0x4e1a, {0x9a, 0x51, 0x3c, 0x0f, 0x6b, 0x2d, 0x8e, 0x71}};

class FakeForm final : public IDispatch,
                       public IProvideClassInfo2,
                       public IConnectionPointContainer,
                       public IConnectionPoint {
public:
    ~FakeForm() {
        if (sink_) sink_->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
        } else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) {
            *out = static_cast<IProvideClassInfo2*>(this);
        } else if (iid == IID_IConnectionPointContainer) {
            *out = static_cast<IConnectionPointContainer*>(this);
        } else if (iid == IID_IConnectionPoint) {
            *out = static_cast<IConnectionPoint*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the stack

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        static const wchar_t* const kMembers[] = {L"KeyPreview", L"WindowState", L"Controls", L"Width", L"Height"};
        for (DISPID i = 0; i < 5; ++i) {
            if (_wcsicmp(names[0], kMembers[i]) == 0) {
                ids[0] = i + 1;
                return S_OK;
            }
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (result) VariantInit(result);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override {
        *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override {
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
        *guid = kFormEvents;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
        if (iid != kFormEvents) return CONNECT_E_NOCONNECTION;
        *point = this;
        AddRef();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
        *iid = kFormEvents;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override {
        *container = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        if (sink_) return CONNECT_E_ADVISELIMIT;
        if (FAILED(sink->QueryInterface(kFormEvents, reinterpret_cast<void**>(&sink_)))) return CONNECT_E_CANNOTCONNECT;
        *cookie = 7;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        if (cookie != 7 || !sink_) return CONNECT_E_NOCONNECTION;
        sink_->Release();
        sink_ = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    bool Connected() const { return sink_ != nullptr; }

    // The form raises KeyDown (KeyCode by reference, Shift).
    HRESULT RaiseKeyDown(short key_code) {
        short code = key_code;
        VARIANT args[2];
        VariantInit(&args[0]);
        args[0].vt = VT_I2;
        args[0].iVal = 0;  // Shift, last argument first
        VariantInit(&args[1]);
        args[1].vt = VT_I2 | VT_BYREF;
        args[1].piVal = &code;
        DISPPARAMS params = {args, nullptr, 2, 0};
        return sink_ ? sink_->Invoke(-602, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr) : E_FAIL;
    }

private:
    IDispatch* sink_ = nullptr;
    ULONG refs_ = 1;
};

// The wizard connects to the events of the host's form it is given, and a
// key on the form moves the wizard on, which the host hears as the
// wizard's events: a host object's events reaching the component and back.
void HostObjectEvents(ITypeInfo* events) {
    IDispatch* wizard = Create(L"quibor15.clsQuiborWizardA");
    if (!wizard) return;
    IConnectionPointContainer* container = nullptr;
    wizard->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    IConnectionPoint* point = nullptr;
    if (container) {
        container->FindConnectionPoint(DIID___clsQuiborWizardA, &point);
        container->Release();
    }
    Sink sink(events);
    DWORD cookie = 0;
    if (point) point->Advise(&sink, &cookie);

    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BOOL;
    value.boolVal = VARIANT_TRUE;
    Call(wizard, L"KeyPreview", DISPATCH_PROPERTYPUT, &value, 1, nullptr);
    value.vt = VT_I2;
    value.iVal = 5;
    Call(wizard, L"MaxFrameIndex", DISPATCH_PROPERTYPUT, &value, 1, nullptr);

    FakeForm form;
    value.vt = VT_DISPATCH;
    value.pdispVal = &form;
    CheckHr("host events: the wizard takes a host form",
            Call(wizard, L"WindowObject", DISPATCH_PROPERTYPUTREF, &value, 1, nullptr));
    Check("host events: the wizard connects to the form's events", form.Connected());
    CheckHr("host events: the form raises KeyDown", form.RaiseKeyDown(33));  // Page Up
    CheckText("host events: Page Up on the form shows the next frame", sink.log_,
              L"prefix_BeforeFrameShow 1 0;prefix_AfterFrameShow 1;");

    value.pdispVal = nullptr;
    Call(wizard, L"WindowObject", DISPATCH_PROPERTYPUTREF, &value, 1, nullptr);
    Check("host events: letting the form go disconnects", !form.Connected());
    if (point) {
        point->Unadvise(cookie);
        point->Release();
    }
    wizard->Release();
}

}  // namespace

void EventTests() {
    IDispatch* wizard = Create(L"quibor15.clsQuiborWizardA");
    Check("events: create clsQuiborWizardA", wizard != nullptr);
    if (!wizard) return;

    IProvideClassInfo2* provide = nullptr;
    CheckHr("events: IProvideClassInfo2",
            wizard->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&provide)));
    if (!provide) {
        wizard->Release();
        return;
    }
    GUID source = GUID_NULL;
    provide->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source);
    Check("events: the default source is __clsQuiborWizardA", source == DIID___clsQuiborWizardA);

    // The class's type information names the same interface as its default
    // source, as a script host finds it.
    ITypeInfo* coclass = nullptr;
    ITypeInfo* events = nullptr;
    CheckHr("events: GetClassInfo", provide->GetClassInfo(&coclass));
    if (coclass) {
        TYPEATTR* attr = nullptr;
        coclass->GetTypeAttr(&attr);
        for (UINT i = 0; attr && i < attr->cImplTypes; ++i) {
            INT flags = 0;
            coclass->GetImplTypeFlags(i, &flags);
            if ((flags & IMPLTYPEFLAG_FDEFAULT) && (flags & IMPLTYPEFLAG_FSOURCE)) {
                HREFTYPE ref = 0;
                coclass->GetRefTypeOfImplType(i, &ref);
                coclass->GetRefTypeInfo(ref, &events);
            }
        }
        if (attr) coclass->ReleaseTypeAttr(attr);
        coclass->Release();
    }
    Check("events: the class names its default source interface", events != nullptr);
    provide->Release();
    if (!events) {
        wizard->Release();
        return;
    }

    IConnectionPointContainer* container = nullptr;
    CheckHr("events: IConnectionPointContainer",
            wizard->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)));
    IConnectionPoint* point = nullptr;
    if (container) {
        CheckHr("events: FindConnectionPoint", container->FindConnectionPoint(DIID___clsQuiborWizardA, &point));
        IConnectionPoint* none = nullptr;
        CheckHr("events: no connection point for another interface",
                container->FindConnectionPoint(IID_IDispatch, &none), CONNECT_E_NOCONNECTION);
        container->Release();
    }
    if (!point) {
        events->Release();
        wizard->Release();
        return;
    }
    Sink sink(events);
    DWORD cookie = 0;
    CheckHr("events: Advise", point->Advise(&sink, &cookie));
    IEnumConnections* connections = nullptr;
    point->EnumConnections(&connections);
    ULONG listed = 0;
    if (connections) {
        CONNECTDATA data;
        ULONG fetched = 0;
        while (connections->Next(1, &data, &fetched) == S_OK) {
            ++listed;
            data.pUnk->Release();
        }
        connections->Release();
    }
    Check("events: one connection listed", listed == 1);

    VARIANT max;
    VariantInit(&max);
    max.vt = VT_I2;
    max.iVal = 5;
    Call(wizard, L"MaxFrameIndex", DISPATCH_PROPERTYPUT, &max, 1, nullptr);
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = 2;
    VARIANT result;
    VariantInit(&result);
    Call(wizard, L"GoToFrame", DISPATCH_METHOD, &index, 1, &result);
    CheckText("events: BeforeFrameShow and AfterFrameShow with typed by-reference arguments", sink.log_,
              L"prefix_BeforeFrameShow 2 0;prefix_AfterFrameShow 2;");
    sink.log_.clear();
    index.lVal = 4;
    Call(wizard, L"GoToFrame", DISPATCH_METHOD, &index, 1, &result);
    CheckText("events: the sink's Cancel comes back and stops the show", sink.log_, L"prefix_BeforeFrameShow 4 0;");

    CheckHr("events: Unadvise", point->Unadvise(cookie));
    CheckHr("events: Unadvise twice", point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    sink.log_.clear();
    index.lVal = 1;
    Call(wizard, L"GoToFrame", DISPATCH_METHOD, &index, 1, &result);
    CheckText("events: no events after Unadvise", sink.log_, L"");
    point->Release();
    HostObjectEvents(events);
    events->Release();
    wizard->Release();
}

}  // namespace client
