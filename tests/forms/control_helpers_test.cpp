// ComboBoxIncLookup, ObjectSelectedAll and AddToDocumentsList.
#include "forms_world.hpp"

namespace quibor15::testing {
namespace {

using headless::ComboBox;
using headless::Label;
using headless::TextBox;

class ControlHelpers : public FormsWorld {
protected:
    void SetUp() override {
        form = NewForm();
        combo = form->Add<ComboBox>(u"cboFruit");
        for (const char16_t* item : {u"Apple", u"Apricot", u"Banana"}) combo->AddItem(item);
    }

    // The text with the caret after it.
    void Typed(const String& text) {
        combo->SetText(text);
        combo->SetSelStart(static_cast<Long>(text.size()));
    }

    Variant Lookup(const ObjectRef& control, Variant& key) {
        ObjectRef target = control;
        return wui->ComboBoxIncLookup(target, key);
    }

    Ref<headless::Form> form;
    Ref<ComboBox> combo;
};

TEST_F(ControlHelpers, TypeAheadCompletesFromTheList) {
    const struct {
        const char16_t* text;
        Long sel_start;
        char16_t key;
        const char16_t* result;  // nullptr: nothing happens
        Long result_start;
        Long result_length;
        Integer list_index;
    } cases[] = {
        {u"a", 1, u'p', u"Apple", 2, 3, 0},
        {u"AP", 2, u'r', u"Apricot", 3, 4, 1},  // case is ignored; the item's capitals show
        {u"", 0, u'b', u"Banana", 1, 5, 2},
        {u"a", 1, u'x', nullptr, 0, 0, -1},
        // Only the text before the caret counts: "b" + "a" finds Banana.
        {u"bxyz", 1, u'a', u"Banana", 2, 4, 2},
        // The box itself selects an item equal to its text.
        {u"Apple", 5, u's', nullptr, 0, 0, 0},
    };
    for (const auto& c : cases) {
        combo->SetListIndex(-1);
        combo->SetText(c.text);
        combo->SetSelStart(c.sel_start);
        Variant key(static_cast<Integer>(c.key));
        const Variant result = Lookup(ObjectRef(combo), key);
        EXPECT_TRUE(result.IsEmpty());
        if (c.result) {
            EXPECT_EQ(combo->Text(), c.result) << static_cast<int>(c.key);
            EXPECT_EQ(combo->SelStart(), c.result_start);
            EXPECT_EQ(combo->SelLength(), c.result_length);
            EXPECT_EQ(combo->ListIndex(), c.list_index);
            EXPECT_EQ(key, Variant(Integer{0}));
        } else {
            EXPECT_EQ(combo->Text(), c.text);
            EXPECT_EQ(combo->SelStart(), c.sel_start);
            EXPECT_EQ(combo->ListIndex(), c.list_index);
            EXPECT_EQ(key, Variant(static_cast<Integer>(c.key)));
        }
    }
}

TEST_F(ControlHelpers, TheSearchTextReachesTheBoxAsAnAnsiFindString) {
    Typed(u"a");
    windows->ClearLog();
    Variant key(Integer{'p'});
    Lookup(ObjectRef(combo), key);
    const auto messages = windows->MessagesTo(combo->HWnd());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].msg, 0x14Cu);
    EXPECT_EQ(messages[0].wparam, -1);
    EXPECT_EQ(messages[0].text, String(u"ap"));
}

TEST_F(ControlHelpers, DropDownListsAndOtherControlsAreLeftAlone) {
    combo->SetStyle(2);
    combo->SetListIndex(2);
    Variant key(Integer{'a'});
    windows->ClearLog();
    Lookup(ObjectRef(combo), key);
    EXPECT_EQ(combo->Text(), u"Banana");
    EXPECT_EQ(key, Variant(Integer{'a'}));

    auto text = form->Add<TextBox>(u"txtFruit");
    text->SetText(u"a");
    Lookup(ObjectRef(text), key);
    EXPECT_EQ(text->Text(), u"a");
    ObjectRef nothing;
    Lookup(nothing, key);
    EXPECT_EQ(windows->Messages().size(), 0u);
}

TEST_F(ControlHelpers, KeyCodesThatAreNoCharacterFail) {
    Typed(u"a");
    for (Long code : {-1, 256, 1000}) {
        Variant key(code);
        EXPECT_RAISES(rt::kInvalidProcedureCall, Lookup(ObjectRef(combo), key));
    }
    Variant text_key(u"p");  // not a number
    EXPECT_RAISES(rt::kTypeMismatch, Lookup(ObjectRef(combo), text_key));
    EXPECT_EQ(combo->Text(), u"a");
}

