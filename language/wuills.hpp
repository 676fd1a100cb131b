// clsQuiborWUillsA: asks the user to pick a language in a modal dialog that
// lists the catalogued locales, and tells the caller which button closed it.
#pragma once

#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborWUillsA final : public _clsQuiborWUillsA {
public:
    using _clsQuiborWUillsA::_clsQuiborWUillsA;

    // "ok" or "cancel" after a dialog; empty until the first one. Also a
    // plain field a caller may assign.
    String get_CommandButtonPress() override { return command_button_press_; }
    void let_CommandButtonPress(String value) override { command_button_press_ = std::move(value); }
    // Plain stored value, 0 until assigned; the dialog does not read it.
    Long get_LCIDDefault() override { return lcid_default_; }
    void let_LCIDDefault(Long value) override { lcid_default_ = value; }
    // Plain stored value, 0 until assigned. A dialog closed with OK also
    // stores the identifier it showed there (0 when it showed none), so the
    // caller learns which language was picked; Cancel and the close box
    // leave it as it was.
    Long get_LCIDSelected() override { return lcid_selected_; }
    void let_LCIDSelected(Long value) override { lcid_selected_ = value; }

    // Runs the dialog; afterwards CommandButtonPress is the last command of
    // the language dialogs, lower-cased (a dialog closed through its close
    // box leaves the previous dialog's). Returns Empty.
    Variant UIShowLLS() override;
    // The dialog closes itself through its buttons: does nothing and
    // returns Empty.
    Variant UIHideLLS() override { return Variant(); }

private:
    String command_button_press_;
    Long lcid_default_ = 0;
    Long lcid_selected_ = 0;
};

}  // namespace quibor15
