// The tooltip object as the simulated Windows sees it: creation order,
// properties, style bits, tool records and the window's lifetime.
#include "tooltip_fixture.hpp"

namespace quibor15 {
namespace {

using sim::CallRecord;

constexpr Handle kTarget = 0x5000;
constexpr Handle kFirstTooltip = 0x00700002;  // the simulation's first tooltip handle

class Tooltip : public testing::TooltipFixture {
protected:
    void SetUp() override { windows->AddWindow(kTarget, Rect{10, 10, 210, 110}); }

    const sim::TooltipControl& Control(const Ref<clsQuiborWUITooltipA>& tip) {
        const sim::TooltipControl* control = windows->Tooltip(tip->TooltipWindow());
        EXPECT_NE(control, nullptr);
        return *control;
    }
    // The tool records sent to the tooltip, in order.
    std::vector<std::pair<uint32_t, ToolInfo>> ToolMessages(Handle tooltip) {
        std::vector<std::pair<uint32_t, ToolInfo>> out;
        for (const sim::MessageRecord& m : windows->MessagesTo(tooltip)) {
            if (m.tool) out.emplace_back(m.msg, *m.tool);
        }
        return out;
    }
    static ToolInfo Record(uint32_t flags, Handle hwnd, int32_t id, Rect rect, std::optional<String> text) {
        ToolInfo t;
        t.flags = flags;
        t.hwnd = hwnd;
        t.id = id;
        t.rect = rect;
        t.text = std::move(text);
        return t;
    }
    int32_t StyleBits(const Ref<clsQuiborWUITooltipA>& tip) {
        return windows->GetWindowLongA(tip->TooltipWindow(), sim::kGwlStyle);
    }
};

TEST_F(Tooltip, CreationInitialisesMakesTheWindowAndAppliesTheDefaultsInOrder) {
    auto tip = NewTooltip();
    ASSERT_EQ(tip->TooltipWindow(), kFirstTooltip);
    const std::vector<CallRecord> expected = {
        {u"InitCommonControlsEx", {u"dwSize=8", u"dwICC=0x4"}},
        {u"CreateWindowExA",
         {u"0x8", u"tooltips_class32", u"", u"0x3", u"-2147483648", u"-2147483648", u"-2147483648", u"-2147483648",
          u"0x0", u"0x0", u"0x400000"}},
        {u"GetWindowLongA", {u"0x700002", u"-16"}},
        {u"SetWindowLongA", {u"0x700002", u"-16", u"0x80000003"}},
        {u"SendMessageA", {u"0x700002", u"0x418", u"0", u"300"}},
        {u"SendMessageA", {u"0x700002", u"0x413", u"15663103", u"0"}},
        {u"SendMessageA", {u"0x700002", u"0x414", u"0", u"0"}},
        {u"SendMessageA", {u"0x700002", u"0x403", u"3", u"500"}},
        {u"SendMessageA", {u"0x700002", u"0x403", u"2", u"2000"}},
    };
    EXPECT_EQ(windows->Calls(), expected);

    EXPECT_EQ(windows->WindowClass(tip->TooltipWindow()), u"tooltips_class32");
    EXPECT_TRUE(windows->IsTopmost(tip->TooltipWindow()));
    EXPECT_EQ(Control(tip).MaxTipWidth(), 300);
    EXPECT_EQ(Control(tip).BkColor(), 0xEEFFFFu);
    EXPECT_EQ(Control(tip).TextColor(), 0u);
    EXPECT_EQ(Control(tip).DelayTime(sim::ttdt::kInitial), 500);
    EXPECT_EQ(Control(tip).DelayTime(sim::ttdt::kAutoPop), 2000);

    EXPECT_EQ(tip->get_Style(), ttStyleStandard);
    EXPECT_EQ(tip->get_TipWidth(), 300);
    EXPECT_EQ(tip->get_BkColor(), 0xEEFFFF);
    EXPECT_EQ(tip->get_TxtColor(), 0);
    EXPECT_EQ(tip->get_DelayTime(), 500);
    EXPECT_EQ(tip->get_VisibleTime(), 2000);
    EXPECT_FALSE(tip->get_Font());
}

TEST_F(Tooltip, OlderCommonControlsFallBackToTheirOnlyInitialiser) {
    windows->SetInitCommonControlsExMissing(true);
    auto tip = NewTooltip();
    std::vector<String> functions = windows->Log().Functions();
    ASSERT_GE(functions.size(), 3u);
    functions.resize(3);
    EXPECT_EQ(functions, (std::vector<String>{u"InitCommonControlsEx", u"InitCommonControls", u"CreateWindowExA"}));
    EXPECT_NE(tip->TooltipWindow(), 0);
}

TEST_F(Tooltip, TheInstanceHandleIsTheApplications) {
    runtime->AppSettings()->SetInstance(0x10000000);
    auto tip = NewTooltip();
    EXPECT_EQ(windows->Calls(u"CreateWindowExA").at(0).args.back(), u"0x10000000");
}

TEST_F(Tooltip, FailedWindowLeavesHandleZeroAndMessagesGoNowhere) {
    windows->SetCreateWindowFails(true);
    auto tip = NewTooltip();
    EXPECT_EQ(tip->TooltipWindow(), 0);
    EXPECT_EQ(windows->CallCount(u"GetWindowLongA"), 0u);
    EXPECT_EQ(windows->CallCount(u"SetWindowLongA"), 0u);
    EXPECT_EQ(windows->CallCount(u"SendMessageA"), 5u);  // to handle 0
    for (const auto& m : windows->Messages()) EXPECT_EQ(m.hwnd, 0);

    tip->let_Style(ttStyleBalloon);
    EXPECT_EQ(tip->get_Style(), ttStyleBalloon);
    Long hwnd = kTarget, item = -1;
    String text = u"tip";
    Boolean center = kFalse;
    tip->SetToolTipObj(hwnd, text, center);
    tip->DelToolTip(hwnd, item);
    tip->set_Font(MakeFont(u"Arial", 100000));
    EXPECT_EQ(windows->CallCount(u"GetWindowLongA"), 0u);
    tip.Reset();
    EXPECT_EQ(windows->CallCount(u"DestroyWindow"), 0u);
    EXPECT_EQ(windows->LiveGdiObjects(), 0);
}

TEST_F(Tooltip, PropertyPutsStoreThenSend) {
    auto tip = NewTooltip();
    const Handle h = tip->TooltipWindow();
    windows->ClearLog();
    tip->let_TxtColor(0x0000FF);
    tip->let_BkColor(static_cast<Long>(0x80000018));
    tip->let_VisibleTime(7000);
    tip->let_DelayTime(-1);
    tip->let_TipWidth(120);
    const std::vector<CallRecord> expected = {
        {u"SendMessageA", {u"0x700002", u"0x414", u"255", u"0"}},
        {u"SendMessageA", {u"0x700002", u"0x413", u"-2147483624", u"0"}},
        {u"SendMessageA", {u"0x700002", u"0x403", u"2", u"7000"}},
        {u"SendMessageA", {u"0x700002", u"0x403", u"3", u"-1"}},
        {u"SendMessageA", {u"0x700002", u"0x418", u"0", u"120"}},
    };
    EXPECT_EQ(windows->Calls(), expected);
    EXPECT_EQ(tip->get_TxtColor(), 0x0000FF);
    EXPECT_EQ(tip->get_BkColor(), static_cast<Long>(0x80000018));
    EXPECT_EQ(tip->get_VisibleTime(), 7000);
    EXPECT_EQ(tip->get_DelayTime(), -1);  // stored as given
    EXPECT_EQ(tip->get_TipWidth(), 120);
    EXPECT_EQ(windows->Tooltip(h)->MaxTipWidth(), 120);
    EXPECT_EQ(windows->Tooltip(h)->DelayTime(sim::ttdt::kAutoPop), 7000);
}

TEST_F(Tooltip, StyleSetsAndClearsOnlyTheBalloonBit) {
    const struct {
        std::vector<Long> puts;
        bool balloon;
        Long stored;
    } cases[] = {
        {{2, 1}, false, 1}, {{1, 1}, false, 1}, {{2, 2}, true, 2},
        {{3}, false, 3},    {{2, 3}, true, 3},  {{2, 0}, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "last put " << c.puts.back());
        auto tip = NewTooltip();
        for (Long value : c.puts) tip->let_Style(value);
        EXPECT_EQ((StyleBits(tip) & sim::tts::kBalloon) != 0, c.balloon);
        EXPECT_EQ(tip->get_Style(), c.stored);
        // The other style bits stay as the window was made.
        EXPECT_EQ(StyleBits(tip) & ~static_cast<int32_t>(sim::tts::kBalloon),
                  static_cast<int32_t>(sim::kWsPopup | sim::tts::kAlwaysTip | sim::tts::kNoPrefix));
    }
}

TEST_F(Tooltip, StyleOtherThanOneOrTwoWritesTheStyleBackUnchanged) {
    auto tip = NewTooltip();
    tip->let_Style(ttStyleBalloon);
    windows->ClearLog();
    tip->let_Style(3);
    const std::vector<CallRecord> expected = {
        {u"GetWindowLongA", {u"0x700002", u"-16"}},
        {u"SetWindowLongA", {u"0x700002", u"-16", u"0x80000043"}},
    };
    EXPECT_EQ(windows->Calls(), expected);
}

TEST_F(Tooltip, WholeWindowToolRecords) {
    auto tip = NewTooltip();
    Long hwnd = kTarget;
    String text = u"Click to save";
    for (const auto& [center, flags] : {std::pair{kFalse, 0x11u}, {kTrue, 0x13u}, {Boolean{1}, 0x13u}}) {
        Boolean b = center;
        tip->SetToolTipObj(hwnd, text, b);
        const auto sent = ToolMessages(tip->TooltipWindow());
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back().first, sim::ttm::kAddToolA);
        EXPECT_EQ(sent.back().second, Record(flags, kTarget, kTarget, Rect{}, u"Click to save"));
        EXPECT_EQ(sent.back().second.cb_size, 40u);
    }
    const sim::TooltipTool* tool = Control(tip).FindTool(kTarget, kTarget);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->text, u"Click to save");
    EXPECT_EQ(hwnd, kTarget);
}

