// The language-selection module: the state all its dialogs share, and the
// routines its form uses on the host's form and controls.
#pragma once

#include "quibor15/context.hpp"

namespace quibor15 {

// Process-wide (per host) state of the language dialogs. It outlives each
// dialog, so a dialog closed through its close box leaves the last command
// of the dialog before it.
struct LanguageModuleState {
    // "ok" or "cancel", written by the dialog's buttons; empty until the
    // first press.
    String last_command;
    // Written by OK: the combo box text trimmed and lower-cased, and the
    // identifier boxes read as numbers.
    String chosen_name;
    Long chosen_identifier = 0;
    Long chosen_identifier_hex = 0;
};

// Places a form horizontally centred and a little above the middle of the
// screen (twips): Top = Long(Screen.Height * 0.85) \ 2 - Long(Height) \ 2,
// Left = Long(Screen.Width) \ 2 - Long(Width) \ 2.
void CenterFormHigh(HostRuntime& host, const ObjectRef& form);

// Type-ahead in a combo box with an editable text (Style 0 or 1): the text
// before the caret plus the key's character is looked up among the list
// items (CB_FINDSTRING, first item beginning with it, any case); when one
// is found it is selected (raising Click), fills the text with the part not
// typed selected, and the key is consumed (set to 0). Otherwise nothing
// changes and the key goes through.
void ComboAutoComplete(WindowsServices& windows, const ObjectRef& control, Integer& key_ascii);

// Selects the whole text of a combo box or text box; other objects are left
// alone.
void SelectAllText(const ObjectRef& control);

}  // namespace quibor15
