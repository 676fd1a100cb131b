#include <gtest/gtest.h>

#include <set>

#include "event_log.hpp"

namespace quibor15::headless {
namespace {

using testing::ErrorDescriptionOf;
using testing::ErrorNumberOf;

ObjectRef AddLateBound(const ObjectRef& form, const char16_t* prog_id, const char16_t* name) {
    ObjectRef controls = LateGet(form, u"Controls").ObjectOrThrow();
    return LateCall(controls, u"Add", {Variant(prog_id), Variant(name)}).ObjectOrThrow();
}

struct KindCase {
    const char16_t* prog_id;
    const char16_t* type_name;
};

class ControlsAddTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(ControlsAddTest, AddsAnInvisibleControlOfTheKindOnTheForm) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    ObjectRef control = AddLateBound(form, GetParam().prog_id, u"ctlNew");
    EXPECT_EQ(control->TypeName(), GetParam().type_name);
    EXPECT_EQ(VariantToBoolean(LateGet(control, u"Visible")), kFalse);
    EXPECT_EQ(VariantToString(LateGet(control, u"Name")), u"ctlNew");
    EXPECT_EQ(LateGet(control, u"Container").ObjectOrThrow(), ObjectRef(form));
    EXPECT_EQ(form->ControlCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ControlsAddTest,
                         ::testing::Values(KindCase{u"VB.PictureBox", u"PictureBox"}, KindCase{u"VB.Label", u"Label"},
                                           KindCase{u"VB.CommandButton", u"CommandButton"},
                                           KindCase{u"VB.TextBox", u"TextBox"}, KindCase{u"VB.ComboBox", u"ComboBox"},
                                           KindCase{u"VB.ListBox", u"ListBox"}, KindCase{u"VB.Frame", u"Frame"},
                                           KindCase{u"vb.image", u"Image"}));

TEST(ControlsAdd, ADuplicateNameFailsWith727AndNamesTheControl) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    AddLateBound(form, u"VB.Label", u"moTopPaneTitleLabel");
    String description = ErrorDescriptionOf([&] { AddLateBound(form, u"VB.PictureBox", u"MOTOPPANETITLELABEL"); });
    EXPECT_EQ(description, u"There is already a control with the name 'MOTOPPANETITLELABEL'");
    EXPECT_EQ(ErrorNumberOf([&] { AddLateBound(form, u"VB.Label", u"moTopPaneTitleLabel"); }), 727);
    form->AddControlArray(ControlKind::Frame, u"fraStep", 2);
    EXPECT_EQ(ErrorNumberOf([&] { AddLateBound(form, u"VB.Label", u"fraStep"); }), 727);
    EXPECT_EQ(form->ControlCount(), 3u);
}

TEST(ControlsAdd, TheOptionalThirdArgumentIsTheContainer) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    ObjectRef controls = LateGet(ObjectRef(form), u"Controls").ObjectOrThrow();
    ObjectRef pane = LateCall(controls, u"Add", {Variant(u"VB.PictureBox"), Variant(u"picPane")}).ObjectOrThrow();
    ObjectRef inside = LateCall(controls, u"Add", {Variant(u"VB.CommandButton"), Variant(u"cmdInside"), Variant(pane)})
                           .ObjectOrThrow();
    EXPECT_EQ(LateGet(inside, u"Container").ObjectOrThrow(), pane);
    ObjectRef text = LateCall(controls, u"Add", {Variant(u"VB.TextBox"), Variant(u"txt")}).ObjectOrThrow();
    EXPECT_EQ(ErrorNumberOf([&] {
                  LateCall(controls, u"Add", {Variant(u"VB.Label"), Variant(u"lbl"), Variant(text)});
              }),
              380);
}

TEST(ControlsAdd, UnknownProgramIdentifiersAndBadNamesFail) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    EXPECT_EQ(ErrorNumberOf([&] { AddLateBound(form, u"VB.Timer", u"tmr"); }), 711);
    EXPECT_EQ(ErrorNumberOf([&] { AddLateBound(form, u"Label", u"lbl"); }), 711);
    EXPECT_EQ(ErrorNumberOf([&] { AddLateBound(form, u"VB.Label", u"1abc"); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { AddLateBound(form, u"VB.Label", u""); }), 5);
    EXPECT_EQ(form->ControlCount(), 0u);
}

