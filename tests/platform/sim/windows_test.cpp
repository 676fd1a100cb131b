#include <gtest/gtest.h>

#include "platform/sim/sim_windows.hpp"
#include "sim_test_support.hpp"

namespace quibor15::sim {
namespace {

using testing::FakeControl;

constexpr Handle kForm = 0x3002;
constexpr Handle kCombo = 0x3004;
constexpr Handle kTextBox = 0x3006;

class HostWindows : public ::testing::Test {
protected:
    void SetUp() override {
        form = MakeRef<FakeControl>();
        combo = MakeRef<FakeControl>();
        combo->is_list = true;
        combo->items = {u"Apple", u"Apricot", u"Banana", u"\u00C9clair", u"\u0160ibenik \u0152uvre \u017D\u0178"};
        text_box = MakeRef<FakeControl>();
        win.SetWindowResolver([this](Handle h) -> ObjectRef {
            if (h == kForm) return ObjectRef(form);
            if (h == kCombo) return ObjectRef(combo);
            if (h == kTextBox) return ObjectRef(text_box);
            return ObjectRef();
        });
    }
    SimWindows win;
    Ref<FakeControl> form, combo, text_box;
};

TEST_F(HostWindows, FindStringSearchesTheComboListWithoutCase) {
    const struct {
        int32_t start;
        const char16_t* text;
        int32_t index;
    } cases[] = {
        {-1, u"ap", 0},  // the first item that begins with the text
        {-1, u"AP", 0},  // case does not matter
        {-1, u"apr", 1},
        {-1, u"b", 2},
        {-1, u"ax", -1},                                   // CB_ERR
        {-1, u"", 0},                                      // every item begins with the empty text
        {0, u"ap", 1},                                     // the search starts after wParam
        {1, u"ap", 0},                                     // and wraps round to the top
        {2, u"banana", 2},                                 // back to the start item itself
        {7, u"ap", 0},                                     // an index past the end searches the whole list
        {-1, u"\u00E9c", 3},                               // Latin-1 letters fold too
        {-1, u"\u0161ibenik \u0153uvre \u017E\u00FF", 4},  // and the code page's others
        {-1, u"Apples", -1},                               // the text must not be longer than the item
    };
    for (const auto& c : cases) {
        EXPECT_EQ(win.SendMessageTextA(kCombo, cb::kFindString, c.start, c.text), c.index)
            << c.start << " " << ToUtf8(c.text);
    }
}

TEST_F(HostWindows, FindStringExactWantsTheWholeItem) {
    EXPECT_EQ(win.SendMessageTextA(kCombo, cb::kFindStringExact, -1, u"apricot"), 1);
    EXPECT_EQ(win.SendMessageTextA(kCombo, cb::kFindStringExact, -1, u"apri"), cb::kErr);
    EXPECT_EQ(win.SendMessageTextA(kCombo, lb::kFindString, -1, u"ban"), 2);
}

TEST_F(HostWindows, FindStringOnOtherWindows) {
    combo->items.clear();
    EXPECT_EQ(win.SendMessageTextA(kCombo, cb::kFindString, -1, u"a"), cb::kErr);  // an empty list
    EXPECT_EQ(win.SendMessageTextA(kTextBox, cb::kFindString, -1, u"a"), 0);       // not a list: ignored
    EXPECT_EQ(win.SendMessageTextA(0x7777, cb::kFindString, -1, u"a"), 0);         // no such window
    EXPECT_EQ(win.SendMessageTextA(0, cb::kFindString, -1, u"a"), 0);
}

TEST_F(HostWindows, FindStringIsLoggedWithTheTextAsTheSystemSawIt) {
    win.SendMessageTextA(kCombo, cb::kFindString, -1, u"ap\u4E00");
    EXPECT_EQ(win.Calls(u"SendMessageTextA").at(0),
              (CallRecord{u"SendMessageTextA", {u"0x3004", u"0x14C", u"-1", u"ap?"}}));
    EXPECT_EQ(win.Messages().at(0).text, u"ap?");
    EXPECT_EQ(win.Messages().at(0).result, cb::kErr);
}

TEST_F(HostWindows, SetWindowPosKeepsTheTopmostState) {
    EXPECT_FALSE(win.IsTopmost(kForm));
    EXPECT_EQ(win.SetWindowPos(kForm, swp::kTopmost, 0, 0, 0, 0, swp::kNoMove | swp::kNoSize), 1);
    EXPECT_TRUE(win.IsTopmost(kForm));
    EXPECT_EQ(win.GetWindowLongA(kForm, kGwlExStyle) & kWsExTopmost, static_cast<int32_t>(kWsExTopmost));
    win.SetWindowPos(kForm, swp::kTopmost, 0, 0, 0, 0, 3);
    EXPECT_TRUE(win.IsTopmost(kForm));
    win.SetWindowPos(kForm, swp::kNoTopmost, 0, 0, 0, 0, 3);
    EXPECT_FALSE(win.IsTopmost(kForm));
    win.SetWindowPos(kForm, swp::kNoTopmost, 0, 0, 0, 0, 3);  // releasing twice changes nothing
    EXPECT_FALSE(win.IsTopmost(kForm));
    win.SetWindowPos(kForm, swp::kTopmost, 0, 0, 0, 0, 3 | swp::kNoZOrder);  // z-order left alone
    EXPECT_FALSE(win.IsTopmost(kForm));
    EXPECT_EQ(win.Calls(u"SetWindowPos").at(0),
              (CallRecord{u"SetWindowPos", {u"0x3002", u"0xFFFFFFFF", u"0", u"0", u"0", u"0", u"0x3"}}));
    EXPECT_EQ(win.Calls(u"SetWindowPos").at(2).args.at(1), u"0xFFFFFFFE");
}

TEST_F(HostWindows, SetWindowPosOnAnUnknownWindowFails) {
    EXPECT_EQ(win.SetWindowPos(0x7777, swp::kTopmost, 0, 0, 0, 0, 3), 0);
    EXPECT_FALSE(win.IsTopmost(0x7777));
    EXPECT_EQ(win.SetWindowPos(0, swp::kTopmost, 0, 0, 0, 0, 3), 0);
    EXPECT_EQ(win.CallCount(u"SetWindowPos"), 2u);
}

TEST_F(HostWindows, SetWindowPosMovesAndSizesAddedWindows) {
    win.AddWindow(0x5000, Rect{0, 0, 100, 50});
    win.SetWindowPos(0x5000, 0, 30, 40, 0, 0, swp::kNoSize | swp::kNoZOrder);
    EXPECT_EQ(win.WindowRect(0x5000), (Rect{30, 40, 130, 90}));
    win.SetWindowPos(0x5000, 0, 0, 0, 10, 20, swp::kNoMove | swp::kNoZOrder);
    EXPECT_EQ(win.WindowRect(0x5000), (Rect{30, 40, 40, 60}));
}

TEST_F(HostWindows, ForegroundWindow) {
    EXPECT_EQ(win.ForegroundWindow(), 0);
    EXPECT_EQ(win.SetForegroundWindow(kForm), 1);
    EXPECT_EQ(win.ForegroundWindow(), kForm);
    EXPECT_EQ(win.SetForegroundWindow(0x7777), 0);
    EXPECT_EQ(win.ForegroundWindow(), kForm);
    EXPECT_EQ(win.Calls(u"SetForegroundWindow").size(), 2u);
}

TEST_F(HostWindows, WindowLongsPerWindow) {
    EXPECT_EQ(win.SetWindowLongA(kForm, kGwlStyle, 0x16CF0000), 0);
    EXPECT_EQ(win.SetWindowLongA(kForm, kGwlStyle, 0x16C80000), 0x16CF0000);
    EXPECT_EQ(win.GetWindowLongA(kForm, kGwlStyle), 0x16C80000);
    EXPECT_EQ(win.GetWindowLongA(kCombo, kGwlStyle), 0);
    // The topmost bit of the extended style follows SetWindowPos only.
    win.SetWindowLongA(kForm, kGwlExStyle, static_cast<int32_t>(kWsExTopmost | 0x100));
    EXPECT_EQ(win.GetWindowLongA(kForm, kGwlExStyle), 0x100);
    EXPECT_FALSE(win.IsTopmost(kForm));
    EXPECT_EQ(win.GetWindowLongA(0x7777, kGwlStyle), 0);
    EXPECT_EQ(win.SetWindowLongA(0x7777, kGwlStyle, 5), 0);
}

TEST_F(HostWindows, DeviceContextsAreCountedAndAnswerTheirDpi) {
    const Handle screen = win.GetDC(0);
    const Handle form_dc = win.GetDC(kForm);
    EXPECT_NE(screen, 0);
    EXPECT_NE(form_dc, screen);
    EXPECT_EQ(win.GetDC(0x7777), 0);
    EXPECT_EQ(win.LiveDCs(), 2);
    EXPECT_EQ(win.GetDeviceCaps(form_dc, caps::kLogPixelsY), 96);
    EXPECT_EQ(win.GetDeviceCaps(form_dc, caps::kLogPixelsX), 96);
    win.SetLogPixels(120, 144);
    EXPECT_EQ(win.GetDeviceCaps(form_dc, caps::kLogPixelsX), 120);
    EXPECT_EQ(win.GetDeviceCaps(form_dc, caps::kLogPixelsY), 144);
    EXPECT_EQ(win.GetDeviceCaps(screen, caps::kHorzRes), 1920);
    EXPECT_EQ(win.GetDeviceCaps(0x12345, caps::kLogPixelsY), 0);  // not a DC

    EXPECT_EQ(win.ReleaseDC(kCombo, form_dc), 0);  // released through the wrong window
    EXPECT_EQ(win.ReleaseDC(kForm, form_dc), 1);
    EXPECT_EQ(win.ReleaseDC(kForm, form_dc), 0);
    EXPECT_EQ(win.ReleaseDC(0, screen), 1);
    EXPECT_EQ(win.LiveDCs(), 0);
    EXPECT_EQ(win.GetDeviceCaps(form_dc, caps::kLogPixelsY), 0);  // a released DC answers nothing
}

TEST(Gdi, FontsAreKeptUntilDeleted) {
    SimWindows win;
    LogFont font;
    font.height = 16;
    font.weight = 700;
    font.italic = 1;
    font.char_set = 0;
    font.face_name = u"Tahoma";
    const Handle first = win.CreateFontIndirectA(font);
    font.face_name = u"Arial";
    const Handle second = win.CreateFontIndirectA(font);
    EXPECT_NE(first, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(win.LiveGdiObjects(), 2);
    ASSERT_NE(win.FontObject(first), nullptr);
    EXPECT_EQ(win.FontObject(first)->face_name, u"Tahoma");
    EXPECT_EQ(win.FontObject(first)->height, 16);
    EXPECT_EQ(win.FontObject(first)->weight, 700);

    EXPECT_EQ(win.DeleteObject(first), 1);
    EXPECT_EQ(win.DeleteObject(first), 0);
    EXPECT_EQ(win.DeleteObject(0), 0);
    EXPECT_EQ(win.FontObject(first), nullptr);
    EXPECT_EQ(win.LiveGdiObjects(), 1);
    EXPECT_EQ(win.DeleteObject(second), 1);
    EXPECT_EQ(win.LiveGdiObjects(), 0);
}

TEST(Gdi, FontCreationIsLoggedFieldByField) {
    SimWindows win;
    LogFont font;
    font.height = -16;
    font.weight = 400;
    font.underline = 1;
    font.char_set = 128;
    font.face_name = u"MS Sans Serif";
    win.CreateFontIndirectA(font);
    EXPECT_EQ(win.Calls().back(),
              (CallRecord{u"CreateFontIndirectA",
                          {u"lfHeight=-16", u"lfWidth=0", u"lfEscapement=0", u"lfOrientation=0", u"lfWeight=400",
                           u"lfItalic=0", u"lfUnderline=1", u"lfStrikeOut=0", u"lfCharSet=128", u"lfOutPrecision=0",
                           u"lfClipPrecision=0", u"lfQuality=0", u"lfPitchAndFamily=0", u"lfFaceName=MS Sans Serif"}}));
}

TEST(Gdi, FaceNameKeepsThirtyOneBytesOfTheCodePage) {
    SimWindows win;
    LogFont font;
    font.face_name = String(40, u'x');
    const Handle plain = win.CreateFontIndirectA(font);
    EXPECT_EQ(win.FontObject(plain)->face_name, String(31, u'x'));

    win.SetCodePage(932);
    // 15 two-byte characters fill 30 bytes; the 16th would need 32.
    font.face_name = String(16, u'\u3042');
    const Handle japanese = win.CreateFontIndirectA(font);
    EXPECT_EQ(win.FontObject(japanese)->face_name, String(15, u'\u3042'));
}

}  // namespace
}  // namespace quibor15::sim
