// The component's type library as data: the library identity, the
// enumerations and records, every class with its instancing, ProgID and
// default interface, and every interface member in function-table order with
// its DISPID, kind, parameters and result. The C++ interfaces, the late-bound
// dispatch tables and the MIDL listing are all produced from this one model.
//
// The header is self-contained (standard library only) so that the build-time
// generator can use it before anything else of the component is built.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quibor15 {

// A 128-bit identifier. Written in the model as text and checked while
// compiling, so a mistyped identifier is a build error.
struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};

    // "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" (hexadecimal digits, either case).
    static consteval Guid Parse(std::string_view text) {
        if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-') {
            throw "malformed GUID";  // not a constant expression: the build fails here
        }
        Guid g;
        size_t pos = 0;
        auto next = [&](int digits) {
            uint32_t value = 0;
            for (int i = 0; i < digits; ++i, ++pos) {
                if (text[pos] == '-') ++pos;
                char c = text[pos];
                uint32_t d = c >= '0' && c <= '9'   ? uint32_t(c - '0')
                             : c >= 'a' && c <= 'f' ? uint32_t(c - 'a' + 10)
                             : c >= 'A' && c <= 'F' ? uint32_t(c - 'A' + 10)
                                                    : throw "malformed GUID";
                value = value * 16 + d;
            }
            return value;
        };
        g.data1 = next(8);
        g.data2 = static_cast<uint16_t>(next(4));
        g.data3 = static_cast<uint16_t>(next(4));
        for (auto& b : g.data4) b = static_cast<uint8_t>(next(2));
        return g;
    }

    // Upper-case registry form without braces.
    std::string ToString() const;

    friend constexpr bool operator==(const Guid& a, const Guid& b) noexcept {
        if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
        for (int i = 0; i < 8; ++i)
            if (a.data4[i] != b.data4[i]) return false;
        return true;
    }
};

// The declared type of a parameter, result, record field or property.
enum class BaseType : uint8_t {
    Void,  // no result
    String,
    Integer,  // 16-bit
    Long,     // 32-bit
    Single,
    Double,
    Boolean,
    Date,
    Currency,
    Variant,
    Object,       // any object, late bound
    Collection,   // the host runtime's Collection (an Object at the boundary)
    Font,         // the standard font object
    Picture,      // the standard picture object
    Enumerator,   // what NewEnum returns
    Class,        // one of the library's own classes, by name
    Enum,         // one of the library's enumerations, by name (a Long)
    StringArray,  // an array of String
};

struct TypeDesc {
    BaseType base = BaseType::Void;
    std::u16string_view name = {};  // class or enumeration name for Class / Enum

    friend constexpr bool operator==(const TypeDesc&, const TypeDesc&) = default;
};

// The value an optional parameter takes when the caller leaves it out.
enum class DefaultKind : uint8_t {
    None,     // no default: a Variant arrives as the "parameter not found"
              // error value, any other type as its zero value
    Number,   // a whole number
    Boolean,  // True (-1) or False (0), held in number
    Text,
};

struct DefaultValue {
    DefaultKind kind = DefaultKind::None;
    int32_t number = 0;
    std::u16string_view text = {};

    friend constexpr bool operator==(const DefaultValue&, const DefaultValue&) = default;
};

struct ParamDesc {
    std::u16string_view name;
    TypeDesc type;
    bool by_ref = false;
    bool optional = false;
    DefaultValue default_value = {};
};

// Kinds of interface entries. A property row with a get and a let is two
// entries sharing one DISPID.
enum class MemberKind : uint8_t { Method, Get, Let, Set };

enum MemberFlags : uint8_t {
    kMemberHidden = 1,      // hidden from object browsers
    kMemberRestricted = 2,  // not callable from macro languages (the enumerator)
    kMemberUiDefault = 4,   // the class's user-interface default member
};

using MemberDispId = int32_t;

