#include <gtest/gtest.h>

#include "platform/sim/sim_windows.hpp"

namespace quibor15::sim {
namespace {

constexpr Handle kTarget = 0x5000;

class Tooltips : public ::testing::Test {
protected:
    void SetUp() override {
        win.AddWindow(kTarget, Rect{10, 10, 210, 110});
        tip = win.CreateWindowExA(kWsExTopmost, kTooltipClass, u"", tts::kAlwaysTip | tts::kNoPrefix, kCwUseDefault,
                                  kCwUseDefault, kCwUseDefault, kCwUseDefault, 0, 0, 0x400000);
        ASSERT_NE(tip, 0);
    }
    const TooltipControl& Control() const { return *win.Tooltip(tip); }
    int32_t Send(uint32_t msg, int32_t wparam, int32_t lparam) { return win.SendMessageA(tip, msg, wparam, lparam); }
    int32_t SendTool(uint32_t msg, ToolInfo& info) { return win.SendMessageToolA(tip, msg, 0, info); }
    static ToolInfo Item(int32_t id, Rect rect, std::optional<String> text) {
        ToolInfo t;
        t.flags = ttf::kSubclass;
        t.hwnd = kTarget;
        t.id = id;
        t.rect = rect;
        t.text = std::move(text);
        return t;
    }

