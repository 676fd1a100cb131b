// The headless world as the script host sees it: dates and numbers in the
// system locale, object creation, and the members it adds.
#include "host/world.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "host/script/parser.hpp"
#include "host/script/text.hpp"
#include "quibor15/collection.hpp"
#include "tests/scratch_folder.hpp"

namespace quibor15::host {
namespace {

struct DateTextCase {
    int32_t lcid;
    double serial;
    const char16_t* text;
};

class WorldDateText : public ::testing::TestWithParam<DateTextCase> {};

TEST_P(WorldDateText, IsTheSystemLocalesShortDateAndTime) {
    std::ostringstream out;
    World world(out);
    world.Locales().SetSystemDefaultLcid(GetParam().lcid);
    EXPECT_EQ(world.DateText(Date{GetParam().serial}), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(World, WorldDateText,
                         ::testing::Values(DateTextCase{0x0409, 40508, u"11/26/2010"},
                                           DateTextCase{0x0409, 40508.75, u"11/26/2010 6:00:00 PM"},
                                           DateTextCase{0x0409, 0.5, u"12:00:00 PM"},
                                           DateTextCase{0x0409, 0, u"12:00:00 AM"},
                                           DateTextCase{0x0409, -1.25, u"12/29/1899 6:00:00 AM"},
                                           DateTextCase{0x0407, 40508.75, u"26.11.2010 18:00:00"},
                                           DateTextCase{0x0809, 40508, u"26/11/2010"}));

TEST(World, NumberFormatFollowsTheSystemLocale) {
    std::ostringstream out;
    World world(out);
    EXPECT_EQ(world.SystemNumberFormat().decimal, u'.');
    world.Locales().SetSystemDefaultLcid(0x0407);
    EXPECT_EQ(world.SystemNumberFormat().decimal, u',');
    EXPECT_EQ(world.SystemNumberFormat().thousands, u'.');
}

TEST(World, CodePageFollowsTheSystemLocale) {
    std::ostringstream out;
    World world(out);
    const std::pair<int32_t, int> cases[] = {{0x0419, 1251}, {0x0415, 1250}, {0x0408, 1253}, {0x041F, 1254},
                                             {0x0411, 932},  {0x0804, 936},  {0x0412, 949},  {0x0404, 950},
                                             {0x0407, 1252}, {0x0439, 1252}};
    for (const auto& [lcid, page] : cases) {
        world.Locales().SetSystemDefaultLcid(lcid);
        EXPECT_EQ(world.CodePage().Number(), page) << std::hex << lcid;
    }
    world.Locales().SetSystemDefaultLcid(0x0419);
    EXPECT_EQ(world.CodePage().Encode(u"\u0416"), "\xC6");
}

TEST(World, WritesLinesAsUtf8) {
    std::ostringstream out;
    World world(out);
    world.WriteLine(u"caf\u00e9 \u20ac \U0001F600");
    EXPECT_EQ(out.str(), "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\n");
}

TEST(World, CreatesComponentClassesAndCollections) {
    std::ostringstream out;
    World world(out);
    EXPECT_EQ(world.CreateObject(u"quibor15.clsQuiborInternationalA")->TypeName(), u"clsQuiborInternationalA");
    EXPECT_EQ(world.CreateObject(u"vba.collection")->TypeName(), u"Collection");
    try {
        world.CreateObject(u"Nope.Nothing");
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), rt::kCannotCreateObject);
        EXPECT_EQ(e.Description(), u"ActiveX component can't create object: 'Nope.Nothing'");
    }
}

TEST(World, AddsControlArraysToAFormsControls) {
    std::ostringstream out;
    World world(out);
    Ref<headless::Form> form = world.Runtime().AddForm(u"frmTest");
    world.HostForms()->push_back(form);
    ObjectRef controls(form->Controls());
    Variant args[3] = {Variant(String(u"VB.Label")), Variant(String(u"lblLine")), Variant(Integer{3})};
    std::optional<Variant> made = world.ExtraMember(controls, u"addarray", kInvokeMethod, args);
    ASSERT_TRUE(made);
    EXPECT_EQ(VariantToLong(LateGet(made->ObjectOrThrow(), u"UBound")), 2);
    EXPECT_TRUE(form->FindControl(u"lblLine"));

    // Only Controls objects get the member, and only under that name.
    EXPECT_FALSE(world.ExtraMember(ObjectRef(form), u"AddArray", kInvokeMethod, args));
    EXPECT_FALSE(world.ExtraMember(controls, u"AddMany", kInvokeMethod, args));
    EXPECT_FALSE(world.ExtraMember(ObjectRef(Collection::Create()), u"AddArray", kInvokeMethod, args));

    Variant bad_kind[3] = {Variant(String(u"VB.Nothing")), Variant(String(u"x")), Variant(Integer{1})};
    EXPECT_THROW(world.ExtraMember(controls, u"AddArray", kInvokeMethod, bad_kind), AutomationError);
    Variant no_elements[3] = {Variant(String(u"VB.Label")), Variant(String(u"y")), Variant(Integer{0})};
    EXPECT_THROW(world.ExtraMember(controls, u"AddArray", kInvokeMethod, no_elements), AutomationError);
    Variant too_few[2] = {Variant(String(u"VB.Label")), Variant(String(u"z"))};
    EXPECT_THROW(world.ExtraMember(controls, u"AddArray", kInvokeMethod, too_few), AutomationError);
}

// Runs a script in the world; its output, or the error it stopped with.
std::string RunScript(World& world, std::u16string_view source) {
    script::Interpreter interp(script::Parse(String(source)), world);
    world.Connect(interp);
    const script::RunOutcome outcome = interp.Run();
    if (outcome.kind == script::RunOutcome::Kind::Failed) return "error: " + script::ToUtf8(outcome.description);
    return "";
}

// The Screen and the primary monitor describe one machine, and SetScreen
// keeps them so until the script lays out monitors of its own.
TEST(World, ScreenAndMonitorAgree) {
    const struct {
        const char16_t* script;
        Rect monitor;
    } rows[] = {
        {u"", {0, 0, 1024, 768}},
        {u"Sim.SetScreen 19200, 16200", {0, 0, 1280, 1080}},
        {u"Sim.SetScreen 12000, 9000, 12", {0, 0, 1000, 750}},
        {u"Sim.ClearMonitors : Sim.AddMonitor 0, 0, 800, 600 : Sim.SetScreen 19200, 16200", {0, 0, 800, 600}},
    };
    for (const auto& row : rows) {
        std::ostringstream out;
        World world(out);
        EXPECT_EQ(RunScript(world, row.script), "");
        const auto& monitors = world.Windows().DesktopLayout().Monitors();
        ASSERT_EQ(monitors.size(), 1u);
        EXPECT_EQ(monitors[0].rect, row.monitor);
        if (row.monitor.right == 800) continue;
        const ObjectRef screen = world.Runtime().Screen();
        EXPECT_EQ(VariantToDouble(LateGet(screen, u"Width")) / VariantToDouble(LateGet(screen, u"TwipsPerPixelX")),
                  row.monitor.right);
    }
}

// App.Path is a real folder, where a script's manifest lands.
TEST(World, AppPathIsTheGivenFolderAndTheManifestLandsThere) {
    const quibor15::testing::ScratchFolder scratch("q15-world");
    const std::filesystem::path& folder = scratch.Path();
    std::ostringstream out;
    World world(out, folder.u16string());
    EXPECT_EQ(VariantToString(LateGet(world.Runtime().App(), u"Path")), folder.u16string());
    EXPECT_EQ(RunScript(world,
                        u"Set m = CreateObject(\"quibor15.clsQuiborWUIXPManifestA\")\n"
                        u"If Not m.MakeMANIFESTfile() Then Err.Raise 5\n"
                        u"If Not m.IsManifestFile Then Err.Raise 5"),
              "");
    EXPECT_TRUE(std::filesystem::exists(folder / "quibor15.exe.MANIFEST"));
}

TEST(World, TimerHasHundredths) {
    std::ostringstream out;
    World world(out);
    world.Runtime().SetClock(3723.456);
    EXPECT_EQ(RunScript(world, u"If Timer <> CSng(3723.45) Then Err.Raise 5"), "");
}

}  // namespace
}  // namespace quibor15::host