TEST(ControlsCollection, PositionsCountNestedControlsAndArrayElementsInCreationOrder) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    Ref<PictureBox> pane = form->Add<PictureBox>(u"picPane");
    Ref<Label> title = form->Add<Label>(u"lblTitle", pane.Get());
    Ref<CommandButton> ok = form->Add<CommandButton>(u"cmdOK");
    Ref<ControlArray> frames = form->AddControlArray(ControlKind::Frame, u"fraStep", 2);
    Ref<TextBox> inner = form->Add<TextBox>(u"txtInner", frames->Item(1).Get());

    ObjectRef controls = LateGet(ObjectRef(form), u"Controls").ObjectOrThrow();
    EXPECT_EQ(VariantToLong(LateGet(controls, u"Count")), 6);
    EXPECT_EQ(VariantToLong(LateGet(ObjectRef(form), u"Count")), 6);
    std::vector<ObjectRef> expected{pane, title, ok, frames->Item(0), frames->Item(1), inner};
    for (Long i = 0; i < 6; ++i) {
        Variant index[1] = {Variant(i)};
        EXPECT_EQ(LateDefault(controls, index).ObjectOrThrow(), expected[static_cast<size_t>(i)]) << i;
        // form.Controls(i), as the resolution-scaling code writes it.
        EXPECT_EQ(LateGet(ObjectRef(form), u"Controls", index).ObjectOrThrow(), expected[static_cast<size_t>(i)]);
    }
    Variant beyond[1] = {Variant(Long{6})};
    EXPECT_EQ(ErrorNumberOf([&] { LateDefault(controls, beyond); }), 9);

    // By name: a control, or the whole control array.
    Variant by_name[1] = {Variant(u"LBLTITLE")};
    EXPECT_EQ(LateDefault(controls, by_name).ObjectOrThrow(), ObjectRef(title));
    Variant array_name[1] = {Variant(u"fraStep")};
    EXPECT_EQ(LateDefault(controls, array_name).ObjectOrThrow(), ObjectRef(frames));
    Variant missing[1] = {Variant(u"lblNone")};
    EXPECT_EQ(ErrorNumberOf([&] { LateDefault(controls, missing); }), 730);

    // For Each visits the same controls.
    Ref<Enumerator> each = EnumerateObject(controls);
    std::vector<ObjectRef> seen;
    for (Variant item; each->Next(item);) seen.push_back(item.ObjectOrThrow());
    EXPECT_EQ(seen, expected);
}

TEST(ControlsCollection, ControlNamesAreMembersOfTheForm) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    Ref<TextBox> text = form->Add<TextBox>(u"txtLID1");
    Ref<ControlArray> buttons = form->AddControlArray(ControlKind::CommandButton, u"Command1", 2);
    EXPECT_EQ(LateGet(ObjectRef(form), u"txtlid1").ObjectOrThrow(), ObjectRef(text));
    Variant one[1] = {Variant(Integer{1})};
    EXPECT_EQ(LateGet(ObjectRef(form), u"Command1", one).ObjectOrThrow(), ObjectRef(buttons->Item(1)));
    EXPECT_EQ(form->GetIdOfName(u"cmdNothing"), kDispIdUnknown);
}

TEST(ControlsCollection, RemoveTakesTheControlAndWhatItContains) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    ObjectRef pane = AddLateBound(form, u"VB.PictureBox", u"picPane");
    ObjectRef label = AddLateBound(form, u"VB.Label", u"lblInside");
    LateSet(label, u"Container", pane);
    AddLateBound(form, u"VB.CommandButton", u"cmdStay");
    LateCall(LateGet(ObjectRef(form), u"Controls").ObjectOrThrow(), u"Remove", {Variant(u"picPane")});
    EXPECT_EQ(form->ControlCount(), 1u);
    EXPECT_EQ(form->ControlAt(0)->Name(), u"cmdStay");
    // Held references still answer; the removed label has no form now.
    EXPECT_EQ(VariantToString(LateGet(label, u"Name")), u"lblInside");
    EXPECT_EQ(ErrorNumberOf([&] { LateGet(label, u"Container"); }), rt::kObjectNotSet);
}

TEST(ControlMembers, NamesAreMatchedWithoutRegardToCaseAndUnknownOnesRaise438) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    ObjectRef label = AddLateBound(form, u"VB.Label", u"lblTitle");
    LateLet(label, u"caption", Variant(u"Step one"));
    EXPECT_EQ(VariantToString(LateGet(label, u"CAPTION")), u"Step one");
    // The default member of a label is its caption.
    EXPECT_EQ(VariantToString(LateDefault(label, {})), u"Step one");
    EXPECT_EQ(ErrorNumberOf([&] { LateGet(label, u"Text"); }), 438);
    EXPECT_EQ(ErrorNumberOf([&] { LateGet(label, u"SetFocus"); }), 438);  // a label takes no focus
    EXPECT_EQ(ErrorNumberOf([&] { LateLet(label, u"hWnd", Variant(Long{5})); }), 383);
    EXPECT_EQ(ErrorDescriptionOf([&] { LateLet(label, u"Name", Variant(u"x")); }), u"'Name' property is read-only");
    EXPECT_EQ(ErrorNumberOf([&] { LateCall(label, u"Move", {Variant(u"left")}); }), 13);
    EXPECT_EQ(ErrorNumberOf([&] {
                  LateCall(label, u"Move",
                           {Variant(Long{1}), Variant(Long{1}), Variant(Long{1}), Variant(Long{1}), Variant(Long{1})});
              }),
              450);
}

