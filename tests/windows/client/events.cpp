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
        CheckHr("events: no connection point for another interface", container->FindConnectionPoint(IID_IDispatch, &none),
                CONNECT_E_NOCONNECTION);
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
    events->Release();
    wizard->Release();
}

}  // namespace client
