// The language dialog as the user sees it: its form and controls, found by
// their design names, and a helper that runs UIShowLLS with a scripted
// user acting on the open dialog.
#pragma once

#include <functional>

#include "language_world.hpp"

namespace quibor15::testing {

struct DialogView {
    Ref<headless::Form> form;
    Ref<headless::Image> image;
    Ref<headless::Label> label;
    Ref<headless::ComboBox> combo;
    Ref<headless::CommandButton> ok;
    Ref<headless::CommandButton> cancel;
    Ref<headless::TextBox> identifier;      // txtLID1
    Ref<headless::TextBox> identifier_hex;  // txtLID2

    std::vector<String> Items() const {
        std::vector<String> items;
        for (Long i = 0; i < combo->ListCount(); ++i) items.push_back(combo->List(i));
        return items;
    }
    Integer IndexOf(std::u16string_view item) const {
        for (Integer i = 0; i < combo->ListCount(); ++i) {
            if (combo->List(i) == item) return i;
        }
        ADD_FAILURE() << "no list item " << std::string(item.begin(), item.end());
        return -1;
    }
};

inline DialogView ViewOf(const Ref<headless::Form>& form) {
    DialogView v;
    v.form = form;
    v.image = RefCast<headless::Image>(form->FindControl(u"Image1"));
    v.label = RefCast<headless::Label>(form->FindControl(u"Label1"));
    v.combo = RefCast<headless::ComboBox>(form->FindControl(u"cmblstLocales"));
    auto commands = RefCast<headless::ControlArray>(form->FindControl(u"Command1"));
    if (commands) {
        v.ok = RefCast<headless::CommandButton>(commands->Item(0));
        v.cancel = RefCast<headless::CommandButton>(commands->Item(1));
    }
    v.identifier = RefCast<headless::TextBox>(form->FindControl(u"txtLID1"));
    v.identifier_hex = RefCast<headless::TextBox>(form->FindControl(u"txtLID2"));
    return v;
}

// What the open dialog showed at one moment.
struct DialogSnapshot {
    String caption;
    String text;
    String identifier;
    String identifier_hex;
    String tooltip;
    friend bool operator==(const DialogSnapshot&, const DialogSnapshot&) = default;
    friend std::ostream& operator<<(std::ostream& os, const DialogSnapshot& s) {
        auto u8 = [](const String& t) { return std::string(t.begin(), t.end()); };
        return os << "{caption \"" << u8(s.caption) << "\", text \"" << u8(s.text) << "\", ids \"" << u8(s.identifier)
                  << "\" \"" << u8(s.identifier_hex) << "\", tooltip \"" << u8(s.tooltip) << "\"}";
    }
};

inline DialogSnapshot Snapshot(const DialogView& v) {
    return DialogSnapshot{v.form->Caption(), v.combo->Text(), v.identifier->Text(), v.identifier_hex->Text(),
                          v.combo->ToolTipText()};
}

// Runs UIShowLLS on `dialog` while `act` plays the user on the open form.
// Answers whether the dialog opened.
inline bool ShowAndAct(headless::HeadlessRuntime& runtime, _clsQuiborWUillsA& dialog,
                       const std::function<void(DialogView&)>& act) {
    bool opened = false;
    runtime.ScriptedUser().OnModal([&](const Ref<headless::Form>& form) {
        opened = true;
        DialogView view = ViewOf(form);
        act(view);
    });
    dialog.UIShowLLS();
    runtime.ScriptedUser().OnModal(nullptr);
    return opened;
}

}  // namespace quibor15::testing
