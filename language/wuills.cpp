#include "language/wuills.hpp"

#include "language/language_form.hpp"
#include "language/language_module.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

Variant clsQuiborWUillsA::UIShowLLS() {
    frmQUIBORWuillsA dialog(GetContext());
    dialog.ShowModal();
    command_button_press_ = LowerCase(GetContext()->ModuleState<LanguageModuleState>().last_command);
    if (dialog.EndedWithOk()) lcid_selected_ = dialog.ChosenIdentifier();
    return Variant();
}

}  // namespace quibor15
