#include "platform/win32/ole_bridge.hpp"

#include <cstring>
#include <new>
#include <vector>

#include "platform/win32/dispatch_object.hpp"
#include "quibor15/convert.hpp"

namespace quibor15::win32 {

namespace {

ObjectExporter* g_exporter = nullptr;

[[noreturn]] void TypeMismatch() { RaiseRuntimeError(rt::kTypeMismatch); }

VarType ElementVarType(VARTYPE vt) {
    switch (vt) {
        case VT_VARIANT:
            return VarType::Variant;
        case VT_BSTR:
            return VarType::String;
        case VT_I2:
        case VT_I1:
            return VarType::Integer;
        case VT_I4:
        case VT_INT:
        case VT_UI2:
            return VarType::Long;
        case VT_R4:
            return VarType::Single;
        case VT_R8:
        case VT_UI4:
        case VT_UINT:
        case VT_I8:
        case VT_UI8:
        case VT_DECIMAL:
            return VarType::Double;
        case VT_CY:
            return VarType::Currency;
        case VT_DATE:
            return VarType::Date;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            return VarType::Object;
        case VT_ERROR:
            return VarType::Error;
        case VT_BOOL:
            return VarType::Boolean;
        case VT_UI1:
            return VarType::Byte;
        default:
            TypeMismatch();
    }
}

VARTYPE ElementVt(VarType t) {
    switch (t) {
        case VarType::String:
            return VT_BSTR;
        case VarType::Integer:
            return VT_I2;
        case VarType::Long:
            return VT_I4;
        case VarType::Single:
            return VT_R4;
        case VarType::Double:
            return VT_R8;
        case VarType::Currency:
            return VT_CY;
        case VarType::Date:
            return VT_DATE;
        case VarType::Object:
            return VT_DISPATCH;
        case VarType::Error:
            return VT_ERROR;
        case VarType::Boolean:
            return VT_BOOL;
        case VarType::Byte:
            return VT_UI1;
        default:
            return VT_VARIANT;
    }
}

// Moves the payload of a VARIANT of type vt into memory that holds one
// value of that type (an array element, a typed reference's target). The
// VARIANT no longer owns it afterwards.
void MovePayload(VARIANT& from, VARTYPE vt, void* to) {
    switch (vt) {
        case VT_BSTR:
            *static_cast<BSTR*>(to) = from.bstrVal;
            break;
        case VT_DISPATCH:
            *static_cast<IDispatch**>(to) = from.pdispVal;
            break;
        case VT_UNKNOWN:
            *static_cast<IUnknown**>(to) = from.punkVal;
            break;
        case VT_DECIMAL:
            *static_cast<DECIMAL*>(to) = from.decVal;
            break;
        case VT_I1:
        case VT_UI1:
            std::memcpy(to, &from.bVal, 1);
            break;
        case VT_I2:
        case VT_UI2:
        case VT_BOOL:
            std::memcpy(to, &from.iVal, 2);
            break;
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_R4:
        case VT_ERROR:
            std::memcpy(to, &from.lVal, 4);
            break;
        case VT_R8:
        case VT_CY:
        case VT_DATE:
        case VT_I8:
        case VT_UI8:
            std::memcpy(to, &from.llVal, 8);
            break;
        default:
            TypeMismatch();
    }
    from.vt = VT_EMPTY;
}

// Frees the value held in memory of type vt (before it is overwritten).
void FreePayload(VARTYPE vt, void* at) {
    if (vt == VT_BSTR) {
        SysFreeString(*static_cast<BSTR*>(at));
    } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        if (auto* unknown = *static_cast<IUnknown**>(at)) unknown->Release();
    }
}

}  // namespace

BSTR ToBstr(std::u16string_view text) {
    BSTR b = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    if (!b) throw std::bad_alloc();
    return b;
}

