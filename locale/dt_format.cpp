#include "locale/dt_format.hpp"

namespace quibor15 {

clsQuiborDTFormatA::clsQuiborDTFormatA(ContextPtr context) : _clsQuiborDTFormatA(std::move(context)) {}

Ref<clsQuiborDTFormatA> clsQuiborDTFormatA::Make(const ContextPtr& context, DTFormatType type, String picture) {
    auto format = MakeRef<clsQuiborDTFormatA>(context);
    format->type_ = type;
    format->picture_ = std::move(picture);
    return format;
}

// Plain storage: any value is kept as given.
Long clsQuiborDTFormatA::get_DTFType() { return type_; }
void clsQuiborDTFormatA::let_DTFType(Long value) { type_ = value; }
void clsQuiborDTFormatA::let_DTFormat(String& value) { picture_ = value; }
String clsQuiborDTFormatA::get_DTFormat() { return picture_; }

}  // namespace quibor15