TEST(ControlMembers, IndexOutsideAnArrayRaises343) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    Ref<CommandButton> button = form->Add<CommandButton>(u"cmdOK");
    EXPECT_EQ(ErrorNumberOf([&] { LateGet(ObjectRef(button), u"Index"); }), 343);
    EXPECT_EQ(ErrorDescriptionOf([&] { button->Index(); }), u"Object not an array");
}

TEST(ControlMembers, ContainerSetMovesTheControlIntoAContainerOnly) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    Ref<PictureBox> pane = form->Add<PictureBox>(u"picPane");
    Ref<Frame> frame = form->Add<Frame>(u"fraBox");
    Ref<CommandButton> button = form->Add<CommandButton>(u"cmdOK");
    Ref<TextBox> text = form->Add<TextBox>(u"txtName");
    LateSet(ObjectRef(button), u"Container", ObjectRef(pane));
    EXPECT_EQ(button->ContainerWindow(), pane.Get());
    LateSet(ObjectRef(button), u"Container", ObjectRef(frame));
    EXPECT_EQ(button->ContainerWindow(), frame.Get());
    // Not a container, the control itself, a control inside it, another form.
    EXPECT_EQ(ErrorNumberOf([&] { LateSet(ObjectRef(button), u"Container", ObjectRef(text)); }), 380);
    Ref<Label> inside = form->Add<Label>(u"lblInside", pane.Get());
    EXPECT_EQ(ErrorNumberOf([&] { LateSet(ObjectRef(pane), u"Container", ObjectRef(pane)); }), 380);
    LateSet(ObjectRef(frame), u"Container", ObjectRef(pane));
    EXPECT_EQ(ErrorNumberOf([&] { LateSet(ObjectRef(pane), u"Container", ObjectRef(frame)); }), 380);
    Ref<Form> other = runtime.AddForm(u"frmOther");
    EXPECT_EQ(ErrorNumberOf([&] { LateSet(ObjectRef(inside), u"Container", ObjectRef(other)); }), 380);
    EXPECT_EQ(ErrorNumberOf([&] { LateSet(ObjectRef(inside), u"Container", ObjectRef()); }), 380);
    LateSet(ObjectRef(inside), u"Container", ObjectRef(form));
    EXPECT_EQ(inside->ContainerWindow(), form.Get());
}

TEST(ControlMembers, TabIndexesStayUniqueAndContiguous) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    Ref<CommandButton> a = form->Add<CommandButton>(u"cmdA");
    Ref<Label> b = form->Add<Label>(u"lblB");
    Ref<TextBox> c = form->Add<TextBox>(u"txtC");
    Ref<Image> picture = form->Add<Image>(u"imgIcon");  // not in the tab order
    EXPECT_EQ(c->TabIndex(), 2);
    c->SetTabIndex(0);
    EXPECT_EQ(c->TabIndex(), 0);
    EXPECT_EQ(a->TabIndex(), 1);
    EXPECT_EQ(b->TabIndex(), 2);
    a->SetTabIndex(99);  // past the end: last
    EXPECT_EQ(a->TabIndex(), 2);
    EXPECT_EQ(b->TabIndex(), 1);
    EXPECT_EQ(ErrorNumberOf([&] { LateGet(ObjectRef(picture), u"TabIndex"); }), 438);
}

TEST(WindowHandles, EveryFormAndControlHasItsOwnEvenHandleThatResolvesToIt) {
    auto runtime = std::make_unique<HeadlessRuntime>();
    Ref<Form> form = runtime->AddForm(u"frmMain");
    Ref<ControlArray> frames = form->AddControlArray(ControlKind::Frame, u"fraStep", 3);
    Ref<ComboBox> combo = form->Add<ComboBox>(u"cmbLocales");
    Ref<Form> dialog = runtime->AddForm(u"frmDialog");
    EXPECT_EQ(form->HWnd(), 0x00010010);
    std::set<Handle> handles;
    for (ObjectRef o : std::vector<ObjectRef>{form, frames->Item(0), frames->Item(1), frames->Item(2), combo, dialog}) {
        Handle h = VariantToLong(LateGet(o, u"hWnd"));
        EXPECT_EQ(h % 2, 0);
        EXPECT_TRUE(handles.insert(h).second);
        EXPECT_EQ(runtime->FindWindowObject(h), o);
    }
    EXPECT_EQ(runtime->FindWindowObject(0x7FFFFFF0), ObjectRef());
    std::function<ObjectRef(Handle)> resolve = runtime->WindowResolver();
    EXPECT_EQ(resolve(combo->HWnd()), ObjectRef(combo));
    Handle gone = dialog->HWnd();
    dialog.Reset();
    EXPECT_EQ(resolve(gone), ObjectRef());
    runtime.reset();
    EXPECT_EQ(resolve(combo->HWnd()), ObjectRef());
}

