#include "quibor15/font.hpp"

#include "quibor15/convert.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

constexpr int32_t kInvalidPropertyValue = 380;

struct Member {
    const char16_t* name;
    DispId id;
};

constexpr Member kMembers[] = {
    {u"Name", StdFont::kDispIdName},           {u"Size", StdFont::kDispIdSize},
    {u"Bold", StdFont::kDispIdBold},           {u"Italic", StdFont::kDispIdItalic},
    {u"Underline", StdFont::kDispIdUnderline}, {u"Strikethrough", StdFont::kDispIdStrikethrough},
    {u"Weight", StdFont::kDispIdWeight},       {u"Charset", StdFont::kDispIdCharset},
};

}  // namespace

void StdFont::SetName(String name) {
    if (name.empty()) RaiseRuntimeError(kInvalidPropertyValue);
    name_ = std::move(name);
}

void StdFont::SetSize(Currency size) {
    if (size.scaled <= 0) RaiseRuntimeError(kInvalidPropertyValue);
    size_ = size;
}

void StdFont::SetWeight(Integer weight) {
    if (weight < 0 || weight > 1000) RaiseRuntimeError(kInvalidPropertyValue);
    weight_ = weight;
}

void StdFont::SetCharset(Integer charset) {
    if (charset < 0 || charset > 255) RaiseRuntimeError(kInvalidPropertyValue);
    charset_ = charset;
}

DispId StdFont::GetIdOfName(std::u16string_view name) {
    for (const Member& m : kMembers) {
        if (EqualsIgnoreCase(name, m.name)) return m.id;
    }
    return kDispIdUnknown;
}

Variant StdFont::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    bool known = false;
    for (const Member& m : kMembers) known = known || m.id == id;
    if (!known) RaiseRuntimeError(rt::kMemberNotSupported);

    if (flags & (kInvokeMethod | kInvokePropertyGet)) {
        if (!args.empty()) RaiseRuntimeError(rt::kWrongArgumentCount);
        switch (id) {
            case kDispIdName:
                return Variant(name_);
            case kDispIdSize:
                return Variant(size_);
            case kDispIdBold:
                return Variant(Boolean::From(Bold()));
            case kDispIdItalic:
                return Variant(Boolean::From(italic_));
            case kDispIdUnderline:
                return Variant(Boolean::From(underline_));
            case kDispIdStrikethrough:
                return Variant(Boolean::From(strikethrough_));
            case kDispIdWeight:
                return Variant(weight_);
            default:
                return Variant(charset_);
        }
    }
    if (flags & kInvokePropertyPut) {
        if (args.size() != 1) RaiseRuntimeError(rt::kWrongArgumentCount);
        const Variant& value = args[0];
        switch (id) {
            case kDispIdName:
                SetName(VariantToString(value));
                break;
            case kDispIdSize:
                SetSize(VariantToCurrency(value));
                break;
            case kDispIdBold:
                SetBold(static_cast<bool>(VariantToBoolean(value)));
                break;
            case kDispIdItalic:
                SetItalic(static_cast<bool>(VariantToBoolean(value)));
                break;
            case kDispIdUnderline:
                SetUnderline(static_cast<bool>(VariantToBoolean(value)));
                break;
            case kDispIdStrikethrough:
                SetStrikethrough(static_cast<bool>(VariantToBoolean(value)));
                break;
            case kDispIdWeight:
                SetWeight(VariantToInteger(value));
                break;
            default:
                SetCharset(VariantToInteger(value));
                break;
        }
        return Variant();
    }
    RaiseRuntimeError(rt::kMemberNotSupported);
}

}  // namespace quibor15