// The host's KeyPress handler calls ComboBoxIncLookup with its KeyAscii;
// the scripted user types.
class TypeAhead : public ControlHelpers {
protected:
    void HandleKeyPress(const Ref<ComboBox>& box, bool late_bound) {
        OnEvent(ObjectRef(box), [this, box, late_bound](DispId id, std::span<Variant> args) {
            if (id != ev::kKeyPress) return;
            if (late_bound) {
                Variant call_args[] = {Variant(ObjectRef(box)), args[0]};
                LateCall(ObjectRef(wui), u"ComboBoxIncLookup", call_args);
            } else {
                ObjectRef target(box);
                wui->ComboBoxIncLookup(target, args[0]);
            }
        });
    }
};

TEST_F(TypeAhead, AnEditableComboBoxCompletesWhileTheUserTypes) {
    for (bool late_bound : {false, true}) {
        auto box = form->Add<ComboBox>(late_bound ? u"cboLate" : u"cboEarly");
        for (const char16_t* item : {u"Apple", u"Apricot", u"Banana"}) box->AddItem(item);
        HandleKeyPress(box, late_bound);
        form->Show();
        runtime->ScriptedUser().Type(ObjectRef(box), u"apr");
        // "a" completes to Apple, "p" keeps it, "r" switches to Apricot.
        EXPECT_EQ(box->Text(), u"Apricot") << late_bound;
        EXPECT_EQ(box->SelStart(), 3);
        EXPECT_EQ(box->SelText(), u"icot");
        EXPECT_EQ(box->ListIndex(), 1);

        // A key that matches nothing is typed normally over the selection.
        runtime->ScriptedUser().Type(ObjectRef(box), u"z");
        EXPECT_EQ(box->Text(), u"Aprz");
    }
}

TEST_F(TypeAhead, ADropDownListKeepsItsOwnFirstLetterSelection) {
    auto box = form->Add<ComboBox>(u"cboList");
    box->SetStyle(2);
    for (const char16_t* item : {u"Apple", u"Apricot", u"Banana"}) box->AddItem(item);
    HandleKeyPress(box, false);
    form->Show();
    windows->ClearLog();
    runtime->ScriptedUser().Type(ObjectRef(box), u"b");
    // The list's own handling picks the item; no lookup was made.
    EXPECT_EQ(box->Text(), u"Banana");
    EXPECT_EQ(windows->Messages().size(), 0u);
}

TEST_F(ControlHelpers, SelectedAllSelectsTheWholeTextOfTextAndComboBoxes) {
    auto text = form->Add<TextBox>(u"txtGreeting");
    text->SetText(u"hello");
    text->SetSelStart(2);
    ObjectRef target(text);
    wui->ObjectSelectedAll(target);
    EXPECT_EQ(text->SelStart(), 0);
    EXPECT_EQ(text->SelLength(), 5);

    combo->SetText(u"Apricot");
    combo->SetSelStart(4);
    ObjectRef box(combo);
    wui->ObjectSelectedAll(box);
    EXPECT_EQ(combo->SelStart(), 0);
    EXPECT_EQ(combo->SelLength(), 7);

    auto label = form->Add<Label>(u"lblNote");
    label->SetCaption(u"note");
    ObjectRef other(label);
    wui->ObjectSelectedAll(other);  // nothing, no error
    ObjectRef nothing;
    wui->ObjectSelectedAll(nothing);
}

TEST_F(ControlHelpers, RecentDocuments) {
    EXPECT_EQ(wui->AddToDocumentsList(u""), kFalse);
    EXPECT_EQ(windows->CallCount(u"SHAddToRecentDocs"), 0u);

    EXPECT_EQ(wui->AddToDocumentsList(u"C:\\Docs\\Report.txt"), kTrue);
    const auto calls = windows->Calls(u"SHAddToRecentDocs");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args, (std::vector<String>{u"0x2", u"C:\\Docs\\Report.txt"}));
    EXPECT_EQ(windows->RecentDocuments(), (std::vector<String>{u"C:\\Docs\\Report.txt"}));

    const Variant late = LateCall(ObjectRef(wui), u"AddToDocumentsList", {Variant(u"D:\\b.doc")});
    EXPECT_EQ(late, Variant(kTrue));

    // The last error right after the shell call decides the result.
    windows->ClearLog();
    windows->SetRecentDocsError(sim::kErrorFileNotFound);
    EXPECT_EQ(wui->AddToDocumentsList(u"E:\\missing.txt"), kFalse);
    EXPECT_EQ(windows->Log().Functions(), (std::vector<String>{u"SHAddToRecentDocs", u"GetLastError"}));
    windows->SetRecentDocsError(0);
    EXPECT_EQ(wui->AddToDocumentsList(u"E:\\found.txt"), kTrue);
}

}  // namespace
}  // namespace quibor15::testing
