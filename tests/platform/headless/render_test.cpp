// Pictures of forms, checked by what they must show rather than pixel for
// pixel, so that the font's exact metrics do not matter.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "event_log.hpp"
#include "platform/headless/render/form_picture.hpp"
#include "platform/headless/render/system_colors.hpp"
#include "tests/scratch_folder.hpp"

namespace quibor15::headless::render {
namespace {

using testing::ErrorNumberOf;

constexpr uint32_t kFace = 0xD4D0C8, kWhite = 0xFFFFFF, kBlack = 0x000000, kHighlight = 0x0A246A;

int Count(const FormImage& image, PixelRect area, auto&& pred) {
    int n = 0;
    for (int y = std::max(0, area.y); y < std::min(image.height, area.y + area.height); ++y) {
        for (int x = std::max(0, area.x); x < std::min(image.width, area.x + area.width); ++x) {
            if (pred(image.At(x, y))) ++n;
        }
    }
    return n;
}
PixelRect Whole(const FormImage& image) { return {0, 0, image.width, image.height}; }
int Brightest(uint32_t c) { return std::max({(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF}); }
int Darkest(uint32_t c) { return std::min({(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF}); }

struct ColorCase {
    Long ole;
    uint32_t rgb;
};

class ResolveColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ResolveColorTest, SystemColoursComeFromTheClassicScheme) {
    EXPECT_EQ(ResolveColor(GetParam().ole), GetParam().rgb);
}

INSTANTIATE_TEST_SUITE_P(Colors, ResolveColorTest,
                         ::testing::Values(ColorCase{static_cast<Long>(0x8000000F), kFace},
                                           ColorCase{static_cast<Long>(0x80000005), kWhite},
                                           ColorCase{static_cast<Long>(0x8000000D), kHighlight},
                                           ColorCase{static_cast<Long>(0x80000012), kBlack},
                                           ColorCase{static_cast<Long>(0x800000FF), kBlack},
                                           ColorCase{0x000000FF, 0xFF0000},  // &HBBGGRR
                                           ColorCase{0x00123456, 0x563412}));

class Picture : public ::testing::Test {
protected:
    Picture() : form(runtime.AddForm(u"frmMain")) {
        form->Move(0, 0, 4800, 3600);
        form->SetCaption(u"Pictures");
    }
    HeadlessRuntime runtime;
    Ref<Form> form;
};

TEST_F(Picture, IsTheOuterSizeAtTheScreensTwipsPerPixel) {
    FormImage image = RenderForm(*form);
    EXPECT_EQ(image.width, 320);
    EXPECT_EQ(image.height, 240);
    runtime.SetScreen(1280, 1024, 12, 12);
    image = RenderForm(*form);
    EXPECT_EQ(image.width, 400);
    EXPECT_EQ(image.height, 300);
    const PixelRect client = ClientRect(*form);
    EXPECT_EQ(client.x, 5);  // the sizable frame's 60 twips
    EXPECT_EQ(client.width, 400 - 2 * 5);
}

TEST_F(Picture, AVisibleButtonShowsItsFaceAndAHiddenOneNothing) {
    struct Case {
        Long back_color;
        uint32_t face;
    };
    for (const Case& c : {Case{static_cast<Long>(0x8000000F), kFace}, Case{0x0000FF00, 0x00FF00}}) {
        form->SetBackColor(0x00FF0000);  // blue: no button pixel has it
        Ref<CommandButton> button = form->Add<CommandButton>(u"cmdGo");
        button->SetBackColor(c.back_color);
        button->Move(600, 600, 1500, 450);
        const PixelRect r = *ControlRect(*button);
        EXPECT_EQ(r, (PixelRect{ClientRect(*form).x + 40, ClientRect(*form).y + 40, 100, 30}));
        FormImage image = RenderForm(*form);
        EXPECT_EQ(image.At(r.x + 4, r.y + 4), c.face);
        EXPECT_EQ(image.At(r.x + r.width / 2, r.y + r.height / 2), c.face);
        EXPECT_EQ(Count(image, r, [](uint32_t p) { return p == 0x0000FF; }), 0);
        button->SetVisible(false);
        EXPECT_FALSE(ControlRect(*button));
        image = RenderForm(*form);
        EXPECT_EQ(Count(image, r, [](uint32_t p) { return p != 0x0000FF; }), 0);
        form->RemoveControl(u"cmdGo");
    }
}

TEST_F(Picture, ControlsInsideAHiddenContainerLeaveNoPixels) {
    Ref<Frame> frame = form->Add<Frame>(u"fraStep");
    frame->Move(300, 300, 3000, 2000);
    Ref<PictureBox> box = form->Add<PictureBox>(u"picRed", frame.Get());
    box->Move(300, 300, 900, 600);
    box->SetBackColor(0x000000FF);
    const auto red = [](uint32_t p) { return p == 0xFF0000; };
    EXPECT_GT(Count(RenderForm(*form), Whole(RenderForm(*form)), red), 0);
    frame->SetVisible(false);
    EXPECT_FALSE(ControlRect(*box));
    EXPECT_EQ(Count(RenderForm(*form), Whole(RenderForm(*form)), red), 0);
}

TEST_F(Picture, ChildrenAreClippedToTheirContainer) {
    Ref<PictureBox> pane = form->Add<PictureBox>(u"picPane");
    pane->Move(0, 0, 1500, 900);
    Ref<PictureBox> inner = form->Add<PictureBox>(u"picInner", pane.Get());
    inner->Move(600, 300, 3000, 3000);  // reaches far outside the pane
    inner->SetBackColor(0x000000FF);
    const FormImage image = RenderForm(*form);
    const PixelRect pane_rect = *ControlRect(*pane);
    const int inside = Count(image, pane_rect, [](uint32_t p) { return p == 0xFF0000; });
    EXPECT_GT(inside, 0);
    EXPECT_EQ(Count(image, Whole(image), [](uint32_t p) { return p == 0xFF0000; }), inside);
}

struct TextCase {
    ControlKind kind;
    const char16_t* caption;
};

class CaptionTest : public ::testing::TestWithParam<TextCase> {};

// Every pixel that differs from the plain control lies inside the control.
TEST_P(CaptionTest, TextIsDrawnInsideItsControl) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    form->SetBorderStyle(0);
    form->Move(0, 0, 6000, 3000);
    form->SetBackColor(0x00FFFFFF);
    Ref<Control> control = form->AddControl(GetParam().kind, u"ctlText");
    control->Move(900, 600, 1800, 900);
    control->SetBackColor(0x00FFFFFF);
    const FormImage blank = RenderForm(*form);
    LateLet(ObjectRef(control), u"Caption", Variant(GetParam().caption));
    const FormImage image = RenderForm(*form);
    const PixelRect r = *ControlRect(*control);
    int ink_inside = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y) == blank.At(x, y)) continue;
            ASSERT_TRUE(r.Contains(x, y)) << x << "," << y;
            ++ink_inside;
        }
    }
    EXPECT_GT(ink_inside, 20);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CaptionTest,
                         ::testing::Values(TextCase{ControlKind::Label, u"A caption too long for one line of it"},
                                           TextCase{ControlKind::CommandButton, u"&Next >"},
                                           TextCase{ControlKind::Frame, u"A frame's caption that is too long"}));

