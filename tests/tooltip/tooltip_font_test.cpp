// The tooltip's Font: the GDI font built from the font object, its limits,
// and the fonts' lifetime.
#include "tooltip_fixture.hpp"

namespace quibor15 {
namespace {

using testing::LooseFont;

class TooltipFont : public testing::TooltipFixture {
protected:
    Ref<clsQuiborWUITooltipA> tip = NewTooltip();

    // The font the tooltip window uses now, as GDI keeps it.
    const LogFont* CurrentLogFont() {
        const sim::TooltipControl* control = windows->Tooltip(tip->TooltipWindow());
        return control ? windows->FontObject(control->Font()) : nullptr;
    }
};

TEST_F(TooltipFont, TwelvePointsAtNinetySixDotsPerInchAreSixteenPixels) {
    Ref<StdFont> font = MakeFont(u"Tahoma", 120000);
    windows->ClearLog();
    tip->set_Font(font);

    EXPECT_EQ(windows->Log().Functions(), (std::vector<String>{u"GetDC", u"GetDeviceCaps", u"ReleaseDC", u"MulDiv",
                                                               u"CreateFontIndirectA", u"SendMessageA"}));
    EXPECT_EQ(windows->Calls(u"GetDC")[0].args, (std::vector<String>{u"0x700002"}));
    EXPECT_EQ(windows->Calls(u"GetDeviceCaps")[0].args.at(1), u"90");  // LOGPIXELSY
    EXPECT_EQ(windows->Calls(u"MulDiv")[0].args, (std::vector<String>{u"12", u"96", u"72"}));
    const LogFont* made = CurrentLogFont();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->height, 16);
    EXPECT_EQ(made->face_name, u"Tahoma");
    EXPECT_EQ(made->weight, 400);
    EXPECT_EQ(made->width, 0);
    EXPECT_EQ(made->italic, 0);
    EXPECT_EQ(made->char_set, 0);
    EXPECT_EQ(made->quality, 0);

    const sim::MessageRecord set_font = windows->Messages().back();
    EXPECT_EQ(set_font.msg, sim::wm::kSetFont);
    EXPECT_EQ(set_font.wparam, windows->Tooltip(tip->TooltipWindow())->Font());
    EXPECT_NE(set_font.wparam, 0);
    EXPECT_EQ(set_font.lparam, 1);

    EXPECT_EQ(tip->get_Font(), ObjectRef(font));  // the same object, not a copy
    EXPECT_EQ(windows->LiveDCs(), 0);
}

TEST_F(TooltipFont, SizeIsRoundedToWholePointsThenScaled) {
    const struct {
        int64_t size;  // ten-thousandths of a point
        int32_t dpi;
        int32_t height;
    } cases[] = {
        {120000, 96, 16},  {120000, 120, 20}, {82500, 96, 11},  // 8.25 -> 8 -> 10.67
        {125000, 96, 16},                                       // 12.5 -> 12 (to even)
        {135000, 96, 19},                                       // 13.5 -> 14 -> 18.67
        {100000, 144, 20}, {10000, 96, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.size << " at " << c.dpi);
        windows->SetLogPixels(c.dpi, c.dpi);
        tip->set_Font(MakeFont(u"Arial", c.size));
        ASSERT_NE(CurrentLogFont(), nullptr);
        EXPECT_EQ(CurrentLogFont()->height, c.height);
    }
}

TEST_F(TooltipFont, StyleFlagsWeightAndCharacterSet) {
    Ref<StdFont> font = MakeFont(u"MS Gothic", 90000);
    font->SetItalic(true);
    font->SetUnderline(true);
    font->SetStrikethrough(true);
    font->SetWeight(700);
    font->SetCharset(128);
    tip->set_Font(font);
    const LogFont* made = CurrentLogFont();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->italic, 1);
    EXPECT_EQ(made->underline, 1);
    EXPECT_EQ(made->strike_out, 1);
    EXPECT_EQ(made->weight, 700);
    EXPECT_EQ(made->char_set, 128);
}

TEST_F(TooltipFont, BoldIsNotReadTheWeightCarriesIt) {
    auto font = MakeRef<LooseFont>();
    font->values[StdFont::kDispIdBold] = Variant(kTrue);
    font->values[StdFont::kDispIdWeight] = Variant(Integer{300});
    tip->set_Font(font);
    EXPECT_EQ(std::count(font->reads.begin(), font->reads.end(), StdFont::kDispIdBold), 0);
    EXPECT_EQ(CurrentLogFont()->weight, 300);
    // The properties are read in the order they go into the record.
    EXPECT_EQ(font->reads, (std::vector<DispId>{StdFont::kDispIdSize, StdFont::kDispIdCharset, StdFont::kDispIdItalic,
                                                StdFont::kDispIdStrikethrough, StdFont::kDispIdUnderline,
                                                StdFont::kDispIdWeight, StdFont::kDispIdName}));
}