String FromBstr(BSTR text) {
    if (!text) return String();
    return String(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

void InstallObjectExporter(ObjectExporter* exporter) noexcept { g_exporter = exporter; }

IDispatch* ExportObject(const ObjectRef& object) {
    if (!object) return nullptr;
    if (auto* foreign = dynamic_cast<DispatchObject*>(object.Get())) {
        foreign->Get()->AddRef();
        return foreign->Get();
    }
    if (!g_exporter) TypeMismatch();
    return g_exporter->Export(object);
}

ObjectRef ImportObject(IUnknown* unknown) {
    if (!unknown) return ObjectRef();
    if (g_exporter) {
        if (ObjectRef own = g_exporter->Unwrap(unknown)) return own;
    }
    IDispatch* dispatch = nullptr;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch) {
        TypeMismatch();
    }
    ObjectRef object(new DispatchObject(dispatch));
    dispatch->Release();
    return object;
}

Variant FromVariant(const VARIANT& v) {
    const bool by_ref = (v.vt & VT_BYREF) != 0;
    const VARTYPE base = v.vt & ~VT_BYREF;
    if (by_ref && !v.byref) return Variant();
    if (base == VT_VARIANT) {
        if (!by_ref) TypeMismatch();
        return FromVariant(*v.pvarVal);
    }
    if (base & VT_ARRAY) {
        SAFEARRAY* array = by_ref ? *v.pparray : v.parray;
        const VARTYPE element = base & ~VT_ARRAY;
        if (!array) return Variant(SafeArray(ElementVarType(element), {}));
        return Variant(FromSafeArray(array, element));
    }
#define Q15_VALUE(field, ref_field) (by_ref ? *v.ref_field : v.field)
    switch (base) {
        case VT_EMPTY:
            return Variant();
        case VT_NULL:
            return Variant::Null();
        case VT_I2:
            return Variant(Integer(Q15_VALUE(iVal, piVal)));
        case VT_I4:
            return Variant(Long(Q15_VALUE(lVal, plVal)));
        case VT_INT:
            return Variant(Long(Q15_VALUE(intVal, pintVal)));
        case VT_R4:
            return Variant(Single(Q15_VALUE(fltVal, pfltVal)));
        case VT_R8:
            return Variant(Double(Q15_VALUE(dblVal, pdblVal)));
        case VT_CY:
            return Variant(Currency{Q15_VALUE(cyVal, pcyVal).int64});
        case VT_DATE:
            return Variant(Date{Q15_VALUE(date, pdate)});
        case VT_BSTR:
            return Variant(FromBstr(Q15_VALUE(bstrVal, pbstrVal)));
        case VT_DISPATCH:
            return Variant(ImportObject(Q15_VALUE(pdispVal, ppdispVal)));
        case VT_UNKNOWN:
            return Variant(ImportObject(Q15_VALUE(punkVal, ppunkVal)));
        case VT_ERROR:
            return Variant(ErrorValue{Q15_VALUE(scode, pscode)});
        case VT_BOOL:
            return Variant(Boolean{Q15_VALUE(boolVal, pboolVal)});
        case VT_UI1:
            return Variant(Byte(Q15_VALUE(bVal, pbVal)));
        case VT_I1:
            return Variant(Integer(Q15_VALUE(cVal, pcVal)));
        case VT_UI2:
            return Variant(Long(Q15_VALUE(uiVal, puiVal)));
        case VT_UI4: {
            const ULONG u = Q15_VALUE(ulVal, pulVal);
            return u <= 0x7FFFFFFFu ? Variant(Long(u)) : Variant(Double(u));
        }
        case VT_UINT: {
            const UINT u = Q15_VALUE(uintVal, puintVal);
            return u <= 0x7FFFFFFFu ? Variant(Long(u)) : Variant(Double(u));
        }
        case VT_I8:
            return Variant(Double(Q15_VALUE(llVal, pllVal)));
        case VT_UI8:
            return Variant(Double(Q15_VALUE(ullVal, pullVal)));
        case VT_DECIMAL: {
            double d = 0;
            DECIMAL value = by_ref ? *v.pdecVal : v.decVal;
            if (FAILED(VarR8FromDec(&value, &d))) TypeMismatch();
            return Variant(Double(d));
        }
        default:
            TypeMismatch();
    }
#undef Q15_VALUE
}

void ToVariant(const Variant& value, VARIANT* out) {
    const Variant& v = value.Deref();
    // What VariantInit does, without a call into oleaut32 for every result.
    std::memset(out, 0, sizeof(*out));
    switch (v.Type()) {
        case VarType::Empty:
            return;
        case VarType::Null:
            out->vt = VT_NULL;
            return;
        case VarType::Integer:
            out->iVal = *v.As<Integer>();
            out->vt = VT_I2;
            return;
        case VarType::Long:
            out->lVal = *v.As<Long>();
            out->vt = VT_I4;
            return;
        case VarType::Single:
            out->fltVal = *v.As<Single>();
            out->vt = VT_R4;
            return;
        case VarType::Double:
            out->dblVal = *v.As<Double>();
            out->vt = VT_R8;
            return;
        case VarType::Currency:
            out->cyVal.int64 = v.As<Currency>()->scaled;
            out->vt = VT_CY;
            return;
        case VarType::Date:
            out->date = v.As<Date>()->serial;
            out->vt = VT_DATE;
            return;
        case VarType::String:
            out->bstrVal = ToBstr(*v.As<String>());
            out->vt = VT_BSTR;
            return;
        case VarType::Object:
            out->pdispVal = ExportObject(*v.As<ObjectRef>());
            out->vt = VT_DISPATCH;
            return;
        case VarType::Error:
            out->scode = v.As<ErrorValue>()->scode;
            out->vt = VT_ERROR;
            return;
        case VarType::Boolean:
            out->boolVal = v.As<Boolean>()->raw;
            out->vt = VT_BOOL;
            return;
        case VarType::Byte:
            out->bVal = *v.As<Byte>();
            out->vt = VT_UI1;
            return;
        case VarType::Array: {
            const SafeArray& array = *v.Array();
            out->parray = ToSafeArray(array);
            out->vt = VT_ARRAY | ElementVt(array.ElementType());
            return;
        }
        default:
            TypeMismatch();
    }
}

void StoreThroughReference(const Variant& value, const VARIANT& reference) {
    if (!(reference.vt & VT_BYREF) || !reference.byref) return;
    const VARTYPE base = reference.vt & ~VT_BYREF;
    if (base == VT_VARIANT) {
        VARIANT fresh;
        ToVariant(value, &fresh);
        VariantClear(reference.pvarVal);
        *reference.pvarVal = fresh;
        return;
    }
    if (base & VT_ARRAY) {
        const SafeArray* array = value.Deref().Array();
        if (!array) return;
        const VARTYPE element = base & ~VT_ARRAY;
        SAFEARRAY* fresh = nullptr;
        if (ElementVt(array->ElementType()) == element) {
            fresh = ToSafeArray(*array);
        } else {
            // Elements of another type are converted one by one.
            SafeArray converted(ElementVarType(element), {});
            std::vector<SafeArray::Bound> bounds;
            for (int32_t d = 1; d <= array->Rank(); ++d) {
                bounds.push_back({array->LowerBound(d), array->UpperBound(d) - array->LowerBound(d) + 1});
            }
            converted = SafeArray(ElementVarType(element), bounds);
            for (size_t i = 0; i < array->ElementCount(); ++i) {
                converted.Data()[i] = element == VT_VARIANT ? array->Data()[i]
                                                            : ConvertVariant(array->Data()[i], ElementVarType(element));
            }
            fresh = ToSafeArray(converted);
        }
        if (*reference.pparray) SafeArrayDestroy(*reference.pparray);
        *reference.pparray = fresh;
        return;
    }
    // A typed reference: the value converted by the system's rules.
    ScopedVariant source;
    ToVariant(value, source.get());
    ScopedVariant converted;
    if (FAILED(VariantChangeType(converted.get(), source.get(), 0, base))) return;
    FreePayload(base, reference.byref);
    MovePayload(*converted.get(), base, reference.byref);
}

SafeArray FromSafeArray(const SAFEARRAY* array, VARTYPE element_type) {
    auto* psa = const_cast<SAFEARRAY*>(array);
    const UINT rank = SafeArrayGetDim(psa);
    std::vector<SafeArray::Bound> bounds;
    for (UINT d = 1; d <= rank; ++d) {
        LONG lower = 0, upper = -1;
        SafeArrayGetLBound(psa, d, &lower);
        SafeArrayGetUBound(psa, d, &upper);
        bounds.push_back({lower, upper - lower + 1});
    }
    SafeArray out(ElementVarType(element_type), bounds);
    if (out.ElementCount() == 0) return out;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(psa, &data))) TypeMismatch();
    const UINT size = SafeArrayGetElemsize(psa);
    try {
        for (size_t i = 0; i < out.ElementCount(); ++i) {
            // Each element read as a reference to a value of its type.
            VARIANT element;
            element.vt = element_type | VT_BYREF;
            element.byref = static_cast<char*>(data) + i * size;
            out.Data()[i] = FromVariant(element);
        }
    } catch (...) {
        SafeArrayUnaccessData(psa);
        throw;
    }
    SafeArrayUnaccessData(psa);
    return out;
}