TEST_F(Tooltip, ItemToolRecords) {
    auto tip = NewTooltip();
    Long hwnd = kTarget, item = 3, left = 1, top = 2, right = 30, bottom = 40;
    String text = u"Item three";
    Boolean center = kFalse;
    tip->SetToolTipItem(hwnd, item, left, top, right, bottom, text, center);
    Long item4 = 4;
    center = kTrue;
    tip->SetToolTipItem(hwnd, item4, left, top, right, bottom, text, center);
    const auto sent = ToolMessages(tip->TooltipWindow());
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].first, sim::ttm::kAddToolA);
    EXPECT_EQ(sent[0].second, Record(0x10, kTarget, 3, Rect{1, 2, 30, 40}, u"Item three"));
    EXPECT_EQ(sent[1].second, Record(0x12, kTarget, 4, Rect{1, 2, 30, 40}, u"Item three"));
    EXPECT_EQ(Control(tip).Tools().size(), 2u);
}

TEST_F(Tooltip, DelToolTipRemovesTheWholeWindowToolOrOneItem) {
    auto tip = NewTooltip();
    Ref<Object> object(tip);
    // Whole window and items 0 and 1, through late binding (bCenter left out).
    LateCall(object, u"SetToolTipObj", {Variant(Long{kTarget}), Variant(String(u"window"))});
    for (Long item : {0, 1}) {
        LateCall(object, u"SetToolTipItem",
                 {Variant(Long{kTarget}), Variant(item), Variant(Long{0}), Variant(Long{0}), Variant(Long{10}),
                  Variant(Long{10}), Variant(String(u"item"))});
    }
    ASSERT_EQ(Control(tip).Tools().size(), 3u);
    EXPECT_EQ(Control(tip).Tools()[0].flags, 0x11u);
    EXPECT_EQ(Control(tip).Tools()[1].flags, 0x10u);

    LateCall(object, u"DelToolTip", {Variant(Long{kTarget}), Variant(Long{0})});
    EXPECT_EQ(ToolMessages(tip->TooltipWindow()).back().second, Record(0, kTarget, 0, Rect{}, std::nullopt));
    EXPECT_EQ(Control(tip).FindTool(kTarget, 0), nullptr);
    EXPECT_NE(Control(tip).FindTool(kTarget, kTarget), nullptr);

    LateCall(object, u"DelToolTip", {Variant(Long{kTarget})});  // nItem -1
    const auto last = ToolMessages(tip->TooltipWindow()).back();
    EXPECT_EQ(last.first, sim::ttm::kDelToolA);
    EXPECT_EQ(last.second, Record(0, kTarget, kTarget, Rect{}, std::nullopt));
    EXPECT_EQ(Control(tip).FindTool(kTarget, kTarget), nullptr);
    ASSERT_EQ(Control(tip).Tools().size(), 1u);
    EXPECT_EQ(Control(tip).Tools()[0].id, 1);

    Long hwnd = kTarget, negative = -7;
    tip->DelToolTip(hwnd, negative);
    EXPECT_EQ(ToolMessages(tip->TooltipWindow()).back().second.id, kTarget);
}