TEST_F(TooltipFont, ANewFontReplacesAndDeletesTheOldOne) {
    tip->set_Font(MakeFont(u"Arial", 100000));
    const Handle first = windows->Tooltip(tip->TooltipWindow())->Font();
    Ref<StdFont> second_font = MakeFont(u"Verdana", 100000);
    windows->ClearLog();
    tip->set_Font(second_font);
    const Handle second = windows->Tooltip(tip->TooltipWindow())->Font();
    EXPECT_NE(first, second);
    // The tooltip takes the new font before the old one goes.
    const auto order = windows->Log().Among({u"CreateFontIndirectA", u"SendMessageA", u"DeleteObject"});
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[1].function, u"SendMessageA");
    EXPECT_EQ(order[2], (sim::CallRecord{u"DeleteObject", {sim::HandleArg(first)}}));
    EXPECT_EQ(windows->LiveGdiObjects(), 1);
    EXPECT_EQ(windows->FontObject(first), nullptr);
    EXPECT_EQ(tip->get_Font(), ObjectRef(second_font));

    // The same object again still makes a new font for it.
    tip->set_Font(second_font);
    EXPECT_EQ(windows->LiveGdiObjects(), 1);
    tip.Reset();
    EXPECT_EQ(windows->LiveGdiObjects(), 0);
    EXPECT_TRUE(windows->LiveWindows().empty());
}

class RefusedFont : public TooltipFont {
protected:
    Ref<StdFont> kept = MakeFont(u"Arial", 100000);
    Handle kept_handle = 0;

    void SetUp() override {
        tip->set_Font(kept);
        kept_handle = windows->Tooltip(tip->TooltipWindow())->Font();
        windows->ClearLog();
    }
    // Nothing changed: no font made, the old one in use and kept.
    void ExpectUnchanged() {
        EXPECT_EQ(windows->CallCount(u"CreateFontIndirectA"), 0u);
        EXPECT_EQ(windows->CallCount(u"DeleteObject"), 0u);
        EXPECT_EQ(windows->Tooltip(tip->TooltipWindow())->Font(), kept_handle);
        EXPECT_EQ(tip->get_Font(), ObjectRef(kept));
        EXPECT_EQ(windows->LiveGdiObjects(), 1);
        EXPECT_EQ(windows->LiveDCs(), 0);
    }
};

TEST_F(RefusedFont, CharacterSetAbove255Overflows) {
    for (Integer charset : {256, 1000, -1}) {
        auto font = MakeRef<LooseFont>();
        font->values[StdFont::kDispIdCharset] = Variant(charset);
        EXPECT_RAISES(rt::kOverflow, tip->set_Font(font));
        ExpectUnchanged();
    }
    auto font = MakeRef<LooseFont>();
    font->values[StdFont::kDispIdCharset] = Variant(Integer{255});
    tip->set_Font(font);
    EXPECT_EQ(CurrentLogFont()->char_set, 255);
}

TEST_F(RefusedFont, FaceNameMustLeaveRoomForItsNul) {
    auto font = MakeRef<LooseFont>();
    font->values[StdFont::kDispIdName] = Variant(String(32, u'F'));
    EXPECT_RAISES(rt::kSubscriptOutOfRange, tip->set_Font(font));
    ExpectUnchanged();
    font->values[StdFont::kDispIdName] = Variant(String(40, u'F'));
    EXPECT_RAISES(rt::kSubscriptOutOfRange, tip->set_Font(font));
    ExpectUnchanged();

    font->values[StdFont::kDispIdName] = Variant(String(31, u'F'));
    tip->set_Font(font);
    EXPECT_EQ(CurrentLogFont()->face_name, String(31, u'F'));
}

TEST_F(RefusedFont, FaceNameIsMeasuredInCodePageBytes) {
    windows->SetCodePage(932);
    auto font = MakeRef<LooseFont>();
    // Each of these characters is two bytes in the double-byte code page.
    font->values[StdFont::kDispIdName] = Variant(String(16, u'\u4E9C'));
    EXPECT_RAISES(rt::kSubscriptOutOfRange, tip->set_Font(font));
    ExpectUnchanged();
    font->values[StdFont::kDispIdName] = Variant(String(15, u'\u4E9C'));
    tip->set_Font(font);
    EXPECT_EQ(CurrentLogFont()->face_name, String(15, u'\u4E9C'));
}

TEST_F(RefusedFont, MissingPropertyOrNothingPassesTheHostsError) {
    auto font = MakeRef<LooseFont>();
    font->values.erase(StdFont::kDispIdWeight);
    EXPECT_RAISES(rt::kMemberNotSupported, tip->set_Font(font));
    ExpectUnchanged();
    EXPECT_RAISES(rt::kObjectNotSet, tip->set_Font(ObjectRef()));
    ExpectUnchanged();
}

}  // namespace
}  // namespace quibor15
