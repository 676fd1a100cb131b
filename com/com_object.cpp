#include "com/com_object.hpp"

#include <vector>

#include "com/object_registry.hpp"
#include "com/server_module.hpp"

namespace quibor15::com {

namespace {

// An event sink of a host: the component raises events on it by DISPID.
// Each by-reference argument travels as a reference to a value of its own
// type (a Cancel As Integer as VT_I2 | VT_BYREF), as handlers declared with
// typed parameters expect, and what the handler leaves there comes back.
class EventSink final : public Object {
public:
    explicit EventSink(IDispatch* sink) noexcept : sink_(sink) { sink_->AddRef(); }
    ~EventSink() override { sink_->Release(); }

    String TypeName() const override { return u"EventSink"; }

    DispId GetIdOfName(std::u16string_view name) override {
        String text(name);
        LPOLESTR names[1] = {reinterpret_cast<LPOLESTR>(text.data())};
        DISPID id = DISPID_UNKNOWN;
        if (FAILED(sink_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return kDispIdUnknown;
        return id;
    }

    Variant Invoke(DispId id, uint16_t, std::span<Variant> args) override {
        const size_t n = args.size();
        std::vector<VARIANT> values(n);
        std::vector<VARIANT> slots(n);
        for (auto& v : values) VariantInit(&v);
        struct Clear {
            std::vector<VARIANT>& v;
            ~Clear() {
                for (auto& x : v) VariantClear(&x);
            }
        } clear{values};
        for (size_t i = 0; i < n; ++i) {
            win32::ToVariant(args[i].Deref(), &values[i]);
            VARIANT& slot = slots[n - 1 - i];
            VariantInit(&slot);
            if (!args[i].IsByRef()) {
                slot = values[i];
            } else if (values[i].vt == VT_EMPTY || values[i].vt == VT_NULL) {
                slot.vt = VT_VARIANT | VT_BYREF;
                slot.pvarVal = &values[i];
            } else {
                slot.vt = values[i].vt | VT_BYREF;
                slot.byref = &values[i].llVal;  // the start of the value, whatever its type
            }
        }
        DISPPARAMS params = {slots.data(), nullptr, static_cast<UINT>(n), 0};
        win32::ScopedVariant result;
        EXCEPINFO info = {};
        const HRESULT hr =
            sink_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.get(), &info, nullptr);
        for (size_t i = 0; i < n; ++i) {
            if (!args[i].IsByRef()) continue;
            try {
                args[i].Deref() = win32::FromVariant(values[i]);
            } catch (const AutomationError&) {
            }
        }
        // A sink without a handler for this event is no error.
        if (hr == DISP_E_MEMBERNOTFOUND || hr == DISP_E_UNKNOWNNAME) return Variant();
        if (FAILED(hr)) throw win32::ErrorFromHresult(hr, &info);
        return Variant();
    }

private:
    IDispatch* sink_;
};

// A snapshot enumerator over a list of items (connections, connection
// points).
template <class Interface, class Item, const IID& kIid>
class SnapshotEnum final : public Interface {
public:
    using Copy = void (*)(const Item& from, Item* to);
    using Drop = void (*)(Item& item);

