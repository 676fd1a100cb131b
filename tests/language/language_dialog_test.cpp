// The language dialog opened modally and driven as a user, on the fixture
// locale database (German, English (United States), French, Japanese in
// catalogue order; system default English (United States)).
#include "dialog_view.hpp"
#include "platform/headless/keys.hpp"

namespace quibor15::testing {
namespace {

using headless::keys::kEscape;
using headless::keys::kReturn;

const std::vector<String> kFixtureNames = {u"German (Germany)", u"English (United States)", u"French (France)",
                                           u"Japanese (Japan)"};

class LanguageDialog : public LanguageWorld {
protected:
    Ref<clsQuiborWUillsA> NewDialog() { return MakeRef<clsQuiborWUillsA>(context); }

    // Opens a dialog, lets `act` play the user and answers what
    // CommandButtonPress then reads.
    String Run(clsQuiborWUillsA& dialog, const std::function<void(DialogView&)>& act) {
        EXPECT_TRUE(ShowAndAct(*runtime, dialog, act));
        return dialog.get_CommandButtonPress();
    }
    String Run(const std::function<void(DialogView&)>& act) { return Run(*NewDialog(), act); }

    headless::User& User() { return runtime->ScriptedUser(); }
};

TEST_F(LanguageDialog, OpensWithTheSystemDefaultLanguageSelectedAndTheTableTexts) {
    DialogSnapshot opened;
    std::vector<String> items;
    String prompt, ok, cancel;
    Handle hwnd = 0;
    Run([&](DialogView& v) {
        opened = Snapshot(v);
        items = v.Items();
        prompt = v.label->Caption();
        ok = v.ok->Caption();
        cancel = v.cancel->Caption();
        hwnd = v.form->HWnd();
        EXPECT_TRUE(v.form->IsModal());
    });
    EXPECT_EQ(opened, (DialogSnapshot{u"Select Language", u"English (United States)", u"1033", u"&H409", u""}));
    EXPECT_EQ(items, kFixtureNames);
    EXPECT_EQ(prompt, u"&Select the Present User Interface Language from the choices below.");
    EXPECT_EQ(ok, u"&OK");
    EXPECT_EQ(cancel, u"&Cancel");
    EXPECT_EQ(windows->ForegroundWindow(), hwnd);
    // The texts were read from the library's own module file.
    EXPECT_EQ(windows->Calls(u"LoadLibraryA").at(0).args.at(0), kLibraryPath);
    EXPECT_EQ(Loader().dialog_language, 1033);
    EXPECT_EQ(Loader().module_path, kLibraryPath);
}

TEST_F(LanguageDialog, IsDesignedAsTheLibrarysForm) {
    Run([&](DialogView& v) {
        EXPECT_EQ(v.form->Name(), u"frmQUIBORWuillsA");
        EXPECT_EQ(v.form->ClientWidthTwips(), 4710);
        EXPECT_EQ(v.form->ClientHeightTwips(), 1845);
        EXPECT_TRUE(v.form->KeyPreview());
        struct Place {
            Ref<headless::Control> control;
            headless::Control::Bounds bounds;
            Integer tab_index;
        };
        const Place places[] = {
            {v.ok, {2160, 1320, 1095, 375}, 0},       {v.cancel, {3360, 1320, 1095, 375}, 1},
            {v.label, {720, 240, 3735, 495}, 2},      {v.combo, {720, 840, 3735, 315}, 3},
            {v.identifier, {240, 1320, 855, 285}, 4}, {v.identifier_hex, {1200, 1320, 855, 285}, 5},
        };
        for (const Place& p : places) {
            EXPECT_EQ(p.control->BoundsTwips(), p.bounds)
                << std::string(p.control->Name().begin(), p.control->Name().end());
            EXPECT_EQ(p.control->TabIndex(), p.tab_index);
            EXPECT_TRUE(p.control->Visible());
        }
        EXPECT_EQ(v.image->BoundsTwips(), (headless::Control::Bounds{120, 360, 480, 480}));
        EXPECT_EQ(v.combo->Style(), 0);
        EXPECT_TRUE(v.identifier->Locked());
        EXPECT_TRUE(v.identifier_hex->Locked());
    });
}

TEST_F(LanguageDialog, StandsCentredAndTwoThousandTwipsBelowTheHighCentre) {
    runtime->SetScreen(1280, 1024);  // 19200 x 15360 twips
    Single left = 0, top = 0, width = 0, height = 0;
    Run([&](DialogView& v) {
        left = v.form->Left();
        top = v.form->Top();
        width = v.form->Width();
        height = v.form->Height();
    });
    // Long(15360 * 0.85) \ 2 = 6528; Long(19200) \ 2 = 9600.
    EXPECT_EQ(left, 9600 - IntegerQuotient(width, 2));
    EXPECT_EQ(top, 6528 - IntegerQuotient(height, 2) + 2000);
}

TEST_F(LanguageDialog, PickingGermanShowsItsNameIdentifiersAndTooltip) {
    DialogSnapshot picked;
    Integer index = -1;
    const String command = Run([&](DialogView& v) {
        index = v.IndexOf(u"German (Germany)");
        EXPECT_TRUE(User().Select(v.combo, index));
        picked = Snapshot(v);
        User().Click(v.ok);
    });
    EXPECT_EQ(index, 0);
    EXPECT_EQ(picked, (DialogSnapshot{u"Select Language : German", u"German (Germany)", u"1031", u"&H407",
                                      u"Name   :German , LCID1  : 1031 , LCID2  : &H407"}));
    EXPECT_EQ(command, u"ok");
    EXPECT_EQ(Module().chosen_name, u"german (germany)");
    EXPECT_EQ(Module().chosen_identifier, 1031);
    EXPECT_EQ(Module().chosen_identifier_hex, 1031);
}

TEST_F(LanguageDialog, EveryPickShowsThatLocale) {
    struct Pick {
        String name, caption, identifier, identifier_hex;
    };
    const Pick picks[] = {
        {u"French (France)", u"Select Language : French", u"1036", u"&H40C"},
        {u"Japanese (Japan)", u"Select Language : Japanese", u"1041", u"&H411"},
        {u"English (United States)", u"Select Language : English", u"1033", u"&H409"},
    };
    Run([&](DialogView& v) {
        for (const Pick& p : picks) {
            User().Select(v.combo, v.IndexOf(p.name));
            EXPECT_EQ(Snapshot(v), (DialogSnapshot{p.caption, p.name, p.identifier, p.identifier_hex,
                                                   u"Name   :" + p.caption.substr(18) + u" , LCID1  : " + p.identifier +
                                                       u" , LCID2  : " + p.identifier_hex}));
        }
    });
}

TEST_F(LanguageDialog, TypingGeCompletesGermanAndSelectsTheRest) {
    DialogSnapshot typed;
    Long sel_start = -1, sel_length = -1;
    Integer list_index = -1;
    Run([&](DialogView& v) {
        EXPECT_TRUE(User().Type(v.combo, u"Ge"));
        typed = Snapshot(v);
        sel_start = v.combo->SelStart();
        sel_length = v.combo->SelLength();
        list_index = v.combo->ListIndex();
    });
    EXPECT_EQ(typed, (DialogSnapshot{u"Select Language : German", u"German (Germany)", u"1031", u"&H407",
                                     u"Name   :German , LCID1  : 1031 , LCID2  : &H407"}));
    EXPECT_EQ(sel_start, 2);
    EXPECT_EQ(sel_length, 14);  // "rman (Germany)", which the next key replaces
    EXPECT_EQ(list_index, 0);
    // One lookup per key, each for the text up to the caret plus the key.
    std::vector<String> searched;
    for (const sim::MessageRecord& m : windows->Messages()) {
        if (m.msg == sim::cb::kFindString) {
            searched.push_back(m.text.value_or(u"?"));
            EXPECT_EQ(m.wparam, -1);
        }
    }
    EXPECT_EQ(searched, (std::vector<String>{u"G", u"Ge"}));
}

TEST_F(LanguageDialog, ATypedTextNoItemBeginsWithGoesIntoTheBox) {
    DialogSnapshot after;
    Run([&](DialogView& v) {
        User().Type(v.combo, u"jAx");
        after = Snapshot(v);
    });
    // "j" and "jA" complete Japanese (any case); "jAx" matches nothing, so
    // the x is typed over the selected rest.
    EXPECT_EQ(after, (DialogSnapshot{u"Select Language : Japanese", u"Jax", u"1041", u"&H411",
                                     u"Name   :Japanese , LCID1  : 1041 , LCID2  : &H411"}));
}

TEST_F(LanguageDialog, EnteringTheBoxSelectsItsText) {
    Run([&](DialogView& v) {
        User().Focus(v.combo);
        EXPECT_EQ(v.combo->SelStart(), 0);
        EXPECT_EQ(v.combo->SelLength(), static_cast<Long>(v.combo->Text().size()));
    });
}

TEST_F(LanguageDialog, OkAndCancelEndTheDialogWithTheirCommand) {
    EXPECT_EQ(Run([&](DialogView& v) { User().Click(v.ok); }), u"ok");
    EXPECT_EQ(Run([&](DialogView& v) { User().Click(v.cancel); }), u"cancel");
    EXPECT_TRUE(runtime->Forms().empty());  // each dialog was unloaded
}

TEST_F(LanguageDialog, EnterIsOkAndEscIsCancelFromEveryControl) {
    struct KeyCase {
        const char* where;
        Integer key;
        String expected;
    };
    for (const KeyCase& k : {KeyCase{"combo", kReturn, u"ok"}, KeyCase{"combo", kEscape, u"cancel"},
                             KeyCase{"form", kReturn, u"ok"}, KeyCase{"form", kEscape, u"cancel"},
                             KeyCase{"identifier", kEscape, u"cancel"}, KeyCase{"identifier", kReturn, u"ok"}}) {
        const String command = Run([&](DialogView& v) {
            ObjectRef target = v.form;
            if (std::string(k.where) == "combo") target = v.combo;
            if (std::string(k.where) == "identifier") target = v.identifier;
            if (target != ObjectRef(v.form)) User().Focus(target);
            User().Press(target, k.key);
        });
        EXPECT_EQ(command, k.expected) << k.where << " key " << k.key;
    }
    EXPECT_TRUE(runtime->Forms().empty());
}

TEST_F(LanguageDialog, EnterInTheComboAfterAPickConfirmsIt) {
    auto dialog = NewDialog();
    Run(*dialog, [&](DialogView& v) {
        User().Type(v.combo, u"fr");
        User().Press(v.combo, kReturn);
    });
    EXPECT_EQ(dialog->get_CommandButtonPress(), u"ok");
    EXPECT_EQ(dialog->get_LCIDSelected(), 1036);
    EXPECT_EQ(Module().chosen_name, u"french (france)");
}

TEST_F(LanguageDialog, TheCloseBoxKeepsThePreviousDialogsCommand) {
    auto dialog = NewDialog();
    // Closed at once the first time: nothing was pressed yet.
    EXPECT_EQ(Run(*dialog, [](DialogView&) {}), u"");
    EXPECT_EQ(Run(*dialog, [&](DialogView& v) { User().Click(v.ok); }), u"ok");
    EXPECT_EQ(Run(*dialog, [&](DialogView& v) { User().Close(v.form); }), u"ok");
    EXPECT_EQ(Run(*dialog, [&](DialogView& v) { User().Click(v.cancel); }), u"cancel");
    EXPECT_EQ(Run(*dialog, [&](DialogView& v) { User().Close(v.form); }), u"cancel");
    // The last command belongs to the module, not to one object.
    EXPECT_EQ(Run(*NewDialog(), [&](DialogView& v) { User().Close(v.form); }), u"cancel");
}

TEST_F(LanguageDialog, OkHandsTheChosenIdentifierToLCIDSelectedAndCancelLeavesIt) {
    auto dialog = NewDialog();
    dialog->let_LCIDSelected(4242);
    dialog->let_LCIDDefault(1033);
    Run(*dialog, [&](DialogView& v) {
        User().Select(v.combo, v.IndexOf(u"French (France)"));
        User().Click(v.cancel);
    });
    EXPECT_EQ(dialog->get_LCIDSelected(), 4242);
    Run(*dialog, [&](DialogView& v) { User().Close(v.form); });
    EXPECT_EQ(dialog->get_LCIDSelected(), 4242);
    Run(*dialog, [&](DialogView& v) {
        User().Select(v.combo, v.IndexOf(u"Japanese (Japan)"));
        User().Click(v.ok);
    });
    EXPECT_EQ(dialog->get_LCIDSelected(), 1041);
    EXPECT_EQ(dialog->get_LCIDDefault(), 1033);  // never touched by the dialog
    // OK on the preselected default hands that over.
    Run(*dialog, [&](DialogView& v) { User().Click(v.ok); });
    EXPECT_EQ(dialog->get_LCIDSelected(), 1033);
}

TEST_F(LanguageDialog, DoubleClickingTheIconRebuildsTheListAndReturnsToTheDefault) {
    DialogSnapshot after;
    std::vector<String> items;
    size_t catalogue_builds = 0;
    Run([&](DialogView& v) {
        User().Select(v.combo, v.IndexOf(u"French (France)"));
        catalogue_builds = windows->CallCount(u"GetSystemDefaultLCID");
        EXPECT_TRUE(User().DblClick(v.image));
        after = Snapshot(v);
        items = v.Items();
        User().Click(v.ok);
    });
    EXPECT_GT(windows->CallCount(u"GetSystemDefaultLCID"), catalogue_builds);  // a new catalogue
    EXPECT_EQ(items, kFixtureNames);                                           // refilled, not appended
    // The caption and tooltip of the last pick stay; the selection is the
    // default again.
    EXPECT_EQ(after, (DialogSnapshot{u"Select Language : French", u"English (United States)", u"1033", u"&H409",
                                     u"Name   :French , LCID1  : 1036 , LCID2  : &H40C"}));
    EXPECT_EQ(Module().chosen_identifier, 1033);
}

TEST_F(LanguageDialog, TheRebuiltListFollowsTheLocalesInstalledNow) {
    Run([&](DialogView& v) {
        fixture->RemoveLocale(0x040C);
        User().DblClick(v.image);
        EXPECT_EQ(v.Items(),
                  (std::vector<String>{u"German (Germany)", u"English (United States)", u"Japanese (Japan)"}));
    });
}

TEST_F(LanguageDialog, WithoutACataloguedDefaultTheBoxesStayEmptyAndOkStillWorks) {
    fixture->SetSystemDefault(0x0804);  // never catalogued
    auto dialog = NewDialog();
    dialog->let_LCIDSelected(77);
    DialogSnapshot opened;
    std::vector<String> items;
    const String command = Run(*dialog, [&](DialogView& v) {
        opened = Snapshot(v);
        items = v.Items();
        User().Click(v.ok);
    });
    EXPECT_EQ(opened, (DialogSnapshot{u"Select Language", u"", u"", u"", u""}));
    // The list is filled all the same, so a language can be picked.
    EXPECT_EQ(items, kFixtureNames);
    EXPECT_EQ(command, u"ok");
    EXPECT_EQ(Module().chosen_identifier, 0);
    EXPECT_EQ(Module().chosen_identifier_hex, 0);
    EXPECT_EQ(Module().chosen_name, u"");
    EXPECT_EQ(dialog->get_LCIDSelected(), 0);  // OK with nothing shown picks nothing

    Run(*dialog, [&](DialogView& v) {
        User().Select(v.combo, v.IndexOf(u"German (Germany)"));
        User().Click(v.ok);
    });
    EXPECT_EQ(dialog->get_LCIDSelected(), 1031);
}

TEST_F(LanguageDialog, WithoutTheLibrarysModuleTheHostProgramsTableAnswers) {
    runtime->AppSettings()->SetPath(u"C:\\Elsewhere");
    DialogSnapshot opened;
    String prompt, ok;
    Run([&](DialogView& v) {
        opened = Snapshot(v);
        prompt = v.label->Caption();
        ok = v.ok->Caption();
    });
    // The host program has no such strings: the texts are empty rather
    // than the design's.
    EXPECT_EQ(opened.caption, u"");
    EXPECT_EQ(prompt, u"");
    EXPECT_EQ(ok, u"");
    EXPECT_EQ(Loader().module_path, u"C:\\Elsewhere\\quibor15.dll");

    windows->SetHostString(112, 1033, u"Pick a language");
    windows->SetHostString(110, 1033, u"&Yes");
    Run([&](DialogView& v) {
        EXPECT_EQ(v.form->Caption(), u"Pick a language");
        EXPECT_EQ(v.ok->Caption(), u"&Yes");
        EXPECT_EQ(v.cancel->Caption(), u"");
    });
    EXPECT_TRUE(runtime->ScriptedUser().MessageBoxes().empty());
}

TEST_F(LanguageDialog, UIHideLLSDoesNothing) {
    auto dialog = NewDialog();
    dialog->let_CommandButtonPress(u"maybe");
    EXPECT_TRUE(dialog->UIHideLLS().IsEmpty());
    EXPECT_EQ(dialog->get_CommandButtonPress(), u"maybe");
    EXPECT_TRUE(runtime->Forms().empty());
}

TEST_F(LanguageDialog, ANewObjectHoldsPlainValues) {
    auto dialog = NewDialog();
    EXPECT_EQ(dialog->get_CommandButtonPress(), u"");
    EXPECT_EQ(dialog->get_LCIDDefault(), 0);
    EXPECT_EQ(dialog->get_LCIDSelected(), 0);
    dialog->let_LCIDDefault(-5);
    dialog->let_LCIDSelected(2147483647);
    EXPECT_EQ(dialog->get_LCIDDefault(), -5);
    EXPECT_EQ(dialog->get_LCIDSelected(), 2147483647);
}

TEST_F(LanguageDialog, LateBoundCallersReachTheSameDialog) {
    ObjectRef dialog(NewDialog());
    User().OnModal([&](const Ref<headless::Form>& form) {
        DialogView v = ViewOf(form);
        User().Select(v.combo, v.IndexOf(u"German (Germany)"));
        User().Click(v.ok);
    });
    EXPECT_TRUE(LateCall(dialog, u"uishowlls").IsEmpty());
    EXPECT_EQ(LateGet(dialog, u"CommandButtonPress"), Variant(u"ok"));
    EXPECT_EQ(LateGet(dialog, u"LCIDSelected"), Variant(Long{1031}));
    LateLet(dialog, u"CommandButtonPress", Variant(u"reset"));
    EXPECT_EQ(LateGet(dialog, u"CommandButtonPress"), Variant(u"reset"));
    EXPECT_TRUE(LateCall(dialog, u"UIHideLLS").IsEmpty());
    EXPECT_EQ(dialog->GetIdOfName(u"UIShowLLS"), 0x60030002);
}

TEST_F(LanguageDialog, AnErrorOfTheUsersHandlerReachesTheCallerAndTheDialogGoes) {
    auto dialog = NewDialog();
    User().OnModal([](const Ref<headless::Form>&) { RaiseRuntimeError(rt::kDivisionByZero); });
    EXPECT_RAISES(rt::kDivisionByZero, dialog->UIShowLLS());
    EXPECT_TRUE(runtime->Forms().empty());
}

}  // namespace
}  // namespace quibor15::testing