SAFEARRAY* ToSafeArray(const SafeArray& array) {
    const VARTYPE vt = ElementVt(array.ElementType());
    std::vector<SAFEARRAYBOUND> bounds;
    for (int32_t d = 1; d <= array.Rank(); ++d) {
        const int32_t lower = array.LowerBound(d);
        bounds.push_back({static_cast<ULONG>(array.UpperBound(d) - lower + 1), lower});
    }
    if (bounds.empty()) bounds.push_back({0, 0});
    SAFEARRAY* out = SafeArrayCreate(vt, static_cast<UINT>(bounds.size()), bounds.data());
    if (!out) throw std::bad_alloc();
    if (array.ElementCount() == 0) return out;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(out, &data))) {
        SafeArrayDestroy(out);
        throw std::bad_alloc();
    }
    const UINT size = SafeArrayGetElemsize(out);
    try {
        for (size_t i = 0; i < array.ElementCount(); ++i) {
            void* at = static_cast<char*>(data) + i * size;
            const Variant& element = array.Data()[i];
            if (vt == VT_VARIANT) {
                ToVariant(element, static_cast<VARIANT*>(at));
                continue;
            }
            ScopedVariant value;
            ToVariant(ConvertVariant(element, array.ElementType()), value.get());
            if (value.get()->vt == VT_EMPTY) continue;  // an unassigned element stays zero
            MovePayload(*value.get(), vt, at);
        }
    } catch (...) {
        SafeArrayUnaccessData(out);
        SafeArrayDestroy(out);
        throw;
    }
    SafeArrayUnaccessData(out);
    return out;
}