    SnapshotEnum(std::vector<Item> items, Copy copy, Drop drop) : items_(std::move(items)), copy_(copy), drop_(drop) {
        ServerModule::Get().ObjectCreated();
    }
    ~SnapshotEnum() {
        for (Item& item : items_) drop_(item);
        ServerModule::Get().ObjectDestroyed();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == kIid) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG got = 0;
        while (got < count && next_ < items_.size()) copy_(items_[next_++], &out[got++]);
        if (fetched) *fetched = got;
        return got == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const size_t left = items_.size() - next_;
        next_ += std::min<size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Interface** out) override {
        if (!out) return E_POINTER;
        std::vector<Item> copy(items_.size());
        for (size_t i = 0; i < items_.size(); ++i) copy_(items_[i], &copy[i]);
        auto* clone = new (std::nothrow) SnapshotEnum(std::move(copy), copy_, drop_);
        if (!clone) return E_OUTOFMEMORY;
        clone->next_ = next_;
        clone->AddRef();
        *out = clone;
        return S_OK;
    }

private:
    std::vector<Item> items_;
    Copy copy_;
    Drop drop_;
    size_t next_ = 0;
    volatile LONG refs_ = 0;
};

void CopyConnection(const CONNECTDATA& from, CONNECTDATA* to) {
    *to = from;
    if (to->pUnk) to->pUnk->AddRef();
}
void DropConnection(CONNECTDATA& item) {
    if (item.pUnk) item.pUnk->Release();
}
void CopyPoint(IConnectionPoint* const& from, IConnectionPoint** to) {
    *to = from;
    if (from) from->AddRef();
}
void DropPoint(IConnectionPoint*& item) {
    if (item) item->Release();
}

using ConnectionEnum = SnapshotEnum<IEnumConnections, CONNECTDATA, IID_IEnumConnections>;
using PointEnum = SnapshotEnum<IEnumConnectionPoints, IConnectionPoint*, IID_IEnumConnectionPoints>;

}  // namespace

// The connection point of a class's event interface. It lives inside its
// container and shares the container's reference count.
class ComObjectBase::Connections final : public IConnectionPoint {
public:
    explicit Connections(ComObjectBase& owner)
        : owner_(owner), source_iid_(ToGuid(owner.Class().source_interface->iid)) {}
    ~Connections() {
        for (auto& c : connections_) c.sink->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
            *out = static_cast<IConnectionPoint*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_.ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
        if (!iid) return E_POINTER;
        *iid = source_iid_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override {
        if (!container) return E_POINTER;
        *container = static_cast<IConnectionPointContainer*>(&owner_);
        (*container)->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        if (!sink || !cookie) return E_POINTER;
        *cookie = 0;
        IDispatch* dispatch = nullptr;
        if (FAILED(sink->QueryInterface(source_iid_, reinterpret_cast<void**>(&dispatch))) || !dispatch) {
            if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch) {
                return CONNECT_E_CANNOTCONNECT;
            }
        }
        try {
            ObjectRef object(new EventSink(dispatch));
            const uint32_t id = owner_.core_->Advise(object);
            if (id == 0) {
                dispatch->Release();
                return CONNECT_E_ADVISELIMIT;
            }
            connections_.push_back({id, dispatch});
            *cookie = id;
            return S_OK;
        } catch (...) {
            dispatch->Release();
            return E_OUTOFMEMORY;
        }
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        for (auto it = connections_.begin(); it != connections_.end(); ++it) {
            if (it->cookie != cookie) continue;
            IDispatch* sink = it->sink;
            connections_.erase(it);
            owner_.core_->Unadvise(cookie);
            sink->Release();
            return S_OK;
        }
        return CONNECT_E_NOCONNECTION;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override {
        if (!out) return E_POINTER;
        std::vector<CONNECTDATA> items;
        for (const auto& c : connections_) {
            CONNECTDATA data{c.sink, c.cookie};
            c.sink->AddRef();
            items.push_back(data);
        }
        auto* e = new (std::nothrow) ConnectionEnum(std::move(items), &CopyConnection, &DropConnection);
        if (!e) return E_OUTOFMEMORY;
        e->AddRef();
        *out = e;
        return S_OK;
    }

private:
    struct Connection {
        DWORD cookie;
        IDispatch* sink;
    };
    ComObjectBase& owner_;
    GUID source_iid_;
    std::vector<Connection> connections_;
};

ComObjectBase::ComObjectBase(ObjectRef core, int class_index)
    : core_(std::move(core)),
      class_index_(class_index),
      iid_(ToGuid(Quibor15TypeLibrary().classes[class_index].default_interface->iid)) {
    ServerModule::Get().ObjectCreated();
}

ComObjectBase::~ComObjectBase() {
    ObjectRegistry::Get().Forget(core_.Get());
    delete connections_;
    // The component object's termination runs here, while the module is
    // still counted as busy.
    core_.Reset();
    ServerModule::Get().ObjectDestroyed();
}

ULONG ComObjectBase::ReleaseImpl() noexcept {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT ComObjectBase::QueryInterfaceImpl(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == iid_) {
        *out = Dual();
    } else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) {
        *out = static_cast<IProvideClassInfo2*>(this);
    } else if (iid == IID_ISupportErrorInfo) {
        *out = static_cast<ISupportErrorInfo*>(this);
    } else if (iid == IID_IConnectionPointContainer && Class().source_interface) {
        *out = static_cast<IConnectionPointContainer*>(this);
    } else if (iid == kIidComponentObject) {
        *out = static_cast<IComponentObject*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRefImpl();
    return S_OK;
}

HRESULT ComObjectBase::GetTypeInfoImpl(UINT index, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return ServerModule::Get().TypeInfo(iid_, info);
}

HRESULT ComObjectBase::GetIDsOfNamesImpl(LPOLESTR* names, UINT count, DISPID* ids) {
    return DispatchGetIDsOfNames(*core_, &Class(), names, count, ids);
}

HRESULT STDMETHODCALLTYPE ComObjectBase::GetClassInfo(ITypeInfo** info) {
    return ServerModule::Get().TypeInfo(ToGuid(Class().clsid), info);
}

HRESULT STDMETHODCALLTYPE ComObjectBase::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID || !Class().source_interface) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = ToGuid(Class().source_interface->iid);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ComObjectBase::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == iid_ || iid == IID_IDispatch ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE ComObjectBase::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (!points) return E_POINTER;
    *points = nullptr;
    IConnectionPoint* point = nullptr;
    HRESULT hr = FindConnectionPoint(ToGuid(Class().source_interface->iid), &point);
    if (FAILED(hr)) return hr;
    auto* e = new (std::nothrow) PointEnum({point}, &CopyPoint, &DropPoint);
    if (!e) {
        point->Release();
        return E_OUTOFMEMORY;
    }
    e->AddRef();
    *points = e;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ComObjectBase::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (!Class().source_interface || iid != ToGuid(Class().source_interface->iid)) return CONNECT_E_NOCONNECTION;
    if (!connections_) {
        connections_ = new (std::nothrow) Connections(*this);
        if (!connections_) return E_OUTOFMEMORY;
    }
    *point = connections_;
    connections_->AddRef();
    return S_OK;
}

}  // namespace quibor15::com
