#include "platform/win32/dispatch_invoke.hpp"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <span>

namespace quibor15::win32 {

namespace {

uint16_t InvokeFlagsOf(WORD flags) {
    uint16_t out = 0;
    if (flags & DISPATCH_METHOD) out |= kInvokeMethod;
    if (flags & DISPATCH_PROPERTYGET) out |= kInvokePropertyGet;
    if (flags & DISPATCH_PROPERTYPUT) out |= kInvokePropertyPut;
    if (flags & DISPATCH_PROPERTYPUTREF) out |= kInvokePropertyPutRef;
    return out;
}

// The position of a parameter name among the parameters of the entries
// that share a DISPID, or DISPID_UNKNOWN.
DISPID ParameterIndex(const ClassDesc& cls, DISPID member, std::u16string_view name) {
    for (const MemberDesc& m : cls.default_interface->members) {
        if (m.dispid != member) continue;
        for (size_t i = 0; i < m.params.size(); ++i) {
            if (NamesEqual(m.params[i].name, name)) return static_cast<DISPID>(i);
        }
    }
    return DISPID_UNKNOWN;
}

// The arrays of one call: on the stack up to kInline elements (every call a
// script makes in practice), on the heap beyond, so the common call makes no
// allocation of its own.
template <class T, size_t kInline = 8>
class CallArray {
public:
    // `size` elements, each a copy of `fill`.
    CallArray(size_t size, const T& fill) : size_(size) {
        Allocate();
        try {
            std::uninitialized_fill_n(data_, size, fill);
        } catch (...) {
            Free();
            throw;
        }
    }
    // `size` value-initialised elements.
    explicit CallArray(size_t size) : size_(size) {
        Allocate();
        try {
            std::uninitialized_value_construct_n(data_, size);
        } catch (...) {
            Free();
            throw;
        }
    }
    ~CallArray() {
        std::destroy_n(data_, size_);
        Free();
    }
    CallArray(const CallArray&) = delete;
    CallArray& operator=(const CallArray&) = delete;

