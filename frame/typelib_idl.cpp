// The type library as MIDL source. The listing is produced from the model
// alone, in model order, so it is byte for byte the same on every run.
#include <cstdio>
#include <sstream>

#include "quibor15/typelib.hpp"

namespace quibor15 {

namespace {

std::string N(std::u16string_view s) { return NarrowName(s); }

std::string Hex8(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08x", v);
    return buf;
}

// The automation type of a value of the model's type.
std::string IdlType(const TypeDesc& t) {
    switch (t.base) {
        case BaseType::Void:
            return "void";
        case BaseType::String:
            return "BSTR";
        case BaseType::Integer:
            return "short";
        case BaseType::Long:
            return "long";
        case BaseType::Single:
            return "float";
        case BaseType::Double:
            return "double";
        case BaseType::Boolean:
            return "VARIANT_BOOL";
        case BaseType::Date:
            return "DATE";
        case BaseType::Currency:
            return "CURRENCY";
        case BaseType::Variant:
            return "VARIANT";
        case BaseType::Object:
        case BaseType::Collection:
            // The host runtime's Collection is not described by the standard
            // type library; callers reach it late-bound.
            return "IDispatch*";
        case BaseType::Font:
            return "Font*";
        case BaseType::Picture:
            return "Picture*";
        case BaseType::Enumerator:
            return "IUnknown*";
        case BaseType::Class:
            return "_" + N(t.name) + "*";
        case BaseType::Enum:
            return N(t.name);
        case BaseType::StringArray:
            return "SAFEARRAY(BSTR)";
    }
    return "void";
}

std::string DefaultLiteral(const DefaultValue& d) {
    switch (d.kind) {
        case DefaultKind::None:
            return "";
        case DefaultKind::Number:
        case DefaultKind::Boolean:
            return std::to_string(d.number);
        case DefaultKind::Text: {
            std::string out = "\"";
            for (char c : N(d.text)) {
                if (c == '"' || c == '\\') out += '\\';
                out += c;
            }
            return out + "\"";
        }
    }
    return "";
}

// Whether a default value is written. An empty text default on a by-reference
// String is left out: it is what a left-out optional String reads as anyway,
// and some MIDL compilers cannot encode a text default behind a pointer.
bool WritesDefault(const ParamDesc& p) {
    if (p.default_value.kind == DefaultKind::None) return false;
    return !(p.by_ref && p.default_value.kind == DefaultKind::Text && p.default_value.text.empty());
}

std::string IdlParam(const ParamDesc& p) {
    std::string attrs = p.by_ref ? "in, out" : "in";
    if (p.optional) attrs += ", optional";
    if (WritesDefault(p)) attrs += ", defaultvalue(" + DefaultLiteral(p.default_value) + ")";
    return "[" + attrs + "] " + IdlType(p.type) + (p.by_ref ? "* " : " ") + N(p.name);
}

std::string IdlMemberAttributes(const MemberDesc& m) {
    std::string attrs = "id(" + Hex8(static_cast<uint32_t>(m.dispid)) + ")";
    switch (m.kind) {
        case MemberKind::Get:
            attrs += ", propget";
            break;
        case MemberKind::Let:
            attrs += ", propput";
            break;
        case MemberKind::Set:
            attrs += ", propputref";
            break;
        case MemberKind::Method:
            break;
    }
    if (m.flags & kMemberRestricted) attrs += ", restricted";
    if (m.flags & kMemberHidden) attrs += ", hidden";
    if (m.flags & kMemberUiDefault) attrs += ", uidefault";
    return "[" + attrs + "]";
}

void WriteDualMember(std::ostream& o, const MemberDesc& m) {
    o << "        " << IdlMemberAttributes(m) << "\n        HRESULT " << N(m.name) << "(";
    bool first = true;
    for (const ParamDesc& p : m.params) {
        o << (first ? "" : ", ") << IdlParam(p);
        first = false;
    }
    if (m.result.base != BaseType::Void) {
        o << (first ? "" : ", ") << "[out, retval] " << IdlType(m.result) << "* retval";
    }
    o << ");\n";
}

void WriteEventMember(std::ostream& o, const MemberDesc& m) {
    o << "            " << IdlMemberAttributes(m) << "\n            void " << N(m.name) << "(";
    for (size_t i = 0; i < m.params.size(); ++i) o << (i ? ", " : "") << IdlParam(m.params[i]);
    o << ");\n";
}

void WriteDualInterface(std::ostream& o, const InterfaceDesc& iface) {
    o << "    [\n      odl,\n      uuid(" << iface.iid.ToString()
      << "),\n      hidden,\n      dual,\n      nonextensible,\n      oleautomation\n    ]\n";
    o << "    interface " << N(iface.name) << " : IDispatch {\n";
    for (const MemberDesc& m : iface.members) WriteDualMember(o, m);
    o << "    };\n\n";
}

void WriteEventInterface(std::ostream& o, const InterfaceDesc& iface) {
    o << "    [\n      uuid(" << iface.iid.ToString() << ")\n    ]\n";
    o << "    dispinterface " << N(iface.name) << " {\n        properties:\n        methods:\n";
    for (const MemberDesc& m : iface.members) WriteEventMember(o, m);
    o << "    };\n\n";
}

void WriteCoclass(std::ostream& o, const ClassDesc& c) {
    o << "    [\n      uuid(" << c.clsid.ToString() << ")";
    if (c.instancing == Instancing::NotCreatable) o << ",\n      noncreatable";
    if (c.instancing == Instancing::Global) o << ",\n      appobject";
    o << "\n    ]\n    coclass " << N(c.name) << " {\n";
    o << "        [default] interface " << N(c.default_interface->name) << ";\n";
    if (c.source_interface) o << "        [default, source] dispinterface " << N(c.source_interface->name) << ";\n";
    o << "    };\n\n";
}

}  // namespace

std::string TypeLibraryToIdl(const TypeLibrary& lib) {
    std::ostringstream o;
    o << "// " << N(lib.name) << " type library " << lib.major_version << "." << lib.minor_version << "\n\n";
    o << "[\n  uuid(" << lib.libid.ToString() << "),\n  version(" << lib.major_version << "." << lib.minor_version
      << "),\n  lcid(" << Hex8(lib.lcid) << ")\n]\n";
    o << "library " << N(lib.name) << "\n{\n    importlib(\"stdole2.tlb\");\n\n";

    o << "    // Forward declarations\n";
    for (const ClassDesc& c : lib.classes) o << "    interface " << N(c.default_interface->name) << ";\n";
    for (const ClassDesc& c : lib.classes)
        if (c.source_interface) o << "    dispinterface " << N(c.source_interface->name) << ";\n";
    o << "\n";

    for (const EnumDesc& e : lib.enums) {
        o << "    typedef [uuid(" << e.guid.ToString() << ")]\n    enum {\n";
        for (size_t i = 0; i < e.members.size(); ++i) {
            o << "        " << N(e.members[i].name) << " = " << e.members[i].value
              << (i + 1 < e.members.size() ? ",\n" : "\n");
        }
        o << "    } " << N(e.name) << ";\n\n";
    }
    for (const RecordDesc& r : lib.records) {
        o << "    typedef [uuid(" << r.guid.ToString() << ")]\n    struct tag" << N(r.name) << " {\n";
        for (const FieldDesc& f : r.fields) o << "        " << IdlType(f.type) << " " << N(f.name) << ";\n";
        o << "    } " << N(r.name) << ";\n\n";
    }

    for (const ClassDesc& c : lib.classes) {
        WriteDualInterface(o, *c.default_interface);
        if (c.source_interface) WriteEventInterface(o, *c.source_interface);
        WriteCoclass(o, c);
    }
    o << "};\n";
    return o.str();
}

}  // namespace quibor15
