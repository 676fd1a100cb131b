#include <gtest/gtest.h>

#include "event_log.hpp"

namespace quibor15::headless {
namespace {

using testing::ErrorDescriptionOf;
using testing::ErrorNumberOf;
using testing::Listen;
using testing::Log;

ObjectRef Element(const ObjectRef& array, Integer index) {
    Variant args[1] = {Variant(index)};
    return LateDefault(array, args).ObjectOrThrow();
}

TEST(ControlArray, ReportsTypeNameObjectAndItsBoundsLateBound) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmWizard");
    ObjectRef frames = form->AddControlArray(ControlKind::Frame, u"fraStep", 4);
    EXPECT_EQ(frames->TypeName(), u"Object");
    EXPECT_EQ(VariantToLong(LateGet(frames, u"UBound")), 3);
    EXPECT_EQ(VariantToLong(LateGet(frames, u"LBound")), 0);
    EXPECT_EQ(VariantToLong(LateGet(frames, u"Count")), 4);
    for (Integer i = 0; i < 4; ++i) {
        ObjectRef frame = Element(frames, i);
        EXPECT_EQ(frame->TypeName(), u"Frame");
        EXPECT_EQ(VariantToLong(LateGet(frame, u"Index")), i);
        EXPECT_EQ(VariantToString(LateGet(frame, u"Name")), u"fraStep");
        EXPECT_EQ(VariantToBoolean(LateGet(frame, u"Visible")), kTrue);  // designed elements show
    }
    EXPECT_EQ(ErrorNumberOf([&] { Element(frames, 4); }), 340);
    EXPECT_EQ(ErrorDescriptionOf([&] { Element(frames, -1); }), u"Control array element '-1' doesn't exist");
    EXPECT_EQ(ErrorNumberOf([&] { form->AddControlArray(ControlKind::Frame, u"fraOther", 0); }), 5);
}

TEST(ControlArray, TheWizardHidesShowsAndMovesFramesThroughItems) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmWizard");
    ObjectRef frames = form->AddControlArray(ControlKind::Frame, u"fraStep", 3);
    for (Integer i = 0; i <= 2; ++i) LateLet(Element(frames, i), u"Visible", Variant(kFalse));
    ObjectRef step = Element(frames, 1);
    LateLet(step, u"BorderStyle", Variant(Integer{0}));
    LateLet(step, u"Height", Variant(form->Height()));
    LateCall(step, u"Move", {Variant(Long{0}), Variant(Long{800}), Variant(form->Width()), Variant(Long{4000})});
    LateLet(step, u"Visible", Variant(kTrue));
    auto* frame = dynamic_cast<Frame*>(step.Get());
    EXPECT_EQ(frame->BorderStyle(), 0);
    EXPECT_EQ(frame->BoundsTwips(), (Control::Bounds{0, 800, 4800, 4000}));
    EXPECT_FALSE(dynamic_cast<Control*>(Element(frames, 0).Get())->Visible());
    EXPECT_TRUE(frame->Visible());
}

TEST(ControlArray, LoadingAnElementCopiesTheLowestOneAndStaysHidden) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmQUIBORMonitorA");
    Ref<PictureBox> desktop = form->Add<PictureBox>(u"picDesktop");
    Ref<ControlArray> monitors = form->AddControlArray(ControlKind::CommandButton, u"cmdMonitor", 1, desktop.Get());
    auto first = RefCast<CommandButton>(monitors->Item(0));
    first->SetCaption(u"Monitor");
    first->Move(360, 240, 1155, 795);
    first->SetFontSize(12);
    ObjectRef array = monitors;
    ObjectRef second = LateCall(array, u"LoadElement", {Variant(Integer{1})}).ObjectOrThrow();
    auto* button = dynamic_cast<CommandButton*>(second.Get());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Index(), 1);
    EXPECT_FALSE(button->Visible());
    EXPECT_EQ(button->ContainerWindow(), desktop.Get());
    EXPECT_EQ(button->BoundsTwips(), first->BoundsTwips());
    EXPECT_EQ(button->Caption(), u"Monitor");
    EXPECT_EQ(button->FontSize(), 12);
    EXPECT_NE(button->Font(), first->Font());  // a font of its own
    EXPECT_NE(button->HWnd(), first->HWnd());
    EXPECT_EQ(monitors->UBound(), 1);
    EXPECT_EQ(form->ControlCount(), 3u);

    EXPECT_EQ(ErrorNumberOf([&] { LateCall(array, u"Load", {Variant(Integer{1})}); }), 360);
    monitors->LoadElement(5);  // indexes need not be contiguous
    EXPECT_EQ(monitors->UBound(), 5);
    EXPECT_EQ(monitors->Count(), 3);
    EXPECT_EQ(ErrorNumberOf([&] { monitors->Item(3); }), 340);

    EXPECT_EQ(ErrorNumberOf([&] { monitors->UnloadElement(0); }), 362);
    LateCall(array, u"Unload", {Variant(Integer{5})});
    EXPECT_EQ(monitors->UBound(), 1);
    EXPECT_EQ(form->ControlCount(), 3u);
}