    SimWindows win;
    Handle tip = 0;
};

TEST_F(Tooltips, HandlesStartAt0x700002AndAreEven) {
    EXPECT_EQ(tip, 0x00700002);
    const Handle second = win.CreateWindowExA(0, u"TOOLTIPS_CLASS32", u"", 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(second, 0x00700004);
    ASSERT_NE(win.Tooltip(second), nullptr);  // the class name ignores case
    const Handle plain = win.CreateWindowExA(0, u"Static", u"x", 0, 0, 0, 10, 10, 0, 0, 0);
    EXPECT_EQ(plain, 0x00900002);
    EXPECT_EQ(win.Tooltip(plain), nullptr);
    EXPECT_EQ(win.WindowClass(plain), u"Static");
    EXPECT_EQ(win.LiveWindows(), (std::vector<Handle>{tip, second, plain}));
}

TEST_F(Tooltips, CreationIsLoggedAndStylesKept) {
    EXPECT_EQ(win.Calls(u"CreateWindowExA").at(0),
              (CallRecord{u"CreateWindowExA",
                          {u"0x8", u"tooltips_class32", u"", u"0x3", u"-2147483648", u"-2147483648", u"-2147483648",
                           u"-2147483648", u"0x0", u"0x0", u"0x400000"}}));
    EXPECT_EQ(static_cast<uint32_t>(win.GetWindowLongA(tip, kGwlStyle)), kWsPopup | 0x3);
    EXPECT_EQ(static_cast<uint32_t>(win.GetWindowLongA(tip, kGwlExStyle)), kWsExTopmost | kWsExToolWindow);
    EXPECT_TRUE(win.IsTopmost(tip));
    EXPECT_EQ(win.WindowRect(tip), std::nullopt);  // default geometry: no rectangle yet
}

TEST_F(Tooltips, BalloonBitLivesInTheStyle) {
    const int32_t style = win.GetWindowLongA(tip, kGwlStyle);
    EXPECT_EQ(win.SetWindowLongA(tip, kGwlStyle, style | tts::kBalloon), style);
    EXPECT_EQ(win.GetWindowLongA(tip, kGwlStyle) & tts::kBalloon, static_cast<int32_t>(tts::kBalloon));
    win.SetWindowLongA(tip, kGwlStyle, win.GetWindowLongA(tip, kGwlStyle) & ~static_cast<int32_t>(tts::kBalloon));
    EXPECT_EQ(win.GetWindowLongA(tip, kGwlStyle) & tts::kBalloon, 0);
    EXPECT_EQ(win.Calls(u"SetWindowLongA").at(0),
              (CallRecord{u"SetWindowLongA", {u"0x700002", u"-16", u"0x80000043"}}));
}

TEST_F(Tooltips, PropertyMessagesAreLoggedAndApplied) {
    win.ClearLog();
    EXPECT_EQ(Send(ttm::kSetMaxTipWidth, 0, 300), -1);  // the previous width
    EXPECT_EQ(Send(ttm::kSetMaxTipWidth, 0, 250), 300);
    Send(ttm::kSetTipBkColor, 0xEEFFFF, 0);
    Send(ttm::kSetTipTextColor, 0x0000FF, 0);
    EXPECT_EQ(win.Calls().at(0), (CallRecord{u"SendMessageA", {u"0x700002", u"0x418", u"0", u"300"}}));
    EXPECT_EQ(win.Calls().at(2), (CallRecord{u"SendMessageA", {u"0x700002", u"0x413", u"15663103", u"0"}}));
    EXPECT_EQ(Control().MaxTipWidth(), 250);
    EXPECT_EQ(Control().BkColor(), 0xEEFFFFu);
    EXPECT_EQ(Control().TextColor(), 0x0000FFu);
    EXPECT_EQ(Send(ttm::kGetTipBkColor, 0, 0), 0xEEFFFF);
    EXPECT_EQ(Send(ttm::kGetMaxTipWidth, 0, 0), 250);
    ASSERT_EQ(win.MessagesTo(tip).size(), 6u);
    EXPECT_EQ(win.MessagesTo(tip)[1].result, 300);
}

TEST_F(Tooltips, DelayTimes) {
    EXPECT_EQ(Control().DelayTime(ttdt::kInitial), 500);
    EXPECT_EQ(Control().DelayTime(ttdt::kAutoPop), 5000);
    EXPECT_EQ(Control().DelayTime(ttdt::kReshow), 100);
    const struct {
        int32_t which;
        int32_t value;
        int32_t initial, autopop, reshow;
    } steps[] = {
        {ttdt::kInitial, 500, 500, 5000, 100},  {ttdt::kAutoPop, 2000, 500, 2000, 100},
        {ttdt::kReshow, 50, 500, 2000, 50},     {ttdt::kAutomatic, 400, 400, 4000, 80},
        {ttdt::kAutoPop, -1, 400, 5000, 80},    {ttdt::kInitial, 0x10000 + 700, 700, 5000, 80},
        {ttdt::kAutomatic, -1, 500, 5000, 100},
    };
    for (const auto& s : steps) {
        Send(ttm::kSetDelayTime, s.which, s.value);
        EXPECT_EQ(Control().DelayTime(ttdt::kInitial), s.initial) << s.which << " " << s.value;
        EXPECT_EQ(Control().DelayTime(ttdt::kAutoPop), s.autopop) << s.which << " " << s.value;
        EXPECT_EQ(Control().DelayTime(ttdt::kReshow), s.reshow) << s.which << " " << s.value;
    }
    EXPECT_EQ(Send(ttm::kGetDelayTime, ttdt::kAutoPop, 0), 5000);
}

TEST_F(Tooltips, FontHandleIsRecorded) {
    Send(wm::kSetFont, 0x0A010001, 1);
    EXPECT_EQ(Control().Font(), 0x0A010001);
    EXPECT_EQ(Send(wm::kGetFont, 0, 0), 0x0A010001);
}

TEST_F(Tooltips, ToolsAreKeyedByWindowAndId) {
    ToolInfo whole;
    whole.flags = ttf::kIdIsHwnd | ttf::kSubclass;
    whole.hwnd = kTarget;
    whole.id = kTarget;
    whole.text = u"Whole window";
    EXPECT_EQ(SendTool(ttm::kAddToolA, whole), 1);
    ToolInfo item0 = Item(0, Rect{0, 0, 10, 10}, u"Item zero");
    ToolInfo item1 = Item(1, Rect{10, 0, 20, 10}, u"Item one");
    SendTool(ttm::kAddToolA, item0);
    SendTool(ttm::kAddToolA, item1);
    EXPECT_EQ(Control().Tools().size(), 3u);
    EXPECT_EQ(Send(ttm::kGetToolCount, 0, 0), 3);

    // Adding the same key again replaces the tool.
    ToolInfo centred = Item(0, Rect{0, 0, 12, 12}, u"Centred");
    centred.flags |= ttf::kCenterTip;
    SendTool(ttm::kAddToolA, centred);
    ASSERT_EQ(Control().Tools().size(), 3u);
    EXPECT_EQ(Control().FindTool(kTarget, 0)->flags, 0x12u);
    EXPECT_EQ(Control().FindTool(kTarget, 0)->text, u"Centred");

    ToolInfo del;
    del.hwnd = kTarget;
    del.id = 0;
    EXPECT_EQ(SendTool(ttm::kDelToolA, del), 0);
    EXPECT_EQ(Control().FindTool(kTarget, 0), nullptr);
    ASSERT_NE(Control().FindTool(kTarget, 1), nullptr);
    del.id = kTarget;
    SendTool(ttm::kDelToolA, del);
    EXPECT_EQ(Control().FindTool(kTarget, kTarget), nullptr);
    EXPECT_EQ(Control().Tools().size(), 1u);
}

TEST_F(Tooltips, ToolMessagesAreLoggedWithTheRecordFields) {
    ToolInfo whole;
    whole.flags = 0x11;
    whole.hwnd = kTarget;
    whole.id = kTarget;
    whole.text = u"Tip";
    win.ClearLog();
    SendTool(ttm::kAddToolA, whole);
    EXPECT_EQ(win.Calls().at(0), (CallRecord{u"SendMessageToolA",
                                             {u"0x700002", u"0x404", u"0", u"cbSize=40", u"uFlags=0x11", u"hwnd=0x5000",
                                              u"uId=20480", u"rect=0,0,0,0", u"hinst=0x0", u"lpszText=Tip"}}));
    ToolInfo no_text;
    no_text.hwnd = kTarget;
    no_text.id = 3;
    SendTool(ttm::kDelToolA, no_text);
    EXPECT_EQ(win.Calls().at(1).args.back(), u"lpszText=NULL");
    ASSERT_TRUE(win.Messages().at(0).tool);
    EXPECT_EQ(*win.Messages().at(0).tool, whole);
}

TEST_F(Tooltips, GetToolInfoFillsTheRecordAndTextOnlyIntoABuffer) {
    ToolInfo item = Item(4, Rect{1, 2, 3, 4}, u"Four");
    item.hinst = 0x400000;
    SendTool(ttm::kAddToolA, item);

    ToolInfo query;
    query.hwnd = kTarget;
    query.id = 4;
    ASSERT_EQ(SendTool(ttm::kGetToolInfoA, query), 1);
    EXPECT_EQ(query.flags, ttf::kSubclass);
    EXPECT_EQ(query.rect, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(query.hinst, 0x400000);
    EXPECT_EQ(query.text, std::nullopt);  // no buffer, no text

    ToolInfo with_buffer = query;
    with_buffer.text = String(80, u'\0');
    ASSERT_EQ(SendTool(ttm::kGetToolInfoA, with_buffer), 1);
    EXPECT_EQ(with_buffer.text, u"Four");

    ToolInfo missing;
    missing.hwnd = kTarget;
    missing.id = 99;
    missing.rect = Rect{9, 9, 9, 9};
    EXPECT_EQ(SendTool(ttm::kGetToolInfoA, missing), 0);
    EXPECT_EQ(missing.rect, (Rect{9, 9, 9, 9}));
}

TEST_F(Tooltips, NewToolRectMovesAnItem) {
    ToolInfo item = Item(2, Rect{0, 0, 10, 10}, u"Two");
    SendTool(ttm::kAddToolA, item);
    ToolInfo move;
    move.hwnd = kTarget;
    move.id = 2;
    ASSERT_EQ(SendTool(ttm::kGetToolInfoA, move), 1);
    move.rect = Rect{50, 60, 70, 80};
    SendTool(ttm::kNewToolRectA, move);
    EXPECT_EQ(Control().FindTool(kTarget, 2)->rect, (Rect{50, 60, 70, 80}));
    EXPECT_EQ(Control().FindTool(kTarget, 2)->text, u"Two");  // the text stays
}

TEST_F(Tooltips, RecordsSmallerThanTheFirstVersionAreRejected) {
    ToolInfo item = Item(1, Rect{}, u"x");
    item.cb_size = 36;
    EXPECT_EQ(SendTool(ttm::kAddToolA, item), 0);
    EXPECT_TRUE(Control().Tools().empty());
}

TEST_F(Tooltips, ToolTextCrossesTheCodePage) {
    ToolInfo item = Item(1, Rect{}, u"caf\u00E9 \u65E5\u672C");
    SendTool(ttm::kAddToolA, item);
    EXPECT_EQ(Control().FindTool(kTarget, 1)->text, u"caf\u00E9 ??");
    EXPECT_EQ(item.text, u"caf\u00E9 \u65E5\u672C");  // the caller's record is not rewritten
}

TEST_F(Tooltips, MessagesToHandleZeroOrADestroyedWindowHaveNoEffect) {
    win.ClearLog();
    EXPECT_EQ(win.SendMessageA(0, ttm::kSetMaxTipWidth, 0, 300), 0);
    ToolInfo item = Item(1, Rect{}, u"x");
    EXPECT_EQ(win.SendMessageToolA(0, ttm::kAddToolA, 0, item), 0);
    EXPECT_EQ(win.CallCount(u"SendMessageA"), 1u);
    EXPECT_EQ(win.CallCount(u"SendMessageToolA"), 1u);

    SendTool(ttm::kAddToolA, item);
    EXPECT_EQ(win.DestroyWindow(tip), 1);
    EXPECT_EQ(win.Tooltip(tip), nullptr);
    EXPECT_TRUE(win.LiveWindows().empty());
    EXPECT_FALSE(win.IsTopmost(tip));
    EXPECT_EQ(Send(ttm::kSetMaxTipWidth, 0, 400), 0);
    EXPECT_EQ(SendTool(ttm::kAddToolA, item), 0);
    EXPECT_EQ(win.GetWindowLongA(tip, kGwlStyle), 0);
    EXPECT_EQ(win.DestroyWindow(tip), 0);
    EXPECT_EQ(win.DestroyWindow(0), 0);
}

TEST_F(Tooltips, FailedCreationGivesHandleZero) {
    win.SetCreateWindowFails(true);
    EXPECT_EQ(win.CreateWindowExA(0, kTooltipClass, u"", 3, 0, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(win.LiveWindows().size(), 1u);
    win.SetCreateWindowFails(false);
    EXPECT_EQ(win.CreateWindowExA(0, kTooltipClass, u"", 3, 0, 0, 0, 0, 0, 0, 0), 0x00700004);
}

}  // namespace
}  // namespace quibor15::sim
