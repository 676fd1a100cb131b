// clsQuiborInternationalA: the entry point of the locale services. Creating
// it builds the catalogue of installed locales and finds the system default
// among them.
#pragma once

#include "locale/locale.hpp"
#include "locale/locales.hpp"
#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborInternationalA : public _clsQuiborInternationalA {
public:
    // Builds the whole catalogue before returning.
    explicit clsQuiborInternationalA(ContextPtr context);

    Ref<_clsQuiborLocalesA> get_Locales() override;
    Ref<_clsQuiborLocaleA> get_SystemDefault() override;

private:
    void AddLocale(Long primary, Long sub);

    Ref<clsQuiborLocalesA> locales_;
    Long system_lcid_ = 0;
    Ref<_clsQuiborLocaleA> system_default_;
};

}  // namespace quibor15
