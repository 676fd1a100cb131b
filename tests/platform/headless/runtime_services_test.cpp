#include <gtest/gtest.h>

#include <filesystem>

#include "event_log.hpp"

namespace quibor15::headless {
namespace {

using testing::ErrorNumberOf;
using testing::Listen;
using testing::Log;

TEST(AppObject, IsOneObjectWithSettableTitlePathExeNameAndInstance) {
    HeadlessRuntime::Options options;
    options.app_path = u"/opt/quibor15/lib/";
    HeadlessRuntime runtime(options);
    ObjectRef app = runtime.App();
    EXPECT_EQ(runtime.App(), app);
    EXPECT_EQ(VariantToString(LateGet(app, u"Title")), u"quibor15");
    EXPECT_EQ(VariantToString(LateGet(app, u"EXEName")), u"quibor15");
    EXPECT_EQ(VariantToString(LateGet(app, u"Path")), u"/opt/quibor15/lib");
    EXPECT_EQ(VariantToLong(LateGet(app, u"hInstance")), 0x00400000);
    runtime.AppSettings()->SetExeName(u"wizardhost");
    runtime.AppSettings()->SetPath(u"C:\\Program Files\\Host\\");
    runtime.AppSettings()->SetInstance(0x10000000);
    LateLet(app, u"Title", Variant(u"Host"));
    EXPECT_EQ(VariantToString(LateGet(app, u"EXEName")), u"wizardhost");
    EXPECT_EQ(VariantToString(LateGet(app, u"Path")), u"C:\\Program Files\\Host");
    EXPECT_EQ(VariantToLong(LateGet(app, u"hInstance")), 0x10000000);
    EXPECT_EQ(runtime.AppSettings()->Title(), u"Host");
    EXPECT_EQ(ErrorNumberOf([&] { LateLet(app, u"Path", Variant(u"/x")); }), 383);
}

TEST(AppObject, PathDefaultsToTheCurrentDirectoryAndKeepsARoot) {
    HeadlessRuntime runtime;
    EXPECT_EQ(runtime.AppSettings()->Path(), std::filesystem::current_path().u16string());
    runtime.AppSettings()->SetPath(u"/");
    EXPECT_EQ(runtime.AppSettings()->Path(), u"/");
    runtime.AppSettings()->SetPath(u"C:\\");
    EXPECT_EQ(runtime.AppSettings()->Path(), u"C:\\");
}

TEST(ScreenObject, DefaultsTo1024By768PixelsAt15TwipsAndFollowsSettings) {
    HeadlessRuntime runtime;
    ObjectRef screen = runtime.Screen();
    EXPECT_EQ(VariantToLong(LateGet(screen, u"Width")), 15360);
    EXPECT_EQ(VariantToLong(LateGet(screen, u"Height")), 11520);
    EXPECT_EQ(VariantToLong(LateGet(screen, u"TwipsPerPixelX")), 15);
    EXPECT_EQ(VariantToLong(LateGet(screen, u"TwipsPerPixelY")), 15);
    runtime.SetScreen(1280, 1024, 12, 12);
    EXPECT_EQ(VariantToLong(LateGet(screen, u"Width")), 15360);
    EXPECT_EQ(VariantToLong(LateGet(screen, u"Height")), 12288);
    EXPECT_EQ(VariantToLong(LateGet(screen, u"TwipsPerPixelY")), 12);
    EXPECT_EQ(ErrorNumberOf([&] { LateLet(screen, u"Width", Variant(Long{1})); }), 383);
    EXPECT_EQ(ErrorNumberOf([&] { runtime.SetScreen(0, 10); }), 5);
}

TEST(ScreenObject, ThePixelScaleOfFormsFollowsTheScreensResolution) {
    HeadlessRuntime runtime;
    runtime.SetScreen(800, 600, 12, 12);
    Ref<Form> form = runtime.AddForm(u"frmMain");
    form->SetBorderStyle(0);
    form->Move(0, 0, 2400, 1200);
    form->SetScaleMode(3);
    EXPECT_EQ(form->ScaleWidth(), 200);
    EXPECT_EQ(form->ScaleHeight(), 100);
}

TEST(MessageBoxes, AreRecordedAndAnsweredOkUnlessTheUserAnswersOtherwise) {
    HeadlessRuntime runtime;
    EXPECT_EQ(runtime.MsgBox(u"Please create frameobject array.", mb::kIconInformation, u"Not Array..."),
              mb::kResultOk);
    runtime.ScriptedUser().OnMessageBox([](const MessageBoxCall& box) { return box.flags == 16 ? 2 : 1; });
    EXPECT_EQ(runtime.MsgBox(u"Invalid input", mb::kIconCritical, u"Code"), 2);
    const std::vector<MessageBoxCall>& boxes = runtime.ScriptedUser().MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].prompt, u"Please create frameobject array.");
    EXPECT_EQ(boxes[0].flags, 64);
    EXPECT_EQ(boxes[0].title, u"Not Array...");
    EXPECT_EQ(boxes[1].title, u"Code");
}