TEST(ControlArray, EventsReachTheArrayWithTheIndexFirstAndTheElementWithout) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmQUIBORWuillsA");
    Ref<ControlArray> commands = form->AddControlArray(ControlKind::CommandButton, u"Command1", 2);
    form->Show();
    auto log = std::make_shared<Log>();
    Listen(commands, log, "Command1");
    Listen(commands->Item(1), log, "element");
    User& user = runtime.ScriptedUser();
    EXPECT_TRUE(user.Click(commands->Item(1)));
    EXPECT_TRUE(user.MouseMove(commands->Item(0), 0, 1, 12.5f, 7));
    // The click moves the focus from the first button, which the form gave
    // it when shown, to this one first.
    EXPECT_EQ(*log, (Log{"Command1.LostFocus(0)", "element.GotFocus", "Command1.GotFocus(1)", "element.Click",
                         "Command1.Click(1)", "Command1.MouseMove(0,0,1,12.5,7)"}));
    EXPECT_EQ(commands->EventName(ev::kClick), u"Click");
}

TEST(ControlArray, AHandlerOnTheArrayChangesByReferenceArguments) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    form->Show();
    Ref<ControlArray> boxes = form->AddControlArray(ControlKind::TextBox, u"txtField", 2);
    Listen(boxes, std::make_shared<Log>(), "txtField", [](const std::string& event, std::span<Variant> args) {
        // KeyPress(Index, KeyAscii): element 1 takes upper case only.
        if (event == "KeyPress" && VariantToLong(args[0]) == 1) {
            Integer key = VariantToInteger(args[1]);
            if (key >= 'a' && key <= 'z') args[1].Assign(Variant(static_cast<Integer>(key - 32)));
        }
    });
    User& user = runtime.ScriptedUser();
    user.Type(boxes->Item(0), u"ab");
    user.Type(boxes->Item(1), u"ab");
    EXPECT_EQ(RefCast<TextBox>(boxes->Item(0))->Text(), u"ab");
    EXPECT_EQ(RefCast<TextBox>(boxes->Item(1))->Text(), u"AB");
}

TEST(ControlArray, ForEachVisitsTheElementsInIndexOrder) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    Ref<ControlArray> labels = form->AddControlArray(ControlKind::Label, u"lblLine", 3);
    labels->LoadElement(7);
    std::vector<Integer> indexes;
    Ref<Enumerator> each = EnumerateObject(labels);
    for (Variant item; each->Next(item);) indexes.push_back(VariantToInteger(LateGet(item.ObjectOrThrow(), u"Index")));
    EXPECT_EQ(indexes, (std::vector<Integer>{0, 1, 2, 7}));
}

TEST(ControlArray, FontBoldMarksOneElementByWalkingTheFormsControls) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmQUIBORMonitorA");
    Ref<ControlArray> monitors = form->AddControlArray(ControlKind::CommandButton, u"cmdMonitor", 1);
    monitors->LoadElement(1);
    monitors->LoadElement(2);
    form->Add<Label>(u"lblPrompt");  // no Index: skipped by name
    ObjectRef controls = LateGet(ObjectRef(form), u"Controls").ObjectOrThrow();
    Ref<Enumerator> each = EnumerateObject(controls);
    for (Variant item; each->Next(item);) {
        ObjectRef c = item.ObjectOrThrow();
        if (VariantToString(LateGet(c, u"Name")) != u"cmdMonitor") continue;
        LateLet(c, u"FontBold", Variant(Boolean::From(VariantToLong(LateGet(c, u"Index")) == 1)));
    }
    EXPECT_FALSE(monitors->Item(0)->FontBold());
    EXPECT_TRUE(monitors->Item(1)->FontBold());
    EXPECT_FALSE(monitors->Item(2)->FontBold());
}

}  // namespace
}  // namespace quibor15::headless