TEST_F(Tooltip, AjustItemRectReadsTheToolThenMovesIt) {
    auto tip = NewTooltip();
    Long hwnd = kTarget, item = 2, l = 0, t = 0, r = 10, b = 10;
    String text = u"moving";
    Boolean center = kTrue;
    tip->SetToolTipItem(hwnd, item, l, t, r, b, text, center);
    windows->ClearLog();
    Long nl = 50, nt = 60, nr = 150, nb = 160;
    tip->AjustItemRect(hwnd, item, nl, nt, nr, nb);
    const auto sent = ToolMessages(tip->TooltipWindow());
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].first, sim::ttm::kGetToolInfoA);
    EXPECT_EQ(sent[0].second, Record(0, kTarget, 2, Rect{}, std::nullopt));  // no text buffer
    EXPECT_EQ(sent[1].first, sim::ttm::kNewToolRectA);
    EXPECT_EQ(sent[1].second.hwnd, kTarget);
    EXPECT_EQ(sent[1].second.id, 2);
    EXPECT_EQ(sent[1].second.rect, (Rect{50, 60, 150, 160}));
    EXPECT_EQ(windows->Calls().size(), 2u);
    const sim::TooltipTool* tool = Control(tip).FindTool(kTarget, 2);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->rect, (Rect{50, 60, 150, 160}));
    EXPECT_EQ(tool->text, u"moving");
    EXPECT_EQ(tool->flags, 0x12u);
}

