// clsQuiborDTFormatA: one date or time picture and its kind.
#pragma once

#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborDTFormatA : public _clsQuiborDTFormatA {
public:
    explicit clsQuiborDTFormatA(ContextPtr context);

    // A picture of the given kind, as the locale object builds its lists.
    static Ref<clsQuiborDTFormatA> Make(const ContextPtr& context, DTFormatType type, String picture);

    Long get_DTFType() override;
    void let_DTFType(Long value) override;
    void let_DTFormat(String& value) override;
    String get_DTFormat() override;

private:
    Long type_ = 0;
    String picture_;
};

}  // namespace quibor15
