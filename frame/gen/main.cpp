// q15_typelib_gen OUTPUT_DIR: writes the C++ side of the type library into
// OUTPUT_DIR, from the model in frame/typelib_data.cpp:
//   include/quibor15/interfaces.hpp       one abstract class per interface
//   include/quibor15/pending_classes.hpp  Pending_<class>: every member raises 445
//   interfaces.cpp                        constructors, late-bound thunks, events
//   pending_classes.cpp                   the Pending_ members and factories
// q15_typelib_gen --com OUTPUT_DIR writes, for the Windows build, the COM
// adapters of the dual interfaces:
//   com_adapters.cpp                      one COM class per class: each entry
//                                         of the widl-generated interface
//                                         converts its arguments and calls the
//                                         class's C++ interface
// It first checks the model (unique DISPID per kind, one DISPID per name,
// known class and enumeration names) and fails the build on a fault.
// A file is only rewritten when its text changes, so an unchanged model does
// not rebuild its users.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "quibor15/typelib.hpp"

namespace quibor15::gen {
namespace {

namespace fs = std::filesystem;

std::string N(std::u16string_view s) { return NarrowName(s); }

std::string Hex(int32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08x", static_cast<uint32_t>(v));
    return buf;
}

std::string DispIdLiteral(int32_t v) {
    if (v < 0) return std::to_string(v);
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%x", static_cast<uint32_t>(v));
    return buf;
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return s;
}

std::string InterfaceClassName(const ClassDesc& c) { return N(c.default_interface->name); }

// ---- model checks -------------------------------------------------------------

bool CheckModel(const TypeLibrary& lib) {
    bool ok = true;
    auto fail = [&](const std::string& what) {
        std::cerr << "q15_typelib_gen: " << what << "\n";
        ok = false;
    };
    auto check_type = [&](const TypeDesc& t, const std::string& where) {
        if (t.base == BaseType::Class && !lib.FindClass(t.name)) fail(where + ": unknown class " + N(t.name));
        if (t.base == BaseType::Enum && !lib.FindEnum(t.name)) fail(where + ": unknown enumeration " + N(t.name));
    };
    std::set<std::string> class_names;
    for (const ClassDesc& c : lib.classes) {
        std::string cname = N(c.name);
        if (!class_names.insert(Lower(cname)).second) fail("duplicate class " + cname);
        if (!c.default_interface) {
            fail(cname + ": no default interface");
            continue;
        }
        if (c.default_interface->name != u"_" + std::u16string(c.name)) fail(cname + ": interface name");
        if ((c.source_interface != nullptr) != (c.instancing == Instancing::CreatableWithEvents))
            fail(cname + ": event interface and instancing disagree");
        std::map<int32_t, std::set<MemberKind>> kinds;
        std::map<std::string, int32_t> names;
        for (const MemberDesc& m : c.default_interface->members) {
            std::string where = cname + "." + N(m.name);
            if (!kinds[m.dispid].insert(m.kind).second) fail(where + ": two entries of one kind share a DISPID");
            auto [it, inserted] = names.emplace(Lower(N(m.name)), m.dispid);
            if (!inserted && it->second != m.dispid) fail(where + ": one name with two DISPIDs");
            bool assigning = m.kind == MemberKind::Let || m.kind == MemberKind::Set;
            if (assigning && (m.params.empty() || m.params.back().optional)) fail(where + ": no assigned value");
            if (assigning && m.result.base != BaseType::Void) fail(where + ": an assignment with a result");
            for (const ParamDesc& p : m.params) check_type(p.type, where);
            check_type(m.result, where);
        }
        for (const auto& [id, ks] : kinds) {
            if (ks.count(MemberKind::Method) && ks.size() > 1) fail(cname + ": DISPID " + Hex(id) + " is both");
        }
        for (const auto& [name, id] : names) {
            for (const auto& [other, other_id] : names)
                if (other_id == id && other != name) fail(cname + ": DISPID " + Hex(id) + " has two names");
        }
    }
    for (const RecordDesc& r : lib.records)
        for (const FieldDesc& f : r.fields) check_type(f.type, N(r.name));
    return ok;
}

// ---- C++ types ----------------------------------------------------------------

std::string CppValueType(const TypeDesc& t) {
    switch (t.base) {
        case BaseType::Void:
            return "void";
        case BaseType::String:
            return "String";
        case BaseType::Integer:
            return "Integer";
        case BaseType::Long:
        case BaseType::Enum:
            return "Long";
        case BaseType::Single:
            return "Single";
        case BaseType::Double:
            return "Double";
        case BaseType::Boolean:
            return "Boolean";
        case BaseType::Date:
            return "Date";
        case BaseType::Currency:
            return "Currency";
        case BaseType::Variant:
        case BaseType::StringArray:
            return "Variant";
        case BaseType::Object:
        case BaseType::Collection:
        case BaseType::Font:
        case BaseType::Picture:
        case BaseType::Enumerator:
            return "ObjectRef";
        case BaseType::Class:
            return "Ref<_" + N(t.name) + ">";
    }
    return "void";
}

// The host object kind a typed object parameter requires, or "" for none.
std::string ObjectKindOf(const TypeDesc& t) {
    switch (t.base) {
        case BaseType::Collection:
            return "ObjectKind::Collection";
        case BaseType::Font:
            return "ObjectKind::Font";
        case BaseType::Picture:
            return "ObjectKind::Picture";
        default:
            return "";
    }
}

std::string CppParamType(const ParamDesc& p) { return CppValueType(p.type) + (p.by_ref ? "&" : ""); }

std::string CppFunctionName(const MemberDesc& m) {
    switch (m.kind) {
        case MemberKind::Get:
            return "get_" + N(m.name);
        case MemberKind::Let:
            return "let_" + N(m.name);
        case MemberKind::Set:
            return "set_" + N(m.name);
        case MemberKind::Method:
            break;
    }
    return N(m.name);
}

std::string CppParamList(const MemberDesc& m, bool named) {
    std::string out;
    for (size_t i = 0; i < m.params.size(); ++i) {
        if (i) out += ", ";
        out += CppParamType(m.params[i]);
        if (named) out += " " + N(m.params[i].name);
    }
    return out;
}

std::string Signature(const MemberDesc& m, const std::string& qualifier, bool named) {
    return CppValueType(m.result) + " " + qualifier + CppFunctionName(m) + "(" + CppParamList(m, named) + ")";
}

std::string DescribeParam(const ParamDesc& p) {
    std::string s = p.optional ? "opt. " : "";
    s += p.by_ref ? "ByRef " : "ByVal ";
    s += N(p.name) + " " + N(TypeDescName(p.type));
    switch (p.default_value.kind) {
        case DefaultKind::None:
            break;
        case DefaultKind::Number:
            s += " = " + std::to_string(p.default_value.number);
            break;
        case DefaultKind::Boolean:
            s += p.default_value.number ? " = True" : " = False";
            break;
        case DefaultKind::Text:
            s += " = \"" + N(p.default_value.text) + "\"";
            break;
    }
    return s;
}

std::string DescribeMember(const MemberDesc& m) {
    std::string s = N(m.name) + " (" + N(MemberKindName(m.kind)) + ", DISPID " + Hex(m.dispid);
    for (const ParamDesc& p : m.params) s += "; " + DescribeParam(p);
    if (m.result.base != BaseType::Void) s += "; result " + N(TypeDescName(m.result));
    return s + ")";
}

std::string InstancingText(Instancing i) {
    switch (i) {
        case Instancing::Creatable:
            return "creatable";
        case Instancing::NotCreatable:
            return "not creatable";
        case Instancing::Global:
            return "global";
        case Instancing::CreatableWithEvents:
            return "creatable, with events";
    }
    return "";
}

const char* kBanner =
    "// Generated by q15_typelib_gen from the type library model (frame/typelib_data.cpp).\n"
    "// Do not edit: change the model instead.\n";

// ---- interfaces.hpp ---------------------------------------------------------------

void EmitEventDeclarations(std::ostream& o, const InterfaceDesc& events) {
    o << "\n    // Events of " << N(events.name) << ": sinks connect through Advise and receive each\n"
      << "    // event as a method call by DISPID, by-reference arguments flowing back.\n"
      << "    uint32_t Advise(ObjectRef sink) override;\n"
      << "    void Unadvise(uint32_t cookie) override;\n"
      << "    String EventName(DispId id) const override;\n"
      << "\nprotected:\n"
      << "    // Raises an event on every connected sink, synchronously and in\n"
      << "    // connection order, holding a reference to this object meanwhile.\n"
      << "    void RaiseEvent(DispId id, std::span<Variant> args);\n"
      << "    bool HasEventSinks() const noexcept { return !event_sinks_.Empty(); }\n";
    for (const MemberDesc& e : events.members) {
        o << "    // " << DescribeMember(e) << "\n";
        o << "    void Raise" << N(e.name) << "(" << CppParamList(e, true) << ");\n";
    }
    o << "\nprivate:\n    EventSinks event_sinks_;\n";
}

std::string EmitInterfacesHeader(const TypeLibrary& lib) {
    std::ostringstream o;
    o << kBanner
      << "//\n// The C++ interfaces of the quibor15 type library: one abstract class per\n"
         "// class interface, with one pure virtual function per interface entry in\n"
         "// function-table order (property reads get_X, value assignments let_X,\n"
         "// object assignments set_X, methods by name). A class of the component\n"
         "// derives from its interface and overrides every entry; late binding\n"
         "// (ComponentObject::Invoke) reaches the same virtual functions.\n"
         "#pragma once\n\n#include <cstdint>\n#include <span>\n#include <string_view>\n\n"
         "#include \"quibor15/component.hpp\"\n\nnamespace quibor15 {\n\n";

    o << "// Enumerations (32-bit values).\n";
    for (const EnumDesc& e : lib.enums) {
        o << "enum " << N(e.name) << " : Long {";
        for (size_t i = 0; i < e.members.size(); ++i) {
            o << (i ? ", " : " ") << N(e.members[i].name) << " = " << e.members[i].value;
        }
        o << " };\n";
    }
    o << "\n// Records (fields packed as consecutive 32-bit values).\n";
    for (const RecordDesc& r : lib.records) {
        o << "struct " << N(r.name) << " {\n";
        for (const FieldDesc& f : r.fields) o << "    " << CppValueType(f.type) << " " << N(f.name) << " = 0;\n";
        o << "};\n";
    }
    o << "\n";
    for (const ClassDesc& c : lib.classes) o << "class " << InterfaceClassName(c) << ";\n";

    for (const ClassDesc& c : lib.classes) {
        const std::string iname = InterfaceClassName(c);
        o << "\n// " << iname << ": the default interface of " << N(c.name) << " (" << InstancingText(c.instancing)
          << ").\n";
        o << "class " << iname << " : public ComponentObject {\npublic:\n";
        o << "    static constexpr std::u16string_view kClassName = u\"" << N(c.name) << "\";\n\n";
        o << "    explicit " << iname << "(ContextPtr context);\n";
        if (!c.default_interface->members.empty()) o << "\n";
        for (const MemberDesc& m : c.default_interface->members) {
            o << "    // " << DescribeMember(m) << "\n";
            o << "    virtual " << Signature(m, "", true) << " = 0;\n";
        }
        if (c.source_interface) EmitEventDeclarations(o, *c.source_interface);
        o << "};\n";
    }
    o << "\n}  // namespace quibor15\n";
    return o.str();
}

// ---- interfaces.cpp -----------------------------------------------------------------

void EmitThunk(std::ostream& o, const ClassDesc& c, size_t index, const MemberDesc& m) {
    const std::string iname = InterfaceClassName(c);
    o << "// " << DescribeMember(m) << "\n";
    o << "Variant Thunk_" << N(c.name) << "_" << index << "(ComponentObject& object, DispatchCall&"
      << (m.params.empty() ? "" : " call") << ") {\n";
    o << "    auto& self = static_cast<" << iname << "&>(object);\n";
    std::string args;
    for (size_t i = 0; i < m.params.size(); ++i) {
        const ParamDesc& p = m.params[i];
        std::string a = "a" + std::to_string(i);
        std::string t = CppValueType(p.type);
        bool is_array = p.type.base == BaseType::StringArray;
        if (p.by_ref) {
            o << "    ByRefArg<" << t << "> " << a << "(call, " << i << (is_array ? ", true" : "") << ");\n";
            args += (i ? ", " : "") + a + ".Get()";
        } else {
            o << "    ByValArg<" << t << "> " << a << "(call, " << i << ");\n";
            if (is_array) o << "    RequireArrayArgument(" << a << ".Get());\n";
            args += (i ? ", " : "") + std::string("std::move(") + a + ".Get())";
        }
        const std::string kind = ObjectKindOf(p.type);
        if (!kind.empty()) o << "    RequireObjectKind(self, " << a << ".Get(), " << kind << ");\n";
    }
    if (m.result.base == BaseType::Void) {
        o << "    self." << CppFunctionName(m) << "(" << args << ");\n    return Variant();\n";
    } else {
        o << "    return ResultVariant(self." << CppFunctionName(m) << "(" << args << "));\n";
    }
    o << "}\n\n";
}

void EmitEventDefinitions(std::ostream& o, const ClassDesc& c) {
    const std::string iname = InterfaceClassName(c);
    const InterfaceDesc& events = *c.source_interface;
    o << "uint32_t " << iname << "::Advise(ObjectRef sink) { return event_sinks_.Add(std::move(sink)); }\n\n";
    o << "void " << iname << "::Unadvise(uint32_t cookie) { event_sinks_.Remove(cookie); }\n\n";
    o << "String " << iname << "::EventName(DispId id) const {\n    switch (id) {\n";
    for (const MemberDesc& e : events.members) {
        o << "        case " << e.dispid << ":\n            return u\"" << N(e.name) << "\";\n";
    }
    o << "    }\n    return String();\n}\n\n";
    o << "void " << iname << "::RaiseEvent(DispId id, std::span<Variant> args) {\n"
      << "    SelfRef hold(this);\n    event_sinks_.Raise(id, args);\n}\n\n";
    for (const MemberDesc& e : events.members) {
        o << "void " << iname << "::Raise" << N(e.name) << "(" << CppParamList(e, true) << ") {\n";
        if (e.params.empty()) {
            o << "    RaiseEvent(" << e.dispid << ", {});\n}\n\n";
            continue;
        }
        for (size_t i = 0; i < e.params.size(); ++i) o << "    Variant v" << i << "(" << N(e.params[i].name) << ");\n";
        o << "    Variant args[] = {";
        for (size_t i = 0; i < e.params.size(); ++i) o << (i ? ", " : "") << "Variant::ByRef(v" << i << ")";
        o << "};\n    RaiseEvent(" << e.dispid << ", args);\n";
        for (size_t i = 0; i < e.params.size(); ++i) {
            const ParamDesc& p = e.params[i];
            if (!p.by_ref) continue;
            o << "    " << N(p.name) << " = EventArgumentBack<" << CppValueType(p.type) << ">(v" << i << ", *this);\n";
        }
        o << "}\n\n";
    }
}

std::string EmitInterfacesSource(const TypeLibrary& lib) {
    std::ostringstream o;
    o << kBanner << "#include \"quibor15/interfaces.hpp\"\n\n#include \"frame/dispatch.hpp\"\n\n"
      << "namespace quibor15 {\nnamespace {\n\n";
    for (size_t ci = 0; ci < lib.classes.size(); ++ci) {
        const ClassDesc& c = lib.classes[ci];
        const auto& members = c.default_interface->members;
        const std::string cname = N(c.name);
        o << "// ---- " << cname << " ----\n\n";
        for (size_t i = 0; i < members.size(); ++i) EmitThunk(o, c, i, members[i]);

        // Dispatch slots by DISPID.
        std::map<int32_t, std::map<MemberKind, size_t>> slots;
        for (size_t i = 0; i < members.size(); ++i) slots[members[i].dispid][members[i].kind] = i;
        // Names, folded and sorted as ClassBinding::FindName searches them:
        // by length, then by code unit (names are ASCII).
        std::map<std::string, int32_t> unique_names;
        for (const MemberDesc& m : members) unique_names.emplace(Lower(N(m.name)), m.dispid);
        std::vector<std::pair<std::string, int32_t>> names(unique_names.begin(), unique_names.end());
        std::stable_sort(names.begin(), names.end(),
                         [](const auto& a, const auto& b) { return a.first.size() < b.first.size(); });

        if (members.empty()) {
            o << "constexpr ClassBinding kBinding_" << cname << "{" << ci << ", {}, {}, {}};\n\n";
            continue;
        }
        o << "constexpr MemberThunk kThunks_" << cname << "[] = {\n";
        for (size_t i = 0; i < members.size(); ++i) o << "    &Thunk_" << cname << "_" << i << ",\n";
        o << "};\n";
        auto idx = [](const std::map<MemberKind, size_t>& k, MemberKind kind) {
            auto it = k.find(kind);
            return it == k.end() ? std::string("-1") : std::to_string(it->second);
        };
        o << "constexpr DispatchSlot kSlots_" << cname << "[] = {\n";
        for (const auto& [id, kinds] : slots) {
            o << "    {" << DispIdLiteral(id) << ", " << idx(kinds, MemberKind::Get) << ", "
              << idx(kinds, MemberKind::Let) << ", " << idx(kinds, MemberKind::Set) << ", "
              << idx(kinds, MemberKind::Method) << "},\n";
        }
        o << "};\n";
        o << "constexpr NameSlot kNames_" << cname << "[] = {\n";
        for (const auto& [name, id] : names) o << "    {u\"" << name << "\", " << DispIdLiteral(id) << "},\n";
        o << "};\n";
        o << "constexpr ClassBinding kBinding_" << cname << "{" << ci << ", kThunks_" << cname << ", kSlots_" << cname
          << ", kNames_" << cname << "};\n\n";
    }
    o << "}  // namespace\n\n";
    for (const ClassDesc& c : lib.classes) {
        const std::string iname = InterfaceClassName(c);
        o << iname << "::" << iname << "(ContextPtr context) : ComponentObject(std::move(context), kBinding_"
          << N(c.name) << ") {}\n\n";
        if (c.source_interface) EmitEventDefinitions(o, c);
    }
    o << "}  // namespace quibor15\n";
    return o.str();
}

// ---- pending classes ----------------------------------------------------------------

std::string EmitPendingHeader(const TypeLibrary& lib) {
    std::ostringstream o;
    o << kBanner
      << "//\n// Pending_<class>: an implementation of each class interface whose every\n"
         "// member raises error 445 (RaiseNotAvailable) with the class name as source.\n"
         "// The class catalogue creates these for classes whose behaviour is not part\n"
         "// of the build yet; a class can also derive from its Pending_ class and\n"
         "// override the members it implements.\n"
         "#pragma once\n\n#include \"quibor15/interfaces.hpp\"\n\nnamespace quibor15 {\n";
    for (const ClassDesc& c : lib.classes) {
        const std::string iname = InterfaceClassName(c);
        const std::string pname = "Pending_" + N(c.name);
        o << "\nclass " << pname << " : public " << iname << " {\npublic:\n";
        o << "    using " << iname << "::" << iname << ";\n";
        for (const MemberDesc& m : c.default_interface->members) {
            o << "    " << Signature(m, "", true) << " override;\n";
        }
        o << "};\n";
        o << "ObjectRef New" << pname << "(const ContextPtr& context);\n";
    }
    o << "\n}  // namespace quibor15\n";
    return o.str();
}

std::string EmitPendingSource(const TypeLibrary& lib) {
    std::ostringstream o;
    o << kBanner << "#include \"quibor15/pending_classes.hpp\"\n\nnamespace quibor15 {\n";
    for (const ClassDesc& c : lib.classes) {
        const std::string cname = N(c.name);
        const std::string pname = "Pending_" + cname;
        o << "\n";
        for (const MemberDesc& m : c.default_interface->members) {
            o << Signature(m, pname + "::", false) << " { RaiseNotAvailable(u\"" << cname << "\", u\"" << N(m.name)
              << "\"); }\n";
        }
        o << "ObjectRef New" << pname << "(const ContextPtr& context) { return MakeRef<" << pname << ">(context); }\n";
    }
    o << "\n}  // namespace quibor15\n";
    return o.str();
}

// ---- COM adapters (the Windows build) --------------------------------------------------

// The type of a parameter or result in the interfaces widl writes from the
// MIDL listing. Types of the type library itself are written from the
// global namespace, where widl declares them.
std::string WireType(const TypeDesc& t) {
    switch (t.base) {
        case BaseType::Void:
            return "void";
        case BaseType::String:
            return "BSTR";
        case BaseType::Integer:
            return "short";
        case BaseType::Long:
            return "LONG";
        case BaseType::Single:
            return "float";
        case BaseType::Double:
            return "double";
        case BaseType::Boolean:
            return "VARIANT_BOOL";
        case BaseType::Date:
            return "DATE";
        case BaseType::Currency:
            return "CY";
        case BaseType::Variant:
            return "VARIANT";
        case BaseType::Object:
        case BaseType::Collection:
            return "IDispatch*";
        case BaseType::Font:
            return "::Font*";
        case BaseType::Picture:
            return "::Picture*";
        case BaseType::Enumerator:
            return "IUnknown*";
        case BaseType::Class:
            return "::_" + N(t.name) + "*";
        case BaseType::Enum:
            return "::" + N(t.name);
        case BaseType::StringArray:
            return "SAFEARRAY*";
    }
    return "void";
}

// The component's type of a value, qualified for use outside its namespace.
std::string CoreType(const TypeDesc& t) {
    if (t.base == BaseType::Class) return "Ref<quibor15::_" + N(t.name) + ">";
    return CppValueType(t);
}

std::string WireFunctionName(const MemberDesc& m) {
    switch (m.kind) {
        case MemberKind::Get:
            return "get_" + N(m.name);
        case MemberKind::Let:
            return "put_" + N(m.name);
        case MemberKind::Set:
            return "putref_" + N(m.name);
        case MemberKind::Method:
            break;
    }
    return N(m.name);
}

void EmitComAdapter(std::ostream& o, const MemberDesc& m) {
    o << "    // " << DescribeMember(m) << "\n";
    o << "    HRESULT STDMETHODCALLTYPE " << WireFunctionName(m) << "(";
    for (size_t i = 0; i < m.params.size(); ++i) {
        o << (i ? ", " : "") << WireType(m.params[i].type) << (m.params[i].by_ref ? "*" : "") << " p" << i;
    }
    const bool has_result = m.result.base != BaseType::Void;
    if (has_result) o << (m.params.empty() ? "" : ", ") << WireType(m.result) << "* retval";
    o << ") override {\n        return Call([&] {\n";
    if (has_result) o << "            RequirePointer(retval);\n";
    std::string args;
    for (size_t i = 0; i < m.params.size(); ++i) {
        const ParamDesc& p = m.params[i];
        const std::string core = CoreType(p.type);
        const std::string a = "a" + std::to_string(i);
        const std::string kind = ObjectKindOf(p.type);
        if (p.by_ref) {
            o << "            InOut<" << core << ", " << WireType(p.type) << "> " << a << "(p" << i << ");\n";
            if (!kind.empty()) o << "            RequireObjectKind(Self(), " << a << ".Get(), " << kind << ");\n";
            args += (i ? ", " : "") + a + ".Get()";
        } else if (!kind.empty()) {
            o << "            " << core << " " << a << " = In<" << core << ">(p" << i << ");\n";
            o << "            RequireObjectKind(Self(), " << a << ", " << kind << ");\n";
            args += (i ? ", " : "") + std::string("std::move(") + a + ")";
        } else {
            args += (i ? ", " : "") + std::string("In<") + core + ">(p" + std::to_string(i) + ")";
        }
    }
    const std::string call = "Self()." + CppFunctionName(m) + "(" + args + ")";
    if (has_result) {
        o << "            SetResult<" << CoreType(m.result) << ">(retval, " << call << ");\n";
    } else {
        o << "            " << call << ";\n";
    }
    o << "        });\n    }\n";
}

std::string EmitComAdapters(const TypeLibrary& lib) {
    std::ostringstream o;
    o << kBanner
      << "//\n// The COM object of each class of the type library: the dual interface\n"
         "// widl generated from the MIDL listing, each entry converting its\n"
         "// arguments, calling the class's C++ interface and converting the result\n"
         "// back; IDispatch and the rest come from ComObject.\n"
         "#include \"com/com_object.hpp\"\n#include \"frame/dispatch.hpp\"\n#include \"quibor15/interfaces.hpp\"\n"
         "#include \"quibor15_h.h\"\n\n"
         "namespace quibor15::com {\nnamespace {\n";
    for (const ClassDesc& c : lib.classes) {
        const std::string cname = N(c.name);
        const std::string iname = InterfaceClassName(c);
        o << "\nclass Com_" << cname << " final : public ComObject<::" << iname << ", quibor15::" << iname
          << "> {\npublic:\n    using ComObject::ComObject;\n";
        for (const MemberDesc& m : c.default_interface->members) {
            o << "\n";
            EmitComAdapter(o, m);
        }
        o << "};\n";
    }
    o << "\n}  // namespace\n\nComObjectBase* NewClassObject(int class_index, ObjectRef core) {\n"
         "    switch (class_index) {\n";
    for (size_t ci = 0; ci < lib.classes.size(); ++ci) {
        o << "        case " << ci << ":\n            return new Com_" << N(lib.classes[ci].name)
          << "(std::move(core), " << ci << ");\n";
    }
    o << "    }\n    throw ComFailure{E_INVALIDARG};\n}\n\n}  // namespace quibor15::com\n";
    return o.str();
}

// ---- output -------------------------------------------------------------------------

bool WriteIfChanged(const fs::path& path, const std::string& text) {
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (old == text) return true;
        }
    }
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "q15_typelib_gen: cannot write " << path << "\n";
        return false;
    }
    return true;
}

int Run(int argc, char** argv) {
    const bool com = argc == 3 && std::string(argv[1]) == "--com";
    if (argc != 2 && !com) {
        std::cerr << "usage: q15_typelib_gen [--com] OUTPUT_DIR\n";
        return 2;
    }
    const TypeLibrary& lib = Quibor15TypeLibrary();
    if (!CheckModel(lib)) return 1;
    if (com) return WriteIfChanged(fs::path(argv[2]) / "com_adapters.cpp", EmitComAdapters(lib)) ? 0 : 1;
    fs::path out = argv[1];
    bool ok = WriteIfChanged(out / "include/quibor15/interfaces.hpp", EmitInterfacesHeader(lib));
    ok = WriteIfChanged(out / "include/quibor15/pending_classes.hpp", EmitPendingHeader(lib)) && ok;
    ok = WriteIfChanged(out / "interfaces.cpp", EmitInterfacesSource(lib)) && ok;
    ok = WriteIfChanged(out / "pending_classes.cpp", EmitPendingSource(lib)) && ok;
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace quibor15::gen

int main(int argc, char** argv) { return quibor15::gen::Run(argc, argv); }