    T& operator[](size_t i) noexcept { return data_[i]; }
    std::span<T> Span() noexcept { return {data_, size_}; }

private:
    void Allocate() {
        if (size_ <= kInline) {
            data_ = reinterpret_cast<T*>(inline_);
            return;
        }
        if (size_ > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
        data_ = static_cast<T*>(::operator new(size_ * sizeof(T)));
    }
    void Free() noexcept {
        if (data_ != reinterpret_cast<T*>(inline_)) ::operator delete(data_);
    }

    alignas(T) unsigned char inline_[kInline * sizeof(T)];
    T* data_ = nullptr;
    size_t size_;
};

// The "parameter not found" marker: a left-out argument, as a caller passes
// it for an optional parameter it skips.
const Variant& MissingArgument() {
    static const Variant missing = Variant::Missing();
    return missing;
}

// Type information counts a member's parameters in 16 bits.
constexpr DISPID kMaxParameterIndex = 0x7FFF;

// Where each VARIANT of DISPPARAMS goes among the arguments in natural
// order (`position`, by rgvarg index): the number of arguments, or a failure
// with its HRESULT.
struct ArgumentLayout {
    size_t count = 0;
    HRESULT failure = S_OK;
};

ArgumentLayout LayOut(const DISPPARAMS& params, bool assigning, CallArray<size_t>& position) {
    ArgumentLayout layout;
    const UINT total = params.cArgs;
    const UINT named = params.cNamedArgs;
    if (named > total) {
        layout.failure = E_INVALIDARG;
        return layout;
    }
    const UINT positional = total - named;
    // Positional arguments come last in rgvarg, in reverse order.
    for (UINT i = 0; i < positional; ++i) position[total - 1 - i] = i;
    layout.count = positional;
    int put_value = -1;
    for (UINT j = 0; j < named; ++j) {
        const DISPID id = params.rgdispidNamedArgs[j];
        if (id == DISPID_PROPERTYPUT) {
            if (!assigning || put_value >= 0) {
                layout.failure = DISP_E_PARAMNOTFOUND;
                return layout;
            }
            put_value = static_cast<int>(j);
        } else if (id < 0 || assigning) {
            layout.failure = assigning ? DISP_E_NONAMEDARGS : DISP_E_PARAMNOTFOUND;
            return layout;
        } else {
            if (static_cast<UINT>(id) < positional || id > kMaxParameterIndex) {
                // A named argument for a position already given, or for one
                // no member can have (the arguments up to it would be made).
                layout.failure = DISP_E_PARAMNOTFOUND;
                return layout;
            }
            position[j] = static_cast<size_t>(id);
            layout.count = std::max(layout.count, static_cast<size_t>(id) + 1);
        }
    }
    if (assigning) {
        if (put_value < 0) {
            layout.failure = DISP_E_PARAMNOTOPTIONAL;
            return layout;
        }
        // The assigned value follows the property's index arguments.
        position[static_cast<size_t>(put_value)] = layout.count;
        layout.count += 1;
    }
    return layout;
}

// The caller's variables behind by-reference arguments get what the member
// left in them, when it returns and when it fails.
class StoreBack {
public:
    StoreBack(CallArray<Variant>& locals, CallArray<const VARIANT*>& references, size_t count) noexcept
        : locals_(locals), references_(references), count_(count) {}
    ~StoreBack() {
        for (size_t p = 0; p < count_; ++p) {
            if (!references_[p]) continue;
            try {
                StoreThroughReference(locals_[p], *references_[p]);
            } catch (...) {
                // A value that cannot be stored leaves the variable as it was.
            }
        }
    }
    StoreBack(const StoreBack&) = delete;
    StoreBack& operator=(const StoreBack&) = delete;

private:
    CallArray<Variant>& locals_;
    CallArray<const VARIANT*>& references_;
    size_t count_;
};

}  // namespace

HRESULT DispatchGetIDsOfNames(Object& object, const ClassDesc* cls, LPOLESTR* names, UINT count, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    HRESULT hr = S_OK;
    try {
        if (!names[0]) return DISP_E_UNKNOWNNAME;
        const std::u16string_view first(reinterpret_cast<const char16_t*>(names[0]));
        const DispId member = object.GetIdOfName(first);
        ids[0] = member;
        if (member == kDispIdUnknown) hr = DISP_E_UNKNOWNNAME;
        for (UINT i = 1; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            if (member != kDispIdUnknown && cls && names[i]) {
                const std::u16string_view name(reinterpret_cast<const char16_t*>(names[i]));
                ids[i] = ParameterIndex(*cls, member, name);
            }
            if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
    return hr;
}

HRESULT DispatchInvoke(Object& object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                       UINT* arg_error) {
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    if (!params) params = &none;
    if ((params->cArgs && !params->rgvarg) || (params->cNamedArgs && !params->rgdispidNamedArgs)) return E_INVALIDARG;
    const bool assigning = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    try {
        CallArray<size_t> position(params->cArgs);
        const ArgumentLayout layout = LayOut(*params, assigning, position);
        if (FAILED(layout.failure)) return layout.failure;
        SelfRef hold(&object);
        CallArray<Variant> args(layout.count, MissingArgument());
        CallArray<Variant> locals(layout.count);  // the values behind by-reference arguments
        CallArray<const VARIANT*> references(layout.count);
        for (UINT k = 0; k < params->cArgs; ++k) {
            const VARIANT& source = params->rgvarg[k];
            const size_t p = position[k];
            try {
                if (source.vt & VT_BYREF) {
                    locals[p] = FromVariant(source);
                    args[p] = Variant::ByRef(locals[p]);
                    references[p] = &source;
                } else {
                    args[p] = FromVariant(source);
                }
            } catch (const AutomationError&) {
                if (arg_error) *arg_error = k;
                return DISP_E_TYPEMISMATCH;
            }
        }
        const StoreBack store_back(locals, references, layout.count);
        const Variant value = object.Invoke(id, InvokeFlagsOf(flags), args.Span());
        if (result) ToVariant(value, result);
        return S_OK;
    } catch (const AutomationError& e) {
        if (!exception) return ReportError(e, IID_IDispatch);
        try {
            FillExcepInfo(e, exception);
        } catch (...) {
            return E_OUTOFMEMORY;
        }
        return DISP_E_EXCEPTION;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace quibor15::win32
