#include <gtest/gtest.h>

#include "event_log.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::headless {
namespace {

using testing::ErrorNumberOf;
using testing::Listen;
using testing::Log;

class UserTest : public ::testing::Test {
protected:
    UserTest() : form(runtime.AddForm(u"frmMain")), user(runtime.ScriptedUser()) { form->Show(); }

    HeadlessRuntime runtime;
    Ref<Form> form;
    User& user;
    std::shared_ptr<Log> log = std::make_shared<Log>();
};

TEST_F(UserTest, ButtonsAddedAtRunTimeReceiveClicksOnceVisibleAndEnabled) {
    ObjectRef controls = LateGet(ObjectRef(form), u"Controls").ObjectOrThrow();
    ObjectRef next = LateCall(controls, u"Add", {Variant(u"VB.CommandButton"), Variant(u"cmdNext")}).ObjectOrThrow();
    Listen(next, log, "cmdNext");
    EXPECT_FALSE(user.Click(next));  // still invisible
    LateLet(next, u"Visible", Variant(kTrue));
    LateLet(next, u"Enabled", Variant(kFalse));
    EXPECT_FALSE(user.Click(next));
    EXPECT_TRUE(log->empty());
    LateLet(next, u"Enabled", Variant(kTrue));
    EXPECT_TRUE(user.Click(next));
    EXPECT_TRUE(user.Click(next));
    EXPECT_EQ(*log, (Log{"cmdNext.GotFocus", "cmdNext.Click", "cmdNext.Click"}));
}

TEST_F(UserTest, AControlInsideAHiddenOrDisabledContainerIsOutOfReach) {
    Ref<PictureBox> pane = form->Add<PictureBox>(u"picPane");
    Ref<CommandButton> button = form->Add<CommandButton>(u"cmdInside", pane.Get());
    pane->SetVisible(false);
    EXPECT_FALSE(user.Click(button));
    pane->SetVisible(true);
    pane->SetEnabled(false);
    EXPECT_FALSE(user.Click(button));
    form->SetEnabled(false);
    pane->SetEnabled(true);
    EXPECT_FALSE(user.Click(button));
    form->SetEnabled(true);
    EXPECT_TRUE(user.Click(button));
}

// Only a form on the screen takes input: not one never shown, hidden or
// unloaded, nor the keys sent to it.
TEST(UserReach, AFormThatIsNotShownIsOutOfReach) {
    const struct {
        const char* name;
        void (*state)(Form&);
        bool reached;
    } rows[] = {
        {"NeverShown", [](Form&) {}, false},
        {"Loaded", [](Form& f) { f.Load(); }, false},
        {"Shown", [](Form& f) { f.Show(); }, true},
        {"Hidden", [](Form& f) { f.Show(), f.Hide(); }, false},
        {"Unloaded", [](Form& f) { f.Show(), f.Unload(); }, false},
        {"ShownAgain", [](Form& f) { f.Show(), f.Unload(), f.Show(); }, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        HeadlessRuntime runtime;
        Ref<Form> form = runtime.AddForm(u"frmOther");
        Ref<CommandButton> button = form->Add<CommandButton>(u"cmdGo");
        auto log = std::make_shared<Log>();
        Listen(button, log, "cmdGo");
        row.state(*form);
        log->clear();
        EXPECT_EQ(runtime.ScriptedUser().Click(button), row.reached);
        EXPECT_EQ(runtime.ScriptedUser().KeyDown(form, 13), row.reached);
        EXPECT_EQ(log->empty(), !row.reached);
    }
}

TEST_F(UserTest, DoubleClickSendsTheMouseAndClickEventsInTheRuntimesOrder) {
    Ref<Label> title = form->Add<Label>(u"lblTitle");
    title->Move(0, 0, 2000, 300);
    Listen(title, log, "lbl");
    EXPECT_TRUE(user.DblClick(title));
    EXPECT_EQ(*log, (Log{"lbl.MouseDown(1,0,1000,150)", "lbl.MouseUp(1,0,1000,150)", "lbl.Click", "lbl.DblClick",
                         "lbl.MouseUp(1,0,1000,150)"}));
}

TEST_F(UserTest, DoubleClickOnACommandButtonIsTwoClicks) {
    Ref<CommandButton> button = form->Add<CommandButton>(u"cmdGo");
    button->Move(0, 0, 1200, 350);
    Listen(button, log, "cmd");
    EXPECT_TRUE(user.DblClick(button));
    EXPECT_EQ(*log, (Log{"cmd.GotFocus", "cmd.MouseDown(1,0,600,175)", "cmd.MouseUp(1,0,600,175)", "cmd.Click",
                         "cmd.MouseDown(1,0,600,175)", "cmd.MouseUp(1,0,600,175)", "cmd.Click"}));
}

TEST_F(UserTest, MouseCoordinatesOfAPictureBoxAreInItsOwnScale) {
    Ref<PictureBox> picture = form->Add<PictureBox>(u"picDesktop");
    picture->SetBorderStyle(0);
    picture->Move(0, 0, 3000, 1500);
    picture->SetScaleLeft(-1024);
    picture->SetScaleTop(0);
    picture->SetScaleWidth(2048);
    picture->SetScaleHeight(768);
    Listen(picture, log, "pic");
    EXPECT_TRUE(user.DblClick(picture));
    EXPECT_EQ(log->at(1), "pic.MouseDown(1,0,0,384)");
    log->clear();
    EXPECT_TRUE(user.MouseDown(picture, 2, 1, 100, 200));
    EXPECT_EQ(*log, (Log{"pic.MouseDown(2,1,100,200)"}));
}

TEST_F(UserTest, FocusMovesWithLostFocusBeforeGotFocus) {
    Ref<TextBox> first = form->Add<TextBox>(u"txtFirst");
    Ref<TextBox> second = form->Add<TextBox>(u"txtSecond");
    Listen(first, log, "first");
    Listen(second, log, "second");
    EXPECT_TRUE(user.Focus(first));
    EXPECT_TRUE(user.Click(second));
    EXPECT_EQ(*log, (Log{"first.GotFocus", "first.LostFocus", "second.GotFocus", "second.Click"}));
    EXPECT_EQ(form->ActiveControl(), Ref<Control>(second));
    EXPECT_EQ(LateGet(ObjectRef(form), u"ActiveControl").ObjectOrThrow(), ObjectRef(second));
}

TEST_F(UserTest, SetFocusNeedsAVisibleEnabledControlOnAVisibleForm) {
    Ref<CommandButton> ok = form->Add<CommandButton>(u"cmdOK");
    LateCall(ObjectRef(ok), u"SetFocus");
    EXPECT_TRUE(ok->HasFocus());
    ok->SetEnabled(false);
    EXPECT_FALSE(ok->HasFocus());
    EXPECT_EQ(ErrorNumberOf([&] { ok->SetFocus(); }), 5);
    ok->SetEnabled(true);
    form->Hide();
    EXPECT_EQ(ErrorNumberOf([&] { ok->SetFocus(); }), 5);
}

struct PreviewCase {
    bool key_preview;
    bool form_clears_key;
    Log expected;
};

class KeyPreviewTest : public UserTest, public ::testing::WithParamInterface<PreviewCase> {};

TEST_P(KeyPreviewTest, TheFormSeesKeysFirstOnlyWithKeyPreview) {
    const PreviewCase& c = GetParam();
    form->SetKeyPreview(c.key_preview);
    Ref<TextBox> text = form->Add<TextBox>(u"txtName");
    Listen(form, log, "frm", [&](const std::string& event, std::span<Variant> args) {
        if (c.form_clears_key && (event == "KeyDown" || event == "KeyPress")) args[0].Assign(Variant(Integer{0}));
    });
    Listen(text, log, "txt");
    log->clear();
    EXPECT_TRUE(user.KeyDown(text, 33, 2));
    EXPECT_TRUE(user.KeyPress(text, 'q'));
    // Strip the focus events: the keys are what this test is about.
    std::erase_if(*log, [](const std::string& e) { return e.find("Focus") != std::string::npos; });
    EXPECT_EQ(*log, c.expected);
    EXPECT_EQ(text->Text(), c.form_clears_key && c.key_preview ? u"" : u"q");
}

INSTANTIATE_TEST_SUITE_P(
    PreviewAndSwallow, KeyPreviewTest,
    ::testing::Values(PreviewCase{false, false, {"txt.KeyDown(33,2)", "txt.KeyPress(113)", "txt.Change"}},
                      PreviewCase{true,
                                  false,
                                  {"frm.KeyDown(33,2)", "txt.KeyDown(33,2)", "frm.KeyPress(113)", "txt.KeyPress(113)",
                                   "txt.Change"}},
                      PreviewCase{true, true, {"frm.KeyDown(33,2)", "frm.KeyPress(113)"}},
                      // Without preview the form's handler never runs.
                      PreviewCase{false, true, {"txt.KeyDown(33,2)", "txt.KeyPress(113)", "txt.Change"}}));

TEST_F(UserTest, KeysOnAFormWithoutAFocusedControlGoToTheForm) {
    Listen(form, log, "frm");
    EXPECT_TRUE(user.KeyDown(form, 34));
    EXPECT_TRUE(user.KeyUp(form, 34));
    EXPECT_EQ(*log, (Log{"frm.KeyDown(34,0)", "frm.KeyUp(34,0)"}));
}

TEST_F(UserTest, AControlsKeyPressHandlerSwallowsOrReplacesTheCharacter) {
    Ref<TextBox> text = form->Add<TextBox>(u"txtCode");
    Listen(text, log, "txt", [](const std::string& event, std::span<Variant> args) {
        if (event != "KeyPress") return;
        Integer key = VariantToInteger(args[0]);
        if (key >= '0' && key <= '9') args[0].Assign(Variant(Integer{0}));  // no digits
        if (key == '-') args[0].Assign(Variant(Integer{'_'}));
    });
    EXPECT_TRUE(user.Type(text, u"a1-b2"));
    EXPECT_EQ(text->Text(), u"a_b");
    EXPECT_EQ(text->SelStart(), 3);
}

TEST_F(UserTest, TypingReplacesTheSelectionAndEditingKeysWork) {
    Ref<TextBox> text = form->Add<TextBox>(u"txtName");
    text->SetText(u"hello");
    text->SetSelStart(1);
    text->SetSelLength(3);
    Listen(text, log, "txt");
    EXPECT_TRUE(user.KeyPress(text, 'a'));
    EXPECT_EQ(text->Text(), u"hao");
    EXPECT_EQ(text->SelStart(), 2);
    EXPECT_TRUE(user.Press(text, keys::kBack));
    EXPECT_EQ(text->Text(), u"ho");
    EXPECT_TRUE(user.Press(text, keys::kHome));
    EXPECT_TRUE(user.Press(text, keys::kDelete));
    EXPECT_EQ(text->Text(), u"o");
    EXPECT_TRUE(user.Press(text, 'X', keys::kShiftMask));
    EXPECT_TRUE(user.Press(text, 'Y'));
    EXPECT_EQ(text->Text(), u"Xyo");
    EXPECT_EQ(std::count(log->begin(), log->end(), "txt.Change"), 5);
    // Enter types nothing into a single-line box, a line break into a
    // multi-line one; a locked box takes nothing.
    EXPECT_TRUE(user.KeyPress(text, keys::kReturn));
    EXPECT_EQ(text->Text(), u"Xyo");
    text->SetMultiLine(true);
    EXPECT_TRUE(user.KeyPress(text, keys::kReturn));
    EXPECT_EQ(text->Text(), u"Xy\r\no");
    text->SetLocked(true);
    EXPECT_TRUE(user.Type(text, u"zz"));
    EXPECT_EQ(text->Text(), u"Xy\r\no");
}

TEST_F(UserTest, MaxLengthLimitsTyping) {
    Ref<TextBox> text = form->Add<TextBox>(u"txtPin");
    text->SetMaxLength(3);
    user.Type(text, u"12345");
    EXPECT_EQ(text->Text(), u"123");
}

TEST_F(UserTest, CharactersAreTypedThroughTheAnsiCodePage) {
    Ref<TextBox> text = form->Add<TextBox>(u"txtName");
    Listen(text, log, "txt");
    EXPECT_TRUE(user.Type(text, u"\u00e9\u20ac"));  // é and the euro sign
    EXPECT_EQ(text->Text(), u"\u00e9\u20ac");
    EXPECT_EQ(log->at(1), "txt.KeyPress(233)");
    EXPECT_EQ(log->at(3), "txt.KeyPress(128)");  // 0x80 in code page 1252
}

TEST_F(UserTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
    Ref<TextBox> text = form->Add<TextBox>(u"txtName");
    Ref<CommandButton> ok = form->Add<CommandButton>(u"cmdOK");
    Ref<CommandButton> cancel = form->Add<CommandButton>(u"cmdCancel");
    ok->SetDefault(true);
    LateLet(ObjectRef(cancel), u"Cancel", Variant(kTrue));
    Listen(ok, log, "ok");
    Listen(cancel, log, "cancel");
    Listen(text, log, "txt");
    form->SetKeyPreview(true);
    Listen(form, log, "frm");
    user.Focus(text);
    log->clear();
    EXPECT_TRUE(user.Press(text, keys::kReturn));
    EXPECT_TRUE(user.Press(text, keys::kEscape));
    EXPECT_EQ(*log, (Log{"ok.Click", "cancel.Click"}));
    // Only one Default button: a new one takes the role over.
    cancel->SetDefault(true);
    EXPECT_FALSE(ok->Default());
    // Without a Cancel button Esc is an ordinary key.
    cancel->SetCancel(false);
    log->clear();
    EXPECT_TRUE(user.KeyDown(text, keys::kEscape));
    EXPECT_EQ(*log, (Log{"frm.KeyDown(27,0)", "txt.KeyDown(27,0)"}));
}

TEST_F(UserTest, EnterOnAFocusedButtonClicksThatButton) {
    Ref<CommandButton> ok = form->Add<CommandButton>(u"cmdOK");
    Ref<CommandButton> other = form->Add<CommandButton>(u"cmdOther");
    ok->SetDefault(true);
    Listen(other, log, "other");
    EXPECT_TRUE(user.KeyDown(other, keys::kReturn));
    EXPECT_EQ(*log, (Log{"other.GotFocus", "other.Click"}));
}

// The component's type-ahead, as a combo box's KeyPress handler: the text
// up to the caret plus the key, completed from the first item that begins
// with it.
void TypeAhead(const ObjectRef& combo, std::span<Variant> args) {
    Integer key = VariantToInteger(args[0]);
    String text = VariantToString(LateGet(combo, u"Text"));
    Long start = VariantToLong(LateGet(combo, u"SelStart"));
    String typed = text.substr(0, static_cast<size_t>(start)) + static_cast<char16_t>(key);
    Long count = VariantToLong(LateGet(combo, u"ListCount"));
    for (Long i = 0; i < count; ++i) {
        Variant index[1] = {Variant(i)};
        String item = VariantToString(LateGet(combo, u"List", index));
        if (item.size() >= typed.size() && EqualsIgnoreCase(item.substr(0, typed.size()), typed)) {
            LateLet(combo, u"ListIndex", Variant(i));
            LateLet(combo, u"Text", Variant(item));
            LateLet(combo, u"SelStart", Variant(static_cast<Long>(typed.size())));
            LateLet(combo, u"SelLength", Variant(static_cast<Long>(item.size())));
            args[0].Assign(Variant(Integer{0}));
            return;
        }
    }
}

TEST_F(UserTest, ComboBoxTypeAheadCompletesFromTheListAndUnmatchedKeysAreInserted) {
    Ref<ComboBox> combo = form->Add<ComboBox>(u"cmbFruit");
    for (const char16_t* item : {u"Apple", u"Apricot", u"Banana"}) combo->AddItem(item);
    // The handler reaches the combo box without holding it (the box holds
    // the handler).
    Listen(combo, log, "cmb", [raw = combo.Get()](const std::string& event, std::span<Variant> args) {
        if (event == "KeyPress") TypeAhead(ObjectRef(raw), args);
    });
    EXPECT_TRUE(user.Type(combo, u"ap"));
    EXPECT_EQ(combo->Text(), u"Apple");
    EXPECT_EQ(combo->SelText(), u"ple");
    EXPECT_TRUE(user.Type(combo, u"R"));
    EXPECT_EQ(combo->Text(), u"Apricot");
    EXPECT_EQ(combo->ListIndex(), 1);
    EXPECT_EQ(combo->SelStart(), 3);
    EXPECT_EQ(combo->SelText(), u"icot");
    EXPECT_EQ(std::count(log->begin(), log->end(), "cmb.Click"), 3);
    // No item begins with "Aprx": the key goes through and replaces the
    // selected completion.
    EXPECT_TRUE(user.Type(combo, u"x"));
    EXPECT_EQ(combo->Text(), u"Aprx");
    EXPECT_EQ(combo->SelStart(), 4);
    EXPECT_EQ(combo->ListIndex(), -1);
    EXPECT_EQ(log->back(), "cmb.Change");
}

TEST_F(UserTest, ADropDownListSelectsByFirstLetterAndArrowKeys) {
    Ref<ComboBox> combo = form->Add<ComboBox>(u"cmbPick");
    combo->SetStyle(2);
    for (const char16_t* item : {u"Banana", u"apple", u"Blueberry"}) combo->AddItem(item);
    Listen(combo, log, "cmb");
    EXPECT_TRUE(user.KeyPress(combo, 'b'));
    EXPECT_EQ(combo->ListIndex(), 0);
    EXPECT_TRUE(user.KeyPress(combo, 'b'));
    EXPECT_EQ(combo->Text(), u"Blueberry");
    EXPECT_TRUE(user.Press(combo, keys::kUp));
    EXPECT_EQ(combo->Text(), u"apple");
    EXPECT_TRUE(user.Select(combo, 0));
    EXPECT_EQ(combo->Text(), u"Banana");
    EXPECT_EQ(std::count(log->begin(), log->end(), "cmb.Click"), 4);
}

TEST_F(UserTest, CloseRunsQueryUnloadAndUnloadUnlessCancelled) {
    auto attempts = std::make_shared<int>(0);
    Listen(form, log, "frm", [attempts](const std::string& event, std::span<Variant> args) {
        if (event == "QueryUnload" && ++*attempts == 1) args[0].Assign(Variant(kTrue));
    });
    EXPECT_FALSE(user.Close(form));
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_TRUE(user.Close(form));
    EXPECT_EQ(*log, (Log{"frm.QueryUnload(0,0)", "frm.QueryUnload(0,0)", "frm.Unload(0)"}));
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(runtime.Forms().empty());
}

TEST_F(UserTest, AHandlersErrorReachesTheCallerOfTheAction) {
    Ref<CommandButton> next = form->Add<CommandButton>(u"moNextFrameButton");
    Listen(next, log, "next", [](const std::string& event, std::span<Variant>) {
        if (event == "Click") RaiseRuntimeError(rt::kMemberNotSupported);
    });
    EXPECT_EQ(ErrorNumberOf([&] { user.Click(next); }), 438);
}

}  // namespace
}  // namespace quibor15::headless