TEST_F(Picture, DisabledTextIsGreyedAndEnabledTextIsNot) {
    form->SetBackColor(0x00FFFFFF);
    Ref<Label> label = form->Add<Label>(u"lblNote");
    label->Move(300, 300, 3000, 600);
    label->SetBackColor(0x00FFFFFF);
    label->SetCaption(u"Some words");
    const PixelRect r = *ControlRect(*label);
    const auto dark = [](uint32_t p) { return Darkest(p) < 0x60; };
    EXPECT_GT(Count(RenderForm(*form), r, dark), 10);
    label->SetEnabled(false);
    const FormImage image = RenderForm(*form);
    EXPECT_EQ(Count(image, r, dark), 0);
    EXPECT_GT(Count(image, r, [](uint32_t p) { return p != kWhite; }), 10);
}

TEST_F(Picture, TheDefaultButtonHasABlackBorderAndTheFocusedOneAFocusRectangle) {
    Ref<CommandButton> ok = form->Add<CommandButton>(u"cmdOK");
    ok->Move(300, 300, 1200, 450);
    Ref<CommandButton> cancel = form->Add<CommandButton>(u"cmdCancel");
    cancel->Move(1800, 300, 1200, 450);
    ok->SetDefault(true);
    form->Show();
    const PixelRect a = *ControlRect(*ok), b = *ControlRect(*cancel);
    FormImage image = RenderForm(*form);
    EXPECT_EQ(image.At(a.x, a.y), kBlack);
    EXPECT_EQ(image.At(b.x, b.y), kWhite);  // the raised edge's highlight
    runtime.ScriptedUser().Focus(ObjectRef(cancel));
    image = RenderForm(*form);
    EXPECT_EQ(image.At(a.x, a.y), kWhite);  // the default gives its border up
    EXPECT_EQ(image.At(b.x, b.y), kBlack);
    // The dotted focus rectangle: alternate pixels along its top.
    EXPECT_EQ(image.At(b.x + 4, b.y + 4), kBlack);
    EXPECT_EQ(image.At(b.x + 5, b.y + 4), kFace);
    EXPECT_EQ(image.At(a.x + 4, a.y + 4), kFace);
}