TEST_F(Tooltip, ReleaseDestroysTheWindowAndItsTools) {
    auto first = NewTooltip();
    auto second = NewTooltip();
    EXPECT_NE(first->TooltipWindow(), second->TooltipWindow());
    Long hwnd = kTarget;
    String text = u"x";
    Boolean center = kFalse;
    first->SetToolTipObj(hwnd, text, center);
    first->set_Font(MakeFont(u"Arial", 90000));
    const Handle h = first->TooltipWindow();
    EXPECT_EQ(windows->LiveWindows().size(), 2u);
    windows->ClearLog();
    first.Reset();
    EXPECT_EQ(windows->Log().Functions(), (std::vector<String>{u"DestroyWindow", u"DeleteObject"}));
    EXPECT_EQ(windows->Calls(u"DestroyWindow")[0].args, (std::vector<String>{sim::HandleArg(h)}));
    EXPECT_EQ(windows->Tooltip(h), nullptr);
    second.Reset();
    EXPECT_TRUE(windows->LiveWindows().empty());
    EXPECT_EQ(windows->LiveGdiObjects(), 0);
    EXPECT_EQ(windows->LiveDCs(), 0);
}

TEST_F(Tooltip, LateBoundPropertiesUseTheirIdentifiers) {
    auto tip = NewTooltip();
    Ref<Object> object(tip);
    EXPECT_EQ(object->GetIdOfName(u"style"), 0x68030000);
    LateLet(object, u"Style", Variant(Long{ttStyleBalloon}));
    EXPECT_EQ(LateGet(object, u"Style"), Variant(Long{ttStyleBalloon}));
    EXPECT_NE(StyleBits(tip) & sim::tts::kBalloon, 0);
    LateLet(object, u"TipWidth", Variant(Long{77}));
    EXPECT_EQ(Control(tip).MaxTipWidth(), 77);
    EXPECT_FALSE(LateGet(object, u"Font").ObjectOrThrow());
}

}  // namespace
}  // namespace quibor15
