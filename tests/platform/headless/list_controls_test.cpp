#include <gtest/gtest.h>

#include "event_log.hpp"

namespace quibor15::headless {
namespace {

using testing::ErrorDescriptionOf;
using testing::ErrorNumberOf;
using testing::Listen;
using testing::Log;

class ListControlsTest : public ::testing::Test {
protected:
    ListControlsTest() : form(runtime.AddForm(u"frmMain")) {}

    ObjectRef AddControl(const char16_t* prog_id, const char16_t* name) {
        ObjectRef controls = LateGet(ObjectRef(form), u"Controls").ObjectOrThrow();
        return LateCall(controls, u"Add", {Variant(prog_id), Variant(name)}).ObjectOrThrow();
    }
    static String ListItem(const ObjectRef& list, Long i) {
        Variant index[1] = {Variant(i)};
        return VariantToString(LateGet(list, u"List", index));
    }

    HeadlessRuntime runtime;
    Ref<Form> form;
    std::shared_ptr<Log> log = std::make_shared<Log>();
};

TEST_F(ListControlsTest, AddItemAppendsOrInsertsAndTheSelectionFollowsItsItem) {
    ObjectRef combo = AddControl(u"VB.ComboBox", u"cmblstLocales");
    LateCall(combo, u"AddItem", {Variant(u"German")});
    LateCall(combo, u"AddItem", {Variant(u"French")});
    LateLet(combo, u"ListIndex", Variant(Integer{1}));
    LateCall(combo, u"AddItem", {Variant(u"Danish"), Variant(Integer{0})});
    EXPECT_EQ(VariantToLong(LateGet(combo, u"ListCount")), 3);
    EXPECT_EQ(ListItem(combo, 0), u"Danish");
    EXPECT_EQ(VariantToLong(LateGet(combo, u"ListIndex")), 2);
    EXPECT_EQ(VariantToLong(LateGet(combo, u"NewIndex")), 0);
    EXPECT_EQ(VariantToString(LateGet(combo, u"Text")), u"French");
    EXPECT_EQ(ErrorNumberOf([&] { LateCall(combo, u"AddItem", {Variant(u"x"), Variant(Integer{5})}); }), 5);
    // Past the end a read gives "", an assignment fails.
    EXPECT_EQ(ListItem(combo, 3), u"");
    Variant three[2] = {Variant(Long{3}), Variant(u"y")};
    EXPECT_EQ(ErrorNumberOf([&] { combo->Invoke(combo->GetIdOfName(u"List"), kInvokePropertyPut, three); }), 381);
    Variant first[1] = {Variant(Long{0})};
    LateLet(combo, u"List", Variant(u"Dutch"), first);
    EXPECT_EQ(ListItem(combo, 0), u"Dutch");
}

TEST_F(ListControlsTest, SettingListIndexRaisesClickAndMinusOneClears) {
    ObjectRef combo = AddControl(u"VB.ComboBox", u"cmbPick");
    Listen(combo, log, "cmb");
    for (const char16_t* item : {u"One", u"Two"}) LateCall(combo, u"AddItem", {Variant(item)});
    LateLet(combo, u"ListIndex", Variant(Integer{1}));
    EXPECT_EQ(VariantToString(LateGet(combo, u"Text")), u"Two");
    EXPECT_EQ(VariantToLong(LateGet(combo, u"SelLength")), 3);
    LateLet(combo, u"ListIndex", Variant(Integer{-1}));
    EXPECT_EQ(VariantToString(LateGet(combo, u"Text")), u"");
    EXPECT_EQ(*log, (Log{"cmb.Click"}));
    EXPECT_EQ(ErrorNumberOf([&] { LateLet(combo, u"ListIndex", Variant(Integer{2})); }), 380);
    EXPECT_EQ(ErrorNumberOf([&] { LateLet(combo, u"ListIndex", Variant(Integer{-2})); }), 380);
}

TEST_F(ListControlsTest, ADropDownListTakesOnlyTheTextOfAnItem) {
    Ref<ComboBox> combo = form->Add<ComboBox>(u"cmbPick");
    combo->SetStyle(2);
    combo->AddItem(u"English (United States)");
    combo->AddItem(u"German (Germany)");
    Listen(combo, log, "cmb");
    LateLet(ObjectRef(combo), u"Text", Variant(u"german (germany)"));
    EXPECT_EQ(combo->ListIndex(), 1);
    EXPECT_EQ(combo->Text(), u"German (Germany)");
    EXPECT_EQ(ErrorDescriptionOf([&] { LateLet(ObjectRef(combo), u"Text", Variant(u"Klingon")); }),
              u"'Text' property is read-only");
    EXPECT_EQ(ErrorNumberOf([&] { combo->SetText(u""); }), 383);
    EXPECT_EQ(combo->ListIndex(), 1);
    EXPECT_EQ(*log, (Log{"cmb.Click"}));
    combo->RemoveItem(1);
    EXPECT_EQ(combo->ListIndex(), -1);
    EXPECT_EQ(combo->Text(), u"");
}

TEST_F(ListControlsTest, AnEditableComboTakesAnyTextAndItsIndexFollowsAMatchingItem) {
    Ref<ComboBox> combo = form->Add<ComboBox>(u"cmbFree");
    combo->AddItem(u"Alpha");
    combo->AddItem(u"Beta");
    Listen(combo, log, "cmb");
    combo->SetText(u"Gamma");
    EXPECT_EQ(combo->ListIndex(), -1);
    combo->SetText(u"BETA");
    EXPECT_EQ(combo->ListIndex(), 1);
    EXPECT_EQ(combo->Text(), u"BETA");
    EXPECT_EQ(*log, (Log{"cmb.Change", "cmb.Change"}));
    combo->Clear();
    EXPECT_EQ(combo->ListCount(), 0);
    EXPECT_EQ(combo->Text(), u"");
    EXPECT_EQ(combo->ListIndex(), -1);
}

struct SelectionCase {
    Long start;
    Long length;
    Long expected_start;
    Long expected_length;
    const char16_t* selected;
};

class SelectionTest : public ListControlsTest, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionTest, SelStartAndSelLengthAreCutAtTheEndOfTheText) {
    for (const char16_t* prog_id : {u"VB.TextBox", u"VB.ComboBox"}) {
        ObjectRef box = AddControl(prog_id, prog_id[3] == u'T' ? u"txt" : u"cmb");
        LateLet(box, u"Text", Variant(u"English"));
        LateLet(box, u"SelStart", Variant(GetParam().start));
        LateLet(box, u"SelLength", Variant(GetParam().length));
        EXPECT_EQ(VariantToLong(LateGet(box, u"SelStart")), GetParam().expected_start);
        EXPECT_EQ(VariantToLong(LateGet(box, u"SelLength")), GetParam().expected_length);
        EXPECT_EQ(VariantToString(LateGet(box, u"SelText")), GetParam().selected);
    }
}

INSTANTIATE_TEST_SUITE_P(Ranges, SelectionTest,
                         ::testing::Values(SelectionCase{0, 7, 0, 7, u"English"}, SelectionCase{2, 3, 2, 3, u"gli"},
                                           SelectionCase{3, 99, 3, 4, u"lish"}, SelectionCase{50, 2, 7, 0, u""}));

TEST_F(ListControlsTest, NegativeSelectionValuesAreInvalid) {
    ObjectRef text = AddControl(u"VB.TextBox", u"txt");
    EXPECT_EQ(ErrorNumberOf([&] { LateLet(text, u"SelStart", Variant(Long{-1})); }), 380);
    EXPECT_EQ(ErrorNumberOf([&] { LateLet(text, u"SelLength", Variant(Long{-1})); }), 380);
}

TEST_F(ListControlsTest, SelTextReplacesTheSelectionAndRaisesChange) {
    Ref<TextBox> text = form->Add<TextBox>(u"txt");
    text->SetText(u"Hello world");
    Listen(text, log, "txt");
    text->SetSelStart(6);
    text->SetSelLength(5);
    LateLet(ObjectRef(text), u"SelText", Variant(u"there"));
    EXPECT_EQ(text->Text(), u"Hello there");
    EXPECT_EQ(text->SelStart(), 11);
    EXPECT_EQ(*log, (Log{"txt.Change"}));
}

TEST_F(ListControlsTest, ListBoxesHoldEntriesForPlaylists) {
    ObjectRef list = AddControl(u"VB.ListBox", u"lstPlaylist");
    Listen(list, log, "lst");
    for (const char16_t* entry : {u"C:\\Music\\a.b.mp3", u"C:\\Music\\README"}) {
        LateCall(list, u"AddItem", {Variant(entry)});
    }
    EXPECT_EQ(VariantToLong(LateGet(list, u"ListCount")), 2);
    EXPECT_EQ(ListItem(list, 1), u"C:\\Music\\README");
    EXPECT_EQ(VariantToString(LateGet(list, u"Text")), u"");
    LateLet(list, u"ListIndex", Variant(Integer{0}));
    EXPECT_EQ(VariantToString(LateDefault(list, {})), u"C:\\Music\\a.b.mp3");
    LateLet(list, u"Text", Variant(u"c:\\music\\readme"));
    EXPECT_EQ(VariantToLong(LateGet(list, u"ListIndex")), 1);
    LateLet(list, u"Text", Variant(u"nothing like it"));
    EXPECT_EQ(VariantToLong(LateGet(list, u"ListIndex")), -1);
    LateCall(list, u"RemoveItem", {Variant(Long{0})});
    EXPECT_EQ(VariantToLong(LateGet(list, u"ListCount")), 1);
    EXPECT_EQ(ErrorNumberOf([&] { LateCall(list, u"RemoveItem", {Variant(Long{1})}); }), 5);
    LateCall(list, u"Clear");
    EXPECT_EQ(VariantToLong(LateGet(list, u"ListCount")), 0);
    EXPECT_EQ(*log, (Log{"lst.Click", "lst.Click"}));
    Variant data[2] = {Variant(Long{0}), Variant(Long{1})};
    LateCall(list, u"AddItem", {Variant(u"x")});
    list->Invoke(list->GetIdOfName(u"ItemData"), kInvokePropertyPut, data);
    Variant zero[1] = {Variant(Long{0})};
    EXPECT_EQ(VariantToLong(LateGet(list, u"ItemData", zero)), 1);
}

}  // namespace
}  // namespace quibor15::headless
