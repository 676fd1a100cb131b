// Lookups over the type library model. Uses the standard library only, like
// the model itself, because the build-time generator links it too.
#include "quibor15/typelib.hpp"

#include <cstdio>

namespace quibor15 {

namespace {

constexpr char16_t FoldAscii(char16_t c) noexcept { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

}  // namespace

std::string Guid::ToString() const {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", unsigned(data1), unsigned(data2),
                  unsigned(data3), data4[0], data4[1], data4[2], data4[3], data4[4], data4[5], data4[6], data4[7]);
    return buf;
}

std::u16string ClassDesc::ProgId() const {
    if (!IsCreatable()) return {};
    return u"quibor15." + std::u16string(name);
}

bool NamesEqual(std::u16string_view a, std::u16string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

const ClassDesc* TypeLibrary::FindClass(std::u16string_view class_name) const noexcept {
    for (const auto& c : classes)
        if (NamesEqual(c.name, class_name)) return &c;
    return nullptr;
}

const ClassDesc* TypeLibrary::FindClassByProgId(std::u16string_view progid) const noexcept {
    // "quibor15." + class name, the library name compared without case too.
    if (progid.size() <= name.size() + 1 || !NamesEqual(progid.substr(0, name.size()), name) ||
        progid[name.size()] != u'.') {
        return nullptr;
    }
    const ClassDesc* c = FindClass(progid.substr(name.size() + 1));
    return c && c->IsCreatable() ? c : nullptr;
}

const EnumDesc* TypeLibrary::FindEnum(std::u16string_view enum_name) const noexcept {
    for (const auto& e : enums)
        if (NamesEqual(e.name, enum_name)) return &e;
    return nullptr;
}

const RecordDesc* TypeLibrary::FindRecord(std::u16string_view record_name) const noexcept {
    for (const auto& r : records)
        if (NamesEqual(r.name, record_name)) return &r;
    return nullptr;
}

int TypeLibrary::ClassIndex(std::u16string_view class_name) const noexcept {
    const ClassDesc* c = FindClass(class_name);
    return c ? static_cast<int>(c - classes.data()) : -1;
}

MemberDispId FindDispId(const InterfaceDesc& iface, std::u16string_view member_name) noexcept {
    for (const auto& m : iface.members)
        if (NamesEqual(m.name, member_name)) return m.dispid;
    return -1;
}

const MemberDesc* FindMember(const InterfaceDesc& iface, MemberDispId dispid, MemberKind kind) noexcept {
    for (const auto& m : iface.members)
        if (m.dispid == dispid && m.kind == kind) return &m;
    return nullptr;
}

std::u16string_view MemberKindName(MemberKind kind) noexcept {
    switch (kind) {
        case MemberKind::Method:
            return u"method";
        case MemberKind::Get:
            return u"get";
        case MemberKind::Let:
            return u"let";
        case MemberKind::Set:
            return u"set";
    }
    return u"?";
}

std::u16string TypeDescName(const TypeDesc& type) {
    switch (type.base) {
        case BaseType::Void:
            return u"-";
        case BaseType::String:
            return u"String";
        case BaseType::Integer:
            return u"Integer";
        case BaseType::Long:
            return u"Long";
        case BaseType::Single:
            return u"Single";
        case BaseType::Double:
            return u"Double";
        case BaseType::Boolean:
            return u"Boolean";
        case BaseType::Date:
            return u"Date";
        case BaseType::Currency:
            return u"Currency";
        case BaseType::Variant:
            return u"Variant";
        case BaseType::Object:
            return u"Object";
        case BaseType::Collection:
            return u"Collection";
        case BaseType::Font:
            return u"Font";
        case BaseType::Picture:
            return u"Picture";
        case BaseType::Enumerator:
            return u"enumerator";
        case BaseType::StringArray:
            return u"String()";
        case BaseType::Class:
        case BaseType::Enum:
            return std::u16string(type.name);
    }
    return u"?";
}

std::string NarrowName(std::u16string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char16_t c : name) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

}  // namespace quibor15