TEST(PumpEvents, CallsTheHookOnceAndCountsTheCalls) {
    HeadlessRuntime runtime;
    runtime.PumpEvents();
    EXPECT_EQ(runtime.PumpCount(), 1);
    Ref<Form> form = runtime.AddForm(u"frmMain");
    // Another handler acting while an exit animation yields: it moves the
    // form the animation is moving.
    runtime.SetPumpHook([&] { form->SetTop(form->Top() + 1000); });
    HostRuntime& host = runtime;
    for (int step = 0; step < 3; ++step) {
        LateLet(ObjectRef(form), u"Top", Variant(form->Top() + 300));
        host.PumpEvents();
    }
    EXPECT_EQ(form->Top(), 3900);
    EXPECT_EQ(runtime.PumpCount(), 4);
}

TEST(Clock, IsSettableAdvancesAndWrapsAtMidnight) {
    HeadlessRuntime runtime;
    double now = runtime.SecondsSinceMidnight();
    EXPECT_GE(now, 0);
    EXPECT_LT(now, 86400);
    runtime.SetClock(3600.25);
    EXPECT_DOUBLE_EQ(runtime.SecondsSinceMidnight(), 3600.25);
    runtime.AdvanceClock(0.5);
    EXPECT_DOUBLE_EQ(runtime.SecondsSinceMidnight(), 3600.75);
    runtime.AdvanceClock(86400 - 3600);
    EXPECT_DOUBLE_EQ(runtime.SecondsSinceMidnight(), 0.75);
    runtime.SetClock(-1);
    EXPECT_DOUBLE_EQ(runtime.SecondsSinceMidnight(), 86399);
    runtime.UseSystemClock();
    EXPECT_LT(runtime.SecondsSinceMidnight(), 86400);
}

TEST(Forms, LoadedFormsAreListedUntilUnloadedAndTheirControlsStayReachable) {
    HeadlessRuntime runtime;
    Ref<Form> main = runtime.AddForm(u"frmMain");
    Ref<TextBox> name = main->Add<TextBox>(u"txtName");
    Ref<Form> other = runtime.AddForm(u"frmOther");
    EXPECT_TRUE(runtime.Forms().empty());
    main->Show();
    other->Load();
    EXPECT_EQ(runtime.Forms(), (std::vector<Ref<Form>>{main, other}));
    auto log = std::make_shared<Log>();
    Listen(main, log, "frm");
    runtime.Unload(main);
    EXPECT_EQ(*log, (Log{"frm.QueryUnload(0,1)", "frm.Unload(0)"}));
    EXPECT_EQ(runtime.Forms(), (std::vector<Ref<Form>>{other}));
    name->SetText(u"still here");
    EXPECT_EQ(VariantToString(LateGet(ObjectRef(name), u"Text")), u"still here");
    runtime.Unload(main);  // not loaded: nothing happens
    EXPECT_EQ(log->size(), 2u);
    // Shown again, it loads again.
    main->Show();
    EXPECT_EQ(log->back(), "frm.Resize");
}

TEST(Forms, AnUnloadHandlerCanCancel) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    form->Show();
    Listen(form, std::make_shared<Log>(), "frm", [](const std::string& event, std::span<Variant> args) {
        if (event == "Unload") args[0].Assign(Variant(kTrue));
    });
    EXPECT_FALSE(form->Unload());
    EXPECT_TRUE(form->IsLoaded());
}

TEST(Forms, LateBoundShowHideAndVisible) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    ObjectRef f = form;
    LateCall(f, u"Show");
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(VariantToBoolean(LateGet(f, u"Visible")), kTrue);
    LateCall(f, u"Hide");
    EXPECT_FALSE(form->Visible());
    LateLet(f, u"Visible", Variant(kTrue));
    EXPECT_TRUE(form->Visible());
    LateSet(f, u"Icon", ObjectRef());
    EXPECT_EQ(form->Icon(), ObjectRef());
    LateCall(f, u"Refresh");
    EXPECT_EQ(form->RefreshCount(), 1);
    LateLet(f, u"Caption", Variant(u"Setup"));
    EXPECT_EQ(form->Caption(), u"Setup");
}

TEST(Fonts, NewFontHasThePlatformDefaults) {
    HeadlessRuntime runtime;
    ObjectRef font = runtime.NewFont();
    EXPECT_EQ(VariantToString(LateGet(font, u"Name")), u"MS Sans Serif");
    EXPECT_DOUBLE_EQ(VariantToDouble(LateGet(font, u"Size")), 8.25);
    EXPECT_EQ(VariantToBoolean(LateGet(font, u"Bold")), kFalse);
    EXPECT_NE(runtime.NewFont(), font);
}

}  // namespace
}  // namespace quibor15::headless
