#include "platform/win32/dispatch_invoke.hpp"

#include <algorithm>
#include <vector>

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

// Where each VARIANT of DISPPARAMS goes among the arguments in natural
// order; -1 marks a failure with its HRESULT.
struct ArgumentLayout {
    std::vector<size_t> position;  // by rgvarg index
    size_t count = 0;
    HRESULT failure = S_OK;
};

ArgumentLayout LayOut(const DISPPARAMS& params, bool assigning) {
    ArgumentLayout layout;
    const UINT total = params.cArgs;
    const UINT named = params.cNamedArgs;
    layout.position.assign(total, 0);
    if (named > total) {
        layout.failure = E_INVALIDARG;
        return layout;
    }
    const UINT positional = total - named;
    // Positional arguments come last in rgvarg, in reverse order.
    for (UINT i = 0; i < positional; ++i) layout.position[total - 1 - i] = i;
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
            if (static_cast<UINT>(id) < positional) {
                // A named argument for a position already given.
                layout.failure = DISP_E_PARAMNOTFOUND;
                return layout;
            }
            layout.position[j] = static_cast<size_t>(id);
            layout.count = std::max(layout.count, static_cast<size_t>(id) + 1);
        }
    }
    if (assigning) {
        if (put_value < 0) {
            layout.failure = DISP_E_PARAMNOTOPTIONAL;
            return layout;
        }
        // The assigned value follows the property's index arguments.
        layout.position[static_cast<size_t>(put_value)] = layout.count;
        layout.count += 1;
    }
    return layout;
}

}  // namespace

HRESULT DispatchGetIDsOfNames(Object& object, const ClassDesc* cls, LPOLESTR* names, UINT count, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    HRESULT hr = S_OK;
    try {
        if (!names[0]) return DISP_E_UNKNOWNNAME;
        const String first(reinterpret_cast<const char16_t*>(names[0]));
        const DispId member = object.GetIdOfName(first);
        ids[0] = member;
        if (member == kDispIdUnknown) hr = DISP_E_UNKNOWNNAME;
        for (UINT i = 1; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            if (member != kDispIdUnknown && cls && names[i]) {
                const String name(reinterpret_cast<const char16_t*>(names[i]));
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

HRESULT DispatchInvoke(Object& object, const ClassDesc*, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* exception, UINT* arg_error) {
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    if (!params) params = &none;
    if ((params->cArgs && !params->rgvarg) || (params->cNamedArgs && !params->rgdispidNamedArgs)) return E_INVALIDARG;
    const bool assigning = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    const ArgumentLayout layout = LayOut(*params, assigning);
    if (FAILED(layout.failure)) return layout.failure;
    try {
        SelfRef hold(&object);
        // A left-out argument is the "parameter not found" marker, as a
        // caller passes it for an optional parameter it skips.
        std::vector<Variant> args(layout.count, Variant::Missing());
        std::vector<Variant> locals(layout.count);  // the values behind by-reference arguments
        std::vector<const VARIANT*> references(layout.count, nullptr);
        for (UINT k = 0; k < params->cArgs; ++k) {
            const VARIANT& source = params->rgvarg[k];
            const size_t p = layout.position[k];
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
        // The caller's variables get what the member left in them, when it
        // returns and when it fails.
        auto store_back = [&] {
            for (size_t p = 0; p < layout.count; ++p) {
                if (!references[p]) continue;
                try {
                    StoreThroughReference(locals[p], *references[p]);
                } catch (...) {
                    // A value that cannot be stored leaves the variable as it was.
                }
            }
        };
        Variant value;
        try {
            value = object.Invoke(id, InvokeFlagsOf(flags), args);
        } catch (...) {
            store_back();
            throw;
        }
        store_back();
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