TEST_F(Picture, AListShowsItsSelectedItemHighlighted) {
    Ref<ListBox> list = form->Add<ListBox>(u"lstItems");
    list->Move(300, 300, 2400, 1500);
    for (const char16_t* item : {u"one", u"two", u"three"}) list->AddItem(item);
    const PixelRect r = *ControlRect(*list);
    const auto highlighted = [](uint32_t p) { return p == kHighlight; };
    EXPECT_EQ(Count(RenderForm(*form), r, highlighted), 0);
    list->SetListIndex(0);
    const FormImage image = RenderForm(*form);
    EXPECT_EQ(image.At(r.x + 3, r.y + 3), kHighlight);  // the first row, left of its text
    EXPECT_EQ(image.At(r.x + 3, r.y + r.height - 4), kWhite);
}

TEST_F(Picture, TheCaptionBarShowsTheCaptionAndFollowsTheBorderStyle) {
    const auto caption_white = [](uint32_t p) { return Brightest(p) > 0xF0 && Darkest(p) > 0xF0; };
    FormImage image = RenderForm(*form);
    const PixelRect client = ClientRect(*form);
    const PixelRect left_of_bar{client.x, 4, client.width / 2, client.y - 5};
    EXPECT_LT(Darkest(image.At(5, 6)), 0x40);  // the active caption's dark blue end
    EXPECT_GT(Count(image, left_of_bar, caption_white), 10);
    form->SetCaption(u"");
    EXPECT_EQ(Count(RenderForm(*form), left_of_bar, caption_white), 0);
    form->SetBorderStyle(0);
    form->SetBackColor(0x000000FF);
    image = RenderForm(*form);
    EXPECT_EQ(ClientRect(*form), Whole(image));
    EXPECT_EQ(image.At(0, 0), 0xFF0000u);
}

TEST_F(Picture, WritesAPngOrFailsWith75) {
    const quibor15::testing::ScratchFolder scratch("q15-render");
    const std::filesystem::path file = scratch / "form.png";
    WriteFormPng(*form, file.string());
    std::ifstream in(file, std::ios::binary);
    char signature[8] = {};
    in.read(signature, 8);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
    EXPECT_EQ(ErrorNumberOf([&] { WriteFormPng(*form, "/nonexistent/folder/x.png"); }), 75);
}

TEST_F(Picture, TheWatcherSeesFormsShownOpenedModallyAndActedOn) {
    std::vector<String> seen;
    runtime.Desk().SetFormWatcher([&](Form& f) { seen.push_back(f.Name()); });
    Ref<CommandButton> button = form->Add<CommandButton>(u"cmdGo");
    form->Show();
    runtime.ScriptedUser().Type(ObjectRef(button), u"abc");  // one action of three key presses
    button->SetEnabled(false);
    runtime.ScriptedUser().Click(ObjectRef(button));  // does not reach it
    Ref<Form> dialog = runtime.AddForm(u"frmDialog");
    runtime.ScriptedUser().OnModal([&](const Ref<Form>&) { seen.push_back(u"handler"); });
    dialog->Show(true);
    EXPECT_EQ(seen, (std::vector<String>{u"frmMain", u"frmMain", u"frmDialog", u"handler"}));
}

}  // namespace
}  // namespace quibor15::headless::render
