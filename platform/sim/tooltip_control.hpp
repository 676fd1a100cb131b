// The state of one tooltip control ("tooltips_class32") and its answers to
// the TTM_ messages: the tools keyed by (hwnd, uId), the delays, colours,
// maximum width and font. Texts arrive already converted through the ANSI
// code page.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "quibor15/windows_services.hpp"

namespace quibor15::sim {

namespace wm {
inline constexpr uint32_t kSetFont = 0x30;
inline constexpr uint32_t kGetFont = 0x31;
}  // namespace wm

namespace ttm {
inline constexpr uint32_t kActivate = 0x401;
inline constexpr uint32_t kSetDelayTime = 0x403;
inline constexpr uint32_t kAddToolA = 0x404;
inline constexpr uint32_t kDelToolA = 0x405;
inline constexpr uint32_t kNewToolRectA = 0x406;
inline constexpr uint32_t kGetToolInfoA = 0x408;
inline constexpr uint32_t kSetToolInfoA = 0x409;
inline constexpr uint32_t kUpdateTipTextA = 0x40C;
inline constexpr uint32_t kGetToolCount = 0x40D;
inline constexpr uint32_t kEnumToolsA = 0x40E;
inline constexpr uint32_t kSetTipBkColor = 0x413;
inline constexpr uint32_t kSetTipTextColor = 0x414;
inline constexpr uint32_t kGetDelayTime = 0x415;
inline constexpr uint32_t kGetTipBkColor = 0x416;
inline constexpr uint32_t kGetTipTextColor = 0x417;
inline constexpr uint32_t kSetMaxTipWidth = 0x418;
inline constexpr uint32_t kGetMaxTipWidth = 0x419;
}  // namespace ttm

namespace ttdt {
inline constexpr int32_t kAutomatic = 0;
inline constexpr int32_t kReshow = 1;
inline constexpr int32_t kAutoPop = 2;
inline constexpr int32_t kInitial = 3;
}  // namespace ttdt

namespace tts {
inline constexpr uint32_t kAlwaysTip = 0x1;
inline constexpr uint32_t kNoPrefix = 0x2;
inline constexpr uint32_t kBalloon = 0x40;
}  // namespace tts

namespace ttf {
inline constexpr uint32_t kIdIsHwnd = 0x1;
inline constexpr uint32_t kCenterTip = 0x2;
inline constexpr uint32_t kSubclass = 0x10;
}  // namespace ttf

// The smallest TOOLINFOA the control accepts (its first version).
inline constexpr uint32_t kToolInfoMinSize = 40;

struct TooltipTool {
    uint32_t flags = 0;
    Handle hwnd = 0;
    int32_t id = 0;
    Rect rect;
    Handle hinst = 0;
    std::optional<String> text;
    friend bool operator==(const TooltipTool&, const TooltipTool&) = default;
};

class TooltipControl {
public:
    // Messages whose lParam is a number.
    int32_t Message(uint32_t msg, int32_t wparam, int32_t lparam);
    // Messages whose lParam is a TOOLINFOA; the control may fill it.
    int32_t ToolMessage(uint32_t msg, int32_t wparam, ToolInfo& info);

    const std::vector<TooltipTool>& Tools() const noexcept { return tools_; }
    const TooltipTool* FindTool(Handle hwnd, int32_t id) const;
    // TTDT_RESHOW, TTDT_AUTOPOP or TTDT_INITIAL.
    int32_t DelayTime(int32_t which) const;
    uint32_t BkColor() const noexcept { return bk_color_; }
    uint32_t TextColor() const noexcept { return text_color_; }
    int32_t MaxTipWidth() const noexcept { return max_width_; }
    Handle Font() const noexcept { return font_; }
    bool Active() const noexcept { return active_; }

private:
    TooltipTool* Find(Handle hwnd, int32_t id);
    void SetDelay(int32_t which, int32_t lparam);

    std::vector<TooltipTool> tools_;
    // The system defaults: delays from a double-click time of 500 ms, the
    // info-tip colours.
    int32_t initial_ = 500, autopop_ = 5000, reshow_ = 100;
    uint32_t bk_color_ = 0xE1FFFF;
    uint32_t text_color_ = 0x000000;
    int32_t max_width_ = -1;
    Handle font_ = 0;
    bool active_ = true;
};

}  // namespace quibor15::sim