HRESULT ErrorHresult(int32_t number) noexcept {
    if (number > 0 && number < 0x10000) return static_cast<HRESULT>(0x800A0000u | static_cast<uint32_t>(number));
    if (number < 0) return static_cast<HRESULT>(number);
    if (number == 0) return E_FAIL;
    return static_cast<HRESULT>(0x800A0000u | (static_cast<uint32_t>(number) & 0xFFFFu));
}

int32_t ErrorNumber(HRESULT hr) noexcept {
    if ((static_cast<uint32_t>(hr) & 0xFFFF0000u) == 0x800A0000u) return hr & 0xFFFF;
    return hr;
}

void FillExcepInfo(const AutomationError& error, EXCEPINFO* info) {
    if (!info) return;
    std::memset(info, 0, sizeof *info);
    info->scode = ErrorHresult(error.Number());
    info->bstrSource = ToBstr(error.Source());
    info->bstrDescription = ToBstr(error.Description());
}

HRESULT ReportError(const AutomationError& error, REFIID iid) noexcept {
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create)) && create) {
        const String source = error.Source();
        const String description = error.Description();
        create->SetGUID(iid);
        create->SetSource(const_cast<LPOLESTR>(reinterpret_cast<const wchar_t*>(source.c_str())));
        create->SetDescription(const_cast<LPOLESTR>(reinterpret_cast<const wchar_t*>(description.c_str())));
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))) && info) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    return ErrorHresult(error.Number());
}

namespace {

// The run-time error a dispatch failure stands for, or 0.
int32_t DispatchErrorNumber(HRESULT hr) {
    switch (hr) {
        case DISP_E_MEMBERNOTFOUND:
        case DISP_E_UNKNOWNNAME:
            return rt::kMemberNotSupported;
        case DISP_E_TYPEMISMATCH:
            return rt::kTypeMismatch;
        case DISP_E_BADPARAMCOUNT:
            return rt::kWrongArgumentCount;
        case DISP_E_PARAMNOTOPTIONAL:
            return rt::kArgumentNotOptional;
        case DISP_E_OVERFLOW:
            return rt::kOverflow;
        case DISP_E_NONAMEDARGS:
            return rt::kNamedArgumentsNotSupported;
        case DISP_E_BADINDEX:
            return rt::kSubscriptOutOfRange;
        case E_OUTOFMEMORY:
            return 7;
        default:
            return 0;
    }
}

}  // namespace

AutomationError ErrorFromHresult(HRESULT hr, EXCEPINFO* info, IUnknown* object, REFIID iid) {
    if (hr == DISP_E_EXCEPTION && info) {
        if (info->pfnDeferredFillIn) info->pfnDeferredFillIn(info);
        const int32_t number = info->wCode ? info->wCode : ErrorNumber(info->scode);
        String source = FromBstr(info->bstrSource);
        String description = FromBstr(info->bstrDescription);
        SysFreeString(info->bstrSource);
        SysFreeString(info->bstrDescription);
        SysFreeString(info->bstrHelpFile);
        std::memset(info, 0, sizeof *info);
        if (description.empty()) description = RuntimeErrorDescription(number);
        return AutomationError(number, std::move(source), std::move(description));
    }
    if (object) {
        // An early-bound call's error: the object's IErrorInfo, when it
        // says it gives one for this interface.
        ISupportErrorInfo* support = nullptr;
        if (SUCCEEDED(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) && support) {
            const bool gives = support->InterfaceSupportsErrorInfo(iid) == S_OK;
            support->Release();
            IErrorInfo* error = nullptr;
            if (gives && GetErrorInfo(0, &error) == S_OK && error) {
                BSTR source = nullptr, description = nullptr;
                error->GetSource(&source);
                error->GetDescription(&description);
                AutomationError e(ErrorNumber(hr), FromBstr(source), FromBstr(description));
                SysFreeString(source);
                SysFreeString(description);
                error->Release();
                return e;
            }
        }
    }
    if (int32_t number = DispatchErrorNumber(hr)) {
        return AutomationError(number, kComponentSource, RuntimeErrorDescription(number));
    }
    const int32_t number = ErrorNumber(hr);
    String description = number == hr ? String(u"Automation error") : RuntimeErrorDescription(number);
    return AutomationError(number, kComponentSource, std::move(description));
}

}  // namespace quibor15::win32