struct MemberDesc {
    std::u16string_view name;
    MemberKind kind = MemberKind::Method;
    MemberDispId dispid = 0;
    // For a let or set the assigned value is the last parameter.
    std::span<const ParamDesc> params = {};
    TypeDesc result = {};  // Void for lets, sets and methods without a result
    uint8_t flags = 0;
};

enum class InterfaceKind : uint8_t {
    Dual,          // hidden, dual, nonextensible, automation-compatible
    DispatchOnly,  // an event (source) interface
};

struct InterfaceDesc {
    std::u16string_view name;
    Guid iid;
    InterfaceKind kind = InterfaceKind::Dual;
    std::span<const MemberDesc> members = {};
};

enum class Instancing : uint8_t {
    Creatable,
    NotCreatable,         // only obtained from another object of the library
    Global,               // creatable and predeclared: one implicit instance per host
    CreatableWithEvents,  // creatable, with a default source interface
};

struct ClassDesc {
    std::u16string_view name;
    Guid clsid;
    Instancing instancing = Instancing::Creatable;
    const InterfaceDesc* default_interface = nullptr;  // "_" + class name
    const InterfaceDesc* source_interface = nullptr;   // the default event interface, if any

    bool IsCreatable() const noexcept { return instancing != Instancing::NotCreatable; }
    bool IsGlobal() const noexcept { return instancing == Instancing::Global; }
    // "quibor15." + class name; empty for a class that callers cannot create.
    std::u16string ProgId() const;
};

struct EnumMemberDesc {
    std::u16string_view name;
    int32_t value = 0;
};

struct EnumDesc {
    std::u16string_view name;
    Guid guid;
    std::span<const EnumMemberDesc> members = {};
};

struct FieldDesc {
    std::u16string_view name;
    TypeDesc type;
};

struct RecordDesc {
    std::u16string_view name;
    Guid guid;
    std::span<const FieldDesc> fields = {};
};

struct TypeLibrary {
    std::u16string_view name;
    Guid libid;
    uint16_t major_version = 0;
    uint16_t minor_version = 0;
    uint32_t lcid = 0;
    std::span<const EnumDesc> enums = {};
    std::span<const RecordDesc> records = {};
    std::span<const ClassDesc> classes = {};

    // Lookups by name, without regard to case; nullptr when absent.
    const ClassDesc* FindClass(std::u16string_view class_name) const noexcept;
    const ClassDesc* FindClassByProgId(std::u16string_view progid) const noexcept;
    const EnumDesc* FindEnum(std::u16string_view enum_name) const noexcept;
    const RecordDesc* FindRecord(std::u16string_view record_name) const noexcept;
    // The index of a class in `classes`, or -1.
    int ClassIndex(std::u16string_view class_name) const noexcept;
};

// The quibor15 type library, version 2.2.
const TypeLibrary& Quibor15TypeLibrary() noexcept;

// Name comparison of the dispatch interface: letters A-Z compare without
// regard to case (every name in the library is plain ASCII).
bool NamesEqual(std::u16string_view a, std::u16string_view b) noexcept;

// The DISPID of a member name in an interface (case-insensitive), or -1.
MemberDispId FindDispId(const InterfaceDesc& iface, std::u16string_view member_name) noexcept;
// The entry of a given DISPID and kind, or nullptr.
const MemberDesc* FindMember(const InterfaceDesc& iface, MemberDispId dispid, MemberKind kind) noexcept;

// Names for listings and messages.
std::u16string_view MemberKindName(MemberKind kind) noexcept;  // "method", "get", "let", "set"
std::u16string TypeDescName(const TypeDesc& type);             // "String", "clsQuiborLocaleA", ...

// ASCII text of a name of the model (the names are ASCII by construction).
std::string NarrowName(std::u16string_view name);

// The whole library as MIDL source, ready for a MIDL compiler. The output
// depends only on the model, so it is the same on every run.
std::string TypeLibraryToIdl(const TypeLibrary& library);

}  // namespace quibor15
