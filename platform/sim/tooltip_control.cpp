#include "platform/sim/tooltip_control.hpp"

#include <algorithm>

namespace quibor15::sim {

namespace {

constexpr int32_t kDefaultInitial = 500;

}  // namespace

TooltipTool* TooltipControl::Find(Handle hwnd, int32_t id) {
    auto it =
        std::find_if(tools_.begin(), tools_.end(), [&](const TooltipTool& t) { return t.hwnd == hwnd && t.id == id; });
    return it == tools_.end() ? nullptr : &*it;
}

const TooltipTool* TooltipControl::FindTool(Handle hwnd, int32_t id) const {
    return const_cast<TooltipControl*>(this)->Find(hwnd, id);
}

int32_t TooltipControl::DelayTime(int32_t which) const {
    switch (which) {
        case ttdt::kReshow:
            return reshow_;
        case ttdt::kAutoPop:
            return autopop_;
        case ttdt::kInitial:
            return initial_;
        default:
            return 0;
    }
}

void TooltipControl::SetDelay(int32_t which, int32_t lparam) {
    // The delay is the low word of lParam; a negative one restores the
    // default.
    const int32_t value = static_cast<int16_t>(static_cast<uint32_t>(lparam) & 0xFFFF);
    switch (which) {
        case ttdt::kAutomatic: {
            const int32_t base = value < 0 ? kDefaultInitial : value;
            initial_ = base;
            autopop_ = base * 10;
            reshow_ = base / 5;
            break;
        }
        case ttdt::kReshow:
            reshow_ = value < 0 ? kDefaultInitial / 5 : value;
            break;
        case ttdt::kAutoPop:
            autopop_ = value < 0 ? kDefaultInitial * 10 : value;
            break;
        case ttdt::kInitial:
            initial_ = value < 0 ? kDefaultInitial : value;
            break;
        default:
            break;
    }
}

int32_t TooltipControl::Message(uint32_t msg, int32_t wparam, int32_t lparam) {
    switch (msg) {
        case ttm::kActivate:
            active_ = wparam != 0;
            return 0;
        case ttm::kSetDelayTime:
            SetDelay(wparam, lparam);
            return 0;
        case ttm::kGetDelayTime:
            return DelayTime(wparam);
        case ttm::kSetTipBkColor:
            bk_color_ = static_cast<uint32_t>(wparam);
            return 0;
        case ttm::kGetTipBkColor:
            return static_cast<int32_t>(bk_color_);
        case ttm::kSetTipTextColor:
            text_color_ = static_cast<uint32_t>(wparam);
            return 0;
        case ttm::kGetTipTextColor:
            return static_cast<int32_t>(text_color_);
        case ttm::kSetMaxTipWidth: {
            const int32_t previous = max_width_;
            max_width_ = lparam;
            return previous;
        }
        case ttm::kGetMaxTipWidth:
            return max_width_;
        case ttm::kGetToolCount:
            return static_cast<int32_t>(tools_.size());
        case wm::kSetFont:
            font_ = wparam;
            return 0;
        case wm::kGetFont:
            return font_;
        default:
            // The tool messages need a record; a number in its place is a
            // null or foreign pointer, which the control rejects.
            return 0;
    }
}

int32_t TooltipControl::ToolMessage(uint32_t msg, int32_t wparam, ToolInfo& info) {
    if (info.cb_size < kToolInfoMinSize) return 0;
    switch (msg) {
        case ttm::kAddToolA: {
            TooltipTool tool{info.flags, info.hwnd, info.id, info.rect, info.hinst, info.text};
            if (TooltipTool* existing = Find(info.hwnd, info.id)) {
                *existing = tool;
            } else {
                tools_.push_back(tool);
            }
            return 1;
        }
        case ttm::kDelToolA:
            std::erase_if(tools_, [&](const TooltipTool& t) { return t.hwnd == info.hwnd && t.id == info.id; });
            return 0;
        case ttm::kNewToolRectA:
            if (TooltipTool* tool = Find(info.hwnd, info.id)) tool->rect = info.rect;
            return 0;
        case ttm::kSetToolInfoA:
            if (TooltipTool* tool = Find(info.hwnd, info.id)) {
                *tool = TooltipTool{info.flags, info.hwnd, info.id, info.rect, info.hinst, info.text};
            }
            return 0;
        case ttm::kUpdateTipTextA:
            if (TooltipTool* tool = Find(info.hwnd, info.id)) tool->text = info.text;
            return 0;
        case ttm::kGetToolInfoA: {
            const TooltipTool* tool = Find(info.hwnd, info.id);
            if (!tool) return 0;
            info.flags = tool->flags;
            info.rect = tool->rect;
            info.hinst = tool->hinst;
            // The text is copied only into a buffer the caller supplied.
            if (info.text) info.text = tool->text.value_or(String());
            return 1;
        }
        case ttm::kEnumToolsA: {
            if (wparam < 0 || static_cast<size_t>(wparam) >= tools_.size()) return 0;
            const TooltipTool& tool = tools_[static_cast<size_t>(wparam)];
            info.flags = tool.flags;
            info.hwnd = tool.hwnd;
            info.id = tool.id;
            info.rect = tool.rect;
            info.hinst = tool.hinst;
            if (info.text) info.text = tool.text.value_or(String());
            return 1;
        }
        default:
            return Message(msg, wparam, 0);
    }
}

}  // namespace quibor15::sim