TEST(ControlMembers, FontMembersReachTheControlsStandardFontAndSetSharesIt) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    ObjectRef title = AddLateBound(form, u"VB.Label", u"lblTitle");
    ObjectRef message = AddLateBound(form, u"VB.Label", u"lblMessage");
    EXPECT_EQ(VariantToString(LateGet(title, u"FontName")), u"MS Sans Serif");
    EXPECT_FLOAT_EQ(VariantToSingle(LateGet(title, u"FontSize")), 8.25f);
    ObjectRef font = runtime.NewFont();
    EXPECT_EQ(font->TypeName(), u"Font");
    LateSet(title, u"Font", font);
    LateLet(title, u"FontSize", Variant(Long{11}));
    LateLet(title, u"FontBold", Variant(kTrue));
    // The label uses the caller's font object itself.
    EXPECT_EQ(VariantToLong(LateGet(font, u"Size")), 11);
    EXPECT_EQ(VariantToBoolean(LateGet(font, u"Bold")), kTrue);
    EXPECT_EQ(LateGet(title, u"Font").ObjectOrThrow(), font);
    EXPECT_EQ(VariantToBoolean(LateGet(message, u"FontBold")), kFalse);
    EXPECT_EQ(ErrorNumberOf([&] { LateLet(message, u"FontSize", Variant(Long{0})); }), 380);
    // An object that is no font is refused and the font kept.
    EXPECT_EQ(ErrorNumberOf([&] { LateSet(title, u"Font", ObjectRef(form)); }), 13);
    EXPECT_EQ(LateGet(title, u"Font").ObjectOrThrow(), font);
    EXPECT_EQ(VariantToLong(LateGet(title, u"FontSize")), 11);
}

TEST(ControlMembers, LabelAutoSizeFollowsTheCaption) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    Ref<Label> label = form->Add<Label>(u"lblInfo");
    label->SetFontSize(10);  // an em of 200 twips
    label->SetAutoSize(true);
    label->SetCaption(u"abcd");
    EXPECT_DOUBLE_EQ(label->BoundsTwips().width, 400);
    EXPECT_DOUBLE_EQ(label->BoundsTwips().height, 240);
    label->SetCaption(u"ab\r\nabcdef");
    EXPECT_DOUBLE_EQ(label->BoundsTwips().width, 600);
    EXPECT_DOUBLE_EQ(label->BoundsTwips().height, 480);
    label->SetWordWrap(true);
    label->SetWidth(300);
    label->SetCaption(u"abcdefgh");  // 800 twips of text in 300: three rows
    EXPECT_DOUBLE_EQ(label->BoundsTwips().width, 300);
    EXPECT_DOUBLE_EQ(label->BoundsTwips().height, 720);
}

struct RangeCase {
    const char16_t* prog_id;
    const char16_t* property;
    Integer highest;
};

class PropertyRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(PropertyRangeTest, ValuesOutsideTheRangeAreInvalid) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    ObjectRef control = AddLateBound(form, GetParam().prog_id, u"ctl");
    LateLet(control, GetParam().property, Variant(GetParam().highest));
    EXPECT_EQ(VariantToLong(LateGet(control, GetParam().property)), GetParam().highest);
    Integer above = static_cast<Integer>(GetParam().highest + 1);
    EXPECT_EQ(ErrorNumberOf([&] { LateLet(control, GetParam().property, Variant(above)); }), 380);
    EXPECT_EQ(ErrorNumberOf([&] { LateLet(control, GetParam().property, Variant(Integer{-1})); }), 380);
    EXPECT_EQ(VariantToLong(LateGet(control, GetParam().property)), GetParam().highest);
}

INSTANTIATE_TEST_SUITE_P(
    EnumeratedProperties, PropertyRangeTest,
    ::testing::Values(RangeCase{u"VB.PictureBox", u"Appearance", 1}, RangeCase{u"VB.PictureBox", u"BorderStyle", 1},
                      RangeCase{u"VB.PictureBox", u"ScaleMode", 7}, RangeCase{u"VB.Label", u"BackStyle", 1},
                      RangeCase{u"VB.Label", u"Alignment", 2}, RangeCase{u"VB.CommandButton", u"Style", 1},
                      RangeCase{u"VB.ComboBox", u"Style", 2}, RangeCase{u"VB.Frame", u"BorderStyle", 1},
                      RangeCase{u"VB.TextBox", u"Alignment", 2}));

}  // namespace
}  // namespace quibor15::headless
